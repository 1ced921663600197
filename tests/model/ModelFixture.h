#pragma once
// A test project made through the model library and opened both for the
// test's own writes (the host-side entries) and for the editor's bound
// entries: the loader hands both the same library instance.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "TestBuilding.h"
#include "model/LayerCode.h"
#include "model/ModelDbLibrary.h"

class ModelFixture : public testing::Test {
protected:
    void SetUp() override {
        const char* bin = std::getenv("TORMEL_BIN_DIR");
        ASSERT_NE(bin, nullptr) << "TORMEL_BIN_DIR is not set";
        ASSERT_TRUE(ModelDbLibrary::Instance().LoadFrom(bin));
        ASSERT_TRUE(ModelDbLibrary::Instance().MissingUsedEntries().empty());
        ASSERT_TRUE(modeldbtest::makeGridBuilding(dir.File("grid.teva"))) << teva_last_error();
    }
    void TearDown() override {
        teva_close();
        ModelDbLibrary::Instance().Unload();
    }

    // The layer code of a slope registered with addSlope on storey 1.
    static LayerCode SlopeCode(int number, int lowerStorey = 1) {
        return modeldbtest::slopeCode(number, lowerStorey);
    }
    // The number of a named axis (its name number mapped through sp_wno).
    static int Axis(const char* name) {
        return Db().sp_wno(DB_Usfind(TEVA_NAME_AXIS, name));
    }
    // The crossing of two named axes.
    static int Crossing(const char* a, const char* b) { return Db().sp_xnow(Axis(a), Axis(b)); }
    // The node at the crossing of two named axes on a layer.
    static int Node(LayerCode layer, const char* a, const char* b) {
        return Db().sp_nno(layer, Crossing(a, b));
    }

    // The rising slope of the grid: X1 … X2 by Y1 … Y2, bottom edge Y1 on
    // storey 1 (z 0), top edge Y2 on storey 2 (z 3000): z = 0.6·y.
    static modeldbtest::SlopeSpec RisingSlope(const char* name = "sl:1") {
        modeldbtest::SlopeSpec spec;
        spec.name = name;
        spec.edges = {"Y1", "X2", "Y2", "X1"};
        spec.bottom = "Y1";
        spec.top = "Y2";
        return spec;
    }

    modeldbtest::TempDir dir;
};
