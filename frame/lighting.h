#pragma once
#include <glad/gl.h>
#include <glm/glm.hpp>

#include "render/model_asset.h"
#include "render/shader_program.h"

// What every lit draw of a frame shares: the camera stage's values and the
// brightness setting, which scales the ambient terms only.
struct LitView {
    glm::vec3 cameraPosition{0.0f};
    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};
    float brightness = 1.0f;
};

// The crate's and the brick wall's point light, fixed for the run.
inline constexpr glm::vec3 PointLightPosition{0.0f, 6.0f, 10.0f};

// Cel shading replaces the lit program for the whole frame.
const ShaderProgram& frameShadingProgram(bool celShading, const ShaderProgram& lightingProgram,
                                         const ShaderProgram& cellProgram);

struct GroundAndRabbit {
    bool ground = false;
    bool rabbit = false;
};
// Keys 1 and 2 hide ground and rabbit in lit mode only; cel mode draws both.
GroundAndRabbit groundAndRabbitShown(bool celShading, bool showGround, bool showRabbit);

// The directional light of the lit and cel programs (the program is bound).
void setDirectionalLight(const ShaderProgram& program, const LitView& frame);
// The crate's point light (the program is bound).
void setPointLight(const ShaderProgram& program, const LitView& frame);

glm::mat4 groundModelMatrix();
// facing in radians about the y axis.
glm::mat4 rabbitModelMatrix(const glm::vec3& rabbitPosition, float rabbitFacing);
// seconds of window-library time; the wall turns 10 degrees a second.
glm::mat4 brickWallModelMatrix(float seconds);

void drawGround(const ShaderProgram& program, const ModelAsset& ground, const LitView& frame);
void drawRabbit(const ShaderProgram& program, const ModelAsset& rabbit, const LitView& frame,
                const glm::vec3& rabbitPosition, float rabbitFacing);

// Steps one to three of the lit scene: ground and rabbit by the mode's rules,
// then the frame's shading program is left current for the meadow's objects,
// which set only their "model" and share these light values. Returns it.
const ShaderProgram& drawGroundAndRabbit(const ShaderProgram& lightingProgram, const ShaderProgram& cellProgram,
                                         const ModelAsset& ground, const ModelAsset& rabbit, const LitView& frame,
                                         bool celShading, bool showGround, bool showRabbit,
                                         const glm::vec3& rabbitPosition, float rabbitFacing);

// The light-mapped wooden crate at its model matrix (crateMatrix), every
// frame. The crate's bump test with the rabbit moves only the rabbit, so it
// may run right before this.
void drawCrate(const ShaderProgram& lightmapsProgram, const ModelAsset& cube, GLuint woodDiffuseTexture,
               GLuint woodSpecularTexture, const LitView& frame, const glm::mat4& model);

// The spinning normal-mapped brick wall; seconds as for brickWallModelMatrix.
void drawBrickWall(const ShaderProgram& normalmapProgram, const ModelAsset& wall, GLuint brickDiffuseTexture,
                   GLuint brickNormalTexture, const LitView& frame, float seconds, bool showBrickWall);
