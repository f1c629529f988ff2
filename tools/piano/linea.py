"""The built-in line: general rows, curves, gradients, tunnels (montagna),
line-speed boards and indicator signs.

Curves and gradients are drawn once from a seeded generator (the output is
frozen as literal text in the C++ sources; the seed only makes the planner
repeatable).  Tunnels, boards and signs are hand-written.
"""

import random

LUNGHEZZA = 334000

GENERALE = [
    "lunghezza percorso,    334000",
    "progressiva chilometrica uno,    31100,    3050,    0",
    "progressiva chilometrica due,    284500,    -284500,    0",
    "progressiva chilometrica tre,    315950,    412050,    1",
    "sfondo uno,    1",
    "sfondo due,    0",
    "sfondo tre,    0",
    "ripetizione segnali 9 codici,    8000,    330700",
]

# ---------------------------------------------------------------- curves

CONTEGGIO_CURVE = {
    "curvas1": 14, "curvas2": 18, "curvas3": 22, "curvas4": 30, "curvas5": 12,
    "curvad1": 7, "curvad2": 8, "curvad3": 25, "curvad4": 20, "curvad5": 13, "curvad6": 4,
}

# Length range (multiples of 50) by radius class: tight curves are short.
_LUNGHEZZE = {"1": (600, 1900), "2": (500, 1600), "3": (300, 1200),
              "4": (200, 900), "5": (150, 600), "6": (100, 400)}


def _ripartisci(rng, totale, parti, minimo):
    """Splits `totale` metres into `parti` gaps, each a multiple of 50 and at
    least `minimo`."""
    unita = totale // 50 - parti * (minimo // 50)
    assert unita >= 0 and totale % 50 == 0
    pesi = [rng.random() + 0.15 for _ in range(parti)]
    somma = sum(pesi)
    quote = [int(unita * p / somma) for p in pesi]
    for i in range(unita - sum(quote)):
        quote[i % parti] += 1
    return [minimo + 50 * q for q in quote]


def curve():
    rng = random.Random(1350)
    chiavi = [k for k, n in CONTEGGIO_CURVE.items() for _ in range(n)]
    chiavi.remove("curvas1")
    chiavi.remove("curvad6")
    rng.shuffle(chiavi)
    # Row 0 is the first left-hand curve at 1350; row 40 is the tight
    # right-hand curve at 77700; the last row starts at 332050.
    chiavi = ["curvas1"] + chiavi[:39] + ["curvad6"] + chiavi[39:]
    assert len(chiavi) == 173
    lunghezze = []
    for k in chiavi:
        lo, hi = _LUNGHEZZE[k[-1]]
        lunghezze.append(50 * rng.randint(lo // 50, hi // 50))
    lunghezze[0] = 150
    lunghezze[40] = 250
    # Somewhere the shortest and the longest curve of the range.
    lunghezze[97] = 50
    lunghezze[121] = 1900
    lunghezze[172] = min(lunghezze[172], 1900)
    ancore = [(0, 1350), (40, 77700), (172, 332050)]
    inizi = [0] * 173
    for (a, pa), (b, pb) in zip(ancore, ancore[1:]):
        occupato = sum(lunghezze[a:b])
        spazi = _ripartisci(rng, pb - pa - occupato, b - a, 100)
        pos = pa
        for i in range(a, b):
            inizi[i] = pos
            pos += lunghezze[i] + spazi[i - a]
        assert pos == pb
    inizi[172] = 332050
    return list(zip(chiavi, inizi, lunghezze))


def righe_curve():
    return [f"{k},  {p},  {l}" for k, p, l in curve()]

# ------------------------------------------------------------- gradients


def pendenze():
    rng = random.Random(1250)
    righe = [(0, 0), (1250, -4)]
    spazi = _ripartisci(rng, 317750 - 1250, 249, 350)
    pos = 1250
    g = -4
    for s in spazi:
        pos += s
        # The hills of the tunnels (8 to 27 km and 292 to 305 km) are steeper.
        ripido = 8000 <= pos <= 27500 or 291000 <= pos <= 305000
        limite = 11 if ripido else 7
        passo = rng.choice([-4, -3, -2, -1, 1, 2, 3, 4] if ripido else [-3, -2, -1, 1, 2, 3])
        g = max(-limite, min(limite, g + passo))
        if not ripido and abs(g) > 5 and rng.random() < 0.5:
            g -= 2 if g > 0 else -2
        righe.append((pos, g))
    assert pos == 317750
    # Both ends of the range occur: the steepest climb and descent.
    righe[20] = (righe[20][0], 11)
    righe[21] = (righe[21][0], 9)
    righe[31] = (righe[31][0], -11)
    return righe


def righe_pendenze():
    out = []
    for p, g in pendenze():
        riga = f"pendenza,  {p},   {g}"
        if p == 1250:
            riga += ",5"  # the historical decimal that the reader drops
        out.append(riga)
    return out

# -------------------------------------------------------------- tunnels

MONTAGNE = [
    (8750, 11150, 12), (11650, 11750, 12), (12900, 14400, 12), (15300, 15900, 12),
    (17850, 22150, 12), (22600, 23050, 12), (24100, 24600, 12), (25300, 25450, 12),
    (26050, 27000, 12),
    (292600, 292850, 2), (294300, 295800, 2), (297150, 297500, 2), (299000, 299600, 2),
    (301200, 302950, 2), (303600, 304100, 2),
]


def righe_montagne():
    return [f"montagna,   {a},  {b},  {t}" for a, b, t in MONTAGNE]

# ------------------------------------------------------ line-speed boards

# The boards follow the train's speed-limit profile (stazioni.VELOCITA).
# Each entry: the position where the board speed takes effect, the board's
# kind ("su": one board for a higher speed; "giu3"/"giu2": a run of three or
# two boards, stripes falling to 0, for a lower speed), the spacing of the
# run, rank A/B/C speeds, and whether a right-hand board stands beside it.
CAMBI_CARTELLI = [
    (1000, "su", 0, (90, 95, 100), False),
    (5200, "su", 0, (110, 115, 120), False),
    (8600, "giu3", 300, (100, 105, 110), False),
    (13400, "giu2", 250, (95, 100, 105), False),
    (27050, "giu3", 350, (130, 140, 145), True),
    (31500, "su", 0, (140, 145, 150), True),
    (44800, "giu3", 400, (120, 125, 130), True),
    (60500, "su", 0, (145, 155, 160), True),
    (66900, "giu2", 300, (130, 135, 140), True),
    (79800, "giu3", 350, (110, 115, 120), True),
    (95700, "giu2", 200, (130, 135, 140), True),
    (99800, "giu3", 250, (110, 115, 120), True),
    (101950, "su", 0, (140, 145, 150), True),
    (117900, "giu2", 300, (140, 145, 150), True),
    (134000, "su", 0, (155, 165, 170), True),
    (151200, "giu3", 350, (125, 135, 140), True),
    (174300, "giu2", 300, (150, 155, 160), True),
    (181600, "su", 0, (155, 165, 170), True),
    (197400, "giu3", 400, (120, 125, 130), True),
    (218700, "su", 0, (155, 165, 170), True),
    (230100, "giu2", 250, (140, 145, 150), True),
    (248500, "giu3", 350, (120, 125, 130), True),
    (252600, "su", 0, (145, 155, 160), True),
    (266200, "giu2", 300, (130, 135, 140), True),
    (283400, "giu3", 300, (110, 115, 120), True),
    (292100, "giu3", 350, (95, 100, 105), False),
    (304800, "su", 0, (130, 135, 140), False),
    (313200, "giu2", 250, (100, 105, 110), False),
    (325400, "giu3", 400, (120, 125, 130), True),
    (328600, "giu3", 300, (90, 95, 100), False),
    (329800, "giu2", 350, (75, 80, 85), False),
]

# The one right-hand board whose ranks do not rise A to C: the right-hand
# track of this junction is slower for rank B.
CARTELLO_DESTRO_IRREGOLARE = (252600, (145, 140, 160))


def cartelli():
    """Rows (position, vas, vbs, vcs, strisce, right or None, strisced)."""
    righe = []
    for pos, genere, passo, (a, b, c), destro in CAMBI_CARTELLI:
        n = {"su": 1, "giu2": 2, "giu3": 3}[genere]
        for k in range(n):
            p = pos - passo * (n - 1 - k)
            strisce = n - 1 - k
            d = (a, b, c) if destro else None
            if destro and p == CARTELLO_DESTRO_IRREGOLARE[0]:
                d = CARTELLO_DESTRO_IRREGOLARE[1]
            righe.append((p, a, b, c, strisce, d, strisce if destro else 0))
    return righe


def righe_cartelli():
    out = []
    for p, a, b, c, s, d, sd in cartelli():
        da, db, dc = (str(x) for x in d) if d else ("", "", "")
        out.append(f"indicatori_vmax,  {p},  {a},  {b},  {c},  {s},  {da},  {db},  {dc},  {sd}")
    return out

# ------------------------------------------------------- indicator signs

INDICAZIONI = [
    (7950, "(Zona)(Cod )"),
    (27950, "(  Cippo  )(Km 28+000)"),
    (31100, "(C.C. )(Km 31.100)"),
    (46950, "(  Cippo  )(Km 50+000)"),
    (55450, "(Dev.I.)"),
    (56250, "(Dev.)(U.  )"),
    (78200, "(Dev.)(U.  )"),
    (146950, "(  Cippo  )(Km 150+000)"),
    (152300, "(Dev.I.)"),
    (196950, "(  Cippo  )(Km 200+000)"),
    (199350, "(Dev.I.)"),
    (200450, "(Dev.)(U.  )"),
    (246950, "(  Cippo  )(Km 250+000)"),
    (284500, "(C.C. )(Km 287.550)"),
    (294500, "(  Cippo  )(Km 10+000)"),
    (315950, "(C.C. )(Km 31.450)"),
    (322050, "(  Cippo  )(Km 90+000)"),
    (330650, "(Fine)(Cod )"),
    (330750, "(  Cippo  )(Km 81.300)"),
]


def righe_indicazioni():
    return [f"cartello_indicatore,  {p},   {t}" for p, t in INDICAZIONI]


def righe():
    out = ["[generale]"] + GENERALE
    out += ["[curve]"] + righe_curve()
    out += ["[pendenze]"] + righe_pendenze()
    out += ["[montagne]"] + righe_montagne()
    out += ["[cartelli]"] + righe_cartelli()
    out += ["[indicazioni]"] + righe_indicazioni()
    out += ["[fine]"]
    return out

