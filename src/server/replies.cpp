#include "server/replies.h"

#include "server/api.h"

namespace toq::server {

Reply jsonReply(int status, std::string body) {
  Reply r;
  r.status = status;
  r.kind = ContentKind::Json;
  r.body = std::move(body);
  return r;
}

Reply errorReply(int status, std::string_view message) {
  return jsonReply(status, api::text(api::ErrorAnswer{std::string(message)}));
}

Reply pageReply(Page page) {
  Reply r;
  r.status = 200;
  r.kind = ContentKind::Html;
  r.body = std::move(page.html);
  r.policy = std::move(page.policy);
  return r;
}

std::string_view reasonOf(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 400:
      return "Bad Request";
    case 401:
      return "Unauthorized";
    case 404:
      return "Not Found";
    case 405:
      return "Method Not Allowed";
    case 409:
      return "Conflict";
    case 413:
      return "Payload Too Large";
    case 415:
      return "Unsupported Media Type";
    case 429:
      return "Too Many Requests";
    case 431:
      return "Request Header Fields Too Large";
    case 500:
      return "Internal Server Error";
    case 503:
      return "Service Unavailable";
    default:
      return "";
  }
}

}  // namespace toq::server
