#!/usr/bin/env python3
"""Writes data/Elim2024.ini, the qualifiers file shipped beside the program.

Nine groups, their teams in the order of the "Equip" keys, the scores of every fixture row, the four
play-off ties and a news text per language. The file is Windows-1252 text with CR LF line ends.

A group's fixture rows follow the order of its teams: row x pairs team i (home) and team j (away), home index
major, j running over the other teams; the scores of row x are keys 2x (home) and 2x+1 (away) of "But" + the
group letter. Every fixture of the 2016 qualifying is played.

Before writing, the script checks every group's points against the real final table (without the points
deductions decided off the pitch, which the file cannot hold: a group table counts results only).

    python3 scripts/make_elim.py           # write the file
    python3 scripts/make_elim.py --check   # read the written file back and check it
"""

import sys
from pathlib import Path

DATA = Path(__file__).resolve().parent.parent / "data"

TEAMS = {
    "A": ["Islande", "Kazakhstan", "Lettonie", "Pays-Bas", "Rép Tchèque", "Turquie"],
    "B": ["Andorre", "Belgique", "Bosnie", "Chypre", "Galles", "Israel"],
    "C": ["Biélorussie", "Espagne", "Luxembourg", "Macédoine", "Slovaquie", "Ukraine"],
    "D": ["Allemagne", "Ecosse", "Géorgie", "Gibraltar", "Irlande", "Pologne"],
    "E": ["Angleterre", "Estonie", "Lituanie", "Saint Marin", "Slovénie", "Suisse"],
    "F": ["Finland", "Grèce", "Hongrie", "Irlande Nord", "Îles Féroé", "Roumanie"],
    "G": ["Autriche", "Liechtenstein", "Moldavie", "Monténégro", "Russie", "Suède"],
    "H": ["Azerbaïdjan", "Bulgarie", "Croatie", "Italie", "Malte", "Norvège"],
    "I": ["Albanie", "Arménie", "Danemark", "Portugal", "Serbie"],
}

# Results as played (home first); matches awarded by the disciplinary bodies count with their awarded score.
RESULTS = {
    "A": """Islande - Turquie 3-0; Kazakhstan - Lettonie 0-0; Rép Tchèque - Pays-Bas 2-1;
        Lettonie - Islande 0-3; Pays-Bas - Kazakhstan 3-1; Turquie - Rép Tchèque 1-2;
        Islande - Pays-Bas 2-0; Kazakhstan - Rép Tchèque 2-4; Lettonie - Turquie 1-1;
        Pays-Bas - Lettonie 6-0; Rép Tchèque - Islande 2-1; Turquie - Kazakhstan 3-1;
        Kazakhstan - Islande 0-3; Pays-Bas - Turquie 1-1; Rép Tchèque - Lettonie 1-1;
        Islande - Rép Tchèque 2-1; Kazakhstan - Turquie 0-1; Lettonie - Pays-Bas 0-2;
        Pays-Bas - Islande 0-1; Rép Tchèque - Kazakhstan 2-1; Turquie - Lettonie 1-1;
        Islande - Kazakhstan 0-0; Lettonie - Rép Tchèque 1-2; Turquie - Pays-Bas 3-0;
        Islande - Lettonie 2-2; Kazakhstan - Pays-Bas 1-2; Rép Tchèque - Turquie 0-2;
        Lettonie - Kazakhstan 0-1; Pays-Bas - Rép Tchèque 2-3; Turquie - Islande 1-0""",
    "B": """Andorre - Galles 1-2; Bosnie - Chypre 1-2; Israel - Belgique 0-1;
        Belgique - Andorre 6-0; Chypre - Israel 1-2; Galles - Bosnie 0-0;
        Andorre - Israel 1-4; Bosnie - Belgique 1-1; Galles - Chypre 2-1;
        Belgique - Galles 0-0; Chypre - Andorre 5-0; Israel - Bosnie 3-0;
        Andorre - Bosnie 0-3; Belgique - Chypre 5-0; Israel - Galles 0-3;
        Andorre - Chypre 1-3; Bosnie - Israel 3-1; Galles - Belgique 1-0;
        Belgique - Bosnie 3-1; Chypre - Galles 0-1; Israel - Andorre 4-0;
        Bosnie - Andorre 3-0; Chypre - Belgique 0-1; Galles - Israel 0-0;
        Andorre - Belgique 1-4; Bosnie - Galles 2-0; Israel - Chypre 1-2;
        Belgique - Israel 3-1; Chypre - Bosnie 2-3; Galles - Andorre 2-0""",
    "C": """Espagne - Macédoine 5-1; Luxembourg - Biélorussie 1-1; Ukraine - Slovaquie 0-1;
        Biélorussie - Ukraine 0-2; Macédoine - Luxembourg 3-2; Slovaquie - Espagne 2-1;
        Biélorussie - Slovaquie 1-3; Luxembourg - Espagne 0-4; Ukraine - Macédoine 1-0;
        Espagne - Biélorussie 3-0; Luxembourg - Ukraine 0-3; Macédoine - Slovaquie 0-2;
        Espagne - Ukraine 1-0; Macédoine - Biélorussie 1-2; Slovaquie - Luxembourg 3-0;
        Biélorussie - Espagne 0-1; Slovaquie - Macédoine 2-1; Ukraine - Luxembourg 3-0;
        Espagne - Slovaquie 2-0; Luxembourg - Macédoine 1-0; Ukraine - Biélorussie 3-1;
        Biélorussie - Luxembourg 2-0; Macédoine - Espagne 0-1; Slovaquie - Ukraine 0-0;
        Espagne - Luxembourg 4-0; Macédoine - Ukraine 0-2; Slovaquie - Biélorussie 0-1;
        Biélorussie - Macédoine 0-0; Luxembourg - Slovaquie 2-4; Ukraine - Espagne 0-1""",
    "D": """Allemagne - Ecosse 2-1; Géorgie - Irlande 1-2; Gibraltar - Pologne 0-7;
        Ecosse - Géorgie 1-0; Irlande - Gibraltar 7-0; Pologne - Allemagne 2-0;
        Allemagne - Irlande 1-1; Gibraltar - Géorgie 0-3; Pologne - Ecosse 2-2;
        Allemagne - Gibraltar 4-0; Ecosse - Irlande 1-0; Géorgie - Pologne 0-4;
        Ecosse - Gibraltar 6-1; Géorgie - Allemagne 0-2; Irlande - Pologne 1-1;
        Gibraltar - Allemagne 0-7; Irlande - Ecosse 1-1; Pologne - Géorgie 4-0;
        Allemagne - Pologne 3-1; Géorgie - Ecosse 1-0; Gibraltar - Irlande 0-4;
        Ecosse - Allemagne 2-3; Irlande - Géorgie 1-0; Pologne - Gibraltar 8-1;
        Ecosse - Pologne 2-2; Géorgie - Gibraltar 4-0; Irlande - Allemagne 1-0;
        Allemagne - Géorgie 2-1; Gibraltar - Ecosse 0-6; Pologne - Irlande 2-1""",
    "E": """Estonie - Slovénie 1-0; Saint Marin - Lituanie 0-2; Suisse - Angleterre 0-2;
        Angleterre - Saint Marin 5-0; Lituanie - Estonie 1-0; Slovénie - Suisse 1-0;
        Estonie - Angleterre 0-1; Lituanie - Slovénie 0-2; Saint Marin - Suisse 0-4;
        Angleterre - Slovénie 3-1; Saint Marin - Estonie 0-0; Suisse - Lituanie 4-0;
        Angleterre - Lituanie 4-0; Slovénie - Saint Marin 6-0; Suisse - Estonie 3-0;
        Estonie - Saint Marin 2-0; Lituanie - Suisse 1-2; Slovénie - Angleterre 2-3;
        Estonie - Lituanie 1-0; Saint Marin - Angleterre 0-6; Suisse - Slovénie 3-2;
        Angleterre - Suisse 2-0; Lituanie - Saint Marin 2-1; Slovénie - Estonie 1-0;
        Angleterre - Estonie 2-0; Slovénie - Lituanie 1-1; Suisse - Saint Marin 7-0;
        Estonie - Suisse 0-1; Lituanie - Angleterre 0-3; Saint Marin - Slovénie 0-2""",
    "F": """Grèce - Roumanie 0-1; Hongrie - Irlande Nord 1-2; Îles Féroé - Finland 1-3;
        Finland - Grèce 1-1; Irlande Nord - Îles Féroé 2-0; Roumanie - Hongrie 1-1;
        Finland - Roumanie 0-2; Grèce - Irlande Nord 0-2; Îles Féroé - Hongrie 0-1;
        Grèce - Îles Féroé 0-1; Hongrie - Finland 1-0; Roumanie - Irlande Nord 2-0;
        Hongrie - Grèce 0-0; Irlande Nord - Finland 2-1; Roumanie - Îles Féroé 1-0;
        Finland - Hongrie 0-1; Îles Féroé - Grèce 2-1; Irlande Nord - Roumanie 0-0;
        Grèce - Finland 0-1; Hongrie - Roumanie 0-0; Îles Féroé - Irlande Nord 1-3;
        Finland - Îles Féroé 1-0; Irlande Nord - Hongrie 1-1; Roumanie - Grèce 0-0;
        Hongrie - Îles Féroé 2-1; Irlande Nord - Grèce 3-1; Roumanie - Finland 1-1;
        Finland - Irlande Nord 1-1; Grèce - Hongrie 4-3; Îles Féroé - Roumanie 0-3""",
    "G": """Autriche - Suède 1-1; Monténégro - Moldavie 2-0; Russie - Liechtenstein 4-0;
        Liechtenstein - Monténégro 0-0; Moldavie - Autriche 1-2; Suède - Russie 1-1;
        Autriche - Monténégro 1-0; Russie - Moldavie 1-1; Suède - Liechtenstein 2-0;
        Autriche - Russie 1-0; Moldavie - Liechtenstein 0-1; Monténégro - Suède 1-1;
        Liechtenstein - Autriche 0-5; Moldavie - Suède 0-2; Monténégro - Russie 0-3;
        Liechtenstein - Moldavie 1-1; Russie - Autriche 0-1; Suède - Monténégro 3-1;
        Autriche - Moldavie 1-0; Monténégro - Liechtenstein 2-0; Russie - Suède 1-0;
        Liechtenstein - Russie 0-7; Moldavie - Monténégro 0-2; Suède - Autriche 1-4;
        Liechtenstein - Suède 0-2; Moldavie - Russie 1-2; Monténégro - Autriche 2-3;
        Autriche - Liechtenstein 3-0; Russie - Monténégro 2-0; Suède - Moldavie 2-0""",
    "H": """Azerbaïdjan - Bulgarie 1-2; Croatie - Malte 2-0; Norvège - Italie 0-2;
        Bulgarie - Croatie 0-1; Italie - Azerbaïdjan 2-1; Malte - Norvège 0-3;
        Croatie - Azerbaïdjan 6-0; Malte - Italie 0-1; Norvège - Bulgarie 2-1;
        Azerbaïdjan - Norvège 0-1; Bulgarie - Malte 1-1; Italie - Croatie 1-1;
        Azerbaïdjan - Malte 2-0; Bulgarie - Italie 2-2; Croatie - Norvège 5-1;
        Croatie - Italie 1-1; Malte - Bulgarie 0-1; Norvège - Azerbaïdjan 0-0;
        Azerbaïdjan - Croatie 0-0; Bulgarie - Norvège 0-1; Italie - Malte 1-0;
        Italie - Bulgarie 1-0; Malte - Azerbaïdjan 2-2; Norvège - Croatie 2-0;
        Azerbaïdjan - Italie 1-3; Croatie - Bulgarie 3-0; Norvège - Malte 2-0;
        Bulgarie - Azerbaïdjan 2-0; Italie - Norvège 2-1; Malte - Croatie 0-1""",
    "I": """Danemark - Arménie 2-1; Portugal - Albanie 0-1;
        Albanie - Danemark 1-1; Arménie - Serbie 1-1;
        Danemark - Portugal 0-1; Serbie - Albanie 0-3;
        Portugal - Arménie 1-0; Serbie - Danemark 1-3;
        Albanie - Arménie 2-1; Portugal - Serbie 2-1;
        Arménie - Portugal 2-3; Danemark - Serbie 2-0;
        Danemark - Albanie 0-0; Serbie - Arménie 2-0;
        Albanie - Portugal 0-1; Arménie - Danemark 0-0;
        Albanie - Serbie 0-2; Portugal - Danemark 1-0;
        Arménie - Albanie 0-3; Serbie - Portugal 1-2""",
}

# Real final points without the deductions (Croatia -1, Serbia -3) decided off the pitch: a group table
# counts results only.
POINTS = {
    "A": {"Rép Tchèque": 22, "Islande": 20, "Turquie": 18, "Pays-Bas": 13, "Kazakhstan": 5, "Lettonie": 5},
    "B": {"Belgique": 23, "Galles": 21, "Bosnie": 17, "Israel": 13, "Chypre": 12, "Andorre": 0},
    "C": {"Espagne": 27, "Slovaquie": 22, "Ukraine": 19, "Biélorussie": 11, "Luxembourg": 4, "Macédoine": 4},
    "D": {"Allemagne": 22, "Pologne": 21, "Irlande": 18, "Ecosse": 15, "Géorgie": 9, "Gibraltar": 0},
    "E": {"Angleterre": 30, "Suisse": 21, "Slovénie": 16, "Estonie": 10, "Lituanie": 10, "Saint Marin": 1},
    "F": {"Irlande Nord": 21, "Roumanie": 20, "Hongrie": 16, "Finland": 12, "Îles Féroé": 6, "Grèce": 6},
    "G": {"Autriche": 28, "Russie": 20, "Suède": 18, "Monténégro": 11, "Liechtenstein": 5, "Moldavie": 2},
    "H": {"Italie": 24, "Croatie": 21, "Norvège": 19, "Bulgarie": 11, "Azerbaïdjan": 6, "Malte": 2},
    "I": {"Portugal": 21, "Albanie": 14, "Danemark": 12, "Serbie": 7, "Arménie": 2},
}

# The play-offs, one score box per team: the goals of both legs together.
PLAY_OFFS = [("Bosnie", 1, "Irlande", 3), ("Ukraine", 3, "Slovénie", 1), ("Suède", 4, "Danemark", 3),
             ("Norvège", 1, "Hongrie", 3)]

NEWS = {
    "0": "Qualifications du tournoi de football 2016 terminées : la France, pays hôte, "
    "et 23 équipes qualifiées.",
    "1": "Qualifying for the 2016 football tournament completed: France, the host, and 23 qualified teams.",
    "2": "Clasificación para el torneo de fútbol 2016 terminada: Francia, país anfitrión, "
    "y 23 equipos clasificados.",
}


def parse(group):
    results = {}
    for entry in RESULTS[group].replace("\n", " ").split(";"):
        entry = entry.strip()
        teams, score = entry.rsplit(" ", 1)
        home, away = teams.split(" - ")
        h, a = score.split("-")
        assert home in TEAMS[group] and away in TEAMS[group], entry
        assert (home, away) not in results, entry
        results[(home, away)] = (int(h), int(a))
    return results


def rows(group):
    """The fixture rows of a group, in the order the program fills them."""
    teams = TEAMS[group]
    return [(teams[i], teams[j]) for i in range(len(teams)) for j in range(len(teams)) if i != j]


def check_points(group, results):
    points = {t: 0 for t in TEAMS[group]}
    for (home, away), (h, a) in results.items():
        if h > a:
            points[home] += 3
        elif a > h:
            points[away] += 3
        else:
            points[home] += 1
            points[away] += 1
    assert points == POINTS[group], (group, points)


def lines():
    out = []
    for group in TEAMS:
        results = parse(group)
        check_points(group, results)
        out.append(f"[Equip{group}]")
        for k, team in enumerate(TEAMS[group]):
            out.append(f"{k}={team}")
        out.append(f"[But{group}]")
        fixtures = rows(group)
        for x in range(30):
            h, a = results.get(fixtures[x], ("-", "-")) if x < len(fixtures) else ("-", "-")
            out.append(f"{2 * x}={h}")
            out.append(f"{2 * x + 1}={a}")
    out.append("[QBAR]")
    for t, (home, _, away, _) in enumerate(PLAY_OFFS):
        out.append(f"{2 * t}={home}")
        out.append(f"{2 * t + 1}={away}")
    out.append("[ButBAR]")
    for t, (_, h, _, a) in enumerate(PLAY_OFFS):
        out.append(f"{2 * t}={h}")
        out.append(f"{2 * t + 1}={a}")
    out.append("[Mess]")
    for key, text in NEWS.items():
        out.append(f"{key}={text}")
    return out


def main():
    path = DATA / "Elim2024.ini"
    data = ("\r\n".join(lines()) + "\r\n").encode("cp1252")
    if "--check" in sys.argv:
        if path.read_bytes() != data:
            sys.exit(f"{path} differs from what the script writes")
        print(f"{path} is up to date")
        return
    path.write_bytes(data)
    print(f"wrote {path}")


if __name__ == "__main__":
    main()
