#include <gtest/gtest.h>
#include <QTest>
#include <QLineEdit>
#include <iostream>
#include <filesystem>
#include "app/main_window.h"
#include "gui/qt_runtime.h"
#include "tests/gui/gui_support.h"
#include "tests/support/fakes.h"
TEST(ZzDebug, Dump) {
    testing_support::Sandbox sandbox;
    for (const char* file : {"Zenkor2024.ini", "langFr.txt", "langEn.txt", "langSp.txt"}) sandbox.copyDataFile(file);
    zenkor::Zenkor w; w.show();
    auto* win = gui_testing::ViewOf(w).window();
    (void)QTest::qWaitForWindowExposed(win);
    const char* pts = getenv("PTS");
    std::string s = pts ? pts : "4,150";
    std::stringstream ss(s); int x, y; char comma;
    while (ss >> x >> comma >> y) {
        QWidget* c = win->childAt(x, y);
        std::cout << x << "," << y << ": ";
        while (c && c != win) { std::cout << c->objectName().toStdString() << " " << c->metaObject()->className() << " geom " << c->geometry().x() << "," << c->geometry().y() << " " << c->width() << "x" << c->height() << " <- "; c = c->parentWidget(); }
        std::cout << "\n"; ss >> comma;
    }
    if (getenv("DUMP")) for (auto* c : w.controls()) { if (!c->shownOnForm()) continue; std::cout << c->displayName() << " " << platform::KindName(c->kind()) << " " << c->Left() << "," << c->Top() << " " << c->Width() << "x" << c->Height() << " in " << (c->container()? c->container()->displayName():"") << " [" << c->Caption() << "]\n"; }
    if (const char* shot = getenv("SHOT")) {
        if (getenv("KO")) { w("Command1").raiseClick(); }
        win->grab().save(shot);
    }
    w.unload();
}
