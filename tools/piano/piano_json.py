"""Writes piano.json: the facts of the built-in run that the driver's
documents (timetable card, speed-restriction order) must agree with."""

import json
import os

import stazioni as st


def scrivi(percorso):
    treno = st.STAZIONI
    dati = {
        "origine": treno[0].nome,
        "destinazione": treno[-1].nome,
        "lunghezza_linea": 334000,
        "progressive": [
            {"posizione": p, "offset": o, "senso": s} for p, o, s in st.PROGRESSIVE
        ],
        "regola_chilometri": "before 31100: km = position; from 31100: position + 3050; "
                             "from 284500: position - 284500; from 315950: 412050 - position",
        "stazioni": [
            {
                "nome": x.nome,
                "posizione": x.pos,
                "chilometro": st.chilometro(x.pos),
                "tipo": x.tipo,
                "lunghezza": x.lung,
                "orario": x.orario,
                "sosta": x.sosta,
            }
            for x in treno
        ],
        "velocita": [{"posizione": p, "kmh": v, "chilometro": st.chilometro(p)}
                     for p, v in st.VELOCITA],
        "rallentamenti": [
            {"posizione": x, "kmh": v, "lunghezza": l, "chilometro": st.chilometro(x)}
            for x, v, l, _, _, _ in st.RALLENTAMENTI
        ],
        "stazioni_rallentamenti": list(st.STAZIONI_RALLENTAMENTI),
    }
    with open(percorso, "w", encoding="ascii") as f:
        json.dump(dati, f, indent=1)
        f.write("\n")


if __name__ == "__main__":
    scrivi(os.path.join(os.path.dirname(os.path.abspath(__file__)), "piano.json"))
