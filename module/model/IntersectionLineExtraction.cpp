#include "model/IntersectionLineExtraction.h"

#include <algorithm>
#include <string>

#include "Dialogs.h"
#include "model/AxisAddition.h"
#include "model/EdgeLineScan.h"
#include "model/LevelAddition.h"
#include "model/ModelDbLibrary.h"
#include "model/ModelEditMessages.h"
#include "model/ModelQueries.h"
#include "model/NodeSelection.h"
#include "model/RegisteredSlopeSearch.h"
#include "model/SlopeMessages.h"

namespace {

constexpr int kAxisNameKind = 2;

Vec3d Plan(const Vec3d& p) { return {p.x, p.y, 0.0}; }

class Extraction {
public:
    Extraction(std::vector<NodeRef> nodes, SlopePolygon positions, LayerCode top, LayerCode bottom)
        : nodes_(std::move(nodes)), positions_(std::move(positions)), top_(top), bottom_(bottom) {}

    // Steps 2 and 3; every message is shown here.
    void Run() {
        if (!ScanEdges()) return;
        if (const auto cut = SlopeIntersectionSearch(positions_, false)) {
            AddCut(cut->segment);
        } else {
            NameCollinearAxes();
        }
    }

private:
    void Show(const std::string& text) { platform::CurrentDialogs().ShowMessage(text); }

    // A failure, with what was added before it.
    void Fail(const std::string& text) {
        if (added_.empty()) return Show(text);
        std::string names;
        for (const std::string& name : added_) names += (names.empty() ? "" : "、") + name;
        Show(text + FillIn(kAddedBeforeFailureMessage, names));
    }

    // Scans until every edge lies on an axis; false (told) when it cannot.
    bool ScanEdges() {
        const size_t n = nodes_.size();
        std::vector<bool> lineAdded(n, false);
        for (;;) {
            sets_ = {};
            bool restart = false;
            for (size_t i = 0; i < n && !restart; ++i) {
                const size_t j = (i + 1) % n;
                if (nodes_[i].node == nodes_[j].node) continue;
                if (ScanEdge(nodes_[i], nodes_[j], positions_[i], positions_[j], bottom_, top_, cache_, sets_) !=
                    EdgeLine::Missing)
                    continue;
                if (lineAdded[i]) {
                    std::string text = FillIn(kEdgeStillOffAxisMessage, std::to_string(nodes_[i].node));
                    Fail(FillIn(text, std::to_string(nodes_[j].node)));
                    return false;
                }
                const AxisAddition axis = AddAxisLine(Plan(positions_[i]), Plan(positions_[j]));
                if (axis.status != AxisAddStatus::Added) {
                    Fail(AxisAdditionMessage(axis));
                    return false;
                }
                added_.push_back(axis.name + "軸");
                lineAdded[i] = true;
                if (!Restructured()) return false;
                restart = true;
            }
            if (!restart) return true;
        }
    }

    // After a change of the model: spans read afresh, and every corner's
    // node found again from its position, since node numbers change.
    bool Restructured() {
        Db().DB_restruct(0);
        cache_.Clear();
        for (size_t k = 0; k < nodes_.size(); ++k) {
            const auto node = NodeAtPosition(nodes_[k].layer, positions_[k]);
            if (!node) {
                Fail(kUnreadableNodesMessage);
                return false;
            }
            nodes_[k].node = *node;
        }
        return true;
    }

    void AddCut(const Segment3d& cut) {
        for (const double z : {cut.p2.z, cut.p1.z}) {
            std::string name;
            const int result = AddLevelAtHeight(z, &name);
            if (result == kLevelAdded) added_.push_back(name + "層");
            if (result == kLevelWriteFailed) return Fail(kLevelWriteFailedMessage);
        }
        cache_.Clear();
        Vec3d first = Plan(cut.p1), second = Plan(cut.p2);
        if (second.x < first.x || (second.x == first.x && second.y < first.y)) std::swap(first, second);
        // A cut already drawn as an axis needs nothing more.
        if (SegmentOnSpan(first, second, cache_)) return;
        if (AxisOnExtension(first, second) == -1) return Fail(kOnAxisExtensionMessage);
        const AxisAddition axis = AddAxisLine(first, second);
        if (axis.status == AxisAddStatus::Added) return Show(AxisAdditionMessage(axis));
        Fail(AxisAdditionMessage(axis));
    }

    void NameCollinearAxes() {
        std::vector<int32_t> named;
        for (const int32_t code : sets_.collinear) {
            if (std::find(sets_.carrying.begin(), sets_.carrying.end(), code) != sets_.carrying.end()) continue;
            if (std::find(named.begin(), named.end(), code) != named.end()) continue;
            named.push_back(code);
            char name[128] = {};
            if (Db().DB_Usnam(kAxisNameKind, static_cast<short>(code), name) != 0) continue;
            name[sizeof name - 1] = '\0';
            Show(FillIn(kCollinearAxisMessage, name));
        }
    }

    std::vector<NodeRef> nodes_;
    SlopePolygon positions_;
    LayerCode top_;
    LayerCode bottom_;
    SpanSegmentCache cache_;
    EdgeLineSets sets_;
    std::vector<std::string> added_;
};

bool Close(SlopeShapeList& shapes, EditorRefresh& refresh) {
    Db().DB_restruct(0);
    shapes.Select(nullptr);
    shapes.RebuildRegisteredShapes();
    refresh.RefreshAfterModelChange();
    return true;
}

}  // namespace

bool ExtractIntersectionLines(const std::vector<NodeRef>& picked, SlopeShapeList& shapes, EditorRefresh& refresh) {
    const SlopeShape* selected = shapes.Selected();
    if (!selected || !ModelBound()) return false;
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    if (selected->VertexCount() < 3) {
        dialogs.ShowMessage(kThreePointsMessage);
        return false;
    }
    const std::vector<NodeRef> nodes = selected->nodes;
    LayerCode top = 0, bottom = 0;
    SlopePolygon positions;
    for (const NodeRef& ref : nodes) {
        const auto position = NodePositionOnLayer(ref.layer, ref.node);
        if (!position) break;
        positions.push_back(*position);
    }
    if (positions.size() != nodes.size() || !FindTopBottomLayers(picked.empty() ? nodes : picked, top, bottom)) {
        dialogs.ShowMessage(kUnreadablePositionMessage);
        return Close(shapes, refresh);
    }
    if (!SlopeOverlapTest(positions)) {
        dialogs.ShowMessage(kOverlapsRegisteredMessage);
        return Close(shapes, refresh);
    }
    Extraction(nodes, positions, top, bottom).Run();
    return Close(shapes, refresh);
}
