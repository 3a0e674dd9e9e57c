#!/usr/bin/env python3
"""Writes the edition files shipped in data/: Zenkor2016.ini, Zenkor2020.ini and Zenkor2024.ini.

The files are Windows-1252 text with CR LF line ends, in the layout the program reads and "Sauve" writes.
Real results are typed here in the official listing (first-named team at home, kick-off order) and mapped
onto the window's fixture order; the script checks every group's final table against the real one before
it writes anything.

    python3 scripts/make_editions.py           # write the three files
    python3 scripts/make_editions.py --check   # read the written files back and check them
"""

import re
import sys
from pathlib import Path

DATA = Path(__file__).resolve().parent.parent / "data"
GROUPS = "ABCDEF"
# Match m of a group pairs these team boxes; score box 2m holds the first-named team's goals.
FIXTURE = [(1, 2), (3, 4), (1, 3), (4, 2), (4, 1), (2, 3)]
DATA_VERSION = "1.0"  # the program version these files need
VENUES = {"DOR", "BER", "COL", "ARE", "DUS", "FRA", "LEP", "MUC", "STR", "HAM", "BUD"}
CHANNELS = ("TF1", "F2", "M6", "C+", "TMC")

# ---------------------------------------------------------------------------------------------------------
# 2024 (Germany): teams in their draw positions; every group match as listed officially: home, away,
# venue, date, local kick-off time, French free-to-air channel.
TEAMS_2024 = {
    "A": ["Allemagne", "Écosse", "Hongrie", "Suisse"],
    "B": ["Espagne", "Croatie", "Italie", "Albanie"],
    "C": ["Slovénie", "Danemark", "Serbie", "Angleterre"],
    "D": ["Pologne", "Pays-Bas", "Autriche", "France"],
    "E": ["Belgique", "Slovaquie", "Roumanie", "Ukraine"],
    "F": ["Turquie", "Géorgie", "Portugal", "République tchèque"],
}
MATCHES_2024 = {
    "A": [
        ("Allemagne", "Écosse", "MUC", "14/06/24", "21:00", "TF1"),
        ("Hongrie", "Suisse", "COL", "15/06/24", "15:00", "M6"),
        ("Allemagne", "Hongrie", "STR", "19/06/24", "18:00", "TF1"),
        ("Écosse", "Suisse", "COL", "19/06/24", "21:00", "M6"),
        ("Suisse", "Allemagne", "FRA", "23/06/24", "21:00", "TF1"),
        ("Écosse", "Hongrie", "STR", "23/06/24", "21:00", "M6"),
    ],
    "B": [
        ("Espagne", "Croatie", "BER", "15/06/24", "18:00", "TF1"),
        ("Italie", "Albanie", "DOR", "15/06/24", "21:00", "M6"),
        ("Croatie", "Albanie", "HAM", "19/06/24", "15:00", "M6"),
        ("Espagne", "Italie", "ARE", "20/06/24", "21:00", "TF1"),
        ("Albanie", "Espagne", "DUS", "24/06/24", "21:00", "M6"),
        ("Croatie", "Italie", "LEP", "24/06/24", "21:00", "TF1"),
    ],
    "C": [
        ("Slovénie", "Danemark", "STR", "16/06/24", "18:00", "M6"),
        ("Serbie", "Angleterre", "ARE", "16/06/24", "21:00", "TF1"),
        ("Slovénie", "Serbie", "MUC", "20/06/24", "15:00", "M6"),
        ("Danemark", "Angleterre", "FRA", "20/06/24", "18:00", "TF1"),
        ("Angleterre", "Slovénie", "COL", "25/06/24", "21:00", "M6"),
        ("Danemark", "Serbie", "MUC", "25/06/24", "21:00", "TF1"),
    ],
    "D": [
        ("Pologne", "Pays-Bas", "HAM", "16/06/24", "15:00", "TF1"),
        ("Autriche", "France", "DUS", "17/06/24", "21:00", "TF1"),
        ("Pologne", "Autriche", "BER", "21/06/24", "18:00", "TF1"),
        ("Pays-Bas", "France", "LEP", "21/06/24", "21:00", "M6"),
        ("Pays-Bas", "Autriche", "BER", "25/06/24", "18:00", "M6"),
        ("France", "Pologne", "DOR", "25/06/24", "18:00", "TF1"),
    ],
    "E": [
        ("Roumanie", "Ukraine", "MUC", "17/06/24", "15:00", "M6"),
        ("Belgique", "Slovaquie", "FRA", "17/06/24", "18:00", "M6"),
        ("Slovaquie", "Ukraine", "DUS", "21/06/24", "15:00", "M6"),
        ("Belgique", "Roumanie", "COL", "22/06/24", "21:00", "TF1"),
        ("Slovaquie", "Roumanie", "FRA", "26/06/24", "18:00", "M6"),
        ("Ukraine", "Belgique", "STR", "26/06/24", "18:00", "TF1"),
    ],
    "F": [
        ("Turquie", "Géorgie", "DOR", "18/06/24", "18:00", "M6"),
        ("Portugal", "République tchèque", "LEP", "18/06/24", "21:00", "TF1"),
        ("Géorgie", "République tchèque", "HAM", "22/06/24", "15:00", "M6"),
        ("Turquie", "Portugal", "DOR", "22/06/24", "18:00", "TF1"),
        ("Géorgie", "Portugal", "ARE", "26/06/24", "21:00", "M6"),
        ("République tchèque", "Turquie", "HAM", "26/06/24", "21:00", "TF1"),
    ],
}
# Knockout matches by the window's slots. Round-of-16 match k: slots 2k, 2k+1 (1F-3ABC, 2D-2E, 1B-3ADEF,
# 1A-2C, 1E-3ABCD, 1D-2F, 1C-3DEF, 2A-2B); quarter-final k takes the winners of round-of-16 matches 2k
# and 2k+1; semi-final k those of quarter-finals 2k and 2k+1. The teams are the real ones, for checking.
KNOCKOUT_2024 = {
    100: ("Portugal", "Slovénie", "FRA", "01/07/24", "21:00", "M6"),
    102: ("France", "Belgique", "DUS", "01/07/24", "18:00", "TF1"),
    104: ("Espagne", "Géorgie", "COL", "30/06/24", "21:00", "M6"),
    106: ("Allemagne", "Danemark", "DOR", "29/06/24", "21:00", "TF1"),
    108: ("Roumanie", "Pays-Bas", "MUC", "02/07/24", "18:00", "TF1"),
    110: ("Autriche", "Turquie", "LEP", "02/07/24", "21:00", "M6"),
    112: ("Angleterre", "Slovaquie", "ARE", "30/06/24", "18:00", "TF1"),
    114: ("Suisse", "Italie", "BER", "29/06/24", "18:00", "M6"),
    200: ("Portugal", "France", "HAM", "05/07/24", "21:00", "M6"),
    202: ("Espagne", "Allemagne", "STR", "05/07/24", "18:00", "TF1"),
    204: ("Pays-Bas", "Turquie", "BER", "06/07/24", "21:00", "M6"),
    206: ("Angleterre", "Suisse", "DUS", "06/07/24", "18:00", "TF1"),
    300: ("Espagne", "France", "MUC", "09/07/24", "21:00", "TF1"),
    302: ("Pays-Bas", "Angleterre", "DOR", "10/07/24", "21:00", "M6"),
    # No third-place match was played (key 400 stays absent).
    500: ("Espagne", "Angleterre", "BER", "14/07/24", "21:00", "M6"),
}
MESS_2024 = [
    "Bienvenue ! Saisissez les scores au fil des matchs, du 14 juin au 14 juillet 2024. "
    "Les résultats réels arrivent avec le bouton « Mise à jour ».",
    "Welcome! Type in the scores as the matches are played, from 14 June to 14 July 2024. "
    "The real results come with the update button.",
    "¡Bienvenido! Introduzca los resultados de los partidos, del 14 de junio al 14 de julio de 2024. "
    "Los resultados reales llegan con el botón de actualización.",
]
LINK_2024 = ("Toutes les infos sur le site", "https://www.example.org/zenkor.php")

# ---------------------------------------------------------------------------------------------------------
# 2016 (France) and 2020 (played in 2021): draw positions and every group result as listed officially.
TEAMS_2016 = {
    "A": ["France", "Roumanie", "Albanie", "Suisse"],
    "B": ["Angleterre", "Russie", "Pays de Galles", "Slovaquie"],
    "C": ["Allemagne", "Ukraine", "Pologne", "Irlande du Nord"],
    "D": ["Espagne", "République tchèque", "Turquie", "Croatie"],
    "E": ["Belgique", "Italie", "Irlande", "Suède"],
    "F": ["Portugal", "Islande", "Autriche", "Hongrie"],
}
RESULTS_2016 = {
    "A": [("France", "Roumanie", 2, 1), ("Albanie", "Suisse", 0, 1), ("Roumanie", "Suisse", 1, 1),
          ("France", "Albanie", 2, 0), ("Roumanie", "Albanie", 0, 1), ("Suisse", "France", 0, 0)],
    "B": [("Pays de Galles", "Slovaquie", 2, 1), ("Angleterre", "Russie", 1, 1),
          ("Russie", "Slovaquie", 1, 2), ("Angleterre", "Pays de Galles", 2, 1),
          ("Russie", "Pays de Galles", 0, 3), ("Slovaquie", "Angleterre", 0, 0)],
    "C": [("Pologne", "Irlande du Nord", 1, 0), ("Allemagne", "Ukraine", 2, 0),
          ("Ukraine", "Irlande du Nord", 0, 2), ("Allemagne", "Pologne", 0, 0),
          ("Ukraine", "Pologne", 0, 1), ("Irlande du Nord", "Allemagne", 0, 1)],
    "D": [("Turquie", "Croatie", 0, 1), ("Espagne", "République tchèque", 1, 0),
          ("République tchèque", "Croatie", 2, 2), ("Espagne", "Turquie", 3, 0),
          ("République tchèque", "Turquie", 0, 2), ("Croatie", "Espagne", 2, 1)],
    "E": [("Irlande", "Suède", 1, 1), ("Belgique", "Italie", 0, 2), ("Italie", "Suède", 1, 0),
          ("Belgique", "Irlande", 3, 0), ("Italie", "Irlande", 0, 1), ("Suède", "Belgique", 0, 1)],
    "F": [("Autriche", "Hongrie", 0, 2), ("Portugal", "Islande", 1, 1), ("Islande", "Hongrie", 1, 1),
          ("Portugal", "Autriche", 0, 0), ("Islande", "Autriche", 2, 1), ("Hongrie", "Portugal", 3, 3)],
}
# The real final tables: team, points, goals for, goals against, in the order the tournament ranked them.
TABLES_2016 = {
    "A": [("France", 7, 4, 1), ("Suisse", 5, 2, 1), ("Albanie", 3, 1, 3), ("Roumanie", 1, 2, 4)],
    "B": [("Pays de Galles", 6, 6, 3), ("Angleterre", 5, 3, 2), ("Slovaquie", 4, 3, 3), ("Russie", 1, 2, 6)],
    "C": [("Allemagne", 7, 3, 0), ("Pologne", 7, 2, 0), ("Irlande du Nord", 3, 2, 2), ("Ukraine", 0, 0, 5)],
    "D": [("Croatie", 7, 5, 3), ("Espagne", 6, 5, 2), ("Turquie", 3, 2, 4), ("République tchèque", 1, 2, 5)],
    "E": [("Italie", 6, 3, 1), ("Belgique", 6, 4, 2), ("Irlande", 4, 2, 4), ("Suède", 1, 1, 3)],
    "F": [("Hongrie", 5, 6, 4), ("Islande", 5, 4, 3), ("Portugal", 3, 4, 4), ("Autriche", 1, 1, 4)],
}
TEAMS_2020 = {
    "A": ["Turquie", "Italie", "Pays de Galles", "Suisse"],
    "B": ["Danemark", "Finlande", "Belgique", "Russie"],
    "C": ["Pays-Bas", "Ukraine", "Autriche", "Macédoine du Nord"],
    "D": ["Angleterre", "Croatie", "Écosse", "République tchèque"],
    "E": ["Espagne", "Suède", "Pologne", "Slovaquie"],
    "F": ["Hongrie", "Portugal", "France", "Allemagne"],
}
RESULTS_2020 = {
    "A": [("Turquie", "Italie", 0, 3), ("Pays de Galles", "Suisse", 1, 1),
          ("Turquie", "Pays de Galles", 0, 2), ("Italie", "Suisse", 3, 0),
          ("Suisse", "Turquie", 3, 1), ("Italie", "Pays de Galles", 1, 0)],
    "B": [("Danemark", "Finlande", 0, 1), ("Belgique", "Russie", 3, 0), ("Finlande", "Russie", 0, 1),
          ("Danemark", "Belgique", 1, 2), ("Russie", "Danemark", 1, 4), ("Finlande", "Belgique", 0, 2)],
    "C": [("Autriche", "Macédoine du Nord", 3, 1), ("Pays-Bas", "Ukraine", 3, 2),
          ("Ukraine", "Macédoine du Nord", 2, 1), ("Pays-Bas", "Autriche", 2, 0),
          ("Macédoine du Nord", "Pays-Bas", 0, 3), ("Ukraine", "Autriche", 0, 1)],
    "D": [("Angleterre", "Croatie", 1, 0), ("Écosse", "République tchèque", 0, 2),
          ("Croatie", "République tchèque", 1, 1), ("Angleterre", "Écosse", 0, 0),
          ("République tchèque", "Angleterre", 0, 1), ("Croatie", "Écosse", 3, 1)],
    "E": [("Pologne", "Slovaquie", 1, 2), ("Espagne", "Suède", 0, 0), ("Suède", "Slovaquie", 1, 0),
          ("Espagne", "Pologne", 1, 1), ("Slovaquie", "Espagne", 0, 5), ("Suède", "Pologne", 3, 2)],
    "F": [("Hongrie", "Portugal", 0, 3), ("France", "Allemagne", 1, 0), ("Hongrie", "France", 1, 1),
          ("Portugal", "Allemagne", 2, 4), ("Portugal", "France", 2, 2), ("Allemagne", "Hongrie", 2, 2)],
}
TABLES_2020 = {
    "A": [("Italie", 9, 7, 0), ("Pays de Galles", 4, 3, 2), ("Suisse", 4, 4, 5), ("Turquie", 0, 1, 8)],
    "B": [("Belgique", 9, 7, 1), ("Danemark", 3, 5, 4), ("Finlande", 3, 1, 3), ("Russie", 3, 2, 7)],
    "C": [("Pays-Bas", 9, 8, 2), ("Autriche", 6, 4, 3), ("Ukraine", 3, 4, 5),
          ("Macédoine du Nord", 0, 2, 8)],
    "D": [("Angleterre", 7, 2, 0), ("Croatie", 4, 4, 3), ("République tchèque", 4, 3, 2), ("Écosse", 1, 1, 5)],
    "E": [("Suède", 7, 4, 2), ("Espagne", 5, 6, 1), ("Slovaquie", 3, 2, 7), ("Pologne", 1, 4, 6)],
    "F": [("France", 5, 4, 3), ("Allemagne", 4, 6, 5), ("Portugal", 4, 7, 6), ("Hongrie", 2, 3, 6)],
}
MESS_OLD = {
    2016: [
        "Édition 2016 en France : résultats réels de la phase de groupes. "
        "La phase finale suivait un autre tableau, elle n'est pas reprise.",
        "2016 edition in France: real group-stage results. "
        "The knockout stage followed another bracket and is not included.",
        "Edición 2016 en Francia: resultados reales de la fase de grupos. "
        "La fase final seguía otro cuadro y no se incluye.",
    ],
    2020: [
        "Édition 2020, jouée en 2021 : résultats réels de la phase de groupes. "
        "La phase finale suivait un autre classement, elle n'est pas reprise.",
        "2020 edition, played in 2021: real group-stage results. "
        "The knockout stage followed other rankings and is not included.",
        "Edición 2020, jugada en 2021: resultados reales de la fase de grupos. "
        "La fase final seguía otra clasificación y no se incluye.",
    ],
}


def fixture_index(teams, home, away):
    """The fixture m of the pair and whether the official listing is reversed in the window."""
    a, b = teams.index(home) + 1, teams.index(away) + 1
    for m, pair in enumerate(FIXTURE):
        if pair == (a, b):
            return m, False
        if pair == (b, a):
            return m, True
    raise ValueError(f"{home} - {away}: no such fixture")


def score_boxes(teams, results):
    boxes = ["-"] * 12
    seen = set()
    for home, away, hg, ag in results:
        m, flipped = fixture_index(teams, home, away)
        assert m not in seen, f"{home} - {away} listed twice"
        seen.add(m)
        first, second = (ag, hg) if flipped else (hg, ag)
        boxes[2 * m], boxes[2 * m + 1] = str(first), str(second)
    assert len(seen) == 6
    return boxes


def table(teams, boxes):
    """Points, goals for and against per team from the boxes, ranked as the program ranks (points,
    difference, goals scored; the higher team index first on a full tie)."""
    stats = {t: [0, 0, 0] for t in teams}
    for m, (a, b) in enumerate(FIXTURE):
        x, y = boxes[2 * m], boxes[2 * m + 1]
        if x == "-" or y == "-":
            continue
        ga, gb = int(x), int(y)
        ta, tb = teams[a - 1], teams[b - 1]
        stats[ta][1] += ga
        stats[ta][2] += gb
        stats[tb][1] += gb
        stats[tb][2] += ga
        stats[ta][0] += 3 if ga > gb else 1 if ga == gb else 0
        stats[tb][0] += 3 if gb > ga else 1 if ga == gb else 0

    def key(t):
        p, f, a = stats[t]
        return (p, f - a, f, teams.index(t))

    return [(t, *stats[t]) for t in sorted(teams, key=key, reverse=True)]


def check_tables(year, teams, results, real):
    for g in GROUPS:
        boxes = score_boxes(teams[g], results[g])
        mine = table(teams[g], boxes)
        assert sorted(mine) == sorted(real[g]), f"{year} {g}: {mine} != {real[g]}"
        if [r[0] for r in mine] != [r[0] for r in real[g]]:
            print(f"{year} group {g}: the program ranks {[r[0] for r in mine]}, the tournament "
                  f"ranked {[r[0] for r in real[g]]} (head-to-head)")


def info_text(venue, date, time, channel):
    assert venue in VENUES and channel in CHANNELS
    assert re.fullmatch(r"\d\d/\d\d/\d\d", date) and re.fullmatch(r"\d\d:\d\d", time)
    return f"{venue}({channel}) {date} {time}"


def match_section_2024():
    keys = {}
    for gi, g in enumerate(GROUPS):
        matches = MATCHES_2024[g]
        assert len(matches) == 6
        for home, away, venue, date, time, channel in matches:
            m, _ = fixture_index(TEAMS_2024[g], home, away)
            key = 12 * gi + 2 * m
            assert key not in keys
            keys[key] = info_text(venue, date, time, channel)
    for key, (_, _, venue, date, time, channel) in KNOCKOUT_2024.items():
        keys[key] = info_text(venue, date, time, channel)
    # The real tournament: one match per venue and day, the last two matches of a group at the same time.
    used = [v[:3] + v[-14:-6] for v in keys.values()]
    assert len(used) == len(set(used)), "a venue hosts two matches on one day"
    for gi in range(6):
        assert keys[12 * gi + 8][-14:] == keys[12 * gi + 10][-14:]
    assert len(keys) == 51
    return dict(sorted(keys.items()))


def check_knockout_2024():
    """The real round of 16 fills the window's slots as the seeding places them."""
    slot_groups = [("1", "F"), ("3", "ABC"), ("2", "D"), ("2", "E"), ("1", "B"), ("3", "ADEF"), ("1", "A"),
                   ("2", "C"), ("1", "E"), ("3", "ABCD"), ("1", "D"), ("2", "F"), ("1", "C"), ("3", "DEF"),
                   ("2", "A"), ("2", "B")]
    finish = {  # the real final places of 2024, for the teams that went through
        "A": ["Allemagne", "Suisse", "Hongrie"], "B": ["Espagne", "Italie", "Croatie"],
        "C": ["Angleterre", "Danemark", "Slovénie"], "D": ["Autriche", "France", "Pays-Bas"],
        "E": ["Roumanie", "Belgique", "Slovaquie"], "F": ["Portugal", "Turquie", "Géorgie"],
    }
    for k in range(8):
        pair = KNOCKOUT_2024[100 + 2 * k][:2]
        for team, (place, groups) in zip(pair, slot_groups[2 * k:2 * k + 2]):
            assert any(finish[g][int(place) - 1] == team for g in groups), (team, place, groups)
    winners16 = ["Portugal", "France", "Espagne", "Allemagne", "Pays-Bas", "Turquie", "Angleterre", "Suisse"]
    for k in range(4):
        assert KNOCKOUT_2024[200 + 2 * k][:2] == tuple(winners16[2 * k:2 * k + 2])
    winners8 = ["France", "Espagne", "Pays-Bas", "Angleterre"]  # semi-final k: quarter-finals 2k, 2k+1
    for k in range(2):
        assert set(KNOCKOUT_2024[300 + 2 * k][:2]) == set(winners8[2 * k:2 * k + 2])
    assert KNOCKOUT_2024[500][:2] == ("Espagne", "Angleterre")


def edition_lines(teams, boxes, mess, link=None, match=None):
    lines = []

    def section(name, entries):
        lines.append(f"[{name}]")
        lines.extend(f"{k}={v}" for k, v in entries)

    section("CV", [(0, DATA_VERSION)])
    if link:
        section("Lien", [(0, link[0]), (1, link[1])])
    section("Mess", list(enumerate(mess)))
    for g in GROUPS:
        section("But" + g, list(enumerate(boxes[g])))
        section("Equip" + g, [(i + 1, t) for i, t in enumerate(teams[g])])
    for name, count in (("But8", 16), ("Pen8", 16), ("But4", 8), ("Pen4", 8), ("ButDEM", 4), ("PenDEM", 4),
                        ("PenFIN", 2), ("BUTFIN", 2), ("PenPetFIN", 2), ("BUTPetFIN", 2)):
        section(name, [(i, "-") for i in range(count)])
    for g in GROUPS:
        section("TS" + g, [(i, "") for i in range(1, 5)])
    if match:
        section("Match", list(match.items()))
    return lines


def encode(lines):
    for line in lines:
        assert "\r" not in line and "\n" not in line
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def build():
    check_tables(2016, TEAMS_2016, RESULTS_2016, TABLES_2016)
    check_tables(2020, TEAMS_2020, RESULTS_2020, TABLES_2020)
    check_knockout_2024()
    files = {}
    for year, teams, results in ((2016, TEAMS_2016, RESULTS_2016), (2020, TEAMS_2020, RESULTS_2020)):
        boxes = {g: score_boxes(teams[g], results[g]) for g in GROUPS}
        files[f"Zenkor{year}.ini"] = encode(edition_lines(teams, boxes, MESS_OLD[year]))
    empty = {g: ["-"] * 12 for g in GROUPS}
    files["Zenkor2024.ini"] = encode(
        edition_lines(TEAMS_2024, empty, MESS_2024, LINK_2024, match_section_2024()))
    return files


def read_ini(path):
    """A reader independent of the writer above: sections and keys compare without regard to case."""
    raw = path.read_bytes()
    assert b"\n" not in raw.replace(b"\r\n", b""), f"{path.name}: a line end that is not CR LF"
    ini, section = {}, None
    for line in raw.decode("cp1252").split("\r\n"):
        if line.startswith("["):
            section = ini.setdefault(line.strip("[]").lower(), {})
        elif "=" in line:
            k, v = line.split("=", 1)
            section[k.lower()] = v
    return ini


def check_written():
    for year, teams, real in ((2016, TEAMS_2016, TABLES_2016), (2020, TEAMS_2020, TABLES_2020)):
        ini = read_ini(DATA / f"Zenkor{year}.ini")
        for g in GROUPS:
            names = [ini["equip" + g.lower()][str(i)] for i in range(1, 5)]
            assert names == teams[g]
            boxes = [ini["but" + g.lower()][str(k)] for k in range(12)]
            assert sorted(table(names, boxes)) == sorted(real[g]), (year, g)
        assert all(v == "-" for s in ("but8", "but4", "butdem", "butfin") for v in ini[s].values())
    ini = read_ini(DATA / "Zenkor2024.ini")
    assert [ini["equip" + g.lower()][str(i)] for g in GROUPS for i in range(1, 5)] == [
        t for g in GROUPS for t in TEAMS_2024[g]]
    assert all(v == "-" for g in GROUPS for v in ini["but" + g.lower()].values())
    assert len(ini["match"]) == 51 and "400" not in ini["match"]
    print("edition files check out")


def main():
    files = build()
    if "--check" in sys.argv:
        for name, data in files.items():
            assert (DATA / name).read_bytes() == data, f"{name} differs from what the script writes"
        check_written()
        return
    DATA.mkdir(exist_ok=True)
    for name, data in files.items():
        (DATA / name).write_bytes(data)
        print(f"wrote data/{name} ({len(data)} bytes)")


if __name__ == "__main__":
    main()
