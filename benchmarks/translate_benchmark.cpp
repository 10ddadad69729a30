// The map translator on a text map file of over a million points, into
// Mercator, beside PROJ's own command-line tool projecting the same points
// in the same run. Both are reported in points per second; the summary at
// the end gives their ratio.
//
// The map file is generated here, in a temporary directory that is removed
// afterwards: long wavy polylines and closed rings spread over the globe.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "core/number_text.h"
#include "mapfiles/translator.h"
#include "platform/message_box.h"

namespace {

constexpr int kSegments = 220;
constexpr int kPointsPerSegment = 5000;
constexpr int64_t kPoints = int64_t{kSegments} * kPointsPerSegment;

// The generated files, made once and removed at exit.
class Dataset {
public:
    static Dataset& Get() {
        static Dataset dataset;
        return dataset;
    }
    std::filesystem::path dir;
    std::string mapFile = "bench.mpa";   // the translator's input
    std::string projInput = "bench.txt";  // the same points, "lon lat" a line, for proj

private:
    Dataset() {
        std::string pattern = (std::filesystem::temp_directory_path() / "okap-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
        dir = pattern;
        std::ofstream map(dir / mapFile, std::ios::binary);
        std::ofstream points(dir / projInput, std::ios::binary);
        std::string mapText, pointText;
        for (int s = 0; s < kSegments; ++s) {
            const bool ring = s % 2 == 1;
            // Spread the segments over the globe, away from the poles and
            // from the 180 degree meridian.
            const double lon0 = -170.0 + std::fmod(s * 37.0, 320.0);
            const double lat0 = -70.0 + std::fmod(s * 23.0, 140.0);
            const int32_t count = ring ? kPointsPerSegment : -kPointsPerSegment;
            mapText += "\"S" + okap::FormatInt(s, 7) + "\"," + okap::FormatInt(s % 50 + 1) + "," +
                       okap::FormatInt(count) + "\r\n";
            for (int i = 0; i < kPointsPerSegment; ++i) {
                double lon, lat;
                if (ring) {
                    // A wobbly circle, closed: the last point repeats the first.
                    const double a = 2.0 * M_PI * (i % (kPointsPerSegment - 1)) / (kPointsPerSegment - 1);
                    const double r = 4.0 + 0.5 * std::sin(a * 40.0);
                    lon = lon0 + r * std::cos(a);
                    lat = lat0 + r * std::sin(a);
                } else {
                    // A long wavy line running east.
                    lon = lon0 + i * (12.0 / kPointsPerSegment);
                    lat = lat0 + 3.0 * std::sin(i * 0.01) + 0.2 * std::sin(i * 0.37);
                }
                const std::string x = okap::FormatGeneral(lon), y = okap::FormatGeneral(lat);
                mapText += x + "," + y + "\r\n";
                pointText += x + " " + y + "\n";
            }
        }
        map << mapText;
        points << pointText;
        if (!map || !points) throw std::runtime_error("cannot write the benchmark's map file");
    }
    ~Dataset() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
};

// Best rates seen, for the summary.
double translatorRate = 0.0;
double projRate = 0.0;

// Runs body once per iteration, timing it by the wall clock (PROJ's tool is
// another process, whose time the benchmark's own CPU clock would miss).
template <class Body>
double RunTimed(benchmark::State& state, Body body) {
    double best = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        body(state);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        best = std::max(best, kPoints / seconds);
    }
    state.counters["points/s"] = benchmark::Counter(static_cast<double>(kPoints) * state.iterations(),
                                                    benchmark::Counter::kIsRate);
    state.counters["points"] = static_cast<double>(kPoints);
    return best;
}

void TranslateTextMap(benchmark::State& state, const char* west, const char* east, const char* north,
                      const char* south) {
    Dataset& data = Dataset::Get();
    std::filesystem::current_path(data.dir);
    // Errors are shown; the Replace question is answered yes.
    okap::SetMessageHandler([](const okap::Message& m) {
        if (m.buttons == okap::MessageButtons::YesNo) return okap::MessageResult::Yes;
        return okap::PrintMessage(m);
    });
    okap::TranslatorSettings settings;  // the dialog's defaults: Mercator, the whole globe
    settings.inputName = data.mapFile;
    settings.outputName = "merc";
    settings.west = west;
    settings.east = east;
    settings.north = north;
    settings.south = south;
    const double rate = RunTimed(state, [&](benchmark::State& s) {
        if (!okap::TranslateMap(settings)) s.SkipWithError("the translation failed");
    });
    okap::SetMessageHandler({});
    if (std::string(west) == "-180.0") translatorRate = std::max(translatorRate, rate);
}

void BM_TranslatorTextToMercator(benchmark::State& state) {
    TranslateTextMap(state, "-180.0", "180.0", "90.0", "-90.0");
}
BENCHMARK(BM_TranslatorTextToMercator)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// The same, cut to a region so that most segments go through the clipper.
void BM_TranslatorTextToMercatorClipped(benchmark::State& state) {
    TranslateTextMap(state, "-60.0", "60.0", "40.0", "-40.0");
}
BENCHMARK(BM_TranslatorTextToMercatorClipped)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_ProjCommandLine(benchmark::State& state) {
#ifdef PROJ_CLI_PATH
    Dataset& data = Dataset::Get();
    const std::string command = std::string("'") + PROJ_CLI_PATH + "' +proj=merc +ellps=GRS80 +units=dm < '" +
                                (data.dir / data.projInput).string() + "' > '" + (data.dir / "proj.out").string() +
                                "'";
    projRate = std::max(projRate, RunTimed(state, [&](benchmark::State& s) {
                            if (std::system(command.c_str()) != 0) s.SkipWithError("proj failed");
                        }));
#else
    state.SkipWithError("PROJ's command-line tool 'proj' was not found at configure time");
#endif
}
BENCHMARK(BM_ProjCommandLine)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (translatorRate > 0.0 && projRate > 0.0) {
        std::cout << "\nBest of each, " << kPoints << " points: translator " << translatorRate / 1e6
                  << " million points/s, proj " << projRate / 1e6 << " million points/s, ratio "
                  << translatorRate / projRate << "\n";
    }
    return 0;
}
