#pragma once
// The program's command line: `okap [OPTION]... [FILE.oki]...`.

#include <QString>
#include <QStringList>

namespace okap {

struct CommandLine {
    bool help = false;
    bool version = false;
    // The documents to open, as full names: a relative name is taken from
    // the current directory at the time of parsing.
    QStringList documents;
    // Options the program does not know, as given.
    QStringList unknownOptions;
};

// Reads the arguments after the program's name (arguments[0]). "--" ends
// the options: what follows is a file even when it starts with "-".
CommandLine ParseCommandLine(const QStringList& arguments);

// What `okap --help` prints (the manual page is made from it).
QString UsageText();
// What `okap --version` prints: the program's name and version, then the
// libraries in use.
QString VersionText();

}  // namespace okap
