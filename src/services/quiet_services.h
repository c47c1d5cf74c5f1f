#pragma once
// Services that show nothing: for work whose messages are not wanted (a lookup already
// reported once, a file read only to be checked). Questions are answered No.

#include "services/services.h"

namespace toq::services {

class QuietServices final : public Services {
 public:
  void errorBox(std::string_view, std::string_view) override {}
  void warningBox(std::string_view, std::string_view) override {}
  void informationBox(std::string_view, std::string_view) override {}
  void statusMessage(std::string_view) override {}
  bool askYesNo(std::string_view, std::string_view) override { return false; }
  void questionSound() override {}
  void defaultSound() override {}
  /// Nothing is opened: -1, as after a failure.
  int openWithViewer(const std::filesystem::path&) override { return -1; }
};

}  // namespace toq::services
