// The tournament of an edition file as the program itself computes it: the file is loaded into a headless
// main window, which runs its full recompute; tables, bracket and podium are then read off its controls.
#pragma once

#include <array>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window.h"

namespace site {

struct TeamRow {
    std::string team;
    int place = 0;                                                   // 1..4
    std::string played, goalsFor, goalsAgainst, difference, points;  // as the window shows them
    bool settled = false;                                            // the place can no longer change
};

struct MatchView {
    std::string first, second;                                         // teams; empty while unknown
    std::string goals1 = "-", goals2 = "-", pens1 = "-", pens2 = "-";  // "-" when not played
    std::string info;  // venue, channels, date and kick-off ("DOR(TF1) 14/06/24 21:00"), or empty
    int winner = 0;    // 1 or 2 once decided, else 0
    bool played() const { return goals1 != "-" && goals2 != "-" && !goals1.empty() && !goals2.empty(); }
};

struct GroupView {
    char letter = 'A';
    std::array<TeamRow, 4> rows;       // by place
    std::array<MatchView, 6> matches;  // in the window's fixture order
    bool lotsNeeded = false;           // two teams cannot be separated without a drawing of lots
};

struct TournamentView {
    std::array<GroupView, 6> groups;
    std::array<MatchView, 8> roundOf16;
    std::array<MatchView, 4> quarterFinals;
    std::array<MatchView, 2> semiFinals;
    MatchView final;
    std::string champion, runnerUp;
    std::array<std::string, 2> semiFinalists;  // the losing semi-finalists
    std::string bestThirds;                    // the best third-placed teams, " / " between them
    std::array<std::string, 3> news;           // French, English, Spanish
    std::string linkCaption, linkAddress;
    std::string dataVersion;  // the program version the file needs
};

// Computes the view of an edition file (its bytes, Windows-1252 as the program reads them). Runs the
// window model under WindowModelMutex(); safe to call from any thread.
TournamentView ComputeTournament(std::string_view editionBytes);

// The window model the tournament is read from: the parts of the main window that load an edition file
// and compute its tables, bracket and podium, and nothing that reaches the network or a printer.
std::unique_ptr<zenkor::Zenkor> TournamentWindow();

// The program's window model keeps process-wide state (program folder, message table): whoever runs one
// on the site holds this lock for the whole run.
std::mutex& WindowModelMutex();

// Removes the window model's folders that ended processes left in the temporary folder (a site killed
// with SIGKILL); the number removed.
int RemoveLeftoverModelFolders();

// Services the window model calls that must never wait for a person on a server: message boxes answer
// "No" (a newer-version prompt loads the file all the same), input boxes cancel. Call once at start.
void InstallHeadlessServices();

}  // namespace site
