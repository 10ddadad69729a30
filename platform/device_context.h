#pragma once
// The drawing surface every drawing step draws on.
//
// It keeps the model the drawing code was written for: an anisotropic
// mapping from logical to device coordinates (y grows upwards when the
// viewport height is negative), a selected pen, brush and font described by
// plain values, text colour, background mode, text alignment and polygon
// fill mode, and a stack of saved states. Backends: QPainterDC (screen,
// image, SVG, PDF, printer) and RecordingDC (every call kept as a value, for
// tests).

#include <cstdint>
#include <ostream>
#include <span>
#include <string>

#include "core/coordinates.h"
#include "platform/colour.h"

namespace okap {

enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5, InsideFrame = 6 };

enum class HatchStyle { Horizontal = 0, Vertical = 1, FDiagonal = 2, BDiagonal = 3, Cross = 4, DiagCross = 5 };

// A pen: width in logical units; width 0 draws one device pixel wide
// whatever the mapping.
struct Pen {
    Colour colour;
    int width = 0;
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    enum class Kind { Solid, Hatched, Hollow };
    Kind kind = Kind::Solid;
    Colour colour;
    HatchStyle hatch = HatchStyle::Horizontal;  // used when kind is Hatched

    static Brush Solid(Colour c) { return Brush{Kind::Solid, c, HatchStyle::Horizontal}; }
    static Brush Hatched(Colour c, HatchStyle h) { return Brush{Kind::Hatched, c, h}; }
    static Brush Hollow() { return Brush{Kind::Hollow, Colour{}, HatchStyle::Horizontal}; }
    friend bool operator==(const Brush&, const Brush&) = default;
};

// A font request. height in logical units: positive asks for that cell
// height (ascent + descent), negative for that character height (the cell
// without its internal leading), 0 for a default size. escapement is the
// angle of the base line in tenths of a degree, counter-clockwise on the
// device whatever the mapping. weight is 0 to 1000 (0 default, 400 normal,
// 700 bold); pitchAndFamily is the platform's code (low bits 1 fixed pitch,
// high nibble 1 roman, 2 swiss, 3 modern, 4 script, 5 decorative) and only
// guides the choice of a replacement face.
struct Font {
    std::string face = "Arial";
    int height = 0;
    int escapement = 0;
    int weight = 400;
    bool italic = false;
    uint8_t pitchAndFamily = 0;
    friend bool operator==(const Font&, const Font&) = default;
};

enum class BackgroundMode { Transparent, Opaque };

// Horizontal placement of a text relative to its reference point; the point
// is always the top of the text cell.
enum class TextAlign { Left, Right, Centre };

enum class PolyFillMode { Alternate, Winding };

enum class DeviceCap { HorzRes, VertRes };

std::ostream& operator<<(std::ostream& os, PenStyle s);
std::ostream& operator<<(std::ostream& os, HatchStyle h);
std::ostream& operator<<(std::ostream& os, const Pen& p);
std::ostream& operator<<(std::ostream& os, const Brush& b);
std::ostream& operator<<(std::ostream& os, const Font& f);
std::ostream& operator<<(std::ostream& os, BackgroundMode m);
std::ostream& operator<<(std::ostream& os, TextAlign a);
std::ostream& operator<<(std::ostream& os, PolyFillMode m);

// A new device context starts as the platform's did: identity mapping
// (extents (1, 1), origins (0, 0)), a black solid pen of width 0, a white
// solid brush, the default Font, black text on a white background in Opaque
// mode, Left alignment, Alternate fill mode, current position (0, 0).
class DeviceContext {
public:
    virtual ~DeviceContext() = default;

    // Mapping. Device = (logical - windowOrg) * viewportExt / windowExt + viewportOrg.
    // An extent with a zero component is refused and leaves the mapping as
    // it was.
    virtual void SetWindowExt(TSize extent) = 0;
    virtual void SetWindowOrg(POINT origin) = 0;
    virtual void SetViewportExt(TSize extent) = 0;
    virtual void SetViewportOrg(POINT origin) = 0;

    // Drawing objects and attributes.
    virtual void SelectPen(const Pen& pen) = 0;
    virtual void SelectBrush(const Brush& brush) = 0;
    virtual void SelectFont(const Font& font) = 0;
    virtual void SetTextColor(Colour colour) = 0;
    // In Opaque mode the background colour fills the gaps of hatches and of
    // styled pens and the cell behind a text; Transparent leaves them.
    virtual void SetBkColor(Colour colour) = 0;
    virtual void SetBkMode(BackgroundMode mode) = 0;
    virtual void SetTextAlign(TextAlign align) = 0;
    virtual void SetPolyFillMode(PolyFillMode mode) = 0;
    // Smooth edges for the figures drawn from now on (texts are always
    // smooth). Off in a new context; hatches stay sharp either way.
    virtual void SetAntialiasing(bool on) = 0;
    // The colours in force, for drawing that adapts to the device's own.
    virtual Colour GetTextColor() const = 0;
    virtual Colour GetBkColor() const = 0;

    // Figures, in logical coordinates. Polygon outlines with the pen and
    // fills with the brush; Polyline, MoveTo/LineTo use the pen only.
    virtual void Polygon(std::span<const POINT> points) = 0;
    virtual void Polyline(std::span<const POINT> points) = 0;
    virtual void MoveTo(POINT p) = 0;
    virtual void LineTo(POINT p) = 0;
    // Outlined with the pen and filled with the brush.
    virtual void Rectangle(const TBox& box) = 0;
    // Filled with the brush, no outline.
    virtual void FillRect(const TBox& box, const Brush& brush) = 0;
    // The text is UTF-8; a text that is not valid UTF-8 is read as Latin-1.
    virtual void TextOut(POINT p, const std::string& text) = 0;
    // The text on one line, its left edge at the box's left and its cell
    // centred between the box's top and bottom, clipped to the box; in the
    // current font (its escapement ignored), text colour and background
    // mode. The text alignment is not used. For labels in list entries and
    // buttons.
    virtual void DrawTextLine(const TBox& box, const std::string& text) = 0;
    // The width and height of the cell TextOut would draw text in with font
    // (its escapement ignored), in logical units of the current mapping. The
    // selected font stays as it is. For placing texts so that they do not
    // cover each other.
    virtual TSize GetTextExtent(const Font& font, const std::string& text) = 0;

    virtual int GetDeviceCaps(DeviceCap cap) const = 0;

    // Saved states: mapping, objects and attributes. RestoreDC returns to
    // the state of the matching SaveDC.
    virtual void SaveDC() = 0;
    virtual void RestoreDC() = 0;
};

// Saves the state of a device context and restores it when it goes out of
// scope, so that no return path forgets the restore.
class SavedDC {
public:
    explicit SavedDC(DeviceContext& dc) : dc(dc) { dc.SaveDC(); }
    ~SavedDC() { dc.RestoreDC(); }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    DeviceContext& dc;
};

}  // namespace okap
