#pragma once
// Geographic angles held as whole numbers of a small unit.
//
// One angle unit is 1/1111200 degree: with a minute of arc taken as 1852 m,
// one unit is one decimetre of arc. Degrees exist only while converting to
// text or doing trigonometry.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace okap {

inline constexpr double kUnitsPerDegree = 1111200.0;
inline constexpr long double kDegreesPerUnit = 8.999280057595392e-07L;

// The five display forms of a position, index 0 to 4; a stored position
// format is an index into this table.
inline constexpr std::array<const char*, 5> PositionFormat = {
    "ddd.ddd", "ddd.dddddd", "ddd mm' ss D", "ddd mm' D", "ddd D"};

class LatLong {
public:
    LatLong() = default;
    int32_t GetLong() const { return value; }
    void PutLong(int32_t units) { value = units; }
    // value x (1/1111200), no folding.
    double GetDegrees() const;
    // "%lf" of the degrees.
    std::string GetString() const;

    friend bool operator==(const LatLong&, const LatLong&) = default;

protected:
    int32_t value = 0;
};

class Latitude : public LatLong {
public:
    Latitude() = default;
    explicit Latitude(double degrees) { PutDegrees(degrees); }
    explicit Latitude(std::string_view text) { PutString(text); }

    // Folds into -90..+90 and rounds half away from zero to whole units.
    void PutDegrees(double degrees);
    void PutString(std::string_view text);

    using LatLong::GetString;
    std::string GetString(int format) const;
};

class Longitude : public LatLong {
public:
    Longitude() = default;
    explicit Longitude(double degrees) { PutDegrees(degrees); }
    explicit Longitude(std::string_view text) { PutString(text); }

    // Folds into -360..+360 (a longitude may lie beyond 180 so that maps
    // across the 180 degree meridian keep running) and rounds like Latitude.
    void PutDegrees(double degrees);
    void PutString(std::string_view text);

    using LatLong::GetDegrees;
    // mode 0: -360..0, 1: -180..180, 2: 0..360, others unchanged.
    double GetDegrees(int mode) const;

    using LatLong::GetString;
    std::string GetString(int format, int mode) const;
};

// A latitude followed by a longitude.
struct Position {
    Latitude Lat;
    Longitude Long;

    Position() = default;
    Position(Latitude lat, Longitude lon) : Lat(lat), Long(lon) {}
    friend bool operator==(const Position&, const Position&) = default;
};

// Reads the leading decimal number of the first 19 characters, as the
// angle fields of every file and dialog are read. Text with no number, or
// a number that is not finite, reads as 0.
double ReadDegrees(std::string_view text);

}  // namespace okap
