#include "Camera.h"

#include <cmath>

EyeAndUp Camera::ComputeEye() {
    if (elevation > 360.0f) elevation -= 360.0f;
    if (elevation < 0.0f) elevation += 360.0f;
    if (azimuth > 360.0f) azimuth -= 360.0f;
    if (azimuth < 0.0f) azimuth += 360.0f;
    if (elevation == 90.0f || elevation == 270.0f) elevation += 1.0f;
    const double e = elevation * 3.141592653589793 / 180.0;
    // The azimuth has always used this shorter constant; keep it so saved
    // cameras look the same.
    const double a = azimuth * 3.1415926535 / 180.0;
    EyeAndUp result;
    result.eye = target + static_cast<double>(distance) *
                              Vec3d(std::cos(e) * std::cos(a), std::cos(e) * std::sin(a), std::sin(e));
    const bool upright = elevation <= 90.0f || elevation > 270.0f;
    result.up = Vec3d(0.0, 0.0, upright ? 1.0 : -1.0);
    return result;
}

void Camera::Orbit(int dx, int dy) {
    azimuth -= 0.5f * static_cast<float>(dx);
    elevation += 0.5f * static_cast<float>(dy);
}

void Camera::Pan(int dx, int dy, int clientHeight, const Vec3d& ux, const Vec3d& uy) {
    const double f = parallel ? 1.0 : 2.7;
    const double s = 10.0 / (clientHeight * f);
    const double k = parallel ? 1.0 : distance * 0.001 / 5.0;
    const Vec3d move = (1000.0 * dx * ux + 1000.0 * dy * uy) * (s * k);
    // Screen directions from a singular matrix are not numbers: the target
    // stays where it is rather than becoming one.
    if (std::isfinite(move.x) && std::isfinite(move.y) && std::isfinite(move.z)) target += move;
}

void Camera::Wheel(int delta, bool shiftOnly) {
    if (shiftOnly) {
        const Vec3d eye = ComputeEye().eye;
        const Vec3d move = Unit(target - eye) * (delta * 0.01 / 0.001);
        // An eye on the target has no direction to walk in.
        if (std::isfinite(move.x) && std::isfinite(move.y) && std::isfinite(move.z)) target += move;
        return;
    }
    if (parallel) {
        parallelScale -= parallelScale * delta * 0.0005;
        if (parallelScale < 0.0) parallelScale = 0.0;
        return;
    }
    const double d = -delta * 0.01 / 0.001;
    if (distance + d > 1000.0) distance = static_cast<float>(distance + d);
}

void Camera::TurnAroundEye(double dx, double dy) {
    const Vec3d before = ComputeEye().eye;
    azimuth -= static_cast<float>(dx);
    elevation += static_cast<float>(dy);
    const Vec3d after = ComputeEye().eye;
    target -= after - before;
}

CameraPosition Camera::Position() const {
    CameraPosition p;
    p.targetX = target.x;
    p.targetY = target.y;
    p.targetZ = target.z;
    p.azimuth = azimuth;
    p.elevation = elevation;
    p.distance = distance;
    p.parallel = parallel;
    return p;
}

void Camera::SetPosition(const CameraPosition& p) {
    target = Vec3d(p.targetX, p.targetY, p.targetZ);
    azimuth = p.azimuth;
    elevation = p.elevation;
    distance = p.distance;
    parallel = p.parallel;
}
