#include "mesh/MeshDivision.h"

#include <algorithm>
#include <cmath>

#include "mesh/ElementOrder.h"
#include "mesh/MeshNodes.h"

namespace {

MeshVertex operator+(const MeshVertex& a, const MeshVertex& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
MeshVertex operator-(const MeshVertex& a, const MeshVertex& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
MeshVertex operator*(double s, const MeshVertex& a) { return {s * a.x, s * a.y, s * a.z}; }
MeshVertex operator/(const MeshVertex& a, double s) { return {a.x / s, a.y / s, a.z / s}; }

MeshVertex Centroid(const std::vector<MeshVertex>& vertices) {
    MeshVertex sum;
    for (const MeshVertex& v : vertices) sum = sum + v;
    return sum / static_cast<double>(vertices.size());
}

double PlanDistance(double ax, double ay, double bx, double by) { return std::hypot(bx - ax, by - ay); }

// Distance in plan from (x, y) to segment AB, the perpendicular foot clamped
// to the segment.
double DistanceToSegment(double x, double y, const MeshVertex& a, const MeshVertex& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double s = 0.0;
    if (length2 > 0.0) s = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / length2, 0.0, 1.0);
    return PlanDistance(x, y, a.x + s * dx, a.y + s * dy);
}

// Two decimals as the editor prints them: 100·v + 0.1, cut to an integer.
double Hundredths(double v) { return std::floor(100.0 * v + 0.1); }

// On the segment: the distance rounds to 0 at two decimals, or it is under
// 1 and under a thousandth of the segment's length.
bool OnSegment(const MeshVertex& point, const MeshVertex& a, const MeshVertex& b) {
    const double distance = DistanceToSegment(point.x, point.y, a, b);
    return Hundredths(distance) == 0.0 ||
           (distance < 1.0 && distance < 0.001 * PlanDistance(a.x, a.y, b.x, b.y));
}

// A parameter along a segment, snapped to its ends at two decimals.
double Snap(double t) {
    if (Hundredths(std::fabs(t)) == 0.0) return 0.0;
    if (Hundredths(t) == 100.0) return 1.0;
    return t;
}

// Within the segment's range along the axis on which it extends more.
bool WithinMainRange(double x, double y, const MeshVertex& a, const MeshVertex& b) {
    const bool alongY = std::fabs(b.y - a.y) >= std::fabs(b.x - a.x);
    const double c = alongY ? y : x;
    const double from = alongY ? a.y : a.x, to = alongY ? b.y : b.x;
    return c >= std::min(from, to) && c <= std::max(from, to);
}

// The quick plan test before PlanSegmentIntersection: EF not nearly parallel
// to PQ, and the crossing of the two lines within both segments' main ranges.
bool MayCross(const MeshVertex& e, const MeshVertex& f, const MeshVertex& p, const MeshVertex& q) {
    const double d = (f.y - e.y) * (q.x - p.x) - (q.y - p.y) * (f.x - e.x);
    if (d > -0.1 && d < 0.1) return false;
    // E + t(F − E) on the line PQ: (E − P) × (Q − P) + t (F − E) × (Q − P) = 0,
    // where (F − E) × (Q − P) = −d.
    const double t = ((e.x - p.x) * (q.y - p.y) - (e.y - p.y) * (q.x - p.x)) / d;
    const double x = e.x + t * (f.x - e.x), y = e.y + t * (f.y - e.y);
    return WithinMainRange(x, y, e, f) && WithinMainRange(x, y, p, q);
}

bool Consecutive(size_t a, size_t b, size_t n) { return (a + 1) % n == b || (b + 1) % n == a; }

}  // namespace

MeshList DivideQuadGrid(const MeshElement& quad, int n, int m) {
    if (quad.vertices.size() != 4 || n < 1 || m < 1) return {};
    if (static_cast<size_t>(n) * static_cast<size_t>(m) > kMaxMeshElements) return {};
    const auto& v = quad.vertices;
    // E[s][i] = V(s) + i·(V(s+1) − V(s))/n_s: n steps on edges 0 and 2, m on 1 and 3.
    std::vector<MeshVertex> edge[4];
    for (int s = 0; s < 4; ++s) {
        const int steps = s % 2 == 0 ? n : m;
        const MeshVertex delta = v[(s + 1) % 4] - v[s];
        edge[s].reserve(static_cast<size_t>(steps) + 1);
        for (int i = 0; i <= steps; ++i) edge[s].push_back(v[s] + (static_cast<double>(i) * delta) / steps);
    }
    MeshList cells;
    cells.reserve(static_cast<size_t>(n) * static_cast<size_t>(m));
    for (int j = 0; j < m; ++j) {
        MeshVertex low = edge[3][m - j];
        const MeshVertex a = (edge[1][j] - edge[3][m - j]) / n;
        const MeshVertex b = (edge[1][j + 1] - edge[3][m - j - 1]) / n;
        for (int k = 0; k < n; ++k) {
            const MeshVertex c = (edge[2][n - k - 1] - edge[0][k + 1]) / m;
            const MeshVertex p1 = low + a, p2 = p1 + c;
            cells.push_back(MeshElement{0, {low, p1, p2, p2 - b}});
            low = low + a;
        }
    }
    return cells;
}

MeshList FanTriangulate(const MeshElement& polygon) {
    const auto& v = polygon.vertices;
    if (v.size() < 4) return {};
    const MeshVertex centre = Centroid(v);
    MeshList triangles;
    triangles.reserve(v.size());
    for (size_t j = 0; j < v.size(); ++j) {
        MeshElement triangle{0, {v[j], v[(j + 1) % v.size()], centre}};
        OrderElementClockwise(triangle);
        triangles.push_back(std::move(triangle));
    }
    return triangles;
}

std::pair<MeshElement, MeshElement> SplitElementByDiagonal(const MeshElement& element, size_t a, size_t b) {
    const auto& v = element.vertices;
    if (a == b || a >= v.size() || b >= v.size()) return {};
    const size_t start = std::min(a, b), other = std::max(a, b);
    MeshElement first, second;
    for (size_t i = start; i <= other; ++i) first.vertices.push_back(v[i]);
    for (size_t i = other; i < v.size(); ++i) second.vertices.push_back(v[i]);
    for (size_t i = 0; i <= start; ++i) second.vertices.push_back(v[i]);
    return {std::move(first), std::move(second)};
}

std::optional<PlanPoint> PlanSegmentIntersection(const MeshVertex& e, const MeshVertex& f, const MeshVertex& p,
                                                 const MeshVertex& q) {
    if (OnSegment(p, e, f)) return PlanPoint{p.x, p.y};
    if (OnSegment(q, e, f)) return PlanPoint{q.x, q.y};
    if (OnSegment(e, p, q)) return PlanPoint{e.x, e.y};
    if (OnSegment(f, p, q)) return PlanPoint{f.x, f.y};
    // E + t(F − E) = P + u(Q − P), by Cramer's rule.
    const double rx = f.x - e.x, ry = f.y - e.y, sx = q.x - p.x, sy = q.y - p.y;
    const double det = rx * sy - ry * sx;
    if (det == 0.0) return std::nullopt;
    const double wx = p.x - e.x, wy = p.y - e.y;
    const double t = Snap((wx * sy - wy * sx) / det);
    const double u = Snap((wx * ry - wy * rx) / det);
    if (!(t >= 0.0 && t <= 1.0 && u >= 0.0 && u <= 1.0)) return std::nullopt;
    PlanPoint x{e.x + t * rx, e.y + t * ry};
    if (e.x == f.x) x.x = e.x;
    if (e.y == f.y) x.y = e.y;
    if (p.x == q.x) x.x = p.x;
    if (p.y == q.y) x.y = p.y;
    return x;
}

size_t InsertNodesAlongLine(MeshList& list, MeshVertex p, MeshVertex q) {
    size_t inserted = 0;
    for (MeshElement& element : list) {
        auto& v = element.vertices;
        // The count is read again on every turn: an inserted vertex's own
        // edge is tested next.
        for (size_t j = 0; j < v.size(); ++j) {
            const size_t next = (j + 1) % v.size();
            const MeshVertex e = v[j], f = v[next];
            if (!MayCross(e, f, p, q)) continue;
            const auto x = PlanSegmentIntersection(e, f, p, q);
            if (!x) continue;
            const bool taken = std::any_of(v.begin(), v.end(), [&](const MeshVertex& w) {
                return PlanDistance(w.x, w.y, x->x, x->y) <= 0.0001;
            });
            if (taken) continue;
            const double z = e.z + PlanDistance(e.x, e.y, x->x, x->y) * (f.z - e.z) / PlanDistance(e.x, e.y, f.x, f.y);
            // For the closing edge the front of the list is the same place.
            v.insert(next == 0 ? v.begin() : v.begin() + static_cast<std::ptrdiff_t>(next), MeshVertex{x->x, x->y, z});
            ++inserted;
        }
    }
    return inserted;
}

bool InsertSpanMidpoint(MeshElement& element, size_t span) {
    auto& v = element.vertices;
    if (span >= v.size()) return false;
    const size_t next = (span + 1) % v.size();
    const MeshVertex middle = (v[span] + v[next]) / 2.0;
    v.insert(next == 0 ? v.begin() : v.begin() + static_cast<std::ptrdiff_t>(next), middle);
    return true;
}

bool ReorderVertices(MeshElement& element, const std::vector<size_t>& order) {
    const auto& v = element.vertices;
    if (order.size() != v.size()) return false;
    std::vector<bool> seen(v.size(), false);
    std::vector<MeshVertex> reordered;
    reordered.reserve(v.size());
    for (size_t old : order) {
        if (old >= v.size() || seen[old]) return false;
        seen[old] = true;
        reordered.push_back(v[old]);
    }
    element.vertices = std::move(reordered);
    return true;
}

NodePair ClassifyNodePair(const MeshWorkspace& ws, size_t first, size_t second) {
    if (first == second || first >= ws.nodes.size() || second >= ws.nodes.size()) return {};
    for (const MeshVertexRef& a : ws.nodes[first].vertices) {
        if (a.element >= ws.working.size()) continue;
        for (const MeshVertexRef& b : ws.nodes[second].vertices) {
            if (b.element != a.element) continue;
            const size_t count = ws.working[a.element].vertices.size();
            const bool diagonal = count > 3 && !Consecutive(a.vertex, b.vertex, count);
            return {diagonal ? NodePair::Kind::Split : NodePair::Kind::OnEdge, a.element, a.vertex, b.vertex};
        }
    }
    return {};
}

bool SplitWorkingElement(MeshWorkspace& ws, const NodePair& pair) {
    if (pair.kind != NodePair::Kind::Split || pair.element >= ws.working.size()) return false;
    auto [first, second] = SplitElementByDiagonal(ws.working[pair.element], pair.a, pair.b);
    if (first.vertices.empty()) return false;
    ws.working.erase(ws.working.begin() + static_cast<std::ptrdiff_t>(pair.element));
    ws.working.push_back(std::move(first));
    ws.working.push_back(std::move(second));
    ws.selectedElement.reset();
    ws.Group(GroupedList::Working);
    return true;
}

DivisionResult DivideSelectedElement(MeshWorkspace& ws, int n, int m, bool triangles) {
    if (!ws.selectedElement || *ws.selectedElement >= ws.working.size()) return DivisionResult::NoSelection;
    const size_t selected = *ws.selectedElement;
    if (ws.working[selected].vertices.size() != 4) return DivisionResult::NotQuadrilateral;
    if (n < 1 || m < 1) return DivisionResult::BadCounts;
    const size_t perCell = triangles ? 4 : 1;
    const size_t limit = kMaxMeshElements;
    // Each count on its own first, so the product cannot overflow.
    if (static_cast<size_t>(n) > limit || static_cast<size_t>(m) > limit ||
        ws.working.size() - 1 + static_cast<size_t>(n) * static_cast<size_t>(m) * perCell > limit)
        return DivisionResult::TooMany;

    MeshList cells = DivideQuadGrid(ws.working[selected], n, m);
    MeshList added;
    if (triangles) {
        added.reserve(cells.size() * perCell);
        for (const MeshElement& cell : cells)
            for (MeshElement& triangle : FanTriangulate(cell)) added.push_back(std::move(triangle));
    } else {
        added = std::move(cells);
    }
    ws.working.erase(ws.working.begin() + static_cast<std::ptrdiff_t>(selected));
    ws.working.insert(ws.working.end(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    ws.selectedElement.reset();
    ws.Group(GroupedList::Working);
    return DivisionResult::Done;
}

void MoveNode(MeshWorkspace& ws, size_t n, const MeshVertex& to) {
    if (n >= ws.nodes.size()) return;
    for (const MeshVertexRef& ref : ws.nodes[n].vertices) ws.Vertex(ref) = to;
}

bool AcceptableCoordinate(double value) { return std::isfinite(value) && std::fabs(value) <= 1e9; }
