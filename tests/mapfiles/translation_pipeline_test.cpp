// Translating on several threads: the output, the messages, the progress
// and a stop are exactly those of one thread, on inputs large enough to
// span many batches.

#include "mapfiles/translation_pipeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/number_text.h"
#include "mapfiles/translator.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"
#include "tests/mapfiles/map_fixtures.h"

namespace okap {
namespace {

constexpr int kThreadCounts[] = {2, 4};

std::string Point(double lon, double lat) { return FormatGeneral(lon) + "," + FormatGeneral(lat) + "\r\n"; }

// About a megabyte of text map: thousands of short lines and small islands
// along the region's east edge (so that many are cut), blank lines and a
// point line that is not all numbers, a big ring, and an island with a lake
// joined to its outline by a bridge.
std::string MixedMap() {
    std::string text;
    for (int s = 0; s < 4000; ++s) {
        const double lon = -20 + (s % 37), lat = -60 + (s % 113);
        if (s % 3 == 0) {
            text += "\"ISLE" + FormatInt(s) + "\",2,5\r\n";
            text += Point(lon, lat) + Point(lon + 1.5, lat) + Point(lon + 1.5, lat + 1) + Point(lon, lat + 1) +
                    Point(lon, lat);
        } else {
            text += "\"ROAD" + FormatInt(s) + "\",1,-12\r\n";
            for (int i = 0; i < 12; ++i) text += Point(lon + i * 0.25, lat + 0.3 * std::sin(i + s));
            if (s % 500 == 7) text += "\r\n  \r\n12.5abc,x\r\n";
        }
    }
    text += test::WobblyRing(25000);
    text += "\"LAKE\",3,12\r\n" + Point(0, 0) + Point(10, 0) + Point(10, 5) + Point(7, 5) + Point(5, 3) +
            Point(3, 5) + Point(5, 7) + Point(7, 5) + Point(10, 5) + Point(10, 10) + Point(0, 10) + Point(0, 0);
    return text;
}

class TranslationPipelineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        std::filesystem::current_path(dir.Path());
    }

    // Translates with the given threads into a fresh output; its bytes, or
    // "(none)" when no file was written, with the run's messages and
    // summary.
    struct Result {
        int ok = 0;
        std::string bytes;
        std::vector<Message> messages;
        TranslationSummary summary;
        std::vector<double> progress;
    };
    Result Translate(TranslatorSettings settings, int threads, int stopAfter = 0) {
        Result result;
        MessageRecorder recorder;
        settings.threads = threads;
        const std::string output = settings.outputName + (settings.projectionName == "Import/Export Text" ? ".mpa" : ".mpb");
        dir.Write(output, "old contents");
        recorder.Answer({MessageResult::Yes});
        result.ok = TranslateMap(
            settings,
            [&](double fraction) {
                result.progress.push_back(fraction);
                return stopAfter == 0 || static_cast<int>(result.progress.size()) < stopAfter;
            },
            &result.summary);
        result.bytes = test::TempDir::Read(dir / output);
        result.messages = recorder.messages;
        badclient = 0;
        return result;
    }

    void ExpectSame(const Result& one, const Result& many) {
        EXPECT_EQ(many.ok, one.ok);
        EXPECT_TRUE(many.bytes == one.bytes) << "the outputs differ";
        EXPECT_EQ(many.messages, one.messages);
        EXPECT_EQ(many.progress, one.progress);
        EXPECT_EQ(many.summary.segmentsRead, one.summary.segmentsRead);
        EXPECT_EQ(many.summary.segmentsWritten, one.summary.segmentsWritten);
        EXPECT_EQ(many.summary.pointsWritten, one.summary.pointsWritten);
    }

    test::TempDir dir;
};

TEST_F(TranslationPipelineTest, OutputIsByteForByteThatOfOneThread) {
    dir.Write("mixed.mpa", MixedMap());
    for (const char* sample : {"world.mpa", "europe.mpa"})
        std::filesystem::copy_file(std::filesystem::path(OKAP_SAMPLES_DIR) / sample, dir / sample);
    // A binary input, converted back from its projection on the workers.
    {
        TranslatorSettings s;
        s.inputName = "mixed.mpa";
        s.outputName = "mixmerc";
        s.threads = 1;
        ASSERT_EQ(TranslateMap(s), 1);
    }
    struct Row {
        const char* what;
        const char* input;
        const char* projection;
        const char* west;
        const char* east;
        const char* resolution;
        int32_t maxPoints;
    };
    const Row rows[] = {
        {"world to Mercator", "world.mpa", "Mercator Cylindrical", "-180", "180", "0", 0},
        {"Europe to Miller, cut", "europe.mpa", "Miller Cylindrical", "-10", "20", "0", 0},
        {"mixed to text, cut and thinned", "mixed.mpa", "Import/Export Text", "-20", "6", "0.1", 0},
        {"mixed to polyconic, cut, in tiles", "mixed.mpa", "Polyconic", "-20", "6", "0", 500},
        {"binary to orthographic", "mixmerc.mpb", "Orthographic", "-180", "180", "0", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TranslatorSettings s;
        s.inputName = row.input;
        s.outputName = "out";
        s.projectionName = row.projection;
        s.west = row.west;
        s.east = row.east;
        s.resolution = row.resolution;
        s.maxPoints = row.maxPoints;
        const Result one = Translate(s, 1);
        ASSERT_EQ(one.ok, 1);
        ASSERT_TRUE(one.messages.size() == 1) << "only the Replace question";
        ASSERT_GT(one.summary.pointsWritten, 10000);
        for (int threads : kThreadCounts) {
            SCOPED_TRACE(threads);
            ExpectSame(one, Translate(s, threads));
        }
    }
}

// A failure part-way stops every thread count at the same segment with the
// same messages, and leaves the old output as it was, even where a later
// segment fails to be read before the writing reaches the first failure.
TEST_F(TranslationPipelineTest, FailuresAsWithOneThread) {
    const std::string good = MixedMap();
    test::MapLayout shortBinary;
    for (int i = 0; i < 30000; ++i)
        shortBinary.segments.push_back({"S" + FormatInt(i, 7), 1, -2, {{i, 0}, {i + 10, 10}}, {{i, 10}, {i + 10, 0}}, {}});
    shortBinary.segments[20000].storedCount = 100000000;  // runs past the end of the file
    struct Row {
        const char* what;
        const char* input;
        std::string contents;
        std::vector<std::string> messages;
    };
    const Row rows[] = {
        {"bad type in the middle", "in.mpa", good + "\"B\",?,1\r\n1,1\r\n" + good,
         {"Can not read a type code from input text map file"}},
        {"an area that does not close, then a bad count", "in.mpa",
         good + "\"A\",1,3\r\n0,0\r\n20,0\r\n20,5\r\n" + good + "\"B\",1,x\r\n1,1\r\n",
         {"ClipPoly - polygon not closed", "Insufficient memory to clip polygon"}},
        {"binary segment beyond the file", "in.mpb", test::BuildMap(shortBinary), {"Unexpected end of input file"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        dir.Write(row.input, row.contents);
        TranslatorSettings s;
        s.inputName = row.input;
        s.outputName = "out";
        s.east = "10";
        const Result one = Translate(s, 1);
        EXPECT_EQ(one.ok, 0);
        EXPECT_EQ(one.bytes, "old contents");
        std::vector<std::string> texts;
        for (const Message& m : one.messages) texts.push_back(m.text);
        texts.erase(texts.begin());  // the Replace question
        EXPECT_EQ(texts, row.messages);
        for (int threads : kThreadCounts) {
            SCOPED_TRACE(threads);
            ExpectSame(one, Translate(s, threads));
        }
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{row.input, "out.mpb"})) << "no temporary file left";
        std::filesystem::remove(dir / row.input);
    }
}

// Stopping through progress stops the workers; the old output stays and the
// progress seen up to the stop is the same.
TEST_F(TranslationPipelineTest, StoppingPartWay) {
    dir.Write("in.mpa", MixedMap());
    TranslatorSettings s;
    s.inputName = "in.mpa";
    s.outputName = "out";
    const Result one = Translate(s, 1, 2500);
    EXPECT_EQ(one.ok, 0);
    EXPECT_EQ(one.bytes, "old contents");
    EXPECT_EQ(one.progress.size(), 2500u);
    for (int threads : kThreadCounts) {
        SCOPED_TRACE(threads);
        ExpectSame(one, Translate(s, threads, 2500));
    }
}

}  // namespace
}  // namespace okap
