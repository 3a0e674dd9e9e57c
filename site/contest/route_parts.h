// What the contest's pages share: which contest a page belongs to, the visitor's cookies, and the texts
// several pages say (match names, ranks, the rules, the limits met).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "site/catalogue.h"
#include "site/contest/contest_types.h"
#include "site/http.h"

namespace contest {

class Contest;

inline constexpr size_t kRowsPerPage = 100;

// The addresses and names of one contest's pages.
struct ContestPages {
    Kind kind;
    const char* page;     // the contest page: login, upload, password
    const char* ranking;  // the ranking
    const char* player;   // a player's page
    const char* match;    // every player's prediction of a match
    const char* titleKey;
    const char* fileName;  // the file players hand in
};
const ContestPages& PagesOf(Kind kind);
const std::string& TitleOf(const ContestPages& p, site::Lang lang);
std::string PlayerHref(const ContestPages& p, std::string_view pseudonym);
std::string MatchHref(const ContestPages& p, std::string_view key);

// The session's token from the visitor's cookie; empty when there is none.
std::string SessionToken(const site::Request& req);
std::string SessionCookie(std::string_view token, std::int64_t maxAge);
// The browser's known-browser token for a pseudonym (one cookie per player, so that players sharing a
// browser each keep theirs); empty when there is none.
std::string KnownBrowserToken(const site::Request& req, std::string_view pseudonym);
std::string KnownBrowserCookie(std::string_view pseudonym, std::string_view token);

int NumberParam(const site::Request& req, const char* name, int fallback = 0);
// A form field, from a url-encoded body or a multipart one.
std::string Field(const site::Request& req, const char* name);
std::string ParisTime(site::Lang lang, std::int64_t utc);

void SendPage(site::Response& res, const site::Visit& v, int status, std::string_view title,
              const std::string& body, std::string_view active = {});
// A notice above a page's content; text is escaped.
std::string Message(std::string_view cls, std::string_view text);

std::string Ordinal(site::Lang lang, int rank);  // "1<sup>er</sup>", "2<sup>nd</sup>", "3.º"
std::string MatchLabel(site::Lang lang, std::string_view key);
std::string RulesText(site::Lang lang, Kind kind);
std::string PseudonymProblemText(site::Lang lang, std::string_view pseudonym);
std::string PasswordProblemText(site::Lang lang, std::string_view password);
// The limit met and when to come back.
std::string LimitText(site::Lang lang, LimitHit limit, std::int64_t retryAfter);
std::string RefusalText(site::Lang lang, RefusalReason reason);

// The contest page and its posts (account_pages.cpp); the rankings, players and matches
// (standing_pages.cpp).
void ContestGet(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res);
void ContestPost(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res);
void RankingPage(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res);
void PlayerPage(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res);
void MatchPage(Contest& c, const ContestPages& p, const site::Request& req, site::Response& res);

}  // namespace contest
