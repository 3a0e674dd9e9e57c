#include "platform/background.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <utility>

#include "platform/control.h"
#include "platform/runtime.h"

namespace platform {

namespace {

struct Posted {
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<std::function<void()>> tasks;
    std::function<void()> waker;
    int inFlight = 0;  // tasks started whose hand-back has not run yet
    // Window thread only.
    int held = 0;
    bool running = false;
};

Posted& posted() {
    static Posted p;
    return p;
}

void wake() {
    std::function<void()> waker;
    {
        std::lock_guard lock(posted().mutex);
        waker = posted().waker;
    }
    if (waker) waker();
}

}  // namespace

struct BackgroundTask::Shared {
    TaskProgress progress;
    std::atomic<bool> alive{true};
    std::atomic<bool> handedBack{false};
};

BackgroundTask::BackgroundTask(std::function<Result(TaskProgress&)> work,
                               std::function<void(const Result&)> finished)
    : shared_(std::make_shared<Shared>()) {
    {
        std::lock_guard lock(posted().mutex);
        ++posted().inFlight;
    }
    thread_ =
        std::thread([shared = shared_, work = std::move(work), finished = std::move(finished)]() mutable {
            Result result;
            try {
                result = work(shared->progress);
            } catch (const std::exception& e) {
                result = Result::Failure(e.what());
            } catch (...) {
                result = Result::Failure("unknown error");
            }
            PostToWindowThread([shared, finished = std::move(finished), result = std::move(result)] {
                {
                    std::lock_guard lock(posted().mutex);
                    --posted().inFlight;
                }
                if (!shared->alive) return;
                shared->handedBack = true;
                finished(result);
            });
        });
}

BackgroundTask::~BackgroundTask() {
    shared_->alive = false;
    shared_->progress.cancelled = true;
    if (thread_.joinable()) thread_.join();
}

void BackgroundTask::cancel() {
    shared_->progress.cancelled = true;
}

const TaskProgress& BackgroundTask::progress() const {
    return shared_->progress;
}

bool BackgroundTask::handedBack() const {
    return shared_->handedBack;
}

void PostToWindowThread(std::function<void()> task) {
    {
        std::lock_guard lock(posted().mutex);
        posted().tasks.push_back(std::move(task));
    }
    posted().posted.notify_all();
    wake();
}

void RunPostedTasks() {
    Posted& p = posted();
    if (p.held > 0 || p.running) return;
    p.running = true;
    while (p.held == 0) {
        std::function<void()> task;
        {
            std::lock_guard lock(p.mutex);
            if (p.tasks.empty()) break;
            task = std::move(p.tasks.front());
            p.tasks.pop_front();
        }
        Guard(task, "background hand-back");
    }
    p.running = false;
}

void SetPostedTaskWaker(std::function<void()> waker) {
    std::lock_guard lock(posted().mutex);
    posted().waker = std::move(waker);
}

PostedTasksHeld::PostedTasksHeld() {
    ++posted().held;
}

PostedTasksHeld::~PostedTasksHeld() {
    if (--posted().held > 0) return;
    bool pending = false;
    {
        std::lock_guard lock(posted().mutex);
        pending = !posted().tasks.empty();
    }
    if (pending) wake();
}

bool WaitForBackgroundTasks(std::chrono::milliseconds timeout) {
    const auto until = std::chrono::steady_clock::now() + timeout;
    Posted& p = posted();
    for (;;) {
        RunPostedTasks();
        DoEvents();
        std::unique_lock lock(p.mutex);
        if (p.inFlight == 0 && p.tasks.empty()) return true;
        if (std::chrono::steady_clock::now() >= until) return false;
        p.posted.wait_for(lock, std::chrono::milliseconds(10), [&] { return !p.tasks.empty(); });
    }
}

}  // namespace platform
