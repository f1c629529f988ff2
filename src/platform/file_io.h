// File-system access of the whole program.  Every output file is replaced
// whole and atomically, as one of a set (output_set.h): the bytes go to a
// temporary file in the same folder, which is then renamed over the old
// one, so a failure never leaves a truncated file behind.  Failures raise
// IoError, reported once at the top.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/file_handle.h"
#include "platform/output_set.h"

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

// Reads the whole file as bytes.
std::string read_file(const std::filesystem::path& file);

// Makes `folder` and the folders above it that are missing; nothing when it
// exists.  IoError with the system's reason otherwise.
void make_folder(const std::filesystem::path& folder);

// The folder that holds the running executable.
std::filesystem::path executable_folder();

}  // namespace compattatore
