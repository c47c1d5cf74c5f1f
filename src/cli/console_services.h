#pragma once
// The user-interface services of toq-cli: every box goes to the error stream as one UTF-8 line
// headed by its caption, questions are answered yes, and the desktop's viewer is used only
// when the user asks for it.

#include <cstddef>
#include <ostream>

#include "services/services.h"

namespace toq::cli {

class ConsoleServices : public services::Services {
 public:
  /// `verbose` shows the status messages; `useViewer` hands written files to xdg-open.
  ConsoleServices(std::ostream& err, bool verbose, bool useViewer)
      : err_(err), verbose_(verbose), useViewer_(useViewer) {}

  void errorBox(std::string_view text, std::string_view caption) override;
  void warningBox(std::string_view text, std::string_view caption) override;
  void informationBox(std::string_view text, std::string_view caption) override;
  void statusMessage(std::string_view text) override;
  bool askYesNo(std::string_view text, std::string_view caption) override;
  void questionSound() override {}
  void defaultSound() override {}
  int openWithViewer(const std::filesystem::path& file) override;

  /// Error and warning boxes shown so far: a command that fails after the core showed its own
  /// message need not add another.
  std::size_t problemsShown() const { return problems_; }
  /// The stream the messages go to.
  std::ostream& messageStream() { return err_; }

 private:
  void line(std::string_view caption, std::string_view text, std::string_view suffix = {});

  std::ostream& err_;
  bool verbose_;
  bool useViewer_;
  std::size_t problems_ = 0;
};

}  // namespace toq::cli
