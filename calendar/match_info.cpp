// The information line: hovering a match puts its information text into the hidden label LabInfo,
// whose change fills the match panel (city, date in words, time, channel logos, stadium picture) in
// both the group view and the knockout view.
#include <optional>
#include <string>

#include "app/main_names.h"
#include "calendar/calendar.h"
#include "calendar/calendar_detail.h"
#include "calendar/calendar_names.h"
#include "platform/datetime.h"
#include "platform/text.h"

namespace zenkor {

namespace {

using platform::InStr;
using platform::Left;
using platform::Mid;

constexpr int kLabTer = 6;

void hideLogos(Zenkor& w) {
    for (int i = 0; i <= 9; ++i) w("ImChaine", i).setVisible(false);
}

void showInfo(Zenkor& w, const std::string& text) {
    w("LabInfo").setCaption(text);
}

void hover(Zenkor& w, const char* boxes, int index) {
    if (const Control* box = w.find(boxes, index)) ShowMatchInfo(w, box->Tag());
}

}  // namespace

std::string LongMatchDate(const std::string& date, int language) {
    const std::optional<platform::DateTime> t = platform::ParseDate(platform::Trim(date));
    if (!t) return {};
    // The language the user chose with the flags, not the system's: the two differ on many machines.
    const char* locale = language == 1 ? "en_GB" : language == 2 ? "es_ES" : "fr_FR";
    const std::string name = platform::LongDateName(*t, locale);
    return name.empty() ? name : name + " ";
}

void ShowMatchInfo(Zenkor& w, const std::string& info) {
    Control& line = w("LabInfo");
    // The same text again fires no Change: a panel cleared meanwhile by the window's background is
    // filled here, so resting on the same match shows it again.
    if (!info.empty() && line.Caption() == info && !w(kKnockoutMatchFrame).Visible()) {
        LabInfo_Change(w);
        return;
    }
    line.setCaption(info);
}

// Each piece of the text is read on its own: a piece that is missing or malformed leaves its field
// empty and the others are still filled.
void LabInfo_Change(Zenkor& w) {
    w(kKnockoutMatchFrame).setVisible(true);
    const std::string v = w("LabInfo").Caption();
    for (int i = 0; i < kLabTer; ++i) w("LabTer", i).setCaption("");

    const int p = InStr(v, "/");
    std::string head;
    if (p >= 4) head = Left(v, p - 4);
    std::string code;
    if (const int paren = InStr(head, "("); paren > 0) code = Left(head, paren - 1);

    for (const Venue& venue : kVenues) {
        if (venue.city == nullptr || code != venue.code) continue;
        w("LabTer", 0).setCaption(venue.city);
        break;
    }

    hideLogos(w);
    static const int kGroupLogo[] = {1, 2, 3, 0, 8};
    static const int kKnockoutLogo[] = {5, 6, 7, 4, 9};
    for (size_t j = 0; j < kChannels.size(); ++j) {
        if (head.find(kChannels[j].name) == std::string::npos) continue;
        w("ImChaine", kGroupLogo[j]).setVisible(true);
        w("ImChaine", kKnockoutLogo[j]).setVisible(true);
    }

    if (p >= 3) w("LabTer", 1).setCaption(LongMatchDate(Mid(v, p - 2, 9), w.sage));
    w("LabTer", 2).setCaption(Mid(v, p + 6, 10));

    for (int i = 0; i <= 2; ++i) w("LabTer", i + 3).setCaption(w("LabTer", i).Caption());

    const bool filled = !w("LabTer", 0).Caption().empty() || !w("LabTer", 1).Caption().empty() ||
                        !w("LabTer", 2).Caption().empty();
    w(kGroupMatchOutlineShape).setVisible(filled);
    w(kKnockoutMatchOutlineShape).setVisible(w(kGroupMatchOutlineShape).Visible());

    Control& field = w("Terrain", 10);
    field.setPicture("");
    field.setToolTipText("");
    for (const Venue& venue : kVenues) {
        if (v.find(venue.code) == std::string::npos) continue;
        const Control& store = w("Terrain", venue.store);
        field.setPicture(store.Picture());
        field.setToolTipText(venue.city == nullptr ? "" : venue.city);
    }
    Control& copy = w("Terrain", 11);
    copy.setPicture(field.Picture());
    copy.setToolTipText(field.ToolTipText());
}

void ClearMatchInfo(Zenkor& w) {
    w(kGroupMatchOutlineShape).setVisible(false);
    w(kKnockoutMatchOutlineShape).setVisible(false);
    for (int i : {10, 11}) {
        w("Terrain", i).setPicture("");
        w("Terrain", i).setToolTipText("");
    }
    for (int i = 0; i < kLabTer; ++i) w("LabTer", i).setCaption("");
    w(kKnockoutMatchFrame).setVisible(false);
    hideLogos(w);
}

void Huit_MouseMove(Zenkor& w, int Index, int, int, float, float) {
    hover(w, "Huit", Index);
}
void Qua_MouseMove(Zenkor& w, int Index, int, int, float, float) {
    hover(w, "Qua", Index);
}
void DEM_MouseMove(Zenkor& w, int Index, int, int, float, float) {
    hover(w, "DEM", Index);
}
void pf_MouseMove(Zenkor& w, int Index, int, int, float, float) {
    hover(w, "pf", Index);
}
void FIN_MouseMove(Zenkor& w, int Index, int, int, float, float) {
    hover(w, "FIN", Index);
}

void Frame1_MouseMove(Zenkor& w, int, int, float, float) {
    showInfo(w, "");
}
void Frame2_MouseMove(Zenkor& w, int, int, float, float) {
    showInfo(w, "");
}
void Frame3_MouseMove(Zenkor& w, int, int, float, float) {
    showInfo(w, "");
}
void Frame4_MouseMove(Zenkor& w, int, int, float, float) {
    showInfo(w, "");
}
void Frame5_MouseMove(Zenkor& w, int, int, float, float) {
    showInfo(w, "");
}
void Frame6_MouseMove(Zenkor& w, int, int, float, float) {
    showInfo(w, "");
}
void Frame7_MouseMove(Zenkor& w, int, int, float, float) {
    showInfo(w, "");
}
void Frame8_MouseMove(Zenkor& w, int, int, float, float) {
    showInfo(w, "");
}
void Frame10_MouseMove(Zenkor& w, int, int, float, float) {
    showInfo(w, "");
}

void Frame9_MouseMove(Zenkor& w, int, int, float, float) {
    showInfo(w, "");
    ClearMatchInfo(w);
}

// The line keeps its text: only the panel is cleared.
void Form_MouseMove(Zenkor& w, int, int, float, float) {
    ClearMatchInfo(w);
}

void FraElim_MouseMove(Zenkor& w, int, int, float, float) {
    if (Control* note = w.find("SortRang", 7)) note->setVisible(false);
}

}  // namespace zenkor
