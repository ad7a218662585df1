// The Simulation: the host's public face for the program, the tests and the benchmark.
#include "simulation.h"

#include "world.h"

#include <algorithm>
#include <stdexcept>

namespace varn {

Simulation::Simulation(HostOptions options) {
  if (World::Exists()) throw std::logic_error("only one simulation may exist at a time");
  world = std::make_unique<World>(std::move(options));
}

Simulation::~Simulation() = default;

void Simulation::RegisterClass(const std::string& className, const std::string& moduleName,
                               const ModuleEntries& entries) {
  world->registered[className] = entries;
  world->registeredModule[className] = moduleName;
}

bool Simulation::LoadScenarioFile(const std::string& path, std::string& error) {
  std::string text;
  DiskFileSystem disk("");
  if (!disk.Read(path.c_str(), text)) {
    error = path + ": cannot read the scenario file";
    return false;
  }
  return LoadScenarioText(text, path, error);
}

bool Simulation::LoadScenarioText(const std::string& text, const std::string& sourceName, std::string& error) {
  return world->LoadScenario(text, sourceName, error);
}

void Simulation::Step() { world->Step(); }

void Simulation::RunUntil(double simTime) {
  // A small tolerance keeps rounding of the summed step lengths from adding a frame.
  while (world->simTime < simTime - 1e-9 && world->errors.empty()) world->Step();
}

double Simulation::Time() const { return world->simTime; }
double Simulation::StepLength() const { return world->options.dt * world->timeAcceleration; }

void Simulation::AddScriptEvent(const ScriptEvent& event) {
  auto& script = world->script;
  auto position = std::upper_bound(script.begin() + static_cast<std::ptrdiff_t>(world->nextScript), script.end(),
                                   event, [](const ScriptEvent& a, const ScriptEvent& b) { return a.time < b.time; });
  script.insert(position, event);
}

bool Simulation::SetFocus(const std::string& vessel) {
  VesselRecord* record = world->VesselByName(vessel);
  return record && world->SetFocus(*record);
}

int Simulation::PressKey(DWORD key, DWORD modifier) {
  const int result = world->KeyDown(key, modifier);
  world->releasesNextFrame.push_back(World::KeyEvent{key, modifier, -1});
  return result;
}

int Simulation::ReleaseKey(DWORD key) { return world->KeyUp(key, 0); }

void Simulation::SetKeyHeld(DWORD key, bool held) { world->keyState[key & 0xFF] = held ? static_cast<char>(0x80) : 0; }

int Simulation::ConsumeDirectKeys() {
  VesselRecord* target = world->FocusVessel();
  return target ? static_cast<VESSEL2*>(target->object)->clbkConsumeDirectKey(world->keyState) : 0;
}

VesselRecord* Simulation::Find(const std::string& name) { return world->VesselByName(name); }

VESSEL* Simulation::Interface(const std::string& name) {
  VesselRecord* record = world->VesselByName(name);
  return record ? record->object : nullptr;
}

std::vector<const VesselRecord*> Simulation::Vessels() const {
  std::vector<const VesselRecord*> vessels;
  for (std::uint32_t slot : world->order)
    if (!world->slots[slot].record->deleted) vessels.push_back(world->slots[slot].record.get());
  return vessels;
}

const std::string& Simulation::FocusName() const {
  static const std::string none;
  VesselRecord* focus = world->FocusVessel();
  return focus ? focus->name : none;
}

const char* Simulation::DebugString() const { return world->debugString; }
const std::vector<HostError>& Simulation::Errors() const { return world->errors; }
FileSystem& Simulation::Files() { return *world->files; }
std::string Simulation::SaveScenario() { return world->SaveScenario(); }

void Simulation::EnableTrace(std::function<void(const std::string& row)> sink) {
  world->traceSink = std::move(sink);
  world->traceLast.clear();
  world->SampleTrace();
}

World& Simulation::GetWorld() { return *world; }

}  // namespace varn
