// Record kinds of the model database: their sizes, their keys and the
// little-endian field access every part of the library shares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

namespace teva {

// Key of a stored record: (first, second); kinds with a single key field
// have second = 0. Keys order lexicographically, which is the order
// DB_getr enumerates in.
struct RecordKey {
    int first = 0;
    int second = 0;
    auto operator<=>(const RecordKey&) const = default;
};

// Size in bytes of a record of `kind`, or 0 for a kind the library does not
// know.
std::size_t recordSize(int kind);

// The key of `record` (recordSize(kind) bytes), or nothing when the key
// fields are out of range (non-positive numbers, point index below 2, edge
// number below 5). Kind 1, the project header, has the single key (0, 0).
std::optional<RecordKey> recordKey(int kind, const unsigned char* record);

// Little-endian field access; `offset` must lie inside the record.
inline std::int16_t readI16(const unsigned char* p, std::size_t offset)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[offset]) |
                                     static_cast<std::uint16_t>(p[offset + 1]) << 8);
}

inline void writeI16(unsigned char* p, std::size_t offset, std::int16_t value)
{
    const auto u = static_cast<std::uint16_t>(value);
    p[offset] = static_cast<unsigned char>(u & 0xff);
    p[offset + 1] = static_cast<unsigned char>(u >> 8);
}

inline double readF64(const unsigned char* p, std::size_t offset)
{
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | p[offset + static_cast<std::size_t>(i)];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void writeF64(unsigned char* p, std::size_t offset, double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i)
        p[offset + static_cast<std::size_t>(i)] = static_cast<unsigned char>(bits >> (8 * i));
}

} // namespace teva
