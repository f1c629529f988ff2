#include "reader/formato_descrizione.h"

#include <string>

#include "reader/parole_chiave.h"
#include "tables/costanti_formato.h"

namespace compattatore::lettore {

namespace {

using T = TipoCampo;

constexpr std::int64_t max32 = 2147483647, min32 = -2147483647 - 1;
constexpr std::int64_t max16 = 32767, min16 = -32768;

// The general section of the line text.
constexpr std::string_view p_lunghezza[] = {"lunghezza percorso"};
constexpr Campo c_lunghezza[] = {
    {"lunghezza", T::intero32, "m", 0, lunghezza_massima_linea, 0, "0",
     "lunghezza del percorso dalla posizione 0; griglia e tracciato arrivano 7000 m oltre"},
};

constexpr std::string_view p_progressiva_tre[] = {"progressiva chilometrica tre"};
constexpr std::string_view p_progressiva_due[] = {"progressiva chilometrica due"};
constexpr std::string_view p_progressiva_uno[] = {"progressiva chilometrica uno"};
constexpr Campo c_progressiva[] = {
    {"inizio", T::intero32, "m", min32, max32, lunghezza_cella, "0",
     "posizione del percorso da cui vale questa progressiva"},
    {"scostamento", T::intero32, "m", min32, max32, lunghezza_cella, "0",
     "chilometri della linea meno la posizione (verso 0), o più la posizione (verso 1)"},
    {"verso", T::intero32, "", 0, 1, 0, "0",
     "0 se i chilometri crescono lungo il percorso, 1 se calano; con 1 lo scostamento è memorizzato più 100"},
};

constexpr std::string_view p_sfondo_uno[] = {"sfondo uno"};
constexpr std::string_view p_sfondo_due[] = {"sfondo due"};
constexpr std::string_view p_sfondo_tre[] = {"sfondo tre"};
constexpr Campo c_sfondo[] = {
    {"valore", T::intero32, "", min32, max32, 0, "0", "impostazione del paesaggio, passata così com'è al simulatore"},
};

constexpr std::string_view p_ripetizione[] = {"ripetizione segnali 9 codici", "ripetizione segnali 4 codici"};
constexpr Campo c_ripetizione[] = {
    {"inizio", T::intero32, "m", min32, max32, lunghezza_cella, "0",
     "prima posizione del tratto attrezzato con la ripetizione dei segnali"},
    {"fine", T::intero32, "m", min32, max32, lunghezza_cella, "0",
     "ultima posizione del tratto; 0 vuol dire nessuna ripetizione (0 codici)"},
};

// The line records.
constexpr std::string_view p_pendenza[] = {"pendenza"};
constexpr Campo c_pendenza[] = {
    {"posizione", T::intero32, "m", 0, lunghezza_massima_linea, 0, "0",
     "punto da cui vale la pendenza, fino alla riga seguente"},
    {"pendenza", T::intero32, "‰", -100, 155, 0, "0",
     "in salita positiva, in discesa negativa; ogni cella la tiene in un byte più 100"},
};

constexpr std::string_view p_curva[] = {"curvas1", "curvas2", "curvas3", "curvas4", "curvas5", "curvas6",
                                        "curvad1", "curvad2", "curvad3", "curvad4", "curvad5", "curvad6"};
constexpr Campo c_curva[] = {
    {"inizio", T::intero32, "m", 0, lunghezza_massima_linea, 0, "0", "posizione dove comincia la curva"},
    {"lunghezza", T::intero32, "m", 0, lunghezza_massima_linea, 0, "0", "lunghezza della curva"},
};

constexpr std::string_view p_montagna[] = {"montagna"};
constexpr Campo c_montagna[] = {
    {"inizio", T::intero32, "m", 0, lunghezza_massima_linea, 0, "0", "inizio del tratto (una galleria)"},
    {"fine", T::intero32, "m", 0, lunghezza_massima_linea, 0, "0", "fine del tratto"},
    {"tipo", T::intero32, "", 0, 265, 0, "0",
     "tipo del tratto, tenuto da ogni sua cella; oltre 10 vale tipo - 10 e segna libera una cella ogni 200 m"},
};

constexpr std::string_view p_indicatori[] = {"indicatori_vmax"};
constexpr Campo c_indicatori[] = {
    {"posizione", T::intero32, "m", 0, lunghezza_massima_linea, 0, "0", "posizione dei cartelli"},
    {"sinistra A", T::intero32, "km/h", 0, 1635, 5, "0", "cartello di sinistra (vas): velocità massima del rango A"},
    {"sinistra B", T::intero32, "km/h", 0, 1635, 5, "0", "cartello di sinistra (vbs): velocità massima del rango B"},
    {"sinistra C", T::intero32, "km/h", 0, 1635, 5, "0", "cartello di sinistra (vcs): velocità massima del rango C"},
    {"strisce a sinistra", T::intero32, "", 0, 2, 0, "0", "cartello di sinistra (strisces): 2 e 1 annunciano una riduzione, 0 la applica"},
    {"destra A", T::intero32, "km/h", 0, 1635, 5, "0 (nessun cartello di destra)", "cartello di destra (vad): velocità del rango A"},
    {"destra B", T::intero32, "km/h", 0, 1635, 5, "0 (nessun cartello di destra)", "cartello di destra (vbd): velocità del rango B"},
    {"destra C", T::intero32, "km/h", 0, 1635, 5, "0 (nessun cartello di destra)", "cartello di destra (vcd): velocità del rango C"},
    {"strisce a destra", T::intero32, "", 0, 2, 0, "0", "cartello di destra (strisced): strisce"},
};

constexpr std::string_view p_cartello[] = {"cartello_indicatore"};
constexpr Campo c_cartello[] = {
    {"posizione", T::intero32, "m", 0, lunghezza_massima_linea, 0, "0", "posizione del cartello"},
    {"testo", T::testo, "", 0, 65535, 0, "testo vuoto",
     "il testo del cartello, fino alla fine della riga; senza virgole"},
};

// The train text.
constexpr std::string_view p_massa[] = {"percentuale massa frenata"};
constexpr Campo c_massa[] = {
    {"percentuale", T::intero32, "%", 0, max32, 0, "0", "percentuale di massa frenata del treno"},
};
constexpr std::string_view p_vetture[] = {"numero vetture"};
constexpr Campo c_vetture[] = {
    {"vetture", T::intero32, "", 0, max32, 0, "0", "numero delle vetture del treno"},
};
constexpr std::string_view p_velocita[] = {"velocita"};
constexpr Campo c_velocita[] = {
    {"posizione", T::intero32, "m", 0, lunghezza_massima_linea, 0, "0",
     "punto da cui vale il limite, fino alla riga seguente"},
    {"limite", T::intero32, "km/h", 0, 1275, 5, "0", "velocità massima del treno; ogni cella la tiene divisa per 5"},
};
constexpr std::string_view p_aderenza[] = {"aderenza"};
constexpr Campo c_aderenza[] = {
    {"posizione", T::intero32, "m", 0, lunghezza_massima_linea, 0, "0",
     "punto da cui vale l'aderenza, fino alla riga seguente"},
    {"aderenza", T::intero32, "", 0, 255, 0, "0", "livello di aderenza, tenuto da ogni cella in un byte"},
};
constexpr std::string_view p_orologio[] = {"orologio"};
constexpr Campo c_orologio[] = {
    {"ore", T::intero16, "h", 0, 47, 0, "0", "ora dell'orologio alla partenza"},
    {"minuti", T::intero16, "min", 0, 59, 0, "0", "minuti; i tre numeri si separano anche con soli spazi"},
    {"secondi", T::intero16, "s", 0, 59, 0, "0", "secondi"},
};
constexpr std::string_view p_sabbia[] = {"sabbia"};
constexpr Campo c_sabbia[] = {
    {"sabbia", T::intero16, "", min16, max16, 0, "0", "scorta di sabbia del treno"},
};
constexpr std::string_view p_segnale[] = {"segnale"};
constexpr Campo c_segnale[] = {
    {"posizione", T::intero32, "m", 0, lunghezza_massima_linea, 0, "0", "posizione del segnale"},
    {"tipo sinistro", T::intero32, "", 0, 2, 0, "0", "tipo del segnale di sinistra (sx)"},
    {"sinistro 1", T::intero32, "", 0, 9, 0, "0", "primo codice del segnale di sinistra (s1)"},
    {"sinistro 2", T::intero32, "", 0, 9, 0, "0", "secondo codice del segnale di sinistra (s2), 0 se non usato"},
    {"sinistro 3", T::intero32, "", 0, 9, 0, "0", "terzo codice del segnale di sinistra (s3), 0 se non usato"},
    {"rapp", T::intero32, "", 0, 1, 0, "0", "0 o 1, tenuto con il segnale"},
    {"tipo destro", T::intero32, "", 0, 2, 0, "0 (nessun segnale di destra)", "tipo del segnale di destra (dx)"},
    {"destro 1", T::intero32, "", 0, 9, 0, "0", "primo codice del segnale di destra (d1)"},
    {"destro 2", T::intero32, "", 0, 9, 0, "0", "secondo codice del segnale di destra (d2)"},
    {"destro 3", T::intero32, "", 0, 9, 0, "0", "terzo codice del segnale di destra (d3)"},
    {"tempo", T::intero32, "", 0, 255, 0, "0",
     "tempo tenuto con il segnale quando sx è 2; da 1 a 100 diventa 101"},
};
constexpr std::string_view p_rallentamento[] = {"rallentamento"};
constexpr Campo c_rallentamento[] = {
    {"inizio", T::intero32, "m", 0, lunghezza_massima_linea, 0, "0", "posizione dove comincia il rallentamento (x)"},
    {"velocità", T::intero32, "km/h", 0, max16, 0, "0", "velocità del rallentamento (v)"},
    {"lunghezza", T::intero32, "m", 0, lunghezza_massima_linea, 0, "0", "lunghezza del rallentamento (l)"},
    {"valore agli estremi", T::intero32, "", min16, max16, 0, "0", "valore tenuto dalla prima e dall'ultima cella (f_tt)"},
    {"preavvisi", T::intero32, "", 0, 1, 0, "0",
     "1 aggiunge quattro preavvisi prima dell'avviso, 1200 m prima dell'inizio (solo oltre 1500 m) (f_ta)"},
    {"seconda velocità", T::intero32, "km/h", 0, max16, 0, "0 (nessuna)", "seconda velocità tenuta accanto alla prima (d_v)"},
};
constexpr std::string_view p_abbattimento[] = {"abbattimento"};
constexpr Campo c_abbattimento[] = {
    {"posizione", T::intero32, "m", 0, lunghezza_massima_linea, 0, "0",
     "punto del taglio; la cella è quella prima di un segnale alla stessa posizione"},
    {"codice", T::intero32, "", min16, max16, 0, "0 (taglio senza codice)",
     "codice di ripetizione che vale dal punto; 0 o meno segna il punto senza codice"},
};
constexpr std::string_view p_stazione[] = {"stazione"};
constexpr Campo c_stazione[] = {
    {"posizione", T::intero32, "m", 0, lunghezza_massima_linea, lunghezza_cella, "0", "posizione della stazione"},
    {"tipo", T::byte, "", 0, 255, 0, "0",
     "tipo della stazione: 5 e 6 fermata in testa, 7 e 8 capolinea, da 25 in su senza fermata"},
    {"lunghezza del marciapiede", T::intero32, "m", 0, lunghezza_massima_linea, 100, "0",
     "dà l'inizio e la fine della stazione intorno alla posizione"},
    {"flag a", T::byte, "", 0, 1, 0, "0", "indicatore, 0 o 1"},
    {"flag b", T::byte, "", 0, 1, 0, "0", "indicatore, 0 o 1; azzerato sotto i 600 m e per la prima stazione"},
    {"fine prolungata", T::byte, "", 0, 1, 0, "0", "1 porta la fine della stazione 50 m più avanti (tipi fuori da 5 a 8)"},
    {"gruppo A 1", T::intero16, "", min16, max16, 0, "0", "primo codice del gruppo A"},
    {"gruppo A 2", T::intero16, "", min16, max16, 0, "0", "secondo codice del gruppo A"},
    {"gruppo A 3", T::byte, "", 0, 255, 0, "0", "terzo codice del gruppo A"},
    {"gruppo B 1", T::intero16, "", min16, max16, 0, "0", "primo codice del gruppo B"},
    {"gruppo B 2", T::intero16, "", min16, max16, 0, "0", "secondo codice del gruppo B"},
    {"gruppo B 3", T::intero16, "", min16, max16, 0, "0", "terzo codice del gruppo B"},
    {"valore di fermata", T::byte, "", 0, 255, 0, "0", "valore della fermata"},
    {"ore", T::intero32, "h", 0, 47, 0, "0", "ora dell'orario; 0, 0, 0 per una stazione senza orario"},
    {"minuti", T::intero32, "min", 0, 59, 0, "0", "minuti dell'orario"},
    {"secondi", T::intero32, "s", 0, 59, 0, "0", "secondi dell'orario"},
    {"nome", T::testo, "", 0, 65535, 0, "nome vuoto", "nome della stazione, fino alla fine della riga; senza virgole"},
};
constexpr std::string_view p_numero_treno[] = {"numero treno"};
constexpr Campo c_numero_treno[] = {
    {"numero", T::testo, "", 0, 6, 0, "il nome del treno", "numero del treno sulla scheda orario"},
};
constexpr std::string_view p_categoria[] = {"categoria"};
constexpr Campo c_categoria[] = {
    {"categoria", T::testo, "", 0, 19, 0, "REGIONALE", "categoria del treno sulla scheda orario"},
};
constexpr std::string_view p_recupero[] = {"recupero"};
constexpr Campo c_recupero[] = {
    {"posizione", T::intero32, "m", min32, max32, 0, "0", "posizione della stazione a cui va il recupero"},
    {"minuti", T::testo, "min", 1, 4, 0, "", "margine di recupero, in minuti con al più un decimale (\"0.5\")"},
};

constexpr Sezione sezioni[] = {
    {FileDescrizione::linea, "[generale]", "lunghezza, progressive chilometriche, sfondi e ripetizione dei segnali"},
    {FileDescrizione::linea, "[curve]", "le curve del tracciato"},
    {FileDescrizione::linea, "[pendenze]", "il profilo delle pendenze"},
    {FileDescrizione::linea, "[montagne]", "i tratti in galleria"},
    {FileDescrizione::linea, "[cartelli]", "i cartelli di velocità massima"},
    {FileDescrizione::linea, "[indicazioni]", "i cartelli indicatori"},
    {FileDescrizione::linea, "[fine]", "l'ultima riga del file"},
    {FileDescrizione::treno, "[generale]", "i dati generali del treno"},
    {FileDescrizione::treno, "[aderenze]", "il profilo dell'aderenza"},
    {FileDescrizione::treno, "[vel_limite]", "il profilo dei limiti di velocità del treno"},
    {FileDescrizione::treno, "[stazioni]", "le stazioni con il loro orario"},
    {FileDescrizione::treno, "[rallentamenti]", "i rallentamenti"},
    {FileDescrizione::treno, "[segnali]", "i segnali"},
    {FileDescrizione::treno, "[codici]", "i tagli del codice di ripetizione"},
    {FileDescrizione::treno, "[fine]", "l'ultima riga del file"},
};

using C = Contesto;
using I = IdRecord;

// In the order the reader tests them.
constexpr Record records[] = {
    {I::lunghezza_percorso, C::generale, "[generale]", p_lunghezza, "lunghezza", "percorso", false, false, false, false,
     c_lunghezza, "La lunghezza del percorso: dimensiona la griglia e il tracciato. Va data prima di ogni altro record.",
     "lunghezza percorso,    12000"},
    {I::progressiva_tre, C::generale, "[generale]", p_progressiva_tre, "progressiva", "tre", true, true, false, false,
     c_progressiva, "Terza progressiva chilometrica: come contare i chilometri della linea da una posizione in poi.",
     "progressiva chilometrica tre,    315950,    412050,    1"},
    {I::progressiva_due, C::generale, "[generale]", p_progressiva_due, "progressiva", "due", true, true, false, false,
     c_progressiva, "Seconda progressiva chilometrica.", "progressiva chilometrica due,    284500,    -284500,    0"},
    {I::progressiva_uno, C::generale, "[generale]", p_progressiva_uno, "progressiva", "uno", true, true, false, false,
     c_progressiva, "Prima progressiva chilometrica.", "progressiva chilometrica uno,    31100,    3050,    0"},
    {I::sfondo_uno, C::generale, "[generale]", p_sfondo_uno, "sfondo", "uno", true, true, false, false, c_sfondo,
     "Prima impostazione dello sfondo.", "sfondo uno,    1"},
    {I::sfondo_due, C::generale, "[generale]", p_sfondo_due, "sfondo", "due", true, true, false, false, c_sfondo,
     "Seconda impostazione dello sfondo.", "sfondo due,    0"},
    {I::sfondo_tre, C::generale, "[generale]", p_sfondo_tre, "sfondo", "tre", true, true, false, false, c_sfondo,
     "Terza impostazione dello sfondo.", "sfondo tre,    0"},
    {I::ripetizione_segnali, C::generale, "[generale]", p_ripetizione, "segnali", "ripetizione", true, false, false,
     false, c_ripetizione,
     "Il tratto con la ripetizione dei segnali in cabina; la cifra nella parola chiave dà i codici: un 4 ovunque "
     "vuol dire 4 codici, altrimenti un 9 ne vuol dire 9.",
     "ripetizione segnali 9 codici,    8000,    330700"},

    {I::pendenza, C::linea, "[pendenze]", p_pendenza, "pendenza", {}, false, false, false, false, c_pendenza,
     "Una riga del profilo delle pendenze: vale dalla sua posizione a quella della riga seguente.",
     "pendenza,  1250,   -4"},
    {I::curva, C::linea, "[curve]", p_curva, "curva", {}, false, false, true, false, c_curva,
     "Una curva del tracciato: s a sinistra, d a destra, e la classe del raggio da 1 (10000 m) a 6 (333 m). "
     "Forma solo il tracciato, non la griglia.",
     "curvas1,  1350,  150"},
    {I::montagna, C::linea, "[montagne]", p_montagna, "montagna", {}, false, false, false, false, c_montagna,
     "Un tratto in galleria (la linea passa sotto un rilievo).", "montagna,   8750,  11150,  12"},
    {I::indicatori_vmax, C::linea, "[cartelli]", p_indicatori, "indicatori_v", {}, false, false, false, false,
     c_indicatori, "Cartelli di velocità massima per i ranghi A, B e C, a sinistra e, se c'è, a destra.",
     "indicatori_vmax,  1000,  90,  95,  100,  0,  ,  ,  ,  0"},
    {I::cartello_indicatore, C::linea, "[indicazioni]", p_cartello, "cartello", "indicat", false, false, false,
     false, c_cartello, "Un cartello indicatore con il suo testo, come un cippo chilometrico.",
     "cartello_indicatore,  27950,   (  Cippo  )(Km 28+000)"},

    {I::massa_frenata, C::treno, "[generale]", p_massa, "frenata", "massa", false, false, false, false, c_massa,
     "La percentuale di massa frenata del treno.", "percentuale massa frenata,    130"},
    {I::numero_vetture, C::treno, "[generale]", p_vetture, "vetture", {}, false, false, false, false, c_vetture,
     "Il numero delle vetture.", "numero vetture,    12"},
    {I::velocita, C::treno, "[vel_limite]", p_velocita, "velocit", {}, false, false, false, false, c_velocita,
     "Una riga del profilo dei limiti di velocità del treno.", "velocita,    1000,   100"},
    {I::aderenza, C::treno, "[aderenze]", p_aderenza, "aderenza", {}, false, false, false, false, c_aderenza,
     "Una riga del profilo dell'aderenza.", "aderenza,       0,    58"},
    {I::orologio, C::treno, "[generale]", p_orologio, "orologio", {}, false, false, false, false, c_orologio,
     "L'ora dell'orologio alla partenza.", "orologio,    16   20   30"},
    {I::sabbia, C::treno, "[generale]", p_sabbia, "sabbia", {}, false, false, false, false, c_sabbia,
     "La scorta di sabbia.", "sabbia,    180"},
    {I::segnale, C::treno, "[segnali]", p_segnale, "segnale", {}, false, false, false, false, c_segnale,
     "Un segnale: quello di sinistra e, se c'è, quello di destra, con i loro codici.",
     "segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0"},
    {I::rallentamento, C::treno, "[rallentamenti]", p_rallentamento, "rallentamento", {}, false, false, false, false,
     c_rallentamento, "Un rallentamento: la velocità ridotta su un tratto, con il suo avviso.",
     "rallentamento,  123150,    80,  800, 0,  1,  80"},
    {I::abbattimento, C::treno, "[codici]", p_abbattimento, "abbattimento", {}, false, false, false, false,
     c_abbattimento, "Un punto dove il codice di ripetizione cambia.", "abbattimento,    7050,   270"},
    {I::stazione, C::treno, "[stazioni]", p_stazione, "stazione", {}, false, false, false, false, c_stazione,
     "Una stazione, con il suo orario e il suo nome; la prima prende la voce 1, le altre le seguenti. Inizio e "
     "fine della stazione vengono dalla posizione P, dalla lunghezza L e dal tipo: tipi 5 e 6 da P - L a P + 150, "
     "tipi 7 e 8 da P - L a P + L, gli altri da P - L/2 a P + L/2 (50 m più avanti con la fine prolungata). Per i "
     "tipi sotto 25 la cella fine / 50 - 1 è la fermata e, tranne che per i tipi 5 e 6, le quattro celle prima "
     "portano i preavvisi. Ogni stazione comincia almeno 350 m dopo la fine della precedente.",
     "stazione,       0,  8,  500,  1, 0, 0,  4,1,0,  2,1,1,    1,  16,14,30, Fontecava"},
    {I::numero_treno, C::treno, "[generale]", p_numero_treno, "numero treno", {}, false, false, false, true,
     c_numero_treno, "Il numero del treno sulla scheda orario.", "numero treno,    K27"},
    {I::categoria, C::treno, "[generale]", p_categoria, "categoria", {}, false, false, false, true, c_categoria,
     "La categoria del treno sulla scheda orario.", "categoria,    ESPRESSO"},
    {I::recupero, C::treno, "[stazioni]", p_recupero, "recupero", {}, false, false, false, true, c_recupero,
     "Il margine di recupero di una stazione sulla scheda orario; dato uno, valgono solo quelli dati.",
     "recupero,    49300,    0.5"},
};

constexpr FormatoDescrizione formato{sezioni, records};

bool trova(std::string_view campo, std::string_view parola, bool esatta) {
    return parola.empty() || (esatta ? contiene(campo, parola) : contiene_ci(campo, parola));
}

}  // namespace

const FormatoDescrizione& formato_descrizione() { return formato; }

const Record& record_formato(IdRecord id) {
    for (const Record& r : records)
        if (r.id == id) return r;
    return records[0];
}

std::string_view intestazione(IdRecord id) { return record_formato(id).sezione; }

std::string_view intestazione_finale(FileDescrizione f) {
    std::string_view ultima;
    for (const Sezione& s : sezioni)
        if (s.file == f) ultima = s.intestazione;
    return ultima;
}

bool riconosce(const Record& r, std::string_view campo) {
    return trova(campo, r.prima, r.esatte) && trova(campo, r.seconda, r.esatte);
}

std::string_view nome_record(const Record& r) {
    std::string_view nome = r.parole.front();
    for (const std::string_view p : r.parole)
        while (p.substr(0, nome.size()) != nome) nome.remove_suffix(1);
    while (!nome.empty() && nome.back() == ' ') nome.remove_suffix(1);
    return nome;
}

bool riconosce_la_prima(const Record& r, std::string_view campo) { return trova(campo, r.prima, r.esatte); }

const Record* record_della_parola(std::string_view parola) {
    for (const Record& r : records)
        for (std::string_view p : r.parole)
            if (p.size() == parola.size() && contiene_ci(p, parola)) return &r;
    return nullptr;
}

std::string descrivi_campo(const Campo& c) {
    std::string t;
    switch (c.tipo) {
        case TipoCampo::intero32: t = "intero a 32 bit"; break;
        case TipoCampo::intero16: t = "intero a 16 bit"; break;
        case TipoCampo::byte: t = "intero a 8 bit senza segno"; break;
        case TipoCampo::testo: t = "testo"; break;
    }
    if (!c.unita.empty()) t += ", in " + std::string(c.unita);
    if (c.tipo == TipoCampo::testo) {
        t += ", al più " + std::to_string(c.massimo) + " caratteri";
        return t;
    }
    t += ", da " + std::to_string(c.minimo) + " a " + std::to_string(c.massimo);
    if (c.multiplo != 0) t += ", multiplo di " + std::to_string(c.multiplo);
    return t;
}

}  // namespace compattatore::lettore
