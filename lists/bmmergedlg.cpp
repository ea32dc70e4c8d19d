// The three dialogs of the whole-database tools (see bmmerge.h): "BMMerge",
// "BMPruefen" and "Einfrieren". Each is modeless, keeps its placement and
// closes on Cancel.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "controls/elzeile.h"
#include "equipment/bm.h"
#include "equipment/ges.h"
#include "equipment/hauspindex.h"
#include "equipment/nhuliste.h"
#include "lists/bmmerge.h"
#include "support/dosdatei.h"
#include "platform/bildlader.h"
#include "platform/eingabe.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

const char* bmTxt(int n) { return TextNr(4000 + n); }

int bmInBetrieb()
{
    if (BMVerwendet()) return 1;
    wiHinweis("%s", bmTxt(44));
    return 0;
}

// Enter on a focused button presses it; else it is the dialog's default.
int bmEnter(int standard)
{
    if (!wiGrbuAusloesen() && standard) PostMessage(wiDlgFenster(), WM_COMMAND, static_cast<WPARAM>(standard), 0);
    return 0;
}

// ---- merge -----------------------------------------------------------------------------------------

struct BmMergeZustand {
    int typ = 4;
    char filter[BMFILTERSUP + 1] = "";
    uint32_t oben = 0, unten = 0;
    std::vector<uint32_t> ids;   // one per row, both lists alike
};
BmMergeZustand mz;

struct BmMergeLauf {
    std::vector<std::string> zeilen;
};

int mzZeile(const hbkzeile* z, void* v)
{
    std::string s;
    HulZeileFormatierenMit(&z->geraet, z->kenn, &z->haupt, s, 0, ElzPfadModus(), nullptr);
    const uint32_t id = z->geraet.id;
    if (mz.filter[0] && id != mz.oben && id != mz.unten) {
        const std::string sichtbar = s.substr(0, HULZEILESUP);
        HulZeileLaden(s.c_str());
        if (strposi(sichtbar.c_str(), mz.filter) < 0 && !HulZeileSuchen(mz.filter, 1)) return 1;
    }
    static_cast<BmMergeLauf*>(v)->zeilen.push_back(s.substr(0, HULZEILESUP));
    mz.ids.push_back(id);
    return 1;  // go on
}

void mzWahl(int liste, uint32_t id)
{
    int n = 0;
    for (size_t i = 0; i < mz.ids.size(); ++i)
        if (mz.ids[i] == id) n = static_cast<int>(i);
    wiListeWahlSetzen(liste, mz.ids.empty() ? -1 : n);
}

void mzAufbauen()
{
    for (int i = 0; i < 8; ++i)
        if (wiKnopf(3120 + i)) mz.typ = i;
    wiListeLeeren(3100);
    wiListeLeeren(3200);
    mz.ids.clear();
    BMDateiAktuell(0);
    HbkIndexAufbauen();
    BmMergeLauf lauf;
    if (HbkListeSortieren(0) == 0) {
        GesDurchlaufen(
            [](const appgeraet* g, void*) {
                if (BmTypPasst(mz.typ, g)) HbkListeDazu(g);
            },
            nullptr);
        HbkListeDurchlaufen(mzZeile, &lauf);
    }
    HbkIndexFrei();
    for (const std::string& z : lauf.zeilen) {
        wiListeAnhaengen(3100, z.c_str());
        wiListeAnhaengen(3200, z.c_str());
    }
    mzWahl(3100, mz.oben);
    mzWahl(3200, mz.unten);
}

uint32_t mzGewaehlt(int liste)
{
    const int n = wiListeWahl(liste);
    return n >= 0 && n < static_cast<int>(mz.ids.size()) ? mz.ids[static_cast<size_t>(n)] : 0;
}

void mzAusfuehren()
{
    const uint32_t oben = mzGewaehlt(3100), unten = mzGewaehlt(3200);
    if (!oben || !unten) return;
    if (!wiFrage(bmTxt(339))) return;
    if (BmVerschmelzen(oben, unten) != 0) return;
    wiInfo(bmTxt(330));
    mz.oben = oben;
    mz.unten = unten;
    mzAufbauen();
}

int mzInit(int, const char* const*)
{
    wiDlgPosLadenAkt();
    mz = BmMergeZustand{};
    wiRadioSetzen(3120, mz.typ, 8);
    BMListenVerwerfen();
    mzAufbauen();
    return 0;
}

int mzExit()
{
    wiDlgPosSichernAkt();
    mz.ids.clear();
    return 0;
}

int mzBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (id >= 3120 && id <= 3127) {
        if (HIWORD(wp) == BN_CLICKED) mzAufbauen();
        return 0;
    }
    switch (id) {
    case 3150:
        if (wiEditGeaendert(3150, wp)) {
            char t[BMFILTERSUP + 1];
            wiTextHolen(3150, t, BMFILTERSUP);
            strtrim(t);
            std::strcpy(mz.filter, t);
            mzAufbauen();
        }
        break;
    case 1: bmEnter(2500); break;
    case 2500: mzAusfuehren(); break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

// ---- check -----------------------------------------------------------------------------------------

struct BmPruefZustand {
    bmpruefung p;
    std::string bericht;
};
BmPruefZustand pz;

int pzFehler() { return pz.p.doppelt + pz.p.fehlend + pz.p.nichtPlatziert; }

void pzLaufen()
{
    pz.bericht = BmPruefBericht();
    wiLangStart(bmTxt(93));
    const int r = BmPruefungLaufen(pz.p, pz.bericht.c_str());
    wiLangEnde();
    wiZahlSetzen(3000, pz.p.geraete);
    wiZahlSetzen(3010, pz.p.eintraege);
    wiZahlSetzen(3020, pz.p.doppelt);
    wiZahlSetzen(3030, pz.p.fehlend);
    wiZahlSetzen(3040, pz.p.nichtPlatziert);
    if (r != 0) wiHinweis(TextNr(243), pz.bericht.c_str());
    if (pzFehler() == 0) {
        dateiloeschen(pz.bericht.c_str());
        wiItemFrei(2501, 0);
    } else if (r == 0) {
        wiShellOeffnen(pz.bericht.c_str());
    }
    wiItemFrei(2500, pz.p.doppeltIds.size() + pz.p.fehlendIds.size() + pz.p.nplIds.size() > 0 ? 1 : 0);
}

void pzLoeschen()
{
    if (pz.p.doppeltIds.empty() && pz.p.fehlendIds.empty() && pz.p.nplIds.empty()) return;
    if (!wiFrage(bmTxt(90))) return;
    wiLangStart(bmTxt(92));
    const int r = BmPruefungLoeschen(pz.p);
    wiLangEnde();
    if (r != 0) return;
    wiInfo(bmTxt(91));
    wiDlgSchliessen();
}

int pzInit(int, const char* const*)
{
    wiDlgPosLadenAkt();
    pz = BmPruefZustand{};
    PostMessage(wiDlgFenster(), WM_COMMAND, 2510, 0);
    return 0;
}

int pzExit()
{
    wiDlgPosSichernAkt();
    pz = BmPruefZustand{};
    return 0;
}

int pzBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 2510: pzLaufen(); break;
    case 2501:
        if (pzFehler() > 0) wiShellOeffnen(pz.bericht.c_str());
        break;
    case 2500: pzLoeschen(); break;
    case 1: bmEnter(0); break;
    case 2: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

// ---- freeze ----------------------------------------------------------------------------------------

void ezZaehlen()
{
    BMDateiAktuell(0);
    int frozen = 0;
    GesDurchlaufen(
        [](const appgeraet* g, void* v) {
            if (!strleer(g->ft)) ++*static_cast<int*>(v);
        },
        &frozen);
    wiZahlSetzen(3000, GesAnzahl());
    wiZahlSetzen(3010, frozen);
}

int ezInit(int, const char* const*)
{
    wiDlgPosLadenAkt();
    BMListenVerwerfen();
    ezZaehlen();
    return 0;
}

int ezExit()
{
    wiDlgPosSichernAkt();
    return 0;
}

void ezAusfuehren(int frage, int (*lauf)(), int fertig)
{
    if (!wiFrage(bmTxt(frage))) return;
    HCURSOR alt = SetCursor(LoadCursor(0, IDC_WAIT));
    const int n = lauf();
    SetCursor(alt);
    if (n < 0) return;
    if (fertig == 46)
        wiHinweis(bmTxt(46), n);
    else
        wiInfo(bmTxt(fertig));
    wiDlgSchliessen();
}

int ezBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 2500: ezAusfuehren(40, BmKennungenEinfrieren, 42); break;
    case 2501: ezAusfuehren(41, BmKennungenFreigeben, 43); break;
    case 2502: ezAusfuehren(45, BmKennungenAuffrischen, 46); break;
    case 1: bmEnter(0); break;
    case 2: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

void BmMergeOeffnen()
{
    if (bmInBetrieb()) wiDlgOeffnen("BMMerge", mzInit, mzExit, mzBefehl);
}

void BmPruefenOeffnen()
{
    if (bmInBetrieb()) wiDlgOeffnen("BMPruefen", pzInit, pzExit, pzBefehl);
}

void BmEinfrierenOeffnen()
{
    if (bmInBetrieb()) wiDlgOeffnen("Einfrieren", ezInit, ezExit, ezBefehl);
}
