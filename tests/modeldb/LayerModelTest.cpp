// Layers of the derived model: storeys, sub-layers from level records and
// slopes from slope records, with their codes, order, heights and planes.
#include "TestBuilding.h"

#include <gtest/gtest.h>

#include <vector>

using namespace modeldbtest;

namespace {

constexpr double kTolerance = 0.01; // mm

class TevaLayerModel : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(makeGridBuilding(dir.File("layers.teva"))) << teva_last_error(); }
    void TearDown() override { teva_close(); }

    std::vector<int> enumeration()
    {
        std::vector<int> codes;
        for (int i = 1; i < 1000; ++i) {
            const int code = sp_lslay(i);
            if (code == 0)
                break;
            codes.push_back(code);
        }
        return codes;
    }

    float heightOf(int layer, int crossing)
    {
        float x = 0, y = 0, z = -1e9f;
        EXPECT_EQ(sp_GetCord3d(layer, crossing, &x, &y, &z), 0);
        return z;
    }

    TempDir dir;
};

// The ramp of the grid building: bottom edge Y1 on storey 1, top edge Y3 on
// storey 2, outline Y1, X3, Y3, X1.
SlopeSpec ramp()
{
    SlopeSpec spec;
    spec.name = "ramp";
    spec.edges = {"Y1", "X3", "Y3", "X1"};
    spec.lowerStorey = 1;
    spec.bottom = "Y1";
    spec.upperStorey = 2;
    spec.top = "Y3";
    return spec;
}

} // namespace

TEST_F(TevaLayerModel, StoreysAreMainLayers)
{
    EXPECT_EQ(enumeration(), (std::vector<int>{1, 2, 3}));
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(sp_cpnam(k), k);
        EXPECT_EQ(sp_cpno(k), k);
        EXPECT_EQ(sp_layls(k), k);
        EXPECT_EQ(sp_lslevel(1, k, 0), k);
        EXPECT_EQ(sp_GetSubLayNo(k, 0), 0);
        unsigned char buffer[16] = {};
        ASSERT_EQ(DB_Uhgget(1, k, buffer), 0);
        EXPECT_DOUBLE_EQ(getF64(buffer, 8), 3000.0 * (k - 1));
        char name[64];
        ASSERT_EQ(DB_Usnam(TEVA_NAME_STOREY, static_cast<short>(k), name), 0);
        EXPECT_EQ(std::string(name), std::to_string(k) + "F");
    }
    unsigned char buffer[16];
    EXPECT_EQ(DB_Uhgget(1, 4, buffer), TEVA_NOT_FOUND);
    EXPECT_EQ(DB_Uhgget(1, 0, buffer), TEVA_NOT_FOUND);
    EXPECT_EQ(DB_Uhgget(2, 1, buffer), TEVA_BAD_ARGUMENT);
    EXPECT_EQ(DB_Uhgget(1, 1, nullptr), TEVA_BAD_ARGUMENT);
    EXPECT_EQ(sp_cpnam(4), 0);
    EXPECT_EQ(sp_cpno(0), 0);
    EXPECT_EQ(sp_layls(4), 0);
    EXPECT_EQ(sp_lslay(0), 0);
    EXPECT_EQ(sp_lslay(-5), 0);
    EXPECT_EQ(sp_GetSubLayNo(4, 0), -1);
}

TEST_F(TevaLayerModel, RelativeLevelMakesASubLayerAboveItsStorey)
{
    const int h = addLevel(2, "M1", 1, 1500);
    ASSERT_EQ(h, 1);
    ASSERT_EQ(DB_restruct(0), 0);
    const int code = 1 + 32768 * h;
    EXPECT_EQ(enumeration(), (std::vector<int>{1, code, 2, 3}));
    EXPECT_EQ(sp_GetMaxLevel(), 1);
    EXPECT_EQ(sp_GetMaxSeqLay(), 3) << "sub-layers are not storeys";
    EXPECT_EQ(sp_cpnam(code), code);
    EXPECT_EQ(sp_cpno(code), code);
    EXPECT_EQ(sp_layls(code), 2);
    EXPECT_EQ(sp_GetSubLayNo(1, h), h);
    EXPECT_EQ(sp_GetSubLayNo(2, h), -1) << "the sub-layer belongs to storey 1";
    EXPECT_EQ(sp_GetSubLayNo(1, 2), -1);
    EXPECT_NEAR(heightOf(code, 1), 1500, kTolerance);
    EXPECT_EQ(sp_GetMaxNode(code), 9);
    EXPECT_EQ(sp_GetMaxSpan(code), 12);
    char name[64];
    ASSERT_EQ(DB_Usnam(TEVA_NAME_SUBLAYER, static_cast<short>(code / 32768), name), 0);
    EXPECT_STREQ(name, "M1");
}

TEST_F(TevaLayerModel, SubLayersFollowTheirStoreyInAscendingHeight)
{
    const int high = addLevel(2, "upper", 1, 2000);
    const int low = addLevel(2, "lower", 1, 500);
    // Absolute 4500 lies between storeys 2 (3000) and 3 (6000).
    const int absolute = addLevel(1, "absolute", 0, 4500);
    // Absolute levels below the first storey and other types are no layers.
    const int below = addLevel(1, "below", 0, -200);
    const int other = addLevel(3, "other", 1, 100);
    ASSERT_GT(other, 0);
    ASSERT_EQ(DB_restruct(0), 0);
    EXPECT_EQ(sp_GetMaxLevel(), 5);
    EXPECT_EQ(enumeration(), (std::vector<int>{1, 1 + 32768 * low, 1 + 32768 * high, 2,
                                                2 + 32768 * absolute, 3}));
    EXPECT_NEAR(heightOf(2 + 32768 * absolute, 5), 4500, kTolerance);
    EXPECT_EQ(sp_cpno(1 + 32768 * below), 0);
    EXPECT_EQ(sp_cpno(1 + 32768 * other), 0);

    // Deleting a level record removes its layer at the next restructure.
    unsigned char key[TEVA_SIZE_LEVEL] = {};
    putI16(key, 2, low);
    ASSERT_EQ(DB_del(TEVA_REC_LEVEL, key), 0);
    ASSERT_EQ(DB_restruct(0), 0);
    EXPECT_EQ(sp_cpno(1 + 32768 * low), 0);
    EXPECT_EQ(sp_GetMaxLevel(), 4);
}

TEST_F(TevaLayerModel, SlopeRecordMakesASlopeLayer)
{
    const int n = addSlope(ramp());
    ASSERT_EQ(n, 1);
    ASSERT_EQ(DB_restruct(0), 0);
    const int code = slopeCode(n, 1);
    EXPECT_EQ(code, -32769);
    EXPECT_EQ(enumeration(), (std::vector<int>{1, 2, 3, code}));
    EXPECT_EQ(sp_cpnam(code), code);
    EXPECT_EQ(sp_cpno(code), code);
    EXPECT_EQ(sp_layls(code), 4);
    char name[64];
    ASSERT_EQ(DB_Usnam(TEVA_NAME_SLOPE, static_cast<short>(-(code / 32768)), name), 0);
    EXPECT_STREQ(name, "ramp");

    // The outline as the editor reads it.
    const int count = sp_GetMaxBayS(code);
    ASSERT_EQ(count, 4);
    std::vector<int> index(static_cast<std::size_t>(count) + 1);
    for (int i = 0; i < count; ++i)
        index[static_cast<std::size_t>(i)] = i + 1;
    ASSERT_EQ(sp_pwno_N(code, count, index.data()), 4);
    std::vector<int> axes(4);
    ASSERT_EQ(sp_pwno_L(code, count, index.data(), axes.data()), 4);
    EXPECT_EQ(axes, (std::vector<int>{sp_wno(DB_Usfind(2, "Y1")), sp_wno(DB_Usfind(2, "X3")),
                                      sp_wno(DB_Usfind(2, "Y3")), sp_wno(DB_Usfind(2, "X1"))}));

    // The plane rises from 0 at Y1 (y 0) to 3000 at Y3 (y 10000).
    struct Corner {
        const char* name;
        int axisA, axisB;
        double z;
    };
    const Corner corners[] = {
        {"Y1 x X3", 4, 3, 0}, {"X3 x Y3", 3, 6, 3000}, {"Y3 x X1", 6, 1, 3000},
        {"X1 x Y1", 1, 4, 0}, {"inner X2 x Y2", 2, 5, 1500},
    };
    for (const Corner& c : corners) {
        SCOPED_TRACE(c.name);
        const int crossing = sp_xnow(c.axisA, c.axisB);
        EXPECT_NEAR(heightOf(code, crossing), c.z, kTolerance);
        EXPECT_EQ(sp_nno(code, crossing), sp_nno(1, crossing));
    }
    EXPECT_EQ(sp_GetMaxNode(code), 9);
    EXPECT_EQ(sp_GetMaxSpan(code), 12);

    // The definition record and its handle.
    unsigned char record[TEVA_SIZE_SLOPE] = {};
    putI16(record, 0, n);
    ASSERT_EQ(DB_get(TEVA_REC_SLOPE, record), 0);
    int out1 = 0, out2 = 0;
    EXPECT_EQ(DBp_get(TEVA_REC_SLOPE, record, &out1, &out2), n);
    EXPECT_EQ(out1, code);
    EXPECT_EQ(out2, 4);
    putI16(record, 0, n + 1);
    EXPECT_EQ(DBp_get(TEVA_REC_SLOPE, record, &out1, &out2), 0);
    EXPECT_EQ(DBp_get(TEVA_REC_LEVEL, record, &out1, &out2), 0);
}

TEST_F(TevaLayerModel, SlopeToASubLayerAndWithEdgeRecords)
{
    const int h = addLevel(2, "mezzanine", 2, 1200); // 4200
    // An L-shaped slope of six edges from storey 2 (bottom Y1) up to the
    // mezzanine (top Y3): edges 5 and 6 come from edge records.
    SlopeSpec spec;
    spec.name = "L";
    spec.edges = {"Y1", "X3", "Y2", "X2", "Y3", "X1"};
    spec.lowerStorey = 2;
    spec.bottom = "Y1";
    spec.upperStorey = 2;
    spec.upperSub = h;
    spec.top = "Y3";
    const int n = addSlope(spec);
    ASSERT_GT(n, 0);
    ASSERT_EQ(DB_restruct(0), 0);
    const int code = slopeCode(n, 2);
    ASSERT_EQ(sp_GetMaxBayS(code), 6);
    int axes[6] = {};
    ASSERT_EQ(sp_pwno_L(code, 6, nullptr, axes), 6);
    EXPECT_EQ(axes[4], 6);
    EXPECT_EQ(axes[5], 1);
    // Corners on Y1 at 3000, on Y3 at 4200; corners on Y2 do not constrain
    // the plane, which rises by 1200 over 10000 mm of Y.
    EXPECT_NEAR(heightOf(code, sp_xnow(1, 4)), 3000, kTolerance);
    EXPECT_NEAR(heightOf(code, sp_xnow(2, 6)), 4200, kTolerance);
    EXPECT_NEAR(heightOf(code, sp_xnow(3, 5)), 3600, kTolerance);
    EXPECT_EQ(sp_pwno_N(code, 5, nullptr), -1) << "the count must match";
    EXPECT_EQ(sp_pwno_L(code, 6, nullptr, nullptr), -1);

    // Without its sixth edge record the outline is incomplete.
    unsigned char edge[TEVA_SIZE_SLOPE_EDGE] = {};
    putI16(edge, 0, n);
    putI16(edge, 2, 6);
    ASSERT_EQ(DB_get(TEVA_REC_SLOPE_EDGE, edge), 0);
    EXPECT_EQ(getI16(edge, 4), DB_Usfind(TEVA_NAME_AXIS, "X1"));
    ASSERT_EQ(DB_del(TEVA_REC_SLOPE_EDGE, edge), 0);
    ASSERT_EQ(DB_restruct(0), 0);
    EXPECT_EQ(sp_GetMaxBayS(code), 0);
}

TEST_F(TevaLayerModel, SlopeWithAMissingEdgeAxisHasNoOutline)
{
    const int n = addSlope(ramp());
    ASSERT_GT(n, 0);
    // Remove X3's line record: edge 2 no longer exists.
    unsigned char key[TEVA_SIZE_AXIS_LINE] = {};
    putI16(key, 0, 3);
    ASSERT_EQ(DB_del(TEVA_REC_AXIS_LINE, key), 0);
    ASSERT_EQ(DB_restruct(0), 0);
    const int code = slopeCode(n, 1);
    EXPECT_EQ(sp_layls(code), 4) << "the slope entry stays listed";
    EXPECT_EQ(sp_GetMaxBayS(code), 0);
    int axes[4];
    EXPECT_EQ(sp_pwno_L(code, 4, nullptr, axes), -1);
    float x, y, z;
    EXPECT_EQ(sp_GetCord3d(code, 1, &x, &y, &z), -1);
    EXPECT_EQ(sp_GetMaxBayS(-999), -1);
    EXPECT_EQ(sp_GetMaxBayS(1), -1) << "a storey is no slope";
}

TEST_F(TevaLayerModel, SlopesFollowStoreysInSlopeNumberOrder)
{
    SlopeSpec second = ramp();
    second.name = "b";
    SlopeSpec first = ramp();
    first.name = "a";
    first.lowerStorey = 2;
    first.upperStorey = 3;
    const int a = addSlope(first);
    const int b = addSlope(second);
    ASSERT_EQ(a, 1);
    ASSERT_EQ(b, 2);
    addLevel(2, "M", 3, 100);
    ASSERT_EQ(DB_restruct(0), 0);
    EXPECT_EQ(enumeration(),
              (std::vector<int>{1, 2, 3, 3 + 32768, slopeCode(a, 2), slopeCode(b, 1)}));
    // A slope whose corners do not span a plane is horizontal at its lower
    // layer: here no corner lies on a bottom or top edge axis.
    SlopeSpec flat = ramp();
    flat.name = "flat";
    flat.bottom = "Y2";
    flat.top = "X2";
    const int f = addSlope(flat);
    ASSERT_EQ(DB_restruct(0), 0);
    EXPECT_NEAR(heightOf(slopeCode(f, 1), sp_xnow(3, 6)), 0, kTolerance);
}
