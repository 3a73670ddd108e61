#pragma once
#include <memory>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "frame/messages.h"
#include "render/model_asset.h"
#include "render/shader_program.h"

// The three spinning stars, the only things drawn with glow switched on: star 2
// circles star 1 at 120 units, star 3 circles star 2 at 60.
class GlowStars {
public:
    // Imports its own copy of the star model, apart from the scene's.
    explicit GlowStars(const std::string& modelPath = framepaths::GlowStarModel);

    // Angles advance with the frame time; the matrices follow them.
    void update(float deltaTime);
    // Sets "model" for each star and draws the model; the caller has bound the
    // program and set view and projection.
    void draw(const ShaderProgram& program) const;
    // A sphere around each star as its matrix places it: xyz the centre, w the radius.
    std::vector<glm::vec4> bounds() const;

    std::unique_ptr<ModelAsset> model;
    // The farthest vertex of the model from its origin.
    float modelRadius = 0.0f;
    // Radians.
    float angle1 = 0.0f;
    float angle2 = 0.0f;
    float angle3 = 0.0f;
    glm::mat4 model1{1.0f};
    glm::mat4 model2{1.0f};
    glm::mat4 model3{1.0f};
};

// The glow-star stage. While showGlowStars is clear the stars neither spin nor
// show; post-processing runs either way.
void drawGlowStars(GlowStars& stars, const ShaderProgram& lightingProgram, const glm::mat4& view,
                   const glm::mat4& projection, float deltaTime, bool showGlowStars);
