// VESSEL: attachment points, and the links the host keeps between parent and child points.
#include "geometry.h"
#include "vessel_access.h"

using varn::AttachmentEntry;
using varn::Self;
using varn::VesselRecord;
using varn::World;

namespace varn {

void World::Link(VesselRecord& parent, size_t parentPoint, VesselRecord& child, size_t childPoint) {
  AttachmentEntry& p = parent.attachments[parentPoint];
  AttachmentEntry& c = child.attachments[childPoint];
  p.other = HandleOf(child);
  p.otherPoint = SubHandle<ATTACHMENTHANDLE>(child, child.attachmentGen, childPoint);
  c.other = HandleOf(parent);
  c.otherPoint = SubHandle<ATTACHMENTHANDLE>(parent, parent.attachmentGen, parentPoint);
  child.landed = false;
}

AttachmentEntry* World::Peer(const AttachmentEntry& point) {
  VesselRecord* other = Vessel(point.other);
  HandleParts parts;
  if (!other || !UnpackHandle(point.otherPoint, parts) || parts.index >= other->attachments.size()) return nullptr;
  return &other->attachments[parts.index];
}

void World::Unlink(AttachmentEntry& point) {
  if (AttachmentEntry* peer = Peer(point)) {
    peer->other = nullptr;
    peer->otherPoint = nullptr;
  }
  point.other = nullptr;
  point.otherPoint = nullptr;
}

VesselRecord* World::ParentOf(const VesselRecord& child, size_t* childPoint, size_t* parentPoint) {
  for (size_t i = 0; i < child.attachments.size(); ++i) {
    const AttachmentEntry& point = child.attachments[i];
    if (!point.toParent || !point.other) continue;
    VesselRecord* parent = Vessel(point.other);
    HandleParts parts;
    if (!parent || !UnpackHandle(point.otherPoint, parts)) continue;
    if (childPoint) *childPoint = i;
    if (parentPoint) *parentPoint = parts.index;
    return parent;
  }
  return nullptr;
}

}  // namespace varn

namespace {
// The index of the i-th point of one side, or -1.
long PointIndex(const VesselRecord& r, bool toparent, DWORD i) {
  DWORD seen = 0;
  for (size_t k = 0; k < r.attachments.size(); ++k) {
    if (r.attachments[k].toParent != toparent) continue;
    if (seen++ == i) return static_cast<long>(k);
  }
  return -1;
}
}  // namespace

ATTACHMENTHANDLE VESSEL::CreateAttachment(bool toparent, const VECTOR3& pos, const VECTOR3& dir, const VECTOR3& rot,
                                          const char* id, bool loose) const {
  VesselRecord* r = Self(this, "CreateAttachment");
  if (!r) return nullptr;
  AttachmentEntry point;
  point.toParent = toparent;
  point.pos = pos, point.dir = dir, point.rot = rot;
  point.id = id ? id : "";
  point.loose = loose;
  r->attachments.push_back(point);
  return World::Current().SubHandle<ATTACHMENTHANDLE>(*r, r->attachmentGen, r->attachments.size() - 1);
}

bool VESSEL::SetAttachmentParams(ATTACHMENTHANDLE attachment, const VECTOR3& pos, const VECTOR3& dir,
                                 const VECTOR3& rot) const {
  VesselRecord* owner = nullptr;
  AttachmentEntry* point = World::Current().Attachment(attachment, "SetAttachmentParams", &owner);
  if (!point) return false;
  point->pos = pos, point->dir = dir, point->rot = rot;
  return true;
}

void VESSEL::GetAttachmentParams(ATTACHMENTHANDLE attachment, VECTOR3& pos, VECTOR3& dir, VECTOR3& rot) const {
  AttachmentEntry* point = World::Current().Attachment(attachment, "GetAttachmentParams");
  if (!point) {
    pos = dir = rot = _V(0, 0, 0);
    return;
  }
  pos = point->pos, dir = point->dir, rot = point->rot;
}

const char* VESSEL::GetAttachmentId(ATTACHMENTHANDLE attachment) const {
  AttachmentEntry* point = World::Current().Attachment(attachment, "GetAttachmentId");
  return point ? point->id.c_str() : "";
}

OBJHANDLE VESSEL::GetAttachmentStatus(ATTACHMENTHANDLE attachment) const {
  AttachmentEntry* point = World::Current().Attachment(attachment, "GetAttachmentStatus");
  return point ? point->other : nullptr;
}

DWORD VESSEL::AttachmentCount(bool toparent) const {
  VesselRecord* r = Self(this, "AttachmentCount");
  if (!r) return 0;
  DWORD count = 0;
  for (const auto& point : r->attachments) count += point.toParent == toparent ? 1 : 0;
  return count;
}

ATTACHMENTHANDLE VESSEL::GetAttachmentHandle(bool toparent, DWORD i) const {
  VesselRecord* r = Self(this, "GetAttachmentHandle");
  if (!r) return nullptr;
  const long index = PointIndex(*r, toparent, i);
  if (index < 0) return nullptr;
  return World::Current().SubHandle<ATTACHMENTHANDLE>(*r, r->attachmentGen, static_cast<size_t>(index));
}

bool VESSEL::AttachChild(OBJHANDLE child, ATTACHMENTHANDLE attachment, ATTACHMENTHANDLE child_attachment) const {
  World& world = World::Current();
  VesselRecord* parent = Self(this, "AttachChild");
  VesselRecord* childRecord = world.Vessel(child, "AttachChild");
  VesselRecord *parentOwner = nullptr, *childOwner = nullptr;
  AttachmentEntry* parentPoint = world.Attachment(attachment, "AttachChild", &parentOwner);
  AttachmentEntry* childPoint = world.Attachment(child_attachment, "AttachChild", &childOwner);
  if (!parent || !childRecord || !parentPoint || !childPoint) return false;
  if (parentOwner != parent || childOwner != childRecord || parentPoint->toParent || !childPoint->toParent ||
      parent == childRecord) {
    world.Report("AttachChild: vessel '%s' gave points that do not form a parent and child pair", parent->name.c_str());
    return false;
  }
  // A point holds one vessel, and a child hangs on one parent.
  if (parentPoint->other || world.ParentOf(*childRecord)) return false;
  varn::HandleParts pp, cp;
  varn::UnpackHandle(attachment, pp);
  varn::UnpackHandle(child_attachment, cp);
  world.Link(*parent, pp.index, *childRecord, cp.index);
  return true;
}

bool VESSEL::DetachChild(ATTACHMENTHANDLE attachment, double vel) const {
  World& world = World::Current();
  VesselRecord* parent = Self(this, "DetachChild");
  VesselRecord* owner = nullptr;
  AttachmentEntry* point = world.Attachment(attachment, "DetachChild", &owner);
  if (!parent || !point) return false;
  if (owner != parent || point->toParent) {
    world.Report("DetachChild: vessel '%s' gave a point that is not one of its parent points", parent->name.c_str());
    return false;
  }
  VesselRecord* child = world.Vessel(point->other);
  if (!child) return false;
  world.Unlink(*point);
  // The child flies free, pushed along the point's direction.
  child->landed = false;
  child->gvel = parent->gvel + mul(parent->rot, point->dir) * vel;
  return true;
}

void VESSEL::ClearAttachments() const {
  VesselRecord* r = Self(this, "ClearAttachments");
  if (!r) return;
  World& world = World::Current();
  for (auto& point : r->attachments) world.Unlink(point);
  r->attachments.clear();
  ++r->attachmentGen;
}
