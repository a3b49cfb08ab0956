// The exact geometry without a display: the model of a pair (junctions,
// pointed tips, path of contact) and whole exact outlines at the default
// tolerance of 0.001 module. Run build/bench/exact_bench.
//
// Counter per outline: its vertices.

#include <benchmark/benchmark.h>

#include "geometry/exact_gear.h"
#include "geometry/exact_outline.h"

namespace gearmesh {

namespace {

void exactPairModel(benchmark::State& state) {
    const int z1 = static_cast<int>(state.range(0));
    const int z2 = static_cast<int>(state.range(1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(exactPair(z1, z2, 0.0));
    }
}

void exactGearOutline(benchmark::State& state) {
    const ExactGear gear = exactGear(static_cast<int>(state.range(0)), 0.0);
    std::size_t vertices = 0;
    for (auto _ : state) {
        const ExactOutline outline = exactOutline(gear, 1e-3);
        vertices = outline.points.size();
        benchmark::DoNotOptimize(outline.points.data());
    }
    state.counters["vertices"] = static_cast<double>(vertices);
}

// Every count and five shifts, at the default tolerance: the denser sweep
// behind the tests' grid. Counts the outlines that come out whole.
void exactOutlineSweep(benchmark::State& state) {
    int whole = 0;
    for (auto _ : state) {
        whole = 0;
        for (int z = EXACT_MIN_TEETH; z <= EXACT_MAX_TEETH; ++z) {
            for (double shift : {-1.0, -0.5, 0.0, 0.5, 1.0}) {
                whole += exactOutline(exactGear(z, shift), 1e-3).status == OutlineStatus::Whole;
            }
        }
    }
    state.counters["whole"] = whole;
}

}  // namespace

BENCHMARK(exactPairModel)->Args({20, 40})->Args({20, 149})->Args({1000, 1000})->Args({1, 7});
BENCHMARK(exactGearOutline)->Arg(20)->Arg(149)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(exactOutlineSweep)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace gearmesh

BENCHMARK_MAIN();
