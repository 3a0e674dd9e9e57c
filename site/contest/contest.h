// The prediction contest as a service: accounts, sessions, uploads, points and rankings. Pure of HTTP;
// every call that depends on the time takes `now` (UTC epoch seconds). Safe to call from any thread.
// A thin front over its parts, each with its own connection to the database and its own lock:
// Accounts (with Attempts, the limits of password tries and registrations), Uploads, Standings (scores,
// rankings and the thread that scores a new published file) and ContactBox.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "site/contest/contest_types.h"
#include "site/contest/database.h"
#include "site/contest/scoring.h"
#include "site/contest/upload_reader.h"

namespace contest {

class Accounts;
class Attempts;
class ContactBox;
class Standings;
class Uploads;

// The owner's commands, on the data folder alone (the site may be serving it meanwhile). Each throws a
// DatabaseError when the folder holds no contest database.
std::vector<StoredMessage> ReadContactMessages(const std::filesystem::path& dataFolder);
// Gives the player a new random password, returned, and ends the player's sessions; nothing for an
// unknown pseudonym.
std::optional<std::string> ResetPassword(const ContestOptions& options, std::string_view pseudonym);
struct RemovedPlayer {
    std::string pseudonym;  // as the player wrote it
    int files = 0;          // the files removed with the player
};
// Removes the player with their sessions, files and predictions (a running site drops them from its
// rankings within a second); nothing for an unknown pseudonym.
std::optional<RemovedPlayer> RemovePlayer(const std::filesystem::path& dataFolder,
                                          std::string_view pseudonym);

class Contest {
  public:
    explicit Contest(ContestOptions options);
    ~Contest();

    std::int64_t Now() const;
    const ContestOptions& options() const { return options_; }

    // A new pseudonym registers with the password; a known one must match it. Wrong passwords are limited
    // per pseudonym, per pseudonym and address and per address (IPv6 by /64); new pseudonyms per address
    // and site-wide. knownBrowser is the token a former login of this browser gave (LoginResult::
    // knownBrowser): while it is the player's and valid, the browser's tries are counted on their own, so
    // that guesses made elsewhere never refuse the player's right password.
    LoginResult Login(std::string_view pseudonym, std::string_view password, std::string_view address,
                      std::int64_t now, std::string_view knownBrowser = {});
    std::optional<SessionInfo> Session(std::string_view token, std::int64_t now);
    void Logout(std::string_view token);
    // The logged-in player's new password, once the current one checks out; wrong ones are counted for
    // the player from `address` (the visitor's, never a proxy's). The player's other sessions end,
    // keepToken's stays.
    PasswordChangeResult ChangePassword(std::int64_t playerId, std::string_view current,
                                        std::string_view next, std::string_view address,
                                        std::string_view keepToken, std::int64_t now);

    // At most a few files per player and hour, many per address, and a bound on the bytes site-wide and
    // on storage; a file identical to the player's last one stores nothing new.
    UploadResult Upload(std::int64_t playerId, Kind kind, std::string_view fileName, std::string_view bytes,
                        std::string_view address, std::int64_t now);

    // The ranking, best first: limit rows from offset. Never waits for a rescoring: a new published file
    // is read and everybody scored in the background, the previous ranking serving meanwhile.
    RankingSlice Ranking(Kind kind, size_t offset, size_t limit);
    std::vector<RankRow> Ranking(Kind kind, size_t limit = SIZE_MAX);
    size_t PlayerCount(Kind kind);
    std::optional<RankRow> RankOf(Kind kind, std::int64_t playerId);  // none until the player sent a file
    // Reads the published files now if they changed and scores everybody again (tests and benchmarks).
    void WaitForScores();
    // One match with the players' predictions in ranking order (limit from offset); nothing for a key
    // the published file does not have.
    std::optional<MatchCard> MatchPredictions(Kind kind, std::string_view key, std::int64_t now,
                                              size_t offset, size_t limit);
    // A player's page as viewerId sees it (0 for a visitor); nothing for an unknown pseudonym.
    std::optional<PlayerCard> Player(Kind kind, std::string_view pseudonym, std::int64_t viewerId,
                                     std::int64_t now);
    // The published matches of a contest.
    std::shared_ptr<const Results> Published(Kind kind);

    // A few messages a day per address (IPv6 by /64), and a bound on all of them.
    ContactStored StoreContactMessage(const ContactMessage& message, std::int64_t now);
    ContactResult StoreContact(const ContactMessage& message, std::int64_t now);  // with the limit met

  private:
    ContestOptions options_;
    std::unique_ptr<Attempts> attempts_;
    std::unique_ptr<Accounts> accounts_;
    std::unique_ptr<Standings> standings_;
    std::unique_ptr<Uploads> uploads_;  // tells standings_ of new predictions
    std::unique_ptr<ContactBox> contact_;
};

}  // namespace contest
