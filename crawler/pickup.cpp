// Picking up and setting down a launcher: any other vessel with a child-side point whose
// identifier begins with "XMLP", within 20 m of the crawler's launcher point. Whether a
// launcher is carried is the host's state of that point; the crawler keeps no record of it.
#include "crawler.h"

#include <cstring>

using namespace crawler;

namespace {

bool IsLauncherPoint(const char* id) { return id && std::strncmp(id, "XMLP", 4) == 0; }

VECTOR3 GlobalPointPosition(const VESSEL& vessel, ATTACHMENTHANDLE point) {
  VECTOR3 pos, dir, rot, global;
  vessel.GetAttachmentParams(point, pos, dir, rot);
  vessel.Local2Global(pos, global);
  return global;
}

}  // namespace

// Attaches the first free launcher point in range, in the host's vessel order. The search ends
// at the first launcher point in range that already hangs on a parent, and after the first
// attachment: the launcher point carries one launcher at a time, so nothing is picked up while
// it is in use.
void VARNCRAWLER::PickUpLauncher() {
  if (GetAttachmentStatus(launcherPoint)) return;
  const VECTOR3 here = GlobalPointPosition(*this, launcherPoint);
  for (DWORD i = 0; i < oapiGetVesselCount(); ++i) {
    OBJHANDLE candidate = oapiGetVesselByIndex(static_cast<int>(i));
    if (!candidate || candidate == GetHandle()) continue;
    const VESSEL* other = oapiGetVesselInterface(candidate);
    if (!other) continue;
    const DWORD points = other->AttachmentCount(true);
    for (DWORD j = 0; j < points; ++j) {
      ATTACHMENTHANDLE point = other->GetAttachmentHandle(true, j);
      if (!IsLauncherPoint(other->GetAttachmentId(point))) continue;
      if (length(GlobalPointPosition(*other, point) - here) >= kPickupRadius) continue;
      if (other->GetAttachmentStatus(point)) return;
      AttachChild(candidate, launcherPoint, point);
      return;
    }
  }
}

void VARNCRAWLER::ReleaseLauncher() { DetachChild(launcherPoint, 0.0); }
