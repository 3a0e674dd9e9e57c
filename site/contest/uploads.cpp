#include "site/contest/uploads.h"

#include "site/client_address.h"
#include "site/contest/standings.h"
#include "site/contest/upload_reader.h"

namespace contest {

namespace {

constexpr size_t kMaxFileName = 200;
constexpr std::int64_t kHour = 3600;

const char* kKeepPrediction =
    "INSERT INTO predictions(player_id, contest, match_key, team1, team2, goals1, goals2, winner, "
    "upload_id) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?) "
    "ON CONFLICT(contest, player_id, match_key) DO UPDATE SET team1 = excluded.team1, "
    "team2 = excluded.team2, goals1 = excluded.goals1, goals2 = excluded.goals2, "
    "winner = excluded.winner, upload_id = excluded.upload_id";

// Stores one prediction under key (the match's own, or its bracket key).
void keepPrediction(Statement& keep, std::int64_t playerId, Kind kind, const std::string& key, const Match& m,
                    std::int64_t uploadId) {
    keep.bind(1, playerId)
        .bind(2, KindName(kind))
        .bind(3, key)
        .bind(4, m.team1)
        .bind(5, m.team2)
        .bind(6, m.goals1)
        .bind(7, m.goals2)
        .bind(8, static_cast<std::int64_t>(m.winner))
        .bind(9, uploadId)
        .run();
}

// The knockout teams and champion of a whole file, kept under the bracket keys.
void keepBracket(Statement& keep, std::int64_t playerId, const std::vector<Match>& predictions,
                 std::int64_t uploadId) {
    for (const Match& m : predictions) {
        if (RoundOf(m.key) != Round::None)
            keepPrediction(keep, playerId, Kind::Tournament, BracketKey(m.key), m, uploadId);
    }
}

// A file that predicts no score at all predicts nothing: the knockout teams its program shows then are
// the program's placeholders, not the player's bracket.
bool predictsAnything(const std::vector<Match>& predictions) {
    for (const Match& m : predictions) {
        if (m.played()) return true;
    }
    return false;
}

}  // namespace

Uploads::Uploads(const std::filesystem::path& databaseFile, const ContestOptions& options,
                 Standings& standings)
    : options_(options),
      limits_(options.limits),
      standings_(standings),
      db_(databaseFile, Database::Opening::Another) {}

UploadResult Uploads::Upload(std::int64_t playerId, Kind kind, std::string_view fileName,
                             std::string_view bytes, std::string_view address, std::int64_t now) {
    UploadResult result;
    const std::string from = site::AddressKey(address);
    const auto refuse = [&result](const Wait& wait) {
        result.retryAfter = wait.seconds;
        result.limit = wait.limit;
        return result;
    };
    {
        std::lock_guard lock(mutex_);
        if (const Wait wait = uploadWait(playerId, kind, from, bytes.size(), now)) return refuse(wait);
    }
    const std::shared_ptr<const Results> published = standings_.Published(kind);
    auto reading = ReadUpload(kind, bytes, *published);
    if (const auto* refusal = std::get_if<Refusal>(&reading)) {
        result.message = refusal->message;
        result.reason = refusal->reason;
        return result;
    }
    const auto& predictions = std::get<std::vector<Match>>(reading);

    std::lock_guard lock(mutex_);
    // The same file as the last one sets the same predictions: nothing new is stored.
    const bool same = sameAsLastUpload(playerId, kind, bytes);
    // Checked again with the file's storage: uploads read meanwhile may have taken the room.
    if (!same) {
        if (const Wait wait = uploadWait(playerId, kind, from, bytes.size(), now)) return refuse(wait);
    }
    Transaction tx(db_);
    const std::int64_t uploadId = same ? 0 : storeUpload(playerId, kind, fileName, bytes, from, now);
    keepPredictions(playerId, kind, predictions, *published, now, uploadId, result);
    tx.commit();
    standings_.SetPredictions(kind, playerId, StoredPredictions(db_, kind, playerId));
    result.ok = true;
    return result;
}

Wait Uploads::uploadWait(std::int64_t playerId, Kind kind, const std::string& from, size_t bytes,
                         std::int64_t now) {
    Statement mine(db_,
                   "SELECT COUNT(*), MIN(uploaded_at) FROM uploads WHERE player_id = ? AND contest = ? AND "
                   "uploaded_at > ?");
    mine.bind(1, playerId).bind(2, KindName(kind)).bind(3, now - kHour);
    Wait wait;
    if (mine.step()) {
        wait = WaitForRoom(LimitHit::PlayerFiles, mine.integer(0), mine.integer(1), limits_.playerUploads,
                           kHour, now);
    }
    Statement theirs(
        db_, "SELECT COUNT(*), MIN(at) FROM attempts WHERE kind = 'upload' AND address = ? AND at > ?");
    theirs.bind(1, from).bind(2, now - kHour);
    if (theirs.step()) {
        wait = Longer(wait, WaitForRoom(LimitHit::AddressFiles, theirs.integer(0), theirs.integer(1),
                                        limits_.addressUploads, kHour, now));
    }
    // Bytes site-wide this hour: a crowd of addresses cannot fill the disk before the storage bound.
    Statement all(db_, "SELECT TOTAL(bytes), MIN(at) FROM upload_bytes WHERE at > ?");
    all.bind(1, now - kHour);
    if (all.step() && static_cast<std::int64_t>(all.integer(0)) + static_cast<std::int64_t>(bytes) >
                          limits_.allUploadBytes) {
        wait = Longer(wait, {LimitHit::AllFiles, std::max<std::int64_t>(1, all.integer(1) + kHour - now)});
    }
    return Longer(wait, StorageWait(db_, options_.dataFolder, limits_));
}

bool Uploads::sameAsLastUpload(std::int64_t playerId, Kind kind, std::string_view bytes) {
    Statement last(db_,
                   "SELECT bytes FROM uploads WHERE player_id = ? AND contest = ? ORDER BY id DESC LIMIT 1");
    last.bind(1, playerId).bind(2, KindName(kind));
    return last.step() && last.text(0) == bytes;
}

std::int64_t Uploads::storeUpload(std::int64_t playerId, Kind kind, std::string_view fileName,
                                  std::string_view bytes, const std::string& from, std::int64_t now) {
    Statement upload(db_,
                     "INSERT INTO uploads(player_id, contest, uploaded_at, file_name, bytes, matches_taken) "
                     "VALUES(?, ?, ?, ?, ?, 0)");
    upload.bind(1, playerId)
        .bind(2, KindName(kind))
        .bind(3, now)
        .bind(4, fileName.substr(0, kMaxFileName))
        .bindBlob(5, bytes)
        .run();
    const std::int64_t uploadId = db_.lastInsertId();
    NoteAttempt(db_, "upload", from, std::to_string(playerId), false, now);
    Statement forget(db_, "DELETE FROM upload_bytes WHERE at < ?");
    forget.bind(1, now - 24 * kHour).run();
    Statement size(db_, "INSERT INTO upload_bytes(at, bytes) VALUES(?, ?)");
    size.bind(1, now).bind(2, static_cast<std::int64_t>(bytes.size())).run();
    return uploadId;
}

void Uploads::keepPredictions(std::int64_t playerId, Kind kind, const std::vector<Match>& predictions,
                              const Results& published, std::int64_t now, std::int64_t uploadId,
                              UploadResult& result) {
    Statement keep(db_, kKeepPrediction);
    Statement clear(db_, "DELETE FROM predictions WHERE player_id = ? AND contest = ? AND match_key = ?");
    for (const Match& m : predictions) {
        const RealMatch* real = published.find(m.key);
        if (!real) continue;
        if (!m.played()) {
            // An empty box (or "-") is no prediction: the player left this match open, or cleared it.
            if (uploadId && !real->startedBy(now))
                clear.bind(1, playerId).bind(2, KindName(kind)).bind(3, m.key).run();
            continue;
        }
        if (real->startedBy(now)) {
            ++result.locked;
            continue;
        }
        ++result.taken;
        if (uploadId) keepPrediction(keep, playerId, kind, m.key, m, uploadId);
    }
    if (!uploadId) return;
    // The bracket and the champion count from the last file before the tournament's first kick-off.
    if (kind == Kind::Tournament && published.bracketOpen(now) && predictsAnything(predictions))
        keepBracket(keep, playerId, predictions, uploadId);
    Statement taken(db_, "UPDATE uploads SET matches_taken = ? WHERE id = ?");
    taken.bind(1, static_cast<std::int64_t>(result.taken)).bind(2, uploadId).run();
}

void Uploads::RecoverBrackets() {
    std::lock_guard lock(mutex_);
    Statement pending(db_, "SELECT player_id FROM bracket_pending");
    std::vector<std::int64_t> players;
    while (pending.step()) players.push_back(pending.integer(0));
    if (players.empty()) return;
    const Results published = ReadResults(Kind::Tournament, PublishedFiles(options_, Kind::Tournament).first);
    Transaction tx(db_);
    Statement last(db_,
                   "SELECT id, bytes FROM uploads WHERE player_id = ? AND contest = ? AND uploaded_at < ? "
                   "ORDER BY uploaded_at DESC, id DESC LIMIT 1");
    Statement keep(db_,
                   "INSERT OR REPLACE INTO predictions(player_id, contest, match_key, team1, team2, goals1, "
                   "goals2, winner, upload_id) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const std::int64_t player : players) {
        last.bind(1, player).bind(2, KindName(Kind::Tournament)).bind(3, published.firstKickoff.value_or(0));
        if (last.step()) {
            const std::int64_t uploadId = last.integer(0);
            const auto reading = ReadUpload(Kind::Tournament, last.text(1), published);
            if (const auto* predictions = std::get_if<std::vector<Match>>(&reading);
                predictions && predictsAnything(*predictions))
                keepBracket(keep, player, *predictions, uploadId);
        }
        last.reset();
    }
    db_.exec("DELETE FROM bracket_pending");
    tx.commit();
}

}  // namespace contest
