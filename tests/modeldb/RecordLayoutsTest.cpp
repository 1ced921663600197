// The record codec against the layout tables: every kind's sample record
// encodes to exactly the listed bytes at the listed offsets (little-endian,
// everything else zero), decodes back to the same fields, and re-encodes to
// the same bytes.
#include "RecordLayouts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

using namespace teva;

namespace {

using Bytes = std::vector<unsigned char>;

// Field -> offset -> bytes as stored. Doubles are written out by hand, not
// computed with the codec's own arithmetic.
struct Field {
    std::size_t offset;
    Bytes bytes;
};

const Bytes kMinus2 = {0xFE, 0xFF};
const Bytes k0x1234 = {0x34, 0x12};
const Bytes kMin16 = {0x00, 0x80};
const Bytes kMax16 = {0xFF, 0x7F};
const Bytes kMinus300 = {0xD4, 0xFE};
const Bytes k3000 = {0x00, 0x00, 0x00, 0x00, 0x00, 0x70, 0xA7, 0x40};
const Bytes kMinus1p5 = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0xBF};
const Bytes kMinus123456p789 = {0xC9, 0x76, 0xBE, 0x9F, 0x0C, 0x24, 0xFE, 0xC0};
const Bytes k1e9 = {0x00, 0x00, 0x00, 0x00, 0x65, 0xCD, 0xCD, 0x41};
const Bytes k0p1 = {0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0x3F};

Bytes i16(int v)
{
    return {static_cast<unsigned char>(v & 0xFF), static_cast<unsigned char>((v >> 8) & 0xFF)};
}

struct LayoutCase {
    std::string name;
    int kind;
    std::size_t size;
    std::function<bool(unsigned char*)> encodeSample;
    std::function<bool(const unsigned char*)> decodesToSample;
    std::vector<Field> fields;
};

template <typename R>
LayoutCase layoutCase(std::string name, R sample, R (*decode)(const unsigned char*), std::vector<Field> fields)
{
    return {std::move(name), R::kind, R::size,
            [sample](unsigned char* out) {
                if constexpr (std::is_void_v<decltype(encode(sample, out))>) {
                    encode(sample, out);
                    return true;
                } else {
                    return encode(sample, out);
                }
            },
            [sample, decode](const unsigned char* in) { return decode(in) == sample; }, std::move(fields)};
}

Bytes expectedBytes(const LayoutCase& c)
{
    Bytes bytes(c.size, 0);
    for (const Field& f : c.fields)
        std::copy(f.bytes.begin(), f.bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(f.offset));
    return bytes;
}

std::vector<LayoutCase> layoutCases()
{
    SlopeRecord slope;
    slope.slopeNumber = 0x1234;
    slope.edgeAxis[0] = 1;
    slope.edgeAxis[1] = -2;
    slope.edgeAxis[2] = 32767;
    slope.edgeAxis[3] = -32768;
    slope.vertexCount = 6;
    slope.word12 = -300;
    slope.lowerStorey = 2;
    slope.lowerSub = 3;
    slope.bottomAxis = 4;
    slope.bottomCount = 1;
    slope.definition = SlopeRecord::meshDefinition;
    slope.upperStorey = -7;
    slope.upperSub = 8;
    slope.topAxis = 9;
    slope.topCount = -1;
    slope.meshRecord = 10;
    const std::string path(MeshFileRecord::maxPath, 'p');
    Bytes pathBytes(path.begin(), path.end());
    const std::string title = "\xE5\xB7\xA5\xE5\xA0\xB4 A";  // 工場 A
    return {
        layoutCase("ProjectHeader", ProjectHeader{title}, decodeProjectHeader,
                   {{0, Bytes(title.begin(), title.end())}}),
        layoutCase("LevelRecord", LevelRecord{2, 0x1234, -2, -1.5}, decodeLevel,
                   {{0, i16(2)}, {2, k0x1234}, {4, kMinus2}, {8, kMinus1p5}}),
        layoutCase("AxisLineRecord", AxisLineRecord{-32768, 3, 32767, -300, 2, -123456.789, 1e9}, decodeAxisLine,
                   {{0, kMin16}, {2, i16(3)}, {4, kMax16}, {6, kMinus300}, {8, i16(2)}, {16, kMinus123456p789},
                    {24, k1e9}}),
        layoutCase("AxisPointRecord", AxisPointRecord{0x1234, 2, 0.1, 3000.0}, decodeAxisPoint,
                   {{0, k0x1234}, {2, i16(2)}, {8, k0p1}, {16, k3000}}),
        layoutCase("SlopeRecord", slope, decodeSlope,
                   {{0, k0x1234}, {2, i16(1)}, {4, kMinus2}, {6, kMax16}, {8, kMin16}, {10, i16(6)},
                    {12, kMinus300}, {14, i16(2)}, {16, i16(3)}, {18, i16(4)}, {20, i16(1)}, {22, i16(5)},
                    {24, i16(-7)}, {26, i16(8)}, {28, i16(9)}, {30, Bytes{0xFF, 0xFF}},
                    {32, i16(10)}}),
        layoutCase("SlopeEdgeRecord", SlopeEdgeRecord{-2, 5, 0x1234}, decodeSlopeEdge,
                   {{0, kMinus2}, {2, i16(5)}, {4, k0x1234}}),
        layoutCase("MeshFileRecord", MeshFileRecord{-300, path}, decodeMeshFile,
                   {{0, kMinus300}, {2, pathBytes}}),
    };
}

TEST(RecordLayouts, SizesAndKindsAreTheStoredOnes)
{
    const struct {
        int kind;
        std::size_t size;
    } table[] = {{1, 200}, {12, 32}, {15, 32}, {17, 24}, {18, 136}, {19, 16}, {171, 268},
                 {0, 0},   {2, 0},   {16, 0},  {170, 0}, {-18, 0}, {172, 0}};
    for (const auto& t : table)
        EXPECT_EQ(recordSize(t.kind), t.size) << "kind " << t.kind;
    for (const LayoutCase& c : layoutCases())
        EXPECT_EQ(recordSize(c.kind), c.size) << c.name;
}

TEST(RecordLayouts, EncodesEveryFieldAtItsOffsetLittleEndian)
{
    for (const LayoutCase& c : layoutCases()) {
        SCOPED_TRACE(c.name);
        // Bytes outside the fields must be cleared, not left as they were.
        Bytes out(c.size, 0xCC);
        ASSERT_TRUE(c.encodeSample(out.data()));
        EXPECT_EQ(out, expectedBytes(c));
    }
}

TEST(RecordLayouts, DecodesTheTableBytesAndReencodesThemByteForByte)
{
    for (const LayoutCase& c : layoutCases()) {
        SCOPED_TRACE(c.name);
        const Bytes stored = expectedBytes(c);
        EXPECT_TRUE(c.decodesToSample(stored.data()));
        Bytes again(c.size, 0xCC);
        ASSERT_TRUE(c.encodeSample(again.data()));
        EXPECT_EQ(again, stored);
    }
}

TEST(RecordLayouts, NegativeZeroAndExtremeDoublesKeepTheirBits)
{
    for (const double v : {-0.0, 1e308, -4.9e-324, std::numeric_limits<double>::infinity()}) {
        unsigned char rec[AxisPointRecord::size];
        encode(AxisPointRecord{1, 2, v, -v}, rec);
        const AxisPointRecord back = decodeAxisPoint(rec);
        EXPECT_EQ(std::signbit(back.x), std::signbit(v));
        EXPECT_EQ(back.x, v);
        EXPECT_EQ(back.y, -v);
    }
}

TEST(RecordLayouts, TextsLongerThanTheirFieldAreRefusedAndNothingIsWritten)
{
    const struct {
        const char* what;
        std::function<bool(unsigned char*)> encodeIt;
        std::size_t size;
    } refused[] = {
        {"path one byte too long", [](unsigned char* r) { return encode(MeshFileRecord{1, std::string(266, 'a')}, r); },
         MeshFileRecord::size},
        {"path with a zero byte",
         [](unsigned char* r) { return encode(MeshFileRecord{1, std::string("a\0b", 3)}, r); }, MeshFileRecord::size},
        {"title one byte too long", [](unsigned char* r) { return encode(ProjectHeader{std::string(200, 't')}, r); },
         ProjectHeader::size},
    };
    for (const auto& t : refused) {
        Bytes rec(t.size, 0xCC);
        EXPECT_FALSE(t.encodeIt(rec.data())) << t.what;
        EXPECT_EQ(rec, Bytes(t.size, 0xCC)) << t.what;
    }
    Bytes rec(MeshFileRecord::size);
    EXPECT_TRUE(encode(MeshFileRecord{1, ""}, rec.data()));
    EXPECT_EQ(decodeMeshFile(rec.data()).path, "");
}

TEST(RecordLayouts, AnUnterminatedTextEndsAtItsField)
{
    Bytes mesh(MeshFileRecord::size, 'x');
    EXPECT_EQ(decodeMeshFile(mesh.data()).path, std::string(266, 'x'));
    Bytes header(ProjectHeader::size, 'y');
    EXPECT_EQ(decodeProjectHeader(header.data()).title, std::string(200, 'y'));
}

TEST(RecordLayouts, KeysComeFromTheKeyFieldsAndRefuseOutOfRange)
{
    const struct {
        int kind;
        int word0, word2;
        std::optional<RecordKey> key;
    } table[] = {
        {1, 5, 5, RecordKey{0, 0}},   {12, 9, 3, RecordKey{3, 0}},  {12, 3, 0, std::nullopt},
        {12, 3, -1, std::nullopt},    {15, 7, 9, RecordKey{7, 0}},  {15, 0, 9, std::nullopt},
        {15, -32768, 1, std::nullopt}, {17, 4, 2, RecordKey{4, 2}}, {17, 4, 1, std::nullopt},
        {17, 32767, 32767, RecordKey{32767, 32767}}, {18, 1, 0, RecordKey{1, 0}}, {18, -1, 0, std::nullopt},
        {19, 2, 5, RecordKey{2, 5}},  {19, 2, 4, std::nullopt},     {19, 0, 5, std::nullopt},
        {171, 1, 0, RecordKey{1, 0}}, {171, 0, 0, std::nullopt},    {16, 1, 2, std::nullopt},
    };
    for (const auto& t : table) {
        Bytes rec(268, 0);
        putI16(rec.data(), 0, static_cast<std::int16_t>(t.word0));
        putI16(rec.data(), 2, static_cast<std::int16_t>(t.word2));
        EXPECT_EQ(recordKey(t.kind, rec.data()), t.key) << "kind " << t.kind << " (" << t.word0 << ", " << t.word2 << ")";
    }
}

} // namespace
