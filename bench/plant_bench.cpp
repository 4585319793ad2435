// Time per stem of the frame's plant update and of the nearest-tip search, on
// a plant of about 100,000 stems grown the way a player grows one, and on a
// small one whose stems all stay in the caches.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdlib>
#include <vector>

#include "app/World.h"
#include "plant/Plant.h"
#include "plant/Random.h"
#include "plant/Stem.h"
#include "render/Sprites.h"

namespace {

constexpr float kFrame = 1.0f / 60;  // s

void collect(Stem* stem, std::vector<Stem*>& out) {
    std::vector<Stem*> pending{stem};
    while (!pending.empty()) {
        Stem* s = pending.back();
        pending.pop_back();
        out.push_back(s);
        pending.insert(pending.end(), s->children.begin(), s->children.end());
    }
}

std::vector<Stem*> allStems(Plant& plant) {
    std::vector<Stem*> stems;
    for (Stem* root : plant.roots) {
        collect(root, stems);
    }
    return stems;
}

// Grows a plant as a left drag does, budding stems at random between frames,
// until it holds the target number of stems; then lets every stem settle in
// the grown state, as most stems of a big plant are.
struct BigPlant {
    Plant plant;
    std::size_t stems = 0;

    explicit BigPlant(std::size_t target) {
        World::instance().setBounds(32, 16, 0, -16);
        // There is no GL context here: the stems' sprites count as made.
        gStalkList = gStalkTexture = gJointList = gJointTexture = 0;
        randomInt(1);  // the one-time seeding from the clock
        std::srand(12345);

        Stem* root = new Stem();
        root->attach(nullptr, 0);
        root->y = 3.75f;
        plant.addRoot(root);

        std::vector<Stem*> all = allStems(plant);
        while (all.size() < target) {
            for (std::size_t i = 0; i < target / 500; ++i) {
                all[static_cast<std::size_t>(std::rand()) % all.size()]->bud();
            }
            for (int frame = 0; frame < 30; ++frame) {
                plant.update(kFrame);
            }
            all = allStems(plant);
        }
        for (Stem* stem : all) {
            stem->state = Grown;
        }
        stems = all.size();
    }
};

BigPlant& bigPlant(std::size_t target) {
    static BigPlant small(2000);
    static BigPlant big(100000);
    return target <= 2000 ? small : big;
}

void perStem(benchmark::State& state, std::size_t stems) {
    state.counters["stems"] = static_cast<double>(stems);
    // Seconds per stem, printed with an SI prefix ("12n" is 12 ns).
    state.counters["per_stem"] = benchmark::Counter(
        static_cast<double>(stems),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_PlantUpdate(benchmark::State& state) {
    BigPlant& big = bigPlant(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        big.plant.update(kFrame);
    }
    perStem(state, big.stems);
}
BENCHMARK(BM_PlantUpdate)->Arg(2000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Pointer positions spread over the world, as a moving pointer gives them.
std::vector<float> searchPoints() {
    std::vector<float> points;
    for (int i = 0; i < 64; ++i) {
        points.push_back(-16.0f + 32.0f * static_cast<float>((i * 37) % 64) / 64);
        points.push_back(32.0f * static_cast<float>((i * 11) % 64) / 64);
    }
    return points;
}

void BM_PlantFindNearest(benchmark::State& state) {
    BigPlant& big = bigPlant(static_cast<std::size_t>(state.range(0)));
    big.plant.update(kFrame);
    const std::vector<float> points = searchPoints();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(big.plant.findNearest(points[i], points[i + 1]));
        i = (i + 2) % points.size();
    }
    perStem(state, big.stems);
}
BENCHMARK(BM_PlantFindNearest)->Arg(2000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// A frame with one pointer movement: the search after an update finds the
// tips of the stems without children still to be worked out.
void BM_PlantUpdateThenFindNearest(benchmark::State& state) {
    BigPlant& big = bigPlant(static_cast<std::size_t>(state.range(0)));
    const std::vector<float> points = searchPoints();
    std::size_t i = 0;
    for (auto _ : state) {
        big.plant.update(kFrame);
        benchmark::DoNotOptimize(big.plant.findNearest(points[i], points[i + 1]));
        i = (i + 2) % points.size();
    }
    perStem(state, big.stems);
}
BENCHMARK(BM_PlantUpdateThenFindNearest)->Arg(2000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
