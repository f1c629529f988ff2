// File-system access of the whole program.  Every output file is replaced
// whole and atomically: the bytes go to a temporary file in the same folder,
// which is then renamed over the old one, so a failure never leaves a
// truncated file behind.  Failures raise ErroreIO, reported once at the top.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace compattatore {

class ErroreIO : public std::runtime_error {
public:
    ErroreIO(const std::filesystem::path& file, const std::string& motivo);
    const std::filesystem::path& file() const { return file_; }
    const std::string& motivo() const { return motivo_; }

private:
    std::filesystem::path file_;
    std::string motivo_;
};

// A file being replaced, written piece by piece.  The bytes go to a
// temporary file beside it, which takes the file's name only at conferma();
// a writer destroyed before that removes the temporary file and leaves the
// old file as it was.
class FileInSostituzione {
    static constexpr std::size_t byte_raccolta = 64 * 1024;

public:
    explicit FileInSostituzione(std::filesystem::path file);
    ~FileInSostituzione();
    FileInSostituzione(const FileInSostituzione&) = delete;
    FileInSostituzione& operator=(const FileInSostituzione&) = delete;

    // Appends bytes.  Small pieces are gathered and written together; a
    // large one goes to the file at once, without a copy.
    void scrivi(std::string_view byte);

    // Room for `n` more bytes (at most capienza()) at the end of the
    // gathered ones, to be filled in place and then counted with aggiunti().
    char* spazio(std::size_t n);
    void aggiunti(std::size_t n) { raccolti_ += n; }
    static constexpr std::size_t capienza() { return byte_raccolta; }

    // Writes what is gathered, closes the file and puts it in place.
    void conferma();

private:
    void svuota();
    void scrivi_subito(std::string_view byte);
    [[noreturn]] void guasto(int numero);

    std::filesystem::path file_;
    std::string temporaneo_;
    int fd_ = -1;
    std::size_t raccolti_ = 0;
    std::array<char, byte_raccolta> raccolta_;
};

// Writes `contenuto` as the whole new content of `file`.
void sostituisci_file(const std::filesystem::path& file, std::string_view contenuto);

// Reads the whole file as bytes.
std::string leggi_file(const std::filesystem::path& file);

// Deletes the file if it exists; a file that cannot be deleted raises.
void elimina_file(const std::filesystem::path& file);

// The folder that holds the running executable.
std::filesystem::path cartella_eseguibile();

}  // namespace compattatore
