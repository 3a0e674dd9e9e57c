// The hidden score fill and reset, and the unlocking of the team names.
#include <algorithm>
#include <cmath>
#include <string>

#include "app/main_names.h"
#include "group_stage/group_stage.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace zenkor {

void Command30_Click(Zenkor& w, int Index) {
    // Box by box, A(0) B(0) .. F(0), A(1) ..: each write recomputes its group at once.
    for (int k = 0; k < 12; ++k) {
        for (int g = 0; g < 6; ++g) {
            std::string text = "-";
            if (Index == 0) {
                const int goals =
                    std::min(2, static_cast<int>(std::floor(static_cast<double>(platform::Rnd()) * 3)));
                text = platform::NumText(goals);
            }
            w(GroupControlNames(g).score, k).setText(text);
        }
    }
}

void Label12_Click(Zenkor& w) {
    for (int i = 1; i <= 4; ++i) {
        for (int g = 0; g < 4; ++g) w(GroupControlNames(g).team, i).setLocked(false);
    }
    for (int i = 0; i <= 5; ++i) w("NEElim", i).setVisible(true);
    w(kSaveButton).setEnabled(true);
    w(kPlayOffsFrame).setVisible(false);
    platform::MsgBox("Equipes débloquées", platform::vbInformation, "OK");
}

}  // namespace zenkor
