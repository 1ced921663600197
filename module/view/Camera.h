#pragma once
// The editor view's camera: a target looked at from an azimuth, an elevation
// and a distance, in perspective or parallel projection. Plain geometry, so
// the mouse, wheel and key rules can be tested without a window.

#include "model/Vec3d.h"
#include "settings/CameraPersistence.h"

struct EyeAndUp {
    Vec3d eye;
    Vec3d up;
};

struct Camera {
    Vec3d target;
    float azimuth = 0.0f;    // degrees
    float elevation = 0.0f;  // degrees
    float distance = 0.0f;   // eye to target, millimetres
    bool parallel = false;
    double parallelScale = 0.0005;  // model scale of the parallel projection
    float perspectiveAngle = 40.0f;  // vertical field of view, degrees

    // Wraps the angles into [0, 360] (one step each way), turns an
    // elevation of exactly 90 or 270 into 91 or 271 so the view never looks
    // straight down the up vector, and gives the eye and the up vector.
    EyeAndUp ComputeEye();

    // Middle-button drag: half a degree per pixel.
    void Orbit(int dx, int dy);
    // Left-button drag: moves the target in the screen plane. ux and uy are
    // the unit vectors of one pixel left and one pixel up in the model, and
    // clientHeight the view's height in pixels.
    void Pan(int dx, int dy, int clientHeight, const Vec3d& ux, const Vec3d& uy);
    // A wheel turn: with Shift alone the camera dollies along the view
    // direction; otherwise the parallel scale or the perspective distance
    // changes. The distance never drops to 1000 or below through the wheel,
    // the scale never below 0.
    void Wheel(int delta, bool shiftOnly);
    // Turns the view direction around the eye, one degree per unit.
    void TurnAroundEye(double dx, double dy);

    CameraPosition Position() const;
    void SetPosition(const CameraPosition& position);
};
