#include "app/dialogs/styles/file_style_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/dialogs/dialog_fields.h"
#include "app/controls/glyphs.h"
#include "app/frame/mdi_child.h"

namespace okap {

namespace {

constexpr int kLogoSide = 66;

QComboBox* DropDown(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setMinimumWidth(220);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

}  // namespace

FileStyleDialog::FileStyleDialog(const QString& title, const QString& fileLabel, const ListData& files,
                                 const ListData& styles, okapMDIChild& window, QWidget* parent)
    : QDialog(parent), window(window), files(files), styles(styles) {
    setWindowTitle(title);

    auto* logo = new QLabel(this);
    logo->setObjectName("logo");
    logo->setPixmap(AppLogo(kLogoSide));
    logo->setFixedSize(kLogoSide, kLogoSide);

    fileBox = DropDown("files", this);
    styleBox = DropDown("styles", this);
    auto* fileCaption = new QLabel(fileLabel, this);
    fileCaption->setBuddy(fileBox);
    auto* styleCaption = new QLabel("Display &style", this);
    styleCaption->setBuddy(styleBox);
    auto* newButton = Button("&New", "new", this);
    auto* editButton = Button("&Edit", "edit", this);

    auto* grid = new QGridLayout;
    grid->addWidget(fileCaption, 0, 0);
    grid->addWidget(fileBox, 0, 1, 1, 3);
    grid->addWidget(styleCaption, 1, 0);
    grid->addWidget(styleBox, 1, 1);
    grid->addWidget(newButton, 1, 2);
    grid->addWidget(editButton, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(grid, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(buttons);

    connect(newButton, &QPushButton::clicked, this, [this] { HandleNew(); });
    connect(editButton, &QPushButton::clicked, this, [this] { HandleEdit(); });
    connect(fileBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        this->files.selected = index;
        Show(fileBox, this->files);
        FileChanged();
    });
    connect(styleBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        this->styles.selected = index;
        Show(styleBox, this->styles);
    });
    Show(fileBox, this->files);
    Show(styleBox, this->styles);
}

void FileStyleDialog::SetStyles(ListData list) {
    styles = std::move(list);
    Show(styleBox, styles);
}

void FileStyleDialog::Show(QComboBox* box, const ListData& list) {
    {
        const QSignalBlocker blocker(box);
        QStringList names;
        for (const std::string& name : list.names) names << QString::fromStdString(name);
        QStringList shown;
        for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
        if (shown != names) {
            box->clear();
            box->addItems(names);
        }
        box->setCurrentIndex(list.HasSelection() ? list.selected : -1);
    }
    okButton->setEnabled(files.HasSelection() && styles.HasSelection());
}

}  // namespace okap
