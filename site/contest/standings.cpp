#include "site/contest/standings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <unordered_map>
#include <unordered_set>

#include "platform/ini.h"

namespace contest {

namespace fs = std::filesystem;

namespace {

struct Stamp {
    fs::path path;
    fs::file_time_type time;
    std::uintmax_t size = 0;
    bool operator==(const Stamp&) const = default;
};

std::optional<Stamp> stampOf(const fs::path& path) {
    std::error_code ec;
    const auto time = fs::last_write_time(path, ec);
    if (ec) return std::nullopt;
    const auto size = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    return Stamp{path, time, size};
}

// Ranks by points, then exact scores, then name; level on both, level in rank.
template <class Entry>
void sortRanking(std::vector<Entry>& entries) {
    std::sort(entries.begin(), entries.end(), [](const Entry& x, const Entry& y) {
        if (x.score.points != y.score.points) return x.score.points > y.score.points;
        if (x.score.exact != y.score.exact) return x.score.exact > y.score.exact;
        return *x.name < *y.name;
    });
}

template <class Entry, class Emit>
void rankSorted(const std::vector<Entry>& entries, Emit emit) {
    int rank = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const Score& s = entries[i].score;
        if (i == 0 || entries[i - 1].score.points != s.points || entries[i - 1].score.exact != s.exact) {
            rank = static_cast<int>(i + 1);
        }
        emit(entries[i], rank);
    }
}

struct RankEntry {
    Score score;
    const std::string* name;
    std::int64_t id;
};

bool anyPlayed(const Results& r) {
    return std::any_of(r.matches.begin(), r.matches.end(), [](const RealMatch& m) { return m.played(); });
}

}  // namespace

std::pair<fs::path, fs::path> PublishedFiles(const ContestOptions& options, Kind kind) {
    if (kind == Kind::Tournament) {
        return {options.dataFolder / "Zenkor2024.ini", options.dataFolder / "Zenkor2024.ini.bak"};
    }
    fs::path file = options.dataFolder / "Elim2024.ini";
    if (!fs::exists(file) && !options.shippedQualifiers.empty()) file = options.shippedQualifiers;
    return {file, fs::path()};
}

Results ReadResults(Kind kind, const fs::path& file) {
    if (file.empty()) return {};
    const auto bytes = platform::ReadFileBytes(file);
    if (!bytes) return {};
    return kind == Kind::Tournament ? ReadEditionResults(*bytes) : ReadQualifierResults(*bytes);
}

Match ReadPrediction(const Statement& st, int first) {
    Match m;
    m.key = st.text(first);
    m.team1 = st.text(first + 1);
    m.team2 = st.text(first + 2);
    m.goals1 = st.optionalInt(first + 3);
    m.goals2 = st.optionalInt(first + 4);
    m.winner = static_cast<int>(st.integer(first + 5));
    return m;
}

std::vector<Match> StoredPredictions(Database& db, Kind kind, std::int64_t playerId) {
    std::vector<Match> out;
    Statement st(db,
                 "SELECT match_key, team1, team2, goals1, goals2, winner FROM predictions "
                 "WHERE contest = ? AND player_id = ?");
    st.bind(1, KindName(kind)).bind(2, playerId);
    while (st.step()) out.push_back(ReadPrediction(st, 0));
    return out;
}

// A contest in memory: everybody's predictions as numbers, their scores and the sorted ranking.
struct Standings::Board {
    Kind kind = Kind::Tournament;
    std::optional<Stamp> stamp;  // of the published file the results come from
    bool loaded = false;
    std::shared_ptr<const Results> results = std::make_shared<Results>();
    std::shared_ptr<const Scorer> scorer = std::make_shared<Scorer>();
    // The published results this file replaced, while they hold any score: the ranking's movement.
    std::shared_ptr<const Scorer> previous;
    std::unordered_map<std::int64_t, std::shared_ptr<const Picks>> picks;
    std::unordered_map<std::int64_t, std::string> names;
    std::unordered_map<std::int64_t, Score> scores;
    std::unordered_map<std::int64_t, int> previousRank;
    bool ranked = false;
    std::vector<RankRow> ranking;
    std::vector<std::int64_t> rankingIds;  // the player of each ranking row
    std::unordered_map<std::int64_t, size_t> rowOf;
};

Standings::Standings(const fs::path& databaseFile, const ContestOptions& options)
    : options_(options), db_(databaseFile, Database::Opening::Another) {
    for (Kind kind : {Kind::Tournament, Kind::Qualifiers}) {
        auto& b = boards_[static_cast<int>(kind)];
        b = std::make_unique<Board>();
        b->kind = kind;
    }
}

Standings::~Standings() {
    {
        std::lock_guard lock(watchMutex_);
        stopping_ = true;
    }
    watchWake_.notify_one();
    if (watcher_.joinable()) watcher_.join();
}

void Standings::Start() {
    // Everybody is scored before the first visitor asks; then off the requests' path.
    load();
    for (Kind kind : {Kind::Tournament, Kind::Qualifiers}) refresh(kind);
    watcher_ = std::thread([this] { watch(); });
}

void Standings::WaitForScores() {
    forgetRemovedPlayers();
    for (Kind kind : {Kind::Tournament, Kind::Qualifiers}) refresh(kind);
}

Standings::Board& Standings::board(Kind kind) {
    return *boards_[static_cast<int>(kind)];
}

bool Standings::publishedChanged(Kind kind) {
    const std::optional<Stamp> stamp = stampOf(PublishedFiles(options_, kind).first);
    std::lock_guard lock(mutex_);
    const Board& b = board(kind);
    // A moment without the file (between the two renames of a publish): the last one read holds.
    return !b.loaded || (stamp && stamp != b.stamp);
}

void Standings::refresh(Kind kind) {
    const auto [file, previousFile] = PublishedFiles(options_, kind);
    const std::optional<Stamp> stamp = stampOf(file);
    {
        std::lock_guard lock(mutex_);
        const Board& b = board(kind);
        if (b.loaded && (!stamp || stamp == b.stamp)) return;
    }
    // Reading a file runs the window model: tens of milliseconds, with the contest free meanwhile.
    auto results = std::make_shared<Results>(ReadResults(kind, stamp ? file : fs::path()));
    const Results before = ReadResults(kind, previousFile);

    std::shared_ptr<const Scorer> scorer, previous;
    std::unordered_map<std::int64_t, std::shared_ptr<const Picks>> picks;
    std::unordered_map<std::int64_t, std::string> names;
    {
        std::lock_guard lock(mutex_);
        scorer = std::make_shared<Scorer>(*results, keys_, teams_);
        if (anyPlayed(before)) previous = std::make_shared<Scorer>(before, keys_, teams_);
        const Board& b = board(kind);
        picks = b.picks;
        names = b.names;
    }
    std::unordered_map<std::int64_t, Score> scores;
    scores.reserve(picks.size());
    for (const auto& [id, p] : picks) scores.emplace(id, scorer->score(*p));
    std::unordered_map<std::int64_t, int> previousRank;
    if (previous) {
        std::vector<RankEntry> entries;
        entries.reserve(picks.size());
        for (const auto& [id, p] : picks) entries.push_back({previous->score(*p), &names[id], id});
        sortRanking(entries);
        rankSorted(entries, [&](const RankEntry& e, int rank) { previousRank.emplace(e.id, rank); });
    }

    std::lock_guard lock(mutex_);
    Board& b = board(kind);
    // Files handed in while everybody was scored are scored again now, against the new results; players
    // removed meanwhile stay out.
    for (const auto& [id, p] : b.picks) {
        const auto it = picks.find(id);
        if (it == picks.end() || it->second != p) scores[id] = scorer->score(*p);
    }
    std::erase_if(scores, [&b](const auto& entry) { return !b.picks.contains(entry.first); });
    b.results = std::move(results);
    b.scorer = std::move(scorer);
    b.previous = std::move(previous);
    b.scores = std::move(scores);
    b.previousRank = std::move(previousRank);
    b.stamp = stamp;
    b.loaded = true;
    b.ranked = false;
    rank(b);
}

void Standings::load() {
    std::lock_guard lock(mutex_);
    Statement version(db_, "PRAGMA data_version");
    dataVersion_ = version.step() ? version.integer(0) : -1;
    Statement st(
        db_,
        "SELECT contest, player_id, match_key, team1, team2, goals1, goals2, winner FROM predictions "
        "ORDER BY contest, player_id");
    std::unordered_map<std::int64_t, Picks> all[2];
    while (st.step()) {
        const Kind kind = st.text(0) == KindName(Kind::Tournament) ? Kind::Tournament : Kind::Qualifiers;
        all[static_cast<int>(kind)][st.integer(1)].push_back(ToPick(ReadPrediction(st, 2), keys_, teams_));
    }
    // A player whose files predict nothing is ranked all the same, with no point.
    Statement senders(db_, "SELECT DISTINCT player_id, contest FROM uploads");  // from its index alone
    while (senders.step()) {
        const Kind kind = senders.text(1) == KindName(Kind::Tournament) ? Kind::Tournament : Kind::Qualifiers;
        all[static_cast<int>(kind)].try_emplace(senders.integer(0));
    }
    Statement names(db_, "SELECT id, pseudonym FROM players");
    std::unordered_map<std::int64_t, std::string> pseudonyms;
    while (names.step()) pseudonyms.emplace(names.integer(0), names.text(1));
    for (Kind kind : {Kind::Tournament, Kind::Qualifiers}) {
        Board& b = board(kind);
        for (auto& [id, picks] : all[static_cast<int>(kind)]) {
            b.picks[id] = std::make_shared<const Picks>(std::move(picks));
            b.names[id] = pseudonyms[id];
        }
    }
}

void Standings::forgetRemovedPlayers() {
    std::lock_guard lock(mutex_);
    Statement version(db_, "PRAGMA data_version");
    const std::int64_t now = version.step() ? version.integer(0) : -1;
    if (now == dataVersion_) return;
    dataVersion_ = now;
    std::unordered_set<std::int64_t> players;
    Statement ids(db_, "SELECT id FROM players");
    while (ids.step()) players.insert(ids.integer(0));
    for (auto& b : boards_) {
        const size_t before = b->picks.size();
        std::erase_if(b->picks, [&](const auto& entry) { return !players.contains(entry.first); });
        if (b->picks.size() == before) continue;
        std::erase_if(b->scores, [&](const auto& entry) { return !players.contains(entry.first); });
        std::erase_if(b->names, [&](const auto& entry) { return !players.contains(entry.first); });
        b->ranked = false;
    }
}

void Standings::watch() {
    std::unique_lock lock(watchMutex_);
    while (!stopping_) {
        watchWake_.wait_for(lock, std::chrono::seconds(1), [this] { return stopping_ || wake_; });
        if (stopping_) break;
        wake_ = false;
        lock.unlock();
        try {
            forgetRemovedPlayers();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "zenkor-site: the players could not be read again: %s\n", e.what());
        }
        for (Kind kind : {Kind::Tournament, Kind::Qualifiers}) {
            try {
                refresh(kind);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "zenkor-site: the %s contest could not be scored again: %s\n",
                             std::string(KindName(kind)).c_str(), e.what());
            }
        }
        lock.lock();
    }
}

void Standings::wakeWatcher() {
    {
        std::lock_guard lock(watchMutex_);
        wake_ = true;
    }
    watchWake_.notify_one();
}

void Standings::SetPredictions(Kind kind, std::int64_t playerId, const std::vector<Match>& predictions) {
    std::lock_guard lock(mutex_);
    Board& b = board(kind);
    Picks picks;
    picks.reserve(predictions.size());
    for (const Match& m : predictions) picks.push_back(ToPick(m, keys_, teams_));
    auto shared = std::make_shared<const Picks>(std::move(picks));
    // Scored against the board's results, which a publish may have replaced since the file was read.
    b.scores[playerId] = b.scorer->score(*shared);
    b.picks[playerId] = std::move(shared);
    Statement name(db_, "SELECT pseudonym FROM players WHERE id = ?");
    name.bind(1, playerId);
    if (name.step()) b.names[playerId] = name.text(0);
    b.ranked = false;
}

std::shared_ptr<const Results> Standings::Published(Kind kind) {
    std::lock_guard lock(mutex_);
    return board(kind).results;
}

void Standings::rank(Board& b) {
    if (b.ranked) return;
    std::vector<RankEntry> entries;
    entries.reserve(b.scores.size());
    for (const auto& [id, score] : b.scores) entries.push_back({score, &b.names[id], id});
    sortRanking(entries);
    b.ranking.clear();
    b.ranking.reserve(entries.size());
    b.rankingIds.clear();
    b.rankingIds.reserve(entries.size());
    b.rowOf.clear();
    b.rowOf.reserve(entries.size());
    rankSorted(entries, [&](const RankEntry& e, int rank) {
        RankRow row{rank, *e.name, e.score.points, e.score.exact, std::nullopt};
        if (const auto it = b.previousRank.find(e.id); it != b.previousRank.end())
            row.previousRank = it->second;
        b.rowOf.emplace(e.id, b.ranking.size());
        b.ranking.push_back(std::move(row));
        b.rankingIds.push_back(e.id);
    });
    b.ranked = true;
}

RankingSlice Standings::Ranking(Kind kind, size_t offset, size_t limit) {
    if (publishedChanged(kind)) wakeWatcher();
    std::lock_guard lock(mutex_);
    Board& b = board(kind);
    rank(b);
    RankingSlice slice;
    slice.total = b.ranking.size();
    slice.hasPrevious = b.previous != nullptr;
    for (size_t i = offset; i < b.ranking.size() && i - offset < limit; ++i)
        slice.rows.push_back(b.ranking[i]);
    return slice;
}

std::optional<RankRow> Standings::RankOf(Kind kind, std::int64_t playerId) {
    std::lock_guard lock(mutex_);
    Board& b = board(kind);
    rank(b);
    const auto it = b.rowOf.find(playerId);
    if (it == b.rowOf.end()) return std::nullopt;
    return b.ranking[it->second];
}

std::optional<PlayerCard> Standings::Player(Kind kind, std::string_view pseudonymKey, std::int64_t viewerId,
                                            std::int64_t now) {
    std::lock_guard lock(mutex_);
    Board& b = board(kind);
    rank(b);
    Statement find(db_, "SELECT id, pseudonym FROM players WHERE pseudonym_key = ?");
    find.bind(1, pseudonymKey);
    if (!find.step()) return std::nullopt;
    const std::int64_t playerId = find.integer(0);
    PlayerCard card;
    card.pseudonym = find.text(1);
    if (const auto it = b.rowOf.find(playerId); it != b.rowOf.end()) card.rank = b.ranking[it->second];
    if (const auto it = b.scores.find(playerId); it != b.scores.end()) card.bonus = it->second.bonus;
    std::unordered_map<std::string, Match> predicted;
    for (Match& m : StoredPredictions(db_, kind, playerId)) {
        // A box left empty (stored before such were dropped) is no prediction.
        if (m.played()) predicted.emplace(m.key, std::move(m));
    }
    const bool own = viewerId == playerId;
    for (const RealMatch& real : b.results->matches) {
        PlayerMatch pm;
        pm.real = real;
        if (const auto it = predicted.find(real.key); it != predicted.end()) {
            if (own || real.startedBy(now)) {
                pm.predicted = it->second;
                pm.points = MatchPoints(real, it->second);
            } else {
                pm.hidden = true;
            }
        }
        card.matches.push_back(std::move(pm));
    }
    // By kick-off, as the player lived them; matches without a date last.
    std::stable_sort(card.matches.begin(), card.matches.end(),
                     [](const PlayerMatch& x, const PlayerMatch& y) {
                         return x.real.kickoff.value_or(INT64_MAX) < y.real.kickoff.value_or(INT64_MAX);
                     });
    if (own) {
        Statement uploads(
            db_,
            "SELECT uploaded_at, file_name, matches_taken FROM uploads WHERE player_id = ? AND contest = ? "
            "ORDER BY uploaded_at DESC, id DESC LIMIT 20");
        uploads.bind(1, playerId).bind(2, KindName(kind));
        while (uploads.step()) {
            card.uploads.push_back(
                {uploads.integer(0), uploads.text(1), static_cast<int>(uploads.integer(2))});
        }
    }
    return card;
}

std::optional<MatchCard> Standings::MatchPredictions(Kind kind, std::string_view key, std::int64_t now,
                                                     size_t offset, size_t limit) {
    std::lock_guard lock(mutex_);
    Board& b = board(kind);
    const RealMatch* real = b.results->find(key);
    if (!real || IsBracketKey(key)) return std::nullopt;
    MatchCard card;
    card.real = *real;
    card.started = real->startedBy(now);
    if (!card.started) return card;  // nobody's prediction shows before kick-off
    rank(b);
    const std::uint32_t keyId = keys_.id(key);
    for (size_t i = 0; i < b.rankingIds.size(); ++i) {
        const Picks& picks = *b.picks[b.rankingIds[i]];
        const auto it = std::find_if(picks.begin(), picks.end(), [keyId](const Pick& p) {
            return p.key == keyId && p.goals1 >= 0 && p.goals2 >= 0;
        });
        if (it == picks.end()) continue;
        if (card.total++ < offset || card.rows.size() >= limit) continue;
        MatchEntry entry;
        entry.rank = b.ranking[i].rank;
        entry.pseudonym = b.ranking[i].pseudonym;
        entry.predicted.key = std::string(key);
        entry.predicted.team1 = teams_.name(it->team1);
        entry.predicted.team2 = teams_.name(it->team2);
        entry.predicted.goals1 = it->goals1;
        entry.predicted.goals2 = it->goals2;
        entry.predicted.winner = it->winner;
        entry.points = b.scorer->points(*it);
        card.rows.push_back(std::move(entry));
    }
    return card;
}

}  // namespace contest
