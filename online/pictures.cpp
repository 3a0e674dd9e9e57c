// The downloaded pictures and the banner, and the window's queue of downloads.
#include <filesystem>
#include <string>
#include <utility>

#include "app/main_names.h"
#include "online/downloads.h"
#include "online/online.h"
#include "online/online_names.h"
#include "platform/download.h"
#include "platform/opener.h"
#include "platform/picture.h"
#include "platform/runtime.h"

namespace zenkor {

namespace online_detail {

void WindowDownloads::queue(Work work, Finished finished) {
    waiting_.push_back({std::move(work), std::move(finished)});
    if (!running_) startNext();
}

void WindowDownloads::queueNext(Work work, Finished finished) {
    waiting_.push_front({std::move(work), std::move(finished)});
    if (!running_) startNext();
}

void WindowDownloads::startNext() {
    if (waiting_.empty()) return;
    Job job = std::move(waiting_.front());
    waiting_.pop_front();
    running_ = std::make_unique<platform::BackgroundTask>(
        std::move(job.work), [this, finished = std::move(job.finished)](const platform::Result& result) {
            // The task is over: what it started may queue more, and the next one starts after it.
            auto done = std::move(running_);
            finished(result);
            if (!running_) startNext();
        });
}

platform::Result FetchInto(const std::string& url, const std::filesystem::path& file,
                           platform::TaskProgress* progress) {
    std::error_code ec;
    std::filesystem::remove(file, ec);
    platform::Result fetched = platform::DownloadToFile(url, file, progress);
    if (fetched && !std::filesystem::is_regular_file(file, ec)) {
        return platform::Result::Failure("GET " + url + ": " + file.filename().string() + " is not there");
    }
    return fetched;
}

}  // namespace online_detail

namespace {

using online_detail::DownloadsOf;
namespace fs = std::filesystem;

fs::path inProgramFolder(const char* name) {
    return platform::ProgramFolder() / name;
}

// A download into the program folder, in the background; then, back on the window's thread, `shown`
// when it succeeded.
online_detail::Work fetchWork(const char* path, const char* fileName) {
    const std::string url = platform::SiteAddress(path);
    return [url, file = inProgramFolder(fileName)](platform::TaskProgress& progress) {
        return online_detail::FetchInto(url, file, &progress);
    };
}

// One picture of a pair: loaded into the first box (which keeps its picture when the file is not one),
// then copied into the second.
void showPicture(Zenkor& w, const char* fileName, const char* first, const char* second) {
    const std::string picture = platform::LoadPictureCopy(inProgramFolder(fileName));
    if (!picture.empty()) w(first).setPicture(picture);
    w(second).setPicture(w(first).Picture());
}

}  // namespace

bool DownloadPage(Zenkor&, const std::string& URL, const std::string& Filename) {
    return static_cast<bool>(online_detail::FetchInto(URL, Filename, nullptr));
}

// The second picture is fetched only when the first one came.
void ChargeImage(Zenkor& w) {
    DownloadsOf(w).queue(fetchWork("/imzenkor.php", "imgtmp.gif"), [&w](const platform::Result& first) {
        if (!first) return;
        showPicture(w, "imgtmp.gif", kAdvertPreview, kAdvertPicture);
        DownloadsOf(w).queueNext(
            fetchWork("/imelimzenkor.php", "imgtmpelim.gif"), [&w](const platform::Result& second) {
                if (second)
                    showPicture(w, "imgtmpelim.gif", kQualifierAdvertPreview, kQualifierAdvertPicture);
            });
    });
}

void ChargeBanniere(Zenkor& w) {
    DownloadsOf(w).queue(fetchWork("/433x120.jpg", "433x120.jpg"), [&w](const platform::Result& fetched) {
        if (!fetched) return;
        const std::string picture = platform::LoadPictureCopy(inProgramFolder("433x120.jpg"));
        if (!picture.empty()) w(kBannerPicture).setPicture(picture);
    });
}

void Image13_Click(Zenkor& w) {
    ChargeImage(w);
}

void Image14_MouseDown(Zenkor& w, int Button, int Shift, float X, float Y) {
    Label2_MouseDown(w, Button, Shift, X, Y);
    if (Button == 1) ChargeImage(w);
    if (Button == 2) {
        Control& panel = w(kUpdatePanelFrame);
        w.bringToFront(panel);
        w.bringToFront(w(kQuitButton));
        panel.setVisible(true);
    }
}

void Image21_MouseDown(Zenkor& w, int Button, int Shift, float X, float Y) {
    Image14_MouseDown(w, Button, Shift, X, Y);
}

}  // namespace zenkor
