#include "scrittura_minima.h"

#include <cerrno>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace compattatore::banco {

namespace {

[[noreturn]] void guasto(const std::string& cosa) { throw std::system_error(errno, std::generic_category(), cosa); }

}  // namespace

void scrivi_minimo(const std::vector<FileProdotto>& file) {
    const mode_t maschera = ::umask(0);
    ::umask(maschera);
    for (const FileProdotto& f : file) {
        std::string temporaneo = f.nome.string() + ".tmp-XXXXXX";
        const int fd = ::mkstemp(temporaneo.data());
        if (fd < 0) guasto("mkstemp " + temporaneo);
        ::fchmod(fd, 0666 & ~maschera);
        const ssize_t n = ::write(fd, f.byte.data(), f.byte.size());
        if (n < 0 || static_cast<std::size_t>(n) != f.byte.size()) guasto("write " + temporaneo);
        if (::close(fd) != 0) guasto("close " + temporaneo);
        if (::rename(temporaneo.c_str(), f.nome.c_str()) != 0) guasto("rename " + temporaneo);
    }
}

void assesta(const std::vector<FileProdotto>& file) {
    for (const FileProdotto& f : file) {
        const int fd = ::open(f.nome.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        ::fdatasync(fd);
        ::close(fd);
    }
}

}  // namespace compattatore::banco
