"""Builds the 74 entries of the scenario notes from note_paragrafi.txt.

The first part keeps each paragraph on as few entries as it can, at most
766 characters each: a paragraph that does not fit goes on in the next entry,
without indentation, and a word cut in two ends the earlier entry with a
hyphen.  The second part is wrapped at 98 characters.
"""

import pathlib
import textwrap

CARTELLA = pathlib.Path(__file__).resolve().parent

LIMITE_VOCE = 766
LARGHEZZA_REVISIONE = 98
RIENTRO = "   "
AUTORE = "Ettore"
CONTATTO = "ettore.valdieri@example.org"
SEPARATORE = "== revisione =="

VOCALI = set("aeiouàèéìòù")


def leggi_paragrafi(origine, destinazione):
    prima, seconda, corrente = [], [], None
    corrente = prima
    for riga in (CARTELLA / "note_paragrafi.txt").read_text(encoding="utf-8").splitlines():
        if not riga.strip() or riga.startswith("#"):
            continue
        if riga.strip() == SEPARATORE:
            corrente = seconda
            continue
        corrente.append(riga.strip().replace("{ORIGINE}", origine).replace("{DESTINAZIONE}", destinazione))
    return prima, seconda


def _taglio_sillaba(parola, massimo):
    """Latest place, at most `massimo` letters in, where the word may be cut."""
    for k in range(min(massimo, len(parola) - 2), 1, -1):
        a, b, c = parola[k - 1], parola[k], parola[k + 1]
        if not (a.isalpha() and b.isalpha() and c.isalpha()):
            continue
        a, b, c = a.lower(), b.lower(), c.lower()
        # vowel | consonant vowel, or a double / liquid consonant pair.
        if a in VOCALI and b not in VOCALI and c in VOCALI:
            return k
        if a not in VOCALI and b not in VOCALI and c in VOCALI and (a == b or a in "lmnr") and k >= 2 \
                and parola[k - 2].lower() in VOCALI:
            return k
    return None


def dividi_paragrafo(testo):
    voci = []
    resto = RIENTRO + testo
    while len(resto) > LIMITE_VOCE:
        if resto[LIMITE_VOCE] == " ":
            voci.append(resto[:LIMITE_VOCE])
            resto = resto[LIMITE_VOCE + 1:]
            continue
        inizio = resto.rfind(" ", 0, LIMITE_VOCE) + 1
        fine = resto.find(" ", inizio)
        fine = len(resto) if fine < 0 else fine
        parola = resto[inizio:fine]
        k = _taglio_sillaba(parola, LIMITE_VOCE - 1 - inizio)
        if k is None:
            voci.append(resto[:inizio - 1])
            resto = resto[inizio:]
        else:
            voci.append(resto[:inizio + k] + "-")
            resto = resto[inizio + k:]
    voci.append(resto)
    return voci


def voci_note(origine, destinazione):
    prima, seconda = leggi_paragrafi(origine, destinazione)
    voci = []
    for paragrafo in prima:
        voci.extend(dividi_paragrafo(paragrafo))
    firma = RIENTRO + AUTORE + "."
    voci += [firma, "", ""]
    for paragrafo in seconda:
        voci.extend(textwrap.wrap(paragrafo, LARGHEZZA_REVISIONE, initial_indent=RIENTRO,
                                  break_long_words=False, break_on_hyphens=False))
    voci += [firma, RIENTRO + CONTATTO, RIENTRO, RIENTRO, RIENTRO]

    # The arrangement the notes must keep.
    assert len(prima) == 20, len(prima)
    assert len(seconda) == 5, len(seconda)
    assert voci[41] == firma and voci[42] == voci[43] == "", voci[40:44]
    assert len(voci) == 74, len(voci)
    for v in voci:
        v.encode("latin-1")
    lunghezze = [len(v) for v in voci]
    assert max(lunghezze) == LIMITE_VOCE, max(lunghezze)
    assert all(len(v) <= LARGHEZZA_REVISIONE for v in voci[44:69])
    return voci


if __name__ == "__main__":
    import sys
    try:
        voci = voci_note("ORIGINE", "DESTINAZIONE")
    except AssertionError as e:
        print("fallito:", e)
    prima, seconda = leggi_paragrafi("Brunovale Centrale", "Porto Calvizio")
    tot = 0
    for p in prima:
        v = dividi_paragrafo(p)
        tot += len(v)
        print(len(v), [len(x) for x in v], v[0][:40], [x[-12:] for x in v[:-1]])
    print("prima parte:", tot)
    tot = 0
    for p in seconda:
        w = textwrap.wrap(p, LARGHEZZA_REVISIONE, initial_indent=RIENTRO, break_long_words=False,
                          break_on_hyphens=False)
        tot += len(w)
        print(len(w))
    print("seconda parte:", tot)
