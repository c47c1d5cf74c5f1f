#include "ui/gui_executor.h"

#include <QMetaObject>
#include <QThread>
#include <QTimer>
#include <exception>

#include "edit/command_door.h"
#include "ui/failure_log.h"

namespace toq::ui {

namespace {

constexpr const char* kJobFailed = "会場公開の処理が例外で止まりました: ";
/// How often the jobs held back by an open pass look whether it has ended.
constexpr int kPassLookMs = 20;

}  // namespace

GuiExecutor::GuiExecutor(edit::Workspace& workspace, QObject* parent)
    : QObject(parent), workspace_(workspace) {
  afterPass_ = new QTimer(this);
  afterPass_->setSingleShot(true);
  afterPass_->setInterval(kPassLookMs);
  connect(afterPass_, &QTimer::timeout, this, &GuiExecutor::runPosted);
}

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
  // A dialog or a question of a pass runs its own event loop: the jobs wait for the pass, so
  // that its undo step holds its own change and nobody else's.
  if (edit::passOpen(workspace_)) {
    afterPass_->start();
    return;
  }
  running_ = true;
  for (;;) {
    server::Job job;
    {
      std::lock_guard lock(mutex_);
      if (jobs_.empty()) break;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    runJob(job);
  }
  running_ = false;
}

void GuiExecutor::runJob(server::Job& job) {
  // The server's jobs answer their own failures; nothing may end the GUI thread, and what
  // went wrong is said.
  QString failure;
  try {
    if (before_) before_();
    job(workspace_);
  } catch (const std::exception& e) {
    failure = QString::fromUtf8(kJobFailed) + QString::fromLocal8Bit(e.what());
  } catch (...) {
    failure = QString::fromUtf8(kJobFailed) + QStringLiteral("?");
  }
  if (failure.isEmpty()) return;
  logFailure(failure);
  emit jobFailed(failure);
}

void GuiExecutor::refuseNewJobs() {
  std::lock_guard lock(mutex_);
  refusing_ = true;
}

}  // namespace toq::ui
