#include "model/AxisAddition.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "RecordLayouts.h"
#include "model/ModelDbLibrary.h"
#include "model/ModelEditMessages.h"
#include "model/ModelQueries.h"

namespace {

constexpr int kAxisNameKind = 2;
constexpr int kLargestLineId = 0x7FFF;
constexpr int16_t kNewAxisType = 2;
// A node within this plan distance of a segment end stands at that end.
constexpr double kNodeMatch = 40.0;
constexpr double kParallelSine = 1e-9;
constexpr double kOnLine = 0.001;

bool AxisType(int16_t type) { return type >= 0 && type <= 3; }

// 1 + the largest line id among the axis line records (1 when none).
int NextLineId() {
    const ModelDbEntries& db = Db();
    std::array<unsigned char, teva::AxisLineRecord::size> buffer{};
    int largest = 0;
    db.DB_getr(teva::AxisLineRecord::kind, nullptr);
    while (db.DB_getr(teva::AxisLineRecord::kind, buffer.data()) == 0)
        largest = std::max<int>(largest, teva::decodeAxisLine(buffer.data()).lineId);
    return largest + 1;
}

// Calls `visit` with the ends of every segment of every axis line record.
template <typename Visit>
bool AnyAxisSegment(Visit visit) {
    const ModelDbEntries& db = Db();
    std::array<unsigned char, teva::AxisLineRecord::size> line{};
    db.DB_getr(teva::AxisLineRecord::kind, nullptr);
    while (db.DB_getr(teva::AxisLineRecord::kind, line.data()) == 0) {
        const teva::AxisLineRecord axis = teva::decodeAxisLine(line.data());
        if (!AxisType(axis.type)) continue;
        Vec3d p(axis.x1, axis.y1, 0.0);
        for (int index = 2; index <= axis.pointCount; ++index) {
            std::array<unsigned char, teva::AxisPointRecord::size> point{};
            teva::encode(teva::AxisPointRecord{axis.lineId, static_cast<int16_t>(index), 0.0, 0.0}, point.data());
            if (db.DB_get(teva::AxisPointRecord::kind, point.data()) != 0) continue;
            const teva::AxisPointRecord read = teva::decodeAxisPoint(point.data());
            const Vec3d q(read.x, read.y, 0.0);
            if (visit(p, q)) return true;
            p = q;
        }
    }
    return false;
}

}  // namespace

std::optional<std::string> FreeAxisName() {
    for (int n = 1; n <= kLargestLineId; ++n) {
        const std::string name = std::to_string(n) + "'";
        const int found = Db().DB_Usfind(kAxisNameKind, name.c_str());
        if (found == -2) return name;
        if (found < 1) return std::nullopt;  // the lookup failed
    }
    return std::nullopt;
}

AxisAddition AddAxisLine(const Vec3d& first, const Vec3d& second) {
    AxisAddition result;
    if (!ModelBound()) return result;
    const ModelDbEntries& db = Db();
    const int id = NextLineId();
    if (id > kLargestLineId) {
        result.status = AxisAddStatus::CapacityExhausted;
        return result;
    }
    const auto name = FreeAxisName();
    if (!name) return result;
    const int number = db.DB_Usno(kAxisNameKind, name->c_str());
    if (number < 1) return result;

    teva::AxisLineRecord line;
    line.lineId = static_cast<int16_t>(id);
    line.type = kNewAxisType;
    line.nameNumber = static_cast<int16_t>(number);
    line.layer = static_cast<int16_t>(db.sp_cpnam(1) % 32768);
    line.pointCount = 2;
    line.x1 = first.x;
    line.y1 = first.y;
    std::array<unsigned char, teva::AxisLineRecord::size> lineBuffer{};
    teva::encode(line, lineBuffer.data());
    std::array<unsigned char, teva::AxisPointRecord::size> pointBuffer{};
    teva::encode(teva::AxisPointRecord{line.lineId, 2, second.x, second.y}, pointBuffer.data());

    if (db.DB_put(teva::AxisLineRecord::kind, lineBuffer.data()) != 0) {
        db.DB_Usdel(kAxisNameKind, static_cast<short>(number));
        return result;
    }
    if (db.DB_put(teva::AxisPointRecord::kind, pointBuffer.data()) != 0) {
        // A line without its second point is no axis, and the scan would
        // only add it again.
        db.DB_del(teva::AxisLineRecord::kind, lineBuffer.data());
        db.DB_Usdel(kAxisNameKind, static_cast<short>(number));
        return result;
    }
    result.status = AxisAddStatus::Added;
    result.name = *name;
    result.lineId = line.lineId;
    return result;
}

std::string AxisAdditionMessage(const AxisAddition& addition) {
    switch (addition.status) {
        case AxisAddStatus::Added: return FillIn(kAxisAddedMessage, addition.name);
        case AxisAddStatus::CapacityExhausted: return kCapacityExceededMessage;
        case AxisAddStatus::Failed: break;
    }
    return kAxisWriteFailedMessage;
}

int AxisOnExtension(const Vec3d& p1, const Vec3d& p2) {
    if (!ModelBound()) return 0;
    const ModelDbEntries& db = Db();
    const Vec3d a(p1.x, p1.y, 0.0), b(p2.x, p2.y, 0.0);

    // The nodes at the two ends, found on the first layers that hold them.
    int32_t nodeA = 0, nodeB = 0;
    LayerCode layerOfEnds = 0;
    bool stop = false;
    for (int sequence = 1; !stop; ++sequence) {
        const LayerCode layer = db.sp_lslay(sequence);
        if (layer == 0) break;
        for (int32_t crossing = 1;; ++crossing) {
            const auto at = CrossingPosition(layer, crossing);
            if (!at) break;
            if (Length(*at - a) < kNodeMatch) {
                nodeA = db.sp_nno(layer, crossing);
                layerOfEnds = layer;
                break;
            }
            if (Length(*at - b) < kNodeMatch) {
                nodeB = db.sp_nno(layer, crossing);
                layerOfEnds = layer;
                break;
            }
            if (nodeA > 0 && nodeB > 0) {
                stop = true;
                break;
            }
        }
    }
    if (nodeA > 0 && nodeB > 0 && db.sp_Pnt2ToSpanFB(layerOfEnds, nodeA, nodeB) >= 0) return 0;

    const Vec3d direction = Unit(b - a);
    if (Length(direction) == 0.0) return 0;
    const bool onLine = AnyAxisSegment([&](const Vec3d& p, const Vec3d& q) {
        const Vec3d along = Unit(q - p);
        if (Length(along) == 0.0) return false;
        return std::fabs(Cross(direction, along).z) <= kParallelSine && std::fabs(Cross(direction, q - a).z) < kOnLine;
    });
    return onLine ? -1 : 0;
}
