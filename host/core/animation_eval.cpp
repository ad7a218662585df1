// Where a mesh group stands at the present animation states. Each component moves its groups by
// the share of its state range passed since the animation's initial state; a child component's
// motion is applied first and its ancestors' motions on top, so that children ride on parents.
#include "geometry.h"
#include "world.h"

#include <algorithm>
#include <cmath>

namespace varn {

namespace {

Transform IdentityTransform() { return Transform{Identity(), _V(0, 0, 0)}; }

// a after b: first b, then a.
Transform Compose(const Transform& a, const Transform& b) { return Transform{Multiply(a.m, b.m), a.Apply(b.t)}; }

double Progress(const AnimationComponent& c, double state) {
  if (c.state1 == c.state0) return state >= c.state1 ? 1.0 : 0.0;
  return std::max(0.0, std::min(1.0, (state - c.state0) / (c.state1 - c.state0)));
}

MATRIX3 AxisRotation(const VECTOR3& axis, double angle) {
  const VECTOR3 u = unit(axis);
  const double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
  MATRIX3 m;
  m.m11 = t * u.x * u.x + c, m.m12 = t * u.x * u.y - s * u.z, m.m13 = t * u.x * u.z + s * u.y;
  m.m21 = t * u.x * u.y + s * u.z, m.m22 = t * u.y * u.y + c, m.m23 = t * u.y * u.z - s * u.x;
  m.m31 = t * u.x * u.z - s * u.y, m.m32 = t * u.y * u.z + s * u.x, m.m33 = t * u.z * u.z + c;
  return m;
}

// A linear map about a fixed point: p -> ref + m (p - ref).
Transform About(const VECTOR3& ref, const MATRIX3& m) { return Transform{m, ref - mul(m, ref)}; }

Transform OwnMotion(const VesselRecord& r, const AnimationComponent& c) {
  const AnimationEntry& animation = r.animations[c.animation];
  const double amount = Progress(c, animation.state) - Progress(c, animation.defaultState);
  switch (c.transform->type) {
    case MGROUP_TRANSFORM::ROTATE: {
      const auto* rotate = static_cast<const MGROUP_ROTATE*>(c.transform);
      return About(rotate->ref, AxisRotation(rotate->axis, static_cast<double>(rotate->angle) * amount));
    }
    case MGROUP_TRANSFORM::TRANSLATE: {
      const auto* translate = static_cast<const MGROUP_TRANSLATE*>(c.transform);
      return Transform{Identity(), translate->shift * amount};
    }
    case MGROUP_TRANSFORM::SCALE: {
      const auto* scale = static_cast<const MGROUP_SCALE*>(c.transform);
      MATRIX3 m = Identity();
      m.m11 = 1 + (scale->scale.x - 1) * amount;
      m.m22 = 1 + (scale->scale.y - 1) * amount;
      m.m33 = 1 + (scale->scale.z - 1) * amount;
      return About(scale->ref, m);
    }
    default:
      return IdentityTransform();
  }
}

bool Moves(const MGROUP_TRANSFORM& t, UINT mesh, UINT group) {
  if (t.mesh != mesh) return false;
  if (!t.grp) return true;
  for (UINT i = 0; i < t.ngrp; ++i)
    if (t.grp[i] == group) return true;
  return false;
}

}  // namespace

Transform Simulation::GroupTransform(const std::string& vessel, UINT mesh, UINT group) const {
  Transform total = IdentityTransform();
  const VesselRecord* r = world->VesselByName(vessel);
  if (!r) return total;
  for (size_t k = 0; k < r->components.size(); ++k) {
    if (!Moves(*r->components[k].transform, mesh, group)) continue;
    Transform chain = IdentityTransform();
    for (int c = static_cast<int>(k); c >= 0; c = r->components[static_cast<size_t>(c)].parent)
      chain = Compose(OwnMotion(*r, r->components[static_cast<size_t>(c)]), chain);
    total = Compose(chain, total);
  }
  if (mesh < r->meshes.size()) total.t += r->meshes[mesh].offset;
  return total;
}

}  // namespace varn
