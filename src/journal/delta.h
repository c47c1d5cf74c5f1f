#pragma once
// A state kept as the lines that differ from the state before it: a result entered changes two
// lines of a table file, so thousands of steps fit in a few megabytes.

#include <optional>
#include <string>
#include <string_view>

namespace toq::journal {

/// The lines of `next` that differ from the same line of `base`, with `next`'s line count.
std::string lineDelta(std::string_view base, std::string_view next);
/// `base` with a delta applied; nullopt when the delta is malformed.
std::optional<std::string> applyDelta(std::string_view base, std::string_view delta);

}  // namespace toq::journal
