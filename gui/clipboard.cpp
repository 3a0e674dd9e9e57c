#include "gui/clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <memory>
#include <string>

#include "platform/clipboard.h"
#include "platform/download.h"

namespace gui {

namespace {

class QtClipboard : public platform::Clipboard {
  public:
    void clear() override {
        if (QClipboard* board = QGuiApplication::clipboard()) board->clear();
    }
    void setText(const std::string& text) override {
        if (QClipboard* board = QGuiApplication::clipboard()) board->setText(QString::fromStdString(text));
    }
    std::string text() override {
        QClipboard* board = QGuiApplication::clipboard();
        return board ? board->text().toStdString() : std::string();
    }
};

}  // namespace

void InstallClipboard() {
    platform::SetClipboard(std::make_shared<QtClipboard>());
}

void InstallScreenPointer() {
    platform::SetScreenPointerHandler([](platform::Pointer pointer) {
        // One override at most: the hourglass replaces any earlier one, the default removes them all.
        while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
        // The window still answers while it waits (a download's Cancel): busy, not frozen.
        if (pointer == platform::Pointer::Hourglass)
            QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    });
}

}  // namespace gui
