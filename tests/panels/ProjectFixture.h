#pragma once
// Test projects for the placement panel, made through the model library's
// own entries and opened for the editor's bound entries as well (the loader
// hands both the same library instance).

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TestBuilding.h"
#include "model/ModelDbLibrary.h"

class ProjectFixture : public testing::Test {
protected:
    void SetUp() override {
        const char* bin = std::getenv("TORMEL_BIN_DIR");
        ASSERT_NE(bin, nullptr) << "TORMEL_BIN_DIR is not set";
        ASSERT_TRUE(ModelDbLibrary::Instance().LoadFrom(bin));
        ASSERT_EQ(teva_create(dir.File("panel.teva").c_str(), "Panel test"), 0) << teva_last_error();
    }
    void TearDown() override {
        teva_close();
        ModelDbLibrary::Instance().Unload();
    }

    // Storeys 1F, 2F, RF at 0, 3000, 6000.
    static bool AddStoreys() {
        return teva_add_storey("1F", 0) == 1 && teva_add_storey("2F", 3000) == 2 &&
               teva_add_storey("RF", 6000) == 3;
    }
    // X axes X1 … (running along Y) at the given x, and Y axes Y1 … (running
    // along X) at the given y.
    static bool AddAxes(const std::vector<double>& xs, const std::vector<double>& ys) {
        for (size_t i = 0; i < xs.size(); ++i) {
            const std::string name = "X" + std::to_string(i + 1);
            if (modeldbtest::addAxis(name.c_str(), xs[i], -1000, xs[i], 11000) < 1) return false;
        }
        for (size_t i = 0; i < ys.size(); ++i) {
            const std::string name = "Y" + std::to_string(i + 1);
            if (modeldbtest::addAxis(name.c_str(), -1000, ys[i], 19000, ys[i]) < 1) return false;
        }
        return true;
    }
    static int AxisNameCode(const char* name) { return DB_Usfind(TEVA_NAME_AXIS, name); }

    modeldbtest::TempDir dir;
};
