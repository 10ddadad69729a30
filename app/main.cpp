// The desktop program: the application object over Qt's event loop.

#include <csignal>
#include <cstdio>
#include <QApplication>
#include <exception>

#include "app/dialogs/message_box_dialog.h"
#include "app/frame/command_line.h"
#include "app/frame/main_frame.h"
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

QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void Print(std::FILE* stream, const QString& text) { std::fputs(text.toLocal8Bit().constData(), stream); }

}  // namespace

int main(int argc, char** argv) {
    // --help and --version answer without a display, before Qt looks for
    // one; Qt's own options are still among the arguments here.
    const okap::CommandLine early = okap::ParseCommandLine(Arguments(argc, argv));
    if (early.help || early.version) {
        Print(stdout, early.help ? okap::UsageText() : okap::VersionText());
        return 0;
    }
    // Past a file size limit a save fails with its message, as on a full
    // disk, rather than the signal ending the program with unsaved work.
    std::signal(SIGXFSZ, SIG_IGN);
    Application qtApp(argc, argv);
    // Qt has taken its own options out of the arguments by now.
    const okap::CommandLine commandLine = okap::ParseCommandLine(QCoreApplication::arguments());
    if (!commandLine.unknownOptions.isEmpty()) {
        Print(stderr, "okap: unknown option " + commandLine.unknownOptions.constFirst() +
                          "\nTry 'okap --help' for more information.\n");
        return 2;
    }
    okap::SetMessageHandler(okap::ShowMessageBox);

    // The application object opens the diagnostic log, when okap.ini
    // switches debugging on, and closes it when it ends.
    try {
        okap::okapApp application;
        application.InitMainWindow();
        if (!application.quitRequested) application.Frame()->OpenDocuments(commandLine.documents);
        return qtApp.exec();
    } catch (const std::exception& error) {
        Application::ReportUnhandled(error);
        return 1;
    }
}
