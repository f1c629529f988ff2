// The plan of the track, tabella_linea: two coordinates per metre, each
// element empty, a 16-bit integer or a real.
//
// Each element is held in the form the compiled line file gives it: a
// 16-bit little-endian tag (0 empty, 2 integer, 5 real) followed by the
// value, in a slot of 10 bytes.  The file is then the slots in storage order
// with the unused bytes of the empty and integer ones left out, and a run of
// reals, which is nearly the whole plan, goes to the file straight from the
// table.  A new table is all zero bytes, that is all empty elements, and
// costs nothing until its elements are written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <tuple>
#include <vector>

#include "platform/large_memory.h"
#include "tables/codifica.h"

namespace compattatore {

// Tags of the elements of the plan, in memory and in the file.
inline constexpr std::uint16_t tag_vuoto = 0;
inline constexpr std::uint16_t tag_intero16 = 2;
inline constexpr std::uint16_t tag_reale = 5;

// An element of the plan table: empty, a 16-bit integer or a double.
struct ValoreTabella {
    enum class Stato : std::uint8_t { vuoto, intero16, reale };
    Stato stato = Stato::vuoto;
    double valore = 0.0;  // an intero16 is held exactly as a double; an empty element reads 0

    static ValoreTabella intero(std::int16_t v) { return {Stato::intero16, static_cast<double>(v)}; }
    static ValoreTabella reale_(double v) { return {Stato::reale, v}; }

    friend bool operator==(const ValoreTabella&, const ValoreTabella&) = default;
};

// An element as its bytes are laid out, in the file and in its slot: a
// 16-bit tag, then the value the tag names.  The three layouts are field
// tables over the compiled files' coder, which writes and reads every slot.
struct ElementoPiano {
    std::uint16_t tag = tag_vuoto;
    std::int16_t intero = 0;
    double reale = 0.0;
};

inline constexpr auto campi_elemento_vuoto = std::tuple{codifica::campo("tag", &ElementoPiano::tag)};
inline constexpr auto campi_elemento_intero =
    std::tuple{codifica::campo("tag", &ElementoPiano::tag), codifica::campo("intero", &ElementoPiano::intero)};
inline constexpr auto campi_elemento_reale =
    std::tuple{codifica::campo("tag", &ElementoPiano::tag), codifica::campo("reale", &ElementoPiano::reale)};

// The slot of one element: the bytes of its largest layout, of which the
// file takes those of the element's own.
namespace slot_piano {

// Bytes of an element in the file: the tag, then 2 bytes for an integer or
// 8 for a real.
inline constexpr std::size_t byte_vuoto = codifica::byte_fissi(campi_elemento_vuoto);
inline constexpr std::size_t byte_intero = codifica::byte_fissi(campi_elemento_intero);
inline constexpr std::size_t byte_reale = codifica::byte_fissi(campi_elemento_reale);
inline constexpr std::size_t byte = byte_reale;
static_assert(byte_vuoto == 2 && byte_intero == 4 && byte_reale == 10);

inline const char* c(const std::byte* s) { return reinterpret_cast<const char*>(s); }
inline char* c(std::byte* s) { return reinterpret_cast<char*>(s); }

// The tag and the values of an element at `s`, in a slot or in the file.
inline std::uint16_t tag(const char* s) {
    ElementoPiano e;
    codifica::leggi_record(campi_elemento_vuoto, e, s);
    return e.tag;
}
inline std::int16_t intero(const char* s) {
    ElementoPiano e;
    codifica::leggi_record(campi_elemento_intero, e, s);
    return e.intero;
}
inline double reale(const char* s) {
    ElementoPiano e;
    codifica::leggi_record(campi_elemento_reale, e, s);
    return e.reale;
}

inline std::uint16_t tag(const std::byte* s) { return tag(c(s)); }
inline std::int16_t intero(const std::byte* s) { return intero(c(s)); }
inline double reale(const std::byte* s) { return reale(c(s)); }

inline void poni_reale(std::byte* s, double v) {
    codifica::scrivi_record(campi_elemento_reale, ElementoPiano{tag_reale, 0, v}, c(s));
}

// The element at `s` as a value; an unknown tag reads as empty.
inline ValoreTabella leggi(const char* s) {
    switch (tag(s)) {
        case tag_intero16: return ValoreTabella::intero(intero(s));
        case tag_reale: return ValoreTabella::reale_(reale(s));
        default: return {};
    }
}
inline ValoreTabella leggi(const std::byte* s) { return leggi(c(s)); }

void scrivi(std::byte* s, const ValoreTabella& v);

}  // namespace slot_piano

// A writable reference to one element: it reads like a ValoreTabella, and
// assigning a ValoreTabella to it stores that value into the table.
class ElementoTabella {
public:
    explicit ElementoTabella(std::byte* slot) : ElementoTabella(slot, slot_piano::leggi(slot)) {}
    ElementoTabella(const ElementoTabella&) = default;

    const ValoreTabella::Stato stato;
    const double valore;

    operator ValoreTabella() const { return {stato, valore}; }
    ElementoTabella& operator=(const ValoreTabella& v) {
        slot_piano::scrivi(slot_, v);
        return *this;
    }
    ElementoTabella& operator=(const ElementoTabella& altro) { return *this = static_cast<ValoreTabella>(altro); }

private:
    ElementoTabella(std::byte* slot, ValoreTabella v) : stato(v.stato), valore(v.valore), slot_(slot) {}
    std::byte* slot_;
};

// The elements of the table in storage order, as a sequence of values.
class ElementiTabella {
public:
    ElementiTabella() = default;
    ElementiTabella(const ElementiTabella& altra);
    ElementiTabella& operator=(const ElementiTabella& altra);
    ElementiTabella(ElementiTabella&&) noexcept = default;
    ElementiTabella& operator=(ElementiTabella&&) noexcept = default;
    // The elements of `valori`, in their order.
    ElementiTabella& operator=(const std::vector<ValoreTabella>& valori);

    // `n` empty elements, replacing the old ones.
    void crea(std::size_t n);

    std::size_t size() const { return n_; }
    bool empty() const { return n_ == 0; }

    ValoreTabella operator[](std::size_t i) const { return slot_piano::leggi(slot(i)); }
    ElementoTabella operator[](std::size_t i) { return ElementoTabella(slot(i)); }

    std::byte* slot(std::size_t i) { return memoria_.data() + i * slot_piano::byte; }
    const std::byte* slot(std::size_t i) const { return memoria_.data() + i * slot_piano::byte; }

    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = ValoreTabella;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = ValoreTabella;

        const_iterator() = default;
        explicit const_iterator(const std::byte* s) : s_(s) {}
        ValoreTabella operator*() const { return slot_piano::leggi(s_); }
        const_iterator& operator++() {
            s_ += slot_piano::byte;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator prima = *this;
            ++*this;
            return prima;
        }
        bool operator==(const const_iterator&) const = default;

    private:
        const std::byte* s_ = nullptr;
    };

    const_iterator begin() const { return const_iterator(slot(0)); }
    const_iterator end() const { return const_iterator(slot(n_)); }

private:
    LargeMemory memoria_;
    std::size_t n_ = 0;
};

// The plan: rows 0..righe-1 (one per metre), two coordinates, stored column
// by column, the order in which the line file is written.
struct TabellaLinea {
    std::int32_t righe = 0;  // lunghezza_estesa + 1 once created; 0 = no table
    ElementiTabella elementi;

    bool esiste() const { return righe > 0; }
    void crea(std::int32_t lunghezza_estesa) {
        righe = lunghezza_estesa + 1;
        elementi.crea(static_cast<std::size_t>(righe) * 2);
    }

    std::size_t indice(std::int32_t metro, int coordinata) const {
        return static_cast<std::size_t>(coordinata) * static_cast<std::size_t>(righe) + static_cast<std::size_t>(metro);
    }
    ElementoTabella operator()(std::int32_t metro, int coordinata) { return elementi[indice(metro, coordinata)]; }
    ValoreTabella operator()(std::int32_t metro, int coordinata) const { return elementi[indice(metro, coordinata)]; }

    // The value of an element as a number (an empty element reads 0), and
    // storing a real: the two operations the plan is computed with.
    double numero(std::int32_t metro, int coordinata) const {
        const std::byte* s = elementi.slot(indice(metro, coordinata));
        switch (slot_piano::tag(s)) {
            case tag_reale: return slot_piano::reale(s);
            case tag_intero16: return slot_piano::intero(s);
            default: return 0.0;
        }
    }
    void poni_reale(std::int32_t metro, int coordinata, double v) {
        slot_piano::poni_reale(elementi.slot(indice(metro, coordinata)), v);
    }
};

}  // namespace compattatore
