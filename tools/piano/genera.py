"""Plans the built-in scenario, checks that it compiles cleanly, and writes
the two C++ data files and piano.json.

    python3 tools/piano/genera.py          # check, then write
    python3 tools/piano/genera.py --check  # check only

Every constraint the compiler puts on the data is checked here against the
model in modello.py; the script stops with a list of faults instead of
writing anything when one fails.
"""

import os
import sys
from collections import Counter

import linea
import modello
import orario
import piano_json
import treno
from stazioni import PROGRESSIVE, RALLENTAMENTI, STAZIONI, STAZIONI_RALLENTAMENTI, VELOCITA

QUI = os.path.dirname(os.path.abspath(__file__))
RADICE = os.path.normpath(os.path.join(QUI, "..", ".."))


def costruisci():
    """Runs the line and train records through the model in file order and
    returns (grid, line rows, train rows, signal rows, code cuts)."""
    g = modello.Griglia()

    # Line phase.
    for _, p, _ in linea.curve():
        g.dentro(p, "curve")
    for p, _ in linea.pendenze():
        g.dentro(p, "gradient")
    fine_prec = None
    for a, b, t in linea.MONTAGNE:
        g.dentro(a, "montagna")
        g.montagna(a, b, t, fine_prec)
        fine_prec = b
    for r in linea.cartelli():
        if g.dentro(r[0], "board"):
            g.indicatore(r[0], f"board {r[0]}")
    for p, t in linea.INDICAZIONI:
        if g.dentro(p, "sign"):
            g.cartello(p, f"sign {p} {t}")

    # Train phase: profiles, stations, restrictions, then signals and cuts.
    for p, _ in treno.ADERENZE:
        g.dentro(p, "adhesion")
    for p, _ in VELOCITA:
        g.dentro(p, "speed")
    fine_prec = None
    for i, s in enumerate(STAZIONI, start=1):
        fine_prec = g.stazione(i, s, fine_prec)
    for r in RALLENTAMENTI:
        g.dentro(r[0], "restriction")
        g.rallentamento(*r)

    occupate = {c for c in range(len(g.tipo)) if not g.libera(c)}
    # Keep signals off the cells that the finishing pass needs around the
    # restrictions: the three approach groups before each start.
    for x, *_ in RALLENTAMENTI:
        s = modello.cella_di(x)
        for d in (5, 6, 7, 11, 12, 13, 18, 19, 20):
            occupate.add(s - d)
    segnali = treno.segnali(occupate)
    for r in segnali:
        if g.dentro(r[0], "signal"):
            g.segnale(r[0])
    occupate = {c for c in range(len(g.tipo)) if not g.libera(c)}
    tagli = treno.tagli(segnali, occupate)
    for p in tagli:
        if g.dentro(p, "code cut"):
            g.taglio(p, 270)

    g.finitura()
    return g, linea.righe(), treno.righe(segnali, tagli), segnali, tagli


def controlla(g, righe_l, righe_t, segnali, tagli):
    """Every shape rule of the two files and every compile rule; returns a
    list of faults."""
    guasti = [f"code {c} at {p}: {t}" for c, p, t in g.errori]

    def verifica(cond, testo):
        if not cond:
            guasti.append(testo)

    # Line file shape.
    verifica(len(righe_l) == 537, f"line file has {len(righe_l)} lines")
    verifica(righe_l[0] == "[generale]" and righe_l[-1] == "[fine]", "line file ends")
    curve = linea.curve()
    verifica(Counter(k for k, _, _ in curve) == Counter(linea.CONTEGGIO_CURVE), "curve counts")
    verifica(curve[0][1] == 1350 and curve[-1][1] == 332050, "curve range")
    for (_, a, la), (_, b, _) in zip(curve, curve[1:]):
        verifica(a + la <= b, f"curves overlap at {a}")
    verifica(all(50 <= l <= 1900 and l % 50 == 0 and p % 50 == 0 for _, p, l in curve), "curve lengths")
    verifica({min(l for *_, l in curve), max(l for *_, l in curve)} == {50, 1900}, "curve length range")
    verifica(curve[-1][1] + curve[-1][2] <= linea.LUNGHEZZA, "last curve past the line")
    pend = linea.pendenze()
    verifica(len(pend) == 251 and pend[0] == (0, 0) and pend[-1][0] == 317750, "gradient rows")
    verifica(min(x for _, x in pend) == -11 and max(x for _, x in pend) == 11, "gradient range")
    verifica(all(a < b and b % 50 == 0 for (a, _), (b, _) in zip(pend, pend[1:])), "gradient order")
    mont = linea.MONTAGNE
    verifica(len(mont) == 15, "montagna rows")
    verifica(all(b[0] - a[1] > 150 for a, b in zip(mont, mont[1:])), "montagna spacing")
    lm = [b - a for a, b, _ in mont]
    verifica(min(lm) == 100 and max(lm) == 4300, "montagna lengths")
    cart = linea.cartelli()
    verifica(len(cart) == 64 and cart[0][0] == 1000 and cart[-1][0] == 329800, "board rows")
    verifica(all(a[0] < b[0] for a, b in zip(cart, cart[1:])), "board order")
    verifica(sum(1 for r in cart if r[5] is None) == 18, "boards without right-hand board")
    velocita_board = [v for r in cart for v in r[1:4] + (r[5] or ())]
    verifica(min(velocita_board) == 75 and max(velocita_board) == 170, "board speed range")
    verifica(all(v % 5 == 0 for v in velocita_board), "board speeds multiple of 5")
    irregolari = [r for r in cart if not (r[1] <= r[2] <= r[3])] + \
                 [r for r in cart if r[5] and not (r[5][0] <= r[5][1] <= r[5][2])]
    verifica(len(irregolari) == 1 and irregolari[0][5] is not None, "one irregular right-hand board")
    ind = linea.INDICAZIONI
    verifica(len(ind) == 19 and ind[0][0] == 7950 and ind[-1][0] == 330750, "sign rows")
    verifica(all(a[0] < b[0] for a, b in zip(ind, ind[1:])), "sign order")
    verifica(all("," not in t for _, t in ind), "sign text with a comma")
    verifica(len(ind) + len(STAZIONI) <= 78, "stations and signs share 78 slots")
    for telling in ["curvas1,  1350,  150", "curvad6,  77700,  250", "pendenza,  0,   0",
                    "pendenza,  1250,   -4,5", "montagna,   8750,  11150,  12",
                    "montagna,   292600,  292850,  2",
                    "indicatori_vmax,  1000,  90,  95,  100,  0,  ,  ,  ,  0",
                    "indicatori_vmax,  26350,  130,  140,  145,  2,  130,  140,  145,  2",
                    "indicatori_vmax,  26700,  130,  140,  145,  1,  130,  140,  145,  1",
                    "indicatori_vmax,  27050,  130,  140,  145,  0,  130,  140,  145,  0",
                    "cartello_indicatore,  7950,   (Zona)(Cod )",
                    "cartello_indicatore,  27950,   (  Cippo  )(Km 28+000)",
                    "cartello_indicatore,  78200,   (Dev.)(U.  )",
                    "cartello_indicatore,  152300,   (Dev.I.)",
                    "cartello_indicatore,  330750,   (  Cippo  )(Km 81.300)"] + linea.GENERALE:
        verifica(telling in righe_l, f"line row missing: {telling!r}")

    # Train file shape.
    verifica(len(righe_t) == 397, f"train file has {len(righe_t)} lines")
    verifica(righe_t.count("") == 7 and righe_t[-1] == "[fine]", "train file empty lines / end")
    ad = treno.ADERENZE
    verifica(len(ad) == 31 and ad[0] == (0, 58) and ad[-1][0] == 325950, "adhesion rows")
    verifica(min(a for _, a in ad) == 58 and max(a for _, a in ad) == 99, "adhesion range")
    verifica(all(a[0] < b[0] and b[0] % 50 == 0 for a, b in zip(ad, ad[1:])), "adhesion order")
    verifica(len(VELOCITA) == 43 and VELOCITA[0] == (0, 30) and VELOCITA[-1][0] == 330750, "speed rows")
    verifica(min(v for _, v in VELOCITA) == 30 and max(v for _, v in VELOCITA) == 170, "speed range")
    verifica(all(a[0] < b[0] and b[0] % 50 == 0 and b[1] % 5 == 0
                 for a, b in zip(VELOCITA, VELOCITA[1:])), "speed order")
    st = STAZIONI
    verifica(len(st) == 45 and st[0].pos == 0 and st[-1].pos == 332750, "station rows")
    verifica(all(a.pos < b.pos for a, b in zip(st, st[1:])), "station order")
    verifica(all(200 <= s.lung <= 600 for s in st), "station lengths")
    verifica({s.tipo for s in st} == {2, 4, 8, 12, 21, 22, 27, 28} and st[0].tipo == 8, "station kinds")
    for s in st:
        verifica("," not in s.nome, f"comma in {s.nome}")
        verifica(s.gruppo_a[0] in (0, 1, 4) and s.gruppo_a[1] in (0, 1, 4) and s.gruppo_a[2] == 0,
                 f"group A of {s.nome}")
        verifica(0 <= s.gruppo_b[0] <= 5 and s.gruppo_b[1] in (0, 1) and s.gruppo_b[2] in (0, 1),
                 f"group B of {s.nome}")
        if s.tipo in (27, 28):
            verifica(s.gruppo_a == (0, 0, 0) and s.gruppo_b == (0, 0, 0), f"codes of {s.nome}")
    timed = [s for s in st if s.orario]
    verifica(len(timed) == 8 and timed[0] is st[0] and timed[-1] is st[-1], "timed stations")
    verifica(st[0].orario == "16:14:30" and st[-1].orario == "19:20:00", "first and last time")
    verifica(sorted(s.orario for s in timed) == [s.orario for s in timed], "times ascending")
    verifica([s.orario for s in timed] == orario.orari(), "times do not follow the speed profile")
    verifica(st[0].sosta == 1 and st[-1].sosta == 0, "stop values at the ends")
    verifica(all(s.sosta in (60, 99) for s in timed[1:-1]), "stop values at timed stations")
    verifica(sorted(s.sosta for s in st if not s.orario) == [0] * 36 + [145], "untimed stop values")
    x, y = STAZIONI_RALLENTAMENTI
    ix = [s.nome for s in st].index(x)
    verifica(st[ix + 1].nome == y, "restriction stations adjacent")
    verifica(st[ix].pos < RALLENTAMENTI[0][0] - 1200 and
             st[ix + 1].pos > RALLENTAMENTI[-1][0] + RALLENTAMENTI[-1][2], "restrictions between stations")
    verifica(len(f"{x} e {y}") <= 28, "restriction stations too long for the order")
    verifica(len(segnali) == 179 and segnali[0][0] == 1050 and segnali[-1][0] <= 331100, "signal rows")
    verifica(all(a[0] < b[0] and b[0] % 50 == 0 for a, b in zip(segnali, segnali[1:])), "signal order")
    verifica(segnali[-1][0] == 331100, "last signal at 331100")
    verifica(all(r[1] == 2 for r in segnali), "sx")
    for idx, ammessi in ((2, {2, 3, 4, 5}), (3, {0, 1, 3, 6}), (4, {0, 1}), (6, {0, 1, 2}),
                         (7, {0, 1, 2, 3}), (8, {0, 1}), (9, {0, 1})):
        verifica({r[idx] for r in segnali} == ammessi, f"signal field {idx} values")
    verifica(sum(r[5] for r in segnali) == 1, "rapp on one signal")
    verifica(sorted(r[10] for r in segnali if r[10]) == [175, 190, 195, 199, 255, 255], "signal times")
    verifica(len(tagli) == 78 and tagli[0] == 7050, "code cuts")
    verifica(all(7050 <= p <= 79450 or 280200 <= p <= 327450 for p in tagli), "code cut range")
    verifica(79450 in tagli and 280200 in tagli and 327450 in tagli, "code cut range ends")
    sp = {r[0] for r in segnali}
    verifica(sum(1 for p in tagli if p in sp) == 52, "code cuts at signals")
    for telling in ["segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0",
                    "segnale,    5650,   2, 2, 3,  0, 1,    0,  0,0,0, 0",
                    "segnale,   10700,   2, 3, 1,  1, 0,    2,  2,1,1, 255",
                    "segnale,   79500,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
                    "abbattimento,    7050,   270", "abbattimento,  280200,   270",
                    "aderenza,       0,    58", "aderenza,   11450,    85",
                    "velocita,   0,    30", "velocita,    1000,   100", "velocita,  101950,   150",
                    "rallentamento,  123150,    80,  800, 0,  1,  80",
                    "rallentamento,  127450,    60,  250, 0,  1,  0",
                    "stazione,       0,  8,  500,  1, 0, 0,  4,1,0,  2,1,1,    1,  16,14,30, "
                    + st[0].nome] + treno.GENERALE:
        verifica(telling in righe_t, f"train row missing: {telling!r}")

    # Compile rules beyond the reader's codes.
    verifica(g.tipo[1] == 0 and g.valore1[1] == 0, "cell 1 holds an element")
    for p, o, _ in PROGRESSIVE:
        verifica(p % 50 == 0 and o % 50 == 0, "kilometre reference")
    verifica(all(ord(ch) < 128 for r in righe_l + righe_t for ch in r), "non-ASCII text")
    return guasti


def cpp(nome_funzione, righe, descrizione):
    corpo = "\n".join("    " + _letterale(r) + "," for r in righe)
    return f"""// {descrizione}
// Generated by tools/piano/genera.py from the scenario plan; edit the plan
// there and regenerate rather than editing these lines by hand.
#include <array>
#include <span>
#include <string_view>

#include "sources/descrizioni.h"

namespace compattatore {{

namespace {{

constexpr std::array<std::string_view, {len(righe)}> righe{{
{corpo}
}};

}}  // namespace

std::span<const std::string_view> {nome_funzione}() {{ return righe; }}

}}  // namespace compattatore
"""


def _letterale(testo):
    assert '"' not in testo and "\\" not in testo
    return f'"{testo}"'


def main():
    g, righe_l, righe_t, segnali, tagli = costruisci()
    guasti = controlla(g, righe_l, righe_t, segnali, tagli)
    print(f"finishing pass placed {len(g.aggiunti)} code cells: {g.aggiunti}")
    if guasti:
        print("\n".join(guasti))
        sys.exit(1)
    print("scenario compiles cleanly")
    if "--check" in sys.argv:
        return
    with open(os.path.join(RADICE, "src/sources/linea_builtin.cpp"), "w") as f:
        f.write(cpp("righe_linea", righe_l,
                    "The built-in line description, one entry per line of the file."))
    with open(os.path.join(RADICE, "src/sources/treno_builtin.cpp"), "w") as f:
        f.write(cpp("righe_treno", righe_t,
                    "The built-in train description, one entry per line of the file."))
    piano_json.scrivi(os.path.join(QUI, "piano.json"))


if __name__ == "__main__":
    main()
