// How much whole bounded frames hand over, through the recorder.

#include <gtest/gtest.h>

#include <string>

#include "draw/recorder.h"
#include "tests/support/frame_scenarios.h"
#include "tests/support/recording_context.h"

namespace gearmesh {

namespace {

// Vertices a frame may hand over, whatever the zoom and tooth counts.
constexpr long long FRAME_VERTEX_BOUND = 100000;

}  // namespace

TEST(display, BoundedFramesStayUnderTheVertexBound) {
    for (const FrameScenario& scenario : FRAME_SCENARIOS) {
        SCOPED_TRACE(scenario.name);
        RecordingContext frame;
        ScenarioView s;
        setUpScenario(frame.dc, scenario, s);
        for (int k = 0; k < 3; ++k) {
            drawNextFrame(frame.dc, s);
            EXPECT_LE(frame.recorder.recordedVertexCount(), FRAME_VERTEX_BOUND);
            EXPECT_GT(frame.recorder.recordedVertexCount(), 1000);
            EXPECT_FALSE(frame.recorder.overflowed());
        }
    }
    // And at the zoom keys' bounds, with the largest pair and the smallest.
    for (int z : {MAX_TEETH, MIN_TEETH}) {
        for (double scale : {MIN_VIEW_SCALE, MAX_VIEW_SCALE}) {
            SCOPED_TRACE(std::to_string(z) + " teeth, view scale " + std::to_string(scale));
            RecordingContext frame;
            ScenarioView s;
            setUpScenario(frame.dc,
                          FrameScenario{"", z, z, ViewCommand::ShowMesh, ViewCommand::ZoomIn, 0},
                          s);
            s.view.viewScale = scale;
            drawNextFrame(frame.dc, s);
            EXPECT_LE(frame.recorder.recordedVertexCount(), FRAME_VERTEX_BOUND);
            EXPECT_GT(frame.recorder.recordedVertexCount(), 100);
        }
    }
}

}  // namespace gearmesh
