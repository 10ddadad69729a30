#pragma once
// The main window: the MDI client in the middle, the menus of the command
// table, the tool bar on top and the status bar with the keyboard
// indicators at the bottom. Every command of the menus, the tool bar and the
// accelerators comes to Command(), which hands it to the application, the
// MDI client or the active document window.

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <map>

#include "app/frame/recent_files.h"

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QToolBar;

namespace okap {

class HelpWindow;
class okapApp;
class okapMDIClient;

enum class Indicator { Caps, Num, Scroll, Overtype };

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Takes the MDI client as its central widget.
    MainFrame(okapApp& application, okapMDIClient* client);
    ~MainFrame() override;

    // Carries out one command of the table (in context-help mode: shows its
    // help topic instead).
    void Command(int id);

    // The action of a command id (menu item, button or key), or nullptr.
    QAction* Action(int id) const;
    QToolBar* SpeedBar() const { return speedBar; }
    okapMDIClient* MDIClient() const { return mdiClient; }

    // Turns the document and window commands on or off after the active
    // document window has changed.
    void UpdateCommandEnabling();

    // The title names the active document ("NAME.oki - OKAP", with the
    // change mark while it differs from its file), or the program alone.
    void UpdateTitle();

    // The help window, made on first use; CloseHelp closes it if it is open.
    HelpWindow* Help();
    void CloseHelp();

    // File > 1 to 8: the documents opened or saved last. Opening one that
    // no longer exists takes it off the list with a message.
    // Opens each document as File > Open does (the same messages for a
    // missing or bad file), in the order given.
    void OpenDocuments(const QStringList& paths);

    // The frame's place, size and tool bar as the last run left them
    // (okap.ini's "[Main Window]"), shown. False, and not shown, when none
    // is stored, it cannot be used or the frame was left maximised: the
    // caller then maximises it.
    bool RestorePlacement();
    // Stores them for the next run.
    void StorePlacement();

    const RecentFiles& Recent() const { return recentFiles; }
    void OpenRecent(const QString& path);

    bool IndicatorOn(Indicator indicator) const { return indicatorOn[static_cast<size_t>(indicator)]; }
    void SetIndicator(Indicator indicator, bool on);

protected:
    // Closing asks every document window whether it may close, then lets
    // the application close the help window.
    void closeEvent(QCloseEvent* event) override;
    // The system's record of the lock keys, where readable, corrects the
    // indicators whenever the frame is activated.
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Map documents (.oki files) dropped anywhere on the frame open; other
    // files are refused.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* MakeAction(const QString& text, int id);
    void BuildMenus();
    void SetupSpeedBar();
    void BuildStatusBar();
    void BuildAccelerators();
    void BuildStandardKeys();
    void ListWindows(QMenu* windowMenu);
    // Puts path at the top of the recent files and of the File menu.
    void RememberFile(const QString& path);
    // The File menu's numbered entries, before Exit.
    void ListRecentFiles();
    void ArrangeIcons();
    // Reads the lock keys' state where the system shows it.
    void RefreshLockIndicators();

    okapApp& application;
    okapMDIClient* mdiClient;
    std::map<int, QAction*> actions;
    QToolBar* speedBar = nullptr;
    QPointer<HelpWindow> helpWindow;
    std::array<QLabel*, 4> indicators{};
    std::array<bool, 4> indicatorOn{};
    QList<QAction*> windowListActions;
    RecentFiles recentFiles;
    QMenu* fileMenu = nullptr;
    QList<QAction*> recentFileActions;
    // Set while UpdateTitle sets the title, which the MDI area of a
    // maximised window would otherwise replace with its own.
    bool settingTitle = false;
};

}  // namespace okap
