// The host's inside: every vessel record, the loaded modules, time, input focus and key state,
// the open files, and the checks the host makes on what modules hand it. The Simulation is its
// public face; the host functions the modules call reach it through World::Current().
#pragma once

#include "class_file.h"
#include "file_system.h"
#include "handles.h"
#include "simulation.h"
#include "vessel_record.h"

#include <cstdarg>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace varn {

// A module library and the entry points resolved from it (or registered by a test).
struct Module {
  std::string name;
  std::string path;
  void* library = nullptr;  // dlopen handle; null for registered code
  ModuleEntries entries;
  int (*version)() = nullptr;
  const char* (*date)() = nullptr;
};

// A file opened through oapiOpenFile, or a scenario block handed to a module.
struct OpenFile {
  bool reading = false;
  bool scenarioBlock = false;  // a vessel block of the scenario being read or written
  std::string path;            // for messages and for writing back on close
  std::string source;          // name used in messages ("file" or "file:firstLine")
  int firstLine = 1;           // line number of the first line of text
  std::string text;            // read: the contents; write: what was written
  size_t cursor = 0;
  int lineNumber = 0;          // of the line last returned
  std::string line;            // the line last returned
  bool append = false;
  std::uint32_t generation = 0;
  bool open = false;
};

// Where each vessel is in the life the host promises it.
enum class Lifecycle { Constructed, Defined, Loaded, Running };

class World {
 public:
  explicit World(HostOptions options);
  ~World();

  static World& Current();
  static bool Exists();

  HostOptions options;
  std::shared_ptr<FileSystem> files;

  // Vessels
  struct Slot {
    std::unique_ptr<VesselRecord> record;
    std::uint32_t generation = 0;
    Lifecycle lifecycle = Lifecycle::Constructed;
    std::uint64_t preStepFrame = 0;  // the frame whose pre-step the vessel last had
  };
  std::vector<Slot> slots;
  std::vector<std::uint32_t> order;  // live vessels in scenario order
  std::vector<std::uint32_t> freeSlots;

  OBJHANDLE HandleOf(const VesselRecord& record) const;
  VesselRecord* Vessel(OBJHANDLE handle);                 // null if stale (no report)
  VesselRecord* Vessel(OBJHANDLE handle, const char* op);  // reports a stale handle
  VesselRecord* VesselByName(const char* name);  // case-insensitive, without allocating
  VesselRecord* VesselByName(const std::string& name) { return VesselByName(name.c_str()); }
  std::vector<std::uint32_t> byName;  // slots of the vessels, sorted by name without regard to case
  // Creates a vessel of a class: constructs it through its module and defines it.
  VesselRecord* CreateVessel(const std::string& name, const std::string& className, std::string& error);
  void DeleteVessel(VesselRecord& record);
  void CollectDeletedVessels();
  // Moves a vessel on in its life; says so if the host's promised order was broken.
  void Advance(const VesselRecord& record, Lifecycle from, Lifecycle to, const char* callback);

  // Sub-object handles of a vessel.
  template <class Handle>
  Handle SubHandle(const VesselRecord& record, std::uint32_t kindGeneration, size_t index) const {
    return MakeHandle<Handle>(record.slot, record.generation, kindGeneration, static_cast<std::uint32_t>(index));
  }
  // Resolve sub-object handles; a stale or foreign handle is reported and gives null.
  AttachmentEntry* Attachment(ATTACHMENTHANDLE h, const char* op, VesselRecord** owner = nullptr);
  PropellantEntry* Propellant(PROPELLANT_HANDLE h, const char* op, VesselRecord** owner = nullptr);
  ThrusterEntry* Thruster(THRUSTER_HANDLE h, const char* op, VesselRecord** owner = nullptr);
  ThrusterGroupEntry* Group(THGROUP_HANDLE h, const char* op, VesselRecord** owner = nullptr);

  // Attachments: a link joins a parent-side point of one vessel and a child-side point of another.
  void Link(VesselRecord& parent, size_t parentPoint, VesselRecord& child, size_t childPoint);
  void Unlink(AttachmentEntry& point);  // both sides; nothing if the point is free
  AttachmentEntry* Peer(const AttachmentEntry& point);
  VesselRecord* ParentOf(const VesselRecord& child, size_t* childPoint = nullptr, size_t* parentPoint = nullptr);

  // Classes and modules
  std::map<std::string, ClassInfo> classes;
  std::map<std::string, std::unique_ptr<Module>> modules;
  std::map<std::string, ModuleEntries> registered;  // class name -> entries linked into the caller
  std::map<std::string, std::string> registeredModule;
  bool FindClass(const std::string& className, ClassInfo& info, std::string& error);
  Module* LoadModule(const std::string& moduleName, std::string& error);
  void UnloadModules();

  // Global resources
  std::vector<std::string> meshNames;     // MESHHANDLE = index + 1
  std::vector<std::string> textureNames;  // SURFHANDLE = index + 1
  MESHHANDLE LoadMesh(const char* name);
  const std::string* MeshName(MESHHANDLE h) const;

  // Files
  std::vector<OpenFile> openFiles;
  FILEHANDLE OpenForReading(const std::string& path, const std::string& source, int firstLine, std::string text,
                            bool scenarioBlock);
  FILEHANDLE OpenFileHandle(const char* fname, FileAccessMode mode);
  FILEHANDLE OpenScenarioWriter();
  OpenFile* File(FILEHANDLE h, const char* op);
  void CloseFile(FILEHANDLE h, bool writeBack);
  // Where the line last returned by oapiReadScenario_nextline came from, if line is that line.
  bool LineOrigin(const char* line, std::string& source, int& lineNumber) const;
  FILEHANDLE lastReadFile = nullptr;

  // Time and input
  std::uint64_t frame = 0;
  double simTime = 0;
  double simStep = 0;
  double timeAcceleration = 1;
  double mjd = 51544.5;
  std::uint32_t focus = 0;  // slot of the focus vessel
  bool hasFocus = false;
  char keyState[256] = {};
  char debugString[256] = {};
  VECTOR3 cockpitDirection{};  // the last oapiCameraSetCockpitDir: polar, azimuth, transition

  // Errors: misbehaviour of a module or a host operation this host does not provide.
  std::vector<HostError> errors;
  void Report(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void NotAvailable(const char* operation);

  // ATTACHED lines read while loading, joined once every vessel of the scenario exists.
  struct PendingAttachment {
    std::uint32_t childSlot = 0;
    long childPoint = 0, parentPoint = 0;
    std::string parentName;
    std::string source;
    int line = 0;
  };
  std::vector<PendingAttachment> pendingAttachments;

  // Scenario environment lines, kept as read.
  std::vector<std::string> environment;
  std::vector<std::string> extraSections;  // other BEGIN_...END_ blocks, verbatim

  // Input waiting for the next frames.
  struct KeyEvent {
    DWORD key = 0;
    DWORD modifier = 0;
    double releaseTime = -1;  // holds: when the key goes up
  };
  std::vector<ScriptEvent> script;  // sorted by time; nextScript is the first not yet applied
  size_t nextScript = 0;
  std::vector<KeyEvent> pressesThisFrame;
  std::vector<KeyEvent> releasesNextFrame;
  std::vector<KeyEvent> holds;

  // Frames
  void Step();
  void ApplyScriptEvents();
  void DeliverKeys();
  void UpdatePhysics();
  void PlaceAttached(VesselRecord& record, int depth);
  void DrawHud();
  bool SetFocus(VesselRecord& record);
  int KeyDown(DWORD key, DWORD modifier);
  int KeyUp(DWORD key, DWORD modifier);
  VesselRecord* FocusVessel();

  // Scenario files
  bool LoadScenario(const std::string& text, const std::string& sourceName, std::string& error);
  std::string SaveScenario();

  // Trace: rows for fields whose value changed since the last sample.
  std::function<void(const std::string&)> traceSink;
  std::map<std::string, std::string> traceLast;
  void Trace(const VesselRecord& record, const char* field, const std::string& value);
  void SampleTrace();
};

}  // namespace varn
