#pragma once
// The repeated lottery test: pairs the whole tournament 256 times with random results and logs
// how long the runs took.

#include <filesystem>
#include <functional>

#include "pairing/context.h"

namespace toq::pairing {

/// Runs of a full test.
inline constexpr int kRepeatedTestRuns = 256;

/// Asks, then clears the table and pairs every round `runs` times with random results, logging
/// to "連続抽選<compact stamp>.txt" in `programDir`. Returns 0 when every run finished; -1 when
/// the user said No, the log could not be opened, the field is odd or a pairing failed; -2 when
/// the user asked it to stop (checked after each run, when the table holds a whole run).
/// `logPath` (optional) receives the log's path when one was written.
int runRepeatedTest(PairingContext& ctx, const std::filesystem::path& programDir,
                    const std::function<void()>& refresh, std::filesystem::path* logPath = nullptr,
                    int runs = kRepeatedTestRuns);

}  // namespace toq::pairing
