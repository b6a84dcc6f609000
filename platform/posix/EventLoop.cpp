// A poll() round over the watched descriptors and a wake-up pipe for posted tasks. Posted tasks
// come from worker threads, which may outlive every object of the GUI thread (a look-up that is
// slow to give up), so the queue is never destroyed.
#include "platform/EventLoop.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "core/ErrorRoute.h"
#include "platform/posix/LoopCore.h"

namespace {

struct Posted {
  TObject* sender;
  std::function<void()> task;
};

class PostQueue {
 public:
  PostQueue() {
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) wake_[0] = wake_[1] = -1;
  }
  ~PostQueue() {
    for (int fd : wake_) {
      if (fd >= 0) ::close(fd);
    }
  }
  PostQueue(const PostQueue&) = delete;
  PostQueue& operator=(const PostQueue&) = delete;

  void Push(Posted item) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      items_.push_back(std::move(item));
    }
    const char byte = 1;
    // A full pipe already wakes the loop; the byte is only a signal.
    [[maybe_unused]] ssize_t written = ::write(wake_[1], &byte, 1);
  }
  std::vector<Posted> Take() {
    char drain[64];
    while (::read(wake_[0], drain, sizeof drain) > 0) {
    }
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(items_, {});
  }
  bool Empty() {
    std::lock_guard<std::mutex> lock(mutex_);
    return items_.empty();
  }
  int WakeDescriptor() const { return wake_[0]; }

 private:
  std::mutex mutex_;
  std::vector<Posted> items_;
  int wake_[2];
};

PostQueue& SharedQueue() {
  static PostQueue* const queue = new PostQueue;
  return *queue;
}

std::map<uint64_t, posix_loop::Watcher*>& Watchers() {
  static std::map<uint64_t, posix_loop::Watcher*> watchers;
  return watchers;
}

uint64_t next_watcher_id = 1;

template <typename Call>
void RunReporting(TObject* sender, Call&& call) {
  try {
    call();
  } catch (...) {
    ReportToApplicationErrorRoute(sender);
  }
}

}  // namespace

namespace posix_loop {

uint64_t AddWatcher(Watcher& watcher) {
  uint64_t id = next_watcher_id++;
  Watchers()[id] = &watcher;
  return id;
}

void RemoveWatcher(uint64_t id) {
  Watchers().erase(id);
}

void Post(TObject* sender, std::function<void()> task) {
  SharedQueue().Push({sender, std::move(task)});
}

}  // namespace posix_loop

bool RunPendingEvents(int timeout_ms) {
  PostQueue& queue = SharedQueue();
  std::vector<pollfd> polled{{queue.WakeDescriptor(), POLLIN, 0}};
  std::vector<uint64_t> ids;
  for (const auto& [id, watcher] : Watchers()) {
    short interest = watcher->Interest();
    if (interest == 0) continue;
    polled.push_back({watcher->Descriptor(), interest, 0});
    ids.push_back(id);
  }
  int wait = queue.Empty() ? timeout_ms : 0;
  int ready = ::poll(polled.data(), polled.size(), wait);
  if (ready < 0 && errno != EINTR) return false;

  bool handled = false;
  for (Posted& item : queue.Take()) {
    handled = true;
    RunReporting(item.sender, item.task);
  }
  for (size_t i = 0; i < ids.size(); ++i) {
    short revents = polled[i + 1].revents;
    if (revents == 0) continue;
    // Looked up again: an earlier handler may have removed it.
    auto found = Watchers().find(ids[i]);
    if (found == Watchers().end()) continue;
    posix_loop::Watcher* watcher = found->second;
    handled = true;
    RunReporting(watcher->Sender(), [&] { watcher->Ready(revents); });
  }
  return handled;
}
