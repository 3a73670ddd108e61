#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "frame/lighting.h"
#include "game/level_layout.h"
#include "frame_fixture.h"
#include "support/gl_context.h"

namespace {

// Every uniform the routines set is used, so none is optimised away; the
// picture is the program's own colour.
const char* const DirectionalFragment = R"(#version 430 core
struct Light { vec3 direction; vec3 ambient; vec3 diffuse; vec3 specular; };
struct Material { float shininess; };
uniform Light light;
uniform Material material;
uniform vec3 viewPos;
uniform vec3 tint;
layout(location = 0) out vec4 picture;
layout(location = 1) out vec4 glowOut;
void main() {
    vec3 all = light.direction + light.ambient + light.diffuse + light.specular + viewPos + vec3(material.shininess);
    picture = vec4(tint + 1e-9 * all, 1.0);
    glowOut = vec4(0.0, 0.0, 0.0, 1.0);
}
)";

const char* const PointFragment = R"(#version 430 core
struct Light { vec3 position; vec3 ambient; vec3 diffuse; vec3 specular; };
struct Material { sampler2D diffuse; sampler2D specular; float shininess; };
uniform Light light;
uniform Material material;
uniform vec3 viewPos;
layout(location = 0) out vec4 picture;
void main() {
    vec3 all = light.position + light.ambient + light.diffuse + light.specular + viewPos + vec3(material.shininess);
    picture = texture(material.diffuse, vec2(0.5)) + texture(material.specular, vec2(0.5)) + vec4(1e-9 * all, 1.0);
}
)";

const char* const NormalMapFragment = R"(#version 430 core
uniform vec3 lightPos;
uniform vec3 viewPos;
uniform sampler2D diffuse;
uniform sampler2D normalMap;
layout(location = 0) out vec4 picture;
void main() {
    picture = texture(diffuse, vec2(0.5)) + texture(normalMap, vec2(0.5)) + vec4(1e-9 * (lightPos + viewPos), 1.0);
}
)";

class LightingTest : public testing::Test {
protected:
    void SetUp() override {
        if (!GlContext::get().ok()) GTEST_SKIP() << "no GL context";
        lit = tree.program("Lighting", SceneVertexShader, DirectionalFragment);
        cel = tree.program("cell", SceneVertexShader, DirectionalFragment);
        lit->bind();
        lit->setUniformVec3("tint", 0.0f, 1.0f, 0.0f);
        cel->bind();
        cel->setUniformVec3("tint", 1.0f, 0.0f, 0.0f);
        glUseProgram(0);
        const std::string path = tree.write("assets/objects/square/square.obj", SquareObj);
        testing::internal::CaptureStdout();
        square = std::make_unique<ModelAsset>(path);
        testing::internal::GetCapturedStdout();
        frame.cameraPosition = glm::vec3(0.0f, 10.0f, 200.0f);
        frame.view = glm::lookAt(frame.cameraPosition, glm::vec3(0, 10, 0), glm::vec3(0, 1, 0));
        frame.projection = glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 1000.0f);
    }

    const ShaderProgram& groundAndRabbit(bool celShading, bool showGround, bool showRabbit) const {
        return drawGroundAndRabbit(*lit, *cel, *square, *square, frame, celShading, showGround, showRabbit,
                                   RabbitFarAway, 0.0f);
    }

    // Off screen, so a read-back shows the ground alone.
    const glm::vec3 RabbitFarAway{0.0f, 10000.0f, 0.0f};
    TempTree tree;
    std::unique_ptr<ShaderProgram> lit;
    std::unique_ptr<ShaderProgram> cel;
    std::unique_ptr<ModelAsset> square;
    LitView frame;
};

}  // namespace

TEST_F(LightingTest, DirectionalTableFollowsBrightnessInTheAmbientOnly) {
    for (const float brightness : {0.0f, 0.5f, 1.0f}) {
        frame.brightness = brightness;
        drawGround(*lit, *square, frame);
        const GLuint id = lit->programId;
        EXPECT_EQ(uniformVec3(id, "light.ambient"), glm::vec3(0.6f * brightness)) << brightness;
        EXPECT_EQ(uniformVec3(id, "light.diffuse"), glm::vec3(0.3f));
        EXPECT_EQ(uniformVec3(id, "light.specular"), glm::vec3(0.2f));
        EXPECT_EQ(uniformVec3(id, "light.direction"), glm::vec3(0.0f, -1.0f, 0.0f));
        EXPECT_EQ(uniformFloat(id, "material.shininess"), 32.0f);
    }
    glUseProgram(0);
    EXPECT_NO_GL_ERROR();
}

TEST_F(LightingTest, LitModeFollowsKeysOneAndTwoAndLeavesItsProgramCurrent) {
    const ShaderProgram& none = groundAndRabbit(false, false, false);
    EXPECT_EQ(&none, lit.get());
    EXPECT_EQ(currentProgram(), static_cast<GLint>(lit->programId)) << "current for the meadow's objects";
    EXPECT_TRUE(matricesNear(uniformMat4(lit->programId, "model"), glm::mat4(0.0f), 0.0f)) << "nothing drawn";

    groundAndRabbit(false, true, false);
    EXPECT_TRUE(matricesNear(uniformMat4(lit->programId, "model"), groundModelMatrix(), 0.0f));
    groundAndRabbit(false, false, true);
    EXPECT_TRUE(matricesNear(uniformMat4(lit->programId, "model"), rabbitModelMatrix(RabbitFarAway, 0.0f), 0.0f));
    glUseProgram(0);
    EXPECT_NO_GL_ERROR();
}

TEST_F(LightingTest, CelAndLitModesDrawTheGroundWithTheirOwnProgram) {
    TestTarget target(32, 32);
    glEnable(GL_DEPTH_TEST);
    target.clear(glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    groundAndRabbit(false, true, true);
    const glm::ivec4 litPixel = target.pixel(16, 16);
    target.clear(glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    groundAndRabbit(true, false, false);
    const glm::ivec4 celPixel = target.pixel(16, 16);
    target.clear(glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    groundAndRabbit(false, false, true);
    const glm::ivec4 hiddenPixel = target.pixel(16, 16);
    glDisable(GL_DEPTH_TEST);
    glUseProgram(0);

    EXPECT_EQ(litPixel, glm::ivec4(0, 255, 0, 255));
    EXPECT_EQ(celPixel, glm::ivec4(255, 0, 0, 255));
    EXPECT_EQ(hiddenPixel, glm::ivec4(0, 0, 0, 255)) << "key 1 hides the ground in lit mode";
    EXPECT_NO_GL_ERROR();
}

TEST_F(LightingTest, CrateUsesThePointLightAndBindsTheWoodMaps) {
    auto lightmaps = tree.program("lightmaps", SceneVertexShader, PointFragment);
    GLuint wood[2] = {};
    glGenTextures(2, wood);
    frame.brightness = 1.0f;
    drawCrate(*lightmaps, *square, wood[0], wood[1], frame, crateMatrix());
    const GLuint id = lightmaps->programId;
    EXPECT_EQ(uniformVec3(id, "light.position"), glm::vec3(0.0f, 6.0f, 10.0f));
    EXPECT_EQ(uniformVec3(id, "light.ambient"), glm::vec3(0.2f));
    EXPECT_EQ(uniformVec3(id, "light.diffuse"), glm::vec3(0.5f));
    EXPECT_EQ(uniformVec3(id, "light.specular"), glm::vec3(0.8f));
    EXPECT_EQ(uniformFloat(id, "material.shininess"), 64.0f);
    EXPECT_EQ(boundTexture(GL_TEXTURE0), static_cast<GLint>(wood[0]));
    EXPECT_EQ(boundTexture(GL_TEXTURE1), static_cast<GLint>(wood[1]));

    frame.brightness = 0.0f;
    drawCrate(*lightmaps, *square, wood[0], wood[1], frame, crateMatrix());
    EXPECT_EQ(uniformVec3(id, "light.ambient"), glm::vec3(0.0f));
    EXPECT_EQ(uniformVec3(id, "light.diffuse"), glm::vec3(0.5f));
    glUseProgram(0);
    glDeleteTextures(2, wood);
    EXPECT_NO_GL_ERROR();
}

TEST_F(LightingTest, BrickWallFollowsItsKeyAndTurnsWithTheClock) {
    auto normalmap = tree.program("normalmap", SceneVertexShader, NormalMapFragment);
    GLuint brick[2] = {};
    glGenTextures(2, brick);
    glUseProgram(0);
    drawBrickWall(*normalmap, *square, brick[0], brick[1], frame, 4.5f, false);
    EXPECT_EQ(currentProgram(), 0);
    EXPECT_TRUE(matricesNear(uniformMat4(normalmap->programId, "model"), glm::mat4(0.0f), 0.0f));

    drawBrickWall(*normalmap, *square, brick[0], brick[1], frame, 4.5f, true);
    const GLuint id = normalmap->programId;
    EXPECT_EQ(currentProgram(), static_cast<GLint>(id));
    EXPECT_TRUE(matricesNear(uniformMat4(id, "model"), brickWallModelMatrix(4.5f), 0.0f));
    EXPECT_EQ(uniformVec3(id, "lightPos"), glm::vec3(0.0f, 6.0f, 10.0f));
    EXPECT_EQ(boundTexture(GL_TEXTURE0), static_cast<GLint>(brick[0]));
    EXPECT_EQ(boundTexture(GL_TEXTURE1), static_cast<GLint>(brick[1]));
    glUseProgram(0);
    glDeleteTextures(2, brick);
    EXPECT_NO_GL_ERROR();
}

// The game's own cel program over flat ground lit from above: seen at a
// grazing angle, as the far meadow is, it keeps the light it has seen from
// above; only surfaces that curve away get the dark outline.
TEST_F(LightingTest, CelShadingKeepsFlatGroundLitAtAGrazingAngle) {
    const std::string shaders = std::string(MH_SOURCE_DIR) + "/assets/shader/";
    testing::internal::CaptureStdout();
    ShaderProgram celProgram((shaders + "cell.vert").c_str(), (shaders + "cell.frag").c_str());
    testing::internal::GetCapturedStdout();
    GLuint white = 0;
    const unsigned char texel[4] = {255, 255, 255, 255};
    glGenTextures(1, &white);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, white);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);

    TestTarget target(32, 32);
    glEnable(GL_DEPTH_TEST);
    const glm::mat4 ground =
        glm::scale(glm::rotate(glm::mat4(1.0f), glm::radians(-90.0f), glm::vec3(1, 0, 0)), glm::vec3(1000.0f));
    auto groundSeenFrom = [&](const glm::vec3& eye, const glm::vec3& up) {
        LitView view = frame;
        view.brightness = 1.0f;
        view.cameraPosition = eye;
        view.view = glm::lookAt(eye, glm::vec3(0.0f), up);
        target.clear(glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
        celProgram.bind();
        setDirectionalLight(celProgram, view);
        celProgram.setUniformInt("texture_diffuse1", 0);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, white);
        celProgram.setUniformMat4("model", ground);
        celProgram.setUniformMat4("view", view.view);
        celProgram.setUniformMat4("projection", view.projection);
        square->draw(celProgram);
        return target.pixel(16, 16);
    };
    const glm::ivec4 above = groundSeenFrom(glm::vec3(0.0f, 300.0f, 1.0f), glm::vec3(0, 0, -1));
    const glm::ivec4 grazing = groundSeenFrom(glm::vec3(0.0f, 20.0f, 400.0f), glm::vec3(0, 1, 0));
    glDisable(GL_DEPTH_TEST);
    glUseProgram(0);
    glDeleteTextures(1, &white);

    // The highlight seen from above is the only difference allowed.
    EXPECT_GT(grazing.g, above.g * 3 / 4) << "seen from above " << above.g << ", at a grazing angle " << grazing.g;
    EXPECT_NO_GL_ERROR();
}
