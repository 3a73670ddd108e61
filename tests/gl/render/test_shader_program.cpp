#include <memory>
#include <string>

#include "render/shaders.h"
#include "render_fixture.h"
#include "support/gl_context.h"

TEST(ShaderProgram, AMissingFragmentFileReportsOnceThenFailsBothCompilesAndKeepsTheProgram) {
    REQUIRE_GL();
    ScratchDir dir;
    const std::string vertexPath = dir.write("only.vert", ScreenVertex);
    const std::string fragmentPath = dir.path("absent.frag");

    std::unique_ptr<ShaderProgram> program;
    const std::string output =
        outputOf([&] { program = std::make_unique<ShaderProgram>(vertexPath.c_str(), fragmentPath.c_str()); });

    EXPECT_EQ(occurrences(output, "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ"), 1u) << output;
    // The vertex source is dropped too, so both compiles fail, then the link.
    std::size_t at = 0;
    for (const char* report :
         {"ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ\n", "ERROR::SHADER_COMPILATION_ERROR of type: VERTEX\n",
          "ERROR::SHADER_COMPILATION_ERROR of type: FRAGMENT\n", "ERROR::PROGRAM_LINKING_ERROR of type: PROGRAM\n"}) {
        at = output.find(report, at);
        ASSERT_NE(at, std::string::npos) << report << " missing or out of order in:\n" << output;
    }
    const std::string creation = std::string("Creating shader : ") + vertexPath;
    EXPECT_EQ(output.substr(output.size() - creation.size()), creation) << "no line end after the path";
    EXPECT_TRUE(glIsProgram(program->programId));
    EXPECT_NO_GL_ERROR();
}

TEST(ShaderProgram, ACompileLogIsCutAt1023Characters) {
    REQUIRE_GL();
    ScratchDir dir;
    // Two hundred undeclared names: a log far past the report's buffer.
    std::string source = "#version 430 core\nout vec4 colour;\nvoid main() {\n";
    for (int i = 0; i < 200; ++i) source += "  colour = undeclared_value_" + std::to_string(i) + ";\n";
    source += "}\n";
    // The driver's whole log, from a compile of the test's own.
    const GLuint shader = glCreateShader(GL_FRAGMENT_SHADER);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string full(static_cast<std::size_t>(length), '\0');
    glGetShaderInfoLog(shader, length, nullptr, full.data());
    glDeleteShader(shader);
    ASSERT_GT(length, 1100) << "the driver gave too short a log to cut:\n" << full;

    const std::string vertexPath = dir.write("p.vert", ScreenVertex);
    const std::string fragmentPath = dir.write("p.frag", source);
    const std::string output = outputOf([&] { ShaderProgram(vertexPath.c_str(), fragmentPath.c_str()); });
    // The log's first 1023 characters, then at once the separator.
    EXPECT_NE(output.find("ERROR::SHADER_COMPILATION_ERROR of type: FRAGMENT\n" + full.substr(0, 1023) +
                          "\n -- --------------------------------------------------- -- "),
              std::string::npos)
        << output;
    EXPECT_NO_GL_ERROR();
}

TEST(Shaders, ReadsItsBaseNameUnderTheWorkingDirectoryAndPrintsNothing) {
    REQUIRE_GL();
    ScratchDir dir;
    dir.write("run/assets/shader/probe.vert", ScreenVertex);
    dir.write("run/assets/shader/probe.frag",
              "#version 430 core\nout vec4 colour;\nvoid main() { colour = vec4(1.0); }\n");
    // One level up is where every other asset path points: it must not be read here.
    dir.write("assets/shader/probe.vert", "not glsl");
    dir.write("assets/shader/probe.frag", "not glsl");

    WorkingDirectory cwd(dir.path("run"));
    std::shared_ptr<Shaders> shaders;
    EXPECT_TRUE(outputOf([&] { shaders = std::make_shared<Shaders>("probe"); }).empty());
    GLint linked = GL_FALSE, attached = -1;
    glGetProgramiv(shaders->programId, GL_LINK_STATUS, &linked);
    glGetProgramiv(shaders->programId, GL_ATTACHED_SHADERS, &attached);
    EXPECT_EQ(linked, GL_TRUE);
    EXPECT_EQ(attached, 0) << "both stages are detached after the link";
    // A missing pair is just as quiet.
    EXPECT_TRUE(outputOf([] { Shaders missing("absent"); }).empty());
    EXPECT_NO_GL_ERROR();
}
