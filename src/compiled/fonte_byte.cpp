#include "compiled/fonte_byte.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "compiled/file_malformato.h"

namespace compattatore {

namespace {

constexpr std::size_t byte_blocco = 64 * 1024;

}  // namespace

std::size_t FonteMemoria::leggi(std::uint64_t offset, char* into, std::size_t n) {
    if (offset >= byte_.size()) return 0;
    const std::size_t k = std::min<std::uint64_t>(n, byte_.size() - offset);
    std::memcpy(into, byte_.data() + offset, k);
    return k;
}

Cursore::Cursore(FonteByte& fonte, std::uint64_t offset)
    : fonte_(&fonte), offset_(offset), inizio_(offset), blocco_(byte_blocco) {}

const char* Cursore::guarda(std::size_t n) {
    if (n > pezzo_massimo) throw std::logic_error("pezzo oltre il massimo del cursore");
    if (offset_ + n > inizio_ + pieni_) {
        // What is left of the block moves to its start, and the rest comes after it.
        const std::size_t tenuti = static_cast<std::size_t>(inizio_ + pieni_ - std::min(offset_, inizio_ + pieni_));
        if (tenuti > 0) std::memmove(blocco_.data(), blocco_.data() + (offset_ - inizio_), tenuti);
        inizio_ = offset_;
        pieni_ = tenuti;
        while (pieni_ < n) {
            const std::uint64_t da = inizio_ + pieni_;
            const std::size_t voluti = static_cast<std::size_t>(
                std::min<std::uint64_t>(blocco_.size() - pieni_, fonte_->size() > da ? fonte_->size() - da : 0));
            const std::size_t letti = voluti > 0 ? fonte_->leggi(da, blocco_.data() + pieni_, voluti) : 0;
            if (letti == 0)
                throw FileMalformato(static_cast<std::size_t>(da),
                                     "il file finisce prima della lunghezza che aveva all'apertura: è stato "
                                     "accorciato durante la lettura");
            pieni_ += letti;
        }
    }
    return blocco_.data() + (offset_ - inizio_);
}

const char* Cursore::prendi(std::size_t n) {
    const char* p = guarda(n);
    offset_ += n;
    return p;
}

}  // namespace compattatore
