#include "app/gui/gui_application.h"

#include <QApplication>

#include "app/application.h"
#include "app/gui/principal_window.h"
#include "report/qt/qt_services.h"
#include "report/report.h"

namespace tarvek {

int run_gui(Application& app, const std::vector<std::string>& arguments,
            const std::string& program_name) {
    // The close timer looks for the preview among the X display's windows,
    // so the windows must be X windows whatever the session prefers.
    qputenv("QT_QPA_PLATFORM", "xcb");
    // The instruction is ours: Qt sees only the program name, so that no
    // instruction text is ever taken for a Qt option.
    std::string name = program_name;
    char* qt_argv[] = {name.data(), nullptr};
    int qt_argc = 1;
    QApplication qt(qt_argc, qt_argv);
    QApplication::setQuitOnLastWindowClosed(false);
    report::install_qt_engine_services();

    TfrmPrincipal& main = *app.frmPrincipal;
    PrincipalWindow window(main, arguments);
    window.show();
    const int code = QApplication::exec();
    // Nothing may reach a Qt window once the Qt application is gone.
    report::set_preview_opener(nullptr);
    report::set_progress_factory(nullptr);
    report::set_message_handler(nullptr);
    return code;
}

}  // namespace tarvek
