// The online update of the current edition file, the downloaded pictures and the confirmation window.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/edition_files.h"
#include "app/settings.h"
#include "knockout/knockout.h"
#include "online/online.h"
#include "platform/download.h"
#include "platform/ini.h"
#include "platform/opener.h"
#include "platform/picture.h"
#include "platform/runtime.h"

namespace zenkor {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUpdateTitle = "Valmirade 2024";
constexpr const char* kConnectionError = "Erreur de connexion !";

// Each step of a download procedure: a failing one is reported and the next one runs.
void step(const char* where, const std::function<void()>& body) {
    platform::Guard(body, where);
}

fs::path inProgramFolder(const char* name) {
    return platform::ProgramFolder() / name;
}

bool fileExists(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec);
}

// The sections of an edition file. A downloaded file holding none of them is not an edition file (an
// error page, a portal's login page) and must not replace the user's.
bool looksLikeEditionFile(const fs::path& file) {
    static constexpr std::string_view kSections[] = {
        "cv",   "lien", "mess", "match", "equipa", "equipb", "equipc", "equipd", "equipe", "equipf",
        "buta", "butb", "butc", "butd",  "bute",   "butf",   "but8",   "but4",   "butfin"};
    const auto bytes = platform::ReadFileBytes(file);
    if (!bytes) return false;
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
            if (name == section) return true;
        }
    }
    return false;
}

// One picture of a pair: downloaded into the program folder, loaded into the first box (which keeps its
// picture when the file is not one), then copied into the second. False when the download failed.
bool fetchPicture(Zenkor& w, const char* path, const char* fileName, const char* first, const char* second) {
    const std::string url = platform::SiteAddress(path);
    platform::ClearWebCacheEntry(url);
    bool downloaded = false;
    step("ChargeImage: download",
         [&] { downloaded = DownloadPage(w, url, inProgramFolder(fileName).string()); });
    if (!downloaded) return false;
    step("ChargeImage: picture", [&] {
        const std::string picture = platform::LoadPictureCopy(inProgramFolder(fileName));
        if (!picture.empty()) w(first).setPicture(picture);
    });
    step("ChargeImage: copy", [&] { w(second).setPicture(w(first).Picture()); });
    return true;
}

std::unique_ptr<FREC>& confirmation() {
    static std::unique_ptr<FREC> frec;
    return frec;
}

// The confirmation window's design: client area 7185 x 5070 twips.
void buildConfirmation(FREC& f) {
    Control& form = f.self();
    form.move(0, 0, 7185, 5070);
    Control& image = f.add(Kind::Image, "Image2");
    image.move(315, 165, 2130, 3000);
    image.setStretch(true);
    image.setBorderStyle(platform::BorderStyle::None);
    image.setMousePointer(platform::Pointer::Hand);
    const auto label = [&f](int index, int left, int top, int width, int height) {
        Control& c = f.add(Kind::Label, "Label1", index);
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
    button("Command1", 1490);
    button("Command2", 4205);
}

void FREC_Load(FREC& f) {
    Zenkor& w = *f.main;
    f("Command1").setCaption(Message(16));
    f("Command2").setCaption(Message(17));
    f.self().setCaption(w("Command8").Caption());
    f("Label1", 1).setCaption(Message(4));
    f("Label1", 0).setCaption(Message(5));
    f("Image2").setPicture(w("ImaRepLogo", 0).Picture());
}

// Confirms: the update runs to its end, its message included, while the window is still shown.
void FREC_Command1_Click(FREC& f) {
    RECUP(*f.main);
    f.unload();
}

void FREC_Command2_Click(FREC& f) {
    f.unload();
}

}  // namespace

FREC::FREC(Zenkor& owner) : platform::Form("FREC"), main(&owner) {
    buildConfirmation(*this);
    Load = [this] { FREC_Load(*this); };
    ctl("Command1").Click = [this] { FREC_Command1_Click(*this); };
    ctl("Command2").Click = [this] { FREC_Command2_Click(*this); };
    ctl("Image2").Click = [] {};
}

FREC* CurrentUpdateConfirmation() {
    return confirmation().get();
}

void ReleaseUpdateConfirmation() {
    auto& frec = confirmation();
    if (!frec) return;
    if (frec->loaded()) frec->unload();
    frec.reset();
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

bool DownloadPage(Zenkor&, const std::string& URL, const std::string& Filename) {
    const fs::path file(Filename);
    step("DownloadPage: delete", [&] {
        std::error_code ec;
        if (fileExists(file)) fs::remove(file, ec);
    });
    step("DownloadPage: download", [&] { platform::DownloadToFile(URL, file); });
    bool result = false;
    step("DownloadPage: check", [&] { result = fileExists(file); });
    return result;
}

void RECUP(Zenkor& w) {
    platform::SetScreenPointer(platform::Pointer::Hourglass);
    const std::string url = platform::SiteAddress("/Zenkor2024.ini");
    const fs::path current = inProgramFolder("Zenkor2024.ini");
    const fs::path backup = inProgramFolder("Zenkor2024.BU");

    // The current file becomes the backup; a backup left by an interrupted update is older than the
    // current file and gives way to it. When the current file cannot be put aside, nothing is fetched:
    // the download would delete it.
    bool backedUp = false;
    bool safe = true;
    step("RECUP: backup", [&] {
        if (!fileExists(current)) return;
        std::error_code ec;
        fs::rename(current, backup, ec);
        backedUp = !ec;
        safe = backedUp;
    });
    platform::ClearWebCacheEntry(url);
    bool ok = false;
    if (safe) {
        step("RECUP: download",
             [&] { ok = DownloadPage(w, url, current.string()) && looksLikeEditionFile(current); });
    }
    if (!ok) {
        step("RECUP: restore", [&] {
            std::error_code ec;
            if (backedUp) {
                fs::rename(backup, current, ec);
            } else if (safe) {
                fs::remove(current, ec);  // what came instead of an edition file
            }
        });
        platform::SetScreenPointer(platform::Pointer::Default);
        platform::MsgBox(kConnectionError, platform::vbInformation | platform::vbOKOnly, kUpdateTitle);
        return;
    }

    const bool endedBefore = platform::EndRequested();
    step("RECUP: flag", [&] { w.MISAJOUR = true; });
    step("RECUP: delete backup", [&] {
        std::error_code ec;
        if (backedUp) fs::remove(backup, ec);
    });
    step("RECUP: load", [&] { LoadEditionFile(w, kCurrentEdition); });
    // Accepting a newer program at the version prompt ends the program at once.
    if (!endedBefore && platform::EndRequested()) {
        platform::SetScreenPointer(platform::Pointer::Default);
        return;
    }
    step("RECUP: save button", [&] { w("Command3").setEnabled(true); });
    step("RECUP: recompute", [&] {
        w.FChargee = true;
        RecalcAll(w);
    });
    step("RECUP: pictures", [&] {
        if (w("Image14").Visible()) ChargeImage(w);
    });
    step("RECUP: setting", [&] { SaveSetting("FirstUse", "1"); });
    step("RECUP: button", [&] {
        Control& button = w("Command8");
        button.setFontBold(false);
        button.setBackColor(platform::kWhite);
    });
    step("RECUP: events", [] { platform::DoEvents(); });
    platform::SetScreenPointer(platform::Pointer::Default);
}

void ChargeImage(Zenkor& w) {
    if (!fetchPicture(w, "/imzenkor.php", "imgtmp.gif", "Image13", "Image14")) return;
    fetchPicture(w, "/imelimzenkor.php", "imgtmpelim.gif", "Image20", "Image21");
}

void ChargeBanniere(Zenkor& w) {
    const std::string url = platform::SiteAddress("/433x120.jpg");
    platform::ClearWebCacheEntry(url);
    bool downloaded = false;
    step("ChargeBanniere: download",
         [&] { downloaded = DownloadPage(w, url, inProgramFolder("433x120.jpg").string()); });
    if (!downloaded) return;
    step("ChargeBanniere: picture", [&] {
        const std::string picture = platform::LoadPictureCopy(inProgramFolder("433x120.jpg"));
        if (!picture.empty()) w("Image6").setPicture(picture);
    });
}

void Image13_Click(Zenkor& w) {
    ChargeImage(w);
}

void Image14_MouseDown(Zenkor& w, int Button, int Shift, float X, float Y) {
    Label2_MouseDown(w, Button, Shift, X, Y);
    if (Button == 1) ChargeImage(w);
    if (Button == 2) {
        Control& panel = w("Frame20");
        w.bringToFront(panel);
        w.bringToFront(w("Command5"));
        panel.setVisible(true);
    }
}

void Image21_MouseDown(Zenkor& w, int Button, int Shift, float X, float Y) {
    Image14_MouseDown(w, Button, Shift, X, Y);
}

}  // namespace zenkor
