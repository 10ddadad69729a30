// Reading a data file: one point a line, longitude, latitude, value, an
// optional angle and an optional label in double quotes.

#include <algorithm>
#include <limits>
#include <optional>

#include "core/beyond_projection.h"
#include "core/geometry.h"
#include "core/globals.h"
#include "core/latlong.h"
#include "core/projection.h"
#include "data/datafile.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"
#include "styles/text_form.h"
#include "platform/directory_check.h"

namespace okap {

namespace {

// A box that any point widens: left and bottom at the top of the range,
// right and top at the bottom (y grows upwards).
constexpr TBox kEmptyBox{{std::numeric_limits<int>::max(), -std::numeric_limits<int>::max()},
                         {-std::numeric_limits<int>::max(), std::numeric_limits<int>::max()}};

int Fail(const std::string& message) {
    ShowError(message);
    badclient = 1;
    return 0;
}

}  // namespace

int Datafile::OpenInfile(const std::string& name) {
    if (data.is_open()) data.close();
    data.clear();
    end = 1;
    if (SetWD(dataPath) != 0) return Fail("Data file path does not exist");
    dataFileName = name;
    const std::string path = WorkPath(name);
    data.open(path, std::ios::binary);
    if (!data.is_open() || IsDirectory(path)) return Fail("Error opening data file : " + name);
    dataFileType = 0;
    end = 0;
    return 1;
}

int Datafile::CloseInfile() {
    data.close();
    end = 1;
    return 1;
}

bool Datafile::NextLine() {
    if (!data.is_open() || !data.good()) return false;
    ReadLine(data, currentLine);
    // At the end of the file: nothing read, or a last line without its line
    // break, which is not used.
    return data.good();
}

bool Datafile::ReadNumbers(DataLine& numbers) {
    const bool good = ReadDataLine(currentLine, numbers);
    hasLabel = numbers.hasLabel ? 1 : 0;
    return good;
}

bool Datafile::ReadValues(const std::function<void(double)>& take) {
    if (!data.is_open()) return false;
    const std::string name = dataFileName;
    // Reopening starts the reading again at the first line.
    if (!OpenInfile(name)) return false;
    DataLine numbers;
    while (NextLine() && ReadNumbers(numbers)) take(numbers.value);
    OpenInfile(name);
    return true;
}

void Datafile::GetDataRange(double& min, double& max) {
    double low = 1e32, high = -1e32;
    const bool read = ReadValues([&](double value) {
        low = std::min(low, value);
        high = std::max(high, value);
    });
    min = read ? low : 0.0;
    max = read ? high : 0.0;
}

std::vector<double> Datafile::GetDataValues() {
    std::vector<double> values;
    ReadValues([&values](double value) { values.push_back(value); });
    return values;
}

int Datafile::GetPlot(POINT* points, TBox& box, int mode) {
    hidden = 0;
    if (!NextLine()) {
        pointValid = 0;
        end = 1;
        // A line too long for any data file: not a data file at all.
        return LineTooLong(data) ? Fail("Unknown data file type") : 0;
    }
    pointValid = 1;
    end = 0;
    DataLine numbers;
    if (!ReadNumbers(numbers)) {
        pointValid = 0;
        end = 1;
        return Fail("Unknown data file type");
    }
    box = kEmptyBox;
    value = numbers.value;

    // When classes overlap, the last one containing the value wins.
    int found = -1;
    for (int i = 0; i < ClassCount(); ++i) {
        const DataClass& dataClass = classes[static_cast<size_t>(i)];
        if (dataClass.lowValue <= value && value <= dataClass.highValue) found = i;
    }
    if (found < 0) {
        pointValid = 0;
        hasOutline = 0;
        return 1;
    }
    currentClass = found;

    const Position position(Latitude(numbers.latitude), Longitude(numbers.longitude));
    // A point the projection cannot show, such as one behind an orthographic
    // globe, is no error: it is passed over and reading goes on.
    if (BeyondProjection(view, position)) {
        pointValid = 0;
        hasOutline = 0;
        hidden = 1;
        return 1;
    }
    LPoint world;
    if (!view.pos2dm(position, world) || !view.dm2lp(world, centre)) {
        pointValid = 0;
        return Fail("Can not convert data point position");
    }
    if (mode == 1) {
        points[0] = centre;
        return 1;
    }
    hasOutline = 1;
    outlineKind = kClosedOutline;
    PlaceOutline(points, box, currentClass);
    // Turning by minus the angle with y upwards turns the symbol clockwise;
    // the box keeps the unturned extent.
    if (numbers.hasAngle) {
        Rotate(points, classes[static_cast<size_t>(currentClass)].symbol.pointCount, centre, -numbers.angle);
    }
    pointValid = 1;
    return 1;
}

int Datafile::GetLegendSymbol(POINT* points, TBox& box, int cls, TPoint at) {
    box = kEmptyBox;
    if (cls < 0 || cls >= ClassCount()) return 0;  // no such class: nothing to draw
    currentClass = cls;
    LPoint world;
    if (!view.lp2dm(at, world)) return Fail("Can not convert data point position");
    centre = at;
    hasOutline = 1;
    outlineKind = kClosedOutline;
    PlaceOutline(points, box, cls);
    pointValid = 1;
    return 1;
}

void Datafile::PlaceOutline(POINT* points, TBox& box, int cls) const {
    const Symbol& symbol = classes[static_cast<size_t>(cls)].symbol;
    // Symbol units run to 100 from the centre. A "Screen" size is a
    // twentieth of the view's width per 100 size units, a "Map" size half a
    // degree of latitude per size unit.
    const double scale = symbol.sizeBasis == kSizeMap ? (unitsPerDegree / 2) * symbol.size
                                                       : 0.01 * (widthTenth / 2) * symbol.size;
    const auto outline = symbol.Outline();
    for (size_t i = 0; i < outline.size(); ++i) {
        const int x = SafeInt(static_cast<long long>(SafeLong(0.01 * outline[i].x * scale)) + centre.x);
        const int y = SafeInt(static_cast<long long>(SafeLong(0.01 * outline[i].y * scale)) + centre.y);
        points[i] = {x, y};
        box.tl.x = std::min(box.tl.x, x);
        box.tl.y = std::max(box.tl.y, y);
        box.br.x = std::max(box.br.x, x);
        box.br.y = std::min(box.br.y, y);
    }
}

int Datafile::GetLabel(std::string& label) {
    if (dataFileType == 0 && pointValid && hasLabel) {
        std::optional<std::string> text = DataLabel(currentLine);
        if (!text) {
            pointValid = 0;
            end = 1;
            return Fail("Error reading a data label");
        }
        label = std::move(*text);
        return 1;
    }
    pointValid = 0;
    end = 1;
    return Fail("Could not find a data label");
}

}  // namespace okap
