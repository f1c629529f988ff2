#include "platform/temporary_files.h"

#include <random>
#include <string>
#include <system_error>

#include "platform/file_handle.h"
#include "platform/paths.h"

namespace compattatore {

namespace fs = std::filesystem;

namespace {

// Lower case only: the names must differ on file systems that ignore case.
constexpr std::string_view signs = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t random_signs = temporary_name_length - temporary_prefix.size() - temporary_suffix.size();
static_assert(random_signs == 8);

}  // namespace

fs::path temporary_name(const fs::path& folder) {
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> sign(0, signs.size() - 1);
    std::string name(temporary_prefix);
    for (std::size_t i = 0; i < random_signs; ++i) name.push_back(signs[sign(random)]);
    name += temporary_suffix;
    return folder / path_from_text(name);
}

bool is_temporary_name(std::string_view name) {
    if (name.size() != temporary_name_length || !name.starts_with(temporary_prefix) ||
        !name.ends_with(temporary_suffix))
        return false;
    const std::string_view middle = name.substr(temporary_prefix.size(), random_signs);
    return middle.find_first_not_of(signs) == std::string_view::npos;
}

void remove_stale_temporaries(const fs::path& folder) noexcept {
    try {
        std::error_code ec;
        for (fs::directory_iterator i(folder, ec), end; !ec && i != end; i.increment(ec)) {
            const fs::path& file = i->path();
            if (!is_temporary_name(path_text(file.filename()))) continue;
            std::error_code kind;
            if (fs::symlink_status(file, kind).type() == fs::file_type::regular) remove_file_quietly(file);
        }
    } catch (...) {
        // Nothing here may stop the run: what is not removed now will be later.
    }
}

}  // namespace compattatore
