// Benchmark projects (see demogen.h): sheets of four kinds repeated with
// consecutive identifiers (power, control, PLC, terminals), one equipment
// item for every placed device with its placements, the terminals as sub
// components of their strips, and a cable as the last device of every sheet. Drawings go
// through the drawing file writer, equipment through the store's writer.
// Content varies by a fixed-seed generator, so a size gives one project.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "config/inidatei.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "equipment/nzustext.h"
#include "equipment/utitel.h"
#include "model/befehl.h"
#include "model/zeichnun.h"
#include "support/texte.h"
#include "tools/demogen.h"

namespace fs = std::filesystem;

namespace {

// The sheet kinds and what one device on them is.
struct DemoArt {
    const char* titel;    // title line 0
    const char* bauteil;  // main component
    const char* buchst;   // identifier letter
    const char* typ;      // type text
    const char* unter;    // sub component placed beside it ("" none)
    const char* untercode;
};
const DemoArt demoArten[] = {
    {"Leistungsteil", "MSS", "Q", "Motorschutz", "", ""},
    {"Steuerung", "SPULE", "K", "Sch\xfctz", "SCHLIESSER", "Ub"},
    {"SPS Eing\xe4nge", "SENSOR", "B", "Sensor", "", ""},
    {"Klemmen", "KLEMME-NR", "X", "Klemmleiste", "KLEMME-NR", "U"},
};
constexpr int DEMOUNTER = 3;         // sub components of a terminal strip or contactor
constexpr uint32_t DEMOSAAT = 4711;  // fixed seed of the content

struct DemoZufall {
    uint32_t z = DEMOSAAT;
    int naechste(int n)
    {
        z = z * 1103515245u + 12345u;
        return static_cast<int>((z >> 16) % static_cast<uint32_t>(n));
    }
};

// A drawing in the making: records appended to the open file.
struct DemoBlatt {
    ZeiDatei d;
    bool ok = true;
    void bef(BEF& b)
    {
        ok = ok && ZeiBefSchreiben(&d, &b) == 0;
    }
    void text(int code, const char* t)
    {
        BEF b{};
        b.code = static_cast<uint8_t>(code);
        strkopie(b.text, t, BEFTEXTSUP);
        bef(b);
    }
    void nach(double x, double y)
    {
        BEF b{};
        b.code = static_cast<uint8_t>(BefCode("_BA"));
        b.darg[0] = x;
        b.darg[1] = y;
        bef(b);
    }
    void linie(double dx, double dy)
    {
        BEF b{};
        b.code = static_cast<uint8_t>(BefCode("ZL"));
        b.darg[0] = dx;
        b.darg[1] = dy;
        bef(b);
    }
};

struct DemoProjektBau {
    std::string projekt;
    uint32_t id = 0;
    bool ok = true;

    uint32_t geraet(const char* kennung, const char* typ, const char* text)
    {
        appgeraet g{};
        g.id = ++id;
        // The kind the lists select by: 2 terminal strip, 4 cable.
        g.n1 = std::strcmp(typ, "Klemmleiste") == 0 ? 2 : std::strcmp(typ, "Kabel") == 0 ? 4 : 0;
        strkopie(g.tt, typ, GESTTSUP);
        strkopie(g.kg, text, GESKGSUP);
        strkopie(g.ft, kennung, GESKGSUP);
        ok = ok && GesEinfuegen(&g) == 0;
        GtxHauptTextSetzen(g.id, 0, text);
        return g.id;
    }
    void platz(uint32_t i, const char* code, int nr, const char* typ, const char* bl, const char* ze, double x, double y)
    {
        appbteil b{};
        b.id = i;
        strkopie(b.cd, code, BTLCDSUP);
        b.nr = nr;
        strkopie(b.tt, typ, BTLTEXTSUP);
        strkopie(b.bl, bl, BTLTEXTSUP);
        b.platziert = 1;
        b.x = x;
        b.y = y;
        strkopie(b.ze, ze, BTLTEXTSUP);
        ok = ok && BtlEintragAnhaengen(&b) == 0;
    }
};

// One component with the identifier reference the editor puts beside it;
// a terminal also with its number where the symbol writes it, the same
// text attached to the placement so that the terminal list names it.
void demoSetzen(DemoBlatt& s, uint32_t id, const char* bauteil, double x, double y, const char* cd = "", int nr = 0,
                int klemme = 0)
{
    s.nach(x, y);
    s.text(BefCode("ZB"), bauteil);
    char ref[16];
    std::snprintf(ref, sizeof ref, "@Y%04XB", id);
    s.nach(x - 7, y - 4);
    s.text(BefCode("TFE"), ref);
    if (klemme > 0) {
        char t[12];
        std::snprintf(t, sizeof t, "%d", klemme);
        s.nach(x + 2, y + 1.5);
        s.text(BefCode("TFA"), t);
        ZtxAnfuegen(id, cd, nr, t);
    }
}

int demoBlatt(DemoProjektBau& p, DemoZufall& z, int nr, int geraete, int& zaehler)
{
    const DemoArt& a = demoArten[(nr - 1) % 4];
    char ze[16], name[32], t1[64];
    std::snprintf(ze, sizeof ze, "%03d", nr);
    std::snprintf(name, sizeof name, "%s.%s", DEMOSTAMM, ze);
    std::snprintf(t1, sizeof t1, "Abschnitt %d", (nr + 3) / 4);
    DemoBlatt s;
    if (ZeiDateiAnlegen(&s.d, (fs::path(p.projekt) / name).string().c_str()) != 0) return -1;
    char zat[BEFTEXTSUP + 1], kurz[ZEIKURZSUP + 1];
    strkopie(kurz, a.titel, ZEIKURZSUP);
    ZatBauen(zat, kurz, a.titel, t1);
    s.text(BefCode("ZAT"), zat);
    s.text(BefCode("BD"), DEMOBIBSUFFIX);
    s.nach(0, 0);
    s.text(BefCode("ZB"), "RAHMEN-A3");
    // The last device of a sheet is its cable.
    for (int k = 0; k + 1 < geraete; ++k) {
        // Ten devices a row, one in each path of the A3 frame.
        const double x = 35 + 39 * (k % 10);
        const double y = 230 - 40 * ((k / 10) % 5) - 4 * (k / 50);
        char kenn[24], text[48];
        std::snprintf(kenn, sizeof kenn, "-%s%d", a.buchst, ++zaehler);
        std::snprintf(text, sizeof text, "%s %s Feld %d", a.typ, ze, 1 + z.naechste(9));
        const uint32_t id = p.geraet(kenn, a.typ, text);
        const bool leiste = std::strcmp(a.buchst, "X") == 0;
        demoSetzen(s, id, a.bauteil, x, y, "H", 0, leiste ? 1 : 0);
        p.platz(id, "H", 0, a.typ, a.bauteil, ze, x, y);
        s.nach(x, y);
        s.linie(0, 10);
        if (a.unter[0]) {
            for (int u = 1; u <= DEMOUNTER; ++u) {
                const double ux = x + 2.5 * u, uy = y - 15 - 5 * u;
                demoSetzen(s, id, a.unter, ux, uy, a.untercode, u, leiste ? u + 1 : 0);
                p.platz(id, a.untercode, u, a.typ, a.unter, ze, ux, uy);
            }
        }
    }
    if (geraete > 0) {
        char kabel[24];
        std::snprintf(kabel, sizeof kabel, "-W%d", nr);
        const uint32_t w = p.geraet(kabel, "Kabel", z.naechste(2) ? "NYM-J 5x2,5" : "LiYY 7x0,5");
        demoSetzen(s, w, "KABEL", 380, 60);
        p.platz(w, "H", 0, "Kabel", "KABEL", ze, 380, 60);
    }
    BEF f{};
    f.code = 't';
    s.bef(f);
    if (!s.ok) {
        ZeiDateiVerwerfen(&s.d);
        return -1;
    }
    return ZeiDateiSchliessen(&s.d);
}

// The project title and a subtitle for every section of four sheets.
int demoTitel(int blaetter, int geraete)
{
    UtitelInit();
    projekttext t{};
    std::snprintf(t.titel, sizeof t.titel, "Benchmark %d Bl\xe4tter", blaetter);
    std::snprintf(t.anlage, sizeof t.anlage, "%d Ger\xe4te", geraete);
    strkopie(t.ort, "Werkhalle", UTTEXTSUP);
    int r = UtitelProjektSetzen(&t);
    for (int nr = 1; nr <= blaetter && r == 0; nr += 4) {
        projekttext b{};
        std::snprintf(b.kenn, sizeof b.kenn, "%03d", nr);
        std::snprintf(b.titel, sizeof b.titel, "Abschnitt %d", (nr + 3) / 4);
        r = UtitelBereichSetzen(&b);
    }
    if (r == 0) r = UtitelSchreiben();
    UtitelFrei();
    return r == 0 ? 0 : -1;
}

}  // namespace

int DemoGross(const std::string& quellen, int blaetter, int geraete, const std::string& ordner)
{
    const fs::path wurzel(ordner);
    const fs::path projekt = wurzel / "Projekt";
    std::error_code f;
    fs::create_directories(projekt, f);
    if (f) {
        std::fprintf(stderr, "velmo_demo: Ordner nicht angelegt: %s\n", projekt.string().c_str());
        return -1;
    }
    if (DemoBibliothek(quellen, (wurzel / (std::string("BAUTEILE.") + DEMOBIBSUFFIX)).string()) != 0) return -1;
    // The defaults set, and what the evaluations it names read: the KNX
    // format file and the article file.
    for (const char* datei : {"Standard.vgb", "KnxFormat.txt", "Artikel.zvk"}) {
        fs::copy_file(fs::path(quellen) / "projekt" / datei, projekt / datei, fs::copy_options::overwrite_existing, f);
        if (f) {
            std::fprintf(stderr, "velmo_demo: %s nicht kopiert: %s\n", datei, f.message().c_str());
            return -1;
        }
    }
    // The store reads its settings from the project's defaults set; the
    // ini file of this run stays beside the project and goes at the end.
    const fs::path ini = wurzel / "velmo_demo.ini";
    IniPfadSetzen(ini.string().c_str());
    VgbSetSetzen("Standard", (projekt / "Standard.vgb").string().c_str());
    VerSetzen(1, projekt.string().c_str());
    BMZuruecksetzen();
    BMStart();
    DemoProjektBau p;
    p.projekt = projekt.string();
    DemoZufall z;
    int zaehler = 0, r = 0;
    for (int nr = 1; nr <= blaetter && r == 0; ++nr) {
        // Devices spread evenly; the first sheets take the rest.
        const int n = geraete / blaetter + (nr <= geraete % blaetter ? 1 : 0);
        r = demoBlatt(p, z, nr, n, zaehler);
    }
    if (r == 0 && (!p.ok || BMDateiSchreiben() != 0)) r = -1;
    if (r == 0) r = demoTitel(blaetter, geraete);
    BMEnde();
    BMZuruecksetzen();
    fs::remove(projekt / "BMittel.bak", f);
    fs::remove(ini, f);
    if (r != 0) std::fprintf(stderr, "velmo_demo: Projekt nicht geschrieben: %s\n", projekt.string().c_str());
    return r;
}
