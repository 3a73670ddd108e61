#include "app/scene_assets.h"

#include "frame/post_processing.h"
#include "frame/text_renderer.h"
#include "game/level_layout.h"
#include "render/texture.h"

namespace {
constexpr float ScreenSize = 400.0f;
const glm::vec3 ScreenDiffuse{1.0f, 0.0f, 0.0f};
const glm::vec3 ScreenCoefficients{8.0f, 7.0f, 1.0f};
constexpr float ScreenSpecularAlpha = 2.0f;
}  // namespace

ScenePrograms::ScenePrograms(int width, int height)
    : text(scenepaths::Text[0], scenepaths::Text[1]), lighting(scenepaths::Lighting[0], scenepaths::Lighting[1]),
      cell(scenepaths::Cell[0], scenepaths::Cell[1]), phong(scenepaths::Phong[0], scenepaths::Phong[1]),
      lightmaps(scenepaths::Lightmaps[0], scenepaths::Lightmaps[1]),
      particles(scenepaths::Particles[0], scenepaths::Particles[1]),
      normalmap(scenepaths::Normalmap[0], scenepaths::Normalmap[1]) {
    setTextProjection(text, width, height);
}

SceneModels::SceneModels()
    : meadow(scenepaths::Meadow), rabbit(scenepaths::Rabbit), carrot(scenepaths::Carrot), stone(scenepaths::Stone),
      heart(scenepaths::Heart), cube(scenepaths::Cube), star(scenepaths::Star), wall(scenepaths::Wall),
      trunk(scenepaths::Trunk), tunnel(scenepaths::Tunnel) {}

FilmScreen::FilmScreen()
    : sequenceShaders(std::make_shared<Shaders>(scenepaths::SequenceShaders)),
      sequenceMaterial(std::make_shared<Materials>(sequenceShaders, ScreenDiffuse, ScreenCoefficients,
                                                   ScreenSpecularAlpha, scenepaths::FirstFilmImage)),
      geometry(makePlaneGeometry(ScreenSize, ScreenSize)), sequencePlane(geometry, sequenceMaterial) {}

LooseTexture::LooseTexture(const char* path) : id_(loadTexture2D(path)) {}

void LooseTexture::release() {
    if (id_ != 0) glDeleteTextures(1, &id_);
    id_ = 0;
}

BrickTextures::BrickTextures(const ShaderProgram& normalmapProgram)
    : diffuse(scenepaths::BrickDiffuse), normal(scenepaths::BrickNormal) {
    normalmapProgram.bind();
    normalmapProgram.setUniformInt("diffuse", 0);
    normalmapProgram.setUniformInt("normalMap", 1);
}

PostPrograms::PostPrograms()
    : gauss(scenepaths::Gauss[0], scenepaths::Gauss[1]), screen(scenepaths::Screen[0], scenepaths::Screen[1]) {
    prepareScreenProgram(screen);
}

WoodTextures::WoodTextures(const ShaderProgram& lightmapsProgram)
    : diffuse(scenepaths::WoodDiffuse), specular(scenepaths::WoodSpecular) {
    lightmapsProgram.bind();
    lightmapsProgram.setUniformInt("material.diffuse", 0);
    lightmapsProgram.setUniformInt("material.specular", 1);
}
