#include "site/contest/routes.h"

#include <httplib.h>

#include <algorithm>
#include <charconv>

#include "platform/datetime.h"
#include "platform/text.h"
#include "site/contest/contest.h"
#include "site/contest/upload_reader.h"
#include "site/html.h"

namespace contest {

namespace {

using site::html_escape;

// "1er", "2e", ...
std::string ordinal(int rank) {
    return std::to_string(rank) + (rank == 1 ? "<sup>er</sup>" : "<sup>e</sup>");
}

constexpr size_t kRowsPerPage = 100;
constexpr const char* kCookieName = "sid";

struct ContestPages {
    Kind kind;
    const char* page;
    const char* ranking;
    const char* player;
    const char* title;
    const char* fileName;
};

const ContestPages& pagesOf(Kind kind) {
    static const ContestPages tournament{Kind::Tournament,
                                         kTournamentPath,
                                         site::kRankingPath,
                                         kPlayerPath,
                                         "Concours de pronostics de l'Euro 2024",
                                         "Zenkor2024.ini"};
    static const ContestPages qualifiers{Kind::Qualifiers,
                                         kQualifiersPath,
                                         site::kQualifiersRankingPath,
                                         kQualifiersPlayerPath,
                                         "Concours de pronostics des éliminatoires",
                                         "Elim2024.ini"};
    return kind == Kind::Tournament ? tournament : qualifiers;
}

std::string playerHref(const ContestPages& p, std::string_view pseudonym) {
    return std::string(p.player) + "?pseudo=" + platform::PercentEncode(pseudonym);
}

std::string sessionToken(const httplib::Request& req) {
    const std::string cookies = req.get_header_value("Cookie");
    const std::string name = std::string(kCookieName) + "=";
    size_t pos = 0;
    while (pos < cookies.size()) {
        size_t end = cookies.find(';', pos);
        if (end == std::string::npos) end = cookies.size();
        std::string_view item(cookies.data() + pos, end - pos);
        while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
        if (item.substr(0, name.size()) == name) return std::string(item.substr(name.size()));
        pos = end + 1;
    }
    return {};
}

int numberParam(const httplib::Request& req, const char* name, int fallback = 0) {
    const std::string v = req.get_param_value(name);
    int n = fallback;
    const auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
    return ec == std::errc() && ptr == v.data() + v.size() && n >= 0 ? n : fallback;
}

std::string parisTime(std::int64_t utc) {
    const platform::DateTime t{UtcToParis(utc)};
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d à %02d:%02d", platform::Day(t), platform::Month(t),
                  platform::Year(t), platform::Hour(t), platform::Minute(t));
    return text;
}

void sendPage(httplib::Response& res, int status, std::string_view title, const std::string& body,
              std::string_view active = {}) {
    res.status = status;
    res.set_header("Cache-Control", "no-store");
    res.set_content(site::PageLayout(title, body, active), site::kHtmlType);
}

std::string message(std::string_view cls, std::string_view text) {
    return "<p class=\"message " + std::string(cls) + "\">" + html_escape(text) + "</p>\n";
}

std::string rulesText(Kind kind) {
    if (kind == Kind::Qualifiers) {
        return "<p>Pour chaque match de qualification dont le résultat est publié : <strong>4 "
               "points</strong> pour "
               "le score exact, <strong>3 points</strong> pour le bon écart de buts, <strong>2 "
               "points</strong> pour "
               "le bon vainqueur ou le match nul. Chaque match compte le dernier fichier envoyé avant le "
               "jour du "
               "match.</p>\n";
    }
    return "<p>Pour chaque match dont le résultat réel est publié : <strong>4 points</strong> pour le score "
           "exact, "
           "<strong>3 points</strong> pour le bon écart de buts, <strong>2 points</strong> pour le bon "
           "vainqueur ou "
           "le match nul. En phase finale, le score d'un match ne compte que si votre tableau a les deux "
           "mêmes "
           "équipes dans ce match.</p>\n<p>S'y ajoutent <strong>1 point</strong> pour chaque équipe placée "
           "dans le "
           "bon tour de la phase finale (huitièmes, quarts, demi-finales, finale) et <strong>5 "
           "points</strong> pour "
           "le champion. Ce tableau et ce champion se pronostiquent une fois pour tout le tournoi : ceux qui "
           "comptent sont ceux du dernier fichier envoyé avant le premier coup d'envoi du "
           "tournoi.</p>\n<p>Chaque match compte le dernier fichier envoyé avant son coup d'envoi : un "
           "pronostic se change jusqu'au début du match, jamais après. À égalité de points, les scores "
           "exacts "
           "départagent ; à égalité des deux, même rang.</p>\n";
}

std::string loginForm(const ContestPages& p, std::string_view pseudonym) {
    return "<form method=\"post\" action=\"" + std::string(p.page) +
           "\" class=\"login\">\n<label>Pseudo <input type=\"text\" name=\"pseudo\" maxlength=\"40\" "
           "value=\"" +
           html_escape(pseudonym) +
           "\" required></label>\n<label>Mot de passe <input name=\"mdp\" type=\"password\" "
           "required></label>\n"
           "<button type=\"submit\">Entrer</button>\n</form>\n";
}

std::string uploadForm(const ContestPages& p, const SessionInfo& s) {
    return "<form method=\"post\" action=\"" + std::string(p.page) +
           "\" enctype=\"multipart/form-data\" class=\"upload\">\n<input type=\"hidden\" name=\"csrf\" "
           "value=\"" +
           html_escape(s.csrfToken) + "\">\n<label>Votre fichier " + p.fileName +
           " <input type=\"file\" name=\"fichier\" accept=\".ini\" required></label>\n"
           "<button type=\"submit\">Envoyer mes pronostics</button>\n</form>\n"
           "<p class=\"hint\">Zenkor a mis le chemin du fichier dans le presse-papiers : cliquez sur le "
           "choix du "
           "fichier, collez le chemin (Ctrl+V) et validez. 256 Ko au plus.</p>\n";
}

std::string standing(Contest& c, Kind kind, std::int64_t playerId) {
    if (const auto row = c.RankOf(kind, playerId)) {
        {
            return "<p class=\"standing\">Vous avez <strong>" + std::to_string(row->points) +
                   " point(s)</strong> (" + std::to_string(row->exact) + " score(s) exact(s)), " +
                   ordinal(row->rank) + " sur " + std::to_string(c.PlayerCount(kind)) + ".</p>\n";
        }
    }
    return "<p class=\"standing\">Vous n'avez encore envoyé aucun fichier pour ce concours.</p>\n";
}

void showContestPage(Contest& c, const ContestPages& p, const httplib::Request& req, httplib::Response& res,
                     int status, const std::string& notice) {
    const auto session = c.Session(sessionToken(req), c.Now());
    std::string body = notice;
    if (!session) {
        body +=
            "<p>Pour participer, ouvrez cette page depuis Zenkor : panneau « Mise à jour fichier. », bouton "
            "« Envoyer le dernier score ». Un nouveau pseudo s'inscrit avec son mot de passe.</p>\n" +
            loginForm(p, req.get_param_value("pseudo"));
    } else {
        body += "<p>Bonjour <strong>" + html_escape(session->pseudonym) + "</strong>.</p>\n" +
                standing(c, p.kind, session->playerId) + uploadForm(p, *session) + "<p><a href=\"" +
                html_escape(playerHref(p, session->pseudonym)) + "\">Mes pronostics</a> · <a href=\"" +
                p.ranking + "\">Le classement</a></p>\n<form method=\"post\" action=\"" + p.page +
                "\" class=\"logout\"><input type=\"hidden\" name=\"action\" value=\"logout\"><input "
                "type=\"hidden\" name=\"csrf\" value=\"" +
                html_escape(session->csrfToken) +
                "\"><button type=\"submit\">Se déconnecter</button></form>\n";
    }
    sendPage(res, status, p.title, body);
}

// Login or registration; on success the password leaves the address bar at once.
void login(Contest& c, const ContestPages& p, const std::string& pseudonym, const std::string& password,
           const httplib::Request& req, httplib::Response& res) {
    const LoginResult r = c.Login(pseudonym, password, req.remote_addr, c.Now());
    if (r.ok()) {
        res.set_header("Set-Cookie",
                       std::string(kCookieName) + "=" + r.token +
                           "; Path=/; HttpOnly; SameSite=Lax; Max-Age=" + std::to_string(kSessionSeconds));
        res.set_redirect(std::string(p.page) + (r.outcome == LoginOutcome::Registered ? "?bienvenue=1" : ""),
                         303);
        return;
    }
    int status = 403;
    if (r.outcome == LoginOutcome::Invalid) status = 400;
    if (r.outcome == LoginOutcome::Throttled) {
        status = 429;
        res.set_header("Retry-After", std::to_string(r.retryAfter));
    }
    std::string body = message("error", r.message);
    if (!pseudonym.empty()) body += "<p>Pseudo reçu : « " + html_escape(pseudonym) + " ».</p>\n";
    body += loginForm(p, PseudonymProblem(pseudonym).empty() ? pseudonym : std::string());
    sendPage(res, status, p.title, body);
}

void upload(Contest& c, const ContestPages& p, const httplib::Request& req, httplib::Response& res) {
    const std::int64_t now = c.Now();
    const auto session = c.Session(sessionToken(req), now);
    if (!session) {
        return showContestPage(c, p, req, res, 403,
                               message("error",
                                       "Votre session a expiré : ouvrez de nouveau la page depuis Zenkor, "
                                       "puis envoyez le fichier."));
    }
    if (!req.has_file("csrf") || req.get_file_value("csrf").content != session->csrfToken) {
        return showContestPage(c, p, req, res, 403,
                               message("error", "Ce formulaire a expiré : envoyez le fichier de nouveau."));
    }
    if (!req.has_file("fichier")) {
        return showContestPage(c, p, req, res, 400,
                               message("error", "Choisissez d'abord le fichier à envoyer."));
    }
    const httplib::MultipartFormData file = req.get_file_value("fichier");
    if (file.content.size() > kMaxUploadBytes) {
        return showContestPage(c, p, req, res, 413,
                               message("error", "Le fichier dépasse 256 Ko : ce n'est pas un fichier " +
                                                    std::string(p.fileName) + ". Rien n'a changé."));
    }
    const UploadResult r = c.Upload(session->playerId, p.kind, file.filename, file.content, now);
    if (!r.ok) return showContestPage(c, p, req, res, 400, message("error", r.message + " Rien n'a changé."));
    res.set_redirect(std::string(p.page) + "?envoi=1&pris=" + std::to_string(r.taken) +
                         "&commences=" + std::to_string(r.locked),
                     303);
}

void contestGet(Contest& c, const ContestPages& p, const httplib::Request& req, httplib::Response& res) {
    // The program opens this page with the pseudonym and the password in the address.
    if (req.has_param("mdp") || req.has_param("pseudo")) {
        return login(c, p, req.get_param_value("pseudo"), req.get_param_value("mdp"), req, res);
    }
    std::string notice;
    if (req.has_param("bienvenue")) notice += message("ok", "Bienvenue ! Votre pseudo est enregistré.");
    if (req.has_param("envoi")) {
        notice += message("ok", "Fichier reçu : " + std::to_string(numberParam(req, "pris")) +
                                    " pronostic(s) pris en compte.");
        if (const int started = numberParam(req, "commences"); started > 0) {
            notice +=
                message("ok", std::to_string(started) +
                                  " match(s) avaient déjà commencé : ce fichier n'y change rien, ils "
                                  "gardent le pronostic envoyé avant leur coup d'envoi, s'il y en a un.");
        }
    }
    showContestPage(c, p, req, res, 200, notice);
}

void contestPost(Contest& c, const ContestPages& p, const httplib::Request& req, httplib::Response& res) {
    if (req.is_multipart_form_data()) return upload(c, p, req, res);
    if (req.get_param_value("action") == "logout") {
        const std::string token = sessionToken(req);
        const auto session = c.Session(token, c.Now());
        if (session && req.get_param_value("csrf") == session->csrfToken) c.Logout(token);
        res.set_header("Set-Cookie",
                       std::string(kCookieName) + "=; Path=/; HttpOnly; SameSite=Lax; Max-Age=0");
        res.set_redirect(p.page, 303);
        return;
    }
    login(c, p, req.get_param_value("pseudo"), req.get_param_value("mdp"), req, res);
}

// The change of rank since the previous published results: up, down, level, or new in the ranking.
std::string movement(const RankRow& row) {
    if (!row.previousRank) return "<span class=\"move new\" title=\"nouveau\">•</span>";
    const int up = *row.previousRank - row.rank;
    if (up > 0)
        return "<span class=\"move up\" title=\"+" + std::to_string(up) + "\">▲" + std::to_string(up) +
               "</span>";
    if (up < 0)
        return "<span class=\"move down\" title=\"" + std::to_string(up) + "\">▼" + std::to_string(-up) +
               "</span>";
    return "<span class=\"move level\">=</span>";
}

void rankingPage(Contest& c, const ContestPages& p, const httplib::Request& req, httplib::Response& res) {
    const auto session = c.Session(sessionToken(req), c.Now());
    const size_t total = c.PlayerCount(p.kind);
    const size_t pages = std::max<size_t>(1, (total + kRowsPerPage - 1) / kRowsPerPage);
    const size_t page =
        std::min<size_t>(pages, static_cast<size_t>(std::max(1, numberParam(req, "page", 1))));
    const RankingSlice slice = c.Ranking(p.kind, (page - 1) * kRowsPerPage, kRowsPerPage);
    std::string body = "<section class=\"rules note\">" + rulesText(p.kind) + "</section>\n<p>" +
                       std::to_string(slice.total) + " joueur(s).</p>\n";
    body.reserve(body.size() + kRowsPerPage * 200);
    body += "<div class=\"card\"><table class=\"ranking\">\n<thead><tr><th>Rang</th>";
    if (slice.hasPrevious) body += "<th title=\"Depuis le résultat publié précédent\">±</th>";
    body += "<th>Pseudo</th><th>Points</th><th>Scores exacts</th></tr></thead>\n<tbody>\n";
    for (const RankRow& row : slice.rows) {
        const bool own = session && session->pseudonym == row.pseudonym;
        body += own ? "<tr class=\"own\"><td>" : "<tr><td>";
        body += std::to_string(row.rank);
        if (slice.hasPrevious) body += "</td><td>" + movement(row);
        body += "</td><td><a href=\"";
        body += html_escape(playerHref(p, row.pseudonym));
        body += "\">";
        body += html_escape(row.pseudonym);
        body += "</a></td><td>";
        body += std::to_string(row.points);
        body += "</td><td>";
        body += std::to_string(row.exact);
        body += "</td></tr>\n";
    }
    body += "</tbody>\n</table></div>\n";
    if (pages > 1) {
        body += "<nav class=\"pages\">";
        for (size_t n = 1; n <= pages; ++n) {
            body += n == page ? "<strong>" + std::to_string(n) + "</strong> "
                              : "<a href=\"" + std::string(p.ranking) + "?page=" + std::to_string(n) + "\">" +
                                    std::to_string(n) + "</a> ";
        }
        body += "</nav>\n";
    }
    body += "<p><a href=\"" + std::string(p.page) + "\">Envoyer mes pronostics</a></p>\n";
    sendPage(res, 200, std::string("Classement – ") + p.title, body, p.ranking);
}

std::string goalsText(const std::optional<int>& g) {
    return g ? std::to_string(*g) : "-";
}

std::string matchText(const Match& m) {
    const std::string t1 = m.team1.empty() ? "?" : m.team1;
    const std::string t2 = m.team2.empty() ? "?" : m.team2;
    return html_escape(t1) + " " + goalsText(m.goals1) + " – " + goalsText(m.goals2) + " " + html_escape(t2);
}

void playerPage(Contest& c, const ContestPages& p, const httplib::Request& req, httplib::Response& res) {
    const std::int64_t now = c.Now();
    const auto session = c.Session(sessionToken(req), now);
    const auto card = c.Player(p.kind, req.get_param_value("pseudo"), session ? session->playerId : 0, now);
    if (!card) {
        return sendPage(res, 404, p.title,
                        message("error", "Aucun joueur ne porte ce pseudo.") + "<p><a href=\"" + p.ranking +
                            "\">Le classement</a></p>\n");
    }
    std::string body;
    if (card->rank) {
        body += "<p class=\"standing\"><strong>" + std::to_string(card->rank->points) +
                " point(s)</strong>, " + ordinal(card->rank->rank) + " ; " +
                std::to_string(card->rank->exact) + " score(s) exact(s)";
        if (p.kind == Kind::Tournament) {
            body += " ; dont " + std::to_string(card->bonus) +
                    " point(s) pour les équipes de la phase finale et le champion";
        }
        body += ".</p>\n";
    } else {
        body += "<p>Aucun fichier envoyé pour ce concours.</p>\n";
    }
    body +=
        "<div class=\"card\"><table class=\"predictions\">\n<thead><tr><th>Match</th><th>Coup "
        "d'envoi</th><th>Résultat "
        "réel</th><th>Pronostic</th><th>Points</th></tr></thead>\n<tbody>\n";
    for (const PlayerMatch& m : card->matches) {
        body += "<tr><td>" + html_escape(m.real.label) + "</td><td>" +
                (m.real.kickoff ? parisTime(*m.real.kickoff) : std::string("?")) + "</td><td>" +
                matchText(m.real) + "</td><td>";
        if (m.hidden) {
            body += "<em>caché jusqu'au coup d'envoi</em>";
        } else if (m.predicted) {
            body += matchText(*m.predicted);
        } else {
            body += "—";
        }
        body += "</td><td>" + (m.real.played() && m.predicted ? std::to_string(m.points) : std::string()) +
                "</td></tr>\n";
    }
    body += "</tbody>\n</table></div>\n";
    if (!card->uploads.empty()) {
        body += "<h2>Vos envois</h2>\n<ul class=\"uploads\">\n";
        for (const PlayerUpload& u : card->uploads) {
            body += "<li>" + parisTime(u.at) + " : " + html_escape(u.fileName) + ", " +
                    std::to_string(u.taken) + " pronostic(s) pris</li>\n";
        }
        body += "</ul>\n";
    }
    body += "<p><a href=\"" + std::string(p.ranking) + "\">Le classement</a></p>\n";
    sendPage(res, 200, card->pseudonym + " – " + p.title, body, p.ranking);
}

std::string exact(const char* path) {
    std::string pattern;
    for (const char* s = path; *s; ++s) {
        if (*s == '.') pattern += '\\';
        pattern += *s;
    }
    return pattern;
}

}  // namespace

void RegisterContestRoutes(httplib::Server& server, Contest& contest) {
    // The server's own payload limit (256 KB) turns away larger requests before they reach these routes.
    for (Kind kind : {Kind::Tournament, Kind::Qualifiers}) {
        const ContestPages& p = pagesOf(kind);
        Contest* c = &contest;
        server.Get(exact(p.page), [c, &p](const httplib::Request& req, httplib::Response& res) {
            contestGet(*c, p, req, res);
        });
        server.Post(exact(p.page), [c, &p](const httplib::Request& req, httplib::Response& res) {
            contestPost(*c, p, req, res);
        });
        server.Get(exact(p.ranking), [c, &p](const httplib::Request& req, httplib::Response& res) {
            rankingPage(*c, p, req, res);
        });
        server.Get(exact(p.player), [c, &p](const httplib::Request& req, httplib::Response& res) {
            playerPage(*c, p, req, res);
        });
    }
}

}  // namespace contest
