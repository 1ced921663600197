#include "RecordLayouts.h"

#include <cstring>

namespace teva {

int16_t getI16(const unsigned char* rec, int offset)
{
    return static_cast<int16_t>(static_cast<uint16_t>(rec[offset] | (rec[offset + 1] << 8)));
}

void putI16(unsigned char* rec, int offset, int16_t value)
{
    const auto u = static_cast<uint16_t>(value);
    rec[offset] = static_cast<unsigned char>(u & 0xFF);
    rec[offset + 1] = static_cast<unsigned char>(u >> 8);
}

double getF64(const unsigned char* rec, int offset)
{
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | rec[offset + i];
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

void putF64(unsigned char* rec, int offset, double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i) {
        rec[offset + i] = static_cast<unsigned char>(bits & 0xFF);
        bits >>= 8;
    }
}

void encode(const LevelRecord& r, unsigned char* rec)
{
    std::memset(rec, 0, 32);
    putI16(rec, 0, r.type);
    putI16(rec, 2, r.nameNumber);
    putI16(rec, 4, r.baseLayer);
    putF64(rec, 8, r.height);
}

void encode(const AxisLineRecord& r, unsigned char* rec)
{
    std::memset(rec, 0, 32);
    putI16(rec, 0, r.lineId);
    putI16(rec, 2, r.type);
    putI16(rec, 4, r.nameNumber);
    putI16(rec, 6, r.layer);
    putI16(rec, 8, r.pointCount);
    putF64(rec, 16, r.x1);
    putF64(rec, 24, r.y1);
}

void encode(const AxisPointRecord& r, unsigned char* rec)
{
    std::memset(rec, 0, 24);
    putI16(rec, 0, r.lineId);
    putI16(rec, 2, r.index);
    putF64(rec, 8, r.x);
    putF64(rec, 16, r.y);
}

void encode(const SlopeRecord& r, unsigned char* rec)
{
    std::memset(rec, 0, 136);
    putI16(rec, 0, r.slopeNumber);
    for (int i = 0; i < 4; ++i)
        putI16(rec, 2 + 2 * i, r.edgeAxis[i]);
    putI16(rec, 10, r.vertexCount);
    putI16(rec, 12, r.word12);
    putI16(rec, 14, r.lowerStorey);
    putI16(rec, 16, r.lowerSub);
    putI16(rec, 18, r.bottomAxis);
    putI16(rec, 20, r.bottomCount);
    putI16(rec, 22, r.definition);
    putI16(rec, 24, r.upperStorey);
    putI16(rec, 26, r.upperSub);
    putI16(rec, 28, r.topAxis);
    putI16(rec, 30, r.topCount);
    putI16(rec, 32, r.meshRecord);
}

void encode(const SlopeEdgeRecord& r, unsigned char* rec)
{
    std::memset(rec, 0, 16);
    putI16(rec, 0, r.slopeNumber);
    putI16(rec, 2, r.edgeNumber);
    putI16(rec, 4, r.axis);
}

LevelRecord decodeLevel(const unsigned char* rec)
{
    return {getI16(rec, 0), getI16(rec, 2), getI16(rec, 4), getF64(rec, 8)};
}

AxisLineRecord decodeAxisLine(const unsigned char* rec)
{
    return {getI16(rec, 0), getI16(rec, 2), getI16(rec, 4), getI16(rec, 6),
            getI16(rec, 8), getF64(rec, 16), getF64(rec, 24)};
}

AxisPointRecord decodeAxisPoint(const unsigned char* rec)
{
    return {getI16(rec, 0), getI16(rec, 2), getF64(rec, 8), getF64(rec, 16)};
}

SlopeRecord decodeSlope(const unsigned char* rec)
{
    SlopeRecord r;
    r.slopeNumber = getI16(rec, 0);
    for (int i = 0; i < 4; ++i)
        r.edgeAxis[i] = getI16(rec, 2 + 2 * i);
    r.vertexCount = getI16(rec, 10);
    r.word12 = getI16(rec, 12);
    r.lowerStorey = getI16(rec, 14);
    r.lowerSub = getI16(rec, 16);
    r.bottomAxis = getI16(rec, 18);
    r.bottomCount = getI16(rec, 20);
    r.definition = getI16(rec, 22);
    r.upperStorey = getI16(rec, 24);
    r.upperSub = getI16(rec, 26);
    r.topAxis = getI16(rec, 28);
    r.topCount = getI16(rec, 30);
    r.meshRecord = getI16(rec, 32);
    return r;
}

SlopeEdgeRecord decodeSlopeEdge(const unsigned char* rec)
{
    return {getI16(rec, 0), getI16(rec, 2), getI16(rec, 4)};
}

std::string getText(const unsigned char* rec, int offset, int size)
{
    const auto* begin = reinterpret_cast<const char*>(rec + offset);
    return std::string(begin, strnlen(begin, static_cast<size_t>(size)));
}

MeshFileRecord decodeMeshFile(const unsigned char* rec)
{
    return {getI16(rec, 0), getText(rec, 2, 266)};
}

} // namespace teva
