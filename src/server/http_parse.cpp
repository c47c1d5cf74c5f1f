#include "server/http_parse.h"

#include <cctype>

#include "server/http_request.h"
#include "server/replies.h"
#include "server/request_signature.h"
#include "server/texts.h"

namespace toq::server {

void applyLimits(RequestParser& parser) {
  parser.body_limit(kBodyLimit);
  parser.header_limit(static_cast<std::uint32_t>(kHeaderLimit));
}

Request toRequest(const http::request<http::string_body>& message, std::string address) {
  Request r;
  switch (message.method()) {
    case http::verb::get:
      r.method = Method::Get;
      break;
    case http::verb::head:
      r.method = Method::Head;
      break;
    case http::verb::post:
      r.method = Method::Post;
      break;
    case http::verb::delete_:
      r.method = Method::Delete;
      break;
    default:
      r.method = Method::Other;
  }
  const std::string_view target(message.target().data(), message.target().size());
  const std::size_t question = target.find('?');
  r.path = std::string(target.substr(0, question));
  if (question != std::string_view::npos) r.query = std::string(target.substr(question + 1));
  r.body = message.body();
  auto field = [&](http::field f) {
    const auto it = message.find(f);
    return it == message.end() ? std::string() : std::string(it->value());
  };
  r.contentType = field(http::field::content_type);
  r.authorization = field(http::field::authorization);
  auto named = [&](std::string_view name) {
    const auto it = message.find(boost::beast::string_view(name.data(), name.size()));
    return it == message.end() ? std::string() : std::string(it->value());
  };
  r.signature = named(kSignatureHeader);
  r.sequence = named(kSequenceHeader);
  r.hasHost = message.find(http::field::host) != message.end();
  r.httpVersion = static_cast<int>(message.version());
  r.host = field(http::field::host);
  r.address = std::move(address);
  return r;
}

std::optional<Reply> framingRefusal(const http::request<http::string_body>& message) {
  if (message.count(http::field::host) > 1) return errorReply(400, texts::kBadRequest);
  const auto te = message.find(http::field::transfer_encoding);
  if (te == message.end()) return std::nullopt;
  const std::string_view value(te->value().data(), te->value().size());
  std::string lower;
  for (char c : value) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower != "chunked" || message.count(http::field::transfer_encoding) > 1)
    return errorReply(400, texts::kBadRequest);
  return std::nullopt;
}

Reply unreadable(const boost::beast::error_code& error) {
  if (error == http::error::body_limit) return errorReply(413, texts::kTooLarge);
  if (error == http::error::header_limit) return errorReply(431, texts::kHeadersTooLarge);
  return errorReply(400, texts::kBadRequest);
}

ParsedRequest parseRequest(std::string_view bytes, std::string_view address) {
  ParsedRequest out;
  RequestParser parser;
  applyLimits(parser);
  parser.eager(true);
  boost::beast::error_code ec;
  std::size_t used = 0;
  // The parser takes what it can at each call, as it does from a connection's buffer.
  while (used < bytes.size() && !parser.is_done()) {
    const std::size_t n =
        parser.put(boost::asio::buffer(bytes.data() + used, bytes.size() - used), ec);
    if (ec == http::error::need_more) {
      ec = {};
      if (n == 0) break;
    }
    if (ec) {
      out.refusal = unreadable(ec);
      return out;
    }
    used += n;
    if (n == 0) break;
  }
  if (!parser.is_done()) {
    // A body that runs to the end of the connection ends with it.
    if (parser.got_some() && parser.need_eof()) {
      parser.put_eof(ec);
      if (ec) out.refusal = unreadable(ec);
    }
    if (!parser.is_done()) return out;
  }
  if (std::optional<Reply> refused = framingRefusal(parser.get())) {
    out.refusal = std::move(*refused);
    return out;
  }
  out.request = toRequest(parser.get(), std::string(address));
  return out;
}

}  // namespace toq::server
