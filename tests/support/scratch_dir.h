#pragma once
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

// A fresh directory under the system's temp folder, removed with everything
// in it when the object goes. Shared by the logic and GL tiers.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "mh-render-XXXXXX").string();
        if (mkdtemp(pattern.data())) root_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::string path(const std::string& relative) const { return (root_ / relative).string(); }

    // Writes relative to the root, making parent folders; returns the full path.
    std::string write(const std::string& relative, const std::string& contents) const {
        const std::filesystem::path target = root_ / relative;
        std::filesystem::create_directories(target.parent_path());
        std::ofstream(target, std::ios::binary) << contents;
        return target.string();
    }

private:
    std::filesystem::path root_;
};
