// The committed models, textures and sky against the level they are drawn in:
// each model through the matrix the game draws it with must match the radius
// the rules test it with, and the images must decode as the uploads expect.
#include <gtest/gtest.h>
#include <stb_image.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "app/scene_assets.h"
#include "frame/lighting.h"
#include "game/level_layout.h"
#include "game/physics.h"
#include "game/pickup_world.h"
#include "game/trunk_random.h"
#include "render/model_import.h"
#include "render/plane_geometry.h"
#include "support/gl_context.h"

namespace {

namespace fs = std::filesystem;

const fs::path Assets = fs::path(MH_SOURCE_DIR) / "assets";
// The meadow's surface: the ground model's own y after its matrix.
constexpr float GroundY = 10.0f;
// Rabbit height and the top of a plain jump, in world units.
constexpr float RabbitTop = 70.0f;

std::string assetPath(const char* gamePath) {
    // The game's paths start with "../assets/".
    const std::string path = gamePath;
    return (Assets / path.substr(path.find("assets/") + 7)).string();
}

struct Box {
    glm::vec3 lo{1e30f};
    glm::vec3 hi{-1e30f};
    glm::vec3 size() const { return hi - lo; }
};

// Positions after the matrix and the divide by w the rasteriser makes.
std::vector<glm::vec3> worldPoints(const ImportedModel& model, const glm::mat4& matrix) {
    std::vector<glm::vec3> points;
    for (const ImportedMesh& mesh : model.meshes) {
        for (const MeshVertex& v : mesh.vertices) {
            const glm::vec4 p = matrix * glm::vec4(v.position, 1.0f);
            points.push_back(glm::vec3(p) / p.w);
        }
    }
    return points;
}

Box bounds(const std::vector<glm::vec3>& points) {
    Box box;
    for (const glm::vec3& p : points) {
        box.lo = glm::min(box.lo, p);
        box.hi = glm::max(box.hi, p);
    }
    return box;
}

float farthest(const std::vector<glm::vec3>& points, const glm::vec3& centre) {
    float d = 0.0f;
    for (const glm::vec3& p : points) d = std::max(d, glm::distance(p, centre));
    return d;
}

float farthestAcross(const std::vector<glm::vec3>& points, const glm::vec3& centre) {
    float d = 0.0f;
    for (const glm::vec3& p : points) d = std::max(d, std::hypot(p.x - centre.x, p.z - centre.z));
    return d;
}

std::size_t triangleCount(const ImportedModel& model) {
    std::size_t n = 0;
    for (const ImportedMesh& mesh : model.meshes) n += mesh.indices.size() / 3;
    return n;
}

ImportedModel load(const char* gamePath) {
    ImportedModel model = importModel(assetPath(gamePath));
    EXPECT_TRUE(model.ok) << gamePath << ": " << model.error;
    EXPECT_FALSE(model.meshes.empty()) << gamePath;
    return model;
}

Box meadowBox() { return bounds(worldPoints(load(scenepaths::Meadow), groundModelMatrix())); }

bool onMeadow(const Box& meadow, const glm::vec3& p) {
    return p.x >= meadow.lo.x && p.x <= meadow.hi.x && p.z >= meadow.lo.z && p.z <= meadow.hi.z;
}

TEST(AssetModels, SceneModelsLoadWithEveryTextureAndNoImportError) {
    REQUIRE_GL();
    ASSERT_EQ(chdir(MH_BINARY_DIR), 0);
    testing::internal::CaptureStdout();
    std::size_t meshes = 0;
    {
        SceneModels models;
        for (const ModelAsset* model : {&models.meadow, &models.rabbit, &models.carrot, &models.stone, &models.heart,
                                        &models.cube, &models.star, &models.wall, &models.trunk, &models.tunnel}) {
            EXPECT_FALSE(model->meshes.empty()) << model->directory;
            EXPECT_FALSE(model->loadedTextures.empty()) << model->directory;
            for (const auto& mesh : model->meshes) {
                EXPECT_FALSE(mesh->indices.empty()) << model->directory;
                EXPECT_FALSE(mesh->textures.empty()) << model->directory << " would draw with stale textures";
            }
            meshes += model->meshes.size();
        }
    }
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output.find("ERROR::ASSIMP:: "), std::string::npos) << output;
    EXPECT_EQ(output.find("Texture failed to load at path: "), std::string::npos) << output;
    std::size_t created = 0;
    for (auto at = output.find("...Creating Mesh"); at != std::string::npos;
         at = output.find("...Creating Mesh", at + 1)) {
        ++created;
    }
    EXPECT_EQ(created, meshes);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(AssetModels, MeadowCarriesTheWholeLevel) {
    const Box meadow = meadowBox();
    EXPECT_LE(meadow.lo.x, -600.0f);
    EXPECT_GE(meadow.hi.x, 400.0f);
    EXPECT_LE(meadow.lo.z, -1300.0f);
    EXPECT_GE(meadow.hi.z, 8200.0f);
    EXPECT_NEAR(meadow.lo.y, GroundY, 1e-3f);
    EXPECT_NEAR(meadow.hi.y, GroundY, 1e-3f);

    EXPECT_TRUE(onMeadow(meadow, level::rabbitStart));
    EXPECT_TRUE(onMeadow(meadow, level::woodenCrate));
    for (const PickupPlacement& pickup : level::pickupLayout) EXPECT_TRUE(onMeadow(meadow, pickup.position));
    for (int i = 0; i < level::LargeStoneCount; ++i) EXPECT_TRUE(onMeadow(meadow, largeStonePoint(i)));
    // Trunks start on the meadow, however far they roll later.
    const ImportedModel trunk = load(scenepaths::Trunk);
    for (const Trunk& t : generateTrunks()) {
        const Box box = bounds(worldPoints(trunk, trunkMatrix(t.position)));
        EXPECT_TRUE(onMeadow(meadow, box.lo) && onMeadow(meadow, box.hi)) << t.position.x << " " << t.position.z;
    }
}

// The pickup rules fire within the radius: the model the player sees should
// stay inside it and still fill it.
TEST(AssetModels, PickupsFillTheirRadiusAndStayInside) {
    PhysicsFoundation* foundation = createPhysicsFoundation();
    PhysicsSdk* sdk = createPhysicsSdk(foundation);
    PhysicsScene* scene = createPhysicsScene(sdk);
    ASSERT_NE(scene, nullptr);
    createPickupActors(*scene);
    const std::vector<glm::mat4> poses = readPickupPositions(*scene);
    releasePhysicsScene(scene);
    releasePhysicsSdk(sdk);
    releasePhysicsFoundation(foundation);
    ASSERT_EQ(poses.size(), static_cast<std::size_t>(level::PickupCount));

    const ImportedModel heart = load(scenepaths::Heart);
    const ImportedModel carrot = load(scenepaths::Carrot);
    for (std::size_t i = 0; i < poses.size(); ++i) {
        const bool isHeart = level::pickupLayout[i].kind == PickupKind::Heart;
        SCOPED_TRACE(std::string(isHeart ? "heart " : "carrot ") + std::to_string(i));
        const float radius = isHeart ? level::HeartRadius : level::CarrotRadius;
        const glm::vec3 point(poses[i][3]);
        const glm::mat4 matrix = isHeart ? heartMatrix(poses[i]) : carrotMatrix(poses[i]);
        const auto points = worldPoints(isHeart ? heart : carrot, matrix);
        EXPECT_LT(farthest(points, point), radius);
        EXPECT_GT(farthest(points, point), 0.75f * radius);
        // Standing on the grass, neither floating high nor sunk.
        const Box box = bounds(points);
        EXPECT_LT(box.lo.y, GroundY + 5.0f);
        EXPECT_GT(box.hi.y, GroundY + 10.0f);
        // The flat heart shows its face, not its edge, to the player looking along -z.
        if (isHeart) {
            EXPECT_GT(box.size().x, 2.0f * box.size().z);
        }
    }
}

TEST(AssetModels, LargeStonesFillTheirRadiusUnderTheFilmScreen) {
    const ImportedModel stone = load(scenepaths::Stone);
    // The film screen hangs above the stones; they must not hide it.
    const PlaneGeometry plane = makePlaneGeometry(400.0f, 400.0f);
    float screenBottom = 1e30f;
    for (const glm::vec3& p : plane.positions) {
        screenBottom = std::min(screenBottom, (sequencePlaneMatrix() * glm::vec4(p, 1.0f)).y);
    }
    for (int i = 0; i < level::LargeStoneCount; ++i) {
        SCOPED_TRACE(i);
        const auto points = worldPoints(stone, largeStoneMatrix(i));
        const float across = farthestAcross(points, largeStonePoint(i));
        EXPECT_LT(across, level::LargeStoneRadius);
        EXPECT_GT(across, 0.6f * level::LargeStoneRadius);
        const Box box = bounds(points);
        EXPECT_LE(box.lo.y, GroundY);
        EXPECT_GT(box.hi.y, RabbitTop);
        EXPECT_LT(box.hi.y, screenBottom);
    }
}

// A small stone's matrix has 8 in w too, so after the divide it stands,
// unscaled, at its stored position: it must still show above the grass.
TEST(AssetModels, SmallStonesShowAboveTheGrassWhereTheyAreDrawn) {
    const ImportedModel stone = load(scenepaths::Stone);
    const glm::vec3 stored(-99.2f, level::SmallStoneY, 489.9f);
    const Box box = bounds(worldPoints(stone, smallStoneMatrix(stored)));
    EXPECT_GT(box.hi.y, GroundY + 2.0f);
    EXPECT_LT(box.lo.y, GroundY);
    EXPECT_NEAR((box.lo.x + box.hi.x) / 2.0f, stored.x, 1.0f);
}

TEST(AssetModels, TrunkLiesAcrossThePathAsWideAsItsHitRadius) {
    const ImportedModel trunk = load(scenepaths::Trunk);
    const glm::vec3 at(-109.0f, 10.0f, 5369.1f);
    const Box box = bounds(worldPoints(trunk, trunkMatrix(at)));
    EXPECT_NEAR(box.hi.x - at.x, level::TrunkRadius, 0.1f * level::TrunkRadius);
    EXPECT_NEAR(at.x - box.lo.x, level::TrunkRadius, 0.1f * level::TrunkRadius);
    EXPECT_GT(box.size().x, 2.5f * box.size().z);
    EXPECT_NEAR(box.lo.y, GroundY, 2.0f);
    // Low enough for a jump to clear it.
    EXPECT_LT(box.hi.y, 120.0f);
}

TEST(AssetModels, RabbitStandsOnTheGrassAtItsStart) {
    const auto points = worldPoints(load(scenepaths::Rabbit), rabbitModelMatrix(level::rabbitStart, 0.0f));
    const Box box = bounds(points);
    EXPECT_NEAR(box.lo.y, GroundY, 1.5f);
    EXPECT_GT(box.size().y, 35.0f);
    EXPECT_LT(box.size().y, 80.0f);
    EXPECT_GT(box.size().x, 10.0f);
    EXPECT_LT(box.size().x, box.size().y);
    // Well inside a carrot's reach of its own centre, so pickups feel right.
    EXPECT_LT(farthestAcross(points, level::rabbitStart), 2.0f * level::CarrotRadius);
}

TEST(AssetModels, CrateRestsOnTheGrassInsideItsPushRadius) {
    const auto points = worldPoints(load(scenepaths::Cube), crateMatrix());
    const Box box = bounds(points);
    EXPECT_NEAR(box.lo.y, GroundY, 0.5f);
    EXPECT_LT(farthestAcross(points, level::woodenCrate), level::CrateRadius);
    EXPECT_GT(farthestAcross(points, level::woodenCrate), 0.5f * level::CrateRadius);
}

TEST(AssetModels, StarIsCheapEnoughForThreeThousandInstances) {
    const ImportedModel star = load(scenepaths::Star);
    EXPECT_LE(triangleCount(star), 48u);
    const Box box = bounds(worldPoints(star, glm::mat4(1.0f)));
    // The glow stars scale it by 10, 7 and 4: about a unit across.
    EXPECT_GT(std::max(box.size().x, box.size().y), 1.0f);
    EXPECT_LT(std::max({box.size().x, box.size().y, box.size().z}), 3.0f);
}

// Both brick models are drawn with the normal map, which needs a tangent at
// every vertex.
TEST(AssetModels, WallsStandOnTheMeadowWithTangents) {
    const Box meadow = meadowBox();
    const ImportedModel wall = load(scenepaths::Wall);
    for (float seconds : {0.0f, 9.0f, 22.5f}) {
        SCOPED_TRACE(seconds);
        const Box box = bounds(worldPoints(wall, brickWallModelMatrix(seconds)));
        EXPECT_LE(box.lo.y, GroundY);
        EXPECT_GT(box.hi.y, RabbitTop);
        EXPECT_TRUE(onMeadow(meadow, box.lo) && onMeadow(meadow, box.hi));
    }
    const ImportedModel tunnel = load(scenepaths::Tunnel);
    const Box box = bounds(worldPoints(tunnel, tunnelWallMatrix()));
    EXPECT_LE(box.lo.y, GroundY);
    EXPECT_GT(box.hi.y, RabbitTop);
    EXPECT_TRUE(onMeadow(meadow, box.lo) && onMeadow(meadow, box.hi));
    // A slab along the path, beside it.
    EXPECT_GT(box.size().z, 5.0f * box.size().x);
    for (const ImportedModel* model : {&wall, &tunnel}) {
        for (const ImportedMesh& mesh : model->meshes) {
            for (const MeshVertex& v : mesh.vertices) ASSERT_GT(glm::length(v.tangent), 0.5f);
        }
    }
}

// ---------------------------------------------------------------- images

struct Picture {
    int width = 0, height = 0, channels = 0;
    std::vector<unsigned char> pixels;
    glm::vec3 at(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * channels;
        return {pixels[i], pixels[i + 1], pixels[i + 2]};
    }
};

Picture decode(const fs::path& path) {
    Picture picture;
    unsigned char* data = stbi_load(path.c_str(), &picture.width, &picture.height, &picture.channels, 0);
    if (data) {
        picture.pixels.assign(data, data + static_cast<std::size_t>(picture.width) * picture.height * picture.channels);
        stbi_image_free(data);
    }
    return picture;
}

TEST(AssetImages, EveryImageDecodesAsRgb) {
    int images = 0;
    for (const auto& entry : fs::recursive_directory_iterator(Assets)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".png" && ext != ".jpg") continue;
        ++images;
        const Picture picture = decode(entry.path());
        EXPECT_FALSE(picture.pixels.empty()) << entry.path() << ": " << stbi_failure_reason();
        // The sky faces go up as RGB whatever they hold; the rest follow suit.
        EXPECT_EQ(picture.channels, 3) << entry.path();
    }
    EXPECT_GE(images, 72 + 6);
    // The film swaps one image for the next on the same screen: one size for all.
    const Picture first = decode(Assets / "frames" / "frame1.jpg");
    for (int k = 2; k <= 72; ++k) {
        const fs::path frame = Assets / "frames" / ("frame" + std::to_string(k) + ".jpg");
        ASSERT_TRUE(fs::exists(frame)) << frame;
        const Picture picture = decode(frame);
        EXPECT_EQ(picture.width, first.width) << frame;
        EXPECT_EQ(picture.height, first.height) << frame;
    }
}

// A cube-map face as GL addresses it: a direction d lands on the face whose
// major axis is largest, at sc = dot(d, u), tc = dot(d, v) over that axis.
struct CubeFace {
    const char* file;
    glm::vec3 major, u, v;
};
// The game puts left.jpg on +X and back.jpg on +Z.
const std::array<CubeFace, 6> SkyFaces = {{
    {"left.jpg", {1, 0, 0}, {0, 0, -1}, {0, -1, 0}},
    {"right.jpg", {-1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
    {"top.jpg", {0, 1, 0}, {1, 0, 0}, {0, 0, 1}},
    {"bottom.jpg", {0, -1, 0}, {1, 0, 0}, {0, 0, -1}},
    {"back.jpg", {0, 0, 1}, {1, 0, 0}, {0, -1, 0}},
    {"front.jpg", {0, 0, -1}, {-1, 0, 0}, {0, -1, 0}},
}};

// Row 0 of the decoded image is t = 0: it is uploaded first.
struct SeamStats {
    double mean = 0.0;
    float worst = 0.0f;
};

SeamStats seams(const std::array<CubeFace, 6>& faces, const std::array<Picture, 6>& pictures) {
    const int n = pictures[0].width;
    double sum = 0.0;
    int count = 0;
    std::vector<float> all;
    auto lookup = [&](const glm::vec3& d) {
        int best = 0;
        for (int f = 1; f < 6; ++f) {
            if (glm::dot(d, faces[f].major) > glm::dot(d, faces[best].major)) best = f;
        }
        const float ma = glm::dot(d, faces[best].major);
        const float s = (glm::dot(d, faces[best].u) / ma + 1.0f) / 2.0f;
        const float t = (glm::dot(d, faces[best].v) / ma + 1.0f) / 2.0f;
        const int x = std::clamp(static_cast<int>(s * n), 0, n - 1);
        const int y = std::clamp(static_cast<int>(t * n), 0, n - 1);
        return pictures[best].at(x, y);
    };
    for (int f = 0; f < 6; ++f) {
        for (int k = 1; k < n - 1; ++k) {
            // The texel at each edge, and the next texel beyond that edge.
            const int edges[4][2] = {{0, k}, {n - 1, k}, {k, 0}, {k, n - 1}};
            const int out[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
            for (int e = 0; e < 4; ++e) {
                const float s = 2.0f * (edges[e][0] + 0.5f) / n - 1.0f;
                const float t = 2.0f * (edges[e][1] + 0.5f) / n - 1.0f;
                const glm::vec3 beyond =
                    faces[f].major + (s + 2.0f * out[e][0] / n) * faces[f].u + (t + 2.0f * out[e][1] / n) * faces[f].v;
                const glm::vec3 diff = glm::abs(pictures[f].at(edges[e][0], edges[e][1]) - lookup(beyond));
                const float d = std::max({diff.x, diff.y, diff.z});
                sum += d;
                ++count;
                all.push_back(d);
            }
        }
    }
    std::sort(all.begin(), all.end());
    return {sum / count, all[all.size() * 99 / 100]};
}

TEST(AssetImages, SkyFacesMeetWithoutSeams) {
    std::array<Picture, 6> pictures;
    for (int f = 0; f < 6; ++f) {
        pictures[f] = decode(Assets / "objects" / "skybox" / SkyFaces[f].file);
        ASSERT_FALSE(pictures[f].pixels.empty()) << SkyFaces[f].file;
        ASSERT_EQ(pictures[f].width, pictures[f].height) << SkyFaces[f].file;
        ASSERT_EQ(pictures[f].width, pictures[0].width) << SkyFaces[f].file;
    }
    // Neighbouring texels across an edge differ by the sky's own gradient and
    // the JPEG's noise, no more.
    const SeamStats right = seams(SkyFaces, pictures);
    EXPECT_LT(right.mean, 4.0);
    EXPECT_LT(right.worst, 24.0f);

    // The check sees a wrong layout: left and right swapped, say.
    std::array<Picture, 6> swappedPictures = pictures;
    std::swap(swappedPictures[0], swappedPictures[1]);
    EXPECT_GT(seams(SkyFaces, swappedPictures).mean, 2.0 * right.mean + 1.0);
}

}  // namespace
