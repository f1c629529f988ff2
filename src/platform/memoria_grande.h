// Zero-filled memory for the few large tables (the plan of the track holds
// 20 bytes per metre of line).  The memory comes straight from the system,
// already zero, so creating a table writes nothing; pages are supplied as
// they are first written, in large pages where the system allows it, which
// makes filling a table of tens of megabytes cost thousands of page faults
// less.
#pragma once

#include <cstddef>

namespace compattatore {

class MemoriaGrande {
public:
    MemoriaGrande() = default;
    // `byte` zero bytes; raises std::bad_alloc when the system has none.
    explicit MemoriaGrande(std::size_t byte);
    ~MemoriaGrande();
    MemoriaGrande(MemoriaGrande&& altra) noexcept;
    MemoriaGrande& operator=(MemoriaGrande&& altra) noexcept;
    MemoriaGrande(const MemoriaGrande&) = delete;
    MemoriaGrande& operator=(const MemoriaGrande&) = delete;

    std::byte* dati() { return dati_; }
    const std::byte* dati() const { return dati_; }
    std::size_t dimensione() const { return byte_; }

private:
    void rilascia() noexcept;

    std::byte* dati_ = nullptr;  // start of the usable bytes
    std::byte* mappa_ = nullptr;  // start of the mapping, as the system returned it
    std::size_t lunghezza_mappa_ = 0;
    std::size_t byte_ = 0;
};

}  // namespace compattatore
