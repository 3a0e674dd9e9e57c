#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "app/artwork.h"
#include "app/design.h"
#include "app/main_window.h"
#include "assembly/startup.h"
#include "gui/clipboard.h"
#include "gui/form_view.h"
#include "gui/picture_files.h"
#include "gui/printing.h"
#include "gui/qt_runtime.h"
#include "online/online.h"
#include "platform/runtime.h"
#include "sheets/sheets.h"

namespace {

// Without a display Qt would abort with a message about platform plugins; say what is missing instead.
bool HasDisplay() {
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

// For start-up timing: quits once the window has painted its first frame (the quit runs after the paint
// has gone to the screen), telling on standard output when that was (CLOCK_MONOTONIC nanoseconds), or
// fails when no frame comes.
class QuitAfterFirstPaint : public QObject {
  public:
    explicit QuitAfterFirstPaint(QWidget* window) {
        window->installEventFilter(this);
        QTimer::singleShot(10000, this, [] { QCoreApplication::exit(2); });
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            QTimer::singleShot(0, qApp, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("painted %lld\n",
                            static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

  private:
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fputs(
            "Zenkor is a desktop program: it needs a graphical session (no DISPLAY or "
            "WAYLAND_DISPLAY is set).\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    // The settings are kept under the executable's base name.
    platform::SetApplicationName(QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName().toStdString());
    gui::SetupApplication(app);
    gui::InstallQtRuntime();
    gui::InstallPrinter();
    gui::InstallClipboard();
    gui::InstallScreenPointer();
    // The user's files (saved scores, downloaded pictures) live in their data folder, never in the
    // installation, which may be read-only.
    if (!zenkor::UseDataFolder()) return 1;
    app.setWindowIcon(gui::PictureIcon(gui::LoadPicture(zenkor::PictureFile(zenkor::artwork::kProgramIcon))));

    int status = 0;
    {
        auto window = std::make_unique<zenkor::Zenkor>();
        window->show();  // runs the start-up
        if (!platform::EndRequested()) {
            std::unique_ptr<QuitAfterFirstPaint> quit;
            if (qEnvironmentVariableIsSet("ZENKOR_EXIT_AFTER_SHOW")) {
                if (gui::FormView* view = gui::FormView::of(*window)) {
                    quit = std::make_unique<QuitAfterFirstPaint>(view->window());
                } else {
                    QTimer::singleShot(0, &app, &QCoreApplication::quit);
                }
            }
            status = QApplication::exec();
        }
        zenkor::ReleaseSheets();
        zenkor::ReleaseUpdateConfirmation();
        zenkor::ReleaseMainWindows();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
