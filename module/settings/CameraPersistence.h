#pragma once
// Section CameraPos of Vorna3D.ini: the camera the editor was closed with.

#include <string>

#include "settings/SettingsFilePath.h"
#include "settings/SettingsResult.h"

// The persisted part of the editor view's camera. The defaults are the
// view's initial values.
struct CameraPosition {
    double targetX = 0.0;  // point looked at, millimetres
    double targetY = 0.0;
    double targetZ = 0.0;
    float azimuth = 0.0f;    // degrees
    float elevation = 0.0f;  // degrees
    float distance = 0.0f;   // eye to target, millimetres
    bool parallel = false;   // parallel (true) or perspective projection
};

// Writes pointX, pointY, pointZ, cH, cG, cZ ("%.1f") and TOUEI ("%d") with
// one replace of the file when `inheritPosition` is on; nothing otherwise. A
// number that is not finite (a camera broken by a failed computation) is not
// written: its key keeps the value it had. On failure no key is written.
SettingsResult SaveCameraPosition(const CameraPosition& camera, bool inheritPosition,
                                  const std::string& path = SettingsFilePath());

// Reads the file once and assigns every key present (atof; TOUEI atol, true
// when not 0), leaving the members of missing keys as they are; an
// unreadable file changes nothing.
void LoadCameraPosition(CameraPosition& camera, const std::string& path = SettingsFilePath());
