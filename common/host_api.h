// The host interface: everything a vessel module may call or override.
//
// Modules compile against these declarations only; the host core library implements them
// (libvarnhost.so), so a module is an ordinary plug-in that the host loads at run time.
// Who may call what:
//   - VESSEL methods: a module on its own vessel or, through oapiGetVesselInterface, on another.
//     Handles passed in must come from the host; a stale handle is refused, never followed.
//   - VESSEL2/VESSEL3 callbacks: called by the host only, on its one simulation thread.
//   - oapi* functions: from inside any callback or entry point.
// Pointers handed to the host (animation transforms, beacon records and their vectors,
// particle stream specifications, airfoil functions) are kept by pointer and must stay
// valid for as long as the vessel that received them exists.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

#define DLLCLBK extern "C" __attribute__((visibility("default")))
#define OAPIFUNC __attribute__((visibility("default")))

using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using UINT = unsigned int;

// ---------------------------------------------------------------------------------------------
// Vectors and matrices

union VECTOR3 {
  double data[3];
  struct {
    double x, y, z;
  };
};

struct VECTOR4 {
  double x, y, z, w;
};

struct COLOUR4 {
  float r, g, b, a;
};

union MATRIX3 {
  double data[9];
  struct {
    double m11, m12, m13, m21, m22, m23, m31, m32, m33;
  };
};

inline VECTOR3 _V(double x, double y, double z) {
  VECTOR3 v;
  v.x = x;
  v.y = y;
  v.z = z;
  return v;
}
inline COLOUR4 _COLOUR4(float r, float g, float b, float a) { return COLOUR4{r, g, b, a}; }
inline VECTOR3 operator+(const VECTOR3& a, const VECTOR3& b) { return _V(a.x + b.x, a.y + b.y, a.z + b.z); }
inline VECTOR3 operator-(const VECTOR3& a, const VECTOR3& b) { return _V(a.x - b.x, a.y - b.y, a.z - b.z); }
inline VECTOR3 operator-(const VECTOR3& a) { return _V(-a.x, -a.y, -a.z); }
inline VECTOR3 operator*(const VECTOR3& a, double f) { return _V(a.x * f, a.y * f, a.z * f); }
inline VECTOR3 operator/(const VECTOR3& a, double f) { return _V(a.x / f, a.y / f, a.z / f); }
inline VECTOR3& operator+=(VECTOR3& a, const VECTOR3& b) { return a = a + b; }
inline VECTOR3& operator-=(VECTOR3& a, const VECTOR3& b) { return a = a - b; }
inline double dotp(const VECTOR3& a, const VECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline VECTOR3 crossp(const VECTOR3& a, const VECTOR3& b) {
  return _V(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
inline double length(const VECTOR3& a) { return std::sqrt(dotp(a, a)); }
inline VECTOR3 unit(const VECTOR3& a) { return a / length(a); }
inline VECTOR3 mul(const MATRIX3& m, const VECTOR3& v) {
  return _V(m.m11 * v.x + m.m12 * v.y + m.m13 * v.z, m.m21 * v.x + m.m22 * v.y + m.m23 * v.z,
            m.m31 * v.x + m.m32 * v.y + m.m33 * v.z);
}
inline VECTOR3 tmul(const MATRIX3& m, const VECTOR3& v) {
  return _V(m.m11 * v.x + m.m21 * v.y + m.m31 * v.z, m.m12 * v.x + m.m22 * v.y + m.m32 * v.z,
            m.m13 * v.x + m.m23 * v.y + m.m33 * v.z);
}

// ---------------------------------------------------------------------------------------------
// Handles. Opaque to modules; the host checks every one it is given.

using OBJHANDLE = struct ObjectTag*;
using ATTACHMENTHANDLE = struct AttachmentTag*;
using PROPELLANT_HANDLE = struct PropellantTag*;
using THRUSTER_HANDLE = struct ThrusterTag*;
using THGROUP_HANDLE = struct ThrusterGroupTag*;
using MESHHANDLE = struct MeshTag*;
using SURFHANDLE = struct SurfaceTag*;
using FILEHANDLE = struct FileTag*;
using AIRFOILHANDLE = struct AirfoilTag*;
using PSTREAM_HANDLE = struct ParticleStreamTag*;
using ANIMATIONCOMPONENT_HANDLE = struct AnimationComponentTag*;
using VISHANDLE = struct VisualTag*;

// ---------------------------------------------------------------------------------------------
// Enumerations

enum FileAccessMode { FILE_IN = 0, FILE_OUT = 1, FILE_APP = 2 };
enum PathRoot { ROOT = 0, CONFIG = 1, SCENARIOS = 2 };
enum AltitudeMode { ALTMODE_MEANRAD = 0, ALTMODE_GROUND = 1 };
enum AIRFOIL_ORIENTATION { LIFT_VERTICAL = 0, LIFT_HORIZONTAL = 1 };

enum THGROUP_TYPE {
  THGROUP_MAIN = 0,
  THGROUP_RETRO = 1,
  THGROUP_HOVER = 2,
  THGROUP_ATT_PITCHUP = 3,
  THGROUP_ATT_PITCHDOWN = 4,
  THGROUP_ATT_YAWLEFT = 5,
  THGROUP_ATT_YAWRIGHT = 6,
  THGROUP_ATT_BANKLEFT = 7,
  THGROUP_ATT_BANKRIGHT = 8,
  THGROUP_ATT_RIGHT = 9,
  THGROUP_ATT_LEFT = 10,
  THGROUP_ATT_UP = 11,
  THGROUP_ATT_DOWN = 12,
  THGROUP_ATT_FORWARD = 13,
  THGROUP_ATT_BACK = 14,
  THGROUP_USER = 64
};

// Mesh visibility flags for SetMeshVisibilityMode.
const WORD MESHVIS_NEVER = 0x00;
const WORD MESHVIS_EXTERNAL = 0x01;
const WORD MESHVIS_COCKPIT = 0x02;
const WORD MESHVIS_ALWAYS = MESHVIS_EXTERNAL | MESHVIS_COCKPIT;
const WORD MESHVIS_VC = 0x04;
const WORD MESHVIS_EXTPASS = 0x10;

// Beacon shapes.
const DWORD BEACONSHAPE_COMPACT = 0;
const DWORD BEACONSHAPE_DIFFUSE = 1;
const DWORD BEACONSHAPE_STAR = 2;

// Key state: a key is held while bit 0x80 of its byte is set.
#define KEYDOWN(kstate, key) (((kstate)[key] & 0x80) != 0)
#define KEYMOD_SHIFT(kstate) (KEYDOWN(kstate, OAPI_KEY_LSHIFT) || KEYDOWN(kstate, OAPI_KEY_RSHIFT))
#define KEYMOD_CONTROL(kstate) (KEYDOWN(kstate, OAPI_KEY_LCONTROL) || KEYDOWN(kstate, OAPI_KEY_RCONTROL))

// Scan codes of the keys the modules use.
enum : DWORD {
  OAPI_KEY_1 = 0x02,
  OAPI_KEY_2 = 0x03,
  OAPI_KEY_3 = 0x04,
  OAPI_KEY_4 = 0x05,
  OAPI_KEY_5 = 0x06,
  OAPI_KEY_6 = 0x07,
  OAPI_KEY_7 = 0x08,
  OAPI_KEY_8 = 0x09,
  OAPI_KEY_9 = 0x0A,
  OAPI_KEY_0 = 0x0B,
  OAPI_KEY_S = 0x1F,
  OAPI_KEY_A = 0x1E,
  OAPI_KEY_D = 0x20,
  OAPI_KEY_G = 0x22,
  OAPI_KEY_J = 0x24,
  OAPI_KEY_K = 0x25,
  OAPI_KEY_C = 0x2E,
  OAPI_KEY_V = 0x2F,
  OAPI_KEY_B = 0x30,
  OAPI_KEY_LCONTROL = 0x1D,
  OAPI_KEY_LSHIFT = 0x2A,
  OAPI_KEY_RSHIFT = 0x36,
  OAPI_KEY_NUMPAD8 = 0x48,
  OAPI_KEY_SUBTRACT = 0x4A,
  OAPI_KEY_NUMPAD4 = 0x4B,
  OAPI_KEY_NUMPAD5 = 0x4C,
  OAPI_KEY_ADD = 0x4E,
  OAPI_KEY_NUMPAD1 = 0x4F,
  OAPI_KEY_NUMPAD2 = 0x50,
  OAPI_KEY_NUMPAD3 = 0x51,
  OAPI_KEY_RCONTROL = 0x9D
};

// ---------------------------------------------------------------------------------------------
// Records

// Vessel status, version 1.
struct VESSELSTATUS {
  VECTOR3 rpos;  // position relative to rbody (m, global orientation)
  VECTOR3 rvel;  // velocity relative to rbody (m/s)
  VECTOR3 vrot;  // angular velocity (rad/s)
  VECTOR3 arot;  // orientation, Euler angles (rad)
  double fuel;   // main propellant level 0..1
  double eng_main, eng_hovr;
  OBJHANDLE rbody;
  OBJHANDLE base;
  int port;
  int status;  // 0 free, 1 landed
  VECTOR3 vdata[10];
  double fdata[10];
  DWORD flag[10];
};

// Vessel status, version 2. A caller zeroes it and sets version to 2 before GetStatusEx.
struct VESSELSTATUS2 {
  struct FUELSPEC {
    DWORD idx;
    double level;
  };
  struct THRUSTSPEC {
    DWORD idx;
    double level;
  };
  DWORD version;
  DWORD flag;
  OBJHANDLE rbody;
  OBJHANDLE base;
  int port;
  int status;  // 0 free, 1 landed
  VECTOR3 rpos, rvel, vrot, arot;
  double surf_lng, surf_lat, surf_hdg;  // landed: longitude, latitude, heading (rad)
  DWORD nfuel;
  FUELSPEC* fuel;
  DWORD nthruster;
  THRUSTSPEC* thruster;
  DWORD ndockinfo;
  void* dockinfo;
  DWORD xpdr;
};

struct BEACONLIGHTSPEC {
  DWORD shape;
  VECTOR3* pos;
  VECTOR3* col;
  double size;
  double falloff;
  double period;
  double duration;
  double tofs;
  bool active;
};

struct TOUCHDOWNVTX {
  VECTOR3 pos;
  double stiffness;
  double damping;
  double mu;
  double mu_lng;
};

struct PARTICLESTREAMSPEC {
  DWORD flags;
  double srcsize;
  double srcrate;
  double v0;
  double srcspread;
  double lifetime;
  double growthrate;
  double atmslowdown;
  enum LTYPE { EMISSIVE = 0, DIFFUSE = 1 } ltype;
  enum LEVELMAP { LVL_FLAT = 0, LVL_LIN = 1, LVL_SQRT = 2, LVL_PLIN = 3, LVL_PSQRT = 4 } levelmap;
  double lmin, lmax;
  enum ATMSMAP { ATM_FLAT = 0, ATM_PLIN = 1, ATM_PLOG = 2 } atmsmap;
  double amin, amax;
  SURFHANDLE tex;
};

struct HUDPAINTSPEC {
  int W, H;    // display size in pixels
  int CX, CY;  // centre
  double Scale;
  int Markersize;
};

struct VCHUDSPEC {
  DWORD nmesh;
  DWORD ngroup;
  VECTOR3 hudcnt;
  double size;
};

struct VCMFDSPEC {
  DWORD nmesh;
  DWORD ngroup;
};

// Airfoil coefficient callback: angle of attack, Mach and Reynolds number in;
// lift, moment and drag coefficients out.
using AirfoilCoeffFunc = void (*)(double aoa, double M, double Re, double* cl, double* cm, double* cd);

// ---------------------------------------------------------------------------------------------
// Animation transforms. A module builds them once; the host keeps them by pointer.

struct MGROUP_TRANSFORM {
  enum TYPE { NUL, ROTATE, TRANSLATE, SCALE };
  MGROUP_TRANSFORM(TYPE type, UINT mesh, UINT* grp, UINT ngrp) : type(type), mesh(mesh), grp(grp), ngrp(ngrp) {}
  virtual ~MGROUP_TRANSFORM() = default;
  TYPE type;
  UINT mesh;
  UINT* grp;  // group indices; null means the whole mesh
  UINT ngrp;
};

struct MGROUP_ROTATE : MGROUP_TRANSFORM {
  MGROUP_ROTATE(UINT mesh, UINT* grp, UINT ngrp, const VECTOR3& ref, const VECTOR3& axis, float angle)
      : MGROUP_TRANSFORM(ROTATE, mesh, grp, ngrp), ref(ref), axis(axis), angle(angle) {}
  VECTOR3 ref;
  VECTOR3 axis;
  float angle;  // radians
};

struct MGROUP_TRANSLATE : MGROUP_TRANSFORM {
  MGROUP_TRANSLATE(UINT mesh, UINT* grp, UINT ngrp, const VECTOR3& shift)
      : MGROUP_TRANSFORM(TRANSLATE, mesh, grp, ngrp), shift(shift) {}
  VECTOR3 shift;
};

struct MGROUP_SCALE : MGROUP_TRANSFORM {
  MGROUP_SCALE(UINT mesh, UINT* grp, UINT ngrp, const VECTOR3& ref, const VECTOR3& scale)
      : MGROUP_TRANSFORM(SCALE, mesh, grp, ngrp), ref(ref), scale(scale) {}
  VECTOR3 ref;
  VECTOR3 scale;
};

// ---------------------------------------------------------------------------------------------
// Light emitters: owned by the host, handed to the module by pointer for the vessel's life.

class OAPIFUNC LightEmitter {
 public:
  virtual ~LightEmitter();
  void Activate(bool on) { active = on; }
  bool IsActive() const { return active; }

 protected:
  bool active = true;
};

namespace oapi {
// The HUD drawing surface handed to clbkDrawHUD; valid only during that call.
class OAPIFUNC Sketchpad {
 public:
  virtual ~Sketchpad();
  virtual DWORD SetTextColor(DWORD colour) = 0;  // 0xBBGGRR; returns the previous colour
  virtual bool Text(int x, int y, const char* str, int len) = 0;
};
}  // namespace oapi

// ---------------------------------------------------------------------------------------------
// The vessel interface. Methods act on the host's record of the vessel behind the handle the
// object was constructed with.

class OAPIFUNC VESSEL {
 public:
  VESSEL(OBJHANDLE hVessel, int fmodel = 1);
  virtual ~VESSEL();

  OBJHANDLE GetHandle() const { return hVessel; }
  const char* GetName() const;
  const char* GetClassName() const;
  int GetFlightModel() const { return flightModel; }
  int Version() const { return version; }

  // Definition
  void SetSize(double size) const;
  double GetSize() const;
  void SetEmptyMass(double m) const;
  double GetEmptyMass() const;
  double GetMass() const;
  void SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const;
  void SetWingAspect(double aspect) const;
  void SetWingEffectiveness(double eff) const;
  void SetCrossSections(const VECTOR3& cs) const;
  void SetRotDrag(const VECTOR3& rd) const;
  void SetPitchMomentScale(double scale) const;
  void SetBankMomentScale(double scale) const;
  void SetPMI(const VECTOR3& pmi) const;
  void SetTrimScale(double scale) const;
  void SetCOG_elev(double h) const;
  void SetSurfaceFrictionCoeff(double mu_lng, double mu_lat) const;
  void SetMaxWheelbrakeForce(double f) const;
  void SetTouchdownPoints(const VECTOR3& pt1, const VECTOR3& pt2, const VECTOR3& pt3) const;
  void SetTouchdownPoints(const TOUCHDOWNVTX* tdvtx, DWORD ntdvtx) const;
  void EnableTransponder(bool enable) const;
  void SetEnableFocus(bool enable) const;
  void SetDockParams(const VECTOR3& pos, const VECTOR3& dir, const VECTOR3& rot) const;
  void ShiftCentreOfMass(const VECTOR3& shift);

  // Camera
  void SetCameraOffset(const VECTOR3& co) const;
  void GetCameraOffset(VECTOR3& co) const;
  void SetCameraDefaultDirection(const VECTOR3& cd) const;
  void GetCameraDefaultDirection(VECTOR3& cd) const;
  void SetCameraRotationRange(double left, double right, double up, double down) const;

  // Meshes
  UINT AddMesh(MESHHANDLE hMesh, const VECTOR3* ofs = nullptr) const;
  UINT AddMesh(const char* meshname, const VECTOR3* ofs = nullptr) const;
  bool ShiftMesh(UINT idx, const VECTOR3& ofs) const;
  bool SetMeshVisibilityMode(UINT idx, WORD mode) const;
  void ClearMeshes(bool retain_anim = true) const;
  UINT GetMeshCount() const;

  // Animations
  UINT CreateAnimation(double initial_state) const;
  ANIMATIONCOMPONENT_HANDLE AddAnimationComponent(UINT anim, double state0, double state1, MGROUP_TRANSFORM* trans,
                                                  ANIMATIONCOMPONENT_HANDLE parent = nullptr) const;
  bool SetAnimation(UINT anim, double state) const;
  double GetAnimation(UINT anim) const;

  // Attachments
  ATTACHMENTHANDLE CreateAttachment(bool toparent, const VECTOR3& pos, const VECTOR3& dir, const VECTOR3& rot,
                                    const char* id, bool loose = false) const;
  bool SetAttachmentParams(ATTACHMENTHANDLE attachment, const VECTOR3& pos, const VECTOR3& dir,
                           const VECTOR3& rot) const;
  void GetAttachmentParams(ATTACHMENTHANDLE attachment, VECTOR3& pos, VECTOR3& dir, VECTOR3& rot) const;
  const char* GetAttachmentId(ATTACHMENTHANDLE attachment) const;
  OBJHANDLE GetAttachmentStatus(ATTACHMENTHANDLE attachment) const;
  DWORD AttachmentCount(bool toparent) const;
  ATTACHMENTHANDLE GetAttachmentHandle(bool toparent, DWORD i) const;
  bool AttachChild(OBJHANDLE child, ATTACHMENTHANDLE attachment, ATTACHMENTHANDLE child_attachment) const;
  bool DetachChild(ATTACHMENTHANDLE attachment, double vel = 0.0) const;
  void ClearAttachments() const;

  // Lights
  LightEmitter* AddSpotLight(const VECTOR3& pos, const VECTOR3& dir, double range, double att0, double att1,
                             double att2, double umbra, double penumbra, const COLOUR4& diffuse,
                             const COLOUR4& specular, const COLOUR4& ambient) const;
  void AddBeacon(BEACONLIGHTSPEC* bs);

  // Propellant, thrusters, groups, exhausts, particle streams
  PROPELLANT_HANDLE CreatePropellantResource(double maxmass, double mass = -1.0, double efficiency = 1.0) const;
  void ClearPropellantResources() const;
  void SetDefaultPropellantResource(PROPELLANT_HANDLE ph) const;
  double GetPropellantMass(PROPELLANT_HANDLE ph) const;
  double GetPropellantMaxMass(PROPELLANT_HANDLE ph) const;
  THRUSTER_HANDLE CreateThruster(const VECTOR3& pos, const VECTOR3& dir, double maxth0, PROPELLANT_HANDLE hp = nullptr,
                                 double isp0 = 0.0, double isp_ref = 0.0, double p_ref = 101400.0) const;
  void ClearThrusterDefinitions() const;
  void SetThrusterLevel(THRUSTER_HANDLE th, double level) const;
  double GetThrusterLevel(THRUSTER_HANDLE th) const;
  THGROUP_HANDLE CreateThrusterGroup(THRUSTER_HANDLE* th, int nth, THGROUP_TYPE type) const;
  bool DelThrusterGroup(THGROUP_HANDLE thg, bool delth = false) const;
  void SetThrusterGroupLevel(THGROUP_TYPE type, double level) const;
  void SetThrusterGroupLevel(THGROUP_HANDLE thg, double level) const;
  double GetThrusterGroupLevel(THGROUP_TYPE type) const;
  double GetThrusterGroupLevel(THGROUP_HANDLE thg) const;
  UINT AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, SURFHANDLE tex = nullptr) const;
  UINT AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, const VECTOR3& pos, const VECTOR3& dir,
                  SURFHANDLE tex = nullptr) const;
  PSTREAM_HANDLE AddExhaustStream(THRUSTER_HANDLE th, PARTICLESTREAMSPEC* pss = nullptr) const;
  PSTREAM_HANDLE AddExhaustStream(THRUSTER_HANDLE th, const VECTOR3& pos, PARTICLESTREAMSPEC* pss = nullptr) const;

  // Aerodynamics
  AIRFOILHANDLE CreateAirfoil(AIRFOIL_ORIENTATION align, const VECTOR3& ref, AirfoilCoeffFunc cf, double c, double S,
                              double A) const;
  void ClearAirfoilDefinitions() const;

  // State, frames and forces
  void GetStatus(VESSELSTATUS& status) const;
  void GetStatusEx(void* status) const;
  void DefSetStateEx(const void* status) const;
  void GetRelativePos(OBJHANDLE hRef, VECTOR3& pos) const;
  void GetRelativeVel(OBJHANDLE hRef, VECTOR3& vel) const;
  void GetGlobalPos(VECTOR3& pos) const;
  void GetGlobalVel(VECTOR3& vel) const;
  void Local2Global(const VECTOR3& local, VECTOR3& global) const;
  void Global2Local(const VECTOR3& global, VECTOR3& local) const;
  void Local2Rel(const VECTOR3& local, VECTOR3& rel) const;
  void GlobalRot(const VECTOR3& rloc, VECTOR3& rglob) const;
  double GetAltitude(AltitudeMode mode = ALTMODE_MEANRAD) const;
  double GetAirspeed() const;
  void AddForce(const VECTOR3& F, const VECTOR3& r) const;

  // Scenario lines of the host's own
  bool ParseScenarioLineEx(char* line, void* status) const;
  void SaveDefaultState(FILEHANDLE scn) const;

 protected:
  int version = 1;  // callback table: 2 for VESSEL2, 3 for VESSEL3

 private:
  OBJHANDLE hVessel;
  int flightModel;
};

// Callback table version 2. Each callback's defaults do what the host would do without it.
class OAPIFUNC VESSEL2 : public VESSEL {
 public:
  VESSEL2(OBJHANDLE hVessel, int fmodel = 1);
  // Definition: after construction, before the scenario block is read.
  virtual void clbkSetClassCaps(FILEHANDLE cfg);
  // Writes the vessel's scenario block; the default writes the host's lines.
  virtual void clbkSaveState(FILEHANDLE scn);
  // Reads the vessel's scenario block; the default hands every line to ParseScenarioLineEx.
  virtual void clbkLoadStateEx(FILEHANDLE scn, void* status);
  virtual void clbkPostCreation();
  virtual void clbkFocusChanged(bool getfocus, OBJHANDLE hNewVessel, OBJHANDLE hOldVessel);
  virtual void clbkPreStep(double simt, double simdt, double mjd);
  virtual void clbkPostStep(double simt, double simdt, double mjd);
  // Every frame while the vessel has the focus; kstate is valid during the call only.
  virtual int clbkConsumeDirectKey(char* kstate);
  // Every key event while the vessel has the focus; non-zero reports the key consumed.
  virtual int clbkConsumeBufferedKey(DWORD key, bool down, char* kstate);
  virtual bool clbkLoadVC(int id);
  virtual void clbkVisualCreated(VISHANDLE vis, int refcount);
  virtual void clbkVisualDestroyed(VISHANDLE vis, int refcount);
};

class OAPIFUNC VESSEL3 : public VESSEL2 {
 public:
  VESSEL3(OBJHANDLE hVessel, int fmodel = 1);
  // Every frame while the vessel has the focus; skp is valid during the call only.
  virtual bool clbkDrawHUD(int mode, const HUDPAINTSPEC* hps, oapi::Sketchpad* skp);
  // A message from another vessel or module; the result and context are the message's own.
  virtual int clbkGeneric(int msgid, int prm, void* context);
};

// ---------------------------------------------------------------------------------------------
// Global host functions

// Scenario and file access
OAPIFUNC bool oapiReadScenario_nextline(FILEHANDLE scn, char*& line);
OAPIFUNC void oapiWriteScenario_string(FILEHANDLE scn, const char* item, const char* string);
OAPIFUNC void oapiWriteScenario_int(FILEHANDLE scn, const char* item, int i);
OAPIFUNC void oapiWriteScenario_float(FILEHANDLE scn, const char* item, double d);
OAPIFUNC FILEHANDLE oapiOpenFile(const char* fname, FileAccessMode mode, PathRoot root = ROOT);
OAPIFUNC void oapiCloseFile(FILEHANDLE f, FileAccessMode mode);

// Objects and vessels
OAPIFUNC OBJHANDLE oapiGetObjectByName(const char* name);
OAPIFUNC bool oapiIsVessel(OBJHANDLE hObj);
OAPIFUNC OBJHANDLE oapiGetVesselByName(const char* name);
OAPIFUNC OBJHANDLE oapiGetVesselByIndex(int index);
OAPIFUNC DWORD oapiGetVesselCount();
OAPIFUNC VESSEL* oapiGetVesselInterface(OBJHANDLE hVessel);
OAPIFUNC OBJHANDLE oapiGetFocusObject();
OAPIFUNC OBJHANDLE oapiCreateVessel(const char* name, const char* classname, const VESSELSTATUS& status);
OAPIFUNC bool oapiDeleteVessel(OBJHANDLE hVessel, OBJHANDLE hAlternativeCameraTarget = nullptr);

// Resources
OAPIFUNC MESHHANDLE oapiLoadMeshGlobal(const char* fname);
OAPIFUNC SURFHANDLE oapiRegisterExhaustTexture(const char* name);

// Simulation
OAPIFUNC double oapiGetSimTime();
OAPIFUNC double oapiGetSimStep();
OAPIFUNC double oapiGetTimeAcceleration();
OAPIFUNC void oapiSetTimeAcceleration(double warp);
OAPIFUNC int oapiGetOrbiterVersion();
OAPIFUNC char* oapiDebugString();  // a writable line of 256 characters
OAPIFUNC double oapiGetInducedDrag(double cl, double A, double e);

// Camera and cockpit
OAPIFUNC void oapiCameraSetCockpitDir(double polar, double azimuth, bool transition = false);
OAPIFUNC void oapiVCRegisterHUD(const VCHUDSPEC* spec);
OAPIFUNC void oapiVCRegisterMFD(int mfd, const VCMFDSPEC* spec);

// Date conversion of a "Mmm dd yyyy" text (as the compiler writes dates) to yyyymmdd.
OAPIFUNC int Date2Int(const char* date);
