// The geometry the frame tests compute pictures from.
#include "tests/support/geometry.h"

#include <algorithm>
#include <cmath>

BoxCrossing crossBox(const Ray& ray, const Box& box)
{
    BoxCrossing crossing{-1e9, 1e9, 0};
    for (int a = 0; a < 3; ++a) {
        const double d = ray.direction[a] != 0 ? ray.direction[a] : 1e-12;
        const double k0 = (box.low[a] - ray.origin[a]) / d, k1 = (box.high[a] - ray.origin[a]) / d;
        if (std::min(k0, k1) > crossing.enter)
            crossing.enter = std::min(k0, k1), crossing.axis = a;
        crossing.leave = std::min(crossing.leave, std::max(k0, k1));
    }
    return crossing;
}

void boxPoint(const Ray& ray, double k, const Box& box, double local[3])
{
    for (int a = 0; a < 3; ++a) {
        const double centre = (box.low[a] + box.high[a]) / 2;
        const double half = (box.high[a] - box.low[a]) / 2;
        local[a] = (ray.origin[a] + k * ray.direction[a] - centre) / half;
    }
}

Ray orthographicRay(const double eye[3], int upSign, double viewSize, int width, int height, double column, double row)
{
    const double length = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    const double f[3] = {-eye[0] / length, -eye[1] / length, -eye[2] / length};
    // side = forward x (0, upSign, 0), up = side x forward.
    double side[3] = {-f[2] * upSign, 0, f[0] * upSign};
    const double sideLength = std::sqrt(side[0] * side[0] + side[2] * side[2]);
    side[0] /= sideLength, side[2] /= sideLength;
    const double up[3] = {
        side[1] * f[2] - side[2] * f[1], side[2] * f[0] - side[0] * f[2], side[0] * f[1] - side[1] * f[0]};
    const double x = (column + 0.5) * viewSize / width - viewSize / 2.0;
    const double y = viewSize / 2.0 - (row + 0.5) * viewSize / height;
    Ray ray{};
    for (int a = 0; a < 3; ++a) {
        ray.origin[a] = eye[a] + x * side[a] + y * up[a];
        ray.direction[a] = f[a];
    }
    return ray;
}

ViewPoint viewPixel(const Viewer& viewer, double x, double y, double z)
{
    const double degree = M_PI / 180.0;
    const double dx = x - viewer.x, dy = y - viewer.height, dz = z - viewer.z;
    const double h = -viewer.heading * degree, t = viewer.tilt * degree;
    const double ex = dx * std::cos(h) + dz * std::sin(h);
    const double ez0 = -dx * std::sin(h) + dz * std::cos(h);
    const double ey = dy * std::cos(t) - ez0 * std::sin(t);
    const double ez = dy * std::sin(t) + ez0 * std::cos(t);
    const double nearX = 2.0 * ex / -ez, nearY = 2.0 * ey / -ez;
    return {VIEW_WIDTH / 2.0 * (1.0 + nearX / 2.4), VIEW_HEIGHT / 2.0 * (1.0 - nearY / 2.0)};
}

Ray viewRay(const Viewer& viewer, ViewPoint at)
{
    // The point of the near plane, 2 units before the eye, in the eye's
    // frame; then turned back by the tilt and the heading.
    const double degree = M_PI / 180.0;
    const double h = -viewer.heading * degree, t = viewer.tilt * degree;
    const double ex = (at.x / (VIEW_WIDTH / 2.0) - 1.0) * 2.4, ey = (1.0 - at.y / (VIEW_HEIGHT / 2.0)) * 2.0, ez = -2.0;
    const double dy = ey * std::cos(t) + ez * std::sin(t);
    const double ez0 = -ey * std::sin(t) + ez * std::cos(t);
    return {{viewer.x, viewer.height, viewer.z},
            {ex * std::cos(h) - ez0 * std::sin(h), dy, ex * std::sin(h) + ez0 * std::cos(h)}};
}
