#pragma once
// Every console text of the render resources, in one place.
namespace rendertext {
inline constexpr const char* CreatingShader = "Creating shader : ";
inline constexpr const char* DeletingShader = " ........... Deleting Shader";
inline constexpr const char* ShaderFileNotRead = "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ";
inline constexpr const char* CompileError = "ERROR::SHADER_COMPILATION_ERROR of type: ";
inline constexpr const char* LinkError = "ERROR::PROGRAM_LINKING_ERROR of type: ";
// The build-step labels the reports print after their type text.
inline constexpr const char* VertexLabel = "VERTEX";
inline constexpr const char* FragmentLabel = "FRAGMENT";
inline constexpr const char* ProgramLabel = "PROGRAM";
inline constexpr const char* LogSeparator = "\n -- --------------------------------------------------- -- ";
inline constexpr const char* TextureFailed = "Texture failed to load at path: ";
inline constexpr const char* DeletingTexture = "Deleting Texture";
inline constexpr const char* CreatingMesh = "...Creating Mesh";
inline constexpr const char* DeletingMesh = "Deleting Mesh";
inline constexpr const char* CreatingModel = "Creating model : ";
inline constexpr const char* AssimpError = "ERROR::ASSIMP:: ";
inline constexpr const char* SkyboxFaceFailed = "Skybox texture failed to load: ";
}  // namespace rendertext
