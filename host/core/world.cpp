#include "world.h"

#include "standins.h"
#include "text.h"

#include <dlfcn.h>
#include <strings.h>

#include <algorithm>

#include <cstdio>

namespace varn {

namespace {
World* current = nullptr;

template <class Entry>
Entry* ResolveIn(World& world, const void* handle, std::vector<Entry> VesselRecord::*list,
                 std::uint32_t VesselRecord::*kindGeneration, const char* op, const char* what, VesselRecord** owner) {
  HandleParts parts;
  if (!handle || !UnpackHandle(handle, parts)) {
    world.Report("%s: null or invalid %s handle", op, what);
    return nullptr;
  }
  if (parts.slot >= world.slots.size() || !world.slots[parts.slot].record ||
      (world.slots[parts.slot].generation & kHandleGenerationMask) != parts.generation) {
    world.Report("%s: %s handle of a deleted vessel", op, what);
    return nullptr;
  }
  VesselRecord& record = *world.slots[parts.slot].record;
  if ((record.*kindGeneration & kHandleGenerationMask) != parts.kindGeneration || parts.index >= (record.*list).size()) {
    world.Report("%s: stale %s handle of vessel '%s' (its %ss were cleared)", op, what, record.name.c_str(), what);
    return nullptr;
  }
  if (owner) *owner = &record;
  return &(record.*list)[parts.index];
}
}  // namespace

World::World(HostOptions opts) : options(std::move(opts)) {
  files = options.files ? options.files : std::make_shared<DiskFileSystem>(options.workDir);
  current = this;
}

World::~World() {
  // Destroy every vessel through its module, then unload the modules.
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    DeleteVessel(*slots[*it].record);
  }
  CollectDeletedVessels();
  UnloadModules();
  if (current == this) current = nullptr;
}

World& World::Current() {
  if (!current) {
    std::fprintf(stderr, "host: a host function was called with no simulation running\n");
    std::abort();
  }
  return *current;
}

bool World::Exists() { return current != nullptr; }

void World::Report(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  errors.push_back(HostError{text});
}

void World::Advance(const VesselRecord& record, Lifecycle from, Lifecycle to, const char* callback) {
  Lifecycle& lifecycle = slots[record.slot].lifecycle;
  if (lifecycle != from) Report("vessel '%s': %s out of order", record.name.c_str(), callback);
  lifecycle = to;
}

void World::NotAvailable(const char* operation) { Report("not available in this host: %s", operation); }

// ---------------------------------------------------------------------------------------------
// Vessels

OBJHANDLE World::HandleOf(const VesselRecord& record) const {
  return MakeHandle<OBJHANDLE>(record.slot, record.generation, 0, 0);
}

VesselRecord* World::Vessel(OBJHANDLE handle) {
  HandleParts parts;
  if (!handle || !UnpackHandle(handle, parts) || parts.slot >= slots.size()) return nullptr;
  Slot& slot = slots[parts.slot];
  if (!slot.record || (slot.generation & kHandleGenerationMask) != parts.generation || slot.record->deleted)
    return nullptr;
  return slot.record.get();
}

VesselRecord* World::Vessel(OBJHANDLE handle, const char* op) {
  VesselRecord* record = Vessel(handle);
  if (!record) Report("%s: stale or invalid vessel handle", op);
  return record;
}

VesselRecord* World::VesselByName(const char* name) {
  auto first = std::lower_bound(byName.begin(), byName.end(), name, [this](std::uint32_t slot, const char* key) {
    return strcasecmp(slots[slot].record->name.c_str(), key) < 0;
  });
  // A deleted vessel keeps its name until the end of the frame, beside a new one of that name.
  for (auto it = first; it != byName.end() && strcasecmp(slots[*it].record->name.c_str(), name) == 0; ++it) {
    if (!slots[*it].record->deleted) return slots[*it].record.get();
  }
  return nullptr;
}

VesselRecord* World::CreateVessel(const std::string& name, const std::string& className, std::string& error) {
  ClassInfo info;
  if (!FindClass(className, info, error)) return nullptr;
  ModuleEntries entries;
  std::string moduleName = info.moduleName;
  auto reg = registered.find(className);
  if (reg != registered.end()) {
    entries = reg->second;
    moduleName = registeredModule[className];
  } else if (!info.moduleName.empty()) {
    Module* module = LoadModule(info.moduleName, error);
    if (!module) return nullptr;
    entries = module->entries;
  }

  std::uint32_t slotIndex;
  if (!freeSlots.empty()) {
    slotIndex = freeSlots.back();
    freeSlots.pop_back();
  } else {
    slotIndex = static_cast<std::uint32_t>(slots.size());
    slots.emplace_back();
  }
  Slot& slot = slots[slotIndex];
  slot.record = std::make_unique<VesselRecord>();
  slot.lifecycle = Lifecycle::Constructed;
  VesselRecord& record = *slot.record;
  record.slot = slotIndex;
  record.generation = slot.generation;
  record.name = name;
  record.className = className;
  record.moduleName = moduleName;
  record.size = info.size;
  record.emptyMass = info.mass;
  order.push_back(slotIndex);
  byName.insert(std::upper_bound(byName.begin(), byName.end(), slotIndex,
                                 [this](std::uint32_t a, std::uint32_t b) {
                                   return strcasecmp(slots[a].record->name.c_str(), slots[b].record->name.c_str()) < 0;
                                 }),
                slotIndex);

  const OBJHANDLE handle = HandleOf(record);
  if (entries.init) {
    record.object = entries.init(handle, options.flightModel);
    record.fromModule = true;
    record.exitEntry = entries.exit;
    if (!record.object) {
      error = "module '" + moduleName + "' could not create vessel '" + name + "'";
      order.pop_back();
      byName.erase(std::find(byName.begin(), byName.end(), slotIndex));
      slot.record.reset();
      ++slot.generation;
      freeSlots.push_back(slotIndex);
      return nullptr;
    }
  } else {
    record.object = CreateStandIn(className, handle, options.flightModel);
  }

  // Definition.
  if (entries.setClassCaps) entries.setClassCaps(record.object, nullptr);
  if (record.object->Version() >= 2) static_cast<VESSEL2*>(record.object)->clbkSetClassCaps(nullptr);
  if (!info.mesh.empty() && record.meshes.empty()) record.object->AddMesh(info.mesh.c_str());
  Advance(record, Lifecycle::Constructed, Lifecycle::Defined, "clbkSetClassCaps");
  return &record;
}

void World::DeleteVessel(VesselRecord& record) {
  if (record.deleted) return;
  record.deleted = true;
  // Free whatever hangs on it and let go of its parent.
  for (auto& point : record.attachments) Unlink(point);
  if (hasFocus && focus == record.slot) hasFocus = false;
}

void World::CollectDeletedVessels() {
  for (size_t i = 0; i < order.size();) {
    Slot& slot = slots[order[i]];
    if (!slot.record->deleted) {
      ++i;
      continue;
    }
    VesselRecord& record = *slot.record;
    if (record.fromModule) {
      if (record.exitEntry) record.exitEntry(record.object);
    } else {
      delete record.object;
    }
    byName.erase(std::find(byName.begin(), byName.end(), order[i]));
    slot.record.reset();
    ++slot.generation;
    freeSlots.push_back(order[i]);
    order.erase(order.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

// ---------------------------------------------------------------------------------------------
// Sub-objects

AttachmentEntry* World::Attachment(ATTACHMENTHANDLE h, const char* op, VesselRecord** owner) {
  return ResolveIn(*this, h, &VesselRecord::attachments, &VesselRecord::attachmentGen, op, "attachment", owner);
}
PropellantEntry* World::Propellant(PROPELLANT_HANDLE h, const char* op, VesselRecord** owner) {
  return ResolveIn(*this, h, &VesselRecord::propellants, &VesselRecord::propellantGen, op, "propellant", owner);
}
ThrusterEntry* World::Thruster(THRUSTER_HANDLE h, const char* op, VesselRecord** owner) {
  return ResolveIn(*this, h, &VesselRecord::thrusters, &VesselRecord::thrusterGen, op, "thruster", owner);
}
ThrusterGroupEntry* World::Group(THGROUP_HANDLE h, const char* op, VesselRecord** owner) {
  ThrusterGroupEntry* group =
      ResolveIn(*this, h, &VesselRecord::groups, &VesselRecord::groupGen, op, "thruster group", owner);
  if (group && !group->alive) {
    Report("%s: the thruster group was deleted", op);
    return nullptr;
  }
  return group;
}

// ---------------------------------------------------------------------------------------------
// Classes and modules

bool World::FindClass(const std::string& className, ClassInfo& info, std::string& error) {
  auto known = classes.find(className);
  if (known != classes.end()) {
    info = known->second;
    return true;
  }
  info = ClassInfo{};
  info.name = className;
  if (IsStandInClass(className)) {
    classes[className] = info;
    return true;
  }
  const std::string path = ClassFilePath(options.configDir, className);
  bool missing = false;
  if (!ReadClassFile(path, info, error, missing)) {
    if (!missing) return false;
    if (!registered.count(className)) {
      error = "unknown vessel class '" + className + "' (" + error + ")";
      return false;
    }
  }
  classes[className] = info;
  return true;
}

Module* World::LoadModule(const std::string& moduleName, std::string& error) {
  auto found = modules.find(moduleName);
  if (found != modules.end()) return found->second.get();
  auto module = std::make_unique<Module>();
  module->name = moduleName;
  module->path = options.modulesDir + "/" + moduleName + ".so";
  module->library = dlopen(module->path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module->library) {
    const char* why = dlerror();
    error = "module library " + module->path + " cannot be loaded: " + (why ? why : "unknown reason");
    return nullptr;
  }
  module->entries.init = reinterpret_cast<VESSEL* (*)(OBJHANDLE, int)>(dlsym(module->library, "ovcInit"));
  module->entries.exit = reinterpret_cast<void (*)(VESSEL*)>(dlsym(module->library, "ovcExit"));
  module->entries.setClassCaps = reinterpret_cast<void (*)(VESSEL*, FILEHANDLE)>(dlsym(module->library, "ovcSetClassCaps"));
  module->version = reinterpret_cast<int (*)()>(dlsym(module->library, "ModuleVersion"));
  module->date = reinterpret_cast<const char* (*)()>(dlsym(module->library, "ModuleDate"));
  if (!module->entries.init || !module->entries.exit) {
    error = "module library " + module->path + " does not export " + (module->entries.init ? "ovcExit" : "ovcInit");
    dlclose(module->library);
    return nullptr;
  }
  Module* raw = module.get();
  modules[moduleName] = std::move(module);
  return raw;
}

void World::UnloadModules() {
  for (auto& entry : modules) {
    if (entry.second->library) dlclose(entry.second->library);
  }
  modules.clear();
}

// ---------------------------------------------------------------------------------------------
// Meshes

MESHHANDLE World::LoadMesh(const char* name) {
  for (size_t i = 0; i < meshNames.size(); ++i)
    if (meshNames[i] == name) return reinterpret_cast<MESHHANDLE>(i + 1);
  meshNames.emplace_back(name);
  return reinterpret_cast<MESHHANDLE>(meshNames.size());
}

const std::string* World::MeshName(MESHHANDLE h) const {
  const auto index = reinterpret_cast<std::uintptr_t>(h);
  if (index == 0 || index > meshNames.size()) return nullptr;
  return &meshNames[index - 1];
}

}  // namespace varn
