#pragma once
// For an edit operation whose one question comes before its change (cancelling the latest
// round, all pairings, the random results): the question is asked before the pass, the change
// runs in the pass with that question already answered.

#include <functional>
#include <string>

#include "edit/outcome.h"
#include "services/services.h"
#include "ui/prepared.h"

namespace toq::ui {

/// The window's services, with the one question the operation asks kept or answered: while
/// `rehearsing`, the question is kept and answered No (the operation then stops before its
/// change); afterwards that question is answered Yes, any other is asked of the window.
class QuestionFirstServices : public services::Services {
 public:
  explicit QuestionFirstServices(services::Services& ui) : ui_(ui) {}

  void errorBox(std::string_view t, std::string_view c) override { ui_.errorBox(t, c); }
  void warningBox(std::string_view t, std::string_view c) override { ui_.warningBox(t, c); }
  void informationBox(std::string_view t, std::string_view c) override { ui_.informationBox(t, c); }
  void statusMessage(std::string_view t) override { ui_.statusMessage(t); }
  bool askYesNo(std::string_view text, std::string_view caption) override;
  void questionSound() override { ui_.questionSound(); }
  void defaultSound() override { ui_.defaultSound(); }
  int openWithViewer(const std::filesystem::path& f) override { return ui_.openWithViewer(f); }
  void processEvents() override { ui_.processEvents(); }
  bool stopRequested() const override { return ui_.stopRequested(); }
  void setWindowTitle(std::string_view title) override { ui_.setWindowTitle(title); }

  bool rehearsing = true;
  std::string question;  ///< the question kept while rehearsing (UTF-8)
  std::string caption;

 private:
  services::Services& ui_;
};

/// Runs `operation` once rehearsing (its checks and refusals shown, nothing changed), asks its
/// question of the window, and on Yes answers the change that runs it with the question
/// answered. An operation that asked nothing stops with what it answered.
Prepared askQuestionFirst(services::Services& ui,
                          std::function<edit::Outcome(services::Services&)> operation);

}  // namespace toq::ui
