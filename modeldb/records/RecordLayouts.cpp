#include "RecordLayouts.h"

#include <cmath>
#include <cstring>

namespace teva {

std::int16_t getI16(const unsigned char* rec, std::size_t offset)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(rec[offset]) |
                                     static_cast<std::uint16_t>(rec[offset + 1]) << 8);
}

void putI16(unsigned char* rec, std::size_t offset, std::int16_t value)
{
    const auto u = static_cast<std::uint16_t>(value);
    rec[offset] = static_cast<unsigned char>(u & 0xFF);
    rec[offset + 1] = static_cast<unsigned char>(u >> 8);
}

double getF64(const unsigned char* rec, std::size_t offset)
{
    std::uint64_t bits = 0;
    for (std::size_t i = 8; i-- > 0;)
        bits = bits << 8 | rec[offset + i];
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

void putF64(unsigned char* rec, std::size_t offset, double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (std::size_t i = 0; i < 8; ++i, bits >>= 8)
        rec[offset + i] = static_cast<unsigned char>(bits & 0xFF);
}

std::string getText(const unsigned char* rec, std::size_t offset, std::size_t size)
{
    const auto* begin = reinterpret_cast<const char*>(rec + offset);
    return std::string(begin, strnlen(begin, size));
}

namespace {

// A text fits a field of `capacity` bytes with its terminator, and reads
// back whole.
bool fitsText(const std::string& text, std::size_t capacity)
{
    return text.size() < capacity && text.find('\0') == std::string::npos;
}

} // namespace

bool encode(const ProjectHeader& r, unsigned char* rec)
{
    if (!fitsText(r.title, ProjectHeader::size))
        return false;
    std::memset(rec, 0, ProjectHeader::size);
    std::memcpy(rec, r.title.data(), r.title.size());
    return true;
}

void encode(const LevelRecord& r, unsigned char* rec)
{
    std::memset(rec, 0, LevelRecord::size);
    putI16(rec, 0, r.type);
    putI16(rec, 2, r.nameNumber);
    putI16(rec, 4, r.baseLayer);
    putF64(rec, 8, r.height);
}

void encode(const AxisLineRecord& r, unsigned char* rec)
{
    std::memset(rec, 0, AxisLineRecord::size);
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
    std::memset(rec, 0, AxisPointRecord::size);
    putI16(rec, 0, r.lineId);
    putI16(rec, 2, r.index);
    putF64(rec, 8, r.x);
    putF64(rec, 16, r.y);
}

void encode(const SlopeRecord& r, unsigned char* rec)
{
    std::memset(rec, 0, SlopeRecord::size);
    putI16(rec, 0, r.slopeNumber);
    for (std::size_t i = 0; i < 4; ++i)
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
    std::memset(rec, 0, SlopeEdgeRecord::size);
    putI16(rec, 0, r.slopeNumber);
    putI16(rec, 2, r.edgeNumber);
    putI16(rec, 4, r.axis);
}

bool encode(const MeshFileRecord& r, unsigned char* rec)
{
    if (!fitsText(r.path, MeshFileRecord::size - MeshFileRecord::pathOffset))
        return false;
    std::memset(rec, 0, MeshFileRecord::size);
    putI16(rec, 0, r.number);
    std::memcpy(rec + MeshFileRecord::pathOffset, r.path.data(), r.path.size());
    return true;
}

ProjectHeader decodeProjectHeader(const unsigned char* rec)
{
    return {getText(rec, 0, ProjectHeader::size)};
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
    for (std::size_t i = 0; i < 4; ++i)
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

MeshFileRecord decodeMeshFile(const unsigned char* rec)
{
    return {getI16(rec, 0),
            getText(rec, MeshFileRecord::pathOffset, MeshFileRecord::size - MeshFileRecord::pathOffset)};
}

bool coordinateInRange(double value)
{
    // NaN fails the comparison, infinities the bound.
    return std::fabs(value) <= kCoordinateLimit;
}

bool coordinatesInRange(int kind, const unsigned char* rec)
{
    switch (kind) {
    case LevelRecord::kind:
        return coordinateInRange(decodeLevel(rec).height);
    case AxisLineRecord::kind: {
        const AxisLineRecord line = decodeAxisLine(rec);
        return coordinateInRange(line.x1) && coordinateInRange(line.y1);
    }
    case AxisPointRecord::kind: {
        const AxisPointRecord point = decodeAxisPoint(rec);
        return coordinateInRange(point.x) && coordinateInRange(point.y);
    }
    default:
        return true;
    }
}

std::size_t recordSize(int kind)
{
    switch (kind) {
    case ProjectHeader::kind: return ProjectHeader::size;
    case LevelRecord::kind: return LevelRecord::size;
    case AxisLineRecord::kind: return AxisLineRecord::size;
    case AxisPointRecord::kind: return AxisPointRecord::size;
    case SlopeRecord::kind: return SlopeRecord::size;
    case SlopeEdgeRecord::kind: return SlopeEdgeRecord::size;
    case MeshFileRecord::kind: return MeshFileRecord::size;
    default: return 0;
    }
}

std::optional<RecordKey> recordKey(int kind, const unsigned char* rec)
{
    // Key fields: the first at offset 0 (a level's name number at 2), the
    // second, where there is one, at offset 2.
    switch (kind) {
    case ProjectHeader::kind:
        return RecordKey{0, 0};
    case LevelRecord::kind: {
        const int number = getI16(rec, 2);
        return number >= 1 ? std::optional(RecordKey{number, 0}) : std::nullopt;
    }
    case AxisLineRecord::kind:
    case SlopeRecord::kind:
    case MeshFileRecord::kind: {
        const int number = getI16(rec, 0);
        return number >= 1 ? std::optional(RecordKey{number, 0}) : std::nullopt;
    }
    case AxisPointRecord::kind:
    case SlopeEdgeRecord::kind: {
        const int first = getI16(rec, 0);
        const int second = getI16(rec, 2);
        const int lowest = kind == AxisPointRecord::kind ? 2 : 5;
        return first >= 1 && second >= lowest ? std::optional(RecordKey{first, second}) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace teva
