"""Checks a DXF file as the cross-format test needs it: dxfpruef.py DXF.
Exit 0 when no text begins with "@" or holds a control character, the
header names the code page, every line type an entity or layer names is in
the LTYPE table, and ezdxf's audit finds no error and fixes nothing; else
prints what is wrong and exits 1."""
import sys

import ezdxf


def main():
    doc = ezdxf.readfile(sys.argv[1])
    fehler = []
    if "$DWGCODEPAGE" not in doc.header:
        fehler.append("no $DWGCODEPAGE")
    for e in doc.modelspace().query("TEXT"):
        t = e.dxf.text
        if t.startswith("@") or any(ord(c) < 32 for c in t):
            fehler.append("text %r" % t)
    namen = {lt.dxf.name.upper() for lt in doc.linetypes}
    benutzt = {e.dxf.linetype.upper() for e in doc.modelspace() if e.dxf.hasattr("linetype")}
    benutzt |= {la.dxf.linetype.upper() for la in doc.layers if la.dxf.hasattr("linetype")}
    for n in sorted(benutzt - namen - {"BYLAYER", "BYBLOCK"}):
        fehler.append("line type %s not in LTYPE" % n)
    a = doc.audit()
    fehler += [str(e.message) for e in a.errors + a.fixes]
    for f in fehler:
        print(f)
    sys.exit(1 if fehler else 0)


main()
