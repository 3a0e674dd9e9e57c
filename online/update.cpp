// The online update of the current edition file, the downloaded pictures and the confirmation window.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/edition_files.h"
#include "app/language.h"
#include "app/main_names.h"
#include "app/settings.h"
#include "knockout/knockout.h"
#include "online/downloads.h"
#include "online/online.h"
#include "online/online_names.h"
#include "platform/background.h"
#include "platform/download.h"
#include "platform/ini.h"
#include "platform/opener.h"
#include "platform/progress.h"
#include "platform/runtime.h"
#include "platform/text_file.h"

namespace zenkor {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUpdateTitle = "Valmirade 2024";

fs::path inProgramFolder(const char* name) {
    return platform::ProgramFolder() / name;
}

// Markup of a web page: "<" then a letter, "/" or "!" ("<html", "</p>", "<!DOCTYPE"). An edition file
// holds team names, scores, dates and news, never tags.
bool holdsMarkup(std::string_view bytes) {
    for (size_t at = bytes.find('<'); at != std::string_view::npos; at = bytes.find('<', at + 1)) {
        if (at + 1 >= bytes.size()) break;
        const auto next = static_cast<unsigned char>(bytes[at + 1]);
        if (std::isalpha(next) || next == '/' || next == '!') return true;
    }
    return false;
}

// Why a downloaded file is no edition file ("" when it is one): an edition file is text without markup
// holding at least one of the edition's sections. Anything else (an error page, a portal's login page,
// a cut or garbled transfer) must not replace the user's file.
std::string whyNotAnEditionFile(const fs::path& file) {
    static constexpr std::string_view kSections[] = {
        "cv",   "lien", "mess", "match", "equipa", "equipb", "equipc", "equipd", "equipe", "equipf",
        "buta", "butb", "butc", "butd",  "bute",   "butf",   "but8",   "but4",   "butfin"};
    const auto bytes = platform::ReadFileBytes(file);
    if (!bytes) return "it cannot be read back";
    if (std::string why = platform::WhyNotPlainText(*bytes); !why.empty()) return why;
    if (holdsMarkup(*bytes)) return "it is a web page";
    size_t start = 0;
    while (start < bytes->size()) {
        size_t end = bytes->find_first_of("\r\n", start);
        if (end == std::string::npos) end = bytes->size();
        std::string line = bytes->substr(start, end - start);
        start = end + 1;
        const size_t first = line.find_first_not_of(" \t");
        const size_t last = line.find_last_not_of(" \t");
        if (first == std::string::npos || line[first] != '[' || line[last] != ']') continue;
        std::string name = line.substr(first + 1, last - first - 1);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        for (std::string_view section : kSections) {
            if (name == section) return {};
        }
    }
    return "it holds no section of an edition file";
}

std::unique_ptr<FREC>& confirmation() {
    static std::unique_ptr<FREC> frec;
    return frec;
}

// The confirmation window's design: client area 7185 x 5070 twips.
void buildConfirmation(FREC& f) {
    Control& form = f.self();
    form.move(0, 0, 7185, 5070);
    Control& image = f.add(Kind::Image, kConfirmationLogoPicture);
    image.move(315, 165, 2130, 3000);
    image.setStretch(true);
    image.setBorderStyle(platform::BorderStyle::None);
    image.setMousePointer(platform::Pointer::Hand);
    const auto label = [&f](int index, int left, int top, int width, int height) {
        Control& c = f.add(Kind::Label, kConfirmationTextLabels, index);
        c.move(left, top, width, height);
        c.setFontName("Arial");
        c.setFontSize(9.75);
        c.setFontBold(true);
        c.setBackStyle(platform::BackStyle::Transparent);
        c.setBorderStyle(platform::BorderStyle::None);
    };
    label(0, 3600, 330, 3435, 1455);
    label(1, 300, 3360, 6465, 810);
    const auto button = [&f](const char* name, int left) {
        Control& c = f.add(Kind::CommandButton, name);
        c.move(left, 4290, 1500, 705);
        c.setFontName("Arial");
        c.setFontSize(12);
        c.setFontBold(true);
    };
    // Wide enough for a caption such as "Mettre à jour" at the buttons' font.
    button(kConfirmationYesButton, 1490);
    button(kConfirmationNoButton, 4205);
}

void FREC_Load(FREC& f) {
    Zenkor& w = *f.main;
    f(kConfirmationYesButton).setCaption(Message(16));
    f(kConfirmationNoButton).setCaption(Message(17));
    f.self().setCaption(w(kUpdateButton).Caption());
    f(kConfirmationTextLabels, 1).setCaption(Message(4));
    f(kConfirmationTextLabels, 0).setCaption(Message(5));
    f(kConfirmationLogoPicture).setPicture(w("ImaRepLogo", 0).Picture());
}

// Confirms: the update runs to its end, its message included, while the window is still shown.
void FREC_Command1_Click(FREC& f) {
    RECUP(*f.main, [serial = f.serial] {
        FREC* shown = CurrentUpdateConfirmation();
        if (shown && shown->serial == serial && !shown->unloaded()) shown->unload();
    });
}

void FREC_Command2_Click(FREC& f) {
    f.unload();
}

unsigned nextSerial() {
    static unsigned serial = 0;
    return ++serial;
}

}  // namespace

FREC::FREC(Zenkor& owner) : platform::Form("FREC"), main(&owner), serial(nextSerial()) {
    setOwner(&owner);
    buildConfirmation(*this);
    Load = [this] { FREC_Load(*this); };
    ctl(kConfirmationYesButton).Click = [this] { FREC_Command1_Click(*this); };
    ctl(kConfirmationNoButton).Click = [this] { FREC_Command2_Click(*this); };
    ctl(kConfirmationLogoPicture).Click = [] {};
}

FREC* CurrentUpdateConfirmation() {
    return confirmation().get();
}

void ShowUpdateConfirmation(Zenkor& w) {
    ReleaseUpdateConfirmation();
    auto& frec = confirmation();
    frec = std::make_unique<FREC>(w);
    frec->show(true);
    // A front end holds the modal window until it is closed; the closed window is freed here, outside
    // its own handlers. Headless, show returns at once and the window waits for its buttons.
    if (frec && frec->unloaded()) frec.reset();
}

namespace online_detail {

// The update in progress: the download off the window's thread, its progress window, and what runs
// once the update is over. The progress window goes before the task it watches; the downloaded file,
// when it was not swapped in, after the task that wrote it.
struct UpdateRun {
    ~UpdateRun() {
        progress.reset();
        task.reset();
        std::error_code ec;
        fs::remove(downloaded, ec);
    }
    std::unique_ptr<platform::BackgroundTask> task;
    std::unique_ptr<platform::ProgressView> progress;
    std::function<void()> then;
    fs::path downloaded;
};

WindowDownloads::~WindowDownloads() = default;

WindowDownloads& DownloadsOf(Zenkor& w) {
    if (!w.downloads) w.downloads = std::make_shared<WindowDownloads>();
    return *static_cast<WindowDownloads*>(w.downloads.get());
}

}  // namespace online_detail

namespace {

using online_detail::DownloadsOf;

// Where a backup goes when a newer one takes its name: its own date in the name, a name nobody has.
platform::Result keepOlderBackup(const fs::path& backup, fs::path* kept) {
    struct stat st {};
    if (::lstat(backup.c_str(), &st) != 0) {
        return errno == ENOENT ? platform::Result() : platform::Result::SystemError("stat", backup, errno);
    }
    return platform::MoveToDatedName(backup, backup.stem().string(), backup.extension().string(), st.st_mtime,
                                     kept);
}

// The dated backups kept beside the current one.
constexpr size_t kDatedBackupsKept = 5;

// Whether name is stem-YYYYmmdd-HHMMSS[-n]extension, the name of a dated backup.
bool isDatedBackupName(const std::string& name, const std::string& stem, const std::string& extension) {
    const auto digits = [](std::string_view s) {
        return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!name.starts_with(stem + "-") || !name.ends_with(extension) ||
        name.size() < stem.size() + 1 + extension.size())
        return false;
    const std::string middle = name.substr(stem.size() + 1, name.size() - stem.size() - 1 - extension.size());
    if (middle.size() < 15 || middle[8] != '-' || !digits(middle.substr(0, 8)) ||
        !digits(middle.substr(9, 6)))
        return false;
    if (middle.size() == 15) return true;
    const std::string serial = middle.substr(16);
    return middle[15] == '-' && digits(serial) && serial.size() <= 2;
}

// When a dated backup was made: the moment it got its name on this disk (its status change, which a
// link or a rename sets and nothing can set back), not the date in its name, which is the old file's.
// One made while the clock was set ahead carries a time still to come; it was made before any made now.
std::pair<bool, timespec> madeAt(const fs::path& file, const timespec& now) {
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0) return {false, {}};
    const timespec made = st.st_ctim;
    const bool future = made.tv_sec > now.tv_sec || (made.tv_sec == now.tv_sec && made.tv_nsec > now.tv_nsec);
    return {!future, made};
}

// Only the newest dated backups stay, by when they were made: each update would otherwise leave one more
// for ever. The one just made is the user's file of a moment ago and always stays.
void pruneDatedBackups(const fs::path& backup, const fs::path& justMade) {
    const std::string stem = backup.stem().string();
    const std::string extension = backup.extension().string();
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    struct Dated {
        std::pair<bool, timespec> made;
        fs::path path;
    };
    std::vector<Dated> dated;
    std::error_code ec;
    for (fs::directory_iterator it(backup.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_symlink(ec) || !it->is_regular_file(ec)) continue;
        if (it->path() == justMade) continue;
        if (isDatedBackupName(it->path().filename().string(), stem, extension))
            dated.push_back({madeAt(it->path(), now), it->path()});
    }
    const size_t others = justMade.empty() ? kDatedBackupsKept : kDatedBackupsKept - 1;
    if (dated.size() <= others) return;
    // Newest first; names settle a tie.
    std::sort(dated.begin(), dated.end(), [](const Dated& a, const Dated& b) {
        if (a.made.first != b.made.first) return a.made.first;
        const timespec& x = a.made.second;
        const timespec& y = b.made.second;
        if (x.tv_sec != y.tv_sec) return x.tv_sec > y.tv_sec;
        if (x.tv_nsec != y.tv_nsec) return x.tv_nsec > y.tv_nsec;
        return a.path.filename() > b.path.filename();
    });
    for (size_t i = others; i < dated.size(); ++i) fs::remove(dated[i].path, ec);
}

// A second name for file, which must not exist yet; a copy where the disk knows no links.
platform::Result secondName(const fs::path& file, const fs::path& name, mode_t mode) {
    if (::link(file.c_str(), name.c_str()) == 0) return {};
    if (errno == EEXIST) return platform::Result::SystemError("link", name, errno);
    const auto bytes = platform::ReadFileBytes(file);
    if (!bytes) return platform::Result::SystemError("read", file, EIO);
    return platform::WriteFileAtomically(name, *bytes, static_cast<fs::perms>(mode & 07777));
}

// The downloaded file takes the current one's place and mode; the current one becomes the backup.
// At every moment the current file is whole: the user's, or the new one.
platform::Result swapInEdition(const fs::path& downloaded, const fs::path& current, const fs::path& backup) {
    struct stat st {};
    const bool hadCurrent = ::stat(current.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    if (hadCurrent) {
        if (::chmod(downloaded.c_str(), st.st_mode & 07777) != 0) {
            return platform::Result::SystemError("chmod", downloaded, errno);
        }
        fs::path justMade;
        if (auto kept = keepOlderBackup(backup, &justMade); !kept) return kept;
        pruneDatedBackups(backup, justMade);
        if (auto saved = secondName(current, backup, st.st_mode); !saved) return saved;
    }
    if (::rename(downloaded.c_str(), current.c_str()) != 0) {
        return platform::Result::SystemError("rename", current, errno);
    }
    // The new name is on the disk before anything is said of it.
    if (const int folder = ::open(current.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

void endWith(online_detail::UpdateRun& run) {
    platform::SetScreenPointer(platform::Pointer::Default);
    if (run.then) run.then();
}

// What follows a successful download, in the order the window has always done it.
void applyUpdate(Zenkor& w) {
    const bool endedBefore = platform::EndRequested();
    w.MISAJOUR = true;
    platform::Guard([&] { LoadEditionFile(w, kCurrentEdition); }, "RECUP: load");
    // Accepting a newer program at the version prompt ends the program at once.
    if (!endedBefore && platform::EndRequested()) return;
    w(kSaveButton).setEnabled(true);
    w.FChargee = true;
    platform::Guard([&] { RecalcAll(w); }, "RECUP: recompute");
    if (w(kAdvertPicture).Visible()) ChargeImage(w);
    RememberSetting("FirstUse", "1");
    Control& button = w(kUpdateButton);
    button.setFontBold(false);
    button.setBackColor(platform::kWhite);
    platform::DoEvents();
}

// Back on the window's thread once the download is over.
void finishUpdate(Zenkor& w, const platform::Result& fetched) {
    std::unique_ptr<online_detail::UpdateRun> run = std::move(DownloadsOf(w).update);
    if (!run) return;
    run->progress.reset();
    const bool cancelled = run->task->progress().cancelled;
    platform::Result swapped = fetched;
    if (fetched && !cancelled) {
        swapped = swapInEdition(run->downloaded, inProgramFolder("Zenkor2024.ini"),
                                inProgramFolder("Zenkor2024.BU"));
    }
    if (cancelled || !swapped) {
        platform::SetScreenPointer(platform::Pointer::Default);
        // Cancel leaves everything as it was, without a word.
        if (!cancelled) {
            std::cerr << "Zenkor: update: " << swapped.reason() << '\n';
            platform::MsgBox(ProgramWords(Words::ConnectionError),
                             platform::vbInformation | platform::vbOKOnly, kUpdateTitle);
        }
        endWith(*run);
        return;
    }
    applyUpdate(w);
    endWith(*run);
}

}  // namespace

void ReleaseUpdateConfirmation() {
    auto& frec = confirmation();
    if (!frec) return;
    if (frec->loaded()) frec->unload();
    frec.reset();
}

void RECUP(Zenkor& w, std::function<void()> then) {
    auto& downloads = DownloadsOf(w);
    if (downloads.update) return;
    platform::SetScreenPointer(platform::Pointer::Hourglass);
    const std::string url = platform::SiteAddress("/Zenkor2024.ini");

    static std::atomic<unsigned> serial{0};
    downloads.update = std::make_unique<online_detail::UpdateRun>();
    online_detail::UpdateRun& run = *downloads.update;
    run.then = std::move(then);
    run.downloaded = inProgramFolder("Zenkor2024.ini");
    run.downloaded += platform::TemporarySuffix(".part", serial++);
    // Off the window's thread: the download into a file of its own, and the check that it is an edition
    // file. The user's file is not touched until the answer is known to be whole.
    run.task = std::make_unique<platform::BackgroundTask>(
        [url, file = run.downloaded](platform::TaskProgress& progress) {
            platform::Result fetched = platform::DownloadToFile(url, file, &progress);
            if (!fetched) return fetched;
            if (const std::string why = whyNotAnEditionFile(file); !why.empty()) {
                return platform::Result::Failure("GET " + url + ": the answer is not an edition file (" +
                                                 why + ")");
            }
            return fetched;
        },
        [&w](const platform::Result& fetched) { finishUpdate(w, fetched); });
    platform::BackgroundTask* task = run.task.get();
    const platform::ProgressWords words{Message(17), ProgramWords(Words::BytesReceived),
                                        ProgramWords(Words::KilobytesReceived), w.sage == 1 ? '.' : ','};
    run.progress = platform::OpenProgress(
        kUpdateTitle, ProgramWords(Words::Downloading), words,
        [task] { return task->progress().received.load(); }, [task] { task->cancel(); });
}

std::optional<platform::Result> RecoverEditionBackup() {
    const fs::path current = inProgramFolder("Zenkor2024.ini");
    const fs::path backup = inProgramFolder("Zenkor2024.BU");
    std::error_code ec;
    if (fs::exists(current, ec) || ec || !fs::is_regular_file(backup, ec)) return std::nullopt;
    struct stat st {};
    if (::stat(backup.c_str(), &st) != 0) return platform::Result::SystemError("stat", backup, errno);
    return secondName(backup, current, st.st_mode);
}

void TellEditionBackupRecovery(const platform::Result& recovery) {
    if (recovery) {
        platform::MsgBox(ProgramWords(Words::BackupRestored), platform::vbInformation | platform::vbOKOnly,
                         kUpdateTitle);
        return;
    }
    platform::MsgBox(
        ProgramWords(Words::BackupNotRestored) + "\n" + CauseWords(recovery, "backup not put back"),
        platform::vbExclamation | platform::vbOKOnly, kUpdateTitle);
}

}  // namespace zenkor
