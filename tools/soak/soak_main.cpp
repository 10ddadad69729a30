// The soak: one program process opens, zooms, pans, paints, prints to PDF,
// saves and closes the documents of a workspace again and again, as a user's
// long day would, and reports its resident memory as it goes. Run under
// LeakSanitizer (scripts/soak.sh) it shows that nothing leaks and that
// memory stays flat.
//
//   okap_soak WORKSPACE CYCLES
//
// WORKSPACE is a sample workspace (scripts/setup-samples.sh) that the soak
// may change: its documents are saved every cycle. The program reads the
// okap.ini that setup-samples.sh wrote for it (XDG_CONFIG_HOME).

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPrinter>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <malloc.h>
#include <string>
#include <vector>

#include "app/dialogs/modal_dialog.h"
#include "app/frame/main_frame.h"
#include "app/frame/map_window.h"
#include "app/frame/mdi_child.h"
#include "app/frame/mdi_client.h"
#include "app/frame/okap_app.h"
#include "platform/message_box.h"

namespace {

// The resident set of this process in KiB, from /proc/self/status.
long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    }
    return -1;
}

// Set by the sanitizers' runtime, whose allocator replaces malloc's.
extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

// The bytes the program holds on the heap now, in KiB: what resident memory
// would follow if the allocator gave back all it does not use. Under
// LeakSanitizer resident memory also grows by the runtime's own records:
// about 4 KiB for every thread ever started (here each paint, since waiting
// for it ends the window's painter threads, and each print dialog starts
// one) and the call stack of every allocation; this figure is the
// program's own, counted exactly.
long HeapInUseKiB() {
    if (__sanitizer_get_current_allocated_bytes)
        return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<long>((heap.uordblks + heap.hblkhd) / 1024);
}

// With the number of objects the main window holds, which must not grow
// with documents opened and closed.
void Report(long cycle, long startKiB, const QObject& frame) {
    const long now = ResidentKiB();
    std::cout << "okap_soak: after cycle " << cycle << ": resident " << now / 1024 << " MiB ("
              << (now - startKiB >= 0 ? "+" : "") << (now - startKiB) / 1024 << " MiB since cycle 1), heap in use "
              << HeapInUseKiB() / 1024 << " MiB, "
              << frame.findChildren<QObject*>().size() << " objects in the main window" << std::endl;
}

// A key pressed on the map: + and - zoom about its centre, the arrows pan.
void Press(QWidget* view, Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &event);
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication qtApp(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: okap_soak WORKSPACE CYCLES\n";
        return 2;
    }
    const std::filesystem::path workspace = std::filesystem::absolute(argv[1]);
    const long cycles = std::strtol(argv[2], nullptr, 10);
    std::vector<std::filesystem::path> documents;
    for (const auto& entry : std::filesystem::directory_iterator(workspace))
        if (entry.path().extension() == ".oki") documents.push_back(entry.path());
    std::sort(documents.begin(), documents.end());
    if (documents.empty()) {
        std::cerr << "okap_soak: no documents in " << workspace << "\n";
        return 2;
    }

    // Any message is a failure of the soak: it would stop a user.
    long messages = 0;
    okap::SetMessageHandler([&](const okap::Message& message) {
        ++messages;
        std::cerr << "okap_soak: message: " << message << "\n";
        return okap::FirstButton(message.buttons);
    });
    // The print dialog is answered with Print.
    okap::SetModalDialogRunner([](QDialog&) { return static_cast<int>(QDialog::Accepted); });

    int status = 0;
    {
        okap::okapApp application;
        application.InitMainWindow();
        okap::okapMDIClient& client = *application.Frame()->MDIClient();
        application.printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        application.printer->setOutputFormat(QPrinter::PdfFormat);

        long startKiB = 0;
        for (long cycle = 1; cycle <= cycles && status == 0; ++cycle) {
            const std::filesystem::path& document = documents[(cycle - 1) % documents.size()];
            okap::okapMDIChild* child = client.CmFileOpen(QString::fromStdString(document.string()));
            if (!child) {
                std::cerr << "okap_soak: cycle " << cycle << ": could not open " << document << "\n";
                status = 1;
                break;
            }
            okap::okapWindow* view = child->View();
            view->WaitForPicture();
            // In and out again, left and right again, so that the saved
            // document stays where it started.
            for (Qt::Key key : {Qt::Key_Plus, Qt::Key_Left, Qt::Key_Right, Qt::Key_Minus}) {
                Press(view, key);
                view->WaitForPicture();
            }
            client.CmFilePrint();
            if (!child->CMFileSave()) status = 1;
            child->CMFileClose();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
            if (messages > 0) status = 1;
            if (cycle == 1) startKiB = ResidentKiB();
            // After the first round every document's maps and fonts are
            // loaded: what follows shows whether memory stays flat.
            const bool firstRound = cycle == static_cast<long>(documents.size());
            if (cycle == 1 || firstRound || cycle % 500 == 0 || cycle == cycles)
                Report(cycle, startKiB, *application.Frame());
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (status != 0) std::cerr << "okap_soak: stopped after " << messages << " message(s)\n";
    return status;
}
