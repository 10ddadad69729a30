#include "app/dialogs/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/controls/glyphs.h"
#include "core/app_title.h"
#include "core/proj_version.h"
#include "datasets/gdal_setup.h"

namespace okap {

namespace {

constexpr int kLogoSide = 66;

}  // namespace

VersionResource ProjectRCVersion() {
    return {kAppTitle, std::string(kAppVersion) + " " + std::to_string(sizeof(void*) * 8) + " bit",
            "Projections by the PROJ library; user interface by Qt."};
}

std::vector<std::string> LibraryVersions() {
    return {std::string("Qt ") + qVersion(), "PROJ " + ProjVersion(), "GDAL " + GdalVersion()};
}

okapAboutDlg::okapAboutDlg(QWidget* parent, const VersionResource& version) : QDialog(parent) {
    setWindowTitle("About OKAP");

    auto* logo = new QLabel(this);
    logo->setPixmap(AppLogo(kLogoSide));
    logo->setFixedSize(kLogoSide, kLogoSide);

    auto* tagLine = new QLabel("A GIS for Windows", this);
    QFont big = tagLine->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    tagLine->setFont(big);
    versionLine = new QLabel("Version", this);
    versionLine->setObjectName("version");
    legalNotice = new QLabel(this);
    legalNotice->setObjectName("legalNotice");
    legalNotice->setWordWrap(true);

    // The version line keeps its own word between the product's name and
    // version: "OKAP Version 1.15 64 bit".
    if (version.productName && version.productVersion) {
        versionLine->setText(QString::fromStdString(*version.productName) + ' ' + versionLine->text() + ' ' +
                             QString::fromStdString(*version.productVersion));
    }
    if (version.legalCopyright) legalNotice->setText(QString::fromStdString(*version.legalCopyright));
    // Which libraries a report of a fault came from.
    QStringList libraryLines;
    for (const std::string& line : LibraryVersions()) libraryLines << QString::fromStdString(line);
    libraries = new QLabel(libraryLines.join('\n'), this);
    libraries->setObjectName("libraries");
    libraries->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* texts = new QVBoxLayout;
    texts->addWidget(tagLine);
    texts->addWidget(versionLine);
    texts->addWidget(legalNotice);
    texts->addWidget(libraries);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setFixedSize(qMax(sizeHint().width(), 360), sizeHint().height());
}

QString okapAboutDlg::VersionLine() const { return versionLine->text(); }

QString okapAboutDlg::LegalNotice() const { return legalNotice->text(); }

QString okapAboutDlg::Libraries() const { return libraries->text(); }

}  // namespace okap
