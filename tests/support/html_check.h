#pragma once
// A strict well-formedness check of the HTML the program writes, with a small tree to look
// things up in. It accepts only what a careful writer produces, not all that browsers repair.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace toq::testing {

/// An element (tag not empty) or a text (tag empty) of a parsed page.
struct HtmlNode {
  std::string tag;
  std::vector<std::pair<std::string, std::string>> attributes;
  std::vector<HtmlNode> children;
  std::string text;  ///< a text node's text, with the character references resolved

  /// The attribute's value, or none.
  const std::string* attribute(std::string_view name) const;
  /// True when the class attribute lists `name`.
  bool hasClass(std::string_view name) const;
  /// Every class the class attribute lists.
  std::vector<std::string> classes() const;
  /// The text of the node and everything below it.
  std::string textContent() const;
  /// Every element below this node with the tag, in document order.
  std::vector<const HtmlNode*> all(std::string_view tag) const;
  /// The element's child elements with the tag, in order.
  std::vector<const HtmlNode*> childElements(std::string_view tag) const;
  /// The first element below this node with the id, or none.
  const HtmlNode* byId(std::string_view id) const;
};

/// A parsed page: `error` says what is wrong (and at which byte) when it is not well formed.
struct HtmlDocument {
  std::string error;
  HtmlNode root;  ///< holds the html element
  bool ok() const { return error.empty(); }
};

/// Checks and parses a page: "<!DOCTYPE html>" first; valid UTF-8 without control characters
/// other than tab, LF and CR; every element closed in order, except the void elements, which
/// are never closed; lower-case names; attribute values in double quotes, without '<', and no
/// attribute twice; '<' only in markup and '&' only in a character reference (&amp; &lt; &gt;
/// &quot; &#39; or a decimal or hexadecimal one); style and script content kept as raw text.
HtmlDocument parseHtml(std::string_view page);

/// The CSS rules of a style sheet as (selector, declarations), whitespace trimmed; at-rule
/// blocks are entered, so their rules are listed too (with their selectors only).
std::vector<std::pair<std::string, std::string>> cssRules(std::string_view sheet);

}  // namespace toq::testing
