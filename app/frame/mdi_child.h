#pragma once
// A document window (okapMDIChild): one map document with its view, inside
// the main window's MDI client. It handles the document's commands (Close,
// Save, Save As, the clipboard copies, Full Scale, Set Coordinates, the
// cursor tools) and asks to save a changed map before it closes.

#include <QMdiSubWindow>
#include <string>

#include "view/map_document.h"

class QByteArray;

namespace okap {

class okapWindow;

class okapMDIChild : public QMdiSubWindow {
    Q_OBJECT
public:
    // A document titled title; with an empty fileName it starts with the
    // defaults of a document made without a file, otherwise unchanged and
    // waiting for its file to be read. The view is made here too.
    okapMDIChild(const std::string& title, const std::string& fileName, QWidget* parent = nullptr);

    MapDocument& Document() { return document; }
    okapWindow* View() const { return view; }

    // The defaults of a map started with File New.
    void New() { document.New(); }

    // True when the window may close: a changed map is offered for saving
    // first ("Map has changed"); Cancel, or a save that did not happen,
    // keeps the window.
    bool CanClose();

    // The window's position in the MDI client and its size, as saved in
    // the document's file.
    WindowPlacement Placement() const;

    // File: Close asks CanClose, then closes the window. Save writes the
    // document's file (Save As when it has none); Save As asks for a name.
    // Both return true when the file was written.
    void CMFileClose();
    bool CMFileSave();
    bool CMFileSaveAs();
    // Edit: the picture on screen as an image, or the map drawn afresh as
    // SVG (MIME type image/svg+xml) at the configured metafile resolution.
    void CMCopyBitmap();
    void CMCopyMetafile();
    // Options: the details, map box style and grid settings in "Map
    // display options". The map is redrawn and marked changed after OK and
    // Cancel alike, since the style edits take effect at once.
    void CMDisplayOptions();
    // Options: the map layers and the data layers, chosen in their layer
    // dialogs. OK writes the layer table from the dialog's list; a map
    // needs a base map, so OK with no map layer asks for one and opens the
    // dialog again. Cancel keeps the layers. Either way the map is redrawn
    // and marked changed.
    void CMMapLayers();
    void CMDataLayers();
    // Map: the whole world; a centre and scale typed in.
    void CMMapFullScale();
    void CMMapSetCoordinates();
    // Cursor: the view's tools. Choosing one marks the document changed.
    void CMCursorZoomin();
    void CMCursorZoomout();
    // Identify: a click shows what lies under the pointer.
    void CMCursorDatainfo();
    void CMCursorMeasure();

    // The SVG that Copy Metafile puts on the clipboard: the map drawn at the
    // metafile resolution r wide and r x the view's height / width high.
    // Empty when there is no resolution or the view has no width.
    QByteArray MetafileSvg();

signals:
    // The document's file was written, under its full name.
    void FileWritten(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Maximised, Qt's MDI window would write its title into the main
    // window's each time that changes; the main window makes its own.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Over the window's own frame (not the view) the status bar says so.
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Compares the document with its file and shows the change mark in the
    // title.
    void ShowModified();
    void SelectTool(int mode);
    void SetTitle(const std::string& title);

    MapDocument document;
    okapWindow* view;
};

}  // namespace okap
