// How much whole bounded frames of display() hand over, through the recorder.

#include <gtest/gtest.h>

#include <string>

#include "draw/recorder.h"
#include "tests/support/frame_scenarios.h"

namespace gearmesh {

namespace {

// Vertices a frame may hand over, whatever the zoom and tooth counts.
constexpr long long FRAME_VERTEX_BOUND = 100000;

}  // namespace

TEST(display, BoundedFramesStayUnderTheVertexBound) {
    for (const FrameScenario& scenario : FRAME_SCENARIOS) {
        SCOPED_TRACE(scenario.name);
        startRecording();
        setUpScenario(scenario);
        for (int frame = 0; frame < 3; ++frame) {
            display();
            EXPECT_LE(recordedVertexCount(), FRAME_VERTEX_BOUND);
            EXPECT_GT(recordedVertexCount(), 1000);
            EXPECT_FALSE(recorderOverflowed());
        }
        stopRecording();
    }
    // And at the zoom keys' bounds, with the largest pair and the smallest.
    for (int z : {MAX_TEETH, MIN_TEETH}) {
        for (double scale : {MIN_VIEW_SCALE, MAX_VIEW_SCALE}) {
            SCOPED_TRACE(std::to_string(z) + " teeth, view scale " + std::to_string(scale));
            startRecording();
            setUpScenario(FrameScenario{"", z, z, '3', 'W', 0});
            viewState.viewScale = scale;
            display();
            EXPECT_LE(recordedVertexCount(), FRAME_VERTEX_BOUND);
            EXPECT_GT(recordedVertexCount(), 100);
            stopRecording();
        }
    }
}

}  // namespace gearmesh
