#pragma once
// The About box ("About OKAP"): the logo, "A GIS for Windows", the version
// line and the legal-notice line, filled from the program's version record,
// and the versions of the libraries in use.

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QLabel;

namespace okap {

// The program's version record. A value left out leaves its line as the
// dialog made it.
struct VersionResource {
    std::optional<std::string> productName;
    std::optional<std::string> productVersion;
    std::optional<std::string> legalCopyright;
};

// This program's record: "OKAP", the version number with the build's word
// size ("1.15 64 bit" on a 64-bit build), and the credits.
VersionResource ProjectRCVersion();

// The libraries in use, a line each: "Qt 6.4.2", "PROJ 9.1.1", "GDAL 3.6.2".
std::vector<std::string> LibraryVersions();

class okapAboutDlg : public QDialog {
    Q_OBJECT
public:
    okapAboutDlg(QWidget* parent, const VersionResource& version = ProjectRCVersion());

    QString VersionLine() const;
    QString LegalNotice() const;
    QString Libraries() const;

private:
    QLabel* versionLine;
    QLabel* libraries;
    QLabel* legalNotice;
};

}  // namespace okap
