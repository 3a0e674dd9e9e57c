// Language files: Windows-1252 text beside the program, one line per message ("MSG\text\index") or per
// control ("name\caption\text\tooltip\index"). The message table is never cleared, so a later file only
// overwrites what it names.
#include "app/language.h"

#include <cmath>
#include <iostream>
#include <string>
#include <vector>

#include "app/edition_files.h"
#include "app/ini_file.h"
#include "app/main_names.h"
#include "app/panels.h"
#include "app/settings.h"
#include "platform/data_folders.h"
#include "platform/ini.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace zenkor {

namespace {

constexpr const char* kLanguageFiles[] = {"\\langFr.txt", "\\langEn.txt", "\\langSp.txt"};
constexpr int kDamagedLanguageMessage = 63;

bool hasCaption(Kind kind) {
    switch (kind) {
        case Kind::Label:
        case Kind::CommandButton:
        case Kind::CheckBox:
        case Kind::OptionButton:
        case Kind::Frame:
        case Kind::Form:
            return true;
        default:
            return false;
    }
}

bool hasText(Kind kind) {
    return kind == Kind::TextBox || kind == Kind::ComboBox;
}

bool hasToolTip(Kind kind) {
    return kind != Kind::Form && kind != Kind::Timer && kind != Kind::Shape && kind != Kind::Line;
}

// "MSG\text\index": the text at the index, rounded half to even; a line without its index field, or with
// an index outside 0..100, sets nothing.
void applyMessageLine(const std::vector<std::string>& fields) {
    if (fields.size() < 3) return;
    const double value = platform::Val(fields[2]);
    if (!std::isfinite(value) || value < -1 || value > 101) return;
    const double n = std::nearbyint(value);
    if (n < 0 || n > 100) return;
    LangMessages()[static_cast<size_t>(n)] = fields[1];
}

// "name\caption\text\tooltip\index". A fifth field becomes the index selector of this line and of the
// following lines that have none; with a selector, only the array member of that index is set.
void applyControlLine(Zenkor& w, const std::vector<std::string>& fields, std::string& selector) {
    const bool hasIndexField = fields.size() >= 5;
    if (hasIndexField) selector = fields[4];
    // Assignments can run change handlers, which may add controls: walk a copy.
    const std::vector<Control*> controls = w.controls();
    for (Control* c : controls) {
        if (c->name() != fields[0]) continue;
        if (!selector.empty()) {
            if (!hasIndexField || !c->isArrayMember()) continue;
            if (static_cast<double>(c->index()) != platform::Val(fields[4])) continue;
        }
        if (fields.size() >= 2 && hasCaption(c->kind())) c->setCaption(fields[1]);
        if (fields.size() >= 3 && hasText(c->kind())) c->setText(fields[2]);
        if (fields.size() >= 4 && hasToolTip(c->kind())) c->setToolTipText(fields[3]);
    }
}

// Boxes whose text is the user's take their tooltips from messages: a control line reaching the tooltip
// field would set their text as well.
struct BoxToolTip {
    const char* name;
    int index;
    int message;
};
constexpr BoxToolTip kBoxToolTips[] = {
    {kDayMatchesDayCombo, -1, 23}, {kDayMatchesMonthCombo, -1, 24}, {kLinkTexts, 0, 25}, {kLinkTexts, 1, 26}};

// What every complete read of a language file ends with.
void afterLanguageFile(Zenkor& w) {
    for (const BoxToolTip& tip : kBoxToolTips) {
        Control* box = w.find(tip.name, tip.index);
        if (box != nullptr && !Message(tip.message).empty()) box->setToolTipText(Message(tip.message));
    }
    w(kAboutLabels, 4).setCaption("Dastinor");
    w(kHelpGroupViewButton).setCaption(MessageOr(2, kGroupViewCaption));
    w(kHelpKnockoutViewButton).setCaption(MessageOr(1, kKnockoutViewCaption));
    Control& editions = w(kHistoryEditionsCombo);
    editions.Clear();
    editions.AddItem(Message(6));
    for (int year = 2000; year <= 2024; year += 4) editions.AddItem(std::to_string(year));
    editions.setListIndex(0);
    // The view is a state of the window; the button's caption only names the other view.
    w(kViewSwitchButton)
        .setCaption(w.knockoutView ? MessageOr(2, kGroupViewCaption) : MessageOr(1, kKnockoutViewCaption));
}

// A damaged file is reported as a missing one is, naming it.
void reportDamaged(const std::string& name) {
    platform::MsgBox(
        MessageWith(kDamagedLanguageMessage,
                    "Le fichier de langue %1 est endommagé : réinstallez le programme pour le retrouver.",
                    {name}),
        platform::vbOKOnly, "");
}

// The French of the program's own words, for a language file that lacks them.
struct FrenchWords {
    Words words;
    const char* text;
};
constexpr FrenchWords kFrenchWords[] = {
    {Words::Downloading, "Téléchargement du fichier 2024 depuis le site…"},
    {Words::BytesReceived, " octets reçus"},
    {Words::KilobytesReceived, " Ko reçus"},
    {Words::PrintFailed, "L'impression n'a pas pu se faire"},
    {Words::FileNotSaved, "Le fichier %1 n'a pas pu être enregistré."},
    {Words::ChangesNotSaved, "Les modifications n'ont pas pu être enregistrées."},
    {Words::BackupRestored,
     "Le fichier Zenkor2024.ini manquait : sa copie de sauvegarde Zenkor2024.BU a été remise à sa place."},
    {Words::BackupNotRestored,
     "Le fichier Zenkor2024.ini manque et sa copie de sauvegarde Zenkor2024.BU n'a pas pu être remise à sa "
     "place : le programme repart du fichier d'origine."},
    {Words::ConnectionError, "Erreur de connexion !"},
};

// The message of each common cause; "%1" stands for the file or folder it is about.
struct CauseMessage {
    platform::Cause cause;
    int message;
};
constexpr CauseMessage kCauseMessages[] = {
    {platform::Cause::Missing, 66},      {platform::Cause::NotAllowed, 67},
    {platform::Cause::DiskFull, 68},     {platform::Cause::ReadOnlyFile, 69},
    {platform::Cause::ReadOnlyDisk, 70}, {platform::Cause::FolderInTheWay, 71},
    {platform::Cause::FileInTheWay, 72},
};

}  // namespace

std::string ProgramWords(Words words, const std::string& value) {
    for (const FrenchWords& french : kFrenchWords) {
        if (french.words == words) return MessageWith(static_cast<int>(words), french.text, {value});
    }
    return {};
}

std::string CauseWords(const platform::Result& failed, const std::string& where) {
    if (failed) return {};
    std::cerr << "Zenkor: " << where << ": " << failed.reason() << '\n';
    for (const CauseMessage& known : kCauseMessages) {
        if (known.cause != failed.cause()) continue;
        const std::string& text = Message(known.message);
        if (!text.empty()) return platform::Replace(text, "%1", failed.subject());
    }
    return failed.reason();
}

LanguageText ReadLanguageText(const std::string& fileName) {
    std::string name = fileName;
    if (!name.empty() && (name.front() == '\\' || name.front() == '/')) name.erase(0, 1);
    LanguageText text;
    text.name = name;
    const auto bytes = platform::ReadFileBytes(platform::ShippedFile(name));
    if (!bytes) return text;
    text.found = true;
    const platform::TextForm form = platform::DetectText(*bytes);
    if (bytes->empty() || form.kind == platform::TextKind::NotText) {
        text.damaged = true;
        return text;
    }
    std::string body = platform::CleanText(std::string_view(*bytes).substr(form.mark));
    if (form.kind == platform::TextKind::Cp1252) body = platform::Cp1252ToUtf8(body);
    // A file cut short ends inside a line, whose fields cannot be trusted: it is left out.
    if (!body.ends_with('\n') && !body.ends_with('\r')) {
        text.damaged = true;
        const size_t lastBreak = body.find_last_of("\r\n");
        body.erase(lastBreak == std::string::npos ? 0 : lastBreak + 1);
    }
    text.lines = platform::SplitLines(body);
    return text;
}

void ApplyMessageLines(const LanguageText& text) {
    for (const std::string& line : text.lines) {
        if (line.starts_with("MSG")) applyMessageLine(platform::Split(line, "\\"));
    }
}

void LoadLanguageFile(Zenkor& w, const std::string& fileName) {
    const LanguageText text = ReadLanguageText(fileName);
    if (!text.found) {
        platform::MsgBox("Fichier absent.", platform::vbOKOnly, "");
        return;
    }
    if (text.lines.empty()) {
        reportDamaged(text.name);
        return;
    }
    std::string selector;
    for (const std::string& line : text.lines) {
        if (line.empty()) continue;
        const std::vector<std::string> fields = platform::Split(line, "\\");
        if (line.starts_with("MSG")) {
            applyMessageLine(fields);
        } else {
            applyControlLine(w, fields, selector);
        }
    }
    afterLanguageFile(w);
    if (text.damaged) reportDamaged(text.name);
}

const char* LanguageFileName(int index) {
    return index >= 0 && index <= 2 ? kLanguageFiles[index] : nullptr;
}

void lang_Click(Zenkor& w, int index) {
    if (index >= 0 && index <= 2) LoadLanguageFile(w, kLanguageFiles[index]);
    w.sage = index;
    platform::SetInterfaceLanguage(index);
    ShowCompactCaption(w);
    const std::string edition = w(kEditionNameText).Text();
    ShowNewsMessage(w,
                    IsEditionBaseName(edition) ? ReadIni(edition, "Mess", platform::NumText(index), "") : "");
    RememberSetting("langue", platform::NumText(index));
    if (Control* playOffCaption = w.find(kPanelNoteLabels, 3))
        w(kPlayOffsFrame).setCaption(playOffCaption->Caption());
}

}  // namespace zenkor
