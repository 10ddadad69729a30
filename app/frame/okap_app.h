#pragma once
// The application object: starts the program, reads okap.ini, builds the
// main window and handles the commands that belong to no document
// (Import, Configure, Map Translator, help, About). Documents, views and dialogs
// reach its settings through the global pointer `app`.
//
// For the document windows:
// - app->programPath, mapPath, dataPath, metafileResolution,
//   printingCount, metafileCopying: the settings (AppSettings).
// - ShowStatus(text): writes text to the main window's status bar (does
//   nothing when there is none, as in tests without a frame).

#include <QObject>
#include <QString>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/frame/app_settings.h"

class QEvent;
class QPrinter;
class QStatusBar;

namespace okap {

class MainFrame;
class okapMDIClient;
struct ACDialogTB;

class okapApp : public QObject, public AppSettings {
    Q_OBJECT
public:
    okapApp();
    ~okapApp() override;
    okapApp(const okapApp&) = delete;
    okapApp& operator=(const okapApp&) = delete;

    // Creates the MDI client and the main frame with its menus, tool bar and
    // status bar, shows it maximised, reads okap.ini and sets `app`.
    //
    // With no okap.ini yet (a first start) it writes one with the settings
    // of FirstStartSettings, says where it is and opens Configure. When a
    // key of an existing okap.ini is missing or empty it reports "Error
    // reading from okap.ini" with the file and the keys, and asks the event
    // loop to quit with exit code 0 (quitRequested), but finishes its work.
    //
    // The optional key "Diagnostic log" of section "Configuration" switches
    // debugging on when it is a non-zero number: the diagnostic log okap.deb
    // is then written in StateDirectory().
    void InitMainWindow();

    // Asked when the main window closes, after every document agreed:
    // closes the help window.
    bool CanClose();

    // The application commands.
    void CmOKAPConfig();
    void CmToolTranslate();
    // File > Import (RunImport).
    void CmFileImport();
    void CmHelpContents();
    void CmHelpUsing();
    void CmHelpAbout();

    // Context help: in context-help mode (or while F1 is held down) a
    // command is not carried out; its help topic is shown instead and the
    // mode ends. Returns true when it took the command.
    bool ContextHelpFor(int commandId);
    void EnterContextHelpMode();
    void LeaveContextHelpMode();

    MainFrame* Frame() const { return frame.get(); }

    // True once a Help-menu command has shown the help window.
    bool helpUsed = false;
    // True while the context-help cursor is active.
    bool contextHelpMode = false;
    // The current printer; none until printing makes one.
    std::unique_ptr<QPrinter> printer;
    // The MDI client of the main frame, made by InitMainWindow.
    okapMDIClient* mdiClient = nullptr;
    // The main window's status bar.
    QStatusBar* statusBar = nullptr;
    // Set when start-up asked the event loop to end, with its exit code.
    std::optional<int> quitRequested;

protected:
    // Looks at every event before it is delivered: F1, Shift+F1 and Escape
    // for help, and mouse moves, which blank the status bar.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads the five keys of okap.ini into the settings; what is wrong with
    // the file, a line for each key that is missing or empty.
    std::vector<std::string> ReadConfiguration();
    // Ends the program as soon as its event loop starts, with exit code 0.
    void RequestQuit();
    // Opens okap.deb when okap.ini asks for it.
    void OpenDiagnosticLog(const std::filesystem::path& iniPath);
    // Says where the new okap.ini is, then runs Configure.
    void WelcomeFirstStart(const std::filesystem::path& iniPath);
    // Stores what the Configure dialog gave on OK and writes it to okap.ini.
    // A failed write reports "Error writing to okap.ini" and abandons the
    // rest.
    void ApplyConfiguration(const ACDialogTB& values);
    // Makes the program directory current for help; reports and returns
    // false when it does not exist.
    bool SetHelpDirectory();

    std::unique_ptr<MainFrame> frame;
    bool f1Down = false;
    // The diagnostic log while debugging is on.
    std::unique_ptr<std::ofstream> diagnosticLog;
};

// The one application object, set by InitMainWindow.
extern okapApp* app;

// Writes text to the main window's status bar, if there is one.
void ShowStatus(const QString& text);

// Makes the configured map file path current, where the document and
// format files live. When it cannot, shows "Map file path does not exist"
// and returns false.
bool MapPathIsCurrent();

}  // namespace okap
