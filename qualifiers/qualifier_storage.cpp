// The qualifiers file "Elim2024.ini": the grid built once, a group loaded into it, "Sauver".
#include <vector>

#include "app/edition_files.h"
#include "app/ini_file.h"
#include "app/main_names.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "qualifiers/qualifier_detail.h"
#include "qualifiers/qualifier_names.h"
#include "qualifiers/qualifiers.h"

namespace zenkor {

using qualifiers_detail::kFile;

namespace {

std::string key(int k) {
    return std::to_string(k);
}

bool holdsTeam(const std::string& name) {
    return !name.empty() && name != "-";
}

// What "Sauver" writes, in one list: scores, teams, play-off teams and play-off scores.
std::vector<std::string> savedBoxes(Zenkor& w) {
    std::vector<std::string> texts;
    for (int k = 0; k <= 59; ++k) texts.push_back(w("ButElim", k).Text());
    for (int k = 0; k <= 5; ++k) texts.push_back(w("NEElim", k).Text());
    for (int k = 0; k <= 7; ++k) {
        texts.push_back(w("BAR", k).Text());
        texts.push_back(w("ButBAR", k).Text());
    }
    return texts;
}

}  // namespace

int& QualifierPlayedCount() {
    static int count = 0;
    return count;
}

int& QualifierFixtureCount() {
    static int count = 0;
    return count;
}

double qualifiers_detail::ScoreValue(const Control& box) {
    return platform::Val(box.Text());
}

void BuildQualifierGrid(Zenkor& w) {
    if (w(kQualifiersButton).Tag() == "CH") return;
    for (int k = 2; k <= 59; ++k) {
        for (const char* name : {"EquiElim", "ButElim"}) {
            Control* c = w.load(name, k);
            if (c == nullptr) continue;
            const Control& above = w(name, k - 2);
            c->setVisible(true);
            c->setLeft(above.Left());
            c->setTop(above.Top() + qualifiers_detail::kGridRowPitch);
        }
        qualifiers_detail::BindGridMember(w, k);
    }
    w(kQualifiersButton).setTag("CH");
    LoadQualifierFixtures();
    ShowNewsMessage(w, ReadIni(kFile, "Mess", std::to_string(w.sage)));
}

void LoadElimGroup(Zenkor& w) {
    const IniReadScope parsedOnce;
    const std::string group = w("ELIMGRP").Text();
    w(kPlayOffsFrame).setTag("charge");
    for (int k = 0; k <= 59; ++k) {
        w("ButElim", k).setText("");
        w("EquiElim", k).setText("");
        w("ButElim", k).setText(ReadIni(kFile, "But" + group, key(k), "-"));
    }
    for (int k = 0; k <= 5; ++k) w("NEElim", k).setText(ReadIni(kFile, "Equip" + group, key(k)));
    for (int k = 0; k <= 7; ++k) {
        w("BAR", k).setText(ReadIni(kFile, "QBAR", key(k)));
        w("ButBAR", k).setText(ReadIni(kFile, "butBAR", key(k), "-"));
    }
    int x = 0;
    for (int i = 0; i <= 5; ++i) {
        for (int j = 0; j <= 5; ++j) {
            if (j == i) continue;
            const std::string home = w("NEElim", i).Text();
            const std::string away = w("NEElim", j).Text();
            if (!holdsTeam(home) || !holdsTeam(away)) continue;
            ++QualifierFixtureCount();
            w("EquiElim", x).setText(home);
            w("EquiElim", x + 1).setText(away);
            x += 2;
        }
    }
    w(kPlayOffsFrame).setTag("");
    w.qualifierBoxesStored = savedBoxes(w);
    MarkBarrageWinners(w);
}

void Command23_Click(Zenkor& w) {
    const std::string group = w("ELIMGRP").Text();
    platform::Result saved;
    {
        // One write for the whole save: the file is replaced whole or not at all.
        IniWriteBatch batch(kFile);
        for (int k = 0; k <= 59; ++k) batch.set("But" + group, key(k), w("ButElim", k).Text());
        for (int k = 0; k <= 5; ++k) batch.set("Equip" + group, key(k), w("NEElim", k).Text());
        for (int k = 0; k <= 7; ++k) {
            batch.set("QBAR", key(k), w("BAR", k).Text());
            batch.set("ButBAR", key(k), w("ButBAR", k).Text());
        }
        saved = batch.commit();
    }
    if (!saved) {
        // Titled with the save button's caption, in the user's language.
        const std::string title = w(kQualifierSaveButton).Caption();
        platform::MsgBox(FailedSaveMessage(std::string(kFile) + ".ini", saved), platform::vbExclamation,
                         title.empty() ? "Sauver" : title);
        return;
    }
    w.qualifierBoxesStored = savedBoxes(w);
}

bool SaveElimChanges(Zenkor& w) {
    if (w.qualifierBoxesStored.empty() || w.qualifierBoxesStored == savedBoxes(w)) return true;
    Command23_Click(w);
    return w.qualifierBoxesStored == savedBoxes(w);  // a successful save records what it wrote
}

}  // namespace zenkor
