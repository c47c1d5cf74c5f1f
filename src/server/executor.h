#pragma once
// The only door to the workspace. The network threads never hold a reference to the table:
// every request that reads or changes the event becomes a job that the table's owner runs,
// and the request is answered when the job has run. toq-cli's owner is a thread of its own
// (QueueExecutor); the window's is its GUI thread.

#include <functional>

#include "edit/workspace.h"

namespace toq::server {

/// Work on the table, run by its owner with the workspace.
using Job = std::function<void(edit::Workspace&)>;

/// The table's owner as the server sees it.
class Executor {
 public:
  virtual ~Executor() = default;

  /// Hands a job to the owner, from any thread. The owner runs the jobs one at a time, in the
  /// order posted, each to its end. False when the owner takes no more work (it is stopping):
  /// the job is dropped and the server answers 503.
  virtual bool post(Job job) = 0;

  /// Hands over a job that changes the event. An owner may run it before the reading jobs
  /// already waiting (a crowd of page builds does not hold up the organiser's result); changes
  /// keep their order among themselves. The default runs it in order with the rest.
  virtual bool postChange(Job job) { return post(std::move(job)); }

  /// Runs the jobs already posted when the calling thread is the owner's own; otherwise does
  /// nothing. Server::stop() calls it while it waits for the requests in flight, so that an
  /// owner that is also the thread calling stop() (the window's GUI thread) finishes them
  /// instead of waiting for itself.
  virtual void runPosted() {}
};

}  // namespace toq::server
