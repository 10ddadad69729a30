#pragma once
// The main window's client area (okapMDIClient): it makes the document
// windows of File New and File Open and asks them all before the program
// ends.

#include <QList>
#include <QMdiArea>
#include <QString>

namespace okap {

class okapMDIChild;

class okapMDIClient : public QMdiArea {
    Q_OBJECT
public:
    explicit okapMDIClient(QWidget* parent = nullptr);

    // File New: a window titled "Document" and the next number (from 0)
    // with the defaults of a new map, maximised when the active document
    // window is. Returns the new window.
    okapMDIChild* CmFileNew();
    // File Open: asks for a document in the map file path and opens it.
    void CmFileOpen();
    // File Open of a named document (relative names are in the map file
    // path). A name without ".oki" (any case) is refused before any window
    // is made; a file that cannot be read is reported and gets no window.
    // Returns the new window, or nullptr.
    okapMDIChild* CmFileOpen(const QString& path);

    // Program exit: asks each changed document in turn whether to save it
    // ("Map has changed"); false as soon as one answer keeps its window.
    // The windows are left open either way.
    bool CanCloseAll();

    // The active document window (the last one activated while the program
    // was in the background), or nullptr.
    okapMDIChild* ActiveChild() const;
    QList<okapMDIChild*> Children() const;

private:
    okapMDIChild* OpenFile(const QString& name);
    // Shows a window of the client, maximised when the active one was.
    void Show(okapMDIChild* child, bool maximised);

    int newDocumentCount = 0;
};

}  // namespace okap
