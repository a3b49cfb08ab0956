#pragma once

// The views whose frames the benchmark times and the tests compare: a pair,
// a mode key and zoom keys, pressed as in the window (each key changes the
// view, then the frame is drawn, which in mode '3' turns the mesh on a step).

#include "geometry/gear_pair.h"
#include "scene/display.h"
#include "scene/view_commands.h"

namespace gearmesh {

struct FrameScenario {
    const char* name;
    int z1;
    int z2;
    char mode;
    char zoomKey;  // 'W' enlarges, 'w' shrinks
    int zoomPresses;
};

constexpr FrameScenario FRAME_SCENARIOS[] = {
    {"20/40 mode 1", 20, 40, '1', 'W', 0},        {"20/40 mode 2", 20, 40, '2', 'W', 0},
    {"20/40 mode 3", 20, 40, '3', 'W', 0},        {"20/40 mode 3 W x10", 20, 40, '3', 'W', 10},
    {"20/40 mode 3 W x20", 20, 40, '3', 'W', 20}, {"20/40 mode 3 W x40", 20, 40, '3', 'W', 40},
    {"149/149 mode 3", 149, 149, '3', 'W', 0},    {"149/149 mode 3 W x20", 149, 149, '3', 'W', 20},
    {"10/40 mode 3 w x15", 10, 40, '3', 'w', 15},
};
constexpr int FRAME_SCENARIO_COUNT = sizeof(FRAME_SCENARIOS) / sizeof(FRAME_SCENARIOS[0]);

// Sets up the pair and presses the scenario's keys, each followed by the
// frame it asks for, drawn bounded to the current drawing target. The next
// display() draws the scenario's next frame.
inline void setUpScenario(const FrameScenario& scenario) {
    computeGearPair(gearPair, scenario.z1, scenario.z2);
    resetView(viewState, gearPair);
    viewState.drawMode = '1';
    const auto press = [](char key) {
        if (applyViewKey(viewState, static_cast<unsigned char>(key))) {
            display();
        }
    };
    press(scenario.mode);
    for (int i = 0; i < scenario.zoomPresses; ++i) {
        press(scenario.zoomKey);
    }
}

}  // namespace gearmesh
