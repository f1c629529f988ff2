#include "reader/riferimento_formato.h"

#include <vector>

#include "reader/formato_descrizione.h"
#include "tables/costanti_formato.h"

namespace compattatore::lettore {

namespace {

std::string testo(std::string_view t) { return std::string(t); }

std::string nome_tipo(TipoCampo t) {
    switch (t) {
        case TipoCampo::intero32: return "intero a 32 bit";
        case TipoCampo::intero16: return "intero a 16 bit";
        case TipoCampo::byte: return "intero a 8 bit";
        case TipoCampo::testo: return "testo";
    }
    return {};
}

std::string valori(const Campo& c) {
    if (c.tipo == TipoCampo::testo)
        return c.minimo > 0 ? "da " + std::to_string(c.minimo) + " a " + std::to_string(c.massimo) + " caratteri"
                            : "al più " + std::to_string(c.massimo) + " caratteri";
    std::string v = "da " + std::to_string(c.minimo) + " a " + std::to_string(c.massimo);
    if (c.multiplo != 0) v += ", multiplo di " + std::to_string(c.multiplo);
    return v;
}

std::string senza_bordi(std::string_view t) {
    const std::size_t a = t.find_first_not_of(" \t");
    if (a == std::string_view::npos) return {};
    const std::size_t b = t.find_last_not_of(" \t");
    return std::string(t.substr(a, b - a + 1));
}

// The example's values, one per field: split at the commas, the last text
// field taking the rest of the line, the clock's numbers at the blanks.
std::vector<std::string> valori_esempio(const Record& r) {
    std::vector<std::string> v;
    std::string_view resto = r.esempio.substr(r.esempio.find(',') + 1);
    for (std::size_t i = 0; i < r.campi.size(); ++i) {
        const bool ultimo = i + 1 == r.campi.size();
        if (r.id == IdRecord::orologio) {
            const std::string numeri = senza_bordi(resto);
            std::size_t inizio = 0;
            for (std::size_t k = 0; k < r.campi.size(); ++k) {
                const std::size_t a = numeri.find_first_not_of(' ', inizio);
                const std::size_t b = numeri.find(' ', a);
                v.push_back(a == std::string::npos ? std::string() : numeri.substr(a, b - a));
                inizio = b;
            }
            return v;
        }
        if (ultimo && r.campi[i].tipo == TipoCampo::testo) {
            v.push_back(senza_bordi(resto));
            break;
        }
        const std::size_t virgola = resto.find(',');
        v.push_back(senza_bordi(resto.substr(0, virgola)));
        resto = virgola == std::string_view::npos ? std::string_view{} : resto.substr(virgola + 1);
    }
    return v;
}

std::string come_si_riconosce(const Record& r) {
    std::string t = "un primo campo che contiene \"" + testo(r.prima) + "\"";
    if (!r.seconda.empty()) t += " e \"" + testo(r.seconda) + "\"";
    t += r.esatte ? ", scritte in minuscolo come qui" : " (maiuscole e minuscole indifferenti)";
    t += ", in qualunque punto del campo";
    if (r.contesto == Contesto::generale) t += "; solo nella sezione `[generale]`";
    return t;
}

std::string scheda_record(const Record& r) {
    std::string t = "#### `" + testo(r.parole.front()) + "`\n\n";
    if (r.parole.size() > 1) {
        t += "Parole chiave: ";
        for (std::size_t i = 0; i < r.parole.size(); ++i) t += (i ? ", `" : "`") + testo(r.parole[i]) + "`";
        t += ".\n\n";
    }
    t += testo(r.significato) + "\n\n";
    t += "Riconosciuto da " + come_si_riconosce(r) + ".";
    if (r.solo_con_piano) t += " Letto solo quando si compila il tracciato (non con `--no-plan`).";
    if (r.solo_documenti) t += " Serve ai documenti del macchinista: non cambia alcun byte dei file compilati.";
    t += "\n\nEsempio:\n\n    " + testo(r.esempio) + "\n\n";
    const std::vector<std::string> v = valori_esempio(r);
    for (std::size_t i = 0; i < r.campi.size() && i < v.size(); ++i) {
        const Campo& c = r.campi[i];
        t += "- " + testo(c.nome) + " = " + (v[i].empty() ? "(vuoto)" : v[i]);
        if (!c.unita.empty() && !v[i].empty()) t += " " + testo(c.unita);
        t += "\n";
    }
    t += "\n| n. | campo | tipo | unità | valori | se vuoto | effetto |\n|---|---|---|---|---|---|---|\n";
    for (std::size_t i = 0; i < r.campi.size(); ++i) {
        const Campo& c = r.campi[i];
        t += "| " + std::to_string(i + 1) + " | " + testo(c.nome) + " | " + nome_tipo(c.tipo) + " | " +
             (c.unita.empty() ? "-" : testo(c.unita)) + " | " + valori(c) + " | " + testo(c.vuoto) + " | " +
             testo(c.significato) + " |\n";
    }
    return t + "\n";
}

const char* const introduzione =
    "# Il formato delle descrizioni\n"
    "\n"
    "Questo riferimento è scritto dalla tabella del formato che il lettore stesso segue: "
    "`compattatore reference` lo stampa intero, `compattatore reference PAROLA` ne stampa un record. "
    "Per cominciare, vedi la [guida per gli autori](autori.md).\n"
    "\n"
    "## Le regole comuni\n"
    "\n"
    "Uno scenario è descritto da due file di testo: la linea, `LINEA_linea.txt`, e il treno, "
    "`LINEA_TRENO-.txt`. Ognuno è fatto di righe, chiuse da CR LF (anche LF basta).\n"
    "\n"
    "- **Record.** Una riga è un record: la parola chiave, poi i campi, ciascuno preceduto da una virgola. "
    "Gli spazi dopo una virgola sono liberi. Un record finisce con la sua riga e non continua mai nella "
    "seguente: un record con meno campi di quelli della sua parola chiave è l'errore 25 alla sua riga, che "
    "nomina i campi mancanti, e la riga dopo è il record seguente.\n"
    "- **Numeri.** Interi decimali, con il segno meno se negativi; niente decimali: in `-4,5` la virgola "
    "separa due campi, si legge -4 e il `5` è un campo in più, ignorato con l'avviso `campo-in-piu`. Un "
    "campo numerico finisce anche a uno spazio: i tre numeri di `orologio` si separano "
    "con spazi soli. Un campo vuoto vale 0. Un numero che non sta nel suo tipo è l'errore 25.\n"
    "- **Testi.** Il nome di una stazione e il testo di un cartello vanno fino alla fine della riga e non "
    "contengono virgole. Il simulatore li mostra nella codifica Windows-1252 (Europa occidentale): un file "
    "salvato in UTF-8 (con o senza BOM) o in UTF-16 con BOM è convertito, un file che non è UTF-8 è letto "
    "come Windows-1252, e un carattere che Windows-1252 non ha è un errore alla sua riga e colonna.\n"
    "- **Parole chiave.** Un record è riconosciuto dalle parole che il suo primo campo contiene, in "
    "qualunque punto: per esempio ogni campo che contiene \"velocit\" è un record `velocita`. Le prove non "
    "si escludono: un campo con due parole chiave legge due record, nell'ordine di questo riferimento.\n"
    "- **Commenti.** Una riga il cui primo carattere non bianco è `#` è un commento: il lettore la salta, "
    "senza avvisi, e nessun byte compilato cambia. Anche un primo campo che contiene un trattino `-` è "
    "saltato (al più due di fila, dieci nella sezione `[generale]` della linea): così si possono tracciare "
    "righe di separazione.\n"
    "- **Sezioni.** Un'intestazione tra parentesi quadre, sola sulla sua riga, apre una sezione. Conta solo "
    "`[generale]`: quello che la precede non è letto. Nel file della linea la sezione generale finisce alla "
    "prima intestazione che segue; i suoi record valgono solo lì, gli altri ovunque dopo. Nel file del "
    "treno ogni record vale ovunque dopo `[generale]`. Le altre intestazioni sono per chi legge, e `[fine]` "
    "chiude il file.\n"
    "- **Posizioni.** Ogni posizione è in metri dall'origine del percorso. La griglia ha una cella ogni "
    "50 m e arriva 7000 m oltre la fine della linea; segnali, cartelli e rallentamenti a una posizione p "
    "vanno nella cella p / 50 + 1, i profili e i tagli di codice nella cella p / 50 (arrotondando la metà "
    "al pari). Un record oltre la griglia (posizione + 100 oltre l'ultima cella) è l'errore 15.\n"
    "\n"
    "## Le progressive chilometriche\n"
    "\n"
    "Le posizioni del percorso non sono i chilometri della linea, quelli scritti sui cippi e sulla scheda "
    "orario. Le tre `progressiva chilometrica` dicono come passare dagli uni agli altri: da `inizio` in "
    "avanti, con verso 0 il chilometro è posizione + scostamento (i chilometri crescono lungo il percorso), "
    "con verso 1 è scostamento - posizione (calano). Prima della prima progressiva il chilometro è la "
    "posizione. L'ordinale (uno, due, tre) sceglie solo uno dei tre posti: il lettore le ordina per "
    "inizio. Inizio e scostamento sono multipli di 50 (errore 2 altrimenti). Per esempio, con "
    "`progressiva chilometrica uno, 31100, 3050, 0` la posizione 40000 è al km 43+050; con "
    "`progressiva chilometrica tre, 315950, 412050, 1` la posizione 320000 è al km 92+050.\n"
    "\n";

const char* const note =
    "## Il file delle note\n"
    "\n"
    "Le note dello scenario, facoltative, stanno in `LINEA_TRENO_note-.txt`, nella codifica che l'editor preferisce "
    "(UTF-8, UTF-16 con BOM o Windows-1252, come le descrizioni), un paragrafo per "
    "riga, una riga vuota per una riga bianca. `compile` le scrive per il simulatore in "
    "`LINEA_TRENO_note.txt`, nella code page Windows-1252 (le lettere accentate, l'euro, le virgolette "
    "curve e i trattini sono un byte ciascuno), ogni paragrafo rientrato di tre spazi, righe di al più 766 "
    "caratteri, CR LF. Un carattere che Windows-1252 non ha, un carattere di "
    "controllo o più di 1000 righe sono un errore alla sua riga e colonna, e `compile` non scrive nulla.\n";

std::string_view nome_file(FileDescrizione f) {
    return f == FileDescrizione::linea ? "Il file della linea: `LINEA_linea.txt`"
                                       : "Il file del treno: `LINEA_TRENO-.txt`";
}

bool del_file(const Record& r, FileDescrizione f) {
    return (r.contesto == Contesto::treno) == (f == FileDescrizione::treno);
}

}  // namespace

std::string riferimento_formato() {
    const FormatoDescrizione& formato = formato_descrizione();
    std::string t = introduzione;
    for (const FileDescrizione f : {FileDescrizione::linea, FileDescrizione::treno}) {
        t += "## " + testo(nome_file(f)) + "\n\nLe sezioni, nell'ordine in cui i file predefiniti le scrivono:\n\n";
        for (const Sezione& s : formato.sezioni)
            if (s.file == f) t += "- `" + testo(s.intestazione) + "`: " + testo(s.significato) + "\n";
        t += "\n";
        for (const Sezione& s : formato.sezioni) {
            if (s.file != f) continue;
            bool intestata = false;
            for (const Record& r : formato.records) {
                if (!del_file(r, f) || r.sezione != s.intestazione) continue;
                if (!intestata) t += "### Sezione `" + testo(s.intestazione) + "`\n\n";
                intestata = true;
                t += scheda_record(r);
            }
        }
    }
    t += note;
    return t;
}

std::optional<std::string> riferimento_record(std::string_view parola) {
    const Record* r = record_della_parola(parola);
    if (!r) return std::nullopt;
    return scheda_record(*r);
}

}  // namespace compattatore::lettore
