#include "qvcore/dial.h"

#include "qvcore/format_cells.h"

#include <cmath>

namespace qv::core {
namespace {

constexpr double kPi = 3.14159265358979323846;

double Degrees(double radians) {
    return radians * 180.0 / kPi;
}

double Radians(double degrees) {
    return degrees * kPi / 180.0;
}

// x brought into 0 <= x < m (m > 0).
double Wrap(double x, double m) {
    double r = std::fmod(x, m);
    if (r < 0) {
        r += m;
    }
    return r >= m ? 0 : r;
}

int WrapInt(int64_t x, int64_t m) {
    int64_t r = x % m;
    if (r < 0) {
        r += m;
    }
    return static_cast<int>(r);
}

} // namespace

int DialGeometry::RangeSize() const {
    int64_t size = static_cast<int64_t>(maximum) - minimum + 1;
    if (size < 1) {
        return 1;
    }
    return size > INT32_MAX ? INT32_MAX : static_cast<int>(size);
}

double DialPointAngle(int dx, int dy, bool inverted) {
    double x = inverted ? -static_cast<double>(dx) : static_cast<double>(dx);
    double y = static_cast<double>(dy);
    double angle = 0;
    if (x != 0) {
        angle = 90.0 - Degrees(std::atan(-y / x));
    }
    if (x < 0 || (x == 0 && y >= 0)) {
        angle += 180.0;
    }
    return Wrap(angle, 360.0);
}

int DialPositionAt(const DialGeometry& dial, int dx, int dy) {
    double angle = Wrap(DialPointAngle(dx, dy, dial.inverted) - dial.zeroAngle, 360.0);
    const int size = dial.RangeSize();
    int64_t offset = static_cast<int64_t>(size * angle / 360.0);
    if (offset >= size) {
        offset = size - 1;
    }
    return ClampDialPosition(static_cast<int>(dial.minimum + offset));
}

int ClampDialPosition(int position) {
    if (position >= 91 && position <= 179) {
        return 90;
    }
    if (position >= 180 && position <= 269) {
        return 270;
    }
    return position;
}

int DialStep(const DialGeometry& dial, int position, int delta) {
    const int64_t size = dial.RangeSize();
    int64_t moved = static_cast<int64_t>(position) + delta - dial.minimum;
    return ClampDialPosition(dial.minimum + WrapInt(moved, size));
}

int DialDegrees(int position) {
    int p = ClampDialPosition(position);
    return p >= 270 ? p - 360 : p;
}

int DialPositionOfDegrees(int degrees) {
    return degrees < 0 ? degrees + 360 : degrees;
}

bool ParseDialDegrees(std::string_view text, int& degrees) {
    std::int32_t value = 0;
    if (!ReadSignedDigits(text, value) || value < -90 || value > 90) {
        return false;
    }
    degrees = value;
    return true;
}

DialOffset DialKnobOffset(const DialGeometry& dial, int position, double radius) {
    // Compass angle, clockwise from twelve o'clock (mirrored when inverted).
    const double fraction = static_cast<double>(position - dial.minimum) / dial.RangeSize();
    const double compass = Radians(fraction * 360.0 + dial.zeroAngle);
    DialOffset offset;
    offset.dx = radius * std::sin(compass) * (dial.inverted ? -1.0 : 1.0);
    offset.dy = -radius * std::cos(compass);
    return offset;
}

} // namespace qv::core
