// The desktop program: the application object over Qt's event loop.

#include <csignal>
#include <QApplication>
#include <exception>

#include "app/dialogs/message_box_dialog.h"
#include "app/frame/okap_app.h"
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

}  // namespace

int main(int argc, char** argv) {
    // Past a file size limit a save fails with its message, as on a full
    // disk, rather than the signal ending the program with unsaved work.
    std::signal(SIGXFSZ, SIG_IGN);
    Application qtApp(argc, argv);
    okap::SetMessageHandler(okap::ShowMessageBox);

    // The application object opens the diagnostic log, when okap.ini
    // switches debugging on, and closes it when it ends.
    try {
        okap::okapApp application;
        application.InitMainWindow();
        return qtApp.exec();
    } catch (const std::exception& error) {
        Application::ReportUnhandled(error);
        return 1;
    }
}
