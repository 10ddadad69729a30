// okaptool render: a map document drawn into a PNG, SVG or PDF file by the
// map view's own Paint, read the way File Open reads it.

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "core/globals.h"
#include "platform/config_location.h"
#include "platform/message_box.h"
#include "platform/profile_file.h"
#include "platform/qpainter_dc.h"
#include "platform/set_wd.h"
#include "tools/okaptool/commands.h"
#include "tools/okaptool/options.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap::tool {

namespace {

enum class OutputKind { Png, Svg, Pdf };

// Beyond this a picture's memory is out of proportion to any use.
constexpr int kMaxSide = 16384;
// PDF pages are drawn as a printer page is, at this many dots per inch.
constexpr int kPdfResolution = 300;

std::optional<OutputKind> KindOf(const std::filesystem::path& output) {
    std::string extension = output.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".png") return OutputKind::Png;
    if (extension == ".svg") return OutputKind::Svg;
    if (extension == ".pdf") return OutputKind::Pdf;
    return std::nullopt;
}

// "WxH", both whole numbers from 1 to kMaxSide.
std::optional<TSize> ParseSize(const std::string& text) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return std::nullopt;
    auto number = [](const std::string& digits) -> std::optional<int> {
        if (digits.empty() || digits.size() > 5 ||
            !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
            return std::nullopt;
        const int value = std::stoi(digits);
        if (value < 1 || value > kMaxSide) return std::nullopt;
        return value;
    };
    const std::optional<int> width = number(text.substr(0, x)), height = number(text.substr(x + 1));
    if (!width || !height) return std::nullopt;
    return TSize{*width, *height};
}

// A directory from its option, else from okap.ini, else the document's own.
std::string DirectoryFor(const Options& options, const char* option, const char* iniKey,
                         const std::filesystem::path& document) {
    if (std::optional<std::string> dir = options.Value(option)) return std::filesystem::absolute(*dir).string();
    if (std::optional<std::string> dir = ProfileFile(ConfigFilePath()).GetString("File Paths", iniKey);
        dir && !dir->empty())
        return *dir;
    return document.parent_path().string();
}

// The arguments of the QGuiApplication that fonts need; they must outlive
// it.
int guiArgc = 1;
char guiName[] = "okaptool";
char* guiArgv[] = {guiName, nullptr};

// Paints the view into a new file of the kind asked for; the file's bytes
// first go to memory, so that a failed paint leaves no file behind.
bool PaintInto(OutputKind kind, MapView& view, TSize size, const std::string& title, QByteArray& bytes) {
    const TRect rect{0, 0, size.cx, size.cy};
    switch (kind) {
    case OutputKind::Png: {
        QImage image(size.cx, size.cy, QImage::Format_RGB32);
        if (image.isNull()) return false;
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QPainterDC dc(painter);
            view.Paint(dc, rect);
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        return image.save(&buffer, "PNG");
    }
    case OutputKind::Svg: {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        // At a screen's resolution a viewer shows W x H pixels.
        generator.setResolution(96);
        generator.setSize(QSize(size.cx, size.cy));
        generator.setViewBox(QRect(0, 0, size.cx, size.cy));
        generator.setTitle(QString::fromStdString(title));
        QPainter painter(&generator);
        if (!painter.isActive()) return false;
        {
            QPainterDC dc(painter);
            view.Paint(dc, rect);
        }
        return painter.end();
    }
    case OutputKind::Pdf: {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator("okaptool");
        writer.setTitle(QString::fromStdString(title));
        writer.setResolution(kPdfResolution);
        // One page of W x H points: the picture's proportions.
        writer.setPageSize(
            QPageSize(QSizeF(size.cx, size.cy), QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        if (!painter.isActive()) return false;
        {
            QPainterDC dc(painter);
            view.Paint(dc, rect);
        }
        return painter.end();
    }
    }
    return false;
}

}  // namespace

int RunRender(int argc, char** argv) {
    Options options("okaptool render DOC.oki OUTPUT [OPTIONS]",
                    {{"size", "WxH", "picture size in pixels; for a PDF, the page in points", "the window size in DOC"},
                     {"maps", "DIR",
                      "map file directory: the map files, map format files and grid format file of DOC",
                      "\"Map Files\" in okap.ini, else DOC's directory"},
                     {"data", "DIR", "data file directory: the data files of DOC",
                      "\"Data Files\" in okap.ini, else DOC's directory"}});
    if (!options.Parse(argc, argv, 2, 2)) return 2;
    if (options.HelpAsked()) {
        options.PrintHelp();
        std::cout << "\nDraws the map document DOC (.oki) into OUTPUT exactly as the map window shows it:\n"
                     "map box, grid, map layers, data layers and legends, details. The kind of OUTPUT\n"
                     "follows its extension: .png (an image on white), .svg (vector drawing) or .pdf\n"
                     "(one page with the picture's proportions, drawn as a printed page at "
                  << kPdfResolution
                  << " dpi).\n"
                     "okap.ini is " << ConfigFilePath().string()
                  << ".\n"
                     "Messages go to standard error; the exit status is 0 when the picture was\n"
                     "written, 1 when the document could not be read or drawn (no file is written\n"
                     "then) and 2 for wrong arguments.\n";
        return 0;
    }

    const std::filesystem::path document = std::filesystem::absolute(options.Operands()[0]);
    const std::filesystem::path output = std::filesystem::absolute(options.Operands()[1]);
    const std::optional<OutputKind> kind = KindOf(output);
    if (!kind) {
        std::cerr << "okaptool: OUTPUT must end in .png, .svg or .pdf\n";
        return 2;
    }
    std::optional<TSize> size;
    if (std::optional<std::string> text = options.Value("size")) {
        size = ParseSize(*text);
        if (!size) {
            std::cerr << "okaptool: --size needs WIDTHxHEIGHT in pixels, each 1 to " << kMaxSide << ", not '"
                      << *text << "'\n";
            return 2;
        }
    }

    bool errorShown = false;
    SetMessageHandler([&errorShown](const Message& message) {
        if (message.caption == "Error") errorShown = true;
        return PrintMessage(message);
    });
    if (!CheckDocumentName(document.string())) return 2;
    const std::string mapDirectory = DirectoryFor(options, "maps", "Map Files", document);
    const std::string dataDirectory = DirectoryFor(options, "data", "Data Files", document);

    // File Open's order: the map directory made current, the placement
    // read, the window made, then the content read.
    if (SetWD(mapDirectory) != 0) {
        ShowError("Map file path does not exist");
        return 1;
    }
    WindowPlacement placement;
    if (!ReadTextFile(document.string(), placement)) return 1;
    if (!size) {
        if (placement.width < 1 || placement.height < 1 || placement.width > kMaxSide || placement.height > kMaxSide) {
            std::cerr << "okaptool: the window size in " << document.string() << " is " << placement.width << 'x'
                      << placement.height << "; give --size\n";
            return 1;
        }
        size = TSize{placement.width, placement.height};
    }
    MapDocument map(document.string(), document.string());
    // A grid format file that cannot be read spoils the first paint: the
    // picture would be empty.
    if (!LoadTextFile(map) || errorShown || badclient) return 1;

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(guiArgc, guiArgv);
    // A PDF page is drawn as a printed page is: at the device's full
    // resolution through the W x H rectangle.
    MapView view(map, ViewSettings{.mapDirectory = mapDirectory,
                                   .dataDirectory = dataDirectory,
                                   .printing = *kind == OutputKind::Pdf});
    QByteArray bytes;
    const bool painted = PaintInto(*kind, view, *size, map.title, bytes);
    if (badclient || errorShown) return 1;
    if (!painted) {
        std::cerr << "okaptool: cannot make the picture\n";
        return 1;
    }
    QSaveFile file(QString::fromStdString(output.string()));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::cerr << "okaptool: cannot write " << output.string() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace okap::tool
