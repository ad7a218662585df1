#include "geometry.h"

#include "simulation.h"

#include <algorithm>
#include <cmath>

namespace varn {

VECTOR3 EarthCentre() { return _V(kEarthDistanceFromSun, 0, 0); }

MATRIX3 FromColumns(const VECTOR3& x, const VECTOR3& y, const VECTOR3& z) {
  MATRIX3 m;
  m.m11 = x.x, m.m12 = y.x, m.m13 = z.x;
  m.m21 = x.y, m.m22 = y.y, m.m23 = z.y;
  m.m31 = x.z, m.m32 = y.z, m.m33 = z.z;
  return m;
}

MATRIX3 Identity() { return FromColumns(_V(1, 0, 0), _V(0, 1, 0), _V(0, 0, 1)); }

MATRIX3 Multiply(const MATRIX3& a, const MATRIX3& b) {
  MATRIX3 m;
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) {
      double sum = 0;
      for (int k = 0; k < 3; ++k) sum += a.data[row * 3 + k] * b.data[k * 3 + col];
      m.data[row * 3 + col] = sum;
    }
  return m;
}

MATRIX3 Transpose(const MATRIX3& m) {
  MATRIX3 t;
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) t.data[col * 3 + row] = m.data[row * 3 + col];
  return t;
}

namespace {
void SurfaceAxes(double lon, double lat, VECTOR3& up, VECTOR3& north, VECTOR3& east) {
  up = _V(std::cos(lat) * std::cos(lon), std::sin(lat), std::cos(lat) * std::sin(lon));
  east = _V(-std::sin(lon), 0, std::cos(lon));
  north = _V(-std::sin(lat) * std::cos(lon), std::cos(lat), -std::sin(lat) * std::sin(lon));
}
}  // namespace

MATRIX3 SurfaceRotation(double lon, double lat, double heading) {
  VECTOR3 up, north, east;
  SurfaceAxes(lon, lat, up, north, east);
  const VECTOR3 forward = north * std::cos(heading) + east * std::sin(heading);
  const VECTOR3 right = east * std::cos(heading) - north * std::sin(heading);
  return FromColumns(right, up, forward);
}

VECTOR3 SurfacePosition(double lon, double lat, double altitude) {
  VECTOR3 up, north, east;
  SurfaceAxes(lon, lat, up, north, east);
  return EarthCentre() + up * (kEarthRadius + altitude);
}

void SurfaceCoordinates(const VECTOR3& global, double& lon, double& lat, double& altitude) {
  const VECTOR3 r = global - EarthCentre();
  const double distance = length(r);
  altitude = distance - kEarthRadius;
  lat = distance > 0 ? std::asin(std::max(-1.0, std::min(1.0, r.y / distance))) : 0;
  lon = std::atan2(r.z, r.x);
}

double HeadingOf(const MATRIX3& rot, double lon, double lat) {
  VECTOR3 up, north, east;
  SurfaceAxes(lon, lat, up, north, east);
  const VECTOR3 forward = _V(rot.m13, rot.m23, rot.m33);
  double heading = std::atan2(dotp(forward, east), dotp(forward, north));
  if (heading < 0) heading += 2 * M_PI;
  return heading;
}

double TouchdownHeight(const VesselRecord& record) {
  if (record.touchdown.empty()) return 0;
  double lowest = record.touchdown[0].pos.y;
  for (const auto& point : record.touchdown) lowest = std::min(lowest, point.pos.y);
  return lowest;
}

void PlaceLanded(VesselRecord& record) {
  record.landed = true;
  record.altitude = -TouchdownHeight(record);
  record.rot = SurfaceRotation(record.lon, record.lat, record.heading);
  record.gpos = SurfacePosition(record.lon, record.lat, record.altitude);
  record.gvel = _V(0, 0, 0);
  record.vrot = _V(0, 0, 0);
}

MATRIX3 RotationFromEuler(const VECTOR3& arot) {
  const double ca = std::cos(arot.x), sa = std::sin(arot.x);
  const double cb = std::cos(arot.y), sb = std::sin(arot.y);
  const double cc = std::cos(arot.z), sc = std::sin(arot.z);
  MATRIX3 m;
  m.m11 = cb * cc, m.m12 = -cb * sc, m.m13 = sb;
  m.m21 = ca * sc + sa * sb * cc, m.m22 = ca * cc - sa * sb * sc, m.m23 = -sa * cb;
  m.m31 = sa * sc - ca * sb * cc, m.m32 = sa * cc + ca * sb * sc, m.m33 = ca * cb;
  return m;
}

VECTOR3 EulerFromRotation(const MATRIX3& m) {
  const double b = std::asin(std::max(-1.0, std::min(1.0, m.m13)));
  return _V(std::atan2(-m.m23, m.m33), b, std::atan2(-m.m12, m.m11));
}

}  // namespace varn
