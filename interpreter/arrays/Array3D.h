#pragma once

#include <vector>

// The geometry of 3-D models, apart from the arrays that hold them.
namespace model {

// A camera at a distance, turned by two angles (radians), with a scale and a
// screen offset. A distance of 0 stands for 1e-8.
class Camera {
public:
    // distance, theta, phi, scale, x offset, y offset
    explicit Camera(const double values[6]);
    void Project(double x, double y, double z, double& screenX, double& screenY) const;

private:
    double distance, sinTheta, cosTheta, sinPhi, cosPhi, scale, offsetX, offsetY;
};

// Rotation about axis 1 (x), 2 (y) or 3 (z).
void Rotate(int axis, double angle, double& x, double& y, double& z);

// The centroid row of a face from its corners' screen positions, in order.
struct Centroid {
    double meanX = 0, meanY = 0; // the first three corners' sum over 3
    double x = 0, y = 0; // the polygon's centroid, the mean above without area
    double halfArea = 0; // |sum of the cross terms| / 4
};
Centroid FaceCentroid(const std::vector<double>& xs, const std::vector<double>& ys);

} // namespace model
