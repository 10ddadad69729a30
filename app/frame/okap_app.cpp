#include "app/frame/okap_app.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPrinter>
#include <QScreen>
#include <QWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <array>
#include <climits>
#include <system_error>

#include "app/dialogs/about_dialog.h"
#include "app/dialogs/configure_dialog.h"
#include "app/frame/first_start.h"
#include "app/controls/glyphs.h"
#include "app/help/help_window.h"
#include "app/frame/import_command.h"
#include "app/frame/main_frame.h"
#include "app/frame/mdi_client.h"
#include "app/dialogs/modal_dialog.h"
#include "app/dialogs/translator/translator_dialog.h"
#include "core/app_title.h"
#include "core/globals.h"
#include "platform/config_location.h"
#include "platform/diagnostic_log.h"
#include "platform/large_blocks.h"
#include "platform/message_box.h"
#include "platform/profile_file.h"
#include "platform/set_wd.h"

// The pictures and help pages are compiled into the program's library; a
// static library's resources must be registered by hand.
static void RegisterResources() { Q_INIT_RESOURCE(okap); }

namespace okap {

okapApp* app = nullptr;

namespace {

constexpr const char* kFilePaths = "File Paths";
constexpr const char* kConfiguration = "Configuration";
constexpr const char* kMetafileResolution = "Metafile resolution";
constexpr const char* kPostscriptModification = "Postscript modification";
// Optional: debugging is on when it is a non-zero number.
constexpr const char* kDiagnosticLog = "Diagnostic log";

// A decimal integer at the start of text, as atoi reads it: leading blanks,
// an optional sign, the digits up to the first other character; 0 when
// there are none. Values beyond the range of int are held at its ends.
int ParseDecimal(const std::string& text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) return 0;
    bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+') ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    value = negative ? -value : value;
    return static_cast<int>(std::clamp(value, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
}

// The five keys of okap.ini, in the order they are read; the key names are
// matched without regard to case. A key counts as missing when its value
// is empty.
struct ConfigValues {
    std::array<std::string, 5> values;
    // A line for each key that is missing or empty.
    std::vector<std::string> problems;
};

ConfigValues ReadConfigValues(const std::array<const char*, 3>& pathKeys) {
    ProfileFile ini(ConfigFilePath());
    const std::pair<const char*, const char*> keys[] = {{kFilePaths, pathKeys[0]},
                                                        {kFilePaths, pathKeys[1]},
                                                        {kFilePaths, pathKeys[2]},
                                                        {kConfiguration, kMetafileResolution},
                                                        {kConfiguration, kPostscriptModification}};
    ConfigValues read;
    for (size_t i = 0; i < read.values.size(); ++i) {
        const auto [section, key] = keys[i];
        const std::optional<std::string> value = ini.GetString(section, key);
        read.values[i] = value.value_or("");
        if (read.values[i].empty()) {
            read.problems.push_back(std::string("\"") + key + "\" in section [" + section + "] is " +
                                    (value ? "empty." : "missing."));
        }
    }
    return read;
}

// The start's message for a broken okap.ini: the system's text, then the
// file and what is wrong with it.
std::string ReadErrorText(const std::filesystem::path& iniPath, const std::vector<std::string>& problems) {
    std::string text = "Error reading from okap.ini\n\n" + iniPath.string() + ":";
    std::ifstream readable(iniPath);
    if (!readable) return text + "\nThe file cannot be read.";
    for (const std::string& problem : problems) text += "\n" + problem;
    return text;
}

// Writes the five keys, in the order Configure writes them. False as soon as
// one cannot be written.
bool WriteConfigValues(const ACDialogTB& values) {
    ProfileFile ini(ConfigFilePath());
    return ini.WriteString(kFilePaths, "Program files", values.programPath) &&
           ini.WriteString(kFilePaths, "Map files", values.mapsPath) &&
           ini.WriteString(kFilePaths, "Data files", values.dataPath) &&
           ini.WriteString(kConfiguration, kMetafileResolution, values.resolution) &&
           ini.WriteString(kConfiguration, kPostscriptModification, values.postscript ? "1" : "0");
}

// True for the menus, the menu bar and the tool bar, whose hints in the
// status bar must stay while the mouse moves over them.
bool ShowsHints(QObject* object) {
    for (; object; object = object->parent()) {
        if (qobject_cast<QMenu*>(object) || qobject_cast<QMenuBar*>(object) || qobject_cast<QToolBar*>(object)) {
            return true;
        }
    }
    return false;
}

}  // namespace

okapApp::okapApp() {
    ReturnLargeBlocksToSystem();
    RegisterResources();
}

okapApp::~okapApp() {
    LeaveContextHelpMode();
    if (diagnosticLog) {
        // A log set since (by a test) stays.
        std::ostream* current = SetDiagnosticLog(nullptr);
        if (current != diagnosticLog.get()) SetDiagnosticLog(current);
    }
    if (app == this) app = nullptr;
}

void okapApp::InitMainWindow() {
    mdiClient = new okapMDIClient(nullptr);
    frame = std::make_unique<MainFrame>(*this, mdiClient);
    statusBar = frame->statusBar();
    QApplication::setWindowIcon(AppIcon());
    // Where the last run left it; else maximised where a window manager does
    // it, and where none does (a bare X server), the frame still covers the
    // screen's free area, so that the document windows saved at their full
    // size fit in it.
    if (!frame->RestorePlacement()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) frame->setGeometry(screen->availableGeometry());
        frame->showMaximized();
    }
    qApp->installEventFilter(this);

    const std::filesystem::path iniPath = ConfigFilePath();
    std::error_code ignored;
    const bool firstStart = !std::filesystem::exists(iniPath, ignored);
    if (firstStart && !WriteConfigValues(FirstStartSettings(QCoreApplication::applicationDirPath().toStdString()))) {
        ShowError("Error writing to okap.ini\n\n" + iniPath.string());
        RequestQuit();
    } else if (const std::vector<std::string> problems = ReadConfiguration(); !problems.empty()) {
        ShowError(ReadErrorText(iniPath, problems));
        RequestQuit();
    } else {
        OpenDiagnosticLog(iniPath);
    }
    app = this;
    if (firstStart && !quitRequested) WelcomeFirstStart(iniPath);
}

void okapApp::RequestQuit() {
    quitRequested = 0;
    QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

std::vector<std::string> okapApp::ReadConfiguration() {
    ConfigValues read = ReadConfigValues({"Program Files", "Map Files", "Data Files"});
    programPath = read.values[0];
    mapPath = read.values[1];
    dataPath = read.values[2];
    metafileResolution = ParseDecimal(read.values[3]);
    postmod = ParseDecimal(read.values[4]);
    return read.problems;
}

void okapApp::OpenDiagnosticLog(const std::filesystem::path& iniPath) {
    const std::optional<std::string> on = ProfileFile(iniPath).GetString(kConfiguration, kDiagnosticLog);
    if (!on || ParseDecimal(*on) == 0) return;
    const std::filesystem::path folder = StateDirectory();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    auto log = std::make_unique<std::ofstream>(folder / "okap.deb", std::ios::trunc);
    if (!*log) {
        ShowError("The diagnostic log " + (folder / "okap.deb").string() + " cannot be written.");
        return;
    }
    *log << "OKAP started with the settings of " << iniPath.string() << std::endl;
    diagnosticLog = std::move(log);
    SetDiagnosticLog(diagnosticLog.get());
}

void okapApp::WelcomeFirstStart(const std::filesystem::path& iniPath) {
    MessageBox("This first start made the settings file\n" + iniPath.string() + "\n\nMaps: " + mapPath +
                   "\nData: " + dataPath + "\n\nConfigure OKAP opens next, to change them.",
               kAppTitle, MessageButtons::Ok, MessageIcon::Information);
    CmOKAPConfig();
}

bool okapApp::CanClose() {
    if (helpUsed) frame->CloseHelp();
    return true;
}

void okapApp::CmOKAPConfig() {
    if (SetWD(programPath) != 0) {
        ShowError("Program path does not exist");
        return;
    }
    // The dialog shows what okap.ini holds now, which may differ from the
    // values read at start.
    ConfigValues read = ReadConfigValues({"Program files", "Map files", "Data files"});
    if (!read.problems.empty()) {
        ShowError("Error reading from okap.ini");
        return;
    }
    ACDialogTB values{read.values[0], read.values[1], read.values[2], read.values[3],
                      ParseDecimal(read.values[4]) != 0 ? 1u : 0u};
    ACDialog dialog(values, frame.get());
    if (ExecModal(dialog) != QDialog::Accepted) return;
    ApplyConfiguration(dialog.Values());
}

void okapApp::ApplyConfiguration(const ACDialogTB& values) {
    // The paths are taken as they are: a directory that does not exist
    // shows only when it is used.
    programPath = values.programPath;
    mapPath = values.mapsPath;
    dataPath = values.dataPath;
    if (!WriteConfigValues(values)) {
        ShowError("Error writing to okap.ini");
        return;
    }
    postmod = values.postscript ? 1 : 0;
    metafileResolution = ParseDecimal(values.resolution);
}

void okapApp::CmFileImport() {
    RunImport(frame.get(), *mdiClient);
    // A document may have its first map layer now: Export follows.
    frame->UpdateCommandEnabling();
}

void okapApp::CmToolTranslate() { RunMapTranslator(frame.get(), mapPath); }

bool okapApp::SetHelpDirectory() {
    if (SetWD(programPath) == 0) return true;
    ShowError("OKAP program path " + programPath + " does not exist");
    return false;
}

void okapApp::CmHelpContents() {
    if (SetHelpDirectory()) helpUsed = frame->Help()->ShowContents();
}

void okapApp::CmHelpUsing() {
    if (SetHelpDirectory()) helpUsed = frame->Help()->ShowUsingHelp();
}

void okapApp::CmHelpAbout() {
    okapAboutDlg dialog(frame.get());
    ExecModal(dialog);
}

bool okapApp::ContextHelpFor(int commandId) {
    if (!contextHelpMode && !f1Down) return false;
    LeaveContextHelpMode();
    if (SetHelpDirectory()) frame->Help()->ShowTopic(commandId);
    return true;
}

void okapApp::EnterContextHelpMode() {
    if (contextHelpMode) return;
    contextHelpMode = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
}

void okapApp::LeaveContextHelpMode() {
    if (!contextHelpMode) return;
    contextHelpMode = false;
    QApplication::restoreOverrideCursor();
}

bool okapApp::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_F1) {
                if (key->isAutoRepeat()) return true;
                f1Down = true;
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                if (menu || (key->modifiers() & Qt::ShiftModifier)) {
                    EnterContextHelpMode();
                    // F1 on an open menu: choose the highlighted item, which
                    // then shows its help.
                    if (menu) {
                        QCoreApplication::postEvent(menu,
                                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
                    }
                } else if (SetHelpDirectory()) {
                    frame->Help()->ShowContents();
                }
                return true;
            }
            if (key->key() == Qt::Key_Escape && contextHelpMode) {
                LeaveContextHelpMode();
                return true;
            }
            break;
        }
        case QEvent::KeyRelease:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) f1Down = false;
            break;
        case QEvent::ApplicationStateChange:
            // A release met by another program's window never comes here.
            if (static_cast<QApplicationStateChangeEvent*>(event)->applicationState() != Qt::ApplicationActive) {
                f1Down = false;
            }
            break;
        case QEvent::MouseMove:
            // Every move of the mouse over the program's windows blanks the
            // status bar; the widget under the mouse, such as a map view,
            // then writes its own text. Qt hands moves to widgets only when
            // they track the mouse, so this looks at the moves of the
            // windows themselves.
            if (statusBar && qobject_cast<QWindow*>(watched)) {
                QPoint where = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
                if (!ShowsHints(QApplication::widgetAt(where)) && statusBar->currentMessage() != " ") {
                    statusBar->showMessage(" ");
                }
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void ShowStatus(const QString& text) {
    if (app && app->statusBar) app->statusBar->showMessage(text);
}

bool MapPathIsCurrent() {
    if (SetWD(app->mapPath) == 0) return true;
    ShowError("Map file path does not exist");
    return false;
}

}  // namespace okap
