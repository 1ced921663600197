// The model database's records as typed structs, and their byte layouts:
// little-endian 16-bit signed fields and IEEE doubles at fixed offsets, every
// byte not named here zero. The one place the layouts are written down; the
// library, the teva tool, the editor and the tests all read and write
// records through it. Kinds and sizes are those of tevalib.h.
#ifndef TEVA_RECORDLAYOUTS_H
#define TEVA_RECORDLAYOUTS_H

#include "tevalib.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace teva {

// Little-endian field access on a record buffer; `offset` must leave the
// field inside the buffer.
std::int16_t getI16(const unsigned char* rec, std::size_t offset);
void putI16(unsigned char* rec, std::size_t offset, std::int16_t value);
double getF64(const unsigned char* rec, std::size_t offset);
void putF64(unsigned char* rec, std::size_t offset, double value);

// Zero-terminated text of at most `size` bytes starting at rec + offset.
std::string getText(const unsigned char* rec, std::size_t offset, std::size_t size);

// Kind 1, 200 bytes: 0 project title (zero-terminated, at most 199 bytes).
struct ProjectHeader {
    static constexpr int kind = TEVA_REC_PROJECT;
    static constexpr std::size_t size = TEVA_SIZE_PROJECT;
    static constexpr std::size_t maxTitle = size - 1;
    std::string title;

    bool operator==(const ProjectHeader&) const = default;
};

// Kind 12, 32 bytes: 0 type (1 absolute, 2 above its base storey), 2 kind-3
// name number, 4 name code of the base layer, 8 height.
struct LevelRecord {
    static constexpr int kind = TEVA_REC_LEVEL;
    static constexpr std::size_t size = TEVA_SIZE_LEVEL;
    std::int16_t type = 0;
    std::int16_t nameNumber = 0;
    std::int16_t baseLayer = 0;
    double height = 0.0;

    bool operator==(const LevelRecord&) const = default;
};

// Kind 15, 32 bytes: 0 line id, 2 type (0-3 are axes), 4 kind-2 name number,
// 6 layer name code, 8 point count, 16 x1, 24 y1.
struct AxisLineRecord {
    static constexpr int kind = TEVA_REC_AXIS_LINE;
    static constexpr std::size_t size = TEVA_SIZE_AXIS_LINE;
    std::int16_t lineId = 0;
    std::int16_t type = 0;
    std::int16_t nameNumber = 0;
    std::int16_t layer = 0;
    std::int16_t pointCount = 0;
    double x1 = 0.0;
    double y1 = 0.0;

    bool operator==(const AxisLineRecord&) const = default;
};

// Kind 17, 24 bytes: 0 line id, 2 point index (>= 2), 8 x, 16 y.
struct AxisPointRecord {
    static constexpr int kind = TEVA_REC_AXIS_POINT;
    static constexpr std::size_t size = TEVA_SIZE_AXIS_POINT;
    std::int16_t lineId = 0;
    std::int16_t index = 0;
    double x = 0.0;
    double y = 0.0;

    bool operator==(const AxisPointRecord&) const = default;
};

// Kind 18, 136 bytes, as the editor writes it when it registers a slope.
struct SlopeRecord {
    static constexpr int kind = TEVA_REC_SLOPE;
    static constexpr std::size_t size = TEVA_SIZE_SLOPE;
    static constexpr std::int16_t meshDefinition = 5;  // `definition` of a mesh-defined slope
    std::int16_t slopeNumber = 0;    // 0: kind-4 name number
    std::int16_t edgeAxis[4] = {};   // 2, 4, 6, 8: axis name codes of edges 1-4
    std::int16_t vertexCount = 0;    // 10
    std::int16_t word12 = 0;         // 12: zero
    std::int16_t lowerStorey = 0;    // 14: storey (layer name) of the lower layer
    std::int16_t lowerSub = 0;       // 16: kind-3 name number of its sub-layer, or 0
    std::int16_t bottomAxis = 0;     // 18: axis name code of the bottom edge
    std::int16_t bottomCount = 0;    // 20: corners on the bottom layer (up to 2) minus 1
    std::int16_t definition = 0;     // 22: 5 when the slope is defined by a mesh file, else 0
    std::int16_t upperStorey = 0;    // 24
    std::int16_t upperSub = 0;       // 26
    std::int16_t topAxis = 0;        // 28
    std::int16_t topCount = 0;       // 30
    std::int16_t meshRecord = 0;     // 32: kind-171 record number when definition is 5

    bool operator==(const SlopeRecord&) const = default;
};

// Kind 19, 16 bytes: 0 slope number, 2 edge number (5 .. n), 4 axis name code.
struct SlopeEdgeRecord {
    static constexpr int kind = TEVA_REC_SLOPE_EDGE;
    static constexpr std::size_t size = TEVA_SIZE_SLOPE_EDGE;
    std::int16_t slopeNumber = 0;
    std::int16_t edgeNumber = 0;
    std::int16_t axis = 0;

    bool operator==(const SlopeEdgeRecord&) const = default;
};

// Kind 171, 268 bytes: 0 record number (>= 1), 2 path (zero-terminated, at
// most 265 bytes).
struct MeshFileRecord {
    static constexpr int kind = TEVA_REC_MESH_FILE;
    static constexpr std::size_t size = TEVA_SIZE_MESH_FILE;
    static constexpr std::size_t pathOffset = 2;
    static constexpr std::size_t maxPath = size - pathOffset - 1;
    std::int16_t number = 0;
    std::string path;

    bool operator==(const MeshFileRecord&) const = default;
};

// Encoders write exactly the record's `size` bytes at `rec`. The text
// records refuse (false, `rec` untouched) a text longer than its field or
// holding a zero byte, which would cut it short when read back.
[[nodiscard]] bool encode(const ProjectHeader& r, unsigned char* rec);
void encode(const LevelRecord& r, unsigned char* rec);
void encode(const AxisLineRecord& r, unsigned char* rec);
void encode(const AxisPointRecord& r, unsigned char* rec);
void encode(const SlopeRecord& r, unsigned char* rec);
void encode(const SlopeEdgeRecord& r, unsigned char* rec);
[[nodiscard]] bool encode(const MeshFileRecord& r, unsigned char* rec);

// Decoders read the record's `size` bytes at `rec`; bytes outside the named
// fields are ignored. Texts end at their terminator or at the field's end.
ProjectHeader decodeProjectHeader(const unsigned char* rec);
LevelRecord decodeLevel(const unsigned char* rec);
AxisLineRecord decodeAxisLine(const unsigned char* rec);
AxisPointRecord decodeAxisPoint(const unsigned char* rec);
SlopeRecord decodeSlope(const unsigned char* rec);
SlopeEdgeRecord decodeSlopeEdge(const unsigned char* rec);
MeshFileRecord decodeMeshFile(const unsigned char* rec);

// Stored coordinates and heights (mm) lie within +-kCoordinateLimit.
inline constexpr double kCoordinateLimit = 1e9;

// Whether `value` is finite and within +-kCoordinateLimit.
bool coordinateInRange(double value);

// Whether every coordinate or height of `rec` (recordSize(kind) bytes) is in
// range: the points of axis lines (kind 15) and axis points (17) and the
// heights of levels (12). Other kinds hold none and always are.
bool coordinatesInRange(int kind, const unsigned char* rec);

// Key of a stored record: (first, second); kinds with a single key field
// have second = 0. Keys order lexicographically, which is the order records
// are enumerated in.
struct RecordKey {
    int first = 0;
    int second = 0;
    auto operator<=>(const RecordKey&) const = default;
};

// Size in bytes of a record of `kind`, or 0 for an unknown kind.
std::size_t recordSize(int kind);

// The key of `rec` (recordSize(kind) bytes), or nothing for an unknown kind
// or key fields out of range (non-positive numbers, point index below 2,
// edge number below 5). Kind 1, the project header, has the key (0, 0).
// Keys: kind 12 by name number, 15 by line id, 17 by (line id, point
// index), 18 by slope number, 19 by (slope, edge), 171 by record number.
std::optional<RecordKey> recordKey(int kind, const unsigned char* rec);

} // namespace teva

#endif
