#include "support/recording_services.h"

#include <utility>

namespace toq::services {

namespace {
RecordedMessage make(RecordedMessage::Kind kind, std::string_view text, std::string_view caption) {
  return RecordedMessage{kind, std::string(text), std::string(caption)};
}
}  // namespace

void RecordingServices::errorBox(std::string_view text, std::string_view caption) {
  record(make(RecordedMessage::Kind::Error, text, caption));
}
void RecordingServices::warningBox(std::string_view text, std::string_view caption) {
  record(make(RecordedMessage::Kind::Warning, text, caption));
}
void RecordingServices::informationBox(std::string_view text, std::string_view caption) {
  record(make(RecordedMessage::Kind::Information, text, caption));
}
void RecordingServices::statusMessage(std::string_view text) {
  record(make(RecordedMessage::Kind::Status, text, {}));
}
void RecordingServices::record(RecordedMessage message) {
  messages.push_back(std::move(message));
  if (onMessage) onMessage(messages.back());
}
bool RecordingServices::askYesNo(std::string_view text, std::string_view caption) {
  record(make(RecordedMessage::Kind::Question, text, caption));
  if (answers.empty()) return defaultAnswer;
  bool answer = answers.front();
  answers.pop_front();
  return answer;
}
bool RecordingServices::askYesNoDefaultNo(std::string_view text, std::string_view caption) {
  const bool answer = askYesNo(text, caption);
  messages.back().defaultNo = true;
  return answer;
}
Services::Answer RecordingServices::askYesNoCancel(std::string_view text,
                                                   std::string_view caption) {
  if (threeWayAnswers.empty()) return askYesNo(text, caption) ? Answer::Yes : Answer::No;
  record(make(RecordedMessage::Kind::Question, text, caption));
  const Answer answer = threeWayAnswers.front();
  threeWayAnswers.pop_front();
  return answer;
}
void RecordingServices::questionSound() {
  record(make(RecordedMessage::Kind::QuestionSound, {}, {}));
}
void RecordingServices::defaultSound() {
  record(make(RecordedMessage::Kind::DefaultSound, {}, {}));
}
int RecordingServices::openWithViewer(const std::filesystem::path& file) {
  record(make(RecordedMessage::Kind::Viewer, file.string(), {}));
  return viewerResult;
}

std::vector<std::string> RecordingServices::texts(RecordedMessage::Kind kind) const {
  std::vector<std::string> out;
  for (const auto& m : messages)
    if (m.kind == kind) out.push_back(m.text);
  return out;
}

}  // namespace toq::services
