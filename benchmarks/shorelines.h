#pragma once
// The benchmarks' maps: a one-layer document for a map, and the large map,
// the full-resolution world shorelines (10.6 million points) translated into
// Mercator in a temporary directory, with a document of them at 1600 x
// 1000. large.mpa and large.okf come from $OKAP_BENCH_DIR (by default
// ~/okap-bench, where scripts/bench-import.sh keeps them;
// scripts/make-samples.sh --large DIR makes them).

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "mapfiles/translator.h"
#include "platform/message_box.h"

namespace okap::bench {

// Where the benchmarks find the full-resolution shorelines: $OKAP_BENCH_DIR,
// else ~/okap-bench.
inline std::filesystem::path BenchDirectory() {
    const char* bench = getenv("OKAP_BENCH_DIR");
    const char* home = getenv("HOME");
    return bench && *bench ? std::filesystem::path(bench) : std::filesystem::path(home ? home : "") / "okap-bench";
}

// Writes into dir the grid format std.okg (white, drawn nowhere) and a
// Mercator document map.oki of one map layer, map.mpb with map.okf, in a
// window of width x height pixels centred on 0 0 at scale.
inline void WriteOneLayerDocument(const std::filesystem::path& dir, const std::string& map, int width, int height,
                                  int32_t scale) {
    std::ofstream(dir / "std.okg", std::ios::binary)
        << "Grid Format - OKAP version 1\r\n"
           "Major grid style     = 1 0 0 0 1 0 255 255 255 99\r\n"
           "Minor grid style     = 1 0 0 0 1 0 255 255 255 99\r\n";
    std::ofstream(dir / (map + ".oki"), std::ios::binary)
        << "Map File Information - OKAP version 1\r\n"
           "Window origin        = 0 0\r\n"
           "Window size          = "
        << width << ' ' << height
        << "\r\n"
           "Number of map files  = 1\r\n"
           "Mapfile  1 = "
        << map << ".mpb " << map
        << ".okf\r\n"
           "Number of data files = 0\r\n"
           "Number of details    = 0\r\n"
           "Window extent        = 10000 "
        << 10000 * height / width
        << "\r\n"
           "Centre               = 0 0\r\n"
           "Scale                = "
        << scale
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

// The full-resolution shorelines in Mercator (84 N to 80 S) in a temporary
// directory, with a document of them at 1600 x 1000. Empty (with the
// reason) when large.mpa is not found.
class Shorelines {
public:
    static Shorelines& Get() {
        static Shorelines shorelines;
        return shorelines;
    }
    std::filesystem::path dir;
    std::string missing;

private:
    Shorelines() {
        const std::filesystem::path source = BenchDirectory();
        if (!std::filesystem::exists(source / "large.mpa") || !std::filesystem::exists(source / "large.okf")) {
            missing = "no large.mpa and large.okf in " + source.string() +
                      " (make them with scripts/make-samples.sh --large DIR and set OKAP_BENCH_DIR=DIR)";
            return;
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "okap-shore-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
        dir = pattern;
        std::filesystem::copy_file(source / "large.okf", dir / "shore.okf");
        SetMessageHandler(PrintMessage);
        std::filesystem::current_path(dir);
        TranslatorSettings settings;  // Mercator, every point kept
        settings.inputName = (source / "large.mpa").string();
        settings.outputName = "shore";
        settings.north = "84.0";
        settings.south = "-80.0";
        if (!TranslateMap(settings)) throw std::runtime_error("the translation of the shorelines failed");
        WriteOneLayerDocument(dir, "shore", 1600, 1000, 134000000);
    }
    ~Shorelines() {
        if (dir.empty()) return;
        std::error_code ignored;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
        std::filesystem::remove_all(dir, ignored);
    }
};

}  // namespace okap::bench
