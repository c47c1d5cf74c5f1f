#pragma once
// Texts and colours as the web page writes them: escaped HTML text, CSS colours.

#include <string>
#include <string_view>

#include "view/colours.h"

namespace toq::reports {

/// UTF-8 text made safe for HTML text and for quoted attribute values: & < > " ' become
/// character references, and control characters other than tab, LF and CR become U+FFFD, so
/// that no name, however it was written, can end an element or an attribute.
std::string escapeHtml(std::string_view utf8);

/// A CP932 text of the core (a name, a cell, a title) as escaped HTML text; bytes that are not
/// CP932 become U+FFFD.
std::string htmlFromCp932(std::string_view cp932);

/// <tag class="cls">content</tag>, without the class attribute when `cls` is empty. `content`
/// is HTML already (escaped text or elements); `cls` is one of the page's own class names.
std::string element(std::string_view tag, std::string_view content, std::string_view cls = {});

/// "rrggbb", lower-case hexadecimal.
std::string hexColour(view::Rgb colour);

}  // namespace toq::reports
