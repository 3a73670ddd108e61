#include "frame/lighting.h"

#include <glm/gtc/matrix_transform.hpp>

#include "game/level_layout.h"

namespace {

const glm::vec3 AxisY{0.0f, 1.0f, 0.0f};

namespace directional {
constexpr float AmbientPerBrightness = 0.6f;
constexpr float Diffuse = 0.3f;
constexpr float Specular = 0.2f;
constexpr float Shininess = 32.0f;
}  // namespace directional

namespace point {
constexpr float AmbientPerBrightness = 0.2f;
constexpr float Diffuse = 0.5f;
constexpr float Specular = 0.8f;
constexpr float Shininess = 64.0f;
}  // namespace point

void setCamera(const ShaderProgram& program, const LitView& frame) {
    program.setUniformMat4("view", frame.view);
    program.setUniformMat4("projection", frame.projection);
}

}  // namespace

const ShaderProgram& frameShadingProgram(bool celShading, const ShaderProgram& lightingProgram,
                                         const ShaderProgram& cellProgram) {
    return celShading ? cellProgram : lightingProgram;
}

GroundAndRabbit groundAndRabbitShown(bool celShading, bool showGround, bool showRabbit) {
    if (celShading) return {true, true};
    return {showGround, showRabbit};
}

void setDirectionalLight(const ShaderProgram& program, const LitView& frame) {
    const float ambient = directional::AmbientPerBrightness * frame.brightness;
    program.setUniformVec3("light.direction", 0.0f, -1.0f, 0.0f);
    program.setUniformVec3("viewPos", frame.cameraPosition);
    program.setUniformVec3("light.ambient", ambient, ambient, ambient);
    program.setUniformVec3("light.diffuse", directional::Diffuse, directional::Diffuse, directional::Diffuse);
    program.setUniformVec3("light.specular", directional::Specular, directional::Specular, directional::Specular);
    program.setUniformFloat("material.shininess", directional::Shininess);
}

void setPointLight(const ShaderProgram& program, const LitView& frame) {
    const float ambient = point::AmbientPerBrightness * frame.brightness;
    program.setUniformVec3("light.position", PointLightPosition);
    program.setUniformVec3("viewPos", frame.cameraPosition);
    program.setUniformVec3("light.ambient", ambient, ambient, ambient);
    program.setUniformVec3("light.diffuse", point::Diffuse, point::Diffuse, point::Diffuse);
    program.setUniformVec3("light.specular", point::Specular, point::Specular, point::Specular);
    program.setUniformFloat("material.shininess", point::Shininess);
}

glm::mat4 groundModelMatrix() {
    return glm::scale(glm::translate(glm::mat4(1.0f), level::groundOffset), glm::vec3(level::GroundScale));
}

glm::mat4 rabbitModelMatrix(const glm::vec3& rabbitPosition, float rabbitFacing) {
    const glm::mat4 placed = glm::rotate(glm::translate(glm::mat4(1.0f), rabbitPosition), rabbitFacing, AxisY);
    return glm::scale(placed, glm::vec3(level::RabbitScale));
}

glm::mat4 brickWallModelMatrix(float seconds) {
    glm::mat4 model = glm::translate(glm::mat4(1.0f), level::brickWall);
    // The wall turns about the point light's offset, not its own centre.
    model = glm::translate(model, PointLightPosition);
    model = glm::rotate(model, glm::radians(level::BrickWallDegreesPerSecond * seconds), AxisY);
    return glm::scale(model, glm::vec3(level::BrickWallScale));
}

void drawGround(const ShaderProgram& program, const ModelAsset& ground, const LitView& frame) {
    program.bind();
    setDirectionalLight(program, frame);
    setCamera(program, frame);
    program.setUniformMat4("model", groundModelMatrix());
    ground.draw(program);
}

void drawRabbit(const ShaderProgram& program, const ModelAsset& rabbit, const LitView& frame,
                const glm::vec3& rabbitPosition, float rabbitFacing) {
    program.bind();
    setDirectionalLight(program, frame);
    setCamera(program, frame);
    program.setUniformMat4("model", rabbitModelMatrix(rabbitPosition, rabbitFacing));
    rabbit.draw(program);
}

const ShaderProgram& drawGroundAndRabbit(const ShaderProgram& lightingProgram, const ShaderProgram& cellProgram,
                                         const ModelAsset& ground, const ModelAsset& rabbit, const LitView& frame,
                                         bool celShading, bool showGround, bool showRabbit,
                                         const glm::vec3& rabbitPosition, float rabbitFacing) {
    const ShaderProgram& shading = frameShadingProgram(celShading, lightingProgram, cellProgram);
    const GroundAndRabbit shown = groundAndRabbitShown(celShading, showGround, showRabbit);
    if (shown.ground) drawGround(shading, ground, frame);
    if (shown.rabbit) drawRabbit(shading, rabbit, frame, rabbitPosition, rabbitFacing);
    shading.bind();
    return shading;
}

void drawCrate(const ShaderProgram& lightmapsProgram, const ModelAsset& cube, GLuint woodDiffuseTexture,
               GLuint woodSpecularTexture, const LitView& frame, const glm::mat4& model) {
    lightmapsProgram.bind();
    setPointLight(lightmapsProgram, frame);
    setCamera(lightmapsProgram, frame);
    lightmapsProgram.setUniformMat4("model", model);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, woodDiffuseTexture);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, woodSpecularTexture);
    cube.draw(lightmapsProgram);
}

void drawBrickWall(const ShaderProgram& normalmapProgram, const ModelAsset& wall, GLuint brickDiffuseTexture,
                   GLuint brickNormalTexture, const LitView& frame, float seconds, bool showBrickWall) {
    if (!showBrickWall) return;
    normalmapProgram.bind();
    normalmapProgram.setUniformMat4("projection", frame.projection);
    normalmapProgram.setUniformMat4("view", frame.view);
    normalmapProgram.setUniformVec3("lightPos", PointLightPosition);
    normalmapProgram.setUniformMat4("model", brickWallModelMatrix(seconds));
    normalmapProgram.setUniformVec3("viewPos", frame.cameraPosition);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, brickDiffuseTexture);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, brickNormalTexture);
    wall.draw(normalmapProgram);
}
