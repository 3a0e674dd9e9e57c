// The contest's pages on the site's HTTP server.
#pragma once

namespace site {
class Routes;
}

namespace contest {

class Contest;

inline constexpr const char* kTournamentPath = "/expZenkor2024.php";
inline constexpr const char* kQualifiersPath = "/expELIMZenkor2024.php";
inline constexpr const char* kPlayerPath = "/joueur.php";
inline constexpr const char* kQualifiersPlayerPath = "/joueurelim.php";
inline constexpr const char* kMatchPath = "/match.php";  // ?m=A0: every player's prediction of a match
inline constexpr const char* kQualifiersMatchPath = "/matchelim.php";

// The contest pages (with the upload form), the upload and login posts, the rankings and the players'
// pages. contest must outlive the server.
void RegisterContestRoutes(site::Routes& server, Contest& contest);

}  // namespace contest
