#include "site/contest/route_parts.h"

#include <sodium.h>

#include <charconv>

#include "platform/text.h"
#include "site/contest/accounts.h"
#include "site/contest/routes.h"
#include "site/contest/scoring.h"
#include "site/html.h"
#include "site/server.h"

namespace contest {

using site::Lang;
using site::Tr;

namespace {

constexpr std::string_view kSessionCookie = "sid";
constexpr std::string_view kKnownBrowserPrefix = "kb_";

// The value of the cookie name in the request's Cookie header.
std::string cookie(const site::Request& req, std::string_view name) {
    const std::string cookies = req.Header("Cookie");
    size_t pos = 0;
    while (pos < cookies.size()) {
        size_t end = cookies.find(';', pos);
        if (end == std::string::npos) end = cookies.size();
        std::string_view item(cookies.data() + pos, end - pos);
        while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
        if (item.size() > name.size() && item.substr(0, name.size()) == name && item[name.size()] == '=')
            return std::string(item.substr(name.size() + 1));
        pos = end + 1;
    }
    return {};
}

// The known-browser cookie's name for a pseudonym: a hash of its key, so that the name holds only safe
// characters and does not show the pseudonym.
std::string knownBrowserName(std::string_view pseudonym) {
    const std::string key = PseudonymKey(pseudonym);
    unsigned char hash[8];
    crypto_generichash(hash, sizeof hash, reinterpret_cast<const unsigned char*>(key.data()), key.size(),
                       nullptr, 0);
    char hex[2 * sizeof hash + 1];
    sodium_bin2hex(hex, sizeof hex, hash, sizeof hash);
    return std::string(kKnownBrowserPrefix) + hex;
}

// "12 points", "1 point"
std::string points(Lang lang, int count) {
    return Tr(lang, count == 1 ? "points.one" : "points.many", {std::to_string(count)});
}

}  // namespace

const ContestPages& PagesOf(Kind kind) {
    static const ContestPages tournament{Kind::Tournament, kTournamentPath, site::kRankingPath,
                                         kPlayerPath,      kMatchPath,      "contest.tournament",
                                         "Zenkor2024.ini"};
    static const ContestPages qualifiers{
        Kind::Qualifiers,      kQualifiersPath,      site::kQualifiersRankingPath,
        kQualifiersPlayerPath, kQualifiersMatchPath, "contest.qualifiers",
        "Elim2024.ini"};
    return kind == Kind::Tournament ? tournament : qualifiers;
}

const std::string& TitleOf(const ContestPages& p, Lang lang) {
    return Tr(lang, p.titleKey);
}

std::string PlayerHref(const ContestPages& p, std::string_view pseudonym) {
    return std::string(p.player) + "?pseudo=" + platform::PercentEncode(pseudonym);
}

std::string MatchHref(const ContestPages& p, std::string_view key) {
    return std::string(p.match) + "?m=" + platform::PercentEncode(key);
}

std::string SessionToken(const site::Request& req) {
    return cookie(req, kSessionCookie);
}

std::string SessionCookie(std::string_view token, std::int64_t maxAge) {
    return std::string(kSessionCookie) + "=" + std::string(token) +
           "; Path=/; HttpOnly; SameSite=Lax; Max-Age=" + std::to_string(maxAge);
}

std::string KnownBrowserToken(const site::Request& req, std::string_view pseudonym) {
    return cookie(req, knownBrowserName(pseudonym));
}

std::string KnownBrowserCookie(std::string_view pseudonym, std::string_view token) {
    return knownBrowserName(pseudonym) + "=" + std::string(token) +
           "; Path=/; HttpOnly; SameSite=Lax; Max-Age=" + std::to_string(kKnownBrowserSeconds);
}

int NumberParam(const site::Request& req, const char* name, int fallback) {
    const std::string v = req.Param(name);
    int n = fallback;
    const auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
    return ec == std::errc() && ptr == v.data() + v.size() && n >= 0 ? n : fallback;
}

std::string Field(const site::Request& req, const char* name) {
    if (req.HasFile(name)) return req.File(name).content;
    return req.Param(name);
}

std::string ParisTime(Lang lang, std::int64_t utc) {
    return site::DateAndTime(lang, UtcToParis(utc));
}

void SendPage(site::Response& res, const site::Visit& v, int status, std::string_view title,
              const std::string& body, std::string_view active) {
    res.status = status;
    res.SetHeader("Cache-Control", "no-store");
    res.SetContent(site::PageLayout(v, title, body, active), site::kHtmlType);
}

std::string Message(std::string_view cls, std::string_view text) {
    return "<p class=\"message " + std::string(cls) + "\">" + site::html_escape(text) + "</p>\n";
}

std::string Ordinal(Lang lang, int rank) {
    // Each language says which ending a rank takes: the first, those ending in 1, 2 or 3 (but 11 to 13),
    // and the others.
    const int tens = rank % 100, units = rank % 10;
    const char* key = rank == 1                  ? "ordinal.1"
                      : tens >= 11 && tens <= 13 ? "ordinal.n"
                      : units == 1               ? "ordinal.n1"
                      : units == 2               ? "ordinal.n2"
                      : units == 3               ? "ordinal.n3"
                                                 : "ordinal.n";
    return Tr(lang, key, {std::to_string(rank)});
}

std::string MatchLabel(Lang lang, std::string_view key) {
    if (key.size() >= 2 && key[1] == ':') return Tr(lang, "match.group", {key.substr(0, 1)});
    const std::string k = std::to_string(std::atoi(std::string(key.substr(1)).c_str()) / 2 + 1);
    switch (RoundOf(key)) {
        case Round::RoundOf16:
            return Tr(lang, "match.round_of_16", {k});
        case Round::QuarterFinal:
            return Tr(lang, "match.quarter_final", {k});
        case Round::SemiFinal:
            return Tr(lang, "match.semi_final", {k});
        case Round::Final:
            return Tr(lang, "match.final");
        case Round::None:
            break;
    }
    return Tr(lang, "match.group", {key.substr(0, 1)});
}

std::string RulesText(Lang lang, Kind kind) {
    std::string out = "<p>" + Tr(lang, "rules.matches",
                                 {points(lang, kExactPoints), points(lang, kDifferencePoints),
                                  points(lang, kOutcomePoints)});
    if (kind == Kind::Qualifiers) return out + " " + Tr(lang, "rules.qualifiers_day") + "</p>\n";
    out += " " + Tr(lang, "rules.knockout_teams") + "</p>\n<p>";
    out += Tr(lang, "rules.bonus", {points(lang, kRoundTeamPoints), points(lang, kChampionPoints)});
    return out + "</p>\n<p>" + Tr(lang, "rules.kickoff") + "</p>\n";
}

std::string PseudonymProblemText(Lang lang, std::string_view pseudonym) {
    switch (CheckPseudonym(pseudonym)) {
        case PseudonymIssue::None:
            return {};
        case PseudonymIssue::Empty:
            return Tr(lang, "pseudonym.empty");
        case PseudonymIssue::Characters:
            return Tr(lang, "pseudonym.characters");
        case PseudonymIssue::TooLong:
            return Tr(lang, "pseudonym.too_long", {std::to_string(kMaxPseudonym)});
    }
    return {};
}

std::string PasswordProblemText(Lang lang, std::string_view password) {
    if (password.empty()) return Tr(lang, "password.empty");
    if (password.size() > kMaxPassword) return Tr(lang, "password.too_long", {std::to_string(kMaxPassword)});
    return {};
}

std::string LimitText(Lang lang, LimitHit limit, std::int64_t retryAfter) {
    const char* key = "limit.busy";
    switch (limit) {
        case LimitHit::None:
            return Tr(lang, "limit.busy");
        case LimitHit::PseudonymPasswords:
            key = "limit.pseudonym_passwords";
            break;
        case LimitHit::PseudonymAddressPasswords:
            key = "limit.pseudonym_address_passwords";
            break;
        case LimitHit::AddressPasswords:
            key = "limit.address_passwords";
            break;
        case LimitHit::KnownBrowserPasswords:
            key = "limit.known_browser_passwords";
            break;
        case LimitHit::KnownBrowserAddressPasswords:
            key = "limit.known_browser_address_passwords";
            break;
        case LimitHit::ChangeAddressPasswords:
            key = "limit.change_address_passwords";
            break;
        case LimitHit::ChangePasswords:
            key = "limit.change_passwords";
            break;
        case LimitHit::AddressRegistrations:
            key = "limit.address_registrations";
            break;
        case LimitHit::AllRegistrations:
            key = "limit.all_registrations";
            break;
        case LimitHit::PlayerFiles:
            key = "limit.player_files";
            break;
        case LimitHit::AddressFiles:
            key = "limit.address_files";
            break;
        case LimitHit::AllFiles:
            key = "limit.all_files";
            break;
        case LimitHit::Storage:
            key = "limit.storage";
            break;
        case LimitHit::AddressMessages:
            key = "limit.address_messages";
            break;
        case LimitHit::AllMessages:
            key = "limit.all_messages";
            break;
    }
    const std::int64_t minutes = std::max<std::int64_t>(1, (retryAfter + 59) / 60);
    return Tr(lang, key, {std::to_string(minutes)});
}

std::string RefusalText(Lang lang, RefusalReason reason) {
    switch (reason) {
        case RefusalReason::Empty:
            return Tr(lang, "refusal.empty");
        case RefusalReason::TooLarge:
            return Tr(lang, "refusal.too_large");
        case RefusalReason::NotText:
            return Tr(lang, "refusal.not_text");
        case RefusalReason::NotTournament:
            return Tr(lang, "refusal.not_tournament");
        case RefusalReason::OtherTournament:
            return Tr(lang, "refusal.other_tournament");
        case RefusalReason::NotQualifiers:
            return Tr(lang, "refusal.not_qualifiers");
        case RefusalReason::OtherQualifiers:
            return Tr(lang, "refusal.other_qualifiers");
    }
    return {};
}

}  // namespace contest
