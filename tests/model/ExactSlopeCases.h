#pragma once
// Slope polygon cases for the differential tests: made in a local frame
// (u, v) with integer millimetres and planes z = gu·u + gv·v + h of dyadic
// slopes, where exact rational arithmetic (CGAL's exact-constructions kernel)
// answers; the code under test sees the same polygons turned by a random
// angle, moved up to 50 m and rounded to floats, sometimes wound the other
// way, with a node added in the middle of an edge or a corner repeated.

#include <CGAL/Exact_predicates_exact_constructions_kernel.h>
#include <CGAL/Polygon_2.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "model/SlopePolygon.h"

namespace slopecases {

using Kernel = CGAL::Exact_predicates_exact_constructions_kernel;
using FT = Kernel::FT;
using Point = Kernel::Point_2;
using Exact = CGAL::Polygon_2<Kernel>;

// Local outline: integer millimetres.
struct Local {
    double u, v;
};
using Outline = std::vector<Local>;

// z = gu·u + gv·v + h; gu, gv multiples of 1/64, h whole: exact in doubles.
struct Plane {
    double gu = 0.0, gv = 0.0, h = 0.0;
    double At(const Local& p) const { return gu * p.u + gv * p.v + h; }
    FT ExactAt(const Point& p) const { return FT(gu) * p.x() + FT(gv) * p.y() + FT(h); }
};

class Generator {
public:
    explicit Generator(uint64_t seed) : random_(seed) {}

    double Uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(random_); }
    int Int(int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(random_); }
    bool Chance(double p) { return Uniform(0.0, 1.0) < p; }
    double Gradient() { return Int(-96, 96) / 64.0; }

    // Corners at sorted angles round a centre: on a circle (convex up to the
    // rounding to whole millimetres) or at random radii (concave).
    Outline Star(double cu, double cv, double radius, bool concave) {
        const int n = Int(3, 8);
        std::vector<double> angles;
        while (static_cast<int>(angles.size()) < n) {
            const double a = Uniform(0.0, 2.0 * M_PI);
            bool apart = true;
            for (double b : angles) {
                const double gap = std::fabs(std::remainder(a - b, 2.0 * M_PI));
                apart = apart && gap > 0.25;
            }
            if (apart) angles.push_back(a);
        }
        std::sort(angles.begin(), angles.end());
        Outline outline;
        for (double a : angles) {
            const double r = concave ? radius * Uniform(0.35, 1.0) : radius;
            outline.push_back({std::round(cu + r * std::cos(a)), std::round(cv + r * std::sin(a))});
        }
        return outline;
    }

private:
    std::mt19937_64 random_;
};

inline Outline Box(double u0, double v0, double u1, double v1) { return {{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}}; }

inline Exact ToExact(const Outline& outline) {
    Exact p;
    for (const Local& q : outline) p.push_back(Point(q.u, q.v));
    if (p.is_clockwise_oriented()) p.reverse_orientation();
    return p;
}

// The turned, moved and float-rounded slope the code under test sees.
struct Frame {
    double cosine, sine, u0, v0;
    Vec3d Place(const Local& p, double z) const {
        auto f = [](double x) { return static_cast<double>(static_cast<float>(x)); };
        return {f(u0 + cosine * p.u - sine * p.v), f(v0 + sine * p.u + cosine * p.v), f(z)};
    }
    Vec3d PlaceExact(const Point& p, double z) const {
        const double u = CGAL::to_double(p.x()), v = CGAL::to_double(p.y());
        return {u0 + cosine * u - sine * v, v0 + sine * u + cosine * v, z};
    }
};

inline Frame RandomFrame(Generator& g) {
    const double angle = g.Uniform(0.0, 2.0 * M_PI);
    return {std::cos(angle), std::sin(angle), std::round(g.Uniform(-50000, 50000)),
            std::round(g.Uniform(-50000, 50000))};
}

// The rounded polygon, sometimes reversed, with a node in the middle of an
// edge or a repeated corner.
inline SlopePolygon Rounded(Generator& g, const Frame& frame, const Outline& outline, const Plane& plane) {
    SlopePolygon polygon;
    for (const Local& p : outline) polygon.push_back(frame.Place(p, plane.At(p)));
    if (g.Chance(0.2)) {
        const size_t i = static_cast<size_t>(g.Int(0, static_cast<int>(outline.size()) - 1));
        const size_t j = (i + 1) % outline.size();
        const Local middle{0.5 * (outline[i].u + outline[j].u), 0.5 * (outline[i].v + outline[j].v)};
        polygon.insert(polygon.begin() + static_cast<long>(i) + 1, frame.Place(middle, plane.At(middle)));
    } else if (g.Chance(0.1)) {
        polygon.insert(polygon.begin(), polygon.front());
    }
    if (g.Chance(0.5)) std::reverse(polygon.begin(), polygon.end());
    return polygon;
}

// A corner of one outline within this distance of the other's boundary, but
// not on it, makes the case too close to the tolerances to judge.
constexpr double kHair = 0.1;

inline bool NearlyTouching(const Exact& a, const Exact& b) {
    for (const Exact* p : {&a, &b}) {
        const Exact& q = p == &a ? b : a;
        for (const Point& corner : p->vertices()) {
            for (auto e = q.edges_begin(); e != q.edges_end(); ++e) {
                const FT d = CGAL::squared_distance(corner, *e);
                if (d > 0 && d < FT(kHair * kHair)) return true;
            }
        }
    }
    return false;
}

// Counts of one kind of case, and the first few wrong answers.
struct Tally {
    int cases = 0, skipped = 0, expectedTrue = 0, foundTrue = 0, wrongCount = 0;
    std::vector<std::string> wrong;
    void Wrong(const std::string& what) {
        if (++wrongCount <= 8) wrong.push_back(what);
    }
};

}  // namespace slopecases
