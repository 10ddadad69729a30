#include "platform/qpainter_dc.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPaintDevice>
#include <QPainter>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>

#include "platform/font_match.h"

namespace okap {

namespace {

QColor ToQColor(Colour c) { return QColor(c.Red(), c.Green(), c.Blue()); }

// Converts a double to an int, saturating, for sizes worked out from the
// mapping (a huge logical width must not overflow).
int ClampToInt(double v, int lo, int hi) {
    if (!(v >= lo)) return lo;  // also NaN
    if (v >= hi) return hi;
    return static_cast<int>(v);
}

// Dash patterns of the platform's one-pixel styled pens, in screen pixels
// (on, off, on, off ...).
QList<qreal> DashPattern(PenStyle style) {
    switch (style) {
    case PenStyle::Dash: return {18, 6};
    case PenStyle::Dot: return {3, 3};
    case PenStyle::DashDot: return {9, 6, 3, 6};
    case PenStyle::DashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

// Device pixels per screen pixel: 1 on a screen, more on paper, where
// dashes of a few printer dots would run together into a solid line.
int DashScale(const QPaintDevice* device) {
    return device ? std::max(1, device->logicalDpiX() / 96) : 1;
}

// One family of parallel hatch lines in device space. A line is the set of
// points where u = ux*x + uy*y equals phase + 8k; along = ax*x + ay*y
// places a point on it. The phases put the lines through the centres of
// the pixels the platform's 8 x 8 hatch patterns set, counted from device
// (0, 0): horizontal row 3, vertical column 4, "\" where x == y and "/"
// where x + y == 7 (mod 8). The "/" lines sit a quarter pixel off the pixel
// centres: exactly on them, the rasteriser's rounding ties shift parts of a
// line by a pixel.
struct HatchLines {
    double ux, uy, ax, ay, phase;

    double U(QPointF p) const { return ux * p.x() + uy * p.y(); }
    double Along(QPointF p) const { return ax * p.x() + ay * p.y(); }
    QPointF At(double u, double along) const {
        const double det = ux * ay - uy * ax;
        return {(u * ay - uy * along) / det, (ux * along - ax * u) / det};
    }
};

constexpr HatchLines kHorizontal{0, 1, 1, 0, 3.5};
constexpr HatchLines kVertical{1, 0, 0, 1, 4.5};
constexpr HatchLines kFDiagonal{1, -1, 1, 0, 0.0};  // x - y = 8k: down to the right
constexpr HatchLines kBDiagonal{1, 1, 1, 0, -0.25};  // x + y = 8k: up to the right
constexpr double kHatchSpacing = 8.0;

std::vector<HatchLines> HatchFamilies(HatchStyle hatch) {
    switch (hatch) {
    case HatchStyle::Horizontal: return {kHorizontal};
    case HatchStyle::Vertical: return {kVertical};
    case HatchStyle::FDiagonal: return {kFDiagonal};
    case HatchStyle::BDiagonal: return {kBDiagonal};
    case HatchStyle::Cross: return {kHorizontal, kVertical};
    case HatchStyle::DiagCross: return {kFDiagonal, kBDiagonal};
    }
    return {};
}

// The parts of the hatch lines of one family that lie inside the area
// (device coordinates) by the fill rule, limited to the lines that cross
// the visible rectangle. Worked out as segments rather than by clipping, so
// that vector devices get plain lines.
void AddHatchSegments(const QPolygonF& area, Qt::FillRule rule, const HatchLines& family, const QRectF& visible,
                      QList<QLineF>& out) {
    double areaLo = family.U(area[0]), areaHi = areaLo;
    for (const QPointF& p : area) {
        areaLo = std::min(areaLo, family.U(p));
        areaHi = std::max(areaHi, family.U(p));
    }
    double visibleLo = family.U(visible.topLeft()), visibleHi = visibleLo;
    for (const QPointF& p : {visible.topRight(), visible.bottomLeft(), visible.bottomRight()}) {
        visibleLo = std::min(visibleLo, family.U(p));
        visibleHi = std::max(visibleHi, family.U(p));
    }
    const double lo = std::max(areaLo, visibleLo), hi = std::min(areaHi, visibleHi);
    if (lo > hi) return;
    const long long firstLine = static_cast<long long>(std::ceil((lo - family.phase) / kHatchSpacing));
    const long long lastLine = static_cast<long long>(std::floor((hi - family.phase) / kHatchSpacing));
    if (firstLine > lastLine) return;

    struct Crossing {
        double along;
        int direction;
    };
    std::vector<std::vector<Crossing>> crossings(static_cast<size_t>(lastLine - firstLine + 1));
    const qsizetype n = area.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF a = area[i], b = area[(i + 1) % n];
        const double ua = family.U(a), ub = family.U(b);
        if (ua == ub) continue;
        // Half-open in u so that a vertex on a line counts once.
        const double edgeLo = std::min(ua, ub), edgeHi = std::max(ua, ub);
        const double from = std::max<double>(firstLine, std::ceil((edgeLo - family.phase) / kHatchSpacing));
        const double to = std::min<double>(lastLine, std::ceil((edgeHi - family.phase) / kHatchSpacing) - 1);
        if (from > to) continue;
        for (auto k = static_cast<long long>(from); k <= static_cast<long long>(to); ++k) {
            const double u = family.phase + kHatchSpacing * static_cast<double>(k);
            const double t = (u - ua) / (ub - ua);
            const double along = family.Along(a) + t * (family.Along(b) - family.Along(a));
            crossings[static_cast<size_t>(k - firstLine)].push_back({along, ub > ua ? 1 : -1});
        }
    }
    for (size_t line = 0; line < crossings.size(); ++line) {
        std::vector<Crossing>& cs = crossings[line];
        std::sort(cs.begin(), cs.end(), [](const Crossing& x, const Crossing& y) { return x.along < y.along; });
        const double u = family.phase + kHatchSpacing * static_cast<double>(firstLine + static_cast<long long>(line));
        int winding = 0, count = 0;
        for (size_t i = 0; i + 1 < cs.size(); ++i) {
            winding += cs[i].direction;
            ++count;
            const bool inside = rule == Qt::WindingFill ? winding != 0 : (count % 2) != 0;
            if (inside && cs[i + 1].along > cs[i].along)
                out.append(QLineF(family.At(u, cs[i].along), family.At(u, cs[i + 1].along)));
        }
    }
}

// Text is UTF-8; a string that is not (text from an older file) is taken
// as Latin-1 rather than shown with replacement characters.
QString DecodeText(const std::string& text) {
    // Stateless, so that a sequence cut off at the end counts as an error.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (!utf8.hasError()) return decoded;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QPainterDC::QPainterDC(QPainter& painter) : painter(painter) {
    painter.save();
    deviceTransform = painter.worldTransform();
    // Figures are mapped to the device here and drawn with no transform in
    // force. An SVG file then holds every line in its own pixel units with
    // its true stroke width, which every renderer draws: a cosmetic pen
    // under the mapping would be written as a hairline scaled down to
    // nothing wherever vector-effect="non-scaling-stroke" is not understood.
    painter.setWorldTransform(QTransform());
    // The background of hatches, styled lines and texts is drawn here, by
    // this context's own background mode.
    painter.setBackgroundMode(Qt::TransparentMode);
    ApplyMapping();
}

QPainterDC::~QPainterDC() { painter.restore(); }

void QPainterDC::ApplyMapping() {
    const double sx = static_cast<double>(state.viewportExt.cx) / state.windowExt.cx;
    const double sy = static_cast<double>(state.viewportExt.cy) / state.windowExt.cy;
    mapping = QTransform(sx, 0, 0, sy, state.viewportOrg.x - state.windowOrg.x * sx,
                         state.viewportOrg.y - state.windowOrg.y * sy);
    // Smooth figures are moved half a pixel, so that a one-pixel line along
    // a row or column lies on that row of pixels, as it does drawn sharp,
    // rather than half on each of two.
    toDevice = mapping * deviceTransform * QTransform::fromTranslate(smoothOffset, smoothOffset);
}

void QPainterDC::SetWindowExt(TSize extent) {
    if (extent.cx == 0 || extent.cy == 0) return;
    state.windowExt = extent;
    ApplyMapping();
}

void QPainterDC::SetWindowOrg(POINT origin) {
    state.windowOrg = origin;
    ApplyMapping();
}

void QPainterDC::SetViewportExt(TSize extent) {
    if (extent.cx == 0 || extent.cy == 0) return;
    state.viewportExt = extent;
    ApplyMapping();
}

void QPainterDC::SetViewportOrg(POINT origin) {
    state.viewportOrg = origin;
    ApplyMapping();
}

void QPainterDC::SelectPen(const Pen& pen) { state.pen = pen; }
void QPainterDC::SelectBrush(const Brush& brush) { state.brush = brush; }
void QPainterDC::SelectFont(const Font& font) { state.font = font; }
void QPainterDC::SetTextColor(Colour colour) { state.textColour = colour; }
void QPainterDC::SetBkColor(Colour colour) { state.bkColour = colour; }
void QPainterDC::SetBkMode(BackgroundMode mode) { state.bkMode = mode; }
void QPainterDC::SetTextAlign(TextAlign align) { state.align = align; }
void QPainterDC::SetPolyFillMode(PolyFillMode mode) { state.fillMode = mode; }

void QPainterDC::SetAntialiasing(bool on) {
    painter.setRenderHint(QPainter::Antialiasing, on);
    // Half a pixel of the device: on a high-density image a one-pixel pen
    // is one of its own pixels, a fraction of a pixel of the mapping.
    const QPaintDevice* target = painter.device();
    smoothOffset = on ? 0.5 / (target ? target->devicePixelRatioF() : 1.0) : 0.0;
    ApplyMapping();
}
Colour QPainterDC::GetTextColor() const { return state.textColour; }
Colour QPainterDC::GetBkColor() const { return state.bkColour; }

Qt::FillRule QPainterDC::FillRule() const {
    return state.fillMode == PolyFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill;
}

void QPainterDC::FillArea(const QPolygonF& area, const Brush& brush) {
    if (brush.kind == Brush::Kind::Hollow) return;
    painter.setPen(Qt::NoPen);
    if (brush.kind == Brush::Kind::Solid) {
        painter.setBrush(ToQColor(brush.colour));
        painter.drawPolygon(toDevice.map(area), FillRule());
        return;
    }
    if (state.bkMode == BackgroundMode::Opaque) {
        painter.setBrush(ToQColor(state.bkColour));
        painter.drawPolygon(toDevice.map(area), FillRule());
    }
    DrawHatch(area, brush);
}

// Hatches are a device-pixel pattern: lines one pixel wide, 8 pixels apart,
// aligned to the device origin and not scaled by the mapping.
void QPainterDC::DrawHatch(const QPolygonF& area, const Brush& brush) {
    const QPolygonF deviceArea = mapping.map(area);
    QRectF visible;
    if (const QPaintDevice* target = painter.device(); target && target->width() > 0 && target->height() > 0)
        visible = deviceTransform.inverted().mapRect(QRectF(0, 0, target->width(), target->height()));
    else  // a device without a size (a picture): the area itself, within reason
        visible = deviceArea.boundingRect().intersected(QRectF(-1e6, -1e6, 2e6, 2e6));

    QList<QLineF> lines;
    for (const HatchLines& family : HatchFamilies(brush.hatch))
        AddHatchSegments(deviceArea, FillRule(), family, visible, lines);
    if (lines.isEmpty()) return;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(ToQColor(brush.colour));
    pen.setCosmetic(true);
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    for (QLineF& line : lines) line = deviceTransform.map(line);
    painter.drawLines(lines);
    painter.restore();
}

// Pens: the width in logical units is scaled by the x axis of the mapping;
// width 0, and any width under one device pixel, draws one pixel wide. The
// pen is cosmetic (its width counts on the device), so an anisotropic
// mapping does not distort it. Styled pens are dashed only when no wider
// than one screen pixel (a device pixel on a screen, as many dots as make
// one on paper) and are drawn solid when wider, as on the original platform.
void QPainterDC::Outline(const QPolygonF& logicalPoints, bool closed) {
    if (state.pen.style == PenStyle::Null) return;
    const double scale = std::abs(mapping.m11());
    const int width = state.pen.width <= 0 ? 1 : ClampToInt(std::round(state.pen.width * scale), 1, 32767);
    const int screenPixel = DashScale(painter.device());
    const bool thin = width <= screenPixel;
    const QList<qreal> dashes = thin ? DashPattern(state.pen.style) : QList<qreal>{};

    QPen pen(ToQColor(state.pen.colour));
    pen.setCosmetic(true);
    pen.setWidth(width);
    if (thin) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
    } else {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    painter.setBrush(Qt::NoBrush);
    const QPolygonF points = toDevice.map(logicalPoints);
    auto draw = [&] {
        if (closed)
            painter.drawPolygon(points);
        else
            painter.drawPolyline(points);
    };
    if (!dashes.isEmpty()) {
        if (state.bkMode == BackgroundMode::Opaque) {  // the gaps in the background colour
            QPen gaps = pen;
            gaps.setColor(ToQColor(state.bkColour));
            painter.setPen(gaps);
            draw();
        }
        // Qt measures dashes in pen widths.
        QList<qreal> scaled = dashes;
        for (qreal& length : scaled) length *= static_cast<qreal>(screenPixel) / width;
        pen.setDashPattern(scaled);
    }
    painter.setPen(pen);
    draw();
}

void QPainterDC::Polygon(std::span<const POINT> points) {
    if (points.size() < 2) return;
    QPolygonF area;
    area.reserve(static_cast<qsizetype>(points.size()));
    for (const POINT& p : points) area.append(QPointF(p.x, p.y));
    FillArea(area, state.brush);
    Outline(area, true);
}

void QPainterDC::Polyline(std::span<const POINT> points) {
    if (points.size() < 2) return;
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(points.size()));
    for (const POINT& p : points) line.append(QPointF(p.x, p.y));
    Outline(line, false);
}

void QPainterDC::MoveTo(POINT p) { state.position = p; }

void QPainterDC::LineTo(POINT p) {
    Outline(QPolygonF{QPointF(state.position.x, state.position.y), QPointF(p.x, p.y)}, false);
    state.position = p;
}

namespace {

QPolygonF BoxCorners(const TBox& box) {
    return QPolygonF{QPointF(box.tl.x, box.tl.y), QPointF(box.br.x, box.tl.y), QPointF(box.br.x, box.br.y),
                     QPointF(box.tl.x, box.br.y)};
}

}  // namespace

void QPainterDC::Rectangle(const TBox& box) {
    const QPolygonF corners = BoxCorners(box);
    FillArea(corners, state.brush);
    Outline(corners, true);
}

void QPainterDC::FillRect(const TBox& box, const Brush& brush) { FillArea(BoxCorners(box), brush); }

// The font for the current request on this device. A positive height asks
// for the cell height (ascent + descent), a negative one for the character
// height, which is the font's pixel size; both are scaled by the y axis of
// the mapping, as the platform did.
const QFont& QPainterDC::DeviceFont(const Font& request) {
    const double scale = std::abs(mapping.m22());
    int deviceHeight;
    if (request.height == 0)  // the default size: a 12-point cell
        deviceHeight = std::max(1, painter.device() ? painter.device()->logicalDpiY() * 12 / 72 : 16);
    else
        deviceHeight = ClampToInt(std::round(std::abs(static_cast<double>(request.height)) * scale), 1, 32767);
    if (request.height < 0) deviceHeight = -deviceHeight;
    if (madeFont && madeFont->request == request && madeFont->deviceHeight == deviceHeight) return madeFont->font;

    QFont font = MatchingFont(request.face, request.pitchAndFamily);
    font.setWeight(static_cast<QFont::Weight>(request.weight <= 0 ? 400 : std::min(request.weight, 1000)));
    font.setItalic(request.italic);
    font.setKerning(false);  // the platform placed glyphs by their advance widths alone
    const int pixels = std::abs(deviceHeight);
    font.setPixelSize(pixels);
    if (deviceHeight > 0) {
        const QFontMetricsF metrics(font, painter.device());
        const double cell = metrics.ascent() + metrics.descent();
        if (cell > 0) font.setPixelSize(ClampToInt(std::round(double(pixels) * pixels / cell), 1, 32767));
    }
    madeFont = MadeFont{request, deviceHeight, font};
    return madeFont->font;
}

// The text is laid out on the device: its reference point is the top of
// the text cell at the mapped point, the base line turns counter-clockwise
// by the escapement as seen on the device, and the glyphs are never
// mirrored, whatever the mapping does to y.
void QPainterDC::TextOut(POINT p, const std::string& text) {
    const QString decoded = DecodeText(text);
    if (decoded.isEmpty()) return;
    const QFont& font = DeviceFont(state.font);
    const QFontMetricsF metrics(font, painter.device());
    const double width = metrics.horizontalAdvance(decoded);
    const double ascent = metrics.ascent();
    const double left = state.align == TextAlign::Left ? 0.0 : state.align == TextAlign::Right ? -width : -width / 2;

    const QPointF at = mapping.map(QPointF(p.x, p.y));
    QTransform frame;
    frame.translate(at.x(), at.y());
    frame.rotate(-state.font.escapement / 10.0);  // device y grows downwards
    painter.setWorldTransform(frame * deviceTransform);
    if (state.bkMode == BackgroundMode::Opaque)
        painter.fillRect(QRectF(left, 0, width, ascent + metrics.descent()), ToQColor(state.bkColour));
    painter.setFont(font);
    painter.setPen(ToQColor(state.textColour));
    painter.drawText(QPointF(left, ascent), decoded);
    painter.setWorldTransform(QTransform());
}

// Laid out on the device like TextOut, but always level: the box is mapped
// to the device and the text cell centred in it, as the platform's list and
// button labels were.
void QPainterDC::DrawTextLine(const TBox& box, const std::string& text) {
    const QString decoded = DecodeText(text);
    if (decoded.isEmpty()) return;
    const QRectF area =
        mapping.mapRect(QRectF(QPointF(box.tl.x, box.tl.y), QPointF(box.br.x, box.br.y)).normalized());
    if (area.isEmpty()) return;
    const QFont& font = DeviceFont(state.font);
    const QFontMetricsF metrics(font, painter.device());
    const double cell = metrics.ascent() + metrics.descent();
    const double top = std::round(area.top() + (area.height() - cell) / 2);

    painter.save();
    painter.setWorldTransform(deviceTransform);
    painter.setClipRect(area, Qt::IntersectClip);
    if (state.bkMode == BackgroundMode::Opaque)
        painter.fillRect(QRectF(area.left(), top, metrics.horizontalAdvance(decoded), cell), ToQColor(state.bkColour));
    painter.setFont(font);
    painter.setPen(ToQColor(state.textColour));
    painter.drawText(QPointF(area.left(), top + metrics.ascent()), decoded);
    painter.restore();
}

// Measured on the device, as TextOut lays the text out, and taken back
// through the mapping's scale.
TSize QPainterDC::GetTextExtent(const Font& font, const std::string& text) {
    const QString decoded = DecodeText(text);
    const QFontMetricsF metrics(DeviceFont(font), painter.device());
    const double sx = std::abs(mapping.m11());
    const double sy = std::abs(mapping.m22());
    if (!(sx > 0) || !(sy > 0)) return {};
    const double width = decoded.isEmpty() ? 0.0 : metrics.horizontalAdvance(decoded);
    return {ClampToInt(std::ceil(width / sx), 0, 1 << 30), ClampToInt(std::ceil((metrics.ascent() + metrics.descent()) / sy), 0, 1 << 30)};
}

int QPainterDC::GetDeviceCaps(DeviceCap cap) const {
    const QPaintDevice* target = painter.device();
    if (!target) return 0;
    return cap == DeviceCap::HorzRes ? target->width() : target->height();
}

void QPainterDC::SaveDC() { saved.push_back(state); }

void QPainterDC::RestoreDC() {
    if (saved.empty()) return;
    state = saved.back();
    saved.pop_back();
    ApplyMapping();
}

}  // namespace okap
