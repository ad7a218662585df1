// The building's animation set: one animation per door or platform pair, every component a
// translation of groups of mesh 0. The transform records are built once per module, the first
// time a vessel defines its animations, and kept until the module is unloaded, because the host
// holds on to them.

#include "vab.h"
#include "vab_build.h"

#include <memory>
#include <vector>

namespace {

// A large door: four horizontal leaves and seven vertical panels, each moving two mesh groups.
// Leaves in the order +25 m, +12.5 m, -25 m, -12.5 m along x; panels from the highest rise down.
struct LargeDoorGroups {
  UINT leaves[4][2];
  UINT panels[7][2];
};

const LargeDoorGroups kLargeDoors[4] = {
    {{{29, 244}, {28, 243}, {30, 246}, {31, 245}},
     {{38, 156}, {37, 157}, {36, 158}, {33, 162}, {39, 159}, {35, 160}, {34, 161}}},
    {{{40, 247}, {41, 248}, {42, 249}, {43, 250}},
     {{44, 163}, {45, 164}, {46, 165}, {47, 166}, {48, 167}, {49, 168}, {50, 169}}},
    {{{52, 251}, {53, 252}, {54, 253}, {55, 254}},
     {{56, 170}, {57, 171}, {58, 172}, {59, 173}, {60, 174}, {61, 175}, {62, 176}}},
    {{{64, 255}, {65, 256}, {66, 257}, {67, 258}},
     {{68, 177}, {69, 178}, {70, 179}, {71, 180}, {72, 181}, {73, 182}, {74, 183}}},
};
// The outer leaves slide from the start of the travel, the inner ones from its half; the panels
// rise from a quarter, each by its own height.
const double kLeafShifts[4] = {25, 12.5, -25, -12.5};
const double kLeafStarts[4] = {0, 0.5, 0, 0.5};
const double kPanelRises[7] = {99, 85, 72, 60, 45, 30, 16};
const double kPanelStart = 0.25;

const UINT kDoor5Group = 102, kDoor6Group = 100;
const double kSmallDoorTravel = 16.4;  // along z: DOOR5 forwards, DOOR6 backwards

// Mesh groups of EM1F to EM1K, the same in both builds (group moved by -11 m, by +11 m).
const UINT kUpperPlatformGroups[5][2] = {{204, 205}, {202, 203}, {200, 201}, {208, 209}, {206, 207}};
const double kPlatformTravel = 11;

struct Component {
  VARNVAB::Part part;
  double state0, state1;
  MGROUP_TRANSLATE* transform;
};

// Every component of the set, in the order the animations take them.
class ComponentTable {
 public:
  ComponentTable() {
    for (int door = 0; door < 4; ++door) {
      const auto part = static_cast<VARNVAB::Part>(VARNVAB::DOOR1 + door);
      const LargeDoorGroups& groups = kLargeDoors[door];
      for (int i = 0; i < 4; ++i) Add(part, kLeafStarts[i], groups.leaves[i], 2, _V(kLeafShifts[i], 0, 0));
      for (int i = 0; i < 7; ++i) Add(part, kPanelStart, groups.panels[i], 2, _V(0, kPanelRises[i], 0));
    }
    Add(VARNVAB::DOOR5, 0, &kDoor5Group, 1, _V(0, 0, kSmallDoorTravel));
    Add(VARNVAB::DOOR6, 0, &kDoor6Group, 1, _V(0, 0, -kSmallDoorTravel));
    for (int i = 0; i < 10; ++i) {
      const auto part = static_cast<VARNVAB::Part>(VARNVAB::EM1A + i);
      const UINT* pair = i < 5 ? VabBuild::kLowerPlatformGroups[i] : kUpperPlatformGroups[i - 5];
      Add(part, 0, &pair[0], 1, _V(-kPlatformTravel, 0, 0));
      Add(part, 0, &pair[1], 1, _V(kPlatformTravel, 0, 0));
    }
  }

  std::vector<Component> components;

 private:
  void Add(VARNVAB::Part part, double state0, const UINT* groups, UINT count, const VECTOR3& shift) {
    groupLists.emplace_back(new UINT[count]);
    for (UINT i = 0; i < count; ++i) groupLists.back()[i] = groups[i];
    transforms.emplace_back(new MGROUP_TRANSLATE(0, groupLists.back().get(), count, shift));
    components.push_back(Component{part, state0, 1, transforms.back().get()});
  }

  std::vector<std::unique_ptr<UINT[]>> groupLists;
  std::vector<std::unique_ptr<MGROUP_TRANSLATE>> transforms;
};

const ComponentTable& Components() {
  static const ComponentTable table;
  return table;
}

}  // namespace

void VARNVAB::DefineAnimations() {
  for (UINT& animation : animations) animation = CreateAnimation(0);
  for (const Component& component : Components().components)
    AddAnimationComponent(animations[component.part], component.state0, component.state1, component.transform);
}
