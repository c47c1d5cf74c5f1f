#pragma once
// The user-interface services of one request: the edit layer's messages are kept, so that a
// refusal becomes the reply's text, questions are answered yes (the page asked its user
// before it sent the request), and nothing is handed to a viewer.

#include <string>
#include <vector>

#include "services/services.h"

namespace toq::server {

class RequestServices : public services::Services {
 public:
  void errorBox(std::string_view text, std::string_view caption) override;
  void warningBox(std::string_view text, std::string_view caption) override;
  void informationBox(std::string_view text, std::string_view caption) override;
  void statusMessage(std::string_view text) override;
  bool askYesNo(std::string_view text, std::string_view caption) override;
  void questionSound() override {}
  void defaultSound() override {}
  int openWithViewer(const std::filesystem::path& file) override;

  /// The error and warning texts shown, in order.
  const std::vector<std::string>& problems() const { return problems_; }
  /// The status messages, in order.
  const std::vector<std::string>& statuses() const { return statuses_; }
  /// The problems as one text, one per line; `fallback` when there was none.
  std::string problemText(std::string_view fallback) const;

 private:
  std::vector<std::string> problems_;
  std::vector<std::string> statuses_;
};

}  // namespace toq::server
