#include <gtest/gtest.h>

#include <ostream>

#include "ProfileFile.h"
#include "SampleSettings.h"
#include "TempDir.h"
#include "settings/DisplaySettingsFile.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

constexpr float kFloatTol = 1e-6f;

class DisplaySettingsFileTest : public testing::Test {
protected:
    TempDir dir{"vorna-settings"};
    std::string ini = dir.File("Vorna3D.ini");
    DisplaySettings settings;
    ViewPreferences view;

    std::string Read(const char* section, const char* key) {
        return platform::ReadProfileString(ini, section, key, "<missing>");
    }
};

TEST_F(DisplaySettingsFileTest, NoFileKeepsTheInitialValues) {
    LoadDisplaySettings(settings, view, ini);
    EXPECT_EQ(settings.backgroundColour, Rgb(0, 0, 0));
    EXPECT_EQ(settings.gridColour, Rgb(255, 255, 255));
    EXPECT_EQ(settings.textColour, Rgb(255, 255, 255));
    EXPECT_EQ(settings.ridgeLineColour, Rgb(204, 204, 204));
    EXPECT_EQ(settings.nodeColour, Rgb(80, 100, 200));
    EXPECT_EQ(settings.outlineColour, Rgb(100, 255, 255));
    EXPECT_EQ(settings.nodeSize, 100);
    EXPECT_EQ(settings.gridCountX, 10);
    EXPECT_EQ(settings.gridCountY, 10);
    EXPECT_FLOAT_EQ(settings.gridSpacing, 1000.0f);
    EXPECT_FLOAT_EQ(settings.gridOriginX, 0.0f);
    EXPECT_FLOAT_EQ(settings.gridOriginY, 0.0f);
    EXPECT_FLOAT_EQ(settings.gridOriginZ, 0.0f);
    EXPECT_EQ(settings.gridLineType, kLineSolid);
    EXPECT_EQ(settings.ridgeLineType, kLineSolid);
    EXPECT_FLOAT_EQ(settings.gridLineWidth, 1.0f);
    EXPECT_FLOAT_EQ(settings.ridgeLineWidth, 1.0f);
    EXPECT_FLOAT_EQ(view.perspectiveAngle, 40.0f);
    EXPECT_FALSE(view.inheritCameraPosition);
}

TEST_F(DisplaySettingsFileTest, OnlyBackgroundColourChangesTheBackground) {
    ASSERT_TRUE(WriteFile(ini, "[Color]\nBGACOLOR=255\n"));
    LoadDisplaySettings(settings, view, ini);
    EXPECT_EQ(settings.backgroundColour, Rgb(255, 0, 0));
    DisplaySettings defaults;
    defaults.backgroundColour = Rgb(255, 0, 0);
    EXPECT_EQ(settings.nodeColour, defaults.nodeColour);
    EXPECT_EQ(settings.nodeSize, defaults.nodeSize);
    EXPECT_FLOAT_EQ(settings.gridSpacing, defaults.gridSpacing);
    EXPECT_FLOAT_EQ(view.perspectiveAngle, 40.0f);
}

TEST_F(DisplaySettingsFileTest, ReadsEveryKey) {
    ASSERT_TRUE(WriteFile(ini,
                          "[init]\nNodeWidth=250\nLineWidth=2.5\nLineType=2\n"
                          "[Glid]\nGlidWidth=0.5\nGlidType=1\nGlidPosX=-100.25\nGlidPosY=200\n"
                          "GlidPosZ=3000\nGlidSpsWidth=500\nGlidSpsX=20\nGlidSpsY=30\n"
                          "[Color]\nBGACOLOR=1\nNODECOLOR=2\nLINECOLOR=3\nGLIDCOLOR=4\n"
                          "TEXTCOLOR=16777215\n"
                          "[Camera]\nRePos=1\nPSPTV=55.5\n"));
    LoadDisplaySettings(settings, view, ini);
    EXPECT_EQ(settings.nodeSize, 250);
    EXPECT_FLOAT_EQ(settings.ridgeLineWidth, 2.5f);
    EXPECT_EQ(settings.ridgeLineType, kLineChain);
    EXPECT_FLOAT_EQ(settings.gridLineWidth, 0.5f);
    EXPECT_EQ(settings.gridLineType, kLineDotted);
    EXPECT_FLOAT_EQ(settings.gridOriginX, -100.25f);
    EXPECT_FLOAT_EQ(settings.gridOriginY, 200.0f);
    EXPECT_FLOAT_EQ(settings.gridOriginZ, 3000.0f);
    EXPECT_FLOAT_EQ(settings.gridSpacing, 500.0f);
    EXPECT_EQ(settings.gridCountX, 20);
    EXPECT_EQ(settings.gridCountY, 30);
    EXPECT_EQ(settings.backgroundColour, 1u);
    EXPECT_EQ(settings.nodeColour, 2u);
    EXPECT_EQ(settings.ridgeLineColour, 3u);
    EXPECT_EQ(settings.gridColour, 4u);
    EXPECT_EQ(settings.textColour, Rgb(255, 255, 255));
    EXPECT_TRUE(view.inheritCameraPosition);
    EXPECT_FLOAT_EQ(view.perspectiveAngle, 55.5f);
}

TEST_F(DisplaySettingsFileTest, ConversionsFollowTheCLibrary) {
    ASSERT_TRUE(WriteFile(ini,
                          "[init]\nNodeWidth=12abc\nLineWidth=abc\n"
                          "[Glid]\nGlidSpsX=  7\nGlidSpsWidth=1.5e3mm\nGlidPosX=0.1\n"
                          "[Camera]\nPSPTV=250\n"));
    LoadDisplaySettings(settings, view, ini);
    EXPECT_EQ(settings.nodeSize, 12);
    EXPECT_FLOAT_EQ(settings.ridgeLineWidth, 0.0f);
    EXPECT_EQ(settings.gridCountX, 7);
    EXPECT_FLOAT_EQ(settings.gridSpacing, 1500.0f);
    // Narrowed to 32 bits.
    EXPECT_EQ(settings.gridOriginX, 0.1f);
    // Not clamped on reading.
    EXPECT_FLOAT_EQ(view.perspectiveAngle, 250.0f);
}

TEST_F(DisplaySettingsFileTest, TheTextNullIsAMissingKey) {
    ASSERT_TRUE(WriteFile(ini, "[init]\nNodeWidth=NULL\nLineType=null\n"));
    settings.nodeSize = 33;
    settings.ridgeLineType = 2;
    LoadDisplaySettings(settings, view, ini);
    EXPECT_EQ(settings.nodeSize, 33);     // "NULL": kept
    EXPECT_EQ(settings.ridgeLineType, 0);  // "null" is text: atoi gives 0
}

TEST_F(DisplaySettingsFileTest, ALoadKeepsWhatAnEarlierLoadStored) {
    ASSERT_TRUE(WriteFile(ini, "[init]\nNodeWidth=40\n"));
    LoadDisplaySettings(settings, view, ini);
    ASSERT_TRUE(WriteFile(ini, "[Color]\nBGACOLOR=255\n"));
    LoadDisplaySettings(settings, view, ini);
    EXPECT_EQ(settings.nodeSize, 40);
    EXPECT_EQ(settings.backgroundColour, Rgb(255, 0, 0));
}

struct RePosCase {
    const char* name;
    friend void PrintTo(const RePosCase& c, std::ostream* os) { *os << c.name; }
    const char* text;
    bool inherit;
};

class RePosTable : public DisplaySettingsFileTest,
                   public testing::WithParamInterface<RePosCase> {};

TEST_P(RePosTable, ReadsTrueOnlyAboveZero) {
    ASSERT_TRUE(WriteFile(ini, std::string("[Camera]\nRePos=") + GetParam().text + "\n"));
    view.inheritCameraPosition = !GetParam().inherit;
    LoadDisplaySettings(settings, view, ini);
    EXPECT_EQ(view.inheritCameraPosition, GetParam().inherit);
}

INSTANTIATE_TEST_SUITE_P(Cases, RePosTable,
                         testing::Values(RePosCase{"MinusOne", "-1", false},
                                         RePosCase{"Zero", "0", false},
                                         RePosCase{"One", "1", true},
                                         RePosCase{"Two", "2", true},
                                         RePosCase{"Text", "yes", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DisplaySettingsFileTest, SaveWritesAllKeysAndLoadReadsThemBack) {
    ASSERT_TRUE(SaveDisplaySettings(SampleTexts(), ini));
    EXPECT_EQ(Read("init", "NodeWidth"), "150");
    EXPECT_EQ(Read("init", "LineType"), "1");
    EXPECT_EQ(Read("Glid", "GlidType"), "2");
    EXPECT_EQ(Read("Glid", "GlidPosY"), "-20");
    EXPECT_EQ(Read("Color", "BGACOLOR"), "197121");  // RGB(1, 2, 3)
    EXPECT_EQ(Read("Color", "NODECOLOR"), "13132880");
    EXPECT_EQ(Read("Color", "LINECOLOR"), "13421772");
    EXPECT_EQ(Read("Color", "GLIDCOLOR"), "16777215");
    EXPECT_EQ(Read("Camera", "RePos"), "1");
    EXPECT_EQ(Read("Camera", "PSPTV"), "45.0");

    LoadDisplaySettings(settings, view, ini);
    EXPECT_EQ(settings.nodeSize, 150);
    EXPECT_EQ(settings.ridgeLineType, kLineDotted);
    EXPECT_EQ(settings.gridLineType, kLineChain);
    EXPECT_FLOAT_EQ(settings.gridOriginZ, 30.5f);
    EXPECT_EQ(settings.backgroundColour, Rgb(1, 2, 3));
    EXPECT_EQ(settings.textColour, Rgb(0, 0, 0));
    EXPECT_EQ(settings.gridCountY, 6);
    EXPECT_TRUE(view.inheritCameraPosition);
    EXPECT_NEAR(view.perspectiveAngle, 45.0f, kFloatTol);
}

TEST_F(DisplaySettingsFileTest, EditTextsAreWrittenAsTyped) {
    auto texts = SampleTexts();
    texts.nodeWidth = "abc";
    texts.gridSpacing = " 2e3 ";
    texts.gridPosX = "12\n[Color]\nBGACOLOR=7";  // one line of the file at most
    texts.inheritPosition = false;
    ASSERT_TRUE(SaveDisplaySettings(texts, ini));
    EXPECT_EQ(Read("init", "NodeWidth"), "abc");
    EXPECT_EQ(Read("Glid", "GlidPosX"), "12");
    EXPECT_EQ(Read("Color", "BGACOLOR"), "197121");
    EXPECT_EQ(Read("Camera", "RePos"), "0");
    LoadDisplaySettings(settings, view, ini);
    EXPECT_EQ(settings.nodeSize, 0);
    EXPECT_FLOAT_EQ(settings.gridSpacing, 2000.0f);
}

TEST_F(DisplaySettingsFileTest, SaveKeepsOtherSections) {
    ASSERT_TRUE(WriteFile(ini, "[CameraPos]\ncZ=1234.5\n[Check]\ncheckArea=1\n"));
    ASSERT_TRUE(SaveDisplaySettings(SampleTexts(), ini));
    EXPECT_EQ(Read("CameraPos", "cZ"), "1234.5");
    EXPECT_EQ(Read("Check", "checkArea"), "1");
}

struct AngleCase {
    const char* name;
    friend void PrintTo(const AngleCase& c, std::ostream* os) { *os << c.name; }
    const char* text;
    const char* written;
};

class PerspectiveAngleTable : public DisplaySettingsFileTest,
                              public testing::WithParamInterface<AngleCase> {};

TEST_P(PerspectiveAngleTable, IsClampedAndWrittenWithOneDecimal) {
    auto texts = SampleTexts();
    texts.perspectiveAngle = GetParam().text;
    ASSERT_TRUE(SaveDisplaySettings(texts, ini));
    EXPECT_EQ(Read("Camera", "PSPTV"), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Cases, PerspectiveAngleTable,
                         testing::Values(AngleCase{"Above200", "250", "199.9"},
                                         AngleCase{"Exactly200", "200", "200.0"},
                                         AngleCase{"BelowPointOne", "0.05", "1.0"},
                                         AngleCase{"Empty", "", "1.0"},
                                         AngleCase{"Zero", "0", "1.0"},
                                         AngleCase{"Negative", "-30", "1.0"},
                                         AngleCase{"PointOne", "0.1", "0.1"},
                                         AngleCase{"Ordinary", "60.26", "60.3"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct LineTypeCase {
    const char* name;
    friend void PrintTo(const LineTypeCase& c, std::ostream* os) { *os << c.name; }
    const char* text;
    LineTypeCode code;
};

class LineTypeNames : public testing::TestWithParam<LineTypeCase> {};

TEST_P(LineTypeNames, MapToTheirCodes) {
    EXPECT_EQ(LineTypeOfName(GetParam().text), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Cases, LineTypeNames,
                         testing::Values(LineTypeCase{"Solid", "ｿﾘｯﾄﾞ", 0},
                                         LineTypeCase{"Dot", "ﾄﾞｯﾄ", 1},
                                         LineTypeCase{"Chain", "ｻｾﾝ", 2},
                                         LineTypeCase{"Unknown", "破線", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineStipple, KnownTypesStippleAndEveryOtherCodeIsSolid) {
    EXPECT_FALSE(StippleOf(kLineSolid).has_value());
    ASSERT_TRUE(StippleOf(kLineDotted).has_value());
    EXPECT_EQ(StippleOf(kLineDotted)->factor, 1);
    EXPECT_EQ(StippleOf(kLineDotted)->pattern, 0xF0F0);
    ASSERT_TRUE(StippleOf(kLineChain).has_value());
    EXPECT_EQ(StippleOf(kLineChain)->pattern, 0x27FF);
    EXPECT_FALSE(StippleOf(3).has_value());
    EXPECT_FALSE(StippleOf(-1).has_value());
}

TEST_F(DisplaySettingsFileTest, LineTypeThreeFromTheFileIsDrawnSolid) {
    ASSERT_TRUE(WriteFile(ini, "[init]\nLineType=3\n[Glid]\nGlidType=3\n"));
    LoadDisplaySettings(settings, view, ini);
    EXPECT_EQ(settings.ridgeLineType, 3);
    EXPECT_FALSE(StippleOf(settings.ridgeLineType).has_value());
    EXPECT_FALSE(StippleOf(settings.gridLineType).has_value());
}

TEST(Colour, ChannelsSitRedLowThenGreenThenBlue) {
    EXPECT_EQ(Rgb(1, 2, 3), 197121u);
    EXPECT_EQ(Rgb(255, 0, 0), 255u);
    EXPECT_EQ(RedOf(Rgb(10, 20, 30)), 10);
    EXPECT_EQ(GreenOf(Rgb(10, 20, 30)), 20);
    EXPECT_EQ(BlueOf(Rgb(10, 20, 30)), 30);
}

}  // namespace
