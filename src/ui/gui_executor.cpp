#include "ui/gui_executor.h"

#include <QMetaObject>
#include <QThread>
#include <QtGlobal>
#include <exception>

namespace toq::ui {

namespace {

constexpr const char* kJobFailed = "会場公開の処理が例外で止まりました: ";

}  // namespace

GuiExecutor::GuiExecutor(edit::Workspace& workspace, QObject* parent)
    : QObject(parent), workspace_(workspace) {}

GuiExecutor::~GuiExecutor() {
  refuseNewJobs();
  // Jobs never run are dropped; the server has been stopped before its owner goes.
}

bool GuiExecutor::post(server::Job job) {
  {
    std::lock_guard lock(mutex_);
    if (refusing_) return false;
    jobs_.push_back(std::move(job));
  }
  // Queued even from the GUI thread itself, so a job never runs inside its poster.
  QMetaObject::invokeMethod(
      this, [this] { runPosted(); }, Qt::QueuedConnection);
  return true;
}

void GuiExecutor::runPosted() {
  if (QThread::currentThread() != thread() || running_) return;
  running_ = true;
  for (;;) {
    server::Job job;
    {
      std::lock_guard lock(mutex_);
      if (jobs_.empty()) break;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    // The server's jobs answer their own failures; nothing may end the GUI thread, and what
    // went wrong is said.
    try {
      if (before_) before_();
      job(workspace_);
    } catch (const std::exception& e) {
      qWarning("%s%s", kJobFailed, e.what());
    } catch (...) {
      qWarning("%s?", kJobFailed);
    }
  }
  running_ = false;
}

void GuiExecutor::refuseNewJobs() {
  std::lock_guard lock(mutex_);
  refusing_ = true;
}

}  // namespace toq::ui
