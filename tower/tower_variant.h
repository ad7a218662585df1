// What tells the four tower builds apart: the mesh, the name of the temporary state file,
// whether the tower has a crew access arm, and the arm animations with their rotations.
// Each deliverable is compiled with exactly one of these tables (tower_variants.cpp).
#pragma once

#include "host_api.h"

// Which mechanism drives an animation.
enum class ArmDriver { LaunchArms, CrewAccessArm };

// One animation of the tower mesh: one or two rotations, all over the state range 0..1.
struct TowerAnimation {
  ArmDriver driver;
  MGROUP_ROTATE* components[2];  // the second is null for a single rotation
};

const int kMaxTowerAnimations = 8;

struct TowerVariant {
  const char* name;  // the deliverable's name, which is also the temporary state file's name
  const char* mesh;
  bool hasCrewAccessArm;
  const TowerAnimation* animations;  // in the order of creation
  int animationCount;
};

// The variant this deliverable is built as.
extern const TowerVariant kTowerVariant;
