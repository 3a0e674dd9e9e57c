// Edition files: one INI file per edition of the tournament, holding what the user types into the window
// (scores, penalties, team names, lots marks) and what the author ships (version, news, match details).
#include "app/edition_files.h"

#include <array>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>
#include <utility>

#include "app/ini_file.h"
#include "app/main_names.h"
#include "platform/ini.h"
#include "platform/opener.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace zenkor {

namespace {

using platform::NumText;

std::string key(int k) {
    return std::to_string(k);
}

// A knockout section of the file and the boxes it holds.
struct KnockoutSection {
    const char* section;
    const char* boxes;
    int count;
};

// The order in which "Sauve" writes the knockout sections.
constexpr std::array<KnockoutSection, 10> kSaveOrder = {{
    {"But8", "Buthui", 16},
    {"Pen8", "ButPen", 16},
    {"But4", "ButQua", 8},
    {"Pen4", "ButPen4", 8},
    {"ButDEM", "ButDem", 4},
    {"PenDEM", "ButPen2", 4},
    {"PenFIN", "ButPenFIN", 2},
    {"BUTFIN", "ButFIN", 2},
    {"PenPetFIN", "ButPenpetfin", 2},
    {"BUTPetFIN", "Butpetfin", 2},
}};

// The order in which the load fills them: the same, but penalties before scores in the round of 16, so
// the scores' handlers see the penalties of the same file.
constexpr std::array<KnockoutSection, 10> kLoadOrder = [] {
    auto order = kSaveOrder;
    std::swap(order[0], order[1]);
    return order;
}();

// The group fixture labels, by group.
constexpr std::array<const char*, 6> kFixtureLabels = {"lm", "lmB", "lmC", "lmD", "lmE", "lmF"};

std::string scoreSection(int group) {
    return "But" + Zenkor::groupName(group);
}
std::string teamSection(int group) {
    return "Equip" + Zenkor::groupName(group);
}
std::string lotsSection(int group) {
    return "TS" + Zenkor::groupName(group);
}

// Titled with the save button's caption, in the user's language.
void reportFailedSave(Zenkor& w, const std::string& baseName, const platform::Result& why) {
    const std::string title = w(kSaveButton).Caption();
    platform::MsgBox(FailedSaveMessage(baseName + ".ini", why), platform::vbExclamation,
                     title.empty() ? "Sauve" : title);
}

// Version check. True when the load goes on; false when the user chose to fetch a newer program, which
// then ends at once.
bool acceptDataVersion(const std::string& baseName) {
    const std::string v = ReadIni(baseName, "CV", "0", "-");
    if (v == "-" || platform::Len(v) != 3) return true;
    // Tenths of a version, in whole numbers: Val(major) + Val(minor) / 10.
    const auto tenths = [](std::string_view major, std::string_view minor) {
        return platform::ValWhole(major) * 10 + platform::ValWhole(minor);
    };
    const auto data = tenths(platform::Left(v, 1), platform::Right(v, 1));
    const auto program = tenths(std::to_string(kProgramMajorVersion), std::to_string(kProgramMinorVersion));
    if (program >= data) return true;
    if (platform::MsgBox(Message(15), platform::vbYesNo, "Valmirade") != platform::Answer::Yes) return true;
    platform::OpenDocument(platform::SiteAddress("/zenkor.php"));
    platform::EndProgram();
    return false;
}

void loadGroups(Zenkor& w, const std::string& baseName) {
    // The lots marks come first, so that every table computed while the scores arrive already has them.
    for (int k = 1; k <= 4; ++k) {
        for (int g = 0; g < 6; ++g)
            w(Zenkor::groupName(g), k).setTag(ReadIni(baseName, lotsSection(g), key(k), ""));
    }
    for (int g = 0; g < 6; ++g) {
        const std::string letter = Zenkor::groupName(g);
        for (int i = 0; i <= 11; ++i)
            w(scoreSection(g), i).setText(ReadIni(baseName, scoreSection(g), key(i), "-"));
        for (int k = 1; k <= 4; ++k) {
            w(letter, k).setText(ReadIni(baseName, teamSection(g), key(k), letter + key(k)));
        }
    }
}

void loadKnockout(Zenkor& w, const std::string& baseName) {
    for (const auto& s : kLoadOrder) {
        for (int i = 0; i < s.count; ++i) w(s.boxes, i).setText(ReadIni(baseName, s.section, key(i), "-"));
    }
}

// The edition load; false when the program ended at the version prompt.
bool loadEdition(Zenkor& w, const std::string& baseName) {
    if (!IsEditionBaseName(baseName)) return true;
    const IniReadScope parsedOnce;
    w(kEditionNameText).setText(baseName);
    if (!acceptDataVersion(baseName)) return false;
    loadGroups(w, baseName);
    loadKnockout(w, baseName);
    Control& link = w("Lablien");
    link.setCaption(ReadIni(baseName, "Lien", "0", ""));
    link.setTag(ReadIni(baseName, "Lien", "1", ""));
    LoadMatchInfo(w, baseName);
    ShowNewsMessage(w, ReadIni(baseName, "Mess", NumText(w.sage), ""));
    w.recalcAll(w);
    return true;
}

// One match: its information into the Tags of its boxes and one line of List1.
void setMatchInfo(Zenkor& w, const std::string& value, const std::string& prefix, const char* boxes,
                  std::initializer_list<int> indexes) {
    w(kEditionMatchesList).AddItem(prefix + value);
    for (int i : indexes) w(boxes, i).setTag(value);
}

// The picture of the logo bank at a list position; none for an edition without a logo or whose picture
// file is gone.
std::string logoOf(Zenkor& w, int position) {
    Control* logo = w.find(kEditionLogoBank, position);
    if (!logo || logo->Picture().empty()) return {};
    std::error_code ec;
    return std::filesystem::is_regular_file(logo->Picture(), ec) ? logo->Picture() : std::string();
}

// The messages of a damaged edition file: kept aside with or without a previous save to start from, or
// not even that.
constexpr int kDamagedRestoredMessage = 60;
constexpr int kDamagedWithoutBackupMessage = 61;
constexpr int kDamagedKeptMessage = 62;

void tellDamaged(const std::string& text, const std::string& why) {
    std::cerr << "Zenkor: " << text << " (" << why << ")\n";
    platform::MsgBox(text, platform::vbExclamation | platform::vbOKOnly, "Valmirade 2024");
}

}  // namespace

void SetAsideDamagedEdition(const std::string& baseName) {
    if (!IsEditionBaseName(baseName)) return;
    namespace fs = std::filesystem;
    const std::string name = baseName + ".ini";
    const fs::path file = platform::ProgramFolder() / name;
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return;
    const auto bytes = platform::ReadFileBytes(file);
    if (!bytes) return;
    const std::string why = platform::WhyNotText(*bytes);
    if (why.empty()) return;

    fs::path aside;
    if (auto moved = platform::MoveToDatedName(file, baseName, ".damaged", std::time(nullptr), &aside);
        !moved) {
        tellDamaged(
            MessageWith(
                kDamagedKeptMessage,
                "Le fichier %1 est illisible (ce n'est pas du texte) et n'a pas pu être mis de côté : "
                "« Sauve » ne l'écrira pas.",
                {name}),
            why + "; " + moved.reason());
        return;
    }
    fs::path backup = file;
    backup += ".bak";
    const auto previous = platform::ReadFileBytes(backup);
    const fs::perms mode = fs::status(backup, ec).permissions();
    if (previous && platform::WhyNotText(*previous).empty() &&
        platform::WriteFileAtomically(file, *previous, ec ? std::nullopt : std::optional(mode))) {
        tellDamaged(
            MessageWith(
                kDamagedRestoredMessage,
                "Le fichier %1 est illisible (ce n'est pas du texte) : il est gardé sous le nom %2 et "
                "la sauvegarde précédente %3 le remplace.",
                {name, aside.filename().string(), backup.filename().string()}),
            why);
        return;
    }
    tellDamaged(
        MessageWith(kDamagedWithoutBackupMessage,
                    "Le fichier %1 est illisible (ce n'est pas du texte) : il est gardé sous le nom %2 et le "
                    "programme repart du fichier d'origine.",
                    {name, aside.filename().string()}),
        why);
}

bool IsEditionBaseName(std::string_view baseName) {
    if (baseName.empty()) return false;
    for (char c : baseName) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !digit) return false;
    }
    return true;
}

void ShowNewsMessage(Zenkor& w, const std::string& message) {
    w(kNewsLabel).setCaption(message);
    w(kNewsBarShape).setVisible(!message.empty());
}

platform::Result SaveEditionFile(Zenkor& w) {
    const std::string baseName = w(kEditionNameText).Text();
    if (!IsEditionBaseName(baseName)) {
        return platform::Result::Failure("\"" + baseName + "\" is not the name of an edition");
    }
    IniWriteBatch batch(baseName);
    const auto write = [&](const std::string& section, int k, const std::string& value) {
        batch.set(section, key(k), value);
    };
    for (int g = 0; g < 6; ++g) {
        const std::string letter = Zenkor::groupName(g);
        for (int i = 0; i <= 11; ++i) write(scoreSection(g), i, w(scoreSection(g), i).Text());
        for (int k = 1; k <= 4; ++k) write(teamSection(g), k, w(letter, k).Text());
    }
    for (const auto& s : kSaveOrder) {
        for (int i = 0; i < s.count; ++i) write(s.section, i, w(s.boxes, i).Text());
    }
    for (int k = 1; k <= 4; ++k) {
        for (int g = 0; g < 6; ++g) write(lotsSection(g), k, w(Zenkor::groupName(g), k).Tag());
    }
    return batch.commit();
}

void LoadEditionFile(Zenkor& w, const std::string& baseName) {
    loadEdition(w, baseName);
}

void LoadMatchInfo(Zenkor& w, const std::string& baseName) {
    if (!IsEditionBaseName(baseName)) return;
    const auto read = [&](int k) { return ReadIni(baseName, "Match", key(k), ""); };
    w(kEditionMatchesList).Clear();
    for (int s = 0; s <= 10; s += 2) {
        for (int g = 0; g < 6; ++g) {
            setMatchInfo(w, read(12 * g + s), Zenkor::groupName(g) + key(s), kFixtureLabels[g], {s, s + 1});
        }
    }
    for (int s = 0; s <= 14; s += 2)
        setMatchInfo(w, read(100 + s), "V" + key(s), "Huit", {s, s + 1, s + 16, s + 17});
    for (int s = 0; s <= 6; s += 2) setMatchInfo(w, read(200 + s), "W" + key(s), "Qua", {s, s + 1});
    for (int s = 0; s <= 2; s += 2) setMatchInfo(w, read(300 + s), "X" + key(s), "DEM", {s, s + 1});
    setMatchInfo(w, read(400), "Y0", "pf", {0, 1});
    setMatchInfo(w, read(500), "Z0", "FIN", {0, 1});
}

void Command3_Click(Zenkor& w) {
    if (const auto saved = SaveEditionFile(w); !saved) {
        reportFailedSave(w, w(kEditionNameText).Text(), saved);
        return;
    }
    if (w.MISAJOUR) {
        w(kSendStatusShape).setFillColor(platform::kGreen);
        w(kPanelNoteLabels, 6).setVisible(false);
        w(kSendButton).setEnabled(true);
    }
}

void Command11_Click(Zenkor& w) {
    w(kDayMatchesFrame).setVisible(false);
    w("FraElim").setVisible(false);
    Control& history = w("FraHisto");
    history.setVisible(!history.Visible());
    w("Fraide").setVisible(false);
}

void Command12_Click(Zenkor& w) {
    Control& combo = w(kHistoryEditionsCombo);
    const int position = combo.ListIndex();
    if (position < 1) return;
    const std::string year = combo.Text();
    const std::string baseName = "Zenkor" + year;
    if (!IsEditionBaseName(baseName)) return;

    w(kHistoryLogoPicture).setPicture(logoOf(w, position));
    w("Fraide").setVisible(false);
    if (!loadEdition(w, baseName)) return;
    w(kSaveButton).setEnabled(false);
    w.FChargee = true;
    w.self().setCaption("Valmirade " + year);
    w.recalcAll(w);
    w(kKnockoutEditionsCombo).setText(year);
    const bool current = year == "2024";
    w(kQualifiersButton).setEnabled(current);
    w(kCurrentLogoPicture).setVisible(current);
    const std::string picture = current ? std::string() : w(kHistoryLogoPicture).Picture();
    w("ImaRepLogo", 0).setPicture(picture);
    w("ImaRepLogo", 1).setPicture(picture);
}

void Command4_Click(Zenkor& w) {
    if (!loadEdition(w, kCurrentEdition)) return;
    w(kSaveButton).setEnabled(true);
    w.FChargee = true;
    w.recalcAll(w);
    w("FraHisto").setVisible(false);
    w.self().setCaption(w(kHelpTitleLabel).Caption());
    w("ImaRepLogo", 0).setPicture("");
    w("ImaRepLogo", 1).setPicture("");
}

}  // namespace zenkor
