// The site's HTTP server: its settings, its routes and the services the contest plugs in.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "site/http.h"
#include "site/i18n.h"
#include "site/published.h"

namespace site {

// A contest of the site: the tournament (edition files) or the qualifiers (qualifiers files).
enum class ContestKind { Tournament, Qualifiers };

struct RankingRow {
    int rank = 0;
    std::string pseudonym;
    int points = 0;
};

struct ContactMessage {
    std::string subject, name, email, text;
    std::string address;  // the sender's IP address
};

// TooMany: from this address today; TooManyOnSite: on the whole site today.
enum class ContactStored { Stored, TooMany, TooManyOnSite, Failed };

// What the pages and pictures ask of the contest; empty until the contest installs them.
struct ContestServices {
    std::function<std::vector<RankingRow>(ContestKind, int limit)> ranking;
    std::function<ContactStored(const ContactMessage&)> storeContact;
};

// The state the routes share: the data folder, the published file, the contest's services.
struct Site {
    explicit Site(std::filesystem::path folder) : dataFolder(folder), published(folder) {}
    std::filesystem::path dataFolder;
    PublishedEdition published;
    ContestServices contest;

    std::vector<RankingRow> ranking(ContestKind kind, int limit) const;
    // The published file as the engine serves it, prepared once for each snapshot.
    std::shared_ptr<const PreparedBody> fileBody(const std::shared_ptr<const PublishedEdition::Snapshot>& s);

  private:
    std::mutex fileMutex_;
    std::shared_ptr<const PublishedEdition::Snapshot> fileSnapshot_;
    std::shared_ptr<const PreparedBody> fileBody_;
};

// Error pages, compressed bodies and cross-site changes refused: every route of the site relies on them
// (the engine holds the payload and time limits).
void ConfigureServer(Routes& routes);

// A request that a page of another site made the visitor's browser send.
bool CrossSite(const Request& req);
// Why such a request is refused.
const std::string& CrossSiteMessage(Lang lang);

// The resources and pages of the site (the contest adds its own routes beside them).
void AddSiteRoutes(Routes& server, Site& site);

// An error page with the site's look, with the status's own message or the one given.
std::string ErrorPage(const Visit& visit, int status);
std::string ErrorPage(const Visit& visit, int status, std::string_view message);

// The visit of a page: the language from the switch (kept in a cookie), else the cookie, else the
// browser's Accept-Language, French by default; the response says which.
Visit VisitOf(const Request& req, Response& res);

// The first start: publishes the built-in edition file when the data folder has none.
platform::Result EnsurePublished(const std::filesystem::path& dataFolder);

// The default data folder: ${XDG_DATA_HOME:-~/.local/share}/zenkor-site.
std::filesystem::path DefaultDataFolder();

}  // namespace site
