// One file being replaced, written piece by piece into a temporary file in
// its folder.  The temporary file takes the file's name only when an
// OutputSet puts it in place; a writer dropped before that removes it and
// leaves the old file as it was.  Only a file is replaced, and only one its
// owner has not protected and no other program holds: anything else under
// the name is refused before the temporary file is made.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>

#include "platform/file_handle.h"

namespace compattatore {

// Raises IoError, with the reason, when whatever stands under the name of
// `file` is not a file that can be replaced (see above).
void check_replaceable(const std::filesystem::path& file);

class ReplacedFile {
    static constexpr std::size_t gathered_bytes = 64 * 1024;

public:
    explicit ReplacedFile(std::filesystem::path file);
    ~ReplacedFile();
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;

    // Appends bytes.  Small pieces are gathered and written together; a
    // large one goes to the file at once, without a copy.
    void write(std::string_view bytes);

    // Room for `n` more bytes (at most capacity()) at the end of the
    // gathered ones, to be filled in place and then counted with added().
    char* room(std::size_t n);
    void added(std::size_t n) { gathered_ += n; }
    static constexpr std::size_t capacity() { return gathered_bytes; }

    const std::filesystem::path& file() const { return file_; }
    const std::filesystem::path& temporary() const { return temporary_; }

    // Writes what is gathered and starts writing the file to the disk.
    void write_rest();
    // Writes what is gathered and closes the temporary file; with `durable`
    // its bytes are on the disk first.  Returns the new file's identity.
    FileIdentity finish(bool durable);
    // The temporary file now has the file's name: nothing is left to remove.
    void placed() { placed_ = true; }

private:
    void write_gathered();

    std::filesystem::path file_;
    std::filesystem::path temporary_;
    FileHandle handle_;
    bool placed_ = false;
    std::size_t gathered_ = 0;
    std::array<char, gathered_bytes> buffer_;
};

}  // namespace compattatore

namespace compattatore {

// Puts in place a file that lives only while the run uses it: written into
// a temporary file and renamed over whatever stood under its name, but not
// made durable.  Returns the identity of the new file.
FileIdentity place_transient_file(const std::filesystem::path& file, std::string_view content);

}  // namespace compattatore
