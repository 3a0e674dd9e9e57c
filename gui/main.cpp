#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <memory>

#include "app/artwork.h"
#include "app/design.h"
#include "app/main_window.h"
#include "gui/clipboard.h"
#include "gui/picture_files.h"
#include "gui/printing.h"
#include "gui/qt_runtime.h"
#include "online/online.h"
#include "platform/runtime.h"
#include "sheets/sheets.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The settings are kept under the executable's base name.
    platform::SetApplicationName(QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName().toStdString());
    gui::SetupApplication(app);
    gui::InstallQtRuntime();
    gui::InstallPrinter();
    gui::InstallClipboard();
    gui::InstallScreenPointer();
    app.setWindowIcon(gui::PictureIcon(gui::LoadPicture(zenkor::PictureFile(zenkor::artwork::kProgramIcon))));

    int status = 0;
    {
        auto window = std::make_unique<zenkor::Zenkor>();
        window->show();  // runs the start-up
        if (!platform::EndRequested()) {
            // For start-up timing: leave once the first window has been shown and painted.
            if (qEnvironmentVariableIsSet("ZENKOR_EXIT_AFTER_SHOW")) {
                QTimer::singleShot(0, &app, &QCoreApplication::quit);
            }
            status = QApplication::exec();
        }
        zenkor::ReleaseSheets();
        zenkor::ReleaseUpdateConfirmation();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
