// The host's record of one vessel: everything a module has told the host about it, and the
// host's own state of it (position, attachments, thruster levels). Tests and the dump read it.
#pragma once

#include "host_api.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varn {

struct MeshEntry {
  MESHHANDLE hMesh = nullptr;
  std::string name;
  VECTOR3 offset{};
  WORD visibility = MESHVIS_EXTERNAL;
};

struct AnimationComponent {
  UINT animation = 0;
  double state0 = 0, state1 = 1;
  MGROUP_TRANSFORM* transform = nullptr;  // the module's record
  int parent = -1;                        // index of the parent component, -1 for none
};

struct AnimationEntry {
  double defaultState = 0;
  double state = 0;
  std::vector<int> components;  // indices into VesselRecord::components
};

struct AttachmentEntry {
  bool toParent = false;  // true: a point by which this vessel hangs on a parent
  VECTOR3 pos{}, dir{}, rot{};
  std::string id;
  bool loose = false;
  OBJHANDLE other = nullptr;            // the attached vessel
  ATTACHMENTHANDLE otherPoint = nullptr;  // its point
};

struct SpotLight : LightEmitter {
  VECTOR3 pos{}, dir{};
  double range = 0, att0 = 0, att1 = 0, att2 = 0, umbra = 0, penumbra = 0;
  COLOUR4 diffuse{}, specular{}, ambient{};
};

struct PropellantEntry {
  double maxMass = 0, mass = 0, efficiency = 1;
};

struct ThrusterEntry {
  VECTOR3 pos{}, dir{};
  double maxThrust = 0, isp = 0, ispRef = 0, pRef = 101400;
  PROPELLANT_HANDLE tank = nullptr;
  double level = 0;
};

struct ThrusterGroupEntry {
  bool alive = true;
  THGROUP_TYPE type = THGROUP_USER;
  std::vector<THRUSTER_HANDLE> thrusters;
};

struct ExhaustEntry {
  THRUSTER_HANDLE thruster = nullptr;
  double lscale = 0, wscale = 0;
  bool ownPosition = false;
  VECTOR3 pos{}, dir{};
  SURFHANDLE texture = nullptr;
};

struct StreamEntry {
  THRUSTER_HANDLE thruster = nullptr;
  bool ownPosition = false;
  VECTOR3 pos{};
  const PARTICLESTREAMSPEC* spec = nullptr;
};

struct AirfoilEntry {
  AIRFOIL_ORIENTATION align = LIFT_VERTICAL;
  VECTOR3 ref{};
  AirfoilCoeffFunc coeff = nullptr;
  double chord = 0, area = 0, aspect = 0;
};

// One text drawn on the HUD sketchpad. Fixed size, so that drawing allocates nothing.
struct HudText {
  int x = 0, y = 0;
  DWORD colour = 0;
  char text[128] = {};
};

struct VesselRecord {
  std::uint32_t slot = 0, generation = 0;  // where the host keeps it; its handle encodes both
  bool deleted = false;                    // deletion requested; gone at the end of the frame
  std::string name;
  std::string className;
  std::string moduleName;  // empty for passive vessels and the host's own stand-ins
  VESSEL* object = nullptr;
  bool fromModule = false;               // object was made by a module's ovcInit
  void (*exitEntry)(VESSEL*) = nullptr;  // the module's ovcExit, which destroys it

  // Definition
  double size = 1, emptyMass = 0;
  double cw[4] = {0, 0, 0, 0};  // z+, z-, x, y
  double wingAspect = 0, wingEffectiveness = 0;
  double pitchMomentScale = 0, bankMomentScale = 0, trimScale = 0, cogElevation = 0;
  double frictionLng = 0, frictionLat = 0, maxWheelbrakeForce = 0;
  VECTOR3 crossSections{}, rotDrag{}, pmi{};
  VECTOR3 cameraOffset{}, cameraDirection{0, 0, 1};
  double cameraRange[4] = {0, 0, 0, 0};  // left, right, up, down
  bool transponder = false, focusEnabled = true;
  VECTOR3 dockPos{}, dockDir{}, dockRot{};
  bool hasDock = false;
  VECTOR3 centreOfMassShift{};
  std::vector<TOUCHDOWNVTX> touchdown;

  // State. Landed vessels stand at a surface position; free ones carry position and velocity.
  bool landed = true;
  double lon = 0, lat = 0, heading = 0;  // radians
  double altitude = 0;                   // of the origin above the mean radius
  VECTOR3 gpos{}, gvel{};                // global position and velocity
  MATRIX3 rot{};                         // vessel frame to global frame
  VECTOR3 arot{}, vrot{};                // free vessels: Euler angles, angular velocity
  VECTOR3 forceSum{};                    // AddForce in this step, vessel frame

  std::vector<MeshEntry> meshes;
  std::vector<AnimationEntry> animations;
  std::vector<AnimationComponent> components;
  std::vector<AttachmentEntry> attachments;
  std::vector<std::unique_ptr<SpotLight>> lights;
  std::vector<BEACONLIGHTSPEC*> beacons;  // the module's records
  std::vector<PropellantEntry> propellants;
  PROPELLANT_HANDLE defaultPropellant = nullptr;
  std::vector<ThrusterEntry> thrusters;
  std::vector<ThrusterGroupEntry> groups;
  std::vector<ExhaustEntry> exhausts;
  std::vector<StreamEntry> streams;
  std::vector<AirfoilEntry> airfoils;

  // What the focus vessel drew on the HUD in the last frame.
  std::vector<HudText> hud;
  size_t hudCount = 0;

  // Generation counters of each kind of sub-object; clearing a kind makes its old handles stale.
  std::uint32_t attachmentGen = 0, propellantGen = 0, thrusterGen = 0, groupGen = 0, meshGen = 0;
};

}  // namespace varn
