#include "core/projection.h"

#include <proj.h>

#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "platform/message_box.h"

namespace okap {

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;

// Index of the code in Projection_Codes; a type matching none counts as
// Mercator (index 0).
int32_t IndexOf(std::string_view type) {
    int32_t index = 0;
    for (size_t i = 0; i < Projection_Codes.size(); ++i) {
        if (type == Projection_Codes[i]) index = static_cast<int32_t>(i);
    }
    return index;
}

// A PROJ result is unusable when PROJ flags an error or gives HUGE_VAL (or
// anything else that is not finite).
bool Failed(const PJ* pj, const PJ_COORD& c) {
    return proj_errno(pj) != 0 || !std::isfinite(c.xy.x) || !std::isfinite(c.xy.y);
}

}  // namespace

Projection::Projection(std::string type, Position origin) : Type(std::move(type)), Origin(origin) { projinit(); }

Projection::~Projection() { projfree(); }

Projection::Projection(const Projection& other) : Type(other.Type), Origin(other.Origin) { projinit(); }

Projection& Projection::operator=(const Projection& other) {
    Type = other.Type;
    Origin = other.Origin;
    vpset = 0;
    projinit();
    return *this;
}

Projection::Projection(Projection&& other) noexcept { TakeFrom(other); }

Projection& Projection::operator=(Projection&& other) noexcept {
    if (this != &other) {
        projfree();
        vpset = 0;
        TakeFrom(other);
    }
    return *this;
}

void Projection::TakeFrom(Projection& other) noexcept {
    Type = std::move(other.Type);
    Origin = other.Origin;
    ProjIndex = other.ProjIndex;
    Valid = std::exchange(other.Valid, 0);
    Init = std::exchange(other.Init, 0);
    curvedParallels = other.curvedParallels;
    curvedMeridians = other.curvedMeridians;
    context = std::exchange(other.context, nullptr);
    pj = std::exchange(other.pj, nullptr);
}

void Projection::projinit() {
    projfree();  // a second set-up must not leak the first PROJ object
    ProjIndex = IndexOf(Type);
    Valid = 1;
    Init = 1;
    curvedParallels = 0;
    curvedMeridians = 0;
    if (ProjIndex == 5 || ProjIndex == 7) curvedParallels = 1;
    if (ProjIndex == 5 || ProjIndex == 7 || ProjIndex == 8) curvedMeridians = 1;

    const std::string lon0 = "lon_0=" + Origin.Long.GetString();
    std::vector<std::string> args;
    switch (ProjIndex) {
        case 0:
            args = {"proj=merc", "ellps=GRS80", "units=dm", lon0, "no_defs"};
            break;
        case 1:
            Init = 0;
            return;
        case 2:
            // Peters and Lambert are always centred on the Greenwich meridian.
            args = {"proj=cea", "ellps=GRS80", "units=dm", "lat_ts=45", "no_defs"};
            break;
        case 3:
            args = {"proj=mill", "ellps=GRS80", "units=dm", lon0, "no_defs"};
            break;
        case 4:
            args = {"proj=eqc", "ellps=GRS80", "units=dm", lon0, "lat_ts=30", "no_defs"};
            break;
        case 5:
            // Polar stereographic keeps PROJ's metres: map files hold it so.
            args = {"proj=ups", "ellps=GRS80", lon0, Origin.Lat.GetDegrees() >= 0.0 ? "north" : "south", "no_defs"};
            break;
        case 6:
            args = {"proj=cea", "ellps=GRS80", "units=dm", "no_defs"};
            break;
        case 7:
            args = {"proj=poly", "ellps=GRS80", "units=dm", lon0, "no_defs"};
            break;
        case 8:
            args = {"proj=ortho", "ellps=GRS80", "units=dm", lon0, "lat_0=" + Origin.Lat.GetString(), "no_defs"};
            break;
        default:
            ShowError("Unknown projection - initialisation failure");
            Valid = 0;
            Init = 0;
            return;
    }

    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    context = proj_context_create();
    if (context != nullptr) {
        // Failures are reported by the message below; PROJ's own log would
        // only clutter standard error.
        proj_log_level(context, PJ_LOG_NONE);
        pj = proj_create_argv(context, static_cast<int>(argv.size()), argv.data());
    }
    if (pj == nullptr) {
        proj_context_destroy(context);
        context = nullptr;
        ShowError("Projection initialisation failure");
        Valid = 0;
        Init = 0;
    }
}

void Projection::projfree() {
    if (Init == 0) return;
    proj_destroy(pj);
    proj_context_destroy(context);
    pj = nullptr;
    context = nullptr;
    Init = 0;
    Valid = 0;
}

void Projection::setvp(TSize extent, TSize, LPoint centre, int32_t scale) {
    lpextent = extent;
    dmcentre = centre;
    dmscale = scale;
    const double cx = extent.cx;
    const double cy = extent.cy;
    const double ratio = cy / cx;
    dmextent.x = SafeLong(scale * 3.0 + 0.5);
    dmextent.y = SafeLong(0 - (scale * ratio * 3.0 + 0.5));
    lpaspectx = cx / dmextent.x;
    lpaspecty = 0 - cy / dmextent.y;
    dmaspectx = dmextent.x / cx;
    dmaspecty = dmextent.y / cy;
    dmorigin = dmcentre;
    lporigin.x = extent.cx / 2;
    lporigin.y = -(extent.cy / 2);
    vpset = 1;
}

int Projection::pos2dm(const Position& pos, LPoint& out) {
    if (vpset == 0 || pj == nullptr) return 0;
    u = pos.Long.GetDegrees() * kRadiansPerDegree;
    v = pos.Lat.GetDegrees() * kRadiansPerDegree;
    const PJ_COORD c = proj_trans(pj, PJ_FWD, proj_coord(u, v, 0.0, 0.0));
    if (Failed(pj, c)) {
        // PROJ keeps the error number until it is cleared, and would report
        // it again for the next point.
        proj_errno_reset(pj);
        return 0;
    }
    u = c.xy.x;
    v = c.xy.y;
    out.x = SafeLong(u);
    out.y = SafeLong(v);
    return 1;
}

int Projection::dm2pos(LPoint p, Position& out) {
    if (vpset == 0 || pj == nullptr) return 0;
    u = p.x;
    v = p.y;
    const PJ_COORD c = proj_trans(pj, PJ_INV, proj_coord(u, v, 0.0, 0.0));
    if (Failed(pj, c)) {
        proj_errno_reset(pj);
        return 0;
    }
    u = c.lp.lam;
    v = c.lp.phi;
    out.Long.PutDegrees(u * kDegreesPerRadian);
    out.Lat.PutDegrees(v * kDegreesPerRadian);
    return 1;
}

namespace {

// proj_trans_generic over both arrays; a point that failed gets HUGE_VAL in
// both coordinates, and PROJ's error number is cleared so that it does not
// stick to the next conversion.
int TransformArrays(PJ* pj, PJ_DIRECTION direction, double* x, double* y, size_t n) {
    if (pj == nullptr) return 0;
    if (n == 0) return 1;
    proj_trans_generic(pj, direction, x, sizeof(double), n, y, sizeof(double), n, nullptr, 0, 0, nullptr, 0, 0);
    proj_errno_reset(pj);
    for (size_t i = 0; i < n; ++i) {
        if (!std::isfinite(x[i]) || !std::isfinite(y[i])) x[i] = y[i] = HUGE_VAL;
    }
    return 1;
}

}  // namespace

int Projection::Forward(double* x, double* y, size_t n) { return TransformArrays(pj, PJ_FWD, x, y, n); }

int Projection::Inverse(double* x, double* y, size_t n) { return TransformArrays(pj, PJ_INV, x, y, n); }

// Differences are taken in double: the int subtraction could overflow for
// points far off the view.
int Projection::lp2dm(TPoint p, LPoint& out) const {
    if (vpset == 0) return 0;
    out.x = SafeLong((static_cast<double>(p.x) - lporigin.x) * dmaspectx + dmorigin.x);
    out.y = SafeLong(0 - (static_cast<double>(p.y) - lporigin.y) * dmaspecty + dmorigin.y);
    return 1;
}

int Projection::dm2lp(LPoint p, TPoint& out) const {
    if (vpset == 0) return 0;
    out.x = SafeInt((static_cast<double>(p.x) - dmorigin.x) * lpaspectx + lporigin.x);
    out.y = SafeInt((static_cast<double>(p.y) - dmorigin.y) * lpaspecty + lporigin.y);
    return 1;
}

int Projection::dm2lp(const LPoint* in, TPoint* out, size_t n) const {
    if (vpset == 0) return 0;
    for (size_t i = 0; i < n; ++i) {
        out[i].x = SafeInt((static_cast<double>(in[i].x) - dmorigin.x) * lpaspectx + lporigin.x);
        out[i].y = SafeInt((static_cast<double>(in[i].y) - dmorigin.y) * lpaspecty + lporigin.y);
    }
    return 1;
}

int MakeBox(const Projection& proj, LBox& box) {
    LPoint tl, br;
    if (proj.lp2dm({0, 0}, tl) == 0 || proj.lp2dm({proj.lpextent.cx, -proj.lpextent.cy}, br) == 0) return 0;
    box.tl = tl;
    box.br = br;
    return 1;
}

}  // namespace okap
