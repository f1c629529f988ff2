#include "platform/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace compattatore {

namespace fs = std::filesystem;

ErroreIO::ErroreIO(const fs::path& file, const std::string& motivo)
    : std::runtime_error(file.string() + ": " + motivo), file_(file), motivo_(motivo) {}

namespace {

std::string motivo_sistema(int numero) { return std::strerror(numero); }

// Writes every byte, retrying short writes.
bool scrivi_tutto(int fd, std::string_view dati) {
    while (!dati.empty()) {
        ssize_t n = ::write(fd, dati.data(), dati.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        dati.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

void sostituisci_file(const fs::path& file, std::string_view contenuto) {
    fs::path temporaneo = file;
    temporaneo += ".tmp-XXXXXX";
    std::string modello = temporaneo.string();
    int fd = ::mkstemp(modello.data());
    if (fd < 0) throw ErroreIO(file, motivo_sistema(errno));
    // mkstemp creates the file readable by its owner only; give it the usual mode.
    mode_t maschera = ::umask(0);
    ::umask(maschera);
    ::fchmod(fd, 0666 & ~maschera);

    if (!scrivi_tutto(fd, contenuto)) {
        int numero = errno;
        ::close(fd);
        ::unlink(modello.c_str());
        throw ErroreIO(file, motivo_sistema(numero));
    }
    if (::close(fd) != 0) {
        int numero = errno;
        ::unlink(modello.c_str());
        throw ErroreIO(file, motivo_sistema(numero));
    }
    if (::rename(modello.c_str(), file.c_str()) != 0) {
        int numero = errno;
        ::unlink(modello.c_str());
        throw ErroreIO(file, motivo_sistema(numero));
    }
}

std::string leggi_file(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw ErroreIO(file, motivo_sistema(errno ? errno : ENOENT));
    std::string dati((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw ErroreIO(file, "errore di lettura");
    return dati;
}

void elimina_file(const fs::path& file) {
    if (::unlink(file.c_str()) != 0 && errno != ENOENT) throw ErroreIO(file, motivo_sistema(errno));
}

fs::path cartella_eseguibile() {
    std::error_code ec;
    fs::path eseguibile = fs::read_symlink("/proc/self/exe", ec);
    if (ec) throw ErroreIO("/proc/self/exe", ec.message());
    return eseguibile.parent_path();
}

}  // namespace compattatore
