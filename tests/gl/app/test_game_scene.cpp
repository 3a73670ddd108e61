// The game routine's scene over the real asset tree, played by the real frame
// loop (every stage, drawing included) with a clock that advances as the test
// says: every run checks the set-up and release as the console shows them,
// every resource in its creation order and released in reverse (the e2e asset
// runs take a model away).
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <set>
#include <sstream>
#include <tuple>
#include <utility>

#include "app/game_scene.h"
#include "app/scene_assets.h"
#include "frame/messages.h"
#include "frame/text_renderer.h"
#include "game/level_layout.h"
#include "game/physics.h"
#include "game/small_stones.h"
#include "render/model_import.h"
#include "support/gl_test.h"
#include "tools/sim/route_script.h"
#include "tools/sim/trace_line.h"

namespace {

// What the game routine hands its scene: the window size, the physics world
// and the seeded small stones.
struct SceneInputs {
    SceneInputs(int width, int height) {
        settings.width = width;
        settings.height = height;
        app.foundation = createPhysicsFoundation();
        app.physics = createPhysicsSdk(app.foundation);
        app.scene = createPhysicsScene(app.physics);
        std::ostringstream quiet;
        stones = generateSmallStonePositions(level::SmallStoneMaxX, level::SmallStoneMinX, level::SmallStoneMaxZ,
                                             level::SmallStoneMinZ, quiet);
    }
    ~SceneInputs() {
        releasePhysicsScene(app.scene);
        releasePhysicsSdk(app.physics);
        releasePhysicsFoundation(app.foundation);
    }
    SceneInputs(const SceneInputs&) = delete;
    SceneInputs& operator=(const SceneInputs&) = delete;

    Settings settings;
    AppState app;
    Camera camera;
    std::vector<glm::vec3> stones;
};

std::string repeat(const std::string& line, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += line + "\n";
    return text;
}

// A model's creation line runs on into one line per mesh; when it goes, one
// line per mesh and then one per distinct texture file its meshes name.
std::pair<std::string, std::string> linesOf(const char* path) {
    const ImportedModel model = importModel(path);
    std::set<std::string> files;
    for (const ImportedMesh& mesh : model.meshes) {
        EXPECT_FALSE(mesh.indices.empty()) << path;
        // A mesh without a map draws with whatever the previous one bound.
        EXPECT_FALSE(mesh.textures.empty()) << path;
        for (const TextureReference& ref : mesh.textures) files.insert(ref.fileName);
    }
    return {"Creating model : " + std::string(path) + repeat("...Creating Mesh", model.meshes.size()),
            repeat("Deleting Mesh", model.meshes.size()) + repeat("Deleting Texture", files.size())};
}

// The scene's set-up and release texts, from the build folder.
std::pair<std::string, std::string> sceneTexts() {
    std::string setUp, release;
    for (const char* const* pair : {scenepaths::Text, scenepaths::Lighting, scenepaths::Cell, scenepaths::Phong,
                                    scenepaths::Lightmaps, scenepaths::Particles, scenepaths::Normalmap})
        setUp += std::string("Creating shader : ") + pair[0];
    std::vector<std::pair<std::string, std::string>> models;
    for (const char* path :
         {scenepaths::Meadow, scenepaths::Rabbit, scenepaths::Carrot, scenepaths::Stone, scenepaths::Heart,
          scenepaths::Cube, scenepaths::Star, scenepaths::Wall, scenepaths::Trunk, scenepaths::Tunnel}) {
        models.push_back(linesOf(path));
        setUp += models.back().first;
    }
    // The sky, the film and the brick textures; only the sky prints. Then the
    // frame's own objects.
    for (const char* vertex : {"../assets/shader/Skybox.vert", scenepaths::Gauss[0], scenepaths::Screen[0]})
        setUp += std::string("Creating shader : ") + vertex;
    const auto glowStar = linesOf(framepaths::GlowStarModel);
    setUp += glowStar.first;
    // Screen, Gauss and the sky; the film's program is never deleted.
    release = glowStar.second + repeat(" ........... Deleting Shader", 3);
    for (auto model = models.rbegin(); model != models.rend(); ++model) release += model->second;
    return {setUp, release + repeat(" ........... Deleting Shader", 7)};
}

// Sets the scene up from the build folder with the window clock at `clock`,
// hands it to `play` with the console quiet and releases it. The stars are
// seeded from the clock once every model and texture has loaded, which takes
// seconds on a slow machine: nothing may print after that first read.
void playScene(SceneInputs& inputs, double& clock, const std::function<void(GameScene&)>& play) {
    WorkingDirectory cwd(MH_BINARY_DIR);
    static const std::pair<std::string, std::string> expected = sceneTexts();
    std::string printedBeforeClock;
    int clockReads = 0;
    testing::internal::CaptureStdout();
    // The HUD's glyphs, loaded once as at start-up, quietly.
    static const bool glyphsLoaded = loadGlyphs();
    EXPECT_TRUE(glyphsLoaded);
    {
        GameScene scene(inputs.settings, inputs.app, inputs.camera, inputs.stones, [&] {
            if (clockReads++ == 0) {
                printedBeforeClock = testing::internal::GetCapturedStdout();
                testing::internal::CaptureStdout();
            }
            return clock;
        });
        const std::string printedAfterClock = testing::internal::GetCapturedStdout();
        EXPECT_EQ(clockReads, 1);
        EXPECT_EQ(printedBeforeClock, expected.first);
        EXPECT_EQ(printedAfterClock, "");
        EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
        scene.startClock(1.0);
        outputOf([&] { play(scene); });
        testing::internal::CaptureStdout();
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), expected.second);
}

// Small, so that hundreds of software-rendered frames stay cheap.
constexpr int Width = 400;
constexpr int Height = 300;

const std::string Routes = std::string(MH_SOURCE_DIR) + "/tests/fixtures/routes/";

// The simulator's trace of the route's keys with the frame times the real
// loop's float clock gave, without its header.
std::vector<std::string> simulatorTrace(const std::string& routeFile, const std::vector<float>& frameTimes) {
    std::ifstream route(Routes + routeFile);
    const std::string scriptPath = testing::TempDir() + "replayed-" + routeFile;
    std::ofstream script(scriptPath);
    std::size_t frame = 0;
    for (std::string line; std::getline(route, line);) {
        std::istringstream fields(line);
        std::string time, held;
        if (!(fields >> time >> held) || time[0] == '#' || frame >= frameTimes.size()) continue;
        script << std::setprecision(9) << frameTimes[frame++] << ' ' << held << '\n';
    }
    script.close();
    std::vector<std::string> lines;
    FILE* sim = popen((std::string(MH_BINARY_DIR) + "/meadowhop-sim < " + scriptPath).c_str(), "r");
    char buffer[512];
    while (sim && std::fgets(buffer, sizeof buffer, sim)) lines.emplace_back(buffer, std::strcspn(buffer, "\n"));
    if (sim) pclose(sim);
    if (!lines.empty()) lines.erase(lines.begin());
    return lines;
}

// Plays the route frame by frame: the simulator runs the same frame, so given
// the same frame times it has the same state after every frame. The end
// message is drawn in its colour around the window centre.
void expectRoute(const std::string& routeFile, EndDecision decision, const glm::ivec3& textColour) {
    glfwSetWindowSize(glWindow(), Width, Height);
    std::ifstream in(Routes + routeFile);
    const RouteParse route = parseRoute(in);
    EXPECT_EQ(route.badLine, 0) << route.error;
    SceneInputs inputs(Width, Height);
    std::vector<std::string> trace;
    std::vector<float> frameTimes;
    std::vector<unsigned char> picture;
    EndDecision end = EndDecision::None;
    // The star field is seeded with 0; the wall turns with the frames.
    double wallClock = 0.0;
    playScene(inputs, wallClock, [&](GameScene& scene) {
        ScriptedKeys keys;
        for (const RouteFrame& frame : route.frames) {
            keys.held = frame.held;
            // Whatever the float clock does, this frame lasts exactly dt.
            wallClock = scene.clock().lastFrame + frame.deltaTime;
            scene.runFrame(keys, wallClock);
            trace.push_back(
                traceLine(static_cast<int>(trace.size()) + 1, scene.world(), inputs.camera.position, scene.lastEnd()));
            frameTimes.push_back(scene.clock().deltaTime);
        }
        // 240 by 60 pixels from just below the centre.
        picture = windowPixels(Width / 2 - 120, Height / 2 - 20, 240, 60);
        end = scene.lastEnd();
    });
    EXPECT_EQ(end, decision);

    const std::vector<std::string> simulated = simulatorTrace(routeFile, frameTimes);
    ASSERT_EQ(trace.size(), simulated.size());
    for (std::size_t i = 0; i < trace.size(); ++i) ASSERT_EQ(trace[i], simulated[i]) << "frame " << i + 1;
    int count = 0;
    for (std::size_t p = 0; p < picture.size(); p += 4)
        count += colourNear({picture[p], picture[p + 1], picture[p + 2]}, textColour, 11) ? 1 : 0;
    EXPECT_GT(count, 40);
}

// "Winner" is drawn in (0.1, 0, 0.1), "Game Over" in (0, 0, 0.1).
TEST(RealFrameLoop, WinningAndLosingRoutesMatchTheSimulatorAndEndOnTheirMessageDrawn) {
    REQUIRE_GL();
    for (const auto& [route, end, colour] : {std::tuple{"win.txt", EndDecision::Win, glm::ivec3(25, 0, 25)},
                                             std::tuple{"lose.txt", EndDecision::Lose, glm::ivec3(0, 0, 25)}}) {
        SCOPED_TRACE(route);
        expectRoute(route, end, colour);
    }
}

// The glow output holds this frame's glowing stars only: after a second and a
// half of them spinning in 40 frames, the window about them is the one 2
// frames give, not a smear along their orbits.
TEST(RealFrameLoop, TheGlowShowsOnlyThisFramesStars) {
    REQUIRE_GL();
    // Within the hidden window's 512 by 512.
    constexpr int Side = 256;
    auto view = [](int frames) {
        SceneInputs inputs(Side, Side);
        // Level with the stars about (0, 200, 0), looking down -z at them.
        inputs.camera.position = {0.0f, 200.0f, 350.0f};
        std::vector<unsigned char> picture;
        double wallClock = 1.0;
        playScene(inputs, wallClock, [&](GameScene& scene) {
            // The star field moves a step a frame and the HUD shows the frame
            // rate: they would differ by themselves.
            scene.toggles().showStarInstances = false;
            scene.toggles().showHud = false;
            ScriptedKeys keys;
            for (int frame = 1; frame <= frames; ++frame) {
                wallClock = 1.0 + 1.5 * frame / frames;
                scene.runFrame(keys, wallClock);
            }
            picture = windowPixels(0, 0, Side, Side);
        });
        return picture;
    };
    const std::vector<unsigned char> few = view(2), many = view(40);
    int glowing = 0, differing = 0;
    for (std::size_t p = 0; p < few.size(); p += 4) {
        glowing += few[p] > 200 && few[p + 1] > 150 && few[p + 2] < 150 ? 1 : 0;
        differing += std::abs(few[p] - many[p]) + std::abs(few[p + 1] - many[p + 1]) > 24 ? 1 : 0;
    }
    EXPECT_GT(glowing, 50) << "the stars in view";
    EXPECT_LT(differing, glowing / 4);
}

}  // namespace
