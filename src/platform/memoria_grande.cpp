#include "platform/memoria_grande.h"

#include <cstdint>
#include <new>
#include <utility>

#include <sys/mman.h>

namespace compattatore {

namespace {

// The size of a large page on the platforms the program runs on.
constexpr std::size_t pagina_grande = std::size_t{2} << 20;

}  // namespace

MemoriaGrande::MemoriaGrande(std::size_t byte) : byte_(byte) {
    if (byte == 0) return;
    // Large pages only cover whole, aligned 2 MiB stretches: map the size
    // rounded up to whole large pages, plus one for the alignment, and start
    // the usable bytes on a boundary, so that the last stretch in use is a
    // whole large page as well.
    const bool grande = byte >= pagina_grande;
    const std::size_t arrotondato = (byte + pagina_grande - 1) & ~(pagina_grande - 1);
    lunghezza_mappa_ = grande ? arrotondato + pagina_grande : byte;
    void* p = ::mmap(nullptr, lunghezza_mappa_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    mappa_ = static_cast<std::byte*>(p);
    dati_ = mappa_;
    if (grande) {
        const std::uintptr_t inizio = reinterpret_cast<std::uintptr_t>(mappa_);
        const std::uintptr_t allineato = (inizio + pagina_grande - 1) & ~(std::uintptr_t{pagina_grande} - 1);
        dati_ = mappa_ + (allineato - inizio);
#ifdef MADV_HUGEPAGE
        // Only advice: without large pages the memory works the same.
        ::madvise(dati_, arrotondato, MADV_HUGEPAGE);
#endif
    }
}

MemoriaGrande::~MemoriaGrande() { rilascia(); }

MemoriaGrande::MemoriaGrande(MemoriaGrande&& altra) noexcept
    : dati_(std::exchange(altra.dati_, nullptr)),
      mappa_(std::exchange(altra.mappa_, nullptr)),
      lunghezza_mappa_(std::exchange(altra.lunghezza_mappa_, 0)),
      byte_(std::exchange(altra.byte_, 0)) {}

MemoriaGrande& MemoriaGrande::operator=(MemoriaGrande&& altra) noexcept {
    if (this != &altra) {
        rilascia();
        dati_ = std::exchange(altra.dati_, nullptr);
        mappa_ = std::exchange(altra.mappa_, nullptr);
        lunghezza_mappa_ = std::exchange(altra.lunghezza_mappa_, 0);
        byte_ = std::exchange(altra.byte_, 0);
    }
    return *this;
}

void MemoriaGrande::rilascia() noexcept {
    if (mappa_) ::munmap(mappa_, lunghezza_mappa_);
    dati_ = mappa_ = nullptr;
    lunghezza_mappa_ = byte_ = 0;
}

}  // namespace compattatore
