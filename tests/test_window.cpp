// A window of "another program" for the desktop tests: it shows the UTF-8
// title given as the only argument and stays open until the process is
// killed.
#include <QApplication>
#include <QWidget>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tarvek-test-window TITLE\n";
        return 2;
    }
    const QString title = QString::fromUtf8(argv[1]);
    int qt_argc = 1;
    QApplication app(qt_argc, argv);
    QWidget window;
    window.setWindowTitle(title);
    window.resize(240, 80);
    window.show();
    return QApplication::exec();
}
