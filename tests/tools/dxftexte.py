"""Lists the texts of a DXF file as a reader sets them: dxftexte.py DXF OUT.
One line a TEXT entity: the start and the end of its base line, its height
(drawing units) and its text as hex bytes of code page 1252, blank
separated. A fitted or aligned text runs between its two points; any other
is as wide as ezdxf's stand-in for its style's font makes it, placed by
its alignment."""
import math
import sys

import ezdxf
from ezdxf.tools import fonts


def main():
    doc = ezdxf.readfile(sys.argv[1])
    zeilen = []
    for e in doc.modelspace().query("TEXT"):
        t = e.dxf.text
        h = e.dxf.height
        p = e.dxf.insert
        hor = e.dxf.get("halign", 0)
        if hor in (3, 5) and e.dxf.hasattr("align_point"):
            a, b = p, e.dxf.align_point
        else:
            stil = doc.styles.get(e.dxf.get("style", "STANDARD"))
            datei = stil.dxf.font if stil is not None else "txt"
            w = fonts.make_font(datei or "txt", h, e.dxf.get("width", 1.0)).text_width(t)
            r = math.radians(e.dxf.get("rotation", 0.0))
            d = (math.cos(r), math.sin(r))
            anker = e.dxf.align_point if hor in (1, 2, 4) and e.dxf.hasattr("align_point") else p
            zurueck = {1: w / 2, 4: w / 2, 2: w}.get(hor, 0)
            a = (anker[0] - d[0] * zurueck, anker[1] - d[1] * zurueck)
            b = (a[0] + d[0] * w, a[1] + d[1] * w)
        zeilen.append("%.3f %.3f %.3f %.3f %.3f %s\n" % (a[0], a[1], b[0], b[1], h, t.encode("cp1252", "replace").hex()))
    with open(sys.argv[2], "w") as f:
        f.writelines(zeilen)


main()
