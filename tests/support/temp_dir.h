// A fresh temporary folder per test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace compattatore::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Writes bytes to a file (test set-up; no atomic replacement needed).
void write_bytes(const std::filesystem::path& file, const std::string& bytes);
// Reads a file whole.
std::string read_bytes(const std::filesystem::path& file);
// The names of the entries of a folder, as UTF-8 text.
std::set<std::string> file_names(const std::filesystem::path& dir);

}  // namespace compattatore::test
