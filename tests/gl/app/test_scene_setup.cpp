// The game routine's set-up and release as the console shows them: every
// resource in its creation order, released in reverse, over the real asset
// tree (the e2e sweep takes each model away).
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/game_scene.h"
#include "app/scene_assets.h"
#include "frame/messages.h"
#include "game/level_layout.h"
#include "game/physics.h"
#include "game/small_stones.h"
#include "render/model_import.h"
#include "support/gl_context.h"

namespace {

namespace fs = std::filesystem;

// Small: the scene's own frame buffers follow the window size.
constexpr int Width = 320;
constexpr int Height = 240;
const char* const SkyboxVertex = "../assets/shader/Skybox.vert";

std::string repeat(const char* line, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += std::string(line) + "\n";
    return text;
}

// What a model prints when it is created and when it goes: one line per mesh,
// and at the end one per distinct texture file its meshes name.
struct ModelLines {
    std::string path;
    bool present = true;
    std::size_t meshes = 0;
    std::size_t textures = 0;

    std::string creation() const {
        std::string text = std::string("Creating model : ") + path;
        return text + repeat("...Creating Mesh", meshes);
    }
    std::string release() const { return repeat("Deleting Mesh", meshes) + repeat("Deleting Texture", textures); }
};

// Counted from the imported data, relative to the working directory.
ModelLines countModel(const char* path) {
    ModelLines lines;
    lines.path = path;
    const ImportedModel model = importModel(path);
    lines.present = model.ok;
    lines.meshes = model.meshes.size();
    std::set<std::string> files;
    for (const ImportedMesh& mesh : model.meshes) {
        for (const TextureReference& ref : mesh.textures) files.insert(ref.fileName);
    }
    lines.textures = files.size();
    return lines;
}

std::vector<ModelLines> sceneModels() {
    std::vector<ModelLines> models;
    for (const char* path :
         {scenepaths::Meadow, scenepaths::Rabbit, scenepaths::Carrot, scenepaths::Stone, scenepaths::Heart,
          scenepaths::Cube, scenepaths::Star, scenepaths::Wall, scenepaths::Trunk, scenepaths::Tunnel}) {
        models.push_back(countModel(path));
    }
    return models;
}

std::string creatingShader(const char* vertexPath) { return std::string("Creating shader : ") + vertexPath; }

// Everything the set-up prints once the first shader text is out.
std::string expectedSetUp(const std::vector<ModelLines>& models, const ModelLines& glowStar) {
    std::string text;
    for (const char* const* pair : {scenepaths::Text, scenepaths::Lighting, scenepaths::Cell, scenepaths::Phong,
                                    scenepaths::Lightmaps, scenepaths::Particles, scenepaths::Normalmap}) {
        text += creatingShader(pair[0]);
    }
    for (const ModelLines& model : models) text += model.creation();
    // The sky, the film and the brick textures; only the sky prints.
    text += creatingShader(SkyboxVertex);
    text += creatingShader(scenepaths::Gauss[0]);
    text += creatingShader(scenepaths::Screen[0]);
    text += glowStar.creation();
    return text;
}

std::string expectedRelease(const std::vector<ModelLines>& models, const ModelLines& glowStar) {
    // The glow stars' own model goes with the frame's objects, before the
    // programs made just ahead of them.
    std::string text = glowStar.release();
    text += repeat(" ........... Deleting Shader", 2);  // Screen, Gauss
    text += repeat(" ........... Deleting Shader", 1);  // sky; the film's program is never deleted
    for (auto model = models.rbegin(); model != models.rend(); ++model) text += model->release();
    return text + repeat(" ........... Deleting Shader", 7);
}

// What one build and release of the scene showed.
struct SceneRun {
    std::string setUp;
    // What set-up had printed when it first read the window clock (the star
    // field's seed), and how often set-up read it.
    std::string printedBeforeClock;
    int setUpClockReads = 0;
    std::string release;
    GLint programAfterSetUp = -1;
    GLenum errorAfterSetUp = GL_NO_ERROR;
    GLenum errorAfterRelease = GL_NO_ERROR;
};

// Builds the scene in the working directory given and releases it.
SceneRun buildAndRelease(const fs::path& workdir) {
    SceneRun run;
    const fs::path previous = fs::current_path();
    fs::current_path(workdir);
    while (glGetError() != GL_NO_ERROR) {}
    Settings settings;
    settings.width = Width;
    settings.height = Height;
    AppState app;
    app.foundation = createPhysicsFoundation();
    app.physics = createPhysicsSdk(app.foundation);
    app.scene = createPhysicsScene(app.physics);
    Camera camera;
    std::ostringstream quiet;
    std::vector<glm::vec3> stones = generateSmallStonePositions(level::SmallStoneMaxX, level::SmallStoneMinX,
                                                                level::SmallStoneMaxZ, level::SmallStoneMinZ, quiet);
    {
        testing::internal::CaptureStdout();
        int clockReads = 0;
        GameScene scene(settings, app, camera, stones, [&] {
            if (clockReads++ == 0) {
                run.printedBeforeClock = testing::internal::GetCapturedStdout();
                testing::internal::CaptureStdout();
            }
            return 0.0;
        });
        run.setUpClockReads = clockReads;
        run.setUp = run.printedBeforeClock + testing::internal::GetCapturedStdout();
        glGetIntegerv(GL_CURRENT_PROGRAM, &run.programAfterSetUp);
        run.errorAfterSetUp = glGetError();
        testing::internal::CaptureStdout();
    }
    run.release = testing::internal::GetCapturedStdout();
    run.errorAfterRelease = glGetError();
    releasePhysicsScene(app.scene);
    releasePhysicsSdk(app.physics);
    releasePhysicsFoundation(app.foundation);
    fs::current_path(previous);
    return run;
}

// One scene serves every case of the complete tree.
const SceneRun& completeTreeRun() {
    static const SceneRun run = buildAndRelease(MH_BINARY_DIR);
    return run;
}

class SceneSetUp : public testing::Test {
protected:
    void SetUp() override {
        REQUIRE_GL();
        const fs::path previous = fs::current_path();
        fs::current_path(MH_BINARY_DIR);
        models = sceneModels();
        glowStar = countModel(framepaths::GlowStarModel);
        fs::current_path(previous);
    }

    std::vector<ModelLines> models;
    ModelLines glowStar;
};

TEST_F(SceneSetUp, PrintsEveryCreationInTheSetUpOrder) {
    for (const ModelLines& model : models) {
        ASSERT_TRUE(model.present) << model.path;
        // A mesh line is what ends each model's line; without one the next text runs on.
        EXPECT_GT(model.meshes, 0u) << model.path;
    }
    const SceneRun& run = completeTreeRun();
    EXPECT_EQ(run.setUp, expectedSetUp(models, glowStar));
}

// The stars are seeded from the clock at their placement, once every model
// and texture has loaded, which takes seconds on a slow machine.
TEST_F(SceneSetUp, SeedsTheStarsFromTheClockAfterEverythingHasLoaded) {
    const SceneRun& run = completeTreeRun();
    EXPECT_EQ(run.setUpClockReads, 1);
    EXPECT_EQ(run.printedBeforeClock, run.setUp);
}

TEST_F(SceneSetUp, ReleasesInReverseOrderOfCreation) {
    const SceneRun& run = completeTreeRun();
    EXPECT_EQ(run.release, expectedRelease(models, glowStar));
    EXPECT_EQ(run.errorAfterRelease, static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneSetUp, LeavesNoProgramCurrentAndNoGlError) {
    const SceneRun& run = completeTreeRun();
    EXPECT_EQ(run.programAfterSetUp, 0);
    EXPECT_EQ(run.errorAfterSetUp, static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
