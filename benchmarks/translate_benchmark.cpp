// The map translator on a text map file into Mercator, with one thread
// and with one for each core, beside PROJ's own command-line tool
// projecting the same points in the same run. All are reported in points
// per second; the summary at the end gives their ratios.
//
// The map is the full-resolution shorelines when they are there
// (large.mpa in $OKAP_BENCH_DIR, else in ~/okap-bench, where
// scripts/bench-import.sh makes it), or else a generated map of over a million
// points: long wavy polylines and closed rings spread over the globe. PROJ's
// tool reads the same points, "lon lat" a line, from a file written in a
// temporary directory that is removed afterwards, with the outputs.

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
#include "mapfiles/line_reader.h"
#include "mapfiles/translator.h"
#include "platform/message_box.h"
#include "shorelines.h"

namespace {

constexpr int kSegments = 220;
constexpr int kPointsPerSegment = 5000;

// The shorelines' text map, when there is one.
std::filesystem::path LargeMap() {
    const std::filesystem::path large = okap::bench::BenchDirectory() / "large.mpa";
    std::error_code error;
    return std::filesystem::exists(large, error) ? large : std::filesystem::path();
}

// The files, made once and removed at exit.
class Dataset {
public:
    static Dataset& Get() {
        static Dataset dataset;
        return dataset;
    }
    std::filesystem::path dir;
    std::filesystem::path mapFile;                // the translator's input
    std::string projInput = "bench.txt";          // the same points, "lon lat" a line, for proj
    int64_t points = 0;

private:
    Dataset() {
        std::string pattern = (std::filesystem::temp_directory_path() / "okap-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
        dir = pattern;
        mapFile = LargeMap();
        if (mapFile.empty()) {
            mapFile = dir / "bench.mpa";
            Generate();
        } else {
            mapFile = std::filesystem::absolute(mapFile);
            PointsOf(mapFile);
        }
        std::cout << "Translating " << mapFile.string() << ": " << points << " points\n";
    }
    ~Dataset() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    // PROJ's input made from a text map's point lines.
    void PointsOf(const std::filesystem::path& map) {
        okap::LineReader reader;
        if (!reader.Open(map)) throw std::runtime_error("cannot read " + map.string());
        std::ofstream out(dir / projInput, std::ios::binary);
        std::string text;
        std::string_view line;
        while (reader.Next(line)) {
            if (line.find('"') != std::string_view::npos || line.find_first_not_of(" \t") == std::string_view::npos)
                continue;
            const size_t comma = line.find(',');
            text.append(line.substr(0, comma));
            text += ' ';
            if (comma != std::string_view::npos) text.append(line.substr(comma + 1));
            text += '\n';
            ++points;
            if (text.size() > (1 << 20)) {
                out << text;
                text.clear();
            }
        }
        out << text;
        if (!out) throw std::runtime_error("cannot write the points for proj");
    }

    void Generate() {
        std::ofstream map(mapFile, std::ios::binary);
        std::ofstream pointFile(dir / projInput, std::ios::binary);
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
                ++points;
            }
        }
        map << mapText;
        pointFile << pointText;
        if (!map || !pointFile) throw std::runtime_error("cannot write the benchmark's map file");
    }
};

// Best rates seen, for the summary: the translator with one thread and
// with all, and proj.
double oneThreadRate = 0.0;
double allThreadsRate = 0.0;
double projRate = 0.0;

// Runs body once per iteration, timing it by the wall clock (PROJ's tool is
// another process, whose time the benchmark's own CPU clock would miss, and
// the translator's workers are other threads).
template <class Body>
double RunTimed(benchmark::State& state, Body body) {
    const double points = static_cast<double>(Dataset::Get().points);
    double best = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        body(state);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        best = std::max(best, points / seconds);
    }
    state.counters["points/s"] = benchmark::Counter(points * static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
    state.counters["points"] = points;
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
    settings.inputName = data.mapFile.string();
    settings.outputName = "merc";
    settings.west = west;
    settings.east = east;
    settings.north = north;
    settings.south = south;
    settings.threads = static_cast<int>(state.range(0));
    const double rate = RunTimed(state, [&](benchmark::State& s) {
        if (!okap::TranslateMap(settings)) s.SkipWithError("the translation failed");
    });
    okap::SetMessageHandler({});
    double& best = settings.threads == 1 ? oneThreadRate : allThreadsRate;
    if (std::string(west) == "-180.0") best = std::max(best, rate);
}

// One thread, then one for each core.
void ThreadCounts(benchmark::internal::Benchmark* b) {
    b->ArgName("threads")->Arg(1);
    if (okap::DefaultTranslatorThreads() > 1) b->Arg(okap::DefaultTranslatorThreads());
}

void BM_TranslatorTextToMercator(benchmark::State& state) {
    TranslateTextMap(state, "-180.0", "180.0", "90.0", "-90.0");
}
BENCHMARK(BM_TranslatorTextToMercator)->Apply(ThreadCounts)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// The same, cut to a region so that most segments go through the clipper.
void BM_TranslatorTextToMercatorClipped(benchmark::State& state) {
    TranslateTextMap(state, "-60.0", "60.0", "40.0", "-40.0");
}
BENCHMARK(BM_TranslatorTextToMercatorClipped)
    ->Apply(ThreadCounts)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

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
BENCHMARK(BM_ProjCommandLine)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (oneThreadRate > 0.0 && projRate > 0.0) {
        std::cout << "\nBest of each, " << Dataset::Get().points << " points: translator " << oneThreadRate / 1e6
                  << " million points/s with one thread";
        if (allThreadsRate > 0.0)
            std::cout << ", " << allThreadsRate / 1e6 << " with " << okap::DefaultTranslatorThreads() << " ("
                      << allThreadsRate / oneThreadRate << " times)";
        std::cout << "; proj " << projRate / 1e6 << " million points/s, ratio "
                  << std::max(oneThreadRate, allThreadsRate) / projRate << "\n";
    }
    return 0;
}
