#pragma once
// The user-interface services: the only way the core talks to the user and the desktop.
// Every text passed here is UTF-8; the front ends show it as they can.

#include <filesystem>
#include <string>
#include <string_view>

namespace toq::services {

/// Captions the core passes with its messages.
inline constexpr std::string_view kErrorCaption = "エラー";
inline constexpr std::string_view kQuestionCaption = "確認";
inline constexpr std::string_view kWarningCaption = "警告";
inline constexpr std::string_view kAppCaption = "TOQ";

/// Message boxes, the status pane, questions, sounds and the viewer hand-off.
class Services {
 public:
  virtual ~Services() = default;

  /// Modal box with the error icon.
  virtual void errorBox(std::string_view text, std::string_view caption = kErrorCaption) = 0;
  /// Modal box with the warning icon.
  virtual void warningBox(std::string_view text, std::string_view caption = kAppCaption) = 0;
  /// Modal box with the information icon.
  virtual void informationBox(std::string_view text, std::string_view caption = kAppCaption) = 0;
  /// Text for the message pane of the status bar; silently dropped when there is none.
  virtual void statusMessage(std::string_view text) = 0;
  /// Yes/No question; true means Yes.
  virtual bool askYesNo(std::string_view text, std::string_view caption = kQuestionCaption) = 0;
  /// Yes/No question whose default button is No: asked before a change that a stray Enter must
  /// not make. Where there are no buttons (the command line), the Yes/No question answers it.
  virtual bool askYesNoDefaultNo(std::string_view text,
                                 std::string_view caption = kQuestionCaption) {
    return askYesNo(text, caption);
  }
  /// The answer to a question that can also be withdrawn.
  enum class Answer { Yes, No, Cancel };
  /// Yes/No/Cancel question (the window's exit with unsaved changes). Where nobody can
  /// withdraw (the command line), the Yes/No question answers it.
  virtual Answer askYesNoCancel(std::string_view text,
                                std::string_view caption = kQuestionCaption) {
    return askYesNo(text, caption) ? Answer::Yes : Answer::No;
  }
  virtual void questionSound() = 0;
  virtual void defaultSound() = 0;
  /// Hands a written file to the desktop's viewer: 0, or -1 after its own error message.
  virtual int openWithViewer(const std::filesystem::path& file) = 0;
  /// Lets the window handle waiting events during long work (the repeated test).
  virtual void processEvents() {}
  /// True once the user asked long work to stop (the window was closed during the repeated
  /// test); asked after processEvents.
  virtual bool stopRequested() const { return false; }
  /// Replaces the main window's title (the repeated test shows its progress there); an empty
  /// title restores the usual one.
  virtual void setWindowTitle(std::string_view /*title*/) {}
};

}  // namespace toq::services
