"""Draws a DXF file's model space with ezdxf's drawing add-on (matplotlib)
into a PNG of a fixed sheet: dxfbild.py DXF PNG WIDTH_MM HEIGHT_MM PX_PER_MM
[ohne-text]. The sheet's millimetres map onto the picture at one scale, so
it can be laid over the other outputs of the same sheet."""
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import ezdxf  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402


def main():
    dxf, png = sys.argv[1], sys.argv[2]
    w, h, dichte = float(sys.argv[3]), float(sys.argv[4]), float(sys.argv[5])
    ohne_text = len(sys.argv) > 6 and sys.argv[6] == "ohne-text"
    doc = ezdxf.readfile(dxf)
    fig = plt.figure(figsize=(w / 25.4, h / 25.4), dpi=dichte * 25.4)
    ax = fig.add_axes([0, 0, 1, 1])
    ax.set_axis_off()
    ctx = RenderContext(doc)
    ctx.set_current_layout(doc.modelspace())
    ctx.current_layout_properties.set_colors("#ffffff")
    Frontend(ctx, MatplotlibBackend(ax)).draw_entities(
        doc.modelspace(), filter_func=(lambda e: e.dxftype() != "TEXT") if ohne_text else None
    )
    ax.set_xlim(0, w)
    ax.set_ylim(0, h)
    fig.savefig(png, dpi=dichte * 25.4, facecolor="white")


main()
