// The printer service on Qt: renders a form's window into a QPrinter, on the default printer or into a
// PDF file.
#pragma once

#include <string>

#include "platform/printer.h"

namespace gui {

class QtPrinter : public platform::Printer {
  public:
    // An empty path prints on the default printer, unless ZENKOR_PRINT_PDF names a PDF file.
    explicit QtPrinter(std::string pdfPath = "");
    void printForm(platform::Form& form, bool landscape) override;

  private:
    std::string pdfPath_;
};

void InstallPrinter(std::string pdfPath = "");

}  // namespace gui
