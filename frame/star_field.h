#pragma once
#include <cstdint>
#include <vector>

#include <glad/gl.h>
#include <glm/glm.hpp>

#include "render/model_asset.h"
#include "render/shader_program.h"

// The 3000 instanced stars. Their matrices are the field's whole state; they
// travel to the GPU as attributes 3 to 6 of the star meshes' vertex arrays.
class StarField {
public:
    // Reseeds the shared generator with seed (the whole seconds of the window
    // library's clock), places the stars, makes the instance buffer and rewires
    // every mesh of starModel, replacing its tangent attribute: the model
    // serves the field and nothing else afterwards.
    StarField(const ModelAsset& starModel, std::uint32_t seed);
    ~StarField();
    StarField(const StarField&) = delete;
    StarField& operator=(const StarField&) = delete;

    // Every frame right after the camera stage, whether the stars show or not;
    // width and height are the viewport's.
    void setCamera(const ShaderProgram& particlesProgram, const glm::mat4& view, const glm::mat4& projection, int width,
                   int height);
    // Only while the stars show: moving and drawing are one step, so hiding
    // the field freezes it and showing it resumes from there. With filled
    // triangles, the stars that cannot cover a pixel centre are left out: from
    // the meadow most stars are specks between pixel centres, which cost
    // vertex work and make no fragment. Lines can light a pixel without
    // covering its centre, so in wire frames every star is drawn.
    // The stars fly by the frame's time, at one step every 1/60 s.
    void updateAndDraw(const ShaderProgram& particlesProgram, bool filled, float deltaTime);

    const std::vector<glm::mat4>& matrices() const { return matrices_; }
    GLuint instanceBuffer() const { return instanceBuffer_; }

private:
    ModelAsset model_;
    float modelRadius_;
    std::vector<glm::mat4> matrices_;
    std::vector<glm::mat4> drawn_;
    glm::mat4 view_{1.0f};
    glm::mat4 projection_{1.0f};
    int width_ = 0;
    int height_ = 0;
    GLuint instanceBuffer_ = 0;
};

// The star stage: nothing at all while showStarInstances is clear.
void drawStarField(StarField& field, const ShaderProgram& particlesProgram, bool showStarInstances, bool filled,
                   float deltaTime);
