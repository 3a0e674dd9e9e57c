#include "site/contest/routes.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>

#include "platform/text.h"
#include "site/client_address.h"
#include "site/contest/contest.h"
#include "site/contest/upload_reader.h"
#include "site/html.h"
#include "site/http.h"
#include "site/pages.h"
#include "site/server.h"

namespace contest {

namespace {

using site::html_escape;
using site::Lang;
using site::T;
using site::Visit;

// "1er", "2e" / "1st", "2nd" / "1.º", "2.º"
std::string ordinal(Lang lang, int rank) {
    const std::string n = std::to_string(rank);
    if (lang == Lang::En) {
        const int tens = rank % 100, units = rank % 10;
        const char* suffix = tens >= 11 && tens <= 13 ? "th"
                             : units == 1             ? "st"
                             : units == 2             ? "nd"
                             : units == 3             ? "rd"
                                                      : "th";
        return n + "<sup>" + suffix + "</sup>";
    }
    if (lang == Lang::Es) return n + ".º";
    return n + (rank == 1 ? "<sup>er</sup>" : "<sup>e</sup>");
}

constexpr size_t kRowsPerPage = 100;
constexpr const char* kCookieName = "sid";

struct ContestPages {
    Kind kind;
    const char* page;
    const char* ranking;
    const char* player;
    const char* match;
    const char* title[3];
    const char* fileName;
};

const ContestPages& pagesOf(Kind kind) {
    static const ContestPages tournament{
        Kind::Tournament,
        kTournamentPath,
        site::kRankingPath,
        kPlayerPath,
        kMatchPath,
        {"Concours de pronostics de l'Euro 2024", "Euro 2024 prediction contest",
         "Concurso de pronósticos de la Eurocopa 2024"},
        "Zenkor2024.ini"};
    static const ContestPages qualifiers{
        Kind::Qualifiers,
        kQualifiersPath,
        site::kQualifiersRankingPath,
        kQualifiersPlayerPath,
        kQualifiersMatchPath,
        {"Concours de pronostics des éliminatoires", "Qualifiers prediction contest",
         "Concurso de pronósticos de la clasificación"},
        "Elim2024.ini"};
    return kind == Kind::Tournament ? tournament : qualifiers;
}

const char* titleOf(const ContestPages& p, Lang lang) {
    return p.title[static_cast<int>(lang)];
}

std::string playerHref(const ContestPages& p, std::string_view pseudonym) {
    return std::string(p.player) + "?pseudo=" + platform::PercentEncode(pseudonym);
}

std::string matchHref(const ContestPages& p, std::string_view key) {
    return std::string(p.match) + "?m=" + platform::PercentEncode(key);
}

std::string sessionToken(const site::Request& req) {
    const std::string cookies = req.Header("Cookie");
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

int numberParam(const site::Request& req, const char* name, int fallback = 0) {
    const std::string v = req.Param(name);
    int n = fallback;
    const auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
    return ec == std::errc() && ptr == v.data() + v.size() && n >= 0 ? n : fallback;
}

std::string parisTime(Lang lang, std::int64_t utc) {
    return site::DateAndTime(lang, UtcToParis(utc));
}

// A form field, from a url-encoded body or a multipart one.
std::string field(const site::Request& req, const char* name) {
    if (req.HasFile(name)) return req.File(name).content;
    return req.Param(name);
}

void sendPage(site::Response& res, const Visit& v, int status, std::string_view title,
              const std::string& body, std::string_view active = {}) {
    res.status = status;
    res.SetHeader("Cache-Control", "no-store");
    res.SetContent(site::PageLayout(v, title, body, active), site::kHtmlType);
}

std::string message(std::string_view cls, std::string_view text) {
    return "<p class=\"message " + std::string(cls) + "\">" + html_escape(text) + "</p>\n";
}

// The match's name in the page's language, from its key.
std::string matchLabel(Lang lang, std::string_view key) {
    if (key.size() >= 2 && key[1] == ':')
        return T(lang, "Groupe ", "Group ", "Grupo ") + std::string(1, key[0]);
    const int k = std::atoi(std::string(key.substr(1)).c_str()) / 2 + 1;
    switch (RoundOf(key)) {
        case Round::RoundOf16:
            return T(lang, "Huitième de finale ", "Round of 16, match ", "Octavos de final, partido ") +
                   std::to_string(k);
        case Round::QuarterFinal:
            return T(lang, "Quart de finale ", "Quarter-final ", "Cuartos de final, partido ") +
                   std::to_string(k);
        case Round::SemiFinal:
            return T(lang, "Demi-finale ", "Semi-final ", "Semifinal ") + std::to_string(k);
        case Round::Final:
            return T(lang, "Finale", "Final", "Final");
        case Round::None:
            break;
    }
    return T(lang, "Groupe ", "Group ", "Grupo ") + std::string(key.substr(0, 1));
}

std::string rulesText(Lang lang, Kind kind) {
    std::string out = "<p>";
    out += T(
        lang,
        "Pour chaque match dont le résultat réel est publié : <strong>4 points</strong> pour le score exact, "
        "<strong>3 points</strong> pour le bon écart de buts, <strong>2 points</strong> pour le bon "
        "vainqueur "
        "ou le match nul.",
        "For each match whose real result is published: <strong>4 points</strong> for the exact score, "
        "<strong>3 points</strong> for the right goal difference, <strong>2 points</strong> for the right "
        "winner or a draw.",
        "Por cada partido cuyo resultado real está publicado: <strong>4 puntos</strong> por el resultado "
        "exacto, <strong>3 puntos</strong> por la diferencia de goles correcta, <strong>2 puntos</strong> "
        "por "
        "el ganador correcto o el empate.");
    if (kind == Kind::Qualifiers) {
        out += ' ';
        out += T(lang, "Chaque match compte le dernier fichier envoyé avant le jour du match.",
                 "Each match counts the last file sent before the day of the match.",
                 "Cada partido cuenta el último archivo enviado antes del día del partido.");
        return out + "</p>\n";
    }
    out += ' ';
    out += T(
        lang,
        "En phase finale, le score d'un match ne compte que si votre tableau a les deux mêmes équipes dans "
        "ce "
        "match.",
        "In the knockout stage, a match's score counts only when your bracket has the same two teams in it.",
        "En la fase final, el resultado de un partido solo cuenta si su cuadro tiene los mismos dos equipos "
        "en él.");
    out += "</p>\n<p>";
    out += T(
        lang,
        "S'y ajoutent <strong>1 point</strong> pour chaque équipe placée dans le bon tour de la phase finale "
        "(huitièmes, quarts, demi-finales, finale) et <strong>5 points</strong> pour le champion. Ce tableau "
        "et ce champion se pronostiquent une fois pour tout le tournoi : ceux qui comptent sont ceux du "
        "dernier fichier envoyé avant le premier coup d'envoi du tournoi.",
        "On top come <strong>1 point</strong> for each team put in the right knockout round (round of 16, "
        "quarter-finals, semi-finals, final) and <strong>5 points</strong> for the champion. This bracket "
        "and "
        "this champion are predicted once for the whole tournament: those that count are those of the last "
        "file sent before the tournament's first kick-off.",
        "Se añaden <strong>1 punto</strong> por cada equipo colocado en la ronda correcta de la fase final "
        "(octavos, cuartos, semifinales, final) y <strong>5 puntos</strong> por el campeón. Este cuadro y "
        "este "
        "campeón se pronostican una vez para todo el torneo: cuentan los del último archivo enviado antes "
        "del "
        "primer partido del torneo.");
    out += "</p>\n<p>";
    out += T(
        lang,
        "Chaque match compte le dernier fichier envoyé avant son coup d'envoi : un pronostic se change "
        "jusqu'au début du match, jamais après. À égalité de points, les scores exacts départagent ; à "
        "égalité des deux, même rang.",
        "Each match counts the last file sent before its kick-off: a prediction can be changed until the "
        "match "
        "starts, never after. Level on points, exact scores decide; level on both, same rank.",
        "Cada partido cuenta el último archivo enviado antes de su inicio: un pronóstico se cambia hasta que "
        "empieza el partido, nunca después. Con los mismos puntos, deciden los resultados exactos; con ambos "
        "iguales, mismo puesto.");
    return out + "</p>\n";
}

// "24 caractères au plus.", "24 characters at most.", ...
std::string atMost(Lang lang, size_t count, const char* fr, const char* en, const char* es) {
    return std::to_string(count) + " " + T(lang, fr, en, es) +
           T(lang, " au plus.", " at most.", " como máximo.");
}

std::string pseudonymProblem(Lang lang, std::string_view pseudonym) {
    switch (CheckPseudonym(pseudonym)) {
        case PseudonymIssue::None:
            return {};
        case PseudonymIssue::Empty:
            return T(
                lang,
                "Le pseudo est vide : saisissez-le dans Zenkor (case « Pseudo »), puis envoyez de nouveau.",
                "The nickname is empty: type it in Zenkor (the \"Nickname\" box), then send again.",
                "El seudónimo está vacío: escríbalo en Zenkor (casilla «Seudónimo») y envíe de nuevo.");
        case PseudonymIssue::Characters:
            return T(
                lang,
                "Le pseudo ne peut contenir que des lettres, des chiffres, des espaces et les signes - _ .",
                "The nickname may hold only letters, digits, spaces and the signs - _ .",
                "El seudónimo solo puede contener letras, cifras, espacios y los signos - _ .");
        case PseudonymIssue::TooLong:
            return T(lang, "Le pseudo est trop long : ", "The nickname is too long: ",
                     "El seudónimo es demasiado largo: ") +
                   atMost(lang, kMaxPseudonym, "caractères", "characters", "caracteres");
    }
    return {};
}

std::string passwordProblem(Lang lang, std::string_view password) {
    if (password.empty()) {
        return T(
            lang,
            "Le mot de passe est vide : saisissez-le dans Zenkor (case « mot de passe »), puis envoyez de "
            "nouveau.",
            "The password is empty: type it in Zenkor (the \"Password\" box), then send again.",
            "La contraseña está vacía: escríbala en Zenkor (casilla «Contraseña») y envíe de nuevo.");
    }
    if (password.size() > kMaxPassword) {
        return T(lang, "Le mot de passe est trop long : ", "The password is too long: ",
                 "La contraseña es demasiado larga: ") +
               atMost(lang, kMaxPassword, "signes", "bytes", "signos");
    }
    return {};
}

// Too many of something: what, and when to come back.
enum class Limit { Passwords, Pseudonyms, Files };
std::string limitText(Lang lang, Limit limit, std::int64_t retryAfter) {
    std::string text;
    switch (limit) {
        case Limit::Passwords:
            text = T(lang, "Trop d'essais de mot de passe pour ce pseudo ou depuis votre adresse",
                     "Too many password attempts for this nickname or from your address",
                     "Demasiados intentos de contraseña para este seudónimo o desde su dirección");
            break;
        case Limit::Pseudonyms:
            text = T(lang, "Trop de nouveaux pseudos depuis votre adresse",
                     "Too many new nicknames from your address",
                     "Demasiados seudónimos nuevos desde su dirección");
            break;
        case Limit::Files:
            text = T(lang, "Trop de fichiers envoyés en une heure", "Too many files sent in one hour",
                     "Demasiados archivos enviados en una hora");
            break;
    }
    return text + T(lang, " : réessayez dans ", ": try again in ", ": vuelva a intentarlo dentro de ") +
           std::to_string((retryAfter + 59) / 60) + T(lang, " minute(s).", " minute(s).", " minuto(s).");
}

const char* busyText(Lang lang) {
    return T(lang, "Le site est très occupé : réessayez dans quelques secondes.",
             "The site is very busy: try again in a few seconds.",
             "El sitio está muy ocupado: vuelva a intentarlo dentro de unos segundos.");
}

const char* wrongPassword(Lang lang) {
    return T(lang, "Pseudo ou mot de passe incorrect.", "Wrong nickname or password.",
             "Seudónimo o contraseña incorrectos.");
}

std::string refusalText(Lang lang, RefusalReason reason) {
    switch (reason) {
        case RefusalReason::Empty:
            return T(lang, "Le fichier envoyé est vide.", "The file sent is empty.",
                     "El archivo enviado está vacío.");
        case RefusalReason::TooLarge:
            return T(lang, "Le fichier dépasse 256 Ko : ce n'est pas un fichier Zenkor.",
                     "The file is larger than 256 KB: it is not a Zenkor file.",
                     "El archivo supera 256 KB: no es un archivo de Zenkor.");
        case RefusalReason::NotText:
            return T(lang, "Ce fichier n'est pas un fichier texte : ce n'est pas un fichier Zenkor.",
                     "This file is not a text file: it is not a Zenkor file.",
                     "Este archivo no es un archivo de texto: no es un archivo de Zenkor.");
        case RefusalReason::NotTournament:
            return T(lang,
                     "Ce fichier n'est pas un fichier du tournoi (Zenkor2024.ini) : il n'a pas les quatre "
                     "équipes de "
                     "chacun des six groupes.",
                     "This file is not a tournament file (Zenkor2024.ini): it lacks the four teams of each "
                     "of the six "
                     "groups.",
                     "Este archivo no es un archivo del torneo (Zenkor2024.ini): no tiene los cuatro equipos "
                     "de cada "
                     "uno de los seis grupos.");
        case RefusalReason::OtherTournament:
            return T(
                lang,
                "Ce fichier n'est pas celui de l'Euro 2024 : ses groupes n'ont pas les équipes du fichier "
                "publié. "
                "Faites « Mise à jour » dans Zenkor, puis envoyez le fichier Zenkor2024.ini.",
                "This file is not the Euro 2024 one: its groups do not have the published file's teams. "
                "Click "
                "\"Update\" in Zenkor, then send the file Zenkor2024.ini.",
                "Este archivo no es el de la Eurocopa 2024: sus grupos no tienen los equipos del archivo "
                "publicado. Pulse «Actualizar» en Zenkor y envíe el archivo Zenkor2024.ini.");
        case RefusalReason::NotQualifiers:
            return T(
                lang,
                "Ce fichier n'est pas un fichier des éliminatoires (Elim2024.ini) : il n'a pas les équipes "
                "des "
                "neuf groupes.",
                "This file is not a qualifiers file (Elim2024.ini): it lacks the teams of the nine groups.",
                "Este archivo no es un archivo de la clasificación (Elim2024.ini): no tiene los equipos de "
                "los "
                "nueve grupos.");
        case RefusalReason::OtherQualifiers:
            return T(
                lang,
                "Ce fichier n'est pas celui des éliminatoires : ses groupes n'ont pas les équipes du fichier "
                "publié.",
                "This file is not the qualifiers one: its groups do not have the published file's teams.",
                "Este archivo no es el de la clasificación: sus grupos no tienen los equipos del archivo "
                "publicado.");
    }
    return {};
}

const char* nothingChanged(Lang lang) {
    return T(lang, " Rien n'a changé.", " Nothing has changed.", " No ha cambiado nada.");
}

std::string loginForm(Lang lang, const ContestPages& p, std::string_view pseudonym) {
    return "<form method=\"post\" action=\"" + std::string(p.page) + "\" class=\"login\">\n<label>" +
           T(lang, "Pseudo", "Nickname", "Seudónimo") +
           " <input type=\"text\" name=\"pseudo\" maxlength=\"40\" value=\"" + html_escape(pseudonym) +
           "\" required></label>\n<label>" + T(lang, "Mot de passe", "Password", "Contraseña") +
           " <input name=\"mdp\" type=\"password\" required></label>\n<button type=\"submit\">" +
           T(lang, "Entrer", "Enter", "Entrar") + "</button>\n</form>\n";
}

std::string uploadForm(Lang lang, const ContestPages& p, const SessionInfo& s) {
    return "<form method=\"post\" action=\"" + std::string(p.page) +
           "\" enctype=\"multipart/form-data\" class=\"upload\">\n<input type=\"hidden\" name=\"csrf\" "
           "value=\"" +
           html_escape(s.csrfToken) + "\">\n<label>" +
           T(lang, "Votre fichier ", "Your file ", "Su archivo ") + p.fileName +
           " <input type=\"file\" name=\"fichier\" accept=\".ini\" required></label>\n" +
           "<button type=\"submit\">" +
           T(lang, "Envoyer mes pronostics", "Send my predictions", "Enviar mis pronósticos") +
           "</button>\n</form>\n<p class=\"hint\">" +
           T(lang,
             "Zenkor a mis le chemin du fichier dans le presse-papiers : cliquez sur le choix du fichier, "
             "collez le "
             "chemin (Ctrl+V) et validez. 256 Ko au plus.",
             "Zenkor put the file's path on the clipboard: click the file choice, paste the path (Ctrl+V) "
             "and "
             "confirm. 256 KB at most.",
             "Zenkor ha puesto la ruta del archivo en el portapapeles: pulse la elección del archivo, pegue "
             "la ruta "
             "(Ctrl+V) y confirme. 256 KB como máximo.") +
           "</p>\n";
}

std::string passwordForm(Lang lang, const ContestPages& p, const SessionInfo& s) {
    return "<details class=\"password\"><summary>" +
           std::string(T(lang, "Changer de mot de passe", "Change my password", "Cambiar mi contraseña")) +
           "</summary>\n<form method=\"post\" action=\"" + p.page +
           "\">\n<input type=\"hidden\" name=\"action\" value=\"mdp\"><input type=\"hidden\" name=\"csrf\" "
           "value=\"" +
           html_escape(s.csrfToken) + "\">\n<label>" +
           T(lang, "Mot de passe actuel", "Current password", "Contraseña actual") +
           " <input name=\"ancien\" type=\"password\" autocomplete=\"current-password\" "
           "required></label>\n<label>" +
           T(lang, "Nouveau mot de passe", "New password", "Nueva contraseña") +
           " <input name=\"nouveau\" type=\"password\" autocomplete=\"new-password\" required></label>\n"
           "<button type=\"submit\">" +
           T(lang, "Changer", "Change", "Cambiar") + "</button>\n</form>\n<p class=\"hint\">" +
           T(lang,
             "Saisissez ensuite le nouveau dans Zenkor (case « mot de passe ») pour que son bouton d'envoi "
             "entre.",
             "Then type the new one in Zenkor (the \"Password\" box) so that its send button gets in.",
             "Después escriba la nueva en Zenkor (casilla «Contraseña») para que su botón de envío entre.") +
           "</p></details>\n";
}

std::string standing(Lang lang, Contest& c, Kind kind, std::int64_t playerId) {
    const auto row = c.RankOf(kind, playerId);
    if (!row) {
        return std::string("<p class=\"standing\">") +
               T(lang, "Vous n'avez encore envoyé aucun fichier pour ce concours.",
                 "You have not sent any file for this contest yet.",
                 "Todavía no ha enviado ningún archivo para este concurso.") +
               "</p>\n";
    }
    return std::string("<p class=\"standing\">") + T(lang, "Vous avez ", "You have ", "Tiene ") + "<strong>" +
           std::to_string(row->points) + T(lang, " point(s)", " point(s)", " punto(s)") + "</strong> (" +
           std::to_string(row->exact) +
           T(lang, " score(s) exact(s)), ", " exact score(s)), ", " resultado(s) exacto(s)), ") +
           ordinal(lang, row->rank) + T(lang, " sur ", " of ", " de ") + std::to_string(c.PlayerCount(kind)) +
           ".</p>\n";
}

void showContestPage(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res,
                     const Visit& v, int status, const std::string& notice) {
    const Lang lang = v.lang;
    const auto session = c.Session(sessionToken(req), c.Now());
    std::string body = notice;
    if (!session) {
        body += site::HowToTakePart(lang) + loginForm(lang, p, req.Param("pseudo"));
    } else {
        body += "<p>" + std::string(T(lang, "Bonjour ", "Hello ", "Hola ")) + "<strong>" +
                html_escape(session->pseudonym) + "</strong>.</p>\n" +
                standing(lang, c, p.kind, session->playerId) + uploadForm(lang, p, *session) +
                "<p><a href=\"" + html_escape(playerHref(p, session->pseudonym)) + "\">" +
                T(lang, "Mes pronostics", "My predictions", "Mis pronósticos") + "</a> · <a href=\"" +
                p.ranking + "\">" + T(lang, "Le classement", "The ranking", "La clasificación") +
                "</a></p>\n" + passwordForm(lang, p, *session) + "<form method=\"post\" action=\"" + p.page +
                "\" class=\"logout\"><input type=\"hidden\" name=\"action\" value=\"logout\"><input "
                "type=\"hidden\" name=\"csrf\" value=\"" +
                html_escape(session->csrfToken) + "\"><button type=\"submit\">" +
                T(lang, "Se déconnecter", "Log out", "Cerrar sesión") + "</button></form>\n";
    }
    sendPage(res, v, status, titleOf(p, lang), body);
}

// Login or registration; on success the password leaves the address bar at once.
void login(Contest& c, const ContestPages& p, const std::string& pseudonym, const std::string& password,
           const site::Request& req, site::Response& res, const Visit& v) {
    const Lang lang = v.lang;
    const LoginResult r = c.Login(pseudonym, password, site::ClientAddress(req), c.Now());
    if (r.ok()) {
        res.SetHeader("Set-Cookie",
                      std::string(kCookieName) + "=" + r.token +
                          "; Path=/; HttpOnly; SameSite=Lax; Max-Age=" + std::to_string(kSessionSeconds));
        res.Redirect(std::string(p.page) + (r.outcome == LoginOutcome::Registered ? "?bienvenue=1" : ""),
                     303);
        return;
    }
    int status = 403;
    std::string why = wrongPassword(lang);
    if (r.outcome == LoginOutcome::Invalid) {
        status = 400;
        why = pseudonymProblem(lang, pseudonym);
        if (why.empty()) why = passwordProblem(lang, password);
        if (why.empty()) why = r.message;
    }
    if (r.outcome == LoginOutcome::Throttled || r.outcome == LoginOutcome::Busy) {
        status = r.outcome == LoginOutcome::Busy ? 503 : 429;
        res.SetHeader("Retry-After", std::to_string(r.retryAfter));
        why = r.outcome == LoginOutcome::Busy
                  ? busyText(lang)
                  : limitText(lang, r.newPseudonyms ? Limit::Pseudonyms : Limit::Passwords, r.retryAfter);
    }
    std::string body = message("error", why);
    if (!pseudonym.empty()) {
        body += "<p>" +
                std::string(T(lang, "Pseudo reçu : « ", "Nickname received: \"", "Seudónimo recibido: «")) +
                html_escape(pseudonym) + T(lang, " ».", "\".", "».") + "</p>\n";
    }
    body += loginForm(lang, p, CheckPseudonym(pseudonym) == PseudonymIssue::None ? pseudonym : std::string());
    sendPage(res, v, status, titleOf(p, lang), body);
}

void upload(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res,
            const Visit& v) {
    const Lang lang = v.lang;
    const std::int64_t now = c.Now();
    const auto session = c.Session(sessionToken(req), now);
    if (!session) {
        return showContestPage(
            c, p, req, res, v, 403,
            message("error",
                    T(lang,
                      "Votre session a expiré : ouvrez de nouveau la page depuis Zenkor, puis envoyez "
                      "le fichier.",
                      "Your session has expired: open the page from Zenkor again, then send the file.",
                      "Su sesión ha caducado: abra de nuevo la página desde Zenkor y envíe el archivo.")));
    }
    if (!req.HasFile("csrf") || req.File("csrf").content != session->csrfToken) {
        return showContestPage(
            c, p, req, res, v, 403,
            message("error", T(lang, "Ce formulaire a expiré : envoyez le fichier de nouveau.",
                               "This form has expired: send the file again.",
                               "Este formulario ha caducado: envíe el archivo de nuevo.")));
    }
    if (!req.HasFile("fichier")) {
        return showContestPage(c, p, req, res, v, 400,
                               message("error", T(lang, "Choisissez d'abord le fichier à envoyer.",
                                                  "Choose the file to send first.",
                                                  "Elija primero el archivo que va a enviar.")));
    }
    const site::FormPart file = req.File("fichier");
    if (file.content.size() > kMaxUploadBytes) {
        return showContestPage(
            c, p, req, res, v, 413,
            message("error", T(lang, "Le fichier dépasse 256 Ko : ce n'est pas un fichier ",
                               "The file is larger than 256 KB: it is not a file ",
                               "El archivo supera 256 KB: no es un archivo ") +
                                 std::string(p.fileName) + "." + nothingChanged(lang)));
    }
    const UploadResult r =
        c.Upload(session->playerId, p.kind, file.filename, file.content, site::ClientAddress(req), now);
    if (!r.ok && r.retryAfter > 0) {
        res.SetHeader("Retry-After", std::to_string(r.retryAfter));
        return showContestPage(
            c, p, req, res, v, 429,
            message("error", limitText(lang, Limit::Files, r.retryAfter) + nothingChanged(lang)));
    }
    if (!r.ok) {
        return showContestPage(c, p, req, res, v, 400,
                               message("error", refusalText(lang, r.reason) + nothingChanged(lang)));
    }
    res.Redirect(std::string(p.page) + "?envoi=1&pris=" + std::to_string(r.taken) +
                     "&commences=" + std::to_string(r.locked),
                 303);
}

void changePassword(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res,
                    const Visit& v) {
    const Lang lang = v.lang;
    const std::int64_t now = c.Now();
    const std::string token = sessionToken(req);
    const auto session = c.Session(token, now);
    if (!session || field(req, "csrf") != session->csrfToken) {
        return showContestPage(c, p, req, res, v, 403,
                               message("error", T(lang, "Ce formulaire a expiré : recommencez.",
                                                  "This form has expired: start again.",
                                                  "Este formulario ha caducado: vuelva a empezar.")));
    }
    const std::string next = field(req, "nouveau");
    const PasswordChangeResult r =
        c.ChangePassword(session->playerId, field(req, "ancien"), next, site::ClientAddress(req), token, now);
    switch (r.outcome) {
        case PasswordChange::Changed:
            res.Redirect(std::string(p.page) + "?mdpchange=1", 303);
            return;
        case PasswordChange::Invalid:
            return showContestPage(c, p, req, res, v, 400, message("error", passwordProblem(lang, next)));
        case PasswordChange::WrongPassword:
            return showContestPage(
                c, p, req, res, v, 403,
                message("error", T(lang, "Le mot de passe actuel n'est pas le bon : rien n'a changé.",
                                   "The current password is wrong: nothing has changed.",
                                   "La contraseña actual no es la correcta: no ha cambiado nada.")));
        case PasswordChange::Throttled:
            res.SetHeader("Retry-After", std::to_string(r.retryAfter));
            return showContestPage(c, p, req, res, v, 429,
                                   message("error", limitText(lang, Limit::Passwords, r.retryAfter)));
    }
}

void contestGet(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res) {
    const Visit v = site::VisitOf(req, res);
    const Lang lang = v.lang;
    // The program opens this page with the pseudonym and the password in the address.
    if (req.HasParam("mdp") || req.HasParam("pseudo")) {
        // Opened by the program, the browser marks it as the user's own; a page of another site cannot
        // log its visitor into an account of its choosing.
        if (site::CrossSite(req)) {
            return sendPage(
                res, v, 403, titleOf(p, lang),
                message("error", site::CrossSiteMessage(lang)) + loginForm(lang, p, std::string()));
        }
        return login(c, p, req.Param("pseudo"), req.Param("mdp"), req, res, v);
    }
    std::string notice;
    if (req.HasParam("bienvenue")) {
        notice += message(
            "ok", T(lang, "Bienvenue ! Votre pseudo est enregistré.", "Welcome! Your nickname is registered.",
                    "¡Bienvenido! Su seudónimo está registrado."));
    }
    if (req.HasParam("mdpchange")) {
        notice += message("ok", T(lang, "Votre mot de passe est changé.", "Your password is changed.",
                                  "Su contraseña ha cambiado."));
    }
    if (req.HasParam("envoi")) {
        notice += message("ok", T(lang, "Fichier reçu : ", "File received: ", "Archivo recibido: ") +
                                    std::to_string(numberParam(req, "pris")) +
                                    T(lang, " pronostic(s) pris en compte.", " prediction(s) taken.",
                                      " pronóstico(s) tenido(s) en cuenta."));
        if (const int started = numberParam(req, "commences"); started > 0) {
            notice += message(
                "ok",
                std::to_string(started) +
                    T(lang,
                      " match(s) avaient déjà commencé : ce fichier n'y change rien, ils gardent le "
                      "pronostic "
                      "envoyé avant leur coup d'envoi, s'il y en a un.",
                      " match(es) had already started: this file changes nothing there, they keep the "
                      "prediction sent before their kick-off, if any.",
                      " partido(s) ya habían empezado: este archivo no cambia nada en ellos, conservan el "
                      "pronóstico enviado antes de su inicio, si lo hay."));
        }
    }
    showContestPage(c, p, req, res, v, 200, notice);
}

void contestPost(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res) {
    const Visit v = site::VisitOf(req, res);
    if (req.multipart) return upload(c, p, req, res, v);
    const std::string action = req.Param("action");
    if (action == "logout") {
        // Either the session ends on the server too, or nothing changes.
        const std::string token = sessionToken(req);
        const auto session = c.Session(token, c.Now());
        if (session && req.Param("csrf") != session->csrfToken) {
            return showContestPage(
                c, p, req, res, v, 403,
                message("error", T(v.lang, "Ce formulaire a expiré : vous êtes toujours connecté.",
                                   "This form has expired: you are still logged in.",
                                   "Este formulario ha caducado: sigue conectado.")));
        }
        if (session) c.Logout(token);
        res.SetHeader("Set-Cookie",
                      std::string(kCookieName) + "=; Path=/; HttpOnly; SameSite=Lax; Max-Age=0");
        res.Redirect(p.page, 303);
        return;
    }
    if (action == "mdp") return changePassword(c, p, req, res, v);
    login(c, p, req.Param("pseudo"), req.Param("mdp"), req, res, v);
}

// The change of rank since the previous published results: up, down, level, or new in the ranking.
std::string movement(Lang lang, const RankRow& row) {
    if (!row.previousRank) {
        return std::string("<span class=\"move new\" title=\"") + T(lang, "nouveau", "new", "nuevo") +
               "\">•</span>";
    }
    const int up = *row.previousRank - row.rank;
    const std::string was =
        std::string(T(lang, "avant : ", "before: ", "antes: ")) + std::to_string(*row.previousRank);
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
    return std::min<size_t>(pages, static_cast<size_t>(std::max(1, numberParam(req, "page", 1))));
}

// Links to the pages of the matches that have started, whose predictions everybody may see.
std::string startedMatches(Lang lang, const ContestPages& p, const Results& results, std::int64_t now) {
    std::string links;
    for (const RealMatch& m : results.matches) {
        if (!m.startedBy(now)) continue;
        links += "<li><a href=\"" + html_escape(matchHref(p, m.key)) + "\">" + html_escape(m.team1) + " – " +
                 html_escape(m.team2) + "</a></li>";
    }
    if (links.empty()) return {};
    return std::string("<details class=\"matches\"><summary>") +
           T(lang, "Les pronostics de chaque match commencé", "Everybody's predictions of each started match",
             "Los pronósticos de cada partido empezado") +
           "</summary><ul>" + links + "</ul></details>\n";
}

void rankingPage(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res) {
    const Visit v = site::VisitOf(req, res);
    const Lang lang = v.lang;
    const auto session = c.Session(sessionToken(req), c.Now());
    const size_t page = pageParam(req, c.PlayerCount(p.kind));
    const RankingSlice slice = c.Ranking(p.kind, (page - 1) * kRowsPerPage, kRowsPerPage);
    std::string body = "<section class=\"rules note\">" + rulesText(lang, p.kind) + "</section>\n<p>" +
                       std::to_string(slice.total) + T(lang, " joueur(s).", " player(s).", " jugador(es).") +
                       " <a href=\"" + p.page + "\">" +
                       T(lang, "Participer, envoyer mes pronostics", "Take part, send my predictions",
                         "Participar, enviar mis pronósticos") +
                       "</a></p>\n";
    body.reserve(body.size() + kRowsPerPage * 200);
    body += "<div class=\"card\"><table class=\"ranking\">\n<thead><tr><th>";
    body += T(lang, "Rang", "Rank", "Puesto");
    body += "</th>";
    if (slice.hasPrevious) {
        body += std::string("<th title=\"") +
                T(lang, "Depuis le résultat publié précédent", "Since the previous published result",
                  "Desde el resultado publicado anterior") +
                "\">±</th>";
    }
    body += std::string("<th class=\"who\">") + T(lang, "Pseudo", "Nickname", "Seudónimo") + "</th><th>" +
            T(lang, "Points", "Points", "Puntos") + "</th><th>" +
            T(lang, "Scores exacts", "Exact scores", "Resultados exactos") + "</th></tr></thead>\n<tbody>\n";
    for (const RankRow& row : slice.rows) {
        const bool own = session && session->pseudonym == row.pseudonym;
        body += own ? "<tr class=\"own\"><td>" : "<tr><td>";
        body += std::to_string(row.rank);
        if (slice.hasPrevious) body += "</td><td>" + movement(lang, row);
        body += "</td><td class=\"who\"><a href=\"";
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
    body += startedMatches(lang, p, *c.Published(p.kind), c.Now());
    body +=
        pageLinks(p.ranking, "", page, std::max<size_t>(1, (slice.total + kRowsPerPage - 1) / kRowsPerPage));
    sendPage(res, v, 200,
             std::string(T(lang, "Classement – ", "Ranking – ", "Clasificación – ")) + titleOf(p, lang), body,
             p.ranking);
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
std::string tableHead(const char* cls, std::initializer_list<const char*> headings) {
    std::string out = std::string("<div class=\"card\"><table class=\"") + cls + "\">\n<thead><tr>";
    for (const char* h : headings) out += std::string("<th>") + h + "</th>";
    return out + "</tr></thead>\n<tbody>\n";
}

// A table cell with its column's name, which narrow screens show beside the value.
std::string cell(const char* label, const std::string& html, const char* cls = nullptr) {
    std::string out = "<td data-label=\"";
    out += label;
    out += "\"";
    if (cls) out += std::string(" class=\"") + cls + "\"";
    return out + ">" + html + "</td>";
}

// The link back to the ranking, below a player's or a match's page.
std::string rankingLink(const ContestPages& p, Lang lang) {
    return "<p><a href=\"" + std::string(p.ranking) + "\">" +
           T(lang, "Le classement", "The ranking", "La clasificación") + "</a></p>\n";
}

// A player or a match that does not exist.
void notFound(site::Response& res, const Visit& v, const ContestPages& p, const char* text) {
    sendPage(res, v, 404, titleOf(p, v.lang), message("error", text) + rankingLink(p, v.lang));
}

// The player's points and rank, or that no file was sent.
std::string standingText(Lang lang, const ContestPages& p, const PlayerCard& card) {
    if (!card.rank) {
        return std::string("<p>") +
               T(lang, "Aucun fichier envoyé pour ce concours.", "No file sent for this contest.",
                 "Ningún archivo enviado para este concurso.") +
               "</p>\n";
    }
    std::string out = "<p class=\"standing\"><strong>" + std::to_string(card.rank->points) +
                      T(lang, " point(s)", " point(s)", " punto(s)") + "</strong>, " +
                      ordinal(lang, card.rank->rank) + T(lang, " ; ", "; ", "; ") +
                      std::to_string(card.rank->exact) +
                      T(lang, " score(s) exact(s)", " exact score(s)", " resultado(s) exacto(s)");
    if (p.kind == Kind::Tournament) {
        out += T(lang, " ; dont ", "; of which ", "; de ellos ") + std::to_string(card.bonus) +
               T(lang, " point(s) pour les équipes de la phase finale et le champion",
                 " point(s) for the knockout teams and the champion",
                 " punto(s) por los equipos de la fase final y el campeón");
    }
    return out + ".</p>\n";
}

// Each match with the real result and the player's prediction (hidden until kick-off from others).
std::string playerMatchesTable(Lang lang, const ContestPages& p, const PlayerCard& card) {
    const char* lMatch = T(lang, "Match", "Match", "Partido");
    const char* lKickoff = T(lang, "Coup d'envoi", "Kick-off", "Inicio");
    const char* lReal = T(lang, "Résultat réel", "Real result", "Resultado real");
    const char* lPredicted = T(lang, "Pronostic", "Prediction", "Pronóstico");
    const char* lPoints = T(lang, "Points", "Points", "Puntos");
    std::string out = tableHead("predictions stack", {lMatch, lKickoff, lReal, lPredicted, lPoints});
    for (const PlayerMatch& m : card.matches) {
        std::string predicted;
        if (m.hidden) {
            predicted =
                std::string("<em>") +
                T(lang, "caché jusqu'au coup d'envoi", "hidden until kick-off", "oculto hasta el inicio") +
                "</em>";
        } else if (m.predicted) {
            predicted = matchText(*m.predicted);
        } else {
            predicted = "—";
        }
        out += "<tr>" +
               cell(lMatch, "<a href=\"" + html_escape(matchHref(p, m.real.key)) + "\">" +
                                html_escape(matchLabel(lang, m.real.key)) + "</a>") +
               cell(lKickoff, m.real.kickoff ? parisTime(lang, *m.real.kickoff) : std::string("?")) +
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
    std::string out = std::string("<h2>") + T(lang, "Vos envois", "Your uploads", "Sus envíos") +
                      "</h2>\n<ul class=\"uploads\">\n";
    for (const PlayerUpload& u : card.uploads) {
        out += "<li>" + parisTime(lang, u.at) + " : " + html_escape(u.fileName) + ", " +
               std::to_string(u.taken) +
               T(lang, " pronostic(s) pris", " prediction(s) taken", " pronóstico(s) tenido(s) en cuenta") +
               "</li>\n";
    }
    return out + "</ul>\n";
}

void playerPage(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res) {
    const Visit v = site::VisitOf(req, res);
    const Lang lang = v.lang;
    const std::int64_t now = c.Now();
    const auto session = c.Session(sessionToken(req), now);
    const auto card = c.Player(p.kind, req.Param("pseudo"), session ? session->playerId : 0, now);
    if (!card) {
        return notFound(res, v, p,
                        T(lang, "Aucun joueur ne porte ce pseudo.", "No player has this nickname.",
                          "Ningún jugador tiene este seudónimo."));
    }
    const std::string body = standingText(lang, p, *card) + playerMatchesTable(lang, p, *card) +
                             uploadsList(lang, *card) + rankingLink(p, lang);
    sendPage(res, v, 200, card->pseudonym + " – " + titleOf(p, lang), body, p.ranking);
}

void matchPage(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res) {
    const Visit v = site::VisitOf(req, res);
    const Lang lang = v.lang;
    const std::int64_t now = c.Now();
    const std::string key = req.Param("m");
    const auto first = c.MatchPredictions(p.kind, key, now, 0, 0);
    if (!first) {
        return notFound(
            res, v, p,
            T(lang, "Ce match n'existe pas.", "This match does not exist.", "Este partido no existe."));
    }
    const size_t page = pageParam(req, first->total);
    const auto card = c.MatchPredictions(p.kind, key, now, (page - 1) * kRowsPerPage, kRowsPerPage);
    const RealMatch& real = card->real;
    std::string body = "<p class=\"standing\"><strong>" + matchText(real) +
                       "</strong><br><span class=\"note\">" +
                       T(lang, "Coup d'envoi : ", "Kick-off: ", "Inicio: ") +
                       (real.kickoff ? parisTime(lang, *real.kickoff) : std::string("?")) + "</span></p>\n";
    if (!card->started) {
        body += message("ok",
                        T(lang, "Les pronostics des joueurs pour ce match s'affichent à son coup d'envoi.",
                          "The players' predictions for this match show from its kick-off.",
                          "Los pronósticos de los jugadores para este partido se muestran desde su inicio."));
    } else {
        body += "<p>" + std::to_string(card->total) +
                T(lang, " pronostic(s), dans l'ordre du classement.", " prediction(s), in ranking order.",
                  " pronóstico(s), en el orden de la clasificación.") +
                "</p>\n";
        const char* lRank = T(lang, "Rang", "Rank", "Puesto");
        const char* lPlayer = T(lang, "Pseudo", "Nickname", "Seudónimo");
        const char* lPredicted = T(lang, "Pronostic", "Prediction", "Pronóstico");
        const char* lPoints = T(lang, "Points", "Points", "Puntos");
        body += tableHead("match-predictions", {lRank, lPlayer, lPredicted, lPoints});
        for (const MatchEntry& e : card->rows) {
            body += "<tr>" + cell(lRank, std::to_string(e.rank)) +
                    cell(lPlayer, "<a href=\"" + html_escape(playerHref(p, e.pseudonym)) + "\">" +
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
    sendPage(res, v, 200,
             matchLabel(lang, key) + T(lang, " : ", ": ", ": ") + team(real.team1) + " – " + team(real.team2),
             body, p.ranking);
}

}  // namespace

void RegisterContestRoutes(site::Routes& server, Contest& contest) {
    // The server's own payload limit (256 KB) turns away larger requests before they reach these routes.
    for (Kind kind : {Kind::Tournament, Kind::Qualifiers}) {
        const ContestPages& p = pagesOf(kind);
        Contest* c = &contest;
        // Logins hash a password and uploads write the database: on a worker of their own.
        server.Get(
            p.page, [c, &p](const site::Request& req, site::Response& res) { contestGet(*c, p, req, res); },
            site::Pace::Slow);
        server.Post(
            p.page, [c, &p](const site::Request& req, site::Response& res) { contestPost(*c, p, req, res); },
            site::Pace::Slow);
        server.Get(p.ranking,
                   [c, &p](const site::Request& req, site::Response& res) { rankingPage(*c, p, req, res); });
        server.Get(p.player,
                   [c, &p](const site::Request& req, site::Response& res) { playerPage(*c, p, req, res); });
        server.Get(p.match,
                   [c, &p](const site::Request& req, site::Response& res) { matchPage(*c, p, req, res); });
    }
}

}  // namespace contest
