#!/usr/bin/python3
# Writes the DXF fixtures of the import tests with ezdxf (python3-ezdxf):
# one drawing per DXF version ezdxf writes, one inch drawing and one binary
# DXF, and "erwartet.txt" with what ezdxf reads back from each file: the
# entities by type as the import meets them (blocks expanded where they are
# inserted or dimensioned, up to five levels, attribute definitions inside
# blocks left out), and every TEXT and ATTRIB text as the drawing should
# show it (UTF-8 here; in the drawing code page 1252, '?' for what it lacks).
# Run from anywhere: /usr/bin/python3 tests/data/output/dxf/ezdxf/erzeugen.py
import os
import re
import sys
from collections import Counter

import ezdxf

HIER = os.path.dirname(os.path.abspath(__file__))
VERSIONEN = ["R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"]
TEXTE = ["Schütz K1 Größe Ärger Öl", "Ø20 %%c20 %%p0,5 %%d 100%%% € Ω"]


def zeichnen(doc, neu):
    doc.header["$INSUNITS"] = 4
    doc.header["$MEASUREMENT"] = 1
    doc.linetypes.add("Gestrichelt", pattern=[0.75, 0.5, -0.25], description="- - -")
    doc.layers.add("Leitungen", color=1, linetype="Gestrichelt")
    doc.layers.add("Wände", color=3, linetype="Continuous")
    doc.layers.add("Beschriftung", color=5)
    blk = doc.blocks.new(name="Schalter", base_point=(1, 1))
    blk.add_line((0, 0), (4, 0), dxfattribs={"layer": "LEITUNGEN"})
    blk.add_circle((2, 2), 1.5, dxfattribs={"layer": "wände"})
    blk.add_attdef("BMK", (0, 3), dxfattribs={"height": 2.5, "layer": "Beschriftung"})
    m = doc.modelspace()
    # Layer and line type names in another case than their table entries.
    m.add_line((0, 0), (100, 0), dxfattribs={"layer": "leitungen", "linetype": "GESTRICHELT"})
    m.add_line((0, 0), (0, 50), dxfattribs={"layer": "WÄNDE", "linetype": "ByLayer"})
    m.add_line((10, 10), (60, 35), dxfattribs={"layer": "Wände", "linetype": "continuous"})
    m.add_arc((50, 50), 20, 44.99999999999999, 135, dxfattribs={"layer": "Leitungen"})
    m.add_arc((80, 50), 10, 0, 90, dxfattribs={"layer": "Wände", "linetype": "BYBLOCK"})
    m.add_circle((30, 70), 12.5, dxfattribs={"layer": "Wände"})
    pl = m.add_polyline2d([(0, 100), (20, 100), (20, 120)], dxfattribs={"layer": "Wände", "closed": True})
    pl.vertices[1].dxf.bulge = 0.5
    m.add_point((5, 5), dxfattribs={"layer": "Wände"})
    m.add_solid([(60, 0), (70, 0), (60, 10), (70, 10)], dxfattribs={"layer": "Wände"})
    for i, t in enumerate(TEXTE):
        m.add_text(t, dxfattribs={"layer": "Beschriftung", "height": 3.5, "style": "standard",
                                  "insert": (0, -10 - 6 * i), "rotation": 44.99999999999999 * i})
    ins = m.add_blockref("Schalter", (120, 20), dxfattribs={"layer": "Leitungen"})
    ins.add_auto_attribs({"BMK": "Q1 Süd"})
    m.add_blockref("SCHALTER", (150, 20), dxfattribs={"layer": "Leitungen", "rotation": 90})
    dim = m.add_linear_dim(base=(0, 60), p1=(0, 0), p2=(100, 0), dxfattribs={"layer": "Beschriftung"})
    dim.render()
    if neu:
        m.add_lwpolyline([(0, 150, 0, 0, 0.5), (40, 150, 0, 0, -1), (40, 180)],
                         format="xyseb", dxfattribs={"layer": "Leitungen"})
        for k in range(3):
            m.add_spline([(0, 200 + k), (10, 210 + k), (20, 195 + k), (30, 205 + k)], dxfattribs={"layer": "Leitungen"})
        m.add_ellipse((100, 100), (20, 0), 0.5, dxfattribs={"layer": "Wände"})
        m.add_mtext("Verteilung Nord – Übersicht", dxfattribs={"layer": "Beschriftung", "insert": (0, -40),
                                                               "char_height": 3})
        h = m.add_hatch(color=2, dxfattribs={"layer": "Wände"})
        h.paths.add_polyline_path([(200, 0), (220, 0), (220, 20), (200, 20)], is_closed=True)
    else:
        # R12 knows none of the newer types: a 3D face stands for them.
        m.add_3dface([(200, 0), (220, 0), (220, 20), (200, 20)], dxfattribs={"layer": "Wände"})


def lesbar(t):
    """A TEXT value as the drawing shows it: escapes and control codes as
    their characters, in code page 1252, double quotes as blanks, at most
    60 characters."""
    t = re.sub(r"\\U\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), t)
    t = re.sub(r"%%([dDpPcC%])", lambda m: {"d": "°", "p": "±", "c": "ø", "%": "%"}[m.group(1).lower()], t)
    t = t.encode("cp1252", errors="replace").decode("cp1252").replace('"', " ")
    return t[:60]


def zaehlen(doc):
    typen = Counter()
    texte = []

    def block(name, tiefe):
        if tiefe > 5 or name not in doc.blocks:
            return
        for e in doc.blocks.get(name):
            t = e.dxftype()
            if t == "ATTDEF":
                continue
            typen[t] += 1
            if t == "TEXT":
                texte.append(lesbar(e.dxf.text))
            if t in ("INSERT", "DIMENSION"):
                block(e.dxf.geometry if t == "DIMENSION" else e.dxf.name, tiefe + 1)

    for e in doc.modelspace():
        t = e.dxftype()
        typen[t] += 1
        if t == "TEXT":
            texte.append(lesbar(e.dxf.text))
        if t == "INSERT":
            block(e.dxf.name, 1)
            for a in e.attribs:
                typen["ATTRIB"] += 1
                texte.append(lesbar(a.dxf.text))
        if t == "DIMENSION":
            block(e.dxf.geometry, 1)
    return typen, texte


def main():
    zeilen = []
    dateien = [(v.lower() + ".dxf", v, "asc") for v in VERSIONEN]
    dateien += [("zoll.dxf", "R2018", "asc"), ("binaer.dxf", "R2018", "bin")]
    for name, version, fmt in dateien:
        doc = ezdxf.new(version)
        zeichnen(doc, version != "R12")
        if name == "zoll.dxf":
            doc.header["$INSUNITS"] = 1
            doc.header["$MEASUREMENT"] = 0
        pfad = os.path.join(HIER, name)
        doc.saveas(pfad, fmt=fmt)
        if fmt == "bin":
            continue
        typen, texte = zaehlen(ezdxf.readfile(pfad))
        for t in sorted(typen):
            zeilen.append("%s %s %d" % (name, t, typen[t]))
        for t in texte:
            zeilen.append("%s text %s" % (name, t))
    with open(os.path.join(HIER, "erwartet.txt"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(zeilen) + "\n")


if __name__ == "__main__":
    sys.exit(main())
