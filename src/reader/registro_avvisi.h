// The warnings the reader gives: input that compiles but is almost
// certainly not what the author meant.  Each has a stable name, which the
// diagnostics show in brackets and the editors match, and one line of
// meaning; the authors' guide lists them (a test checks it against this
// registry).  None changes what is compiled.
#pragma once

#include <span>
#include <string_view>

namespace compattatore::lettore {

enum class Avviso {
    parola_chiave_sconosciuta,
    record_fuori_posto,
    campo_in_piu,
    virgola_nel_testo,
    record_dopo_fine,
    chiave_ripetuta,
    righe_fuori_ordine,
    curve_sovrapposte,
    montagne_sovrapposte,
    posizione_negativa,
    lunghezza_negativa,
    valore_troncato,
    velocita_arrotondata,
    profilo_non_da_zero,
    testo_utf8,
    orario_non_valido,
    tempo_ignorato,
    annuncio_prima_di_aumento,
    rallentamento_oltre_griglia,
    fermata_su_elemento,
    progressive_azzerate,
    oltre_fine_linea,
    velocita_implausibile,
    nome_troppo_lungo,
    orario_all_indietro,
    orario_impossibile,
    limite_oltre_cartelli,
    recupero_senza_stazione,
    progressive_stesso_inizio,
};

struct VoceAvviso {
    Avviso avviso;
    std::string_view nome;         // "parola-chiave-sconosciuta"
    std::string_view significato;  // one line, in Italian
};

// Every warning, in the order of the guide's table.
std::span<const VoceAvviso> registro_avvisi();

std::string_view nome_avviso(Avviso a);

// The warning of a stable name; nullptr when none has it.
const VoceAvviso* avviso_di_nome(std::string_view nome);

}  // namespace compattatore::lettore
