#include "platform/file_io.h"

#include <cstring>
#include <random>
#include <utility>

#include "platform/paths.h"

namespace compattatore {

namespace fs = std::filesystem;

IoError::IoError(const fs::path& file, const std::string& reason)
    : std::runtime_error(path_text(file) + ": " + reason), file_(file), reason_(reason) {}

namespace {

// Pieces at least this long are written straight from where they are.
constexpr std::size_t direct_piece = 4096;

// A name beside `file` that no other writer is likely to pick: the file's
// name, ".tmp-" and six random letters and digits.
fs::path temporary_name(const fs::path& file) {
    static constexpr char signs[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> sign(0, sizeof signs - 2);
    std::string tail = ".tmp-";
    for (int i = 0; i < 6; ++i) tail.push_back(signs[sign(random)]);
    fs::path temporary = file;
    temporary += tail;
    return temporary;
}

}  // namespace

ReplacedFile::ReplacedFile(fs::path file) : file_(std::move(file)) {
    // A name already taken is only tried again; any other failure raises.
    for (int attempt = 0; !handle_.is_open(); ++attempt) {
        if (attempt == 100) throw IoError(file_, "nessun nome libero per il file temporaneo");
        temporary_ = temporary_name(file_);
        if (std::optional<FileHandle> h = FileHandle::create_new(temporary_, file_)) handle_ = std::move(*h);
    }
}

ReplacedFile::~ReplacedFile() {
    if (committed_) return;
    // The handle is closed before the name is removed: Windows deletes no
    // open file.
    handle_ = FileHandle();
    remove_file_quietly(temporary_);
}

void ReplacedFile::write_gathered() {
    handle_.write_all(std::string_view(buffer_.data(), gathered_));
    gathered_ = 0;
}

void ReplacedFile::write(std::string_view bytes) {
    if (bytes.size() >= direct_piece) {
        write_gathered();
        handle_.write_all(bytes);
        return;
    }
    std::memcpy(room(bytes.size()), bytes.data(), bytes.size());
    gathered_ += bytes.size();
}

char* ReplacedFile::room(std::size_t n) {
    if (n > buffer_.size()) throw std::length_error("spazio oltre la capienza della raccolta");
    if (gathered_ + n > buffer_.size()) write_gathered();
    return buffer_.data() + gathered_;
}

void ReplacedFile::commit() {
    write_gathered();
    handle_.close();
    rename_replace(temporary_, file_);
    committed_ = true;
}

void replace_file(const fs::path& file, std::string_view content) {
    ReplacedFile f(file);
    f.write(content);
    f.commit();
}

std::string read_file(const fs::path& file) {
    FileHandle h = FileHandle::open_read(file);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(h.size()));
    // Read to the end whatever the size said: the file may be growing, or
    // report no size at all.
    char block[16384];
    while (const std::size_t n = h.read_some(block, sizeof block)) bytes.append(block, n);
    return bytes;
}

}  // namespace compattatore
