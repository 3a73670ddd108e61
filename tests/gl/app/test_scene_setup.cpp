// The game routine's set-up and release as the console shows them: every
// resource in its creation order, released in reverse, over the real asset
// tree (the e2e asset runs take a model away).

#include <set>
#include <utility>

#include "app/scene_assets.h"
#include "frame/messages.h"
#include "render/model_import.h"
#include "scene_inputs.h"
#include "support/gl_test.h"

namespace {

std::string repeat(const std::string& line, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += line + "\n";
    return text;
}

// A model's creation line runs on into one line per mesh; when it goes, one
// line per mesh and then one per distinct texture file its meshes name.
std::pair<std::string, std::string> linesOf(const char* path) {
    const ImportedModel model = importModel(path);
    EXPECT_TRUE(model.ok) << path << ": " << model.error;
    // Without a mesh line the next text would run on.
    EXPECT_FALSE(model.meshes.empty()) << path;
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

TEST(SceneSetUp, PrintsEachCreationInOrderSeedsTheStarsLastAndReleasesInReverse) {
    REQUIRE_GL();
    WorkingDirectory cwd(MH_BINARY_DIR);
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
    release += repeat(" ........... Deleting Shader", 7);

    while (glGetError() != GL_NO_ERROR) {}
    // Small: the scene's own frame buffers follow the window size.
    SceneInputs in(320, 240);
    std::string printedBeforeClock, printed, released;
    int clockReads = 0;
    GLint programAfterSetUp = -1;
    GLenum errorAfterSetUp = GL_NO_ERROR;
    {
        testing::internal::CaptureStdout();
        GameScene scene(in.settings, in.app, in.camera, in.stones, [&] {
            if (clockReads++ == 0) {
                printedBeforeClock = testing::internal::GetCapturedStdout();
                testing::internal::CaptureStdout();
            }
            return 0.0;
        });
        printed = printedBeforeClock + testing::internal::GetCapturedStdout();
        glGetIntegerv(GL_CURRENT_PROGRAM, &programAfterSetUp);
        errorAfterSetUp = glGetError();
        testing::internal::CaptureStdout();
    }
    released = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, setUp);
    // The stars are seeded from the clock once every model and texture has
    // loaded, which takes seconds on a slow machine.
    EXPECT_EQ(clockReads, 1);
    EXPECT_EQ(printedBeforeClock, printed);
    EXPECT_EQ(programAfterSetUp, 0);
    EXPECT_EQ(errorAfterSetUp, static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(released, release);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
