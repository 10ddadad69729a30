#include "app/mdi_client.h"

#include <QDir>
#include <QFileDialog>
#include <string>

#include "app/command_ids.h"
#include "app/mdi_child.h"
#include "app/modal_dialog.h"
#include "app/okap_app.h"
#include "core/number_text.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"
#include "view/map_document.h"

namespace okap {

namespace {

bool MapPathIsCurrent() {
    if (SetWD(app->mapPath) == 0) return true;
    ShowError("Map file path does not exist");
    return false;
}

}  // namespace

okapMDIClient::okapMDIClient(QWidget* parent) : QMdiArea(parent) {}

okapMDIChild* okapMDIClient::ActiveChild() const { return qobject_cast<okapMDIChild*>(currentSubWindow()); }

QList<okapMDIChild*> okapMDIClient::Children() const {
    QList<okapMDIChild*> children;
    for (QMdiSubWindow* window : subWindowList()) {
        if (auto* child = qobject_cast<okapMDIChild*>(window)) children.append(child);
    }
    return children;
}

void okapMDIClient::Show(okapMDIChild* child, bool maximised) {
    if (maximised) {
        child->showMaximized();
    } else {
        child->show();
    }
}

okapMDIChild* okapMDIClient::CmFileNew() {
    const std::string title = StringResource(IDS_DOCUMENT) + FormatInt(newDocumentCount++);
    const okapMDIChild* active = ActiveChild();
    const bool maximised = active && active->isMaximized();
    auto* child = new okapMDIChild(title, "");
    child->New();
    addSubWindow(child);
    Show(child, maximised);
    return child;
}

void okapMDIClient::CmFileOpen() {
    if (!MapPathIsCurrent()) return;
    QFileDialog dialog(this, "Open", QDir::currentPath(), "OKAP Files (*.oki);;All Files (*)");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    OpenFile(dialog.selectedFiles().constFirst());
}

okapMDIChild* okapMDIClient::CmFileOpen(const QString& path) {
    if (!MapPathIsCurrent()) return nullptr;
    return OpenFile(path);
}

okapMDIChild* okapMDIClient::OpenFile(const QString& name) {
    const std::string file = name.toStdString();
    if (!CheckDocumentName(file)) return nullptr;
    // The placement pass: where the window goes. A file that cannot be read
    // gets no window, rather than an empty one that a save would write over
    // the file.
    WindowPlacement placement;
    if (!ReadTextFile(file, placement)) return nullptr;

    const okapMDIChild* active = ActiveChild();
    const bool maximised = active && active->isMaximized();
    auto* child = new okapMDIChild(file, file);
    // Placed once in the client, which would otherwise choose a place.
    addSubWindow(child);
    if (placement.width > 0 && placement.height > 0) {
        child->setGeometry(placement.x, placement.y, placement.width, placement.height);
    }
    // The content pass, before the window is shown so that its first paint
    // draws the document as read.
    if (!LoadTextFile(child->Document())) {
        delete child;
        return nullptr;
    }
    Show(child, maximised);
    return child;
}

bool okapMDIClient::CanCloseAll() {
    for (okapMDIChild* child : Children()) {
        if (!child->CanClose()) return false;
    }
    return true;
}

}  // namespace okap
