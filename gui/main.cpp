#include <QApplication>

#include "app/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zenkor::Zenkor window;
    window.show();
    return 0;
}
