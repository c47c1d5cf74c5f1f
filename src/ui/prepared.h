#pragma once
// A command of the window asks first and changes after: its dialogs and questions are shown
// before it passes the edit layer's door, and what it then changes runs in one pass in which
// no dialog opens (edit/command_door.h). A Prepared is that change, or how the command
// stopped before it.

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "edit/outcome.h"

namespace toq::ui {

struct Prepared {
  /// The change, run inside the pass; empty when the command stopped before it.
  std::function<edit::Outcome()> change;
  /// How it stopped (a dialog cancelled, a refusal already shown, nothing to act on).
  edit::Outcome stoppedWith = edit::stopped(edit::Stop::Declined);

  static Prepared stop(edit::Outcome why) {
    Prepared p;
    p.stoppedWith = why;
    return p;
  }
  static Prepared stop(edit::Stop why) { return stop(edit::stopped(why)); }
  static Prepared to(std::function<edit::Outcome()> change) {
    Prepared p;
    p.change = std::move(change);
    return p;
  }
};

namespace detail {
template <class T>
bool answered(const std::optional<T>& a) {
  return a.has_value();
}
template <class T>
bool answered(const std::vector<T>& a) {
  return !a.empty();
}
}  // namespace detail

/// For an edit operation that reaches its dialog through a chooser: the operation runs once
/// with a chooser that keeps its question and declines (its checks run and its refusals are
/// shown; nothing changes), the dialog is shown on that question outside any pass, and the
/// change is the operation again with the dialog's answer given.
///
///   return askFirst<edit::ResultQuestion, std::optional<int>>(
///       [=, this](const auto& choose) { return edit::enterResult(ws_, ui_, row, round, choose); },
///       [this](const edit::ResultQuestion& q) { return ResultDialog::choose(q, &window_); });
template <class Question, class Answer, class Operation, class Dialog>
Prepared askFirst(Operation operation, Dialog dialog) {
  using Chooser = std::function<Answer(const Question&)>;
  std::optional<Question> asked;
  const edit::Outcome dry = operation(Chooser([&asked](const Question& q) {
    asked = q;
    return Answer{};
  }));
  if (!asked) return Prepared::stop(dry);
  Answer answer = dialog(*asked);
  if (!detail::answered(answer)) return Prepared::stop(edit::Stop::Declined);
  return Prepared::to([operation, answer = std::move(answer)] {
    return operation(Chooser([answer](const Question&) { return answer; }));
  });
}

}  // namespace toq::ui
