// Reading the files players hand in and the files the site publishes, with the program's own INI reader
// and, for the tournament, its own window model (load, full recompute, bracket and podium read back).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "site/contest/scoring.h"

namespace contest {

inline constexpr size_t kMaxUploadBytes = 256 * 1024;

enum class RefusalReason {
    Empty,
    TooLarge,
    NotText,
    NotTournament,
    OtherTournament,
    NotQualifiers,
    OtherQualifiers
};

// A refusal, with the message shown to the player.
struct Refusal {
    std::string message;  // in the system's own words, for the log
    RefusalReason reason = RefusalReason::Empty;
};

// The matches of an edition file with their published kick-offs, or of a qualifiers file.
Results ReadEditionResults(std::string_view bytes);
Results ReadQualifierResults(std::string_view bytes);

// A player's file for the contest of that kind: the matches as the player predicted them (knockout teams
// as the player's own bracket has them), or why the file is not one. published is the site's file of
// the same kind: the player's file must be of the same competition (the same teams in every group).
std::variant<std::vector<Match>, Refusal> ReadUpload(Kind kind, std::string_view bytes,
                                                     const Results& published);

// Why `candidate` may not replace the published edition file `published` (empty when none is
// published), or "" when it may: every match needs its kick-off (the contest locks predictions at it),
// and the groups keep the published teams unless newTeams.
std::string PublishProblem(std::string_view published, std::string_view candidate, bool newTeams);

// "dd/mm/yy HH:MM" or "dd/mm/yyyy" at the end of a text, in the tournament's local time (Paris), as UTC
// epoch seconds; nothing when the text ends in no such date.
std::optional<std::int64_t> KickoffOf(std::string_view info);
// Paris wall-clock seconds (counted as if UTC) to true UTC epoch seconds.
std::int64_t ParisToUtc(std::int64_t local);
// UTC epoch seconds to Paris wall-clock seconds (counted as if UTC), for display.
std::int64_t UtcToParis(std::int64_t utc);

}  // namespace contest
