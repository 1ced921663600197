#include "ModelTopology.h"

#include "PlaneFit.h"
#include "tevalib.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace teva {

namespace {

// Two axes cross when their segments come within this distance (mm).
constexpr double kCrossingTolerance = 0.5;
// Crossings closer than this (mm) share a node.
constexpr double kNodeTolerance = 1.0;
// Axes whose direction sines differ by less than this are parallel.
constexpr double kParallelSine = 1e-9;

double cross(double ax, double ay, double bx, double by)
{
    return ax * by - ay * bx;
}

// Union-find over crossing indices, for merging coincident crossings.
struct DisjointSets {
    std::vector<int> parent;
    explicit DisjointSets(std::size_t n) : parent(n) { std::iota(parent.begin(), parent.end(), 0); }
    int find(int i)
    {
        while (parent[static_cast<std::size_t>(i)] != i) {
            parent[static_cast<std::size_t>(i)] =
                parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(i)])];
            i = parent[static_cast<std::size_t>(i)];
        }
        return i;
    }
    void join(int a, int b)
    {
        a = find(a);
        b = find(b);
        // The lower index stays the root, so a node is named by its first crossing.
        if (a != b)
            parent[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
    }
};

} // namespace

ModelTopology ModelTopology::build(const ProjectData& data)
{
    ModelTopology model;
    model.storeyCount_ = static_cast<int>(data.storeyHeights.size());
    model.buildLayers(data);
    model.buildAxes(data);
    model.buildCrossings();
    model.buildNodes();
    model.buildSpans();
    model.buildSlopes(data);
    return model;
}

void ModelTopology::buildLayers(const ProjectData& data)
{
    const auto& heights = data.storeyHeights;
    // Sub-layers per storey, ordered by height (then sub-layer number).
    std::vector<std::vector<LayerInfo>> subLayers(heights.size());
    if (const auto levels = data.records.find(TEVA_REC_LEVEL); levels != data.records.end()) {
        levelRecordCount_ = static_cast<int>(levels->second.size());
        for (const auto& [key, bytes] : levels->second) {
            const LevelRecord level = decodeLevel(bytes.data());
            const int type = level.type;
            const double value = level.height;
            if (!std::isfinite(value))
                continue;
            int storey = 0;
            double height = 0;
            if (type == 2) {
                storey = level.baseLayer;
                if (storey < 1 || storey > storeyCount_)
                    continue;
                height = heights[static_cast<std::size_t>(storey - 1)] + value;
            } else if (type == 1) {
                // An absolute level belongs to the highest storey at or below it.
                const auto above = std::upper_bound(heights.begin(), heights.end(), value);
                storey = static_cast<int>(above - heights.begin());
                if (storey < 1)
                    continue;
                height = value;
            } else {
                continue;
            }
            LayerInfo layer;
            layer.code = storey + 32768 * key.first;
            layer.height = height;
            layer.storey = storey;
            layer.subLayer = key.first;
            subLayers[static_cast<std::size_t>(storey - 1)].push_back(layer);
        }
    }
    for (int k = 1; k <= storeyCount_; ++k) {
        LayerInfo main;
        main.code = k;
        main.height = heights[static_cast<std::size_t>(k - 1)];
        main.storey = k;
        layers_.push_back(main);
        auto& subs = subLayers[static_cast<std::size_t>(k - 1)];
        std::sort(subs.begin(), subs.end(), [](const LayerInfo& a, const LayerInfo& b) {
            return a.height != b.height ? a.height < b.height : a.subLayer < b.subLayer;
        });
        layers_.insert(layers_.end(), subs.begin(), subs.end());
    }
    for (std::size_t i = 0; i < layers_.size(); ++i)
        layerIndex_[layers_[i].code] = static_cast<int>(i);

    // Slope layers follow in ascending slope number (the record key). The
    // slope entry exists whenever its code can be formed; whether its
    // outline is usable is decided in buildSlopes.
    if (const auto slopes = data.records.find(TEVA_REC_SLOPE); slopes != data.records.end()) {
        for (const auto& [key, bytes] : slopes->second) {
            const int lower = decodeSlope(bytes.data()).lowerStorey;
            if (lower < 1)
                continue;
            LayerInfo layer;
            layer.code = -(32768 * key.first + lower);
            layer.storey = lower;
            SlopeInfo slope;
            slope.number = key.first;
            slope.code = layer.code;
            slopes_.push_back(slope);
            layer.slope = static_cast<int>(slopes_.size());
            layerIndex_[layer.code] = static_cast<int>(layers_.size());
            layers_.push_back(layer);
        }
    }
}

void ModelTopology::buildAxes(const ProjectData& data)
{
    const auto lines = data.records.find(TEVA_REC_AXIS_LINE);
    if (lines == data.records.end())
        return;
    for (const auto& [key, bytes] : lines->second) {
        const AxisLineRecord line = decodeAxisLine(bytes.data());
        const int type = line.type;
        const int name = line.nameNumber;
        const int count = line.pointCount;
        if (type < 0 || type > 3 || name < 1 || count < 2)
            continue;
        const RecordBytes* last = data.find(TEVA_REC_AXIS_POINT, RecordKey{key.first, count});
        if (!last)
            continue;
        AxisInfo axis;
        axis.lineId = key.first;
        axis.name = name;
        const AxisPointRecord end = decodeAxisPoint(last->data());
        axis.x1 = line.x1;
        axis.y1 = line.y1;
        axis.x2 = end.x;
        axis.y2 = end.y;
        // Points out of range (written before the library refused them) are
        // not axes: every product of coordinates below stays far from
        // overflow, and every crossing from a cell index's range.
        if (!coordinateInRange(axis.x1) || !coordinateInRange(axis.y1) ||
            !coordinateInRange(axis.x2) || !coordinateInRange(axis.y2))
            continue;
        // A segment shorter than the crossing tolerance has no direction.
        if (std::hypot(axis.x2 - axis.x1, axis.y2 - axis.y1) < kCrossingTolerance)
            continue;
        axes_.push_back(axis);
        axisByName_.emplace(name, static_cast<int>(axes_.size()));
    }
}

namespace {

// An axis's direction and length, computed once for all its pairs.
struct Direction {
    double dx, dy, length;
};

// Whether axes p and q (directions dp, dq) cross; the crossing point in
// (x, y). The crossing numbering depends on exactly this arithmetic.
bool axesCross(const AxisInfo& p, const Direction& dp, const AxisInfo& q, const Direction& dq,
               double& x, double& y)
{
    const double den = cross(dp.dx, dp.dy, dq.dx, dq.dy);
    if (std::abs(den) <= kParallelSine * dp.length * dq.length)
        return false;
    const double ox = q.x1 - p.x1, oy = q.y1 - p.y1;
    const double t = cross(ox, oy, dq.dx, dq.dy) / den;
    const double u = cross(ox, oy, dp.dx, dp.dy) / den;
    // Outside a segment by t < 0 or t > 1 means a distance of
    // |t| or t - 1 segment lengths beyond its end.
    const double slack1 = kCrossingTolerance / dp.length;
    const double slack2 = kCrossingTolerance / dq.length;
    if (t < -slack1 || t > 1 + slack1 || u < -slack2 || u > 1 + slack2)
        return false;
    x = p.x1 + t * dp.dx;
    y = p.y1 + t * dp.dy;
    return true;
}

struct Box {
    double x0, x1, y0, y1;
};

} // namespace

void ModelTopology::buildCrossings()
{
    const std::size_t count = axes_.size();
    std::vector<Direction> directions(count);
    std::vector<Box> boxes(count);
    for (std::size_t i = 0; i < count; ++i) {
        const AxisInfo& a = axes_[i];
        Direction& d = directions[i];
        d.dx = a.x2 - a.x1;
        d.dy = a.y2 - a.y1;
        d.length = std::hypot(d.dx, d.dy);
        // Two axes cross only where both come within the tolerance; the
        // margin also covers the rounding of the crossing point, which
        // grows with the length for nearly parallel axes.
        const double margin = kCrossingTolerance + 2.0 + 2e-6 * d.length;
        boxes[i] = {std::min(a.x1, a.x2) - margin, std::max(a.x1, a.x2) + margin,
                    std::min(a.y1, a.y2) - margin, std::max(a.y1, a.y2) + margin};
    }

    // Candidate pairs: boxes that overlap, found by sweeping across x with
    // the boxes whose x-range is still open.
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&boxes](int a, int b) {
        return boxes[static_cast<std::size_t>(a)].x0 < boxes[static_cast<std::size_t>(b)].x0;
    });
    std::vector<std::pair<int, int>> candidates;
    std::vector<int> open;
    for (const int k : order) {
        const Box& b = boxes[static_cast<std::size_t>(k)];
        std::size_t kept = 0;
        for (const int o : open) {
            const Box& other = boxes[static_cast<std::size_t>(o)];
            // Boxes later in the sweep start further right: one that ended
            // before this one starts meets none of them.
            if (other.x1 < b.x0)
                continue;
            open[kept++] = o;
            if (other.y0 <= b.y1 && b.y0 <= other.y1)
                candidates.emplace_back(std::min(o, k), std::max(o, k));
        }
        open.resize(kept);
        open.push_back(k);
    }

    // Tested in ascending (a, b), so crossings are numbered in that order.
    std::vector<int> first(count + 1, 0);
    for (const auto& [a, b] : candidates)
        ++first[static_cast<std::size_t>(a) + 1];
    std::partial_sum(first.begin(), first.end(), first.begin());
    std::vector<int> partners(candidates.size());
    {
        std::vector<int> next(first.begin(), first.end() - 1);
        for (const auto& [a, b] : candidates)
            partners[static_cast<std::size_t>(next[static_cast<std::size_t>(a)]++)] = b;
    }
    candidates = {};
    for (std::size_t i = 0; i < count; ++i) {
        const auto begin = partners.begin() + first[i], end = partners.begin() + first[i + 1];
        std::sort(begin, end);
        for (auto it = begin; it != end; ++it) {
            const auto j = static_cast<std::size_t>(*it);
            CrossingInfo crossing;
            if (!axesCross(axes_[i], directions[i], axes_[j], directions[j], crossing.x, crossing.y))
                continue;
            crossing.axisA = static_cast<int>(i) + 1;
            crossing.axisB = static_cast<int>(j) + 1;
            crossings_.push_back(crossing);
        }
    }
}

void ModelTopology::buildNodes()
{
    const std::size_t count = crossings_.size();
    DisjointSets sets(count);
    // Crossings within kNodeTolerance lie in the same or a neighbouring cell
    // of a grid of that size. Cells are packed into one sortable key; the
    // clamp keeps any point, even one far beyond the coordinate range, in
    // a valid cell.
    auto cellOf = [](double v) {
        return static_cast<std::uint64_t>(
            static_cast<std::int64_t>(std::floor(std::clamp(v / kNodeTolerance, -2e9, 2e9))) +
            (std::int64_t{1} << 31));
    };
    struct Cell {
        std::uint64_t key;  // column << 32 | row
        int crossing;
    };
    std::vector<Cell> cells(count);
    for (std::size_t i = 0; i < count; ++i)
        cells[i] = Cell{cellOf(crossings_[i].x) << 32 | cellOf(crossings_[i].y), static_cast<int>(i)};
    std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
        return a.key != b.key ? a.key < b.key : a.crossing < b.crossing;
    });
    // Runs of equal keys: the occupied cells in key order.
    std::vector<std::size_t> runStart;
    for (std::size_t i = 0; i < count; ++i)
        if (i == 0 || cells[i].key != cells[i - 1].key)
            runStart.push_back(i);
    runStart.push_back(count);
    const std::size_t runs = runStart.size() - 1;
    auto joinClose = [&](std::size_t runA, std::size_t runB) {
        for (std::size_t i = runStart[runA]; i < runStart[runA + 1]; ++i) {
            const CrossingInfo& c = crossings_[static_cast<std::size_t>(cells[i].crossing)];
            for (std::size_t j = runA == runB ? i + 1 : runStart[runB]; j < runStart[runB + 1]; ++j) {
                const CrossingInfo& o = crossings_[static_cast<std::size_t>(cells[j].crossing)];
                if (std::hypot(o.x - c.x, o.y - c.y) < kNodeTolerance)
                    sets.join(cells[i].crossing, cells[j].crossing);
            }
        }
    };
    // Each cell meets itself and the later half of its neighbours: (x, y+1)
    // and (x+1, y-1 ... y+1). The latter three start at a key that only
    // grows along the runs, so one pointer finds them.
    std::size_t next = 0;
    for (std::size_t r = 0; r < runs; ++r) {
        const std::uint64_t key = cells[runStart[r]].key;
        joinClose(r, r);
        if (r + 1 < runs && cells[runStart[r + 1]].key == key + 1)
            joinClose(r, r + 1);
        const std::uint64_t low = key + (std::uint64_t{1} << 32) - 1, high = low + 2;
        while (next < runs && cells[runStart[next]].key < low)
            ++next;
        for (std::size_t n = next; n < runs && cells[runStart[n]].key <= high; ++n)
            joinClose(r, n);
    }
    // Nodes are numbered in the order of their lowest crossing number.
    std::vector<int> nodeOfRoot(count, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const auto root = static_cast<std::size_t>(sets.find(static_cast<int>(i)));
        if (nodeOfRoot[root] == 0) {
            nodeCrossings_.emplace_back();
            nodeOfRoot[root] = static_cast<int>(nodeCrossings_.size());
        }
        crossings_[i].node = nodeOfRoot[root];
        nodeCrossings_[static_cast<std::size_t>(nodeOfRoot[root] - 1)].push_back(
            static_cast<int>(i) + 1);
    }
    nodeAxes_.resize(nodeCrossings_.size());
    for (const CrossingInfo& c : crossings_) {
        auto& axes = nodeAxes_[static_cast<std::size_t>(c.node - 1)];
        axes.push_back(c.axisA);
        axes.push_back(c.axisB);
    }
    for (auto& axes : nodeAxes_) {
        std::sort(axes.begin(), axes.end());
        axes.erase(std::unique(axes.begin(), axes.end()), axes.end());
    }
}

void ModelTopology::buildSpans()
{
    struct OnAxis {
        double t;
        int crossing;
        int other;
    };
    std::vector<std::vector<OnAxis>> onAxis(axes_.size());
    for (std::size_t i = 0; i < crossings_.size(); ++i) {
        const CrossingInfo& c = crossings_[i];
        for (const auto& [axis, other] : {std::pair{c.axisA, c.axisB}, std::pair{c.axisB, c.axisA}}) {
            const AxisInfo& a = axes_[static_cast<std::size_t>(axis - 1)];
            const double dx = a.x2 - a.x1, dy = a.y2 - a.y1;
            const double t = ((c.x - a.x1) * dx + (c.y - a.y1) * dy) / (dx * dx + dy * dy);
            onAxis[static_cast<std::size_t>(axis - 1)].push_back({t, static_cast<int>(i) + 1, other});
        }
    }
    axisNodes_.resize(axes_.size());
    axisNodeIndex_.resize(axes_.size());
    axisFirstSpan_.assign(axes_.size(), 0);
    // Per node, the last axis that met it and the lowest other axis there.
    std::vector<int> seenOnAxis(nodeCrossings_.size(), -1);
    std::vector<int> lowestOther(nodeCrossings_.size(), 0);
    for (std::size_t axis = 0; axis < axes_.size(); ++axis) {
        auto& points = onAxis[axis];
        std::sort(points.begin(), points.end(), [](const OnAxis& a, const OnAxis& b) {
            return a.t != b.t ? a.t < b.t : a.crossing < b.crossing;
        });
        // The axis's nodes in order along it, each once, with the lowest
        // other axis through each of them.
        std::vector<int>& nodes = axisNodes_[axis];
        for (const OnAxis& p : points) {
            const auto node = static_cast<std::size_t>(crossings_[static_cast<std::size_t>(p.crossing - 1)].node - 1);
            if (seenOnAxis[node] != static_cast<int>(axis)) {
                seenOnAxis[node] = static_cast<int>(axis);
                lowestOther[node] = p.other;
                nodes.push_back(static_cast<int>(node) + 1);
            } else {
                lowestOther[node] = std::min(lowestOther[node], p.other);
            }
        }
        auto& index = axisNodeIndex_[axis];
        for (std::size_t k = 0; k < nodes.size(); ++k)
            index.emplace_back(nodes[k], static_cast<int>(k));
        std::sort(index.begin(), index.end());
        if (nodes.size() < 2)
            continue;
        axisFirstSpan_[axis] = static_cast<int>(spans_.size()) + 1;
        for (std::size_t k = 0; k + 1 < nodes.size(); ++k) {
            SpanInfo span;
            span.axis = static_cast<int>(axis) + 1;
            span.node1 = nodes[k];
            span.node2 = nodes[k + 1];
            span.cut1 = lowestOther[static_cast<std::size_t>(nodes[k] - 1)];
            span.cut2 = lowestOther[static_cast<std::size_t>(nodes[k + 1] - 1)];
            spans_.push_back(span);
        }
    }
}

void ModelTopology::buildSlopes(const ProjectData& data)
{
    for (SlopeInfo& slope : slopes_) {
        const RecordBytes& record = *data.find(TEVA_REC_SLOPE, RecordKey{slope.number, 0});
        const SlopeRecord r = decodeSlope(record.data());
        const int vertices = r.vertexCount;
        slope.lowerCode = r.lowerStorey + 32768 * (r.lowerSub > 0 ? r.lowerSub : 0);
        slope.upperCode = r.upperStorey + 32768 * (r.upperSub > 0 ? r.upperSub : 0);
        const LayerInfo* lower = slope.lowerCode > 0 ? layer(slope.lowerCode) : nullptr;
        const LayerInfo* upper = slope.upperCode > 0 ? layer(slope.upperCode) : nullptr;
        if (vertices < 3 || !lower || !upper || lower->slope || upper->slope)
            continue;
        layers_[static_cast<std::size_t>(layerIndex(slope.code) - 1)].height = lower->height;

        std::vector<int> edges;
        for (int e = 1; e <= vertices; ++e) {
            int name = 0;
            if (e <= 4) {
                name = r.edgeAxis[e - 1];
            } else if (const RecordBytes* edge =
                           data.find(TEVA_REC_SLOPE_EDGE, RecordKey{slope.number, e})) {
                name = decodeSlopeEdge(edge->data()).axis;
            }
            const int axis = name > 0 ? axisByName(name) : -1;
            if (axis < 1)
                break;
            edges.push_back(axis);
        }
        if (static_cast<int>(edges.size()) != vertices)
            continue;
        slope.edgeAxes = std::move(edges);

        // Corners at the crossings of neighbouring edge axes: on the bottom
        // edge axis they take the lower height, else on the top edge axis
        // the upper height; other corners do not constrain the plane.
        const int bottomName = r.bottomAxis;
        const int topName = r.topAxis;
        const int bottomAxis = bottomName > 0 ? axisByName(bottomName) : -1;
        const int topAxis = topName > 0 ? axisByName(topName) : -1;
        std::vector<std::array<double, 3>> corners;
        for (std::size_t j = 0; j < slope.edgeAxes.size(); ++j) {
            const int e1 = slope.edgeAxes[j];
            const int e2 = slope.edgeAxes[(j + 1) % slope.edgeAxes.size()];
            const int c = crossingOf(e1, e2);
            if (c == 0)
                continue;
            const CrossingInfo& point = crossings_[static_cast<std::size_t>(c - 1)];
            if (e1 == bottomAxis || e2 == bottomAxis)
                corners.push_back({point.x, point.y, lower->height});
            else if (e1 == topAxis || e2 == topAxis)
                corners.push_back({point.x, point.y, upper->height});
        }
        const auto plane = fitPlane(corners);
        slope.a = plane ? plane->a : 0;
        slope.b = plane ? plane->b : 0;
        slope.c = plane ? plane->c : lower->height;
    }
}

int ModelTopology::layerIndex(int code) const
{
    const auto it = layerIndex_.find(code);
    return it == layerIndex_.end() ? 0 : it->second + 1;
}

const LayerInfo* ModelTopology::layer(int code) const
{
    const int index = layerIndex(code);
    return index ? &layers_[static_cast<std::size_t>(index - 1)] : nullptr;
}

bool ModelTopology::heightAt(const LayerInfo& layer, double x, double y, double& z) const
{
    if (!layer.slope) {
        z = layer.height;
        return true;
    }
    const SlopeInfo& slope = slopes_[static_cast<std::size_t>(layer.slope - 1)];
    if (slope.edgeAxes.empty())
        return false;
    z = slope.a * x + slope.b * y + slope.c;
    return true;
}

int ModelTopology::axisByName(int nameCode) const
{
    const auto it = axisByName_.find(nameCode);
    return it == axisByName_.end() ? -1 : it->second;
}

int ModelTopology::crossingOf(int axisA, int axisB) const
{
    if (axisA > axisB)
        std::swap(axisA, axisB);
    const auto it = std::lower_bound(crossings_.begin(), crossings_.end(), std::pair{axisA, axisB},
                                     [](const CrossingInfo& c, const std::pair<int, int>& key) {
                                         return std::pair{c.axisA, c.axisB} < key;
                                     });
    if (it == crossings_.end() || it->axisA != axisA || it->axisB != axisB)
        return 0;
    return static_cast<int>(it - crossings_.begin()) + 1;
}

const std::vector<int>& ModelTopology::nodeAxes(int node) const
{
    return nodeAxes_[static_cast<std::size_t>(node - 1)];
}

bool ModelTopology::axisSpans(int axis, int& first, int& last) const
{
    if (axis < 1 || axis > static_cast<int>(axes_.size()))
        return false;
    const auto i = static_cast<std::size_t>(axis - 1);
    if (axisFirstSpan_[i] == 0)
        return false;
    first = axisFirstSpan_[i];
    last = first + static_cast<int>(axisNodes_[i].size()) - 2;
    return true;
}

int ModelTopology::spanTowards(int axis, int node1, int node2) const
{
    if (axis < 1 || axis > static_cast<int>(axes_.size()) || node1 == node2)
        return 0;
    const auto& index = axisNodeIndex_[static_cast<std::size_t>(axis - 1)];
    auto positionOf = [&index](int node) {
        const auto it = std::lower_bound(index.begin(), index.end(), std::pair{node, -1});
        return it != index.end() && it->first == node ? it->second : -1;
    };
    const int p1 = positionOf(node1);
    const int p2 = positionOf(node2);
    if (p1 < 0 || p2 < 0)
        return 0;
    const int first = axisFirstSpan_[static_cast<std::size_t>(axis - 1)];
    // Span first + k joins the axis's nodes k and k + 1.
    return p1 < p2 ? first + p1 : first + p1 - 1;
}

int ModelTopology::spanBetweenNodes(int node1, int node2) const
{
    if (node1 < 1 || node1 > nodeCount() || node2 < 1 || node2 > nodeCount() || node1 == node2)
        return 0;
    for (const int axis : nodeAxes(node1)) {
        const int span = spanTowards(axis, node1, node2);
        if (span > 0)
            return span;
    }
    return 0;
}

bool ModelTopology::extent(double& minX, double& minY, double& maxX, double& maxY) const
{
    if (crossings_.empty())
        return false;
    minX = maxX = crossings_.front().x;
    minY = maxY = crossings_.front().y;
    for (const CrossingInfo& c : crossings_) {
        minX = std::min(minX, c.x);
        maxX = std::max(maxX, c.x);
        minY = std::min(minY, c.y);
        maxY = std::max(maxY, c.y);
    }
    return true;
}

} // namespace teva
