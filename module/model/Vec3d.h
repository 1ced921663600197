#pragma once
// The editor's geometry vector: three doubles, model millimetres.

#include <cmath>

struct Vec3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr Vec3d() = default;
    constexpr Vec3d(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    constexpr void Set(double x_, double y_, double z_) { x = x_, y = y_, z = z_; }

    constexpr Vec3d operator-() const { return {-x, -y, -z}; }
    constexpr Vec3d& operator+=(const Vec3d& b) { x += b.x, y += b.y, z += b.z; return *this; }
    constexpr Vec3d& operator-=(const Vec3d& b) { x -= b.x, y -= b.y, z -= b.z; return *this; }
    constexpr Vec3d& operator*=(double s) { x *= s, y *= s, z *= s; return *this; }
    // Division by exactly 0 multiplies by 8388608.0 instead, so a zero vector
    // divided by its zero length stays zero rather than becoming NaN.
    constexpr Vec3d& operator/=(double s) {
        if (s == 0.0) return *this *= 8388608.0;
        x /= s, y /= s, z /= s;
        return *this;
    }
    // Normalises in place: a zero vector stays zero.
    Vec3d& Normalise() { return *this /= Length(); }

    double Length() const { return std::sqrt(x * x + y * y + z * z); }
};

constexpr Vec3d operator+(Vec3d a, const Vec3d& b) { return a += b; }
constexpr Vec3d operator-(Vec3d a, const Vec3d& b) { return a -= b; }
constexpr Vec3d operator*(Vec3d a, double s) { return a *= s; }
constexpr Vec3d operator*(double s, Vec3d a) { return a *= s; }
constexpr Vec3d operator/(Vec3d a, double s) { return a /= s; }
constexpr bool operator==(const Vec3d& a, const Vec3d& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

constexpr double Dot(const Vec3d& a, const Vec3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
constexpr Vec3d Cross(const Vec3d& a, const Vec3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(const Vec3d& a) { return a.Length(); }
// The unit vector of a copy of `a`; zero for a zero vector.
inline Vec3d Unit(Vec3d a) { return a.Normalise(); }

// True when every component of `a` lies strictly within `tolerance` of 0.
inline bool AllBelow(const Vec3d& a, double tolerance) {
    return std::fabs(a.x) < tolerance && std::fabs(a.y) < tolerance && std::fabs(a.z) < tolerance;
}

// A straight piece from p0 to p1 with its difference, length and unit
// direction (left zero when the length is 0).
struct Line {
    Vec3d p0, p1;
    Vec3d difference;
    double length = 0.0;
    Vec3d direction;

    Line() = default;
    Line(const Vec3d& a, const Vec3d& b)
        : p0(a), p1(b), difference(b - a), length(difference.Length()) {
        if (length != 0.0) direction = difference / length;
    }
};
