// Cost of one frame of the letter-scene viewer, which reads and uploads
// every texture again each frame. Run from the folder with the generated
// textures, on a display (a virtual one will do):
//   cd build/textures && ../bench/frameBench
#include <benchmark/benchmark.h>

#include <GL/freeglut.h>

#include "generated/textureFiles.h"
#include "okel/frame.h"
#include "okel/scene.h"
#include "okel/textures.h"

namespace {

void openWindow()
{
    static bool open = false;
    if (open)
        return;
    int argc = 1;
    char name[] = "frameBench";
    char* argv[] = {name, nullptr};
    makePatterns();
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(1024, 768);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("frameBench");
    initGL();
    open = true;
}

// Argument 0 draws the word as boxes, 1 as teapots.
void frame(benchmark::State& state)
{
    openWindow();
    teapotMode = static_cast<int>(state.range(0));
    for (auto _ : state) {
        drawScene();
        glFinish();
    }
    teapotMode = 0;
}
BENCHMARK(frame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void loadLargestTexture(benchmark::State& state)
{
    openWindow();
    for (auto _ : state) {
        loadTextureFile(EARTH_FILE);
        glFinish();
    }
}
BENCHMARK(loadLargestTexture)->Unit(benchmark::kMillisecond);

} // namespace
