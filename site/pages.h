// The site's own pages, rendered from what they show; every shown value is escaped here.
#pragma once

#include <string>
#include <vector>

#include "site/html.h"
#include "site/server.h"
#include "site/tournament.h"

namespace site {

struct HomeContent {
    const TournamentView* tournament = nullptr;  // nullptr while nothing is published
    std::vector<RankingRow> tournamentTop, qualifiersTop;
};
std::string HomePage(const Visit& visit, const HomeContent& content);

// How to take part in the contest: register, hand in the data folder's Zenkor2024.ini, or let the
// program's send button do it.
std::string HowToTakePart(Lang lang);

// The program's page: version, what it does, how to install it.
std::string ProgramPage(const Visit& visit, const std::string& dataVersion);

// The contact form. subject is prefilled (the program passes "Zenkor V1.0"); notice is one of the fixed
// outcomes below, or empty.
enum class ContactNotice { None, Sent, Missing, TooLong, Unavailable, TooMany, TooManyOnSite };
std::string ContactPage(const Visit& visit, const std::string& subject, ContactNotice notice,
                        const ContactMessage& typed = {});

// Limits of the contact form's fields, in characters (as the form counts them).
inline constexpr std::size_t kContactTextMax = 4000;
inline constexpr std::size_t kContactFieldMax = 200;

// The group tables and bracket of a tournament, as HTML (the contest's pages show them too).
std::string GroupTablesHtml(Lang lang, const TournamentView& t);
std::string BracketHtml(Lang lang, const TournamentView& t);
std::string RankingTableHtml(Lang lang, const std::vector<RankingRow>& rows);

}  // namespace site
