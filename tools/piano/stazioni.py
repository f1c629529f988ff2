"""Stations of the built-in train run and the train's speed-limit profile.

Everything here is hand-written data: the positions, kinds and lengths were
chosen so that every stop cell and every element around it lands on a free
cell (modello.py checks this), and the timetable follows from the speed
profile (orario.py).
"""

from collections import namedtuple

# pos: metres; tipo: station kind; lung: length (m); flag: fields 4, 5, 6;
# gruppo_a: fields 7-9; gruppo_b: fields 10-12; sosta: stop value;
# orario: "HH:MM:SS" for the timed stations, None otherwise.
Stazione = namedtuple("Stazione", "nome pos tipo lung flag gruppo_a gruppo_b sosta orario")

_ = None
STAZIONI = [
    Stazione("Brunovale Centrale",   0,     8, 500, (1, 0, 0), (4, 1, 0), (2, 1, 1), 1,   "16:14:30"),
    Stazione("Selvarossa",           3900, 22, 400, (0, 0, 1), (1, 0, 0), (1, 0, 1), 0,   _),
    Stazione("Pieve Tornasco",       7600, 21, 400, (1, 0, 0), (1, 1, 0), (2, 1, 0), 0,   _),
    Stazione("Fontegrana",          12100,  2, 300, (0, 0, 0), (0, 1, 0), (1, 0, 0), 0,   _),
    Stazione("Sassobruno",          16700, 22, 400, (1, 0, 1), (1, 0, 0), (3, 1, 1), 0,   _),
    Stazione("Valle Orsaia",        23550, 27, 200, (0, 0, 0), (0, 0, 0), (0, 0, 0), 0,   _),
    Stazione("Castel Lunaro",       29600, 12, 600, (1, 1, 0), (4, 1, 0), (2, 1, 1), 0,   _),
    Stazione("Mirtavalle",          36200, 21, 400, (0, 0, 0), (1, 0, 0), (1, 0, 0), 0,   _),
    Stazione("Quercetolo",          42850,  2, 300, (0, 0, 1), (0, 1, 0), (2, 0, 1), 0,   _),
    Stazione("Pratoleone",          49300, 12, 600, (1, 1, 0), (4, 1, 0), (4, 1, 1), 60,  "16:46:30"),
    Stazione("Borgoliva Scalo",     55900, 22, 500, (1, 0, 0), (1, 1, 0), (2, 1, 0), 0,   _),
    Stazione("Ripalunga",           61250, 21, 400, (0, 0, 1), (1, 0, 0), (1, 0, 1), 0,   _),
    Stazione("Acquaserena",         68700,  4, 500, (1, 0, 0), (4, 0, 0), (3, 1, 0), 0,   _),
    Stazione("Torre Merlina",       74150, 28, 300, (0, 0, 0), (0, 0, 0), (0, 0, 0), 0,   _),
    Stazione("Campobrusco",         80900, 22, 400, (1, 0, 1), (1, 1, 0), (2, 0, 1), 0,   _),
    Stazione("Lorevalle",           88400,  2, 200, (0, 0, 0), (0, 1, 0), (0, 0, 0), 0,   _),
    Stazione("Monteguasto",         95050, 21, 500, (1, 0, 0), (1, 0, 0), (1, 1, 1), 145, _),
    Stazione("Pianfosco",          101300, 12, 600, (1, 1, 0), (4, 1, 0), (5, 1, 1), 99,  "17:13:30"),
    Stazione("Cerretalvo",         108650, 27, 300, (0, 0, 0), (0, 0, 0), (0, 0, 0), 0,   _),
    Stazione("Rocca Sibilla",      114100, 22, 400, (1, 0, 1), (1, 1, 0), (2, 1, 0), 0,   _),
    Stazione("Ormelina",           119300,  4, 400, (1, 0, 0), (4, 1, 0), (3, 0, 1), 0,   _),
    Stazione("Pozzoverde",         131250, 21, 500, (0, 0, 0), (1, 0, 0), (1, 0, 0), 0,   _),
    Stazione("Serravento Alto",    138600,  2, 300, (0, 0, 1), (0, 1, 0), (2, 1, 1), 0,   _),
    Stazione("Gualdora",           146050, 22, 400, (1, 0, 0), (1, 1, 0), (1, 0, 1), 0,   _),
    Stazione("Poggio Anselmo",     153400,  4, 600, (1, 1, 0), (4, 1, 0), (4, 1, 1), 60,  "17:40:30"),
    Stazione("Varenzola",          161900, 21, 400, (0, 0, 0), (1, 0, 0), (2, 0, 0), 0,   _),
    Stazione("Castagnedro",        168250,  2, 200, (0, 0, 0), (0, 1, 0), (0, 0, 1), 0,   _),
    Stazione("Belcollino",         176700, 28, 300, (0, 0, 0), (0, 0, 0), (0, 0, 0), 0,   _),
    Stazione("Orzanello",          184100, 22, 500, (1, 0, 1), (1, 1, 0), (3, 1, 0), 0,   _),
    Stazione("Felciano Basso",     192550, 21, 400, (0, 0, 0), (1, 0, 0), (1, 0, 1), 0,   _),
    Stazione("Calvaneo",           199800, 12, 600, (1, 1, 0), (4, 1, 0), (5, 1, 1), 99,  "18:03:00"),
    Stazione("Lame Brune",         208350,  2, 300, (0, 0, 0), (0, 1, 0), (1, 0, 0), 0,   _),
    Stazione("Vallestrina",        216900, 22, 400, (1, 0, 0), (1, 0, 0), (2, 1, 1), 0,   _),
    Stazione("Roccalupa",          224400, 21, 400, (0, 0, 1), (1, 1, 0), (1, 0, 0), 0,   _),
    Stazione("Fornace Ilda",       233050,  4, 500, (1, 0, 0), (4, 0, 0), (3, 1, 1), 0,   _),
    Stazione("Prato Gemmello",     241600, 22, 300, (0, 0, 0), (1, 0, 0), (2, 0, 1), 0,   _),
    Stazione("Sorbelletto",        250100, 12, 600, (1, 1, 0), (4, 1, 0), (4, 1, 1), 60,  "18:28:30"),
    Stazione("Colle Ardesio",      258650, 27, 200, (0, 0, 0), (0, 0, 0), (0, 0, 0), 0,   _),
    Stazione("Bisenzola",          267300, 21, 400, (1, 0, 1), (1, 1, 0), (2, 1, 0), 0,   _),
    Stazione("Marenzolo",          276050,  2, 300, (0, 0, 0), (0, 1, 0), (1, 0, 1), 0,   _),
    Stazione("Pontecervo",         285600,  4, 600, (1, 1, 0), (4, 1, 0), (5, 1, 1), 99,  "18:48:00"),
    Stazione("Vallombrina",        290800, 22, 400, (0, 0, 1), (1, 0, 0), (2, 0, 0), 0,   _),
    Stazione("Ferrosalto",         306900, 28, 400, (0, 0, 0), (0, 0, 0), (0, 0, 0), 0,   _),
    Stazione("Cala Ventura",       319650, 21, 500, (1, 0, 0), (1, 1, 0), (3, 1, 1), 0,   _),
    Stazione("Porto Calvizio",     332750,  8, 500, (1, 0, 0), (4, 1, 0), (2, 1, 1), 0,   "19:20:00"),
]

# The two stations that bound both temporary speed restrictions.
STAZIONI_RALLENTAMENTI = ("Ormelina", "Pozzoverde")

# The train's speed-limit profile: (position in metres, km/h), each row in
# force until the next.
VELOCITA = [
    (0, 30), (1000, 100), (5200, 120), (8600, 110), (13400, 100), (16400, 110), (27400, 130), (31500, 150),
    (44800, 130), (47600, 150), (60500, 160), (66900, 140), (72300, 160),
    (79800, 120), (82500, 160), (95700, 140), (99800, 120), (101950, 150),
    (112400, 170), (117900, 150), (134000, 170), (151200, 140), (155800, 170),
    (174300, 160), (181600, 170), (197400, 130), (202300, 160), (218700, 170),
    (230100, 150), (236800, 170), (248500, 130), (252600, 160), (266200, 140),
    (273900, 160), (283400, 120), (287900, 140), (292100, 105), (304800, 140),
    (313200, 110), (318900, 150), (325400, 130), (328600, 100), (330750, 60),
]

# Kilometre references of the line: (position from which it applies, offset,
# sense); the kilometre is position + offset (sense 0) or offset - position
# (sense 1).  Before the first one the kilometre is the position itself.
PROGRESSIVE = [(31100, 3050, 0), (284500, -284500, 0), (315950, 412050, 1)]

# Temporary speed restrictions: (start, km/h, length, f_tt, f_ta, d_v).
RALLENTAMENTI = [(123150, 80, 800, 0, 1, 80), (127450, 60, 250, 0, 1, 0)]


def chilometro(pos):
    """Kilometre point (metres) of a route position under the line's references."""
    km = pos
    for inizio, offset, senso in PROGRESSIVE:
        if pos >= inizio:
            km = offset - pos if senso else pos + offset
    return km
