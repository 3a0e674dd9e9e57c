#include "assembly/startup.h"

#include <functional>
#include <iostream>
#include <string>

#include "app/edition_files.h"
#include "app/language.h"
#include "app/main_names.h"
#include "app/panels.h"
#include "app/settings.h"
#include "calendar/calendar.h"
#include "group_stage/group_names.h"
#include "group_stage/group_stage.h"
#include "knockout/knockout.h"
#include "online/online.h"
#include "online/online_names.h"
#include "platform/data_folders.h"
#include "platform/datetime.h"
#include "platform/ini.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "platform/settings.h"
#include "platform/text.h"
#include "qualifiers/qualifier_names.h"
#include "qualifiers/qualifiers.h"
#include "sheets/sheets.h"

namespace zenkor {

namespace {

using platform::Color;
using platform::RGB;

// Background of team box 1..4 in every group.
constexpr Color kTeamColours[5] = {platform::kBlack, platform::kDeepOrange, platform::kPink, platform::kCream,
                                   platform::kYellow};

// Only the values the program itself writes ("0", "1", "2") are taken; anything else reads as the
// fallback, so a damaged store cannot stop start-up or choose an unexpected branch.
int storedChoice(const std::string& text, int fallback) {
    const std::string value = platform::Trim(text);
    return (value == "0" || value == "1" || value == "2") ? value[0] - '0' : fallback;
}

constexpr int kDataFolderMessage = 64;

// Steps of start-up run one by one: a failing step is reported and the next one still runs.
void runStep(const char* where, const std::function<void()>& body) {
    platform::Guard(body, where);
}

// What a program killed in the middle of a save or a download left behind.
void removeLeftovers() {
    platform::RemoveLeftoverTemporaries(platform::ProgramFolder());
    platform::RemoveLeftoverPictureFolders();
    const auto settings = platform::SettingsFile(platform::ApplicationName());
    if (!settings.empty()) platform::RemoveLeftoverTemporaries(settings.parent_path());
}

void placePanels(Zenkor& w) {
    w("FraElim").setLeft(0);
    w(kDayMatchesFrame).setTop(990);
    w(kUpdatePanelFrame).setLeft(45);
    w(kKnockoutMatchFrame).setLeft(600);
    w(kFirstUseFrame).setLeft(0);
    w("FraHisto").setLeft(13350);
    w(kDayMatchesFrame).setLeft(13355);
    if (Control* day = w.find(kDayMatchesFrame)) w.bringToFront(*day);
    for (int i = 0; i <= 5; ++i) w("LabTer", i).setCaption("");
    w(kKnockoutViewFrame).setLeft(15);
    w.sage = 0;
    w("Fraide").setLeft(15);
}

void colourTeams(Zenkor& w) {
    for (int g = 0; g < 6; ++g) {
        for (int i = 1; i <= 4; ++i) w(Zenkor::groupName(g), i).setBackColor(kTeamColours[i]);
    }
}

void copyPicture(Zenkor& w, const char* to, int toIndex, const char* from, int fromIndex) {
    w(to, toIndex).setPicture(w(from, fromIndex).Picture());
}

void setButtonPictures(Zenkor& w) {
    copyPicture(w, kViewSwitchButton, -1, "ico", 1);
    copyPicture(w, kHelpKnockoutViewButton, -1, "ico", 1);
    copyPicture(w, kHelpGroupViewButton, -1, "ico", 0);
    copyPicture(w, kQualifierSaveButton, -1, kSaveButton, -1);
    copyPicture(w, kQualifierCloseButton, -1, kQualifiersButton, -1);
}

void setHandPointers(Zenkor& w) {
    struct Target {
        const char* name;
        int index;
    };
    static constexpr Target kTargets[] = {
        {kContactLinkLabel, -1},
        {"lang", 0},
        {"lang", 1},
        {"lang", 2},
        {kForumLinkLabels, 0},
        {kForumLinkLabels, 1},
        {kSoftwareForumLinkLabel, -1},
        {kSiteLinkLabel, -1},
        {kAboutLabels, 4},
        {kSoftwareLinkPicture, -1},
        {kHomeLinkPicture, -1},
        {kCurrentLogoPicture, -1},
        {kDonatePictures, 0},
        {kDonateLinkLabels, 2},
        {kDonatePictures, 1},
        {"Lablien", -1},
    };
    for (const Target& t : kTargets) w(t.name, t.index).setMousePointer(platform::Pointer::Hand);
}

// The table columns of every group take the Lefts of group A's first row; the headings of groups B to F
// (in reverse order) those of group A's.
void alignGroupColumns(Zenkor& w) {
    const GroupNames& a = GroupControlNames(0);
    const char* GroupNames::*const columns[] = {&GroupNames::points, &GroupNames::difference,
                                                &GroupNames::goalsAgainst, &GroupNames::goalsFor,
                                                &GroupNames::played};
    for (auto column : columns) {
        const int left = w(a.*column, 1).Left();
        for (int row = 2; row <= 4; ++row) w(a.*column, row).setLeft(left);
    }
    for (int row = 1; row <= 4; ++row) {
        for (auto column : columns) {
            const int left = w(a.*column, 1).Left();
            for (int g = 1; g < 6; ++g) w(GroupControlNames(g).*column, row).setLeft(left);
        }
    }
    for (int i = 1; i <= 4; ++i) {
        const int left = w(kGroupHeadingLabels, i).Left();
        for (int base = 9; base <= 29; base += 5) w(kGroupHeadingLabels, base - i).setLeft(left);
    }
}

void copyChannelLogos(Zenkor& w) {
    for (int i = 0; i <= 3; ++i) copyPicture(w, "ImChaine", i + 4, "ImChaine", i);
    copyPicture(w, "ImChaine", 9, "ImChaine", 8);
}

void fillDayPickers(Zenkor& w) {
    Control& day = w(kDayMatchesDayCombo);
    Control& month = w(kDayMatchesMonthCombo);
    for (int d = 1; d <= 31; ++d) day.AddItem(platform::Format(d, "00"));
    for (int m = 1; m <= 12; ++m) month.AddItem(platform::Format(m, "00"));
    const platform::DateTime now = platform::Now();
    day.setText(platform::Format(platform::Day(now), "00"));
    month.setText(platform::Format(platform::Month(now), "00"));
}

void welcomeContestPlayer(Zenkor& w) {
    if (GetSetting("pseudo", "").empty()) return;
    w(kQualifierActionButtons, 5).setVisible(true);
    if (w("ChChargeImage").Value() == 0) ChargeImage(w);
    Control& picture = w(kAdvertPicture);
    picture.setVisible(true);
    picture.setMousePointer(platform::Pointer::Hand);
}

void showMatchesOfTheDay(Zenkor& w) {
    w(kDayMatchesFrame).setVisible(true);
    const platform::DateTime now = platform::Now();
    const bool during =
        now > platform::DateValue(kQualifiersEndDate) && now < platform::DateValue(kKnockoutDate);
    if (!during) {
        w(kDayMatchesTimer).setEnabled(false);
        w(kDayMatchesFrame).setVisible(false);
    }
}

void showFirstUsePanel(Zenkor& w) {
    const bool firstUse = GetSetting("FirstUse", "") != "1";
    w(kFirstUseFrame).setVisible(firstUse);
    w(kFirstUseTimer).setEnabled(firstUse);
}

void openQualifiers(Zenkor& w) {
    BuildQualifierGrid(w);
    Command26_Click(w);
    Command27_Click(w);
    platform::DoEvents();
    w(kQualifierCountLabels, 2).setVisible(true);
}

// Binds a handler to a control when the design has it.
void onClick(Zenkor& w, const char* name, std::function<void()> handler) {
    if (Control* c = w.find(name)) c->Click = std::move(handler);
}

// The panels laid over the group view are designed before the groups are: once every design is built
// they go to the front, the ones that cover the others last. A panel that opens without closing the
// ones beneath it stands over them: the history over the knockout view and the help, the qualifiers
// over all three.
void stackPanels(Zenkor& w) {
    for (const char* name : {kKnockoutViewFrame, "Fraide", "FraHisto", "FraElim", kDayMatchesFrame,
                             kFirstUseFrame, kUpdatePanelFrame}) {
        if (Control* panel = w.find(name)) w.bringToFront(*panel);
    }
}

}  // namespace

std::string VersionLine() {
    return "Valmirade 2024 Version: " + platform::NumText(kProgramMajorVersion) + "." +
           platform::NumText(kProgramMinorVersion);
}

bool UseDataFolder() {
    const platform::Result ready = platform::UseUserDataFolder();
    if (ready) return true;
    // No window has loaded a language yet: the message lines of the saved language's file give the text.
    if (const char* file = LanguageFileName(storedChoice(GetSetting("langue", "0"), 0)))
        ApplyMessageLines(ReadLanguageText(file));
    const std::string folder =
        platform::UserDataFolder().empty() ? "~/.local/share/Zenkor" : platform::UserDataFolder().string();
    platform::MsgBox(
        MessageWith(kDataFolderMessage, "Zenkor ne peut pas utiliser son dossier de données %1.", {folder}) +
            "\n" + CauseWords(ready, "cannot use its data folder"),
        platform::vbCritical | platform::vbOKOnly, "Zenkor");
    return false;
}

void Form_Load(Zenkor& w) {
    // Answering Yes to the newer-version prompt of the edition load ends the program at once: start-up
    // goes no further (no recompute, no view, no picture download).
    const bool endedBefore = platform::EndRequested();
    const auto step = [endedBefore](const char* where, const std::function<void()>& body) {
        if (!endedBefore && platform::EndRequested()) return;
        runStep(where, body);
    };
    int language = 0;
    std::optional<platform::Result> recovery;
    step("Form_Load: leftovers", [&] {
        removeLeftovers();
        recovery = RecoverEditionBackup();
    });
    step("Form_Load: panels", [&] { placePanels(w); });
    step("Form_Load: language", [&] { language = storedChoice(GetSetting("langue", "0"), 0); });
    step("Form_Load: picture setting",
         [&] { w("ChChargeImage").setValue(storedChoice(GetSetting("ChImage", "1"), 1)); });
    step("Form_Load: language file", [&] { lang_Click(w, language); });
    if (recovery) step("Form_Load: backup put back", [&] { TellEditionBackupRecovery(*recovery); });
    step("Form_Load: team colours", [&] { colourTeams(w); });
    step("Form_Load: edition", [&] {
        SetAsideDamagedEdition(kCurrentEdition);
        LoadEditionFile(w, kCurrentEdition);
    });
    step("Form_Load: button pictures", [&] { setButtonPictures(w); });
    step("Form_Load: recompute", [&] {
        w.FChargee = true;
        RecalcAll(w);
    });
    step("Form_Load: pointers", [&] { setHandPointers(w); });
    step("Form_Load: version", [&] {
        w(kVersionLabel).setCaption(VersionLine());
        w(kAboutLabels, 4).setCaption("Dastinor");
    });
    step("Form_Load: view", [&] {
        if (platform::Now() > platform::DateValue(kKnockoutDate)) Command1_Click(w);
    });
    step("Form_Load: history logo", [&] { copyPicture(w, kHistoryLogoPicture, -1, kEditionLogoBank, 4); });
    step("Form_Load: compact mode", [&] {
        if (GetSetting("reduit", "") == "1") Command14_Click(w);
    });
    step("Form_Load: columns", [&] { alignGroupColumns(w); });
    step("Form_Load: channel logos", [&] { copyChannelLogos(w); });
    step("Form_Load: day pickers", [&] { fillDayPickers(w); });
    step("Form_Load: pictures", [&] { welcomeContestPlayer(w); });
    step("Form_Load: matches of the day", [&] { showMatchesOfTheDay(w); });
    step("Form_Load: caption", [&] { w.self().setCaption(w(kHelpTitleLabel).Caption()); });
    step("Form_Load: first use", [&] { showFirstUsePanel(w); });
    step("Form_Load: qualifiers", [&] {
        if (platform::Now() < platform::DateValue(kQualifiersEndDate)) openQualifiers(w);
    });
}

void Form_Unload(Zenkor& w) {
    RememberSetting("reduit", w.compactMode ? "1" : "0");
    const std::string pseudo = w(kUpdateFieldTexts, 1).Text();
    if (!pseudo.empty()) RememberSetting("pseudo", pseudo);
    const std::string password = w(kUpdateFieldTexts, 0).Text();
    if (!password.empty()) RememberSetting("mdp", password);
}

void Command2_Click(Zenkor& w) {
    Control& help = w("Fraide");
    help.setVisible(!help.Visible());
}

// Hides the knockout view without switching the view state: the next "Phase Finale" click returns to the
// groups.
void Command6_Click(Zenkor& w) {
    w("FraElim").setVisible(false);
    Control& help = w("Fraide");
    help.setVisible(!help.Visible());
    if (help.Visible()) {
        w(kKnockoutViewFrame).setVisible(false);
        w(kDayMatchesFrame).setVisible(false);
    }
}

void Command5_Click(Zenkor& w) {
    runStep("Quitter: bracket sheet", [] { UnloadImpress(); });
    runStep("Quitter: statistics", [] { UnloadStats(); });
    runStep("Quitter: main window", [&] { w.unload(); });
    platform::EndProgram();
}

void Command8_Click(Zenkor& w) {
    ShowUpdateConfirmation(w);
}

void Timer1_Timer(Zenkor& w) {
    Control& timer = w(kDayMatchesTimer);
    const double count = platform::Val(timer.Tag());
    if (count > 7) {
        w(kDayMatchesFrame).setVisible(false);
        w(kBannerPicture).setVisible(false);
        timer.setEnabled(false);
    }
    timer.setTag(platform::NumText(count + 1));
}

void Timer2_Timer(Zenkor& w) {
    Control& timer = w(kFirstUseTimer);
    const double count = platform::Val(timer.Tag()) + 1;
    timer.setTag(platform::NumText(count));
    if (count > 5) {
        w(kFirstUseFrame).setVisible(false);
        timer.setEnabled(false);
    }
}

void WireMainWindow(Zenkor& w) {
    stackPanels(w);
    w.Load = [&w] { Form_Load(w); };
    w.Unload = [&w] { Form_Unload(w); };
    onClick(w, kViewSwitchButton, [&w] { Command1_Click(w); });
    onClick(w, kHelpBackButton, [&w] { Command2_Click(w); });
    onClick(w, kQuitButton, [&w] { Command5_Click(w); });
    onClick(w, kHelpButton, [&w] { Command6_Click(w); });
    onClick(w, kUpdateButton, [&w] { Command8_Click(w); });
    onClick(w, kBracketButton, [&w] { Command13_Click(w); });
    onClick(w, kCompactModeButton, [&w] { Command14_Click(w); });
    onClick(w, kCalendarButton, [&w] { Command15_Click(w); });
    onClick(w, kStatsButton, [&w] { Command21_Click(w); });
    onClick(w, kQualifiersButton, [&w] { Command26_Click(w); });
    onClick(w, kDayMatchesFrame, [&w] { Frame18_Click(w); });
    onClick(w, kDayMatchesClosePicture, [&w] { Image11_Click(w); });
    onClick(w, kCurrentLogoPicture, [&w] { Image17_Click(w); });
    onClick(w, kBannerPicture, [&w] { Image6_Click(w); });
    for (int i : w.indexes(kPanelNoteLabels)) {
        w(kPanelNoteLabels, i).MouseDown = [&w, i](int button, int shift, float x, float y) {
            Label17_MouseDown(w, i, button, shift, x, y);
        };
    }
    if (Control* hover = w.find(kBannerHoverLabel)) {
        hover->MouseMove = [&w](int button, int shift, float x, float y) {
            Label25_MouseMove(w, button, shift, x, y);
        };
    }
    if (Control* timer = w.find(kDayMatchesTimer)) timer->Timer = [&w] { Timer1_Timer(w); };
    if (Control* timer = w.find(kFirstUseTimer)) timer->Timer = [&w] { Timer2_Timer(w); };
}

}  // namespace zenkor
