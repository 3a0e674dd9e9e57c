#!/usr/bin/env python3
"""Writes data/site/Zenkor2024.ini: the edition file the web site publishes on its first start.

It is the shipped 2024 file (teams, match information, link) filled with the real results of the
tournament, group stage and knockout stage, with a news message in French, English and Spanish. Knockout
scores are placed in the window's slots, which the script derives round by round from the group tables,
as the program seeds them.

    python3 scripts/make_published.py           # write the file
    python3 scripts/make_published.py --check   # check the written file is what the script writes
"""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import make_editions as ed  # noqa: E402

OUT = ed.DATA / "site" / "Zenkor2024.ini"

# Group results, the first-named team as the official listing names it.
RESULTS_2024 = {
    "A": [("Allemagne", "Écosse", 5, 1), ("Hongrie", "Suisse", 1, 3), ("Allemagne", "Hongrie", 2, 0),
          ("Écosse", "Suisse", 1, 1), ("Suisse", "Allemagne", 1, 1), ("Écosse", "Hongrie", 0, 1)],
    "B": [("Espagne", "Croatie", 3, 0), ("Italie", "Albanie", 2, 1), ("Croatie", "Albanie", 2, 2),
          ("Espagne", "Italie", 1, 0), ("Albanie", "Espagne", 0, 1), ("Croatie", "Italie", 1, 1)],
    "C": [("Slovénie", "Danemark", 1, 1), ("Serbie", "Angleterre", 0, 1), ("Slovénie", "Serbie", 1, 1),
          ("Danemark", "Angleterre", 1, 1), ("Angleterre", "Slovénie", 0, 0), ("Danemark", "Serbie", 0, 0)],
    "D": [("Pologne", "Pays-Bas", 1, 2), ("Autriche", "France", 0, 1), ("Pologne", "Autriche", 1, 3),
          ("Pays-Bas", "France", 0, 0), ("Pays-Bas", "Autriche", 2, 3), ("France", "Pologne", 1, 1)],
    "E": [("Roumanie", "Ukraine", 3, 0), ("Belgique", "Slovaquie", 0, 1), ("Slovaquie", "Ukraine", 1, 2),
          ("Belgique", "Roumanie", 2, 0), ("Slovaquie", "Roumanie", 1, 1), ("Ukraine", "Belgique", 0, 0)],
    "F": [("Turquie", "Géorgie", 3, 1), ("Portugal", "République tchèque", 2, 1),
          ("Géorgie", "République tchèque", 1, 1), ("Turquie", "Portugal", 0, 3), ("Géorgie", "Portugal", 2, 0),
          ("République tchèque", "Turquie", 1, 2)],
}
# Danemark and Slovénie are level on every criterion the program ranks by; Danemark went through second,
# which the file records as Danemark's drawing-of-lots mark.
LOTS_2024 = {"C": ["Danemark"]}
# Knockout results after extra time, with the shoot-out when there was one: home, away, goals, shoot-out.
KNOCKOUT_RESULTS_2024 = [
    ("Suisse", "Italie", 2, 0, None), ("Allemagne", "Danemark", 2, 0, None),
    ("Angleterre", "Slovaquie", 2, 1, None), ("Espagne", "Géorgie", 4, 1, None),
    ("France", "Belgique", 1, 0, None), ("Portugal", "Slovénie", 0, 0, (3, 0)),
    ("Roumanie", "Pays-Bas", 0, 3, None), ("Autriche", "Turquie", 1, 2, None),
    ("Espagne", "Allemagne", 2, 1, None), ("Portugal", "France", 0, 0, (3, 5)),
    ("Angleterre", "Suisse", 1, 1, (5, 3)), ("Pays-Bas", "Turquie", 2, 1, None),
    ("Espagne", "France", 2, 1, None), ("Pays-Bas", "Angleterre", 1, 2, None),
    ("Espagne", "Angleterre", 2, 1, None),
]
MESS_PUBLISHED = [
    "Euro 2024 : l'Espagne est championne d'Europe, 2-1 contre l'Angleterre en finale à Berlin. "
    "Le classement du concours est sur le site.",
    "Euro 2024: Spain are European champions, beating England 2-1 in the final in Berlin. "
    "The contest ranking is on the site.",
    "Eurocopa 2024: España es campeona de Europa tras ganar 2-1 a Inglaterra en Berlín. "
    "La clasificación del concurso está en el sitio.",
]


def knockout_result(a, b):
    """Goals and shoot-out of the match between a and b, from a's side."""
    for home, away, hg, ag, pens in KNOCKOUT_RESULTS_2024:
        if (home, away) == (a, b):
            return (hg, ag), pens
        if (home, away) == (b, a):
            return (ag, hg), pens and (pens[1], pens[0])
    raise ValueError(f"no knockout match {a} - {b}")


def knockout_boxes():
    """The score and shoot-out boxes of every round, in slot order: match k of a round is slots 2k, 2k+1;
    quarter-final k takes the winners of round-of-16 matches 2k, 2k+1, and so on up to the final."""
    slots = [team for k in range(8) for team in ed.KNOCKOUT_2024[100 + 2 * k][:2]]
    rounds = {}
    for name, pen_name in (("But8", "Pen8"), ("But4", "Pen4"), ("ButDEM", "PenDEM"), ("BUTFIN", "PenFIN")):
        goals, shootout, winners = [], [], []
        for k in range(len(slots) // 2):
            a, b = slots[2 * k], slots[2 * k + 1]
            (ga, gb), pens = knockout_result(a, b)
            goals += [str(ga), str(gb)]
            shootout += [str(pens[0]), str(pens[1])] if pens else ["-", "-"]
            first = ga + (pens[0] if pens else 0)
            second = gb + (pens[1] if pens else 0)
            assert first != second, f"{a} - {b} has no winner"
            winners.append(a if first > second else b)
        rounds[name], rounds[pen_name] = goals, shootout
        slots = winners
    assert slots == ["Espagne"]
    return rounds


def set_value(lines, section, key, value):
    start = lines.index(f"[{section}]")
    for i in range(start + 1, len(lines)):
        if lines[i].startswith("["):
            break
        if lines[i].split("=", 1)[0] == str(key):
            lines[i] = f"{key}={value}"
            return
    raise KeyError(f"[{section}] {key}")


def build():
    ed.check_knockout_2024()
    ed.check_news(2024, MESS_PUBLISHED)
    boxes = {g: ed.score_boxes(ed.TEAMS_2024[g], RESULTS_2024[g]) for g in ed.GROUPS}
    lines = ed.edition_lines(ed.TEAMS_2024, boxes, MESS_PUBLISHED, ed.LINK_2024, ed.match_section_2024())
    for section, values in knockout_boxes().items():
        for key, value in enumerate(values):
            set_value(lines, section, key, value)
    for g, teams in LOTS_2024.items():
        for team in teams:
            set_value(lines, "TS" + g, ed.TEAMS_2024[g].index(team) + 1, "1")
    return ed.encode(lines)


def main():
    data = build()
    if "--check" in sys.argv:
        assert OUT.read_bytes() == data, f"{OUT.name} differs from what the script writes"
        print("published edition file checks out")
        return
    OUT.parent.mkdir(exist_ok=True)
    OUT.write_bytes(data)
    print(f"wrote data/site/{OUT.name} ({len(data)} bytes)")


if __name__ == "__main__":
    main()
