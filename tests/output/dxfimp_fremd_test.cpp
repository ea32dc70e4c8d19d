// DXF import of files other programs wrote: the ezdxf fixtures of every
// version (tests/data/output/dxf/ezdxf, made by erzeugen.py there) against
// what ezdxf reads from them (erwartet.txt): entities by type, texts with
// umlauts, the log lines of what was left out and of missing names, the
// closing message; an inch drawing, a binary DXF; code pages and escapes;
// names in another case; angles a remainder below a tenth; switching
// between layers with long table entries in linear time.
#include "output/dxfimp.h"

#include <chrono>
#include <fstream>
#include <map>
#include <sstream>

#include "dxftest.h"
#include "model/befehl.h"
#include "model/zeilauf.h"
#include "model/zustand.h"
#include "output/dxfkonf.h"
#include "platform/cp1252.h"
#include "support/bdatei.h"

namespace {

using namespace dxftest;
using V = std::vector<std::string>;

std::string fixture(const std::string& name) { return daten("ezdxf/" + name); }

// What ezdxf read from a fixture: counts by type and the texts in order.
struct Erwartet {
    std::map<std::string, long> typen;
    V texte;  // code page 1252
};

Erwartet erwartet(const std::string& datei)
{
    Erwartet e;
    std::ifstream f(fixture("erwartet.txt"));
    std::string zeile;
    while (std::getline(f, zeile)) {
        if (zeile.rfind(datei + " ", 0) != 0) continue;
        const std::string rest = zeile.substr(datei.size() + 1);
        if (rest.rfind("text ", 0) == 0) {
            e.texte.push_back(plCpAusUtf8(rest.substr(5)));
        } else {
            const size_t l = rest.find(' ');
            e.typen[rest.substr(0, l)] = std::stol(rest.substr(l + 1));
        }
    }
    return e;
}

V zeilenVon(const std::string& t)
{
    V v;
    std::istringstream s(t);
    std::string z;
    while (std::getline(s, z)) {
        if (!z.empty() && z.back() == '\r') z.pop_back();
        v.push_back(z);
    }
    return v;
}

bool enthaeltZeile(const V& v, const std::string& z) { return std::find(v.begin(), v.end(), z) != v.end(); }

bool genommen(const std::string& typ)
{
    for (const char* t : {"LINE", "TEXT", "ARC", "POINT", "CIRCLE", "SOLID", "POLYLINE", "ATTRIB", "INSERT", "DIMENSION"}) {
        if (typ == t) return true;
    }
    return false;
}

// The texts of a drawing's TFA records, in order.
V texteDerZeichnung(const std::string& zei)
{
    V v;
    ZeiDatei z;
    EXPECT_EQ(ZeiDateiLesend(&z, zei.c_str()), 0);
    BEF b;
    while (ZeiBefLesen(&z, &b) == 0) {
        if (b.code == BefCode("TFA")) v.push_back(b.text);
    }
    bdclose(&z.datei);
    return v;
}

// What a drawing holds, by kind of element.
struct Bestand {
    long linien = 0, boegen = 0, kreise = 0, punkte = 0, texte = 0;
};

Bestand bestandDerZeichnung(const std::string& zei)
{
    Bestand n;
    ZeiDatei z;
    EXPECT_EQ(ZeiDateiLesend(&z, zei.c_str()), 0);
    BEF b;
    while (ZeiBefLesen(&z, &b) == 0) {
        if (b.code == BefCode("ZL")) ++n.linien;
        else if (b.code == BefCode("TKR")) ++n.boegen;
        else if (b.code == BefCode("KRE")) ++n.kreise;
        else if (b.code == BefCode("ZB") && std::string(b.text).rfind("PUNKT", 0) == 0) ++n.punkte;
        else if (b.code == BefCode("TFA")) ++n.texte;
    }
    bdclose(&z.datei);
    return n;
}

class DxfFremd : public DxfOrdner {
protected:
    // Imports a copy of a fixture (the log goes beside it); the drawing.
    std::string importieren(const std::string& quelle, int erwartet = 0)
    {
        fs::copy_file(quelle, pfad("ein.dxf"), fs::copy_options::overwrite_existing);
        EXPECT_EQ(DxfImport(pfad("ein.dxf").c_str(), pfad("neu.zvk").c_str()), erwartet);
        return pfad("neu.zvk");
    }
    std::string importierenText(const std::string& dxf)
    {
        schreiben(pfad("text.dxf"), dxf);
        return importieren(pfad("text.dxf"));
    }
    V log() { return zeilenVon(lesen(pfad("dxflog.txt"))); }
};

// A DXF file from "code|value|..." pairs.
std::string paare(const std::string& t)
{
    std::string aus;
    size_t p = 0;
    while (p <= t.size()) {
        size_t e = t.find('|', p);
        if (e == std::string::npos) e = t.size();
        aus += t.substr(p, e - p) + "\r\n";
        p = e + 1;
    }
    return aus;
}

TEST_F(DxfFremd, EveryVersionEzdxfWritesArrivesAsEzdxfReadsIt)
{
    for (const char* name : {"r12.dxf", "r2000.dxf", "r2004.dxf", "r2007.dxf", "r2010.dxf", "r2013.dxf", "r2018.dxf",
                             "zoll.dxf"}) {
        SCOPED_TRACE(name);
        plNachrichtBoxFragenLeeren();
        const Erwartet soll = erwartet(name);
        ASSERT_FALSE(soll.typen.empty());
        const std::string zei = importieren(fixture(name));
        const V l = log();
        V fehlt, fehltLog;
        for (const auto& [typ, n] : soll.typen) {
            EXPECT_EQ(DxfLetzteAnzahl(typ.c_str()), n) << typ;
            if (genommen(typ)) continue;
            fehlt.push_back(typ + " " + std::to_string(n));
            fehltLog.push_back(typ + ": " + std::to_string(n) + " nicht \xFC" "bernommen");
        }
        // Each type left out is one log line with its count, and the
        // closing message names them all.
        for (const std::string& z : fehltLog) EXPECT_EQ(std::count(l.begin(), l.end(), z), 1) << z;
        EXPECT_EQ(texteDerZeichnung(zei), soll.texte);
        // What the drawing holds, from what ezdxf read: an arc, a circle, a
        // point symbol for each ARC, CIRCLE, POINT (blocks expanded), a text
        // for each TEXT and ATTRIB; the closed polyline (three vertices, the
        // second bulged) an arc besides; lines at least one for each LINE.
        auto anzahl = [&](const char* typ) {
            const auto it = soll.typen.find(typ);
            return it == soll.typen.end() ? 0L : it->second;
        };
        const Bestand hat = bestandDerZeichnung(zei);
        ASSERT_EQ(anzahl("POLYLINE"), 1);
        EXPECT_GE(hat.linien, anzahl("LINE"));
        EXPECT_EQ(hat.boegen, anzahl("ARC") + 1);
        EXPECT_EQ(hat.kreise, anzahl("CIRCLE"));
        EXPECT_EQ(hat.punkte, anzahl("POINT"));
        EXPECT_EQ(hat.texte, anzahl("TEXT") + anzahl("ATTRIB"));
        // Names differ from their table entries only in case: none is
        // missing; what is missing (the line type "Gestrichelt" in the
        // configuration, Omega in code page 1252) is logged once.
        for (const std::string& z : l) {
            EXPECT_EQ(std::count(l.begin(), l.end(), z), 1) << z;
            if (z.find(" nicht gefunden") != std::string::npos) {
                EXPECT_TRUE(z.rfind("Linientyp GESTRICHELT ", 0) == 0 || z.rfind("Farbe ", 0) == 0) << z;
            }
        }
        EXPECT_EQ(std::count(l.begin(), l.end(), "Linientyp GESTRICHELT nicht gefunden (7)"), 1);  // as first met
        EXPECT_EQ(std::count_if(l.begin(), l.end(), [](const std::string& z) { return z.find("durch '?' ersetzt") != z.npos; }), 1);
        const V w = warnungen();
        ASSERT_EQ(w.size(), 1u) << ::testing::PrintToString(w);
        std::string liste;
        for (const std::string& f : fehlt) liste += (liste.empty() ? " " : ", ") + f;
        EXPECT_NE(w[0].find("Nicht \xFC" "bernommen:" + liste + " (je Art eine Zeile in dxflog.txt)."), std::string::npos)
            << w[0];
        // Written once: nothing beside the drawing but the log.
        EXPECT_EQ(dateien(), (V{"dxflog.txt", "ein.dxf", "neu.zvk"}));
        ZeiKopf k;
        EXPECT_EQ(ZeiKopfLesen(zei.c_str(), &k), 0);
    }
}

TEST_F(DxfFremd, AnInchDrawingKeepsItsScaleAndSaysItsFactor)
{
    const std::string zei = importieren(fixture("zoll.dxf"));
    const V l = log();
    EXPECT_EQ(std::count(l.begin(), l.end(), "Einheit der Datei: Zoll ($INSUNITS 1), Faktor 25,4 ergibt Millimeter"), 1)
        << ::testing::PrintToString(l);
    ASSERT_EQ(warnungen().size(), 1u);
    EXPECT_NE(warnungen()[0].find("Die Datei ist in Zoll gezeichnet ($INSUNITS 1); Faktor 25,4 ergibt Millimeter "
                                  "(Skalierung 2540 %)."),
              std::string::npos)
        << warnungen()[0];
    // The first line of the file, 100 units long, stays 100 long.
    const std::string t = alsText(zei);
    EXPECT_NE(t.find("ZL 100,0000 0,0000"), std::string::npos);
    // A drawing in millimetres says nothing of its unit.
    plNachrichtBoxFragenLeeren();
    importieren(fixture("r2018.dxf"));
    EXPECT_EQ(warnungen()[0].find("gezeichnet"), std::string::npos);
    EXPECT_TRUE(enthaeltZeile(log(), "Einheit der Datei: Millimeter ($INSUNITS 4), Faktor 1 ergibt Millimeter"));
}

TEST_F(DxfFremd, ABinaryDxfIsRefusedBeforeAnythingIsWritten)
{
    schreiben(pfad("dxflog.txt"), "vorher\r\n");
    importieren(fixture("binaer.dxf"), -1);
    EXPECT_EQ(warnungen(), V{"Die DXF-Datei " + pfad("ein.dxf") +
                             " ist bin\xE4r gespeichert. Importiert werden DXF-Dateien im Textformat (ASCII); "
                             "speichern Sie die Zeichnung im CAD-Programm als ASCII-DXF."});
    EXPECT_EQ(dateien(), (V{"dxflog.txt", "ein.dxf"}));
    EXPECT_EQ(lesen(pfad("dxflog.txt")), "vorher\r\n");
}

TEST_F(DxfFremd, LeftOutTypesAreLoggedAndAnEmptyResultIsNamed)
{
    const std::string spline = "0|SPLINE|8|0|10|0|20|0|10|5|20|5|10|10|20|0|";
    importierenText(paare("0|SECTION|2|ENTITIES|" + spline + spline + "0|LWPOLYLINE|8|0|90|2|10|0|20|0|10|0|20|0.05|"
                          "0|LINE|8|0|10|0|20|0|11|0.01|21|0|0|ENDSEC|0|EOF"));
    const V l = log();
    EXPECT_TRUE(enthaeltZeile(l, "SPLINE: 2 nicht \xFC" "bernommen"));
    EXPECT_TRUE(enthaeltZeile(l, "LWPOLYLINE: 1 nicht \xFC" "bernommen"));
    EXPECT_TRUE(enthaeltZeile(l, "LINE: 1 unter 0,1 mm nicht \xFC" "bernommen"));
    EXPECT_EQ(warnungen(), V{"DXF-Import " + pfad("ein.dxf") + ":\nNicht \xFC" "bernommen: LWPOLYLINE 1, SPLINE 2 (je Art "
                             "eine Zeile in dxflog.txt).\nUnter 0,1 mm nicht \xFC" "bernommen: LINE 1 (je Art eine Zeile "
                             "in dxflog.txt).\nMit Skalierung 1000 % bliebe es erhalten.\nDie Zeichnung ist leer: keines "
                             "der 4 Objekte der DXF-Datei wurde \xFC" "bernommen."});
    // A file of taken types only says nothing.
    plNachrichtBoxFragenLeeren();
    importierenText(paare("0|SECTION|2|ENTITIES|0|LINE|8|0|10|0|20|0|11|10|21|0|0|ENDSEC|0|EOF"));
    EXPECT_EQ(warnungen(), V{});
}

// Positions of the filled circles a drawing shows inside placed symbols.
std::vector<std::pair<double, double>> gezeigtePunkte;

int punktSammeln(const BEF* b, const STT* s)
{
    if (b->code == BefCode("KRE") && b->iarg[0] != 0 && s->tiefe > 0) gezeigtePunkte.emplace_back(s->x, s->y);
    return 0;
}

// A DXF point arrives as the symbol "PUNKT" + $PDMODE; the standard library
// holds PUNKT0, a dot, so the drawing shows a dot at each point. A point
// mode whose symbol the library lacks is named with the points' count.
TEST_F(DxfFremd, PointsShowAsTheDotOfTheStandardLibrary)
{
    fs::copy_file(std::string(VELMO_SOURCE_DIR) + "/data/BAUTEILE.STD", ordner / "prog" / "BAUTEILE.STD");
    std::snprintf(GrundEinst()->zvbd, sizeof GrundEinst()->zvbd, "STD");  // the shipped library, as in the demo
    const std::string punkte = "0|POINT|8|0|10|4|20|5|0|POINT|8|0|10|40.5|20|50|0|POINT|8|0|10|-3|20|7|";
    std::string zei = importierenText(paare("0|SECTION|2|ENTITIES|" + punkte + "0|ENDSEC|0|EOF"));
    EXPECT_EQ(warnungen(), V{});
    gezeigtePunkte.clear();
    STT s;
    SttInit(&s, nullptr);
    ASSERT_EQ(ZeiDurchlaufen(zei.c_str(), &s, punktSammeln), 0);
    EXPECT_EQ(gezeigtePunkte, (std::vector<std::pair<double, double>>{{4, 5}, {40.5, 50}, {-3, 7}}));

    plNachrichtBoxFragenLeeren();
    zei = importierenText(paare("0|SECTION|2|HEADER|9|$PDMODE|70|3|0|ENDSEC|0|SECTION|2|ENTITIES|" + punkte +
                                "0|ENDSEC|0|EOF"));
    EXPECT_EQ(warnungen(), V{"DXF-Import " + pfad("ein.dxf") +
                             ":\nPOINT 3 als Symbol PUNKT3, das die Bauteilbibliothek nicht enth\xE4lt."});
    EXPECT_TRUE(enthaeltZeile(log(), "POINT: 3 als Symbol PUNKT3 gesetzt, das die Bauteilbibliothek nicht enth\xE4lt"))
        << ::testing::PrintToString(log());
}

TEST_F(DxfFremd, TextsAreReadByTheFilesEncoding)
{
    // \xC3\xBC is u-umlaut in UTF-8; \x81 the same in code page 850.
    const struct {
        const char* kopf;
        const char* text;
        const char* soll;
    } faelle[] = {
        {"9|$ACADVER|1|AC1021", "Sch\xC3\xBCtz \xE2\x82\xAC", "Sch\xFCtz \x80"},
        {"9|$ACADVER|1|AC1032|9|$DWGCODEPAGE|3|ANSI_1252", "Gr\xC3\xB6\xC3\x9F" "e", "Gr\xF6\xDF" "e"},
        {"9|$ACADVER|1|AC1018|9|$DWGCODEPAGE|3|ANSI_1252", "Sch\xFCtz", "Sch\xFCtz"},
        {"9|$ACADVER|1|AC1009|9|$DWGCODEPAGE|3|dos850", "Sch\x81tz", "Sch\xFCtz"},
        {"9|$ACADVER|1|AC1015", "\\U+00DCbersicht \\U+03A9 \\U+20ac", "\xDC" "bersicht ? \x80"},
        {"9|$ACADVER|1|AC1015", "%%c20 %%p0,1 90%%d 5%%% %%C", "\xF8" "20 \xB1" "0,1 90\xB0 5% \xF8"},
        {"9|$ACADVER|1|AC1024", "\xCE\xA9 \xE2\x86\x92 x", "? ? x"},
        {"9|$ACADVER|1|AC1015", "a\\U+0000b\\U+D800c\\U+0009d\\U+zz", "a?b?c d\\U+zz"},
        // The diameter sign U+2300 is the sign "%%c" gives, escaped or not.
        {"9|$ACADVER|1|AC1015", "\\U+2300" "20 %%c20", "\xF8" "20 \xF8" "20"},
        {"9|$ACADVER|1|AC1021", "\xE2\x8C\x80" "16", "\xF8" "16"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text);
        const std::string zei = importierenText(paare("0|SECTION|2|HEADER|" + std::string(f.kopf) +
                                                      "|0|ENDSEC|0|SECTION|2|ENTITIES|0|TEXT|8|0|10|0|20|0|40|2.5|1|" +
                                                      f.text + "|0|ENDSEC|0|EOF"));
        EXPECT_EQ(texteDerZeichnung(zei), V{f.soll});
        const V l = log();
        const long fragen = std::count(f.soll, f.soll + std::strlen(f.soll), '?');
        EXPECT_EQ(std::count(l.begin(), l.end(), "\"" + std::string(f.soll) + "\": " + std::to_string(fragen) +
                                                     " Zeichen ohne Entsprechung in Codepage 1252 durch '?' ersetzt"),
                  fragen > 0 ? 1 : 0)
            << ::testing::PrintToString(l);
    }
}

TEST_F(DxfFremd, NamesMatchIgnoringCaseAndAMissingOneIsLoggedOnce)
{
    std::string e;
    for (int i = 0; i < 50; ++i) e += "0|LINE|8|fehlt|6|Strich|7|Keiner|62|" + std::to_string(30 + i % 2) + "|10|0|20|0|11|10|21|0|";
    e += "0|LINE|8|w\xE4nde|6|bylayer|62|ByLayer|10|0|20|0|11|10|21|0|0|INSERT|8|0|2|nirgends|10|0|20|0|"
         "0|INSERT|8|0|2|NIRGENDS|10|0|20|0|0|INSERT|8|0|2|schalter|10|0|20|0|";
    const std::string zei = importierenText(paare(
        "0|SECTION|2|TABLES|0|TABLE|2|LTYPE|0|LTYPE|2|Continuous|70|0|0|LTYPE|2|Dashed|70|0|0|ENDTAB|"
        "0|TABLE|2|LAYER|0|LAYER|2|0|70|0|62|7|6|CONTINUOUS|0|LAYER|2|W\xC4NDE|70|0|62|1|6|Dashed|0|ENDTAB|0|TABLE|2|STYLE|0|STYLE|2|Standard|70|0|"
        "0|ENDTAB|0|ENDSEC|0|SECTION|2|BLOCKS|0|BLOCK|8|0|2|Schalter|70|0|10|0|20|0|0|CIRCLE|8|0|10|0|20|0|40|3|"
        "0|ENDBLK|0|ENDSEC|0|SECTION|2|ENTITIES|" + e + "0|ENDSEC|0|EOF"));
    const V l = log();
    EXPECT_EQ(l, (V{pfad("ein.dxf"), "Layer fehlt nicht gefunden", "Ltype Strich nicht gefunden",
                    "Style Keiner nicht gefunden", "Farbe 30 nicht gefunden (0,0)", "Linientyp Strich nicht gefunden (7)",
                    "Schrift Keiner nicht gefunden (0)", "Farbe 31 nicht gefunden (0,0)", "Block nirgends nicht gefunden"}))
        << ::testing::PrintToString(l);
    // The line on "wände" takes the layer "WÄNDE": its colour 1 and line
    // type "Dashed" (DASHED, 1, in the configuration); the block is found.
    const std::string t = alsText(zei);
    for (const char* z : {"\r\nST 2\r\n", "\r\nLAY 3\r\n", "\r\nSA 1\r\n"}) EXPECT_NE(t.find(z), std::string::npos) << z << t;
    EXPECT_NE(t.find("KRE 0 3,0000 3,0000"), std::string::npos);
}

TEST_F(DxfFremd, AnAngleAFloatingPointRemainderBelowATenthIsThatTenth)
{
    const std::string b = "0|SECTION|2|BLOCKS|0|BLOCK|8|0|2|B|70|0|10|0|20|0|0|LINE|8|0|10|0|20|0|11|10|21|0|0|ENDBLK|0|ENDSEC|";
    const std::string zei = importierenText(paare(
        b + "0|SECTION|2|ENTITIES|0|ARC|8|0|10|0|20|0|40|5|50|44.99999999999999|51|89.95|"
            "0|TEXT|8|0|10|0|20|0|40|2|50|29.9999999999|1|a|0|TEXT|8|0|10|0|20|0|40|2|50|29.99|1|b|"
            "0|INSERT|8|0|2|B|10|0|20|0|50|89.99999999999999|0|ENDSEC|0|EOF"));
    const std::string t = alsText(zei);
    // 44.99999999999999 is 45; 89.95 stays 89 (whole degrees, cut).
    EXPECT_NE(t.find("TKR 45,0 89,0 "), std::string::npos) << t;
    EXPECT_NE(t.find("TR 30,0\r\n"), std::string::npos) << t;   // 29.9999999999 within 1e-9 of 30
    EXPECT_NE(t.find("TR 29,0\r\n"), std::string::npos) << t;   // 29.99 stays 29
    EXPECT_NE(t.find("ZL 0,0000 10,0000"), std::string::npos) << t;  // turned by 90, not 89.9
}

// Layers with long entries (many comment groups), the lines alternating
// between two of them against the same file with every line on one: the
// times within 2x of each other.
TEST_F(DxfFremd, SwitchingLayersCostsNoMoreThanStayingOnOne)
{
    auto datei = [](bool wechseln) {
        std::string t = "0|SECTION|2|TABLES|0|TABLE|2|LAYER|";
        for (const char* name : {"A", "B"}) {
            t += "0|LAYER|2|" + std::string(name) + "|70|0|62|7|6|CONTINUOUS|";
            for (int i = 0; i < 5000; ++i) t += "999|x|";
        }
        t += "0|ENDTAB|0|ENDSEC|0|SECTION|2|ENTITIES|";
        for (int i = 0; i < 5000; ++i) t += std::string("0|LINE|8|") + (wechseln && i % 2 ? "B" : "A") + "|10|0|20|0|11|10|21|0|";
        return paare(t + "0|ENDSEC|0|EOF");
    };
    schreiben(pfad("wechsel.dxf"), datei(true));
    schreiben(pfad("eine.dxf"), datei(false));
    // Alternating runs, best of five each: a shared machine's load then falls on both alike.
    auto lauf = [&](const char* name) {
        const auto t0 = std::chrono::steady_clock::now();
        EXPECT_EQ(DxfImport(pfad(name).c_str(), pfad("neu.zvk").c_str()), 0);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    };
    double eine = 1e9, wechsel = 1e9;
    for (int i = 0; i < 5; ++i) {
        eine = std::min(eine, lauf("eine.dxf"));
        wechsel = std::min(wechsel, lauf("wechsel.dxf"));
    }
    RecordProperty("wechsel_s", std::to_string(wechsel));
    RecordProperty("eine_s", std::to_string(eine));
    EXPECT_LT(wechsel, 2 * eine) << "alternating " << wechsel << " s, one layer " << eine << " s";
}

}  // namespace
