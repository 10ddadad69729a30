#include "core/latlong.h"

#include <cmath>

#include "core/number_text.h"

namespace okap {

namespace {

// Brings d into -bound..+bound by whole steps, the way repeated
// subtraction or addition of step would, but in constant time so that
// any finite value finishes.
double Fold(double d, double bound, double step) {
    if (!std::isfinite(d)) return 0.0;
    if (d > bound) d -= std::ceil((d - bound) / step) * step;
    if (d < -bound) d += std::ceil((-bound - d) / step) * step;
    if (d > bound || d < -bound) {
        // Precision lost for huge values: fall back to an exact remainder.
        d = std::fmod(d, step);
        if (d > bound) d -= step;
        if (d < -bound) d += step;
    }
    return d;
}

int32_t RoundToUnits(double d) {
    double scaled = d * kUnitsPerDegree;
    return static_cast<int32_t>(std::trunc(d > 0.0 ? scaled + 0.5 : scaled - 0.5));
}

struct Sexagesimal {
    int degrees;
    int minutes;
    int seconds;
};

// Degrees, minutes and seconds of |d| by truncation, with the rounding up
// of the shorter forms (format 3 rounds minutes, 4 and above degrees).
Sexagesimal Split(double d, int format) {
    double a = std::fabs(d);
    Sexagesimal s{};
    s.degrees = static_cast<int>(std::trunc(a));
    double r = a - s.degrees;
    s.minutes = static_cast<int>(std::trunc(r * 60.0));
    r = r - s.minutes * (1.0 / 60.0);
    s.seconds = static_cast<int>(std::trunc(r * 3600.0));
    if (format >= 3 && s.seconds > 30) s.minutes += 1;
    if (format >= 4 && s.minutes > 30) s.degrees += 1;
    return s;
}

// The degree-minute forms; width is 2 for latitudes and 3 for longitudes.
std::string SexagesimalString(double d, int format, int width, char positive, char negative) {
    Sexagesimal s = Split(d, format);
    char hemisphere = d > 0.0 ? positive : negative;
    std::string text = FormatInt(s.degrees, width);
    if (format == 2)
        return text + ' ' + FormatInt(s.minutes, 2) + "\" " + FormatInt(s.seconds, 2) + '\'' + hemisphere;
    if (format == 3) return text + ' ' + FormatInt(s.minutes, 2) + '"' + hemisphere;
    return text + ' ' + hemisphere;
}

}  // namespace

double ReadDegrees(std::string_view text) {
    // The field is read from a 20-character buffer.
    std::optional<double> value = ReadDouble(text.substr(0, 19));
    return value && std::isfinite(*value) ? *value : 0.0;
}

double LatLong::GetDegrees() const { return static_cast<double>(value * kDegreesPerUnit); }

std::string LatLong::GetString() const { return FormatFixed(GetDegrees()); }

void Latitude::PutDegrees(double degrees) { value = RoundToUnits(Fold(degrees, 90.0, 180.0)); }

void Latitude::PutString(std::string_view text) { PutDegrees(ReadDegrees(text)); }

std::string Latitude::GetString(int format) const {
    double d = GetDegrees();
    if (format == 0) return FormatFixed(d, 3, 7);
    if (format < 2) return FormatFixed(d, 6, 10);
    return SexagesimalString(d, format, 2, 'N', 'S');
}

void Longitude::PutDegrees(double degrees) { value = RoundToUnits(Fold(degrees, 360.0, 720.0)); }

void Longitude::PutString(std::string_view text) { PutDegrees(ReadDegrees(text)); }

double Longitude::GetDegrees(int mode) const {
    double d = GetDegrees();
    switch (mode) {
        case 0:
            return d > 0.0 ? d - 360.0 : d;
        case 1:
            if (d < -180.0) d += 360.0;
            return d > 180.0 ? d - 360.0 : d;
        case 2:
            return d < 0.0 ? d + 360.0 : d;
        default:
            return d;
    }
}

std::string Longitude::GetString(int format, int mode) const {
    double d = GetDegrees(mode);
    if (format == 0) return FormatFixed(d, 3, 8);
    if (format < 2) return FormatFixed(d, 6, 11);
    return SexagesimalString(d, format, 3, 'E', 'W');
}

}  // namespace okap
