// Every program of the asset tree, built with the game's own classes, against
// the inputs, uniforms and outputs the game's draws rely on. A name the game
// sets that the linker dropped is a fault: the set would land nowhere.
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/scene_assets.h"
#include "render/shader_program.h"
#include "render/shaders.h"
#include "render/skybox.h"
#include "support/gl_context.h"

namespace {

struct Input {
    const char* name;
    GLint location;
    GLenum type;
};

// location -1: wherever the linker puts it, as long as it is active.
struct Uniform {
    const char* name;
    GLenum type;
    GLint location = -1;
};

struct Interface {
    const char* program;
    std::vector<Input> inputs;
    std::vector<Uniform> uniforms;
    // Fragment outputs by location; the scene framebuffer's programs write 0 and 1.
    std::vector<GLint> outputs;
};

// The film screen's material sets these by the locations of its own program
// while the frame's shading program is current.
const std::vector<Uniform> FilmMaterial = {
    {"diffuseColor", GL_FLOAT_VEC3, 20}, {"materialCoefficients", GL_FLOAT_VEC3, 21}, {"specularAlpha", GL_FLOAT, 22}};

const std::vector<Input> MeshInputs = {
    {"aPos", 0, GL_FLOAT_VEC3}, {"aNormal", 1, GL_FLOAT_VEC3}, {"aTexCoords", 2, GL_FLOAT_VEC2}};

const std::vector<Uniform> Camera = {{"model", GL_FLOAT_MAT4}, {"view", GL_FLOAT_MAT4}, {"projection", GL_FLOAT_MAT4}};

const std::vector<Uniform> DirectionalLight = {{"light.direction", GL_FLOAT_VEC3}, {"light.ambient", GL_FLOAT_VEC3},
                                               {"light.diffuse", GL_FLOAT_VEC3},   {"light.specular", GL_FLOAT_VEC3},
                                               {"viewPos", GL_FLOAT_VEC3},         {"material.shininess", GL_FLOAT},
                                               {"texture_diffuse1", GL_SAMPLER_2D}};

std::vector<Uniform> join(std::initializer_list<std::vector<Uniform>> parts) {
    std::vector<Uniform> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::vector<Input> withInputs(std::vector<Input> inputs, std::initializer_list<Input> more) {
    inputs.insert(inputs.end(), more.begin(), more.end());
    return inputs;
}

const std::vector<Interface>& interfaces() {
    static const std::vector<Interface> table = {
        {"Text",
         {{"vertex", 0, GL_FLOAT_VEC4}},
         {{"projection", GL_FLOAT_MAT4}, {"textColor", GL_FLOAT_VEC3}, {"text", GL_SAMPLER_2D}},
         {0}},
        {"Lighting", MeshInputs, join({Camera, DirectionalLight, FilmMaterial, {{"glow", GL_INT}}}), {0, 1}},
        {"cell", MeshInputs, join({Camera, DirectionalLight, FilmMaterial}), {0, 1}},
        {"phongPhong", MeshInputs, join({Camera, FilmMaterial, {{"image", GL_SAMPLER_2D}}}), {0, 1}},
        {"lightmaps",
         MeshInputs,
         join({Camera,
               {{"light.position", GL_FLOAT_VEC3},
                {"light.ambient", GL_FLOAT_VEC3},
                {"light.diffuse", GL_FLOAT_VEC3},
                {"light.specular", GL_FLOAT_VEC3},
                {"viewPos", GL_FLOAT_VEC3},
                {"material.shininess", GL_FLOAT},
                {"material.diffuse", GL_SAMPLER_2D},
                {"material.specular", GL_SAMPLER_2D}}}),
         {0, 1}},
        // The instance matrix fills attributes 3 to 6, where the mesh had its tangent.
        {"particles",
         withInputs(MeshInputs, {{"instanceMatrix", 3, GL_FLOAT_MAT4}}),
         {{"view", GL_FLOAT_MAT4}, {"projection", GL_FLOAT_MAT4}, {"texture_diffuse1", GL_SAMPLER_2D}},
         {0, 1}},
        {"normalmap",
         withInputs(MeshInputs, {{"aTangent", 3, GL_FLOAT_VEC3}}),
         join({Camera,
               {{"lightPos", GL_FLOAT_VEC3},
                {"viewPos", GL_FLOAT_VEC3},
                {"diffuse", GL_SAMPLER_2D},
                {"normalMap", GL_SAMPLER_2D}}}),
         {0, 1}},
        {"Gauss",
         {{"aPos", 0, GL_FLOAT_VEC4}, {"aTexCoords", 2, GL_FLOAT_VEC2}},
         {{"image", GL_SAMPLER_2D}, {"vertical", GL_INT}},
         {0}},
        {"Screen",
         {{"aPos", 0, GL_FLOAT_VEC4}, {"aTexCoords", 2, GL_FLOAT_VEC2}},
         {{"map1", GL_SAMPLER_2D}, {"map2", GL_SAMPLER_2D}},
         {0}},
        {"Skybox",
         {{"aPos", 0, GL_FLOAT_VEC3}},
         {{"view", GL_FLOAT_MAT4}, {"projection", GL_FLOAT_MAT4}, {"skybox", GL_SAMPLER_CUBE}},
         {0, 1}},
    };
    return table;
}

struct Resource {
    GLint location = -1;
    GLenum type = 0;
};

// Name to location and type of every active resource of one interface.
std::map<std::string, Resource> activeResources(GLuint program, GLenum interface) {
    std::map<std::string, Resource> out;
    GLint count = 0;
    glGetProgramInterfaceiv(program, interface, GL_ACTIVE_RESOURCES, &count);
    for (GLint i = 0; i < count; ++i) {
        char name[256] = {};
        glGetProgramResourceName(program, interface, static_cast<GLuint>(i), sizeof name, nullptr, name);
        const GLenum property = GL_TYPE;
        GLint type = 0;
        glGetProgramResourceiv(program, interface, static_cast<GLuint>(i), 1, &property, 1, nullptr, &type);
        out[name] = {glGetProgramResourceLocation(program, interface, name), static_cast<GLenum>(type)};
    }
    return out;
}

GLint linkStatus(GLuint program) {
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    return linked;
}

class ShaderInterfaces : public testing::Test {
protected:
    void SetUp() override {
        REQUIRE_GL();
        // "../assets/" and the film material's "assets/" both resolve from here.
        ASSERT_EQ(chdir(MH_BINARY_DIR), 0);
        for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {}
        testing::internal::CaptureStdout();
        programs_ = std::make_unique<ScenePrograms>(1024, 768);
        post_ = std::make_unique<PostPrograms>();
        skybox_ = std::make_unique<Skybox>();
        film_ = std::make_unique<Shaders>(scenepaths::SequenceShaders);
        output_ = testing::internal::GetCapturedStdout();
        byName_ = {{"Text", &programs_->text},           {"Lighting", &programs_->lighting},
                   {"cell", &programs_->cell},           {"phongPhong", &programs_->phong},
                   {"lightmaps", &programs_->lightmaps}, {"particles", &programs_->particles},
                   {"normalmap", &programs_->normalmap}, {"Gauss", &post_->gauss},
                   {"Screen", &post_->screen},           {"Skybox", &skybox_->program}};
    }

    void TearDown() override {
        if (!programs_) return;
        testing::internal::CaptureStdout();
        skybox_.reset();
        post_.reset();
        programs_.reset();
        testing::internal::GetCapturedStdout();
    }

    GLuint program(const std::string& name) const { return byName_.at(name)->programId; }

    std::unique_ptr<ScenePrograms> programs_;
    std::unique_ptr<PostPrograms> post_;
    std::unique_ptr<Skybox> skybox_;
    std::unique_ptr<Shaders> film_;
    std::map<std::string, const ShaderProgram*> byName_;
    std::string output_;
};

TEST_F(ShaderInterfaces, EveryProgramBuildsWithoutAReportOrAGlError) {
    EXPECT_EQ(output_.find("ERROR"), std::string::npos) << output_;
    EXPECT_EQ(output_.find("ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ"), std::string::npos);
    for (const auto& entry : byName_) {
        EXPECT_EQ(linkStatus(entry.second->programId), GL_TRUE) << entry.first;
        EXPECT_NE(output_.find(std::string("shader/") + entry.first + ".vert"), std::string::npos)
            << entry.first << " was not built from its own files";
    }
    // The lighter class reports nothing, so only the link status tells.
    EXPECT_EQ(linkStatus(film_->programId), GL_TRUE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderInterfaces, InputsSitAtTheLocationsTheVertexArraysFeed) {
    for (const Interface& expected : interfaces()) {
        SCOPED_TRACE(expected.program);
        const auto inputs = activeResources(program(expected.program), GL_PROGRAM_INPUT);
        EXPECT_EQ(inputs.size(), expected.inputs.size()) << "an input no vertex array feeds";
        for (const Input& input : expected.inputs) {
            const auto found = inputs.find(input.name);
            ASSERT_NE(found, inputs.end()) << input.name << " is not active";
            EXPECT_EQ(found->second.location, input.location) << input.name;
            EXPECT_EQ(found->second.type, input.type) << input.name;
        }
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderInterfaces, EveryUniformTheGameSetsIsActiveAndNoOtherIs) {
    for (const Interface& expected : interfaces()) {
        SCOPED_TRACE(expected.program);
        const auto uniforms = activeResources(program(expected.program), GL_UNIFORM);
        std::set<std::string> wanted;
        for (const Uniform& uniform : expected.uniforms) {
            wanted.insert(uniform.name);
            const auto found = uniforms.find(uniform.name);
            ASSERT_NE(found, uniforms.end()) << uniform.name << " is declared away or optimised out";
            EXPECT_EQ(found->second.type, uniform.type) << uniform.name;
            EXPECT_GE(found->second.location, 0) << uniform.name;
            if (uniform.location >= 0) {
                EXPECT_EQ(found->second.location, uniform.location) << uniform.name;
            }
        }
        // Anything else would stay at zero for the whole run.
        for (const auto& found : uniforms) EXPECT_EQ(wanted.count(found.first), 1u) << found.first << " is never set";
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderInterfaces, OutputsFillTheTargetEachProgramDrawsInto) {
    for (const Interface& expected : interfaces()) {
        SCOPED_TRACE(expected.program);
        const auto outputs = activeResources(program(expected.program), GL_PROGRAM_OUTPUT);
        std::set<GLint> locations;
        for (const auto& found : outputs) {
            locations.insert(found.second.location);
            EXPECT_EQ(found.second.type, static_cast<GLenum>(GL_FLOAT_VEC4)) << found.first;
        }
        EXPECT_EQ(locations, std::set<GLint>(expected.outputs.begin(), expected.outputs.end()));
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The film screen is drawn with the lit or the cel program current, its material
// values set through the light program's locations: the three must agree.
TEST_F(ShaderInterfaces, FilmMaterialLocationsLandInBothShadingPrograms) {
    const auto material = activeResources(film_->programId, GL_UNIFORM);
    for (const char* shading : {"Lighting", "cell"}) {
        const auto target = activeResources(program(shading), GL_UNIFORM);
        for (const Uniform& uniform : FilmMaterial) {
            SCOPED_TRACE(std::string(shading) + " " + uniform.name);
            ASSERT_EQ(material.count(uniform.name), 1u);
            ASSERT_EQ(target.count(uniform.name), 1u);
            EXPECT_EQ(target.at(uniform.name).location, material.at(uniform.name).location);
            EXPECT_EQ(target.at(uniform.name).type, material.at(uniform.name).type);
        }
    }
}

}  // namespace
