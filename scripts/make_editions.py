#!/usr/bin/env python3
"""Writes the edition files shipped in data/ (Zenkor2016.ini, Zenkor2020.ini, Zenkor2024.ini) and the three
language files (langFr.txt, langEn.txt, langSp.txt).

The files are Windows-1252 text with CR LF line ends, in the layout the program reads and "Sauve" writes.
Real results are typed here in the official listing (first-named team at home, kick-off order) and mapped
onto the window's fixture order; the script checks every group's final table against the real one before
it writes anything.

    python3 scripts/make_editions.py           # write the files
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
CHANNELS = ("TF1", "F2", "M6", "C+", "TMC", "beIN")

# ---------------------------------------------------------------------------------------------------------
# 2024 (Germany): teams in their draw positions; every group match as listed officially: home, away,
# venue, date, kick-off time (German local time, CEST).
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
        ("Allemagne", "Écosse", "MUC", "14/06/24", "21:00"),
        ("Hongrie", "Suisse", "COL", "15/06/24", "15:00"),
        ("Allemagne", "Hongrie", "STR", "19/06/24", "18:00"),
        ("Écosse", "Suisse", "COL", "19/06/24", "21:00"),
        ("Suisse", "Allemagne", "FRA", "23/06/24", "21:00"),
        ("Écosse", "Hongrie", "STR", "23/06/24", "21:00"),
    ],
    "B": [
        ("Espagne", "Croatie", "BER", "15/06/24", "18:00"),
        ("Italie", "Albanie", "DOR", "15/06/24", "21:00"),
        ("Croatie", "Albanie", "HAM", "19/06/24", "15:00"),
        ("Espagne", "Italie", "ARE", "20/06/24", "21:00"),
        ("Albanie", "Espagne", "DUS", "24/06/24", "21:00"),
        ("Croatie", "Italie", "LEP", "24/06/24", "21:00"),
    ],
    "C": [
        ("Slovénie", "Danemark", "STR", "16/06/24", "18:00"),
        ("Serbie", "Angleterre", "ARE", "16/06/24", "21:00"),
        ("Slovénie", "Serbie", "MUC", "20/06/24", "15:00"),
        ("Danemark", "Angleterre", "FRA", "20/06/24", "18:00"),
        ("Angleterre", "Slovénie", "COL", "25/06/24", "21:00"),
        ("Danemark", "Serbie", "MUC", "25/06/24", "21:00"),
    ],
    "D": [
        ("Pologne", "Pays-Bas", "HAM", "16/06/24", "15:00"),
        ("Autriche", "France", "DUS", "17/06/24", "21:00"),
        ("Pologne", "Autriche", "BER", "21/06/24", "18:00"),
        ("Pays-Bas", "France", "LEP", "21/06/24", "21:00"),
        ("Pays-Bas", "Autriche", "BER", "25/06/24", "18:00"),
        ("France", "Pologne", "DOR", "25/06/24", "18:00"),
    ],
    "E": [
        ("Roumanie", "Ukraine", "MUC", "17/06/24", "15:00"),
        ("Belgique", "Slovaquie", "FRA", "17/06/24", "18:00"),
        ("Slovaquie", "Ukraine", "DUS", "21/06/24", "15:00"),
        ("Belgique", "Roumanie", "COL", "22/06/24", "21:00"),
        ("Slovaquie", "Roumanie", "FRA", "26/06/24", "18:00"),
        ("Ukraine", "Belgique", "STR", "26/06/24", "18:00"),
    ],
    "F": [
        ("Turquie", "Géorgie", "DOR", "18/06/24", "18:00"),
        ("Portugal", "République tchèque", "LEP", "18/06/24", "21:00"),
        ("Géorgie", "République tchèque", "HAM", "22/06/24", "15:00"),
        ("Turquie", "Portugal", "DOR", "22/06/24", "18:00"),
        ("Géorgie", "Portugal", "ARE", "26/06/24", "21:00"),
        ("République tchèque", "Turquie", "HAM", "26/06/24", "21:00"),
    ],
}
# Knockout matches by the window's slots. Round-of-16 match k: slots 2k, 2k+1 (1F-3ABC, 2D-2E, 1B-3ADEF,
# 1A-2C, 1E-3ABCD, 1D-2F, 1C-3DEF, 2A-2B); quarter-final k takes the winners of round-of-16 matches 2k
# and 2k+1; semi-final k those of quarter-finals 2k and 2k+1. The teams are the real ones, for checking.
KNOCKOUT_2024 = {
    100: ("Portugal", "Slovénie", "FRA", "01/07/24", "21:00"),
    102: ("France", "Belgique", "DUS", "01/07/24", "18:00"),
    104: ("Espagne", "Géorgie", "COL", "30/06/24", "21:00"),
    106: ("Allemagne", "Danemark", "DOR", "29/06/24", "21:00"),
    108: ("Roumanie", "Pays-Bas", "MUC", "02/07/24", "18:00"),
    110: ("Autriche", "Turquie", "LEP", "02/07/24", "21:00"),
    112: ("Angleterre", "Slovaquie", "ARE", "30/06/24", "18:00"),
    114: ("Suisse", "Italie", "BER", "29/06/24", "18:00"),
    200: ("Portugal", "France", "HAM", "05/07/24", "21:00"),
    202: ("Espagne", "Allemagne", "STR", "05/07/24", "18:00"),
    204: ("Pays-Bas", "Turquie", "BER", "06/07/24", "21:00"),
    206: ("Angleterre", "Suisse", "DUS", "06/07/24", "18:00"),
    300: ("Espagne", "France", "MUC", "09/07/24", "21:00"),
    302: ("Pays-Bas", "Angleterre", "DOR", "10/07/24", "21:00"),
    # No third-place match was played (key 400 stays absent).
    500: ("Espagne", "Angleterre", "BER", "14/07/24", "21:00"),
}
# The French television of every 2024 match, by [Match] key: the free channels TF1 and M6 showed 25
# matches (TF1 12, M6 13), the pay channel beIN Sports all 51, 26 of them alone (French press of June and
# July 2024: foot01.com, les-transferts.com, centrepresseaveyron.fr, linternaute.com, lefigaro.fr, infos.fr,
# entrevue.fr, ozap.com; the round-of-16 matches of keys 100 and 104 on M6 by elimination). A match on beIN
# alone names it in its information; the program has no logo for it.
FRENCH_TV_2024 = {
    0: "TF1", 2: "beIN", 4: "beIN", 6: "beIN", 8: "M6", 10: "beIN", 12: "beIN", 14: "M6", 16: "M6",
    18: "beIN", 20: "beIN", 22: "TF1", 24: "beIN", 26: "TF1", 28: "beIN", 30: "beIN", 32: "M6", 34: "beIN",
    36: "beIN", 38: "TF1", 40: "beIN", 42: "M6", 44: "TF1", 46: "beIN", 48: "beIN", 50: "beIN", 52: "M6",
    54: "beIN", 56: "beIN", 58: "beIN", 60: "beIN", 62: "TF1", 64: "beIN", 66: "beIN", 68: "beIN", 70: "M6",
    100: "M6", 102: "TF1", 104: "M6", 106: "TF1", 108: "beIN", 110: "TF1", 112: "beIN", 114: "beIN", 200: "M6",
    202: "TF1", 204: "TF1", 206: "M6", 300: "TF1", 302: "M6", 500: "M6",
}
FRENCH_TV_COUNTS = {"TF1": 12, "M6": 13, "beIN": 26}
MESS_2024 = [
    "Bienvenue ! Saisissez les scores au fil des matches, du 14 juin au 14 juillet 2024. "
    "Les vrais résultats arrivent avec « Mise à jour ».",
    "Welcome! Enter the scores as the matches are played, from 14 June to 14 July 2024. "
    "Click \"Update\" to load the real results.",
    "¡Bienvenido! Escriba los resultados partido a partido, del 14 de junio al 14 de julio de 2024. "
    "«Actualizar» carga los resultados reales.",
]
# The news link's caption is the site's name, the same in every language (the file holds one caption).
LINK_2024 = ("www.valmirade.example", "https://www.valmirade.example/zenkor.php")

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
# The program breaks ties by points, goal difference and goals scored, without head-to-head; where the
# tournament used head-to-head, a group table differs (check_tables names them), and the round of 16 is
# always the program's own pairing.
MESS_OLD = {
    2016: [
        "Édition 2016 : scores réels des groupes. Sans confrontation directe, le groupe E change ; "
        "les huitièmes sont ceux du programme.",
        "2016 edition: real group scores. Ties ignore head-to-head, so group E differs, "
        "and the round of 16 is this program's, not the real one.",
        "Edición 2016: resultados reales de los grupos. Sin el enfrentamiento directo, "
        "el grupo E cambia y los octavos no son los reales.",
    ],
    2020: [
        "Édition 2020, jouée en 2021 : scores réels. Égalités départagées sans confrontation directe, "
        "d'où un groupe F et des huitièmes différents.",
        "2020 edition, played in 2021: real scores. Ties are broken without head-to-head, "
        "so group F and the round of 16 differ from the real ones.",
        "Edición 2020, jugada en 2021: resultados reales. Empates sin enfrentamiento directo: "
        "el grupo F y los octavos no son los reales.",
    ],
}
# The news line holds one line of text: a longer message runs into the bar beneath it.
NEWS_MAX_CHARS = 140


# ---------------------------------------------------------------------------------------------------------
# Language files: langFr.txt, langEn.txt, langSp.txt. A control line names a control of the main window
# and gives its caption, text and tooltip ("name\caption\text\tooltip\index"); a message line fills the
# message table ("MSG\text\index"). Every line is in all three files, so that a switch back to French
# restores what English or Spanish set. French captions quoted by the window's design stay as designed.
LANGUAGE_FILES = ("langFr.txt", "langEn.txt", "langSp.txt")


def ctl(name, index=None, caption=None, text=None, tooltip=None):
    """A control line; caption, text and tooltip are (French, English, Spanish) or None for an empty field."""
    return (name, index, caption, text, tooltip)


def caption(name, fr, en, sp, index=None):
    return ctl(name, index, caption=(fr, en, sp))


def tooltip(name, fr, en, sp, index=None):
    return ctl(name, index, tooltip=(fr, en, sp))


def heading(name, fr, en, sp):
    """The heading row of a qualifier table column: a locked text box."""
    return ctl(name, 0, text=(fr, en, sp))


CONTROL_LINES = [
    # The window's title, the button row and the controls around it.
    caption("Label2", "Valmirade de football 2024", "Valmirade football 2024", "Valmirade de fútbol 2024"),
    ctl("Command3", caption=("Sauve", "Save", "Guardar"),
        tooltip=("Enregistrer les scores dans le fichier de l'édition", "Save the scores to the edition file",
                 "Guardar los resultados en el archivo de la edición")),
    caption("Command6", "Aide", "Help", "Ayuda"),
    caption("Command8", "Mise à jour", "Update", "Actualizar"),
    caption("Command11", "Historique", "History", "Historial"),
    caption("Command13", "Tableau", "Bracket", "Cuadro"),
    caption("Command15", "Calendrier", "Calendar", "Calendario"),
    caption("Command21", "Stats", "Stats", "Estadísticas"),
    # In Spain "Clasificación" reads as the standings, as the statistics window uses it.
    caption("Command26", "Qualifications", "Qualifiers", "Clasificatoria"),
    caption("Command5", "Quitter", "Quit", "Salir"),
    tooltip("Label12", "Déblocage", "Unlock the team names", "Desbloquear los nombres de los equipos"),
    tooltip("Label25", "Matches du jour", "Matches of the day", "Partidos del día"),
    tooltip("Image14", "Clic Gauche = recharge. Clic droit = ouvre le module. ",
            "Left click: reload the picture. Right click: open the update panel.",
            "Clic izquierdo: recargar la imagen. Clic derecho: abrir el panel de actualización."),
    caption("Label22", "Ce logiciel vous plait...", "Like this program?", "¿Le gusta el programa?", 0),
    caption("Label22", "Ce logiciel vous plait...", "Like this program?", "¿Le gusta el programa?", 1),
    caption("Label22", "Faire un don", "Make a donation", "Hacer un donativo", 2),
    # The matches of the day and the first-use panel.
    caption("Label14", "Matches du :", "Matches on:", "Partidos del:"),
    tooltip("Image11", "Fermer", "Close", "Cerrar"),
    caption("Label23", "Bienvenue", "Welcome", "Bienvenido"),
    # The update-preparation panel.
    caption("Frame20", "Mise à jour fichier.", "File update", "Actualización del archivo"),
    caption("Label18", "mot de passe", "Password", "Contraseña", 0),
    caption("Label18", "Pseudo", "Nickname", "Seudónimo", 1),
    caption("Label18", "Version du programme", "Program version", "Versión del programa", 2),
    caption("Label18", "Version disponible", "Available version", "Versión disponible", 3),
    caption("ChChargeImage", "Ne pas recharger l'image au lancement.", "Do not reload the picture at start-up.",
            "No volver a cargar la imagen al iniciar."),
    tooltip("Image13", "Recharger l'image", "Reload the picture", "Volver a cargar la imagen"),
    caption("Command20", "Recharger l'image", "Reload the picture", "Volver a cargar la imagen", 0),
    caption("Command17", "Modifier le fichier manuellement. (Experts only)", "Edit the file by hand (experts only)",
            "Editar el archivo a mano (solo expertos)"),
    caption("Label4", "Forum entre nous", "Updaters' forum", "Foro de actualizaciones", 1),
    caption("Label19", "Texte Français", "French text", "Texto en francés", 0),
    caption("Label19", "Texte Anglais", "English text", "Texto en inglés", 1),
    caption("Label19", "Texte Espagnol", "Spanish text", "Texto en español", 2),
    caption("Label20", "Lien", "Link", "Enlace"),
    caption("Command18", "Enregistrer ces modifs", "Save these changes", "Guardar estos cambios"),
    caption("Label11", "Compatible Elim & Valmirade !", "Compatible with Elim & Valmirade!",
            "¡Compatible con Elim y Valmirade!"),
    caption("Label17", "Il faut avoir téléchargé le dernier fichier (même s'il est de vous...) , puis faire vos "
            "modifications, et les enregistrer pour que cette fonction soit disponible !!!",
            "First get the latest file with \"Update\" (even if you sent it yourself), enter your changes and "
            "click \"Save\": this button then becomes available.",
            "Primero descargue el último archivo con «Actualizar» (aunque lo haya enviado usted), haga sus "
            "cambios y pulse «Guardar»: entonces este botón estará disponible.", 6),
    # Two blanks before the parenthesis, as designed.
    caption("Command16", "Envoyer le dernier score  (Le chemin du fichier est dans le presse papier)",
            "Send my predictions (the file path is copied to the clipboard)",
            "Enviar mis pronósticos (la ruta del archivo se copia al portapapeles)"),
    caption("Command20", "Envoyer Fichier Eliminatoires.", "Send the qualifiers file",
            "Enviar el archivo de la fase de clasificación", 1),
    caption("Command19", "Fermer", "Close", "Cerrar"),
    # The qualifiers panel: its buttons, table headings, play-offs and board of qualified teams.
    caption("Frame22", "Matches de barrages", "Play-off matches", "Partidos de repesca"),
    caption("Label17", "Matches de barrages", "Play-off matches", "Partidos de repesca", 3),
    caption("Label17", "Qualifiés pour les barrages:", "In the play-offs:", "Clasificados para la repesca:", 5),
    heading("SortRang", "Rang", "Pos", "Pos"),
    heading("SortEQU", "Equipe", "Team", "Equipo"),
    heading("SortPTS", "Points", "Pts", "Pts"),
    heading("SortJ", "Joués", "Pld", "PJ"),
    heading("SortG", "Gagnés", "W", "PG"),
    heading("SortN", "Nuls", "D", "PE"),
    heading("SortP", "Perdus", "L", "PP"),
    heading("SortBP", "Buts P", "GF", "GF"),
    heading("SortBC", "Buts C", "GA", "GC"),
    heading("SortDiff", "Diff", "GD", "DG"),
    caption("Check1", "Masquer matches passés", "Hide past matches", "Ocultar partidos jugados"),
    caption("Command22", "Remplir", "Fill", "Rellenar", 0),
    caption("Command22", "Remplir", "Fill", "Rellenar", 1),
    caption("Command22", "RAZ", "Reset", "Borrar", 2),
    caption("Command22", "Calendr", "Calendar", "Calendario", 3),
    caption("Command22", "Trim", "Adjust", "Ajustar", 5),
    caption("Command23", "Sauver", "Save", "Guardar"),
    caption("Command24", "Fermer", "Close", "Cerrar"),
    caption("Command25", "Re-Calcul", "Recalculate", "Recalcular"),
    caption("Command27", "Calendrier", "Calendar", "Calendario"),
    caption("Command28", "Valeurs", "Values", "Valores"),
    tooltip("Image21", "Clic droit = ouvre le module. Gauche = recharge",
            "Right click: open the update panel. Left click: reload the picture.",
            "Clic derecho: abrir el panel de actualización. Clic izquierdo: recargar la imagen."),
    caption("Frame8", "Qualifiés", "Qualified", "Clasificados"),
    caption("LabElim", "Hôte : ", "Host: ", "Anfitrión: ", 0),
    caption("LabElim", "Premiers :", "Winners:", "Primeros:", 1),
    caption("LabElim", "Deuxièmes", "Runners-up", "Segundos", 2),
    caption("LabElim", "Meilleur Troisième", "Best third", "Mejor tercero", 3),
    caption("LabElim", "Barrages :", "Play-offs:", "Repesca:", 4),
    # The knockout view and the round-of-16 summary.
    caption("Frame11", "Huitièmes de Finale", "Round of 16", "Octavos de final"),
    caption("Frame10", "Huitième de Finale", "Round of 16", "Octavos de final"),
    caption("Frame12", "Quart de Finale", "Quarter-finals", "Cuartos de final"),
    caption("Frame13", "Demi Finale", "Semi-finals", "Semifinales"),
    caption("Frame15", "Finale", "Final", "Final"),
    caption("Frame14", "Petite Finale", "Third-place match", "Tercer puesto"),
    caption("Command7", "Ouvrir", "Open", "Abrir"),
    # The history panel.
    caption("FraHisto", "Historique", "History", "Historial"),
    caption("Label13", "Choisissez une édition :", "Choose an edition:", "Elija una edición:"),
    ctl("Command12", caption=("Ouvrir", "Open", "Abrir"),
        tooltip=("Afficher l'édition choisie", "Show the chosen edition", "Mostrar la edición elegida")),
    ctl("Command4", caption=("Revenir à 2024", "Back to 2024", "Volver a 2024"),
        tooltip=("Revenir à l'édition en cours", "Back to the current edition", "Volver a la edición actual")),
    # The groups.
    *[caption(frame, "Groupe " + g, "Group " + g, "Grupo " + g)
      for frame, g in zip(("Frame1", "Frame2", "Frame3", "Frame4", "Frame6", "Frame7"), GROUPS)],
    # Group table headings: group A left to right at 0..4, the others right to left at 5g..5g+4.
    *[caption("Label1", *words, index)
      for g in range(6)
      for k, words in enumerate((("Equipe", "Team", "Equipo"), ("BP", "GF", "GF"), ("BC", "GA", "GC"),
                                 ("Delta", "GD", "DG"), ("pts", "Pts", "Pts")))
      for index in [5 * g + (k if g == 0 else 4 - k)]],
    *[caption("LabJ", "J", "P", "PJ", g) for g in range(6)],
    caption("Label1", "Meilleurs troisièmes:", "Best third-placed teams:", "Mejores terceros:", 30),
    # The help panel.
    caption("Command2", "Retour", "Back", "Volver"),
    *[caption("Label5", *texts, index) for index, texts in (
        (0, ("Saisissez le score de chaque match dans les cases des groupes : le classement du groupe se met "
             "à jour aussitôt.",
             "Type the score of each match into the group boxes: the group table updates straight away.",
             "Escriba el resultado de cada partido en las casillas de los grupos: la clasificación del grupo "
             "se actualiza al instante.")),
        (1, ("Un tiret « - » dans une case signifie que le match n'est pas encore joué.",
             "A dash \"-\" in a box means that the match has not been played yet.",
             "Un guion «-» en una casilla significa que el partido aún no se ha jugado.")),
        (2, ("Les deux premiers de chaque groupe et les quatre meilleurs troisièmes sont qualifiés pour les "
             "huitièmes de finale.",
             "The top two of each group and the four best third-placed teams go through to the round of 16.",
             "Los dos primeros de cada grupo y los cuatro mejores terceros se clasifican para los octavos de "
             "final.")),
        (3, ("Quand seul un tirage au sort peut départager des équipes, le groupe l'indique sous son tableau : "
             "cliquez alors sur l'équipe gagnante.",
             "When only a drawing of lots can separate teams, the group says so below its table: then click "
             "the team that wins the draw.",
             "Cuando solo un sorteo puede desempatar a los equipos, el grupo lo indica debajo de su "
             "clasificación: haga clic entonces en el equipo ganador.")),
        (4, ("« Phase Finale » affiche les huitièmes, les quarts, les demi-finales et la finale ; « Phase de "
             "Groupes » ramène aux groupes.",
             "\"Knockout Stage\" shows the round of 16, the quarter-finals, the semi-finals and the final; "
             "\"Group Stage\" takes you back to the groups.",
             "«Fase final» muestra los octavos, los cuartos, las semifinales y la final; «Fase de grupos» "
             "vuelve a los grupos.")),
        (5, ("Dans la phase finale, saisissez le score de chaque match et, en cas d'égalité, les tirs au but.",
             "In the knockout stage, type the score of each match and, if it ends level, the penalty shoot-out.",
             "En la fase final, escriba el resultado de cada partido y, en caso de empate, la tanda de "
             "penaltis.")),
        (6, ("« Sauve » enregistre tous les scores et les noms des équipes dans le fichier de l'édition.",
             "\"Save\" writes all the scores and team names to the edition file.",
             "«Guardar» graba todos los resultados y los nombres de los equipos en el archivo de la "
             "edición.")),
        # The day's lines have no hover: the match panel comes from the group and knockout boxes.
        (7, ("« Calendrier » affiche les matches du jour choisi. Passez la souris sur un match d'un groupe ou du "
             "tableau final pour voir sa date, sa ville, son stade et sa chaîne.",
             "\"Calendar\" lists the matches of the chosen day. Hover over a match in a group or in the "
             "knockout stage to see its date, city, stadium and TV channel.",
             "«Calendario» muestra los partidos del día elegido. Pase el ratón sobre un partido de un grupo o "
             "de la fase final para ver su fecha, ciudad, estadio y cadena.")),
        (8, ("« Stats » classe les équipes et compte les buts ; « Tableau » affiche le tableau final à "
             "imprimer.",
             "\"Stats\" ranks the teams and counts the goals; \"Bracket\" shows the knockout bracket, ready "
             "to print.",
             "«Estadísticas» clasifica a los equipos y cuenta los goles; «Cuadro» muestra el cuadro de la "
             "fase final, listo para imprimir.")),
        # Shoot-out goals are added to the match's score whatever it is, to decide who goes through; the
        # goal total leaves them out.
        (13, ("Tirs au but seulement après un nul : ils désignent le qualifié et ne comptent pas dans les buts.",
              "Enter a shoot-out only after a draw: it decides who goes through and does not count as goals.",
              "Tanda de penaltis solo tras un empate: decide quién pasa y no cuenta como goles.")),
        (11, ("Exemple de saisie d'un match de la phase finale :", "How to enter a knockout match:",
              "Cómo anotar un partido de la fase final:")),
        (12, ("score, tirs au but, tirs au but, score", "score, penalties, penalties, score",
              "goles, penaltis, penaltis, goles")),
    )],
    *[caption("Label6", *texts, index) for index, texts in (
        (0, ("Zenkor suit le tournoi Valmirade 2024, du premier match de groupe à la finale.",
             "Zenkor follows the Valmirade 2024 tournament, from the first group match to the final.",
             "Zenkor sigue el torneo Valmirade 2024, desde el primer partido de grupo hasta la final.")),
        # Only the 2016 and 2020 files ship beside the current one, and the history panel stays closed.
        (1, ("Les fichiers 2016 et 2020 sont livrés, mais le bouton « Historique » est désactivé.",
             "The 2016 and 2020 files come with the program, but the \"History\" button is disabled.",
             "Los archivos de 2016 y 2020 vienen con el programa, pero el botón «Historial» está "
             "desactivado.")),
        (2, ("« Mise à jour » remplace vos scores de l'édition 2024 par les résultats réels du site.",
             "\"Update\" replaces your 2024 scores with the real results from the web site.",
             "«Actualizar» sustituye sus resultados de la edición 2024 por los resultados reales del sitio "
             "web.")),
        (3, ("Auteur :", "Author:", "Autor:")),
    )],
    caption("Label3", "Me contacter...", "Contact me...", "Escríbame..."),
    caption("Label4", "Participez sur le forum.", "Join in on the forum.", "Participe en el foro.", 0),
    caption("Label8", "Le forum du logiciel", "The program's forum", "El foro del programa"),
    tooltip("Image3", "Téléchargez des logiciels", "Download software", "Descargue programas"),
]

# The message table, by index (the program reads 1 to 11, 13 to 20 and 22 to 45).
MESSAGES = {
    1: ("Phase Finale", "Knockout Stage", "Fase final"),
    2: ("Phase de Groupes", "Group Stage", "Fase de grupos"),
    3: ("Tirage au sort : cliquez sur l'équipe gagnante", "Drawing of lots: click the winning team",
        "Sorteo: haga clic en el equipo ganador"),
    4: ("Attention : vos scores et vos pronostics de l'édition 2024 seront remplacés par les résultats du site.",
        "Warning: your scores and predictions for the 2024 edition will be replaced by the results from the "
        "web site.",
        "Atención: sus resultados y pronósticos de la edición 2024 serán sustituidos por los del sitio web."),
    5: ("Mettre à jour le fichier de l'édition 2024 avec les derniers résultats ?",
        "Update the 2024 edition file with the latest results?",
        "¿Actualizar el archivo de la edición 2024 con los últimos resultados?"),
    6: ("Choisissez une année", "Choose a year", "Elija un año"),
    7: ("Aucun match ce jour-là.", "No matches on this day.", "No hay partidos ese día."),
    8: ("Choisissez un autre jour.", "Choose another day.", "Elija otro día."),
    9: ("Valmirade de football", "Valmirade football", "Valmirade de fútbol"),
    10: ("buts", "goals", "goles"),
    11: ("Buts par équipe :", "Goals per team:", "Goles por equipo:"),
    13: ("Classement :", "Ranking:", "Clasificación:"),
    # After a rank and a team's name in the statistics ranking: short, so that the line fits.
    14: ("(1er tour)", "(group stage)", "(1.ª fase)"),
    15: ("Ce fichier demande une version plus récente du programme. Voulez-vous ouvrir la page de "
         "téléchargement ?",
         "This file needs a newer version of the program. Do you want to open the download page?",
         "Este archivo requiere una versión más reciente del programa. ¿Desea abrir la página de descarga?"),
    16: ("Mettre à jour", "Update", "Actualizar"),
    17: ("Annuler", "Cancel", "Cancelar"),
    18: (" matches joués sur ", " matches played out of ", " partidos jugados de "),
    19: (" matches", " matches", " partidos"),
    20: (" : ne peut plus finir dans les deux premiers", ": can no longer finish in the top two",
         ": ya no puede terminar entre los dos primeros"),
    22: (" : assuré de finir dans les deux premiers", ": certain to finish in the top two",
         ": tiene asegurado terminar entre los dos primeros"),
    # Tooltips of boxes whose text is the user's: a control line would set their text as well.
    23: ("Jour", "Day", "Día"),
    24: ("Mois", "Month", "Mes"),
    25: ("Texte du lien", "Link text", "Texto del enlace"),
    26: ("Adresse du lien", "Link address", "Dirección del enlace"),
    # The compact-mode switch names what a click does.
    27: ("Passer en mode réduit", "Switch to compact mode", "Pasar al modo compacto"),
    28: ("Passer en mode normal", "Switch to normal mode", "Pasar al modo normal"),
    # The words of the statistics window and the bracket sheet, and the sheet's title.
    29: ("Imprimer", "Print", "Imprimir"),
    30: ("Fermer", "Close", "Cerrar"),
    31: ("Actualiser", "Refresh", "Actualizar"),
    32: ("Impression", "Bracket sheet", "Cuadro"),
    # How far a team went, after its name in the statistics ranking.
    33: (" 1er", " 1st", " 1.º"),
    34: (" 2eme", " 2nd", " 2.º"),
    35: (" 3eme", " 3rd", " 3.º"),
    36: (" 1/8", " (last 16)", " (octavos)"),
    37: (" 1/4", " (quarter-finals)", " (cuartos)"),
}
# The program's own words around its windows: the update's progress window (its Cancel is message 17),
# the failures of a print (the print dialog is named by message 29), of a save and of the update panel's
# save, and the backup put back at start-up. "%1" stands for the file's name.
MESSAGES.update({
    38: ("Téléchargement du fichier 2024 depuis le site…", "Downloading the 2024 file from the web site…",
         "Descargando el archivo 2024 del sitio web…"),
    39: (" octets reçus", " bytes received", " bytes recibidos"),
    40: (" Ko reçus", " KB received", " KB recibidos"),
    41: ("L'impression n'a pas pu se faire", "Printing failed", "No se ha podido imprimir"),
    42: ("Le fichier %1 n'a pas pu être enregistré.", "The file %1 could not be saved.",
         "No se ha podido guardar el archivo %1."),
    43: ("Les modifications n'ont pas pu être enregistrées.", "The changes could not be saved.",
         "No se han podido guardar los cambios."),
    44: ("Le fichier Zenkor2024.ini manquait : sa copie de sauvegarde Zenkor2024.BU a été remise à sa place.",
         "The file Zenkor2024.ini was missing: its backup Zenkor2024.BU has been put back in its place.",
         "Faltaba el archivo Zenkor2024.ini: su copia de seguridad Zenkor2024.BU se ha vuelto a poner en su "
         "lugar."),
    45: ("Le fichier Zenkor2024.ini manque et sa copie de sauvegarde Zenkor2024.BU n'a pas pu être remise à sa "
         "place : le programme repart du fichier d'origine.",
         "The file Zenkor2024.ini is missing and its backup Zenkor2024.BU could not be put back in its place: "
         "the program starts again from the original file.",
         "Falta el archivo Zenkor2024.ini y su copia de seguridad Zenkor2024.BU no se ha podido volver a poner "
         "en su lugar: el programa vuelve al archivo original."),
})

# Damaged files and folders (the program reads 60 to 64; "%1", "%2", "%3" are file and folder names).
MESSAGES.update({
    60: ("Le fichier %1 est illisible (ce n'est pas du texte) : il est gardé sous le nom %2 et la sauvegarde "
         "précédente %3 le remplace.",
         "The file %1 cannot be read (it is not text): it is kept as %2 and the previous save %3 takes its place.",
         "El archivo %1 no se puede leer (no es texto): se guarda como %2 y la copia anterior %3 ocupa su lugar."),
    61: ("Le fichier %1 est illisible (ce n'est pas du texte) : il est gardé sous le nom %2 et le programme "
         "repart du fichier d'origine.",
         "The file %1 cannot be read (it is not text): it is kept as %2 and the program starts again from the "
         "original file.",
         "El archivo %1 no se puede leer (no es texto): se guarda como %2 y el programa vuelve al archivo "
         "original."),
    62: ("Le fichier %1 est illisible (ce n'est pas du texte) et n'a pas pu être mis de côté : « Sauve » ne "
         "l'écrira pas.",
         "The file %1 cannot be read (it is not text) and could not be set aside: \"Save\" will not write it.",
         "El archivo %1 no se puede leer (no es texto) y no se ha podido apartar: «Guardar» no lo escribirá."),
    63: ("Le fichier de langue %1 est endommagé : réinstallez le programme pour le retrouver.",
         "The language file %1 is damaged: reinstall the program to get it back.",
         "El archivo de idioma %1 está dañado: reinstale el programa para recuperarlo."),
    64: ("Zenkor ne peut pas utiliser son dossier de données %1.",
         "Zenkor cannot use its data folder %1.",
         "Zenkor no puede usar su carpeta de datos %1."),
})

# The update's failure, and the common causes of a failed save or an unusable data folder, each on a
# line of its own under the message that names the file or folder ("%1": the file or folder in the way).
MESSAGES.update({
    65: ("Erreur de connexion !", "Connection error!", "¡Error de conexión!"),
    66: ("Un dossier de son chemin n'existe pas.", "A folder on its path does not exist.",
         "Una carpeta de su ruta no existe."),
    67: ("Vous n'avez pas le droit d'écrire à cet endroit.", "You are not allowed to write there.",
         "No tiene permiso para escribir ahí."),
    68: ("Le disque est plein.", "The disk is full.", "El disco está lleno."),
    69: ("Le fichier %1 est en lecture seule.", "The file %1 is read-only.", "El archivo %1 es de solo lectura."),
    70: ("Le disque est en lecture seule.", "The disk is read-only.", "El disco es de solo lectura."),
    71: ("%1 est un dossier, pas un fichier.", "%1 is a folder, not a file.", "%1 es una carpeta, no un archivo."),
    72: ("%1 est un fichier, pas un dossier.", "%1 is a file, not a folder.", "%1 es un archivo, no una carpeta."),
})


def language_lines(language):
    """The lines of one language file: control lines first, then the messages."""
    lines = []
    for name, index, *fields in CONTROL_LINES:
        values = ["" if f is None else f[language] for f in fields]
        lines.append("\\".join([name, *values, "" if index is None else str(index)]))
    for index, texts in sorted(MESSAGES.items()):
        lines.append(f"MSG\\{texts[language]}\\{index}")
    for line in lines:
        assert line.count("\\") == (2 if line.startswith("MSG") else 4), f"a backslash in a text: {line}"
    return lines


def check_language_file(path):
    """Reads a written language file back: Windows-1252, CR LF, well-formed lines. Returns its control keys
    (name, index) and its message indexes."""
    raw = path.read_bytes()
    assert raw.endswith(b"\r\n") and b"\n" not in raw.replace(b"\r\n", b""), f"{path.name}: not CR LF"
    assert b"\r" not in raw.replace(b"\r\n", b""), f"{path.name}: a lone CR"
    text = raw.decode("cp1252")  # strict: fails on bytes Windows-1252 does not define
    controls, messages = [], []
    for line in text.split("\r\n")[:-1]:
        fields = line.split("\\")
        if line.startswith("MSG"):
            assert len(fields) == 3 and fields[2].isdigit() and 0 <= int(fields[2]) <= 100, line
            messages.append(int(fields[2]))
        else:
            assert len(fields) == 5 and fields[0], line
            controls.append((fields[0], fields[4]))
    assert len(set(controls)) == len(controls), f"{path.name}: a control line twice"
    assert len(set(messages)) == len(messages), f"{path.name}: a message twice"
    return set(controls), set(messages)


def check_languages():
    found = [check_language_file(DATA / name) for name in LANGUAGE_FILES]
    for name, keys in zip(LANGUAGE_FILES[1:], found[1:]):
        assert keys == found[0], f"{name} and {LANGUAGE_FILES[0]} name different lines"
    read = set(range(1, 12)) | set(range(13, 21)) | set(range(22, 45))
    read |= set(range(60, 73))
    assert read <= found[0][1], f"messages missing: {sorted(read - found[0][1])}"
    print("language files check out")


def check_news(year, mess):
    for language, text in enumerate(mess):
        assert text, f"{year}: no news in language {language}"
        assert len(text) <= NEWS_MAX_CHARS, f"{year} news in language {language} is too long for its line: {text}"


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
        for home, away, venue, date, time in matches:
            m, _ = fixture_index(TEAMS_2024[g], home, away)
            key = 12 * gi + 2 * m
            assert key not in keys
            keys[key] = info_text(venue, date, time, FRENCH_TV_2024[key])
    for key, (_, _, venue, date, time) in KNOCKOUT_2024.items():
        keys[key] = info_text(venue, date, time, FRENCH_TV_2024[key])
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
    check_news(2024, MESS_2024)
    files = {}
    for year, teams, results in ((2016, TEAMS_2016, RESULTS_2016), (2020, TEAMS_2020, RESULTS_2020)):
        check_news(year, MESS_OLD[year])
        boxes = {g: score_boxes(teams[g], results[g]) for g in GROUPS}
        files[f"Zenkor{year}.ini"] = encode(edition_lines(teams, boxes, MESS_OLD[year]))
    empty = {g: ["-"] * 12 for g in GROUPS}
    files["Zenkor2024.ini"] = encode(
        edition_lines(TEAMS_2024, empty, MESS_2024, LINK_2024, match_section_2024()))
    for language, name in enumerate(LANGUAGE_FILES):
        files[name] = encode(language_lines(language))
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


def check_channels(match):
    """Every match names its real French channel, and the channels add up to the real tallies."""
    shown = {}
    for key, info in match.items():
        channel = re.fullmatch(r"[A-Z]{3}\(([^)]*)\) .*", info)
        assert channel, f"match {key}: {info}"
        assert channel[1] == FRENCH_TV_2024.get(int(key)), \
            f"match {key} was on {FRENCH_TV_2024.get(int(key))} in France, the file says {info}"
        shown[channel[1]] = shown.get(channel[1], 0) + 1
    assert shown == FRENCH_TV_COUNTS, f"French channels {shown}, really {FRENCH_TV_COUNTS}"


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
    check_channels(ini["match"])
    print("edition files check out")
    check_languages()


def main():
    files = build()
    if "--check" in sys.argv:
        check_written()
        for name, data in files.items():
            assert (DATA / name).read_bytes() == data, f"{name} differs from what the script writes"
        return
    DATA.mkdir(exist_ok=True)
    for name, data in files.items():
        (DATA / name).write_bytes(data)
        print(f"wrote data/{name} ({len(data)} bytes)")


if __name__ == "__main__":
    main()
