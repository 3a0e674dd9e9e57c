#include "platform/printer.h"

#include <exception>

namespace platform {

namespace {

std::shared_ptr<Printer>& installed() {
    static std::shared_ptr<Printer> printer = std::make_shared<RecordingPrinter>();
    return printer;
}

}  // namespace

void RecordingPrinter::printForm(Form& form, bool landscape) {
    PrintJob job;
    job.form = form.name();
    job.landscape = landscape;
    job.background = form.self().BackColor();
    for (Control* c : form.controls()) {
        if (c->kind() == Kind::Frame && !c->shownOnForm()) job.hiddenFrames.push_back(c->displayName());
    }
    jobs.push_back(std::move(job));
}

void SetPrinter(std::shared_ptr<Printer> printer) {
    installed() = printer ? std::move(printer) : std::make_shared<RecordingPrinter>();
}

void PrintForm(Form& form) {
    try {
        // Keep the printer alive even if the print replaces it.
        std::shared_ptr<Printer> printer = installed();
        printer->printForm(form, true);
    } catch (const std::exception&) {
        // Without a usable printer nothing is printed and nothing is reported.
    } catch (...) {
    }
}

}  // namespace platform
