// The contact page's messages: kept within their limits, read back by the owner's command.
#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>

#include "site/contest/contest_types.h"
#include "site/contest/database.h"

namespace contest {

class ContactBox {
  public:
    ContactBox(const std::filesystem::path& databaseFile, const ContestOptions& options);
    // A few messages a day per address (IPv6 by /64), and a bound on all of them.
    ContactResult Store(const ContactMessage& message, std::int64_t now);

  private:
    const LimitSettings& limits_;
    std::mutex mutex_;  // the connection; a count and its message go together
    Database db_;
};

// A visitor's text as a terminal may show it: control characters, invisible direction marks and bytes
// that are no UTF-8 become visible escapes (\x1b, \u202e); line breaks stay line breaks when keepLines
// (a CR LF as one), else they are escaped too.
std::string Printable(std::string_view text, bool keepLines);

}  // namespace contest
