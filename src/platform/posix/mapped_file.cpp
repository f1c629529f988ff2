#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_io.h"
#include "platform/system_reason.h"

namespace compattatore {

namespace {

[[noreturn]] void fail(const std::filesystem::path& file, int fd, int number) {
    if (fd >= 0) ::close(fd);
    throw IoError(file, system_reason(static_cast<unsigned long>(number)));
}

}  // namespace

MappedFile::MappedFile(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) fail(file, -1, errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0) fail(file, fd, errno);
    size_ = static_cast<std::size_t>(info.st_size);
    if (size_ > 0) {
        int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
        // The pages are brought in at once: the reader goes through all of them.
        flags |= MAP_POPULATE;
#endif
        void* p = ::mmap(nullptr, size_, PROT_READ, flags, fd, 0);
        if (p == MAP_FAILED) fail(file, fd, errno);
        mapping_ = p;
        data_ = static_cast<const char*>(p);
    }
    ::close(fd);
}

MappedFile::~MappedFile() {
    if (mapping_) ::munmap(mapping_, size_);
}

}  // namespace compattatore
