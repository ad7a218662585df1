// One frame of the simulation, in the order the host promises its modules (see simulation.h).
#include "geometry.h"
#include "world.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace varn {

namespace {

const int kHudMode = 1;
const size_t kHudCapacity = 32;

// The HUD drawing surface: records each text into the focus vessel's fixed HUD slots.
class RecordingSketchpad : public oapi::Sketchpad {
 public:
  explicit RecordingSketchpad(VesselRecord& record) : record(record) {}
  DWORD SetTextColor(DWORD value) override {
    const DWORD previous = colour;
    colour = value;
    return previous;
  }
  bool Text(int x, int y, const char* str, int len) override {
    if (!str || len < 0 || record.hudCount >= record.hud.size()) return false;
    HudText& entry = record.hud[record.hudCount++];
    entry.x = x, entry.y = y, entry.colour = colour;
    const size_t n = std::min(static_cast<size_t>(len), sizeof entry.text - 1);
    std::memcpy(entry.text, str, n);
    entry.text[n] = '\0';
    return true;
  }

 private:
  VesselRecord& record;
  DWORD colour = 0x00FFFFFF;
};

VESSEL2* Callbacks(VesselRecord& record) { return static_cast<VESSEL2*>(record.object); }

// Orthonormal frame of an attachment point: direction, rotation and their cross product.
MATRIX3 PointFrame(const AttachmentEntry& point) {
  const VECTOR3 dir = unit(point.dir);
  VECTOR3 rot = point.rot - dir * dotp(point.rot, dir);
  rot = length(rot) > 0 ? unit(rot) : _V(0, 0, 1);
  return FromColumns(dir, rot, crossp(dir, rot));
}

}  // namespace

VesselRecord* World::FocusVessel() {
  if (!hasFocus || focus >= slots.size() || !slots[focus].record || slots[focus].record->deleted) return nullptr;
  return slots[focus].record.get();
}

bool World::SetFocus(VesselRecord& record) {
  VesselRecord* old = FocusVessel();
  if (old == &record) return true;
  if (!record.focusEnabled) return false;
  const OBJHANDLE newHandle = HandleOf(record);
  const OBJHANDLE oldHandle = old ? HandleOf(*old) : nullptr;
  if (old) {
    old->hudCount = 0;
    Callbacks(*old)->clbkFocusChanged(false, newHandle, oldHandle);
  }
  focus = record.slot;
  hasFocus = true;
  if (record.hud.size() < kHudCapacity) record.hud.resize(kHudCapacity);
  Callbacks(record)->clbkFocusChanged(true, newHandle, oldHandle);
  return true;
}

int World::KeyDown(DWORD key, DWORD modifier) {
  VesselRecord* target = FocusVessel();
  keyState[key & 0xFF] = static_cast<char>(0x80);
  if (modifier) keyState[modifier & 0xFF] = static_cast<char>(0x80);
  if (!target) return 0;
  const int result = Callbacks(*target)->clbkConsumeBufferedKey(key, true, keyState);
  if (traceSink) Trace(*target, "keydown", std::to_string(key) + (result ? " consumed" : " passed"));
  return result;
}

int World::KeyUp(DWORD key, DWORD modifier) {
  VesselRecord* target = FocusVessel();
  keyState[key & 0xFF] = 0;
  if (modifier) keyState[modifier & 0xFF] = 0;
  if (!target) return 0;
  return Callbacks(*target)->clbkConsumeBufferedKey(key, false, keyState);
}

void World::ApplyScriptEvents() {
  while (nextScript < script.size() && script[nextScript].time <= simTime + 1e-9) {
    const ScriptEvent& event = script[nextScript++];
    VesselRecord* vessel = event.kind == ScriptEvent::Kind::Accel ? nullptr : VesselByName(event.vessel);
    if (event.kind != ScriptEvent::Kind::Accel && !vessel) {
      Report("script line %d: no vessel '%s' at %.3f s", event.line, event.vessel.c_str(), event.time);
      continue;
    }
    const bool needsFocus = event.kind == ScriptEvent::Kind::Key || event.kind == ScriptEvent::Kind::Hold ||
                            event.kind == ScriptEvent::Kind::Focus;
    if (needsFocus && !SetFocus(*vessel)) {
      Report("script line %d: vessel '%s' does not take the input focus", event.line, event.vessel.c_str());
      continue;
    }
    switch (event.kind) {
      case ScriptEvent::Kind::Key:
        pressesThisFrame.push_back(KeyEvent{event.key, event.modifier, -1});
        break;
      case ScriptEvent::Kind::Hold:
        pressesThisFrame.push_back(KeyEvent{event.key, event.modifier, event.time + event.value});
        break;
      case ScriptEvent::Kind::Focus:
        break;
      case ScriptEvent::Kind::Group:
        vessel->object->SetThrusterGroupLevel(static_cast<THGROUP_TYPE>(event.group), event.value);
        break;
      case ScriptEvent::Kind::Accel:
        oapiSetTimeAcceleration(event.value);
        break;
    }
  }
}

void World::DeliverKeys() {
  // Presses of the last frame go up now, then holds that have run their time.
  for (const KeyEvent& release : releasesNextFrame) KeyUp(release.key, release.modifier);
  releasesNextFrame.clear();
  for (size_t k = 0; k < holds.size();) {
    if (holds[k].releaseTime <= simTime + 1e-9) {
      KeyUp(holds[k].key, holds[k].modifier);
      holds.erase(holds.begin() + static_cast<std::ptrdiff_t>(k));
    } else {
      ++k;
    }
  }
  for (const KeyEvent& press : pressesThisFrame) {
    KeyDown(press.key, press.modifier);
    if (press.releaseTime < 0) releasesNextFrame.push_back(press);
    else holds.push_back(press);
  }
  pressesThisFrame.clear();
}

void World::PlaceAttached(VesselRecord& child, int depth) {
  size_t childPoint = 0, parentPoint = 0;
  VesselRecord* parent = ParentOf(child, &childPoint, &parentPoint);
  if (!parent || depth > 16) return;
  PlaceAttached(*parent, depth + 1);  // a parent that hangs on another goes first
  const AttachmentEntry& p = parent->attachments[parentPoint];
  const AttachmentEntry& c = child.attachments[childPoint];
  // The child's point takes the parent point's place, direction and rotation.
  child.rot = Multiply(Multiply(parent->rot, PointFrame(p)), Transpose(PointFrame(c)));
  child.gpos = parent->gpos + mul(parent->rot, p.pos) - mul(child.rot, c.pos);
  child.gvel = parent->gvel;
  child.landed = false;
  SurfaceCoordinates(child.gpos, child.lon, child.lat, child.altitude);
  child.heading = HeadingOf(child.rot, child.lon, child.lat);
}

void World::UpdatePhysics() {
  const double dt = simStep;
  for (std::uint32_t slot : order) {
    VesselRecord& r = *slots[slot].record;
    if (r.deleted) continue;
    // Thrust draws on each thruster's tank at maximum thrust / Isp per second of full level.
    VECTOR3 force = r.forceSum;
    r.forceSum = _V(0, 0, 0);
    for (ThrusterEntry& thruster : r.thrusters) {
      if (thruster.level <= 0 || !thruster.tank) continue;
      HandleParts parts;
      if (!UnpackHandle(thruster.tank, parts) || (r.propellantGen & kHandleGenerationMask) != parts.kindGeneration ||
          parts.index >= r.propellants.size())
        continue;
      PropellantEntry& tank = r.propellants[parts.index];
      if (tank.mass <= 0) continue;
      const double thrust = thruster.maxThrust * thruster.level;
      if (thruster.isp > 0) tank.mass = std::max(0.0, tank.mass - thrust / thruster.isp * dt);
      force += unit(thruster.dir) * thrust;
    }
    if (r.landed || ParentOf(r)) continue;
    // Free flight under gravity.
    double mass = r.emptyMass;
    for (const auto& tank : r.propellants) mass += tank.mass;
    const VECTOR3 radius = r.gpos - EarthCentre();
    const double distance = length(radius);
    VECTOR3 accel = radius * (-kEarthGM / (distance * distance * distance));
    if (mass > 0) accel += mul(r.rot, force) / mass;
    r.gvel += accel * dt;
    r.gpos += r.gvel * dt;
    SurfaceCoordinates(r.gpos, r.lon, r.lat, r.altitude);
    // Touching the ground ends free flight: the vessel stands on its touchdown points.
    double lowest = r.altitude + TouchdownHeight(r);
    for (const auto& point : r.touchdown) {
      double lon, lat, altitude;
      SurfaceCoordinates(r.gpos + mul(r.rot, point.pos), lon, lat, altitude);
      lowest = std::min(lowest, altitude);
    }
    if (lowest < 0 && dotp(r.gvel, radius) <= 0) {
      r.heading = HeadingOf(r.rot, r.lon, r.lat);
      PlaceLanded(r);
    }
  }
  for (std::uint32_t slot : order) PlaceAttached(*slots[slot].record, 0);
}

void World::DrawHud() {
  VesselRecord* target = FocusVessel();
  if (!target) return;
  target->hudCount = 0;
  if (target->object->Version() < 3) return;
  HUDPAINTSPEC spec{};
  spec.W = options.hudWidth;
  spec.H = options.hudHeight;
  spec.CX = spec.W / 2;
  spec.CY = spec.H / 2;
  spec.Scale = spec.H;
  spec.Markersize = spec.H / 50;
  RecordingSketchpad sketchpad(*target);
  static_cast<VESSEL3*>(target->object)->clbkDrawHUD(kHudMode, &spec, &sketchpad);
}

void World::Step() {
  ApplyScriptEvents();
  simStep = options.dt * timeAcceleration;
  DeliverKeys();
  if (VesselRecord* target = FocusVessel()) Callbacks(*target)->clbkConsumeDirectKey(keyState);

  // Vessels created during the frame join from the next frame on.
  ++frame;
  const size_t count = order.size();
  for (size_t k = 0; k < count; ++k) {
    Slot& slot = slots[order[k]];
    if (slot.record->deleted) continue;
    if (slot.lifecycle != Lifecycle::Running)
      Report("vessel '%s': stepped before its creation ended", slot.record->name.c_str());
    slot.preStepFrame = frame;
    Callbacks(*slot.record)->clbkPreStep(simTime, simStep, mjd);
  }
  UpdatePhysics();
  for (size_t k = 0; k < count && k < order.size(); ++k) {
    Slot& slot = slots[order[k]];
    if (slot.record->deleted) continue;
    if (slot.preStepFrame != frame)
      Report("vessel '%s': clbkPostStep without its clbkPreStep", slot.record->name.c_str());
    Callbacks(*slot.record)->clbkPostStep(simTime, simStep, mjd);
  }
  DrawHud();
  simTime += simStep;
  mjd += simStep / 86400.0;
  CollectDeletedVessels();
  if (traceSink) SampleTrace();
}

}  // namespace varn
