// The history panel, the news line and link, the language flags and the edition-file controls that live
// in other panels (Text1, List1) when their owners have not placed them.
#include <string>

#include "app/artwork.h"
#include "app/design.h"
#include "app/edition_files.h"
#include "app/language.h"
#include "app/main_names.h"
#include "app/main_window.h"

namespace zenkor {

namespace {

constexpr platform::Color kLinkBlue = platform::kDarkBlue;

// A control that another design may already hold: created (and placed) only when absent; nullptr when
// it was there.
Control* createIfAbsent(Zenkor& w, Kind kind, const char* name, const char* container, int left, int top,
                        int width, int height, int index = -1) {
    if (w.find(name, index)) return nullptr;
    Control& c = w.add(kind, name, index, container);
    c.move(left, top, width, height);
    return &c;
}

// The emblem of the edition at a list position: 1 is 2000, 7 is 2024.
std::string logoPicture(int position) {
    return PictureFile("pictures/logo_" + std::to_string(1996 + 4 * position) + ".svg");
}

void buildHistoryPanel(Zenkor& w) {
    Control* history = w.find("FraHisto");
    if (!history) {
        history = &w.add(Kind::Frame, "FraHisto");
        history->setCaption("Historique");
        history->move(13350, 930, 4215, 4335);
        history->setVisible(false);
    }
    Control& label13 = w.add(Kind::Label, kHistoryHeadingLabel, -1, history);
    label13.move(240, 300, 3735, 255);
    label13.setCaption("Choisissez une édition :");
    label13.setBackStyle(platform::BackStyle::Transparent);

    Control& combo1 = w.add(Kind::ComboBox, kHistoryEditionsCombo, -1, history);
    combo1.move(240, 600, 2175, 315);

    Control& open = w.add(Kind::CommandButton, kHistoryOpenButton, -1, history);
    open.setCaption("Ouvrir");
    open.move(2520, 570, 1455, 375);
    open.setToolTipText("Afficher l'édition choisie");

    Control& logo = w.add(Kind::Image, kHistoryLogoPicture, -1, history);
    logo.move(240, 1080, 3735, 1935);
    logo.setStretch(true);
    // The bank holds an emblem for every edition of the list, 2020 and 2024 included.
    for (int i = 1; i <= 7; ++i) {
        // The logo bank is never shown; Image9 displays one of its pictures.
        Control& bank = w.add(Kind::Image, kEditionLogoBank, i, history);
        bank.move(240 + (i - 1) * 300, 1080, 255, 255);
        bank.setVisible(false);
        bank.setPicture(logoPicture(i));
    }

    Control& back = w.add(Kind::CommandButton, kHistoryBackButton, -1, history);
    back.setCaption("Revenir à 2024");
    back.move(240, 3180, 3735, 435);
    back.setToolTipText("Revenir à l'édition en cours");
}

void buildNewsLine(Zenkor& w) {
    Control& label10 = w.add(Kind::Label, kNewsLabel);
    label10.move(120, 8865, 10800, 315);
    label10.setBackStyle(platform::BackStyle::Transparent);
    label10.setForeColor(kLinkBlue);
    label10.setFontBold(true);
    // The mark of a news message: a bar under it, shown with the message.
    Control& shape3 = w.add(Kind::Shape, kNewsBarShape);
    shape3.move(120, 9195, 10800, 45);
    shape3.setBorderColor(kLinkBlue);
    shape3.setFillColor(kLinkBlue);
    shape3.setVisible(false);

    Control& link = w.add(Kind::Label, "Lablien");
    link.move(11100, 8880, 2700, 315);
    link.setBackStyle(platform::BackStyle::Transparent);
    link.setForeColor(kLinkBlue);
    link.setFontUnderline(true);
    link.setMousePointer(platform::Pointer::Hand);
}

// The three language choices: the flags of France, Britain and Spain.
void buildLanguageChoices(Zenkor& w) {
    static const char* const names[] = {"Français", "English", "Español"};
    for (int i = 0; i <= 2; ++i) {
        Control& flag =
            AddPicture(w, "lang", i, nullptr, artwork::kFlags[i], 13920 + i * 540, 8925, 450, 300);
        flag.setToolTipText(names[i]);
        flag.setMousePointer(platform::Pointer::Hand);
    }
}

}  // namespace

void BuildEditionDesign(Zenkor& w) {
    buildHistoryPanel(w);
    buildNewsLine(w);
    buildLanguageChoices(w);

    // The name of the edition on display, in group A's frame.
    if (Control* text1 =
            createIfAbsent(w, Kind::TextBox, kEditionNameText, kGroupAFrame, 4800, 1890, 1575, 255)) {
        text1->setLocked(true);
        text1->setVisible(false);
    }
    // The logo of an earlier edition on display, beside the groups and in the knockout view, where the
    // current edition's logo takes its place.
    // Until an edition is opened from the history, the group view's logo is the current edition's, which
    // the statistics window and the update confirmation show too.
    if (Control* logo = createIfAbsent(w, Kind::Image, "ImaRepLogo", "", 13560, 6120, 1755, 1575, 0)) {
        logo->setStretch(true);
        logo->setPicture(logoPicture(7));
    }
    if (Control* current =
            createIfAbsent(w, Kind::Image, kCurrentLogoPicture, kKnockoutViewFrame, 15630, 105, 1950, 1950)) {
        current->setStretch(true);
        current->setPicture(logoPicture(7));
    }
    if (Control* logo =
            createIfAbsent(w, Kind::Image, "ImaRepLogo", kKnockoutViewFrame, 15630, 105, 1950, 1950, 1)) {
        logo->setStretch(true);
    }
    // The match list read by the matches-of-the-day panel.
    if (Control* list1 =
            createIfAbsent(w, Kind::ListBox, kEditionMatchesList, kDayMatchesFrame, 120, 3000, 1200, 255)) {
        list1->setVisible(false);
    }
}

void WireEditionFiles(Zenkor& w) {
    w(kSaveButton).Click = [&w] { Command3_Click(w); };
    w(kHistoryButton).Click = [&w] { Command11_Click(w); };
    w(kHistoryOpenButton).Click = [&w] { Command12_Click(w); };
    w(kHistoryBackButton).Click = [&w] { Command4_Click(w); };
    for (int i = 0; i <= 2; ++i) {
        w("lang", i).Click = [&w, i] { lang_Click(w, i); };
    }
}

}  // namespace zenkor
