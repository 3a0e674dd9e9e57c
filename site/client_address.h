// Who sent a request. Behind a reverse proxy every request comes from the proxy's address: the owner names
// the proxies to trust (--trusted-proxy), and their requests count as coming from the client they name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct sockaddr;

namespace site {

struct Request;

// Once, before the server starts; false for an address that is not an IP address.
bool SetTrustedProxies(const std::vector<std::string>& addresses);
bool IsTrustedProxy(std::string_view address);

// The peer's address, or, from a trusted proxy, the nearest address of X-Forwarded-For that is not
// itself a trusted proxy (the one the proxy saw).
std::string ClientAddress(const Request& req);

// The key under which limits count an address: IPv4 as it is, IPv6 by its /64 network (one subscriber's).
std::string AddressKey(std::string_view address);

// The text of a socket address, IPv4-mapped IPv6 addresses as IPv4.
std::string AddressText(const sockaddr* address);

}  // namespace site
