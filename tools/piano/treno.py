"""The built-in train description: general rows, adhesion, speed limits,
stations, restrictions, signals and code cuts.

Signals are laid out from the stations (an entry signal before each station
with a stop, a departure signal after it) with block signals spread over the
gaps; each one is then moved by whole 50 m steps off any cell that another
element already holds.  Code cuts stand at signals inside the two coded
stretches, plus cuts between signals.
"""

import random

import modello
from stazioni import STAZIONI, VELOCITA

GENERALE = [
    "numero vetture,    12",
    "percentuale massa frenata,    130",
    "sabbia,    180",
    "orologio,    16              20            30 ",
]

# ------------------------------------------------------------- adhesion

ADERENZE = [
    (0, 58), (1950, 62), (4800, 70), (8700, 74), (11450, 85), (16950, 80),
    (27100, 90), (38650, 94), (52300, 88), (67900, 92), (80450, 99),
    (93800, 95), (108200, 90), (121700, 86), (133400, 91), (149850, 96),
    (162300, 93), (178950, 89), (190600, 94), (204100, 97), (219750, 92),
    (233300, 87), (247800, 91), (259450, 95), (271050, 90), (284900, 84),
    (292500, 78), (304350, 86), (311700, 92), (319200, 88), (325950, 82),
]
# Where the empty lines of the adhesion section fall: after these rows.
ADERENZE_A_CAPO = (4, 9, 14, 19, 23, 27)

# --------------------------------------------------------------- signals

# Segnale: (posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo)
FISSI = {
    1050: (1050, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0),
    5650: (5650, 2, 2, 3, 0, 1, 0, 0, 0, 0, 0),
    10700: (10700, 2, 3, 1, 1, 0, 2, 2, 1, 1, 255),
    79500: (79500, 2, 4, 0, 0, 0, 0, 0, 0, 0, 0),
}
# Signals whose position is fixed: two where a code cut must stand, the
# entry signal of the terminus, and two around the first restriction (one
# within the warning board's look-back, one just past the restriction's end)
# so that the finishing pass gives them their code cells.
ANCORE = (7050, 121150, 124250, 280200, 331100)

PROTEZIONE = [(4, 1, 1, 2, 2, 1, 1), (3, 1, 1, 2, 2, 1, 1), (4, 1, 0, 1, 3, 0, 1),
              (5, 1, 1, 2, 2, 1, 1), (3, 6, 0, 2, 1, 1, 0), (4, 1, 1, 1, 3, 1, 1)]
PARTENZA = [(3, 1, 0, 0, 0, 0, 0), (2, 1, 1, 1, 1, 0, 0), (3, 1, 1, 2, 2, 1, 1),
            (4, 1, 0, 0, 0, 0, 0), (2, 1, 0, 1, 0, 0, 1)]
BLOCCO = [(4, 0, 0, 0, 0, 0, 0), (2, 0, 0, 0, 0, 0, 0), (4, 0, 0, 0, 0, 0, 0),
          (3, 0, 0, 0, 0, 0, 0), (2, 6, 0, 0, 0, 0, 0), (5, 0, 0, 0, 0, 0, 0),
          (4, 0, 0, 0, 0, 0, 0), (3, 3, 0, 0, 0, 0, 0)]

# Time values of the six timed signals (10700 is one of them): the signals
# nearest the mouths of the longest tunnels.
TEMPI = {17850: 175, 22600: 190, 26050: 195, 294300: 199, 301200: 255}

NUMERO_SEGNALI = 179
# Coded stretches: code cuts stand only here.
TRATTI_CODICE = ((7050, 79450), (280200, 327450))


def _in_codice(p):
    return any(a <= p <= b for a, b in TRATTI_CODICE)


def _bozza_segnali():
    """Candidate positions with their role, before conflicts are resolved."""
    cand = []  # (pos, ruolo)
    for i, s in enumerate(STAZIONI):
        inizio, fine = modello.estremi_stazione(s.pos, s.tipo, s.lung, s.flag[2])
        if i == 0:
            cand.append((1050, "partenza"))
        elif s.tipo >= 25:
            cand.append((s.pos - 450, "blocco"))
        else:
            cand.append((inizio - 650, "protezione"))
            if i < len(STAZIONI) - 1:
                cand.append((fine + 150, "partenza"))
    cand.sort()
    fissi = len(cand)
    # Block signals fill the gaps; coded stretches are more densely signalled.
    gaps = []
    for (a, ra), (b, rb) in zip(cand, cand[1:]):
        peso = (b - a) * (1.5 if _in_codice((a + b) // 2) else 1.0)
        if ra == "protezione" and rb == "partenza":
            peso = 0  # inside a station: its own signals are enough
        gaps.append((a, b, peso))
    da_mettere = NUMERO_SEGNALI - fissi
    totale = sum(g[2] for g in gaps)
    quote = [g[2] / totale * da_mettere for g in gaps]
    interi = [int(q) for q in quote]
    resto = sorted(range(len(gaps)), key=lambda i: interi[i] - quote[i])
    for i in resto[: da_mettere - sum(interi)]:
        interi[i] += 1
    for (a, b, _), n in zip(gaps, interi):
        for k in range(1, n + 1):
            cand.append((a + (b - a) * k // (n + 1) // 50 * 50, "blocco"))
    cand.sort()
    assert len(cand) == NUMERO_SEGNALI, len(cand)
    # The fixed signals replace the nearest candidate.
    for p in list(FISSI) + list(ANCORE):
        j = min(range(len(cand)), key=lambda i: abs(cand[i][0] - p))
        cand[j] = (p, cand[j][1])
    cand.sort()
    return cand


def segnali(occupate):
    """Final signal rows. `occupate`: cells already taken before the signals
    (boards, signs, stop cells, restrictions)."""
    cand = _bozza_segnali()
    fissi = set(FISSI) | set(ANCORE)
    prese = set(occupate)
    posizioni = []
    for p, ruolo in cand:
        if p not in fissi:
            # Move off taken cells and keep the cell before free as well, so
            # that a code cut at the signal always finds its cell.
            for d in (0, 50, -50, 100, -100, 150, -150, 200, -200):
                q = p + d
                c = modello.cella_di(q)
                if all(x not in prese for x in (c - 1, c, c + 1)) and q not in posizioni:
                    p = q
                    break
            else:
                raise RuntimeError(f"no free cell for the signal near {p}")
        posizioni.append((p, ruolo))
        prese.add(modello.cella_di(p))
    posizioni.sort()
    tempi = {}
    for bocca, t in TEMPI.items():
        vicino = min((p for p, _ in posizioni if p not in FISSI), key=lambda p: abs(p - bocca))
        tempi[vicino] = t
    righe = []
    contatori = {"protezione": 0, "partenza": 0, "blocco": 0}
    for p, ruolo in posizioni:
        if p in FISSI:
            righe.append(FISSI[p])
            continue
        if ruolo == "fisso":
            ruolo = "blocco"
        tabella = {"protezione": PROTEZIONE, "partenza": PARTENZA, "blocco": BLOCCO}[ruolo]
        s1, s2, s3, dx, d1, d2, d3 = tabella[contatori[ruolo] % len(tabella)]
        contatori[ruolo] += 1
        righe.append((p, 2, s1, s2, s3, 0, dx, d1, d2, d3, tempi.get(p, 0)))
    return righe

# ------------------------------------------------------------- code cuts

NUMERO_TAGLI = 78
TAGLI_AI_SEGNALI = 52


def tagli(righe_segnali, occupate):
    """Code-cut positions: 52 at signals of the coded stretches, the rest
    halfway between two signals there."""
    sp = [r[0] for r in righe_segnali]
    nei_tratti = [p for p in sp if _in_codice(p)]
    assert len(nei_tratti) >= TAGLI_AI_SEGNALI, len(nei_tratti)
    rng = random.Random(7050)
    obbligati = [p for p in nei_tratti if p in ANCORE]
    altri = [p for p in nei_tratti if p not in ANCORE]
    scelti = set(obbligati) | set(rng.sample(altri, TAGLI_AI_SEGNALI - len(obbligati)))
    celle_segnali = {modello.cella_di(p) for p in sp}
    prese = set(occupate) | celle_segnali | {p // 50 for p in scelti}
    liberi = []
    for a, b in zip(sp, sp[1:]):
        if _in_codice(a) and _in_codice(b):
            q = (a + b) // 2 // 50 * 50
            if q // 50 not in prese:
                liberi.append(q)
    # The coded stretches end with a cut of their own.
    fine_tratti = [b for _, b in TRATTI_CODICE]
    extra = [q for q in fine_tratti if q not in sp]
    for q in extra:
        assert q // 50 not in prese, q
    n = NUMERO_TAGLI - TAGLI_AI_SEGNALI - len(extra)
    passo = len(liberi) / n
    mezzo = [liberi[int(i * passo)] for i in range(n)]
    return sorted(scelti | set(mezzo) | set(extra))


# --------------------------------------------------------------- formats


def riga_stazione(s):
    b1, b5, b4 = s.flag
    a1, a2, a3 = s.gruppo_a
    g1, g2, g3 = s.gruppo_b
    # A timetable time is written with two-digit minutes and seconds; a
    # station without a time carries three zeros in the same columns.
    if s.orario:
        hh, mm, ss = s.orario.split(":")
        orario = f"{int(hh):4d},{mm},{ss}"
    else:
        orario = "   0, 0, 0"
    return (f"stazione,{s.pos:8d},{s.tipo:3d},{s.lung:5d},{b1:3d},{b5:2d},{b4:2d},"
            f"{a1:3d},{a2},{a3},{g1:3d},{g2},{g3},{s.sosta:5d},{orario}, {s.nome}")


def riga_segnale(r):
    p, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo = r
    return f"segnale,{p:8d},{sx:4d},{s1:2d},{s2:2d},{s3:3d},{rapp:2d},{dx:5d},{d1:3d},{d2},{d3}, {tempo}"


# The two restriction rows, as the restriction order lists them.
RIGHE_RALLENTAMENTI = [
    "rallentamento,  123150,    80,  800, 0,  1,  80",
    "rallentamento,  127450,    60,  250, 0,  1,  0",
]


def righe(righe_segnali, posizioni_tagli):
    out = ["[generale]"] + GENERALE
    out.append("[aderenze]")
    for i, (p, a) in enumerate(ADERENZE):
        out.append(f"aderenza,{p:8d},{a:6d}")
        if i in ADERENZE_A_CAPO:
            out.append("")
    out.append("[vel_limite]")
    for p, v in VELOCITA:
        out.append("velocita,   0,    30" if p == 0 else f"velocita,{p:8d},{v:6d}")
    out.append("[stazioni]")
    out += [riga_stazione(s) for s in STAZIONI]
    out.append("")
    out.append("[rallentamenti]")
    out += RIGHE_RALLENTAMENTI
    out.append("[segnali]")
    out += [riga_segnale(r) for r in righe_segnali]
    out.append("[codici]")
    out += [f"abbattimento,{p:8d},{270:6d}" for p in posizioni_tagli]
    out.append("[fine]")
    return out

