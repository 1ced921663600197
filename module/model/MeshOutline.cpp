#include "model/MeshOutline.h"

#include <vector>

#include "mesh/ElementOrder.h"
#include "mesh/NumberText.h"
#include "model/LayerCode.h"
#include "model/ModelDbLibrary.h"

namespace {

// What "%.2f" prints, read back.
double Rounded(float value) { return textnum::AtoF(textnum::FormatFixed(value, 2)); }

std::vector<int32_t> EdgeAxisCodes(const teva::SlopeRecord& record) {
    const int n = record.vertexCount;
    std::vector<int32_t> codes;
    for (int i = 0; i < n && i < 4; ++i) codes.push_back(record.edgeAxis[i]);
    for (int edge = 5; edge <= n; ++edge) {
        unsigned char buffer[teva::SlopeEdgeRecord::size] = {};
        teva::encode(teva::SlopeEdgeRecord{record.slopeNumber, static_cast<int16_t>(edge), 0}, buffer);
        if (Db().DB_get(teva::SlopeEdgeRecord::kind, buffer) < -1) continue;
        codes.push_back(teva::decodeSlopeEdge(buffer).axis);
    }
    return codes;
}

}  // namespace

std::optional<MeshElement> BuildOutlineElement(const teva::SlopeRecord& record) {
    if (!ModelBound()) return std::nullopt;
    const ModelDbEntries& db = Db();
    const std::vector<int32_t> codes = EdgeAxisCodes(record);
    if (codes.size() < 3) return std::nullopt;
    const int32_t layer = db.sp_cpno(MakeLayerCode(record.lowerStorey, record.lowerSub));
    if (layer == 0) return std::nullopt;
    MeshElement element;
    for (size_t k = 0; k < codes.size(); ++k) {
        const int32_t a = db.sp_wno(codes[k]), b = db.sp_wno(codes[(k + 1) % codes.size()]);
        const int32_t crossing = a > 0 && b > 0 ? db.sp_xnow(a, b) : 0;
        float x = 0, y = 0, z = 0;
        if (crossing <= 0 || db.sp_GetCord3d(layer, crossing, &x, &y, &z) < 0) return std::nullopt;
        element.vertices.push_back({Rounded(x), Rounded(y), Rounded(z)});
    }
    OrderElementClockwise(element);
    return element;
}
