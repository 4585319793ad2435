// Time of one frame's plant drawing (joints, stalks and the selector ring) on
// plants of a few thousand to tens of thousands of stems, in a real window.
// Needs an X display: run it under Xvfb, e.g.
//   xvfb-run -a -s "-screen 0 1280x1024x24" ./build/bench/draw_bench
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Game.h"
#include "app/World.h"
#include "plant/Plant.h"
#include "plant/Random.h"
#include "plant/Stem.h"
#include "view/Camera.h"

namespace {

// A stalk image with transparent sides and a joint image, as the game's art
// has, so that the passes texture, blend and alpha-test like the real thing.
void writeImage(const std::string& path, int width, int height, bool stalk) {
    std::vector<unsigned char> bytes(18, 0);
    bytes[2] = 2;
    bytes[12] = static_cast<unsigned char>(width);
    bytes[14] = static_cast<unsigned char>(height);
    bytes[16] = 32;
    bytes[17] = 0x20;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool solid =
                stalk ? (x > width / 4 && x < 3 * width / 4)
                      : ((x - width / 2) * (x - width / 2) + (y - height / 2) * (y - height / 2) <
                         width * width / 4);
            bytes.insert(bytes.end(), {40, 120, 40, static_cast<unsigned char>(solid ? 255 : 0)});
        }
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

void openWindow() {
    static bool open = false;
    if (open) {
        return;
    }
    open = true;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vizidev-draw";
    std::filesystem::create_directories(folder / "res/images");
    writeImage((folder / "res/images/vizidevStalk_green.tga").string(), 32, 128, true);
    writeImage((folder / "res/images/circle_black.tga").string(), 64, 64, false);
    writeImage((folder / "res/images/selector.tga").string(), 64, 64, false);
    std::filesystem::current_path(folder);

    int argc = 1;
    char name[] = "draw_bench";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 800);
    glutCreateWindow("The Vizidev");
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    World::instance().setBounds(32, 16, 0, -16);
    Camera::instance().reshape(800, 800);
    Camera::instance().move(0, 0, -6);  // the whole world in view
    Camera::instance().scroll(0);
    gPlant.init();
    Stem* root = new Stem();
    root->attach(nullptr, 0);
    root->y = 3.75f;
    gPlant.addRoot(root);
    randomInt(1);
    std::srand(7);
}

// Grows the one plant, budding random stems as a left drag does, until it
// holds at least the given number of stems.
std::size_t growTo(std::size_t target) {
    std::vector<Stem*> all;
    for (;;) {
        all.clear();
        std::vector<Stem*> pending(gPlant.roots.begin(), gPlant.roots.end());
        while (!pending.empty()) {
            Stem* stem = pending.back();
            pending.pop_back();
            all.push_back(stem);
            pending.insert(pending.end(), stem->children.begin(), stem->children.end());
        }
        if (all.size() >= target) {
            break;
        }
        for (std::size_t i = 0; i < all.size() / 20 + 1; ++i) {
            all[static_cast<std::size_t>(std::rand()) % all.size()]->bud();
        }
        for (int frame = 0; frame < 30; ++frame) {
            gPlant.update(1.0f / 60);
        }
    }
    gPlant.hovered = all[all.size() / 2];
    return all.size();
}

void BM_PlantDraw(benchmark::State& state) {
    openWindow();
    const std::size_t stems = growTo(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Camera::instance().apply();
        gPlant.draw();
        glFinish();
    }
    state.counters["stems"] = static_cast<double>(stems);
    state.counters["per_stem"] = benchmark::Counter(
        static_cast<double>(stems),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PlantDraw)->Arg(2000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace
