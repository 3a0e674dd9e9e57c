// The update-preparation panel: the contest player's pseudonym and password with the sending of
// predictions, and the author's news, link and version entries of the current edition file.
#include <filesystem>
#include <string>

#include "app/edition_files.h"
#include "app/ini_file.h"
#include "app/language.h"
#include "app/main_names.h"
#include "app/settings.h"
#include "online/online.h"
#include "online/online_names.h"
#include "platform/clipboard.h"
#include "platform/data_folders.h"
#include "platform/opener.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace zenkor {

namespace {

constexpr platform::Color kRedBack = platform::kRed;
constexpr const char* kQualifiersFile = "Elim2024";

std::string programVersion() {
    return platform::NumText(kProgramMajorVersion) + "." + platform::NumText(kProgramMinorVersion);
}

// Hands a data file to the contest: its path on the clipboard, the contest page in the browser.
void sendFile(Zenkor& w, const char* fileName, const char* page) {
    Control& pseudo = w(kUpdateFieldTexts, 1);
    if (pseudo.Text().empty()) {
        platform::MsgBox("Pseudo ???", platform::vbOKOnly);
        pseudo.setBackColor(kRedBack);
        return;
    }
    platform::ClipboardClear();
    platform::ClipboardSetText(platform::ReadableFile(fileName).string());
    platform::OpenWebAddress(platform::SiteAddress(
        std::string(page) + "?mdp=" + platform::PercentEncode(w(kUpdateFieldTexts, 0).Text()) +
        "&pseudo=" + platform::PercentEncode(pseudo.Text())));
}

void fillPanel(Zenkor& w, const std::string& code) {
    const IniReadScope parsedOnce;
    w(kUpdateFieldTexts, 0).setText(code);
    w(kUpdateFieldTexts, 1).setText(GetSetting("pseudo", ""));
    w(kUpdateFieldTexts, 2).setText(programVersion());
    w(kUpdateFieldTexts, 3).setText(ReadIni(kCurrentEdition, "CV", "0", "-"));
    w(kLinkTexts, 0).setText(ReadIni(kCurrentEdition, "Lien", "0", "-"));
    w(kLinkTexts, 1).setText(ReadIni(kCurrentEdition, "Lien", "1", "-"));
    for (int k = 0; k <= 2; ++k)
        w(kNewsTexts, k).setText(ReadIni(kCurrentEdition, "Mess", platform::NumText(k), "-"));
    w(kAdvertPreview).setStretch(false);
    w(kAdvertPicture).setStretch(false);
    w(kUpdatePanelFrame).setVisible(true);
    w("Fraide").setVisible(false);
}

}  // namespace

void Label2_MouseDown(Zenkor& w, int Button, int Shift, float, float) {
    if (Button == 1) {
        ChargeImage(w);
        return;
    }
    const std::string stored = GetSetting("mdp", "");
    if (stored == kAccessCode) {
        fillPanel(w, stored);
        return;
    }
    if (Button != 2 || Shift != 1) return;
    const std::string answer = platform::InputBox("Mot de passe ?", "Mise à jour", stored);
    if (answer == kAccessCode) fillPanel(w, answer);
}

void Command16_Click(Zenkor& w) {
    sendFile(w, "Zenkor2024.ini", "/expZenkor2024.php");
}

void Command17_Click(Zenkor& w) {
    const std::string baseName = w(kEditionNameText).Text();
    if (!IsEditionBaseName(baseName)) return;
    // Opened to be edited: the user's own copy.
    platform::OpenDocument(platform::WritableFile(baseName + ".ini").string());
}

// The entries go to the current edition's file whatever edition is on display; each file is written
// once, and a file that could not be written is reported.
void Command18_Click(Zenkor& w) {
    platform::Result saved;
    {
        IniWriteBatch batch(kCurrentEdition);
        for (int k = 0; k <= 1; ++k) batch.set("Lien", platform::NumText(k), w(kLinkTexts, k).Text());
        for (int k = 0; k <= 2; ++k) batch.set("Mess", platform::NumText(k), w(kNewsTexts, k).Text());
        if (w(kUpdateFieldTexts, 3).Text() != w(kUpdateFieldTexts, 2).Text())
            w(kUpdateFieldTexts, 3).setBackColor(kRedBack);
        batch.set("CV", "0", w(kUpdateFieldTexts, 3).Text());
        saved = batch.commit();
    }
    {
        IniWriteBatch batch(kQualifiersFile);
        for (int k = 0; k <= 2; ++k) batch.set("Mess", platform::NumText(k), w(kNewsTexts, k).Text());
        if (auto written = batch.commit(); saved && !written) saved = std::move(written);
    }
    if (!saved) {
        platform::MsgBox(ProgramWords(Words::ChangesNotSaved) + "\n" + CauseWords(saved, "update panel"),
                         platform::vbExclamation, w(kUpdatePanelFrame).Caption());
    }
}

void Command19_Click(Zenkor& w) {
    w(kUpdatePanelFrame).setVisible(false);
    const std::string pseudo = w(kUpdateFieldTexts, 1).Text();
    platform::Result saved;
    if (!pseudo.empty()) saved = SaveSetting("pseudo", pseudo);
    const std::string password = w(kUpdateFieldTexts, 0).Text();
    if (!password.empty() && saved) saved = SaveSetting("mdp", password);
    if (saved) saved = SaveSetting("ChImage", platform::NumText(w("ChChargeImage").Value()));
    if (!saved) {
        platform::MsgBox(ProgramWords(Words::ChangesNotSaved) + "\n" + CauseWords(saved, "settings"),
                         platform::vbExclamation, w(kUpdatePanelFrame).Caption());
    }
    w(kAdvertPicture).setVisible(true);
    ChargeImage(w);
}

void Command20_Click(Zenkor& w, int Index) {
    if (Index == 0) {
        ChargeImage(w);
    } else if (Index == 1) {
        sendFile(w, "Elim2024.ini", "/expELIMZenkor2024.php");
    }
}

}  // namespace zenkor
