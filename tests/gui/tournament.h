// The real 2024 tournament entered into the main window's boxes, as a fan would fill it in: the group
// scores, then every knockout round with its shoot-outs, down to the final.
#pragma once

#include <string>
#include <vector>

#include "app/main_window.h"

namespace gui_testing {

struct Result {
    const char* home;
    const char* away;
    int homeGoals, awayGoals;
    int homePenalties = -1, awayPenalties = -1;  // -1: no shoot-out
};

inline const std::vector<Result>& GroupResults2024() {
    static const std::vector<Result> results = {
        {"Allemagne", "Écosse", 5, 1},
        {"Hongrie", "Suisse", 1, 3},
        {"Allemagne", "Hongrie", 2, 0},
        {"Écosse", "Suisse", 1, 1},
        {"Suisse", "Allemagne", 1, 1},
        {"Écosse", "Hongrie", 0, 1},
        {"Espagne", "Croatie", 3, 0},
        {"Italie", "Albanie", 2, 1},
        {"Croatie", "Albanie", 2, 2},
        {"Espagne", "Italie", 1, 0},
        {"Albanie", "Espagne", 0, 1},
        {"Croatie", "Italie", 1, 1},
        {"Slovénie", "Danemark", 1, 1},
        {"Serbie", "Angleterre", 0, 1},
        {"Slovénie", "Serbie", 1, 1},
        {"Danemark", "Angleterre", 1, 1},
        {"Angleterre", "Slovénie", 0, 0},
        {"Danemark", "Serbie", 0, 0},
        {"Pologne", "Pays-Bas", 1, 2},
        {"Autriche", "France", 0, 1},
        {"Pologne", "Autriche", 1, 3},
        {"Pays-Bas", "France", 0, 0},
        {"Pays-Bas", "Autriche", 2, 3},
        {"France", "Pologne", 1, 1},
        {"Roumanie", "Ukraine", 3, 0},
        {"Belgique", "Slovaquie", 0, 1},
        {"Slovaquie", "Ukraine", 1, 2},
        {"Belgique", "Roumanie", 2, 0},
        {"Slovaquie", "Roumanie", 1, 1},
        {"Ukraine", "Belgique", 0, 0},
        {"Turquie", "Géorgie", 3, 1},
        {"Portugal", "République tchèque", 2, 1},
        {"Géorgie", "République tchèque", 1, 1},
        {"Turquie", "Portugal", 0, 3},
        {"Géorgie", "Portugal", 2, 0},
        {"République tchèque", "Turquie", 1, 2},
    };
    return results;
}

inline const std::vector<Result>& KnockoutResults2024() {
    static const std::vector<Result> results = {
        {"Suisse", "Italie", 2, 0},           {"Allemagne", "Danemark", 2, 0},
        {"Angleterre", "Slovaquie", 2, 1},    {"Espagne", "Géorgie", 4, 1},
        {"France", "Belgique", 1, 0},         {"Portugal", "Slovénie", 0, 0, 3, 0},
        {"Roumanie", "Pays-Bas", 0, 3},       {"Autriche", "Turquie", 1, 2},
        {"Espagne", "Allemagne", 2, 1},       {"Portugal", "France", 0, 0, 3, 5},
        {"Angleterre", "Suisse", 1, 1, 5, 3}, {"Pays-Bas", "Turquie", 2, 1},
        {"Espagne", "France", 2, 1},          {"Pays-Bas", "Angleterre", 1, 2},
        {"Espagne", "Angleterre", 2, 1},
    };
    return results;
}

// The result of a match between the two teams, either way round; a level match without one (a drawing
// of lots can seed another pairing) goes to the first team 1-0.
inline Result FindResult(const std::vector<Result>& results, const std::string& a, const std::string& b) {
    for (const Result& r : results) {
        if (r.home == a && r.away == b) return r;
        if (r.home == b && r.away == a)
            return {r.away, r.home, r.awayGoals, r.homeGoals, r.awayPenalties, r.homePenalties};
    }
    return {"", "", 1, 0};
}

inline void EnterMatch(zenkor::Zenkor& w, const char* teams, const char* scores, const char* penalties, int k,
                       const std::vector<Result>& results) {
    const Result r = FindResult(results, w(teams, 2 * k).Text(), w(teams, 2 * k + 1).Text());
    if (r.homePenalties >= 0) {
        w(penalties, 2 * k).setText(std::to_string(r.homePenalties));
        w(penalties, 2 * k + 1).setText(std::to_string(r.awayPenalties));
    }
    w(scores, 2 * k).setText(std::to_string(r.homeGoals));
    w(scores, 2 * k + 1).setText(std::to_string(r.awayGoals));
}

// Fills the boxes group by group, then round by round; the knockout view must be open for its cascade.
inline void EnterGroupResults2024(zenkor::Zenkor& w) {
    const char* const fixtures[] = {"lm", "lmB", "lmC", "lmD", "lmE", "lmF"};
    const char* const scores[] = {"ButA", "ButB", "ButC", "ButD", "ButE", "ButF"};
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < 6; ++k) {
            const Result r = FindResult(GroupResults2024(), w(fixtures[g], 2 * k).Caption(),
                                        w(fixtures[g], 2 * k + 1).Caption());
            w(scores[g], 2 * k).setText(std::to_string(r.homeGoals));
            w(scores[g], 2 * k + 1).setText(std::to_string(r.awayGoals));
        }
    }
}

inline void EnterKnockoutResults2024(zenkor::Zenkor& w) {
    for (int k = 0; k < 8; ++k) EnterMatch(w, "Huit", "Buthui", "ButPen", k, KnockoutResults2024());
    for (int k = 0; k < 4; ++k) EnterMatch(w, "Qua", "ButQua", "ButPen4", k, KnockoutResults2024());
    for (int k = 0; k < 2; ++k) EnterMatch(w, "DEM", "ButDem", "ButPen2", k, KnockoutResults2024());
    EnterMatch(w, "FIN", "ButFIN", "ButPenFIN", 0, KnockoutResults2024());
}

}  // namespace gui_testing
