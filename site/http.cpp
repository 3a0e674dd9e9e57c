#include "site/http.h"

#include <strings.h>

namespace site {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

bool Request::HasHeader(std::string_view name) const {
    return HeaderCount(name) > 0;
}

std::string Request::Header(std::string_view name, size_t i) const {
    for (const auto& [n, v] : headers) {
        if (sameName(n, name) && i-- == 0) return v;
    }
    return {};
}

size_t Request::HeaderCount(std::string_view name) const {
    size_t count = 0;
    for (const auto& h : headers) count += sameName(h.first, name);
    return count;
}

std::string Request::Param(const std::string& name) const {
    const auto it = params.find(name);
    return it == params.end() ? std::string() : it->second;
}

FormPart Request::File(const std::string& name) const {
    const auto it = files.find(name);
    return it == files.end() ? FormPart() : it->second;
}

bool Response::HasHeader(std::string_view name) const {
    for (const auto& h : headers) {
        if (sameName(h.first, name)) return true;
    }
    return false;
}

void Routes::add(std::string method, std::string path, Route route) {
    routes_[{std::move(method), std::move(path)}] = std::move(route);
}

const Route* Routes::Find(std::string_view method, std::string_view path) const {
    const std::string m = method == "HEAD" ? "GET" : std::string(method);
    const auto it = routes_.find(std::make_pair(m, std::string(path)));
    return it == routes_.end() ? nullptr : &it->second;
}

bool Routes::Knows(std::string_view path) const {
    for (const auto& entry : routes_) {
        if (entry.first.second == path) return true;
    }
    return false;
}

}  // namespace site
