// The HUD line with the commanded speed, drawn over the host's default HUD.
#include "crawler.h"

#include <cstdio>

using namespace crawler;

namespace {

const DWORD kHudGreen = 0x66ff66;  // 0xBBGGRR
const double kLineScale = 0.00130208;  // per pixel of display height
const double kWideShape = 0.7284;      // height / width below this is a wide display

}  // namespace

bool VARNCRAWLER::clbkDrawHUD(int mode, const HUDPAINTSPEC* hps, oapi::Sketchpad* skp) {
  VESSEL3::clbkDrawHUD(mode, hps, skp);
  const int w = hps->W;
  const int h = hps->H;
  const double s = h * kLineScale;
  int x = 10;
  int y = static_cast<int>(328 * s);
  // On a wide display the line moves right and up, clear of the default HUD's left column.
  if (static_cast<double>(h) / w < kWideShape) {
    x = 10 + 10 * (16 * w / 1024);
    y -= static_cast<int>(88 * s);
  }
  char text[64];
  const int length = std::snprintf(text, sizeof text, "Current Ground Speed %0.2f", speed);
  skp->SetTextColor(kHudGreen);
  skp->Text(x, y, text, length);
  return true;
}
