#include "site/html.h"

#include <array>

namespace site {

std::string html_escape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#x27;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

namespace {

struct NavEntry {
    const char* path;
    const char* label;
};
constexpr std::array<NavEntry, 5> kNavigation = {{
    {kHomePath, "Accueil"},
    {kRankingPath, "Concours"},
    {kQualifiersRankingPath, "Éliminatoires"},
    {kProgramPath, "Le programme"},
    {"/contacter.php?sub=Site", "Contact"},
}};

}  // namespace

std::string PageLayout(std::string_view title, std::string_view body, std::string_view active) {
    std::string page;
    page.reserve(body.size() + 1024);
    page +=
        "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    page += html_escape(title);
    page += " – Valmirade</title>\n<link rel=\"stylesheet\" href=\"";
    page += kStylesheetPath;
    page +=
        "\">\n</head>\n<body>\n<header class=\"site\">\n<a class=\"brand\" href=\"/\">Valmirade</a>\n<nav>\n";
    for (const NavEntry& e : kNavigation) {
        const std::string_view path = e.path;
        const bool current = !active.empty() && path.substr(0, path.find('?')) == active;
        page += "<a href=\"";
        page += html_escape(path);
        page += current ? "\" class=\"current\" aria-current=\"page\">" : "\">";
        page += e.label;
        page += "</a>\n";
    }
    page += "</nav>\n</header>\n<main>\n<h1>";
    page += html_escape(title);
    page += "</h1>\n";
    page += body;
    page +=
        "\n</main>\n<footer>Valmirade – le site de Zenkor, le programme de l'Euro 2024.</footer>\n"
        "</body>\n</html>\n";
    return page;
}

}  // namespace site
