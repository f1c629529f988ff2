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

// Which file an open file or a name stands for: the device (the volume) and
// the file's number on it.  Two names of one file, or a name and an open
// file, have the same identity; a file written anew under the same name has
// another.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t index = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
    friend auto operator<=>(const FileIdentity&, const FileIdentity&) = default;
};

// A lock held by readers together, or by one writer alone.
enum class LockUse { shared, exclusive };

// What an attempt to take a lock found.
enum class LockAttempt { taken, busy, not_supported };

class FileHandle {
public:
    // Opens an existing file for reading, whatever it is (a folder, a device
    // or a pipe opens too, without waiting for a writer: is_regular() tells).
    static FileHandle open_read(const std::filesystem::path& file);
    // The same; none when there is no such file.
    static std::optional<FileHandle> open_read_if_exists(const std::filesystem::path& file);
    // Creates a new file for writing; none when a file of that name already
    // exists.  Failures name `reported_as` (the file that the new one is
    // written for, when it is a temporary file).  On Windows the file is
    // hidden, as a temporary file is, until reveal().
    static std::optional<FileHandle> create_new(const std::filesystem::path& file,
                                                const std::filesystem::path& reported_as);
    // Opens the file, creating it when missing, to hold a lock on it (on
    // Windows a new one is hidden).  Where it cannot be created or written,
    // an existing one is opened for reading, which is enough for a lock;
    // none when neither can be done, with the system's error code set.  A
    // link is not followed.
    static std::optional<FileHandle> open_for_lock(const std::filesystem::path& file);

    FileHandle() = default;
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool is_open() const { return native_ != closed; }
    const std::filesystem::path& name() const { return name_; }

    // Up to `n` bytes into `into`; 0 at the end of the file.
    std::size_t read_some(char* into, std::size_t n);
    // Up to `n` bytes from `offset`, without moving any shared position;
    // fewer only at the end of the file.
    std::size_t read_at(std::uint64_t offset, char* into, std::size_t n);
    // Writes every byte.
    void write_all(std::string_view bytes);
    // The size the system reports now; 0 when it reports none.
    std::uint64_t size() const;
    // Whether this is an ordinary file of bytes: not a folder, a device or a pipe.
    bool is_regular() const;
    FileIdentity identity() const;
    // Starts writing the bytes written to the disk, without waiting, so that
    // the flushes of several files overlap (where the system allows it).
    void start_flush() noexcept;
    // Returns once the bytes written are on the disk.
    void flush_to_disk();
    // Shows a file that create_new() made hidden.
    void reveal();
    // A lock on the whole file, between processes: try_lock() answers at
    // once, lock() waits.  The lock goes with the handle: closing the handle
    // releases it.  not_supported: the file system keeps no such locks.
    LockAttempt try_lock(LockUse use = LockUse::exclusive);
    void lock(LockUse use = LockUse::exclusive);
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

// What stands under a name that an output is to take, looked at without
// following a link.  read_only: a file without write permission for this
// user (the mode bits, whoever the user is) or with the Windows read-only
// attribute.  in_use: a file that another program holds open and does not
// let be replaced (Windows only).
enum class ExistingName { none, file, read_only, in_use, folder, link, other };
ExistingName what_stands_at(const std::filesystem::path& file);

// The reason given for a file that another program holds open.
inline constexpr const char* in_use_reason = "è aperto in un altro programma: chiuderlo e ripetere";

// Renames `from` to `to`, replacing the file `to` in one step; failures name
// `to`, and say so when another program holds it open.
void rename_replace(const std::filesystem::path& from, const std::filesystem::path& to);

// Gives the file `existing` the further name `link`, in the same folder;
// false where the file system has no such names (FAT, some network shares).
bool link_file(const std::filesystem::path& existing, const std::filesystem::path& link);

// Deletes the file; false when there was none, which is no failure.  A file
// that cannot be deleted raises.
bool remove_file(const std::filesystem::path& file);
// The same, with no report at all: for cleaning up after a failure.
void remove_file_quietly(const std::filesystem::path& file) noexcept;
// Deletes the file only while its name still stands for `identity`; false
// when it stands for another file, or for none.  On Windows the file is
// deleted through the very handle whose identity was checked.
bool remove_file_if(const std::filesystem::path& file, const FileIdentity& identity);

// The identity of the file a name stands for; none when there is no such file.
std::optional<FileIdentity> file_identity(const std::filesystem::path& file);

// Makes the names created, replaced or deleted in `folder` durable, once the
// files themselves have been flushed.  On Windows a replacement made by
// rename_replace is already durable when it returns, and this does nothing.
void sync_folder(const std::filesystem::path& folder);

}  // namespace compattatore
