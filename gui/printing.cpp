#include "gui/printing.h"

#include <QApplication>
#include <QLineEdit>
#include <QPageLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <utility>

#include "gui/form_view.h"

namespace gui {

namespace {

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
    if (!pdf.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        return;  // no printer: nothing printed, nothing reported
    }
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    ClearFocusAndSelection(window);

    QPainter painter;
    if (!painter.begin(&printer)) return;
    // The client area, scaled to fit the page and keeping its proportions.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize size = window->size();
    if (size.width() > 0 && size.height() > 0) {
        const double k = std::min(static_cast<double>(page.width()) / size.width(),
                                  static_cast<double>(page.height()) / size.height());
        painter.scale(k, k);
        window->render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    painter.end();
}

void InstallPrinter(std::string pdfPath) {
    platform::SetPrinter(std::make_shared<QtPrinter>(std::move(pdfPath)));
}

}  // namespace gui
