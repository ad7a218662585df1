// VESSEL: definition setters, camera, meshes, animations and lights.
#include "geometry.h"
#include "vessel_access.h"

using varn::Self;
using varn::VesselRecord;
using varn::World;

VESSEL::VESSEL(OBJHANDLE hVessel, int fmodel) : hVessel(hVessel), flightModel(fmodel) {}
VESSEL::~VESSEL() = default;
LightEmitter::~LightEmitter() = default;
oapi::Sketchpad::~Sketchpad() = default;

const char* VESSEL::GetName() const {
  VesselRecord* r = Self(this, "GetName");
  return r ? r->name.c_str() : "";
}

const char* VESSEL::GetClassName() const {
  VesselRecord* r = Self(this, "GetClassName");
  return r ? r->className.c_str() : "";
}

// ---------------------------------------------------------------------------------------------
// Definition

#define DEFINE_SETTER(Name, Type, field)        \
  void VESSEL::Name(Type value) const {         \
    if (VesselRecord* r = Self(this, #Name)) r->field = value; \
  }

DEFINE_SETTER(SetSize, double, size)
DEFINE_SETTER(SetEmptyMass, double, emptyMass)
DEFINE_SETTER(SetWingAspect, double, wingAspect)
DEFINE_SETTER(SetWingEffectiveness, double, wingEffectiveness)
DEFINE_SETTER(SetCrossSections, const VECTOR3&, crossSections)
DEFINE_SETTER(SetRotDrag, const VECTOR3&, rotDrag)
DEFINE_SETTER(SetPitchMomentScale, double, pitchMomentScale)
DEFINE_SETTER(SetBankMomentScale, double, bankMomentScale)
DEFINE_SETTER(SetPMI, const VECTOR3&, pmi)
DEFINE_SETTER(SetTrimScale, double, trimScale)
DEFINE_SETTER(SetCOG_elev, double, cogElevation)
DEFINE_SETTER(SetMaxWheelbrakeForce, double, maxWheelbrakeForce)
DEFINE_SETTER(EnableTransponder, bool, transponder)
DEFINE_SETTER(SetEnableFocus, bool, focusEnabled)
DEFINE_SETTER(SetCameraOffset, const VECTOR3&, cameraOffset)
DEFINE_SETTER(SetCameraDefaultDirection, const VECTOR3&, cameraDirection)
#undef DEFINE_SETTER

double VESSEL::GetSize() const {
  VesselRecord* r = Self(this, "GetSize");
  return r ? r->size : 0;
}

double VESSEL::GetEmptyMass() const {
  VesselRecord* r = Self(this, "GetEmptyMass");
  return r ? r->emptyMass : 0;
}

double VESSEL::GetMass() const {
  VesselRecord* r = Self(this, "GetMass");
  if (!r) return 0;
  double mass = r->emptyMass;
  for (const auto& tank : r->propellants) mass += tank.mass;
  return mass;
}

void VESSEL::SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const {
  if (VesselRecord* r = Self(this, "SetCW")) {
    r->cw[0] = cw_z_pos, r->cw[1] = cw_z_neg, r->cw[2] = cw_x, r->cw[3] = cw_y;
  }
}

void VESSEL::SetSurfaceFrictionCoeff(double mu_lng, double mu_lat) const {
  if (VesselRecord* r = Self(this, "SetSurfaceFrictionCoeff")) r->frictionLng = mu_lng, r->frictionLat = mu_lat;
}

void VESSEL::SetTouchdownPoints(const VECTOR3& pt1, const VECTOR3& pt2, const VECTOR3& pt3) const {
  const TOUCHDOWNVTX points[3] = {{pt1, 0, 0, 0, 0}, {pt2, 0, 0, 0, 0}, {pt3, 0, 0, 0, 0}};
  SetTouchdownPoints(points, 3);
}

void VESSEL::SetTouchdownPoints(const TOUCHDOWNVTX* tdvtx, DWORD ntdvtx) const {
  VesselRecord* r = Self(this, "SetTouchdownPoints");
  if (!r) return;
  if (!tdvtx || ntdvtx < 3) {
    World::Current().Report("SetTouchdownPoints: vessel '%s' gave %u points; at least 3 are needed", r->name.c_str(),
                            static_cast<unsigned>(ntdvtx));
    return;
  }
  r->touchdown.assign(tdvtx, tdvtx + ntdvtx);  // same count every call: no allocation after the first
  // A landed vessel stands on its new points at once.
  if (r->landed) varn::PlaceLanded(*r);
}

void VESSEL::SetDockParams(const VECTOR3& pos, const VECTOR3& dir, const VECTOR3& rot) const {
  if (VesselRecord* r = Self(this, "SetDockParams")) {
    r->hasDock = true;
    r->dockPos = pos, r->dockDir = dir, r->dockRot = rot;
  }
}

void VESSEL::ShiftCentreOfMass(const VECTOR3& shift) {
  if (VesselRecord* r = Self(this, "ShiftCentreOfMass")) r->centreOfMassShift += shift;
}

// ---------------------------------------------------------------------------------------------
// Camera

void VESSEL::GetCameraOffset(VECTOR3& co) const {
  VesselRecord* r = Self(this, "GetCameraOffset");
  co = r ? r->cameraOffset : _V(0, 0, 0);
}

void VESSEL::GetCameraDefaultDirection(VECTOR3& cd) const {
  VesselRecord* r = Self(this, "GetCameraDefaultDirection");
  cd = r ? r->cameraDirection : _V(0, 0, 1);
}

void VESSEL::SetCameraRotationRange(double left, double right, double up, double down) const {
  if (VesselRecord* r = Self(this, "SetCameraRotationRange")) {
    r->cameraRange[0] = left, r->cameraRange[1] = right, r->cameraRange[2] = up, r->cameraRange[3] = down;
  }
}

// ---------------------------------------------------------------------------------------------
// Meshes

UINT VESSEL::AddMesh(MESHHANDLE hMesh, const VECTOR3* ofs) const {
  VesselRecord* r = Self(this, "AddMesh");
  if (!r) return 0;
  varn::MeshEntry mesh;
  mesh.hMesh = hMesh;
  const std::string* name = World::Current().MeshName(hMesh);
  mesh.name = name ? *name : "";
  if (ofs) mesh.offset = *ofs;
  r->meshes.push_back(mesh);
  return static_cast<UINT>(r->meshes.size() - 1);
}

UINT VESSEL::AddMesh(const char* meshname, const VECTOR3* ofs) const {
  return AddMesh(oapiLoadMeshGlobal(meshname), ofs);
}

bool VESSEL::ShiftMesh(UINT idx, const VECTOR3& ofs) const {
  VesselRecord* r = Self(this, "ShiftMesh");
  if (!r || idx >= r->meshes.size()) return false;
  r->meshes[idx].offset += ofs;
  return true;
}

bool VESSEL::SetMeshVisibilityMode(UINT idx, WORD mode) const {
  VesselRecord* r = Self(this, "SetMeshVisibilityMode");
  if (!r || idx >= r->meshes.size()) return false;
  r->meshes[idx].visibility = mode;
  return true;
}

void VESSEL::ClearMeshes(bool retain_anim) const {
  VesselRecord* r = Self(this, "ClearMeshes");
  if (!r) return;
  r->meshes.clear();
  ++r->meshGen;
  if (!retain_anim) {
    r->animations.clear();
    r->components.clear();
  }
}

UINT VESSEL::GetMeshCount() const {
  VesselRecord* r = Self(this, "GetMeshCount");
  return r ? static_cast<UINT>(r->meshes.size()) : 0;
}

// ---------------------------------------------------------------------------------------------
// Animations

UINT VESSEL::CreateAnimation(double initial_state) const {
  VesselRecord* r = Self(this, "CreateAnimation");
  if (!r) return 0;
  varn::AnimationEntry animation;
  animation.defaultState = animation.state = initial_state;
  r->animations.push_back(animation);
  return static_cast<UINT>(r->animations.size() - 1);
}

ANIMATIONCOMPONENT_HANDLE VESSEL::AddAnimationComponent(UINT anim, double state0, double state1,
                                                        MGROUP_TRANSFORM* trans,
                                                        ANIMATIONCOMPONENT_HANDLE parent) const {
  World& world = World::Current();
  VesselRecord* r = Self(this, "AddAnimationComponent");
  if (!r) return nullptr;
  if (anim >= r->animations.size() || !trans) {
    world.Report("AddAnimationComponent: vessel '%s' gave %s", r->name.c_str(),
                 trans ? "an animation it did not create" : "no transform");
    return nullptr;
  }
  varn::AnimationComponent component;
  component.animation = anim;
  component.state0 = state0;
  component.state1 = state1;
  component.transform = trans;
  if (parent) {
    varn::HandleParts parts;
    if (!varn::UnpackHandle(parent, parts) || parts.slot != r->slot || parts.index == 0 ||
        parts.index > r->components.size()) {
      world.Report("AddAnimationComponent: vessel '%s' gave a parent component that is not its own", r->name.c_str());
      return nullptr;
    }
    component.parent = static_cast<int>(parts.index - 1);
  }
  r->components.push_back(component);
  r->animations[anim].components.push_back(static_cast<int>(r->components.size() - 1));
  return world.SubHandle<ANIMATIONCOMPONENT_HANDLE>(*r, 0, r->components.size());
}

bool VESSEL::SetAnimation(UINT anim, double state) const {
  VesselRecord* r = Self(this, "SetAnimation");
  if (!r) return false;
  if (anim >= r->animations.size()) {
    World::Current().Report("SetAnimation: vessel '%s' has no animation %u", r->name.c_str(), anim);
    return false;
  }
  r->animations[anim].state = state;
  return true;
}

double VESSEL::GetAnimation(UINT anim) const {
  VesselRecord* r = Self(this, "GetAnimation");
  if (!r || anim >= r->animations.size()) return 0;
  return r->animations[anim].state;
}

// ---------------------------------------------------------------------------------------------
// Lights

LightEmitter* VESSEL::AddSpotLight(const VECTOR3& pos, const VECTOR3& dir, double range, double att0, double att1,
                                   double att2, double umbra, double penumbra, const COLOUR4& diffuse,
                                   const COLOUR4& specular, const COLOUR4& ambient) const {
  VesselRecord* r = Self(this, "AddSpotLight");
  if (!r) return nullptr;
  auto light = std::make_unique<varn::SpotLight>();
  light->pos = pos, light->dir = dir, light->range = range;
  light->att0 = att0, light->att1 = att1, light->att2 = att2;
  light->umbra = umbra, light->penumbra = penumbra;
  light->diffuse = diffuse, light->specular = specular, light->ambient = ambient;
  r->lights.push_back(std::move(light));
  return r->lights.back().get();
}

void VESSEL::AddBeacon(BEACONLIGHTSPEC* bs) {
  VesselRecord* r = Self(this, "AddBeacon");
  if (!r) return;
  if (!bs || !bs->pos || !bs->col) {
    World::Current().Report("AddBeacon: vessel '%s' gave a beacon without its record, position or colour",
                            r->name.c_str());
    return;
  }
  r->beacons.push_back(bs);
}
