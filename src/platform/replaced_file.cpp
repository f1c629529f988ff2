#include "platform/replaced_file.h"

#include <cstring>
#include <stdexcept>
#include <utility>

#include "platform/file_io.h"
#include "platform/temporary_files.h"

namespace compattatore {

namespace fs = std::filesystem;

namespace {

// Pieces at least this long are written straight from where they are.
constexpr std::size_t direct_piece = 4096;

}  // namespace

void check_replaceable(const fs::path& file) {
    switch (what_stands_at(file)) {
        case ExistingName::none:
        case ExistingName::file:
            return;
        case ExistingName::read_only:
            throw IoError(file, "è protetto (sola lettura) e non viene sostituito: toglierne la protezione e ripetere");
        case ExistingName::in_use:
            throw IoError(file, in_use_reason);
        case ExistingName::folder:
            throw IoError(file, "è una cartella, non un file");
        case ExistingName::link:
            throw IoError(file, "è un collegamento, non un file");
        case ExistingName::other:
            throw IoError(file, "è un dispositivo o una pipe, non un file");
    }
}

ReplacedFile::ReplacedFile(fs::path file) : file_(std::move(file)) {
    check_replaceable(file_);
    // A name already taken is only tried again; any other failure raises.
    const fs::path folder = file_.parent_path();
    for (int attempt = 0; !handle_.is_open(); ++attempt) {
        if (attempt == 100) throw IoError(file_, "nessun nome libero per il file temporaneo");
        temporary_ = temporary_name(folder);
        if (std::optional<FileHandle> h = FileHandle::create_new(temporary_, file_)) handle_ = std::move(*h);
    }
}

ReplacedFile::~ReplacedFile() {
    if (placed_) return;
    // The handle is closed before the name is removed: Windows deletes no
    // open file.
    handle_ = FileHandle();
    remove_file_quietly(temporary_);
}

void ReplacedFile::write_gathered() {
    if (gathered_ == 0) return;
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

void ReplacedFile::write_rest() {
    write_gathered();
    handle_.start_flush();
}

FileIdentity ReplacedFile::finish(bool durable) {
    write_gathered();
    handle_.reveal();
    if (durable) handle_.flush_to_disk();
    const FileIdentity identity = handle_.identity();
    handle_.close();
    return identity;
}

}  // namespace compattatore

namespace compattatore {

FileIdentity place_transient_file(const std::filesystem::path& file, std::string_view content) {
    ReplacedFile f(file);
    f.write(content);
    const FileIdentity identity = f.finish(false);
    rename_replace(f.temporary(), file);
    f.placed();
    return identity;
}

}  // namespace compattatore
