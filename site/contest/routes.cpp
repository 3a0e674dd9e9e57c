#include "site/contest/routes.h"

#include "site/contest/route_parts.h"
#include "site/http.h"

namespace contest {

void RegisterContestRoutes(site::Routes& server, Contest& contest) {
    // The server's own payload limit (256 KB) turns away larger requests before they reach these routes.
    for (Kind kind : {Kind::Tournament, Kind::Qualifiers}) {
        const ContestPages& p = PagesOf(kind);
        Contest* c = &contest;
        // Logins hash a password and uploads write the database: on a worker of their own.
        server.Get(
            p.page, [c, &p](const site::Request& req, site::Response& res) { ContestGet(*c, p, req, res); },
            site::Pace::Slow);
        server.Post(
            p.page, [c, &p](const site::Request& req, site::Response& res) { ContestPost(*c, p, req, res); },
            site::Pace::Slow);
        server.Get(p.ranking,
                   [c, &p](const site::Request& req, site::Response& res) { RankingPage(*c, p, req, res); });
        server.Get(p.player,
                   [c, &p](const site::Request& req, site::Response& res) { PlayerPage(*c, p, req, res); });
        server.Get(p.match,
                   [c, &p](const site::Request& req, site::Response& res) { MatchPage(*c, p, req, res); });
    }
}

}  // namespace contest
