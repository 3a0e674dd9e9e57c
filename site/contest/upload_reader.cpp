#include "site/contest/upload_reader.h"

#include <unicode/basictz.h>
#include <unicode/timezone.h>
#include <unicode/utypes.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

#include "platform/datetime.h"
#include "platform/ini.h"
#include "platform/text.h"
#include "qualifiers/qualifiers.h"
#include "site/tournament.h"

namespace contest {

namespace {

constexpr std::string_view kTournamentGroups = "ABCDEF";
constexpr std::string_view kQualifierGroups = "ABCDEFGHI";
constexpr int kQualifierTeams = 6;

std::optional<std::string> iniText(std::string_view bytes, std::string_view section, std::string_view key) {
    auto raw = platform::IniFind(bytes, section, key, platform::IniEncoding::Cp1252);
    if (!raw) return std::nullopt;
    return platform::Cp1252ToUtf8(*raw);
}

// A score box's goals: a whole number; "-", empty or anything else is no score.
std::optional<int> goalsOf(std::string_view text) {
    const std::string t = platform::Trim(text);
    if (t.empty() || t.size() > 2 ||
        !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::atoi(t.c_str());
}

bool isTeamName(const std::string& name) {
    return !name.empty() && name != "-";
}

// The teams of every group, as the file names them; nothing when a group lacks one.
std::optional<std::map<char, std::set<std::string>>> groupTeams(std::string_view bytes,
                                                                std::string_view groups, int first, int count,
                                                                int least) {
    std::map<char, std::set<std::string>> teams;
    for (char g : groups) {
        std::set<std::string>& set = teams[g];
        for (int k = first; k < first + count; ++k) {
            const auto name = iniText(bytes, "Equip" + std::string(1, g), std::to_string(k));
            if (name && isTeamName(platform::Trim(*name))) set.insert(platform::Trim(*name));
        }
        if (static_cast<int>(set.size()) < least) return std::nullopt;
    }
    return teams;
}

std::string ordinalLabel(const char* round, int k) {
    return std::string(round) + " " + std::to_string(k + 1);
}

RealMatch fromView(const site::MatchView& v, std::string key, std::string label) {
    RealMatch m;
    m.key = std::move(key);
    m.label = std::move(label);
    m.team1 = v.first;
    m.team2 = v.second;
    m.goals1 = goalsOf(v.goals1);
    m.goals2 = goalsOf(v.goals2);
    m.winner = v.winner;
    m.kickoff = KickoffOf(v.info);
    return m;
}

Results tournamentMatches(const site::TournamentView& t) {
    Results r;
    for (int m = 0; m < 6; ++m) {
        for (const site::GroupView& g : t.groups) {
            const site::MatchView& v = g.matches[static_cast<size_t>(m)];
            RealMatch match = fromView(v, std::string(1, g.letter) + std::to_string(2 * m),
                                       "group " + std::string(1, g.letter));
            // A group match has no shoot-out: its winner is in its score.
            match.winner = match.played() ? (*match.goals1 > *match.goals2   ? 1
                                             : *match.goals2 > *match.goals1 ? 2
                                                                             : 0)
                                          : 0;
            r.add(std::move(match));
        }
    }
    for (int k = 0; k < 8; ++k) {
        r.add(fromView(t.roundOf16[static_cast<size_t>(k)], "V" + std::to_string(2 * k),
                       ordinalLabel("round of 16", k)));
    }
    for (int k = 0; k < 4; ++k) {
        r.add(fromView(t.quarterFinals[static_cast<size_t>(k)], "W" + std::to_string(2 * k),
                       ordinalLabel("quarter-final", k)));
    }
    for (int k = 0; k < 2; ++k) {
        r.add(fromView(t.semiFinals[static_cast<size_t>(k)], "X" + std::to_string(2 * k),
                       ordinalLabel("semi-final", k)));
    }
    r.add(fromView(t.final, "Z0", "final"));
    return r;
}

// The qualifying day of a pair, from the program's fixture table ("dd/mm/yyyy|home|away|group").
std::optional<std::int64_t> qualifierKickoff(char group, const std::string& home, const std::string& away) {
    static const std::array<std::string, 261> table = [] {
        std::lock_guard lock(site::WindowModelMutex());
        zenkor::LoadQualifierFixtures();
        return zenkor::QualifierFixtures();
    }();
    for (const std::string& row : table) {
        const auto fields = platform::Split(row, "|");
        if (fields.size() == 4 && fields[1] == home && fields[2] == away &&
            fields[3] == std::string(1, group)) {
            // The table gives days only: the match locks when its day begins.
            const auto day = platform::ParseDate(fields[0]);
            if (day) return ParisToUtc(day->seconds);
        }
    }
    return std::nullopt;
}

Results qualifierMatches(std::string_view bytes, bool withKickoffs) {
    Results r;
    for (char g : kQualifierGroups) {
        const std::string letter(1, g);
        std::array<std::string, kQualifierTeams> teams;
        for (int k = 0; k < kQualifierTeams; ++k) {
            teams[static_cast<size_t>(k)] =
                platform::Trim(iniText(bytes, "Equip" + letter, std::to_string(k)).value_or(""));
        }
        // Row x of a group is the x-th ordered pair of its teams, home index major, as the grid builds it.
        int x = 0;
        for (int i = 0; i < kQualifierTeams; ++i) {
            for (int j = 0; j < kQualifierTeams; ++j) {
                const std::string& home = teams[static_cast<size_t>(i)];
                const std::string& away = teams[static_cast<size_t>(j)];
                if (i == j || !isTeamName(home) || !isTeamName(away)) continue;
                RealMatch m;
                m.key = letter + ":" + home + "|" + away;
                m.label = "group " + letter;
                m.team1 = home;
                m.team2 = away;
                m.goals1 = goalsOf(iniText(bytes, "But" + letter, std::to_string(2 * x)).value_or("-"));
                m.goals2 = goalsOf(iniText(bytes, "But" + letter, std::to_string(2 * x + 1)).value_or("-"));
                if (m.played()) m.winner = *m.goals1 > *m.goals2 ? 1 : *m.goals2 > *m.goals1 ? 2 : 0;
                if (withKickoffs) m.kickoff = qualifierKickoff(g, home, away);
                r.add(std::move(m));
                ++x;
            }
        }
    }
    if (auto teams = groupTeams(bytes, kQualifierGroups, 0, kQualifierTeams, 0))
        r.groupTeams = std::move(*teams);
    return r;
}

std::vector<Match> predictionsOf(const Results& r) {
    std::vector<Match> out;
    out.reserve(r.matches.size());
    for (const RealMatch& m : r.matches) out.push_back(static_cast<const Match&>(m));
    return out;
}

// The sets of teams agree group by group with the published file (when it has them).
bool sameCompetition(const std::map<char, std::set<std::string>>& teams, const Results& published) {
    if (published.groupTeams.empty()) return true;
    return teams == published.groupTeams;
}

// The tournament's wall clock: ICU's zone of Paris (the rules of Berlin, where it is played, are the same).
const icu::BasicTimeZone& parisZone() {
    static const std::unique_ptr<icu::TimeZone> zone = [] {
        std::unique_ptr<icu::TimeZone> z(icu::TimeZone::createTimeZone("Europe/Paris"));
        icu::UnicodeString id;
        if (z->getID(id) != icu::UnicodeString("Europe/Paris") ||
            !dynamic_cast<icu::BasicTimeZone*>(z.get())) {
            throw std::runtime_error("ICU has no time zone Europe/Paris");
        }
        return z;
    }();
    return static_cast<const icu::BasicTimeZone&>(*zone);
}

}  // namespace

std::int64_t ParisToUtc(std::int64_t local) {
    // A wall-clock time skipped in spring counts in winter time, one met twice in autumn in summer time.
    UErrorCode status = U_ZERO_ERROR;
    int32_t raw = 0, dst = 0;
    parisZone().getOffsetFromLocal(static_cast<UDate>(local) * 1000.0, UCAL_TZ_LOCAL_FORMER,
                                   UCAL_TZ_LOCAL_FORMER, raw, dst, status);
    if (U_FAILURE(status)) throw std::runtime_error(std::string("ICU time zone: ") + u_errorName(status));
    return local - (raw + dst) / 1000;
}

std::int64_t UtcToParis(std::int64_t utc) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t raw = 0, dst = 0;
    parisZone().getOffset(static_cast<UDate>(utc) * 1000.0, false, raw, dst, status);
    if (U_FAILURE(status)) throw std::runtime_error(std::string("ICU time zone: ") + u_errorName(status));
    return utc + (raw + dst) / 1000;
}

std::optional<std::int64_t> KickoffOf(std::string_view info) {
    const std::string t = platform::Trim(info);
    constexpr size_t kDateAndTime = 14;  // "dd/mm/yy HH:MM"
    if (t.size() < kDateAndTime) return std::nullopt;
    const auto when = platform::ParseDate(std::string_view(t).substr(t.size() - kDateAndTime));
    if (!when) return std::nullopt;
    return ParisToUtc(when->seconds);
}

Results ReadEditionResults(std::string_view bytes) {
    Results r = tournamentMatches(site::ComputeTournament(bytes));
    if (auto teams = groupTeams(bytes, kTournamentGroups, 1, 4, 0)) r.groupTeams = std::move(*teams);
    return r;
}

Results ReadQualifierResults(std::string_view bytes) {
    return qualifierMatches(bytes, true);
}

std::string PublishProblem(std::string_view published, std::string_view candidate, bool newTeams) {
    const Results next = ReadEditionResults(candidate);
    std::string missing;
    int count = 0;
    for (const RealMatch& m : next.matches) {
        if (m.kickoff) continue;
        if (++count <= 3) missing += (missing.empty() ? "" : ", ") + m.label;
    }
    if (count > 0) {
        return std::to_string(count) + " match(es) without a kick-off date and time (" + missing +
               (count > 3 ? ", ..." : "") + "): predictions could no longer lock at kick-off";
    }
    if (newTeams || published.empty()) return {};
    const Results current = ReadEditionResults(published);
    for (const auto& [group, teams] : current.groupTeams) {
        const auto it = next.groupTeams.find(group);
        if (it == next.groupTeams.end() || it->second != teams) {
            return std::string("group ") + group +
                   " has other teams than the published file; add --new-teams to publish a new team list";
        }
    }
    return {};
}

std::variant<std::vector<Match>, Refusal> ReadUpload(Kind kind, std::string_view bytes,
                                                     const Results& published) {
    if (bytes.empty()) return Refusal{"the file is empty", RefusalReason::Empty};
    if (bytes.size() > kMaxUploadBytes) return Refusal{"the file is over 256 KB", RefusalReason::TooLarge};
    if (bytes.find('\0') != std::string_view::npos) {
        return Refusal{"the file is not text", RefusalReason::NotText};
    }
    if (kind == Kind::Tournament) {
        const auto teams = groupTeams(bytes, kTournamentGroups, 1, 4, 4);
        if (!teams) {
            return Refusal{"not a tournament file: its six groups do not have four teams each",
                           RefusalReason::NotTournament};
        }
        if (!sameCompetition(*teams, published)) {
            return Refusal{"its groups do not have the published file's teams",
                           RefusalReason::OtherTournament};
        }
        return predictionsOf(tournamentMatches(site::ComputeTournament(bytes)));
    }
    const auto teams = groupTeams(bytes, kQualifierGroups, 0, kQualifierTeams, 2);
    if (!teams) {
        return Refusal{"not a qualifiers file: it does not have the teams of the nine groups",
                       RefusalReason::NotQualifiers};
    }
    if (!sameCompetition(*teams, published)) {
        return Refusal{"its groups do not have the published qualifiers file's teams",
                       RefusalReason::OtherQualifiers};
    }
    return predictionsOf(qualifierMatches(bytes, false));
}

}  // namespace contest
