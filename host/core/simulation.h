// The headless host: a simulation of one scenario, driven by the command-line program, the
// tests and the benchmark. It owns every vessel, loads module libraries when a class needs
// them, steps frames in the order below and records what the modules tell it.
//
// One frame (Step):
//   1. script events due now;
//   2. the focus vessel's buffered key events (a press is a key-down with the key held in the
//      key state; its key-up comes on the next frame);
//   3. the focus vessel's clbkConsumeDirectKey with the frame's key state;
//   4. clbkPreStep of every vessel, in scenario order;
//   5. the host's update: forces, thrust and propellant, motion, attachments;
//   6. clbkPostStep of every vessel;
//   7. clbkDrawHUD of the focus vessel (recorded);
//   8. time advances by the step length times the time acceleration.
//
// Only one Simulation exists at a time: the host functions the modules call act on it.
#pragma once

#include "file_system.h"
#include "host_api.h"
#include "vessel_record.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace varn {

// The planet every vessel stands on or flies around.
const double kEarthRadius = 6371010.0;
const double kEarthGM = 3.986004418e14;
const double kEarthDistanceFromSun = 1.496e11;  // along global +x; the Sun is the global origin

// The build number the host reports unless a run sets another.
const int kDefaultHostBuild = 160903;

struct HostOptions {
  std::string modulesDir;  // module libraries "<deliverable>.so"
  std::string configDir;   // class files under <configDir>/vessels/<class>.cfg
  std::string workDir;     // the run's working folder; files opened with oapiOpenFile live here
  double dt = 0.02;        // step length, seconds
  int hostBuild = kDefaultHostBuild;
  int flightModel = 1;  // 0 easy, 1 realistic
  int hudWidth = 1024, hudHeight = 768;
  // Where the file functions go; null means the disk under workDir.
  std::shared_ptr<FileSystem> files;
};

// The entry points of a module, as the host resolves them from a library.
struct ModuleEntries {
  VESSEL* (*init)(OBJHANDLE, int) = nullptr;
  void (*exit)(VESSEL*) = nullptr;
  void (*setClassCaps)(VESSEL*, FILEHANDLE) = nullptr;  // optional
};

// A timed input of a script.
struct ScriptEvent {
  enum class Kind { Key, Hold, Focus, Group, Accel };
  double time = 0;
  Kind kind = Kind::Key;
  std::string vessel;  // "-" for Accel
  DWORD key = 0;
  DWORD modifier = 0;  // scan code held with a Key press, 0 for none
  double value = 0;    // Hold: seconds; Group: level; Accel: factor
  int group = 0;       // Group: THGROUP_TYPE code
  int line = 0;        // where the event was written, for messages
};

// One misbehaviour the host saw (a stale handle, an operation it does not provide, a callback
// out of order). Any of them fails the run.
struct HostError {
  std::string message;
};

// A 3x4 affine transform: a vessel-frame point p maps to m * p + t.
struct Transform {
  MATRIX3 m;
  VECTOR3 t;
  VECTOR3 Apply(const VECTOR3& p) const { return mul(m, p) + t; }
};

class World;

class Simulation {
 public:
  explicit Simulation(HostOptions options);
  ~Simulation();
  Simulation(const Simulation&) = delete;
  Simulation& operator=(const Simulation&) = delete;

  // Serves a class from module code linked into the caller (unit tests), instead of a library.
  void RegisterClass(const std::string& className, const std::string& moduleName, const ModuleEntries& entries);

  // Reads a scenario and creates its vessels: definition, scenario block, post-creation.
  // On failure returns false with one message "file:line: what".
  bool LoadScenarioFile(const std::string& path, std::string& error);
  bool LoadScenarioText(const std::string& text, const std::string& sourceName, std::string& error);

  // Frames.
  void Step();
  void RunUntil(double simTime);  // steps while the time is below simTime
  double Time() const;
  double StepLength() const;  // of the next frame: the step length times the time acceleration

  // Input. Keys act on the focus vessel.
  void AddScriptEvent(const ScriptEvent& event);
  bool SetFocus(const std::string& vessel);                 // through the focus callbacks
  // Immediate key-down; returns the callback's result. The key (and modifier) stay held in the
  // key state until the next frame delivers their key-up, as with a scripted press.
  int PressKey(DWORD key, DWORD modifier = 0);
  int ReleaseKey(DWORD key);                                // immediate key-up
  void SetKeyHeld(DWORD key, bool held);                    // key state seen by the next frames
  int ConsumeDirectKeys();                                  // immediate clbkConsumeDirectKey

  // Inspection.
  VesselRecord* Find(const std::string& name);
  VESSEL* Interface(const std::string& name);
  std::vector<const VesselRecord*> Vessels() const;  // in scenario order
  const std::string& FocusName() const;
  const char* DebugString() const;
  // Where a mesh group of a vessel stands at the present animation states.
  Transform GroupTransform(const std::string& vessel, UINT mesh, UINT group) const;
  const std::vector<HostError>& Errors() const;
  FileSystem& Files();

  // Output.
  std::string SaveScenario();  // the scenario as the host writes it now
  std::string DumpJson();      // the record of every vessel
  // Telemetry rows "time,vessel,field,value" for what changed since the last sample.
  void EnableTrace(std::function<void(const std::string& row)> sink);

  World& GetWorld();

 private:
  std::unique_ptr<World> world;
};

}  // namespace varn
