#include "site/client_address.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "site/http.h"

namespace site {

namespace {

std::vector<std::string>& trusted() {
    static std::vector<std::string> addresses;
    return addresses;
}

// The canonical text of an IP address (IPv4-mapped IPv6 as IPv4), or nothing.
std::optional<std::string> canonical(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.size() > 2 && text.front() == '[' && text.back() == ']') text = text.substr(1, text.size() - 2);
    const std::string s(text);
    sockaddr_in v4{};
    sockaddr_in6 v6{};
    if (inet_pton(AF_INET, s.c_str(), &v4.sin_addr) == 1) {
        v4.sin_family = AF_INET;
        return AddressText(reinterpret_cast<const sockaddr*>(&v4));
    }
    if (inet_pton(AF_INET6, s.c_str(), &v6.sin6_addr) == 1) {
        v6.sin6_family = AF_INET6;
        return AddressText(reinterpret_cast<const sockaddr*>(&v6));
    }
    return std::nullopt;
}

}  // namespace

std::string AddressText(const sockaddr* address) {
    char text[INET6_ADDRSTRLEN] = "";
    if (address->sa_family == AF_INET) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
    } else if (address->sa_family == AF_INET6) {
        const in6_addr& a = reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr;
        if (IN6_IS_ADDR_V4MAPPED(&a)) {
            inet_ntop(AF_INET, a.s6_addr + 12, text, sizeof text);
        } else {
            inet_ntop(AF_INET6, &a, text, sizeof text);
        }
    }
    return text;
}

bool SetTrustedProxies(const std::vector<std::string>& addresses) {
    std::vector<std::string> list;
    for (const std::string& a : addresses) {
        const auto c = canonical(a);
        if (!c) return false;
        list.push_back(*c);
    }
    trusted() = std::move(list);
    return true;
}

bool IsTrustedProxy(std::string_view address) {
    const auto c = canonical(address);
    return c && std::find(trusted().begin(), trusted().end(), *c) != trusted().end();
}

std::string ClientAddress(const Request& req) {
    std::string client = canonical(req.remoteAddr).value_or(req.remoteAddr);
    if (!IsTrustedProxy(client)) return client;
    // Each proxy appends the address it saw: read from the end, past the proxies we trust.
    std::string forwarded;
    const size_t count = req.HeaderCount("X-Forwarded-For");
    for (size_t i = 0; i < count; ++i) {
        if (!forwarded.empty()) forwarded += ',';
        forwarded += req.Header("X-Forwarded-For", i);
    }
    std::string_view rest(forwarded);
    while (!rest.empty()) {
        const size_t comma = rest.rfind(',');
        const std::string_view item = comma == std::string_view::npos ? rest : rest.substr(comma + 1);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(0, comma);
        const auto address = canonical(item);
        if (!address) break;  // a forged or broken entry: the last good one stands
        client = *address;
        if (!IsTrustedProxy(client)) break;
    }
    return client;
}

std::string AddressKey(std::string_view address) {
    std::string s(address);
    in6_addr a{};
    if (s.find(':') == std::string::npos || inet_pton(AF_INET6, s.c_str(), &a) != 1) return s;
    std::memset(a.s6_addr + 8, 0, 8);
    char text[INET6_ADDRSTRLEN] = "";
    inet_ntop(AF_INET6, &a, text, sizeof text);
    return std::string(text) + "/64";
}

}  // namespace site
