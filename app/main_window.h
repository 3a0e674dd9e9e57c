// The main window: its controls are the program's data model. Each subsystem adds its part of the design
// and binds its handlers; procedures of the window are free functions taking the window.
#pragma once

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/control.h"

namespace zenkor {

using platform::Control;
using platform::Kind;

// The group letters, in the order every loop over the groups uses.
inline constexpr std::array<char, 6> kGroups = {'A', 'B', 'C', 'D', 'E', 'F'};

class Zenkor : public platform::Form {
  public:
    // The whole window: defined by the composition root (assembly/assembly.cpp), which builds and wires
    // every subsystem.
    Zenkor();
    // A window without design or handlers, for a model that builds only the parts it needs.
    struct Bare {};
    explicit Zenkor(Bare);

    // Window flags.
    bool FChargee = false;  // false only while start-up loads the first edition file
    bool MISAJOUR = false;  // an online update succeeded
    int sage = 0;           // language index: 0 French, 1 English, 2 Spanish

    // Explicit window states; button captions only follow them.
    bool knockoutView = false;
    bool compactMode = false;

    // Procedures of the libraries above the base, set by the window's assembly (assembly/assembly.cpp): the
    // recompute-all that the edition files run after a load (knockout/), and the making of a fresh main
    // window for ShowMainWindow.
    void (*recalcAll)(Zenkor&) = nullptr;
    std::unique_ptr<Zenkor> (*freshWindow)() = nullptr;

    // The qualifiers panel's boxes as last loaded from or saved to their file (empty before the first
    // group load): what differs from it is the user's unsaved work there.
    std::vector<std::string> qualifierBoxesStored;

    // A team's place in its group table (1 to 4), written by the group table and read by every reader of
    // places, so that a display scale can never change a place. Group 0..5 for A..F, team index 1..4.
    int teamPlace(int group, int index) const { return places_[group][index]; }
    void setTeamPlace(int group, int index, int place) { places_[group][index] = place; }

    // Shorthands for the group-indexed control names.
    static std::string groupName(int group) { return std::string(1, kGroups[static_cast<size_t>(group)]); }

  private:
    std::array<std::array<int, 5>, 6> places_{};

  public:
    // The online services' downloads in flight (online/downloads.h). Declared last, so that they stop
    // before anything else of the window goes.
    std::shared_ptr<void> downloads;
};

// Shows the main window. A main window that was closed (from its title bar) is not shown again: a fresh
// one takes its place and runs its whole start-up. The closed ones live on until ReleaseMainWindows, since
// other windows may still point at them.
Zenkor& ShowMainWindow(Zenkor& main);
// The last main window ShowMainWindow created; none before.
Zenkor* ReopenedMainWindow();
void ReleaseMainWindows();

// The design's captions of the view buttons, kept while no language file gives messages 1 and 2, and its
// word of the goal total (message 10).
inline constexpr const char* kKnockoutViewCaption = "Phase Finale";
inline constexpr const char* kGroupViewCaption = "Phase de Groupes";
inline constexpr const char* kGoalsWord = "buts";

// The message table: 101 interface texts, indexes 0 to 100; outlives the window and is never cleared.
std::array<std::string, 101>& LangMessages();
const std::string& Message(int index);  // "" outside 0..100
// The message, or the window's French text while no language file has given it.
std::string MessageOr(int index, const std::string& french);
// MessageOr with its "%1", "%2", .. replaced by the values, in order (file and folder names, reasons).
std::string MessageWith(int index, const std::string& french, std::initializer_list<std::string> values);

// The base's own parts of the design and handler bindings; each subsystem's header declares its own. The
// window's constructor (assembly/assembly.cpp) calls them all, in order.
void BuildMainDesign(Zenkor& w);
void BuildEditionDesign(Zenkor& w);
void WireEditionFiles(Zenkor& w);

}  // namespace zenkor
