// Services of the runtime that a window's code calls and that tests replace: the clock, message and input
// boxes, the random source, the yield to pending events, the program folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/datetime.h"
#include "platform/message_box.h"

namespace platform {

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Modal; returns the button pressed.
    virtual Answer msgBox(const std::string& text, int style, const std::string& title) = 0;
    // Modal; cancel returns "".
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual DateTime now() = 0;
};

// The yield to pending events: repaint and timers only, never user input (a click handled inside a
// recompute could start a load or a save in the middle of it).
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void processPending() = 0;
};

// Installed services; each setter takes ownership and returns the previous one's absence as a reset.
void SetDialogs(std::shared_ptr<Dialogs> dialogs);
void SetClock(std::shared_ptr<Clock> clock);
void SetEventPump(std::shared_ptr<EventPump> pump);

Answer MsgBox(const std::string& text, int style = vbOKOnly, const std::string& title = "");
std::string InputBox(const std::string& prompt, const std::string& title = "",
                     const std::string& defaultText = "");
DateTime Now();
void DoEvents();

// Uniform in [0, 1); the same sequence at every start of the program (never seeded).
float Rnd();
void ResetRandom();  // back to the start of the sequence (tests)

// The program folder: where the executable is, where data files live. Tests point it elsewhere.
std::filesystem::path ProgramFolder();
void SetProgramFolder(const std::filesystem::path& folder);
// The executable's base name ("Zenkor"), which names the per-user settings.
std::string ApplicationName();
void SetApplicationName(std::string_view name);

// Ending the program ("End"): the front end quits its event loop; headless, it is only recorded.
void EndProgram();
bool EndRequested();
void SetEndHandler(std::function<void()> handler);

// The front end that shows windows: called when a form without a view is shown, to attach one.
void SetViewFactory(std::function<void(class Form&)> factory);
void AttachView(class Form& form);

// The front end's own words (standard buttons, the print dialog) follow the language the user chose:
// 0 French, 1 English, 2 Spanish.
void SetInterfaceLanguage(int language);
void SetLanguageHandler(std::function<void(int)> handler);

}  // namespace platform
