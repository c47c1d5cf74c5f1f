#include "reports/html_text.h"

#include "text/cp932.h"
#include "text/format.h"

namespace toq::reports {

std::string escapeHtml(std::string_view utf8) {
  static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  std::string out;
  out.reserve(utf8.size() + utf8.size() / 8);
  for (char c : utf8) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      case '\t':
      case '\n':
      case '\r':
        out += c;
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
          out += kReplacement;
        else
          out += c;
    }
  }
  return out;
}

std::string htmlFromCp932(std::string_view cp932) {
  return escapeHtml(text::toUtf8(cp932));
}

std::string element(std::string_view tag, std::string_view content, std::string_view cls) {
  std::string out;
  out.reserve(tag.size() * 2 + content.size() + cls.size() + 14);
  out.append("<").append(tag);
  if (!cls.empty()) out.append(" class=\"").append(cls).append("\"");
  out.append(">").append(content).append("</").append(tag).append(">");
  return out;
}

std::string hexColour(view::Rgb colour) {
  return text::format("%02x%02x%02x", colour.r, colour.g, colour.b);
}

}  // namespace toq::reports
