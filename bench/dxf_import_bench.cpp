// Benchmark of the DXF import against a plain read of the DXF file, one run
// per file, times and their ratio printed. Two generated DXF files of
// 200,000 entities (lines, arcs, circles, texts, polylines with bulges and
// inserts of a few blocks, on 20 layers with their line types): one with
// numbers of six decimals (about 26 MB), one with full-precision numbers as
// ezdxf and most CAD programs write them (the shortest text that reads back
// to the same double, up to 17 digits). Each is
//  0. read into memory with one fread and split into its group-code pairs
//     (the baseline),
//  1. imported into a new drawing (DxfImport), alternating with 0, five
//     runs each, minimum and median of CPU and wall time.
// For the profile, the parser runs once more after 1 with a callback that
// drops the text lines: the rest of 1 is the writing of the drawing.
// Target: 1 within 4 times the baseline in CPU time on the full-precision
// file. Built with -DVELMO_BENCH=ON, never
// run by CTest. Files go to the process's temporary folder; the shipped
// "dxfconfig.txt" is the configuration. Calls output/dxfimp, config/,
// model/ and platform/.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "model/einstell.h"
#include "output/dxfimp.h"
#include "output/dxfkonf.h"
#include "platform/orte.h"
#include "bench/messen.h"

namespace {

const char* const kTypen[] = {"CONTINUOUS", "DASHED", "DOTTED", "DASHDOT", "DIVIDE", "HIDDEN", "CENTER"};

struct Schreiber {
    std::string t;
    unsigned handle = 0x100;
    bool voll = false;  // full precision
    unsigned rauschen = 1;
    void paar(int code, const std::string& wert)
    {
        char c[8];
        std::snprintf(c, sizeof c, "%3d", code);
        t += c;
        t += "\r\n";
        t += wert;
        t += "\r\n";
    }
    void zahl(int code, double v)
    {
        char z[40];
        if (voll) {
            // What a drawing computed by a CAD program holds: values a few
            // ulps off their round ones, written in full.
            rauschen = rauschen * 1103515245u + 12345u;
            if (v != 0) v += v * ((rauschen >> 8) % 1000) * 1e-15 + 1.0 / 3 * 1e-9;
            auto r = std::to_chars(z, z + sizeof z - 1, v);
            *r.ptr = '\0';
        } else {
            std::snprintf(z, sizeof z, "%.6f", v);
        }
        paar(code, z);
    }
    // An entity's head as common writers give it: layer, line type and
    // colour by layer.
    void kopf(const char* typ, const std::string& layer)
    {
        char h[16];
        std::snprintf(h, sizeof h, "%X", ++handle);
        paar(0, typ);
        paar(5, h);
        paar(8, layer);
        paar(6, "BYLAYER");
        paar(62, "   256");
    }
    void punkt(int code, double x, double y)
    {
        zahl(code, x);
        zahl(code + 10, y);
        zahl(code + 20, 0);
    }
};

std::string erzeugen(int anzahl, bool voll)
{
    Schreiber s;
    s.voll = voll;
    s.paar(0, "SECTION");
    s.paar(2, "HEADER");
    s.paar(9, "$ACADVER");
    s.paar(1, "AC1009");
    s.paar(0, "ENDSEC");
    s.paar(0, "SECTION");
    s.paar(2, "TABLES");
    s.paar(0, "TABLE");
    s.paar(2, "LTYPE");
    for (const char* n : kTypen) {
        s.paar(0, "LTYPE");
        s.paar(2, n);
        s.paar(70, "0");
    }
    s.paar(0, "ENDTAB");
    s.paar(0, "TABLE");
    s.paar(2, "LAYER");
    for (int i = 0; i < 20; ++i) {
        s.paar(0, "LAYER");
        s.paar(2, "L" + std::to_string(i));
        s.paar(70, "0");
        s.paar(62, std::to_string(i + 1));
        s.paar(6, kTypen[i % 7]);
    }
    s.paar(0, "ENDTAB");
    s.paar(0, "ENDSEC");
    s.paar(0, "SECTION");
    s.paar(2, "BLOCKS");
    for (int b = 0; b < 3; ++b) {
        s.paar(0, "BLOCK");
        s.paar(8, "0");
        s.paar(2, "B" + std::to_string(b));
        s.paar(70, "0");
        s.zahl(10, 0);
        s.zahl(20, 0);
        s.paar(0, "LINE");
        s.paar(8, "L1");
        s.zahl(10, 0);
        s.zahl(20, 0);
        s.zahl(11, 5 + b);
        s.zahl(21, 5);
        s.paar(0, "CIRCLE");
        s.paar(8, "L2");
        s.zahl(10, 2);
        s.zahl(20, 2);
        s.zahl(40, 1.5);
        s.paar(0, "ENDBLK");
        s.paar(8, "0");
    }
    s.paar(0, "ENDSEC");
    s.paar(0, "SECTION");
    s.paar(2, "ENTITIES");
    for (int i = 0; i < anzahl; ++i) {
        const std::string layer = "L" + std::to_string((i / 50) % 20);
        const double x = (i % 400) * 1.25, y = (i / 400) % 300 * 1.5;
        switch (i % 8) {
        case 0:
        case 1:
            s.kopf("LINE", layer);
            s.punkt(10, x, y);
            s.punkt(11, x + 3.5, y + 1.25);
            break;
        case 2:
            s.kopf("ARC", layer);
            s.punkt(10, x, y);
            s.zahl(40, 2.5);
            s.zahl(50, 30);
            s.zahl(51, 120);
            break;
        case 3:
            s.kopf("CIRCLE", layer);
            s.punkt(10, x, y);
            s.zahl(40, 1.75);
            break;
        case 4:
            s.kopf("TEXT", layer);
            s.punkt(10, x, y);
            s.zahl(40, 2.5);
            s.paar(1, "Klemme X" + std::to_string(i));
            break;
        case 5: {
            // A polyline counts its head, three vertices and the end.
            s.kopf("POLYLINE", layer);
            s.paar(66, "1");
            s.punkt(10, 0, 0);
            s.paar(70, "1");
            const double p[3][3] = {{x, y, 0.5}, {x + 4, y, 0}, {x + 4, y + 3, -0.25}};
            for (const auto& v : p) {
                s.kopf("VERTEX", layer);
                s.punkt(10, v[0], v[1]);
                s.zahl(42, v[2]);
            }
            s.paar(0, "SEQEND");
            s.paar(8, layer);
            i += 4;
            break;
        }
        default:
            s.kopf("INSERT", layer);
            s.paar(2, "B" + std::to_string(i % 3));
            s.punkt(10, x, y);
            s.zahl(41, 1);
            s.zahl(42, 1);
            s.zahl(50, (i % 4) * 90.0);
            break;
        }
    }
    s.paar(0, "ENDSEC");
    s.paar(0, "EOF");
    return s.t;
}

// The baseline: the file's bytes into memory with one fread into a buffer
// of its size, split into group-code pairs (the code read as a number, the
// value's line found). Any import must read every byte and find every line;
// nothing cheaper does that. 0 when the file cannot be read.
size_t grundlinie(const std::string& pfad)
{
    std::FILE* f = std::fopen(pfad.c_str(), "rb");
    if (!f) return 0;
    std::fseek(f, 0, SEEK_END);
    const long laenge = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    std::vector<char> d(static_cast<size_t>(laenge > 0 ? laenge : 0));
    const size_t gelesen = std::fread(d.data(), 1, d.size(), f);
    std::fclose(f);
    if (gelesen != d.size()) return 0;
    size_t paare = 0, summe = 0;
    const char* p = d.data();
    const char* ende = p + d.size();
    while (p < ende) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(ende - p)));
        const char* e = lf ? lf : ende;
        summe += static_cast<size_t>(std::atoi(p));
        p = lf ? lf + 1 : ende;
        lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(ende - p)));
        summe += static_cast<size_t>(e - p > 0);
        p = lf ? lf + 1 : ende;
        ++paare;
    }
    return paare + (summe & 1);
}

const char* const kBasis = "DXF lesen (ein fread) und in Paare teilen";

}  // namespace

int main()
{
    setenv("VELMO_BACKEND", "headless", 1);
    const std::string ordner = plOrtTemp();
    // The shipped configuration of the source tree this was built from.
    const std::string daten = std::string(VELMO_SOURCE_DIR) + "/data";
    VerSetzen(0, daten.c_str());
    VgbFehlMeldung(0);
    GrundEinstLesen(nullptr);
    GrundEinst()->zvms = 10;

    int fehler = 0;
    for (bool voll : {false, true}) {
        const char* art = voll ? "full-precision numbers" : "six decimals";
        const std::string dxf = ordner + (voll ? "/voll.dxf" : "/gross.dxf");
        {
            const std::string t = erzeugen(200000, voll);
            std::ofstream aus(dxf, std::ios::binary);
            aus << t;
            std::printf("DXF (%s): 200000 entities, %.1f MB\n", art, t.size() / 1e6);
        }
        size_t paare = 0;
        int r = 0;
        const std::string zei = ordner + (voll ? "/voll.zvk" : "/gross.zvk");
        DxfImpKonfig();
        const messung::Paare p = messung::abwechselnd(
            5, [&] { return messung::einmal([&] { return (paare = grundlinie(dxf)) > 0; }); },
            [&] { return messung::einmal([&] { return (r = DxfImport(dxf.c_str(), zei.c_str())) == 0; }); });
        // A failed import is no measurement: no ratio.
        if (!p.gut) {
            std::fprintf(stderr, "dxf_import_bench: Import fehlgeschlagen (%d)\n", r);
            fehler = 1;
            continue;
        }
        std::printf("  %zu pairs\n", paare);
        messung::bericht(kBasis, "DxfImport", p);
        const messung::Lauf parser = messung::einmal([&] {
            DxfLesen(dxf.c_str(), [](const char*) {});
            return true;
        });
        std::printf("  %-44s CPU %8.4f s  %6.2fx (einmal)\n", "profile: parser and text lines alone", parser.cpu,
                    parser.cpu / messung::median(p.basis.cpu));
        std::ifstream z(zei, std::ios::binary | std::ios::ate);
        std::printf("  drawing: %.1f MB\n", static_cast<double>(z.tellg()) / 1e6);
        if (voll) messung::ziel("6 DXF-Import (200.000 Objekte, volle Genauigkeit)", p, 4.0, kBasis);
    }
    return fehler;
}

