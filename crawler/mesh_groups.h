// Group numbering of the crawler mesh "VARNCRAWLER3B", as the animation set uses it.
#pragma once

#include "host_api.h"

namespace crawler {

// The four track trucks, each eight mesh groups. The front cab is at the front right corner,
// the rear cab at the rear left one.
enum Truck { RearRight = 0, RearLeft = 1, FrontRight = 2, FrontLeft = 3 };
const int kTruckCount = 4;

namespace groups {

constexpr UINT kPerTruck = 8;
constexpr UINT TruckFirst(int truck) { return kPerTruck * truck; }  // 0..31
constexpr UINT kDeckFirst = 32;
constexpr UINT kDeckCount = 34;                                      // 32..65
constexpr UINT Cylinder(int truck) { return 66 + truck; }            // corner jacking cylinders
// Per truck: four rods (two swinging about z, two about x), then their four child rods.
constexpr UINT LiftRodsFirst(int truck) { return 70 + 8 * truck; }   // moved by the deck jacks
constexpr UINT DropRodsFirst(int truck) { return 102 + 8 * truck; }  // moved by the truck drop
constexpr UINT SteeringRod(int truck, int rod) { return 134 + 2 * truck + rod; }
constexpr UINT kFrontWheel = 142, kRearWheel = 143;
constexpr UINT kFrontNeedle = 144, kRearNeedle = 145;
constexpr UINT kFrontForwardLamp = 146, kRearForwardLamp = 147;
constexpr UINT kFrontReverseLamp = 148, kRearReverseLamp = 149;
constexpr UINT kFrontDriveLamp = 150, kRearDriveLamp = 151;

}  // namespace groups
}  // namespace crawler
