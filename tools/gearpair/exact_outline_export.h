#pragma once

#include <string>

#include "tools/gearpair/gear_outline.h"

namespace gearmesh {

// The default chord tolerance in millimetres: 0.001 mm, kept between 1e-6
// and 1e-3 of the module.
double defaultExactTolerance(double module);

// Whether tolerance (mm) is one the exact outline accepts at this module:
// EXACT_MIN_TOLERANCE..EXACT_MAX_TOLERANCE modules, each bound with a
// relative slack of a few units in the last place (0.07 mm at module 0.7 is in).
bool exactToleranceAccepted(double tolerance, double module);

// The exact outline of gear 1 or 2 of the pair (gear 1 shift, gear 2
// -shift), placed as in the first mesh frame (gear 1 turned by 2 pi / z1,
// gear 2 by pi - 2 pi / z2 about their centres), in millimetres, counter-
// clockwise. False, with a one-line reason in error, where the rack leaves
// no gear standing.
bool exactPlacedGearPath(int gear, int z1, int z2, double shift, double module, double tolerance,
                         GearPath& path, std::string& error);

}  // namespace gearmesh
