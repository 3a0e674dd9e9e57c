#include "gui/printing.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPageLayout>
#include <QPainter>
#include <QPicture>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <utility>

#include "app/language.h"
#include "gui/form_view.h"
#include "platform/background.h"
#include "platform/message_box.h"
#include "platform/runtime.h"

namespace gui {

namespace {

// The statistics window's own word for its print button names the print dialog and its failures.
std::string PrintWord() {
    const std::string& word = zenkor::Message(29);
    return word.empty() ? "Imprimer" : word;
}

// A printed page carries no caret and no selected text; the boxes keep no stray selection on screen
// either.
void ClearFocusAndSelection(QWidget* window) {
    if (QWidget* focused = window->focusWidget()) focused->clearFocus();
    for (auto* edit : window->findChildren<QLineEdit*>()) edit->deselect();
    for (auto* multi : window->findChildren<QPlainTextEdit*>()) {
        QTextCursor cursor = multi->textCursor();
        if (!cursor.hasSelection()) continue;
        cursor.clearSelection();
        multi->setTextCursor(cursor);
    }
}

}  // namespace

QtPrinter::QtPrinter(std::string pdfPath) : pdfPath_(std::move(pdfPath)) {}

void QtPrinter::printForm(platform::Form& form, bool landscape) {
    FormView* view = FormView::of(form);
    QWidget* window = view ? view->window() : nullptr;
    if (!window) return;
    std::string pdf = pdfPath_;
    if (pdf.empty()) pdf = qEnvironmentVariable("ZENKOR_PRINT_PDF").toStdString();

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(window->windowTitle());
    if (!pdf.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        // No printer to go to: the user chooses, a PDF file among the choices.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(SuggestedPdfFile(window->windowTitle()));
        QPrintDialog dialog(&printer, window);
        const platform::PostedTasksHeld held;  // nothing handed back in the middle of a print
        dialog.setWindowTitle(QString::fromStdString(PrintWord()));
        if (dialog.exec() != QDialog::Accepted) return;
    }
    ClearFocusAndSelection(window);

    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString where =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        platform::MsgBox(zenkor::ProgramWords(zenkor::Words::PrintFailed) +
                             (where.isEmpty() ? std::string() : " (" + where.toStdString() + ")") + ".",
                         platform::vbExclamation, PrintWord());
        return;
    }
    // The client area, scaled to fit the page and keeping its proportions.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize size = window->size();
    if (size.width() > 0 && size.height() > 0) {
        const double k = std::min(static_cast<double>(page.width()) / size.width(),
                                  static_cast<double>(page.height()) / size.height());
        // Rendered straight onto a printer, widgets go through one bitmap of the whole window; recorded
        // as drawing commands first, they reach the page as vectors and text.
        QPicture recording;
        QPainter recorder(&recording);
        window->render(&recorder, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
        recorder.end();
        // A picture plays back scaled from its own resolution to the printer's.
        painter.scale(k * recording.logicalDpiX() / printer.logicalDpiX(),
                      k * recording.logicalDpiY() / printer.logicalDpiY());
        painter.drawPicture(0, 0, recording);
    }
    painter.end();
}

QString SuggestedPdfFile(const QString& title) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    QString name = title.isEmpty() ? QStringLiteral("Zenkor") : title;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

void InstallPrinter(std::string pdfPath) {
    platform::SetPrinter(std::make_shared<QtPrinter>(std::move(pdfPath)));
}

}  // namespace gui
