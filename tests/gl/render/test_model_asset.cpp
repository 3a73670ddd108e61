#include <optional>

#include "render/model_asset.h"
#include "support/gl_test.h"

TEST(ModelAsset, AMissingFileReportsTheImporterOnItsLineAndHoldsNothing) {
    REQUIRE_GL();
    ScratchDir dir;
    const std::string path = dir.path("objects/absent.obj");

    std::optional<ModelAsset> model;
    const std::string output = outputOf([&] { model.emplace(path); });
    const std::string head = "Creating model : " + path + "ERROR::ASSIMP:: ";
    EXPECT_EQ(output.rfind(head, 0), 0u) << output;
    EXPECT_GT(output.size(), head.size() + 1) << "the importer's text follows";
    EXPECT_EQ(output.find('\n'), output.size() - 1) << "one line, ended";
    EXPECT_TRUE(model->meshes.empty()) << "nothing half-imported to draw";
    EXPECT_TRUE(outputOf([&] { model.reset(); }).empty());
    EXPECT_NO_GL_ERROR();
}

// The star field draws a copy of the scene's star model.
TEST(ModelAsset, MeshesShareOneRecordPerFileAndOnlyTheLastCopyDeletesMeshesThenTextures) {
    REQUIRE_GL();
    ScratchDir dir;
    writePng(dir, "crate/a.png", patternImage(2, 2, 3, 1));
    writePng(dir, "crate/b.png", patternImage(2, 2, 4, 2));
    // b.png goes with the first mesh, so a release in the wrong order shows;
    // the second names a.png in another slot.
    dir.write("crate/ab.mtl", "newmtl a\nKd 1 1 1\nmap_Kd a.png\nmap_Ks b.png\nnewmtl b\nKd 1 1 1\nmap_Ks a.png\n");
    // A quad with UVs and a triangle without.
    const std::string path = dir.write(
        "crate/ab.obj",
        "mtllib ab.mtl\no quad\nv -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nusemtl a\n"
        "f 1/1 2/2 3/3 4/4\no bare\nv 5 0 0\nv 6 0 0\nv 5 1 0\nusemtl b\nf 5 6 7\n");

    std::optional<ModelAsset> model;
    // The first mesh's line completes the model's.
    EXPECT_EQ(outputOf([&] { model.emplace(path); }),
              "Creating model : " + path + "...Creating Mesh\n...Creating Mesh\n");
    ASSERT_EQ(model->meshes.size(), 2u);
    const GLuint vao = model->meshes[0]->vao;
    const auto& shared = model->meshes[1]->textures.at(0);
    EXPECT_EQ(model->meshes[0]->textures.at(0), shared);
    EXPECT_EQ(shared->samplerPrefix, "texture_diffuse") << "the record keeps its first slot";
    const GLuint texture = shared->textureId;

    std::optional<ModelAsset> copy(*model);
    EXPECT_TRUE(outputOf([&] { model.reset(); }).empty());
    EXPECT_TRUE(glIsVertexArray(vao) && glIsTexture(texture));
    EXPECT_EQ(outputOf([&] { copy.reset(); }), "Deleting Mesh\nDeleting Mesh\nDeleting Texture\nDeleting Texture\n");
    EXPECT_FALSE(glIsVertexArray(vao) || glIsTexture(texture));
    EXPECT_NO_GL_ERROR();
}
