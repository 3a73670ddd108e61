#include "render_fixture.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

std::string outputOf(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

Image patternImage(int width, int height, int channels, int seed) {
    Image image{width, height, channels, {}};
    for (int i = 0; i < width * height * channels; ++i)
        image.bytes.push_back(static_cast<unsigned char>(seed + 13 * i + 1));
    return image;
}

Image solidImage(int width, int height, const glm::ivec3& rgb) {
    Image image{width, height, 3, {}};
    for (int i = 0; i < width * height * 3; ++i) image.bytes.push_back(static_cast<unsigned char>(rgb[i % 3]));
    return image;
}

std::string writePng(const ScratchDir& dir, const std::string& relative, const Image& image) {
    const std::string path = dir.write(relative, "");
    EXPECT_NE(stbi_write_png(path.c_str(), image.width, image.height, image.channels, image.bytes.data(),
                             image.width * image.channels),
              0);
    return path;
}

const char* const ScreenVertex = R"(#version 430 core
layout(location = 0) in vec3 position;
void main() { gl_Position = vec4(position, 1.0); }
)";

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

::testing::AssertionResult colourNear(const glm::ivec3& actual, const glm::ivec3& expected, int tolerance) {
    if (glm::all(glm::lessThanEqual(glm::abs(actual - expected), glm::ivec3(tolerance))))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.r << ", " << actual.g << ", " << actual.b << ") is not near ("
                                         << expected.r << ", " << expected.g << ", " << expected.b << ")";
}
