#include "site/contest/contest.h"

#include <sodium.h>

#include <chrono>
#include <stdexcept>

#include "site/contest/accounts.h"
#include "site/contest/limits.h"
#include "site/contest/messages.h"
#include "site/contest/standings.h"
#include "site/contest/uploads.h"

namespace contest {

Contest::Contest(ContestOptions options) : options_(std::move(options)) {
    if (sodium_init() < 0) throw std::runtime_error("libsodium could not start");
    std::filesystem::create_directories(options_.dataFolder);
    const std::filesystem::path file = options_.dataFolder / "contest.sqlite";
    {
        // Checked whole and brought up to date once; the parts then open their own connections.
        Database checked(file);
    }
    attempts_ = std::make_unique<Attempts>(file, options_);
    accounts_ = std::make_unique<Accounts>(file, options_, *attempts_);
    standings_ = std::make_unique<Standings>(file, options_);
    uploads_ = std::make_unique<Uploads>(file, options_, *standings_);
    contact_ = std::make_unique<ContactBox>(file, options_);
    uploads_->RecoverBrackets();
    standings_->Start();
}

Contest::~Contest() {
    // The watcher stops before the parts it scores for go.
    standings_.reset();
}

std::int64_t Contest::Now() const {
    if (options_.clock) return options_.clock();
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

LoginResult Contest::Login(std::string_view pseudonym, std::string_view password, std::string_view address,
                           std::int64_t now, std::string_view knownBrowser) {
    return accounts_->Login(pseudonym, password, address, now, knownBrowser);
}

std::optional<SessionInfo> Contest::Session(std::string_view token, std::int64_t now) {
    return accounts_->Session(token, now);
}

void Contest::Logout(std::string_view token) {
    accounts_->Logout(token);
}

PasswordChangeResult Contest::ChangePassword(std::int64_t playerId, std::string_view current,
                                             std::string_view next, std::string_view address,
                                             std::string_view keepToken, std::int64_t now) {
    return accounts_->ChangePassword(playerId, current, next, address, keepToken, now);
}

UploadResult Contest::Upload(std::int64_t playerId, Kind kind, std::string_view fileName,
                             std::string_view bytes, std::string_view address, std::int64_t now) {
    return uploads_->Upload(playerId, kind, fileName, bytes, address, now);
}

RankingSlice Contest::Ranking(Kind kind, size_t offset, size_t limit) {
    return standings_->Ranking(kind, offset, limit);
}

std::vector<RankRow> Contest::Ranking(Kind kind, size_t limit) {
    return Ranking(kind, 0, limit).rows;
}

size_t Contest::PlayerCount(Kind kind) {
    return Ranking(kind, 0, 0).total;
}

std::optional<RankRow> Contest::RankOf(Kind kind, std::int64_t playerId) {
    return standings_->RankOf(kind, playerId);
}

void Contest::WaitForScores() {
    standings_->WaitForScores();
}

std::optional<MatchCard> Contest::MatchPredictions(Kind kind, std::string_view key, std::int64_t now,
                                                   size_t offset, size_t limit) {
    return standings_->MatchPredictions(kind, key, now, offset, limit);
}

std::optional<PlayerCard> Contest::Player(Kind kind, std::string_view pseudonym, std::int64_t viewerId,
                                          std::int64_t now) {
    return standings_->Player(kind, PseudonymKey(pseudonym), viewerId, now);
}

std::shared_ptr<const Results> Contest::Published(Kind kind) {
    return standings_->Published(kind);
}

ContactStored Contest::StoreContactMessage(const ContactMessage& message, std::int64_t now) {
    return contact_->Store(message, now).stored;
}

ContactResult Contest::StoreContact(const ContactMessage& message, std::int64_t now) {
    return contact_->Store(message, now);
}

}  // namespace contest
