#include "app/dialogs/about_dialog.h"

#include <gtest/gtest.h>
#include <proj.h>

#include "datasets/gdal_setup.h"
#include "app/qstring_printer.h"

namespace okap {
namespace {

TEST(AboutDialogTest, VersionLineJoinsNameWordAndVersion) {
    okapAboutDlg dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), "About OKAP");
    // "OKAP", the control's own word "Version", then the product version,
    // whose last part names the build's word size.
    QString expected = sizeof(void*) == 8 ? "OKAP Version 1.15 64 bit" : "OKAP Version 1.15 32 bit";
    EXPECT_EQ(dialog.VersionLine(), expected);
    EXPECT_EQ(dialog.LegalNotice().toStdString(), *ProjectRCVersion().legalCopyright);
}

TEST(AboutDialogTest, NamesTheLibrariesInUse) {
    okapAboutDlg dialog(nullptr);
    // The library's own run-time version: here the one built against.
    const QString proj = QString("%1.%2.%3").arg(PROJ_VERSION_MAJOR).arg(PROJ_VERSION_MINOR).arg(PROJ_VERSION_PATCH);
    EXPECT_EQ(dialog.Libraries(), QString("Qt %1\nPROJ %2\nGDAL %3").arg(qVersion(), proj,
                                                                         QString::fromStdString(GdalVersion())));
}

TEST(AboutDialogTest, MissingValuesLeaveTheLinesAsTheyAre) {
    // Both name and version are needed for the version line.
    okapAboutDlg noVersion(nullptr, {"OKAP", std::nullopt, std::nullopt});
    EXPECT_EQ(noVersion.VersionLine(), "Version");
    EXPECT_EQ(noVersion.LegalNotice(), "");

    okapAboutDlg noName(nullptr, {std::nullopt, "2.0", "Notice"});
    EXPECT_EQ(noName.VersionLine(), "Version");
    EXPECT_EQ(noName.LegalNotice(), "Notice");
}

}  // namespace
}  // namespace okap
