#include "cli/serve_reception.h"

namespace toq::cli {

namespace {
constexpr const char* kReception = "受付用（受付の鍵付き。受付係にだけ渡してください）:";
}  // namespace

void printReceptionUrl(std::ostream& out, const server::Server& s) {
  const std::string url = s.receptionUrl();
  if (url.empty()) return;
  out << kReception << '\n' << url << '\n';
}

}  // namespace toq::cli
