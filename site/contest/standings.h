// The contest's scores and rankings: every player's predictions held in memory as numbers, scored against
// the published results, and a watcher thread that reads a newly published file and scores everybody
// again off the requests' path.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "site/contest/contest_types.h"
#include "site/contest/database.h"

namespace contest {

// The published file of a contest, and the one it replaced (none for the qualifiers).
std::pair<std::filesystem::path, std::filesystem::path> PublishedFiles(const ContestOptions& options,
                                                                       Kind kind);
// The results of a published file; none when it cannot be read.
Results ReadResults(Kind kind, const std::filesystem::path& file);
// A prediction as stored, from column `first` of a row (key, team1, team2, goals1, goals2, winner).
Match ReadPrediction(const Statement& st, int first);
// A player's stored predictions in a contest, read on db.
std::vector<Match> StoredPredictions(Database& db, Kind kind, std::int64_t playerId);

class Standings {
  public:
    Standings(const std::filesystem::path& databaseFile, const ContestOptions& options);
    ~Standings();

    // Loads everybody's predictions and scores them, then watches the published files.
    void Start();
    // Reads the published files now if they changed and scores everybody again.
    void WaitForScores();
    // The player's predictions of that contest as they now stand in the database.
    void SetPredictions(Kind kind, std::int64_t playerId, const std::vector<Match>& predictions);

    RankingSlice Ranking(Kind kind, size_t offset, size_t limit);
    std::optional<RankRow> RankOf(Kind kind, std::int64_t playerId);
    std::optional<MatchCard> MatchPredictions(Kind kind, std::string_view key, std::int64_t now,
                                              size_t offset, size_t limit);
    std::optional<PlayerCard> Player(Kind kind, std::string_view pseudonym, std::int64_t viewerId,
                                     std::int64_t now);
    std::shared_ptr<const Results> Published(Kind kind);

  private:
    struct Board;
    Board& board(Kind kind);
    bool publishedChanged(Kind kind);
    void refresh(Kind kind);
    void load();
    // Drops the players the owner removed meanwhile (another connection changed the database).
    void forgetRemovedPlayers();
    void watch();
    void wakeWatcher();
    void rank(Board& b);

    const ContestOptions& options_;
    std::mutex mutex_;  // the boards, the names and the connection
    Database db_;
    std::unique_ptr<Board> boards_[2];
    Names keys_, teams_;  // of both boards
    std::int64_t dataVersion_ = -1;

    std::mutex watchMutex_;
    std::condition_variable watchWake_;
    bool wake_ = false, stopping_ = false;
    std::thread watcher_;
};

}  // namespace contest
