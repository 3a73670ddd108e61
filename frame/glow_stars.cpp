#include "frame/glow_stars.h"

#include <glm/gtc/matrix_transform.hpp>

#include "frame/glow_area.h"

namespace {

// Radians per second, as tuned: not quite pi and two pi.
constexpr float Spin1 = 3.1415f;
constexpr float Spin2 = 6.283f;
constexpr float Spin3 = 6.283f;

const glm::vec3 Centre{0.0f, 200.0f, 0.0f};
const glm::vec3 Orbit2{0.0f, 0.0f, 120.0f};
const glm::vec3 Orbit3{0.0f, 0.0f, 60.0f};
constexpr float Scale1 = 10.0f;
constexpr float Scale2 = 7.0f;
constexpr float Scale3 = 4.0f;

const glm::vec3 AxisX{1.0f, 0.0f, 0.0f};
const glm::vec3 AxisY{0.0f, 1.0f, 0.0f};
const glm::vec3 AxisZ{0.0f, 0.0f, 1.0f};

}  // namespace

GlowStars::GlowStars(const std::string& modelPath)
    : model(std::make_unique<ModelAsset>(modelPath)), modelRadius(model->radius()) {}

void GlowStars::update(float deltaTime) {
    angle1 += deltaTime * Spin1;
    angle2 += deltaTime * Spin2;
    angle3 += deltaTime * Spin3;

    const glm::mat4 centre = glm::translate(glm::mat4(1.0f), Centre);
    model1 = glm::rotate(glm::scale(centre, glm::vec3(Scale1)), angle1, AxisY);

    const glm::mat4 orbit2 = glm::translate(glm::rotate(centre, angle1, AxisY), Orbit2);
    model2 = glm::rotate(glm::scale(orbit2, glm::vec3(Scale2)), angle2, AxisX);

    const glm::mat4 orbit3 = glm::translate(glm::rotate(orbit2, angle2, AxisX), Orbit3);
    model3 = glm::rotate(glm::scale(orbit3, glm::vec3(Scale3)), angle3, AxisZ);
}

void GlowStars::draw(const ShaderProgram& program) const {
    for (const glm::mat4* matrix : {&model1, &model2, &model3}) {
        program.setUniformMat4("model", *matrix);
        model->draw(program);
    }
}

std::vector<glm::vec4> GlowStars::bounds() const {
    std::vector<glm::vec4> spheres;
    for (const glm::mat4* matrix : {&model1, &model2, &model3}) spheres.push_back(boundingSphere(*matrix, modelRadius));
    return spheres;
}

void drawGlowStars(GlowStars& stars, const ShaderProgram& lightingProgram, const glm::mat4& view,
                   const glm::mat4& projection, float deltaTime, bool showGlowStars) {
    if (!showGlowStars) return;
    stars.update(deltaTime);
    lightingProgram.bind();
    lightingProgram.setUniformInt("glow", 1);
    lightingProgram.setUniformMat4("view", view);
    lightingProgram.setUniformMat4("projection", projection);
    stars.draw(lightingProgram);
    // Everything else the lighting program draws has no glow.
    lightingProgram.setUniformInt("glow", 0);
}
