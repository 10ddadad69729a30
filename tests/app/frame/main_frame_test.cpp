#include "app/frame/main_frame.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSignalSpy>
#include <QUrl>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "app/frame/command_ids.h"
#include "app/frame/map_window.h"
#include "app/frame/mdi_child.h"
#include "app/frame/mdi_client.h"
#include "app/app_fixture.h"
#include "app/frame/desktop_fixture.h"
#include "platform/message_box.h"
#include "platform/profile_file.h"
#include "app/qstring_printer.h"

namespace okap {
namespace {

class MainFrameTest : public test::AppFixture {
protected:
    MainFrame& StartFrame() {
        WriteIni(GoodIni());
        return *Start().Frame();
    }
};

// The main menu as the program's command table gives it: popup titles with
// their hints, items with id and status-bar hint; "-" is a separator.
struct Item {
    const char* text;
    int id;
    const char* hint;
};
struct Popup {
    const char* title;
    const char* hint;
    std::vector<Item> items;
};

const std::vector<Popup> kExpectedMenu = {
    {"&File", "File/document operations",
     {{"&New", 24331, "Creates a new map"},
      {"&Open...", 24332, "Opens an existing map"},
      {"&Close", 24339, "Close this map"},
      {"-", 0, ""},
      {"&Save", 24333, "Saves this map"},
      {"Save &As...", 24334, "Saves this map with a new name"},
      {"-", 0, ""},
      {"&Import...", 24335, "Imports a layer of a vector dataset as a map file"},
      {"Expor&t...", 24336, "Exports the map layers for other GIS programs"},
      {"-", 0, ""},
      {"Print Pre&view...", 24340, "Display full pages as read-only"},
      {"&Print...", 24337, "Print this map"},
      {"P&rint Setup...", 24338, "Setup print characteristics"},
      {"-", 0, ""},
      {"E&xit\tAlt+F4, Ctrl+Q", 24310, "Quits OKAP and prompts to save the maps"}}},
    {"&Edit", "Edit operations",
     {{"Copy &Bitmap", 23104, "Copy a bit-image to the clipboard"},
      {"Copy &Metafile", 23105, "Copy a metafile to the clipboard"}}},
    {"&Options", "",
     {{"&Map Layers", 24810, "Modify map layers"},
      {"&Data Layers", 24808, "Modify data layers"},
      {"&Display options", 24812, "Configure display options for active map file"},
      {"&Configure OKAP", 24814, "Configure basic OKAP options"}}},
    {"&Map", "",
     {{"&Full Scale", 24702, "Display full scale world map."},
      {"&Set Coordinates", 24703, "Specify a center position and scale."}}},
    {"&View", "",
     {{"&Back\tAlt+Left", 24704, "Go back to the previous view of the map"},
      {"&Forward\tAlt+Right", 24705, "Go forward to the next view of the map"}}},
    {"&Cursor", "",
     {{"Zoom &In", 23120, "Use zoom in cursor"},
      {"Zoom &Out", 23121, "Use zoom out cursor"},
      {"I&dentify", 23122, "Use data info cursor"},
      {"&Measure", 23123, "Use measure cursor"}}},
    {"&Tools", "", {{"&Map Translator", 24816, "Translate map files"}}},
    {"&Window", "Window arrangement and selection",
     {{"&Cascade", 24361, "Cascades open windows"},
      {"&Tile", 24362, "Tiles open windows"},
      {"Arrange &Icons", 24364, "Arranges iconic windows along bottom"},
      {"C&lose All", 24365, "Closes all open windows"}}},
    {"&Help", "Access online help",
     {{"&Contents\tF1", 24501, "Help table of contents"},
      {"&Using help", 24502, "Help on using online Help"},
      {"-", 0, ""},
      {"&About...", 24509, "About the OKAP application"}}},
};

TEST_F(MainFrameTest, MenusHoldTheCommandTableWithItsHints) {
    MainFrame& frame = StartFrame();
    const QList<QAction*> popups = frame.menuBar()->actions();
    ASSERT_EQ(popups.size(), static_cast<qsizetype>(kExpectedMenu.size()));
    for (size_t p = 0; p < kExpectedMenu.size(); ++p) {
        const Popup& expected = kExpectedMenu[p];
        QAction* popup = popups[static_cast<qsizetype>(p)];
        EXPECT_EQ(popup->text(), expected.title);
        EXPECT_EQ(popup->statusTip(), expected.hint) << expected.title;
        ASSERT_NE(popup->menu(), nullptr);
        const QList<QAction*> items = popup->menu()->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(expected.items.size())) << expected.title;
        for (size_t i = 0; i < expected.items.size(); ++i) {
            const Item& item = expected.items[i];
            QAction* action = items[static_cast<qsizetype>(i)];
            if (item.id == 0) {
                EXPECT_TRUE(action->isSeparator()) << expected.title << " item " << i;
                continue;
            }
            EXPECT_EQ(action->text(), item.text);
            EXPECT_EQ(action->statusTip(), item.hint) << item.text;
            EXPECT_EQ(frame.Action(item.id), action) << item.text;
        }
    }
}

TEST_F(MainFrameTest, HoveringAMenuItemShowsItsHint) {
    MainFrame& frame = StartFrame();
    frame.Action(CM_MAPSETCOORDINATES)->showStatusText(&frame);
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Specify a center position and scale.");
}

TEST_F(MainFrameTest, ToolBarInItsOrderWithTwentyPixelGlyphs) {
    MainFrame& frame = StartFrame();
    // Left to right; 0 is a separator.
    const int expected[] = {24331, 24332, 24333, 0,     24337, 24340, 0,     23120, 23121, 23122,
                            23123, 0,     24810, 24808, 24812, 24702, 24703, 0,     24501};
    const QList<QAction*> buttons = frame.SpeedBar()->actions();
    ASSERT_EQ(buttons.size(), static_cast<qsizetype>(std::size(expected)));
    for (size_t i = 0; i < std::size(expected); ++i) {
        QAction* button = buttons[static_cast<qsizetype>(i)];
        if (expected[i] == 0) {
            EXPECT_TRUE(button->isSeparator()) << "position " << i + 1;
            continue;
        }
        EXPECT_EQ(button, frame.Action(expected[i])) << "position " << i + 1;
        EXPECT_TRUE(button->icon().availableSizes().contains(QSize(20, 20))) << expected[i];
    }
    EXPECT_EQ(frame.SpeedBar()->iconSize(), QSize(20, 20));
}

TEST_F(MainFrameTest, DocumentCommandsFollowTheActiveDocumentWindow) {
    MainFrame& frame = StartFrame();
    const int documentCommands[] = {CM_FILECLOSE, CM_FILESAVE,    CM_FILESAVEAS,    CM_COPYBITMAP,
                                    CM_COPYMETAFILE, CM_MAPFULLSCALE, CM_MAPSETCOORDINATES, CM_CURSORZOOMIN,
                                    CM_CURSORZOOMOUT, CM_CURSORDATAINFO, CM_CURSORMEASURE, CM_CASCADECHILDREN,
                                    CM_CLOSECHILDREN,
                                    CM_MAPLAYERS, CM_DATALAYERS};
    const int alwaysOn[] = {CM_FILENEW, CM_FILEOPEN, CM_FILEIMPORT, CM_EXIT, CM_OKAPCONFIG, CM_TOOLTRANSLATE, CM_HELPCONTENTS,
                            CM_HELPABOUT};
    for (int id : documentCommands) EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
    for (int id : alwaysOn) EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;

    frame.MDIClient()->CmFileNew();
    ASSERT_NE(frame.MDIClient()->ActiveChild(), nullptr);
    for (int id : documentCommands) EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;

    // The commands reach the active document window.
    const int dialogsBefore = dialogsRun;
    frame.Command(CM_MAPLAYERS);
    frame.Command(CM_DATALAYERS);
    EXPECT_EQ(dialogsRun, dialogsBefore + 2);
    frame.Command(CM_CURSORDATAINFO);
    EXPECT_EQ(frame.MDIClient()->ActiveChild()->View()->ToolMode(), kToolDataInfo);
    frame.Command(CM_CURSORMEASURE);
    EXPECT_EQ(frame.MDIClient()->ActiveChild()->View()->ToolMode(), kToolMeasure);

    // Choosing the tool marked the map changed: answer No to saving it.
    MessageRecorder messages;
    messages.Answer({MessageResult::No});
    frame.Command(CM_FILECLOSE);
    QApplication::processEvents();  // the closed window leaves the client
    EXPECT_EQ(frame.MDIClient()->ActiveChild(), nullptr);
    for (int id : documentCommands) EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
}

TEST_F(MainFrameTest, WindowMenuListsTheDocumentsAndMarksOnlyTheActiveOne) {
    MainFrame& frame = StartFrame();
    std::vector<okapMDIChild*> documents;
    for (int i = 0; i < 3; ++i) documents.push_back(frame.MDIClient()->CmFileNew());
    QMenu* windowMenu = nullptr;
    for (QAction* popup : frame.menuBar()->actions()) {
        if (popup->text() == "&Window") windowMenu = popup->menu();
    }
    ASSERT_NE(windowMenu, nullptr);
    // The entries after the menu's own items: the document windows.
    auto listed = [&] {
        emit windowMenu->aboutToShow();
        QList<QAction*> entries = windowMenu->actions();
        return entries.mid(entries.indexOf(frame.Action(CM_CLOSECHILDREN)) + 2);
    };
    QList<QAction*> entries = listed();
    ASSERT_EQ(entries.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entries[i]->text(), QString("&%1 Document%2").arg(i + 1).arg(i));
        // An unchecked entry would show an empty check box.
        EXPECT_EQ(entries[i]->isCheckable(), i == 2) << i;
        EXPECT_EQ(entries[i]->isChecked(), i == 2) << i;
    }
    entries[0]->trigger();
    EXPECT_EQ(frame.MDIClient()->ActiveChild(), documents[0]);
    entries = listed();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_TRUE(entries[0]->isChecked());
    EXPECT_FALSE(entries[2]->isCheckable());
}

TEST_F(MainFrameTest, ClosingAsksTheDocumentsFirst) {
    MainFrame& frame = StartFrame();
    okapMDIChild* child = frame.MDIClient()->CmFileNew();
    child->Document().modified = true;

    MessageRecorder messages;
    messages.Answer({MessageResult::Cancel});
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].caption, "Map has changed");

    messages.Answer({MessageResult::No});
    EXPECT_TRUE(frame.close());
}

TEST_F(MainFrameTest, StatusBarIndicatorsAndInsert) {
    MainFrame& frame = StartFrame();
    const QList<QLabel*> labels = frame.statusBar()->findChildren<QLabel*>();
    EXPECT_FALSE(frame.IndicatorOn(Indicator::Overtype));

    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_Insert);
    EXPECT_TRUE(frame.IndicatorOn(Indicator::Overtype));
    QTest::keyClick(&frame, Qt::Key_Insert, Qt::ShiftModifier);  // an accelerator, not Insert
    EXPECT_TRUE(frame.IndicatorOn(Indicator::Overtype));
    QTest::keyClick(&frame, Qt::Key_Insert);
    EXPECT_FALSE(frame.IndicatorOn(Indicator::Overtype));

    // Lock keys switch their indicators. (Where the keyboard LEDs can be
    // read, they set the starting state.)
    const bool caps = frame.IndicatorOn(Indicator::Caps);
    const bool num = frame.IndicatorOn(Indicator::Num);
    const bool scroll = frame.IndicatorOn(Indicator::Scroll);
    QTest::keyClick(frame.windowHandle(), Qt::Key_CapsLock);
    QTest::keyClick(frame.windowHandle(), Qt::Key_NumLock);
    QTest::keyClick(frame.windowHandle(), Qt::Key_ScrollLock);
    QTest::keyClick(frame.windowHandle(), Qt::Key_NumLock);
    EXPECT_EQ(frame.IndicatorOn(Indicator::Caps), !caps);
    EXPECT_EQ(frame.IndicatorOn(Indicator::Num), num);
    EXPECT_EQ(frame.IndicatorOn(Indicator::Scroll), !scroll);

    frame.SetIndicator(Indicator::Caps, true);
    frame.SetIndicator(Indicator::Num, false);
    frame.SetIndicator(Indicator::Scroll, true);
    QStringList shown;
    for (QLabel* label : labels) {
        if (!label->text().isEmpty()) shown << label->text();
    }
    EXPECT_EQ(shown, (QStringList{"CAPS", "SCRL"}));
}

TEST_F(MainFrameTest, MouseMovesBlankTheStatusBarButNotOverMenusAndButtons) {
    MainFrame& frame = StartFrame();
    // Entering the New button shows its hint; moving on over the same
    // button leaves it there.
    QWidget* newButton = frame.SpeedBar()->widgetForAction(frame.Action(CM_FILENEW));
    QTest::mouseMove(newButton, QPoint(5, 5));
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Creates a new map");
    QTest::mouseMove(newButton, QPoint(8, 8));
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Creates a new map");

    QTest::mouseMove(frame.MDIClient(), QPoint(50, 50));  // leaving the button clears its hint
    frame.statusBar()->showMessage("Position: 10 E   50 N");
    QTest::mouseMove(frame.MDIClient(), QPoint(60, 50));
    EXPECT_EQ(frame.statusBar()->currentMessage(), " ");
}

TEST_F(MainFrameTest, AcceleratorKeysReachNoHandler) {
    MainFrame& frame = StartFrame();
    frame.statusBar()->showMessage("before");
    MessageRecorder messages;
    for (int id : {CM_EDITCUT, CM_EDITCOPY, CM_EDITPASTE, CM_EDITCLEAR, CM_EDITUNDO, CM_EDITFINDNEXT}) {
        ASSERT_NE(frame.Action(id), nullptr) << id;
        frame.Action(id)->trigger();
    }
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(dialogsRun, 0);
    EXPECT_EQ(frame.Action(CM_EDITCOPY)->shortcut(), QKeySequence("Ctrl+Ins"));
}

// View > Back and Forward, and their keys Alt+Left and Alt+Right, walk the
// active document's views.
TEST_F(MainFrameTest, BackAndForwardWalkTheViews) {
    MainFrame& frame = StartFrame();
    EXPECT_EQ(frame.Action(CM_VIEWBACK)->shortcut(), QKeySequence("Alt+Left"));
    EXPECT_EQ(frame.Action(CM_VIEWFORWARD)->shortcut(), QKeySequence("Alt+Right"));
    frame.show();
    frame.MDIClient()->CmFileNew();
    okapMDIChild* child = frame.MDIClient()->ActiveChild();
    ASSERT_NE(child, nullptr);
    okapWindow* view = child->View();
    view->Repaint();
    MapDocument& doc = child->Document();
    const int32_t start = doc.scale;
    QTest::keyClick(view, Qt::Key_Plus);
    const int32_t zoomed = doc.scale;
    EXPECT_LT(zoomed, start);

    frame.Command(CM_VIEWBACK);
    EXPECT_EQ(doc.scale, start);
    frame.Command(CM_VIEWFORWARD);
    EXPECT_EQ(doc.scale, zoomed);
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(doc.scale, start) << "Alt+Left";
    QTest::keyClick(view, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(doc.scale, zoomed) << "Alt+Right";

    MessageRecorder messages;
    messages.Answer({MessageResult::No});
    frame.Command(CM_FILECLOSE);
}

using MainFrameDesktopTest = test::DesktopTest;

// The title names the active document with the change mark, the program
// alone without one; a maximised document window does not put its own
// title in.
TEST_F(MainFrameDesktopTest, TitleNamesTheActiveDocument) {
    MainFrame& frame = StartFrame();
    EXPECT_EQ(frame.windowTitle(), "OKAP");
    const QString path = Document("europe.oki");
    frame.OpenDocuments({path});
    okapMDIChild* opened = frame.MDIClient()->ActiveChild();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(frame.windowTitle(), "europe.oki[*] - OKAP");
    EXPECT_FALSE(frame.isWindowModified());

    opened->Document().scale /= 2;  // the view is part of the map
    opened->View()->Repaint();
    EXPECT_TRUE(frame.isWindowModified());
    opened->showMaximized();
    EXPECT_EQ(frame.windowTitle(), "europe.oki[*] - OKAP");

    okapMDIChild* made = frame.MDIClient()->NewDocument();
    EXPECT_EQ(frame.windowTitle(), "Document0[*] - OKAP");
    EXPECT_EQ(frame.isWindowModified(), made->isWindowModified());
    frame.MDIClient()->setActiveSubWindow(opened);
    EXPECT_EQ(frame.windowTitle(), "europe.oki[*] - OKAP");
    EXPECT_TRUE(frame.isWindowModified());
    opened->showNormal();
    EXPECT_EQ(frame.windowTitle(), "europe.oki[*] - OKAP");

    MessageRecorder messages;
    messages.Answer({MessageResult::No, MessageResult::No});
    frame.MDIClient()->closeAllSubWindows();
    QApplication::processEvents();
    EXPECT_EQ(frame.windowTitle(), "OKAP");
    EXPECT_FALSE(frame.isWindowModified());
}

// Each standard key reaches its command, beside the command's own keys,
// and the menu shows it; F1 keeps the program's help handling.
TEST_F(MainFrameDesktopTest, StandardKeysTriggerTheirCommands) {
    MainFrame& frame = StartFrame();
    frame.OpenDocuments({Document("europe.oki")});
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    MessageRecorder messages;
    messages.Answer(std::vector<MessageResult>(8, MessageResult::No));
    const struct {
        const char* keys;
        int id;
    } rows[] = {
        {"Ctrl+N", CM_FILENEW},   {"Ctrl+O", CM_FILEOPEN},  {"Ctrl+S", CM_FILESAVE},
        {"Ctrl+Shift+S", CM_FILESAVEAS}, {"Ctrl+C", CM_COPYBITMAP}, {"Ctrl+P", CM_FILEPRINT},
        {"Ctrl+W", CM_FILECLOSE}, {"Ctrl+Q", CM_EXIT},
    };
    for (const auto& row : rows) {
        QAction* action = frame.Action(row.id);
        const QKeySequence key(row.keys);
        EXPECT_TRUE(action->shortcuts().contains(key)) << row.keys;
        ASSERT_TRUE(action->isEnabled()) << row.keys;
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keySequence(&frame, key);
        EXPECT_EQ(triggered.count(), 1) << row.keys;
    }
    // New, then Close of the new window, left the document; Exit ended.
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(frame.Action(CM_EXIT)->shortcuts(), (QList<QKeySequence>{QKeySequence("Alt+F4"), QKeySequence("Ctrl+Q")}));
    EXPECT_EQ(frame.Action(CM_FILENEW)->shortcut(), QKeySequence("Ctrl+N"));  // what the menu shows
    EXPECT_TRUE(frame.Action(CM_HELPCONTENTS)->shortcuts().isEmpty());
    EXPECT_EQ(frame.Action(CM_HELPCONTENTS)->text(), "&Contents\tF1");
    EXPECT_EQ(frame.Action(CM_HELPCONTENTS)->toolTip(), "Contents");
}

// Map documents dropped on the frame or its client area open; other files
// are refused before the drop.
TEST_F(MainFrameDesktopTest, DroppedDocumentsOpenOtherFilesAreRefused) {
    MainFrame& frame = StartFrame();
    const QString document = Document("dropped.oki");
    dir.Write("maps/notes.txt", "not a map");
    auto drag = [&](const QString& file, QWidget* target) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        // Sent where the pointer is: the widget passes it on to the frame.
        const QPoint where = target->rect().center();
        QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QApplication::processEvents();
        return drop.isAccepted();
    };
    EXPECT_FALSE(drag(QString::fromStdString(Path("maps")) + "/notes.txt", frame.MDIClient()->viewport()));
    EXPECT_TRUE(frame.MDIClient()->Children().isEmpty());

    MessageRecorder messages;
    EXPECT_TRUE(drag(document, frame.MDIClient()->viewport()));
    ASSERT_EQ(frame.MDIClient()->Children().size(), 1);
    EXPECT_EQ(QString::fromStdString(frame.MDIClient()->ActiveChild()->Document().fileName), document);
    EXPECT_TRUE(drag(document, frame.MDIClient()->ActiveChild()->View()));  // over a map: a second window
    EXPECT_EQ(frame.MDIClient()->Children().size(), 2);
    EXPECT_TRUE(messages.messages.empty());
}

// The frame's place and size come back at the next start; without them
// it starts maximised, as before.
TEST_F(MainFrameDesktopTest, PlaceAndSizeKeptBetweenRuns) {
    MainFrame* frame = &StartFrame();
    EXPECT_TRUE(frame->isMaximized());
    frame->showNormal();
    frame->setGeometry(120, 90, 700, 500);
    const QRect placed = frame->geometry();
    ASSERT_TRUE(frame->close());
    EXPECT_TRUE(ProfileFile(IniPath()).GetString("Main Window", "Geometry").has_value());
    EXPECT_TRUE(ProfileFile(IniPath()).GetString("File Paths", "Map Files").has_value());

    frame = Start().Frame();
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_EQ(frame->geometry(), placed);

    // Left maximised, it comes back maximised over the screen's free area.
    frame->showMaximized();
    ASSERT_TRUE(frame->close());
    frame = Start().Frame();
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_EQ(frame->geometry().size(), QGuiApplication::primaryScreen()->availableGeometry().size());

    // A value that cannot be used counts as none.
    ProfileFile(IniPath()).WriteString("Main Window", "Geometry", "not geometry");
    EXPECT_TRUE(Start().Frame()->isMaximized());
}

}  // namespace
}  // namespace okap
