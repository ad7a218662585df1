// Telemetry: after every frame, one row "time,vessel,field,value" for each field whose value
// changed since the last sample.
#include "world.h"

#include <cmath>
#include <cstdio>

namespace varn {

namespace {
const double kDegree = M_PI / 180.0;

std::string Number(double value, const char* format = "%.9g") {
  char text[48];
  std::snprintf(text, sizeof text, format, value == 0 ? 0.0 : value);
  return text;
}
}  // namespace

void World::Trace(const VesselRecord& record, const char* field, const std::string& value) {
  const std::string key = record.name + "," + field;
  auto found = traceLast.find(key);
  if (found != traceLast.end() && found->second == value) return;
  traceLast[key] = value;
  char time[32];
  std::snprintf(time, sizeof time, "%.4f", simTime);
  traceSink(std::string(time) + "," + key + "," + value);
}

void World::SampleTrace() {
  for (std::uint32_t slot : order) {
    const VesselRecord& r = *slots[slot].record;
    Trace(r, "landed", r.landed ? "1" : "0");
    Trace(r, "lon", Number(r.lon / kDegree, "%.9f"));
    Trace(r, "lat", Number(r.lat / kDegree, "%.9f"));
    Trace(r, "heading", Number(r.heading / kDegree, "%.6f"));
    Trace(r, "altitude", Number(r.altitude, "%.4f"));
    for (size_t k = 0; k < r.animations.size(); ++k)
      Trace(r, ("anim" + std::to_string(k)).c_str(), Number(r.animations[k].state, "%.6f"));
    for (size_t k = 0; k < r.meshes.size(); ++k) {
      const VECTOR3& o = r.meshes[k].offset;
      Trace(r, ("mesh" + std::to_string(k) + ".offset").c_str(),
            Number(o.x, "%.4f") + " " + Number(o.y, "%.4f") + " " + Number(o.z, "%.4f"));
      Trace(r, ("mesh" + std::to_string(k) + ".visibility").c_str(), std::to_string(r.meshes[k].visibility));
    }
    for (size_t k = 0; k < r.attachments.size(); ++k) {
      const VesselRecord* other = const_cast<World*>(this)->Vessel(r.attachments[k].other);
      Trace(r, ("attach" + std::to_string(k)).c_str(), other ? other->name : "-");
    }
    for (size_t k = 0; k < r.lights.size(); ++k)
      Trace(r, ("light" + std::to_string(k)).c_str(), r.lights[k]->IsActive() ? "on" : "off");
    for (size_t k = 0; k < r.beacons.size(); ++k)
      Trace(r, ("beacon" + std::to_string(k)).c_str(), r.beacons[k]->active ? "on" : "off");
    for (size_t k = 0; k < r.propellants.size(); ++k)
      Trace(r, ("propellant" + std::to_string(k)).c_str(), Number(r.propellants[k].mass, "%.3f"));
    for (size_t k = 0; k < r.hudCount; ++k) Trace(r, ("hud" + std::to_string(k)).c_str(), r.hud[k].text);
  }
}

}  // namespace varn
