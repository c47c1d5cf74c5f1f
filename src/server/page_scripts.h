#pragma once
// The pages' scripts and their own style rules. Each script is inline in its page and named
// by its hash in the page's policy; it reads only the server's own JSON API and writes every
// text it shows as text, never as markup.

#include <string_view>

namespace toq::server::scripts {

/// "/": follows the changes and replaces the page's content in place.
std::string_view live();
/// "/display": as live, and pages through the lists.
std::string_view display();
/// "/desk" and "/admin" (the body's data-mode says which): the boards to tap and the result
/// to send.
std::string_view boards();

/// Another page's own script part, inside its function after the helpers `el` (an element
/// with a class and a text, always set as text) and `button` (with its action).
std::string withElements(std::string_view part);

/// Style rules of the display and of the board pages, after the web page's own.
std::string_view displayStyle();
std::string_view boardsStyle();

}  // namespace toq::server::scripts
