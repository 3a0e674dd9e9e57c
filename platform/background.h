// Work off the window's thread. The windows and their handlers live on one thread; a background task
// never touches them. Its result is handed back to the window's thread, which alone changes what the
// user sees.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "platform/result.h"

namespace platform {

// What a running task and the window's thread share: the request to stop, and the progress so far.
struct TaskProgress {
    std::atomic<bool> cancelled{false};
    std::atomic<std::int64_t> received{0};   // bytes
    std::atomic<std::int64_t> expected{-1};  // bytes; -1 while unknown
};

// A task on a thread of its own. `finished` runs later on the window's thread with the task's result,
// unless the BackgroundTask was destroyed first; it may destroy the BackgroundTask itself. Destroying a
// task asks it to stop and waits for its thread.
class BackgroundTask {
  public:
    BackgroundTask(std::function<Result(TaskProgress&)> work, std::function<void(const Result&)> finished);
    ~BackgroundTask();
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;

    void cancel();
    const TaskProgress& progress() const;
    // Its result has been handed back.
    bool handedBack() const;

  private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

// The hand-back. A task posted from any thread runs on the window's thread, in the order posted, but
// never inside a yield or a message box shown by a handler: a reload there would cut into the handler.
void PostToWindowThread(std::function<void()> task);
// Runs the posted tasks, on the window's thread; the front end calls it when its waker is called.
void RunPostedTasks();
// The front end's wake-up, called from any thread when a task may run (nullptr: none, headless).
void SetPostedTaskWaker(std::function<void()> waker);

// While one lives, posted tasks wait (the yield and message boxes hold one).
class PostedTasksHeld {
  public:
    PostedTasksHeld();
    ~PostedTasksHeld();
    PostedTasksHeld(const PostedTasksHeld&) = delete;
    PostedTasksHeld& operator=(const PostedTasksHeld&) = delete;
};

// For headless runs and tests, on the window's thread: runs posted tasks and the yield until every
// background task has handed its result back (and whatever those hand-backs started); false when that
// took longer than timeout.
bool WaitForBackgroundTasks(std::chrono::milliseconds timeout = std::chrono::seconds(60));

}  // namespace platform
