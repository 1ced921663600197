#include "view/SelectionHits.h"

#include <limits>

std::vector<HitRecord> ParseHits(const uint32_t* buffer, size_t size, int count) {
    std::vector<HitRecord> hits;
    size_t at = 0;
    for (int i = 0; i < count; ++i) {
        if (at + 3 > size) break;
        const size_t names = buffer[at];
        if (names > size - at - 3) break;
        HitRecord hit;
        hit.minDepth = buffer[at + 1];
        hit.maxDepth = buffer[at + 2];
        hit.names.assign(buffer + at + 3, buffer + at + 3 + names);
        hits.push_back(std::move(hit));
        at += 3 + names;
    }
    return hits;
}

namespace {

uint32_t SmallestMaxDepth(const std::vector<HitRecord>& hits) {
    uint32_t smallest = std::numeric_limits<uint32_t>::max();
    for (const HitRecord& h : hits) {
        if (h.maxDepth < smallest) smallest = h.maxDepth;
    }
    return smallest;
}

}  // namespace

std::optional<HitRecord> NearestHit(const std::vector<HitRecord>& hits) {
    if (hits.empty()) return std::nullopt;
    const uint32_t nearest = SmallestMaxDepth(hits);
    for (const HitRecord& h : hits) {
        if (h.maxDepth == nearest) return h;
    }
    return std::nullopt;
}

std::optional<HitRecord> NearestHitTagged(const std::vector<HitRecord>& hits, uint32_t tag) {
    if (hits.empty()) return std::nullopt;
    const uint32_t nearest = SmallestMaxDepth(hits);
    for (const HitRecord& h : hits) {
        if (h.maxDepth == nearest && !h.names.empty() && h.names[0] == tag) return h;
    }
    return std::nullopt;
}

std::vector<size_t> NearestFirstNames(const std::vector<HitRecord>& hits) {
    std::vector<size_t> names;
    const auto nearest = NearestHit(hits);
    if (!nearest) return names;
    for (const HitRecord& hit : hits) {
        if (hit.maxDepth == nearest->maxDepth && !hit.names.empty()) names.push_back(hit.names[0]);
    }
    return names;
}
