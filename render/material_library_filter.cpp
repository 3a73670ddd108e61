#include "render/material_library_filter.h"

#include <cctype>
#include <cstring>
#include <memory>

#include <assimp/IOStream.hpp>
#include <assimp/MemoryIOWrapper.h>

namespace {
bool startsMaterial(const std::string& library, std::size_t lineStart) {
    std::size_t at = lineStart;
    while (at < library.size() && (library[at] == ' ' || library[at] == '\t')) ++at;
    if (library.compare(at, 6, "newmtl") != 0) return false;
    return at + 6 == library.size() || std::isspace(static_cast<unsigned char>(library[at + 6]));
}

bool endsWithObj(const char* file) {
    const std::size_t length = std::strlen(file);
    if (length < 4) return false;
    const char* ext = file + length - 4;
    return ext[0] == '.' && std::tolower(static_cast<unsigned char>(ext[1])) == 'o' &&
           std::tolower(static_cast<unsigned char>(ext[2])) == 'b' &&
           std::tolower(static_cast<unsigned char>(ext[3])) == 'j';
}
}  // namespace

// A library in memory that leaves the filter's books however it goes.
class MaterialLibraryFilter::LibraryStream : public Assimp::MemoryIOStream {
public:
    LibraryStream(std::set<Assimp::IOStream*>& books, const std::string& text)
        : MemoryIOStream(copyOf(text), text.size(), true), books_(books) {
        books_.insert(this);
    }
    ~LibraryStream() override { books_.erase(this); }

private:
    static const uint8_t* copyOf(const std::string& text) {
        auto* bytes = new uint8_t[text.size() + 1];
        std::memcpy(bytes, text.data(), text.size());
        return bytes;
    }
    std::set<Assimp::IOStream*>& books_;
};

std::string dropStatementsBeforeFirstMaterial(const std::string& library) {
    std::size_t lineStart = 0;
    while (lineStart < library.size()) {
        if (startsMaterial(library, lineStart)) return library.substr(lineStart);
        const std::size_t end = library.find_first_of("\r\n", lineStart);
        if (end == std::string::npos) break;
        lineStart = end + 1;
    }
    return std::string();
}

Assimp::IOStream* MaterialLibraryFilter::Open(const char* file, const char* mode) {
    Assimp::IOStream* stream = DefaultIOSystem::Open(file, mode);
    if (!stream || endsWithObj(file)) return stream;
    std::string library(stream->FileSize(), '\0');
    const std::size_t got = library.empty() ? 0 : stream->Read(&library[0], 1, library.size());
    Close(stream);
    library.resize(got);
    return new LibraryStream(libraries_, dropStatementsBeforeFirstMaterial(library));
}

void MaterialLibraryFilter::releaseLeftovers() {
    while (!libraries_.empty()) delete *libraries_.begin();
}

MaterialLibraryFilter::~MaterialLibraryFilter() { releaseLeftovers(); }
