#include "app/riga_di_comando.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

#include "app/comandi.h"
#include "app/fallimenti.h"
#include "app/nome_scenario.h"
#include "app/scenari_cartella.h"
#include "app/osservazione.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "reader/parole_chiave.h"

#ifndef COMPATTATORE_VERSIONE
#define COMPATTATORE_VERSIONE "sconosciuta"
#endif

namespace compattatore {

namespace {

const char* const stati_di_uscita =
    "Stato di uscita:\n"
    "  0   riuscito\n"
    "  1   lo scenario ha errori (o avvisi, con --avvisi-come-errori), il rapporto \" Errore n.\"\n"
    "      ha chiuso il lavoro, un file compilato è malformato, un file di descrizione\n"
    "      esiste già (sources o decompile senza --force; senza argomenti, uno diverso da\n"
    "      quello predefinito), o la descrizione scritta da decompile non riproduce i file\n"
    "      compilati\n"
    "  2   un file o una cartella non si può leggere o scrivere, o un file di descrizione\n"
    "      non è un file o è troppo grande\n"
    "  3   memoria insufficiente\n"
    "  64  riga di comando errata\n";

// The help in Italian: CLI11's own labels translated, no English additions.
class FormatoAiuto : public CLI::Formatter {
public:
    FormatoAiuto() {
        label("Usage", "Uso");
        label("OPTIONS", "OPZIONI");
        label("SUBCOMMAND", "COMANDO");
        label("SUBCOMMANDS", "COMANDI");
        label("Positionals", "Argomenti");
        label("REQUIRED", "(obbligatorio)");
        label("TEXT", "TESTO");
        label("INT", "NUMERO");
        label("Needs", "Richiede");
        label("Excludes", "Esclude");
        column_width(34);
    }
    std::string make_description(const CLI::App* app) const override {
        const std::string d = app->get_description();
        return d.empty() ? std::string() : d + "\n";
    }
};

// A validator with an Italian message.
CLI::Validator uno_di(std::vector<std::string> ammessi) {
    return CLI::Validator(
        [ammessi](std::string& v) -> std::string {
            for (const std::string& a : ammessi)
                if (v == a) return {};
            std::string elenco;
            for (const std::string& a : ammessi) elenco += (elenco.empty() ? "" : ", ") + a;
            return "\"" + v + "\" non è ammesso: scegli fra " + elenco;
        },
        "");
}

// A line or train name that every system can store in a file name.
CLI::Validator nome_ammesso() {
    return CLI::Validator([](std::string& v) { return difetto_del_nome(v).value_or(std::string()); }, "");
}

CLI::Validator positivo() {
    return CLI::Validator(
        [](std::string& v) -> std::string {
            try {
                if (std::stol(v) > 0) return {};
            } catch (const std::exception&) {
            }
            return "\"" + v + "\" non è un numero intero positivo";
        },
        "");
}

// The nearest of `nomi` to `parola`, when it is close enough to be a slip.
std::optional<std::string> vicino(std::string_view parola, const std::vector<std::string>& nomi) {
    // A word of two or three letters is close to too much to be a slip.
    if (parola.size() < 4) return std::nullopt;
    std::optional<std::string> migliore;
    std::size_t minima = 0;
    for (const std::string& n : nomi) {
        const std::size_t d = lettore::distanza(parola, n);
        if (!migliore || d < minima) migliore = n, minima = d;
    }
    if (!migliore || minima > std::max<std::size_t>(2, migliore->size() / 3)) return std::nullopt;
    return migliore;
}

std::vector<std::string> nomi_delle_opzioni(const CLI::App& app) {
    std::vector<std::string> nomi;
    for (const CLI::Option* o : app.get_options()) {
        for (const std::string& n : o->get_lnames()) nomi.push_back("--" + n);
        for (const std::string& n : o->get_snames()) nomi.push_back("-" + n);
    }
    return nomi;
}

// What follows the first ": " of a CLI11 message.
std::string dopo_i_due_punti(const std::string& messaggio) {
    const std::size_t i = messaggio.find(": ");
    return i == std::string::npos ? messaggio : messaggio.substr(i + 2);
}

// The message of a failure of the parser, in Italian.
std::string spiega(const CLI::ParseError& e, const CLI::App& app) {
    const std::string m = e.what();
    const std::vector<CLI::App*> scelti = app.get_subcommands();
    const CLI::App& dove = scelti.empty() ? app : *scelti.front();
    if (dynamic_cast<const CLI::ExtrasError*>(&e)) {
        std::vector<std::string> in_piu = dove.remaining();
        if (in_piu.empty()) in_piu = app.remaining(true);
        const std::string primo = in_piu.empty() ? dopo_i_due_punti(m) : in_piu.front();
        if (!primo.empty() && primo.front() == '-') {
            std::string r = "opzione sconosciuta \"" + primo + "\"";
            if (const auto v = vicino(primo, nomi_delle_opzioni(dove))) r += ": forse intendevi `" + *v + "`?";
            return r;
        }
        if (scelti.empty()) {
            std::vector<std::string> comandi;
            for (const CLI::App* s : app.get_subcommands({})) comandi.push_back(s->get_name());
            std::string r = "comando sconosciuto \"" + primo + "\"";
            if (const auto v = vicino(primo, comandi)) r += ": forse intendevi `" + *v + "`?";
            return r;
        }
        return "argomento in più: \"" + primo + "\"";
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e)) return "manca il valore dell'opzione " + m.substr(0, m.find(':'));
    if (dynamic_cast<const CLI::ConversionError*>(&e)) {
        const std::string resto = dopo_i_due_punti(m);
        const std::size_t uguale = resto.find(" = ");
        if (uguale != std::string::npos)
            return resto.substr(0, uguale) + ": \"" + resto.substr(uguale + 3) + "\" non è un numero intero";
    }
    if (dynamic_cast<const CLI::RequiredError*>(&e)) {
        const std::size_t i = m.find(" is required");
        if (i != std::string::npos) return "manca l'argomento " + m.substr(0, i);
    }
    if (dynamic_cast<const CLI::ValidationError*>(&e)) return m;
    return "riga di comando non valida (" + m + ")";
}

// The names a command line gives to --linea and --treno; none where it gives none.
struct NomiDati {
    std::string linea, treno;
    CLI::Option* opzione_linea = nullptr;
    CLI::Option* opzione_treno = nullptr;

    void aggiungi(CLI::App* c, const char* linea_aiuto, const char* treno_aiuto) {
        opzione_linea = c->add_option("--linea", linea, linea_aiuto)->type_name("NOME");
        opzione_treno = c->add_option("--treno", treno, treno_aiuto)->type_name("NOME");
    }
    std::optional<std::string> di_linea() const { return opzione_linea->count() ? std::optional(linea) : std::nullopt; }
    std::optional<std::string> di_treno() const { return opzione_treno->count() ? std::optional(treno) : std::nullopt; }
    // The scenario of `cartella`: the names given, completed from the one the folder holds.
    NomiScenario scegli(const std::filesystem::path& cartella, FileCercati cercati) const {
        return scegli_scenario(cartella, cercati, di_linea(), di_treno());
    }
};

// Where an author reads what the records and their fields mean.
constexpr const char* guida_formato =
    "Il formato dei file di descrizione, record per record e campo per campo: compattatore reference [PAROLA].";

constexpr const char* se_omesso = " (omesso: quello dell'unico scenario in DIR)";

void opzioni_sorgenti(CLI::App* c, NomiDati& nomi, OpzioniSorgenti& o, std::string& cartella, bool& senza_piano) {
    c->add_option("DIR", cartella, "Cartella dei file di descrizione")->required()->type_name("");
    nomi.aggiungi(c, "Nome della linea (file NOME_linea.txt; omesso: quello dell'unico scenario in DIR)",
                  "Nome del treno (file LINEA_NOME-.txt; omesso: quello dell'unico scenario in DIR)");
    c->add_flag("--no-plan", senza_piano, "Senza il tracciato: non legge le curve e non scrive il file _linea.dat");
    c->add_flag("--json", o.json, "Scrive l'esito come un oggetto JSON su una riga dello standard output");
    c->add_flag("--avvisi-come-errori", o.avvisi_come_errori, "Un avviso conta come un errore");
    c->footer(std::string(guida_formato) + "\n\n" + stati_di_uscita);
}

}  // namespace

const char* versione() { return COMPATTATORE_VERSIONE; }

StatoUscita esegui_riga_di_comando(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err) {
    CLI::App app{"Compilatore di scenari per il simulatore di guida: senza argomenti scrive e compila, nella\n"
                 "cartella del programma, la linea Brunovale e il treno Quarzo; i comandi servono agli autori.",
                 "compattatore"};
    app.formatter(std::make_shared<FormatoAiuto>());
    app.option_defaults()->group("Opzioni");
    app.set_help_flag("-h,--help", "Mostra questo aiuto ed esce");
    app.set_version_flag("--version", std::string("compattatore ") + versione(), "Mostra la versione ed esce");
    app.require_subcommand(0, 1);
    app.footer(std::string("Ogni comando ha il suo aiuto: compattatore COMANDO --help.\n") + guida_formato + "\n\n" +
               stati_di_uscita);

    std::string cartella_sorgenti, linea_sorgenti = linea_predefinita, treno_sorgenti = treno_predefinito;
    bool forza = false;
    auto* sorgenti = app.add_subcommand("sources", "Scrive i file di descrizione predefiniti in DIR, che crea");
    sorgenti->group("Comandi");
    sorgenti->add_option("DIR", cartella_sorgenti, "Cartella di destinazione")->required()->type_name("");
    sorgenti->add_option("--linea", linea_sorgenti, "Nome della linea nei nomi dei file")->capture_default_str()->type_name("NOME");
    sorgenti->add_option("--treno", treno_sorgenti, "Nome del treno nei nomi dei file")->capture_default_str()->type_name("NOME");
    sorgenti->add_flag("--force", forza, "Sostituisce i file di descrizione che esistono già");
    bool nuovo = false;
    sorgenti->add_flag("--nuovo", nuovo,
                       "Scrive una linea di 10 km e il suo treno da far crescere, ogni record spiegato da un commento");
    sorgenti->footer(stati_di_uscita);

    OpzioniSorgenti da_compilare, da_controllare;
    NomiDati nomi_compila, nomi_controllo, nomi_plot, nomi_decompile;
    std::string cartella_compila, cartella_controllo;
    bool senza_piano_compila = false, senza_piano_controllo = false;
    auto* compila = app.add_subcommand(
        "compile", "Compila i file di descrizione in DIR, con scheda e rallentamenti; nulla cambia se c'è un errore");
    compila->group("Comandi");
    opzioni_sorgenti(compila, nomi_compila, da_compilare, cartella_compila, senza_piano_compila);
    auto* controlla = app.add_subcommand(
        "check", "Controlla i file di descrizione in DIR: ogni errore e ogni avviso, senza scrivere nulla");
    controlla->group("Comandi");
    opzioni_sorgenti(controlla, nomi_controllo, da_controllare, cartella_controllo, senza_piano_controllo);
    bool osserva = false;
    controlla->add_flag("--watch", osserva,
                        "Ripete il controllo a ogni salvataggio dei file di descrizione, pulendo lo schermo");

    std::string file_dump;
    std::string formato_dump = "text";
    std::int32_t passo = passo_piano_predefinito;
    auto* dump = app.add_subcommand("dump", "Elenca il contenuto di un file compilato (.dat, .sim, _linea.dat)");
    dump->group("Comandi");
    dump->add_option("FILE", file_dump, "File compilato")->required()->type_name("");
    dump->add_option("--format", formato_dump, "Formato dell'elenco: text o json")
        ->check(uno_di({"text", "json"}))
        ->capture_default_str()
        ->type_name("FORMATO");
    dump->add_option("--passo", passo, "Metri tra i punti del tracciato elencati")
        ->check(positivo())
        ->capture_default_str()
        ->type_name("METRI");
    dump->footer(stati_di_uscita);

    std::string cartella_plot;
    std::string file_svg;
    auto* plot = app.add_subcommand(
        "plot", "Disegna in SVG pianta e profilo dello scenario in DIR (delle descrizioni, se ci sono)");
    plot->group("Comandi");
    plot->add_option("DIR", cartella_plot, "Cartella dello scenario")->required()->type_name("");
    nomi_plot.aggiungi(plot, (std::string("Nome della linea") + se_omesso).c_str(),
                       (std::string("Nome del treno") + se_omesso).c_str());
    plot->add_option("-o,--output", file_svg, "File SVG da scrivere (- per lo standard output)")->required()->type_name("FILE");
    plot->footer(stati_di_uscita);

    std::string cartella_decompile, uscita_decompile;
    bool forza_decompile = false;
    auto* decompile = app.add_subcommand(
        "decompile", "Ricava dai file compilati in DIR i file di descrizione che li riproducono");
    decompile->group("Comandi");
    decompile->add_option("DIR", cartella_decompile, "Cartella dei file compilati")->required()->type_name("");
    nomi_decompile.aggiungi(decompile, (std::string("Nome della linea") + se_omesso).c_str(),
                            (std::string("Nome del treno") + se_omesso).c_str());
    decompile->add_option("-o,--output", uscita_decompile, "Cartella dei file di descrizione, che crea (DIR se omessa)")
        ->type_name("CARTELLA");
    decompile->add_flag("--force", forza_decompile, "Sostituisce i file di descrizione che esistono già");
    decompile->footer(stati_di_uscita);

    std::string parola_reference;
    auto* reference = app.add_subcommand(
        "reference", "Stampa il riferimento del formato delle descrizioni, intero o di un record (docs/formato.md)");
    reference->group("Comandi");
    reference->add_option("PAROLA", parola_reference, "Parola chiave del record: " + parole_del_riferimento())
        ->type_name("");
    reference->footer(stati_di_uscita);

    auto* lsp = app.add_subcommand(
        "lsp", "Server del protocollo LSP su standard input e output, per gli editor degli autori");
    lsp->group("Comandi");
    lsp->footer("Lo avvia l'editor: ogni scenario aperto è controllato mentre si scrive.");

    // The subcommands' own help flags, in the same group as their options;
    // every line and train name checked alike.
    for (CLI::App* c : {sorgenti, compila, controlla, dump, plot, decompile, reference, lsp}) {
        c->get_help_ptr()->group("Opzioni");
        for (const char* nome : {"--linea", "--treno"})
            if (CLI::Option* o = c->get_option_no_throw(nome)) o->check(nome_ammesso());
    }

    std::vector<std::string> invertiti(argomenti.rbegin(), argomenti.rend());
    if (!invertiti.empty()) invertiti.pop_back();  // the program's own name
    // "/?" asks for help, as Windows programs are asked.
    for (std::string& a : invertiti)
        if (a == "/?") a = "--help";
    try {
        app.parse(invertiti);
    } catch (const CLI::CallForHelp&) {
        return riporta_fallimenti([&] { return out << app.help(), stato::riuscito; }, out, err, false);
    } catch (const CLI::CallForVersion& e) {
        const std::string testo = e.what();
        return riporta_fallimenti([&] { return out << testo << '\n', stato::riuscito; }, out, err, false);
    } catch (const CLI::ParseError& e) {
        const std::string spiegazione = spiega(e, app);
        err << "compattatore: " << spiegazione << "\n(compattatore --help per l'aiuto)\n";
        // A command line that asks for JSON gets its outcome as JSON, this one too.
        const bool json = std::find(argomenti.begin(), argomenti.end(), "--json") != argomenti.end();
        return riporta_fallimenti(
            [&] {
                if (json) scrivi_fallimento_json(out, stato::riga_di_comando, spiegazione, std::nullopt);
                return stato::riga_di_comando;
            },
            out, err, false);
    }

    // The names as the folder's files spell them, said when they differ
    // from those given.
    const auto come_nella_cartella = [&err](const std::string& cartella, std::string& linea, std::string& treno) {
        const std::string data_linea = linea, dato_treno = treno;
        if (!nomi_come_nella_cartella(path_from_text(cartella), linea, treno)) return;
        err << "compattatore: avviso: i file della cartella scrivono \"" << linea << "\" e \"" << treno
            << "\" (non \"" << data_linea << "\" e \"" << dato_treno << "\"): uso questi nomi\n";
    };
    if (*sorgenti) come_nella_cartella(cartella_sorgenti, linea_sorgenti, treno_sorgenti);
    // Both names given: the folder's scenario is not looked for, only their case.
    const auto dati = [&](const std::string& cartella, NomiDati& n) {
        if (n.di_linea() && n.di_treno()) come_nella_cartella(cartella, n.linea, n.treno);
    };
    if (*compila) dati(cartella_compila, nomi_compila);
    if (*controlla) dati(cartella_controllo, nomi_controllo);
    if (*plot) dati(cartella_plot, nomi_plot);
    if (*decompile) dati(cartella_decompile, nomi_decompile);

    const bool json = (*compila && da_compilare.json) || (*controlla && da_controllare.json && !osserva);
    return riporta_fallimenti(
        [&]() -> StatoUscita {
            if (*sorgenti)
                return scrivi_sorgenti(path_from_text(cartella_sorgenti), err, linea_sorgenti, treno_sorgenti, forza,
                                       nuovo, &out);
            if (*compila) {
                da_compilare.cartella = path_from_text(cartella_compila);
                const NomiScenario n = nomi_compila.scegli(da_compilare.cartella, FileCercati::descrizioni);
                da_compilare.linea = n.linea;
                da_compilare.treno = n.treno;
                da_compilare.piano = !senza_piano_compila;
                return compila_sorgenti(da_compilare, out, err);
            }
            if (*controlla) {
                da_controllare.cartella = path_from_text(cartella_controllo);
                const NomiScenario n = nomi_controllo.scegli(da_controllare.cartella, FileCercati::descrizioni);
                da_controllare.linea = n.linea;
                da_controllare.treno = n.treno;
                da_controllare.piano = !senza_piano_controllo;
                if (osserva) {
                    if (da_controllare.json) {
                        err << "compattatore: --watch e --json non vanno insieme\n(compattatore --help per l'aiuto)\n";
                        return stato::riga_di_comando;
                    }
                    return osserva_sorgenti(da_controllare, out, err, [](int) { return true; });
                }
                return controlla_sorgenti(da_controllare, out, err);
            }
            if (*lsp) return comando_lsp();
            if (*dump)
                return comando_dump(path_from_text(file_dump),
                                    formato_dump == "json" ? FormatoDump::json : FormatoDump::testo, passo, out, err);
            if (*plot) {
                const std::filesystem::path cartella = path_from_text(cartella_plot), svg = path_from_text(file_svg);
                // The descriptions when the folder holds some, otherwise the compiled files.
                const bool descritti = !scenari_della_cartella(cartella, FileCercati::descrizioni).empty();
                const NomiScenario n =
                    nomi_plot.scegli(cartella, descritti ? FileCercati::descrizioni : FileCercati::compilati);
                return disegna_cartella(cartella, n.linea, n.treno, svg, err, &out);
            }
            if (*reference) return comando_reference(parola_reference, out, err);
            if (*decompile) {
                const std::filesystem::path cartella = path_from_text(cartella_decompile);
                const std::filesystem::path uscita =
                    uscita_decompile.empty() ? cartella : path_from_text(uscita_decompile);
                const NomiScenario n = nomi_decompile.scegli(cartella, FileCercati::compilati);
                return comando_decompile(cartella, n.linea, n.treno, uscita, forza_decompile, out, err);
            }
            return esegui_lavoro(executable_folder(), out, err);
        },
        out, err, json);
}

}  // namespace compattatore
