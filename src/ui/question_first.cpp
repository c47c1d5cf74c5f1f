#include "ui/question_first.h"

#include <memory>

namespace toq::ui {

bool QuestionFirstServices::askYesNo(std::string_view text, std::string_view caption) {
  if (rehearsing) {
    question = std::string(text);
    this->caption = std::string(caption);
    return false;
  }
  if (text == question) return true;
  return ui_.askYesNo(text, caption);
}

Prepared askQuestionFirst(services::Services& ui,
                          std::function<edit::Outcome(services::Services&)> operation) {
  auto asked = std::make_shared<QuestionFirstServices>(ui);
  const edit::Outcome dry = operation(*asked);
  if (asked->question.empty() || dry.changed) return Prepared::stop(dry);
  if (!ui.askYesNo(asked->question, asked->caption)) return Prepared::stop(edit::Stop::Declined);
  asked->rehearsing = false;
  return Prepared::to([asked, operation] { return operation(*asked); });
}

}  // namespace toq::ui
