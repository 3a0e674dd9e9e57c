#include "site/pages.h"

#include "app/edition_files.h"
#include "site/html.h"

namespace site {

namespace {

std::string esc(std::string_view s) {
    return html_escape(s);
}

std::string teamOrDash(const std::string& team) {
    return team.empty() ? "<span class=\"note\">à venir</span>" : esc(team);
}

std::string matchHtml(const MatchView& m, bool showPens = true) {
    std::string out = "<div class=\"match\"";
    if (!m.info.empty()) out += " title=\"" + esc(m.info) + "\"";
    out += ">";
    const auto side = [&](const std::string& team, const std::string& goals, const std::string& pens,
                          int who) {
        out += m.winner == who ? "<div class=\"won\">" : "<div>";
        out += "<span>" + teamOrDash(team) + "</span><span>";
        out += m.played() ? esc(goals) : "";
        if (showPens && m.played() && pens != "-" && !pens.empty()) {
            out += " <span class=\"pen\">(" + esc(pens) + " t.a.b.)</span>";
        }
        out += "</span></div>";
    };
    side(m.first, m.goals1, m.pens1, 1);
    side(m.second, m.goals2, m.pens2, 2);
    out += "</div>";
    return out;
}

template <size_t N>
std::string roundHtml(const char* title, const std::array<MatchView, N>& matches) {
    std::string out = "<div class=\"round\"><h3>";
    out += title;
    out += "</h3>";
    for (const MatchView& m : matches) out += matchHtml(m);
    out += "</div>";
    return out;
}

const char* kLanguages[3] = {"FR", "EN", "ES"};

}  // namespace

std::string GroupTablesHtml(const TournamentView& t) {
    std::string out = "<div class=\"grid\">";
    for (const GroupView& g : t.groups) {
        out += "<section class=\"card\"><h3>Groupe ";
        out += g.letter;
        out +=
            "</h3><table><tr><th class=\"team\">Équipe</th><th title=\"Matchs joués\">J</th>"
            "<th title=\"Buts pour\">BP</th><th title=\"Buts contre\">BC</th><th "
            "title=\"Différence\">Diff</th>"
            "<th title=\"Points\">Pts</th></tr>";
        for (const TeamRow& r : g.rows) {
            out += r.place <= 2 ? "<tr class=\"through\">" : r.place == 3 ? "<tr class=\"third\">" : "<tr>";
            out += "<td class=\"team\">" + std::to_string(r.place) + ". " + esc(r.team) + "</td>";
            out += "<td>" + esc(r.played) + "</td><td>" + esc(r.goalsFor) + "</td><td>" +
                   esc(r.goalsAgainst) + "</td><td>" + esc(r.difference) + "</td><td><b>" + esc(r.points) +
                   "</b></td></tr>";
        }
        out += "</table>";
        if (g.lotsNeeded) out += "<p class=\"note\">Égalité parfaite : tirage au sort.</p>";
        out += "</section>";
    }
    out += "</div>";
    if (!t.bestThirds.empty()) {
        out += "<p class=\"note\">Meilleurs troisièmes : " + esc(t.bestThirds) + "</p>";
    }
    return out;
}

std::string BracketHtml(const TournamentView& t) {
    std::string out;
    if (!t.champion.empty()) {
        out += "<div class=\"podium\"><div class=\"first\">Champion : " + esc(t.champion) + "</div>";
        out += "<div>Finaliste : " + esc(t.runnerUp) + "</div>";
        for (const std::string& s : t.semiFinalists) {
            if (!s.empty()) out += "<div>Demi-finaliste : " + esc(s) + "</div>";
        }
        out += "</div>";
    }
    out += "<div class=\"bracket\">";
    out += roundHtml("Huitièmes de finale", t.roundOf16);
    out += roundHtml("Quarts de finale", t.quarterFinals);
    out += roundHtml("Demi-finales", t.semiFinals);
    out += roundHtml("Finale", std::array<MatchView, 1>{t.final});
    out += "</div>";
    return out;
}

std::string RankingTableHtml(const std::vector<RankingRow>& rows) {
    if (rows.empty()) return "<p class=\"note\">Aucun joueur pour l'instant.</p>";
    std::string out =
        "<table class=\"ranking\"><tr><th>Rang</th><th class=\"team\">Pseudo</th><th>Points</th></tr>";
    for (const RankingRow& r : rows) {
        out += "<tr><td>" + std::to_string(r.rank) + "</td><td class=\"team\">" + esc(r.pseudonym) +
               "</td><td>" + std::to_string(r.points) + "</td></tr>";
    }
    out += "</table>";
    return out;
}

std::string HomePage(const HomeContent& c) {
    static constexpr const char* kLang[3] = {"fr", "en", "es"};
    std::string body;
    const TournamentView* t = c.tournament;
    std::string news;
    for (int k = 0; t && k < 3; ++k) {
        const std::string& m = t->news[static_cast<size_t>(k)];
        if (m.empty() || m == "-") continue;
        news += "<p lang=\"" + std::string(kLang[k]) + "\"><span class=\"lang\">" + kLanguages[k] +
                "</span>" + esc(m) + "</p>";
    }
    if (!news.empty()) body += "<section class=\"news\">" + news + "</section>";
    if (!t) body += "<p class=\"note\">Aucun fichier de résultats n'est publié pour l'instant.</p>";

    body += "<h2>Concours de pronostics</h2><div class=\"grid\"><section class=\"card\"><h3>Euro 2024</h3>";
    body += RankingTableHtml(c.tournamentTop);
    body += "<p><a href=\"" + std::string(kRankingPath) + "\">Classement complet</a></p></section>";
    body += "<section class=\"card\"><h3>Éliminatoires</h3>" + RankingTableHtml(c.qualifiersTop);
    body += "<p><a href=\"" + std::string(kQualifiersRankingPath) +
            "\">Classement complet</a></p></section></div>";
    if (t) {
        body += "<h2>Phase finale</h2>" + BracketHtml(*t);
        body += "<h2>Phase de groupes</h2>" + GroupTablesHtml(*t);
    }
    body +=
        "<h2>Liens</h2><ul>"
        "<li><a href=\"/zenkor.php\">Zenkor, le programme</a> : version, installation</li>"
        "<li><a href=\"/Zenkor2024.ini\">Le fichier des résultats</a> (le bouton « Mise à jour » du "
        "programme le "
        "télécharge)</li>"
        "<li><a href=\"/contacter.php?sub=Site\">Me contacter</a></li></ul>";
    return PageLayout("Euro 2024 : résultats et concours", body, kHomePath);
}

std::string ProgramPage(const std::string& dataVersion) {
    const std::string version =
        std::to_string(zenkor::kProgramMajorVersion) + "." + std::to_string(zenkor::kProgramMinorVersion);
    std::string body;
    body += "<p><b>Zenkor " + esc(version) + "</b> suit l'Euro 2024, du premier match de groupe à la finale.";
    if (!dataVersion.empty() && dataVersion != "-") {
        body += " Le fichier de résultats publié demande la version " + esc(dataVersion) + ".";
    }
    body += "</p>";
    body +=
        "<h2>Ce qu'il fait</h2><ul>"
        "<li>Vous saisissez les scores, réels ou pronostiqués : les six tableaux de groupes, les meilleurs "
        "troisièmes, les huitièmes, quarts, demi-finales et la finale suivent aussitôt, jusqu'au podium.</li>"
        "<li>« Mise à jour » remplace le fichier 2024 par les résultats publiés ici (votre fichier est gardé "
        "si "
        "quelque chose échoue).</li>"
        "<li>Calendrier des matchs avec chaînes et horaires, statistiques, tableau imprimable, module des "
        "éliminatoires.</li>"
        "<li>Le concours de pronostics : envoyez votre fichier depuis le programme et suivez votre "
        "classement.</li>"
        "<li>En français, anglais ou espagnol.</li></ul>";
    body +=
        "<h2>L'installer</h2><p>Sur une machine Debian, dans le dossier des sources :</p>"
        "<pre>make run</pre><p class=\"note\">La commande installe ce qui manque, construit le programme "
        "et le lance. <code>make test</code> lance tous les tests.</p>";
    return PageLayout("Zenkor " + version, body, kProgramPath);
}

std::string ContactPage(const std::string& subject, ContactNotice notice, const ContactMessage& typed) {
    std::string body;
    switch (notice) {
        case ContactNotice::Sent:
            body += "<p class=\"message ok\">Merci, votre message est envoyé.</p>";
            break;
        case ContactNotice::Missing:
            body += "<p class=\"message error\">Écrivez un message avant de l'envoyer.</p>";
            break;
        case ContactNotice::TooLong:
            body += "<p class=\"message error\">Le message est trop long (4000 caractères au plus).</p>";
            break;
        case ContactNotice::Unavailable:
            body +=
                "<p class=\"message error\">Le message n'a pas pu être enregistré. Réessayez plus tard.</p>";
            break;
        case ContactNotice::None:
            break;
    }
    const std::string shownSubject = typed.subject.empty() ? subject : typed.subject;
    body += "<form method=\"post\" action=\"/contacter.php\">";
    body +=
        "<label for=\"sujet\">Sujet</label><input type=\"text\" id=\"sujet\" name=\"sujet\" "
        "maxlength=\"200\" value=\"" +
        esc(shownSubject) + "\">";
    body +=
        "<label for=\"nom\">Votre nom</label><input type=\"text\" id=\"nom\" name=\"nom\" maxlength=\"200\" "
        "value=\"" +
        esc(typed.name) + "\">";
    body +=
        "<label for=\"email\">Votre adresse (pour la réponse, facultative)</label>"
        "<input type=\"email\" id=\"email\" name=\"email\" maxlength=\"200\" value=\"" +
        esc(typed.email) + "\">";
    body +=
        "<label for=\"message\">Message</label><textarea id=\"message\" name=\"message\" maxlength=\"4000\" "
        "required>" +
        esc(typed.text) + "</textarea>";
    body += "<button type=\"submit\">Envoyer</button></form>";
    return PageLayout("Me contacter", body, kContactPath);
}

}  // namespace site
