#include "site/pages.h"

#include "app/edition_files.h"
#include "site/html.h"

namespace site {

namespace {

std::string esc(std::string_view s) {
    return html_escape(s);
}

std::string teamOrDash(Lang lang, const std::string& team) {
    return team.empty() ? std::string("<span class=\"note\">") + T(lang, "à venir", "to come", "por llegar") +
                              "</span>"
                        : esc(team);
}

std::string matchHtml(Lang lang, const MatchView& m, bool showPens = true) {
    std::string out = "<div class=\"match\"";
    if (!m.info.empty()) out += " title=\"" + esc(m.info) + "\"";
    out += ">";
    const auto side = [&](const std::string& team, const std::string& goals, const std::string& pens,
                          int who) {
        out += m.winner == who ? "<div class=\"won\">" : "<div>";
        out += "<span>" + teamOrDash(lang, team) + "</span><span>";
        out += m.played() ? esc(goals) : "";
        if (showPens && m.played() && pens != "-" && !pens.empty()) {
            out += " <span class=\"pen\">(" + esc(pens) + T(lang, " t.a.b.", " pens", " pen.") + ")</span>";
        }
        out += "</span></div>";
    };
    side(m.first, m.goals1, m.pens1, 1);
    side(m.second, m.goals2, m.pens2, 2);
    out += "</div>";
    return out;
}

template <size_t N>
std::string roundHtml(Lang lang, const char* title, const std::array<MatchView, N>& matches) {
    std::string out = "<div class=\"round\"><h3>";
    out += title;
    out += "</h3>";
    for (const MatchView& m : matches) out += matchHtml(lang, m);
    out += "</div>";
    return out;
}

const char* kLanguages[3] = {"FR", "EN", "ES"};

}  // namespace

std::string GroupTablesHtml(Lang lang, const TournamentView& t) {
    std::string out = "<div class=\"grid\">";
    for (const GroupView& g : t.groups) {
        out += "<section class=\"card\"><h3>";
        out += T(lang, "Groupe ", "Group ", "Grupo ");
        out += g.letter;
        out += "</h3><table><tr><th class=\"team\">";
        out += T(lang, "Équipe", "Team", "Equipo");
        out += "</th>";
        // Each column's full name shows when the mouse rests on its short heading.
        static constexpr const char* kColumns[][6] = {
            {"Matchs joués", "Played", "Jugados", "J", "P", "J"},
            {"Buts pour", "Goals for", "Goles a favor", "BP", "GF", "GF"},
            {"Buts contre", "Goals against", "Goles en contra", "BC", "GA", "GC"},
            {"Différence", "Difference", "Diferencia", "Diff", "Diff", "Dif"},
            {"Points", "Points", "Puntos", "Pts", "Pts", "Pts"},
        };
        for (const auto& c : kColumns) {
            out += std::string("<th title=\"") + T(lang, c[0], c[1], c[2]) + "\">" +
                   T(lang, c[3], c[4], c[5]) + "</th>";
        }
        out += "</tr>";
        for (const TeamRow& r : g.rows) {
            out += r.place <= 2 ? "<tr class=\"through\">" : r.place == 3 ? "<tr class=\"third\">" : "<tr>";
            out += "<td class=\"team\">" + std::to_string(r.place) + ". " + esc(r.team) + "</td>";
            out += "<td>" + esc(r.played) + "</td><td>" + esc(r.goalsFor) + "</td><td>" +
                   esc(r.goalsAgainst) + "</td><td>" + esc(r.difference) + "</td><td><b>" + esc(r.points) +
                   "</b></td></tr>";
        }
        out += "</table>";
        if (g.lotsNeeded) {
            out += std::string("<p class=\"note\">") +
                   T(lang, "Égalité parfaite : tirage au sort.", "Dead heat: drawing of lots.",
                     "Empate perfecto: sorteo.") +
                   "</p>";
        }
        out += "</section>";
    }
    out += "</div>";
    if (!t.bestThirds.empty()) {
        out += std::string("<p class=\"note\">") +
               T(lang, "Meilleurs troisièmes : ", "Best third-placed teams: ", "Mejores terceros: ") +
               esc(t.bestThirds) + "</p>";
    }
    return out;
}

std::string BracketHtml(Lang lang, const TournamentView& t) {
    std::string out;
    if (!t.champion.empty()) {
        out += std::string("<div class=\"podium\"><div class=\"first\">") +
               T(lang, "Champion : ", "Champion: ", "Campeón: ") + esc(t.champion) + "</div>";
        out += std::string("<div>") + T(lang, "Finaliste : ", "Runner-up: ", "Finalista: ") +
               esc(t.runnerUp) + "</div>";
        for (const std::string& s : t.semiFinalists) {
            if (!s.empty()) {
                out += std::string("<div>") +
                       T(lang, "Demi-finaliste : ", "Semi-finalist: ", "Semifinalista: ") + esc(s) + "</div>";
            }
        }
        out += "</div>";
    }
    out += "<div class=\"bracket\">";
    out += roundHtml(lang, T(lang, "Huitièmes de finale", "Round of 16", "Octavos de final"), t.roundOf16);
    out +=
        roundHtml(lang, T(lang, "Quarts de finale", "Quarter-finals", "Cuartos de final"), t.quarterFinals);
    out += roundHtml(lang, T(lang, "Demi-finales", "Semi-finals", "Semifinales"), t.semiFinals);
    out += roundHtml(lang, T(lang, "Finale", "Final", "Final"), std::array<MatchView, 1>{t.final});
    out += "</div>";
    return out;
}

std::string RankingTableHtml(Lang lang, const std::vector<RankingRow>& rows) {
    if (rows.empty()) {
        return std::string("<p class=\"note\">") +
               T(lang, "Aucun joueur pour l'instant.", "No player yet.", "Ningún jugador por ahora.") +
               "</p>";
    }
    std::string out = std::string("<table class=\"ranking\"><tr><th>") + T(lang, "Rang", "Rank", "Puesto") +
                      "</th><th class=\"team\">" + T(lang, "Pseudo", "Nickname", "Seudónimo") + "</th><th>" +
                      T(lang, "Points", "Points", "Puntos") + "</th></tr>";
    for (const RankingRow& r : rows) {
        out += "<tr><td>" + std::to_string(r.rank) + "</td><td class=\"team\">" + esc(r.pseudonym) +
               "</td><td>" + std::to_string(r.points) + "</td></tr>";
    }
    out += "</table>";
    return out;
}

std::string HowToTakePart(Lang lang) {
    std::string out = "<ol class=\"howto\"><li>";
    out +=
        T(lang,
          "Inscrivez-vous sur la <a href=\"/expZenkor2024.php\">page du concours</a> : choisissez un pseudo "
          "et un mot de passe ; un pseudo nouveau s'inscrit la première fois qu'il entre.",
          "Register on the <a href=\"/expZenkor2024.php\">contest page</a>: choose a nickname and a "
          "password; a "
          "new nickname registers the first time it comes in.",
          "Inscríbase en la <a href=\"/expZenkor2024.php\">página del concurso</a>: elija un seudónimo y una "
          "contraseña; un seudónimo nuevo se inscribe la primera vez que entra.");
    out += "</li><li>";
    out += T(lang, "Dans Zenkor, saisissez vos pronostics et cliquez « Sauve ».",
             "In Zenkor, type your predictions and click \"Save\".",
             "En Zenkor, escriba sus pronósticos y pulse «Guardar».");
    out += "</li><li>";
    out +=
        T(lang,
          "Sur la page du concours, envoyez le fichier <code>Zenkor2024.ini</code> de votre dossier de "
          "données : <code>~/.local/share/Zenkor/Zenkor2024.ini</code> (ou "
          "<code>$XDG_DATA_HOME/Zenkor/Zenkor2024.ini</code>).",
          "On the contest page, hand in the file <code>Zenkor2024.ini</code> of your data folder: "
          "<code>~/.local/share/Zenkor/Zenkor2024.ini</code> (or "
          "<code>$XDG_DATA_HOME/Zenkor/Zenkor2024.ini</code>).",
          "En la página del concurso, envíe el archivo <code>Zenkor2024.ini</code> de su carpeta de datos: "
          "<code>~/.local/share/Zenkor/Zenkor2024.ini</code> (o "
          "<code>$XDG_DATA_HOME/Zenkor/Zenkor2024.ini</code>).");
    out += "</li></ol><p class=\"note\">";
    out += T(
        lang,
        "Une fois ouvert le panneau « Mise à jour fichier. » de Zenkor, son bouton « Envoyer le dernier "
        "score » fait tout cela : il ouvre la page du concours avec votre pseudo et votre mot de passe et "
        "met le chemin du fichier dans le presse-papiers. Chaque match compte le dernier fichier envoyé "
        "avant son coup d'envoi.",
        "Once Zenkor's \"File update\" panel is open, its button \"Send my latest scores\" does all this: it "
        "opens the contest page with your nickname and password and puts the file's path on the clipboard. "
        "Each match counts the last file sent before its kick-off.",
        "Una vez abierto el panel «Actualización del archivo» de Zenkor, su botón «Enviar mis últimos "
        "resultados» lo hace todo: abre la página del concurso con su seudónimo y su contraseña y pone la "
        "ruta "
        "del archivo en el portapapeles. Cada partido cuenta el último archivo enviado antes de su inicio.");
    out += "</p>";
    return out;
}

std::string HomePage(const Visit& v, const HomeContent& c) {
    const Lang lang = v.lang;
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
    if (!t) {
        body += std::string("<p class=\"note\">") +
                T(lang, "Aucun fichier de résultats n'est publié pour l'instant.",
                  "No results file is published yet.",
                  "Todavía no se ha publicado ningún archivo de resultados.") +
                "</p>";
    }

    body += std::string("<h2>") +
            T(lang, "Concours de pronostics", "Prediction contest", "Concurso de pronósticos") + "</h2>" +
            HowToTakePart(lang);
    body += "<div class=\"grid\"><section class=\"card\"><h3>Euro 2024</h3>";
    const char* full = T(lang, "Classement complet", "Full ranking", "Clasificación completa");
    body += RankingTableHtml(lang, c.tournamentTop);
    body += "<p><a href=\"" + std::string(kRankingPath) + "\">" + full + "</a></p></section>";
    body += std::string("<section class=\"card\"><h3>") +
            T(lang, "Éliminatoires", "Qualifiers", "Clasificación") + "</h3>" +
            RankingTableHtml(lang, c.qualifiersTop);
    body += "<p><a href=\"" + std::string(kQualifiersRankingPath) + "\">" + full + "</a></p></section></div>";
    if (t) {
        body += std::string("<h2>") + T(lang, "Phase finale", "Knockout stage", "Fase final") + "</h2>" +
                BracketHtml(lang, *t);
        body += std::string("<h2>") + T(lang, "Phase de groupes", "Group stage", "Fase de grupos") + "</h2>" +
                GroupTablesHtml(lang, *t);
    }
    body +=
        std::string("<h2>") + T(lang, "Liens", "Links", "Enlaces") + "</h2><ul><li><a href=\"/zenkor.php\">" +
        T(lang, "Zenkor, le programme</a> : version, installation",
          "Zenkor, the program</a>: version, installation", "Zenkor, el programa</a>: versión, instalación") +
        "</li><li><a href=\"/Zenkor2024.ini\">" +
        T(lang, "Le fichier des résultats</a> (le bouton « Mise à jour » du programme le télécharge)",
          "The results file</a> (the program's \"Update\" button downloads it)",
          "El archivo de resultados</a> (el botón «Actualizar» del programa lo descarga)") +
        "</li><li><a href=\"/contacter.php?sub=Site\">" +
        T(lang, "Me contacter", "Contact me", "Contactarme") + "</a></li></ul>";
    return PageLayout(v,
                      T(lang, "Euro 2024 : résultats et concours", "Euro 2024: results and contest",
                        "Eurocopa 2024: resultados y concurso"),
                      body, kHomePath);
}

namespace {

// The program and the version the published file needs.
std::string programIntro(Lang lang, const std::string& version, const std::string& dataVersion) {
    std::string body;
    body += "<p><b>Zenkor " + esc(version) + "</b> " +
            T(lang, "suit l'Euro 2024, du premier match de groupe à la finale.",
              "follows Euro 2024, from the first group match to the final.",
              "sigue la Eurocopa 2024, del primer partido de grupo a la final.");
    if (!dataVersion.empty() && dataVersion != "-") {
        body += T(lang, " Le fichier de résultats publié demande la version ",
                  " The published results file needs version ",
                  " El archivo de resultados publicado pide la versión ") +
                esc(dataVersion) + ".";
    }
    return body + "</p>";
}

std::string whatItDoes(Lang lang) {
    std::string body = "<h2>";
    body += T(lang, "Ce qu'il fait", "What it does", "Lo que hace");
    body += "</h2><ul><li>";
    body +=
        T(lang,
          "Vous saisissez les scores, réels ou pronostiqués : les six tableaux de groupes, les meilleurs "
          "troisièmes, les huitièmes, quarts, demi-finales et la finale suivent aussitôt, jusqu'au podium.",
          "You type the scores, real or predicted: the six group tables, the best third-placed teams, the "
          "round "
          "of 16, quarter-finals, semi-finals and final follow at once, up to the podium.",
          "Usted escribe los resultados, reales o pronosticados: las seis tablas de grupos, los mejores "
          "terceros, "
          "los octavos, cuartos, semifinales y la final siguen al instante, hasta el podio.");
    body += "</li><li>";
    body += T(
        lang,
        "« Mise à jour » remplace le fichier 2024 par les résultats publiés ici (votre fichier est gardé si "
        "quelque chose échoue).",
        "\"Update\" replaces the 2024 file with the results published here (your file is kept if anything "
        "fails).",
        "«Actualizar» sustituye el archivo 2024 por los resultados publicados aquí (su archivo se conserva "
        "si "
        "algo falla).");
    body += "</li><li>";
    body += T(lang,
              "Calendrier des matchs avec chaînes et horaires, statistiques, tableau imprimable, module des "
              "éliminatoires.",
              "Match calendar with channels and times, statistics, printable bracket, qualifiers module.",
              "Calendario de partidos con cadenas y horarios, estadísticas, cuadro imprimible, módulo de la "
              "clasificación.");
    body += "</li><li>";
    body +=
        T(lang,
          "Le concours de pronostics : envoyez votre fichier depuis le programme et suivez votre classement.",
          "The prediction contest: send your file from the program and follow your ranking.",
          "El concurso de pronósticos: envíe su archivo desde el programa y siga su clasificación.");
    body += "</li><li>";
    body += T(lang, "En français, anglais ou espagnol.", "In French, English or Spanish.",
              "En francés, inglés o español.");
    return body + "</li></ul>";
}

std::string installing(Lang lang) {
    std::string body = "<h2>";
    body += T(lang, "L'installer", "Installing it", "Instalarlo");
    body += "</h2><p>";
    body += T(
        lang, "Sur une machine Debian, dans le dossier des sources :",
        "On a Debian machine, in the source folder:", "En una máquina Debian, en la carpeta de las fuentes:");
    body += "</p><pre>make run</pre><p class=\"note\">";
    body += T(
        lang,
        "La commande installe ce qui manque, construit le programme et le lance. <code>make test</code> "
        "lance "
        "tous les tests.",
        "The command installs what is missing, builds the program and starts it. <code>make test</code> runs "
        "every test.",
        "La orden instala lo que falta, construye el programa y lo inicia. <code>make test</code> ejecuta "
        "todas "
        "las pruebas.");
    return body + "</p>";
}

}  // namespace

std::string ProgramPage(const Visit& v, const std::string& dataVersion) {
    const Lang lang = v.lang;
    const std::string version =
        std::to_string(zenkor::kProgramMajorVersion) + "." + std::to_string(zenkor::kProgramMinorVersion);
    return PageLayout(v, "Zenkor " + version,
                      programIntro(lang, version, dataVersion) + whatItDoes(lang) + installing(lang),
                      kProgramPath);
}

std::string ContactPage(const Visit& v, const std::string& subject, ContactNotice notice,
                        const ContactMessage& typed) {
    const Lang lang = v.lang;
    std::string body;
    const auto say = [&](const char* cls, const char* fr, const char* en, const char* es) {
        body += std::string("<p class=\"message ") + cls + "\">" + T(lang, fr, en, es) + "</p>";
    };
    switch (notice) {
        case ContactNotice::Sent:
            say("ok", "Merci, votre message est envoyé.", "Thank you, your message is sent.",
                "Gracias, su mensaje se ha enviado.");
            break;
        case ContactNotice::Missing:
            say("error", "Écrivez un message avant de l'envoyer.", "Write a message before sending it.",
                "Escriba un mensaje antes de enviarlo.");
            break;
        case ContactNotice::TooLong:
            say("error", "Le message est trop long (4000 caractères au plus).",
                "The message is too long (4000 characters at most).",
                "El mensaje es demasiado largo (4000 caracteres como máximo).");
            break;
        case ContactNotice::Unavailable:
            say("error", "Le message n'a pas pu être enregistré. Réessayez plus tard.",
                "The message could not be stored. Try again later.",
                "No se ha podido guardar el mensaje. Inténtelo más tarde.");
            break;
        case ContactNotice::TooMany:
            say("error", "Vous avez déjà envoyé beaucoup de messages aujourd'hui : réessayez demain.",
                "You have already sent many messages today: try again tomorrow.",
                "Ya ha enviado muchos mensajes hoy: inténtelo mañana.");
            break;
        case ContactNotice::None:
            break;
    }
    const std::string shownSubject = typed.subject.empty() ? subject : typed.subject;
    body += "<form method=\"post\" action=\"/contacter.php\">";
    body += std::string("<label for=\"sujet\">") + T(lang, "Sujet", "Subject", "Asunto") +
            "</label><input type=\"text\" id=\"sujet\" name=\"sujet\" maxlength=\"200\" value=\"" +
            esc(shownSubject) + "\">";
    body += std::string("<label for=\"nom\">") + T(lang, "Votre nom", "Your name", "Su nombre") +
            "</label><input type=\"text\" id=\"nom\" name=\"nom\" maxlength=\"200\" value=\"" +
            esc(typed.name) + "\">";
    body += std::string("<label for=\"email\">") +
            T(lang, "Votre adresse (pour la réponse, facultative)", "Your address (for the answer, optional)",
              "Su dirección (para la respuesta, opcional)") +
            "</label><input type=\"email\" id=\"email\" name=\"email\" maxlength=\"200\" value=\"" +
            esc(typed.email) + "\">";
    body += std::string("<label for=\"message\">") + T(lang, "Message", "Message", "Mensaje") +
            "</label><textarea id=\"message\" name=\"message\" maxlength=\"4000\" required>" +
            esc(typed.text) + "</textarea>";
    body +=
        std::string("<button type=\"submit\">") + T(lang, "Envoyer", "Send", "Enviar") + "</button></form>";
    return PageLayout(v, T(lang, "Me contacter", "Contact me", "Contactarme"), body, kContactPath);
}

}  // namespace site
