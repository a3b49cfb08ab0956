#pragma once

#include <string>

#include "export/gear_outline.h"
#include "export/outline_export.h"

namespace gearmesh {

// The default chord tolerance in millimetres: 0.001 mm, kept between 1e-6
// and 1e-3 of the module.
double defaultExactTolerance(double module);

// Whether tolerance (mm) is one the exact outline accepts at this module:
// EXACT_MIN_TOLERANCE..EXACT_MAX_TOLERANCE modules, each bound with a
// relative slack of a few units in the last place (0.07 mm at module 0.7 is in).
bool exactToleranceAccepted(double tolerance, double module);

// What gearpair outline writes of the exact pair: gear 1 when gear1, then
// gear 2 when gear2, each placed as in the first mesh frame, the chord tolerance
// (mm) named in the description. False, with the first refused gear's
// one-line reason in error, where the rack leaves a wanted gear no standing.
bool exactOutlineDrawing(int z1, int z2, double shift, double module, double tolerance, bool gear1,
                         bool gear2, OutlineDrawing& drawing, std::string& error);

}  // namespace gearmesh
