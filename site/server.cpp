#include "site/server.h"

#include <httplib.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "platform/text.h"
#include "site/client_address.h"
#include "site/html.h"
#include "site/pages.h"
#include "site/pictures.h"

namespace site {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kPayloadMax = 256 * 1024;
constexpr int kHomeTopPlayers = 10;
constexpr int kPictureTopPlayers = 5;

void noStore(httplib::Response& res) {
    res.set_header("Cache-Control", "no-cache");
}

void html(httplib::Response& res, std::string page) {
    noStore(res);
    res.set_content(std::move(page), kHtmlType);
}

std::string field(const httplib::Request& req, const char* name) {
    return req.has_param(name) ? req.get_param_value(name) : std::string();
}

const char* statusMessage(Lang lang, int status) {
    switch (status) {
        case 400:
            return T(lang, "La demande est incomplète ou mal formée.",
                     "The request is incomplete or malformed.", "La petición está incompleta o mal formada.");
        case 403:
            return T(lang, "Accès refusé.", "Access denied.", "Acceso denegado.");
        case 404:
            return T(lang, "Cette page n'existe pas.", "This page does not exist.", "Esta página no existe.");
        case 405:
            return T(lang, "Cette méthode n'est pas acceptée ici.", "This method is not accepted here.",
                     "Este método no se acepta aquí.");
        case 413:
            return T(lang, "L'envoi dépasse 256 Ko.", "The upload is larger than 256 KB.",
                     "El envío supera 256 KB.");
        case 415:
            return T(lang, "Les envois compressés ne sont pas acceptés : envoyez le contenu tel quel.",
                     "Compressed uploads are not accepted: send the content as it is.",
                     "No se aceptan envíos comprimidos: envíe el contenido tal cual.");
        case 503:
            return T(lang, "Le service est momentanément indisponible.",
                     "The service is unavailable for a moment.",
                     "El servicio no está disponible por un momento.");
        default:
            return status >= 500 ? T(lang, "Une erreur interne est survenue.", "An internal error occurred.",
                                     "Se ha producido un error interno.")
                                 : T(lang, "La demande n'a pas abouti.", "The request did not succeed.",
                                     "La petición no ha prosperado.");
    }
}

void contactPost(Site& site, const httplib::Request& req, httplib::Response& res) {
    const Visit visit = VisitOf(req, res);
    ContactMessage m;
    m.subject = field(req, "sujet").substr(0, kContactFieldMax);
    m.name = field(req, "nom").substr(0, kContactFieldMax);
    m.email = field(req, "email").substr(0, kContactFieldMax);
    m.text = field(req, "message");
    m.address = ClientAddress(req);
    ContactNotice notice = ContactNotice::None;
    if (m.text.find_first_not_of(" \t\r\n") == std::string::npos) notice = ContactNotice::Missing;
    if (m.text.size() > kContactTextMax) notice = ContactNotice::TooLong;
    if (notice == ContactNotice::None) {
        const ContactStored stored =
            site.contest.storeContact ? site.contest.storeContact(m) : ContactStored::Failed;
        if (stored == ContactStored::TooMany) notice = ContactNotice::TooMany;
        if (stored == ContactStored::Failed) notice = ContactNotice::Unavailable;
    }
    if (notice == ContactNotice::None) {
        res.set_redirect("/contacter.php?envoye=1", 303);
        return;
    }
    if (m.text.size() > kContactTextMax) m.text.resize(kContactTextMax);
    res.status = notice == ContactNotice::Unavailable ? 503 : notice == ContactNotice::TooMany ? 429 : 400;
    html(res, ContactPage(visit, m.subject, notice, m));
}

}  // namespace

std::vector<RankingRow> Site::ranking(ContestKind kind, int limit) const {
    if (!contest.ranking) return {};
    return contest.ranking(kind, limit);
}

std::string ErrorPage(const Visit& visit, int status, std::string_view message) {
    const Lang lang = visit.lang;
    std::string body = "<p class=\"message error\">" + html_escape(message) + "</p><p><a href=\"/\">" +
                       T(lang, "Retour à l'accueil", "Back to the home page", "Volver al inicio") +
                       "</a></p>";
    return PageLayout(visit, T(lang, "Erreur ", "Error ", "Error ") + std::to_string(status), body);
}

std::string ErrorPage(const Visit& visit, int status) {
    return ErrorPage(visit, status, statusMessage(visit.lang, status));
}

namespace {

std::string cookieValue(const httplib::Request& req, std::string_view name) {
    const std::string cookies = req.get_header_value("Cookie");
    for (const std::string& item : platform::Split(cookies, ";")) {
        const std::string c = platform::Trim(item);
        if (c.size() > name.size() && c.compare(0, name.size(), name) == 0 && c[name.size()] == '=')
            return c.substr(name.size() + 1);
    }
    return {};
}

}  // namespace

Visit VisitOf(const httplib::Request& req, httplib::Response& res) {
    Visit v;
    v.path = req.path;
    // The switch reloads the page as it was asked for: never a form's fields nor the program's password.
    for (const auto& [name, value] : req.method == "GET" ? req.params : httplib::Params{}) {
        if (name == "lang" || req.has_param("mdp")) continue;
        if (!v.query.empty()) v.query += '&';
        v.query += platform::PercentEncode(name) + "=" + platform::PercentEncode(value);
    }
    if (const auto chosen =
            req.has_param("lang") ? LangFromCode(req.get_param_value("lang")) : std::nullopt) {
        // The switch's choice holds for the pages that follow.
        v.lang = *chosen;
        res.set_header("Set-Cookie",
                       "lang=" + std::string(LangCode(v.lang)) + "; Path=/; SameSite=Lax; Max-Age=31536000");
    } else if (const auto kept = LangFromCode(cookieValue(req, "lang"))) {
        v.lang = *kept;
    } else {
        v.lang = PreferredLang(req.get_header_value("Accept-Language"));
    }
    res.set_header("Content-Language", std::string(LangCode(v.lang)));
    res.set_header("Vary", "Accept-Language, Cookie");
    return v;
}

bool CrossSite(const httplib::Request& req) {
    // Browsers say where a request comes from; "none" is the user's own act (an address opened).
    const std::string from = req.get_header_value("Sec-Fetch-Site");
    if (!from.empty()) return from != "same-origin" && from != "none";
    std::string origin = req.get_header_value("Origin");
    if (origin.empty()) return false;
    for (const char* scheme : {"http://", "https://"}) {
        if (origin.rfind(scheme, 0) == 0) origin.erase(0, std::strlen(scheme));
    }
    std::string host = req.get_header_value("Host");
    for (std::string* s : {&origin, &host}) {
        for (char& c : *s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return origin != host;
}

const char* CrossSiteMessage(Lang lang) {
    return T(lang, "Cette demande vient d'une page d'un autre site : elle est refusée et rien n'a changé.",
             "This request comes from a page of another site: it is refused and nothing has changed.",
             "Esta petición viene de una página de otro sitio: se rechaza y nada ha cambiado.");
}

void ConfigureServer(httplib::Server& server) {
    server.set_payload_max_length(kPayloadMax);
    server.set_read_timeout(5, 0);
    server.set_write_timeout(5, 0);
    server.set_keep_alive_max_count(100);
    server.set_keep_alive_timeout(2);
    server.set_tcp_nodelay(true);
    // Only answers without a body of their own get the site's error page.
    server.set_error_handler(
        httplib::Server::HandlerWithResponse([](const httplib::Request& req, httplib::Response& res) {
            if (!res.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
            res.set_content(ErrorPage(VisitOf(req, res), res.status), kHtmlType);
            return httplib::Server::HandlerResponse::Handled;
        }));
    server.set_pre_routing_handler(
        httplib::Server::HandlerWithResponse([](const httplib::Request& req, httplib::Response& res) {
            const auto refuse = [&](int status) {
                const Visit visit = VisitOf(req, res);
                res.status = status;
                res.set_content(ErrorPage(visit, status,
                                          status == 403 ? CrossSiteMessage(visit.lang)
                                                        : statusMessage(visit.lang, status)),
                                kHtmlType);
                return httplib::Server::HandlerResponse::Handled;
            };
            // Nothing the site takes comes compressed: refused before a byte of it is read, so no small
            // request inflates into gigabytes.
            if (req.has_header("Content-Encoding")) return refuse(415);
            // Nor is a body too large to be taken read and thrown away.
            const std::string length = req.get_header_value("Content-Length");
            if (length.size() > 12 ||
                (!length.empty() && std::strtoull(length.c_str(), nullptr, 10) > kPayloadMax)) {
                return refuse(413);
            }
            const bool changes = req.method != "GET" && req.method != "HEAD" && req.method != "OPTIONS";
            if (changes && CrossSite(req)) return refuse(403);
            return httplib::Server::HandlerResponse::Unhandled;
        }));
    // Never a stack of details for the visitor: the reason goes to the log only.
    server.set_exception_handler([](const httplib::Request& req, httplib::Response& res,
                                    std::exception_ptr ep) {
        std::string what = "unknown exception";
        try {
            std::rethrow_exception(ep);
        } catch (const std::exception& e) {
            what = e.what();
        } catch (...) {
        }
        std::fprintf(stderr, "zenkor-site: %s %s: %s\n", req.method.c_str(), req.path.c_str(), what.c_str());
        res.status = 500;
        res.headers.clear();
        res.set_content(ErrorPage(VisitOf(req, res), 500), kHtmlType);
    });
}

void AddSiteRoutes(httplib::Server& server, Site& site) {
    server.Get(R"(/Zenkor2024\.ini)", [&site](const httplib::Request&, httplib::Response& res) {
        const auto snapshot = site.published.current();
        if (!snapshot) {
            res.status = 404;
            return;
        }
        noStore(res);
        res.set_content(snapshot->bytes, "text/plain; charset=windows-1252");
    });
    const auto leaders = [&site](ContestKind kind, const char* title) {
        return [&site, kind, title](const httplib::Request&, httplib::Response& res) {
            noStore(res);
            res.set_content(LeadersGif(title, site.ranking(kind, kPictureTopPlayers)), "image/gif");
        };
    };
    server.Get(R"(/imzenkor\.php)", leaders(ContestKind::Tournament, "Euro"));
    server.Get(R"(/imelimzenkor\.php)", leaders(ContestKind::Qualifiers, "Élim"));
    static const std::string banner = BannerJpeg();
    server.Get(R"(/433x120\.jpg)", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(banner, "image/jpeg");
    });
    server.Get(R"(/style\.css)", [](const httplib::Request&, httplib::Response& res) {
        res.set_header("Cache-Control", "max-age=3600");
        res.set_content(std::string(Stylesheet()), "text/css; charset=utf-8");
    });
    server.Get("/", [&site](const httplib::Request& req, httplib::Response& res) {
        const Visit visit = VisitOf(req, res);
        const auto snapshot = site.published.current();
        HomeContent content;
        content.tournament = snapshot ? &snapshot->tournament : nullptr;
        content.tournamentTop = site.ranking(ContestKind::Tournament, kHomeTopPlayers);
        content.qualifiersTop = site.ranking(ContestKind::Qualifiers, kHomeTopPlayers);
        html(res, HomePage(visit, content));
    });
    server.Get(R"(/zenkor\.php)", [&site](const httplib::Request& req, httplib::Response& res) {
        const Visit visit = VisitOf(req, res);
        const auto snapshot = site.published.current();
        html(res, ProgramPage(visit, snapshot ? snapshot->tournament.dataVersion : std::string()));
    });
    server.Get(R"(/contacter\.php)", [](const httplib::Request& req, httplib::Response& res) {
        const bool sent = req.has_param("envoye");
        html(res, ContactPage(VisitOf(req, res), field(req, "sub").substr(0, kContactFieldMax),
                              sent ? ContactNotice::Sent : ContactNotice::None));
    });
    server.Post(R"(/contacter\.php)", [&site](const httplib::Request& req, httplib::Response& res) {
        contactPost(site, req, res);
    });
}

platform::Result EnsurePublished(const fs::path& dataFolder) {
    std::error_code ec;
    if (fs::exists(dataFolder / kPublishedName, ec)) return {};
    return PublishEditionFile(dataFolder, FirstEdition());
}

fs::path DefaultDataFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
        return fs::path(xdg) / "zenkor-site";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "zenkor-site";
}

}  // namespace site
