#include "app/frame/main_frame.h"

#include <cstring>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QWindow>
#include <string_view>

#include "app/frame/command_ids.h"
#include "app/frame/command_table.h"
#include "app/frame/export_command.h"
#include "app/controls/glyphs.h"
#include "app/help/help_window.h"
#include "app/frame/keyboard_locks.h"
#include "app/frame/mdi_child.h"
#include "app/frame/map_window.h"
#include "app/frame/mdi_client.h"
#include "app/frame/okap_app.h"
#include "core/app_title.h"
#include "platform/config_location.h"
#include "platform/message_box.h"
#include "platform/profile_file.h"

namespace okap {

namespace {

// The commands a document window carries out: off while there is none.
constexpr int kDocumentCommands[] = {
    CM_FILECLOSE,    CM_FILESAVE,          CM_FILESAVEAS,   CM_COPYBITMAP,    CM_COPYMETAFILE,
    CM_MAPFULLSCALE, CM_MAPSETCOORDINATES, CM_CURSORZOOMIN, CM_CURSORZOOMOUT, CM_CURSORMEASURE,
    CM_CURSORDATAINFO, CM_DISPLAYOPTIONS, CM_MAPLAYERS, CM_DATALAYERS, CM_VIEWBACK, CM_VIEWFORWARD,
};

// The window arrangement commands: off while no document window is open.
constexpr int kWindowCommands[] = {CM_CASCADECHILDREN, CM_TILECHILDREN, CM_ARRANGEICONS, CM_CLOSECHILDREN};

// Print, Print Setup and Print Preview: on while a document window is open
// and the printer is usable.
constexpr int kPrintCommands[] = {CM_FILEPRINT, CM_FILEPRINTERSETUP, CM_FILEPRINTPREVIEW};

constexpr const char* kIndicatorTexts[] = {"CAPS", "NUM", "SCRL", "OVR"};

// okap.ini's section for the frame's place, its keys base64 of what Qt
// saves of a main window.
constexpr const char* kMainWindow = "Main Window";
constexpr const char* kGeometry = "Geometry";
constexpr const char* kState = "State";

// The map documents among dropped data: local files named *.oki.
QStringList DroppedDocuments(const QMimeData* data) {
    QStringList documents;
    if (!data || !data->hasUrls()) return documents;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && url.toLocalFile().endsWith(".oki", Qt::CaseInsensitive))
            documents << url.toLocalFile();
    }
    return documents;
}

}  // namespace

MainFrame::MainFrame(okapApp& application, okapMDIClient* client)
    : application(application), mdiClient(client), recentFiles(ConfigFilePath()) {
    setWindowTitle(kAppTitle);
    setAcceptDrops(true);
    setWindowIcon(AppIcon());
    setCentralWidget(mdiClient);
    BuildMenus();
    SetupSpeedBar();
    BuildStatusBar();
    BuildAccelerators();
    BuildStandardKeys();
    connect(mdiClient, &QMdiArea::subWindowActivated, this, &MainFrame::UpdateCommandEnabling);
    connect(mdiClient, &QMdiArea::subWindowActivated, this, &MainFrame::UpdateTitle);
    connect(mdiClient, &okapMDIClient::DocumentFileUsed, this, &MainFrame::RememberFile);
    ListRecentFiles();
    UpdateCommandEnabling();
}

// The MDI area is destroyed after the frame's own part, and closing its
// windows then activates others: the frame must no longer hear of it.
MainFrame::~MainFrame() { disconnect(mdiClient, nullptr, this, nullptr); }

QAction* MainFrame::MakeAction(const QString& text, int id) {
    auto* action = new QAction(text, this);
    if (const char* hint = CommandHint(id)) action->setStatusTip(hint);
    if (QIcon glyph = CommandGlyph(id); !glyph.isNull()) action->setIcon(glyph);
    // The menus show no pictures, as the menu resource has none.
    action->setIconVisibleInMenu(false);
    connect(action, &QAction::triggered, this, [this, id] { Command(id); });
    actions[id] = action;
    return action;
}

void MainFrame::BuildMenus() {
    for (const MenuPopup& popup : MainMenu()) {
        QMenu* menu = menuBar()->addMenu(popup.title);
        if (popup.hint) menu->menuAction()->setStatusTip(popup.hint);
        for (const MenuItem& item : popup.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = MakeAction(item.text, item.id);
            action->setEnabled(!item.grey);
            // The keys a menu item names after a tab work anywhere in the
            // frame.
            if (const char* tab = std::strchr(item.text, '\t')) {
                action->setShortcut(QKeySequence(QString::fromUtf8(tab + 1)));
                addAction(action);
            }
            menu->addAction(action);
        }
        // The layers of a document change without a change of window: the
        // commands that depend on them are brought up to date as a menu
        // opens.
        connect(menu, &QMenu::aboutToShow, this, &MainFrame::UpdateCommandEnabling);
        // The File menu also lists the recent files.
        if (std::string_view(popup.title) == "&File") fileMenu = menu;
        // The Window menu also lists the open document windows.
        if (std::string_view(popup.title) == "&Window") {
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { ListWindows(menu); });
        }
    }
}

void MainFrame::SetupSpeedBar() {
    speedBar = addToolBar("Tool bar");
    speedBar->setObjectName("speedBar");
    speedBar->setMovable(false);
    speedBar->setIconSize(QSize(20, 20));
    for (int id : ToolBarCommands()) {
        if (id == 0) {
            speedBar->addSeparator();
        } else {
            speedBar->addAction(actions.at(id));
        }
    }
}

void MainFrame::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    for (size_t i = 0; i < indicators.size(); ++i) {
        auto* label = new QLabel(bar);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        // Wide enough for its text, so that the bar does not move as the
        // indicators come and go.
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString(" %1 ").arg(kIndicatorTexts[i])));
        bar->addPermanentWidget(label);
        indicators[i] = label;
    }
    RefreshLockIndicators();

    // Insert switches between inserting and overtyping.
    auto* insert = new QShortcut(QKeySequence(Qt::Key_Insert), this);
    connect(insert, &QShortcut::activated, this,
            [this] { SetIndicator(Indicator::Overtype, !IndicatorOn(Indicator::Overtype)); });
    // Lock keys pressed in any of the program's windows switch their
    // indicator (see eventFilter).
    qApp->installEventFilter(this);
}

void MainFrame::BuildAccelerators() {
    for (const Accelerator& accelerator : Accelerators()) {
        QAction* action = MakeAction(CommandHint(accelerator.id), accelerator.id);
        action->setShortcut(QKeySequence(accelerator.keys));
        addAction(action);
    }
}

void MainFrame::BuildStandardKeys() {
    for (const StandardKey& standard : StandardKeys()) {
        QAction* action = actions.at(standard.id);
        const QKeySequence key(QString::fromUtf8(standard.keys));
        // Where an item names its keys after a tab, that label is all the
        // menu shows: the standard key joins it.
        const QString text = action->text();
        if (text.contains('\t') || standard.shownOnly) {
            // The tool bar's tip stays the item's name alone.
            action->setToolTip(action->toolTip());
            action->setText(text + (text.contains('\t') ? ", " : "\t") + key.toString(QKeySequence::NativeText));
        }
        if (standard.shownOnly) continue;
        action->setShortcuts(action->shortcuts() << key);
        // Like the accelerators, the keys work anywhere in the frame.
        addAction(action);
    }
}

void MainFrame::SetIndicator(Indicator indicator, bool on) {
    size_t i = static_cast<size_t>(indicator);
    indicatorOn[i] = on;
    indicators[i]->setText(on ? kIndicatorTexts[i] : "");
}

void MainFrame::RefreshLockIndicators() {
    const std::pair<KeyboardLock, Indicator> locks[] = {
        {KeyboardLock::Caps, Indicator::Caps}, {KeyboardLock::Num, Indicator::Num},
        {KeyboardLock::Scroll, Indicator::Scroll}};
    for (auto [lock, indicator] : locks) {
        if (std::optional<bool> on = LockLedState(lock)) SetIndicator(indicator, *on);
    }
}

void MainFrame::UpdateTitle() {
    okapMDIChild* child = mdiClient->ActiveChild();
    QString title = kAppTitle;
    if (child) {
        // The file's name without its folder, as task bars show it.
        title = QFileInfo(QString::fromStdString(child->Document().title)).fileName() + "[*] - " + title;
    }
    settingTitle = true;
    setWindowTitle(title);
    setWindowModified(child && child->isWindowModified());
    settingTitle = false;
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
    // A document window's new title or change mark shows in the frame's.
    if ((event->type() == QEvent::WindowTitleChange || event->type() == QEvent::ModifiedChange) &&
        watched == mdiClient->currentSubWindow()) {
        UpdateTitle();
    }
    // Each key reaches its window once, and then possibly several widgets:
    // the window's copy is the one to count.
    if (event->type() == QEvent::KeyPress && qobject_cast<QWindow*>(watched)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const std::pair<int, Indicator> locks[] = {
            {Qt::Key_CapsLock, Indicator::Caps}, {Qt::Key_NumLock, Indicator::Num}, {Qt::Key_ScrollLock, Indicator::Scroll}};
        for (auto [lockKey, indicator] : locks) {
            if (key->key() == lockKey && !key->isAutoRepeat()) SetIndicator(indicator, !IndicatorOn(indicator));
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) RefreshLockIndicators();
    // A maximised document window writes its title and change mark into
    // the frame's; the frame keeps its own.
    if ((event->type() == QEvent::WindowTitleChange || event->type() == QEvent::ModifiedChange) && !settingTitle)
        UpdateTitle();
    QMainWindow::changeEvent(event);
}

QAction* MainFrame::Action(int id) const {
    auto it = actions.find(id);
    return it == actions.end() ? nullptr : it->second;
}

void MainFrame::UpdateCommandEnabling() {
    bool hasDocument = mdiClient->ActiveChild() != nullptr;
    for (int id : kDocumentCommands) actions.at(id)->setEnabled(hasDocument);
    bool hasWindows = !mdiClient->subWindowList().isEmpty();
    for (int id : kWindowCommands) actions.at(id)->setEnabled(hasWindows);
    const bool canPrint = mdiClient->CmPrintEnable();
    for (int id : kPrintCommands) actions.at(id)->setEnabled(canPrint);
    // Export takes the active document's map layers.
    okapMDIChild* child = mdiClient->ActiveChild();
    actions.at(CM_FILEEXPORT)->setEnabled(child != nullptr && child->Document().mapLayerCount > 0);
}

void MainFrame::Command(int id) {
    if (application.ContextHelpFor(id)) return;
    switch (id) {
        case CM_FILENEW: mdiClient->CmFileNew(); return;
        case CM_FILEOPEN: mdiClient->CmFileOpen(); return;
        case CM_FILEPRINT: mdiClient->CmFilePrint(); return;
        case CM_FILEPRINTERSETUP: mdiClient->CmFilePrintSetup(); return;
        case CM_FILEPRINTPREVIEW: mdiClient->CmFilePrintPreview(); return;
        case CM_EXIT: close(); return;
        case CM_OKAPCONFIG: application.CmOKAPConfig(); return;
        case CM_FILEIMPORT: application.CmFileImport(); return;
        case CM_TOOLTRANSLATE: application.CmToolTranslate(); return;
        case CM_HELPCONTENTS: application.CmHelpContents(); return;
        case CM_HELPUSING: application.CmHelpUsing(); return;
        case CM_HELPABOUT: application.CmHelpAbout(); return;
        case CM_CASCADECHILDREN: mdiClient->cascadeSubWindows(); return;
        case CM_TILECHILDREN: mdiClient->tileSubWindows(); return;
        case CM_ARRANGEICONS: ArrangeIcons(); return;
        case CM_CLOSECHILDREN: mdiClient->closeAllSubWindows(); return;
        default: break;
    }
    okapMDIChild* child = mdiClient->ActiveChild();
    if (!child) return;
    switch (id) {
        case CM_FILECLOSE: child->CMFileClose(); return;
        case CM_FILESAVE: child->CMFileSave(); return;
        case CM_FILESAVEAS: child->CMFileSaveAs(); return;
        case CM_FILEEXPORT: RunExport(this, *child); return;
        case CM_COPYBITMAP: child->CMCopyBitmap(); return;
        case CM_COPYMETAFILE: child->CMCopyMetafile(); return;
        case CM_MAPFULLSCALE: child->CMMapFullScale(); return;
        case CM_MAPSETCOORDINATES: child->CMMapSetCoordinates(); return;
        case CM_VIEWBACK: child->View()->Back(); return;
        case CM_VIEWFORWARD: child->View()->Forward(); return;
        case CM_DISPLAYOPTIONS: child->CMDisplayOptions(); return;
        case CM_MAPLAYERS: child->CMMapLayers(); return;
        case CM_DATALAYERS: child->CMDataLayers(); return;
        case CM_CURSORZOOMIN: child->CMCursorZoomin(); return;
        case CM_CURSORZOOMOUT: child->CMCursorZoomout(); return;
        case CM_CURSORDATAINFO: child->CMCursorDatainfo(); return;
        case CM_CURSORMEASURE: child->CMCursorMeasure(); return;
        default: return;
    }
}

void MainFrame::ListWindows(QMenu* windowMenu) {
    qDeleteAll(windowListActions);
    windowListActions.clear();
    const QList<QMdiSubWindow*> windows = mdiClient->subWindowList();
    if (windows.isEmpty()) return;
    windowListActions.append(windowMenu->addSeparator());
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        // The title without the place of the change mark.
        const QString title = QString(window->windowTitle()).remove("[*]");
        QString text = i < 9 ? QString("&%1 %2").arg(i + 1).arg(title) : title;
        QAction* action = windowMenu->addAction(text);
        // Only the active window is marked: a checkable entry shows an empty
        // box when it is not checked.
        if (window == mdiClient->currentSubWindow()) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        connect(action, &QAction::triggered, this, [this, window] { mdiClient->setActiveSubWindow(window); });
        windowListActions.append(action);
    }
}

void MainFrame::OpenDocuments(const QStringList& paths) {
    for (const QString& path : paths) mdiClient->CmFileOpen(path);
}

void MainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedDocuments(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainFrame::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppedDocuments(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* event) {
    const QStringList documents = DroppedDocuments(event->mimeData());
    if (documents.isEmpty()) return;
    event->acceptProposedAction();
    // Opened once the drop is over, so that the program that dragged them
    // does not wait for a message box.
    QMetaObject::invokeMethod(this, [this, documents] { OpenDocuments(documents); }, Qt::QueuedConnection);
}

bool MainFrame::RestorePlacement() {
    const ProfileFile ini(ConfigFilePath());
    const std::optional<std::string> geometry = ini.GetString(kMainWindow, kGeometry);
    if (!geometry || !restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*geometry)))) return false;
    if (const std::optional<std::string> state = ini.GetString(kMainWindow, kState))
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(*state)));
    // Left maximised, it is maximised as at a first start, which also
    // covers the screen where no window manager maximises it.
    if (isMaximized()) return false;
    show();
    return true;
}

void MainFrame::StorePlacement() {
    // A failed write costs only the place at the next start.
    ProfileFile ini(ConfigFilePath());
    if (ini.WriteString(kMainWindow, kGeometry, saveGeometry().toBase64().toStdString()))
        ini.WriteString(kMainWindow, kState, saveState().toBase64().toStdString());
}

void MainFrame::RememberFile(const QString& path) {
    // Should okap.ini not take the list, the menu still follows it for
    // this run.
    recentFiles.Add(path.toStdString());
    ListRecentFiles();
}

void MainFrame::ListRecentFiles() {
    qDeleteAll(recentFileActions);
    recentFileActions.clear();
    const std::vector<std::string>& files = recentFiles.Files();
    if (files.empty()) return;
    QAction* exitItem = actions.at(CM_EXIT);
    const QString home = QDir::homePath();
    for (size_t i = 0; i < files.size(); ++i) {
        const QString path = QString::fromStdString(files[i]);
        // The home folder as "~", and "&" doubled so that it is not taken
        // for the entry's access key.
        QString shown = path.startsWith(home + '/') ? '~' + path.mid(home.size()) : path;
        auto* entry = new QAction(QString("&%1 %2").arg(i + 1).arg(shown.replace('&', "&&")), fileMenu);
        entry->setStatusTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { OpenRecent(path); });
        fileMenu->insertAction(exitItem, entry);
        recentFileActions.append(entry);
    }
    QAction* separator = new QAction(fileMenu);
    separator->setSeparator(true);
    fileMenu->insertAction(exitItem, separator);
    recentFileActions.append(separator);
}

void MainFrame::OpenRecent(const QString& path) {
    if (application.ContextHelpFor(CM_FILEOPEN)) return;
    if (!QFileInfo::exists(path)) {
        recentFiles.Remove(path.toStdString());
        ListRecentFiles();
        ShowError("File " + path.toStdString() + " does not exist - removed from the recent files");
        return;
    }
    mdiClient->CmFileOpen(path);
}

// Lines the minimised document windows up along the bottom of the client
// area, left to right.
void MainFrame::ArrangeIcons() {
    int x = 0;
    for (QMdiSubWindow* window : mdiClient->subWindowList()) {
        if (!window->isMinimized()) continue;
        QSize size = window->size();
        window->move(x, mdiClient->viewport()->height() - size.height());
        x += size.width();
    }
}

HelpWindow* MainFrame::Help() {
    if (!helpWindow) helpWindow = new HelpWindow(this);
    return helpWindow;
}

void MainFrame::CloseHelp() {
    if (helpWindow) helpWindow->close();
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (!mdiClient->CanCloseAll()) {
        event->ignore();
        return;
    }
    application.CanClose();
    StorePlacement();
    event->accept();
}

}  // namespace okap
