#pragma once

#include "geometry/point2.h"

// The single record of the gear pair. Pitch point at the origin, x to the
// right, y upwards; gear 1 (drive) below, gear 2 (driven) above. Lengths in
// modules, angles in radians.
struct GearPair {
    int z1;
    int z2;
    double gearRatio;
    double pressureAngle;
    double tanAlpha;
    double invAlpha;
    double cosAlpha;
    double sinAlpha;
    double shift1, shift2;
    double addendum1, addendum2;
    double dedendum1, dedendum2;
    double pitchRadius1, pitchRadius2;
    double baseRadius1, baseRadius2;
    double tipRadius1, tipRadius2;
    double basePitch;
    double basePitchAngle1;
    Point2 pitchPoint;
    Point2 center1;
    Point2 center2;
    Point2 interferencePoint1, interferencePoint2;
    double interferenceDist1, interferenceDist2;
    Point2 tipContactPoint1, tipContactPoint2;
    double tipContactDist1, tipContactDist2;
    Point2 toothOutline1[CURVE_CAPACITY];
    Point2 toothOutline2[CURVE_CAPACITY];
    int toothOutlineLast1, toothOutlineLast2;
    double undercutRadius1, undercutRadius2;
    Point2 undercutPoint1, undercutPoint2;
    double undercutDist1, undercutDist2;
    double contactLimit1;
    double contactLimit2;
};

// The single record of the view.
struct ViewState {
    char drawMode;     // '1' drive gear, '2' driven gear, '3' both in mesh
    double viewScale;  // view units per module
    double angleStep;  // one fortieth of gear 1's angular pitch
    double rollStep;   // signed angle added per mesh frame
    double theta1;     // rotation of gear 1's teeth, wrapped into one pitch
    double theta2;
    double totalAngle1;  // rotation of gear 1 summed over mesh frames, unwrapped
    double totalAngle2;
};

extern GearPair gearPair;
extern ViewState viewState;

// Lowest and highest tooth count the program accepts. Above 149 the sampled
// flank-fillet junction drifts far from the true one and cuts the path of
// contact short.
constexpr int MIN_TEETH = 1;
constexpr int MAX_TEETH = 149;

// Computes every field of gearPair for tooth counts z1, z2 (each within
// MIN_TEETH..MAX_TEETH) with shift1 = shift and shift2 = -shift; builds both
// tooth outlines, the undercut points and the contact limits. Writes gearPair only.
void computeGearPair(int z1, int z2, double shift = 0.0);

// Resets the view fields that every setup resets (viewScale 0.2, angleStep
// from gearPair.z1, rollStep forward, theta1 = theta2 = 0); reads gearPair.
void resetView();
