#pragma once

// The views whose frames the benchmark times and the tests compare: a pair,
// a mode key and zoom keys, pressed as in the window (each key changes the
// view, then the frame is drawn, which in the mesh view turns the mesh on a
// step).

#include "draw/seam.h"
#include "geometry/gear_pair.h"
#include "scene/display.h"
#include "scene/view_commands.h"
#include "scene/view_state.h"

namespace gearmesh {

struct FrameScenario {
    const char* name;
    int z1;
    int z2;
    ViewCommand mode;     // ShowDrive, ShowDriven or ShowMesh
    ViewCommand zoomKey;  // ZoomIn or ZoomOut
    int zoomPresses;
};

constexpr FrameScenario FRAME_SCENARIOS[] = {
    {"20/40 mode 1", 20, 40, ViewCommand::ShowDrive, ViewCommand::ZoomIn, 0},
    {"20/40 mode 2", 20, 40, ViewCommand::ShowDriven, ViewCommand::ZoomIn, 0},
    {"20/40 mode 3", 20, 40, ViewCommand::ShowMesh, ViewCommand::ZoomIn, 0},
    {"20/40 mode 3 W x10", 20, 40, ViewCommand::ShowMesh, ViewCommand::ZoomIn, 10},
    {"20/40 mode 3 W x20", 20, 40, ViewCommand::ShowMesh, ViewCommand::ZoomIn, 20},
    {"20/40 mode 3 W x40", 20, 40, ViewCommand::ShowMesh, ViewCommand::ZoomIn, 40},
    {"149/149 mode 3", 149, 149, ViewCommand::ShowMesh, ViewCommand::ZoomIn, 0},
    {"149/149 mode 3 W x20", 149, 149, ViewCommand::ShowMesh, ViewCommand::ZoomIn, 20},
    {"10/40 mode 3 w x15", 10, 40, ViewCommand::ShowMesh, ViewCommand::ZoomOut, 15},
};
constexpr int FRAME_SCENARIO_COUNT = sizeof(FRAME_SCENARIOS) / sizeof(FRAME_SCENARIOS[0]);

// A scenario's own pair and the view of it that the keys have left.
struct ScenarioView {
    GearPair pair;
    ViewState view;
};

// What the window does on every redraw: the view moves on a frame, then it
// is drawn with dc, bounded or literal.
inline void drawNextFrame(DrawContext& dc, ScenarioView& s,
                          FrameDrawing drawing = FrameDrawing::Bounded) {
    advanceView(s.view, s.pair);
    drawFrame(dc, s.pair, s.view, drawing);
}

// Sets up s's pair and presses the scenario's keys, each followed by the
// frame it asks for, drawn bounded with dc. The next drawNextFrame draws the
// scenario's next frame.
inline void setUpScenario(DrawContext& dc, const FrameScenario& scenario, ScenarioView& s) {
    computeGearPair(s.pair, scenario.z1, scenario.z2);
    s.view = ViewState{};
    resetView(s.view, s.pair);
    s.view.drawMode = DrawMode::Drive;
    const auto press = [&](ViewCommand command) {
        applyViewCommand(s.view, command);
        drawNextFrame(dc, s);
    };
    press(scenario.mode);
    for (int i = 0; i < scenario.zoomPresses; ++i) {
        press(scenario.zoomKey);
    }
}

}  // namespace gearmesh
