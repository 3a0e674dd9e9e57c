// Helpers for driving forms through their Qt views.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <string>

#include "gui/form_view.h"
#include "platform/control.h"

namespace gui_testing {

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

inline bool SaveScreenshot(QWidget* window, const std::string& name) {
    return window->grab().save(QString::fromStdString(ArtifactPath(name).string()));
}

}  // namespace gui_testing
