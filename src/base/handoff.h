#pragma once
// One job at a time handed from the listing's thread to a second thread:
// the block writer of the listing and the splitter of the next load case
// use it. The worker waits for a job, does it and says so; the listing's
// thread hands a job over only once the one before is done.
#include <condition_variable>
#include <mutex>

namespace orvant {

struct Handoff {
  std::mutex mutex;
  std::condition_variable changed;
  bool pending = false;   // a job is handed over and not yet done
  bool stopping = false;  // no job will follow

  // The listing's thread: waits until the job handed over last is done.
  void WaitDone() {
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return !pending; });
  }
  // The listing's thread, after WaitDone: the job set up is to be done.
  void Hand() {
    {
      std::lock_guard lock(mutex);
      pending = true;
    }
    changed.notify_all();
  }
  // The listing's thread: lets the last job finish and the worker end.
  void Stop() {
    {
      std::unique_lock lock(mutex);
      changed.wait(lock, [this] { return !pending; });
      stopping = true;
    }
    changed.notify_all();
  }

  // The worker: waits for a job; false when none will come.
  bool NextJob() {
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return pending || stopping; });
    return pending;
  }
  // The worker: the job is done (what it set is seen after WaitDone).
  void JobDone() {
    {
      std::lock_guard lock(mutex);
      pending = false;
    }
    changed.notify_all();
  }
};

}  // namespace orvant
