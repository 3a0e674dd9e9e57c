// The Qt front end as the runtime's services: windows for forms, message and input boxes, the yield to
// pending events and the end of the program.
#pragma once

#include <string>

#include "platform/runtime.h"

class QApplication;

namespace gui {

// Message boxes (style: buttons in the low bits, 16/32/48/64 the icon, 256/512 the default button) and
// input boxes, modal over the active window.
class QtDialogs : public platform::Dialogs {
  public:
    platform::Answer msgBox(const std::string& text, int style, const std::string& title) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
};

// The yield: repaints and timer ticks, never the user's clicks and keys.
class QtEventPump : public platform::EventPump {
  public:
    void processPending() override;
};

// The look every window shares: the Fusion style with its light palette and a sans-serif face standing
// in for the designs' "MS Sans Serif" 8.25.
void SetupApplication(QApplication& app);

// Forms get a view when shown; EndProgram quits the event loops; long downloads show a progress window
// and hand their results back through the event loop.
void InstallViewFactory();
void InstallDialogs();
void InstallEventPump();
void InstallEndHandler();
// Qt's own translation of its words (qtbase_fr, qtbase_es), loaded for the language chosen.
void InstallLanguageHandler();
// All of the above.
void InstallQtRuntime();

}  // namespace gui
