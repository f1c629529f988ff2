#include "tables/diagnostica.h"

namespace compattatore {

namespace {

struct VoceCodice {
    Codice codice;
    bool con_posizione;
    std::string_view spiegazione;
};

constexpr VoceCodice codici[] = {
    {Codice::nessuno, false, "nessun errore"},
    {Codice::lunghezza_eccessiva, false, "lunghezza del percorso oltre 1000000 m"},
    {Codice::progressiva_fuori_passo, false, "progressiva chilometrica con posizione o valore non multiplo di 50"},
    {Codice::inizio_ripetizione_fuori_passo, false, "inizio della ripetizione segnali non multiplo di 50"},
    {Codice::fine_ripetizione_fuori_passo, false, "fine della ripetizione segnali non multipla di 50"},
    {Codice::ripetizione_senza_codici, false, "la chiave della ripetizione segnali non indica 4 o 9 codici"},
    {Codice::cartello_su_cella_occupata, true, "cartello indicatore su una cella occupata"},
    {Codice::abbattimento_su_cella_occupata, true, "abbattimento su una cella occupata"},
    {Codice::stazione_fuori_passo, true, "posizione della stazione non multipla di 50"},
    {Codice::lunghezza_stazione_fuori_passo, true, "lunghezza della stazione non multipla di 100"},
    {Codice::posti_esauriti, false, "stazioni e cartelli indicatori oltre i 78 posti"},
    {Codice::codice_dietro_avviso, true, "segnale dopo un avviso di rallentamento senza cella libera per il codice"},
    {Codice::codici_di_avvicinamento, true, "gruppo di codici prima di un inizio di rallentamento senza cella libera"},
    {Codice::codice_nel_rallentamento, true, "codice dentro o dopo un rallentamento senza cella libera"},
    {Codice::oltre_la_griglia, true, "posizione oltre la fine della griglia"},
    {Codice::segnale_su_cella_occupata, true, "segnale su una cella occupata"},
    {Codice::avviso_occupato, true, "cella dell'avviso di rallentamento occupata"},
    {Codice::inizio_rallentamento_occupato, true, "cella di inizio rallentamento occupata"},
    {Codice::fine_rallentamento_occupata, true, "cella di fine rallentamento occupata"},
    {Codice::preavvisi_occupati, true, "celle dei preavvisi di rallentamento occupate"},
    {Codice::indicatore_su_cella_occupata, true, "indicatore di velocità massima su una cella occupata"},
    {Codice::stazioni_troppo_vicine, true, "stazione a meno di 350 m dalla fine della precedente"},
    {Codice::fermata_in_testa, false, "fermata della stazione entro i primi 100 m del percorso"},
    {Codice::guasto, false, "errore imprevisto"},
    {Codice::linea_mancante, false, "file della linea non trovato"},
    {Codice::generale_mancante, false, "manca \"[generale]\" nel file della linea"},
    {Codice::tracciato_non_valido, false, "curva senza classe da 1 a 6, o tracciato oltre 1000000 m"},
};

const VoceCodice* cerca(Codice codice) {
    for (const VoceCodice& v : codici)
        if (v.codice == codice) return &v;
    return nullptr;
}

}  // namespace

std::string_view spiegazione_codice(Codice codice) {
    const VoceCodice* v = cerca(codice);
    return v ? v->spiegazione : std::string_view{};
}

bool codice_con_posizione(Codice codice) {
    const VoceCodice* v = cerca(codice);
    return v && v->con_posizione;
}

}  // namespace compattatore
