#pragma once
// Services that show nothing: for the engine's runs on copies of the table, which are no event
// the user is told of.

#include "services/services.h"

namespace toq::pairing {

/// Drops every message and answers No.
class SilentServices : public services::Services {
 public:
  void errorBox(std::string_view, std::string_view) override {}
  void warningBox(std::string_view, std::string_view) override {}
  void informationBox(std::string_view, std::string_view) override {}
  void statusMessage(std::string_view) override {}
  bool askYesNo(std::string_view, std::string_view) override { return false; }
  void questionSound() override {}
  void defaultSound() override {}
  int openWithViewer(const std::filesystem::path&) override { return -1; }
};

}  // namespace toq::pairing
