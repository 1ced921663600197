#pragma once
// A full set of dialog texts, every key different from its default, for the
// settings store's tests.

#include "settings/DisplaySettingsFile.h"

inline DisplaySettingsTexts SampleTexts() {
    DisplaySettingsTexts t;
    t.nodeWidth = "150";
    t.lineWidth = "2";
    t.lineType = "ﾄﾞｯﾄ";
    t.gridWidth = "1.5";
    t.gridType = "ｻｾﾝ";
    t.gridPosX = "10";
    t.gridPosY = "-20";
    t.gridPosZ = "30.5";
    t.gridSpacing = "500";
    t.gridCountX = "4";
    t.gridCountY = "6";
    t.backgroundColour = Rgb(1, 2, 3);
    t.nodeColour = Rgb(80, 100, 200);
    t.lineColour = Rgb(204, 204, 204);
    t.gridColour = Rgb(255, 255, 255);
    t.textColour = Rgb(0, 0, 0);
    t.inheritPosition = true;
    t.perspectiveAngle = "45";
    return t;
}
