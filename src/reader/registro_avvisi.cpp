#include "reader/registro_avvisi.h"

namespace compattatore::lettore {

namespace {

using A = Avviso;

constexpr VoceAvviso registro[] = {
    {A::parola_chiave_sconosciuta, "parola-chiave-sconosciuta",
     "un record la cui parola chiave non è di nessun record: la riga è ignorata (con la parola più vicina)"},
    {A::record_fuori_posto, "record-fuori-posto",
     "una parola chiave dell'altro file, o della sezione generale fuori da essa"},
    {A::campo_in_piu, "campo-in-piu",
     "un campo avanzato dopo l'ultimo di un record, numero o testo: è ignorato (\"-4,5\" si legge -4)"},
    {A::virgola_nel_testo, "virgola-nel-testo", "una virgola taglia il testo di un cartello o il nome di una stazione"},
    {A::record_dopo_fine, "record-dopo-fine", "record dopo \"[fine]\": sono letti lo stesso"},
    {A::chiave_ripetuta, "chiave-ripetuta", "una chiave generale data due volte: vale l'ultima"},
    {A::righe_fuori_ordine, "righe-fuori-ordine",
     "una riga di pendenza, velocità, aderenza, curva o galleria prima della precedente"},
    {A::curve_sovrapposte, "curve-sovrapposte", "una curva che comincia dentro la precedente"},
    {A::montagne_sovrapposte, "montagne-sovrapposte", "un tratto in galleria che comincia dentro il precedente"},
    {A::posizione_negativa, "posizione-negativa", "una posizione prima dell'inizio della linea"},
    {A::lunghezza_negativa, "lunghezza-negativa", "una lunghezza sotto zero, o una fine prima del suo inizio"},
    {A::valore_troncato, "valore-troncato",
     "un valore che la cella tiene in un byte ricomincia da capo (aderenza 300 diventa 44)"},
    {A::velocita_arrotondata, "velocita-arrotondata", "una velocità non multipla di 5"},
    {A::profilo_non_da_zero, "profilo-non-da-zero",
     "il profilo delle velocità o dell'aderenza non comincia a 0 m: le celle prima valgono 0"},
    {A::testo_utf8, "testo-utf8",
     "un nome o un cartello in UTF-8: il simulatore mostra una lettera per byte (salva in Windows-1252)"},
    {A::orario_non_valido, "orario-non-valido", "minuti o secondi oltre 59, ore oltre 47"},
    {A::tempo_ignorato, "tempo-ignorato", "un tempo su un segnale il cui tipo sinistro non è 2"},
    {A::annuncio_prima_di_aumento, "annuncio-prima-di-aumento",
     "cartelli con strisce (2, 1, 0) che annunciano una velocità che non è una riduzione"},
    {A::rallentamento_oltre_griglia, "rallentamento-oltre-griglia", "un rallentamento che finisce oltre la griglia"},
    {A::fermata_su_elemento, "fermata-su-elemento",
     "la cella di fermata di una stazione prende il posto del cartello o dell'elemento che c'era"},
    {A::progressive_azzerate, "progressive-azzerate",
     "due progressive chilometriche hanno lo stesso inizio, il più avanti: sono azzerate tutte e tre"},
    {A::oltre_fine_linea, "oltre-fine-linea",
     "una posizione oltre la lunghezza del percorso, o una curva, una galleria o un rallentamento che la supera"},
    {A::velocita_implausibile, "velocita-implausibile",
     "un limite del treno o un cartello oltre 300 km/h, la velocità più alta della rete"},
    {A::nome_troppo_lungo, "nome-troppo-lungo",
     "il nome di una stazione più largo delle 28 colonne della scheda orario, che lo taglia"},
    {A::orario_all_indietro, "orario-all-indietro",
     "l'orario di una stazione prima di quello della stazione con orario che la precede"},
    {A::orario_impossibile, "orario-impossibile",
     "fra due stazioni con orario meno tempo di quello che i limiti di velocità del treno permettono"},
    {A::limite_oltre_cartelli, "limite-oltre-cartelli",
     "un limite del treno sopra ogni rango di ogni cartello di velocità della linea"},
    {A::recupero_senza_stazione, "recupero-senza-stazione",
     "un recupero a una posizione dove non sta nessuna stazione: la scheda non lo mostra"},
    {A::progressive_stesso_inizio, "progressive-stesso-inizio",
     "due progressive chilometriche cominciano nello stesso punto: una delle due non vale per nessun tratto"},
};

}  // namespace

std::span<const VoceAvviso> registro_avvisi() { return registro; }

std::string_view nome_avviso(Avviso a) {
    for (const VoceAvviso& v : registro)
        if (v.avviso == a) return v.nome;
    return {};
}

const VoceAvviso* avviso_di_nome(std::string_view nome) {
    for (const VoceAvviso& v : registro)
        if (v.nome == nome) return &v;
    return nullptr;
}

}  // namespace compattatore::lettore
