// The map view's Paint on a large map, into a 1600 x 1200 image: the whole
// map, and views zoomed into about 1% of its area (nine places, in turn),
// beside QPainter drawing the same projected points directly (loaded once,
// with the same pens and brushes) in the same run. BM_PaintRatios times the
// three in turn and reports full paint / direct drawing and 1% view / full
// paint.
//
// The map is generated here, in a temporary directory removed afterwards:
// a text map of closed wobbly rings and wavy lines spread over the globe,
// translated into Mercator by the map translator, with a map format file
// and a document for it.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/number_text.h"
#include "mapfiles/mapfile.h"
#include "mapfiles/translator.h"
#include "platform/message_box.h"
#include "platform/qpainter_dc.h"
#include "platform/set_wd.h"
#include "styles/map_format.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace {

constexpr int kRings = 300;
constexpr int kLines = 200;
constexpr int kPointsPerSegment = 2500;
constexpr int kWidth = 1600;
constexpr int kHeight = 1200;
// Wide enough for the whole Mercator map (40075 km) across 1600 pixels.
constexpr int32_t kFullViewScale = 140000000;
// The map fills about 93% of the full view's width and 73% of its height;
// a view 12 times smaller each way shows 1 / 144 of it, about 1% of the
// map.
constexpr int32_t kZoomedViewScale = kFullViewScale / 12;

const char* const kFormat =
    "[Features]\r\n"
    "F1 = Ring : 1 40 40 40 1 0 200 220 160 99\r\n"
    "F2 = Line : 1 30 60 200 1 0 0 0 0 99\r\n";

// The generated files, made once and removed at exit.
class Dataset {
public:
    static Dataset& Get() {
        static Dataset dataset;
        return dataset;
    }
    std::filesystem::path dir;
    int64_t points = 0;  // in the translated map

private:
    Dataset() {
        std::string pattern = (std::filesystem::temp_directory_path() / "okap-paint-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
        dir = pattern;
        WriteTextMap();
        okap::SetMessageHandler(okap::PrintMessage);
        std::filesystem::current_path(dir);
        okap::TranslatorSettings settings;  // Mercator, resolution 0: every point kept
        settings.inputName = "bench.mpa";
        settings.outputName = "bench";
        settings.north = "80.0";
        settings.south = "-80.0";
        okap::TranslationSummary summary;
        if (!okap::TranslateMap(settings, {}, &summary)) throw std::runtime_error("the translation failed");
        points = summary.pointsWritten;
        std::ofstream(dir / "bench.okf", std::ios::binary) << kFormat;
        std::ofstream(dir / "std.okg", std::ios::binary)
            << "Grid Format - OKAP version 1\r\n"
               "Major grid style     = 1 0 0 0 1 0 255 255 255 99\r\n"
               "Minor grid style     = 1 0 0 0 1 0 255 255 255 99\r\n";
        std::ofstream(dir / "bench.oki", std::ios::binary)
            << "Map File Information - OKAP version 1\r\n"
               "Window origin        = 0 0\r\n"
               "Window size          = 1600 1200\r\n"
               "Number of map files  = 1\r\n"
               "Mapfile  1 = bench.mpb bench.okf\r\n"
               "Number of data files = 0\r\n"
               "Number of details    = 0\r\n"
               "Window extent        = 10000 7500\r\n"
               "Centre               = 0 0\r\n"
               "Scale                = "
            << kFullViewScale
            << "\r\n"
               "Projection type      = MERC\r\n"
               "Projection origin    = 0 0\r\n"
               "Map box style        = 1 0 0 0 1 0 170 211 232 99\r\n"
               "Grid style           = std.okg\r\n"
               "Grid position        = 2\r\n"
               "Grid on/off          = 0\r\n"
               "Grid size            = 30\r\n"
               "Grid increment       = 3\r\n";
    }
    ~Dataset() {
        std::error_code ignored;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
        std::filesystem::remove_all(dir, ignored);
    }

    void WriteTextMap() const {
        std::string text;
        int s = 0;
        auto header = [&](int type, int32_t count) {
            text += "\"S" + okap::FormatInt(s++, 7) + "\"," + okap::FormatInt(type) + "," + okap::FormatInt(count) +
                    "\r\n";
        };
        auto point = [&](double lon, double lat) {
            text += okap::FormatGeneral(lon, 8) + "," + okap::FormatGeneral(lat, 8) + "\r\n";
        };
        // Spread over the globe, away from the poles and the 180 degree
        // meridian: a lattice walked with prime steps.
        auto place = [](int i, double& lon, double& lat) {
            lon = -170.0 + std::fmod(i * 97.31, 340.0);
            lat = -68.0 + std::fmod(i * 41.77, 136.0);
        };
        for (int i = 0; i < kRings; ++i) {
            double lon0, lat0;
            place(i, lon0, lat0);
            header(1, kPointsPerSegment);
            // The last point repeats the first.
            for (int k = 0; k < kPointsPerSegment; ++k) {
                const double a = 2.0 * M_PI * (k % (kPointsPerSegment - 1)) / (kPointsPerSegment - 1);
                const double r = 2.0 + 0.3 * std::sin(a * 25.0);
                point(lon0 + r * std::cos(a), lat0 + r * std::sin(a));
            }
        }
        for (int i = 0; i < kLines; ++i) {
            double lon0, lat0;
            place(kRings + i, lon0, lat0);
            header(2, -kPointsPerSegment);
            for (int k = 0; k < kPointsPerSegment; ++k)
                point(lon0 + k * (8.0 / kPointsPerSegment), lat0 + 1.5 * std::sin(k * 0.01) + 0.1 * std::sin(k * 0.37));
        }
        std::ofstream out(dir / "bench.mpa", std::ios::binary);
        out << text;
        if (!out) throw std::runtime_error("cannot write the benchmark's map file");
    }
};

// One document and view over the dataset, read as File Open reads it.
struct Scene {
    okap::MapDocument doc;
    okap::MapView view;
    QImage image{kWidth, kHeight, QImage::Format_RGB32};
    // Where the zoomed views look: nine places spread over the map, so that
    // their average meets the map's average density of features.
    std::vector<okap::LPoint> zoomCentres;

    Scene() : doc("bench.oki", (Dataset::Get().dir / "bench.oki").string()), view(doc, Settings()) {
        okap::SetWD(Dataset::Get().dir.string());
        if (!okap::LoadTextFile(doc)) throw std::runtime_error("cannot read the benchmark's document");
        PaintFull();  // sets the viewport that converts the places
        for (double lat : {-45.0, 0.0, 45.0}) {
            for (double lon : {-110.0, 0.0, 110.0}) {
                okap::LPoint centre;
                doc.projection.pos2dm(okap::Position(okap::Latitude(lat), okap::Longitude(lon)), centre);
                zoomCentres.push_back(centre);
            }
        }
    }

    static okap::ViewSettings Settings() {
        okap::ViewSettings settings;
        settings.mapDirectory = Dataset::Get().dir.string();
        return settings;
    }

    void Paint(okap::LPoint centre, int32_t scale) {
        doc.centre = centre;
        doc.scale = scale;
        QPainter painter(&image);
        okap::QPainterDC dc(painter);
        view.Paint(dc, {0, 0, kWidth, kHeight});
        if (okap::badclient) throw std::runtime_error("the paint failed");
    }
    void PaintFull() { Paint({0, 0}, kFullViewScale); }
    // The i-th zoomed view.
    void PaintZoomed(size_t i) { Paint(zoomCentres[i % zoomCentres.size()], kZoomedViewScale); }
};

// The map's segments as the full view's paint converts them, drawn by
// QPainter with the pens and brushes the styles make.
struct DirectDrawing {
    struct Figure {
        QPolygonF points;
        bool area;
        int style;
    };
    std::vector<Figure> figures;
    std::vector<QPen> pens;
    std::vector<QBrush> brushes;
    QImage image{kWidth, kHeight, QImage::Format_RGB32};

    explicit DirectDrawing(Scene& scene) {
        scene.PaintFull();  // sets the projection's viewport and pixwid
        okap::FeatureStyles styles;
        okap::LoadFeatureStyles("bench.okf", styles);
        for (const okap::PlotStyle& style : styles) {
            // As QPainterDC makes them for a pen under one device pixel.
            QPen pen(QColor(style.lineColour.Red(), style.lineColour.Green(), style.lineColour.Blue()));
            pen.setCosmetic(true);
            pen.setWidth(1);
            pen.setCapStyle(Qt::FlatCap);
            pen.setJoinStyle(Qt::MiterJoin);
            pens.push_back(pen);
            brushes.emplace_back(QColor(style.fillColour.Red(), style.fillColour.Green(), style.fillColour.Blue()));
        }
        okap::Mapfile map;
        if (!map.OpenInfile("bench.mpb")) throw std::runtime_error("cannot open the benchmark's map");
        std::vector<okap::POINT> points;
        while (!map.EndOfInFile()) {
            int inside = 0;
            if (!map.LoadSegment(points, scene.doc.projection, inside) || points.size() < 2) continue;
            Figure figure{QPolygonF(), map.InSegment().kind == okap::kAreaKind, map.InSegment().type - 1};
            for (const okap::POINT& p : points) figure.points.append(QPointF(p.x, p.y));
            figures.push_back(std::move(figure));
        }
        map.CloseInfile();
    }

    void Draw() {
        QPainter painter(&image);
        painter.setTransform(QTransform(double(kWidth) / 10000, 0, 0, -double(kHeight) / 7500, 0, 0));
        for (const Figure& f : figures) {
            painter.setPen(pens[static_cast<size_t>(f.style)]);
            if (f.area) {
                painter.setBrush(brushes[static_cast<size_t>(f.style)]);
                painter.drawPolygon(f.points, Qt::WindingFill);
            } else {
                painter.drawPolyline(f.points);
            }
        }
    }
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

DirectDrawing& TheDirectDrawing() {
    static DirectDrawing direct(TheScene());
    return direct;
}

void ReportPoints(benchmark::State& state) {
    const double points = static_cast<double>(Dataset::Get().points);
    state.counters["points"] = points;
    state.counters["points/s"] = benchmark::Counter(points * static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

void BM_PaintFullView(benchmark::State& state) {
    Scene& scene = TheScene();
    for (auto _ : state) scene.PaintFull();
    ReportPoints(state);
}
BENCHMARK(BM_PaintFullView)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_PaintOnePercentView(benchmark::State& state) {
    Scene& scene = TheScene();
    size_t i = 0;
    for (auto _ : state) scene.PaintZoomed(i++);
}
BENCHMARK(BM_PaintOnePercentView)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_QPainterDirect(benchmark::State& state) {
    DirectDrawing& direct = TheDirectDrawing();
    for (auto _ : state) direct.Draw();
    ReportPoints(state);
}
BENCHMARK(BM_QPainterDirect)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The three in turn, each round, so that the ratios come from the same
// conditions; the best round of each counts. Timed by the thread's CPU
// clock, which other work on a busy machine does not inflate.
void BM_PaintRatios(benchmark::State& state) {
    Scene& scene = TheScene();
    DirectDrawing& direct = TheDirectDrawing();
    auto cpuSeconds = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
    };
    auto seconds = [&](auto body) {
        const double start = cpuSeconds();
        body();
        return cpuSeconds() - start;
    };
    double full = 1e9, zoomed = 1e9, drawn = 1e9;
    for (auto _ : state) {
        full = std::min(full, seconds([&] { scene.PaintFull(); }));
        zoomed = std::min(zoomed, seconds([&] {
                              for (size_t i = 0; i < scene.zoomCentres.size(); ++i) scene.PaintZoomed(i);
                          }) / static_cast<double>(scene.zoomCentres.size()));
        drawn = std::min(drawn, seconds([&] { direct.Draw(); }));
    }
    state.counters["full_ms"] = full * 1e3;
    state.counters["one_percent_ms"] = zoomed * 1e3;
    state.counters["direct_ms"] = drawn * 1e3;
    state.counters["full/direct"] = full / drawn;
    state.counters["one_percent/full"] = zoomed / full;
}
BENCHMARK(BM_PaintRatios)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
