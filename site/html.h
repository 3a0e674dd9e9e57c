// HTML of the site's pages: escaping of every shown value and the one page layout.
#pragma once

#include <string>
#include <string_view>

#include "site/i18n.h"

namespace site {

// The text made safe for an HTML text node or a quoted attribute value.
std::string html_escape(std::string_view text);

// Paths of the site's pages, for links and navigation.
inline constexpr const char* kHomePath = "/";
inline constexpr const char* kProgramPath = "/zenkor.php";
inline constexpr const char* kContactPath = "/contacter.php";
inline constexpr const char* kRankingPath = "/classement.php";
inline constexpr const char* kQualifiersRankingPath = "/classementelim.php";
inline constexpr const char* kStylesheetPath = "/style.css";

// A whole page in the visit's language: head with the stylesheet, the site's header, navigation and
// language switch, then body (HTML, already escaped by the caller). title is plain text. active is the
// path of the navigation entry to highlight.
std::string PageLayout(const Visit& visit, std::string_view title, std::string_view body,
                       std::string_view active = {});

// The site's stylesheet, served at kStylesheetPath.
std::string_view Stylesheet();

// The content type of every page.
inline constexpr const char* kHtmlType = "text/html; charset=utf-8";

}  // namespace site
