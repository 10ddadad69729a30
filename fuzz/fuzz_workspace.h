#pragma once
// What every harness shares: the process's temporary folder, made current,
// with a small world to draw an input in (a binary map and its format, a
// grid format, a symbol library, a data layer and a document that shows
// them all), and the paint of a document into a recording device context.
//
// A harness calls StartHarness from LLVMFuzzerInitialize, then per input
// writes it with WriteInput and does with it what the program does.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace okap {
class MapDocument;
}

namespace okap::fuzz {

// The files of the folder the sample document uses, named as the sample
// world's, so that a sample document drawn there finds its layers.
inline constexpr const char* kBaseMap = "worldmer.mpb";
inline constexpr const char* kBaseFormat = "world.okf";
inline constexpr const char* kGridFormat = "std.okg";
inline constexpr const char* kDataFile = "cities.dat";
inline constexpr const char* kDataFormat = "cities.okd";

// Once per process: makes the temporary folder with the files above and
// makes it current (it is removed at exit), starts a QGuiApplication on the
// offscreen platform and answers every message with its first button
// unseen, as a user pressing OK (or Yes to "Replace?") would.
void StartHarness();

const std::filesystem::path& Workspace();

// Writes the input, bytes as given, to name in the folder and returns its
// path, marked rewritten.
std::filesystem::path WriteInput(std::string_view name, const uint8_t* data, size_t size);

// Gives the file at path a modification time no file of this run had: the
// map cache knows files by their time, size and inode, all of which a
// rewrite within a clock tick may repeat.
void MarkRewritten(const std::filesystem::path& path);

// The text of the sample document: the base map in Mercator at full scale,
// with its grid set up from the grid format but off. A harness adds the
// rest of what it draws.
std::string SampleDocumentText();

// Appends a data layer to the document.
void AddDataLayer(MapDocument& document, const std::string& file, const std::string& format);

// Reads document text into document as File Open's content pass does;
// 1 when it was read.
int ReadDocument(MapDocument& document, const std::string& text);

// Paints the document as the map window does, 200 x 150 pixels, through a
// recording device context: with the simplified copies of the maps that
// the view's scale allows, and with every point as well for Detail::Both.
// Clears the error flag first, as the window does once it has shown a
// paint's messages.
enum class Detail { Simplified, Both };
void PaintDocument(MapDocument& document, Detail detail = Detail::Simplified);

}  // namespace okap::fuzz
