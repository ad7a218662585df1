// The keyboard, the six camera views and the floodlight switch.
//
// Single presses come through the buffered key callback; keys held down (speed and steering)
// act once per frame through clbkConsumeDirectKey.
#include "crawler.h"

using namespace crawler;

namespace {

struct View {
  VECTOR3 direction;
  VECTOR3 position;  // the height is the default the view starts with
};

const View kViews[kViewCount] = {
    {{{0, 0, 1}}, {{16, kCabCameraHeight, 17.5}}},                // front cab
    {{{0, 0, -1}}, {{-15.9, kCabCameraHeight, -18.351}}},         // rear cab
    {{{0, 0, 1}}, {{0, kOutsideCameraHeight, 22}}},               // low, ahead of the front end
    {{{0, 0, -1}}, {{0, kOutsideCameraHeight, -23}}},             // low, behind the rear end
    {{{0, 0, -1}}, {{-9.634392, kOutsideCameraHeight, -2.8}}},    // low, left under the deck
    {{{0, 0, 1}}, {{9.634392, kOutsideCameraHeight, 1.5}}},       // low, right under the deck
};

bool Held(const char* kstate, DWORD key) { return KEYDOWN(kstate, key); }

}  // namespace

int VARNCRAWLER::clbkConsumeBufferedKey(DWORD key, bool down, char* kstate) {
  if (!down) return 0;
  switch (key) {
    case OAPI_KEY_J: JackLowerKey(); return 1;
    case OAPI_KEY_K: JackRaiseKey(); return 1;
    case OAPI_KEY_4: PickUpLauncher(); return 1;
    case OAPI_KEY_5: ReleaseLauncher(); return 1;
    case OAPI_KEY_V: NextView(); return 1;
    case OAPI_KEY_B: ToggleLights(); return 1;
    case OAPI_KEY_1: return 1;
    default: break;
  }
  // The gear and recentring keys are recognised from the key state, so any key-down event
  // while one of them is held acts on it.
  if (Held(kstate, OAPI_KEY_NUMPAD8)) ShiftForward();
  else if (Held(kstate, OAPI_KEY_NUMPAD4)) ShiftNeutral();
  else if (Held(kstate, OAPI_KEY_NUMPAD2)) ShiftReverse();
  else if (Held(kstate, OAPI_KEY_NUMPAD5)) ToggleRecentring();
  else return 0;
  return 1;
}

// Keys held before the first step are left to the host.
int VARNCRAWLER::clbkConsumeDirectKey(char* kstate) {
  if (!firstStepDone) return 0;
  if (Held(kstate, OAPI_KEY_ADD)) SpeedUp();
  else if (Held(kstate, OAPI_KEY_SUBTRACT)) SpeedDown();
  else if (Held(kstate, OAPI_KEY_NUMPAD1)) SteerLeft();
  else if (Held(kstate, OAPI_KEY_NUMPAD3)) SteerRight();
  else return 0;
  return 1;
}

void VARNCRAWLER::NextView() {
  cameraView = (cameraView + 1) % kViewCount;
  SelectView(cameraView);
}

// Jumps to the view's default place and turns the view back to its default direction at once.
// From the next step on the camera height follows the deck and the ramp again.
void VARNCRAWLER::SelectView(int view) {
  SetCameraDefaultDirection(kViews[view].direction);
  SetCameraOffset(kViews[view].position);
  oapiCameraSetCockpitDir(0, 0, false);
}

void VARNCRAWLER::ToggleLights() { lightSwitch = lightSwitch == 0 ? 1 : 0; }

// Every step: the present view's direction and place, at the camera height the deck and the
// ramp last set.
void VARNCRAWLER::HoldCamera() {
  const View& view = kViews[cameraView];
  SetCameraDefaultDirection(view.direction);
  cameraOffset.x = view.position.x;
  cameraOffset.z = view.position.z;
  SetCameraOffset(cameraOffset);
}
