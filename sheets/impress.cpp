// The bracket sheet: a printable snapshot of the knockout phase, with the path of the hovered team
// highlighted, and the group order table the statistics window counts goals from.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/artwork.h"
#include "app/design.h"
#include "app/main_names.h"
#include "group_stage/group_stage.h"
#include "platform/opener.h"
#include "platform/printer.h"
#include "platform/runtime.h"
#include "sheets/sheet_names.h"
#include "sheets/sheet_windows.h"
#include "sheets/sheets.h"

namespace zenkor {

using platform::Color;

namespace {

constexpr Color kLineBlue = platform::kMidnightBlue;
using platform::kYellow;
constexpr Color kResultBlue = platform::kNavy;
constexpr Color kThirdBlue = platform::kLightBlue;

std::unique_ptr<Impress>& owner() {
    static std::unique_ptr<Impress> sheet;
    return sheet;
}

// Runs one statement of a skip-on-error sequence.
template <typename F>
void skipOnError(F&& statement) {
    try {
        statement();
    } catch (...) {
    }
}

struct BoxArray {
    const char* name;
    int left;
    std::vector<int> tops;
};

const std::array<BoxArray, 4> kBoxArrays = {{
    {"T8",
     285,
     {435, 720, 1185, 1470, 1935, 2220, 2685, 2970, 3435, 3720, 4185, 4470, 4935, 5220, 5685, 5970}},
    {"T4", 3270, {855, 1140, 2340, 2625, 3870, 4155, 5325, 5610}},
    {"T2", 5790, {1620, 1905, 4575, 4860}},
    {"TF", 8595, {3075, 3360}},
}};

Control& line(Impress& s, const char* name, int index, int x1, int y1, int x2, int y2, bool visible = true) {
    Control& c = s.add(Kind::Line, name, index);
    c.setLine(x1, y1, x2, y2);
    c.setBorderColor(kLineBlue);
    c.setVisible(visible);
    return c;
}

// Picture buttons without captions; the tooltip names what they do.
Control& button(Impress& s, const char* name, int top, const char* tip, const char* picture) {
    Control& c = AddButton(s, name, -1, s.find(kBracketButtonsFrame), "", 90, top, 1020, 720);
    c.setPicture(PictureFile(picture));
    c.setToolTipText(tip);
    return c;
}

void buildDesign(Impress& s) {
    Control& form = s.self();
    form.setCaption("Impression");
    form.move(0, 0, 14085, 8265);
    form.setBackColor(platform::kButtonFace);

    // At its natural size: a ball at the left, under the link, and the podium's steps at the right. One
    // pixel row short of the picture's 107, so that it ends at the window's bottom edge.
    AddPicture(s, kBracketBannerPicture, -1, nullptr, artwork::kBracketBanner, 1245, 6675, 8175, 1590)
        .setStretch(false);
    Control& logo = s.add(Kind::Image, kBracketLogoPicture);
    logo.move(11580, 4890, 2130, 3000);
    logo.setStretch(true);

    // Lines first: the boxes stand on top of them where they overlap.
    line(s, "Line8H", 0, 2340, 6480, 2805, 6480, false);
    for (int k = 0; k <= 3; ++k) line(s, "Line8V", k, 0, 0, 0, 0);
    for (int k = 0; k <= 3; ++k) line(s, "Line4H", k, 0, 0, 0, 0);
    for (int k = 0; k <= 1; ++k) line(s, "Line4V", k, 0, 0, 0, 0);
    line(s, "LineF", 0, 0, 1920, 0, 1920);
    line(s, "LineF", 1, 0, 4875, 0, 4875);
    line(s, "LineF", 2, 0, 3390, 0, 3390);
    line(s, "LinefV", -1, 0, 0, 0, 0);

    for (const BoxArray& a : kBoxArrays) {
        for (size_t i = 0; i < a.tops.size(); ++i) {
            Control& box = s.add(Kind::TextBox, a.name, static_cast<int>(i));
            box.move(a.left, a.tops[i], 2300, 300);
            box.setAlignment(platform::Alignment::Center);
            box.setLocked(true);
            box.setBackColor(platform::kWindowBackground);
        }
    }
    Control& champion = s.add(Kind::TextBox, "RESULT", 0);
    champion.move(6945, 6270, 2115, 390);
    champion.setAlignment(platform::Alignment::Center);
    champion.setFontBold(true);
    champion.setFontSize(13.5);
    champion.setForeColor(kResultBlue);
    Control& second = s.add(Kind::TextBox, "RESULT", 1);
    second.move(5805, 6945, 1590, 345);
    second.setAlignment(platform::Alignment::Right);
    second.setFontBold(true);
    second.setFontSize(12);
    second.setForeColor(kResultBlue);
    Control& thirds = s.add(Kind::TextBox, "RESULT", 2);
    thirds.move(8565, 6885, 1950, 465);
    thirds.setMultiLine(true);
    thirds.setForeColor(kThirdBlue);
    for (int i = 0; i <= 2; ++i) {
        s("RESULT", i).setLocked(true);
        s("RESULT", i).setBackColor(platform::kWindowBackground);
    }

    // The link shows the address it opens: the banner shows none, since the site's host is the program's
    // setting, not the picture's.
    Control& link =
        AddLabel(s, kBracketSiteLinkLabel, -1, nullptr, platform::SiteAddress("/"), 510, 7065, 4980, 1095);
    link.setMousePointer(platform::Pointer::Hand);
    link.setForeColor(platform::kDarkBlue);
    link.setFontUnderline(true);
    link.setToolTipText(platform::SiteAddress("/"));

    Control& panel = s.add(Kind::Frame, kBracketButtonsFrame);
    panel.move(12525, 180, 1545, 3300);
    panel.setBackColor(platform::kButtonFace);
    // Tab order: close, print, refresh.
    button(s, kBracketCloseButton, 2400, "Fermer", artwork::kClose);
    button(s, kBracketPrintButton, 1620, "Imprimer", artwork::kPrint);
    button(s, kBracketRefreshButton, 855, "Actualiser", artwork::kRefresh);
}

void Form_Load(Impress& s) {
    s.self().setCaption(MessageOr(kBracketSheetMessage, "Impression"));
    SetButtonTip(s, kBracketCloseButton, kCloseMessage, "Fermer");
    SetButtonTip(s, kBracketPrintButton, kPrintMessage, "Imprimer");
    SetButtonTip(s, kBracketRefreshButton, kRefreshMessage, "Actualiser");
    s(kBracketLogoPicture).setPicture(s.main->ctl(kCurrentLogoPicture).Picture());
    RecupInfo(s);
    CopyBracketTexts(s);
    platform::DoEvents();
    s(kBracketCloseButton).SetFocus();
}

void Command5_Click(Impress& s) {
    skipOnError([&] { s.self().setBackColor(platform::kWhite); });
    skipOnError([&] { s(kBracketButtonsFrame).setVisible(false); });
    skipOnError([] { platform::DoEvents(); });
    skipOnError([&] { platform::PrintForm(s); });
    skipOnError([&] { s(kBracketButtonsFrame).setVisible(true); });
    skipOnError([&] { s.self().setBackColor(platform::kButtonFace); });
}

void Command1_Click(Impress& s) {
    Zenkor* main = s.main;
    s.unload();
    if (main) ShowMainWindow(*main);
}

void Label1_Click() {
    platform::OpenWebAddress(platform::SiteAddress("/"));
}

void wire(Impress& s) {
    s.Load = [&s] { Form_Load(s); };
    s(kBracketCloseButton).Click = [&s] { Command1_Click(s); };
    s(kBracketRefreshButton).Click = [&s] {
        RecupInfo(s);
        CopyBracketTexts(s);
    };
    s(kBracketPrintButton).Click = [&s] { Command5_Click(s); };
    s(kBracketSiteLinkLabel).Click = [] { Label1_Click(); };
    for (const char* name : {"T8", "T4", "T2", "TF", "RESULT"}) {
        for (int i : s.indexes(name)) {
            Control& box = s(name, i);
            box.MouseMove = [&s, &box](int, int, float, float) { HighlightTeam(s, box); };
        }
    }
}

}  // namespace

Impress::Impress(Zenkor& w) : platform::Form("Impress"), main(&w) {
    setOwner(&w);
    buildDesign(*this);
    wire(*this);
}

std::array<std::string, 25>& GroupOrderTeams() {
    static std::array<std::string, 25> teams;
    return teams;
}

Impress* CurrentImpress() {
    return owner().get();
}

Impress& ImpressObject(Zenkor& w) {
    auto& sheet = owner();
    // An unloaded sheet was closed earlier (never from inside this call's own handler): start afresh.
    if (sheet && sheet->unloaded()) sheet.reset();
    if (!sheet) sheet = std::make_unique<Impress>(w);
    sheet->main = &w;
    return *sheet;
}

void Command13_Click(Zenkor& w) {
    ImpressObject(w).show(false);
}

void UnloadImpress() {
    if (Impress* sheet = CurrentImpress()) sheet->unload();
}

void RecupInfo(Impress& s) {
    for (int i = 1; i <= 15; i += 2) {
        skipOnError([&] { s.load("Line8H", i); });
        skipOnError([&] {
            Control& stub = s("Line8H", i);
            const int y = s("T8", i).Top();
            stub.setLine(stub.X1(), y, stub.X2(), y);
        });
        skipOnError([&] { s("Line8H", i).setVisible(true); });
    }
    for (int k = 0; k <= 3; ++k) {
        skipOnError([&] {
            Control& a = s("Line8H", 4 * k + 1);
            Control& b = s("Line8H", 4 * k + 3);
            s("Line8V", k).setLine(b.X2(), a.Y1(), b.X2(), b.Y1());
        });
    }
    for (int k = 0; k <= 3; ++k) {
        skipOnError([&] {
            const int y = s("T4", 2 * k + 1).Top();
            s("Line4H", k).setLine(s("Line8V", 1).X1(), y, s("T2", 1).Left() - 100, y);
        });
    }
    skipOnError([&] {
        const int x = s("Line4H", 1).X2();
        s("Line4V", 0).setLine(x, s("Line4H", 0).Y1(), x, s("Line4H", 1).Y1());
        s("Line4V", 1).setLine(x, s("Line4H", 2).Y1(), x, s("Line4H", 3).Y1());
    });
    skipOnError([&] {
        const int x1 = s("Line4H", 3).X2();
        const int x2 = s("TF", 1).Left() - 300;
        for (int k = 0; k <= 1; ++k) {
            Control& f = s("LineF", k);
            f.setLine(x1, f.Y1(), x2, f.Y2());
        }
    });
    skipOnError([&] {
        const int x = s("LineF", 0).X2();
        s("LinefV").setLine(x, s("LineF", 0).Y1(), x, s("LineF", 1).Y1());
    });
    skipOnError([&] {
        Control& entry = s("LineF", 2);
        entry.setLine(s("LineF", 1).X2(), entry.Y1(), s("TF", 1).Left() + 300, entry.Y2());
    });
}

void CopyBracketTexts(Impress& s) {
    Zenkor& w = *s.main;
    for (int i = 0; i <= 15; ++i) s("T8", i).setText(w("Huit", 16 + i).Text());
    for (int i = 0; i <= 7; ++i) s("T4", i).setText(w("Qua", i).Text());
    for (int i = 0; i <= 3; ++i) s("T2", i).setText(w("DEM", i).Text());
    for (int i = 0; i <= 1; ++i) s("TF", i).setText(w("FIN", i).Text());
    for (int i = 0; i <= 2; ++i) s("RESULT", i).setText(w("pod", i + 1).Caption());
}

void HighlightTeam(Impress& s, Control& hovered) {
    const std::string name = hovered.Text();
    if (name.empty()) return;
    for (const char* array : {"T8", "T4", "T2", "TF"}) {
        for (int i : s.indexes(array)) {
            Control& box = s(array, i);
            box.setBackColor(box.Text() == name ? kYellow : platform::kWhite);
        }
    }
    for (int i : s.indexes("RESULT")) {
        Control& box = s("RESULT", i);
        box.setBackColor(box.Text().find(name) != std::string::npos ? kYellow : platform::kWhite);
    }
}

// A team's place is the group table's data, so a display scale cannot move a team out of its slot.
void ChargeInfo(Impress& s) {
    Zenkor& w = *s.main;
    auto& slots = GroupOrderTeams();
    for (int i = 1; i <= 4; ++i) {
        for (int g = 0; g < 6; ++g) {
            const int place = w.teamPlace(g, i);
            if (place < 1 || place > 4) continue;
            slots[static_cast<size_t>(4 * g + place)] = w(GroupControlNames(g).team, i).Text();
        }
    }
}

}  // namespace zenkor

namespace zenkor {

void ReleaseImpressObject() {
    UnloadImpress();
    owner().reset();
}

}  // namespace zenkor
