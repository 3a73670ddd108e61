// The committed models and images against the level they are drawn in: each
// model through the matrix the game draws it with must match the radius the
// rules test it with, and the images must fit the way they are shown.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "app/scene_assets.h"
#include "frame/lighting.h"
#include "game/level_layout.h"
#include "game/trunk_random.h"
#include "render/model_import.h"
#include "render/plane_geometry.h"

namespace {

namespace fs = std::filesystem;

const fs::path Assets = fs::path(MH_SOURCE_DIR) / "assets";
// The meadow's surface: the ground model's own y after its matrix.
constexpr float GroundY = 10.0f;
// Rabbit height and the top of a plain jump, in world units.
constexpr float RabbitTop = 70.0f;

// A point after the matrix and the divide by w the rasteriser makes.
glm::vec3 at(const glm::mat4& matrix, const glm::vec3& point) {
    const glm::vec4 p = matrix * glm::vec4(point, 1.0f);
    return glm::vec3(p) / p.w;
}

// A model's positions as the rasteriser sees them.
struct Placed {
    std::vector<glm::vec3> points;
    glm::vec3 lo{1e30f}, hi{-1e30f};
    glm::vec3 size() const { return hi - lo; }
    // The largest distance from centre, across the ground only when flat.
    float reach(const glm::vec3& centre, bool flat = false) const {
        float d = 0.0f;
        for (const glm::vec3& p : points)
            d = std::max(d, glm::distance(flat ? glm::vec3(p.x, centre.y, p.z) : p, centre));
        return d;
    }
};

ImportedModel load(const char* gamePath) {
    // The game's paths start with "../assets/".
    const std::string path = gamePath;
    ImportedModel model = importModel((Assets / path.substr(path.find("assets/") + 7)).string());
    EXPECT_TRUE(model.ok) << gamePath << ": " << model.error;
    return model;
}

Placed place(const ImportedModel& model, const glm::mat4& matrix) {
    Placed placed;
    for (const ImportedMesh& mesh : model.meshes) {
        for (const MeshVertex& v : mesh.vertices) {
            placed.points.push_back(at(matrix, v.position));
            placed.lo = glm::min(placed.lo, placed.points.back());
            placed.hi = glm::max(placed.hi, placed.points.back());
        }
    }
    return placed;
}

const Placed& meadow() {
    static const Placed placed = place(load(scenepaths::Meadow), groundModelMatrix());
    return placed;
}

bool onMeadow(const glm::vec3& p) {
    return p.x >= meadow().lo.x && p.x <= meadow().hi.x && p.z >= meadow().lo.z && p.z <= meadow().hi.z;
}

// Standing on the meadow from the grass up past the rabbit's jump.
void expectStandsOnTheMeadow(const Placed& model) {
    EXPECT_LE(model.lo.y, GroundY);
    EXPECT_GT(model.hi.y, RabbitTop);
    EXPECT_TRUE(onMeadow(model.lo) && onMeadow(model.hi));
}

TEST(AssetModels, MeadowIsFlatAndCarriesEveryPlacement) {
    EXPECT_NEAR(meadow().lo.y, GroundY, 1e-3f);
    EXPECT_NEAR(meadow().hi.y, GroundY, 1e-3f);
    EXPECT_TRUE(onMeadow(level::rabbitStart));
    EXPECT_TRUE(onMeadow(level::woodenCrate));
    for (const PickupPlacement& pickup : level::pickupLayout) EXPECT_TRUE(onMeadow(pickup.position));
}

// The pickup rules fire within the radius: the model the player sees should
// stay inside it and still fill it, standing on the grass.
TEST(AssetModels, PickupsFillTheirRadiusAndStandOnTheGrass) {
    const ImportedModel heart = load(scenepaths::Heart), carrot = load(scenepaths::Carrot);
    for (std::size_t i = 0; i < level::pickupLayout.size(); ++i) {
        // The stage tests hold the bodies' poses to these.
        const glm::mat4 pose = glm::translate(glm::mat4(1.0f), level::pickupLayout[i].position);
        const bool isHeart = level::pickupLayout[i].kind == PickupKind::Heart;
        SCOPED_TRACE(std::string(isHeart ? "heart " : "carrot ") + std::to_string(i));
        const float radius = isHeart ? level::HeartRadius : level::CarrotRadius;
        const Placed placed = isHeart ? place(heart, heartMatrix(pose)) : place(carrot, carrotMatrix(pose));
        const float reach = placed.reach(level::pickupLayout[i].position);
        EXPECT_LT(reach, radius);
        EXPECT_GT(reach, 0.75f * radius);
        EXPECT_LT(placed.lo.y, GroundY + 5.0f);
        EXPECT_GT(placed.hi.y, GroundY + 10.0f);
        // The flat heart shows its face, not its edge, to the player looking along -z.
        if (isHeart) {
            EXPECT_GT(placed.size().x, 2.0f * placed.size().z);
        }
    }
}

TEST(AssetModels, StonesFillTheirRadiusUnderTheFilmScreenAndShowAboveTheGrass) {
    const ImportedModel stone = load(scenepaths::Stone);
    // The film screen hangs above the large stones; they must not hide it.
    float screenBottom = 1e30f;
    for (const glm::vec3& p : makePlaneGeometry(400.0f, 400.0f).positions)
        screenBottom = std::min(screenBottom, (sequencePlaneMatrix() * glm::vec4(p, 1.0f)).y);
    for (int i = 0; i < level::LargeStoneCount; ++i) {
        SCOPED_TRACE(i);
        const Placed placed = place(stone, largeStoneMatrix(i));
        EXPECT_LT(placed.reach(largeStonePoint(i), true), level::LargeStoneRadius);
        EXPECT_GT(placed.reach(largeStonePoint(i), true), 0.6f * level::LargeStoneRadius);
        expectStandsOnTheMeadow(placed);
        EXPECT_LT(placed.hi.y, screenBottom);
    }
    // A small stone stands unscaled at its stored position and shows above the
    // grass (the rules test it at eight times that, as the simulator's routes show).
    const glm::vec3 stored(-99.2f, level::SmallStoneY, 489.9f);
    EXPECT_EQ(at(smallStoneMatrix(stored), glm::vec3(0.0f)), stored);
    const Placed small = place(stone, smallStoneMatrix(stored));
    EXPECT_GT(small.hi.y, GroundY + 2.0f);
    EXPECT_LT(small.lo.y, GroundY);
}

TEST(AssetModels, RabbitTrunkAndCrateMatchTheirRadiiOnTheGrass) {
    // Each trunk starts on the meadow, however far it rolls later, across the
    // path, as wide as its hit radius and low enough to jump.
    const ImportedModel trunkModel = load(scenepaths::Trunk);
    for (const Trunk& t : generateTrunks()) {
        SCOPED_TRACE(t.position.z);
        const Placed trunk = place(trunkModel, trunkMatrix(t.position));
        EXPECT_TRUE(onMeadow(trunk.lo) && onMeadow(trunk.hi));
        EXPECT_NEAR(trunk.hi.x - t.position.x, level::TrunkRadius, 0.1f * level::TrunkRadius);
        EXPECT_NEAR(t.position.x - trunk.lo.x, level::TrunkRadius, 0.1f * level::TrunkRadius);
        EXPECT_GT(trunk.size().x, 2.5f * trunk.size().z);
        EXPECT_NEAR(trunk.lo.y, GroundY, 2.0f);
        EXPECT_LT(trunk.hi.y, 120.0f);
    }

    const Placed rabbit = place(load(scenepaths::Rabbit), rabbitModelMatrix(level::rabbitStart, 0.0f));
    EXPECT_NEAR(rabbit.lo.y, GroundY, 1.5f);
    EXPECT_GT(rabbit.size().y, 35.0f);
    EXPECT_LT(rabbit.size().y, 80.0f);
    EXPECT_GT(rabbit.size().x, 10.0f);
    EXPECT_LT(rabbit.size().x, rabbit.size().y);
    // Well inside a carrot's reach of its own centre, so pickups feel right.
    EXPECT_LT(rabbit.reach(level::rabbitStart, true), 2.0f * level::CarrotRadius);

    const Placed crate = place(load(scenepaths::Cube), crateMatrix());
    EXPECT_NEAR(crate.lo.y, GroundY, 0.5f);
    EXPECT_LT(crate.reach(level::woodenCrate, true), level::CrateRadius);
    EXPECT_GT(crate.reach(level::woodenCrate, true), 0.5f * level::CrateRadius);
}

TEST(AssetModels, StarIsCheapEnoughForThreeThousandInstances) {
    const ImportedModel star = load(scenepaths::Star);
    std::size_t triangles = 0;
    for (const ImportedMesh& mesh : star.meshes) triangles += mesh.indices.size() / 3;
    EXPECT_LE(triangles, 48u);
    // The glow stars scale it by 10, 7 and 4: about a unit across.
    const glm::vec3 size = place(star, glm::mat4(1.0f)).size();
    EXPECT_GT(std::max(size.x, size.y), 1.0f);
    EXPECT_LT(std::max({size.x, size.y, size.z}), 3.0f);
}

// Both brick models are drawn with the normal map, which needs a tangent at
// every vertex.
TEST(AssetModels, WallsStandOnTheMeadowWithTangents) {
    const ImportedModel wall = load(scenepaths::Wall), tunnel = load(scenepaths::Tunnel);
    for (float seconds : {0.0f, 9.0f, 22.5f}) {
        SCOPED_TRACE(seconds);
        expectStandsOnTheMeadow(place(wall, brickWallModelMatrix(seconds)));
    }
    const Placed slab = place(tunnel, tunnelWallMatrix());
    expectStandsOnTheMeadow(slab);
    // A slab along the path, beside it.
    EXPECT_GT(slab.size().z, 5.0f * slab.size().x);
    for (const ImportedModel* model : {&wall, &tunnel}) {
        for (const ImportedMesh& mesh : model->meshes)
            for (const MeshVertex& v : mesh.vertices) ASSERT_GT(glm::length(v.tangent), 0.5f);
    }
}

// What the model extents above leave open: where the matrices put each origin
// and which way they turn.
TEST(ModelMatrices, EveryObjectIsDrawnWhereItStandsAndFacesItsWay) {
    EXPECT_EQ(at(groundModelMatrix(), glm::vec3(1.0f, 0.0f, -2.0f)), glm::vec3(40.0f, 10.0f, -80.0f));
    // Facing turns about y: at pi / 2, walking right, the model's +z nose points to +x.
    const glm::vec3 nose = at(rabbitModelMatrix(level::rabbitStart, 1.5707963f), glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_LT(glm::distance(nose, glm::vec3(-70.0f, 15.0f, 7400.0f)), 1e-3f);
    // The brick wall turns ten degrees a second about its place plus the point
    // light's offset: after 9 seconds its x axis points to -z.
    const glm::vec3 pivot(0.0f, 66.0f, -1140.0f);
    EXPECT_EQ(at(brickWallModelMatrix(0.0f), glm::vec3(1.0f, 0.0f, 0.0f)), pivot + glm::vec3(100.0f, 0.0f, 0.0f));
    const glm::vec3 turned = at(brickWallModelMatrix(9.0f), glm::vec3(1.0f, 0.0f, 0.0f));
    EXPECT_LT(glm::distance(turned, pivot + glm::vec3(0.0f, 0.0f, -100.0f)), 1e-3f);
    // The carrot's size: its radius test leaves it room.
    EXPECT_EQ(at(carrotMatrix(glm::mat4(1.0f)), glm::vec3(1.0f)), glm::vec3(15.0f, 16.0f, 15.0f));
    EXPECT_EQ(largeStonePoint(4), glm::vec3(-360.0f, 10.0f, 3950.0f));
    // The tunnel wall's long side (the model's x, scaled 400) runs along -z; its y is scaled 70.
    const glm::vec3 wallCorner = at(tunnelWallMatrix(), glm::vec3(1.0f, 1.0f, 0.0f));
    EXPECT_LT(glm::distance(wallCorner, glm::vec3(400.0f, 70.0f, 2600.0f)), 1e-3f);
    // The film's screen, flat in x and z when built, stands upright facing +z.
    const glm::mat4 screen = sequencePlaneMatrix();
    EXPECT_NEAR(glm::vec3(screen * glm::vec4(0, 1, 0, 0)).z, 1.0f, 1e-6f);
    EXPECT_EQ(at(screen, glm::vec3(0.0f)), glm::vec3(-100.0f, 560.0f, 3950.0f));
}

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
    if (data) picture.pixels.assign(data, data + picture.width * picture.height * picture.channels);
    stbi_image_free(data);
    return picture;
}

// The film swaps one image for the next on the same screen during play, long
// after the set-up has shown the first.
TEST(AssetImages, EveryFilmImageDecodesAtTheFirstOnesSize) {
    const Picture first = decode(Assets / "frames" / "frame1.jpg");
    for (int k = 2; k <= 72; ++k) {
        const fs::path frame = Assets / "frames" / ("frame" + std::to_string(k) + ".jpg");
        const Picture picture = decode(frame);
        EXPECT_FALSE(picture.pixels.empty()) << frame;
        EXPECT_EQ(picture.width, first.width) << frame;
        EXPECT_EQ(picture.height, first.height) << frame;
    }
}

// A cube-map face as GL addresses it: a direction d lands on the face whose
// major axis is largest, at s = dot(d, u), t = dot(d, v) over that axis.
// Row 0 of the decoded image is t = -1: it is uploaded first.
struct CubeFace {
    const char* file;
    glm::vec3 major, u, v;
};
// The game puts left.jpg on +X and back.jpg on +Z.
const CubeFace SkyFaces[6] = {
    {"left.jpg", {1, 0, 0}, {0, 0, -1}, {0, -1, 0}}, {"right.jpg", {-1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
    {"top.jpg", {0, 1, 0}, {1, 0, 0}, {0, 0, 1}},    {"bottom.jpg", {0, -1, 0}, {1, 0, 0}, {0, 0, -1}},
    {"back.jpg", {0, 0, 1}, {1, 0, 0}, {0, -1, 0}},  {"front.jpg", {0, 0, -1}, {-1, 0, 0}, {0, -1, 0}},
};

// Each edge texel against the texel just beyond that edge, on the face the
// direction there lands on: neighbours across an edge differ by the sky's own
// gradient and the JPEG's noise, no more, in the mean and the 99th percentile
// of the largest channel difference.
TEST(AssetImages, SkyFacesMeetWithoutSeams) {
    std::array<Picture, 6> pictures;
    for (int f = 0; f < 6; ++f) {
        pictures[f] = decode(Assets / "objects" / "skybox" / SkyFaces[f].file);
        ASSERT_FALSE(pictures[f].pixels.empty()) << SkyFaces[f].file;
        ASSERT_EQ(pictures[f].width, pictures[f].height) << SkyFaces[f].file;
        ASSERT_EQ(pictures[f].width, pictures[0].width) << SkyFaces[f].file;
    }
    const int n = pictures[0].width;
    auto lookup = [&](const glm::vec3& d) {
        int best = 0;
        for (int f = 1; f < 6; ++f)
            if (glm::dot(d, SkyFaces[f].major) > glm::dot(d, SkyFaces[best].major)) best = f;
        const float ma = glm::dot(d, SkyFaces[best].major);
        const glm::vec2 st(glm::dot(d, SkyFaces[best].u) / ma, glm::dot(d, SkyFaces[best].v) / ma);
        const glm::ivec2 at = glm::clamp(glm::ivec2((st + 1.0f) / 2.0f * float(n)), 0, n - 1);
        return pictures[best].at(at.x, at.y);
    };
    std::vector<float> all;
    for (int f = 0; f < 6; ++f) {
        for (int k = 1; k < n - 1; ++k) {
            const glm::ivec2 edges[4] = {{0, k}, {n - 1, k}, {k, 0}, {k, n - 1}};
            const glm::vec2 out[4] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
            for (int e = 0; e < 4; ++e) {
                const glm::vec2 st = 2.0f * (glm::vec2(edges[e]) + 0.5f + out[e]) / float(n) - 1.0f;
                const glm::vec3 beyond = SkyFaces[f].major + st.x * SkyFaces[f].u + st.y * SkyFaces[f].v;
                const glm::vec3 diff = glm::abs(pictures[f].at(edges[e].x, edges[e].y) - lookup(beyond));
                all.push_back(std::max({diff.x, diff.y, diff.z}));
            }
        }
    }
    std::sort(all.begin(), all.end());
    EXPECT_LT(std::accumulate(all.begin(), all.end(), 0.0) / all.size(), 4.0);
    EXPECT_LT(all[all.size() * 99 / 100], 24.0f);
}

}  // namespace
