#pragma once
// A Services implementation that keeps every message and answers questions as told.
// Tests use it to check the exact texts; the fuzz targets check that a reader said nothing.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "services/services.h"

namespace toq::services {

/// One message the core showed.
struct RecordedMessage {
  enum class Kind {
    Error,
    Warning,
    Information,
    Status,
    Question,
    QuestionSound,
    DefaultSound,
    Viewer
  };
  Kind kind;
  std::string text;        ///< UTF-8 text (the path for Viewer)
  std::string caption;     ///< empty for Status, sounds and Viewer
  bool defaultNo = false;  ///< a question whose default button is No
};

class RecordingServices : public Services {
 public:
  /// Answers given to questions in turn; when empty, `defaultAnswer` is used.
  std::deque<bool> answers;
  bool defaultAnswer = true;
  /// Answers given to Yes/No/Cancel questions in turn; when empty, the Yes/No answers above
  /// decide (Yes or No).
  std::deque<Answer> threeWayAnswers;
  /// Result returned by openWithViewer.
  int viewerResult = 0;
  std::vector<RecordedMessage> messages;
  /// Called with each message as it is recorded.
  std::function<void(const RecordedMessage&)> onMessage;

  void errorBox(std::string_view text, std::string_view caption) override;
  void warningBox(std::string_view text, std::string_view caption) override;
  void informationBox(std::string_view text, std::string_view caption) override;
  void statusMessage(std::string_view text) override;
  bool askYesNo(std::string_view text, std::string_view caption) override;
  bool askYesNoDefaultNo(std::string_view text, std::string_view caption) override;
  Answer askYesNoCancel(std::string_view text, std::string_view caption) override;
  void questionSound() override;
  void defaultSound() override;
  int openWithViewer(const std::filesystem::path& file) override;
  void setWindowTitle(std::string_view title) override { windowTitle = title; }
  std::string windowTitle;

  /// Texts of the messages of one kind, in order.
  std::vector<std::string> texts(RecordedMessage::Kind kind) const;
  std::vector<std::string> errors() const { return texts(RecordedMessage::Kind::Error); }
  std::vector<std::string> warnings() const { return texts(RecordedMessage::Kind::Warning); }
  std::vector<std::string> statuses() const { return texts(RecordedMessage::Kind::Status); }
  std::vector<std::string> questions() const { return texts(RecordedMessage::Kind::Question); }
  void clear() { messages.clear(); }

 private:
  void record(RecordedMessage message);
};

}  // namespace toq::services
