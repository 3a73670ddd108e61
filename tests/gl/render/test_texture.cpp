#include "render/materials.h"
#include "render/plane_geometry.h"
#include "render/textured_plane.h"
#include "render/texture.h"
#include "support/gl_test.h"

// 3 by 2 images: an odd width, so a row padded to four bytes would shift the next.
// Each count goes through another of the three loading forms.
TEST(Texture, EveryChannelCountReadsBackUnskewedWithAFullMipChainThroughEachLoadingForm) {
    REQUIRE_GL();
    ScratchDir dir;
    const GLenum formats[] = {GL_RED, GL_RG, GL_RGB, GL_RGBA};
    for (int channels = 1; channels <= 4; ++channels) {
        SCOPED_TRACE(channels);
        const Image image = patternImage(3, 2, channels, channels * 40);
        const std::string file = "c" + std::to_string(channels) + ".png";
        const std::string path = writePng(dir, "maps/" + file, image);
        GLuint texture = 0;
        std::shared_ptr<Textures> shared;
        const std::string output = outputOf([&] {
            if (channels == 1)
                texture = loadModelTexture(file.c_str(), dir.path("maps"));
            else if (channels == 2)
                texture = (shared = std::make_shared<Textures>(path.c_str()))->textureId;
            else
                texture = loadTexture2D(path.c_str());
        });
        EXPECT_TRUE(output.empty()) << output;

        glBindTexture(GL_TEXTURE_2D, texture);
        // Without the mip chain the mipmapped filter would sample black.
        GLint width = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &width);
        EXPECT_EQ(width, 1) << "3x2 mips down to 1x1 at level 1";
        std::vector<unsigned char> bytes(image.bytes.size() + 16, 0xEE);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, formats[channels - 1], GL_UNSIGNED_BYTE, bytes.data());
        bytes.resize(image.bytes.size());
        EXPECT_EQ(bytes, image.bytes) << "top row first, unpadded";
        if (shared)
            EXPECT_TRUE(outputOf([&] { shared.reset(); }).empty()) << "a Textures goes silently";
        else
            glDeleteTextures(1, &texture);
        EXPECT_FALSE(glIsTexture(texture));
    }
}

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

    clearWindow(4, 4);
    glUseProgram(shaders->programId);
    plane->draw();
    EXPECT_TRUE(colourNear(glm::ivec3(windowPixel(1, 1)), {200, 30, 30}, 1));

    material->replaceTexture(second.c_str());
    EXPECT_FALSE(glIsTexture(old));
    plane->draw();
    EXPECT_TRUE(colourNear(glm::ivec3(windowPixel(2, 2)), {30, 200, 30}, 1));
    glUseProgram(0);

    const GLuint vao = plane->vao,
                 buffers[] = {plane->positionBuffer, plane->normalBuffer, plane->texCoordBuffer, plane->ebo};
    plane.reset();
    EXPECT_FALSE(glIsVertexArray(vao));
    for (GLuint buffer : buffers) EXPECT_FALSE(glIsBuffer(buffer)) << buffer;
}
