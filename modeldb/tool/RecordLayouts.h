// The model database records the tool reads and writes, with their byte
// layouts: little-endian 16-bit signed fields and IEEE doubles at fixed
// offsets, every byte not named here zero.
#ifndef TEVA_RECORDLAYOUTS_H
#define TEVA_RECORDLAYOUTS_H

#include <array>
#include <cstdint>
#include <string>

namespace teva {

using Bytes32 = std::array<unsigned char, 32>;

// Little-endian field access on a record buffer.
int16_t getI16(const unsigned char* rec, int offset);
void putI16(unsigned char* rec, int offset, int16_t value);
double getF64(const unsigned char* rec, int offset);
void putF64(unsigned char* rec, int offset, double value);

// Kind 12, 32 bytes: 0 type (1 absolute, 2 above its base storey), 2 kind-3
// name number, 4 name code of the base layer, 8 height.
struct LevelRecord {
    int16_t type = 0;
    int16_t nameNumber = 0;
    int16_t baseLayer = 0;
    double height = 0.0;
};

// Kind 15, 32 bytes: 0 line id, 2 type (0-3 are axes), 4 kind-2 name number,
// 6 layer name code, 8 point count, 16 x1, 24 y1.
struct AxisLineRecord {
    int16_t lineId = 0;
    int16_t type = 0;
    int16_t nameNumber = 0;
    int16_t layer = 0;
    int16_t pointCount = 0;
    double x1 = 0.0;
    double y1 = 0.0;
};

// Kind 17, 24 bytes: 0 line id, 2 point index (>= 2), 8 x, 16 y.
struct AxisPointRecord {
    int16_t lineId = 0;
    int16_t index = 0;
    double x = 0.0;
    double y = 0.0;
};

// Kind 18, 136 bytes, as the editor writes it when it registers a slope.
struct SlopeRecord {
    int16_t slopeNumber = 0;    // 0: kind-4 name number
    int16_t edgeAxis[4] = {};   // 2, 4, 6, 8: axis name codes of edges 1-4
    int16_t vertexCount = 0;    // 10
    int16_t word12 = 0;         // 12: zero
    int16_t lowerStorey = 0;    // 14: storey (level) number of the lower layer
    int16_t lowerSub = 0;       // 16: kind-3 name number of its sub-layer, or 0
    int16_t bottomAxis = 0;     // 18: axis name code of the bottom edge
    int16_t bottomCount = 0;    // 20: corners on the bottom layer (up to 2) minus 1
    int16_t definition = 0;     // 22: 5 when the slope is defined by a mesh file
    int16_t upperStorey = 0;    // 24
    int16_t upperSub = 0;       // 26
    int16_t topAxis = 0;        // 28
    int16_t topCount = 0;       // 30
    int16_t meshRecord = 0;     // 32: kind-171 record number when definition is 5
};

// Kind 19, 16 bytes: 0 slope number, 2 edge number (5 .. n), 4 axis name code.
struct SlopeEdgeRecord {
    int16_t slopeNumber = 0;
    int16_t edgeNumber = 0;
    int16_t axis = 0;
};

// Kind 171, 268 bytes: 0 record number, 2 path (zero-terminated).
struct MeshFileRecord {
    int16_t number = 0;
    std::string path;
};

void encode(const LevelRecord& r, unsigned char* rec);       // 32 bytes
void encode(const AxisLineRecord& r, unsigned char* rec);    // 32 bytes
void encode(const AxisPointRecord& r, unsigned char* rec);   // 24 bytes
void encode(const SlopeRecord& r, unsigned char* rec);       // 136 bytes
void encode(const SlopeEdgeRecord& r, unsigned char* rec);   // 16 bytes

LevelRecord decodeLevel(const unsigned char* rec);
AxisLineRecord decodeAxisLine(const unsigned char* rec);
AxisPointRecord decodeAxisPoint(const unsigned char* rec);
SlopeRecord decodeSlope(const unsigned char* rec);
SlopeEdgeRecord decodeSlopeEdge(const unsigned char* rec);
MeshFileRecord decodeMeshFile(const unsigned char* rec);

// Zero-terminated text of at most `size` bytes starting at rec + offset.
std::string getText(const unsigned char* rec, int offset, int size);

} // namespace teva

#endif
