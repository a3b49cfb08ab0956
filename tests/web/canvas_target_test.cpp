// Whole frames of display() through the page's canvas target.

#include "web/canvas_target.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/frame_scenarios.h"

namespace gearmesh {

namespace {

int framesPainted = 0;

void countFrame(const CanvasFrame& frame) {
    ++framesPainted;
    EXPECT_FALSE(frame.overflowed);
}

// Checks one display() more: painted once, whole, every item's points inside the frame's.
void expectOneWholeFrame() {
    const int before = framesPainted;
    display();
    EXPECT_EQ(framesPainted, before + 1);
    EXPECT_FALSE(recorderOverflowed());
    const CanvasFrame& f = lastCanvasFrame();
    EXPECT_GT(f.itemCount, 5);
    for (int i = 0; i < f.itemCount; ++i) {
        const CanvasItem& item = f.items[i];
        if (item.kind == CANVAS_STROKE || item.kind == CANVAS_FILL) {
            EXPECT_LE(item.first + item.count, f.pointCount);
        }
    }
}

}  // namespace

TEST(startCanvasDrawing, EveryFrameIsPaintedOnceAndWholeAtAnyZoom) {
    startCanvasDrawing(countFrame);
    for (const FrameScenario& scenario : FRAME_SCENARIOS) {
        SCOPED_TRACE(scenario.name);
        setUpScenario(scenario);
        for (int frame = 0; frame < 3; ++frame) {
            expectOneWholeFrame();
        }
    }
    for (int z : {MAX_TEETH, MIN_TEETH}) {
        for (double scale : {MIN_VIEW_SCALE, MAX_VIEW_SCALE}) {
            SCOPED_TRACE(std::to_string(z) + " teeth, view scale " + std::to_string(scale));
            setUpScenario(FrameScenario{"", z, z, '3', 'W', 0});
            viewState.viewScale = scale;
            expectOneWholeFrame();
        }
    }
    stopRecording();
}

}  // namespace gearmesh
