// The arc tangent the game measures bearings with, worked out by the game itself rather than the
// system's maths library: every build gets the same bits, so a race steered the same way comes
// out the same wherever it runs.
#pragma once

// atan2(y, x) in radians, correctly rounded but for inputs closer than about 2^-100 to a rounding
// boundary: evaluated to about 100 bits with double-double arithmetic, then rounded once. Signed
// zeros, infinities and not-a-number follow the C library's rules.
double ArcTangent(double y, double x);
