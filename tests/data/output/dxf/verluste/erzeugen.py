#!/usr/bin/python3
# Writes the DXF fixtures of what an import cannot take whole, with ezdxf
# (python3-ezdxf): a millimetre and an inch drawing with lines and arcs under
# 0.1, a drawing of nothing but such lines (no unit, as font files are),
# points of point mode 0 and 3, texts over 60 characters and the diameter
# sign as U+2300. "erwartet.txt" holds, per file, what the script drew and
# the import must report: the lines of the closing message ("meldung", in
# order; none: no message), log lines ("log"), the dots the drawing shows
# ("punkte") and its texts in order ("text", UTF-8 here, code page 1252 in
# the drawing). Every count in them is counted here while drawing.
# Run from anywhere: /usr/bin/python3 tests/data/output/dxf/verluste/erzeugen.py
import math
import os
import sys
from collections import Counter

import ezdxf

HIER = os.path.dirname(os.path.abspath(__file__))
LOG = "dxflog.txt"
# No dates or GUIDs of the moment: a second run writes the same bytes.
ezdxf.options.write_fixed_meta_data_for_testing = True


def skala_runden(p):
    """The smallest of 1, 2 or 5 times a power of ten at or above p."""
    z = 10.0 ** math.floor(math.log10(p))
    while True:
        for f in (1, 2, 5):
            if f * z >= p * (1 - 1e-9):
                return f * z
        z *= 10


def zahl(v):
    """A factor as the program writes it: "2540", "25,4"."""
    return ("%.10g" % v).replace(".", ",")


class Zeichnung:
    """A drawing and what it lost: elements under 0.1 by type, each with the
    scale (percent) that would keep it (None: no scale would)."""

    def __init__(self, version, einheit):
        self.doc = ezdxf.new(version)
        self.doc.header["$INSUNITS"] = einheit
        self.m = self.doc.modelspace()
        self.klein = Counter()
        self.noetig = []
        self.gekuerzt = Counter()
        self.punkte = 0
        self.texte = []
        self.objekte = 0

    def linie(self, x, y, dx, dy):
        self.m.add_line((x, y), (x + dx, y + dy))
        self.objekte += 1
        groesse = max(abs(dx), abs(dy))
        if groesse < 0.1:
            self.klein["LINE"] += 1
            self.noetig.append(100 * 0.1 / groesse if groesse > 0 else None)

    def bogen(self, x, y, r, a, b):
        self.m.add_arc((x, y), r, a, b)
        self.objekte += 1
        if int(a) == int(b):
            self.klein["ARC"] += 1
            self.noetig.append(None)
        elif r < 0.1:
            self.klein["ARC"] += 1
            self.noetig.append(100 * 0.1 / r)

    def punkt(self, x, y):
        self.m.add_point((x, y))
        self.objekte += 1
        self.punkte += 1

    def text(self, t, y):
        self.m.add_text(t, dxfattribs={"insert": (0, y), "height": 2.5})
        self.objekte += 1
        lesbar = t.replace("\u2300", "\u00f8").replace("%%c", "\u00f8")
        if len(lesbar) > 60:
            self.gekuerzt["TEXT"] += 1
            lesbar = lesbar[:60]
        self.texte.append(lesbar)

    def hinweise(self, mm):
        """The sentences naming the scale that keeps them (see the import)."""
        moeglich = [p for p in self.noetig if p is not None]
        if not moeglich:
            return []
        alle = len(self.noetig)

        def satz(skala, n):
            if n < alle:
                return "Mit Skalierung %s %% %s %d davon erhalten" % (skala, "bliebe" if n == 1 else "blieben", n)
            return "Mit Skalierung %s %% %s erhalten" % (skala, "bliebe es" if alle == 1 else "blieben sie")

        h = []
        if mm > 1:
            n = len([p for p in moeglich if p <= mm * 100 * (1 + 1e-9)])
            if n:
                h.append(satz(zahl(mm * 100), n) + " (Faktor %s der Einheit Zoll)" % zahl(mm))
            if n == len(moeglich):
                return h
        h.append(satz(zahl(skala_runden(max(moeglich))), len(moeglich)))
        return h

    def erwartet(self, name, mm=1, pdmode=0):
        meldung, log = [], []
        if mm == 25.4:
            meldung.append("Die Datei ist in Zoll gezeichnet ($INSUNITS 1); Faktor 25,4 ergibt Millimeter "
                           "(Skalierung 2540 %).")
        if self.klein:
            liste = ", ".join("%s %d" % (t, self.klein[t]) for t in sorted(self.klein))
            meldung.append("Unter 0,1 mm nicht übernommen: %s (je Art eine Zeile in %s)." % (liste, LOG))
            log += ["%s: %d unter 0,1 mm nicht übernommen" % (t, self.klein[t]) for t in sorted(self.klein)]
            for h in self.hinweise(mm):
                meldung.append(h + ".")
                log.append(h)
        if self.gekuerzt:
            liste = ", ".join("%s %d" % (t, self.gekuerzt[t]) for t in sorted(self.gekuerzt))
            meldung.append("Auf 60 Zeichen gekürzt: %s." % liste)
            log += ["%s: %d auf 60 Zeichen gekürzt" % (t, self.gekuerzt[t]) for t in sorted(self.gekuerzt)]
        gezeigt = self.punkte
        if self.punkte and pdmode != 0:
            # The standard library holds the dot of point mode 0 only.
            meldung.append("POINT %d als Symbol PUNKT%d, das die Bauteilbibliothek nicht enthält." % (self.punkte, pdmode))
            log.append("POINT: %d als Symbol PUNKT%d gesetzt, das die Bauteilbibliothek nicht enthält" % (self.punkte, pdmode))
            gezeigt = 0
        genommen = self.objekte - sum(self.klein.values())
        if genommen == 0:
            meldung.append("Die Zeichnung ist leer: keines der %d Objekte der DXF-Datei wurde übernommen." % self.objekte)
        zeilen = ["%s meldung %s" % (name, z) for z in meldung]
        zeilen += ["%s log %s" % (name, z) for z in log]
        zeilen.append("%s punkte %d" % (name, gezeigt))
        zeilen += ["%s text %s" % (name, t) for t in self.texte]
        return zeilen


def mm():
    z = Zeichnung("R2000", 4)
    for i in range(10):
        z.linie(0, 10 * i, 50, 0)
    for i in range(3):
        z.bogen(100, 20 * i, 5, 0, 90)
    for i in range(4):
        z.linie(10 + i, 5, 0.05, 0)       # kept at 200 %
    for i in range(3):
        z.linie(20 + i, 5, 0.02, -0.01)   # kept at 500 %
    z.linie(30, 5, 0, 0)                  # no scale keeps it
    for i in range(2):
        z.bogen(40 + i, 5, 0.05, 0, 90)   # 200 %
    for i in range(2):
        z.bogen(50 + i, 5, 0.08, 90, 270)  # 125 %
    z.bogen(60, 5, 5, 10.2, 10.7)         # both ends in one degree
    return z


def zoll():
    z = Zeichnung("R2000", 1)
    for i in range(5):
        z.linie(0, i, 2, 0)
    for i in range(6):
        z.linie(3 + i, 0, 0.05, 0.05)     # kept at the unit's 2540 %
    for i in range(3):
        z.linie(3 + i, 1, 0, 0.002)       # 5000 %
    for i in range(2):
        z.bogen(3 + i, 2, 0.04, 0, 180)   # 250 %
    return z


def nur_klein():
    # A font's outlines: every line under 0.04 units, the file names no unit.
    z = Zeichnung("R2000", 0)
    for i in range(40):
        z.linie(0.05 * i, 0, 0.03 if i % 4 else 0.01, 0.005 * (i % 3))
    return z


def punkte(pdmode):
    z = Zeichnung("R2000", 4)
    z.doc.header["$PDMODE"] = pdmode
    z.linie(0, 0, 100, 0)
    for x, y in [(10, 10), (20.5, 15), (30, 40), (-5, 7.25)]:
        z.punkt(x, y)
    return z


def texte():
    z = Zeichnung("R2000", 4)
    z.text("Kurz", 0)
    z.text("\u230020 Rohr", -5)      # written as \U+2300 in this version
    z.text("%%c16 Rohr", -10)
    z.text("Ein Text, der l\u00e4nger ist als sechzig Zeichen und daher gek\u00fcrzt wird", -15)
    z.text("x" * 61, -20)
    z.text("Kabelweg \u2300 50: " + "abcdefghij" * 12, -25)
    z.text("y" * 60, -30)
    return z


def main():
    zeilen = []
    for name, z, mm_, pdmode in [("mm.dxf", mm(), 1, 0), ("zoll.dxf", zoll(), 25.4, 0),
                                 ("nur_klein.dxf", nur_klein(), 1, 0), ("punkte.dxf", punkte(0), 1, 0),
                                 ("punkte3.dxf", punkte(3), 1, 3), ("texte.dxf", texte(), 1, 0)]:
        pfad = os.path.join(HIER, name)
        z.doc.saveas(pfad)
        zeilen += z.erwartet(name, mm_, pdmode)
    with open(os.path.join(HIER, "erwartet.txt"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(zeilen) + "\n")


if __name__ == "__main__":
    sys.exit(main())
