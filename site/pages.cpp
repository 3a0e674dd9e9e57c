#include "site/pages.h"

#include "app/edition_files.h"
#include "site/catalogue.h"
#include "site/html.h"

namespace site {

namespace {

std::string esc(std::string_view s) {
    return html_escape(s);
}

std::string teamOrDash(Lang lang, const std::string& team) {
    return team.empty() ? std::string("<span class=\"note\">") + Tr(lang, "bracket.to_come") + "</span>"
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
            out += " <span class=\"pen\">" + Tr(lang, "bracket.pens", {esc(pens)}) + "</span>";
        }
        out += "</span></div>";
    };
    side(m.first, m.goals1, m.pens1, 1);
    side(m.second, m.goals2, m.pens2, 2);
    out += "</div>";
    return out;
}

template <size_t N>
std::string roundHtml(Lang lang, const std::string& title, const std::array<MatchView, N>& matches) {
    std::string out = "<div class=\"round\"><h3>";
    out += title;
    out += "</h3>";
    for (const MatchView& m : matches) out += matchHtml(lang, m);
    out += "</div>";
    return out;
}

}  // namespace

std::string GroupTablesHtml(Lang lang, const TournamentView& t) {
    std::string out = "<div class=\"grid\">";
    for (const GroupView& g : t.groups) {
        out += "<section class=\"card\"><h3>";
        out += Tr(lang, "match.group", {std::string(1, g.letter)});
        out += "</h3><table><tr><th class=\"team\">";
        out += Tr(lang, "groups.team");
        out += "</th>";
        // Each column's full name shows when the mouse rests on its short heading.
        static constexpr const char* kColumns[][2] = {{"groups.played", "groups.played.short"},
                                                      {"groups.for", "groups.for.short"},
                                                      {"groups.against", "groups.against.short"},
                                                      {"groups.difference", "groups.difference.short"},
                                                      {"groups.points", "groups.points.short"}};
        for (const auto& c : kColumns)
            out += "<th title=\"" + Tr(lang, c[0]) + "\">" + Tr(lang, c[1]) + "</th>";
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
            out += std::string("<p class=\"note\">") + Tr(lang, "groups.lots") + "</p>";
        }
        out += "</section>";
    }
    out += "</div>";
    if (!t.bestThirds.empty()) {
        out +=
            std::string("<p class=\"note\">") + Tr(lang, "groups.best_thirds", {esc(t.bestThirds)}) + "</p>";
    }
    return out;
}

std::string BracketHtml(Lang lang, const TournamentView& t) {
    std::string out;
    if (!t.champion.empty()) {
        out += std::string("<div class=\"podium\"><div class=\"first\">") +
               Tr(lang, "bracket.champion", {esc(t.champion)}) + "</div>";
        out += "<div>" + Tr(lang, "bracket.runner_up", {esc(t.runnerUp)}) + "</div>";
        for (const std::string& s : t.semiFinalists) {
            if (!s.empty()) {
                out += std::string("<div>") + Tr(lang, "bracket.semi_finalist", {esc(s)}) + "</div>";
            }
        }
        out += "</div>";
    }
    out += "<div class=\"bracket\">";
    out += roundHtml(lang, Tr(lang, "bracket.round_of_16"), t.roundOf16);
    out += roundHtml(lang, Tr(lang, "bracket.quarter_finals"), t.quarterFinals);
    out += roundHtml(lang, Tr(lang, "bracket.semi_finals"), t.semiFinals);
    out += roundHtml(lang, Tr(lang, "bracket.final"), std::array<MatchView, 1>{t.final});
    out += "</div>";
    return out;
}

std::string RankingTableHtml(Lang lang, const std::vector<RankingRow>& rows) {
    if (rows.empty()) {
        return std::string("<p class=\"note\">") + Tr(lang, "ranking.nobody") + "</p>";
    }
    std::string out = std::string("<table class=\"ranking\"><tr><th>") + Tr(lang, "ranking.rank") +
                      "</th><th class=\"team\">" + Tr(lang, "ranking.nickname") + "</th><th>" +
                      Tr(lang, "ranking.points") + "</th></tr>";
    for (const RankingRow& r : rows) {
        out += "<tr><td>" + std::to_string(r.rank) + "</td><td class=\"team\">" + esc(r.pseudonym) +
               "</td><td>" + std::to_string(r.points) + "</td></tr>";
    }
    out += "</table>";
    return out;
}

std::string HowToTakePart(Lang lang) {
    std::string out = "<ol class=\"howto\"><li>";
    out += Tr(lang, "howto.register");
    out += "</li><li>";
    out += Tr(lang, "howto.save");
    out += "</li><li>";
    out += Tr(lang, "howto.hand_in");
    out += "</li></ol><p class=\"note\">";
    out += Tr(lang, "howto.send_button");
    out += "</p>";
    return out;
}

std::string HomePage(const Visit& v, const HomeContent& c) {
    const Lang lang = v.lang;
    std::string body;
    const TournamentView* t = c.tournament;
    // The published file's news in the page's language only.
    if (const std::string* news = t ? &t->news[static_cast<size_t>(lang)] : nullptr;
        news && !news->empty() && *news != "-") {
        body += "<section class=\"news\"><p>" + esc(*news) + "</p></section>";
    }
    if (!t) {
        body += std::string("<p class=\"note\">") + Tr(lang, "home.nothing_published") + "</p>";
    }

    body += std::string("<h2>") + Tr(lang, "home.contest") + "</h2>" + HowToTakePart(lang);
    body += "<div class=\"grid\"><section class=\"card\"><h3>Euro 2024</h3>";
    const std::string& full = Tr(lang, "home.full_ranking");
    body += RankingTableHtml(lang, c.tournamentTop);
    body += "<p><a href=\"" + std::string(kRankingPath) + "\">" + full + "</a></p></section>";
    body += std::string("<section class=\"card\"><h3>") + Tr(lang, "home.qualifiers") + "</h3>" +
            RankingTableHtml(lang, c.qualifiersTop);
    body += "<p><a href=\"" + std::string(kQualifiersRankingPath) + "\">" + full + "</a></p></section></div>";
    if (t) {
        body += std::string("<h2>") + Tr(lang, "home.knockout_stage") + "</h2>" + BracketHtml(lang, *t);
        body += std::string("<h2>") + Tr(lang, "home.group_stage") + "</h2>" + GroupTablesHtml(lang, *t);
    }
    body += std::string("<h2>") + Tr(lang, "home.links") + "</h2><ul><li>" + Tr(lang, "home.link_program") +
            "</li><li>" + Tr(lang, "home.link_results_file") +
            "</li><li><a href=\"/contacter.php?sub=Site\">" + Tr(lang, "contact.title") + "</a></li></ul>";
    return PageLayout(v, Tr(lang, "home.title"), body, kHomePath);
}

namespace {

// The program and the version the published file needs.
std::string programIntro(Lang lang, const std::string& version, const std::string& dataVersion) {
    std::string body;
    body += "<p>" + Tr(lang, "program.intro", {esc(version)});
    if (!dataVersion.empty() && dataVersion != "-")
        body += " " + Tr(lang, "program.needs_version", {esc(dataVersion)});
    return body + "</p>";
}

std::string whatItDoes(Lang lang) {
    std::string body = "<h2>";
    body += Tr(lang, "program.what_it_does");
    body += "</h2><ul><li>";
    body += Tr(lang, "program.scores");
    body += "</li><li>";
    body += Tr(lang, "program.update");
    body += "</li><li>";
    body += Tr(lang, "program.more");
    body += "</li><li>";
    body += Tr(lang, "program.contest");
    body += "</li><li>";
    body += Tr(lang, "program.languages");
    return body + "</li></ul>";
}

std::string installing(Lang lang) {
    std::string body = "<h2>";
    body += Tr(lang, "program.installing");
    body += "</h2><p>";
    body += Tr(lang, "program.debian");
    body += "</p><pre>make run</pre><p class=\"note\">";
    body += Tr(lang, "program.command");
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
    const auto say = [&](const char* cls, const char* key) {
        body += std::string("<p class=\"message ") + cls + "\">" + Tr(lang, key) + "</p>";
    };
    switch (notice) {
        case ContactNotice::Sent:
            say("ok", "contact.sent");
            break;
        case ContactNotice::Missing:
            say("error", "contact.missing");
            break;
        case ContactNotice::TooLong:
            body += "<p class=\"message error\">" +
                    Tr(lang, "contact.too_long", {std::to_string(kContactTextMax)}) + "</p>";
            break;
        case ContactNotice::Unavailable:
            say("error", "contact.unavailable");
            break;
        case ContactNotice::TooMany:
            say("error", "contact.too_many");
            break;
        case ContactNotice::TooManyOnSite:
            say("error", "contact.too_many_all");
            break;
        case ContactNotice::None:
            break;
    }
    const std::string shownSubject = typed.subject.empty() ? subject : typed.subject;
    body += "<form method=\"post\" action=\"/contacter.php\">";
    body += std::string("<label for=\"sujet\">") + Tr(lang, "contact.subject") +
            "</label><input type=\"text\" id=\"sujet\" name=\"sujet\" maxlength=\"200\" value=\"" +
            esc(shownSubject) + "\">";
    body += std::string("<label for=\"nom\">") + Tr(lang, "contact.name") +
            "</label><input type=\"text\" id=\"nom\" name=\"nom\" maxlength=\"200\" value=\"" +
            esc(typed.name) + "\">";
    body += std::string("<label for=\"email\">") + Tr(lang, "contact.email") +
            "</label><input type=\"email\" id=\"email\" name=\"email\" maxlength=\"200\" value=\"" +
            esc(typed.email) + "\">";
    body += std::string("<label for=\"message\">") + Tr(lang, "contact.message") +
            "</label><textarea id=\"message\" name=\"message\" maxlength=\"4000\" required>" +
            esc(typed.text) + "</textarea>";
    body += std::string("<button type=\"submit\">") + Tr(lang, "contact.send") + "</button></form>";
    return PageLayout(v, Tr(lang, "contact.title"), body, kContactPath);
}

}  // namespace site
