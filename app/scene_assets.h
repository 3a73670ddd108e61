#pragma once
// The scene's resources in the order the game routine creates them. Each
// group is one member of GameScene, so the language's own rules release them
// in reverse; the "set once" uniforms of a group are set in its constructor.
#include <cstdint>
#include <memory>

#include <glad/gl.h>
#include <glm/glm.hpp>

#include "render/materials.h"
#include "render/model_asset.h"
#include "render/plane_geometry.h"
#include "render/shader_program.h"
#include "render/shaders.h"
#include "render/textured_plane.h"

namespace scenepaths {
inline constexpr const char* Text[2] = {"../assets/shader/Text.vert", "../assets/shader/Text.frag"};
inline constexpr const char* Lighting[2] = {"../assets/shader/Lighting.vert", "../assets/shader/Lighting.frag"};
inline constexpr const char* Cell[2] = {"../assets/shader/cell.vert", "../assets/shader/cell.frag"};
inline constexpr const char* Phong[2] = {"../assets/shader/phongPhong.vert", "../assets/shader/phongPhong.frag"};
inline constexpr const char* Lightmaps[2] = {"../assets/shader/lightmaps.vert", "../assets/shader/lightmaps.frag"};
inline constexpr const char* Particles[2] = {"../assets/shader/particles.vert", "../assets/shader/particles.frag"};
inline constexpr const char* Normalmap[2] = {"../assets/shader/normalmap.vert", "../assets/shader/normalmap.frag"};
inline constexpr const char* Gauss[2] = {"../assets/shader/Gauss.vert", "../assets/shader/Gauss.frag"};
inline constexpr const char* Screen[2] = {"../assets/shader/Screen.vert", "../assets/shader/Screen.frag"};

inline constexpr const char* Meadow = "../assets/objects/map/grass.obj";
inline constexpr const char* Rabbit = "../assets/objects/rabbit/rabbit.obj";
inline constexpr const char* Carrot = "../assets/objects/carrot/carrot.obj";
inline constexpr const char* Stone = "../assets/objects/stone/stone.obj";
inline constexpr const char* Heart = "../assets/objects/heart/heart.obj";
inline constexpr const char* Cube = "../assets/objects/cube/cube.obj";
inline constexpr const char* Star = "../assets/objects/star/star.obj";
inline constexpr const char* Wall = "../assets/objects/wall/wall.obj";
inline constexpr const char* Trunk = "../assets/objects/hindernis/stamm.obj";
inline constexpr const char* Tunnel = "../assets/objects/tunnel/wall.obj";

inline constexpr const char* FirstFilmImage = "../assets/frames/frame1.jpg";
inline constexpr const char* BrickDiffuse = "../assets/objects/wall/brickwall.jpg";
inline constexpr const char* BrickNormal = "../assets/objects/wall/brickwall_normal_test.jpg";
inline constexpr const char* WoodDiffuse = "../assets/objects/cube/woodTexture.png";
inline constexpr const char* WoodSpecular = "../assets/objects/cube/cube_specular.png";
inline constexpr const char* SequenceShaders = "phongPhong";
}  // namespace scenepaths

// The seven scene programs, text first, in their creation order, then the
// text program's projection.
struct ScenePrograms {
    ScenePrograms(int width, int height);
    ShaderProgram text;
    ShaderProgram lighting;
    ShaderProgram cell;
    // No draw uses it; it is built and released like the others.
    ShaderProgram phong;
    ShaderProgram lightmaps;
    ShaderProgram particles;
    ShaderProgram normalmap;
};

struct SceneModels {
    SceneModels();
    ModelAsset meadow;
    ModelAsset rabbit;
    ModelAsset carrot;
    ModelAsset stone;
    ModelAsset heart;
    ModelAsset cube;
    ModelAsset star;
    ModelAsset wall;
    ModelAsset trunk;
    ModelAsset tunnel;
};

// The film screen above the large stones.
struct FilmScreen {
    FilmScreen();
    std::shared_ptr<Shaders> sequenceShaders;
    std::shared_ptr<Materials> sequenceMaterial;
    PlaneGeometry geometry;
    TexturedPlane sequencePlane;
};

// A texture name from loadTexture2D, deleted by its owner.
class LooseTexture {
public:
    explicit LooseTexture(const char* path);
    ~LooseTexture() { release(); }
    LooseTexture(const LooseTexture&) = delete;
    LooseTexture& operator=(const LooseTexture&) = delete;
    void release();
    GLuint id() const { return id_; }

private:
    GLuint id_ = 0;
};

// Brick textures for the normal-mapped wall, and the program's samplers.
struct BrickTextures {
    explicit BrickTextures(const ShaderProgram& normalmapProgram);
    LooseTexture diffuse;
    LooseTexture normal;
};

// The blur and composite programs, and the composite's samplers.
struct PostPrograms {
    PostPrograms();
    ShaderProgram gauss;
    ShaderProgram screen;
};

// Wood textures for the light-mapped crate, and the program's samplers.
struct WoodTextures {
    explicit WoodTextures(const ShaderProgram& lightmapsProgram);
    LooseTexture diffuse;
    LooseTexture specular;
};
