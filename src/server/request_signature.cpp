#include "server/request_signature.h"

#include "server/hmac.h"
#include "server/organiser_key.h"

namespace toq::server {

std::string signedText(std::string_view method, std::string_view target, std::string_view sequence,
                       std::string_view body) {
  std::string text;
  text.reserve(method.size() + target.size() + sequence.size() + body.size() + 3);
  text.append(method).append("\n").append(target).append("\n").append(sequence).append("\n");
  return text.append(body);
}

std::string signatureOf(std::string_view key, std::string_view method, std::string_view target,
                        std::string_view sequence, std::string_view body) {
  const auto mac = hmacSha256(key, signedText(method, target, sequence, body));
  return hexText(mac.data(), mac.size());
}

std::optional<std::uint64_t> sequenceNumber(std::string_view text) {
  if (text.empty() || text.size() > 15) return std::nullopt;
  std::uint64_t n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return n;
}

bool isSigned(const Request& request) {
  return !request.signature.empty() || !request.sequence.empty();
}

bool signedWith(const Request& request, std::string_view key) {
  if (key.empty() || !sequenceNumber(request.sequence)) return false;
  const std::string target =
      request.query.empty() ? request.path : request.path + "?" + request.query;
  const std::string expected =
      signatureOf(key, methodName(request.method), target, request.sequence, request.body);
  return sameKey(request.signature, expected);
}

bool UsedSequences::use(std::uint64_t sequence) {
  std::lock_guard lock(mutex_);
  if (sequence <= floor_ || !used_.insert(sequence).second) return false;
  if (used_.size() > kKept) {
    floor_ = *used_.begin();
    used_.erase(used_.begin());
  }
  return true;
}

}  // namespace toq::server
