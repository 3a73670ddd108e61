
#include "render/materials.h"
#include "render/plane_geometry.h"
#include "render/textured_plane.h"
#include "support/gl_test.h"

namespace {

// Lays the plane's XZ square flat onto the screen; its texture is one colour.
constexpr const char* PlaneVertex = R"(#version 430 core
layout(location = 0) in vec3 position;
void main() { gl_Position = vec4(position.x, position.z, 0.0, 1.0); }
)";

constexpr const char* PlaneFragment = R"(#version 430 core
uniform sampler2D picture;
uniform vec3 diffuseColor, materialCoefficients;
uniform float specularAlpha;
out vec4 colour;
void main() { colour = vec4(texture(picture, vec2(0.5)).rgb * diffuseColor + materialCoefficients * specularAlpha, 1.0); }
)";

}  // namespace

// The film screen: its program comes from the working directory's assets, quietly.
TEST(Materials, TheQuietProgramDrawsThePlaneAndReplacingTheTextureDeletesTheOld) {
    REQUIRE_GL();
    ScratchDir dir;
    dir.write("run/assets/shader/screen.vert", PlaneVertex);
    dir.write("run/assets/shader/screen.frag", PlaneFragment);
    // One level up is where every other asset path points: it must not be read here.
    dir.write("assets/shader/screen.vert", "not glsl");
    dir.write("assets/shader/screen.frag", "not glsl");
    const std::string first = writePng(dir, "frames/frame1.png", solidImage(2, 2, {200, 30, 30}));
    const std::string second = writePng(dir, "frames/frame2.png", solidImage(2, 2, {30, 200, 30}));
    std::shared_ptr<Shaders> shaders;
    {
        WorkingDirectory cwd(dir.path("run"));
        // A missing pair is just as quiet.
        EXPECT_EQ(outputOf([&] {
                      shaders = std::make_shared<Shaders>("screen");
                      Shaders missing("absent");
                  }),
                  "");
    }
    auto material = std::make_shared<Materials>(shaders, glm::vec3(1.0f), glm::vec3(0.0f), 8.0f, first.c_str());
    auto plane = std::make_unique<TexturedPlane>(makePlaneGeometry(2.0f, 2.0f), material);
    const GLuint old = material->texture->textureId;

    TestTarget target(4, 4);
    glUseProgram(shaders->programId);
    plane->draw();
    EXPECT_TRUE(colourNear(glm::ivec3(target.pixel(1, 1)), {200, 30, 30}, 1));

    material->replaceTexture(second.c_str());
    EXPECT_FALSE(glIsTexture(old));
    plane->draw();
    EXPECT_TRUE(colourNear(glm::ivec3(target.pixel(2, 2)), {30, 200, 30}, 1));
    glUseProgram(0);

    const GLuint vao = plane->vao,
                 buffers[] = {plane->positionBuffer, plane->normalBuffer, plane->texCoordBuffer, plane->ebo};
    plane.reset();
    EXPECT_FALSE(glIsVertexArray(vao));
    for (GLuint buffer : buffers) EXPECT_FALSE(glIsBuffer(buffer)) << buffer;
    EXPECT_NO_GL_ERROR();
}
