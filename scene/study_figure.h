#pragma once

// The study view: what the window, the page and gearpair view draw over the
// classic figure when the study view is on, from the exact model of the pair.
//
// Mesh view: the exact path of contact as a band beside the line of action,
// MAGENTA where one pair carries the load and ORANGE where two do; a ring
// about every contact on the exact path (MAGENTA when it is the only one,
// ORANGE when another pair touches too); the specific sliding of both gears
// along the path as a chart in the window's top right corner, the current
// contacts marked on it; and three legend lines below the classic legend
// (pairs in contact, contact ratio, profile shift).
// Drive and driven gear views: the gear's true form circle in PURPLE, a
// diamond where it meets each flank of every tooth, and two legend lines
// (the form circle, the profile shift).

#include "draw/seam.h"
#include "geometry/exact_gear.h"
#include "geometry/gear_pair.h"
#include "geometry/study.h"
#include "scene/view_state.h"

namespace gearmesh {

// The specific sliding the chart shows, top to bottom: values below the
// floor run off its bottom edge (towards an interference point they fall
// without bound).
constexpr double STUDY_CHART_ZETA_TOP = 1.0;
constexpr double STUDY_CHART_ZETA_FLOOR = -5.0;

// The chart's plot box in view units, the same at every zoom; its labels
// stand above it and to its left, outside it.
constexpr double STUDY_CHART_LEFT = 0.42;
constexpr double STUDY_CHART_RIGHT = 0.96;
constexpr double STUDY_CHART_TOP = 0.84;
constexpr double STUDY_CHART_BOTTOM = 0.46;

// The band's middle stands this far from the line of action (view units, 14
// pixels at any zoom), on its upper right side, so that the classic markers
// on the line stay clear of it.
constexpr double STUDY_BAND_OFFSET = 0.035;

// Draws the study view of view.drawMode with dc over the classic figure
// that drawFigure has drawn into the open frame: pair and view as drawn,
// exact and study the exact model of the same counts and shift. Where the
// exact path has no length (!study.hasPath) the mesh view gets its legend
// lines and the chart's frame only; a gear without involute gets no form
// circle. Everything not tied to the gears (legend, chart) is in view units
// and keeps its size and place at any zoom. Draws from the identity matrix
// and restores the one it found; leaves lighting on and the line width at 2
// pixels, as drawFigure does.
void drawStudyFigure(DrawContext& dc, const GearPair& pair, const ViewState& view,
                     const ExactPair& exact, const PairStudy& study);

}  // namespace gearmesh
