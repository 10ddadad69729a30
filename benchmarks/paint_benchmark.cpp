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
//
// BM_ShorelinePaint does the same with the full-resolution world
// shorelines (10.6 million points) at 1600 x 1000: the whole world against
// QPainter drawing all its projected points, and the thread CPU time of the
// whole world, of views of about 1% of it and of harbours. It reads
// large.mpa and large.okf from $OKAP_BENCH_DIR (by default ~/okap-bench,
// where scripts/bench-import.sh keeps them; scripts/make-samples.sh --large
// DIR makes them) and translates the map into Mercator in a temporary
// directory; without them it is skipped.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <functional>
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
#include "shorelines.h"

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
        okap::bench::WriteOneLayerDocument(dir, "bench", kWidth, kHeight, kFullViewScale);
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

// One document and view over a map, read as File Open reads it.
struct Scene {
    std::filesystem::path dir;
    okap::MapDocument doc;
    okap::MapView view;
    int width, height;
    QImage image;
    // Where the zoomed views look: nine places spread over the map, so that
    // their average meets the map's average density of features.
    std::vector<okap::LPoint> zoomCentres;

    Scene(const std::filesystem::path& dir, const std::string& document, int width, int height)
        : dir(dir),
          doc(document, (dir / document).string()),
          view(doc, Settings(dir)),
          width(width),
          height(height),
          image(width, height, QImage::Format_RGB32) {
        okap::SetWD(dir.string());
        if (!okap::LoadTextFile(doc)) throw std::runtime_error("cannot read the benchmark's document");
        PaintFull();  // sets the viewport that converts the places
        zoomCentres = Places({-45.0, 0.0, 45.0}, {-110.0, 0.0, 110.0});
    }
    Scene() : Scene(Dataset::Get().dir, "bench.oki", kWidth, kHeight) {}

    static okap::ViewSettings Settings(const std::filesystem::path& dir) {
        okap::ViewSettings settings;
        settings.mapDirectory = dir.string();
        return settings;
    }

    // World points of every latitude with every longitude (degrees).
    std::vector<okap::LPoint> Places(std::vector<double> lats, std::vector<double> lons) {
        std::vector<okap::LPoint> places;
        for (double lat : lats) {
            for (double lon : lons) places.push_back(Place(lat, lon));
        }
        return places;
    }
    okap::LPoint Place(double lat, double lon) {
        okap::LPoint centre;
        doc.projection.pos2dm(okap::Position(okap::Latitude(lat), okap::Longitude(lon)), centre);
        return centre;
    }

    void Paint(okap::LPoint centre, int32_t scale) {
        doc.centre = centre;
        doc.scale = scale;
        QPainter painter(&image);
        okap::QPainterDC dc(painter);
        view.Paint(dc, {0, 0, width, height});
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
    QImage image;
    double logicalHeight;

    // map and format as the scene's full view shows them.
    DirectDrawing(Scene& scene, const std::function<void()>& paintFull, const std::string& mapName,
                  const std::string& format)
        : image(scene.width, scene.height, QImage::Format_RGB32),
          logicalHeight(10000.0 * scene.height / scene.width) {
        paintFull();  // sets the projection's viewport and pixwid
        okap::FeatureStyles styles;
        okap::LoadFeatureStyles(format, styles);
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
        if (!map.OpenInfile(mapName)) throw std::runtime_error("cannot open the benchmark's map");
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
        painter.setTransform(
            QTransform(image.width() / 10000.0, 0, 0, -image.height() / logicalHeight, 0, 0));
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
    static DirectDrawing direct(TheScene(), [] { TheScene().PaintFull(); }, "bench.mpb", "bench.okf");
    return direct;
}

// The calling thread's CPU time, which other work on a busy machine does
// not inflate.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

template <typename Body>
double CpuSecondsOf(Body body) {
    const double start = CpuSeconds();
    body();
    return CpuSeconds() - start;
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
    auto seconds = [](auto body) { return CpuSecondsOf(body); };
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

// The shorelines at 1600 x 1000: the whole world (Full Scale) at the level
// of detail against QPainter drawing every projected point, and the thread
// CPU time of the whole world, of views a tenth as wide (about 1% of the
// world) over nine coasts and of views about 20 km wide over six harbours.
// The best round of each view counts; the worst place is shown beside the
// average.
void BM_ShorelinePaint(benchmark::State& state) {
    okap::bench::Shorelines& shorelines = okap::bench::Shorelines::Get();
    if (!shorelines.missing.empty()) {
        state.SkipWithError(shorelines.missing.c_str());
        return;
    }
    Scene scene(shorelines.dir, "shore.oki", 1600, 1000);
    scene.view.FullScale();
    const okap::LPoint fullCentre = scene.doc.centre;
    const int32_t fullScale = scene.doc.scale;
    const auto paintFull = [&] { scene.Paint(fullCentre, fullScale); };
    // The first paint reads the map and makes its levels.
    const double firstPaint = CpuSecondsOf(paintFull);
    DirectDrawing direct(scene, paintFull, "shore.mpb", "shore.okf");
    const std::vector<okap::LPoint> coasts = {
        scene.Place(62, 6),  scene.Place(38, 25),   scene.Place(35, 137),   scene.Place(18, -70), scene.Place(70, -90),
        scene.Place(-45, -74), scene.Place(-3, 118), scene.Place(54, -3), scene.Place(27, -81)};
    const std::vector<okap::LPoint> harbours = {scene.Place(-33.85, 151.25), scene.Place(59.9, 10.7),
                                                scene.Place(22.3, 114.17),   scene.Place(40.68, -74.03),
                                                scene.Place(59.33, 18.07),   scene.Place(-22.9, -43.17)};
    constexpr int32_t kHarbourScale = 70000;  // 3 x 70000 dm = 21 km across

    double full = 1e9, drawn = 1e9, every = 1e9;
    std::vector<double> coast(coasts.size(), 1e9), harbour(harbours.size(), 1e9);
    okap::ViewSettings everyPoint = scene.view.Settings();
    everyPoint.fullDetail = true;
    for (auto _ : state) {
        full = std::min(full, CpuSecondsOf(paintFull));
        drawn = std::min(drawn, CpuSecondsOf([&] { direct.Draw(); }));
        for (size_t i = 0; i < coasts.size(); ++i)
            coast[i] = std::min(coast[i], CpuSecondsOf([&] { scene.Paint(coasts[i], fullScale / 10); }));
        for (size_t i = 0; i < harbours.size(); ++i)
            harbour[i] = std::min(harbour[i], CpuSecondsOf([&] { scene.Paint(harbours[i], kHarbourScale); }));
        const okap::ViewSettings usual = scene.view.Settings();
        scene.view.SetSettings(everyPoint);
        every = std::min(every, CpuSecondsOf(paintFull));
        scene.view.SetSettings(usual);
    }
    const auto mean = [](const std::vector<double>& v) { return std::accumulate(v.begin(), v.end(), 0.0) / v.size(); };
    const auto worst = [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); };
    state.counters["first_paint_ms"] = firstPaint * 1e3;
    state.counters["full_ms"] = full * 1e3;
    state.counters["every_point_ms"] = every * 1e3;
    state.counters["direct_ms"] = drawn * 1e3;
    state.counters["full/direct"] = full / drawn;
    state.counters["one_percent_ms"] = mean(coast) * 1e3;
    state.counters["one_percent_worst_ms"] = worst(coast) * 1e3;
    state.counters["harbour_ms"] = mean(harbour) * 1e3;
    state.counters["harbour_worst_ms"] = worst(harbour) * 1e3;
}
BENCHMARK(BM_ShorelinePaint)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
