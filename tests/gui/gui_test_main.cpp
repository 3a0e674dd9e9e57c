// The GUI tests run offscreen with their own application object; per-user settings go to a temporary
// folder so that a test run never touches the user's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "gui/qt_runtime.h"
#include "tests/support/errors.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    gui::SetupApplication(app);
    gui::InstallQtRuntime();
    // Tests open and close many windows; only EndProgram or the test runner ends the run.
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    testing_support::FailTestsOnReportedErrors();
    return RUN_ALL_TESTS();
}
