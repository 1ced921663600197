#include "model/SceneContent.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "model/ModelDbLibrary.h"
#include "model/ModelQueries.h"

namespace {

bool InRangeMode(const SceneFilter& f) { return f.range && f.range->enabled; }

// In range mode a layer above the upper layer is not shown.
bool AboveRange(const SceneFilter& f, LayerCode layer) {
    return InRangeMode(f) && LayerBelow(f.range->upperLayer, layer);
}

bool InRange(const SceneFilter& f, LayerCode layer, int32_t crossing) {
    return !f.range || IsInEffectiveRange(*f.range, layer, crossing);
}

bool OnHiddenAxis(const SceneFilter& f, LayerCode layer, int32_t node) {
    return f.hiddenAxes && IsNodeOnHiddenAxis(*f.hiddenAxes, layer, node);
}

bool LayerHidden(const SceneFilter& f, LayerCode layer) {
    return f.hiddenLayers && IsLayerHidden(*f.hiddenLayers, layer);
}

std::vector<LayerCode> StoreyLayers() {
    std::vector<LayerCode> storeys;
    for (LayerCode l : EnumerateLayers()) {
        if (l > 0) storeys.push_back(l);
    }
    return storeys;
}

// Columns: a crossing's node on each storey layer joined to the same
// crossing's node on the next layer up that is shown, when they stand one
// above the other.
void AddColumns(const SceneFilter& f, const std::vector<LayerCode>& storeys, std::vector<Segment>& out) {
    const int crossings = Db().sp_GetMaxCros();
    for (int c = 1; c <= crossings; ++c) {
        for (size_t i = 0; i < storeys.size(); ++i) {
            const LayerCode l = storeys[i];
            LayerCode next = 0;
            for (size_t j = i + 1; j < storeys.size(); ++j) {
                if (!AboveRange(f, storeys[j])) {
                    next = storeys[j];
                    break;
                }
            }
            if (next == 0) break;
            if (!InRange(f, l, c)) continue;
            const int a = Db().sp_nno(l, c), b = Db().sp_nno(next, c);
            if (OnHiddenAxis(f, l, a) || OnHiddenAxis(f, next, b)) continue;
            auto p1 = NodePositionOnLayer(l, a), p2 = NodePositionOnLayer(next, b);
            if (!p1 || !p2) continue;
            if (std::fabs(p1->x - p2->x) > kColumnTolerance || std::fabs(p1->y - p2->y) > kColumnTolerance) continue;
            out.push_back({*p1, *p2});
        }
    }
}

void AddSpans(const SceneFilter& f, const std::vector<LayerCode>& storeys, std::vector<Segment>& out) {
    for (LayerCode l : storeys) {
        if (LayerHidden(f, l)) continue;
        if (InRangeMode(f) && (LayerBelow(l, f.range->lowerLayer) || AboveRange(f, l))) continue;
        const int spans = Db().sp_GetMaxSpan(l);
        const int nameCode = Db().sp_cpnam(l);
        for (int j = 1; j <= spans; ++j) {
            int axis = 0, cut1 = 0, cut2 = 0;
            if (Db().sp_snox(l, j, &axis, &cut1, &cut2) != 0) continue;
            if (f.hiddenAxes && f.hiddenAxes->count(axis)) continue;
            const int c1 = Db().sp_xnow(axis, cut1), c2 = Db().sp_xnow(axis, cut2);
            if (!InRange(f, l, c1) || !InRange(f, l, c2)) continue;
            auto p1 = NodePosition(nameCode, c1), p2 = NodePosition(nameCode, c2);
            if (p1 && p2) out.push_back({*p1, *p2});
        }
    }
}

}  // namespace

std::optional<std::string> ModelName(int kind, int32_t number) {
    if (!ModelBound()) return std::nullopt;
    constexpr int kNameBuffer = 64;
    std::array<char, kNameBuffer + 1> buffer{};
    if (Db().DB_Usnam(kind, static_cast<short>(number), buffer.data()) < 0) return std::nullopt;
    return std::string(buffer.data(), strnlen(buffer.data(), kNameBuffer));
}

std::vector<LayerCode> EnumerateLayers() {
    std::vector<LayerCode> layers;
    if (!ModelBound()) return layers;
    for (int i = 1;; ++i) {
        const int code = Db().sp_lslay(i);
        if (code == 0) break;
        layers.push_back(code);
    }
    return layers;
}

std::vector<Segment> RidgeSegments(const SceneFilter& f) {
    std::vector<Segment> out;
    if (!ModelBound()) return out;
    const std::vector<LayerCode> storeys = StoreyLayers();
    AddColumns(f, storeys, out);
    AddSpans(f, storeys, out);
    return out;
}

std::vector<std::vector<Vec3d>> SlopeOutlineLoops() {
    std::vector<std::vector<Vec3d>> loops;
    for (LayerCode s : EnumerateLayers()) {
        if (s >= 0) continue;
        SlopeOutline outline;
        if (ReadSlopeOutline(s, outline) != OutlineStatus::Ok || outline.positions.size() < 3) continue;
        loops.push_back(std::move(outline.positions));
    }
    return loops;
}

std::vector<SceneLabel> LayerNameLabels(const SceneFilter& f) {
    std::vector<SceneLabel> labels;
    if (!ModelBound()) return labels;
    int c0 = 1;
    LayerCode first, last = 0;
    if (InRangeMode(f)) {
        c0 = 0;
        const int crossings = Db().sp_GetMaxCros();
        for (int c = 1; c <= crossings; ++c) {
            if (InRange(f, f.range->lowerLayer, c)) {
                c0 = c;
                break;
            }
        }
        if (c0 == 0) return labels;
        first = f.range->lowerLayer;
        last = f.range->upperLayer;
    } else {
        first = Db().sp_lslay(1);
        for (LayerCode l : EnumerateLayers()) {
            if (l >= 0) last = l;
        }
    }
    const int from = Db().sp_lslevel(c0, first, 0), to = Db().sp_lslevel(c0, last, 0);
    for (int k = from; k <= to && k > 0; ++k) {
        const LayerCode l = Db().sp_lslay(k);
        if (l == 0) break;
        if (l < 0) continue;
        const int nameCode = Db().sp_cpnam(l);
        const auto text = l < kSubLayerFactor ? ModelName(1, LayerLevel(nameCode)) : ModelName(3, nameCode / kSubLayerFactor);
        auto p = CrossingPosition(l, c0);
        if (!p) continue;
        labels.push_back({*p + Vec3d(-400, -400, 0), text.value_or(""), nameCode});
    }
    return labels;
}

std::vector<AxisTag> AxisTags(const SceneFilter& f) {
    std::vector<AxisTag> tags;
    if (!ModelBound()) return tags;
    const LayerCode base = InRangeMode(f) ? f.range->lowerLayer : Db().sp_lslay(1);
    for (int i = 1;; ++i) {
        const int nameCode = Db().sp_wnam(i);
        if (nameCode < 1) break;
        int first = 0, last = 0;
        if (Db().sp_scon(base, i, &first, &last) < 0) continue;
        const int step = last >= first ? 1 : -1;
        // The first span whose first node lies in range carries the tag.
        for (int k = first;; k += step) {
            int n1 = 0, n2 = 0;
            if (Db().sp_snon(base, k, &n1, &n2) >= 0) {
                auto firstCrossing = NodeFirstCrossing(base, n1);
                if (firstCrossing && InRange(f, base, *firstCrossing)) {
                    auto p1 = NodePositionOnLayer(base, n1), p2 = NodePositionOnLayer(base, n2);
                    if (p1 && p2) {
                        const Vec3d d = Unit(*p1 - *p2);
                        const Vec3d tag = *p1 + 1000.0 * d;
                        tags.push_back(
                            {nameCode, {tag, ModelName(2, nameCode).value_or(""), nameCode}, {tag, tag - 400.0 * d}});
                    }
                    break;
                }
            }
            if (k == last) break;
        }
    }
    return tags;
}

std::vector<SceneLabel> SlopeNameLabels() {
    std::vector<SceneLabel> labels;
    for (LayerCode s : EnumerateLayers()) {
        if (s >= 0) continue;
        SlopeOutline outline;
        if (ReadSlopeOutline(s, outline) != OutlineStatus::Ok || outline.positions.size() < 3) continue;
        Vec3d centre;
        for (const Vec3d& p : outline.positions) centre += p;
        centre /= static_cast<double>(outline.positions.size());
        labels.push_back({centre, ModelName(4, SlopeNumberOf(Db().sp_cpnam(s))).value_or("")});
    }
    return labels;
}

std::vector<SceneNode> VisibleNodes(const SceneFilter& f) {
    std::vector<SceneNode> nodes;
    if (!ModelBound()) return nodes;
    std::array<int, kCrossingListSize> crossings{};
    for (LayerCode l : EnumerateLayers()) {
        if (l <= 0 || LayerHidden(f, l) || AboveRange(f, l)) continue;
        const int count = Db().sp_GetMaxNode(l);
        for (int node = 1; node <= count; ++node) {
            if (Db().sp_nnox_L(l, node, crossings.data()) < 1) continue;
            if (OnHiddenAxis(f, l, node) || !InRange(f, l, crossings[0])) continue;
            if (auto p = CrossingPosition(l, crossings[0])) nodes.push_back({{l, node}, *p});
        }
    }
    return nodes;
}

std::vector<std::string> PickedNodeInfoLines(const NodeRef& picked) {
    std::vector<std::string> lines;
    if (!ModelBound()) return lines;
    const LayerCode layer = picked.layer;
    const int nameCode = Db().sp_cpnam(layer);
    // The storey's name number is the level part of the code: its low 16
    // bits would carry the lowest bit of an odd sub-layer number with them.
    const auto storey = ModelName(1, LayerLevel(nameCode));
    if (!storey) return lines;
    if (layer < kSubLayerFactor) {
        lines.push_back("層面名 \"" + *storey + "\"");
    } else {
        const auto sub = ModelName(3, nameCode / kSubLayerFactor);
        if (!sub || storey->empty() || sub->empty()) return lines;
        lines.push_back("層面名 " + *storey + " - " + *sub);
    }
    std::array<int, kCrossingListSize> crossings{};
    const int count = Db().sp_nnox_L(layer, picked.node, crossings.data());
    std::vector<int> codes;
    for (int i = 0; i < count && i < kCrossingListSize; ++i) {
        int a = 0, b = 0;
        if (Db().sp_xwno2(crossings[static_cast<size_t>(i)], &a, &b) < 0) continue;
        for (int axis : {a, b}) {
            const int code = Db().sp_wnam(axis);
            if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
        }
    }
    for (size_t j = 0; j < codes.size(); ++j) {
        const auto name = ModelName(2, codes[j]);
        if (!name) break;
        char prefix[32];
        std::snprintf(prefix, sizeof prefix, "軸%d    ", static_cast<int>(j + 1));
        lines.push_back(std::string(prefix) + "\"" + *name + "\"");
    }
    return lines;
}
