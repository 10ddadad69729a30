#include "app/frame/command_line.h"

#include <QFileInfo>

#include "app/dialogs/about_dialog.h"
#include "core/app_title.h"

namespace okap {

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith('-') || argument == "-") {
            line.documents << QFileInfo(argument).absoluteFilePath();
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            line.help = true;
        } else if (argument == "-v" || argument == "--version") {
            line.version = true;
        } else {
            line.unknownOptions << argument;
        }
    }
    return line;
}

QString UsageText() {
    return "Usage: okap [OPTION]... [FILE.oki]...\n"
           "A desktop mapping program: map documents of vector map layers and point\n"
           "data layers in one of eight projections, to view, zoom, measure, print\n"
           "and copy.\n"
           "\n"
           "Each FILE.oki opens in a window of its own, as File > Open opens it; a\n"
           "relative name is taken from the current directory. A file that is missing\n"
           "or not a map document is reported and the others still open.\n"
           "\n"
           "Options:\n"
           "  -h, --help       print this help and exit\n"
           "  -v, --version    print the version of OKAP and of its libraries and exit\n"
           "  --               end of the options: every further argument is a file\n"
           "\n"
           "Qt's own options, such as -platform NAME, -display DISPLAY or -style STYLE,\n"
           "are understood as well.\n"
           "\n"
           "Files:\n"
           "  $XDG_CONFIG_HOME/okap/okap.ini (~/.config/okap/okap.ini)\n"
           "                   the settings: the folders of the program, the maps and\n"
           "                   the data, the recent files and the main window's place;\n"
           "                   written at the first start\n"
           "\n"
           "Exit status: 0 when the program ends normally, 1 when it ends on an\n"
           "error, 2 for wrong arguments.\n";
}

QString VersionText() {
    QString text = QString("%1 %2\n").arg(kAppTitle, kAppVersion);
    for (const std::string& library : LibraryVersions()) text += QString::fromStdString(library) + '\n';
    return text;
}

}  // namespace okap
