#include "app/diagnostica.h"

#include <sstream>

#include "authoring/json.h"

namespace compattatore {

namespace {

struct Voce_codice {
    std::int32_t codice;
    bool con_posizione;
    std::string_view spiegazione;
};

constexpr Voce_codice codici[] = {
    {0, false, "nessun errore"},
    {1, false, "lunghezza del percorso oltre 1000000 m"},
    {2, false, "progressiva chilometrica con posizione o valore non multiplo di 50"},
    {3, false, "inizio della ripetizione segnali non multiplo di 50"},
    {4, false, "fine della ripetizione segnali non multipla di 50"},
    {5, false, "la chiave della ripetizione segnali non indica 4 o 9 codici"},
    {6, true, "cartello indicatore su una cella occupata"},
    {7, true, "abbattimento su una cella occupata"},
    {8, true, "posizione della stazione non multipla di 50"},
    {9, true, "lunghezza della stazione non multipla di 100"},
    {10, false, "stazioni e cartelli indicatori oltre i 78 posti"},
    {11, true, "segnale dopo un avviso di rallentamento senza cella libera per il codice"},
    {12, true, "gruppo di codici prima di un inizio di rallentamento senza cella libera"},
    {13, true, "codice dentro o dopo un rallentamento senza cella libera"},
    {15, true, "posizione oltre la fine della griglia"},
    {16, true, "segnale su una cella occupata"},
    {17, true, "cella dell'avviso di rallentamento occupata"},
    {18, true, "cella di inizio rallentamento occupata"},
    {19, true, "cella di fine rallentamento occupata"},
    {20, true, "celle dei preavvisi di rallentamento occupate"},
    {21, true, "indicatore di velocita' massima su una cella occupata"},
    {22, true, "stazione a meno di 350 m dalla fine della precedente"},
    {24, false, "fermata della stazione entro i primi 100 m del percorso"},
    {25, false, "errore imprevisto: file mancante, valore fuori campo, fine del file dentro un record "
                "o record prima della lunghezza del percorso"},
    {101, false, "file della linea non trovato"},
    {102, false, "manca \"[generale]\" nel file della linea"},
    {103, false, "curva senza classe da 1 a 6, o tracciato oltre 1000000 m"},
};

bool con_record(const Scenario& s) { return s.codice_errore != 0 && !s.origine_errore.file.empty(); }

// The record's line without the line end it may carry.
std::string_view testo_record(const Scenario& s) {
    std::string_view t = s.origine_errore.testo;
    while (!t.empty() && (t.back() == '\r' || t.back() == '\n')) t.remove_suffix(1);
    return t;
}

const Voce_codice* cerca(std::int32_t codice) {
    for (const Voce_codice& v : codici)
        if (v.codice == codice) return &v;
    return nullptr;
}

}  // namespace

std::string_view spiegazione_codice(std::int32_t codice) {
    const Voce_codice* v = cerca(codice);
    return v ? v->spiegazione : std::string_view{};
}

bool codice_con_posizione(std::int32_t codice) {
    const Voce_codice* v = cerca(codice);
    return v && v->con_posizione;
}

std::string descrivi_errore(const Scenario& s) {
    std::string riga;
    if (con_record(s)) {
        riga += s.origine_errore.file + ":" + std::to_string(s.origine_errore.riga) + ": ";
    }
    riga += "codice " + std::to_string(s.codice_errore);
    std::string_view spiegazione = spiegazione_codice(s.codice_errore);
    if (!spiegazione.empty()) {
        riga += ": ";
        riga += spiegazione;
    }
    if (codice_con_posizione(s.codice_errore))
        riga += " (posizione " + std::to_string(s.posizione_errore) + " m)";
    return riga;
}

std::string riga_del_record(const Scenario& s) {
    if (!con_record(s) || testo_record(s).empty()) return {};
    return "    " + std::string(testo_record(s));
}

std::string diagnostica_json(const Scenario& s) {
    std::ostringstream out;
    ScrittoreJson j(out);
    j.apri_oggetto(true);
    j.campo("codice", s.codice_errore);
    j.campo_testo("spiegazione", spiegazione_codice(s.codice_errore));
    j.chiave("posizione");
    if (codice_con_posizione(s.codice_errore))
        j.intero(s.posizione_errore);
    else
        j.nullo();
    const bool record = con_record(s);
    j.chiave("file");
    record ? j.testo(s.origine_errore.file) : j.nullo();
    j.chiave("riga");
    record ? j.intero(s.origine_errore.riga) : j.nullo();
    j.chiave("testo");
    record ? j.testo(testo_record(s)) : j.nullo();
    j.chiudi_oggetto();
    return out.str();
}

}  // namespace compattatore
