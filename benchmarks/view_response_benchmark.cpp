// How soon the map window answers a wheel notch or a pan on the
// full-resolution shorelines at 1600 x 1000: the wall time from the event
// to the end of the window's paint showing the moved picture, and to the
// new picture drawn in the background being shown. The window is a real
// one on the offscreen platform; each event is followed by the window's
// paint at once, as the next frame would be.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>
#include <numeric>
#include <vector>

#include "app/frame/map_window.h"
#include "app/frame/okap_app.h"
#include "platform/set_wd.h"
#include "shorelines.h"
#include "view/map_document.h"

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

QApplication& Application() {
    static int argc = 1;
    static char name[] = "okap_benchmarks";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    return application;
}

void BM_ViewResponse(benchmark::State& state) {
    okap::bench::Shorelines& shorelines = okap::bench::Shorelines::Get();
    if (!shorelines.missing.empty()) {
        state.SkipWithError(shorelines.missing.c_str());
        return;
    }
    Application();
    okap::okapApp settings;
    settings.mapPath = shorelines.dir.string();
    settings.dataPath = shorelines.dir.string();
    okap::app = &settings;
    okap::SetWD(shorelines.dir.string());
    okap::MapDocument doc("shore.oki", (shorelines.dir / "shore.oki").string());
    if (!okap::LoadTextFile(doc)) {
        state.SkipWithError("cannot read the shorelines' document");
        return;
    }
    {
        okap::okapWindow window(doc);
        window.resize(1600, 1000);
        window.show();
        window.Repaint();  // reads the map and makes its levels once
        window.View().FullScale();
        window.Repaint();

        const QPoint europe(820, 280);
        std::vector<double> moved, drawn;
        int step = 0;
        for (auto _ : state) {
            // In and out about Europe, four notches each way, and arrow-key
            // pans in between.
            const int phase = step++ % 10;
            const auto start = std::chrono::steady_clock::now();
            if (phase < 8) {
                const int eighths = phase < 4 ? 120 : -120;
                QWheelEvent wheel(europe, window.mapToGlobal(europe), {}, {0, eighths}, Qt::NoButton, Qt::NoModifier,
                                  Qt::NoScrollPhase, false);
                QCoreApplication::sendEvent(&window, &wheel);
            } else {
                QKeyEvent key(QEvent::KeyPress, phase == 8 ? Qt::Key_Left : Qt::Key_Right, Qt::NoModifier);
                QCoreApplication::sendEvent(&window, &key);
            }
            // grab() runs the window's paint into a pixmap at once.
            const QPixmap frame = window.grab();
            moved.push_back(MillisecondsSince(start));
            window.WaitForPicture();
            const QPixmap shown = window.grab();
            drawn.push_back(MillisecondsSince(start));
        }
        const auto mean = [](const std::vector<double>& v) { return std::accumulate(v.begin(), v.end(), 0.0) / v.size(); };
        const auto worst = [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); };
        state.counters["moved_ms"] = mean(moved);
        state.counters["moved_worst_ms"] = worst(moved);
        state.counters["new_picture_ms"] = mean(drawn);
        state.counters["new_picture_worst_ms"] = worst(drawn);
    }
    okap::app = nullptr;
}
BENCHMARK(BM_ViewResponse)->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace
