// The program's own pictures: drawn by scripts/make_art.py into the shipped data's pictures folder and
// looked up like every other picture (PictureFile), so a missing file shows no picture.
#pragma once

namespace zenkor::artwork {

inline constexpr const char* kFlags[] = {"pictures/flag_fr.svg", "pictures/flag_gb.svg",
                                         "pictures/flag_es.svg"};
inline constexpr const char* kProgramIcon = "pictures/zenkor.svg";
inline constexpr const char* kTrophy = "pictures/trophy.svg";
inline constexpr const char* kNoPodium = "pictures/no_podium.svg";
inline constexpr const char* kBanner = "pictures/banner.svg";
inline constexpr const char* kAdvert = "pictures/advert.svg";
inline constexpr const char* kBracketBanner = "pictures/bracket_banner.svg";
inline constexpr const char* kWelcome = "pictures/welcome.svg";

// Icons of the windows' buttons and pictures.
inline constexpr const char* kClose = "pictures/close.svg";
inline constexpr const char* kHelp = "pictures/help.svg";
inline constexpr const char* kSave = "pictures/save.svg";
inline constexpr const char* kPrint = "pictures/print.svg";
inline constexpr const char* kRefresh = "pictures/refresh.svg";
inline constexpr const char* kUpdate = "pictures/update.svg";
inline constexpr const char* kHistory = "pictures/history.svg";
inline constexpr const char* kBracket = "pictures/bracket.svg";
inline constexpr const char* kCalendar = "pictures/calendar.svg";
inline constexpr const char* kStats = "pictures/stats.svg";
inline constexpr const char* kQualifiers = "pictures/qualifiers.svg";
inline constexpr const char* kGroupView = "pictures/view_groups.svg";
inline constexpr const char* kKnockoutView = "pictures/view_knockout.svg";

// Link pictures: the web site, the donation page, the software site, the site's home page.
inline constexpr const char* kLinkSite = "pictures/link_site.svg";
inline constexpr const char* kLinkDonate = "pictures/link_donate.svg";
inline constexpr const char* kLinkSoftware = "pictures/link_software.svg";
inline constexpr const char* kLinkHome = "pictures/link_home.svg";

}  // namespace zenkor::artwork
