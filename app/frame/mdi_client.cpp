#include "app/frame/mdi_client.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/frame/command_ids.h"
#include "app/dialogs/file_dialog_columns.h"
#include "app/frame/map_window.h"
#include "app/frame/mdi_child.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "app/printing/page_layout_dialog.h"
#include "app/printing/preview_window.h"
#include "app/printing/print_out.h"
#include "app/frame/window_fit.h"
#include "core/globals.h"
#include "core/number_text.h"
#include "platform/message_box.h"
#include "view/map_document.h"

namespace okap {

namespace {

// A print or a preview under way, for as long as it lives: the
// application's printingCount is raised and, for a print job, isprinting
// set; both are put back however the command ends.
class PrintingUnderWay {
public:
    PrintingUnderWay(okapApp& application, bool printJob) : application(application), wasPrinting(isprinting) {
        ++application.printingCount;
        if (printJob) isprinting = 1;
    }
    ~PrintingUnderWay() {
        isprinting = wasPrinting;
        --application.printingCount;
    }
    PrintingUnderWay(const PrintingUnderWay&) = delete;
    PrintingUnderWay& operator=(const PrintingUnderWay&) = delete;

private:
    okapApp& application;
    int wasPrinting;
};

// The PDF file proposed for a document's map: its file's name with ".pdf"
// in its folder (a relative name is in the map file path), or, for a map
// never saved, its title in the map file path.
QString ProposedPdfName(okapMDIChild& child) {
    const MapDocument& document = child.Document();
    const QDir mapFolder(QString::fromStdString(app->mapPath));
    const QFileInfo file(mapFolder, QString::fromStdString(document.fileName.empty() ? document.title + ".pdf"
                                                                                     : document.fileName));
    return QDir(file.absolutePath()).filePath(file.completeBaseName() + ".pdf");
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

void okapMDIClient::Adopt(okapMDIChild* child) {
    addSubWindow(child);
    connect(child, &okapMDIChild::FileWritten, this, &okapMDIClient::DocumentFileUsed);
}

okapMDIChild* okapMDIClient::CmFileNew() {
    okapMDIChild* child = NewDocument();
    // A new map starts with the choice of its base map.
    child->CMMapLayers();
    return child;
}

okapMDIChild* okapMDIClient::NewDocument() {
    const std::string title = StringResource(IDS_DOCUMENT) + FormatInt(newDocumentCount++);
    const okapMDIChild* active = ActiveChild();
    const bool maximised = active && active->isMaximized();
    auto* child = new okapMDIChild(title, "");
    child->New();
    // The grid is drawn in its format file, which a map folder may lack;
    // without it every paint would report the missing file.
    MapDocument& document = child->Document();
    std::error_code ignored;
    if (!std::filesystem::exists(std::filesystem::path(app->mapPath) / document.gridFormatFile, ignored)) {
        document.gridOn = 0;
        document.MarkSaved();
    }
    Adopt(child);
    Show(child, maximised);
    return child;
}

void okapMDIClient::CmFileOpen() {
    if (!MapPathIsCurrent()) return;
    QFileDialog dialog(this, "Open", QDir::currentPath(), "OKAP Files (*.oki);;All Files (*)");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    ShowColumnsWhole(dialog);
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
    Adopt(child);
    if (placement.width > 0 && placement.height > 0) {
        // A size saved on a larger screen, or at a smaller scaling, is
        // fitted into the workspace, so that the caption's buttons stay in
        // reach.
        const QMargins margins = child->contentsMargins();
        const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
        child->setGeometry(FitWindowInArea(QRect(placement.x, placement.y, placement.width, placement.height),
                                           viewport()->size(), frame));
    }
    // The content pass, before the window is shown so that its first paint
    // draws the document as read.
    if (!LoadTextFile(child->Document())) {
        delete child;
        return nullptr;
    }
    Show(child, maximised);
    // The map file path is current: a relative name is in it.
    emit DocumentFileUsed(QFileInfo(name).absoluteFilePath());
    return child;
}

bool okapMDIClient::CanCloseAll() {
    for (okapMDIChild* child : Children()) {
        if (!child->CanClose()) return false;
    }
    return true;
}

QPrinter& okapMDIClient::EnsurePrinter() {
    if (!app->printer) {
        app->printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        defaultPrinterName = QPrinterInfo::defaultPrinterName();
    }
    return *app->printer;
}

// Linux announces no change of the default printer, so the print commands
// look for one themselves. A printer the user picked in the print dialog
// stays as long as the system's default does; none is replaced while a print
// or preview still uses it.
void okapMDIClient::FollowDefaultPrinter() {
    if (!app->printer || app->printingCount != 0) return;
    const QString current = QPrinterInfo::defaultPrinterName();
    if (defaultPrinterName && *defaultPrinterName != current) app->printer.reset();
    defaultPrinterName = current;
    EnsurePrinter();
}

bool okapMDIClient::CmPrintEnable() {
    if (!app || !ActiveChild()) return false;
    return EnsurePrinter().isValid();
}

void okapMDIClient::CmFilePrintSetup() {
    if (!app) return;
    FollowDefaultPrinter();
    PageLayoutDialog dialog(EnsurePrinter(), this);
    ExecModal(dialog);
}

void okapMDIClient::CmFilePrint() {
    okapMDIChild* child = ActiveChild();
    if (!app || !child) return;
    FollowDefaultPrinter();
    QPrinter& printer = EnsurePrinter();
    // The job is named after the map rather than the program, so that the
    // queue and any failure message say which map it was.
    APXPrintOut printout(QFileInfo(QString::fromStdString(child->Document().title)).fileName(), printer, *child->View());
    PrintingUnderWay printing(*app, true);
    printer.setDocName(printout.Title());
    // Printed to a file, the map goes beside its document and is named after
    // it, rather than into the home folder.
    if (printer.outputFormat() == QPrinter::PdfFormat) printer.setOutputFileName(ProposedPdfName(*child));
    QPrintDialog dialog(&printer, child->View());
    dialog.setMinMax(1, 1);
    if (ExecModal(dialog) != QDialog::Accepted) return;
    printout.Print();
}

void okapMDIClient::CmFilePrintPreview() {
    okapMDIChild* child = ActiveChild();
    if (!app || !child) return;
    FollowDefaultPrinter();
    QPrinter& printer = EnsurePrinter();
    PrintingUnderWay previewing(*app, false);
    PreviewWindow preview(window(), printer, *child->View(), "Print Preview");
    ExecModal(preview);
}

}  // namespace okap
