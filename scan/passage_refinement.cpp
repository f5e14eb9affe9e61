#include "scan/passage_refinement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace vandrel {
namespace {

bool allFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// The cubic Hermite polynomial of the range in the local variable s in [0, 1]
// (s = (t - t0) / h), so that the Julian day's size (~2.46e6) costs no
// precision: p(s) = r0 + s (m0 + s (c2 + s c3)), with the end slopes m = h v.
struct HermiteCubic {
    double r0, m0, c2, c3;

    HermiteCubic(const RangeRecord& earlier, const RangeRecord& later, double h)
        : r0(earlier.au), m0(h * earlier.auPerDay) {
        const double m1 = h * later.auPerDay;
        const double rise = later.au - earlier.au;
        c2 = 3 * rise - 2 * m0 - m1;
        c3 = m0 + m1 - 2 * rise;
    }

    double at(double s) const { return r0 + s * (m0 + s * (c2 + s * c3)); }
};

// The roots of a s^2 + b s + c, both computed without cancellation; a
// leading coefficient of 0 leaves the one root of the line. Where rounding
// makes the discriminant slightly negative, the double root is taken: the
// caller knows from the sign change that a real root exists. Non-finite
// entries stand for roots that do not exist.
std::array<double, 2> quadraticRoots(double a, double b, double c) {
    constexpr double none = HUGE_VAL;
    // Scaling by the largest coefficient keeps b^2 and 4ac from overflowing
    // or underflowing whatever the sizes of the step and the rates.
    const double scale = std::max({std::abs(a), std::abs(b), std::abs(c)});
    if (scale == 0) {
        return {none, none};
    }
    a /= scale;
    b /= scale;
    c /= scale;
    const double discriminant = std::max(0.0, b * b - 4 * a * c);
    const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
    if (q == 0) {
        // b = 0 and a c >= 0: a double root at 0 when c = 0, else none.
        return {c == 0 ? 0.0 : none, none};
    }
    return {c / q, a != 0 ? q / a : none};
}

// The polynomial through N nodes in Newton's form, from divided
// differences; where a node repeats, the slope given for it stands in for
// the difference (Hermite's interpolation).
template <std::size_t N>
class NewtonPolynomial {
  public:
    NewtonPolynomial(const std::array<double, N>& nodes, const std::array<double, N>& values,
                     const std::array<double, N>& slopes)
        : nodes_(nodes) {
        std::array<double, N> column = values;
        coefficients_[0] = column[0];
        for (std::size_t order = 1; order < N; ++order) {
            for (std::size_t i = N - 1; i >= order; --i) {
                const double width = nodes[i] - nodes[i - order];
                column[i] = width == 0 ? slopes[i] : (column[i] - column[i - 1]) / width;
            }
            coefficients_[order] = column[order];
        }
    }

    double at(double u) const {
        double value = coefficients_[N - 1];
        for (std::size_t i = N - 1; i-- > 0;) {
            value = value * (u - nodes_[i]) + coefficients_[i];
        }
        return value;
    }

  private:
    std::array<double, N> nodes_;
    std::array<double, N> coefficients_{};
};

// The least (or greatest) value of f on [from, to] by golden-section search,
// which needs no derivative; near a passage f has one extreme there.
template <typename Function>
std::optional<std::pair<double, double>> extremeOn(const Function& f, double from, double to,
                                                   bool least) {
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double low = from;
    double high = to;
    const auto better = [least](double a, double b) { return least ? a < b : a > b; };
    for (int step = 0; step < 100 && high - low > 1e-15 * (1 + std::abs(low)); ++step) {
        const double left = high - ratio * (high - low);
        const double right = low + ratio * (high - low);
        if (better(f(left), f(right))) {
            high = right;
        } else {
            low = left;
        }
    }
    const double u = (low + high) / 2;
    const double value = f(u);
    if (!std::isfinite(u) || !std::isfinite(value)) {
        return std::nullopt;
    }
    return std::pair{u, value};
}

}  // namespace

std::optional<PassageKind> passageKindBetween(double earlierRate, double laterRate) {
    if (earlierRate < 0 && laterRate >= 0) {
        return PassageKind::Perihelion;
    }
    if (earlierRate > 0 && laterRate <= 0) {
        return PassageKind::Aphelion;
    }
    return std::nullopt;
}

std::optional<Passage> refineBetweenRecords(const RangeRecord& earlier, const RangeRecord& later) {
    const std::optional<PassageKind> kind = passageKindBetween(earlier.auPerDay, later.auPerDay);
    if (!kind) {
        return std::nullopt;
    }
    return refineBetweenRecords(*kind, earlier, later);
}

std::optional<Passage> refineBetweenRecords(PassageKind kind, const RangeRecord& earlier,
                                            const RangeRecord& later) {
    const double h = later.julianDay - earlier.julianDay;
    if (!allFinite({earlier.julianDay, earlier.au, earlier.auPerDay, later.julianDay, later.au,
                    later.auPerDay, h}) ||
        h <= 0) {
        return std::nullopt;
    }
    const HermiteCubic cubic(earlier, later, h);
    if (!allFinite({cubic.m0, cubic.c2, cubic.c3})) {
        return std::nullopt;  // steps and rates so large that the cubic overflows
    }
    // p'(s) = 3 c3 s^2 + 2 c2 s + m0. The ends are candidates too: with a
    // sign change the extreme of the wanted kind is never at an end unless the
    // rate is 0 there, but they keep the answer inside the interval where
    // rounding (tiny steps, rates that underflow) blurs the roots.
    const std::array<double, 2> roots = quadraticRoots(3 * cubic.c3, 2 * cubic.c2, cubic.m0);
    const bool least = kind == PassageKind::Perihelion;
    double bestS = 0;
    double bestValue = cubic.at(0);
    for (const double candidate : {roots[0], roots[1], 1.0}) {
        if (!std::isfinite(candidate)) {
            continue;
        }
        const double s = std::clamp(candidate, 0.0, 1.0);
        const double value = cubic.at(s);
        if (least ? value < bestValue : value > bestValue) {
            bestS = s;
            bestValue = value;
        }
    }
    if (!std::isfinite(bestValue)) {
        return std::nullopt;
    }
    const double julianDay = bestS == 1 ? later.julianDay : earlier.julianDay + bestS * h;
    return Passage{kind, julianDay, bestValue};
}

std::optional<ParabolaPassage> refineAcrossThreeRecords(const RangePoint& before,
                                                        const RangePoint& middle,
                                                        const RangePoint& after) {
    std::optional<PassageKind> kind;
    if (before.au > middle.au && middle.au <= after.au) {
        kind = PassageKind::Perihelion;
    } else if (before.au < middle.au && middle.au >= after.au) {
        kind = PassageKind::Aphelion;
    }
    // Steps measured from the middle record keep the Julian day's size out of
    // the arithmetic.
    const double stepBefore = before.time - middle.time;
    const double stepAfter = after.time - middle.time;
    if (!kind ||
        !allFinite({before.time, before.au, middle.time, middle.au, after.time, after.au}) ||
        !(stepBefore < 0 && stepAfter > 0)) {
        return std::nullopt;
    }
    // Slopes of the two chords; the parabola's slope is their blend, and its
    // vertex lies where the blend is 0: at the midpoint of the first step
    // plus the share `weight` of the distance between the two midpoints.
    const double slopeBefore = (before.au - middle.au) / stepBefore;
    const double slopeAfter = (after.au - middle.au) / stepAfter;
    const double slopeChange = slopeAfter - slopeBefore;
    const double weight = slopeChange == 0 ? 0.5 : -slopeBefore / slopeChange;
    const double offset = 0.5 * stepBefore + weight * 0.5 * (stepAfter - stepBefore);
    // The parabola about the middle record: au + offset (b + a offset).
    const double a = slopeChange / (stepAfter - stepBefore);
    const double b = slopeBefore - a * stepBefore;
    const double au = middle.au + offset * (b + a * offset);
    if (!std::isfinite(offset) || !std::isfinite(au)) {
        return std::nullopt;
    }
    const VertexSide side = offset < 0   ? VertexSide::BeforeMiddle
                            : offset > 0 ? VertexSide::AfterMiddle
                                         : VertexSide::AtMiddle;
    return ParabolaPassage{*kind, middle.time + offset, au, side};
}

}  // namespace vandrel

namespace vandrel {

std::optional<Passage> refineOnQuintic(PassageKind kind, const RangeRecord& earlier,
                                       const RangeRecord& later, const RangeRecord& neighbour) {
    // In units of the pair's step from the earlier record, so that the Julian
    // day's size costs no precision.
    const double h = later.julianDay - earlier.julianDay;
    const double u = (neighbour.julianDay - earlier.julianDay) / h;
    if (!allFinite({h, u, earlier.au, later.au, neighbour.au, earlier.auPerDay, later.auPerDay,
                    neighbour.auPerDay}) ||
        h <= 0 || u == 0 || u == 1) {
        return std::nullopt;
    }
    const NewtonPolynomial<6> quintic(
        {0, 0, 1, 1, u, u},
        {earlier.au, earlier.au, later.au, later.au, neighbour.au, neighbour.au},
        {0, h * earlier.auPerDay, 0, h * later.auPerDay, 0, h * neighbour.auPerDay});
    const auto best = extremeOn([&quintic](double s) { return quintic.at(s); }, 0, 1,
                                kind == PassageKind::Perihelion);
    if (!best) {
        return std::nullopt;
    }
    return Passage{kind, earlier.julianDay + best->first * h, best->second};
}

std::optional<Passage> refineOnFourRanges(PassageKind kind, const RangePoint (&three)[3],
                                          const RangePoint& neighbour) {
    const double origin = three[1].time;
    const std::array<double, 4> nodes = {three[0].time - origin, 0, three[2].time - origin,
                                         neighbour.time - origin};
    const std::array<double, 4> values = {three[0].au, three[1].au, three[2].au, neighbour.au};
    if (!allFinite({nodes[0], nodes[2], nodes[3], values[0], values[1], values[2], values[3]}) ||
        !(nodes[0] < 0 && nodes[2] > 0) || nodes[3] == nodes[0] || nodes[3] == 0 ||
        nodes[3] == nodes[2]) {
        return std::nullopt;
    }
    const NewtonPolynomial<4> cubic(nodes, values, {});
    const auto best = extremeOn([&cubic](double t) { return cubic.at(t); }, nodes[0], nodes[2],
                                kind == PassageKind::Perihelion);
    if (!best) {
        return std::nullopt;
    }
    return Passage{kind, origin + best->first, best->second};
}

}  // namespace vandrel
