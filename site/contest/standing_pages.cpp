// The rankings, the players' pages and the matches' pages.
#include <algorithm>
#include <initializer_list>

#include "platform/text.h"
#include "site/contest/contest.h"
#include "site/contest/route_parts.h"
#include "site/html.h"
#include "site/server.h"

namespace contest {

namespace {

using site::html_escape;
using site::Lang;
using site::Tr;
using site::Visit;

// The change of rank since the previous published results: up, down, level, or new in the ranking.
std::string movement(Lang lang, const RankRow& row) {
    if (!row.previousRank)
        return "<span class=\"move new\" title=\"" + Tr(lang, "ranking.new") + "\">•</span>";
    const int up = *row.previousRank - row.rank;
    const std::string was = Tr(lang, "ranking.before", {std::to_string(*row.previousRank)});
    if (up > 0) return "<span class=\"move up\" title=\"" + was + "\">▲" + std::to_string(up) + "</span>";
    if (up < 0) return "<span class=\"move down\" title=\"" + was + "\">▼" + std::to_string(-up) + "</span>";
    return "<span class=\"move level\" title=\"" + was + "\">=</span>";
}

std::string pageLinks(std::string_view path, std::string_view query, size_t page, size_t pages) {
    if (pages <= 1) return {};
    // Every visitor of a page gets the same links: each thread keeps the last ones it made.
    thread_local std::string lastKey, lastLinks;
    std::string key = std::string(path) + '?' + std::string(query) + '#' + std::to_string(page) + '/' +
                      std::to_string(pages);
    if (key == lastKey) return lastLinks;
    std::string out = "<nav class=\"pages\">";
    for (size_t n = 1; n <= pages; ++n) {
        out += n == page ? "<strong>" + std::to_string(n) + "</strong> "
                         : "<a href=\"" +
                               html_escape(std::string(path) + "?" + std::string(query) +
                                           "page=" + std::to_string(n)) +
                               "\">" + std::to_string(n) + "</a> ";
    }
    out += "</nav>\n";
    lastKey = std::move(key);
    lastLinks = out;
    return out;
}

size_t pageParam(const site::Request& req, size_t total) {
    const size_t pages = std::max<size_t>(1, (total + kRowsPerPage - 1) / kRowsPerPage);
    return std::min<size_t>(pages, static_cast<size_t>(std::max(1, NumberParam(req, "page", 1))));
}

// Links to the pages of the matches that have started, whose predictions everybody may see.
std::string startedMatches(Lang lang, const ContestPages& p, const Results& results, std::int64_t now) {
    std::string links;
    for (const RealMatch& m : results.matches) {
        if (!m.startedBy(now)) continue;
        links += "<li><a href=\"" + html_escape(MatchHref(p, m.key)) + "\">" + html_escape(m.team1) + " – " +
                 html_escape(m.team2) + "</a></li>";
    }
    if (links.empty()) return {};
    return "<details class=\"matches\"><summary>" + Tr(lang, "ranking.started_matches") + "</summary><ul>" +
           links + "</ul></details>\n";
}

std::string goalsText(const std::optional<int>& g) {
    return g ? std::to_string(*g) : "-";
}

std::string matchText(const Match& m) {
    const std::string t1 = m.team1.empty() ? "?" : m.team1;
    const std::string t2 = m.team2.empty() ? "?" : m.team2;
    return html_escape(t1) + " " + goalsText(m.goals1) + " – " + goalsText(m.goals2) + " " + html_escape(t2);
}

// A table in a card, up to its body's start.
std::string tableHead(const char* cls, std::initializer_list<const std::string*> headings) {
    std::string out = std::string("<div class=\"card\"><table class=\"") + cls + "\">\n<thead><tr>";
    for (const std::string* h : headings) out += "<th>" + *h + "</th>";
    return out + "</tr></thead>\n<tbody>\n";
}

// A table cell with its column's name, which narrow screens show beside the value.
std::string cell(const std::string& label, const std::string& html, const char* cls = nullptr) {
    std::string out = "<td data-label=\"" + label + "\"";
    if (cls) out += std::string(" class=\"") + cls + "\"";
    return out + ">" + html + "</td>";
}

// The link back to the ranking, below a player's or a match's page.
std::string rankingLink(const ContestPages& p, Lang lang) {
    return "<p><a href=\"" + std::string(p.ranking) + "\">" + Tr(lang, "ranking.link") + "</a></p>\n";
}

// A player or a match that does not exist.
void notFound(site::Response& res, const Visit& v, const ContestPages& p, const std::string& text) {
    SendPage(res, v, 404, TitleOf(p, v.lang), Message("error", text) + rankingLink(p, v.lang));
}

// The player's points and rank, or that no file was sent.
std::string standingText(Lang lang, const ContestPages& p, const PlayerCard& card) {
    if (!card.rank) return "<p>" + Tr(lang, "player.no_file") + "</p>\n";
    const std::string points = std::to_string(card.rank->points), exact = std::to_string(card.rank->exact);
    const std::string rank = Ordinal(lang, card.rank->rank);
    return "<p class=\"standing\">" +
           (p.kind == Kind::Tournament
                ? Tr(lang, "player.standing_bonus", {points, rank, exact, std::to_string(card.bonus)})
                : Tr(lang, "player.standing", {points, rank, exact})) +
           "</p>\n";
}

// Each match with the real result and the player's prediction (hidden until kick-off from others).
std::string playerMatchesTable(Lang lang, const ContestPages& p, const PlayerCard& card) {
    const std::string& lMatch = Tr(lang, "player.match");
    const std::string& lKickoff = Tr(lang, "player.kickoff");
    const std::string& lReal = Tr(lang, "player.real");
    const std::string& lPredicted = Tr(lang, "player.prediction");
    const std::string& lPoints = Tr(lang, "ranking.points");
    std::string out = tableHead("predictions stack", {&lMatch, &lKickoff, &lReal, &lPredicted, &lPoints});
    for (const PlayerMatch& m : card.matches) {
        std::string predicted;
        if (m.hidden) {
            predicted = "<em>" + Tr(lang, "player.hidden") + "</em>";
        } else if (m.predicted) {
            predicted = matchText(*m.predicted);
        } else {
            predicted = "—";
        }
        out += "<tr>" +
               cell(lMatch, "<a href=\"" + html_escape(MatchHref(p, m.real.key)) + "\">" +
                                html_escape(MatchLabel(lang, m.real.key)) + "</a>") +
               cell(lKickoff, m.real.kickoff ? ParisTime(lang, *m.real.kickoff) : std::string("?")) +
               cell(lReal, matchText(m.real)) + cell(lPredicted, predicted) +
               cell(lPoints, m.real.played() && m.predicted ? std::to_string(m.points) : std::string(),
                    "points") +
               "</tr>\n";
    }
    return out + "</tbody>\n</table></div>\n";
}

// The player's own uploads, which only the player sees.
std::string uploadsList(Lang lang, const PlayerCard& card) {
    if (card.uploads.empty()) return {};
    std::string out = "<h2>" + Tr(lang, "player.uploads") + "</h2>\n<ul class=\"uploads\">\n";
    for (const PlayerUpload& u : card.uploads) {
        out += "<li>" +
               Tr(lang, "player.upload",
                  {ParisTime(lang, u.at), html_escape(u.fileName), std::to_string(u.taken)}) +
               "</li>\n";
    }
    return out + "</ul>\n";
}

}  // namespace

void RankingPage(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res) {
    const Visit v = site::VisitOf(req, res);
    const Lang lang = v.lang;
    const auto session = c.Session(SessionToken(req), c.Now());
    const size_t page = pageParam(req, c.PlayerCount(p.kind));
    const RankingSlice slice = c.Ranking(p.kind, (page - 1) * kRowsPerPage, kRowsPerPage);
    std::string body = "<section class=\"rules note\">" + RulesText(lang, p.kind) + "</section>\n<p>" +
                       Tr(lang, "ranking.players", {std::to_string(slice.total)}) + " <a href=\"" + p.page +
                       "\">" + Tr(lang, "ranking.take_part") + "</a></p>\n";
    body.reserve(body.size() + kRowsPerPage * 200);
    body +=
        "<div class=\"card\"><table class=\"ranking\">\n<thead><tr><th>" + Tr(lang, "ranking.rank") + "</th>";
    if (slice.hasPrevious) body += "<th title=\"" + Tr(lang, "ranking.since_previous") + "\">±</th>";
    body += "<th class=\"who\">" + Tr(lang, "ranking.nickname") + "</th><th>" + Tr(lang, "ranking.points") +
            "</th><th>" + Tr(lang, "ranking.exact") + "</th></tr></thead>\n<tbody>\n";
    for (const RankRow& row : slice.rows) {
        const bool own = session && session->pseudonym == row.pseudonym;
        body += own ? "<tr class=\"own\"><td>" : "<tr><td>";
        body += std::to_string(row.rank);
        if (slice.hasPrevious) body += "</td><td>" + movement(lang, row);
        body += "</td><td class=\"who\"><a href=\"";
        body += html_escape(PlayerHref(p, row.pseudonym));
        body += "\">";
        body += html_escape(row.pseudonym);
        body += "</a></td><td>";
        body += std::to_string(row.points);
        body += "</td><td>";
        body += std::to_string(row.exact);
        body += "</td></tr>\n";
    }
    body += "</tbody>\n</table></div>\n";
    body += startedMatches(lang, p, *c.Published(p.kind), c.Now());
    body +=
        pageLinks(p.ranking, "", page, std::max<size_t>(1, (slice.total + kRowsPerPage - 1) / kRowsPerPage));
    SendPage(res, v, 200, Tr(lang, "ranking.title", {TitleOf(p, lang)}), body, p.ranking);
}

void PlayerPage(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res) {
    const Visit v = site::VisitOf(req, res);
    const Lang lang = v.lang;
    const std::int64_t now = c.Now();
    const auto session = c.Session(SessionToken(req), now);
    const auto card = c.Player(p.kind, req.Param("pseudo"), session ? session->playerId : 0, now);
    if (!card) return notFound(res, v, p, Tr(lang, "player.unknown"));
    const std::string body = standingText(lang, p, *card) + playerMatchesTable(lang, p, *card) +
                             uploadsList(lang, *card) + rankingLink(p, lang);
    SendPage(res, v, 200, card->pseudonym + " – " + TitleOf(p, lang), body, p.ranking);
}

void MatchPage(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res) {
    const Visit v = site::VisitOf(req, res);
    const Lang lang = v.lang;
    const std::int64_t now = c.Now();
    const std::string key = req.Param("m");
    const auto first = c.MatchPredictions(p.kind, key, now, 0, 0);
    if (!first) return notFound(res, v, p, Tr(lang, "match.unknown"));
    const size_t page = pageParam(req, first->total);
    const auto card = c.MatchPredictions(p.kind, key, now, (page - 1) * kRowsPerPage, kRowsPerPage);
    const RealMatch& real = card->real;
    std::string body =
        "<p class=\"standing\"><strong>" + matchText(real) + "</strong><br><span class=\"note\">" +
        Tr(lang, "match.kickoff", {real.kickoff ? ParisTime(lang, *real.kickoff) : std::string("?")}) +
        "</span></p>\n";
    if (!card->started) {
        body += Message("ok", Tr(lang, "match.hidden"));
    } else {
        body += "<p>" + Tr(lang, "match.count", {std::to_string(card->total)}) + "</p>\n";
        const std::string& lRank = Tr(lang, "ranking.rank");
        const std::string& lPlayer = Tr(lang, "ranking.nickname");
        const std::string& lPredicted = Tr(lang, "player.prediction");
        const std::string& lPoints = Tr(lang, "ranking.points");
        body += tableHead("match-predictions", {&lRank, &lPlayer, &lPredicted, &lPoints});
        for (const MatchEntry& e : card->rows) {
            body += "<tr>" + cell(lRank, std::to_string(e.rank)) +
                    cell(lPlayer, "<a href=\"" + html_escape(PlayerHref(p, e.pseudonym)) + "\">" +
                                      html_escape(e.pseudonym) + "</a>") +
                    cell(lPredicted, matchText(e.predicted)) +
                    cell(lPoints, real.played() ? std::to_string(e.points) : std::string(), "points") +
                    "</tr>\n";
        }
        body += "</tbody>\n</table></div>\n";
        body += pageLinks(p.match, "m=" + platform::PercentEncode(key) + "&", page,
                          std::max<size_t>(1, (card->total + kRowsPerPage - 1) / kRowsPerPage));
    }
    body += rankingLink(p, lang);
    const auto team = [](const std::string& t) { return t.empty() ? std::string("?") : t; };
    SendPage(res, v, 200,
             Tr(lang, "match.title", {MatchLabel(lang, key), team(real.team1), team(real.team2)}), body,
             p.ranking);
}

}  // namespace contest
