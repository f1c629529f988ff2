"""Builds the 199 lines of the timetable card from the run's plan (piano.json).

Rows, in the order of the run: every station with its time, every change of
the train's speed limit, the kilometre reference changes (the old value ended
by "/", then a row with the new value alone), the protection signal before
each timed stop, and kilometre posts spread along the line to fill the 125
rows of the four pages.
"""

RIGHE_PAGINA = [31, 32, 31, 31]
CATEGORIA = "ESPRESSO"
# Recovery minutes from each timed station to the next stop.
RECUPERI = [" 1   ", " 0.5 ", " 1.5 ", " 1   ", " 0.5 ", " 1   ", " 2.5 "]
CHIUSURA = " |_____|_____|__________|_____|____________________________|________________|_____|"
VUOTA = ""


def chilometro(piano, pos):
    km = pos
    for p in sorted(piano["progressive"], key=lambda r: r["posizione"]):
        if pos >= p["posizione"]:
            km = p["offset"] - pos if p["senso"] else pos + p["offset"]
    return km


def km_testo(metri):
    return f"{metri // 1000}.{metri % 1000:03d}"


def vel(v):
    return "     " if v is None else f"{v:>4} "


def marcia(v):
    """Running speed the author kept: a little under the limit at speed."""
    return v - 5 if v >= 100 else v


def riga(c1=None, c2=None, c3="", c4=None, nome="", orario=" " * 16, rec="     "):
    celle = [vel(c1), vel(c2), c3, vel(c4) if not isinstance(c4, str) else c4, nome.ljust(28), orario, rec]
    assert [len(c) for c in celle] == [5, 5, 10, 5, 28, 16, 5], celle
    return " |" + "|".join(celle) + "|"


def progr(metri, barra=False):
    return f"{km_testo(metri):>9}" + ("/" if barra else " ")


def orario_testo(hms, primo, ultimo):
    h, m, s = hms.split(":")
    t = f"{h}.{m}" + (f".{s}" if s != "00" else "")
    if ultimo:
        return (" " + t).ljust(16)
    # The first station's departure slot (characters 10 to 14) has no room
    # for seconds: a time with seconds stands where every such time stands.
    if primo and s == "00":
        return (" " * 9 + t).ljust(16)
    return (" " * 5 + t).ljust(16)


def eventi(piano):
    """(position, order at that position, row) for every row but the posts."""
    stazioni = piano["stazioni"]
    velocita = {v["posizione"]: v["kmh"] for v in piano["velocita"]}
    ev = []
    timed = [s for s in stazioni if s["orario"]]
    recupero = dict(zip([s["nome"] for s in timed[:-1]], RECUPERI))
    limite_a = lambda pos: max((p for p in velocita if p <= pos), default=0)

    for i, s in enumerate(stazioni):
        pos = s["posizione"]
        c1 = c2 = None
        if pos in velocita:
            c1, c2 = velocita[pos], marcia(velocita[pos])
        orario = orario_testo(s["orario"], i == 0, i == len(stazioni) - 1) if s["orario"] else " " * 16
        ev.append((pos, 1, riga(c1, c2, progr(chilometro(piano, pos)), None, s["nome"], orario,
                                recupero.get(s["nome"], "     "))))
        if s["orario"] and i > 0:
            # Protection signal ahead of the stop: 350 m before the platform.
            inizio = pos - s["lunghezza"] // 2 if s["tipo"] not in (5, 6, 7, 8) else pos - s["lunghezza"]
            prot = min((inizio - 350) // 50 * 50, 331100)
            ev.append((prot, 0, riga(None, marcia(velocita[limite_a(prot)]), progr(chilometro(piano, prot)),
                                     None, "Segn.Prot.")))

    posizioni_stazioni = [s["posizione"] for s in stazioni]
    for pos, v in velocita.items():
        if pos in posizioni_stazioni:
            continue
        nome = ""
        prima = max(p for p in posizioni_stazioni if p <= pos)
        dopo = min((p for p in posizioni_stazioni if p > pos), default=None)
        if pos - prima <= 1500:
            nome = "Dev.U."
        elif dopo is not None and dopo - pos <= 1500:
            nome = "Dev.I."
        ev.append((pos, 2, riga(v, marcia(v), progr(chilometro(piano, pos)), v, nome)))

    for p in piano["progressive"]:
        pos = p["posizione"]
        vecchio = chilometro(piano, pos - 1) + 1
        nuovo = chilometro(piano, pos)
        v = velocita[limite_a(pos)]
        ev.append((pos, 3, riga(v, marcia(v), progr(vecchio, barra=True), None, f"C.C. Km {km_testo(vecchio)}")))
        ev.append((pos, 4, riga(c3=progr(nuovo))))
    return ev


def cippi(piano, ev, quanti):
    """`quanti` kilometre posts: the posts that the restrictions of the order
    refer to, and the others spread evenly, each at a whole kilometre of its
    own reference and away from the other rows."""
    velocita = sorted((v["posizione"], v["kmh"]) for v in piano["velocita"])
    occupate = [e[0] for e in ev]
    lunghezza = piano["stazioni"][-1]["posizione"]
    scelti = []
    for r in piano["rallentamenti"]:
        cippo = r["posizione"] - r["chilometro"] % 1000
        assert chilometro(piano, cippo) % 1000 == 0
        scelti.append(cippo)
    liberi = quanti - len(scelti)
    for k in range(1, liberi + 1):
        obiettivo = lunghezza * k // (liberi + 1)
        migliore = None
        for pos in range(obiettivo // 50 * 50 - 6000, obiettivo + 6000, 50):
            km = chilometro(piano, pos)
            if km % 1000 or pos <= 0 or pos in scelti:
                continue
            if min(abs(pos - o) for o in occupate) < 700 or min(abs(pos - o) for o in scelti) < 3000:
                continue
            if migliore is None or abs(pos - obiettivo) < abs(migliore - obiettivo):
                migliore = pos
        assert migliore is not None, obiettivo
        scelti.append(migliore)
    righe = []
    for pos in scelti:
        v = max((p for p in velocita if p[0] <= pos))[1]
        km = chilometro(piano, pos)
        righe.append((pos, 1, riga(v, marcia(v), progr(km), None, f"Cippo Km {km_testo(km)}")))
    return righe


def righe_tabella(piano):
    ev = eventi(piano)
    totale = sum(RIGHE_PAGINA)
    ev += cippi(piano, ev, totale - len(ev))
    ev.sort(key=lambda e: (e[0], e[1]))
    return [e[2] for e in ev]


def testata(piano, pagina):
    origine, destinazione = piano["origine"], piano["destinazione"]
    assert len(origine) <= 22 and len(destinazione) <= 22
    return [
        "  " + "_" * 19 + " " * 47 + "_" * 14,
        " |" + " " * 19 + "|" + " " * 20 + f"SCHEDA {pagina}/4" + " " * 15 + "|" + " " * 14 + "|",
        " |   TRENO n.  K27   |" + (" " * 19 + "da: " + origine).ljust(45) + "|" + "    V200 C    " + "|",
        " |" + "_" * 19 + "|" + (" " * 20 + "a: " + destinazione).ljust(45) + "|" + "     130%     " + "|",
        " " * 67 + "|" + "_" * 14 + "|",
        "  ___________________                ___________________",
        " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
        " |" + " " * ((19 - len(CATEGORIA)) // 2) + CATEGORIA + " " * ((20 - len(CATEGORIA)) // 2) + "|"
        + " " * 14 + "|" + "      600T         " + "|",
        " |___________________|              |___________________|",
        VUOTA,
        "  " + "_" * 80,
        " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
        " | Lim.|Marc.|          |  Rs |                            |                |     |",
        CHIUSURA,
    ]


def sulla_chiusura(r):
    """A row written into the closing rule: every blank inside the frame an underscore."""
    return r[0] + r[1:].replace(" ", "_")


def righe_scheda(piano):
    tabella = righe_tabella(piano)
    assert len(tabella) == sum(RIGHE_PAGINA), len(tabella)
    pagine, i = [], 0
    for n, quante in enumerate(RIGHE_PAGINA, start=1):
        righe = tabella[i:i + quante]
        i += quante
        if n == 2:
            righe[-1] = sulla_chiusura(righe[-1])
        else:
            righe.append(CHIUSURA)
        pagine.append(testata(piano, n) + righe)
    out = [VUOTA, VUOTA] + pagine[0]
    out += [VUOTA, VUOTA, "." * 81, VUOTA, VUOTA] + pagine[1]
    out += [VUOTA, VUOTA, "." * 72, VUOTA] + pagine[2]
    out += [VUOTA, "." * 72, VUOTA] + pagine[3]
    out += [VUOTA]
    assert len(out) == 199, len(out)
    return out


def righe_rallentamenti(piano):
    stazioni = " e ".join(piano["stazioni_rallentamenti"])
    vuota = " |   |                            |            |          |         |            |"
    chiusura = " |___|____________________________|____________|__________|_________|____________|"
    testa = [
        " |   |                            |Inizio dopo |          |         |            |",
        " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
        " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
        chiusura,
    ]
    righe = []
    for n, r in enumerate(piano["rallentamenti"], start=1):
        cippo = r["chilometro"] // 1000 * 1000
        celle = [f" {n} ", stazioni.ljust(28), ("Km " + km_testo(cippo)).ljust(12),
                 f"{r['kmh']:>4} Km/h ", f"   {r['lunghezza']}".ljust(9), " " * 12]
        assert [len(c) for c in celle] == [3, 28, 12, 10, 9, 12], celle
        righe.append(" |" + "|".join(celle) + "|")
    out = [
        VUOTA,
        "                               Modulo M. 3",
        "                           ORDINE DI RALLENTAMENTO",
        " " + "_" * 80,
        "  Linea " + piano["origine"] + " - " + piano["destinazione"],
        VUOTA,
        "  Si ordina al macchinista del treno Quarzo di effettura i seguenti rallentamenti",
        "  " + "_" * 79,
    ] + testa + righe + [vuota] * 24 + [chiusura] + [
        VUOTA,
        "              Prescrizioni specifiche",
        " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
        " B - Interessa anche la stazione di.......",
        " D - Rallentamneto N. ... e N. ...  sono contigui",
        " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
        "     i giorni esclusi i seguenti:.........",
    ]
    assert len(out) == 46, len(out)
    assert all(len(r) == 82 for r in out[8:39])
    return out
