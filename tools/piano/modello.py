"""A model of how the compiler reads the two descriptions into the grid:
cell rules, the placement checks, the station marks and the signal-code
finishing pass.  It records every code the compiler would record, so the
planner can refuse data that would not compile cleanly.
"""

LUNGHEZZA_ESTESA = 334000 + 7000
NUMERO_CELLE = round(LUNGHEZZA_ESTESA / 50)  # 6820; Python rounds half to even


def arrotonda(x):
    return int(round(x))  # round() of a float rounds half to even, as the compiler


def cella_di(p):
    """Cell of signals, boards, signs and restrictions."""
    return arrotonda(p / 50 + 1)


def cella_taglio(p):
    """Cell of a code cut: one earlier than the signal at the same position."""
    return arrotonda(p / 50)


def estremi_stazione(pos, tipo, lung, flag6):
    if tipo in (5, 6):
        return pos - lung, pos + 150
    if tipo in (7, 8):
        return pos - lung, pos + lung
    return arrotonda(pos - lung / 2), arrotonda(pos + lung / 2 + (50 if flag6 else 0))


def cella_fermata(fine):
    return arrotonda(fine / 50 - 1)


LIBERE = (0, 11)


class ErroreScenario(Exception):
    pass


class Griglia:
    def __init__(self):
        self.tipo = [0] * (NUMERO_CELLE + 1)
        self.valore1 = [0] * (NUMERO_CELLE + 1)
        self.valore2 = [0] * (NUMERO_CELLE + 1)
        self.chi = [None] * (NUMERO_CELLE + 1)  # what put the element there
        self.errori = []

    def libera(self, c):
        return self.tipo[c] in LIBERE

    def errore(self, codice, pos, testo):
        self.errori.append((codice, pos, testo))

    def dentro(self, p, testo):
        if (p + 100) / 50 > NUMERO_CELLE:
            self.errore(15, p, testo)
            return False
        return True

    def metti(self, c, tipo, chi, valore1=0):
        self.tipo[c] = tipo
        self.valore1[c] = valore1
        self.chi[c] = chi

    # --- line phase

    def montagna(self, inizio, fine, tipo, precedente_fine):
        riempi = tipo > 10
        if riempi:
            tipo -= 10
        if precedente_fine is not None and inizio - precedente_fine <= 150:
            tipo = 3
        primo, ultimo = arrotonda(inizio / 50), arrotonda(fine / 50 - 1)
        for n, c in enumerate(range(primo, ultimo + 1), start=1):
            if riempi and n % 4 == 0 and self.tipo[c] == 0:
                self.tipo[c] = 11
        return tipo

    def indicatore(self, p, testo):
        c = cella_di(p)
        if not self.libera(c):
            self.errore(21, p, f"{testo} on {self.chi[c]}")
            return
        self.metti(c, 6, testo)

    def cartello(self, p, testo):
        c = cella_di(p)
        if not self.libera(c):
            self.errore(6, p, f"{testo} on {self.chi[c]}")
            return
        self.metti(c, 14, testo)

    # --- train phase

    def stazione(self, i, s, precedente_fine):
        if (s.pos + 800) / 50 > NUMERO_CELLE:
            self.errore(15, s.pos, s.nome)
        if s.pos % 50:
            self.errore(8, s.pos, s.nome)
        if s.lung % 100:
            self.errore(9, s.pos, s.nome)
        inizio, fine = estremi_stazione(s.pos, s.tipo, s.lung, s.flag[2])
        if s.tipo < 25:
            e = fine / 50 - 1
            if e <= 1:
                self.errore(24, s.pos, s.nome)
            c = arrotonda(e)
            # The stop cell is written whatever it holds: it must not bury an
            # element laid before it.
            if not self.libera(c):
                self.errore(1010, s.pos, f"stop cell of {s.nome} on {self.chi[c]}")
            self.metti(c, 10, f"stop {s.nome}", i)
        if precedente_fine is not None and inizio - 350 < precedente_fine:
            self.errore(22, s.pos, s.nome)
        return fine

    def rallentamento(self, x, v, l, f_tt, f_ta, d_v):
        w, s, e = cella_di(x - 1200), cella_di(x), cella_di(x + l)
        testo = f"restriction {x}"
        if x > 1500 and not self.libera(w):
            return self.errore(17, x, f"{testo} warning on {self.chi[w]}")
        if x <= 1500:
            f_ta = 0
        if not self.libera(s):
            return self.errore(18, x, f"{testo} start on {self.chi[s]}")
        if not self.libera(e):
            return self.errore(19, x, f"{testo} end on {self.chi[e]}")
        self.metti(e, 2, testo + " end", v)
        self.metti(s, 3, testo + " start", v)
        if x > 1500:
            self.metti(w, 4, testo + " warning", v)
        k = arrotonda((x - 1200) / 50)
        if f_ta:
            for i in range(4):
                if not self.libera(k - i):
                    return self.errore(20, x, f"{testo} marker on {self.chi[k - i]}")
            for i in range(4):
                self.metti(k - i, 5, testo + f" marker {i + 1}", i + 1)

    def segnale(self, p):
        c = cella_di(p)
        if not self.libera(c):
            return self.errore(16, p, f"signal {p} on {self.chi[c]}")
        self.metti(c, 1, f"signal {p}")

    def taglio(self, p, codice):
        c = cella_taglio(p)
        if not self.libera(c):
            return self.errore(7, p, f"code cut {p} on {self.chi[c]}")
        if c == 1:
            self.errore(1250, p, "code cut in the header cell")
        self.metti(c, 12 if codice > 0 else 13, f"code cut {p}", codice)

    # --- finishing pass

    def _codice(self, c):
        self.metti(c, 12, "finishing code", 180)
        self.aggiunti.append(c)

    def finitura(self):
        self.aggiunti = []
        libera = self.libera
        indice2 = 0
        for i in range(1, NUMERO_CELLE - 2 + 1):
            if self.tipo[i] == 4:
                for k in range(1, 21):
                    indice2 = k
                    if i - k < 3:
                        break
                    d = i - k
                    if self.tipo[d] != 1:
                        continue
                    if libera(d - 1):
                        self._codice(d - 1)
                    elif libera(d - 2):
                        self._codice(d - 2)
                    elif self.tipo[d - 1] == 12:
                        self.valore1[d - 1] = min(180, self.valore1[d - 1])
                    elif self.tipo[d - 2] == 12:
                        self.valore1[d - 2] = min(180, self.valore1[d - 2])
                    else:
                        self.errore(11, d * 50, f"signal cell {d} behind warning {i}")
            elif self.tipo[i] == 3:
                for limite, gruppo in ((7, (5, 6, 7)), (13, (11, 12, 13)), (20, (18, 19, 20))):
                    if i > limite:
                        for g in gruppo:
                            if libera(i - g):
                                self._codice(i - g)
                                break
                        else:
                            self.errore(12, i * 50, f"approach group {gruppo} of start {i}")
                if self.valore1[i] < 110:
                    contatore = 0
                    indice2 = i
                    while True:
                        indice2 += 1
                        contatore += 1
                        if contatore == 8:
                            if libera(indice2):
                                self._codice(indice2)
                                contatore = 0
                            elif libera(indice2 - 1):
                                self._codice(indice2 - 1)
                                contatore = 1
                            elif libera(indice2 + 1):
                                self._codice(indice2 + 1)
                                contatore = -1
                            else:
                                self.errore(13, indice2 * 50, f"code inside restriction at {indice2}")
                        if self.tipo[indice2] == 2:
                            break
                contatore = 0
                for indice3 in range(indice2, indice2 + 13):
                    if self.tipo[indice3] == 1:
                        contatore = indice3 - 1
                        break
                if contatore > 0:
                    if libera(contatore):
                        self._codice(contatore)
                    elif libera(contatore - 1):
                        self._codice(contatore - 1)
                    else:
                        self.errore(13, indice2 * 50, f"code before signal after {indice2}")
