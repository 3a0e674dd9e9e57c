// Printing a window: its client area, in landscape, on the default printer or into a PDF file. The front
// end installs the real printer; without one, print requests are only recorded (tests read them back).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/control.h"

namespace platform {

class Printer {
  public:
    virtual ~Printer() = default;
    // Prints the form's client area as it is shown now. Failures are the printer's to swallow.
    virtual void printForm(Form& form, bool landscape) = 0;
};

// What the recording printer saw at each request.
struct PrintJob {
    std::string form;
    bool landscape = false;
    Color background = kWhite;              // the form's BackColor at that moment
    std::vector<std::string> hiddenFrames;  // frames not shown at that moment ("Frame1")
};

class RecordingPrinter : public Printer {
  public:
    void printForm(Form& form, bool landscape) override;
    std::vector<PrintJob> jobs;
};

// Installs a printer; nullptr restores a fresh recording printer.
void SetPrinter(std::shared_ptr<Printer> printer);

// Prints the form's client area in landscape; never throws, failures are skipped silently.
void PrintForm(Form& form);

}  // namespace platform
