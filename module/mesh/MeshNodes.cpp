#include "mesh/MeshNodes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// Cells are 16 tolerances wide, so most vertices lie far enough inside their
// cell that no neighbour cell can hold a node within the tolerance. Cell
// coordinates are clamped to ±2^48: there a cell coordinate's rounding error
// is at most 1/32 of a cell, and beyond, every vertex shares the edge cells.
constexpr double kCellSize = 16.0 * kNodeTolerance;
constexpr double kCellLimit = 281474976710656.0;  // 2^48
// A node within the tolerance lies less than 1/16 of a cell away along each
// axis; with both coordinates' rounding, less than 1/8 in cell coordinates.
constexpr double kCellMargin = 0.13;

struct CellKey {
    int64_t x = 0, y = 0, z = 0;
    bool operator==(const CellKey&) const = default;
};

// The cells along one axis that can hold a node within the tolerance of c.
struct AxisCells {
    int64_t low = 0, high = 0;
};
AxisCells CellsAround(double c) {
    const double t = std::clamp(c / kCellSize, -kCellLimit, kCellLimit);
    const double cell = std::floor(t);
    const double within = t - cell;
    const auto i = static_cast<int64_t>(cell);
    return {within < kCellMargin ? i - 1 : i, within > 1.0 - kCellMargin ? i + 1 : i};
}
int64_t CellOf(double c) { return static_cast<int64_t>(std::floor(std::clamp(c / kCellSize, -kCellLimit, kCellLimit))); }

// Open-addressing map from a cell's 32-bit hash to the first node of its
// chain; nodes of one cell are chained through their `next`. Cells whose
// hashes collide share a chain: their extra candidates are real nodes,
// measured like any other, so they cannot change which is the first within
// the tolerance. Slots of 8 bytes keep the table small for the cache.
class CellTable {
public:
    explicit CellTable(size_t expected) {
        size_t capacity = 16;
        while (capacity < expected * 2) capacity *= 2;
        slots_.resize(capacity);
    }

    int32_t Head(const CellKey& key) const {
        const uint32_t hash = Hash(key);
        for (size_t i = hash & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
            const Slot& slot = slots_[i];
            if (slot.head < 0) return -1;
            if (slot.hash == hash) return slot.head;
        }
    }

    // Makes `node` the cell's chain head; answers the previous head or -1.
    int32_t Push(const CellKey& key, int32_t node) {
        if ((used_ + 1) * 4 > slots_.size() * 3) Grow();  // at most 3/4 full
        const uint32_t hash = Hash(key);
        for (size_t i = hash & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
            Slot& slot = slots_[i];
            if (slot.head < 0) {
                slot = {hash, node};
                ++used_;
                return -1;
            }
            if (slot.hash == hash) return std::exchange(slot.head, node);
        }
    }

private:
    struct Slot {
        uint32_t hash = 0;
        int32_t head = -1;
    };

    static uint32_t Hash(const CellKey& key) {
        uint64_t h = static_cast<uint64_t>(key.x) * 0x9E3779B97F4A7C15ull;
        h ^= static_cast<uint64_t>(key.y) * 0xC2B2AE3D27D4EB4Full + (h << 6) + (h >> 2);
        h ^= static_cast<uint64_t>(key.z) * 0x165667B19E3779F9ull + (h << 6) + (h >> 2);
        return static_cast<uint32_t>(h ^ (h >> 29) ^ (h >> 32));
    }

    void Grow() {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.head < 0) continue;
            size_t i = slot.hash & (slots_.size() - 1);
            while (slots_[i].head >= 0) i = (i + 1) & (slots_.size() - 1);
            slots_[i] = slot;
        }
    }

    std::vector<Slot> slots_;
    size_t used_ = 0;
};

double Distance(const MeshVertex& a, const MeshVertex& b) {
    const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

bool Finite(const MeshVertex& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

void BuildNodes(const MeshList& list, std::vector<MeshNode>& nodes) {
    nodes.clear();
    size_t vertexCount = 0;
    for (const MeshElement& element : list) vertexCount += element.vertices.size();
    CellTable table(vertexCount / 8 + 1);  // a triangle mesh has about 6 vertices per node
    // Per node, in one place for the cache: its first vertex, the next node
    // of its cell, its vertex count.
    struct Found {
        MeshVertex position;
        int32_t next = -1;
        uint32_t count = 0;
    };
    std::vector<Found> found;
    std::vector<int32_t> nodeOf;  // per vertex, in list order
    nodeOf.reserve(vertexCount);

    for (const MeshElement& element : list) {
        for (const MeshVertex& v : element.vertices) {
            // A coordinate that is not finite is never within the tolerance
            // of anything: such a vertex always starts its own node.
            int32_t best = -1;
            if (Finite(v)) {
                const AxisCells cx = CellsAround(v.x), cy = CellsAround(v.y), cz = CellsAround(v.z);
                for (int64_t x = cx.low; x <= cx.high; ++x)
                    for (int64_t y = cy.low; y <= cy.high; ++y)
                        for (int64_t z = cz.low; z <= cz.high; ++z)
                            for (int32_t n = table.Head({x, y, z}); n >= 0; n = found[n].next)
                                if ((best < 0 || n < best) && Distance(found[n].position, v) < kNodeTolerance)
                                    best = n;
            }
            if (best < 0) {
                best = static_cast<int32_t>(found.size());
                found.push_back({v, Finite(v) ? table.Push({CellOf(v.x), CellOf(v.y), CellOf(v.z)}, best) : -1, 0});
            }
            ++found[best].count;
            nodeOf.push_back(best);
        }
    }

    // The references, each node's in list order, with no regrowing.
    nodes.resize(found.size());
    for (size_t n = 0; n < nodes.size(); ++n) nodes[n].vertices.reserve(found[n].count);
    size_t i = 0;
    for (uint32_t e = 0; e < list.size(); ++e)
        for (uint32_t k = 0; k < list[e].vertices.size(); ++k) nodes[nodeOf[i++]].vertices.push_back({e, k});
}
