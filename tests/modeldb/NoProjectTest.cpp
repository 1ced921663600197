// Without an open project every entry answers "not found".
#include "TestBuilding.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace modeldbtest;

namespace {

void expectEverythingNotFound()
{
    unsigned char record[300] = {};
    putI16(record, 0, 1);
    putI16(record, 2, 5);
    for (int kind : {1, 12, 15, 17, 18, 19, 171}) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        EXPECT_EQ(DB_get(kind, record), TEVA_NOT_FOUND);
        EXPECT_EQ(DB_put(kind, record), TEVA_NOT_FOUND);
        EXPECT_EQ(DB_del(kind, record), TEVA_NOT_FOUND);
        EXPECT_EQ(DB_getr(kind, nullptr), TEVA_NOT_FOUND);
        EXPECT_EQ(DB_getr(kind, record), TEVA_NOT_FOUND);
    }
    int a = 0, b = 0;
    EXPECT_EQ(DBp_get(18, record, &a, &b), 0);
    EXPECT_EQ(DB_restruct(0), TEVA_NOT_FOUND);
    EXPECT_EQ(DB_Uhgget(1, 1, record), TEVA_NOT_FOUND);

    char text[64];
    for (int kind = 1; kind <= 4; ++kind) {
        EXPECT_EQ(DB_Usno(kind, "x"), -1);
        EXPECT_EQ(DB_Usnam(kind, 1, text), -1);
        EXPECT_EQ(DB_Usfind(kind, "x"), -2);
        EXPECT_EQ(DB_Usren(kind, 1, "y"), -1);
        EXPECT_EQ(DB_Usino(kind, 1, text), -1);
        EXPECT_EQ(DB_Usdel(kind, 1), -1);
    }

    float f[4];
    int list[512];
    for (int layer : {0, 1, -32769, 32769}) {
        SCOPED_TRACE("layer " + std::to_string(layer));
        EXPECT_EQ(sp_layls(layer), 0);
        EXPECT_EQ(sp_lslevel(1, layer, 0), 0);
        EXPECT_EQ(sp_cpnam(layer), 0);
        EXPECT_EQ(sp_cpno(layer), 0);
        EXPECT_EQ(sp_GetMaxLin(layer), -1);
        EXPECT_EQ(sp_GetTwoPntCord(layer, 1, &f[0], &f[1], &f[2], &f[3]), -1);
        EXPECT_EQ(sp_GetMaxNode(layer), -1);
        EXPECT_EQ(sp_nno(layer, 1), -1);
        EXPECT_EQ(sp_nnox_L(layer, 1, list), -1);
        EXPECT_EQ(sp_nnox_N(layer, 1), -1);
        EXPECT_EQ(sp_GetCord3d(layer, 1, &f[0], &f[1], &f[2]), -1);
        EXPECT_EQ(sp_GetMaxSpan(layer), -1);
        EXPECT_EQ(sp_snox(layer, 1, &a, &a, &a), -1);
        EXPECT_EQ(sp_scon(layer, 1, &a, &b), -1);
        EXPECT_EQ(sp_snon(layer, 1, &a, &b), -1);
        EXPECT_EQ(sp_sno(layer, 0, 1, 2, &a, list, list, 0), -1);
        EXPECT_EQ(sp_Pnt2ToSpanFB(layer, 1, 2), -1);
        EXPECT_EQ(sp_GetMaxBayS(layer), -1);
        EXPECT_EQ(sp_pwno_N(layer, 4, list), -1);
        EXPECT_EQ(sp_pwno_L(layer, 4, list, list), -1);
    }
    EXPECT_EQ(sp_lslay(1), 0);
    EXPECT_EQ(sp_GetSubLayNo(1, 0), -1);
    EXPECT_EQ(sp_GetMaxSeqLay(), -1);
    EXPECT_EQ(sp_GetMaxLevel(), -1);
    EXPECT_EQ(sp_wnam(1), -1);
    EXPECT_EQ(sp_wno(1), -1);
    EXPECT_EQ(sp_GetMaxCros(), -1);
    EXPECT_EQ(sp_xwno2(1, &a, &b), -1);
    EXPECT_EQ(sp_xnow(1, 2), 0);
    EXPECT_EQ(sp_GetMaxMinCord(0, &f[0], &f[1], &f[2], &f[3]), -1);
    EXPECT_EQ(sp_st_spn_get(), -1);
    EXPECT_EQ(sp_GetMaxLinG(), -1);
    EXPECT_EQ(sp_GetMaxEdge(), -1);
    EXPECT_EQ(teva_add_storey("1F", 0), -1);
    EXPECT_EQ(teva_check(), -1);
    EXPECT_EQ(teva_step_begin("step"), TEVA_NOT_FOUND);
    EXPECT_EQ(teva_step_end(), TEVA_NOT_FOUND);
    EXPECT_EQ(teva_undo(), TEVA_NOT_FOUND);
    EXPECT_EQ(teva_redo(), TEVA_NOT_FOUND);
    EXPECT_STREQ(teva_undo_label(), "");
    EXPECT_STREQ(teva_redo_label(), "");
}

} // namespace

TEST(TevaNoProject, EveryEntryAnswersNotFoundBeforeAnyOpen)
{
    teva_close();
    expectEverythingNotFound();
}

TEST(TevaNoProject, EveryEntryAnswersNotFoundAfterClose)
{
    TempDir dir;
    ASSERT_TRUE(makeGridBuilding(dir.File("closed.teva")));
    ASSERT_EQ(sp_GetMaxCros(), 9);
    teva_close();
    expectEverythingNotFound();
}

TEST(TevaNoProject, RefusedOpenLeavesNoProjectOpen)
{
    TempDir dir;
    ASSERT_TRUE(makeGridBuilding(dir.File("first.teva")));
    EXPECT_EQ(teva_open(dir.File("missing.teva").c_str()), -1);
    expectEverythingNotFound();
}
