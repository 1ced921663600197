#include <gtest/gtest.h>

#include <ostream>

#include "ProfileFile.h"
#include "TempDir.h"
#include "settings/CameraPersistence.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

// One decimal place: every number comes back within half a step.
constexpr double kRoundTrip = 0.05 + 1e-9;

class CameraPersistenceTest : public testing::Test {
protected:
    TempDir dir{"vorna-camera"};
    std::string ini = dir.File("Vorna3D.ini");

    std::string Read(const char* key) {
        return platform::ReadProfileString(ini, "CameraPos", key, "<missing>");
    }
};

CameraPosition Sample() {
    CameraPosition c;
    c.targetX = 1234.567;
    c.targetY = -89.04;
    c.targetZ = 3000.0;
    c.azimuth = -110.26f;
    c.elevation = 15.0f;
    c.distance = 25432.74f;
    c.parallel = true;
    return c;
}

TEST_F(CameraPersistenceTest, WritesOneDecimalAndReadsBackWithinHalfAStep) {
    const CameraPosition saved = Sample();
    ASSERT_TRUE(SaveCameraPosition(saved, true, ini));
    EXPECT_EQ(Read("pointX"), "1234.6");
    EXPECT_EQ(Read("pointY"), "-89.0");
    EXPECT_EQ(Read("pointZ"), "3000.0");
    EXPECT_EQ(Read("cH"), "-110.3");
    EXPECT_EQ(Read("cG"), "15.0");
    EXPECT_EQ(Read("cZ"), "25432.7");
    EXPECT_EQ(Read("TOUEI"), "1");

    CameraPosition loaded;
    LoadCameraPosition(loaded, ini);
    EXPECT_NEAR(loaded.targetX, saved.targetX, kRoundTrip);
    EXPECT_NEAR(loaded.targetY, saved.targetY, kRoundTrip);
    EXPECT_NEAR(loaded.targetZ, saved.targetZ, kRoundTrip);
    EXPECT_NEAR(loaded.azimuth, saved.azimuth, kRoundTrip);
    EXPECT_NEAR(loaded.elevation, saved.elevation, kRoundTrip);
    EXPECT_NEAR(loaded.distance, saved.distance, kRoundTrip);
    EXPECT_TRUE(loaded.parallel);
}

TEST_F(CameraPersistenceTest, NothingIsWrittenWhenThePreferenceIsOff) {
    ASSERT_TRUE(WriteFile(ini, "[CameraPos]\ncZ=5.0\n"));
    EXPECT_TRUE(SaveCameraPosition(Sample(), false, ini));
    EXPECT_EQ(Read("cZ"), "5.0");
    EXPECT_EQ(Read("pointX"), "<missing>");
}

TEST_F(CameraPersistenceTest, NoSectionKeepsTheInitialCamera) {
    ASSERT_TRUE(WriteFile(ini, "[Camera]\nRePos=1\n"));
    CameraPosition camera;
    camera.distance = 5000.0f;
    camera.azimuth = -120.0f;
    LoadCameraPosition(camera, ini);
    EXPECT_EQ(camera.distance, 5000.0f);
    EXPECT_EQ(camera.azimuth, -120.0f);
    EXPECT_EQ(camera.targetX, 0.0);
    EXPECT_FALSE(camera.parallel);
}

TEST_F(CameraPersistenceTest, ASectionWithOnlyTheDistanceRestoresOnlyThat) {
    ASSERT_TRUE(WriteFile(ini, "[CameraPos]\ncZ=7500.5\n"));
    CameraPosition camera;
    camera.targetX = 11.0;
    camera.elevation = 15.0f;
    camera.parallel = true;
    LoadCameraPosition(camera, ini);
    EXPECT_FLOAT_EQ(camera.distance, 7500.5f);
    EXPECT_EQ(camera.targetX, 11.0);
    EXPECT_EQ(camera.targetY, 0.0);
    EXPECT_EQ(camera.elevation, 15.0f);
    EXPECT_EQ(camera.azimuth, 0.0f);
    EXPECT_TRUE(camera.parallel);
}

struct ProjectionCase {
    const char* name;
    friend void PrintTo(const ProjectionCase& c, std::ostream* os) { *os << c.name; }
    const char* text;
    bool parallel;
};

class ProjectionTable : public CameraPersistenceTest,
                        public testing::WithParamInterface<ProjectionCase> {};

TEST_P(ProjectionTable, NonZeroMeansParallel) {
    ASSERT_TRUE(WriteFile(ini, std::string("[CameraPos]\nTOUEI=") + GetParam().text + "\n"));
    CameraPosition camera;
    camera.parallel = !GetParam().parallel;
    LoadCameraPosition(camera, ini);
    EXPECT_EQ(camera.parallel, GetParam().parallel);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProjectionTable,
                         testing::Values(ProjectionCase{"Two", "2", true},
                                         ProjectionCase{"One", "1", true},
                                         ProjectionCase{"Zero", "0", false},
                                         ProjectionCase{"MinusOne", "-1", true},
                                         ProjectionCase{"Text", "yes", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CameraPersistenceTest, PerspectiveIsWrittenAsZero) {
    CameraPosition camera = Sample();
    camera.parallel = false;
    ASSERT_TRUE(SaveCameraPosition(camera, true, ini));
    EXPECT_EQ(Read("TOUEI"), "0");
}

TEST_F(CameraPersistenceTest, ATextThatIsNoNumberReadsAsZero) {
    ASSERT_TRUE(WriteFile(ini, "[CameraPos]\npointX=abc\ncH=12.5deg\n"));
    CameraPosition camera;
    camera.targetX = 99.0;
    LoadCameraPosition(camera, ini);
    EXPECT_EQ(camera.targetX, 0.0);
    EXPECT_FLOAT_EQ(camera.azimuth, 12.5f);
}

TEST_F(CameraPersistenceTest, KeepsTheOtherSectionsOfTheFile) {
    ASSERT_TRUE(WriteFile(ini, "[Color]\nBGACOLOR=255\n"));
    ASSERT_TRUE(SaveCameraPosition(Sample(), true, ini));
    EXPECT_EQ(platform::ReadProfileString(ini, "Color", "BGACOLOR", ""), "255");
}

}  // namespace
