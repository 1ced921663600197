// PolygonIntersectionSegment on positions rounded to 32-bit floats, as the
// model library returns them, against its rules in exact arithmetic: z ranges
// that only touch, parallel planes, the line through the common plan interior
// over more than 1 mm, the chord of A, a chord along an existing edge. Cases
// within a hair of a tolerance in the exact geometry are left out and counted.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "ExactSlopeCases.h"
#include "model/PolygonIntersection.h"
#include "model/PolygonPlane.h"

namespace {

using namespace slopecases;

enum class Layout { Crossing, Inside, Ridge, Coplanar, NearParallel, Shallow, TouchingZ };

struct Expected {
    bool judged = true;  // false: too near a tolerance to say
    bool exists = false;
    Vec3d p1, p2;  // in the local frame
};

// Where the plan line a·u + b·v = c crosses the outline's boundary, as
// parameters t = (X - base)·d along d = (-b, a).
std::vector<FT> Crossings(const Exact& polygon, const FT& a, const FT& b, const FT& c, const Point& base) {
    std::vector<FT> ts;
    const FT du = -b, dv = a;
    auto parameter = [&](const FT& u, const FT& v) { return (u - base.x()) * du + (v - base.y()) * dv; };
    for (auto e = polygon.edges_begin(); e != polygon.edges_end(); ++e) {
        const Point& p = e->source();
        const Point& q = e->target();
        const FT sp = a * p.x() + b * p.y() - c, sq = a * q.x() + b * q.y() - c;
        if (sp == 0) {
            ts.push_back(parameter(p.x(), p.y()));
        } else if (sq != 0 && CGAL::sign(sp) != CGAL::sign(sq)) {
            const FT f = sp / (sp - sq);
            ts.push_back(parameter(p.x() + f * (q.x() - p.x()), p.y() + f * (q.y() - p.y())));
        }
    }
    std::sort(ts.begin(), ts.end());
    ts.erase(std::unique(ts.begin(), ts.end()), ts.end());
    return ts;
}

Point At(const Point& base, const FT& du, const FT& dv, const FT& t) {
    const FT s = t / (du * du + dv * dv);
    return Point(base.x() + s * du, base.y() + s * dv);
}

// The rules of PolygonIntersectionSegment on the exact slopes. `along` is the
// distance within which the code under test may take a chord for one along an
// edge, from the rounding of its corners.
Expected Oracle(const Exact& a, const Exact& b, const Plane& pa, const Plane& pb, double along) {
    Expected out;
    auto zRange = [](const Exact& p, const Plane& plane) {
        FT lo = plane.ExactAt(p[0]), hi = lo;
        for (const Point& q : p.vertices()) {
            lo = std::min(lo, plane.ExactAt(q));
            hi = std::max(hi, plane.ExactAt(q));
        }
        return std::pair{lo, hi};
    };
    const auto [aLo, aHi] = zRange(a, pa);
    const auto [bLo, bHi] = zRange(b, pb);
    const FT zShared = std::min(aHi, bHi) - std::max(aLo, bLo);
    if (zShared <= 0) return out;
    if (zShared < FT(kHair)) return out.judged = false, out;

    const FT la = FT(pa.gu) - FT(pb.gu), lb = FT(pa.gv) - FT(pb.gv), lc = FT(pb.h) - FT(pa.h);
    const Vec3d na = Unit({-pa.gu, -pa.gv, 1.0}), nb = Unit({-pb.gu, -pb.gv, 1.0});
    const double sine = Length(Cross(na, nb));
    if (sine < 1e-6) return out;
    if (sine < 1e-3) return out.judged = false, out;

    const Point base = CGAL::abs(la) >= CGAL::abs(lb) ? Point(lc / la, 0) : Point(0, lc / lb);
    const FT du = -lb, dv = la;
    const double dLength = std::sqrt(CGAL::to_double(du * du + dv * dv));
    auto inside = [&](const Exact& p) {
        const std::vector<FT> ts = Crossings(p, la, lb, lc, base);
        std::vector<std::pair<FT, FT>> spans;
        for (size_t k = 0; k + 1 < ts.size(); ++k) {
            const Point middle = At(base, du, dv, (ts[k] + ts[k + 1]) / 2);
            if (p.bounded_side(middle) == CGAL::ON_BOUNDED_SIDE) spans.emplace_back(ts[k], ts[k + 1]);
        }
        return spans;
    };
    FT shared = 0;
    for (const auto& [a0, a1] : inside(a)) {
        for (const auto& [b0, b1] : inside(b)) {
            const FT piece = std::min(a1, b1) - std::max(a0, b0);
            if (piece > 0) shared += piece;
        }
    }
    const double common = CGAL::to_double(shared) / dLength;
    if (common > 0.5 && common < 2.0) return out.judged = false, out;
    if (common <= 1.0) return out;

    const std::vector<FT> ts = Crossings(a, la, lb, lc, base);
    const Point e1 = At(base, du, dv, ts.front()), e2 = At(base, du, dv, ts.back());
    out.p1 = {CGAL::to_double(e1.x()), CGAL::to_double(e1.y()), CGAL::to_double(pa.ExactAt(e1))};
    out.p2 = {CGAL::to_double(e2.x()), CGAL::to_double(e2.y()), CGAL::to_double(pa.ExactAt(e2))};
    if (Length(out.p2 - out.p1) < kHair) return out.judged = false, out;

    for (const Exact* p : {&a, &b}) {
        for (auto e = p->edges_begin(); e != p->edges_end(); ++e) {
            if (e->is_degenerate()) continue;
            const Kernel::Line_2 line = e->supporting_line();
            const FT d1 = CGAL::squared_distance(e1, line), d2 = CGAL::squared_distance(e2, line);
            if (d1 == 0 && d2 == 0) return out;  // along an existing edge
            const double band = std::max(0.5, 4.0 * along);
            if (d1 < FT(band * band) && d2 < FT(band * band)) return out.judged = false, out;
        }
    }
    out.exists = true;
    return out;
}

struct Pair {
    Outline a, b;
    Plane pa, pb;
};

// Planes through the plan point (u, v), at the same height there.
Plane Through(const Plane& other, double gu, double gv, const Local& p) {
    return {gu, gv, other.At(p) - gu * p.u - gv * p.v};
}

Pair Make(Generator& g, Layout layout) {
    Pair c;
    const double r = g.Uniform(300, 3000);
    c.pa = {g.Gradient(), g.Gradient(), static_cast<double>(g.Int(0, 9000))};
    const Local centre{0, 0};
    auto star = [&](double cu, double cv, double radius) { return g.Star(cu, cv, radius, g.Chance(0.4)); };
    auto otherGradient = [&](double gradient) {
        double other = g.Gradient();
        while (std::fabs(other - gradient) < 0.125) other = g.Gradient();
        return other;
    };
    switch (layout) {
        case Layout::Crossing:
        case Layout::NearParallel:
        case Layout::Shallow: {
            c.a = star(0, 0, r);
            const double d = g.Uniform(0.0, 1.2 * r), t = g.Uniform(0.0, 2.0 * M_PI);
            c.b = star(std::round(d * std::cos(t)), std::round(d * std::sin(t)), g.Uniform(0.4, 1.2) * r);
            const Local p{std::round(g.Uniform(-0.5, 0.5) * r), std::round(g.Uniform(-0.5, 0.5) * r)};
            double gu = otherGradient(c.pa.gu), gv = g.Gradient();
            if (layout == Layout::NearParallel) gu = c.pa.gu + std::ldexp(1.0, -22), gv = c.pa.gv;
            if (layout == Layout::Shallow) gu = c.pa.gu + 1.0 / 64.0, gv = c.pa.gv;
            c.pb = Through(c.pa, gu, gv, p);
            break;
        }
        case Layout::Inside: {
            c.a = star(0, 0, r);
            const Local p{std::round(g.Uniform(-0.1, 0.1) * r), std::round(g.Uniform(-0.1, 0.1) * r)};
            c.b = star(p.u, p.v, g.Uniform(0.15, 0.35) * r);
            c.pb = Through(c.pa, otherGradient(c.pa.gu), g.Gradient(), p);
            break;
        }
        case Layout::Ridge: {
            // Neighbours sharing all or part of the edge v = 0, their planes
            // meeting along it: a hip or a valley.
            const double length = g.Int(500, 4000);
            c.a = g.Chance(0.5)
                      ? Box(0, -g.Int(300, 3000), length, 0)
                      : Outline{{0, 0}, {length, 0}, {std::round(length / 2), -static_cast<double>(g.Int(300, 3000))}};
            const double u0 = g.Chance(0.5) ? 0 : g.Int(1, static_cast<int>(length) / 2);
            const double u1 =
                g.Chance(0.5) ? length : g.Int(static_cast<int>(length) / 2 + 1, static_cast<int>(length) - 1);
            c.b = Box(u0, 0, u1, g.Int(300, 3000));
            c.pa.gv = g.Gradient();
            c.pb = Through(c.pa, c.pa.gu, otherGradient(c.pa.gv), centre);
            break;
        }
        case Layout::Coplanar: {
            c.a = star(0, 0, r);
            c.b = g.Chance(0.5) ? star(std::round(1.5 * r), 0, r) : star(std::round(0.5 * r), 0, r);
            c.pb = c.pa;
            break;
        }
        case Layout::TouchingZ: {
            // A rises to 3000 at v = 1024 where B, falling from 6000, ends.
            c.a = Box(0, 0, g.Int(500, 3000), 1024);
            c.b = Box(g.Int(-400, 400), 0, g.Int(600, 3000), 1024);
            c.pa = {0, 3000.0 / 1024.0, 0};
            c.pb = {0, -3000.0 / 1024.0, 6000};
            break;
        }
    }
    return c;
}

TEST(SlopeGeometryDifferential, IntersectionOnFloatPositions) {
    Generator g(20240612);
    struct Row {
        Layout layout;
        int count;
    };
    const Row rows[] = {{Layout::Crossing, 5000}, {Layout::Inside, 1500},       {Layout::Ridge, 1500},
                        {Layout::Coplanar, 1000}, {Layout::NearParallel, 1000}, {Layout::Shallow, 1500},
                        {Layout::TouchingZ, 500}};
    for (const Row& row : rows) {
        Tally tally;
        double worst = 0.0;
        for (int i = 0; i < row.count; ++i) {
            const Pair c = Make(g, row.layout);
            const Exact ea = ToExact(c.a), eb = ToExact(c.b);
            if (!ea.is_simple() || !eb.is_simple()) {
                ++tally.skipped;
                continue;
            }
            const Frame frame = RandomFrame(g);
            const SlopePolygon a = Rounded(g, frame, c.a, c.pa), b = Rounded(g, frame, c.b, c.pb);
            const double rounding = FloatRounding(Magnitude(a, b));
            const double sine = Length(Cross(Unit({-c.pa.gu, -c.pa.gv, 1}), Unit({-c.pb.gu, -c.pb.gv, 1})));
            const double along = sine > 0 ? 2.0 * rounding / sine : 0.0;
            const Expected expected = Oracle(ea, eb, c.pa, c.pb, along);
            if (!expected.judged) {
                ++tally.skipped;
                continue;
            }
            ++tally.cases;
            const auto found = PolygonIntersectionSegment(a, b);
            std::ostringstream what;
            what << "layout " << static_cast<int>(row.layout) << " case " << i << ": ";
            if (found.has_value() != expected.exists) {
                what << (expected.exists ? "missed" : "phantom");
                tally.Wrong(what.str());
                continue;
            }
            if (!expected.exists) continue;
            ++tally.expectedTrue;
            auto place = [&](const Vec3d& p) { return frame.PlaceExact(Point(p.x, p.y), p.z); };
            const Vec3d e1 = place(expected.p1), e2 = place(expected.p2);
            const double direct = std::max(Length(found->p1 - e1), Length(found->p2 - e2));
            const double swapped = std::max(Length(found->p1 - e2), Length(found->p2 - e1));
            const double error = std::min(direct, swapped);
            worst = std::max(worst, error);
            // Rounded corners place each plane to within the rounding, and
            // turn it by up to its normal's uncertainty over the chord.
            const double tilt = NormalUncertainty(a, rounding) + NormalUncertainty(b, rounding);
            const double allowed = 0.01 + 4.0 * (rounding + tilt * Length(e2 - e1)) / sine;
            if (error > allowed) {
                what << "ends " << error << " mm off";
                tally.Wrong(what.str());
            } else {
                ++tally.foundTrue;
            }
        }
        std::string wrong;
        for (const auto& w : tally.wrong) wrong += w + "\n";
        EXPECT_TRUE(tally.wrong.empty()) << wrong;
        EXPECT_GT(tally.cases, row.count / 2) << "too many cases left out";
        std::printf(
            "intersection layout %d: %d cases (%d left out), %d of %d chords found, "
            "worst end %.2g mm, %d wrong\n",
            static_cast<int>(row.layout), tally.cases, tally.skipped, tally.foundTrue, tally.expectedTrue, worst,
            tally.wrongCount);
    }
}

}  // namespace
