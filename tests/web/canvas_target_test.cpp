// Whole frames of the scene through the page's canvas target.

#include "web/canvas_target.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/frame_scenarios.h"

namespace gearmesh {

namespace {

// A canvas target and a context drawing on it, counting the frames painted.
struct CountedCanvas {
    int framesPainted = 0;
    const CanvasFrame* painted = nullptr;  // the frame handed to the last paint
    CanvasTarget canvas{[this](const CanvasFrame& frame) {
        ++framesPainted;
        painted = &frame;
        EXPECT_FALSE(frame.overflowed);
    }};
    DrawContext dc{canvas.target()};
};

// Checks one frame more of s: painted once, whole, every item's points inside the frame's.
void expectOneWholeFrame(CountedCanvas& c, ScenarioView& s) {
    const int before = c.framesPainted;
    drawNextFrame(c.dc, s);
    EXPECT_EQ(c.framesPainted, before + 1);
    EXPECT_FALSE(c.canvas.recorder().overflowed());
    const CanvasFrame& f = c.canvas.lastFrame();
    EXPECT_EQ(c.painted, &f);
    EXPECT_GT(f.itemCount, 5);
    for (int i = 0; i < f.itemCount; ++i) {
        const CanvasItem& item = f.items[i];
        if (item.kind == CANVAS_STROKE || item.kind == CANVAS_FILL) {
            EXPECT_LE(item.first + item.count, f.pointCount);
            EXPECT_LE(item.outlineFirst + item.outlineCount, f.pointCount);
        }
    }
}

}  // namespace

TEST(CanvasTarget, EveryFrameIsPaintedOnceAndWholeAtAnyZoom) {
    CountedCanvas c;
    for (const FrameScenario& scenario : FRAME_SCENARIOS) {
        SCOPED_TRACE(scenario.name);
        ScenarioView s;
        setUpScenario(c.dc, scenario, s);
        for (int frame = 0; frame < 3; ++frame) {
            expectOneWholeFrame(c, s);
        }
    }
    for (int z : {MAX_TEETH, MIN_TEETH}) {
        for (double scale : {MIN_VIEW_SCALE, MAX_VIEW_SCALE}) {
            SCOPED_TRACE(std::to_string(z) + " teeth, view scale " + std::to_string(scale));
            ScenarioView s;
            setUpScenario(
                c.dc, FrameScenario{"", z, z, ViewCommand::ShowMesh, ViewCommand::ZoomIn, 0}, s);
            s.view.viewScale = scale;
            expectOneWholeFrame(c, s);
        }
    }
}

TEST(CanvasTarget, TwoTargetsPaintOnlyTheirOwnFrames) {
    CountedCanvas one;
    CountedCanvas other;
    ScenarioView s;
    setUpScenario(one.dc, FRAME_SCENARIOS[0], s);
    const int painted = one.framesPainted;
    const int items = one.canvas.lastFrame().itemCount;
    ASSERT_GT(items, 5);
    // A frame of another mode on the other target: a legend of its own, more items.
    ScenarioView mesh;
    setUpScenario(other.dc, FRAME_SCENARIOS[2], mesh);
    drawNextFrame(other.dc, mesh);
    EXPECT_EQ(one.framesPainted, painted);
    EXPECT_EQ(one.canvas.lastFrame().itemCount, items);
    EXPECT_NE(other.canvas.lastFrame().itemCount, items);
    EXPECT_NE(&other.canvas.lastFrame(), &one.canvas.lastFrame());
}

}  // namespace gearmesh
