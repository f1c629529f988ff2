#include "platform/file_io.h"

#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace compattatore {

namespace fs = std::filesystem;

ErroreIO::ErroreIO(const fs::path& file, const std::string& motivo)
    : std::runtime_error(file.string() + ": " + motivo), file_(file), motivo_(motivo) {}

namespace {

std::string motivo_sistema(int numero) { return std::strerror(numero); }

// Pieces at least this long are written straight from where they are.
constexpr std::size_t pezzo_diretto = 4096;

}  // namespace

FileInSostituzione::FileInSostituzione(fs::path file) : file_(std::move(file)) {
    fs::path temporaneo = file_;
    temporaneo += ".tmp-XXXXXX";
    temporaneo_ = temporaneo.string();
    fd_ = ::mkstemp(temporaneo_.data());
    if (fd_ < 0) throw ErroreIO(file_, motivo_sistema(errno));
    // mkstemp creates the file readable by its owner only; give it the usual mode.
    const mode_t maschera = ::umask(0);
    ::umask(maschera);
    ::fchmod(fd_, 0666 & ~maschera);
}

FileInSostituzione::~FileInSostituzione() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temporaneo_.c_str());
    }
}

void FileInSostituzione::guasto(int numero) {
    ::close(fd_);
    ::unlink(temporaneo_.c_str());
    fd_ = -1;
    throw ErroreIO(file_, motivo_sistema(numero));
}

// Writes every byte, retrying short writes.
void FileInSostituzione::scrivi_subito(std::string_view byte) {
    while (!byte.empty()) {
        const ssize_t n = ::write(fd_, byte.data(), byte.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            guasto(errno);
        }
        byte.remove_prefix(static_cast<std::size_t>(n));
    }
}

void FileInSostituzione::svuota() {
    scrivi_subito(std::string_view(raccolta_.data(), raccolti_));
    raccolti_ = 0;
}

void FileInSostituzione::scrivi(std::string_view byte) {
    if (byte.size() >= pezzo_diretto) {
        svuota();
        scrivi_subito(byte);
        return;
    }
    std::memcpy(spazio(byte.size()), byte.data(), byte.size());
    raccolti_ += byte.size();
}

char* FileInSostituzione::spazio(std::size_t n) {
    if (n > raccolta_.size()) throw std::length_error("spazio oltre la capienza della raccolta");
    if (raccolti_ + n > raccolta_.size()) svuota();
    return raccolta_.data() + raccolti_;
}

void FileInSostituzione::conferma() {
    svuota();
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) {
        const int numero = errno;
        ::unlink(temporaneo_.c_str());
        throw ErroreIO(file_, motivo_sistema(numero));
    }
    if (::rename(temporaneo_.c_str(), file_.c_str()) != 0) {
        const int numero = errno;
        ::unlink(temporaneo_.c_str());
        throw ErroreIO(file_, motivo_sistema(numero));
    }
}

void sostituisci_file(const fs::path& file, std::string_view contenuto) {
    FileInSostituzione f(file);
    f.scrivi(contenuto);
    f.conferma();
}

std::string leggi_file(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw ErroreIO(file, motivo_sistema(errno));
    std::string dati;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0) dati.reserve(static_cast<std::size_t>(info.st_size));
    // Read to the end whatever the size said: the file may be growing, or
    // report no size at all.
    char blocco[16384];
    for (;;) {
        const ssize_t n = ::read(fd, blocco, sizeof blocco);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int numero = errno;
            ::close(fd);
            throw ErroreIO(file, motivo_sistema(numero));
        }
        dati.append(blocco, static_cast<std::size_t>(n));
    }
    ::close(fd);
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
