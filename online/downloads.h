// The main window's downloads, run off its thread: the work of each runs on a thread of its own and
// touches no window; what follows it runs back on the window's thread.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "platform/background.h"
#include "platform/result.h"

namespace zenkor::online_detail {

using Work = std::function<platform::Result(platform::TaskProgress&)>;
using Finished = std::function<void(const platform::Result&)>;

struct UpdateRun;  // the online update in progress (update.cpp)

// A window's downloads. The pictures and the banner go one after the other in the order asked, the
// follow-up of one (the second picture after the first) before anything asked later; the update runs
// beside them. All of them stop when the window goes.
class WindowDownloads {
  public:
    ~WindowDownloads();
    void queue(Work work, Finished finished);
    // Runs next, before what was queued already.
    void queueNext(Work work, Finished finished);

    std::unique_ptr<UpdateRun> update;

  private:
    struct Job {
        Work work;
        Finished finished;
    };
    void startNext();
    std::deque<Job> waiting_;
    std::unique_ptr<platform::BackgroundTask> running_;
};

WindowDownloads& DownloadsOf(Zenkor& w);

// The download primitive's work: deletes file, then fetches url into it; a failure when no file is there
// afterwards.
platform::Result FetchInto(const std::string& url, const std::filesystem::path& file,
                           platform::TaskProgress* progress);

}  // namespace zenkor::online_detail
