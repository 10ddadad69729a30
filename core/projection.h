#pragma once
// Map projections over PROJ, and the viewport that maps world coordinates
// (decimetres, y northwards) onto the logical coordinates of a view.
//
// A projection is named by a four-letter code; its index is its position in
// the tables below. "TEXT" is valid but has no PROJ object: positions stay
// geographic (the translator writes text map files with it).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/coordinates.h"
#include "core/latlong.h"

struct pj_ctx;
struct PJconsts;

namespace okap {

inline constexpr std::array<const char*, 9> Projection_Codes = {"MERC", "TEXT", "PETE", "MILC", "EQIC",
                                                                 "UPST", "LAMB", "POLY", "ORTH"};

inline constexpr std::array<const char*, 9> Projections = {
    "Mercator Cylindrical", "Import/Export Text",          "Peters Cylindrical",
    "Miller Cylindrical",   "Equidistant Cylindrical",     "Universal Polar Stereographic",
    "Lambert Cylindrical",  "Polyconic",                   "Orthographic"};

// Offered for completeness; every projection uses GRS 1980.
inline constexpr std::array<const char*, 3> Ellipsoids = {"Clarke 1866", "GRS 1980", "Sphere"};

class Projection {
public:
    // Empty: no type, no PROJ object, not valid.
    Projection() = default;
    // Builds the projection at once; a type matching no code is built as "MERC".
    Projection(std::string type, Position origin);
    ~Projection();

    // Copying takes the type and origin only and builds a PROJ object of its
    // own, so that two projections never share (and never both release) one
    // handle. The viewport is not copied: set it again before converting.
    // The copy constructor is needed as well as the assignment, or the
    // compiler's own would copy the raw handle.
    Projection(const Projection& other);
    Projection& operator=(const Projection& other);
    // Moving hands the PROJ object over instead of building another (so a
    // projection that fails is reported once, not again on assignment);
    // otherwise as copying, and the source is left empty.
    Projection(Projection&& other) noexcept;
    Projection& operator=(Projection&& other) noexcept;

    // Looks up the index, sets the curve flags and creates the PROJ object;
    // on failure shows "Projection initialisation failure" and leaves the
    // projection not valid.
    void projinit();
    // Releases the PROJ object, if any.
    void projfree();

    // Sets the viewport: the view is lpextent logical units in size and
    // shows dmcentre at its centre; its width spans 3 x dmscale decimetres.
    // The second size is accepted and ignored.
    void setvp(TSize lpextent, TSize, LPoint dmcentre, int32_t dmscale);

    // Geographic to world and back; 1 on success, 0 when there is no
    // viewport or PROJ object or PROJ cannot convert the point (out is then
    // left as it was).
    int pos2dm(const Position& pos, LPoint& out);
    int dm2pos(LPoint p, Position& out);
    // Converts n points in place, a whole segment at a time, with no
    // viewport needed: Forward from longitude x and latitude y in radians to
    // world coordinates, Inverse back. Nothing is rounded. A point PROJ
    // cannot convert comes back as HUGE_VAL in both. 0 (points untouched)
    // when there is no PROJ object.
    int Forward(double* x, double* y, size_t n);
    int Inverse(double* x, double* y, size_t n);
    // Logical to world and back; 1 on success, 0 when there is no viewport.
    int lp2dm(TPoint p, LPoint& out) const;
    int dm2lp(LPoint p, TPoint& out) const;
    // dm2lp of n points at once, in[i] to out[i]: the map drawing converts
    // whole segments. 0 when there is no viewport.
    int dm2lp(const LPoint* in, TPoint* out, size_t n) const;

    int32_t ProjIndex = 0;
    int32_t Valid = 0;
    int32_t Init = 0;  // 1 while a PROJ object exists
    std::string Type;
    Position Origin;

    LPoint dmextent;  // world size of the viewport, x > 0, y < 0
    TSize lpextent;
    POINT lporigin;   // logical centre of the viewport
    LPoint dmcentre;
    LPoint dmorigin;  // world point shown at lporigin
    double lpaspectx = 0.0, lpaspecty = 0.0;  // logical units per decimetre
    double dmaspectx = 0.0, dmaspecty = 0.0;  // decimetres per logical unit
    int32_t dmscale = 0;
    int32_t vpset = 0;

    // Where the lines of a graticule bend, so that the grid drawing walks
    // them in fine steps: parallels for "UPST" and "POLY", meridians for
    // "UPST", "POLY" and "ORTH".
    int32_t curvedParallels = 0;
    int32_t curvedMeridians = 0;

private:
    // Takes over other's type, origin and PROJ object, leaving other empty.
    void TakeFrom(Projection& other) noexcept;

    // Each projection has its own PROJ context, which keeps PROJ's error
    // state and logging apart from every other user of the library.
    pj_ctx* context = nullptr;
    PJconsts* pj = nullptr;
    // The coordinate pair handed to PROJ during a conversion.
    double u = 0.0, v = 0.0;
};

// The world rectangle covered by the viewport: tl is its north-west corner
// (logical (0, 0)), br its south-east one. 0 when no viewport is set.
int MakeBox(const Projection& proj, LBox& box);

}  // namespace okap
