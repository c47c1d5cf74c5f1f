#pragma once
// The window's services as its commands see them: while a command's pass is open, message
// boxes wait and are shown, in order, once the pass has ended, so that no box's event loop
// runs inside a pass. A question shows the boxes waiting before it and is asked at once.

#include <string>
#include <vector>

#include "services/services.h"

namespace toq::ui {

class HeldBoxes : public services::Services {
 public:
  explicit HeldBoxes(services::Services& ui) : ui_(ui) {}

  /// Holds the boxes while it lives (holds may nest); the last one to end shows them.
  class Hold {
   public:
    explicit Hold(HeldBoxes& boxes) : boxes_(boxes) { ++boxes_.holds_; }
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    HeldBoxes& boxes_;
  };

  void errorBox(std::string_view text, std::string_view caption) override;
  void warningBox(std::string_view text, std::string_view caption) override;
  void informationBox(std::string_view text, std::string_view caption) override;
  void statusMessage(std::string_view text) override { ui_.statusMessage(text); }
  bool askYesNo(std::string_view text, std::string_view caption) override;
  bool askYesNoDefaultNo(std::string_view text, std::string_view caption) override;
  Answer askYesNoCancel(std::string_view text, std::string_view caption) override;
  void questionSound() override { ui_.questionSound(); }
  void defaultSound() override { ui_.defaultSound(); }
  int openWithViewer(const std::filesystem::path& file) override;
  void processEvents() override { ui_.processEvents(); }
  bool stopRequested() const override { return ui_.stopRequested(); }
  void setWindowTitle(std::string_view title) override { ui_.setWindowTitle(title); }

 private:
  enum class Kind { Error, Warning, Information };
  struct Box {
    Kind kind;
    std::string text;
    std::string caption;
  };
  void box(Kind kind, std::string_view text, std::string_view caption);
  /// Shows the boxes waiting, in order.
  void show();

  services::Services& ui_;
  int holds_ = 0;
  std::vector<Box> waiting_;
};

}  // namespace toq::ui
