// The arm animations of the four tower builds. Every rotation turns groups of mesh 0; state 1 is
// the mesh as modelled, so a group at state p stands turned by (p - 1) x its angle.
// The rotation records live as long as the module, because the host keeps pointers to them.
// The deliverable picks its table with the compile definition TOWER_VARIANT.
#include "tower_variant.h"

#include <cstddef>

namespace {

struct Pivot {
  VECTOR3 ref;
  VECTOR3 axis;  // passed as written; the deck pair's axes are not of unit length
  double angleDegrees;
};

const double kPi = 3.14159265358979323846;

template <std::size_t N>
MGROUP_ROTATE Rotation(UINT (&groups)[N], const Pivot& pivot) {
  return MGROUP_ROTATE(0, groups, N, pivot.ref, pivot.axis, static_cast<float>(pivot.angleDegrees * kPi / 180.0));
}

// Pivots that several arms or several builds share.
const Pivot kLowArm = {{{0, 17.104, -0.766}}, {{1, 0, 0}}, -90};
const Pivot kSwingArm = {{{-4.186, 39.28096, -5.806}}, {{0, -1, 0}}, 55};
const Pivot kAccessArm = {{{-8.721183, 38.82339, -6.128671}}, {{0, 1, 0}}, 200};
const Pivot kDeckRight = {{{1.7, -42.3, 17.25}}, {{1, 0, -0.3}}, -40};
const Pivot kDeckLeft = {{{-1.7, -42.3, 17.25}}, {{1, 0, 0.3}}, -40};

const ArmDriver kLaunch = ArmDriver::LaunchArms;
const ArmDriver kCrew = ArmDriver::CrewAccessArm;

// EM1: low arm, upper arm, crew access arm, two swing arms, side arm, deck pair.
namespace em1 {
UINT lowArmGroups[] = {42};
UINT upperArmGroups[] = {74, 81, 82, 20, 19};
UINT accessArmGroups[] = {18, 4, 83, 49, 73};
UINT swingArm1Groups[] = {78, 35, 34};
UINT swingArm2Groups[] = {79, 36, 37};
UINT sideArmGroups[] = {75, 21};
UINT deckRightGroups[] = {24, 76};
UINT deckLeftGroups[] = {25, 77};
MGROUP_ROTATE lowArm = Rotation(lowArmGroups, kLowArm);
MGROUP_ROTATE upperArm = Rotation(upperArmGroups, {{{-2.922714, 36.0, -3.728}}, {{1, 0, 0}}, 70});
MGROUP_ROTATE accessArm = Rotation(accessArmGroups, kAccessArm);
MGROUP_ROTATE swingArm1 = Rotation(swingArm1Groups, kSwingArm);
MGROUP_ROTATE swingArm2 = Rotation(swingArm2Groups, kSwingArm);
MGROUP_ROTATE sideArm = Rotation(sideArmGroups, {{{-4.469887, 35.55904, -4.783749}}, {{0, 1, 0}}, -80});
MGROUP_ROTATE deckRight = Rotation(deckRightGroups, kDeckRight);
MGROUP_ROTATE deckLeft = Rotation(deckLeftGroups, kDeckLeft);
const TowerAnimation animations[] = {
    {kLaunch, {&lowArm}},    {kLaunch, {&upperArm}}, {kCrew, {&accessArm}},
    {kLaunch, {&swingArm1}}, {kLaunch, {&swingArm2}}, {kLaunch, {&sideArm}},
    {kLaunch, {&deckRight, &deckLeft}},
};
}  // namespace em1

// EM2: as EM1 with four swing arms instead of two, no side arm, and the upper arm pivot higher.
namespace em2 {
UINT lowArmGroups[] = {48};
UINT upperArmGroups[] = {81, 89, 90, 22, 19};
UINT accessArmGroups[] = {20, 4, 91, 55, 80};
UINT swingArm1Groups[] = {86, 41, 40};
UINT swingArm2Groups[] = {87, 42, 43};
UINT swingArm3Groups[] = {39, 38, 85};
UINT swingArm4Groups[] = {37, 36, 84};
UINT deckRightGroups[] = {24, 82};
UINT deckLeftGroups[] = {25, 83};
MGROUP_ROTATE lowArm = Rotation(lowArmGroups, kLowArm);
MGROUP_ROTATE upperArm = Rotation(upperArmGroups, {{{-2.922714, 47.813, -3.728}}, {{1, 0, 0}}, 70});
MGROUP_ROTATE accessArm = Rotation(accessArmGroups, kAccessArm);
MGROUP_ROTATE swingArm1 = Rotation(swingArm1Groups, kSwingArm);
MGROUP_ROTATE swingArm2 = Rotation(swingArm2Groups, kSwingArm);
MGROUP_ROTATE swingArm3 = Rotation(swingArm3Groups, kSwingArm);
MGROUP_ROTATE swingArm4 = Rotation(swingArm4Groups, kSwingArm);
MGROUP_ROTATE deckRight = Rotation(deckRightGroups, kDeckRight);
MGROUP_ROTATE deckLeft = Rotation(deckLeftGroups, kDeckLeft);
const TowerAnimation animations[] = {
    {kLaunch, {&lowArm}},    {kLaunch, {&upperArm}},  {kCrew, {&accessArm}},
    {kLaunch, {&swingArm1}}, {kLaunch, {&swingArm2}}, {kLaunch, {&swingArm3}},
    {kLaunch, {&swingArm4}}, {kLaunch, {&deckRight, &deckLeft}},
};
}  // namespace em2

// BLOCK2 and EM1BCARGO: low arm, four swing arms, deck pair; no crew access arm. The two meshes
// differ only in their group numbers, given in this order.
struct SwingArmTower {
  UINT lowArmGroups[1];
  UINT swingArm1Groups[3], swingArm2Groups[3], swingArm3Groups[3], swingArm4Groups[3];
  UINT deckRightGroups[2], deckLeftGroups[2];
  MGROUP_ROTATE lowArm = Rotation(lowArmGroups, kLowArm);
  MGROUP_ROTATE swingArm1 = Rotation(swingArm1Groups, kSwingArm);
  MGROUP_ROTATE swingArm2 = Rotation(swingArm2Groups, kSwingArm);
  MGROUP_ROTATE swingArm3 = Rotation(swingArm3Groups, kSwingArm);
  MGROUP_ROTATE swingArm4 = Rotation(swingArm4Groups, kSwingArm);
  MGROUP_ROTATE deckRight = Rotation(deckRightGroups, kDeckRight);
  MGROUP_ROTATE deckLeft = Rotation(deckLeftGroups, kDeckLeft);
  TowerAnimation animations[6] = {
      {kLaunch, {&lowArm}},    {kLaunch, {&swingArm1}}, {kLaunch, {&swingArm2}},
      {kLaunch, {&swingArm3}}, {kLaunch, {&swingArm4}}, {kLaunch, {&deckRight, &deckLeft}},
  };
};

SwingArmTower block2 = {{42}, {73, 35, 34}, {74, 36, 37}, {33, 32, 72}, {15, 14, 69}, {21, 70}, {22, 71}};
SwingArmTower em1bcargo = {{41}, {73, 34, 33}, {74, 35, 36}, {32, 31, 72}, {30, 29, 71}, {17, 69}, {18, 70}};

template <std::size_t N>
constexpr int Count(const TowerAnimation (&)[N]) {
  return static_cast<int>(N);
}

const TowerVariant kEM1 = {"VARNTOWER2016EM1", "VARN_2016/VARNTOWEREM1F", true, em1::animations,
                           Count(em1::animations)};
const TowerVariant kEM2 = {"VARNTOWER2016EM2", "VARN_2016/VARNTOWEREM2F", true, em2::animations,
                           Count(em2::animations)};
const TowerVariant kBLOCK2 = {"VARNTOWER2016BLOCK2", "VARN_2016/VARNTOWERBLOCK2", false, block2.animations,
                              Count(block2.animations)};
const TowerVariant kEM1BCARGO = {"VARNTOWER2016EM1BCARGO", "VARN_2016/VARNTOWEREM1BCARGO1A", false,
                                 em1bcargo.animations, Count(em1bcargo.animations)};

}  // namespace

const TowerVariant kTowerVariant = TOWER_VARIANT;
