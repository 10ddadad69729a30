#include "platform/recording_dc.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace okap {
namespace recorded {

namespace {

std::ostream& PrintPoints(std::ostream& os, const std::vector<POINT>& points) {
    os << '[';
    for (size_t i = 0; i < points.size(); ++i) os << (i ? " " : "") << points[i];
    return os << ']';
}

}  // namespace

std::ostream& operator<<(std::ostream& os, const SetWindowExt& c) { return os << "SetWindowExt{" << c.extent << '}'; }
std::ostream& operator<<(std::ostream& os, const SetWindowOrg& c) { return os << "SetWindowOrg{" << c.origin << '}'; }
std::ostream& operator<<(std::ostream& os, const SetViewportExt& c) {
    return os << "SetViewportExt{" << c.extent << '}';
}
std::ostream& operator<<(std::ostream& os, const SetViewportOrg& c) {
    return os << "SetViewportOrg{" << c.origin << '}';
}
std::ostream& operator<<(std::ostream& os, const SelectPen& c) { return os << "SelectPen{" << c.pen << '}'; }
std::ostream& operator<<(std::ostream& os, const SelectBrush& c) { return os << "SelectBrush{" << c.brush << '}'; }
std::ostream& operator<<(std::ostream& os, const SelectFont& c) { return os << "SelectFont{" << c.font << '}'; }
std::ostream& operator<<(std::ostream& os, const SetTextColor& c) { return os << "SetTextColor{" << c.colour << '}'; }
std::ostream& operator<<(std::ostream& os, const SetBkColor& c) { return os << "SetBkColor{" << c.colour << '}'; }
std::ostream& operator<<(std::ostream& os, const SetBkMode& c) { return os << "SetBkMode{" << c.mode << '}'; }
std::ostream& operator<<(std::ostream& os, const SetTextAlign& c) { return os << "SetTextAlign{" << c.align << '}'; }
std::ostream& operator<<(std::ostream& os, const SetPolyFillMode& c) {
    return os << "SetPolyFillMode{" << c.mode << '}';
}
std::ostream& operator<<(std::ostream& os, const SetAntialiasing& c) {
    return os << "SetAntialiasing{" << c.on << '}';
}
std::ostream& operator<<(std::ostream& os, const Polygon& c) {
    os << "Polygon{";
    return PrintPoints(os, c.points) << ", " << c.fillMode << '}';
}
std::ostream& operator<<(std::ostream& os, const Polyline& c) {
    os << "Polyline{";
    return PrintPoints(os, c.points) << '}';
}
std::ostream& operator<<(std::ostream& os, const MoveTo& c) { return os << "MoveTo{" << c.p << '}'; }
std::ostream& operator<<(std::ostream& os, const LineTo& c) { return os << "LineTo{" << c.p << '}'; }
std::ostream& operator<<(std::ostream& os, const Rectangle& c) { return os << "Rectangle{" << c.box << '}'; }
std::ostream& operator<<(std::ostream& os, const FillRect& c) {
    return os << "FillRect{" << c.box << ", " << c.brush << '}';
}
std::ostream& operator<<(std::ostream& os, const TextOut& c) {
    return os << "TextOut{" << c.p << ", \"" << c.text << "\"}";
}
std::ostream& operator<<(std::ostream& os, const DrawTextLine& c) {
    return os << "DrawTextLine{" << c.box << ", \"" << c.text << "\"}";
}
std::ostream& operator<<(std::ostream& os, const SaveDC&) { return os << "SaveDC{}"; }
std::ostream& operator<<(std::ostream& os, const RestoreDC&) { return os << "RestoreDC{}"; }
std::ostream& operator<<(std::ostream& os, const DcCall& c) {
    std::visit([&os](const auto& call) { os << call; }, static_cast<const DcCallVariant&>(c));
    return os;
}

}  // namespace recorded

RecordingDC::RecordingDC(TSize deviceSize) : deviceSize(deviceSize) {}

void RecordingDC::SetWindowExt(TSize extent) { calls.push_back(recorded::SetWindowExt{extent}); }
void RecordingDC::SetWindowOrg(POINT origin) { calls.push_back(recorded::SetWindowOrg{origin}); }
void RecordingDC::SetViewportExt(TSize extent) { calls.push_back(recorded::SetViewportExt{extent}); }
void RecordingDC::SetViewportOrg(POINT origin) { calls.push_back(recorded::SetViewportOrg{origin}); }

void RecordingDC::SelectPen(const Pen& pen) { calls.push_back(recorded::SelectPen{pen}); }
void RecordingDC::SelectBrush(const Brush& brush) { calls.push_back(recorded::SelectBrush{brush}); }
void RecordingDC::SelectFont(const Font& font) { calls.push_back(recorded::SelectFont{font}); }

void RecordingDC::SetTextColor(Colour colour) {
    state.textColour = colour;
    calls.push_back(recorded::SetTextColor{colour});
}

void RecordingDC::SetBkColor(Colour colour) {
    state.bkColour = colour;
    calls.push_back(recorded::SetBkColor{colour});
}

void RecordingDC::SetBkMode(BackgroundMode mode) { calls.push_back(recorded::SetBkMode{mode}); }
void RecordingDC::SetTextAlign(TextAlign align) { calls.push_back(recorded::SetTextAlign{align}); }

void RecordingDC::SetPolyFillMode(PolyFillMode mode) {
    state.fillMode = mode;
    calls.push_back(recorded::SetPolyFillMode{mode});
}

void RecordingDC::SetAntialiasing(bool on) { calls.push_back(recorded::SetAntialiasing{on}); }

Colour RecordingDC::GetTextColor() const { return state.textColour; }
Colour RecordingDC::GetBkColor() const { return state.bkColour; }

void RecordingDC::Polygon(std::span<const POINT> points) {
    calls.push_back(recorded::Polygon{{points.begin(), points.end()}, state.fillMode});
}

void RecordingDC::Polyline(std::span<const POINT> points) {
    calls.push_back(recorded::Polyline{{points.begin(), points.end()}});
}

void RecordingDC::MoveTo(POINT p) { calls.push_back(recorded::MoveTo{p}); }
void RecordingDC::LineTo(POINT p) { calls.push_back(recorded::LineTo{p}); }
void RecordingDC::Rectangle(const TBox& box) { calls.push_back(recorded::Rectangle{box}); }
void RecordingDC::FillRect(const TBox& box, const Brush& brush) { calls.push_back(recorded::FillRect{box, brush}); }
void RecordingDC::TextOut(POINT p, const std::string& text) { calls.push_back(recorded::TextOut{p, text}); }
void RecordingDC::DrawTextLine(const TBox& box, const std::string& text) {
    calls.push_back(recorded::DrawTextLine{box, text});
}

TSize RecordingDC::GetTextExtent(const Font& font, const std::string& text) {
    const int height = font.height == 0 ? 100 : std::abs(font.height);
    const auto characters = std::ranges::count_if(text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    return {static_cast<int>(std::lround(0.5 * height * static_cast<double>(characters))), height};
}

int RecordingDC::GetDeviceCaps(DeviceCap cap) const {
    return cap == DeviceCap::HorzRes ? deviceSize.cx : deviceSize.cy;
}

void RecordingDC::SaveDC() {
    saved.push_back(state);
    calls.push_back(recorded::SaveDC{});
}

void RecordingDC::RestoreDC() {
    if (!saved.empty()) {
        state = saved.back();
        saved.pop_back();
    }
    calls.push_back(recorded::RestoreDC{});
}

}  // namespace okap
