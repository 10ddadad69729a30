// The desktop program: the application object over Qt's event loop.

#include <QApplication>
#include <exception>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

#include "app/message_box_dialog.h"
#include "app/okap_app.h"
#include "platform/config_location.h"
#include "platform/diagnostic_log.h"
#include "platform/message_box.h"

namespace {

// An exception that escapes a command would otherwise end the program
// without a word: report it the way the program reports everything, then
// end with a failure code.
class Application : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            ReportUnhandled(error);
            QCoreApplication::exit(1);
            return false;
        }
    }

    static void ReportUnhandled(const std::exception& error) {
        okap::MessageBox(error.what(), "Unhandled exception", okap::MessageButtons::Ok, okap::MessageIcon::Stop);
    }
};

// The diagnostic log okap.deb goes into the directory the program was
// started from, as users of the program expect to find it there. When that
// directory cannot be written (a program started from a read-only place,
// or from / by a desktop launcher), it goes next to okap.ini instead.
std::filesystem::path DiagnosticLogPath() {
    std::filesystem::path start = std::filesystem::current_path();
    if (access(start.c_str(), W_OK) == 0) return start / "okap.deb";
    std::filesystem::path configFolder = okap::ConfigFilePath().parent_path();
    std::error_code ignored;
    std::filesystem::create_directories(configFolder, ignored);
    return configFolder / "okap.deb";
}

}  // namespace

int main(int argc, char** argv) {
    Application qtApp(argc, argv);
    okap::SetMessageHandler(okap::ShowMessageBox);

    // The log is created empty and stays open until the program ends.
    std::ofstream debug(DiagnosticLogPath(), std::ios::trunc);
    okap::SetDiagnosticLog(&debug);

    try {
        okap::okapApp application;
        application.InitMainWindow();
        int result = qtApp.exec();
        okap::SetDiagnosticLog(nullptr);
        return result;
    } catch (const std::exception& error) {
        Application::ReportUnhandled(error);
        okap::SetDiagnosticLog(nullptr);
        return 1;
    }
}
