#include "site/contest/messages.h"

#include <cstdio>

#include "site/client_address.h"
#include "site/contest/contest.h"

namespace contest {

namespace {

constexpr std::int64_t kDay = 24 * 3600;

std::string hexEscape(const char* format, unsigned value) {
    char text[12];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The length of the UTF-8 sequence at s[i] and its code point; 0 when it is no valid sequence.
size_t sequenceAt(std::string_view s, size_t i, unsigned& cp) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t n = c < 0x80                ? 1
                     : c >= 0xC2 && c < 0xE0 ? 2
                     : c >= 0xE0 && c < 0xF0 ? 3
                     : c >= 0xF0 && c < 0xF5 ? 4
                                             : 0;
    if (n == 0 || i + n > s.size()) return 0;
    cp = n == 1 ? c : c & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
        const auto d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    // Over-long forms, surrogates and code points past Unicode's end.
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

// C0 and C1 controls, DEL, and the marks that reorder or hide what follows on a line.
bool invisible(unsigned cp) {
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || cp == 0x200B || (cp >= 0x200E && cp <= 0x200F) ||
           (cp >= 0x2028 && cp <= 0x202E) || (cp >= 0x2060 && cp <= 0x2069) || cp == 0xFEFF;
}

}  // namespace

std::string Printable(std::string_view text, bool keepLines) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (keepLines && (text[i] == '\n' || text.substr(i, 2) == "\r\n")) {
            out += '\n';
            i += text[i] == '\n' ? 1 : 2;
            continue;
        }
        unsigned cp = 0;
        const size_t n = sequenceAt(text, i, cp);
        if (n == 0) {
            out += hexEscape("\\x%02x", static_cast<unsigned char>(text[i]));
            ++i;
            continue;
        }
        if (invisible(cp)) {
            out += cp < 0x100 ? hexEscape("\\x%02x", cp) : hexEscape("\\u%04x", cp);
        } else {
            out.append(text.substr(i, n));
        }
        i += n;
    }
    return out;
}

ContactBox::ContactBox(const std::filesystem::path& databaseFile, const ContestOptions& options)
    : limits_(options.limits), db_(databaseFile, Database::Opening::Another) {}

ContactResult ContactBox::Store(const ContactMessage& message, std::int64_t now) {
    const std::string from = site::AddressKey(message.address);
    std::lock_guard lock(mutex_);
    // Counted and stored in one write transaction, the count's read ended before the write.
    Transaction tx(db_);
    {
        Statement count(db_, "SELECT COUNT(*), SUM(address = ?) FROM contact_messages WHERE received_at > ?");
        count.bind(1, from).bind(2, now - kDay);
        if (count.step()) {
            if (count.integer(0) >= limits_.allMessages)
                return {ContactStored::TooMany, LimitHit::AllMessages};
            if (count.integer(1) >= limits_.addressMessages)
                return {ContactStored::TooMany, LimitHit::AddressMessages};
        }
    }
    Statement st(db_,
                 "INSERT INTO contact_messages(received_at, subject, name, email, message, address) "
                 "VALUES(?, ?, ?, ?, ?, ?)");
    st.bind(1, now)
        .bind(2, message.subject)
        .bind(3, message.name)
        .bind(4, message.email)
        .bind(5, message.message)
        .bind(6, from)
        .run();
    tx.commit();
    return {};
}

std::vector<StoredMessage> ReadContactMessages(const std::filesystem::path& dataFolder) {
    const std::filesystem::path file = dataFolder / "contest.sqlite";
    if (!std::filesystem::exists(file)) throw DatabaseError("no contest database in " + dataFolder.string());
    Database db(file);
    Statement st(
        db,
        "SELECT id, received_at, subject, name, email, message, address FROM contact_messages ORDER BY id");
    std::vector<StoredMessage> out;
    while (st.step()) {
        StoredMessage m;
        m.id = st.integer(0);
        m.receivedAt = st.integer(1);
        m.subject = st.text(2);
        m.name = st.text(3);
        m.email = st.text(4);
        m.message = st.text(5);
        m.address = st.text(6);
        out.push_back(std::move(m));
    }
    return out;
}

}  // namespace contest
