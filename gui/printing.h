// The printer service on Qt: renders a form's window into a QPrinter, on the default printer or into a
// PDF file. Without a printer the print dialog lets the user choose (a PDF file among the choices); a
// print that cannot be made says so.
#pragma once

#include <QString>
#include <string>

#include "platform/printer.h"

namespace gui {

class QtPrinter : public platform::Printer {
  public:
    // An empty path prints on the default printer, unless ZENKOR_PRINT_PDF names a PDF file; without a
    // default printer, where the print dialog says.
    explicit QtPrinter(std::string pdfPath = "");
    void printForm(platform::Form& form, bool landscape) override;

  private:
    std::string pdfPath_;
};

void InstallPrinter(std::string pdfPath = "");

// Where the print dialog proposes the PDF file: the user's documents folder, named after the window.
QString SuggestedPdfFile(const QString& title);

}  // namespace gui
