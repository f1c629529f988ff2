"""How the timetable of the timed stations was worked out from the speed
profile: the fastest running time between two timed stations, stretched by
one common factor, plus a minute per leg for starting and stopping and the
stop itself (one minute at stop value 60, two at 99), rounded to 30 s so
that the terminus is reached at 19:20:00."""

from stazioni import STAZIONI, VELOCITA

PARTENZA = 16 * 3600 + 14 * 60 + 30
ARRIVO = 19 * 3600 + 20 * 60


def tempo_minimo(a, b):
    """Seconds from a to b running at the speed limit throughout."""
    t = 0.0
    for i, (p, v) in enumerate(VELOCITA):
        e = VELOCITA[i + 1][0] if i + 1 < len(VELOCITA) else 10**9
        lo, hi = max(a, p), min(b, e)
        if hi > lo:
            t += (hi - lo) / (v / 3.6)
    return t


def orari():
    """The times of the timed stations, "HH:MM:SS", in order."""
    fermate = [s for s in STAZIONI if s.orario]
    tratte = [tempo_minimo(a.pos, b.pos) for a, b in zip(fermate, fermate[1:])]
    soste = [120 if s.sosta == 99 else 60 for s in fermate[1:-1]]
    fattore = (ARRIVO - PARTENZA - sum(soste) - 60 * len(tratte)) / sum(tratte)
    t = PARTENZA
    out = [PARTENZA]
    for i, tratta in enumerate(tratte):
        t += tratta * fattore + 60
        out.append(round(t / 30) * 30)
        if i < len(soste):
            t += soste[i]
    return [f"{x // 3600:02d}:{x % 3600 // 60:02d}:{x % 60:02d}" for x in out]
