#pragma once
// The main window's client area (okapMDIClient): it makes the document
// windows of File New and File Open and asks them all before the program
// ends.

#include <QList>
#include <QMdiArea>
#include <QString>
#include <optional>

class QPrinter;

namespace okap {

class okapMDIChild;

class okapMDIClient : public QMdiArea {
    Q_OBJECT
public:
    explicit okapMDIClient(QWidget* parent = nullptr);

    // File New: a window titled "Document" and the next number (from 0)
    // with the defaults of a new map, maximised when the active document
    // window is; then its Map Layers command runs, so that the map starts
    // with the choice of its base map. Returns the new window.
    okapMDIChild* CmFileNew();
    // The same window without the Map Layers command: a new map whose
    // layers the caller gives.
    okapMDIChild* NewDocument();
    // File Open: asks for a document in the map file path and opens it.
    void CmFileOpen();
    // File Open of a named document (relative names are in the map file
    // path). A name without ".oki" (any case) is refused before any window
    // is made; a file that cannot be read is reported and gets no window.
    // The window takes the place and size saved in the file, fitted into the
    // client's area (FitWindowInArea). Returns the new window, or nullptr.
    okapMDIChild* CmFileOpen(const QString& path);

    // Program exit: asks each changed document in turn whether to save it
    // ("Map has changed"); false as soon as one answer keeps its window.
    // The windows are left open either way.
    bool CanCloseAll();

    // File Print, Print Setup and Print Preview of the active document
    // window's map, with the application's printer (made for the system's
    // default printer on first need). Print and Preview count as printing
    // (app->printingCount) while they run; Print also sets isprinting.
    // Print proposes, for a PDF, the document's own folder and name. Print
    // Setup sets the paper, orientation and margins (PageLayoutDialog).
    void CmFilePrint();
    void CmFilePrintSetup();
    void CmFilePrintPreview();
    // Whether the three are available: a document window is open and the
    // printer is usable.
    bool CmPrintEnable();

    // The active document window (the last one activated while the program
    // was in the background), or nullptr.
    okapMDIChild* ActiveChild() const;
    QList<okapMDIChild*> Children() const;

signals:
    // A document was opened from, or saved to, the file of this full name.
    void DocumentFileUsed(const QString& path);

private:
    okapMDIChild* OpenFile(const QString& name);
    // Puts a new document window into the client, whose saves it reports.
    void Adopt(okapMDIChild* child);
    // Shows a window of the client, maximised when the active one was.
    void Show(okapMDIChild* child, bool maximised);
    // The application's printer, made on first need.
    QPrinter& EnsurePrinter();
    // Before a print command: when the system's default printer is no longer
    // the one it was as the printer was made, a printer for the new default
    // takes its place.
    void FollowDefaultPrinter();

    int newDocumentCount = 0;
    // The system's default printer when the application's printer was made
    // or first seen.
    std::optional<QString> defaultPrinterName;
};

}  // namespace okap
