#include "render/shader_program.h"
#include "support/gl_test.h"

TEST(ShaderProgram, AMissingFragmentFileReportsOnceAndFailsBothCompilesAndACompileLogIsCutAt1023Characters) {
    REQUIRE_GL();
    ScratchDir dir;
    const std::string vertexPath = dir.write("only.vert", ScreenVertex);
    const std::string fragmentPath = dir.path("broken.frag");

    std::unique_ptr<ShaderProgram> program;
    std::string output =
        outputOf([&] { program = std::make_unique<ShaderProgram>(vertexPath.c_str(), fragmentPath.c_str()); });

    const std::string notRead = "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ\n";
    EXPECT_EQ(output.find(notRead), output.rfind(notRead)) << "reported once:\n" << output;
    // The vertex source is dropped too, so both compiles fail, then the link.
    std::size_t at = 0;
    for (const std::string& report : {notRead, std::string("ERROR::SHADER_COMPILATION_ERROR of type: VERTEX\n"),
                                      std::string("ERROR::SHADER_COMPILATION_ERROR of type: FRAGMENT\n"),
                                      std::string("ERROR::PROGRAM_LINKING_ERROR of type: PROGRAM\n")}) {
        at = output.find(report, at);
        ASSERT_NE(at, std::string::npos) << report << " missing or out of order in:\n" << output;
    }
    const std::string creation = std::string("Creating shader : ") + vertexPath;
    EXPECT_EQ(output.substr(output.size() - creation.size()), creation) << "no line end after the path";
    EXPECT_TRUE(glIsProgram(program->programId));
    EXPECT_FALSE(program->linked) << "the frame relies on it to know the sky is not drawn";

    // Then a fragment of two hundred undeclared names: a log far past the report's buffer.
    std::string source = "#version 430 core\nout vec4 colour;\nvoid main() {\n";
    for (int i = 0; i < 200; ++i) source += "  colour = undeclared_value_" + std::to_string(i) + ";\n";
    dir.write("broken.frag", source + "}\n");
    output = outputOf([&] { ShaderProgram(vertexPath.c_str(), fragmentPath.c_str()); });
    // The driver's log between the report's type line and its separator.
    const std::string head = "ERROR::SHADER_COMPILATION_ERROR of type: FRAGMENT\n";
    ASSERT_NE(output.find(head), std::string::npos) << output;
    const std::size_t start = output.find(head) + head.size();
    const std::string log = output.substr(
        start, output.find("\n -- --------------------------------------------------- -- ", start) - start);
    EXPECT_EQ(log.size(), 1023u) << output;
    EXPECT_NE(log.find("undeclared_value_0"), std::string::npos) << "the log starts at its beginning";
}
