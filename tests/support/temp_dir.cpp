#include "support/temp_dir.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "platform/paths.h"

namespace compattatore::test {

TempDir::TempDir() {
    static constexpr char signs[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> sign(0, sizeof signs - 2);
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    // A name already taken is only tried again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = "compattatore-";
        for (int i = 0; i < 8; ++i) name.push_back(signs[sign(random)]);
        if (std::filesystem::create_directory(base / name)) {
            path_ = base / name;
            return;
        }
    }
    throw std::runtime_error("no free name for a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

void write_bytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path_text(file));
}

std::string read_bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path_text(file));
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> file_names(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.insert(path_text(e.path().filename()));
    return names;
}

}  // namespace compattatore::test
