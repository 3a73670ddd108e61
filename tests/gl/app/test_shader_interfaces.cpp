// Every program of the asset tree, built with the game's own classes, against
// the inputs, uniforms and outputs the game's draws rely on. A name the game
// sets that the linker dropped is a fault: the set would land nowhere; an
// active uniform the game never sets stays zero for the whole run.
#include <unistd.h>

#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "app/scene_assets.h"
#include "render/shader_program.h"
#include "render/shaders.h"
#include "render/skybox.h"
#include "support/gl_test.h"

namespace {

std::string typeName(GLint type) {
    static const std::map<GLint, std::string> names = {
        {GL_FLOAT, "float"}, {GL_FLOAT_VEC2, "vec2"}, {GL_FLOAT_VEC3, "vec3"},      {GL_FLOAT_VEC4, "vec4"},
        {GL_INT, "int"},     {GL_FLOAT_MAT4, "mat4"}, {GL_SAMPLER_2D, "sampler2D"}, {GL_SAMPLER_CUBE, "samplerCube"}};
    const auto found = names.find(type);
    return found == names.end() ? std::to_string(type) : found->second;
}

// Inputs as "name@location:type", uniforms as "name:type", outputs as "@location:type".
std::set<std::string> interfaceOf(GLuint program) {
    std::set<std::string> tokens;
    for (GLenum kind : {GL_PROGRAM_INPUT, GL_UNIFORM, GL_PROGRAM_OUTPUT}) {
        GLint count = 0;
        glGetProgramInterfaceiv(program, kind, GL_ACTIVE_RESOURCES, &count);
        for (GLuint i = 0; i < static_cast<GLuint>(count); ++i) {
            char name[256] = {};
            glGetProgramResourceName(program, kind, i, sizeof name, nullptr, name);
            const GLenum properties[] = {GL_TYPE, GL_LOCATION};
            GLint values[2] = {0, -1};
            glGetProgramResourceiv(program, kind, i, 2, properties, 2, nullptr, values);
            const std::string where = "@" + std::to_string(values[1]);
            const std::string label = kind == GL_UNIFORM ? std::string(name) : name + where;
            tokens.insert((kind == GL_PROGRAM_OUTPUT ? where : label) + ":" + typeName(values[0]));
        }
    }
    return tokens;
}

std::set<std::string> tokens(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

const std::string Mesh = "aPos@0:vec3 aNormal@1:vec3 aTexCoords@2:vec2 ";
const std::string Camera = "model:mat4 view:mat4 projection:mat4 ";
const std::string Sun =
    "light.direction:vec3 light.ambient:vec3 light.diffuse:vec3 light.specular:vec3 viewPos:vec3 "
    "material.shininess:float texture_diffuse1:sampler2D ";
// The film screen's material, set by its own program's locations.
const char* const FilmMaterial[] = {"diffuseColor", "materialCoefficients", "specularAlpha"};
const std::string Film = "diffuseColor:vec3 materialCoefficients:vec3 specularAlpha:float ";
// The scene framebuffer's colour and bright targets.
const std::string BothTargets = "@0:vec4 @1:vec4";
const std::string Quad = "aPos@0:vec4 aTexCoords@2:vec2 @0:vec4 ";

TEST(ShaderInterfaces, EveryProgramHasExactlyTheInterfaceItsDrawsFeed) {
    REQUIRE_GL();
    // "../assets/" and the film material's "assets/" both resolve from here.
    ASSERT_EQ(chdir(MH_BINARY_DIR), 0);
    {
        ScenePrograms programs(1024, 768);
        PostPrograms post;
        Skybox skybox;
        Shaders film(scenepaths::SequenceShaders);

        const std::map<const ShaderProgram*, std::string> expected = {
            {&programs.text, "vertex@0:vec4 projection:mat4 textColor:vec3 text:sampler2D @0:vec4"},
            {&programs.lighting, Mesh + Camera + Sun + Film + "glow:int " + BothTargets},
            {&programs.cell, Mesh + Camera + Sun + Film + BothTargets},
            {&programs.lightmaps,
             Mesh + Camera +
                 "light.position:vec3 light.ambient:vec3 light.diffuse:vec3 light.specular:vec3 viewPos:vec3 "
                 "material.shininess:float material.diffuse:sampler2D material.specular:sampler2D " +
                 BothTargets},
            // The instance matrix fills attributes 3 to 6, where the mesh had its tangent.
            {&programs.particles,
             Mesh + "instanceMatrix@3:mat4 view:mat4 projection:mat4 texture_diffuse1:sampler2D " + BothTargets},
            {&programs.normalmap, Mesh + "aTangent@3:vec3 " + Camera +
                                      "lightPos:vec3 viewPos:vec3 diffuse:sampler2D normalMap:sampler2D " +
                                      BothTargets},
            {&post.gauss, Quad + "image:sampler2D vertical:int"},
            {&post.screen, Quad + "map1:sampler2D map2:sampler2D"},
            {&skybox.program, "aPos@0:vec3 view:mat4 projection:mat4 skybox:samplerCube " + BothTargets},
        };
        for (const auto& [program, interface] : expected) {
            SCOPED_TRACE(interface);
            EXPECT_EQ(interfaceOf(program->programId), tokens(interface));
        }
        // The film screen is drawn with the lit or the cel program current.
        for (const char* name : FilmMaterial) {
            SCOPED_TRACE(name);
            const GLint at = glGetUniformLocation(film.programId, name);
            EXPECT_NE(at, -1);
            EXPECT_EQ(glGetUniformLocation(programs.lighting.programId, name), at);
            EXPECT_EQ(glGetUniformLocation(programs.cell.programId, name), at);
        }
    }
}

}  // namespace
