#include "site/tournament.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "app/edition_files.h"
#include "app/main_window.h"
#include "calendar/calendar.h"
#include "group_stage/group_stage.h"
#include "knockout/knockout.h"
#include "platform/ini.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace site {

namespace fs = std::filesystem;

namespace {

constexpr platform::Color kWinnerBack = platform::kDarkGreen;  // the window paints a match's winner so
constexpr platform::Color kSettledFore = platform::kRed;       // and a team whose place is settled so

class HeadlessDialogs : public platform::Dialogs {
  public:
    platform::Answer msgBox(const std::string&, int, const std::string&) override {
        return platform::Answer::No;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
};

constexpr std::string_view kModelFolderPrefix = "zenkor-site-";

// The window model's program folder: "zenkor-site-<pid>-XXXXXX" in the temporary folder, private, under
// a name nobody can plant beforehand, removed when the process ends.
class ModelFolder {
  public:
    ModelFolder() {
        std::string pattern = (fs::temp_directory_path() /
                               (std::string(kModelFolderPrefix) + std::to_string(getpid()) + "-XXXXXX"))
                                  .string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder for the window model");
        path = pattern;
    }
    ~ModelFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

const fs::path& workFolder() {
    static const ModelFolder folder;
    return folder.path;
}

// Match k of a round: boxes 2k and 2k+1 of the team, score and penalty arrays.
MatchView roundMatch(zenkor::Zenkor& w, const char* teams, const char* scores, const char* pens, int k,
                     bool teamsAreLabels = false) {
    MatchView m;
    platform::Control& a = w(teams, 2 * k);
    platform::Control& b = w(teams, 2 * k + 1);
    m.first = teamsAreLabels ? a.Caption() : a.Text();
    m.second = teamsAreLabels ? b.Caption() : b.Text();
    if (m.first == "-") m.first.clear();
    if (m.second == "-") m.second.clear();
    m.goals1 = w(scores, 2 * k).Text();
    m.goals2 = w(scores, 2 * k + 1).Text();
    if (pens) {
        m.pens1 = w(pens, 2 * k).Text();
        m.pens2 = w(pens, 2 * k + 1).Text();
    }
    m.info = a.Tag();
    if (a.BackColor() == kWinnerBack) m.winner = 1;
    if (b.BackColor() == kWinnerBack) m.winner = 2;
    return m;
}

GroupView readGroup(zenkor::Zenkor& w, int g) {
    const zenkor::GroupNames& n = zenkor::GroupControlNames(g);
    GroupView view;
    view.letter = zenkor::kGroups[static_cast<size_t>(g)];
    for (int i = 1; i <= 4; ++i) {
        const int place = w.teamPlace(g, i);
        TeamRow& row = view.rows[static_cast<size_t>(place - 1)];
        row.team = w(n.team, i).Text();
        row.place = place;
        row.played = w(n.played, i).Caption();
        row.goalsFor = w(n.goalsFor, i).Caption();
        row.goalsAgainst = w(n.goalsAgainst, i).Caption();
        row.difference = w(n.difference, i).Caption();
        row.points = w(n.points, i).Caption();
        row.settled = w(n.team, i).ForeColor() == kSettledFore;
    }
    for (int m = 0; m < 6; ++m) {
        MatchView& match = view.matches[static_cast<size_t>(m)];
        match = roundMatch(w, n.fixture, n.score, nullptr, m, true);
        match.winner = 0;
        if (match.played()) {
            const int a = std::atoi(match.goals1.c_str()), b = std::atoi(match.goals2.c_str());
            match.winner = a > b ? 1 : b > a ? 2 : 0;
        }
    }
    view.lotsNeeded = !w(n.lots).Caption().empty();
    return view;
}

std::string iniValue(std::string_view bytes, const char* section, const char* key) {
    const auto value = platform::IniFind(bytes, section, key, platform::IniEncoding::Cp1252);
    return value ? platform::Cp1252ToUtf8(*value) : std::string();
}

}  // namespace

std::unique_ptr<zenkor::Zenkor> TournamentWindow() {
    auto window = std::make_unique<zenkor::Zenkor>(zenkor::Zenkor::Bare{});
    zenkor::Zenkor& w = *window;
    w.recalcAll = &zenkor::RecalcAll;
    zenkor::BuildMainDesign(w);
    zenkor::BuildGroupDesign(w);
    zenkor::BuildKnockoutDesign(w);
    zenkor::BuildEditionDesign(w);
    zenkor::BuildCalendarDesign(w);
    zenkor::WireEditionFiles(w);
    zenkor::WireGroupStage(w);
    zenkor::WireKnockout(w);
    zenkor::WireCalendar(w);
    return window;
}

std::mutex& WindowModelMutex() {
    static std::mutex mutex;
    return mutex;
}

int RemoveLeftoverModelFolders() {
    int removed = 0;
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec);
    if (ec) return 0;
    for (fs::directory_iterator it(temp, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(kModelFolderPrefix, 0) != 0) continue;
        const std::string rest = name.substr(kModelFolderPrefix.size());
        const size_t dash = rest.find('-');
        if (dash == 0 || dash == std::string::npos || dash > 9 || rest.size() != dash + 7 ||
            rest.find_first_not_of("0123456789") != dash) {
            continue;
        }
        struct stat st {};
        if (lstat(it->path().c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid()) continue;
        const pid_t pid = static_cast<pid_t>(std::stol(rest.substr(0, dash)));
        // A process still running may be using it.
        if (pid == getpid() || kill(pid, 0) == 0 || errno == EPERM) continue;
        std::error_code removeError;
        if (fs::remove_all(it->path(), removeError) > 0) ++removed;
    }
    return removed;
}

void InstallHeadlessServices() {
    platform::SetDialogs(std::make_shared<HeadlessDialogs>());
}

TournamentView ComputeTournament(std::string_view editionBytes) {
    std::lock_guard lock(WindowModelMutex());
    const fs::path previousFolder = platform::ProgramFolder();
    struct Restore {
        fs::path folder;
        ~Restore() { platform::SetProgramFolder(folder); }
    } restore{previousFolder};
    const fs::path folder = workFolder();
    platform::SetProgramFolder(folder);
    if (!platform::WriteFileAtomically(folder / (std::string(zenkor::kCurrentEdition) + ".ini"),
                                       editionBytes)) {
        throw std::runtime_error("cannot write the window model's edition file");
    }

    const auto window = TournamentWindow();
    zenkor::Zenkor& w = *window;
    zenkor::LoadEditionFile(w, zenkor::kCurrentEdition);

    TournamentView t;
    for (int g = 0; g < 6; ++g) t.groups[static_cast<size_t>(g)] = readGroup(w, g);
    for (int k = 0; k < 8; ++k)
        t.roundOf16[static_cast<size_t>(k)] = roundMatch(w, "Huit", "Buthui", "ButPen", k);
    for (int k = 0; k < 4; ++k) {
        t.quarterFinals[static_cast<size_t>(k)] = roundMatch(w, "Qua", "ButQua", "ButPen4", k);
    }
    for (int k = 0; k < 2; ++k)
        t.semiFinals[static_cast<size_t>(k)] = roundMatch(w, "DEM", "ButDem", "ButPen2", k);
    t.final = roundMatch(w, "FIN", "ButFIN", "ButPenFIN", 0);
    t.champion = w("pod", 1).Caption();
    t.runnerUp = w("pod", 2).Caption();
    t.semiFinalists = {w("pf", 0).Text(), w("pf", 1).Text()};
    t.bestThirds = w("TexMeillTrois").Text();
    for (int k = 0; k < 3; ++k) {
        t.news[static_cast<size_t>(k)] = iniValue(editionBytes, "Mess", std::to_string(k).c_str());
    }
    t.linkCaption = w("Lablien").Caption();
    t.linkAddress = w("Lablien").Tag();
    t.dataVersion = iniValue(editionBytes, "CV", "0");
    return t;
}

}  // namespace site
