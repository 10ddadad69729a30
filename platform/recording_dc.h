#pragma once
// A device context that draws nothing and keeps every call as a value, in
// order, with the logical coordinates exactly as given. Tests compare the
// calls a drawing step made with the ones it should make:
//
//     using namespace okap::recorded;
//     EXPECT_EQ(dc.calls, (std::vector<DcCall>{SelectPen{pen}, Polygon{{...}, PolyFillMode::Winding}}));

#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "platform/device_context.h"

namespace okap {

// One struct per call, kept apart from the names of the drawing code.
namespace recorded {

struct SetWindowExt {
    TSize extent;
    friend bool operator==(const SetWindowExt&, const SetWindowExt&) = default;
};
struct SetWindowOrg {
    POINT origin;
    friend bool operator==(const SetWindowOrg&, const SetWindowOrg&) = default;
};
struct SetViewportExt {
    TSize extent;
    friend bool operator==(const SetViewportExt&, const SetViewportExt&) = default;
};
struct SetViewportOrg {
    POINT origin;
    friend bool operator==(const SetViewportOrg&, const SetViewportOrg&) = default;
};
struct SelectPen {
    Pen pen;
    friend bool operator==(const SelectPen&, const SelectPen&) = default;
};
struct SelectBrush {
    Brush brush;
    friend bool operator==(const SelectBrush&, const SelectBrush&) = default;
};
struct SelectFont {
    Font font;
    friend bool operator==(const SelectFont&, const SelectFont&) = default;
};
struct SetTextColor {
    Colour colour;
    friend bool operator==(const SetTextColor&, const SetTextColor&) = default;
};
struct SetBkColor {
    Colour colour;
    friend bool operator==(const SetBkColor&, const SetBkColor&) = default;
};
struct SetBkMode {
    BackgroundMode mode;
    friend bool operator==(const SetBkMode&, const SetBkMode&) = default;
};
struct SetTextAlign {
    TextAlign align;
    friend bool operator==(const SetTextAlign&, const SetTextAlign&) = default;
};
struct SetPolyFillMode {
    PolyFillMode mode;
    friend bool operator==(const SetPolyFillMode&, const SetPolyFillMode&) = default;
};
struct SetAntialiasing {
    bool on;
    friend bool operator==(const SetAntialiasing&, const SetAntialiasing&) = default;
};
// A polygon with the fill mode that was in force when it was drawn.
struct Polygon {
    std::vector<POINT> points;
    PolyFillMode fillMode = PolyFillMode::Alternate;
    friend bool operator==(const Polygon&, const Polygon&) = default;
};
struct Polyline {
    std::vector<POINT> points;
    friend bool operator==(const Polyline&, const Polyline&) = default;
};
struct MoveTo {
    POINT p;
    friend bool operator==(const MoveTo&, const MoveTo&) = default;
};
struct LineTo {
    POINT p;
    friend bool operator==(const LineTo&, const LineTo&) = default;
};
struct Rectangle {
    TBox box;
    friend bool operator==(const Rectangle&, const Rectangle&) = default;
};
struct FillRect {
    TBox box;
    Brush brush;
    friend bool operator==(const FillRect&, const FillRect&) = default;
};
struct TextOut {
    POINT p;
    std::string text;
    friend bool operator==(const TextOut&, const TextOut&) = default;
};
struct DrawTextLine {
    TBox box;
    std::string text;
    friend bool operator==(const DrawTextLine&, const DrawTextLine&) = default;
};
struct SaveDC {
    friend bool operator==(const SaveDC&, const SaveDC&) = default;
};
struct RestoreDC {
    friend bool operator==(const RestoreDC&, const RestoreDC&) = default;
};

using DcCallVariant = std::variant<SetWindowExt, SetWindowOrg, SetViewportExt, SetViewportOrg, SelectPen, SelectBrush,
                                   SelectFont, SetTextColor, SetBkColor, SetBkMode, SetTextAlign, SetPolyFillMode,
                                   SetAntialiasing,
                                   Polygon, Polyline, MoveTo, LineTo, Rectangle, FillRect, TextOut, DrawTextLine, SaveDC,
                                   RestoreDC>;

// One recorded call. A class of its own rather than an alias of the variant,
// so that test failures print it through operator<< (GoogleTest prints a
// bare std::variant with the mangled type names).
struct DcCall : DcCallVariant {
    using DcCallVariant::DcCallVariant;
    friend bool operator==(const DcCall& a, const DcCall& b) {
        return static_cast<const DcCallVariant&>(a) == static_cast<const DcCallVariant&>(b);
    }
};

std::ostream& operator<<(std::ostream& os, const SetWindowExt& c);
std::ostream& operator<<(std::ostream& os, const SetWindowOrg& c);
std::ostream& operator<<(std::ostream& os, const SetViewportExt& c);
std::ostream& operator<<(std::ostream& os, const SetViewportOrg& c);
std::ostream& operator<<(std::ostream& os, const SelectPen& c);
std::ostream& operator<<(std::ostream& os, const SelectBrush& c);
std::ostream& operator<<(std::ostream& os, const SelectFont& c);
std::ostream& operator<<(std::ostream& os, const SetTextColor& c);
std::ostream& operator<<(std::ostream& os, const SetBkColor& c);
std::ostream& operator<<(std::ostream& os, const SetBkMode& c);
std::ostream& operator<<(std::ostream& os, const SetTextAlign& c);
std::ostream& operator<<(std::ostream& os, const SetPolyFillMode& c);
std::ostream& operator<<(std::ostream& os, const SetAntialiasing& c);
std::ostream& operator<<(std::ostream& os, const Polygon& c);
std::ostream& operator<<(std::ostream& os, const Polyline& c);
std::ostream& operator<<(std::ostream& os, const MoveTo& c);
std::ostream& operator<<(std::ostream& os, const LineTo& c);
std::ostream& operator<<(std::ostream& os, const Rectangle& c);
std::ostream& operator<<(std::ostream& os, const FillRect& c);
std::ostream& operator<<(std::ostream& os, const TextOut& c);
std::ostream& operator<<(std::ostream& os, const DrawTextLine& c);
std::ostream& operator<<(std::ostream& os, const SaveDC& c);
std::ostream& operator<<(std::ostream& os, const RestoreDC& c);
std::ostream& operator<<(std::ostream& os, const DcCall& c);

}  // namespace recorded

class RecordingDC : public DeviceContext {
public:
    explicit RecordingDC(TSize deviceSize = {1000, 1000});

    void SetWindowExt(TSize extent) override;
    void SetWindowOrg(POINT origin) override;
    void SetViewportExt(TSize extent) override;
    void SetViewportOrg(POINT origin) override;

    void SelectPen(const Pen& pen) override;
    void SelectBrush(const Brush& brush) override;
    void SelectFont(const Font& font) override;
    void SetTextColor(Colour colour) override;
    void SetBkColor(Colour colour) override;
    void SetBkMode(BackgroundMode mode) override;
    void SetTextAlign(TextAlign align) override;
    void SetPolyFillMode(PolyFillMode mode) override;
    void SetAntialiasing(bool on) override;
    Colour GetTextColor() const override;
    Colour GetBkColor() const override;

    void Polygon(std::span<const POINT> points) override;
    void Polyline(std::span<const POINT> points) override;
    void MoveTo(POINT p) override;
    void LineTo(POINT p) override;
    void Rectangle(const TBox& box) override;
    void FillRect(const TBox& box, const Brush& brush) override;
    void TextOut(POINT p, const std::string& text) override;
    void DrawTextLine(const TBox& box, const std::string& text) override;
    // Not recorded. A fixed measure in place of a real font's: the cell is
    // the font's height high (100 units for the default height 0) and each
    // character (UTF-8 code point) half that wide, about an average letter
    // of a sans face.
    TSize GetTextExtent(const Font& font, const std::string& text) override;

    int GetDeviceCaps(DeviceCap cap) const override;

    void SaveDC() override;
    void RestoreDC() override;

    // The recorded calls of one kind, in order.
    template <class T>
    std::vector<T> CallsOf() const {
        std::vector<T> result;
        for (const recorded::DcCall& call : calls) {
            if (const T* c = std::get_if<T>(&call)) result.push_back(*c);
        }
        return result;
    }

    std::vector<recorded::DcCall> calls;

private:
    // What the recorder must know to record and answer: the fill mode goes
    // into each Polygon, the colours answer the getters.
    struct State {
        PolyFillMode fillMode = PolyFillMode::Alternate;
        Colour textColour = Colour::Rgb(0, 0, 0);
        Colour bkColour = Colour::Rgb(255, 255, 255);
    };
    TSize deviceSize;
    State state;
    std::vector<State> saved;
};

}  // namespace okap
