#include "support/html_check.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <sstream>

namespace toq::testing {

namespace {

constexpr std::string_view kVoidElements[] = {"area",   "base",  "br",    "col",  "embed",
                                              "hr",     "img",   "input", "link", "meta",
                                              "source", "track", "wbr"};
constexpr std::string_view kRawTextElements[] = {"style", "script"};

bool listed(std::span<const std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

void appendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The byte offset of the first fault of the UTF-8 (or a control character), or npos.
std::size_t encodingFault(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t len = 0;
    std::uint32_t c = 0;
    if (b < 0x80) {
      if ((b < 0x20 && b != '\t' && b != '\n' && b != '\r') || b == 0x7F) return i;
      ++i;
      continue;
    }
    if (b >= 0xC2 && b <= 0xDF) {
      len = 2;
      c = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3;
      c = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4;
      c = b & 0x07;
    } else {
      return i;
    }
    if (i + len > s.size()) return i;
    for (std::size_t k = 1; k < len; ++k) {
      const auto t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) return i;
      c = (c << 6) | (t & 0x3F);
    }
    const bool overlong = (len == 3 && c < 0x800) || (len == 4 && c < 0x10000);
    if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return i;
    i += len;
  }
  return std::string_view::npos;
}

class Parser {
 public:
  explicit Parser(std::string_view page) : s_(page) {}

  HtmlDocument run() {
    HtmlDocument doc;
    try {
      if (std::size_t at = encodingFault(s_); at != std::string_view::npos)
        fail(at, "bad UTF-8 or a control character");
      constexpr std::string_view kDoctype = "<!DOCTYPE html>";
      if (s_.substr(0, kDoctype.size()) != kDoctype) fail(0, "no <!DOCTYPE html>");
      pos_ = kDoctype.size();
      parseContent(doc.root, {});
      if (pos_ != s_.size()) fail(pos_, "content after the end");
      const auto top = doc.root.childElements("html");
      if (top.size() != 1) fail(pos_, "not exactly one html element");
    } catch (const std::string& error) {
      doc.error = error;
    }
    return doc;
  }

 private:
  [[noreturn]] void fail(std::size_t at, const std::string& what) const {
    std::ostringstream s;
    s << what << " at byte " << at << ": \"" << s_.substr(at, 40) << "\"";
    throw s.str();
  }

  bool startsWith(std::string_view what) const { return s_.substr(pos_, what.size()) == what; }

  static bool nameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
  }

  std::string name() {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && nameChar(s_[pos_])) ++pos_;
    if (pos_ == start) fail(start, "expected a lower-case name");
    return std::string(s_.substr(start, pos_ - start));
  }

  void skipSpace() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\n' || s_[pos_] == '\t')) ++pos_;
  }

  // Resolves the text between `from` and `to`, refusing a bare '&' or '>'-free '<'.
  std::string resolve(std::size_t from, std::size_t to, bool attribute) const {
    std::string out;
    for (std::size_t i = from; i < to; ++i) {
      const char c = s_[i];
      if (c == '<') fail(i, "a bare '<'");
      if (attribute && c == '"') fail(i, "a quote in an attribute value");
      if (c != '&') {
        out += c;
        continue;
      }
      const std::size_t semi = s_.find(';', i);
      if (semi == std::string_view::npos || semi >= to || semi - i > 10) fail(i, "a bare '&'");
      const std::string_view ref = s_.substr(i + 1, semi - i - 1);
      if (ref == "amp") {
        out += '&';
      } else if (ref == "lt") {
        out += '<';
      } else if (ref == "gt") {
        out += '>';
      } else if (ref == "quot") {
        out += '"';
      } else if (ref.size() > 1 && ref[0] == '#') {
        const bool hex = ref[1] == 'x' || ref[1] == 'X';
        const std::string digits(ref.substr(hex ? 2 : 1));
        if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF"
                                                           : "0123456789") != std::string::npos)
          fail(i, "a bad numeric reference");
        const unsigned long code = std::stoul(digits, nullptr, hex ? 16 : 10);
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
          fail(i, "a reference to no character");
        appendUtf8(out, static_cast<std::uint32_t>(code));
      } else {
        fail(i, "an unknown reference");
      }
      i = semi;
    }
    return out;
  }

  void parseAttributes(HtmlNode& element) {
    for (;;) {
      const std::size_t before = pos_;
      skipSpace();
      if (pos_ >= s_.size()) fail(pos_, "unterminated tag");
      if (s_[pos_] == '>') {
        ++pos_;
        return;
      }
      if (pos_ == before) fail(pos_, "attributes must be separated by a space");
      std::string key = name();
      if (element.attribute(key)) fail(pos_, "attribute twice: " + key);
      if (!startsWith("=\"")) fail(pos_, "attribute value not in double quotes");
      pos_ += 2;
      const std::size_t end = s_.find('"', pos_);
      if (end == std::string_view::npos) fail(pos_, "unterminated attribute value");
      element.attributes.emplace_back(std::move(key), resolve(pos_, end, true));
      pos_ = end + 1;
    }
  }

  void addText(HtmlNode& parent, std::size_t from, std::size_t to) {
    if (to <= from) return;
    HtmlNode text;
    text.text = resolve(from, to, false);
    parent.children.push_back(std::move(text));
  }

  // Children of `parent` until its end tag (or the end of the page for the root).
  void parseContent(HtmlNode& parent, const std::string& closing) {
    for (;;) {
      const std::size_t start = pos_;
      const std::size_t lt = s_.find('<', pos_);
      const std::size_t textEnd = lt == std::string_view::npos ? s_.size() : lt;
      addText(parent, start, textEnd);
      pos_ = textEnd;
      if (pos_ >= s_.size()) {
        if (!closing.empty()) fail(pos_, "<" + closing + "> not closed");
        return;
      }
      if (startsWith("<!--")) {
        const std::size_t end = s_.find("-->", pos_ + 4);
        if (end == std::string_view::npos) fail(pos_, "unterminated comment");
        pos_ = end + 3;
        continue;
      }
      if (startsWith("</")) {
        pos_ += 2;
        const std::string tag = name();
        if (tag != closing) fail(pos_, "</" + tag + "> closes <" + closing + ">");
        if (!startsWith(">")) fail(pos_, "bad end tag");
        ++pos_;
        return;
      }
      ++pos_;
      HtmlNode element;
      element.tag = name();
      parseAttributes(element);
      if (listed(kVoidElements, element.tag)) {
        parent.children.push_back(std::move(element));
        continue;
      }
      if (listed(kRawTextElements, element.tag)) {
        const std::string end = "</" + element.tag + ">";
        const std::size_t stop = s_.find(end, pos_);
        if (stop == std::string_view::npos) fail(pos_, "raw text not closed");
        HtmlNode raw;
        raw.text = std::string(s_.substr(pos_, stop - pos_));
        element.children.push_back(std::move(raw));
        pos_ = stop + end.size();
      } else {
        parseContent(element, element.tag);
      }
      parent.children.push_back(std::move(element));
    }
  }

  std::string_view s_;
  std::size_t pos_ = 0;
};

void collect(const HtmlNode& node, std::string_view tag, std::vector<const HtmlNode*>& out) {
  for (const HtmlNode& child : node.children) {
    if (child.tag == tag) out.push_back(&child);
    collect(child, tag, out);
  }
}

std::string trim(std::string_view s) {
  const std::size_t a = s.find_first_not_of(" \n\t\r");
  if (a == std::string_view::npos) return {};
  const std::size_t b = s.find_last_not_of(" \n\t\r");
  return std::string(s.substr(a, b - a + 1));
}

}  // namespace

const std::string* HtmlNode::attribute(std::string_view name) const {
  for (const auto& [key, value] : attributes)
    if (key == name) return &value;
  return nullptr;
}

std::vector<std::string> HtmlNode::classes() const {
  std::vector<std::string> out;
  if (const std::string* value = attribute("class")) {
    std::istringstream words(*value);
    for (std::string word; words >> word;) out.push_back(word);
  }
  return out;
}

bool HtmlNode::hasClass(std::string_view name) const {
  const auto list = classes();
  return std::find(list.begin(), list.end(), name) != list.end();
}

std::string HtmlNode::textContent() const {
  std::string out = text;
  for (const HtmlNode& child : children) out += child.textContent();
  return out;
}

std::vector<const HtmlNode*> HtmlNode::all(std::string_view tag) const {
  std::vector<const HtmlNode*> out;
  collect(*this, tag, out);
  return out;
}

std::vector<const HtmlNode*> HtmlNode::childElements(std::string_view tag) const {
  std::vector<const HtmlNode*> out;
  for (const HtmlNode& child : children)
    if (child.tag == tag) out.push_back(&child);
  return out;
}

const HtmlNode* HtmlNode::byId(std::string_view id) const {
  for (const HtmlNode& child : children) {
    if (const std::string* value = child.attribute("id"); value && *value == id) return &child;
    if (const HtmlNode* found = child.byId(id)) return found;
  }
  return nullptr;
}

HtmlDocument parseHtml(std::string_view page) {
  return Parser(page).run();
}

std::vector<std::pair<std::string, std::string>> cssRules(std::string_view sheet) {
  std::vector<std::pair<std::string, std::string>> rules;
  std::size_t pos = 0;
  while (pos < sheet.size()) {
    const std::size_t open = sheet.find('{', pos);
    const std::size_t close = sheet.find('}', pos);
    if (open == std::string_view::npos || close < open) {
      pos = close == std::string_view::npos ? sheet.size() : close + 1;  // the end of a block
      continue;
    }
    const std::string selector = trim(sheet.substr(pos, open - pos));
    if (!selector.empty() && selector[0] == '@') {
      const std::size_t next = sheet.find_first_of("{}", open + 1);
      if (next != std::string_view::npos && sheet[next] == '}') {
        pos = next + 1;  // a block of declarations (@page)
      } else {
        pos = open + 1;  // a block of rules (@media)
      }
      continue;
    }
    if (close == std::string_view::npos) break;
    rules.emplace_back(selector, trim(sheet.substr(open + 1, close - open - 1)));
    pos = close + 1;
  }
  return rules;
}

}  // namespace toq::testing
