#pragma once
// The hit records OpenGL's selection mode leaves in its buffer, and the
// nearest-hit rule every pick decides by.

#include <cstdint>
#include <optional>
#include <vector>

struct HitRecord {
    uint32_t minDepth = 0;
    uint32_t maxDepth = 0;
    std::vector<uint32_t> names;  // outermost first
};

// The `count` records at the start of `buffer` (`size` entries); a record
// that would run past the end is left out, as are the rest after it.
std::vector<HitRecord> ParseHits(const uint32_t* buffer, size_t size, int count);

// The nearest record (smallest maximum depth, unsigned), the first in buffer
// order among equals; nothing without records.
std::optional<HitRecord> NearestHit(const std::vector<HitRecord>& hits);

// The first record, in buffer order, whose maximum depth is the smallest of
// all and whose first name is `tag`: nothing when the nearest records are of
// another kind, so something in front hides what lies behind it.
std::optional<HitRecord> NearestHitTagged(const std::vector<HitRecord>& hits, uint32_t tag);

// The first names of every record at the smallest maximum depth, in buffer
// order (records without names left out).
std::vector<size_t> NearestFirstNames(const std::vector<HitRecord>& hits);
