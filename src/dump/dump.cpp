#include "dump/dump.h"

#include <string>

#include "tables/file_compilati.h"

namespace compattatore {

namespace {

// A plan file read as it is listed.
class SorgenteFile : public SorgentePiano {
public:
    explicit SorgenteFile(const PianoInFile& p) : p_(p) {}
    std::int32_t righe() const override { return p_.righe; }
    std::int64_t vuoti() const override { return p_.vuoti; }
    std::int64_t interi() const override { return p_.interi; }
    std::int64_t reali() const override { return p_.reali; }
    std::unique_ptr<LettoreColonna> colonna(int coordinata) const override {
        return std::make_unique<Colonna>(p_, coordinata);
    }

private:
    class Colonna : public LettoreColonna {
    public:
        Colonna(const PianoInFile& p, int c) : c_(p, c) {}
        ValoreTabella prossimo() override { return c_.prossimo(); }

    private:
        ColonnaPiano c_;
    };
    PianoInFile p_;
};

}  // namespace

PerOgniCella celle_di(const std::vector<Cella>& celle) {
    return [&celle](const std::function<void(std::size_t, const Cella&)>& f) {
        for (std::size_t k = 0; k < celle.size(); ++k) f(k, celle[k]);
    };
}

void scrivi_dump(std::ostream& out, TipoFile tipo, FonteByte& fonte, FormatoDump formato, std::int32_t passo) {
    const bool json = formato == FormatoDump::json;
    switch (tipo) {
        case TipoFile::griglia: {
            // Checked whole, every cell's type too, by a first reading that
            // hands nothing over.
            per_ogni_cella(fonte, true, [](std::size_t, const Cella&) {});
            const std::size_t numero = static_cast<std::size_t>(fonte.size() / byte_cella);
            const PerOgniCella celle = [&fonte](const std::function<void(std::size_t, const Cella&)>& f) {
                per_ogni_cella(fonte, false, f);
            };
            json ? json_griglia(out, numero, celle) : elenca_griglia(out, numero, celle);
            break;
        }
        case TipoFile::voci: {
            controlla_dimensione(TipoFile::voci, fonte.size());
            std::string byte(static_cast<std::size_t>(fonte.size()), '\0');
            Cursore c(fonte, 0);
            for (std::size_t at = 0; at < byte.size(); at += Cursore::pezzo_massimo) {
                const std::size_t n = std::min(Cursore::pezzo_massimo, byte.size() - at);
                std::copy_n(c.prendi(n), n, byte.data() + at);
            }
            const Voci voci = decodifica_voci(byte);
            json ? json_voci(out, voci, byte.size()) : elenca_voci(out, voci, byte.size());
            break;
        }
        case TipoFile::piano: {
            const SorgenteFile p(esamina_piano(fonte));
            const std::size_t byte = static_cast<std::size_t>(fonte.size());
            json ? json_piano(out, p, byte, passo) : elenca_piano(out, p, byte, passo);
            break;
        }
    }
}

void scrivi_dump(std::ostream& out, TipoFile tipo, std::string_view byte, FormatoDump formato, std::int32_t passo) {
    FonteMemoria fonte(byte);
    scrivi_dump(out, tipo, fonte, formato, passo);
}

}  // namespace compattatore
