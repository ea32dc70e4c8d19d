// Exchange of the equipment texts (see bmtexttausch.h).
#include "lists/bmtexttausch.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/app.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/definfo.h"
#include "equipment/ges.h"
#include "equipment/nartikel.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dateiwahl.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int BMTTZEILEN = 40;   // text lines of a component

const char* ttTxt(int n) { return TextNr(4000 + n); }

std::string ttKennung(uint32_t id)
{
    char k[HULKENNSUP + 1];
    NhuKennungHolen(k, sizeof k, id);
    return k;
}

struct TtExport {
    const bmexport* o;
    BDAT* d;
    int zeilen;
    int fehler;
};

void ttZeile(TtExport& e, const std::string& schluessel, const std::string& kenn, int nr, const char* text)
{
    char z[400];
    if (e.o->format == 1)
        std::snprintf(z, sizeof z, "%-15s %-11s %-3d %s", schluessel.c_str(), kenn.c_str(), nr, text);
    else
        std::snprintf(z, sizeof z, "%-11s %-3d %s", kenn.c_str(), nr, text);
    if (bdputsmodus(e.d, z, 0) != 0) e.fehler = 1;
    ++e.zeilen;
}

int ttFilter(const bmzeile* z, void* v)
{
    const auto* e = static_cast<const TtExport*>(v);
    return z->g.n1 >= 0 && z->g.n1 <= 5 && e->o->typ[z->g.n1] ? 1 : 0;
}

void ttGeraet(const bmzeile* z, void* v)
{
    auto& e = *static_cast<TtExport*>(v);
    if (!wiLangPumpe()) return;
    const uint32_t id = z->g.id;
    const std::string kenn = ttKennung(id);
    if (e.o->lager && z->g.lt[0]) ttZeile(e, BmTexteSchluessel(id, "L", 0), kenn, 0, z->g.lt);
    char t[GTXNACHSUP + 1];
    if (e.o->haupt) {
        for (int n = 0; n < BMTTZEILEN; ++n) {
            GtxHauptTextRoh(id, n, t, sizeof t);
            if (t[0]) ttZeile(e, BmTexteSchluessel(id, "H", 0), kenn, n + 1, t);
        }
    }
    if (!e.o->unter) return;
    std::vector<appbteil> unter;
    BtlDurchlaufen(
        id,
        [](const appbteil* b, void* u) {
            if (NhuIstUnter(b->cd)) static_cast<std::vector<appbteil>*>(u)->push_back(*b);
        },
        &unter);
    for (const appbteil& b : unter) {
        for (int n = 0; n < BMTTZEILEN; ++n) {
            GtxTextRoh(id, b.cd, b.nr, n, t, sizeof t);
            if (t[0]) ttZeile(e, BmTexteSchluessel(id, b.cd, b.nr), kenn, n + 1, t);
        }
    }
}

// The lines of a format-1 file by lower-case key and line number.
using TtTabelle = std::map<std::pair<std::string, int>, std::string>;

std::string ttKlein(std::string s)
{
    for (char& c : s) c = static_cast<char>(zklein(static_cast<unsigned char>(c)));
    return s;
}

int ttLesen(const char* pfad, TtTabelle& tab)
{
    BDAT d{};
    if (bdopenlesen(&d, pfad) < 0) return -1;
    char z[1001];
    while (bdgets(&d, z, 1000) >= 0) {
        char* p = z;
        char schluessel[BMTTSCHLUESSELSUP + 1], kenn[200], nr[40];
        if (wortab(schluessel, sizeof schluessel, p) == 0) continue;
        wortab(kenn, sizeof kenn, p);
        wortab(nr, sizeof nr, p);
        while (*p == ' ') ++p;
        char text[BMTTTEXTSUP + 1];
        strkopie(text, p, BMTTTEXTSUP);
        strrtrim(text);
        tab[{ttKlein(schluessel), std::atoi(nr)}] = text;
    }
    const bool kurz = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (kurz) {
        tab.clear();
        return -2;
    }
    return 0;
}

bool ttNehmen(const char* alt, const char* neu, int modus)
{
    switch (modus) {
    case 1: return !alt[0] && neu[0];
    case 2: return neu[0] != '\0';
    case 3: return true;
    default: return false;
    }
}

struct TtImport {
    int format;
    int textModus, lagerModus;
    TtTabelle tab;
    int anzahl = 0;
};

// The imported text of a line: 1 found.
int ttHolen(TtImport& im, uint32_t id, const char* code, int nr, int zeile, std::string& aus)
{
    if (im.format == 1) {
        auto it = im.tab.find({ttKlein(BmTexteSchluessel(id, code, nr)), zeile});
        if (it == im.tab.end()) return 0;
        aus = it->second;
        return 1;
    }
    char t[BMTTTEXTSUP + 1];
    if (!DefTextTabHolen(ttKennung(id).c_str(), zeile, t, sizeof t)) return 0;
    aus = t;
    return 1;
}

void ttBauteilTexte(TtImport& im, uint32_t id, const char* code, int nr)
{
    const bool haupt = std::strcmp(code, "H") == 0;
    for (int n = 0; n < BMTTZEILEN; ++n) {
        std::string neu;
        if (!ttHolen(im, id, code, nr, n + 1, neu)) continue;
        char alt[GTXNACHSUP + 1];
        GtxTextRoh(id, code, nr, n, alt, sizeof alt);
        if (im.format == 1 && neu == alt) continue;
        if (!ttNehmen(alt, neu.c_str(), im.textModus)) continue;
        if (haupt) GtxHauptTextSetzen(id, n, neu.c_str());
        else GtxTextSetzen(id, code, nr, n, neu.c_str());
        AppGeaendert(id, 1);
        ++im.anzahl;
    }
}

void ttImportGeraet(TtImport& im, const appgeraet& g)
{
    if (im.format == 1) wiLangText(BmTexteSchluessel(g.id, "H", 0).c_str());
    ttBauteilTexte(im, g.id, "H", 0);
    if (im.format == 1) {
        std::vector<appbteil> unter;
        BtlDurchlaufen(
            g.id,
            [](const appbteil* b, void* u) {
                if (NhuIstUnter(b->cd)) static_cast<std::vector<appbteil>*>(u)->push_back(*b);
            },
            &unter);
        for (const appbteil& b : unter) ttBauteilTexte(im, g.id, b.cd, b.nr);
    }
    std::string neu;
    const bool da = im.format == 1 ? ttHolen(im, g.id, "L", 0, 0, neu) : ttHolen(im, g.id, "H", 0, 0, neu);
    if (!da || !ttNehmen(g.lt, neu.c_str(), im.lagerModus)) return;
    appgeraet n = g;
    strkopie(n.lt, neu.c_str(), GESTTSUP);
    GesAendern(g.id, &n);
    AppGeaendert(g.id, 1);
    ++im.anzahl;
}

}  // namespace

std::string BmTexteSchluessel(uint32_t id, const char* code, int nr)
{
    char t[64];
    std::snprintf(t, sizeof t, "%04X:%s:%d", id, code, nr);
    return t;
}

int BmTexteExportieren(const char* pfad, const bmexport& o)
{
    BDAT d{};
    if (bdmake(&d, pfad) < 0) return -1;
    BMListenVerwerfen();
    TtExport e{&o, &d, 0, 0};
    if (BMSortiertDurchlaufen(ttFilter, ttGeraet, 100, &e) != 0) e.fehler = 1;
    if (e.fehler) d.fehler = 1;  // bdclose then keeps the old file
    return bdclose(&d) == 0 && !e.fehler ? e.zeilen : -1;
}

int BmTexteFormat(const char* pfad)
{
    BDAT d{};
    if (bdopenlesen(&d, pfad) < 0) return -1;
    char z[201] = "", w[201] = "";
    bdgets(&d, z, 200);
    const bool kurz = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (kurz) return -2;
    char* p = z;
    wortab(w, sizeof w, p);
    return mustervgl("????:*:*", w) ? 1 : 0;
}

int BmTexteImportieren(const char* pfad, int format, int textModus, int lagerModus)
{
    TtImport im;
    im.format = format;
    im.textModus = textModus;
    im.lagerModus = lagerModus;
    // A table read short would take texts from half a file (and clear the
    // rest under "replace all"): nothing is imported then.
    if (format == 1) {
        const int r = ttLesen(pfad, im.tab);
        if (r == -2) wiHinweis(TextNr(250), pfad);
        if (r != 0) return -1;
    } else {
        DefTextTabLaden(1, pfad);
        if (!DefTextTabAktiv()) {
            wiHinweis(TextNr(250), pfad);
            return -1;
        }
    }
    BMListenVerwerfen();
    BMDateiAktuell(0);
    std::vector<appgeraet> alle;
    GesDurchlaufen([](const appgeraet* g, void* v) { static_cast<std::vector<appgeraet>*>(v)->push_back(*g); },
                   &alle);
    for (const appgeraet& g : alle) {
        if (!wiLangPumpe()) break;
        ttImportGeraet(im, g);
    }
    if (format != 1) DefTextTabFrei();
    GtxSortieren();
    if (BMListenSpeichern(1) != 0) {
        BMListenVerwerfen();
        return -1;
    }
    return im.anzahl;
}

// ---- dialogs ---------------------------------------------------------------------------------------

namespace {

void ttDateiFeld(const char* schluessel)
{
    char t[BMTTDATEISUP + 1] = "";
    VgbText(schluessel, t, BMTTDATEISUP);
    wiTextSetzen(3110, t);
}

std::string ttDatei()
{
    char t[201];
    wiTextHolen(3110, t, 200);
    strtrim(t);
    return t;
}

int exInit(int, const char* const*)
{
    wiDlgPosLadenAkt();
    for (int i = 0; i < 6; ++i) wiKnopfSetzen(3310 + i, 1);
    for (int id : {3320, 3321, 3322}) wiKnopfSetzen(id, 1);
    wiRadioSetzen(3140, 1, 2);
    ttDateiFeld("BMExpDatei");
    return 0;
}

int exExit()
{
    wiDlgPosSichernAkt();
    return 0;
}

void exAusfuehren()
{
    bmexport o;
    for (int i = 0; i < 6; ++i) o.typ[i] = wiKnopf(3310 + i) != 0;
    o.lager = wiKnopf(3320) != 0;
    o.haupt = wiKnopf(3321) != 0;
    o.unter = wiKnopf(3322) != 0;
    o.format = wiRadio(3140, 2);
    if (o.unter && o.format == 0 && !wiFrage(ttTxt(181))) return;
    if (!wiFrage(ttTxt(77))) return;
    char pfad[300];
    PfadProjekt(pfad, sizeof pfad, ttDatei().c_str());
    wiLangStart(ttTxt(78));
    const int r = BmTexteExportieren(pfad, o);
    wiLangEnde();
    if (r < 0) {
        wiMeldung(TextNr(243), pfad);
        return;
    }
    wiDlgSchliessen();
}

int exBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (wiGrbuAusloesen()) break;
        [[fallthrough]];
    case 2500: exAusfuehren(); break;
    case 2511: {
        char p[WIDATEISUP + 1];
        strkopie(p, ttDatei().c_str(), WIDATEISUP);
        if (wiDateiSpeichern(p, ttTxt(76), ttTxt(60)) == 1) wiTextSetzen(3110, p);
        break;
    }
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

int imInit(int, const char* const*)
{
    wiDlgPosLadenAkt();
    ttDateiFeld("BMExTxDat");
    wiRadioSetzen(3120, std::min(std::max(VgbInt("BMExTxFunk"), 0), 3), 4);
    wiRadioSetzen(3130, std::min(std::max(VgbInt("BMExTxLAFu"), 0), 3), 4);
    wiRadioSetzen(3140, 1, 2);
    return 0;
}

void imAusfuehren()
{
    const int text = wiRadio(3120, 4), lager = wiRadio(3130, 4), format = wiRadio(3140, 2);
    if (text == 0 && lager == 0) {
        wiHinweis("%s", ttTxt(89));
        return;
    }
    const std::string pfad = ttDatei();
    const int erkannt = BmTexteFormat(pfad.c_str());
    if (erkannt == -2) {
        wiHinweis(TextNr(250), pfad.c_str());
        return;
    }
    if (erkannt < 0) {
        wiHinweis(ttTxt(84), pfad.c_str());
        return;
    }
    if (erkannt != format) {
        wiHinweis("%s", ttTxt(182));
        return;
    }
    if (!wiFrage(ttTxt(87))) return;
    wiLangStart("Importieren ...");
    const int n = BmTexteImportieren(pfad.c_str(), format, text, lager);
    wiLangEnde();
    if (n < 0) return;
    wiHinweis(ttTxt(180), n);
    wiDlgSchliessen();
}

int imBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (wiGrbuAusloesen()) break;
        [[fallthrough]];
    case 2500: imAusfuehren(); break;
    case 2511: {
        char p[WIDATEISUP + 1];
        strkopie(p, ttDatei().c_str(), WIDATEISUP);
        if (wiDateiWahl(p, ttTxt(86), ttTxt(60)) == 1) wiTextSetzen(3110, p);
        break;
    }
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

void AppExtTxtExpOeffnen() { wiDlgOeffnen("AppExtTxtExp", exInit, exExit, exBefehl); }
void AppExtTxtImpOeffnen() { wiDlgOeffnen("AppExtTxtImp", imInit, exExit, imBefehl); }
