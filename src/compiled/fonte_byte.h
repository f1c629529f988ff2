// A compiled file as the authors' tools read it: a size and the bytes at any
// offset, from the file itself or from memory, read a little at a time so
// that a file of any size is listed in the same small memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/file_handle.h"

namespace compattatore {

class FonteByte {
public:
    virtual ~FonteByte() = default;
    virtual std::uint64_t size() const = 0;
    // Up to `n` bytes from `offset`; fewer only at the end.
    virtual std::size_t leggi(std::uint64_t offset, char* into, std::size_t n) = 0;
};

class FonteMemoria : public FonteByte {
public:
    explicit FonteMemoria(std::string_view byte) : byte_(byte) {}
    std::uint64_t size() const override { return byte_.size(); }
    std::size_t leggi(std::uint64_t offset, char* into, std::size_t n) override;

private:
    std::string_view byte_;
};

// The size is the one the file had when it was opened: a file that grows
// meanwhile is read to that size, one that shrinks raises FileMalformato
// where its bytes run out.
class FonteFile : public FonteByte {
public:
    explicit FonteFile(FileHandle& file) : file_(file), size_(file.size()) {}
    std::uint64_t size() const override { return size_; }
    std::size_t leggi(std::uint64_t offset, char* into, std::size_t n) override {
        return file_.read_at(offset, into, n);
    }

private:
    FileHandle& file_;
    std::uint64_t size_;
};

// Reads a source forward from an offset, a block at a time.
class Cursore {
public:
    // The longest piece prendi() hands out at once.
    static constexpr std::size_t pezzo_massimo = 64;

    Cursore(FonteByte& fonte, std::uint64_t offset);

    std::uint64_t offset() const { return offset_; }
    std::uint64_t restano() const { return fonte_->size() - offset_; }
    // The next `n` bytes (n <= pezzo_massimo, n <= restano()), moving past them.
    const char* prendi(std::size_t n);
    // The same without moving.
    const char* guarda(std::size_t n);

private:
    FonteByte* fonte_;
    std::uint64_t offset_;
    std::uint64_t inizio_ = 0;  // offset of blocco_[0]
    std::size_t pieni_ = 0;
    std::vector<char> blocco_;
};

}  // namespace compattatore
