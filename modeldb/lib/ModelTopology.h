// The building's topology derived from a project's records: layers, axes,
// crossings, nodes, spans and slope planes. Built in one pass (DB_restruct
// and at open); every query afterwards is a table look-up.
#pragma once

#include "ProjectData.h"

#include <unordered_map>
#include <utility>
#include <vector>

namespace teva {

struct LayerInfo {
    int code = 0;       // layer code (negative for a slope)
    double height = 0;  // floor height; for a slope its lower layer's height
    int storey = 0;     // storey number (level) of the layer
    int subLayer = 0;   // sub-layer number h (0 for a main layer or a slope)
    int slope = 0;      // index into slopes() + 1 for a slope layer, else 0
};

struct AxisInfo {
    int lineId = 0;
    int name = 0;                    // kind-2 name number
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct CrossingInfo {
    int axisA = 0, axisB = 0;  // axis numbers, axisA < axisB
    double x = 0, y = 0;       // plan point
    int node = 0;
};

struct SpanInfo {
    int axis = 0;
    int node1 = 0, node2 = 0;  // end nodes in the axis's direction
    int cut1 = 0, cut2 = 0;    // lowest-numbered other axis through each end
};

struct SlopeInfo {
    int number = 0;             // slope name number
    int code = 0;               // its layer code
    std::vector<int> edgeAxes;  // axis numbers of edges 1 ... n; empty when invalid
    int lowerCode = 0, upperCode = 0;
    // Plane z = a x + b y + c; valid only with a valid outline.
    double a = 0, b = 0, c = 0;
};

class ModelTopology {
public:
    static ModelTopology build(const ProjectData& data);

    int storeyCount() const { return storeyCount_; }
    int levelRecordCount() const { return levelRecordCount_; }

    // Layers in enumeration order (sp_lslay index i is layers()[i - 1]).
    const std::vector<LayerInfo>& layers() const { return layers_; }
    // 1-based enumeration index of a layer code, 0 when there is none.
    int layerIndex(int code) const;
    const LayerInfo* layer(int code) const;
    // Height of `layer` at plan point (x, y); false for a slope without a
    // valid outline.
    bool heightAt(const LayerInfo& layer, double x, double y, double& z) const;

    const std::vector<AxisInfo>& axes() const { return axes_; }  // axis i at [i - 1]
    // Axis number of a name code, -1 when none.
    int axisByName(int nameCode) const;

    const std::vector<CrossingInfo>& crossings() const { return crossings_; }
    // Crossing number of two axes (either order), 0 when they do not cross.
    int crossingOf(int axisA, int axisB) const;

    int nodeCount() const { return static_cast<int>(nodeCrossings_.size()); }
    // Crossings of node n (1-based) in ascending order.
    const std::vector<int>& nodeCrossings(int node) const { return nodeCrossings_[node - 1]; }

    // Axes through node n (1-based) in ascending order.
    const std::vector<int>& nodeAxes(int node) const;

    const std::vector<SpanInfo>& spans() const { return spans_; }
    // First and last span of an axis; false when it has none.
    bool axisSpans(int axis, int& first, int& last) const;
    // The first span from node n1 towards node n2 along `axis`; 0 when
    // either node is not on it or they are the same.
    int spanTowards(int axis, int node1, int node2) const;

    // The first span from node1 towards node2 along the lowest-numbered axis
    // through both; 0 when no axis carries both (or node1 = node2).
    int spanBetweenNodes(int node1, int node2) const;

    const std::vector<SlopeInfo>& slopes() const { return slopes_; }

    // Plan extent of all crossings; false when there are none.
    bool extent(double& minX, double& minY, double& maxX, double& maxY) const;

private:
    void buildLayers(const ProjectData& data);
    void buildAxes(const ProjectData& data);
    void buildCrossings();
    void buildNodes();
    void buildSpans();
    void buildSlopes(const ProjectData& data);

    int storeyCount_ = 0;
    int levelRecordCount_ = 0;
    std::vector<LayerInfo> layers_;
    std::unordered_map<int, int> layerIndex_;  // code -> index into layers_
    std::vector<AxisInfo> axes_;
    std::unordered_map<int, int> axisByName_;
    std::vector<CrossingInfo> crossings_;       // ordered by (axisA, axisB)
    std::vector<std::vector<int>> nodeCrossings_;
    std::vector<std::vector<int>> nodeAxes_;
    std::vector<SpanInfo> spans_;
    // Per axis (index axis - 1): its nodes in order along it and its first span.
    std::vector<std::vector<int>> axisNodes_;
    std::vector<int> axisFirstSpan_;                            // 0: no span
    std::vector<std::vector<std::pair<int, int>>> axisNodeIndex_; // (node, position), sorted
    std::vector<SlopeInfo> slopes_;
};

} // namespace teva
