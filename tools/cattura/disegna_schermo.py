#!/usr/bin/env python3
"""Draws a terminal screen, as `tmux capture-pane -p -e` writes it (text with
SGR colour sequences), into a PNG with a monospace font.

    disegna_schermo.py SCHERMO.ansi USCITA.png
"""
import re
import sys

from PIL import Image, ImageDraw, ImageFont

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
FONT_GRASSETTO = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf"
DIMENSIONE = 15
SFONDO = (30, 30, 30)
TESTO = (220, 220, 220)

# The 16 basic colours (a dark theme's), then the 6x6x6 cube and the greys.
BASE = [(0, 0, 0), (205, 49, 49), (13, 188, 121), (229, 229, 16), (36, 114, 200), (188, 63, 188), (17, 168, 205),
        (229, 229, 229), (102, 102, 102), (241, 76, 76), (35, 209, 139), (245, 245, 67), (59, 142, 234),
        (214, 112, 214), (41, 184, 219), (255, 255, 255)]


def colore_256(n):
    if n < 16:
        return BASE[n]
    if n < 232:
        n -= 16
        livelli = [0, 95, 135, 175, 215, 255]
        return (livelli[n // 36], livelli[(n // 6) % 6], livelli[n % 6])
    g = 8 + (n - 232) * 10
    return (g, g, g)


def celle(riga):
    """The characters of a line, each with its colours and weight."""
    fg, bg, grassetto, inverso, sotto = None, None, False, False, False
    out = []
    for parte in re.split(r"(\x1b\[[0-9;:]*m)", riga):
        if parte.startswith("\x1b["):
            codici = [int(c) if c else 0 for c in re.split(r"[;:]", parte[2:-1])] or [0]
            i = 0
            while i < len(codici):
                c = codici[i]
                if c == 0:
                    fg, bg, grassetto, inverso, sotto = None, None, False, False, False
                elif c == 4:
                    sotto = True
                    if i + 1 < len(codici) and ":" in parte:
                        i += 1  # 4:3, a curly underline
                elif c == 24:
                    sotto = False
                elif c == 1:
                    grassetto = True
                elif c == 22:
                    grassetto = False
                elif c == 7:
                    inverso = True
                elif c == 27:
                    inverso = False
                elif 30 <= c <= 37:
                    fg = BASE[c - 30]
                elif 90 <= c <= 97:
                    fg = BASE[c - 90 + 8]
                elif 40 <= c <= 47:
                    bg = BASE[c - 40]
                elif 100 <= c <= 107:
                    bg = BASE[c - 100 + 8]
                elif c == 39:
                    fg = None
                elif c == 49:
                    bg = None
                elif c in (38, 48) and i + 1 < len(codici):
                    if codici[i + 1] == 5 and i + 2 < len(codici):
                        col = colore_256(codici[i + 2])
                        i += 2
                    elif codici[i + 1] == 2 and i + 4 < len(codici):
                        col = tuple(codici[i + 2:i + 5])
                        i += 4
                    else:
                        col = None
                    if c == 38:
                        fg = col
                    else:
                        bg = col
                i += 1
            continue
        for ch in parte:
            f, b = fg or TESTO, bg or SFONDO
            if inverso:
                f, b = b, f
            out.append((ch, f, b, grassetto, sotto))
    return out


def main():
    righe = open(sys.argv[1], encoding="utf-8", errors="replace").read().split("\n")
    if righe and righe[-1] == "":
        righe.pop()
    font = ImageFont.truetype(FONT, DIMENSIONE)
    grassetto = ImageFont.truetype(FONT_GRASSETTO, DIMENSIONE)
    larghezza = round(font.getlength("M"))
    altezza = DIMENSIONE + 4
    colonne = max(len(celle(r)) for r in righe)
    img = Image.new("RGB", (colonne * larghezza + 16, len(righe) * altezza + 16), SFONDO)
    d = ImageDraw.Draw(img)
    for y, riga in enumerate(righe):
        for x, (ch, f, b, g, u) in enumerate(celle(riga)):
            px, py = 8 + x * larghezza, 8 + y * altezza
            if b != SFONDO:
                d.rectangle([px, py, px + larghezza - 1, py + altezza - 1], fill=b)
            if ch != " ":
                d.text((px, py + 1), ch, font=grassetto if g else font, fill=f)
            if u:
                d.line([px, py + altezza - 2, px + larghezza - 1, py + altezza - 2], fill=f)
    img.save(sys.argv[2], optimize=True)


if __name__ == "__main__":
    main()
