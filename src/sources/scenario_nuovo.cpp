#include "sources/scenario_nuovo.h"

#include <string_view>

#include "reader/formato_descrizione.h"

namespace compattatore {

namespace {

using lettore::IdRecord;

// A comment naming the record's fields, with their units, then the record.
class Righe {
public:
    void commento(std::string_view testo) { righe_.push_back("# " + std::string(testo)); }
    void sezione(std::string_view intestazione) {
        righe_.emplace_back();
        righe_.emplace_back(intestazione);
    }
    void record(IdRecord id, std::string_view valori, std::size_t variante = 0) {
        const lettore::Record& r = lettore::record_formato(id);
        std::string c = "# " + std::string(r.parole[variante]) + ":";
        for (std::size_t i = 0; i < r.campi.size(); ++i) {
            const lettore::Campo& f = r.campi[i];
            c += (i ? ", " : " ") + std::string(f.nome);
            if (!f.unita.empty()) c += " (" + std::string(f.unita) + ")";
        }
        righe_.push_back(std::move(c));
        righe_.push_back(std::string(r.parole[variante]) + ",    " + std::string(valori));
    }
    std::vector<std::string> fine() {
        righe_.emplace_back();
        righe_.emplace_back("[fine]");
        return std::move(righe_);
    }

private:
    std::vector<std::string> righe_;
};

}  // namespace

std::vector<std::string> righe_linea_nuova() {
    Righe r;
    r.commento("Una linea di 10 km da far crescere. Ogni record ha una riga: la parola chiave, poi i campi,");
    r.commento("separati da virgole. Le righe che cominciano con # sono commenti. Ogni campo è descritto");
    r.commento("in docs/formato.md, o da: compattatore reference PAROLA");
    r.sezione("[generale]");
    r.record(IdRecord::lunghezza_percorso, "10000");
    r.commento("i chilometri della linea: dal punto 0 del percorso, il chilometro è posizione + 20000");
    r.record(IdRecord::progressiva_uno, "0,    20000,    0");
    r.record(IdRecord::sfondo_uno, "1");
    r.record(IdRecord::sfondo_due, "0");
    r.record(IdRecord::sfondo_tre, "0");
    r.commento("fine 0: nessun tratto con la ripetizione dei segnali");
    r.record(IdRecord::ripetizione_segnali, "0,    0");
    r.sezione("[curve]");
    r.commento("una curva a destra di raggio 2500 m (classe 3)");
    r.record(IdRecord::curva, "3000,    400", 8);
    r.sezione("[pendenze]");
    r.record(IdRecord::pendenza, "0,    0");
    r.commento("una salita del 6 per mille da 2000 m a 5000 m, poi una discesa del 4 per mille");
    r.record(IdRecord::pendenza, "2000,    6");
    r.record(IdRecord::pendenza, "5000,    -4");
    r.record(IdRecord::pendenza, "8000,    0");
    r.sezione("[montagne]");
    r.sezione("[cartelli]");
    r.commento("cartelli di velocità massima: 100, 110 e 120 km/h per i ranghi A, B e C, nessuno a destra");
    r.record(IdRecord::indicatori_vmax, "600,    100,    110,    120,    0,    ,    ,    ,    0");
    r.sezione("[indicazioni]");
    r.record(IdRecord::cartello_indicatore, "5000,    (  Cippo  )(Km 25+000)");
    return r.fine();
}

std::vector<std::string> righe_treno_nuovo() {
    Righe r;
    r.commento("Il treno della linea di 10 km: parte da Valmora alle 8.00 e arriva a Pratolungo alle 8.10.");
    r.commento("Ogni campo è descritto in docs/formato.md, o da: compattatore reference PAROLA");
    r.sezione("[generale]");
    r.record(IdRecord::numero_vetture, "6");
    r.record(IdRecord::massa_frenata, "120");
    r.record(IdRecord::sabbia, "100");
    r.commento("l'orologio segna le 7.58.00 alla partenza del lavoro");
    r.record(IdRecord::orologio, "7    58    0");
    r.sezione("[aderenze]");
    r.record(IdRecord::aderenza, "0,    80");
    r.sezione("[vel_limite]");
    r.record(IdRecord::velocita, "0,    100");
    r.sezione("[stazioni]");
    r.commento("tipo 8: stazione di testa; i gruppi A e B sono i codici della stazione; orario 0, 0, 0 se non ferma");
    r.record(IdRecord::stazione, "0,    8,    500,    1,    0,    0,    4,    1,    0,    2,    1,    1,    1,    8,    0,    0, Valmora");
    r.record(IdRecord::stazione, "9000,    8,    500,    1,    0,    0,    4,    1,    0,    2,    1,    1,    0,    8,    10,    0, Pratolungo");
    r.sezione("[rallentamenti]");
    r.commento("60 km/h per 500 m da 4000 m, con i quattro preavvisi prima dell'avviso");
    r.record(IdRecord::rallentamento, "4000,    60,    500,    0,    1,    0");
    r.sezione("[segnali]");
    r.commento("il segnale di protezione di Pratolungo");
    r.record(IdRecord::segnale, "7000,    2,    4,    0,    0,    0,    0,    0,    0,    0,    0");
    r.sezione("[codici]");
    return r.fine();
}

}  // namespace compattatore
