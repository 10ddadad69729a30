#include "platform/device_context.h"

namespace okap {

std::ostream& operator<<(std::ostream& os, PenStyle s) {
    switch (s) {
    case PenStyle::Solid: return os << "Solid";
    case PenStyle::Dash: return os << "Dash";
    case PenStyle::Dot: return os << "Dot";
    case PenStyle::DashDot: return os << "DashDot";
    case PenStyle::DashDotDot: return os << "DashDotDot";
    case PenStyle::Null: return os << "Null";
    case PenStyle::InsideFrame: return os << "InsideFrame";
    }
    return os << "PenStyle(" << static_cast<int>(s) << ')';
}

std::ostream& operator<<(std::ostream& os, HatchStyle h) {
    switch (h) {
    case HatchStyle::Horizontal: return os << "Horizontal";
    case HatchStyle::Vertical: return os << "Vertical";
    case HatchStyle::FDiagonal: return os << "FDiagonal";
    case HatchStyle::BDiagonal: return os << "BDiagonal";
    case HatchStyle::Cross: return os << "Cross";
    case HatchStyle::DiagCross: return os << "DiagCross";
    }
    return os << "HatchStyle(" << static_cast<int>(h) << ')';
}

std::ostream& operator<<(std::ostream& os, const Pen& p) {
    return os << "Pen(" << p.colour << ", width " << p.width << ", " << p.style << ')';
}

std::ostream& operator<<(std::ostream& os, const Brush& b) {
    switch (b.kind) {
    case Brush::Kind::Solid: return os << "Brush(Solid, " << b.colour << ')';
    case Brush::Kind::Hatched: return os << "Brush(Hatched, " << b.colour << ", " << b.hatch << ')';
    case Brush::Kind::Hollow: return os << "Brush(Hollow)";
    }
    return os << "Brush(kind " << static_cast<int>(b.kind) << ')';
}

std::ostream& operator<<(std::ostream& os, const Font& f) {
    return os << "Font(\"" << f.face << "\", height " << f.height << ", escapement " << f.escapement << ", weight "
              << f.weight << (f.italic ? ", italic" : "") << ", pitchAndFamily " << static_cast<int>(f.pitchAndFamily)
              << ')';
}

std::ostream& operator<<(std::ostream& os, BackgroundMode m) {
    switch (m) {
    case BackgroundMode::Transparent: return os << "Transparent";
    case BackgroundMode::Opaque: return os << "Opaque";
    }
    return os << "BackgroundMode(" << static_cast<int>(m) << ')';
}

std::ostream& operator<<(std::ostream& os, TextAlign a) {
    switch (a) {
    case TextAlign::Left: return os << "Left";
    case TextAlign::Right: return os << "Right";
    case TextAlign::Centre: return os << "Centre";
    }
    return os << "TextAlign(" << static_cast<int>(a) << ')';
}

std::ostream& operator<<(std::ostream& os, PolyFillMode m) {
    switch (m) {
    case PolyFillMode::Alternate: return os << "Alternate";
    case PolyFillMode::Winding: return os << "Winding";
    }
    return os << "PolyFillMode(" << static_cast<int>(m) << ')';
}

}  // namespace okap
