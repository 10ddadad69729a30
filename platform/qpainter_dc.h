#pragma once
// A device context over a QPainter, so that one drawing serves a widget, a
// QImage, an SVG or PDF file and a printer. The caller owns the painter and
// keeps it active while this object lives. The painter's state is saved on
// construction and restored on destruction; the painter's transform at
// construction defines the device space (normally the identity). Meanwhile
// the painter draws with no transform: figures are mapped here.

#include <QFont>
#include <QPolygonF>
#include <QTransform>
#include <optional>
#include <vector>

#include "platform/device_context.h"

class QPainter;

namespace okap {

class QPainterDC : public DeviceContext {
public:
    explicit QPainterDC(QPainter& painter);
    ~QPainterDC() override;
    QPainterDC(const QPainterDC&) = delete;
    QPainterDC& operator=(const QPainterDC&) = delete;

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
    TSize GetTextExtent(const Font& font, const std::string& text) override;

    int GetDeviceCaps(DeviceCap cap) const override;

    void SaveDC() override;
    void RestoreDC() override;

private:
    struct State {
        TSize windowExt{1, 1};
        POINT windowOrg;
        TSize viewportExt{1, 1};
        POINT viewportOrg;
        Pen pen;
        Brush brush = Brush::Solid(Colour::Rgb(255, 255, 255));
        Font font;
        Colour textColour = Colour::Rgb(0, 0, 0);
        Colour bkColour = Colour::Rgb(255, 255, 255);
        BackgroundMode bkMode = BackgroundMode::Opaque;
        TextAlign align = TextAlign::Left;
        PolyFillMode fillMode = PolyFillMode::Alternate;
        POINT position;
    };

    void ApplyMapping();
    Qt::FillRule FillRule() const;
    void FillArea(const QPolygonF& area, const Brush& brush);
    void DrawHatch(const QPolygonF& area, const Brush& brush);
    void Outline(const QPolygonF& points, bool closed);
    const QFont& DeviceFont(const Font& request);

    QPainter& painter;
    QTransform deviceTransform;  // the painter's transform at construction: device space
    QTransform mapping;          // logical to device coordinates
    double smoothOffset = 0.0;   // device pixels figures are moved by while antialiased
    QTransform toDevice;         // logical coordinates to the painter's, which has no transform of its own
    State state;
    std::vector<State> saved;

    // The last font made, with the request and device height it was made for.
    struct MadeFont {
        Font request;
        int deviceHeight = 0;
        QFont font;
    };
    std::optional<MadeFont> madeFont;
};

}  // namespace okap
