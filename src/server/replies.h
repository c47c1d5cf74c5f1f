#pragma once
// Replies the routes give: JSON answers, refusals with their message, pages.

#include <string>
#include <string_view>

#include "server/exchange.h"
#include "server/pages.h"

namespace toq::server {

/// A JSON reply.
Reply jsonReply(int status, std::string body);
/// A refusal: {"error":"message"}.
Reply errorReply(int status, std::string_view message);
/// A page with its policy.
Reply pageReply(Page page);

/// The reason phrase of a status code ("Not Found").
std::string_view reasonOf(int status);

}  // namespace toq::server
