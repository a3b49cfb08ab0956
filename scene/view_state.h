#pragma once

#include "geometry/gear_pair.h"

namespace gearmesh {

// What the window shows: the drive gear alone, the driven gear alone, or
// both gears in mesh.
enum class DrawMode { Drive, Driven, Mesh };

// Room of the contact points of one mesh frame.
constexpr int CONTACT_CAPACITY = 4;

// What the window shows of a pair: the mode, the zoom and where the mesh stands.
struct ViewState {
    DrawMode drawMode;
    double viewScale;  // view units per module
    double angleStep;  // one fortieth of gear 1's angular pitch
    double rollStep;   // signed angle added per mesh frame
    double theta1;     // rotation of gear 1's teeth, wrapped into one pitch
    double theta2;
    double totalAngle1;  // rotation of gear 1 summed over mesh frames, unwrapped
    double totalAngle2;
    // Contact points of the mesh frame (model units), packed at the front,
    // and how many are valid (0 to CONTACT_CAPACITY). Set by advanceView.
    Point2 contactPoints[CONTACT_CAPACITY];
    int contactCount;
};

// Resets the view fields that every setup resets (viewScale 0.2, angleStep
// from gear 1's teeth, rollStep forward, theta1 = theta2 = 0); the mode and the
// unwrapped angles stay.
void resetView(ViewState& view, const GearPair& pair);

// Moves view on to its next frame: in the mesh view turns the mesh by rollStep,
// keeping theta1 within one angular pitch of gear 1 ([basePitchAngle1,
// 2 basePitchAngle1)), and finds the contact points at the new angle. In
// the single-gear views nothing changes.
void advanceView(ViewState& view, const GearPair& pair);

}  // namespace gearmesh
