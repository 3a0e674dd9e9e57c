#include "site/html.h"

#include <array>

#include "site/catalogue.h"

namespace site {

std::string html_escape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    size_t done = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char* entity = nullptr;
        switch (text[i]) {
            case '&':
                entity = "&amp;";
                break;
            case '<':
                entity = "&lt;";
                break;
            case '>':
                entity = "&gt;";
                break;
            case '"':
                entity = "&quot;";
                break;
            case '\'':
                entity = "&#x27;";
                break;
            default:
                continue;
        }
        out.append(text.substr(done, i - done));
        out += entity;
        done = i + 1;
    }
    out.append(text.substr(done));
    return out;
}

namespace {

struct NavEntry {
    const char* path;
    const char* label;  // its key in the catalogues
};
constexpr std::array<NavEntry, 5> kNavigation = {{
    {kHomePath, "menu.home"},
    {kRankingPath, "menu.contest"},
    {kQualifiersRankingPath, "menu.qualifiers"},
    {kProgramPath, "menu.program"},
    {"/contacter.php?sub=Site", "menu.contact"},
}};

}  // namespace

std::string PageLayout(const Visit& visit, std::string_view title, std::string_view body,
                       std::string_view active) {
    const Lang lang = visit.lang;
    std::string page;
    page.reserve(body.size() + 1024);
    page += "<!DOCTYPE html>\n<html lang=\"";
    page += LangCode(lang);
    page +=
        "\">\n<head>\n<meta charset=\"utf-8\">\n"
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
        page += Tr(lang, e.label);
        page += "</a>\n";
    }
    page += "</nav>\n<nav class=\"langs\" aria-label=\"";
    page += Tr(lang, "lang.label");
    page += "\">\n";
    for (const Lang other : {Lang::Fr, Lang::En, Lang::Es}) {
        std::string href = visit.path.empty() ? std::string(kHomePath) : visit.path;
        href += "?" + visit.query + (visit.query.empty() ? "" : "&") + "lang=" + std::string(LangCode(other));
        const std::string& name = Tr(other, "lang.name");
        page += "<a href=\"" + html_escape(href) + "\" hreflang=\"" + std::string(LangCode(other)) +
                "\" lang=\"" + std::string(LangCode(other)) + "\" title=\"" + name + "\"";
        page += other == lang ? " class=\"current\" aria-current=\"true\">" : ">";
        page += Tr(other, "lang.short");
        page += "</a>\n";
    }
    page += "</nav>\n</header>\n<main>\n<h1>";
    page += html_escape(title);
    page += "</h1>\n";
    page += body;
    page += "\n</main>\n<footer>";
    page += Tr(lang, "layout.footer");
    page += "</footer>\n</body>\n</html>\n";
    return page;
}

}  // namespace site
