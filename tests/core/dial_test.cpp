// The orientation dial: pointer angles, the right-half clamp, key steps that
// wrap, the degrees a position shows and the knob's place for a position.
#include "qvcore/dial.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qv::core;

namespace {

// The Alignment page's dial: 0..359, zero angle 270, inverted.
DialGeometry PageDial() {
    DialGeometry dial;
    dial.minimum = 0;
    dial.maximum = 359;
    dial.zeroAngle = 270;
    dial.inverted = true;
    return dial;
}

} // namespace

TEST(Dial, ClockPositionsOfThePageDial) {
    const DialGeometry dial = PageDial();
    EXPECT_EQ(DialPositionAt(dial, 40, 0), 0);   // three o'clock
    EXPECT_EQ(DialPositionAt(dial, 0, -40), 90); // twelve
    EXPECT_EQ(DialPositionAt(dial, 0, 40), 270); // six: -90 degrees
    EXPECT_EQ(DialDegrees(DialPositionAt(dial, 0, 40)), -90);
    // 45 degrees up and to the right; 45 degrees down and to the right.
    EXPECT_EQ(DialDegrees(DialPositionAt(dial, 30, -30)), 45);
    EXPECT_EQ(DialDegrees(DialPositionAt(dial, 30, 30)), -45);
    // Just above three o'clock is a small positive angle, just below wraps to 359.
    EXPECT_EQ(DialPositionAt(dial, 100, -1), 0);
    EXPECT_EQ(DialPositionAt(dial, 100, 1), 359);
    EXPECT_EQ(DialDegrees(359), -1);
}

TEST(Dial, LeftHalfIsUnreachable) {
    const DialGeometry dial = PageDial();
    // Nine o'clock, a little above and a little below: twelve and six.
    EXPECT_EQ(DialPositionAt(dial, -40, -1), 90);
    EXPECT_EQ(DialPositionAt(dial, -40, 1), 270);
    // Every point of the left half lands on 90 or 270.
    for (int dy = -50; dy <= 50; dy += 5) {
        for (int dx = -50; dx < 0; dx += 5) {
            int p = DialPositionAt(dial, dx, dy);
            EXPECT_TRUE(p == 90 || p == 270) << dx << "," << dy << " -> " << p;
            EXPECT_EQ(p, dy < 0 ? 90 : 270) << dx << "," << dy;
        }
    }
    EXPECT_EQ(ClampDialPosition(90), 90);
    EXPECT_EQ(ClampDialPosition(91), 90);
    EXPECT_EQ(ClampDialPosition(179), 90);
    EXPECT_EQ(ClampDialPosition(180), 270);
    EXPECT_EQ(ClampDialPosition(269), 270);
    EXPECT_EQ(ClampDialPosition(270), 270);
    EXPECT_EQ(ClampDialPosition(0), 0);
}

TEST(Dial, RawAngleRunsClockwiseFromTwelveUnlessInverted) {
    EXPECT_DOUBLE_EQ(DialPointAngle(0, -10, false), 0);
    EXPECT_DOUBLE_EQ(DialPointAngle(10, 0, false), 90);
    EXPECT_DOUBLE_EQ(DialPointAngle(0, 10, false), 180);
    EXPECT_DOUBLE_EQ(DialPointAngle(-10, 0, false), 270);
    EXPECT_DOUBLE_EQ(DialPointAngle(-10, 0, true), 90);
    EXPECT_DOUBLE_EQ(DialPointAngle(0, 0, false), 180); // dx = 0 and dy >= 0
    // A plain dial without zero angle: position follows the clock.
    DialGeometry plain;
    plain.maximum = 359;
    EXPECT_EQ(DialPositionAt(plain, 10, 0), 90);
    // The position scales with the range: 0..99 gives a quarter turn as 25.
    DialGeometry hundred;
    hundred.maximum = 99;
    EXPECT_EQ(DialPositionAt(hundred, 10, 0), 25);
}

TEST(Dial, KeyStepsWrapAroundTheRangeAndStayOnTheRightHalf) {
    const DialGeometry dial = PageDial();
    EXPECT_EQ(DialStep(dial, 0, 1), 1);
    EXPECT_EQ(DialStep(dial, 0, -1), 359); // below the minimum back to the top
    EXPECT_EQ(DialStep(dial, 359, 1), 0);  // past the maximum back to the minimum
    EXPECT_EQ(DialStep(dial, 90, 1), 90);  // 91 is in the left half
    EXPECT_EQ(DialStep(dial, 270, -1), 270);
    EXPECT_EQ(DialStep(dial, 271, -1), 270);
    EXPECT_EQ(DialStep(dial, 60, 71), 90);
    EXPECT_EQ(DialStep(dial, 10, -71), 299);
    EXPECT_EQ(DialStep(dial, 0, 360 * 3 + 5), 5);
}

TEST(Dial, DegreesTextAndPositions) {
    EXPECT_EQ(DialDegrees(0), 0);
    EXPECT_EQ(DialDegrees(90), 90);
    EXPECT_EQ(DialDegrees(135), 90);
    EXPECT_EQ(DialDegrees(200), -90);
    EXPECT_EQ(DialDegrees(300), -60);
    EXPECT_EQ(DialPositionOfDegrees(-45), 315);
    EXPECT_EQ(DialPositionOfDegrees(45), 45);

    int d = 7;
    EXPECT_TRUE(ParseDialDegrees("45", d));
    EXPECT_EQ(d, 45);
    EXPECT_TRUE(ParseDialDegrees("-90", d));
    EXPECT_EQ(d, -90);
    EXPECT_TRUE(ParseDialDegrees("+090", d));
    EXPECT_EQ(d, 90);
    d = 7;
    for (const char* bad : {"", "-", "+", "91", "-91", "120", "4 5", " 45", "45 ", "4.5", "0x10",
                            "99999999999999999999", "--1"}) {
        EXPECT_FALSE(ParseDialDegrees(bad, d)) << bad;
        EXPECT_EQ(d, 7) << bad;
    }
}

TEST(Dial, KnobOffsetIsTheInverseOfThePointerPosition) {
    const DialGeometry dial = PageDial();
    const double r = 40;
    DialOffset o = DialKnobOffset(dial, 0, r);
    EXPECT_NEAR(o.dx, r, 1e-9);
    EXPECT_NEAR(o.dy, 0, 1e-9);
    o = DialKnobOffset(dial, 90, r);
    EXPECT_NEAR(o.dx, 0, 1e-9);
    EXPECT_NEAR(o.dy, -r, 1e-9);
    o = DialKnobOffset(dial, 270, r);
    EXPECT_NEAR(o.dy, r, 1e-9);
    // Rounded to pixels the knob's point reads back as its position, give or
    // take the truncation at a sector's edge.
    for (int p : {0, 1, 10, 33, 45, 89, 90, 270, 271, 300, 315, 359}) {
        o = DialKnobOffset(dial, p, 1000);
        const int back = DialPositionAt(dial, static_cast<int>(std::lround(o.dx)),
                                        static_cast<int>(std::lround(o.dy)));
        EXPECT_TRUE(back == p || back == (p + 359) % 360) << p << " -> " << back;
    }
}
