#include "server/request_services.h"

namespace toq::server {

void RequestServices::errorBox(std::string_view text, std::string_view) {
  problems_.emplace_back(text);
}

void RequestServices::warningBox(std::string_view text, std::string_view) {
  problems_.emplace_back(text);
}

void RequestServices::informationBox(std::string_view text, std::string_view) {
  statuses_.emplace_back(text);
}

void RequestServices::statusMessage(std::string_view text) {
  statuses_.emplace_back(text);
}

bool RequestServices::askYesNo(std::string_view, std::string_view) {
  return true;
}

int RequestServices::openWithViewer(const std::filesystem::path&) {
  return 0;
}

std::string RequestServices::problemText(std::string_view fallback) const {
  if (problems_.empty()) return std::string(fallback);
  std::string text;
  for (const std::string& p : problems_) {
    if (!text.empty()) text += '\n';
    text += p;
  }
  return text;
}

}  // namespace toq::server
