// The main window's frame: the window, the button row, the panels laid over the group view and the
// controls outside every panel. The group and knockout designs fill their own frames.
//
// Room left by the other designs: the groups fill (90..13110, 1005..7905), the round-of-16 summary and
// the best thirds the right column down to 4905, the news line and the language choices the bottom row
// from 8835. The banner goes below the best thirds, the match information line between the groups and the
// news line.
#include "app/artwork.h"
#include "app/design.h"
#include "app/main_names.h"
#include "app/main_window.h"

namespace zenkor {

namespace {

using platform::Color;

using platform::kNavy;
using platform::kRed;
using platform::kWhite;

// A panel hidden until the program shows it.
Control& hiddenFrame(Zenkor& w, const char* name, const char* caption, int left, int top, int width,
                     int height, Control* container = nullptr) {
    Control& c = AddFrame(w, name, -1, container, caption, left, top, width, height);
    c.setVisible(false);
    return c;
}

// Picture buttons, the picture above the caption, each as wide as its longest caption in the three
// languages needs; the row ends before the advertised picture.
void buildButtonRow(Zenkor& w) {
    const int top = 15, height = 915;
    int left = 90;
    auto next = [&](const char* name, const char* caption, int width, const char* picture) -> Control& {
        Control& c = AddButton(w, name, -1, nullptr, caption, left, top, width, height);
        c.setPicture(PictureFile(picture));
        left += width + 30;
        return c;
    };
    // The view switch takes its picture from the help panel's view pictures.
    next(kViewSwitchButton, "Phase Finale", 1530, "");
    next(kSaveButton, "Sauve", 780, artwork::kSave);
    next(kHelpButton, "Aide", 690, artwork::kHelp);
    next(kUpdateButton, "Mise à jour", 1035, artwork::kUpdate);
    next(kHistoryButton, "Historique", 915, artwork::kHistory).setEnabled(false);
    next(kBracketButton, "Tableau", 750, artwork::kBracket);
    next(kCalendarButton, "Calendrier", 975, artwork::kCalendar);
    next(kStatsButton, "Stats", 1065, artwork::kStats);
    next(kQualifiersButton, "Qualifications", 1170, artwork::kQualifiers).setEnabled(false);  // ends at 9300

    // The unlock label: a transparent, silent zone near the top edge, in the gap after the last button
    // (any further left it would lie over the buttons and take their clicks).
    Control& label12 = AddLabel(w, kUnlockLabel, -1, nullptr, "", 9345, 30, 435, 900);
    label12.setToolTipText("Déblocage");

    // The advertised picture, shown for a user with a pseudonym; a download replaces the design's.
    Control& image14 = AddPicture(w, kAdvertPicture, -1, nullptr, artwork::kAdvert, 9975, 435, 2400, 225);
    image14.setVisible(false);

    AddButton(w, kQuitButton, -1, nullptr, "Quitter", 16200, 8940, 1335, 555);
}

// The information line: a hidden label carrying the text of the match under the pointer, and the first
// display set of the match panel (city, date, time) between the groups and the news line.
void buildInformationLine(Zenkor& w) {
    Control& info = AddLabel(w, "LabInfo", -1, nullptr, "", 90, 7980, 13020, 255);
    info.setVisible(false);
    AddLabel(w, "LabTer", 0, nullptr, "Dortmund", 240, 8040, 2700, 255).setFontBold(true);
    AddLabel(w, "LabTer", 1, nullptr, "vendredi 14 juin 2024", 3000, 8040, 2460, 255);
    AddLabel(w, "LabTer", 2, nullptr, " 21:00", 5520, 8040, 900, 255);
}

// The banner below the best thirds, with the label over it whose hover brings it back.
void buildBanner(Zenkor& w) {
    AddPicture(w, kBannerPicture, -1, nullptr, artwork::kBanner, 13560, 5010, 3765, 1050);
    Control& hover = AddLabel(w, kBannerHoverLabel, -1, nullptr, "", 13560, 5010, 3765, 1050);
    hover.setToolTipText("Matches du jour");
}

// The help panel: help and about texts, the version line, the navigation buttons, compact mode. The
// knockout design puts its example row (score and penalty boxes) at (600, 7320).
void buildHelpPanel(Zenkor& w, Control* help) {
    Control& title =
        AddLabel(w, kHelpTitleLabel, -1, help, "Valmirade de football 2024", 240, 180, 8400, 420);
    title.setFontBold(true);
    title.setFontSize(12);
    AddLabel(w, kVersionLabel, -1, help, "", 240, 660, 8400, 255);

    static const char* const kHelp[] = {
        "Saisissez le score de chaque match dans les cases des groupes : le classement du groupe se met à "
        "jour aussitôt.",
        "Un tiret « - » dans une case signifie que le match n'est pas encore joué.",
        "Les deux premiers de chaque groupe et les quatre meilleurs troisièmes sont qualifiés pour les "
        "huitièmes de finale.",
        "Quand seul un tirage au sort peut départager des équipes, le groupe l'indique sous son tableau : "
        "cliquez alors sur l'équipe gagnante.",
        "« Phase Finale » affiche les huitièmes, les quarts, les demi-finales et la finale ; « Phase de "
        "Groupes » ramène aux groupes.",
        "Dans la phase finale, saisissez le score de chaque match et, en cas d'égalité, les tirs au but.",
        "« Sauve » enregistre tous les scores et les noms des équipes dans le fichier de l'édition.",
        "« Calendrier » affiche les matches du jour choisi ; passez la souris sur un match pour voir sa "
        "date, sa ville et sa chaîne.",
        "« Stats » classe les équipes et compte les buts ; « Tableau » affiche le tableau final à imprimer.",
    };
    for (int i = 0; i <= 8; ++i) {
        AddLabel(w, kHelpTextLabels, i, help, kHelp[i], 240, 1020 + i * 570, 8400, 510);
    }
    // Shoot-out goals are added to the match's score whatever it is.
    AddLabel(w, kHelpTextLabels, 13, help,
             "Ne saisissez des tirs au but qu'après un match nul : leurs buts s'ajoutent au score du match.",
             240, 6300, 8400, 255);
    AddLabel(w, kHelpTextLabels, 11, help, "Exemple de saisie d'un match de la phase finale :", 240, 6720,
             8400, 255)
        .setFontBold(true);
    AddLabel(w, kHelpTextLabels, 12, help, "score, tirs au but, tirs au but, score", 2040, 7350, 6600, 255);

    static const char* const kAbout[] = {
        "Valmirade suit le tournoi de football 2024, du premier match de groupe à la finale.",
        "Les fichiers des éditions 2016 et 2020 sont livrés avec le programme.",
        "« Mise à jour » remplace vos scores de l'édition 2024 par les résultats réels du site.",
        "Auteur :",
    };
    for (int i = 0; i <= 2; ++i)
        AddLabel(w, kAboutLabels, i, help, kAbout[i], 9000, 180 + i * 600, 8280, 510);
    AddLabel(w, kAboutLabels, 3, help, kAbout[3], 9000, 2040, 1200, 255);
    Control& author = AddLabel(w, kAboutLabels, 4, help, "Dastinor", 10260, 2040, 3000, 255);
    author.setForeColor(kNavy);
    author.setFontUnderline(true);

    // The view pictures beside the help buttons that show them: ico(1) opens the knockout view, ico(0)
    // returns to the groups.
    AddPicture(w, "ico", 1, help, artwork::kKnockoutView, 9000, 2760, 480, 480);
    AddButton(w, kHelpKnockoutViewButton, -1, help, "Phase Finale", 9600, 2760, 2400, 480);
    AddPicture(w, "ico", 0, help, artwork::kGroupView, 9000, 3360, 480, 480);
    AddButton(w, kHelpGroupViewButton, -1, help, "Phase de Groupes", 9600, 3360, 2400, 480);

    AddButton(w, kCompactModeButton, -1, help, "Passer en mode réduit", 9000, 4200, 3000, 495);
    AddButton(w, kHelpBackButton, -1, help, "Retour", 15720, 7200, 1680, 495);
}

// The matches-of-the-day panel: the day and month pickers, four match lines with their channel logos,
// the close picture and the hidden match lists.
void buildMatchesOfTheDay(Zenkor& w) {
    Control* day = &AddFrame(w, kDayMatchesFrame, -1, nullptr, "", 13355, 990, 4065, 3405);
    day->setBackColor(kWhite);
    AddLabel(w, kDayMatchesHeadingLabel, -1, day, "Matches du :", 120, 255, 1260, 255).setFontBold(true);
    Control& combo3 = w.add(Kind::ComboBox, kDayMatchesDayCombo, -1, day);
    combo3.move(1440, 210, 780, 315);
    combo3.setToolTipText("Jour");
    Control& combo4 = w.add(Kind::ComboBox, kDayMatchesMonthCombo, -1, day);
    combo4.move(2280, 210, 780, 315);
    combo4.setToolTipText("Mois");
    Control& close = AddPicture(w, kDayMatchesClosePicture, -1, day, artwork::kClose, 3660, 210, 285, 285);
    close.setToolTipText("Fermer");
    close.setMousePointer(platform::Pointer::Hand);
    for (int k = 0; k <= 3; ++k) {
        const int top = 720 + k * 600;
        AddPicture(w, "RepIm", k, day, "", 120, top, 600, 420);
        Control& line = AddLabel(w, "LabCAL", k, day, "", 780, top, 3165, 510);
        line.setFontSize(8.25);
    }
    for (const char* name : {kEditionMatchesList, kDayMatchesList}) {
        Control& list = w.add(Kind::ListBox, name, -1, day);
        list.move(120, 3120, 1215, 255);
        list.setVisible(false);
    }
}

// The first-use panel, over group A while it is shown.
void buildFirstUsePanel(Zenkor& w) {
    Control* welcome = &hiddenFrame(w, kFirstUseFrame, "", 0, 1005, 6615, 2205);
    welcome->setBackColor(kWhite);
    Control& shape8 = w.add(Kind::Shape, kFirstUseBorderShape, -1, welcome);
    shape8.move(60, 60, 6495, 2085);
    shape8.setBorderColor(kNavy);
    shape8.setBackStyle(platform::BackStyle::Transparent);
    AddPicture(w, kFirstUsePicture, -1, welcome, artwork::kWelcome, 240, 240, 1920, 1725);
    Control& hello = AddLabel(w, kFirstUseLabel, -1, welcome, "Bienvenue", 2400, 780, 3960, 600);
    hello.setFontSize(20);
    hello.setFontBold(true);
    hello.setAlignment(platform::Alignment::Center);
    hello.setForeColor(kNavy);
}

// The update-preparation panel: the fields the program itself reads and writes (password, pseudonym,
// versions, the picture check box) and the send button with its status frame. The left column of the
// rows is kept for their captions, the right half of the panel for the news texts and links.
void buildUpdatePanel(Zenkor& w) {
    Control* panel = &hiddenFrame(w, kUpdatePanelFrame, "Mise à jour fichier.", 45, 900, 17445, 8880);
    panel->setBackColor(kWhite);
    for (int i = 0; i <= 3; ++i) {
        Control& box = w.add(Kind::TextBox, kUpdateFieldTexts, i, panel);
        box.move(2760, 480 + i * 420, 3000, 315);
    }
    w(kUpdateFieldTexts, 2).setLocked(true);  // the running program's version
    Control& check = w.add(Kind::CheckBox, "ChChargeImage", -1, panel);
    check.setCaption("Ne pas recharger l'image au lancement.");
    check.move(240, 2280, 5520, 315);
    check.setValue(1);
    check.setBackColor(kWhite);

    AddLabel(w, kPanelNoteLabels, 6, panel,
             "Il faut avoir téléchargé le dernier fichier (même s'il est de vous...) , puis faire vos "
             "modifications, et les enregistrer pour que cette fonction soit disponible !!!",
             240, 5940, 8040, 630);
    Control& status = w.add(Kind::Shape, kSendStatusShape, -1, panel);
    status.move(180, 6720, 8160, 735);
    status.setFillColor(kRed);
    Control& send = AddButton(w, kSendButton, -1, panel,
                              "Envoyer le dernier score  (Le chemin du fichier est dans le presse papier)",
                              300, 6810, 7920, 555);
    send.setEnabled(false);
}

// Controls of the qualifiers panel that start-up shows.
void buildQualifierExtras(Zenkor& w, Control* qualifiers) {
    AddButton(w, kQualifierActionButtons, 5, qualifiers, "Trim", 14400, 4320, 1215, 375).setVisible(false);
    AddLabel(w, kQualifierCountLabels, 2, qualifiers, "", 14400, 7560, 3015, 255).setVisible(false);
}

// The match panel of the knockout view, in its lower left corner (the second display set).
void buildKnockoutMatchPanel(Zenkor& w, Control* knockout) {
    Control* panel = &hiddenFrame(w, kKnockoutMatchFrame, "", 600, 6585, 4500, 1260, knockout);
    AddLabel(w, "LabTer", 3, panel, "Dortmund", 120, 210, 2700, 255).setFontBold(true);
    AddLabel(w, "LabTer", 4, panel, "vendredi 14 juin 2024", 120, 510, 2700, 255);
    AddLabel(w, "LabTer", 5, panel, " 21:00", 120, 810, 2700, 255);
}

}  // namespace

void BuildMainDesign(Zenkor& w) {
    Control& form = w.self();
    form.setCaption("Valmirade de football 2016...");
    form.move(0, 0, 17760, 9780);

    buildButtonRow(w);
    buildInformationLine(w);
    buildBanner(w);

    // Panels over the group view, hidden at start.
    Control* knockout = &hiddenFrame(w, kKnockoutViewFrame, "", 15, 930, 17640, 7950);
    buildKnockoutMatchPanel(w, knockout);
    Control* help = &hiddenFrame(w, "Fraide", "", 15, 930, 17640, 7950);
    buildHelpPanel(w, help);
    Control& history = hiddenFrame(w, "FraHisto", "Historique", 13350, 930, 4215, 4335);
    AddLabel(w, kHistoryGoalTotalLabel, -1, &history, "", 240, 3720, 3735, 315);
    Control& elim = hiddenFrame(w, "FraElim", "", 0, 930, 17640, 7950);
    Control& trim = AddFrame(w, "FraTrim", -1, &elim, "", 14400, 1200, 3015, 3000);
    for (int i = 0; i <= 5; ++i) {
        Control& ne = w.add(Kind::TextBox, "NEElim", i, &trim);
        ne.move(120, 240 + i * 420, 2760, 315);
        ne.setVisible(false);
    }
    AddFrame(w, kPlayOffsFrame, -1, &elim, "Matches de barrages", 120, 5400, 9000, 2400);
    buildQualifierExtras(w, &elim);
    buildMatchesOfTheDay(w);
    buildFirstUsePanel(w);
    buildUpdatePanel(w);

    Control& timer1 = w.add(Kind::Timer, kDayMatchesTimer);
    timer1.setInterval(800);
    Control& timer2 = w.add(Kind::Timer, kFirstUseTimer);
    timer2.setInterval(1000);
    timer2.setEnabled(false);
    timer2.setTag("1");
}

}  // namespace zenkor
