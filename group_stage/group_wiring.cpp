// Binds the group stage's handlers to the controls of the main window.
#include <array>

#include "app/main_names.h"
#include "group_stage/group_names.h"
#include "group_stage/group_stage.h"

namespace zenkor {

namespace {

using IndexHandler = void (*)(Zenkor&, int);
using MouseHandler = void (*)(Zenkor&, int, int, int, float, float);

struct GroupHandlers {
    IndexHandler teamChange, teamClick, scoreChange;
    MouseHandler scoreMouseDown, scoreMouseMove, fixtureMouseMove;
};

constexpr std::array<GroupHandlers, 6> kHandlers = {{
    {A_Change, A_Click, ButA_Change, ButA_MouseDown, ButA_MouseMove, lm_MouseMove},
    {B_Change, B_Click, ButB_Change, ButB_MouseDown, ButB_MouseMove, lmB_MouseMove},
    {C_Change, C_Click, ButC_Change, ButC_MouseDown, ButC_MouseMove, lmC_MouseMove},
    {D_Change, D_Click, ButD_Change, ButD_MouseDown, ButD_MouseMove, lmD_MouseMove},
    {E_Change, E_Click, ButE_Change, ButE_MouseDown, ButE_MouseMove, lmE_MouseMove},
    {F_Change, F_Click, ButF_Change, ButF_MouseDown, ButF_MouseMove, lmF_MouseMove},
}};

}  // namespace

void WireGroupStage(Zenkor& w) {
    Zenkor* window = &w;
    for (int g = 0; g < 6; ++g) {
        const GroupNames& n = GroupControlNames(g);
        const GroupHandlers h = kHandlers[static_cast<size_t>(g)];
        for (int i = 1; i <= 4; ++i) {
            Control& team = w(n.team, i);
            team.Change = [window, h, i] { h.teamChange(*window, i); };
            team.Click = [window, h, i] { h.teamClick(*window, i); };
        }
        for (int k = 0; k < 12; ++k) {
            Control& score = w(n.score, k);
            score.Change = [window, h, k] { h.scoreChange(*window, k); };
            score.MouseDown = [window, h, k](int b, int s, float x, float y) {
                h.scoreMouseDown(*window, k, b, s, x, y);
            };
            score.MouseMove = [window, h, k](int b, int s, float x, float y) {
                h.scoreMouseMove(*window, k, b, s, x, y);
            };
            w(n.fixture, k).MouseMove = [window, h, k](int b, int s, float x, float y) {
                h.fixtureMouseMove(*window, k, b, s, x, y);
            };
        }
    }
    for (int i = 0; i < 2; ++i) w(kScoreFillButtons, i).Click = [window, i] { Command30_Click(*window, i); };
    w(kUnlockLabel).Click = [window] { Label12_Click(*window); };
}

}  // namespace zenkor
