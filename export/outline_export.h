#pragma once

#include <string>
#include <vector>

#include "export/gear_outline.h"

namespace gearmesh {

// What an outline file holds: one or both gears of the pair, in millimetres.
struct OutlineDrawing {
    int z1;
    int z2;
    double module;  // millimetres per model unit
    double shift;   // gear 1's profile shift; gear 2 has the opposite
    std::vector<GearPath> gears;
    // Which outline this is, named in the file's description ("" for none).
    std::string geometry = "";
};

// Half the length of each arm of a centre cross, in modules.
constexpr double CENTRE_MARK_ARM = 0.25;

// An SVG document at true size: one closed <path> per gear, a cross at each
// centre, viewBox in millimetres with y pointing up the page as in the model
// (SVG y is flipped), width and height in mm.
std::string outlineSvg(const OutlineDrawing& drawing);

// An AutoCAD R12 ASCII DXF document in millimetres ($INSUNITS 4): a closed
// POLYLINE per gear on layer GEAR1 or GEAR2, the centre crosses as LINEs on
// layer CENTRES.
std::string outlineDxf(const OutlineDrawing& drawing);

}  // namespace gearmesh
