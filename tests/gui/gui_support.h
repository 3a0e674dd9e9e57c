// Helpers for driving forms through their Qt views.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>

#include "app/main_window.h"
#include "gui/form_view.h"
#include "online/online.h"
#include "platform/control.h"
#include "qualifiers/qualifiers.h"
#include "sheets/sheet_windows.h"
#include "tests/support/restore.h"

namespace gui_testing {

// Calls look every 20 ms while it lives: how a test meets the modal windows the program opens (each
// runs its own event loop, so the test's code waits behind it).
class ModalPoll {
  public:
    explicit ModalPoll(std::function<void()> look) {
        QObject::connect(&timer_, &QTimer::timeout, std::move(look));
        timer_.start(20);
    }

  private:
    QTimer timer_;
};

inline gui::FormView& ViewOf(platform::Form& form) {
    gui::FormView* view = gui::FormView::of(form);
    if (!view) throw std::runtime_error("form has no view: " + form.name());
    return *view;
}

template <typename W = QWidget>
W* WidgetOf(platform::Control& control) {
    gui::FormView* view = gui::FormView::of(control.form());
    return view ? qobject_cast<W*>(view->widget(control)) : nullptr;
}

// Views delete themselves later; let them go between tests.
inline void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Screenshots are kept beside the test executable, in the build folder.
inline std::filesystem::path ArtifactPath(const std::string& name) {
    std::error_code ec;
    auto folder = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path() / "artifacts";
    std::filesystem::create_directories(folder, ec);
    return folder / name;
}

// Writes a screenshot of the window; it counts only when the whole picture reads back from its file.
inline ::testing::AssertionResult SaveScreenshot(QWidget* window, const std::string& name) {
    const QPixmap shot = window->grab();
    if (shot.isNull()) return ::testing::AssertionFailure() << "nothing to grab for " << name;
    const QString file = QString::fromStdString(ArtifactPath(name).string());
    if (!shot.save(file)) return ::testing::AssertionFailure() << "could not write " << file.toStdString();
    const QImage written(file);
    if (written.size() != shot.size())
        return ::testing::AssertionFailure()
               << file.toStdString() << " reads back as " << written.width() << "x" << written.height()
               << ", not " << shot.width() << "x" << shot.height();
    return ::testing::AssertionSuccess();
}

// The program's module data outlives its windows; a window test leaves it as it found it.
struct KeepModuleData {
    testing_support::Restore<std::array<std::string, 101>> messages{zenkor::LangMessages()};
    testing_support::Restore<std::array<std::string, 25>> groupOrder{zenkor::GroupOrderTeams()};
    testing_support::Restore<std::array<std::string, 261>> fixtures{zenkor::QualifierFixtures()};
    testing_support::Restore<int> played{zenkor::QualifierPlayedCount()};
    testing_support::Restore<int> fixtureCount{zenkor::QualifierFixtureCount()};
    testing_support::Restore<zenkor::WebLinks> links{zenkor::OnlineLinks()};
};

}  // namespace gui_testing
