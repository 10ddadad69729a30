// Printing and print preview: when the commands are available, the page on
// paper and in the preview, the counters and the PostScript text rotation
// while a job runs, and a printed PDF.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QToolBar>
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/frame/command_ids.h"
#include "app/frame/main_frame.h"
#include "app/frame/map_window.h"
#include "app/frame/mdi_child.h"
#include "app/frame/mdi_client.h"
#include "app/printing/preview_page.h"
#include "app/printing/preview_window.h"
#include "app/printing/print_out.h"
#include "view/cursor_tools.h"
#include "view/map_document.h"
#include "view/map_view.h"
#include "app/app_fixture.h"
#include "app/document_fixture.h"
#include "platform/message_box.h"
#include "styles/text_style.h"

namespace okap {
namespace {

constexpr int kPrintCommands[] = {CM_FILEPRINT, CM_FILEPRINTERSETUP, CM_FILEPRINTPREVIEW};

class PrintCommandsTest : public test::AppFixture {};

TEST_F(PrintCommandsTest, AreGreyWhileNoDocumentWindowIsOpen) {
    WriteIni(GoodIni());
    MainFrame& frame = *Start().Frame();
    for (int id : kPrintCommands) EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;

    frame.MDIClient()->CmFileNew();
    for (int id : kPrintCommands) EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;
    // Asking made the printer, for the system's default (here: a PDF file
    // when the machine has no printer).
    EXPECT_NE(application->printer, nullptr);

    MessageRecorder messages;
    messages.Answer({MessageResult::No});
    frame.MDIClient()->closeAllSubWindows();
    QApplication::processEvents();
    for (int id : kPrintCommands) EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
}

TEST(PreviewPageRectTest, KeepsTheMarginsAndNarrowsThePageTo95Percent) {
    struct Row {
        QSize client;
        TSize page;
        QRect expected;
    };
    const Row rows[] = {
        // Landscape page in a wide window: 1000 x 77 / 100 = 770 > 600, bound by
        // height: 600 - 30 = 570 high, 570 x (1100 x 95 / 850 = 122) / 100 = 695
        // wide.
        {{1000, 600}, {1100, 850}, {15, 15, 695, 570}},
        // Portrait page in a narrow window: 500 x 129 / 100 = 645 <= 800, bound
        // by width: 500 - 30 = 470 wide, 470 x (1100 x 95 / 850 = 122) / 100 =
        // 573 high.
        {{500, 800}, {850, 1100}, {15, 15, 470, 573}},
        // Portrait page in a squarish window: 800 x 129 / 100 = 1032 > 700,
        // bound by height: 670 high, 670 x (850 x 95 / 1100 = 73) / 100 = 489
        // wide. Measured by shorter / longer side (77) it would be bound by
        // width, 770 x 122 / 100 = 939 high, and run off the window's bottom.
        {{800, 700}, {850, 1100}, {15, 15, 489, 670}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PreviewPageRect(row.client, row.page), row.expected)
            << row.client.width() << "x" << row.client.height();
    }
}

class PrintingTest : public test::DocumentTest {
protected:
    PrintingTest() {
        application.mdiClient = &client;
        client.resize(1200, 1000);
        client.show();
        child = client.CmFileOpen(QString::fromStdString(Sample()));
        application.printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        application.printer->setOutputFormat(QPrinter::PdfFormat);
        // A file printed to before, elsewhere.
        application.printer->setOutputFileName(QString::fromStdString((dir / "earlier.pdf").string()));
        SetModalDialogRunner([this](QDialog& dialog) { return script(dialog); });
    }

    // Where the print dialog proposes to put the sample's page.
    std::filesystem::path PdfPath() const { return dir / "world-mercator.pdf"; }

    okapMDIClient client;
    okapMDIChild* child = nullptr;
    // What the "user" does with each modal dialog.
    std::function<int(QDialog&)> script = [](QDialog&) { return static_cast<int>(QDialog::Accepted); };
};

// What a text at 30 degrees gets as escapement under the current settings.
int EscapementAt30Degrees() {
    TextStyle style;
    style.orientation = 30;
    style.SetFont();
    return style.fontRequest.escapement;
}

// The number of pages in a PDF file that Qt wrote: its page objects
// ("/Type /Page", not the page tree's "/Type /Pages").
int PdfPageCount(const std::string& pdf) {
    const std::string page = "/Type /Page";
    int count = 0;
    for (size_t at = pdf.find(page); at != std::string::npos; at = pdf.find(page, at + 1)) {
        if (pdf.compare(at, page.size() + 1, page + "s") != 0) ++count;
    }
    return count;
}

TEST_F(PrintingTest, PrintAndPreviewCountAsPrintingAndOnlyPaperTurnsText) {
    ASSERT_NE(child, nullptr);
    struct Row {
        bool preview;
        int postmod;
        int isprinting;  // during the command
        int escapement;  // of a text at 30 degrees, during the command
    };
    const Row rows[] = {
        {false, 1, 1, 3300},  // on paper with the PostScript modification: 3600 - 300
        {false, 0, 1, 300},   // on paper without it
        {true, 1, 0, 300},    // the preview never turns text
    };
    for (const Row& row : rows) {
        postmod = row.postmod;
        int countDuring = -1;
        int printingDuring = -1;
        int escapementDuring = -1;
        script = [&](QDialog&) {
            countDuring = application.printingCount;
            printingDuring = isprinting;
            escapementDuring = EscapementAt30Degrees();
            return static_cast<int>(QDialog::Rejected);
        };
        if (row.preview) {
            client.CmFilePrintPreview();
        } else {
            client.CmFilePrint();
        }
        EXPECT_EQ(countDuring, 1) << row.preview;
        EXPECT_EQ(printingDuring, row.isprinting) << row.preview;
        EXPECT_EQ(escapementDuring, row.escapement) << row.preview << row.postmod;
        EXPECT_EQ(application.printingCount, 0) << row.preview;
        EXPECT_EQ(isprinting, 0) << row.preview;
        EXPECT_EQ(EscapementAt30Degrees(), 300) << row.preview;
    }
}

TEST_F(PrintingTest, PrintsTheMapOnOnePdfPage) {
    ASSERT_NE(child, nullptr);
    MessageRecorder messages;
    client.CmFilePrint();
    EXPECT_TRUE(messages.messages.empty()) << messages.messages[0];
    const std::string pdf = test::TempDir::Read(PdfPath());
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(PdfPageCount(pdf), 1);
    // The job is named after the map.
    EXPECT_EQ(application.printer->docName(), "world-mercator.oki");
}

TEST_F(PrintingTest, ThePrintDialogProposesAPdfBesideTheDocumentNamedAfterIt) {
    ASSERT_NE(child, nullptr);
    std::filesystem::create_directories(dir / "maps");
    std::filesystem::copy_file(Sample(), dir / "maps" / "europe.v2.oki");
    std::filesystem::current_path("/");
    const struct {
        const char* note;
        std::function<okapMDIChild*()> open;
        std::filesystem::path proposed;
    } rows[] = {
        {"a document opened by its full name", [this] { return child; }, PdfPath()},
        {"a name in the map file path, with a dot of its own",
         [this] {
             application.mapPath = (dir / "maps").string();
             return client.CmFileOpen("europe.v2.oki");
         },
         dir / "maps" / "europe.v2.pdf"},
        {"a map never saved: its title in the map file path", [this] { return client.CmFileNew(); },
         dir / "maps" / "Document0.pdf"},
    };
    for (const auto& row : rows) {
        okapMDIChild* document = row.open();
        ASSERT_NE(document, nullptr) << row.note;
        client.setActiveSubWindow(document);
        std::string proposed;
        script = [&](QDialog& dialog) {
            if (qobject_cast<QPrintDialog*>(&dialog)) proposed = application.printer->outputFileName().toStdString();
            return static_cast<int>(QDialog::Rejected);
        };
        client.CmFilePrint();
        EXPECT_EQ(proposed, row.proposed.string()) << row.note;
    }
}

// Qt's warnings while it lives.
class QtWarnings {
public:
    QtWarnings() { previous = qInstallMessageHandler(Record); }
    ~QtWarnings() { qInstallMessageHandler(previous); }
    static inline QStringList seen;

private:
    static void Record(QtMsgType, const QMessageLogContext&, const QString& text) { seen.append(text); }
    QtMessageHandler previous;
};

TEST_F(PrintingTest, PrintSetupSetsPaperOrientationAndMarginsOfThePdfPrinter) {
    QPrinter& printer = *application.printer;
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                                      QPageLayout::Millimeter));
    QtWarnings::seen.clear();
    QtWarnings warnings;
    MessageRecorder messages;
    auto fill = [](QDialog& dialog, const char* paper, bool landscape, std::array<double, 4> margins) {
        auto* sizes = dialog.findChild<QComboBox*>("paperSize");
        sizes->setCurrentIndex(sizes->findText(paper));
        dialog.findChild<QRadioButton*>(landscape ? "landscape" : "portrait")->setChecked(true);
        const char* names[] = {"leftMargin", "topMargin", "rightMargin", "bottomMargin"};
        for (size_t i = 0; i < 4; ++i) dialog.findChild<QDoubleSpinBox*>(names[i])->setValue(margins[i]);
    };
    int accepts = 0;
    QString shownPaper;
    script = [&](QDialog& dialog) {
        shownPaper = dialog.findChild<QComboBox*>("paperSize")->currentText();
        // Wider margins than A5 landscape's 148 mm height: refused, the
        // dialog stays open and the printer keeps its layout.
        fill(dialog, "A5", true, {10, 80, 20, 80});
        dialog.accept();
        ++accepts;
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
        fill(dialog, "A5", true, {10, 15, 20, 25});
        dialog.accept();
        ++accepts;
        return dialog.result();
    };
    client.CmFilePrintSetup();
    EXPECT_EQ(accepts, 2);
    EXPECT_EQ(shownPaper, QPageSize(QPageSize::A4).name());
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"The margins do not fit on the paper: make them smaller or choose larger paper."});
    const QPageLayout layout = printer.pageLayout();
    EXPECT_EQ(layout.pageSize().id(), QPageSize::A5);
    EXPECT_EQ(layout.orientation(), QPageLayout::Landscape);
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    EXPECT_NEAR(margins.left(), 10, 0.01);
    EXPECT_NEAR(margins.top(), 15, 0.01);
    EXPECT_NEAR(margins.right(), 20, 0.01);
    EXPECT_NEAR(margins.bottom(), 25, 0.01);

    // Cancel keeps it all.
    script = [&](QDialog& dialog) {
        fill(dialog, "Letter", false, {1, 1, 1, 1});
        dialog.reject();
        return dialog.result();
    };
    client.CmFilePrintSetup();
    EXPECT_TRUE(printer.pageLayout().isEquivalentTo(layout));
    EXPECT_TRUE(QtWarnings::seen.isEmpty()) << QtWarnings::seen.join("\n").toStdString();

    // The page printed next has that paper.
    script = [](QDialog&) { return static_cast<int>(QDialog::Accepted); };
    client.CmFilePrint();
    const std::string pdf = test::TempDir::Read(PdfPath());
    // A5 landscape: 595 x 420 points.
    EXPECT_NE(pdf.find("/MediaBox [0 0 595"), std::string::npos);
}

TEST_F(PrintingTest, AFailedJobIsReportedAndEndsThePrinting) {
    ASSERT_NE(child, nullptr);
    // The user names a file in a folder that does not exist.
    script = [this](QDialog&) {
        application.printer->setOutputFileName(QString::fromStdString((dir / "missing" / "page.pdf").string()));
        return static_cast<int>(QDialog::Accepted);
    };
    MessageRecorder messages;
    client.CmFilePrint();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].caption, "Print Error");
    EXPECT_EQ(messages.messages[0].text, "'world-mercator.oki' not printed. Error encountered during print.");
    EXPECT_EQ(application.printingCount, 0);
    EXPECT_EQ(isprinting, 0);
}

TEST_F(PrintingTest, PrintFromThePreviewNestsInItAndClosingKeepsThePrinter) {
    ASSERT_NE(child, nullptr);
    const QPrinter* printer = application.printer.get();
    int countInPrint = -1;
    int printingInPrint = -1;
    int previewResult = -1;
    QRect pageGeometry;
    QRect expectedPageGeometry;
    qsizetype buttons = 0;
    script = [&](QDialog& dialog) {
        if (qobject_cast<QPrintDialog*>(&dialog)) {
            countInPrint = application.printingCount;
            printingInPrint = isprinting;
            return static_cast<int>(QDialog::Accepted);
        }
        auto* preview = qobject_cast<PreviewWindow*>(&dialog);
        if (!preview) return static_cast<int>(QDialog::Rejected);
        preview->show();
        QApplication::processEvents();
        EXPECT_EQ(preview->windowTitle(), "Print Preview");
        buttons = preview->ToolBar()->actions().size();
        if (preview->Page()) {
            pageGeometry = preview->Page()->geometry();
            expectedPageGeometry = PreviewPageRect(preview->LayoutWindow()->size(), preview->PageExtent());
        }
        if (auto* print = preview->findChild<QAction*>("previewPrint")) print->trigger();
        preview->close();
        previewResult = preview->result();
        return previewResult;
    };
    client.CmFilePrintPreview();
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(pageGeometry, expectedPageGeometry);
    EXPECT_FALSE(pageGeometry.isEmpty());
    EXPECT_EQ(countInPrint, 2);
    EXPECT_EQ(printingInPrint, 1);
    EXPECT_EQ(previewResult, QDialog::Rejected);
    EXPECT_EQ(application.printingCount, 0);
    EXPECT_EQ(isprinting, 0);
    EXPECT_EQ(application.printer.get(), printer);
    EXPECT_EQ(PdfPageCount(test::TempDir::Read(PdfPath())), 1);
}

// The window's read-out and zoom convert with the mapping of its own
// picture, whatever another device drew meanwhile: a page has another
// logical height and its projection another viewport.
TEST_F(PrintingTest, PrintingAndPreviewLeaveTheWindowsMappingAsItWas) {
    ASSERT_NE(child, nullptr);
    okapWindow& view = *child->View();
    view.Repaint();
    const POINT middle{view.width() / 2, view.height() / 2};
    const POINT corner{view.width() / 4, view.height() / 4};
    MapDocument& doc = child->Document();
    const std::optional<std::string> middleText = PositionText(doc, middle);
    const std::optional<std::string> cornerText = PositionText(doc, corner);
    ASSERT_TRUE(middleText && cornerText);
    const TSize windowExtent = doc.windowExtent;
    const TSize viewportExtent = doc.viewportExtent;

    // A zoom box round the middle keeps the centre where it was.
    const auto zoomAtMiddle = [&] {
        MapDocument copy(doc);
        MapView zooming(copy, ViewSettings{});
        zooming.Zoom({middle.x - 40, middle.y - 30, middle.x + 40, middle.y + 30}, 1, view.ClientRect());
        return copy.centre;
    };
    const LPoint zoomedCentre = zoomAtMiddle();

    const std::function<void()> commands[] = {
        [&] { client.CmFilePrint(); },
        [&] {
            script = [](QDialog& dialog) {
                if (auto* preview = qobject_cast<PreviewWindow*>(&dialog)) {
                    preview->show();
                    QApplication::processEvents();
                }
                return static_cast<int>(QDialog::Rejected);
            };
            client.CmFilePrintPreview();
        },
        [&] { child->MetafileSvg(); },
    };
    for (size_t i = 0; i < std::size(commands); ++i) {
        MessageRecorder messages;
        commands[i]();
        EXPECT_TRUE(messages.messages.empty()) << i;
        EXPECT_EQ(doc.windowExtent, windowExtent) << i;
        EXPECT_EQ(doc.viewportExtent, viewportExtent) << i;
        EXPECT_EQ(PositionText(doc, middle), middleText) << i;
        EXPECT_EQ(PositionText(doc, corner), cornerText) << i;
        EXPECT_EQ(zoomAtMiddle(), zoomedCentre) << i;
    }
    EXPECT_EQ(PdfPageCount(test::TempDir::Read(PdfPath())), 1);
}

// Whether the area of image holds nothing but white.
bool AllWhite(const QImage& image, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
        }
    }
    return true;
}

TEST_F(PrintingTest, ThePageTakesTheMapAtTheDevicesResolutionAndFitsItOnThePage) {
    ASSERT_NE(child, nullptr);
    okapWindow& view = *child->View();
    const int w = view.width();
    const int h = view.height();
    ASSERT_GT(w, 10);
    ASSERT_GT(h, 10);
    APXPrintOut printout("map", *application.printer, view);
    application.printingCount = 1;
    struct Row {
        TSize page;
        QRect map;    // where the map box must reach
        QRect blank;  // paper left white
    };
    const Row rows[] = {
        // A tall page: the map takes its full width and 2h of its height.
        {{2 * w, 4 * h}, {0, 0, 2 * w, 2 * h}, {0, 2 * h + 2, 2 * w, 2 * h - 2}},
        // A flat page: the map would be 4h high; it is halved and centred.
        {{4 * w, 2 * h}, {w, 0, 2 * w, 2 * h}, {0, 0, w - 2, 2 * h}},
    };
    for (const Row& row : rows) {
        QImage page(row.page.cx, row.page.cy, QImage::Format_RGB32);
        page.fill(Qt::white);
        {
            QPainter painter(&page);
            printout.PrintPage(1, painter, row.page);
        }
        // The map box's sea reaches the map's corners.
        const QRect inside = row.map.adjusted(2, 2, -3, -3);
        for (QPoint corner : {inside.topLeft(), inside.topRight(), inside.bottomLeft(), inside.bottomRight()})
            EXPECT_NE(page.pixel(corner), qRgb(255, 255, 255)) << row.page.cx << " " << corner.x() << "," << corner.y();
        EXPECT_TRUE(AllWhite(page, row.blank)) << row.page.cx;
    }
    application.printingCount = 0;
}

}  // namespace
}  // namespace okap
