#pragma once
// One data layer: its data format (.okd, in the map files directory), which
// splits the value axis into symbol classes and describes the legend, and
// the reading of its data file (.dat, in the data files directory), which
// turns each point into a symbol outline in logical coordinates of the view.
//
// A Datafile lives for one drawing pass or one dialog. Every failure is
// reported at once with caption "Error"; failures while reading the format
// or the data file also set badclient, so that a paint in progress gives up.

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/coordinates.h"
#include "data/data_line.h"
#include "styles/plot_style.h"
#include "styles/symbol.h"
#include "styles/text_style.h"

namespace okap {

class Projection;

// The classes a data format can hold.
inline constexpr int32_t kMaxDataClasses = 50;
// Outline kind of every data symbol: a closed figure.
inline constexpr int32_t kClosedOutline = 3;

// How Auto splits the data values into classes.
enum class ClassMethod : int32_t { EqualIntervals = 0, Quantiles = 1, NaturalBreaks = 2 };

// One value class: the points whose value lies in lowValue..highValue
// (both inclusive) are drawn with this symbol and these styles.
struct DataClass {
    Symbol symbol;  // name, size basis and size from the format; outline from okap.sym
    double lowValue = 0.0;
    double highValue = 0.0;
    PlotStyle plotStyle;  // outline and fill; plot 0 hides the class's points
    TextStyle textStyle;  // style of the point labels; on 1 draws them
    std::string label;    // text of the class in the legend and the dialog's list
};

// The fields of a data format file, in the order the file holds them, with
// the values of a new format.
struct DataFormat {
    int32_t formatType = 0;   // always 0
    int32_t symbolCount = 0;  // classes in use, 0 to kMaxDataClasses
    int32_t legend = 0;       // 1 = draw the legend
    std::string legendName = "Legend";
    TextStyle legendNameStyle;  // the title's style; its on flag shows the title
    PlotStyle legendBorderStyle;
    // The legend box as fractions of the view: left, top, right, bottom.
    std::array<double, 4> legendBorderPosition{0.05, 0.50, 0.4, 0.95};
    int32_t legendColumns = 1;
    PlotStyle symbolJoinStyle;  // the line joining the data points in file order
    std::array<DataClass, kMaxDataClasses> classes;
    // Settings newer than the fixed lines, read by key after the classes.
    // A format written before them has neither: labels drawn wherever they
    // fall, classes split into equal intervals.
    int32_t avoidLabelOverlaps = 0;  // 1: a label that would cover another is moved or left out
    ClassMethod classMethod = ClassMethod::EqualIntervals;  // how Auto splits the data

    // symbolCount held to what the table holds, for walking the classes.
    int32_t ClassCount() const { return std::clamp(symbolCount, 0, kMaxDataClasses); }
    // The Auto rule of equal intervals: splits min..max into equal steps,
    // one per class, each class starting where the one before ends and the
    // last ending exactly at max, and labels each "low-high"; symbols and
    // styles stay.
    void SplitRange(double min, double max);
    // Splits values into the classes there are by classMethod (ClassBreaks)
    // with SetClassBounds. 1 when done; 0, changing nothing, without a class
    // or a value.
    int Classify(std::span<const double> values);
    // Gives class i the bounds[i]..bounds[i + 1] (ClassBreaks) and the label
    // "low-high"; bounds holds one more number than there are classes.
    void SetClassBounds(const std::vector<double>& bounds);
    // Makes count classes (1 to kMaxDataClasses) of those there are:
    // copies of the last class are added, or classes removed from the end,
    // so that symbols and styles stay as far as they go. Needs a class.
    void SetClassCount(int count);
};

// The values the data option dialog holds as the user typed them: the
// format file is written from these and from the Datafile it edits.
struct DataOptionTexts {
    int32_t legend = 0;   // "Legend On"
    int32_t titleOn = 1;  // "On" beside "Name"
    std::string legendName = "Legend";
    std::string position = "0.05 0.50 0.4 0.95";
    std::string columns = "1";
};

// What the class dialog shows and gives back for one class.
struct DataClassTexts {
    std::string low;
    std::string high;
    int32_t symbolOn = 0;  // the plot style's plot flag
    int32_t labelOn = 0;   // the text style's on flag
    std::string label;
};

// The dialog's starting texts for a format read from a file: the position
// as its four numbers in general notation separated by single blanks.
DataOptionTexts OptionTexts(const DataFormat& format);

// The whole .okd file for format as edited with texts, lines ended by CR LF.
std::string DataFormatText(const DataFormat& format, const DataOptionTexts& texts);

// The legend position and columns as the format file holds them; false when
// the text does not hold them (four numbers; one whole number).
bool ReadLegendPosition(const std::string& text, std::array<double, 4>& position);
bool ReadLegendColumns(const std::string& text, int32_t& columns);

class Datafile : public DataFormat {
public:
    // view: the projection of the map view, with its viewport set, that the
    // points are placed in. mapPath holds the format files and okap.sym,
    // dataPath the data files.
    Datafile(Projection& view, std::string mapPath, std::string dataPath);
    Datafile(const Datafile&) = delete;
    Datafile& operator=(const Datafile&) = delete;

    // The data format.

    // Reads the format file name from the map files directory and looks its
    // symbols up in okap.sym. 1 on success; 0 after a reported failure, with
    // the format as it was.
    int ReadFormat(const std::string& name);
    // Writes the format as edited with texts to name in the map files
    // directory, replacing an old file only once the new one is complete;
    // the title's on flag is stored into the legend name style first. 1 on
    // success, 0 after a reported failure.
    int WriteFormat(const std::string& name, const DataOptionTexts& texts);

    // The class operations of the data option dialog. caret is the class
    // under the list's caret.

    // New: the first class spans the data range with a black screen-sized
    // square; later ones are copies of the class under the caret, inserted
    // after it. 1 and the new class's index in added; 0 when nothing was
    // added ("Sorry - maximum number of data symbols reached" at the limit).
    int NewClass(int caret, int& added);
    // Delete: removes the class under the caret. 1 when one was removed.
    int DeleteClass(int caret);
    // Auto: Classify with the data file's values; symbols and styles stay.
    int AutoClasses();
    // Auto with count classes: the first made as New makes it when there is
    // none, then as many as SetClassCount leaves. 0, changing nothing, when
    // the data file has no value.
    int AutoClasses(int count);
    // The class dialog's starting texts, and its OK.
    DataClassTexts ClassTexts(int index) const;
    void SetClass(int index, const DataClassTexts& texts);

    // The data file.

    // Opens name in the data files directory. 1 on success.
    int OpenInfile(const std::string& name);
    int CloseInfile();
    int EndOfInfile() const { return end; }
    // The smallest and largest value of the good lines before the first bad
    // one; afterwards reading starts again at the first line.
    void GetDataRange(double& min, double& max);
    // The values of those lines, in file order, read the same way.
    std::vector<double> GetDataValues();
    // Reads the next line and places its point: mode 1 gives the centre in
    // points[0], any other mode the class's outline (points, room for
    // Symbol::kMaxPoints) and its unturned extent in box. 1 while reading
    // may go on (pointValid tells whether this point is drawn), 0 at the end
    // of the file or after a reported failure. A point outside every class,
    // or where the projection cannot show it (hidden), is not drawn and
    // not reported.
    int GetPlot(POINT* points, TBox& box, int mode);
    // The outline of class cls around the logical point at, for the legend.
    int GetLegendSymbol(POINT* points, TBox& box, int cls, TPoint at);
    // The current point's label, the text between its first two double
    // quotes. 1 on success; 0 after a reported failure.
    int GetLabel(std::string& label);

    // Set from the view when a format is read or its first class made:
    // logical units per degree of latitude, and the view's logical width / 10.
    int32_t unitsPerDegree = 0;
    int32_t widthTenth = 0;

    // The reading state.
    std::string dataFileName;
    std::string currentLine;
    int32_t end = 1;           // 1 when the data file is exhausted, not open, or reading stopped on an error
    int32_t dataFileType = 0;  // the one layout: longitude latitude value [angle] ["label"]
    int32_t currentClass = 0;
    int32_t hasOutline = 0;
    int32_t outlineKind = kClosedOutline;
    int32_t hasLabel = 0;  // the current line holds a double quote
    POINT centre;          // the current point in logical coordinates
    double value = 0.0;
    int32_t pointValid = 0;  // the current point was placed and classified
    int32_t hidden = 0;      // the current point lies where the projection cannot show it

private:
    // The numbers of the current line (ReadDataLine); sets hasLabel.
    bool ReadNumbers(DataLine& numbers);
    // The next line of the data file into currentLine; false at the end,
    // where a last line without a line break is not used.
    bool NextLine();
    // Reads the data file again from its first line and gives each value
    // of the good lines before the first bad one to take; afterwards
    // reading starts at the first line again. False when the file is not
    // open.
    bool ReadValues(const std::function<void(double)>& take);
    void SetViewScale();
    // Places the outline of class cls around centre, widening box.
    void PlaceOutline(POINT* points, TBox& box, int cls) const;

    Projection& view;
    std::string mapPath;
    std::string dataPath;
    std::ifstream data;
};

}  // namespace okap
