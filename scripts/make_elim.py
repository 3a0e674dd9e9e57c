#!/usr/bin/env python3
"""Writes data/Elim2024.ini, the qualifiers file shipped beside the program.

Nine groups, their teams in the order of the "Equip" keys, the scores of every fixture row, the four
play-off ties and a news text per language. The file is Windows-1252 text with CR LF line ends.

A group's fixture rows follow the order of its teams: row x pairs team i (home) and team j (away), home index
major, j running over the other teams; the scores of row x are keys 2x (home) and 2x+1 (away) of "But" + the
group letter. Every fixture of the 2016 qualifying is played.

Before writing, the script checks every group's points and order against the real final table (without
the points deductions decided off the pitch, which the file cannot hold: a group table counts results
only), ranking the teams as the program's qualifier table does. Where the real order came from a rule the
table's key does not know (results between the tied teams), the file's manual advantage holds it. The
check also holds the program's fixture table (qualifiers/qualifier_fixtures.cpp) against the real dates.

    python3 scripts/make_elim.py           # write the file
    python3 scripts/make_elim.py --check   # read the written file back and check it
"""

import re
import sys
import unicodedata
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DATA = ROOT / "data"
FIXTURE_TABLE = ROOT / "qualifiers" / "qualifier_fixtures.cpp"

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

# The date every fixture was played on (Israel - Belgique, put off in September 2014, on 31 March 2015).
FIXTURE_DATES = {
    "07/09/2014": "Allemagne - Ecosse, Danemark - Arménie, Géorgie - Irlande, Gibraltar - Pologne, Grèce - Roumanie, "
                  "Hongrie - Irlande Nord, Îles Féroé - Finland, Portugal - Albanie",
    "08/09/2014": "Autriche - Suède, Espagne - Macédoine, Estonie - Slovénie, Luxembourg - Biélorussie, Monténégro - "
                  "Moldavie, Russie - Liechtenstein, Saint Marin - Lituanie, Suisse - Angleterre, Ukraine - Slovaquie",
    "09/09/2014": "Andorre - Galles, Azerbaïdjan - Bulgarie, Bosnie - Chypre, Croatie - Malte, Islande - Turquie, "
                  "Kazakhstan - Lettonie, Norvège - Italie, Rép Tchèque - Pays-Bas",
    "09/10/2014": "Angleterre - Saint Marin, Biélorussie - Ukraine, Liechtenstein - Monténégro, Lituanie - Estonie, "
                  "Macédoine - Luxembourg, Moldavie - Autriche, Slovaquie - Espagne, Slovénie - Suisse, Suède - Russie",
    "10/10/2014": "Belgique - Andorre, Bulgarie - Croatie, Chypre - Israel, Galles - Bosnie, Italie - Azerbaïdjan, "
                  "Lettonie - Islande, Malte - Norvège, Pays-Bas - Kazakhstan, Turquie - Rép Tchèque",
    "11/10/2014": "Albanie - Danemark, Arménie - Serbie, Ecosse - Géorgie, Finland - Grèce, Irlande Nord - Îles Féroé, "
                  "Irlande - Gibraltar, Pologne - Allemagne, Roumanie - Hongrie",
    "12/10/2014": "Autriche - Monténégro, Biélorussie - Slovaquie, Estonie - Angleterre, Lituanie - Slovénie, "
                  "Luxembourg - Espagne, Russie - Moldavie, Suède - Liechtenstein, Ukraine - Macédoine",
    "13/10/2014": "Andorre - Israel, Bosnie - Belgique, Croatie - Azerbaïdjan, Galles - Chypre, Islande - Pays-Bas, "
                  "Kazakhstan - Rép Tchèque, Lettonie - Turquie, Malte - Italie, Norvège - Bulgarie",
    "14/10/2014": "Allemagne - Irlande, Danemark - Portugal, Finland - Roumanie, Gibraltar - Géorgie, Grèce - Irlande "
                  "Nord, Îles Féroé - Hongrie, Pologne - Ecosse, Saint Marin - Suisse, Serbie - Albanie",
    "14/11/2014": "Allemagne - Gibraltar, Ecosse - Irlande, Géorgie - Pologne, Grèce - Îles Féroé, Hongrie - Finland, "
                  "Portugal - Arménie, Roumanie - Irlande Nord, Serbie - Danemark",
    "15/11/2014": "Angleterre - Slovénie, Autriche - Russie, Espagne - Biélorussie, Luxembourg - Ukraine, Macédoine - "
                  "Slovaquie, Moldavie - Liechtenstein, Monténégro - Suède, Saint Marin - Estonie, Suisse - Lituanie",
    "16/11/2014": "Azerbaïdjan - Norvège, Belgique - Galles, Bulgarie - Malte, Chypre - Andorre, Israel - Bosnie, "
                  "Italie - Croatie, Pays-Bas - Lettonie, Rép Tchèque - Islande, Turquie - Kazakhstan",
    "27/03/2015": "Angleterre - Lituanie, Espagne - Ukraine, Liechtenstein - Autriche, Macédoine - Biélorussie, "
                  "Moldavie - Suède, Monténégro - Russie, Slovaquie - Luxembourg, Slovénie - Saint Marin, Suisse - "
                  "Estonie",
    "28/03/2015": "Andorre - Bosnie, Azerbaïdjan - Malte, Belgique - Chypre, Bulgarie - Italie, Croatie - Norvège, "
                  "Israel - Galles, Kazakhstan - Islande, Pays-Bas - Turquie, Rép Tchèque - Lettonie",
    "29/03/2015": "Albanie - Arménie, Ecosse - Gibraltar, Géorgie - Allemagne, Hongrie - Grèce, Irlande Nord - Finland, "
                  "Irlande - Pologne, Portugal - Serbie, Roumanie - Îles Féroé",
    "31/03/2015": "Israel - Belgique",
    "12/06/2015": "Andorre - Chypre, Bosnie - Israel, Croatie - Italie, Galles - Belgique, Islande - Rép Tchèque, "
                  "Kazakhstan - Turquie, Lettonie - Pays-Bas, Malte - Bulgarie, Norvège - Azerbaïdjan",
    "13/06/2015": "Arménie - Portugal, Danemark - Serbie, Finland - Hongrie, Gibraltar - Allemagne, Îles Féroé - Grèce, "
                  "Irlande Nord - Roumanie, Irlande - Ecosse, Pologne - Géorgie",
    "14/06/2015": "Biélorussie - Espagne, Estonie - Saint Marin, Liechtenstein - Moldavie, Lituanie - Suisse, Russie - "
                  "Autriche, Slovaquie - Macédoine, Slovénie - Angleterre, Suède - Monténégro, Ukraine - Luxembourg",
    "03/09/2015": "Azerbaïdjan - Croatie, Belgique - Bosnie, Bulgarie - Norvège, Chypre - Galles, Israel - Andorre, "
                  "Italie - Malte, Pays-Bas - Islande, Rép Tchèque - Kazakhstan, Turquie - Lettonie",
    "04/09/2015": "Allemagne - Pologne, Danemark - Albanie, Géorgie - Ecosse, Gibraltar - Irlande, Grèce - Finland, "
                  "Hongrie - Roumanie, Îles Féroé - Irlande Nord, Serbie - Arménie",
    "05/09/2015": "Autriche - Moldavie, Espagne - Slovaquie, Estonie - Lituanie, Luxembourg - Macédoine, Monténégro - "
                  "Liechtenstein, Russie - Suède, Saint Marin - Angleterre, Suisse - Slovénie, Ukraine - Biélorussie",
    "06/09/2015": "Bosnie - Andorre, Chypre - Belgique, Galles - Israel, Islande - Kazakhstan, Italie - Bulgarie, "
                  "Lettonie - Rép Tchèque, Malte - Azerbaïdjan, Norvège - Croatie, Turquie - Pays-Bas",
    "07/09/2015": "Albanie - Portugal, Arménie - Danemark, Ecosse - Allemagne, Finland - Îles Féroé, Irlande Nord - "
                  "Hongrie, Irlande - Géorgie, Pologne - Gibraltar, Roumanie - Grèce",
    "08/09/2015": "Angleterre - Suisse, Biélorussie - Luxembourg, Liechtenstein - Russie, Lituanie - Saint Marin, "
                  "Macédoine - Espagne, Moldavie - Monténégro, Slovaquie - Ukraine, Slovénie - Estonie, Suède - "
                  "Autriche",
    "08/10/2015": "Albanie - Serbie, Ecosse - Pologne, Géorgie - Gibraltar, Hongrie - Îles Féroé, Irlande Nord - Grèce, "
                  "Irlande - Allemagne, Portugal - Danemark, Roumanie - Finland",
    "09/10/2015": "Angleterre - Estonie, Espagne - Luxembourg, Liechtenstein - Suède, Macédoine - Ukraine, Moldavie - "
                  "Russie, Monténégro - Autriche, Slovaquie - Biélorussie, Slovénie - Lituanie, Suisse - Saint Marin",
    "10/10/2015": "Andorre - Belgique, Azerbaïdjan - Italie, Bosnie - Galles, Croatie - Bulgarie, Islande - Lettonie, "
                  "Israel - Chypre, Kazakhstan - Pays-Bas, Norvège - Malte, Rép Tchèque - Turquie",
    "11/10/2015": "Allemagne - Géorgie, Arménie - Albanie, Finland - Irlande Nord, Gibraltar - Ecosse, Grèce - Hongrie, "
                  "Îles Féroé - Roumanie, Pologne - Irlande, Serbie - Portugal",
    "12/10/2015": "Autriche - Liechtenstein, Biélorussie - Macédoine, Estonie - Suisse, Lituanie - Angleterre, "
                  "Luxembourg - Slovaquie, Russie - Monténégro, Saint Marin - Slovénie, Suède - Moldavie, Ukraine - "
                  "Espagne",
    "13/10/2015": "Belgique - Israel, Bulgarie - Azerbaïdjan, Chypre - Bosnie, Galles - Andorre, Italie - Norvège, "
                  "Lettonie - Kazakhstan, Malte - Croatie, Pays-Bas - Rép Tchèque, Turquie - Islande",
}

# The real final tables in their order, with the points won on the pitch (the deductions decided off it,
# Croatia -1 and Serbia -3, cannot be stored: a group table counts results only).
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

# Manual advantages ("TrimElim" + group, key = team index, 10 = one goal of difference) for the orders the
# key gets wrong: Luxembourg ahead of Macédoine on away goals between them (3-3 over both legs), the
# Faroes ahead of Greece on their two wins against them.
ADVANTAGES = {"C": {"Luxembourg": 100}, "F": {"Îles Féroé": 50}}

# The play-offs, one score box per team: the goals of both legs together.
PLAY_OFFS = [("Bosnie", 1, "Irlande", 3), ("Ukraine", 3, "Slovénie", 1), ("Suède", 4, "Danemark", 3),
             ("Norvège", 1, "Hongrie", 3)]

NEWS = {
    "0": "Qualifications du tournoi de football 2016 terminées : la France, pays hôte, "
    "et 23 équipes qualifiées.",
    "1": "2016 qualifying is over: hosts France and 23 qualified teams.",
    "2": "Fase de clasificación de 2016 terminada: Francia (anfitriona) y 23 selecciones clasificadas.",
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


def ranked(teams, results, advantage):
    """The group's teams from first to last as the program's qualifier table ranks them: by the key
    points x 1000 + 10 x goal difference + goals for, plus the manual advantage; equal final keys by the
    text of the rest of the table line, the later text higher."""
    stats = {t: [0, 0, 0, 0, 0, 0, 0] for t in teams}  # points, played, won, drawn, lost, for, against
    for (home, away), (h, a) in results.items():
        for team, own, opp in ((home, h, a), (away, a, h)):
            s = stats[team]
            s[0] += 3 if own > opp else 1 if own == opp else 0
            s[1] += 1
            s[2 + (0 if own > opp else 1 if own == opp else 2)] += 1
            s[5] += own
            s[6] += opp
    keys = [stats[t][0] * 1000 + (stats[t][5] - stats[t][6]) * 10 + stats[t][5] for t in teams]
    # Equal keys of neighbours in team order go to the head-to-head rule, which this script does not rank.
    for k in range(1, len(teams)):
        assert not (keys[k] > 0 and keys[k] == keys[k - 1]), f"{teams[k - 1]} and {teams[k]} tie"
    lines = []
    for i, (t, key) in enumerate(zip(teams, keys)):
        p, j, g, n, lo, f, a = stats[t]
        final = key + advantage.get(i, 0) + 1000
        assert final >= 0
        lines.append((f"{final:05d}|{t}|{p}|{j}|{g}|{n}|{lo}|{f}|{a}|{f - a}|{10 * (f - a) + f}", t))
    return [t for _, t in sorted(lines, reverse=True)]


def advantages(group):
    return {TEAMS[group].index(team): value for team, value in ADVANTAGES.get(group, {}).items()}


def check_order(group, teams, results, advantage):
    real = list(POINTS[group])
    mine = ranked(teams, results, advantage)
    assert mine == real, f"group {group}: the table ranks {mine}, the real final order is {real}"


def check_written(path):
    """The written file's tables, as the program reads them (its own teams, scores and advantages)."""
    ini, section = {}, None
    for line in path.read_bytes().decode("cp1252").split("\r\n"):
        if line.startswith("["):
            section = ini.setdefault(line.strip("[]").lower(), {})
        elif "=" in line:
            key, value = line.split("=", 1)
            section[key] = value
    for group in TEAMS:
        teams = [ini[f"equip{group.lower()}"][str(k)] for k in range(len(TEAMS[group]))]
        scores = ini[f"but{group.lower()}"]
        fixtures = [(teams[i], teams[j]) for i in range(len(teams)) for j in range(len(teams)) if i != j]
        results = {pair: (int(scores[str(2 * x)]), int(scores[str(2 * x + 1)]))
                   for x, pair in enumerate(fixtures) if scores[str(2 * x)] != "-"}
        advantage = {int(k): int(v) for k, v in ini.get(f"trimelim{group.lower()}", {}).items()}
        check_points(group, results)
        check_order(group, teams, results, advantage)


def lines():
    out = []
    for group in TEAMS:
        results = parse(group)
        check_points(group, results)
        check_order(group, TEAMS[group], results, advantages(group))
        out.append(f"[Equip{group}]")
        for k, team in enumerate(TEAMS[group]):
            out.append(f"{k}={team}")
        out.append(f"[But{group}]")
        fixtures = rows(group)
        for x in range(30):
            h, a = results.get(fixtures[x], ("-", "-")) if x < len(fixtures) else ("-", "-")
            out.append(f"{2 * x}={h}")
            out.append(f"{2 * x + 1}={a}")
        if group in ADVANTAGES:
            out.append(f"[TrimElim{group}]")
            for index, value in advantages(group).items():
                out.append(f"{index}={value}")
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


def fold(text):
    """The fixture table's order of names: accents do not count."""
    return "".join(c for c in unicodedata.normalize("NFD", text) if not unicodedata.combining(c))


def check_fixture_table():
    """The program's table holds every fixture once, on its real date, by date and then by home team (the
    one fixture put off stands where it was first due)."""
    rows = re.findall(r'"(\d\d/\d\d/\d{4})\|([^|"]+)\|([^|"]+)\|([A-I])"', FIXTURE_TABLE.read_text("utf-8"))
    assert len(rows) == 260, f"{FIXTURE_TABLE.name}: {len(rows)} fixtures"
    real = {}
    for date, fixtures in FIXTURE_DATES.items():
        for fixture in fixtures.split(", "):
            home, away = fixture.split(" - ")
            real[(home, away)] = date
    played = {(home, away) for group in TEAMS for home, away in parse(group)}
    assert set(real) == played and len(real) == 260, "the dated fixtures are not the results' fixtures"
    for date, home, away, group in rows:
        assert (home, away) in parse(group), f"{home} - {away} is not a group {group} fixture"
        assert real.pop((home, away), None) == date, \
            f"{FIXTURE_TABLE.name}: {home} - {away} on {date}, played on {real_date(home, away)}"
    assert not real, f"fixtures missing from the table: {sorted(real)}"

    def order(row):
        day, month, year = row[0].split("/")
        return (year, month, day, fold(row[1] + "|" + row[2]))

    late = rows.pop(22)
    assert late[1:3] == ("Israel", "Belgique") and rows[21][0] == rows[22][0] == "09/09/2014"
    assert rows == sorted(rows, key=order), f"{FIXTURE_TABLE.name}: rows out of order"


def real_date(home, away):
    return next(date for date, fixtures in FIXTURE_DATES.items() if f"{home} - {away}" in fixtures.split(", "))


def main():
    path = DATA / "Elim2024.ini"
    data = ("\r\n".join(lines()) + "\r\n").encode("cp1252")
    if "--check" in sys.argv:
        check_written(path)
        check_fixture_table()
        if path.read_bytes() != data:
            sys.exit(f"{path} differs from what the script writes")
        print(f"{path} is up to date")
        return
    path.write_bytes(data)
    print(f"wrote {path}")


if __name__ == "__main__":
    main()
