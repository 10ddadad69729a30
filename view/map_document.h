#pragma once
// The map document: everything needed to redraw one map (its map and data
// layers, text details, view, projection, map box style and grid settings)
// and its .oki file. The document window (okapMDIChild) holds one of these;
// keeping the record and its file apart from the window lets both be used
// and tested without one.
//
// The .oki file is a text file of lines ending in CR LF, each a key padded
// with blanks, "= " and a value:
//
//   Map File Information - OKAP version 1
//   Window origin        = <x> <y>
//   Window size          = <width> <height>
//   Number of map files  = <n>
//   Mapfile  <k> = <name>.mpb <format>          one per map layer, k from 1
//   Number of data files = <n>
//   Datafile <k> = <name>.dat <format>          one per data layer
//   Number of details    = <n>
//   Detail   <k> = <detail>                     one per detail, blanks stripped
//   Window extent        = <x> <y>
//   Centre               = <world x> <world y>
//   Scale                = <denominator>
//   Projection type      = <four-letter code>
//   Projection origin    = <longitude> <latitude>   in angle units
//   Map box style        = <PlotStyle>
//   Grid style           = <grid format file name>
//   Grid position        = <0, 1 or 2>
//   Grid on/off          = <0 or 1>
//   Grid size            = <degrees, 6 significant digits>
//   Grid increment       = <n>
//
// Readers take the lines by position and never compare a key. A document is
// read in two passes over two opens of its file: the window placement of
// lines 2 and 3 before the window exists (okapMDIClient::Read), the rest
// into the record afterwards (okapMDIChild::Read).

#include <array>
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "core/coordinates.h"
#include "core/projection.h"
#include "data/details.h"
#include "styles/map_format.h"
#include "styles/plot_style.h"
#include "styles/text_style.h"

namespace okap {

inline constexpr int kMaxMapLayers = 20;
inline constexpr int kMaxDataLayers = 20;

// A layer entry: a map file (.mpb) with its map format file (.okf), or a
// data file (.dat) with its data format file (.okd). Names are kept as the
// user chose them, normally bare names resolved against the configured
// directories.
struct okapFileInfo {
    std::string file;
    std::string format;
    friend bool operator==(const okapFileInfo&, const okapFileInfo&) = default;
};

// Where the document window stands in the main window's client area, in
// pixels.
struct WindowPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;

    // The placement pass of okapMDIClient::Read: skips line 1 and reads x
    // and y from line 2, width and height from line 3. A number that cannot
    // be read keeps its value. Returns 0, changing nothing, when the file
    // ends before line 3.
    int Read(std::istream& is);
};

// What the grid drawing has told the user about a grid too dense to draw
// whole, and for which grid size and increment: each notice is given once
// per grid setting, not at every paint.
struct GridDensityNotices {
    double gridSize = 0.0;
    int gridIncrement = 0;
    bool minorLinesLeftOut = false;
    bool allLinesLeftOut = false;
};

class MapDocument {
public:
    // As okapMDIChild's constructor sets up its record: scale 0, position
    // format 1, then the defaults of ResetAll when fileName is empty, and
    // otherwise modified 0 with the values left to Read.
    explicit MapDocument(std::string title = "", std::string fileName = "");

    // okapMDIChild::ResetAll: a document made without a file name.
    void ResetAll();
    // okapMDIChild::New: the defaults of a map started with File New, with
    // the look of the sample maps (sea-blue map box, grid on).
    void New();

    // The content pass of okapMDIChild::Read: skips lines 1 to 3 and reads
    // the rest of the file into the record, then loads the grid line styles
    // from the grid format file, opened by its bare name in the current
    // directory. Values that cannot be read keep the values they had.
    // Returns 0, changing nothing, when the file ends early, a count lies
    // outside 0 to its table's capacity, or a map layer line lacks ".mpb"
    // or a data layer line ".dat". A grid format file that cannot be opened
    // shows "Error opening grid format file" and sets badclient; the
    // document is still read and its grid styles keep their values.
    int Read(std::istream& is);

    // okapMDIChild::Write: the whole file from the record and the window's
    // current placement.
    void Write(std::ostream& os, const WindowPlacement& placement) const;

    // What Save writes of the map itself: the whole file less the window's
    // position and size and the window extent, which follow the window's
    // shape rather than any edit of the map.
    std::string ContentText() const;
    // The document now matches its file (just read or saved, or a new
    // document as made): clears the modified flag.
    void MarkSaved();
    // Sets the modified flag exactly when the content differs from what was
    // last read or saved, so that a command that changed nothing (a tool
    // chosen, a dialog cancelled, Full Scale on a map at full scale) does not
    // ask to save on closing.
    void UpdateModified();

    // Writes the file named fileName, replacing the previous one only once
    // the new one is complete, and clears the modified flag. On failure
    // shows "Unable to open file" (caption "File Error") and returns 0,
    // leaving the previous file and the modified flag as they were.
    int Save(const WindowPlacement& placement);

    // The layer tables in drawing order, the first map layer the base map.
    int mapLayerCount = 0;
    int dataLayerCount = 0;
    int detailCount = 0;
    std::array<okapFileInfo, kMaxMapLayers> mapLayers;
    std::array<okapFileInfo, kMaxDataLayers> dataLayers;
    // Only the first is stored in the file.
    std::array<PlotStyle, 2> mapBoxStyles;
    // The map style dialogs' working table while a layer's format file is
    // edited; the paint keeps its own.
    FeatureStyles featureStyles;
    DetailTable details;
    // Loaded from and edited with the grid format file, never stored here.
    std::array<PlotStyle, 2> gridStyles;
    TextStyle gridLabelStyle;
    // The detail editor's working style.
    TextStyle detailStyle;

    std::string gridFormatFile;
    int gridPosition = 0;  // 0 under the map layers, 1 between map and data layers, 2 over the data
    int gridOn = 0;
    double gridSize = 0.0;  // degrees between major grid lines
    int gridIncrement = 0;  // minor intervals per major one
    // Lines and symbol edges drawn smooth. Off in documents written before
    // the setting, which draw as they always did.
    int antialiasing = 0;
    int positionFormat = 1;  // PositionFormat index of the position read-out
    GridDensityNotices gridDensityNotices;  // never stored

    std::string fileName;  // the .oki file; empty for a document never saved
    std::string title;     // the window caption

    TSize windowExtent;    // logical size of the view
    TSize viewportExtent;  // device width and negated height of the last paint
    int drawn = 0;         // set after the first complete paint
    LBox mapRegion;        // angle units: tl = (west, north), br = (east, south)
    int longitudeMode = 0;
    LPoint centre;         // world coordinates of the view centre
    int32_t scale = 0;     // the map is drawn at 1:scale
    Projection projection;
    int modified = 0;
    int painting = 0;      // nonzero while a paint is under way

private:
    void WriteLines(std::ostream& os, const WindowPlacement& placement, TSize extent) const;

    std::string savedContent;  // ContentText() when last read or saved
};

// okapMDIClient::ReadTextFile: opens the document file name and reads its
// placement into placement. On failure shows the read-error message and
// returns 0.
int ReadTextFile(const std::string& name, WindowPlacement& placement);

// okapMDIClient::LoadTextFile: opens the document's file (its fileName)
// again and reads its content. On failure shows the read-error message and
// returns 0.
int LoadTextFile(MapDocument& document);

// File Open's test of a document name: it must contain ".OKI" in any case;
// otherwise shows "Input file is not an OKAP .oki file" and returns 0.
int CheckDocumentName(const std::string& name);

}  // namespace okap
