// Whole frames in a real 800 by 800 GLUT window, each advancing the view and
// drawing it as the window does, literal and bounded side by side for every
// scenario of tests/support/frame_scenarios.h.
// Run it under an X server, e.g. tests/with-xvfb build/bench/frame_bench.
//
// Counters per scenario: vertices handed to OpenGL per frame, and the median
// frame time in milliseconds (the benchmark's own time is the mean). Each
// timed frame ends with glFinish, so the rasteriser's work is inside it.

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "draw/gl/gl_target.h"
#include "draw/seam.h"
#include "tests/support/frame_scenarios.h"
#include "tests/support/glut_window.h"

namespace gearmesh {

namespace {

void timeFrames(benchmark::State& state, const FrameScenario* scenario, bool bounded) {
    GlTarget target;
    DrawContext dc{target};
    ScenarioView s;
    setUpScenario(dc, *scenario, s);
    const FrameDrawing drawing = bounded ? FrameDrawing::Bounded : FrameDrawing::Literal;
    std::vector<double> milliseconds;
    long long vertices = 0;
    for (auto _ : state) {
        dc.vertexCount = 0;
        const auto start = std::chrono::steady_clock::now();
        drawNextFrame(dc, s, drawing);
        glFinish();
        const auto end = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        milliseconds.push_back(seconds * 1000.0);
        vertices += dc.vertexCount;
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    const size_t n = milliseconds.size();
    const double median = n == 0 ? 0.0 : (milliseconds[(n - 1) / 2] + milliseconds[n / 2]) / 2.0;
    state.counters["median_ms"] = median;
    state.counters["vertices"] =
        benchmark::Counter(static_cast<double>(vertices), benchmark::Counter::kAvgIterations);
}

}  // namespace

}  // namespace gearmesh

int main(int argc, char** argv) {
    using namespace gearmesh;
    benchmark::Initialize(&argc, argv);
    openGlutWindow("frame_bench");
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    benchmark::AddCustomContext("renderer", renderer != nullptr ? renderer : "unknown");
    for (const FrameScenario& scenario : FRAME_SCENARIOS) {
        for (bool bounded : {false, true}) {
            const std::string name =
                std::string(scenario.name) + (bounded ? " / bounded" : " / literal");
            benchmark::RegisterBenchmark(name.c_str(), timeFrames, &scenario, bounded)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->MinTime(bounded ? 1.0 : 0.5);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
