// Fuzz target: arbitrary bytes as the author's notes.  They become the
// simulator's notes or are refused at a line and column of the text; notes
// that go out have at most 1000 lines of at most 766 bytes, and no line
// holds a line end or a control character other than a tab.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "documents/note_autore.h"

namespace {

[[noreturn]] void violazione(const char* cosa) {
    std::fprintf(stderr, "fuzz_note: %s\n", cosa);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    const std::string_view testo(reinterpret_cast<const char*>(dati), n);
    try {
        const auto righe = compattatore::righe_note_autore(testo);
        if (righe.size() > compattatore::righe_note_massime) violazione("oltre 1000 righe");
        for (const auto& r : righe) {
            if (r.size() > compattatore::lunghezza_riga_note) violazione("riga oltre 766 byte");
            for (const char c : r)
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t') violazione("carattere di controllo nelle note");
        }
    } catch (const compattatore::ErroreNote& e) {
        if (e.riga() < 1 || e.colonna() < 1) violazione("errore senza riga o colonna");
        if (static_cast<std::size_t>(e.colonna()) > e.testo_riga().size() + 1) violazione("colonna oltre la riga");
    }
    return 0;
}
