// The design of the controls whose places and looks the windows' layout fixes, dumped from the windows
// as built (the main window, its qualifiers grid, the statistics window and the bracket sheet), one line
// per control: position and size in twips, caption, picture, tooltip, and whether it lies whole inside
// its window. Every control lies inside its window.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "platform/opener.h"
#include "qualifiers/qualifiers.h"
#include "sheets/sheet_windows.h"
#include "sheets/sheets.h"
#include "tests/knockout/knockout_window.h"
#include "tests/support/layout.h"

namespace {

using platform::Control;

std::string Dump(platform::Form& form, const char* name, int index = -1) {
    const Control& c = form.ctl(name, index);
    const testing_support::Rect r = testing_support::Inside(c);
    const bool inside =
        r.left >= 0 && r.top >= 0 && r.right <= form.self().Width() && r.bottom <= form.self().Height();
    std::string line = form.self().name() + " " + c.displayName() + ": " + std::to_string(c.Left()) + ", " +
                       std::to_string(c.Top()) + ", " + std::to_string(c.Width()) + " x " +
                       std::to_string(c.Height());
    if (c.kind() != platform::Kind::TextBox) line += ", caption \"" + c.Caption() + "\"";
    if (!c.Picture().empty()) line += ", picture " + std::filesystem::path(c.Picture()).filename().string();
    if (!c.ToolTipText().empty()) line += ", tip \"" + c.ToolTipText() + "\"";
    if (c.kind() == platform::Kind::Label && c.BackStyle() == platform::BackStyle::Transparent)
        line += ", transparent";
    return line + (inside ? "" : ", OUTSIDE its window") + "\n";
}

class DesignDump : public knockout_test::KnockoutWindow {};

TEST_F(DesignDump, TheControlsStandAtTheirDesignValues) {
    sandbox.copyDataFile("pictures");  // the picture buttons' pictures
    zenkor::BuildQualifierGrid(w);
    w("Command21").raiseClick();
    zenkor::Stats& stats = *zenkor::CurrentStats();
    w("Command13").raiseClick();
    zenkor::Impress& sheet = *zenkor::CurrentImpress();

    std::string dump = Dump(w, "Label12");
    for (int k : {0, 1}) dump += Dump(w, "EquiElim", k) + Dump(w, "ButElim", k);
    dump += Dump(w, "EquiElim", 58) + Dump(w, "ButElim", 59);
    for (const char* name : {"Frame1", "Command5", "Command1"}) dump += Dump(stats, name);
    for (const char* name : {"Frame1", "Command1", "Command2", "Command5", "Label1", "Image1"})
        dump += Dump(sheet, name);
    std::cout << dump;

    const std::string site = platform::SiteAddress("/");
    EXPECT_EQ(dump,
              "Zenkor Label12: 9345, 30, 435 x 900, caption \"\", tip \"Déblocage\", transparent\n"
              "Zenkor EquiElim(0): 120, 180, 1845 x 280\n"
              "Zenkor ButElim(0): 1980, 180, 435 x 280\n"
              "Zenkor EquiElim(1): 3060, 180, 1845 x 280\n"
              "Zenkor ButElim(1): 2610, 180, 435 x 280\n"
              "Zenkor EquiElim(58): 120, 7575, 1845 x 280\n"
              "Zenkor ButElim(59): 2610, 7575, 435 x 280\n"
              "Stats Frame1: 12210, 6360, 1290 x 1485, caption \"\"\n"
              "Stats Command5: 240, 15, 1020 x 720, caption \"\", picture print.svg, tip \"Imprimer\"\n"
              "Stats Command1: 240, 720, 1020 x 720, caption \"\", picture close.svg, tip \"Fermer\"\n"
              "Impress Frame1: 12525, 180, 1545 x 3300, caption \"\"\n"
              "Impress Command1: 90, 2400, 1020 x 720, caption \"\", picture close.svg, tip \"Fermer\"\n"
              "Impress Command2: 90, 855, 1020 x 720, caption \"\", picture refresh.svg, tip \"Actualiser\"\n"
              "Impress Command5: 90, 1620, 1020 x 720, caption \"\", picture print.svg, tip \"Imprimer\"\n"
              "Impress Label1: 510, 7065, 4980 x 1095, caption \"" +
                  site + "\", tip \"" + site +
                  "\", transparent\n"
                  "Impress Image1: 1245, 6675, 8175 x 1590, caption \"\", picture bracket_banner.svg\n");
    // The grid's last row ends inside the qualifiers panel.
    EXPECT_LE(w("EquiElim", 59).Top() + w("EquiElim", 59).Height(), w("FraElim").Height());
    zenkor::ReleaseSheets();
}

}  // namespace
