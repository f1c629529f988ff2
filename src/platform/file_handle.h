// The system's files, one call each: an open file (a descriptor on POSIX, a
// HANDLE on Windows) and the few operations on names that the program needs.
// The replacement of output files and the folder lock are built on these.
// Every failure raises IoError with the file's name and the system's reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>

namespace compattatore {

class FileHandle {
public:
    // Opens an existing file for reading.
    static FileHandle open_read(const std::filesystem::path& file);
    // Creates a new file for writing; none when a file of that name already
    // exists.  Failures name `reported_as` (the file that the new one is
    // written for, when it is a temporary file).
    static std::optional<FileHandle> create_new(const std::filesystem::path& file,
                                                const std::filesystem::path& reported_as);
    // Opens the file, creating it when missing, to hold a lock on it.
    static FileHandle open_for_lock(const std::filesystem::path& file);

    FileHandle() = default;
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool is_open() const { return native_ != closed; }

    // Up to `n` bytes into `into`; 0 at the end of the file.
    std::size_t read_some(char* into, std::size_t n);
    // Writes every byte.
    void write_all(std::string_view bytes);
    // The size the system reports now; 0 when it reports none.
    std::uint64_t size() const;
    // Returns once the bytes written are on the disk.
    void flush_to_disk();
    // An exclusive lock on the whole file, between processes: try_lock()
    // answers false at once when another holder has it, lock() waits.  The
    // lock goes with the handle: closing the handle releases it.
    bool try_lock();
    void lock();
    void unlock();
    // Closes the file; raises when the system reports that written bytes
    // were lost.
    void close();

private:
    static constexpr std::intptr_t closed = -1;
    FileHandle(std::intptr_t native, std::filesystem::path name) : native_(native), name_(std::move(name)) {}
    void close_quietly() noexcept;

    std::intptr_t native_ = closed;  // the descriptor, or the HANDLE's value
    std::filesystem::path name_;     // the name in messages
};

// Renames `from` to `to`, replacing the file `to` in one step; failures name `to`.
void rename_replace(const std::filesystem::path& from, const std::filesystem::path& to);

// Deletes the file; false when there was none, which is no failure.  A file
// that cannot be deleted raises.
bool remove_file(const std::filesystem::path& file);
// The same, with no report at all: for cleaning up after a failure.
void remove_file_quietly(const std::filesystem::path& file) noexcept;

// Makes the names created, replaced or deleted in `folder` durable, once the
// files themselves have been flushed.  On Windows a replacement made by
// rename_replace is already durable when it returns, and this does nothing.
void sync_folder(const std::filesystem::path& folder);

}  // namespace compattatore
