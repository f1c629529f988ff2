// File-system access of the whole program.  Every output file is replaced
// whole and atomically: the bytes go to a temporary file in the same folder,
// which is then renamed over the old one, so a failure never leaves a
// truncated file behind.  Failures raise IoError, reported once at the top.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/file_handle.h"

namespace compattatore {

class IoError : public std::runtime_error {
public:
    IoError(const std::filesystem::path& file, const std::string& reason);
    const std::filesystem::path& file() const { return file_; }
    const std::string& reason() const { return reason_; }

private:
    std::filesystem::path file_;
    std::string reason_;
};

// A file being replaced, written piece by piece.  The bytes go to a
// temporary file beside it, which takes the file's name only at commit(); a
// writer destroyed before that removes the temporary file and leaves the old
// file as it was.
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

    // Writes what is gathered, closes the file and puts it in place.
    void commit();

private:
    void write_gathered();

    std::filesystem::path file_;
    std::filesystem::path temporary_;
    FileHandle handle_;
    bool committed_ = false;
    std::size_t gathered_ = 0;
    std::array<char, gathered_bytes> buffer_;
};

// Writes `content` as the whole new content of `file`.
void replace_file(const std::filesystem::path& file, std::string_view content);

// Reads the whole file as bytes.
std::string read_file(const std::filesystem::path& file);

// The folder that holds the running executable.
std::filesystem::path executable_folder();

}  // namespace compattatore
