#pragma once
// The window's table owner for the venue server: jobs posted from the network thread run on
// the GUI thread, one at a time and in order, with the window's workspace. A job never runs
// inside a pass through the edit layer's door (a command of the window, or its dialog or
// question): it waits until the pass has ended, and then runs in order.

#include <QObject>
#include <QString>
#include <deque>
#include <functional>
#include <mutex>

#include "server/executor.h"

class QTimer;

namespace toq::ui {

class GuiExecutor final : public QObject, public server::Executor {
  Q_OBJECT

 public:
  /// Lives on the calling (GUI) thread; the workspace must outlive the executor.
  explicit GuiExecutor(edit::Workspace& workspace, QObject* parent = nullptr);
  ~GuiExecutor() override;

  /// Queues the job and asks the GUI thread's event loop to run it; false once stopped.
  bool post(server::Job job) override;
  /// On the GUI thread: runs the jobs waiting now (the server's stop() waits this way).
  /// Elsewhere, inside a job, or while a pass is open on the workspace, it does nothing; the
  /// jobs then run once the pass has ended.
  void runPosted() override;

  /// Runs on the GUI thread before each job (the window hands the server its check boxes).
  void setBeforeEachJob(std::function<void()> before) { before_ = std::move(before); }

  /// Later posts are refused; the jobs already queued still run.
  void refuseNewJobs();

 signals:
  /// A job failed with an exception (already written to the failure log): the window says so.
  void jobFailed(const QString& message);

 private:
  void runJob(server::Job& job);

  edit::Workspace& workspace_;
  std::mutex mutex_;
  std::deque<server::Job> jobs_;
  std::function<void()> before_;
  QTimer* afterPass_ = nullptr;  ///< looks again while a pass holds the jobs back
  bool refusing_ = false;
  bool running_ = false;  ///< a job is running: no nested run
};

}  // namespace toq::ui
