#pragma once

#include <string>

#include "draw/recorder.h"
#include "geometry/gear_pair.h"
#include "scene/view_state.h"

namespace gearmesh {

// The keys pressed in the window, in this order: the mode key, then 'R' when
// reverse, then 'W' zoom times (zoom > 0) or 'w' -zoom times (zoom < 0), then
// 's' steps times; study: the window shows the study view.
struct ViewKeys {
    char mode;  // '1', '2' or '3'
    long steps;
    bool reverse;
    int zoom;
    bool study;
};

// Presses only move the view on; the last frame alone is drawn.
constexpr long MAX_VIEW_STEPS = 100000;
constexpr long MAX_VIEW_ZOOM = 1000;

// What the description of a picture names, taken when its frame is drawn:
// the pair's counts and gear 1's profile shift, the mode and the scale
// (view units per module) it was drawn at, and whether the study view was on.
struct ViewCaption {
    int z1;
    int z2;
    double shift;
    DrawMode mode;
    double viewScale;
    bool study;
};

// The caption of a frame of pair drawn with view, with or without the study view.
ViewCaption viewCaption(const GearPair& pair, const ViewState& view, bool study);

// The frame recorded last on recorder as the SVG viewSvg writes: the same
// text for the same recording and caption.
std::string recordedViewSvg(const Recorder& recorder, const ViewCaption& caption);

// Replays the keys through the simulator's core on the pair of counts z1, z2
// (1 to 149) at shift (gear 1 +shift, gear 2 -shift), from the first frame
// of the window (drive gear), each press changing the view as the window's
// would with its redraw, and draws only the last frame, on a recorder. Writes it
// to svg as an 800 x 800 SVG: every line with its colour and width in pixels,
// every filled shape, the legend as <text>. Needs no display. Returns false,
// with the reason in error, when the frame holds more than the recorder
// keeps (deep zoom).
bool viewSvg(int z1, int z2, double shift, const ViewKeys& keys, std::string& svg,
             std::string& error);

// As viewSvg, but writes the recorded frame itself to json
// (draw/recording_json.h): every primitive with its vertices in view units.
bool viewJson(int z1, int z2, double shift, const ViewKeys& keys, std::string& json,
              std::string& error);

}  // namespace gearmesh
