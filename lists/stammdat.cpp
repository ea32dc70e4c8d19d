// The master-data dispatcher and the language names (see stammdat.h).
#include "lists/stammdat.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "editdlg/bautwork.h"
#include "lists/artliste.h"
#include "lists/bmliste.h"
#include "lists/bmtexttausch.h"
#include "lists/ersatzbtl.h"
#include "lists/spsinfo.h"
#include "lists/stammlist.h"
#include "config/vorgaben.h"
#include "output/farbe.h"
#include "model/bauteil.h"
#include "model/einstell.h"
#include "model/zustand.h"
#include "platform/nachricht.h"
#include "platform/orte.h"
#include "platform/winconst.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/wiwerk.h"

namespace {

std::string sdSprachDatei() { return SprDateiEigen(); }

// The graphic state's standard-text and library names, until the editor
// hands its own over.
STT sdZustand()
{
    GRUNDEINST g{};
    GrundEinstLesen(&g);
    STT s{};
    SttInit(&s, &g);
    return s;
}

// The language's standard text file: made from the language-neutral one,
// else from the graphic state's, when absent.
void sdSprachTexte()
{
    char name[300], pfad[300];
    SprTextDatei(name, sizeof name, 0);
    PfadBilden(3, name, nullptr, pfad, sizeof pfad);
    if (dosattrib(pfad) != DOSATTR_FEHLT) {
        StdTextOeffnen(pfad, 1);
        return;
    }
    char quelle[300], qpfad[300];
    SprTextDateiNr(quelle, sizeof quelle, 0, 0);
    PfadBilden(3, quelle, nullptr, qpfad, sizeof qpfad);
    const char* meldung = "Aus Standardsprache angelegt.";
    if (dosattrib(qpfad) == DOSATTR_FEHLT) {
        PfadBilden(3, sdZustand().td, nullptr, qpfad, sizeof qpfad);
        meldung = "Aus Standardtextdatei angelegt.";
    }
    // Nothing to copy from: the viewer shows the missing file as empty.
    if (dosattrib(qpfad) == DOSATTR_FEHLT) {
        StdTextOeffnen(pfad, 1);
        return;
    }
    if (dateikopieren(qpfad, pfad) != 0) {
        wiMeldung(TextNr(243), pfad);
        return;
    }
    wiInfo(meldung);
    StdTextOeffnen(pfad, 1);
}

// The stock article file: "LaDatei" in the folder "LaPfad" (directory kind
// 4), else in the project folder.
void sdLager()
{
    char ordner[101] = "", datei[101] = "", pfad[300];
    VgbText("LaPfad", ordner, 100);
    VgbText("LaDatei", datei, 100);
    strtrim(ordner);
    VerSetzen(4, ordner);
    PfadBilden(strleer(ordner) ? 1 : 4, datei, nullptr, pfad, sizeof pfad);
    StdTextOeffnen(pfad, 2);
}

void sdBibliothek()
{
    BauCacheSetzen(0);
    char pfad[300];
    BauPfad(sdZustand().bd, pfad, sizeof pfad);
    BautOeffnen(pfad);
}

// A file of the current library's folder; the component windows come from
// the folder of directory kind 5 instead when that is set, named with the
// library's suffix.
void sdBauteilDatei(const char* name, bool fensterOrdner, char* pfad, size_t kap)
{
    const STT s = sdZustand();
    char ordner[300] = "";
    VerHolen(5, ordner, sizeof ordner);
    if (fensterOrdner && !strleer(ordner)) {
        const std::string n = std::string(name) + "." + s.bd;
        PfadBilden(5, n.c_str(), nullptr, pfad, kap);
        return;
    }
    BauVerzDatei(s.bd, name, "", pfad, kap);
}

// ---- languages -----------------------------------------------------------------------------------

int spInit(int, const char* const*)
{
    wiDlgPosLadenAkt();
    std::array<std::string, SPRANZ> namen;
    const int r = SprNamenLesen(namen);
    if (r == -2) {
        // Names read short would be saved over the whole file: not opened.
        wiDlgSchliessen();
        return 0;
    }
    for (int n = 0; n < SPRANZ; ++n) wiTextSetzen(3000 + 10 * n, namen[static_cast<size_t>(n)].c_str());
    if (r != 0) wiTextSetzen(3000, "Standard");
    return 0;
}

int spExit()
{
    wiDlgPosSichernAkt();
    return 0;
}

int spBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (wiGrbuAusloesen()) break;
        [[fallthrough]];
    case 2500: {
        std::array<std::string, SPRANZ> namen;
        for (int n = 0; n < SPRANZ; ++n) {
            char t[SPRNAMESUP + 1];
            wiTextHolen(3000 + 10 * n, t, SPRNAMESUP);
            namen[static_cast<size_t>(n)] = t;
        }
        if (SprNamenSchreiben(namen) != 0) {
            wiMeldung(TextNr(243), sdSprachDatei().c_str());
            break;
        }
        wiDlgSchliessen();
        break;
    }
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

int SprNamenLesen(std::array<std::string, SPRANZ>& namen)
{
    for (std::string& n : namen) n.clear();
    std::vector<SprZeile> zeilen;
    std::string pfad;
    const int r = SprDateiLesen(&zeilen, &pfad);
    if (r == -2) wiMeldung(TextNr(250), pfad.c_str());
    if (r != 0) return r;
    for (size_t i = 0; i < zeilen.size() && i < SPRANZ; ++i) {
        const int n = std::clamp(zeilen[i].nummer, 0, SPRANZ - 1);
        namen[static_cast<size_t>(n)] = zeilen[i].name;
    }
    return 0;
}

int SprNamenSchreiben(const std::array<std::string, SPRANZ>& namen)
{
    const std::string ordner = plOrtAnwendung();
    if (pfadanlegen(ordner.c_str()) != 0) return -1;
    BDAT d{};
    if (bdmake(&d, sdSprachDatei().c_str()) < 0) return -1;
    int ok = 1;
    for (int n = 0; n < SPRANZ; ++n) {
        char t[SPRNAMESUP + 1];
        strkopie(t, namen[static_cast<size_t>(n)].c_str(), SPRNAMESUP);
        const std::string z = std::to_string(n) + " " + t;
        ok = ok && bdputsmodus(&d, z.c_str(), 1) == 0;
    }
    if (!ok) d.fehler = 1;  // bdclose then keeps the old file
    return bdclose(&d) == 0 && ok ? 0 : -1;
}

void SprachenOeffnen() { wiDlgOeffnen("Sprachen", spInit, spExit, spBefehl); }

void StammDaten(int id)
{
    if (id < 1550 || id > 1582) return;
    char pfad[300];
    switch (id) {
    case 1550: LayerOeffnen(); return;
    case 1551: StifteOeffnen(); return;
    case 1552: SchriftenOeffnen(); return;
    case 1553:
        RgbPfad(pfad, sizeof pfad);
        FarbListeOeffnen(pfad);
        return;
    case 1554: SprachenOeffnen(); return;
    case 1560:
        PfadBilden(3, sdZustand().td, nullptr, pfad, sizeof pfad);
        StdTextOeffnen(pfad, 0);
        return;
    case 1565: sdLager(); return;
    case 1561: sdSprachTexte(); return;
    case 1562: {
        char ordner[300] = "";
        VerHolen(7, ordner, sizeof ordner);
        if (strleer(ordner)) {
            wiInfo("Kein Ordner f\xFCr zentrale Textdateien angegeben.");
        } else {
            PfadBilden(7, sdZustand().td, nullptr, pfad, sizeof pfad);
            StdTextOeffnen(pfad, 0);
        }
        return;
    }
    case 1566: AppExtTxtExpOeffnen(); return;
    case 1567: AppArtListeOeffnen(); return;
    case 1568: AppStkListeOeffnen(); return;
    case 1569: AppExtTxtImpOeffnen(); return;
    case 1570: sdBibliothek(); return;
    case 1571: sdBauteilDatei("BAUTEILK", true, pfad, sizeof pfad); BtlFensterOeffnen(pfad); return;
    case 1572: sdBauteilDatei("BAUTEILA", false, pfad, sizeof pfad); ErsatzBtlOeffnen(pfad); return;
    case 1575: BmListeOeffnen(0); return;
    case 1576: BmListeOeffnen(1); return;
    case 1580: SpsInfoOeffnen(); return;
    case 1581: SpsTextDateiZeigen(0); return;
    case 1582: SpsTextDateiZeigen(1); return;
    default: break;
    }
}
