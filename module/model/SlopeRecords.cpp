#include "model/SlopeRecords.h"

#include <algorithm>
#include <array>

#include "Dialogs.h"
#include "model/ModelDbLibrary.h"
#include "model/SlopeMessages.h"

namespace {

constexpr int32_t kFieldMax = 32767;

bool FitsField(int32_t value) { return value >= 1 && value <= kFieldMax; }

struct LayerFields {
    int16_t storey = 0;
    int16_t sub = 0;
};

// The low part of the layer's name code and its sub-layer number (0 for a
// main layer, and for a negative answer).
std::optional<LayerFields> FieldsOf(LayerCode layer) {
    const int32_t nameCode = Db().sp_cpnam(layer);
    const int32_t low = nameCode % kSubLayerFactor, high = nameCode / kSubLayerFactor;
    const int32_t sub = std::max(Db().sp_GetSubLayNo(low, high), 0);
    if (!FitsField(low) || sub > kFieldMax) return std::nullopt;
    return LayerFields{static_cast<int16_t>(low), static_cast<int16_t>(sub)};
}

// Up to two corner indices on `layer`, in outline order.
std::vector<size_t> CornersOn(const WorkingPolygon& polygon, LayerCode layer) {
    std::vector<size_t> corners;
    for (size_t i = 0; i < polygon.Size() && corners.size() < 2; ++i)
        if (polygon.nodes[i].layer == layer) corners.push_back(i);
    return corners;
}

// The axis code of a side's edge: from the side's first corner to its second,
// else to the other side's second corner.
std::optional<int16_t> SideAxis(const WorkingPolygon& polygon, LayerCode layer, const std::vector<size_t>& side,
                                const std::vector<size_t>& other) {
    if (side.empty()) return std::nullopt;
    const size_t second = side.size() == 2 ? side[1] : other.size() == 2 ? other[1] : side[0];
    if (second == side[0]) return std::nullopt;
    return EdgeAxisCode(layer, polygon.nodes[side[0]].node, polygon.nodes[second].node);
}

void RemoveWritten(const std::vector<teva::SlopeEdgeRecord>& written, int16_t number) {
    for (const auto& edge : written) {
        std::array<unsigned char, teva::SlopeEdgeRecord::size> buffer{};
        teva::encode(edge, buffer.data());
        Db().DB_del(teva::SlopeEdgeRecord::kind, buffer.data());
    }
    Db().DB_Usdel(4, number);
}

}  // namespace

std::optional<int16_t> EdgeAxisCode(LayerCode layer, int32_t node1, int32_t node2) {
    const ModelDbEntries& db = Db();
    const int span = db.sp_Pnt2ToSpanFB(layer, node1, node2);
    if (span < 0) return std::nullopt;
    int axis = 0, cut1 = 0, cut2 = 0;
    if (db.sp_snox(layer, span, &axis, &cut1, &cut2) != 0) return std::nullopt;
    const int code = db.sp_wnam(axis);
    if (!FitsField(code)) return std::nullopt;
    return static_cast<int16_t>(code);
}

std::optional<SlopeRecords> BuildSlopeRecords(const WorkingPolygon& polygon, LayerCode upper, LayerCode lower) {
    const size_t n = polygon.Size();
    if (n < 3 || n > static_cast<size_t>(kFieldMax)) return std::nullopt;
    SlopeRecords records;
    teva::SlopeRecord& slope = records.slope;
    for (size_t i = 0; i < n; ++i) {
        const NodeRef& a = polygon.nodes[i];
        const auto code = EdgeAxisCode(a.layer, a.node, polygon.nodes[(i + 1) % n].node);
        if (!code) return std::nullopt;
        if (i < 4) {
            slope.edgeAxis[i] = *code;
        } else {
            records.edges.push_back({0, static_cast<int16_t>(i + 1), *code});
        }
    }
    slope.vertexCount = static_cast<int16_t>(n);

    const std::vector<size_t> top = CornersOn(polygon, upper), bottom = CornersOn(polygon, lower);
    const auto topAxis = SideAxis(polygon, upper, top, bottom);
    const auto bottomAxis = SideAxis(polygon, lower, bottom, top);
    const auto upperFields = FieldsOf(upper), lowerFields = FieldsOf(lower);
    if (!topAxis || !bottomAxis || !upperFields || !lowerFields) return std::nullopt;
    slope.topAxis = *topAxis;
    slope.bottomAxis = *bottomAxis;
    slope.upperStorey = upperFields->storey;
    slope.upperSub = upperFields->sub;
    slope.lowerStorey = lowerFields->storey;
    slope.lowerSub = lowerFields->sub;
    slope.topCount = static_cast<int16_t>(top.size() - 1);
    slope.bottomCount = static_cast<int16_t>(bottom.size() - 1);
    return records;
}

bool WriteSlopeRecords(SlopeRecords& records, const std::string& name) {
    const ModelDbEntries& db = Db();
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    // Only a new name is registered here, so that removing it on a failure
    // never takes away another slope's name.
    if (db.DB_Usfind(4, name.c_str()) != -2) {
        dialogs.ShowMessage(kDuplicateNameMessage);
        return false;
    }
    const int number = db.DB_Usno(4, name.c_str());
    if (!FitsField(number)) {
        dialogs.ShowMessage(kCannotDefineMessage);
        return false;
    }
    const auto slopeNumber = static_cast<int16_t>(number);
    records.slope.slopeNumber = slopeNumber;
    std::array<unsigned char, teva::SlopeRecord::size> slope{};
    teva::encode(records.slope, slope.data());
    // A record left under this number by a name deleted on its own must not
    // be replaced.
    std::array<unsigned char, teva::SlopeRecord::size> existing = slope;
    if (db.DB_get(teva::SlopeRecord::kind, existing.data()) != -3) {
        RemoveWritten({}, slopeNumber);
        dialogs.ShowMessage(kCannotDefineMessage);
        return false;
    }
    std::vector<teva::SlopeEdgeRecord> written;
    for (teva::SlopeEdgeRecord& edge : records.edges) {
        edge.slopeNumber = slopeNumber;
        std::array<unsigned char, teva::SlopeEdgeRecord::size> buffer{};
        teva::encode(edge, buffer.data());
        if (db.DB_put(teva::SlopeEdgeRecord::kind, buffer.data()) != 0) {
            RemoveWritten(written, slopeNumber);
            dialogs.ShowMessage(kWriteFailedMessage);
            return false;
        }
        written.push_back(edge);
    }
    if (db.DB_put(teva::SlopeRecord::kind, slope.data()) != 0) {
        RemoveWritten(written, slopeNumber);
        dialogs.ShowMessage(kWriteFailedMessage);
        return false;
    }
    return true;
}
