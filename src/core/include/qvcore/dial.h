// The arithmetic of the orientation dial: where a pointer puts the knob, how
// keys move it, which positions the knob may take, and the degrees a
// position stands for.
//
// Positions run over a range (0 to 359 on the Alignment page). A point is
// measured from the dial centre in window coordinates (y grows downwards).
// Without inversion the angle runs clockwise from twelve o'clock; inverted,
// counter-clockwise. The zero angle is subtracted, so with zero angle 270 and
// inversion position 0 lies at three o'clock, 90 at twelve and 270 at six.
#pragma once

#include <cstdint>
#include <string_view>

namespace qv::core {

// Radius of the knob, in pixels.
constexpr int kDialKnobRadius = 7;

struct DialGeometry {
    int minimum = 0;
    int maximum = 359;
    int zeroAngle = 0; // degrees
    bool inverted = false;

    // maximum - minimum + 1, never below 1.
    int RangeSize() const;
};

// The angle of a point, in degrees from 0 up to (not including) 360 before
// the zero angle is taken off: 90 - atan(-dy/dx), plus 180 when dx < 0 or
// when dx = 0 and dy >= 0 (dx negated first when inverted).
double DialPointAngle(int dx, int dy, bool inverted);

// The position a point selects: the angle less the zero angle, brought into
// 0..360, scaled into the range (truncated), then clamped to the right half.
int DialPositionAt(const DialGeometry& dial, int dx, int dy);

// Keeps the knob out of the left half: positions 91 to 179 become 90 and
// 180 to 269 become 270; all others are kept.
int ClampDialPosition(int position);

// A key step of `delta` (line or page size, with its sign): the result wraps
// around the range and is then clamped.
int DialStep(const DialGeometry& dial, int position, int delta);

// The degrees a (clamped) position shows: position - 360 from 270 on.
int DialDegrees(int position);
// The position of a number of degrees (negative numbers + 360).
int DialPositionOfDegrees(int degrees);

// A whole number with an optional sign, from -90 to 90, nothing else (no
// spaces). False for anything else; `degrees` is then left alone.
bool ParseDialDegrees(std::string_view text, int& degrees);

// Where the knob of a position sits, relative to the centre, on a circle of
// `radius` pixels (the inverse of DialPositionAt up to truncation).
struct DialOffset {
    double dx = 0;
    double dy = 0;
};
DialOffset DialKnobOffset(const DialGeometry& dial, int position, double radius);

} // namespace qv::core
