// PolygonsOverlap on positions rounded to 32-bit floats, as the model library
// returns them, against the overlap rule in exact arithmetic. Cases that lie
// within a hair of a tolerance in the exact geometry are left out and counted.

#include <gtest/gtest.h>

#include <CGAL/Boolean_set_operations_2.h>

#include <cstdio>
#include <list>
#include <sstream>

#include "ExactSlopeCases.h"
#include "model/PolygonOverlap.h"

namespace {

using namespace slopecases;

FT Area(const std::list<CGAL::Polygon_with_holes_2<Kernel>>& pieces) {
    FT area = 0;
    for (const auto& piece : pieces) {
        area += piece.outer_boundary().area();
        for (auto h = piece.holes_begin(); h != piece.holes_end(); ++h) area += h->area();
    }
    return area;
}

// The overlap rule in exact arithmetic: the interiors share area and neither
// polygon contains the other.
bool ExactOverlap(const Exact& a, const Exact& b) {
    std::list<CGAL::Polygon_with_holes_2<Kernel>> shared;
    CGAL::intersection(a, b, std::back_inserter(shared));
    const FT area = Area(shared);
    return area > 0 && area < a.area() && area < b.area();
}

enum class Pairing { Convex, Concave, Contained, Neighbour, Staggered };

// Two outlines in one tilted plane (or, for some, parallel or crossing planes).
void OverlapCase(Generator& g, Pairing pairing, Tally& tally) {
    Outline a, b;
    const double r = g.Uniform(200, 3000);
    switch (pairing) {
        case Pairing::Convex:
        case Pairing::Concave: {
            const bool concave = pairing == Pairing::Concave;
            a = g.Star(0, 0, r, concave);
            const double d = g.Uniform(0.0, 1.6 * r);
            const double t = g.Uniform(0.0, 2.0 * M_PI);
            b = g.Star(d * std::cos(t), d * std::sin(t), g.Uniform(0.3, 1.2) * r, concave);
            break;
        }
        case Pairing::Contained:
            a = g.Star(0, 0, r, false);
            b = g.Star(g.Uniform(-0.1, 0.1) * r, g.Uniform(-0.1, 0.1) * r, g.Uniform(0.2, 0.6) * r, g.Chance(0.5));
            break;
        case Pairing::Neighbour: {
            // Cells of a grid: B shares all, part or a T of A's right edge.
            const double w = g.Int(300, 3000), h = g.Int(300, 3000);
            const double lo = g.Chance(0.3) ? 0 : g.Int(-300, static_cast<int>(h) - 100);
            const double hi = g.Chance(0.3) ? h : g.Int(static_cast<int>(lo) + 50, static_cast<int>(h) + 300);
            a = Box(0, 0, w, h);
            b = Box(w, lo, w + g.Int(300, 3000), hi);
            break;
        }
        case Pairing::Staggered: {
            // Along the same grid lines, B reaching into A: the edges meet
            // only at ends and along each other, but the areas overlap.
            const double w = g.Int(300, 3000), h = g.Int(300, 3000);
            a = Box(0, 0, w, h);
            b = Box(std::round(w * g.Uniform(0.2, 0.8)), 0, w + g.Int(300, 3000), h);
            break;
        }
    }
    const Exact ea = ToExact(a), eb = ToExact(b);
    if (!ea.is_simple() || !eb.is_simple() || NearlyTouching(ea, eb)) {
        ++tally.skipped;
        return;
    }
    const Plane plane{g.Gradient(), g.Gradient(), static_cast<double>(g.Int(0, 9000))};
    Plane planeB = plane;
    bool samePlane = true;
    if (g.Chance(0.1)) {
        planeB.h += g.Chance(0.5) ? 50 : -3000;  // parallel, apart
        samePlane = false;
    } else if (g.Chance(0.1)) {
        planeB.gu += 1.0 / 8.0;  // crossing planes
        samePlane = false;
    }
    const bool expected = samePlane && ExactOverlap(ea, eb);
    const Frame frame = RandomFrame(g);
    const SlopePolygon pa = Rounded(g, frame, a, plane), pb = Rounded(g, frame, b, planeB);
    const bool found = PolygonsOverlap(pa, pb);
    ++tally.cases;
    tally.expectedTrue += expected;
    tally.foundTrue += expected && found;
    if (found != expected) {
        std::ostringstream what;
        what << "pairing " << static_cast<int>(pairing) << " expected " << expected << " at " << pa[0].x << ", "
             << pa[0].y << ", " << pa[0].z;
        tally.Wrong(what.str());
    }
}

TEST(SlopeGeometryDifferential, OverlapOnFloatPositions) {
    Generator g(20240611);
    struct Row {
        Pairing pairing;
        int count;
    };
    const Row rows[] = {{Pairing::Convex, 2500},
                        {Pairing::Concave, 1500},
                        {Pairing::Contained, 400},
                        {Pairing::Neighbour, 1000},
                        {Pairing::Staggered, 300}};
    for (const Row& row : rows) {
        Tally tally;
        for (int i = 0; i < row.count; ++i) OverlapCase(g, row.pairing, tally);
        std::string wrong;
        for (const auto& w : tally.wrong) wrong += w + "\n";
        EXPECT_TRUE(tally.wrong.empty()) << wrong;
        EXPECT_GT(tally.cases, row.count * 3 / 4) << "too many cases left out";
        std::printf("overlap pairing %d: %d cases (%d left out), %d of %d overlaps found, %d wrong\n",
                    static_cast<int>(row.pairing), tally.cases, tally.skipped, tally.foundTrue, tally.expectedTrue,
                    tally.wrongCount);
    }
}

}  // namespace
