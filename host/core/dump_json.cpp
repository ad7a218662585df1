// The dump: the host's record of every vessel as JSON.
#include "json_writer.h"
#include "loaded_library.h"
#include "world.h"

#include <cmath>
#include <sstream>

namespace varn {

namespace {

const double kDegree = M_PI / 180.0;

void DumpStatus(JsonWriter& json, const VesselRecord& r) {
  json.Key("status").BeginObject();
  json.Key("landed").Bool(r.landed);
  json.Key("lon").Number(r.lon / kDegree);
  json.Key("lat").Number(r.lat / kDegree);
  json.Key("heading").Number(r.heading / kDegree);
  json.Key("altitude").Number(r.altitude);
  json.EndObject();
}

void DumpMeshesAndAnimations(JsonWriter& json, const VesselRecord& r) {
  json.Key("meshes").BeginArray();
  for (const auto& mesh : r.meshes) {
    json.BeginObject();
    json.Key("name").String(mesh.name);
    json.Key("visibility").Int(mesh.visibility);
    json.Key("offset").Vector(mesh.offset);
    json.EndObject();
  }
  json.EndArray();
  json.Key("animations").BeginArray();
  for (const auto& animation : r.animations) {
    json.BeginObject();
    json.Key("state").Number(animation.state);
    json.Key("components").Int(static_cast<long long>(animation.components.size()));
    json.EndObject();
  }
  json.EndArray();
}

void DumpAttachments(JsonWriter& json, World& world, const VesselRecord& r) {
  json.Key("attachments").BeginArray();
  for (const auto& point : r.attachments) {
    json.BeginObject();
    json.Key("id").String(point.id);
    json.Key("toParent").Bool(point.toParent);
    json.Key("pos").Vector(point.pos);
    json.Key("dir").Vector(point.dir);
    json.Key("rot").Vector(point.rot);
    json.Key("attached");
    if (const VesselRecord* other = world.Vessel(point.other)) json.String(other->name);
    else json.Null();
    json.EndObject();
  }
  json.EndArray();
}

void DumpLights(JsonWriter& json, const VesselRecord& r) {
  json.Key("lights").BeginArray();
  for (const auto& light : r.lights) {
    json.BeginObject();
    json.Key("active").Bool(light->IsActive());
    json.Key("pos").Vector(light->pos);
    json.Key("dir").Vector(light->dir);
    json.Key("range").Number(light->range);
    json.EndObject();
  }
  json.EndArray();
  json.Key("beacons").BeginArray();
  for (const BEACONLIGHTSPEC* beacon : r.beacons) {
    json.BeginObject();
    json.Key("active").Bool(beacon->active);
    json.Key("pos").Vector(*beacon->pos);
    json.Key("colour").Vector(*beacon->col);
    json.Key("shape").Int(beacon->shape);
    json.Key("size").Number(beacon->size);
    json.Key("period").Number(beacon->period);
    json.Key("duration").Number(beacon->duration);
    json.Key("tofs").Number(beacon->tofs);
    json.EndObject();
  }
  json.EndArray();
}

void DumpPropulsion(JsonWriter& json, const VesselRecord& r) {
  json.Key("propellant").BeginArray();
  for (const auto& tank : r.propellants) {
    json.BeginObject();
    json.Key("maxMass").Number(tank.maxMass);
    json.Key("mass").Number(tank.mass);
    json.EndObject();
  }
  json.EndArray();
  json.Key("thrusters").BeginArray();
  for (const auto& thruster : r.thrusters) {
    json.BeginObject();
    json.Key("pos").Vector(thruster.pos);
    json.Key("dir").Vector(thruster.dir);
    json.Key("maxThrust").Number(thruster.maxThrust);
    json.Key("isp").Number(thruster.isp);
    json.Key("level").Number(thruster.level);
    json.EndObject();
  }
  json.EndArray();
  json.Key("groups").BeginArray();
  for (const auto& group : r.groups) {
    if (!group.alive) continue;
    json.BeginObject();
    json.Key("type").Int(group.type);
    json.Key("thrusters").BeginArray();
    for (THRUSTER_HANDLE th : group.thrusters) {
      HandleParts parts;
      if (UnpackHandle(th, parts)) json.Int(parts.index);
    }
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
}

void DumpVessel(JsonWriter& json, World& world, const VesselRecord& r) {
  json.BeginObject();
  json.Key("name").String(r.name);
  json.Key("class").String(r.className);
  json.Key("module").String(r.moduleName);
  json.Key("size").Number(r.size);
  json.Key("emptyMass").Number(r.emptyMass);
  double mass = r.emptyMass;
  for (const auto& tank : r.propellants) mass += tank.mass;
  json.Key("mass").Number(mass);
  DumpStatus(json, r);
  DumpMeshesAndAnimations(json, r);
  DumpAttachments(json, world, r);
  DumpLights(json, r);
  json.Key("touchdown").BeginArray();
  for (const auto& point : r.touchdown) json.Vector(point.pos);
  json.EndArray();
  DumpPropulsion(json, r);
  json.Key("camera").BeginObject();
  json.Key("offset").Vector(r.cameraOffset);
  json.Key("direction").Vector(r.cameraDirection);
  json.EndObject();
  json.Key("hud").BeginArray();
  for (size_t k = 0; k < r.hudCount; ++k) {
    const HudText& text = r.hud[k];
    json.BeginObject();
    json.Key("x").Int(text.x);
    json.Key("y").Int(text.y);
    json.Key("colour").Int(text.colour);
    json.Key("text").String(text.text);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

}  // namespace

std::string Simulation::DumpJson() {
  World& w = *world;
  JsonWriter json;
  json.BeginObject();
  json.Key("time").Number(w.simTime);
  json.Key("focus");
  if (VesselRecord* focus = w.FocusVessel()) json.String(focus->name);
  else json.Null();
  json.Key("debugString").String(w.debugString);
  json.Key("cockpitDirection").Vector(w.cockpitDirection);  // polar, azimuth, transition
  json.Key("vessels").BeginArray();
  for (std::uint32_t slot : w.order) {
    const VesselRecord& r = *w.slots[slot].record;
    if (!r.deleted) DumpVessel(json, w, r);
  }
  json.EndArray();
  // What the sound engine stand-in was told, when one is loaded.
  using CallLog = const char* (*)();
  if (void* engine = LoadedLibrary::Find("OrbiterSound.dll")) {
    if (auto log = reinterpret_cast<CallLog>(LoadedLibrary::Resolve(engine, "SoundEngineCallLog"))) {
      json.Key("soundEngine").BeginArray();
      std::istringstream calls(log());
      std::string call;
      while (std::getline(calls, call))
        if (!call.empty()) json.String(call);
      json.EndArray();
    }
  }
  json.EndObject();
  return json.Text() + "\n";
}

}  // namespace varn
