#pragma once
// Section CameraPos of Vorna3D.ini: the camera the editor was closed with.

#include <string>

#include "settings/SettingsFilePath.h"

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

// Writes pointX, pointY, pointZ, cH, cG, cZ ("%.1f") and TOUEI ("%d") when
// `inheritPosition` is on; nothing otherwise. False when a key could not be
// written (nothing is shown: the view is closing).
bool SaveCameraPosition(const CameraPosition& camera, bool inheritPosition,
                        const std::string& path = SettingsFilePath());

// Assigns every key present (atof; TOUEI atol, true when not 0) and leaves
// the members of missing keys as they are.
void LoadCameraPosition(CameraPosition& camera, const std::string& path = SettingsFilePath());
