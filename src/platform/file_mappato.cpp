#include "platform/file_mappato.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_io.h"

namespace compattatore {

FileMappato::FileMappato(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw ErroreIO(file, std::strerror(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int numero = errno;
        ::close(fd);
        throw ErroreIO(file, std::strerror(numero));
    }
    lunghezza_ = static_cast<std::size_t>(info.st_size);
    if (lunghezza_ > 0) {
        // The pages are brought in at once: the reader goes through all of them.
        void* p = ::mmap(nullptr, lunghezza_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (p == MAP_FAILED) {
            const int numero = errno;
            ::close(fd);
            throw ErroreIO(file, std::strerror(numero));
        }
        mappa_ = p;
        dati_ = static_cast<const char*>(p);
    }
    ::close(fd);
}

FileMappato::~FileMappato() {
    if (mappa_) ::munmap(mappa_, lunghezza_);
}

}  // namespace compattatore
