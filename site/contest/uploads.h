// The files players hand in: their limits (per player, per address, site-wide bytes and storage), the
// file kept as sent, and, match by match, the predictions it sets.
#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "site/contest/contest_types.h"
#include "site/contest/database.h"
#include "site/contest/limits.h"

namespace contest {

class Standings;

class Uploads {
  public:
    Uploads(const std::filesystem::path& databaseFile, const ContestOptions& options, Standings& standings);

    UploadResult Upload(std::int64_t playerId, Kind kind, std::string_view fileName, std::string_view bytes,
                        std::string_view address, std::int64_t now);
    // The brackets an older site kept no record of, read again from the players' stored files.
    void RecoverBrackets();

  private:
    // The steps of Upload, with mutex_ held.
    Wait uploadWait(std::int64_t playerId, Kind kind, const std::string& from, size_t bytes,
                    std::int64_t now);
    bool sameAsLastUpload(std::int64_t playerId, Kind kind, std::string_view bytes);
    // The file, kept as sent; its id.
    std::int64_t storeUpload(std::int64_t playerId, Kind kind, std::string_view fileName,
                             std::string_view bytes, const std::string& from, std::int64_t now);
    // Counts in result the matches taken and locked, and keeps them under uploadId (none: the same file
    // as the last, kept already).
    void keepPredictions(std::int64_t playerId, Kind kind, const std::vector<Match>& predictions,
                         const Results& published, std::int64_t now, std::int64_t uploadId,
                         UploadResult& result);

    const ContestOptions& options_;
    const LimitSettings& limits_;
    Standings& standings_;  // told of every player's new predictions, under mutex_
    std::mutex mutex_;      // the connection; a file's checks, storage and predictions go together
    Database db_;
};

}  // namespace contest
