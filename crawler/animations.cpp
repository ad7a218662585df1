// The crawler's twelve animations on mesh 0.
//
// The transforms and their group lists are built once for the module, the first time a crawler
// is constructed, and live until the library is unloaded: the host keeps pointers to them. Each
// crawler adds the same components to animations of its own, so every crawler animates
// independently. The cab controls are children of the deck translation and ride up with it.
#include "crawler.h"
#include "mesh_groups.h"

#include <memory>
#include <vector>

using namespace crawler;

namespace {

// Animations in creation order, with the state at which the mesh stands as modelled.
enum Animation {
  Steering, DeckLift, FrontTrucks, FrontCylinders, RearTrucks, RearCylinders,
  SpeedNeedle, RearPitch, FrontPitch, ForwardLamp, ReverseLamp, DriveLamp,
  kAnimationCount
};
const double kInitialState[kAnimationCount] = {0.5, 0, 0, 0, 0, 0, 0, 0.5, 0.5, 0, 0, 0};

struct Component {
  Animation animation;
  MGROUP_TRANSFORM* transform;
  int parent;  // index of an earlier component, or -1
};

struct TruckPivot {
  double x, z;
  double side;  // +1 right, -1 left
};
const TruckPivot kPivots[kTruckCount] = {
    {13.76962, -14.27442, 1}, {-13.76962, -14.27442, -1}, {13.76962, 13.45842, 1}, {-13.74845, 13.45842, -1}};

// Rod reference points: inboard of the truck pivot and at either end of the truck.
const double kRodInboard = 5.574038;
const double kRodEnd = 5.68158;

class AnimationSet {
 public:
  AnimationSet();
  std::vector<Component> components;  // parents before children

 private:
  UINT* Groups(UINT first, UINT count);
  UINT* Group(UINT group) { return Groups(group, 1); }
  int Add(Animation animation, MGROUP_TRANSFORM* transform, int parent = -1);
  int Rotate(Animation a, UINT* grp, UINT n, VECTOR3 ref, VECTOR3 axis, double degrees, int parent = -1);
  int Translate(Animation a, UINT* grp, UINT n, VECTOR3 shift, int parent = -1);
  int Scale(Animation a, UINT* grp, UINT n, VECTOR3 ref, VECTOR3 scale);
  void AddTruckRods(Animation a, int truck, UINT firstGroup, double height, const double angles[4],
                    const double slides[4]);

  std::vector<std::unique_ptr<MGROUP_TRANSFORM>> transforms;
  std::vector<std::unique_ptr<UINT[]>> groupLists;
};

UINT* AnimationSet::Groups(UINT first, UINT count) {
  groupLists.push_back(std::make_unique<UINT[]>(count));
  UINT* list = groupLists.back().get();
  for (UINT i = 0; i < count; ++i) list[i] = first + i;
  return list;
}

int AnimationSet::Add(Animation animation, MGROUP_TRANSFORM* transform, int parent) {
  transforms.emplace_back(transform);
  components.push_back(Component{animation, transform, parent});
  return static_cast<int>(components.size()) - 1;
}

int AnimationSet::Rotate(Animation a, UINT* grp, UINT n, VECTOR3 ref, VECTOR3 axis, double degrees, int parent) {
  return Add(a, new MGROUP_ROTATE(0, grp, n, ref, axis, static_cast<float>(degrees * kDegree)), parent);
}

int AnimationSet::Translate(Animation a, UINT* grp, UINT n, VECTOR3 shift, int parent) {
  return Add(a, new MGROUP_TRANSLATE(0, grp, n, shift), parent);
}

int AnimationSet::Scale(Animation a, UINT* grp, UINT n, VECTOR3 ref, VECTOR3 scale) {
  return Add(a, new MGROUP_SCALE(0, grp, n, ref, scale));
}

// Four rods of one truck, two swinging about z and two about x, each with a child rod that
// slides along it (vertically in the modelled pose).
void AnimationSet::AddTruckRods(Animation a, int truck, UINT firstGroup, double height, const double angles[4],
                                const double slides[4]) {
  const TruckPivot& p = kPivots[truck];
  const double inboardX = p.x - p.side * kRodInboard;
  const VECTOR3 refs[4] = {_V(inboardX, height, p.z - kRodEnd), _V(inboardX, height, p.z + kRodEnd),
                           _V(p.x, height, p.z - kRodEnd), _V(p.x, height, p.z + kRodEnd)};
  const VECTOR3 axes[4] = {_V(0, 0, 1), _V(0, 0, 1), _V(1, 0, 0), _V(1, 0, 0)};
  for (int rod = 0; rod < 4; ++rod) {
    const int parent = Rotate(a, Group(firstGroup + rod), 1, refs[rod], axes[rod], angles[rod]);
    Translate(a, Group(firstGroup + 4 + rod), 1, _V(0, slides[rod], 0), parent);
  }
}

AnimationSet::AnimationSet() {
  using namespace groups;
  const VECTOR3 scaleUp = _V(1, 2.7, 1);

  // The deck first: the cab controls of several animations hang on it.
  const int deck = Translate(DeckLift, Groups(kDeckFirst, kDeckCount), kDeckCount, _V(0, kDeckTravel, 0));

  // Steering: cab wheels, trucks about the vertical, steering-cylinder rods.
  Rotate(Steering, Group(kFrontWheel), 1, _V(16.0438, 4.878555, 18.40866),
         _V(0, 0.7549721853964, -0.655756814129785), -180, deck);
  Rotate(Steering, Group(kRearWheel), 1, _V(-15.9438, 4.878555, -19.25966),
         _V(0, 0.7549721853964, 0.655756814129785), -180, deck);
  for (int t = 0; t < kTruckCount; ++t) {
    Rotate(Steering, Groups(TruckFirst(t), kPerTruck), kPerTruck, _V(kPivots[t].x, 3.17465, kPivots[t].z),
           _V(0, 1, 0), -12);
  }
  for (int t = 0; t < kTruckCount; ++t) {
    Translate(Steering, Group(SteeringRod(t, 0)), 1, _V(1.4, 0.2, 0));
    Translate(Steering, Group(SteeringRod(t, 1)), 1, _V(-1.4, -0.2, 0));
  }

  // Deck lift: the four corner cylinders stretch, and each truck's linkage follows the deck.
  const VECTOR3 liftCylinderRefs[kTruckCount] = {_V(13.75165, 2.312, -14.283), _V(-13.75165, 2.312, -14.283),
                                                 _V(13.6693, 2.312, 13.43165), _V(-13.6693, 2.312, 13.43165)};
  for (int t = 0; t < kTruckCount; ++t) Scale(DeckLift, Group(Cylinder(t)), 1, liftCylinderRefs[t], scaleUp);
  for (int t = 0; t < kTruckCount; ++t) {
    const double side = kPivots[t].side;
    const double angles[4] = {20 * side, -20 * side, 22, -22};
    const double slides[4] = {0.2, 0.6, 0.5, 0.5};
    AddTruckRods(DeckLift, t, LiftRodsFirst(t), 4.1, angles, slides);
  }

  // Truck drops and their cylinders, front pair then rear pair, for the ramp levelling.
  const VECTOR3 pairCylinderRefs[kTruckCount] = {_V(13.75165, 3.8, -14.283), _V(-13.75165, 3.8, -14.283),
                                                 _V(13.74845, 3.8, 13.45842), _V(-13.74845, 3.8, 13.45842)};
  const struct {
    Animation trucks, cylinders;
    int first;
  } pairs[2] = {{FrontTrucks, FrontCylinders, FrontRight}, {RearTrucks, RearCylinders, RearRight}};
  for (const auto& pair : pairs) {
    for (int t = pair.first; t < pair.first + 2; ++t) {
      Translate(pair.trucks, Groups(TruckFirst(t), kPerTruck), kPerTruck, _V(0, -4.25, 0));
    }
    for (int t = pair.first; t < pair.first + 2; ++t) {
      const double side = kPivots[t].side;
      const double angles[4] = {-50 * side, -30 * side, 40, -40};
      const double slides[4] = {-0.1, -0.1, -0.1, -0.1};
      AddTruckRods(pair.trucks, t, DropRodsFirst(t), 2.611574, angles, slides);
    }
    for (int t = pair.first; t < pair.first + 2; ++t) {
      Scale(pair.cylinders, Group(Cylinder(t)), 1, pairCylinderRefs[t], scaleUp);
    }
  }

  Rotate(SpeedNeedle, Group(kFrontNeedle), 1, _V(15.63866, 4.854746, 18.18631), _V(-0.78112, -0.4415, 0.4415), -270,
         deck);
  Rotate(SpeedNeedle, Group(kRearNeedle), 1, _V(-15.53866, 4.854746, -19.03731), _V(0.78112, -0.4415, -0.4415), -270,
         deck);

  const struct {
    Animation animation;
    int first;
  } pitches[2] = {{RearPitch, RearRight}, {FrontPitch, FrontRight}};
  for (const auto& pitch : pitches) {
    for (int t = pitch.first; t < pitch.first + 2; ++t) {
      Rotate(pitch.animation, Groups(TruckFirst(t), kPerTruck), kPerTruck, _V(kPivots[t].x, 1.507, kPivots[t].z),
             _V(-1, 0, 0), 20);
    }
  }

  Translate(ForwardLamp, Group(kFrontForwardLamp), 1, _V(0.01, 0.004, -0.01), deck);
  Translate(ForwardLamp, Group(kRearForwardLamp), 1, _V(-0.01, 0.004, 0.01), deck);
  Translate(ReverseLamp, Group(kFrontReverseLamp), 1, _V(0.01, 0.004, -0.01), deck);
  Translate(ReverseLamp, Group(kRearReverseLamp), 1, _V(-0.01, 0.004, 0.01), deck);
  Translate(DriveLamp, Group(kFrontDriveLamp), 1, _V(0.01, 0, 0), deck);
  Translate(DriveLamp, Group(kRearDriveLamp), 1, _V(-0.01, 0, 0), deck);
}

const AnimationSet& SharedAnimationSet() {
  static const AnimationSet set;
  return set;
}

}  // namespace

void VARNCRAWLER::DefineAnimations() {
  UINT* const ids[kAnimationCount] = {&animSteering,    &animDeckLift,   &animFrontTrucks, &animFrontCylinders,
                                      &animRearTrucks,  &animRearCylinders, &animSpeedNeedle, &animRearPitch,
                                      &animFrontPitch,  &animForwardLamp, &animReverseLamp, &animDriveLamp};
  for (int a = 0; a < kAnimationCount; ++a) *ids[a] = CreateAnimation(kInitialState[a]);

  const std::vector<Component>& components = SharedAnimationSet().components;
  std::vector<ANIMATIONCOMPONENT_HANDLE> handles(components.size());
  for (size_t i = 0; i < components.size(); ++i) {
    const Component& c = components[i];
    handles[i] = AddAnimationComponent(*ids[c.animation], 0, 1, c.transform, c.parent < 0 ? nullptr : handles[c.parent]);
  }
}
