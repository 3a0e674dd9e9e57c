#include "site/server.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "platform/text.h"
#include "site/catalogue.h"
#include "site/client_address.h"
#include "site/html.h"
#include "site/http_server.h"
#include "site/pages.h"
#include "site/pictures.h"

namespace site {

namespace fs = std::filesystem;

namespace {

constexpr int kHomeTopPlayers = 10;
constexpr int kPictureTopPlayers = 5;

void noStore(Response& res) {
    res.SetHeader("Cache-Control", "no-cache");
}

void html(Response& res, std::string page) {
    noStore(res);
    res.SetContent(std::move(page), kHtmlType);
}

std::string field(const Request& req, const char* name) {
    return req.HasParam(name) ? req.Param(name) : std::string();
}

const std::string& statusMessage(Lang lang, int status) {
    switch (status) {
        case 400:
            return Tr(lang, "error.400");
        case 403:
            return Tr(lang, "error.403");
        case 404:
            return Tr(lang, "error.404");
        case 405:
            return Tr(lang, "error.405");
        case 413:
            return Tr(lang, "error.413");
        case 415:
            return Tr(lang, "error.415");
        case 503:
            return Tr(lang, "error.503");
        default:
            return status >= 500 ? Tr(lang, "error.500") : Tr(lang, "error.other");
    }
}

void contactPost(Site& site, const Request& req, Response& res) {
    constexpr int kFieldChars = static_cast<int>(kContactFieldMax),
                  kTextChars = static_cast<int>(kContactTextMax);
    const Visit visit = VisitOf(req, res);
    ContactMessage m;
    m.subject = platform::Left(field(req, "sujet"), kFieldChars);
    m.name = platform::Left(field(req, "nom"), kFieldChars);
    m.email = platform::Left(field(req, "email"), kFieldChars);
    m.text = field(req, "message");
    // The form counts characters, as its page says: so does the check, and a cut never splits one.
    const bool tooLong = platform::Len(m.text) > kTextChars;
    m.address = ClientAddress(req);
    ContactNotice notice = ContactNotice::None;
    if (m.text.find_first_not_of(" \t\r\n") == std::string::npos) notice = ContactNotice::Missing;
    if (tooLong) notice = ContactNotice::TooLong;
    if (notice == ContactNotice::None) {
        const ContactStored stored =
            site.contest.storeContact ? site.contest.storeContact(m) : ContactStored::Failed;
        if (stored == ContactStored::TooMany) notice = ContactNotice::TooMany;
        if (stored == ContactStored::TooManyOnSite) notice = ContactNotice::TooManyOnSite;
        if (stored == ContactStored::Failed) notice = ContactNotice::Unavailable;
    }
    if (notice == ContactNotice::None) {
        res.Redirect("/contacter.php?envoye=1", 303);
        return;
    }
    if (tooLong) m.text = platform::Left(m.text, kTextChars);
    const bool tooMany = notice == ContactNotice::TooMany || notice == ContactNotice::TooManyOnSite;
    res.status = notice == ContactNotice::Unavailable ? 503 : tooMany ? 429 : 400;
    // Messages are counted per day: an hour is a fair time to look again.
    if (tooMany) res.SetHeader("Retry-After", "3600");
    html(res, ContactPage(visit, m.subject, notice, m));
}

}  // namespace

std::vector<RankingRow> Site::ranking(ContestKind kind, int limit) const {
    if (!contest.ranking) return {};
    return contest.ranking(kind, limit);
}

std::shared_ptr<const PreparedBody> Site::fileBody(
    const std::shared_ptr<const PublishedEdition::Snapshot>& s) {
    std::lock_guard lock(fileMutex_);
    if (fileSnapshot_ != s) {
        fileBody_ =
            PrepareBody(s, s->bytes, "text/plain; charset=windows-1252", {{"Cache-Control", "no-cache"}});
        fileSnapshot_ = s;
    }
    return fileBody_;
}

std::string ErrorPage(const Visit& visit, int status, std::string_view message) {
    const Lang lang = visit.lang;
    std::string body = "<p class=\"message error\">" + html_escape(message) + "</p><p><a href=\"/\">" +
                       Tr(lang, "error.back_home") + "</a></p>";
    return PageLayout(visit, Tr(lang, "error.title", {std::to_string(status)}), body);
}

std::string ErrorPage(const Visit& visit, int status) {
    return ErrorPage(visit, status, statusMessage(visit.lang, status));
}

namespace {

std::string cookieValue(const Request& req, std::string_view name) {
    const std::string cookies = req.Header("Cookie");
    for (const std::string& item : platform::Split(cookies, ";")) {
        const std::string c = platform::Trim(item);
        if (c.size() > name.size() && c.compare(0, name.size(), name) == 0 && c[name.size()] == '=')
            return c.substr(name.size() + 1);
    }
    return {};
}

}  // namespace

Visit VisitOf(const Request& req, Response& res) {
    Visit v;
    v.path = req.path;
    // The switch reloads the page as it was asked for: never a form's fields nor the program's password.
    for (const auto& [name, value] : req.method == "GET" ? req.params : Params{}) {
        if (name == "lang" || req.HasParam("mdp")) continue;
        if (!v.query.empty()) v.query += '&';
        v.query += platform::PercentEncode(name) + "=" + platform::PercentEncode(value);
    }
    if (const auto chosen = req.HasParam("lang") ? LangFromCode(req.Param("lang")) : std::nullopt) {
        // The switch's choice holds for the pages that follow.
        v.lang = *chosen;
        res.SetHeader("Set-Cookie",
                      "lang=" + std::string(LangCode(v.lang)) + "; Path=/; SameSite=Lax; Max-Age=31536000");
    } else if (const auto kept = LangFromCode(cookieValue(req, "lang"))) {
        v.lang = *kept;
    } else {
        v.lang = PreferredLang(req.Header("Accept-Language"));
    }
    res.SetHeader("Content-Language", std::string(LangCode(v.lang)));
    res.SetHeader("Vary", "Accept-Language, Cookie");
    return v;
}

bool CrossSite(const Request& req) {
    // Browsers say where a request comes from; "none" is the user's own act (an address opened).
    const std::string from = req.Header("Sec-Fetch-Site");
    if (!from.empty()) return from != "same-origin" && from != "none";
    std::string origin = req.Header("Origin");
    if (origin.empty()) return false;
    for (const char* scheme : {"http://", "https://"}) {
        if (origin.rfind(scheme, 0) == 0) origin.erase(0, std::strlen(scheme));
    }
    std::string host = req.Header("Host");
    for (std::string* s : {&origin, &host}) {
        for (char& c : *s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return origin != host;
}

const std::string& CrossSiteMessage(Lang lang) {
    return Tr(lang, "error.cross_site");
}

void ConfigureServer(Routes& routes) {
    routes.check = [](const Request& req, Response& res) {
        const auto refuse = [&](int status) {
            const Visit visit = VisitOf(req, res);
            res.status = status;
            res.SetContent(
                ErrorPage(visit, status,
                          status == 403 ? CrossSiteMessage(visit.lang) : statusMessage(visit.lang, status)),
                kHtmlType);
            return true;
        };
        // Nothing the site takes comes compressed: refused before a byte of it is read, so no small
        // request inflates into gigabytes.
        if (req.HasHeader("Content-Encoding")) return refuse(415);
        const bool changes = req.method != "GET" && req.method != "HEAD" && req.method != "OPTIONS";
        if (changes && CrossSite(req)) return refuse(403);
        return false;
    };
    // Only answers without a body of their own get the site's error page.
    routes.finish = [](const Request& req, Response& res) {
        if (res.status < 400 || !res.body.empty() || res.prepared) return;
        res.SetContent(ErrorPage(VisitOf(req, res), res.status), kHtmlType);
    };
}

void AddSiteRoutes(Routes& server, Site& site) {
    server.Get("/Zenkor2024.ini", [&site](const Request&, Response& res) {
        const auto snapshot = site.published.current();
        if (!snapshot) {
            res.status = 404;
            return;
        }
        res.prepared = site.fileBody(snapshot);
    });
    // The program's picture boxes speak French, as the program does first.
    const auto leaders = [&site](ContestKind kind, const char* titleKey) {
        return [&site, kind, titleKey](const Request&, Response& res) {
            noStore(res);
            res.SetContent(LeadersGif(Tr(Lang::Fr, titleKey), site.ranking(kind, kPictureTopPlayers)),
                           "image/gif");
        };
    };
    server.Get("/imzenkor.php", leaders(ContestKind::Tournament, "leaders.tournament"));
    server.Get("/imelimzenkor.php", leaders(ContestKind::Qualifiers, "leaders.qualifiers"));
    static const std::string banner = BannerJpeg();
    server.Get("/433x120.jpg", [](const Request&, Response& res) { res.SetContent(banner, "image/jpeg"); });
    server.Get("/style.css", [](const Request&, Response& res) {
        res.SetHeader("Cache-Control", "max-age=3600");
        res.SetContent(std::string(Stylesheet()), "text/css; charset=utf-8");
    });
    server.Get("/", [&site](const Request& req, Response& res) {
        const Visit visit = VisitOf(req, res);
        const auto snapshot = site.published.current();
        HomeContent content;
        content.tournament = snapshot ? &snapshot->tournament : nullptr;
        content.tournamentTop = site.ranking(ContestKind::Tournament, kHomeTopPlayers);
        content.qualifiersTop = site.ranking(ContestKind::Qualifiers, kHomeTopPlayers);
        html(res, HomePage(visit, content));
    });
    server.Get("/zenkor.php", [&site](const Request& req, Response& res) {
        const Visit visit = VisitOf(req, res);
        const auto snapshot = site.published.current();
        html(res, ProgramPage(visit, snapshot ? snapshot->tournament.dataVersion : std::string()));
    });
    server.Get("/contacter.php", [](const Request& req, Response& res) {
        const bool sent = req.HasParam("envoye");
        html(res, ContactPage(VisitOf(req, res),
                              platform::Left(field(req, "sub"), static_cast<int>(kContactFieldMax)),
                              sent ? ContactNotice::Sent : ContactNotice::None));
    });
    // Stored in the database: on a worker of its own.
    server.Post(
        "/contacter.php", [&site](const Request& req, Response& res) { contactPost(site, req, res); },
        Pace::Slow);
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
