#pragma once
// The importer's material-library parser writes through a null material when
// a texture statement comes before the first "newmtl". Every file the OBJ
// importer opens besides the OBJ itself is a material library, so the model
// import reads those through this filter, which drops what precedes the first
// material: no statement there belongs to any material anyway.
//
// The importer also never closes the library it falls back to when the named
// one is missing; the filter owns the library streams it hands out and
// releases any left open when it goes (or on releaseLeftovers). Closing one
// is the default system's plain delete, which takes it off the books.
#include <set>
#include <string>

#include <assimp/DefaultIOSystem.h>

std::string dropStatementsBeforeFirstMaterial(const std::string& library);

class MaterialLibraryFilter : public Assimp::DefaultIOSystem {
public:
    ~MaterialLibraryFilter() override;
    Assimp::IOStream* Open(const char* file, const char* mode = "rb") override;
    void releaseLeftovers();

private:
    class LibraryStream;
    std::set<Assimp::IOStream*> libraries_;
};
