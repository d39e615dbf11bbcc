#include "base/arc_tangent.h"

#include <cmath>
#include <utility>

namespace {

// A value carried as an unevaluated sum hi + lo with |lo| <= half an ulp of hi.
struct Wide {
    double hi, lo;
};

Wide TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

Wide FastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// Dekker's exact product, with no fused multiply-add, so that every build does the same steps.
Wide TwoProduct(double a, double b) {
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    const double ca = kSplitter * a, cb = kSplitter * b;
    const double ah = ca - (ca - a), al = a - ah;
    const double bh = cb - (cb - b), bl = b - bh;
    const double p = a * b;
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

Wide Add(Wide a, Wide b) {
    Wide s = TwoSum(a.hi, b.hi);
    const Wide t = TwoSum(a.lo, b.lo);
    s.lo += t.hi;
    s = FastTwoSum(s.hi, s.lo);
    s.lo += t.lo;
    return FastTwoSum(s.hi, s.lo);
}

Wide Negate(Wide a) {
    return {-a.hi, -a.lo};
}

Wide Multiply(Wide a, Wide b) {
    Wide p = TwoProduct(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return FastTwoSum(p.hi, p.lo);
}

// Two rounds of long division: about 104 bits.
Wide Divide(Wide a, Wide b) {
    const double q1 = a.hi / b.hi;
    const Wide r = Add(a, Negate(Multiply({q1, 0.0}, b)));
    return FastTwoSum(q1, r.hi / b.hi);
}

// atan(k / 16) for k = 0..16, as hi + lo.
constexpr Wide kTableArcs[17] = {
    {0.0, 0.0},
    {0.06241880999595735, -1.5490756308295046e-18},
    {0.12435499454676144, -3.1253241424539383e-18},
    {0.18534794999569476, 4.180692268843079e-18},
    {0.24497866312686414, 1.0698755618734451e-17},
    {0.3028848683749714, -1.1010827903001369e-17},
    {0.35877067027057225, -2.4623815582638635e-17},
    {0.4124104415973873, -1.587652227770689e-17},
    {0.4636476090008061, 2.2698777452961687e-17},
    {0.5123894603107377, -2.5462781472855804e-17},
    {0.5585993153435624, -5.4556305485916264e-18},
    {0.6022873461349642, 2.950430737228402e-17},
    {0.6435011087932844, 1.5834785051444286e-17},
    {0.6823165548747481, 6.943223671560008e-18},
    {0.7188299996216245, -2.1478388444456983e-17},
    {0.7531512809621944, -2.4256934659182068e-17},
    {0.7853981633974483, 3.061616997868383e-17},
};
constexpr Wide kHalfPi = {1.5707963267948966, 6.123233995736766e-17};
constexpr Wide kPi = {3.141592653589793, 1.2246467991473532e-16};

constexpr Wide kThird = {0.3333333333333333, 1.850371707708594e-17};
constexpr Wide kFifth = {0.2, -1.1102230246251566e-17};

// atan(u) for |u| <= 1/32 + a little: u (1 - s/3 + s^2/5 - ...) with s = u^2, up to u^21, whose
// next term is below 2^-104 of u. From s^3/7 on the terms are below 2^-30 of u, so plain doubles
// carry them closely enough; the first three are worked wide.
Wide SmallArc(Wide u) {
    const Wide s = Multiply(u, u);
    double tail = 1.0 / 21.0;
    for (int n = 9; n >= 3; --n) tail = 1.0 / (2 * n + 1) - s.hi * tail;
    Wide sum = Add(kFifth, Negate(Multiply(s, {tail, 0.0})));
    sum = Add(kThird, Negate(Multiply(s, sum)));
    sum = Add({1.0, 0.0}, Negate(Multiply(s, sum)));
    return Multiply(u, sum);
}

// atan(a / b) for 0 < a <= b, both finite.
Wide FirstOctantArc(double a, double b) {
    // Far from 1 both are brought near it (exactly: by a power of two), so that the exact
    // products below can neither overflow nor lose bits.
    if (b > 0x1p500 || b < 0x1p-500) {
        int exponent = 0;
        std::frexp(b, &exponent);
        a = std::ldexp(a, -exponent);
        b = std::ldexp(b, -exponent);
    }
    const double q = a / b;
    const Wide qb = TwoProduct(q, b);
    const Wide t = FastTwoSum(q, ((a - qb.hi) - qb.lo) / b);

    // atan(t) = atan(c) + atan((t - c) / (1 + t c)) with c the nearest sixteenth.
    const int k = static_cast<int>(t.hi * 16.0 + 0.5);
    const double c = k / 16.0;
    const Wide numerator = Add(t, {-c, 0.0});
    const Wide denominator = Add({1.0, 0.0}, Multiply(t, {c, 0.0}));
    return Add(kTableArcs[k], SmallArc(Divide(numerator, denominator)));
}

}  // namespace

double ArcTangent(double y, double x) {
    if (std::isnan(x) || std::isnan(y)) return x + y;
    const bool left = std::signbit(x);
    if (std::isinf(x) || std::isinf(y)) {
        double angle;
        if (std::isinf(x) && std::isinf(y)) {
            angle = left ? 3.0 * kTableArcs[16].hi : kTableArcs[16].hi;
        } else if (std::isinf(y)) {
            angle = kHalfPi.hi;
        } else {
            angle = left ? kPi.hi : 0.0;
        }
        return std::copysign(angle, y);
    }
    if (y == 0.0) return std::copysign(left ? kPi.hi : 0.0, y);
    if (x == 0.0) return std::copysign(kHalfPi.hi, y);

    double a = std::fabs(y), b = std::fabs(x);
    const bool steep = a > b;
    if (steep) std::swap(a, b);
    Wide angle = FirstOctantArc(a, b);
    if (steep) angle = Add(kHalfPi, Negate(angle));
    if (left) angle = Add(kPi, Negate(angle));
    return std::copysign(angle.hi + angle.lo, y);
}
