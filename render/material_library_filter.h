#pragma once
// The importer's material-library parser writes through a null material when
// a texture statement comes before the first "newmtl". Every file the OBJ
// importer opens besides the OBJ itself is a material library, so the model
// import reads those through this filter, which drops what precedes the first
// material: no statement there belongs to any material anyway.
#include <string>

#include <assimp/DefaultIOSystem.h>

std::string dropStatementsBeforeFirstMaterial(const std::string& library);

class MaterialLibraryFilter : public Assimp::DefaultIOSystem {
public:
    Assimp::IOStream* Open(const char* file, const char* mode = "rb") override;
};
