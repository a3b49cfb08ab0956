#pragma once

#include <string>

// The keys pressed in the window, in this order: the mode key, then 'R' when
// reverse, then 'W' zoom times (zoom > 0) or 'w' -zoom times (zoom < 0), then
// 's' steps times.
struct ViewKeys {
    char mode;  // '1', '2' or '3'
    long steps;
    bool reverse;
    int zoom;
};

// Every press redraws a whole frame (about a millisecond for 20 and 40 teeth).
constexpr long MAX_VIEW_STEPS = 100000;
constexpr long MAX_VIEW_ZOOM = 1000;

// Side of the simulator's square window in pixels.
constexpr int VIEW_PIXELS = 800;

// Runs the simulator's display on the recorder, from the first frame of the
// window (drive gear) through the keys, and writes the last frame to svg as
// an 800 x 800 SVG: every line with its colour and width in pixels, every
// filled shape, the legend as <text>. Needs no display. Returns false, with
// the reason in error, when a frame holds more than the recorder keeps (deep
// zoom). Reads gearPair, writes viewState.
bool viewSvg(const ViewKeys& keys, std::string& svg, std::string& error);
