#include "scrittura_minima.h"

#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

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
    std::vector<std::string> temporanei;
    std::vector<int> aperti;
    for (const FileProdotto& f : file) {
        std::string temporaneo = f.nome.parent_path().string() + "/.cmpt-XXXXXX";
        const int fd = ::mkstemp(temporaneo.data());
        if (fd < 0) guasto("mkstemp " + temporaneo);
        ::fchmod(fd, 0666 & ~maschera);
        const ssize_t n = ::write(fd, f.byte.data(), f.byte.size());
        if (n < 0 || static_cast<std::size_t>(n) != f.byte.size()) guasto("write " + temporaneo);
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
        temporanei.push_back(temporaneo);
        aperti.push_back(fd);
    }
    for (std::size_t i = 0; i < aperti.size(); ++i) {
        if (::fdatasync(aperti[i]) != 0) guasto("fdatasync " + temporanei[i]);
        if (::close(aperti[i]) != 0) guasto("close " + temporanei[i]);
    }
    for (std::size_t i = 0; i < file.size(); ++i)
        if (::rename(temporanei[i].c_str(), file[i].nome.c_str()) != 0) guasto("rename " + temporanei[i]);
    if (!file.empty()) {
        const int cartella = ::open(file.front().nome.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (cartella < 0 || ::fsync(cartella) != 0) guasto("fsync " + file.front().nome.parent_path().string());
        ::close(cartella);
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
