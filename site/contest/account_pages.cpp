// The contest page: login and registration, the upload form, the password change and the logout.
#include "platform/text.h"
#include "site/client_address.h"
#include "site/contest/contest.h"
#include "site/contest/route_parts.h"
#include "site/html.h"
#include "site/pages.h"
#include "site/server.h"

namespace contest {

namespace {

using site::html_escape;
using site::Lang;
using site::Tr;
using site::Visit;

std::string loginForm(Lang lang, const ContestPages& p, std::string_view pseudonym) {
    return "<form method=\"post\" action=\"" + std::string(p.page) + "\" class=\"login\">\n<label>" +
           Tr(lang, "form.nickname") + " <input type=\"text\" name=\"pseudo\" maxlength=\"40\" value=\"" +
           html_escape(pseudonym) + "\" required></label>\n<label>" + Tr(lang, "form.password") +
           " <input name=\"mdp\" type=\"password\" required></label>\n<button type=\"submit\">" +
           Tr(lang, "form.enter") + "</button>\n</form>\n";
}

std::string uploadForm(Lang lang, const ContestPages& p, const SessionInfo& s) {
    return "<form method=\"post\" action=\"" + std::string(p.page) +
           "\" enctype=\"multipart/form-data\" class=\"upload\">\n<input type=\"hidden\" name=\"csrf\" "
           "value=\"" +
           html_escape(s.csrfToken) + "\">\n<label>" + Tr(lang, "upload.your_file", {p.fileName}) +
           " <input type=\"file\" name=\"fichier\" accept=\".ini\" required></label>\n<button "
           "type=\"submit\">" +
           Tr(lang, "upload.send") + "</button>\n</form>\n<p class=\"hint\">" + Tr(lang, "upload.hint") +
           "</p>\n";
}

std::string passwordForm(Lang lang, const ContestPages& p, const SessionInfo& s) {
    return "<details class=\"password\"><summary>" + Tr(lang, "password.change_title") +
           "</summary>\n<form method=\"post\" action=\"" + p.page +
           "\">\n<input type=\"hidden\" name=\"action\" value=\"mdp\"><input type=\"hidden\" name=\"csrf\" "
           "value=\"" +
           html_escape(s.csrfToken) + "\">\n<label>" + Tr(lang, "password.current") +
           " <input name=\"ancien\" type=\"password\" autocomplete=\"current-password\" "
           "required></label>\n<label>" +
           Tr(lang, "password.new") +
           " <input name=\"nouveau\" type=\"password\" autocomplete=\"new-password\" required></label>\n"
           "<button type=\"submit\">" +
           Tr(lang, "password.change") + "</button>\n</form>\n<p class=\"hint\">" +
           Tr(lang, "password.hint") + "</p></details>\n";
}

std::string standing(Lang lang, Contest& c, Kind kind, std::int64_t playerId) {
    const auto row = c.RankOf(kind, playerId);
    if (!row) return "<p class=\"standing\">" + Tr(lang, "standing.none") + "</p>\n";
    return "<p class=\"standing\">" +
           Tr(lang, "standing.own",
              {std::to_string(row->points), std::to_string(row->exact), Ordinal(lang, row->rank),
               std::to_string(c.PlayerCount(kind))}) +
           "</p>\n";
}

void showContestPage(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res,
                     const Visit& v, int status, const std::string& notice) {
    const Lang lang = v.lang;
    const auto session = c.Session(SessionToken(req), c.Now());
    std::string body = notice;
    if (!session) {
        body += site::HowToTakePart(lang) + loginForm(lang, p, req.Param("pseudo"));
    } else {
        body += "<p>" + Tr(lang, "contest.hello", {html_escape(session->pseudonym)}) + "</p>\n" +
                standing(lang, c, p.kind, session->playerId) + uploadForm(lang, p, *session) +
                "<p><a href=\"" + html_escape(PlayerHref(p, session->pseudonym)) + "\">" +
                Tr(lang, "contest.my_predictions") + "</a> · <a href=\"" + p.ranking + "\">" +
                Tr(lang, "ranking.link") + "</a></p>\n" + passwordForm(lang, p, *session) +
                "<form method=\"post\" action=\"" + p.page +
                "\" class=\"logout\"><input type=\"hidden\" name=\"action\" value=\"logout\"><input "
                "type=\"hidden\" name=\"csrf\" value=\"" +
                html_escape(session->csrfToken) + "\"><button type=\"submit\">" + Tr(lang, "contest.logout") +
                "</button></form>\n";
    }
    SendPage(res, v, status, TitleOf(p, lang), body);
}

// Login or registration; on success the password leaves the address bar at once, and the browser keeps a
// token that spares it the limits that others' guesses set on this pseudonym.
void login(Contest& c, const ContestPages& p, const std::string& pseudonym, const std::string& password,
           const site::Request& req, site::Response& res, const Visit& v) {
    const Lang lang = v.lang;
    const LoginResult r =
        c.Login(pseudonym, password, site::ClientAddress(req), c.Now(), KnownBrowserToken(req, pseudonym));
    if (r.ok()) {
        res.SetHeader("Set-Cookie", SessionCookie(r.token, kSessionSeconds));
        if (!r.knownBrowser.empty())
            res.SetHeader("Set-Cookie", KnownBrowserCookie(pseudonym, r.knownBrowser));
        res.Redirect(std::string(p.page) + (r.outcome == LoginOutcome::Registered ? "?bienvenue=1" : ""),
                     303);
        return;
    }
    int status = 403;
    std::string why = Tr(lang, "login.wrong");
    if (r.outcome == LoginOutcome::Invalid) {
        status = 400;
        why = PseudonymProblemText(lang, pseudonym);
        if (why.empty()) why = PasswordProblemText(lang, password);
        if (why.empty()) why = Tr(lang, "login.wrong");
    }
    if (r.outcome == LoginOutcome::Throttled || r.outcome == LoginOutcome::Busy) {
        status = r.outcome == LoginOutcome::Busy ? 503 : 429;
        res.SetHeader("Retry-After", std::to_string(r.retryAfter));
        why = LimitText(lang, r.outcome == LoginOutcome::Busy ? LimitHit::None : r.limit, r.retryAfter);
    }
    std::string body = Message("error", why);
    if (!pseudonym.empty()) body += "<p>" + Tr(lang, "login.received", {html_escape(pseudonym)}) + "</p>\n";
    body += loginForm(lang, p, CheckPseudonym(pseudonym) == PseudonymIssue::None ? pseudonym : std::string());
    SendPage(res, v, status, TitleOf(p, lang), body);
}

std::string nothingChanged(Lang lang, std::string_view text) {
    return Tr(lang, "notice.nothing_changed", {text});
}

void upload(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res,
            const Visit& v) {
    const Lang lang = v.lang;
    const std::int64_t now = c.Now();
    const auto session = c.Session(SessionToken(req), now);
    if (!session)
        return showContestPage(c, p, req, res, v, 403, Message("error", Tr(lang, "upload.session_expired")));
    if (!req.HasFile("csrf") || req.File("csrf").content != session->csrfToken)
        return showContestPage(c, p, req, res, v, 403, Message("error", Tr(lang, "upload.form_expired")));
    if (!req.HasFile("fichier"))
        return showContestPage(c, p, req, res, v, 400, Message("error", Tr(lang, "upload.choose_file")));
    const site::FormPart file = req.File("fichier");
    if (file.content.size() > kMaxUploadBytes) {
        return showContestPage(
            c, p, req, res, v, 413,
            Message("error", nothingChanged(lang, Tr(lang, "upload.too_large", {p.fileName}))));
    }
    const UploadResult r =
        c.Upload(session->playerId, p.kind, file.filename, file.content, site::ClientAddress(req), now);
    if (!r.ok && r.retryAfter > 0) {
        res.SetHeader("Retry-After", std::to_string(r.retryAfter));
        return showContestPage(
            c, p, req, res, v, 429,
            Message("error", nothingChanged(lang, LimitText(lang, r.limit, r.retryAfter))));
    }
    if (!r.ok) {
        return showContestPage(c, p, req, res, v, 400,
                               Message("error", nothingChanged(lang, RefusalText(lang, r.reason))));
    }
    res.Redirect(std::string(p.page) + "?envoi=1&pris=" + std::to_string(r.taken) +
                     "&commences=" + std::to_string(r.locked),
                 303);
}

void changePassword(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res,
                    const Visit& v) {
    const Lang lang = v.lang;
    const std::int64_t now = c.Now();
    const std::string token = SessionToken(req);
    const auto session = c.Session(token, now);
    if (!session || Field(req, "csrf") != session->csrfToken)
        return showContestPage(c, p, req, res, v, 403, Message("error", Tr(lang, "password.form_expired")));
    const std::string next = Field(req, "nouveau");
    // The visitor's own address, never the proxy's: one player's wrong guesses must not stop another's.
    const PasswordChangeResult r =
        c.ChangePassword(session->playerId, Field(req, "ancien"), next, site::ClientAddress(req), token, now);
    switch (r.outcome) {
        case PasswordChange::Changed:
            res.Redirect(std::string(p.page) + "?mdpchange=1", 303);
            return;
        case PasswordChange::Invalid:
            return showContestPage(c, p, req, res, v, 400, Message("error", PasswordProblemText(lang, next)));
        case PasswordChange::WrongPassword:
            return showContestPage(c, p, req, res, v, 403,
                                   Message("error", Tr(lang, "password.wrong_current")));
        case PasswordChange::Throttled:
            res.SetHeader("Retry-After", std::to_string(r.retryAfter));
            return showContestPage(c, p, req, res, v, r.limit == LimitHit::None ? 503 : 429,
                                   Message("error", LimitText(lang, r.limit, r.retryAfter)));
    }
}

}  // namespace

void ContestGet(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res) {
    const Visit v = site::VisitOf(req, res);
    const Lang lang = v.lang;
    // The program opens this page with the pseudonym and the password in the address.
    if (req.HasParam("mdp") || req.HasParam("pseudo")) {
        // Opened by the program, the browser marks it as the user's own; a page of another site cannot
        // log its visitor into an account of its choosing.
        if (site::CrossSite(req)) {
            return SendPage(
                res, v, 403, TitleOf(p, lang),
                Message("error", site::CrossSiteMessage(lang)) + loginForm(lang, p, std::string()));
        }
        return login(c, p, req.Param("pseudo"), req.Param("mdp"), req, res, v);
    }
    std::string notice;
    if (req.HasParam("bienvenue")) notice += Message("ok", Tr(lang, "notice.welcome"));
    if (req.HasParam("mdpchange")) notice += Message("ok", Tr(lang, "notice.password_changed"));
    if (req.HasParam("envoi")) {
        notice += Message("ok", Tr(lang, "notice.file_received", {std::to_string(NumberParam(req, "pris"))}));
        if (const int started = NumberParam(req, "commences"); started > 0)
            notice += Message("ok", Tr(lang, "notice.started", {std::to_string(started)}));
    }
    showContestPage(c, p, req, res, v, 200, notice);
}

void ContestPost(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res) {
    const Visit v = site::VisitOf(req, res);
    if (req.multipart) return upload(c, p, req, res, v);
    const std::string action = req.Param("action");
    if (action == "logout") {
        // Either the session ends on the server too, or nothing changes.
        const std::string token = SessionToken(req);
        const auto session = c.Session(token, c.Now());
        if (session && req.Param("csrf") != session->csrfToken)
            return showContestPage(c, p, req, res, v, 403,
                                   Message("error", Tr(v.lang, "logout.form_expired")));
        if (session) c.Logout(token);
        // The known-browser cookie stays: this browser is still the player's own.
        res.SetHeader("Set-Cookie", SessionCookie("", 0));
        res.Redirect(p.page, 303);
        return;
    }
    if (action == "mdp") return changePassword(c, p, req, res, v);
    login(c, p, req.Param("pseudo"), req.Param("mdp"), req, res, v);
}

}  // namespace contest
