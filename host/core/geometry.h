// The planet's frames: where a landed vessel stands and how it is turned, the global position
// of surface points, and the orientation of free vessels from Euler angles.
//
// The global frame has the Sun at its origin and the planet's centre on +x. Surface positions
// use y as the polar axis: a point at longitude lon and latitude lat lies along
// (cos lat cos lon, sin lat, cos lat sin lon) from the centre. A landed vessel's frame is x to
// the right, y up and z along its heading, which runs from north (0) towards east (pi/2).
#pragma once

#include "host_api.h"
#include "vessel_record.h"

namespace varn {

VECTOR3 EarthCentre();
// Vessel-frame-to-global rotation of a vessel standing at lon, lat with the given heading.
MATRIX3 SurfaceRotation(double lon, double lat, double heading);
VECTOR3 SurfacePosition(double lon, double lat, double altitude);
// Longitude, latitude and altitude of a global position.
void SurfaceCoordinates(const VECTOR3& global, double& lon, double& lat, double& altitude);
// Heading of a rotated vessel's forward axis at a surface position.
double HeadingOf(const MATRIX3& rot, double lon, double lat);

// Height of the vessel's lowest touchdown point in its own frame (0 without points).
double TouchdownHeight(const VesselRecord& record);
// Puts a landed vessel on the ground at its lon, lat and heading.
void PlaceLanded(VesselRecord& record);

MATRIX3 RotationFromEuler(const VECTOR3& arot);
VECTOR3 EulerFromRotation(const MATRIX3& rot);
MATRIX3 Multiply(const MATRIX3& a, const MATRIX3& b);
MATRIX3 Transpose(const MATRIX3& m);
MATRIX3 Identity();
// The rotation whose columns are the given axes.
MATRIX3 FromColumns(const VECTOR3& x, const VECTOR3& y, const VECTOR3& z);

}  // namespace varn
