// The project manager page's command table, the frame's services it calls,
// the proposal of a new drawing name, opening, viewing and printing. See
// proverw.h; the page itself is proverw.cpp.
#include <cstdio>
#include <cstring>
#include <string>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "controls/lisanzeige.h"
#include "equipment/bm.h"
#include "model/zeichnun.h"
#include "model/textvar.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/shell.h"
#include "platform/winconst.h"
#include "project/zeiops.h"
#include "output/druck.h"
#include "project/chkdlg.h"
#include "project/dirhist.h"
#include "project/export.h"
#include "project/hbview.h"
#include "project/hilfe.h"
#include "project/impdlg.h"
#include "project/inhalt.h"
#include "project/projneu.h"
#include "project/proverw.h"
#include "project/rschreib.h"
#include "project/startbild.h"
#include "project/titeldlg.h"
#include "project/wrz.h"
#include "project/zeitxt.h"
#include "project/zv5.h"
#include "project/proverwint.h"
#include "project/pvwliste.h"
#include "support/dienst.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dateiwahl.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

// ---- The frame's services ------------------------------------------------------------------------------
namespace {

int pvwKeinRahmen(HWND, int) { return 0; }
void pvwNichtsPfad(const char*) {}
void pvwNichtsMelden(const char*, int) {}
int pvwKeinDde(const char*, const char*, const char*) { return -1; }
void pvwKeineAuswertung(int, int) {}

const PvwRahmenDienst pvwStandard = {pvwKeinRahmen,  pvwNichtsPfad,      pvwNichtsPfad,
                                     pvwNichtsMelden, pvwKeinDde,        pvwKeineAuswertung,
                                     pvwNichtsPfad};
PvwRahmenDienst pvwDienst = pvwStandard;

}  // namespace

void PvwRahmenSetzen(const PvwRahmenDienst& d)
{
    using D = PvwRahmenDienst;
    DienstUebernehmen(pvwDienst, d, pvwStandard, &D::BefehlNachSchliessen, &D::EdtModusOeffnen, &D::ShowModusOeffnen,
                      &D::DdeDateiMelden, &D::DdeAusfuehren, &D::AuswertDlgOeffnen, &D::EdtVorlageEinreihen);
}

void PvwRahmenZuruecksetzen() { pvwDienst = pvwStandard; }

const PvwRahmenDienst& pvwRahmen() { return pvwDienst; }

// ---- Names -----------------------------------------------------------------------------------------------

void ZeiNrErhoehen(char* endung, size_t kap)
{
    if (endung == nullptr || kap == 0) return;
    std::string t = endung;
    std::string feld;
    size_t punkt = t.find('.');
    if (punkt != std::string::npos) {
        feld = t.substr(0, punkt + 1);
        t = t.substr(punkt + 1);
    }
    const size_t alt = t.size();
    if (t.empty()) {
        char s[PVWENDUNGSUP + 1];
        ZeiSeiteText(s, sizeof s, "x.1");
        t = s;
    } else if (t[0] >= '0' && t[0] <= '9') {
        size_t i = 0;
        long wert = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
            if (wert < 1000000000L) wert = wert * 10 + (t[i] - '0');
            ++i;
        }
        t = std::to_string(wert + 1);
        if (t.size() < alt) t.insert(0, alt - t.size(), '0');
    } else {
        size_t i = t.size();
        while (i > 0 && t[i - 1] >= '0' && t[i - 1] <= '9') --i;
        long wert = 0;
        for (size_t j = i; j < t.size(); ++j)
            if (wert < 1000000000L) wert = wert * 10 + (t[j] - '0');
        std::string vorn = t.substr(0, i);
        std::string zahl = std::to_string(wert + 1);
        if (vorn.size() + zahl.size() < alt) zahl.insert(0, alt - vorn.size() - zahl.size(), '0');
        t = vorn + zahl;
    }
    std::snprintf(endung, kap, "%s%s", feld.c_str(), t.c_str());
}

void PvwNeuerName(int zeile, char* datei, size_t dkap, char* stamm, size_t skap, char* endung, size_t ekap)
{
    const int n = PvwAnzahl();
    if (zeile < 0 || zeile >= n) zeile = 0;
    int i = zeile;
    while (i < n && PvwEintragAdr(i)->art != PVW_ZEICHNUNG) ++i;
    if (i >= n) {
        // No drawing from here on: the project folder's name and page 1.
        char ordner[MAX_PATH + 1] = "";
        VerHolen(1, ordner, sizeof ordner);
        std::string o = ordner;
        while (!o.empty() && (o.back() == '/' || o.back() == '\\')) o.pop_back();
        size_t s = o.find_last_of("/\\");
        std::snprintf(stamm, skap, "%s", (s == std::string::npos ? o : o.substr(s + 1)).c_str());
        ZeiSeiteText(endung, ekap, "x.1");
        if (dkap > 0) datei[0] = '\0';
        return;
    }
    const char* name = PvwEintragAdr(i)->name;
    std::snprintf(datei, dkap, "%s", name);
    char st[PVWNAMESUP + 1];
    std::snprintf(st, sizeof st, "%s", name);
    ZeiExtLoeschen(st);
    std::snprintf(stamm, skap, "%s", st);
    char vorschlag[PVWENDUNGSUP + 1];
    ZeiExtHolen(name, vorschlag, sizeof vorschlag);
    ZeiNrErhoehen(vorschlag, sizeof vorschlag);
    for (int j = i + 1; j < n; ++j) {
        const PvwEintrag* e = PvwEintragAdr(j);
        if (e->art != PVW_ZEICHNUNG) continue;
        char st2[PVWNAMESUP + 1];
        std::snprintf(st2, sizeof st2, "%s", e->name);
        ZeiExtLoeschen(st2);
        if (std::strcmp(st2, st) != 0) break;
        char ext[PVWENDUNGSUP + 1];
        ZeiExtHolen(e->name, ext, sizeof ext);
        int v = ZeiNameVergleich(vorschlag, ext);
        if (v < 0) break;
        if (v == 0) ZeiNrErhoehen(vorschlag, sizeof vorschlag);
    }
    std::snprintf(endung, ekap, "%s", vorschlag);
}

// ---- Opening, viewing, printing ---------------------------------------------------------------------------
namespace {

std::string pvwPfad(const char* name)
{
    char p[MAX_PATH + 1];
    PfadBilden(1, name, nullptr, p, sizeof p);
    return p;
}

}  // namespace

void PvwZeiBearbeiten(const char* name, int art)
{
    if (art == 2) {
        wiShellOeffnen(pvwPfad(name).c_str());
        return;
    }
    pvwRahmen().EdtModusOeffnen(pvwPfad(name).c_str());
}

void PvwZeiAnsehenIntern(const char* name, int art)
{
    if (art == 2) {
        wiShellOeffnen(pvwPfad(name).c_str());
        return;
    }
    pvwRahmen().ShowModusOeffnen(pvwPfad(name).c_str());
}

void PvwZeiAnsehen(const char* name, int art)
{
    const std::string pfad = pvwPfad(name);
    if (art == 2) {
        wiShellOeffnen(pfad.c_str());
        return;
    }
    VgbOeffnen();
    const int bmnorm = VgbInt("BMnorm");
    const int sprPrj = VgbInt("SprPrj");
    VgbSchliessen();
    const int norm = BMNorm();
    const int spr = SprNummer();
    const std::string option = std::string("-gd=") + VgbSetNameZeiger();
    const PvwRahmenDienst& r = pvwRahmen();
    const std::string sprache = "-s=" + std::to_string(spr);
    if (r.DdeAusfuehren("ZVKView", "option", sprache.c_str()) != 0) {
        char programm[MAX_PATH + 1];
        PfadProgramm(programm, sizeof programm, "view.exe");
        // Without the viewer program the drawing is shown in the program's
        // own viewer mode.
        if (dosattrib(programm) == DOSATTR_FEHLT) {
            PvwZeiAnsehenIntern(name, art);
            return;
        }
        const std::string zeile = std::string(programm) + " " + option + " \"" + pfad + "\"";
        wiProgrammStarten(zeile.c_str());
        return;
    }
    r.DdeAusfuehren("ZVKView", "option", option.c_str());
    std::string offen = "open " + pfad;
    for (char& c : offen)
        if (c == '\\') c = '/';
    r.DdeAusfuehren("ZVKView", "system", offen.c_str());
    if (sprPrj != spr) r.DdeAusfuehren("ZVKView", "option", sprache.c_str());
    if (bmnorm != norm) r.DdeAusfuehren("ZVKView", "option", ("-n=" + std::to_string(norm)).c_str());
}

void PvwVorlageLaden(const char* pfad) { pvwRahmen().EdtVorlageEinreihen(pfad != nullptr ? pfad : ""); }

namespace {

// The print spooler's "lp" in PATH, or "".
std::string pvwLp()
{
    char pfade[4096] = "";
    const DWORD n = GetEnvironmentVariable("PATH", pfade, sizeof pfade);
    if (n == 0 || n >= sizeof pfade) return "";
    std::string alle = pfade;
    size_t a = 0;
    while (a <= alle.size()) {
        size_t e = alle.find(':', a);
        if (e == std::string::npos) e = alle.size();
        std::string d = alle.substr(a, e - a);
        if (!d.empty()) {
            const std::string p = d + (d.back() == '/' ? "" : "/") + "lp";
            const int attr = dosattrib(p.c_str());
            if (attr != DOSATTR_FEHLT && (attr & DOSATTR_VERZEICHNIS) == 0) return p;
        }
        a = e + 1;
    }
    return "";
}

// A PDF file goes to the default printer through the spooler: a viewer
// program cannot be told to print.
void pvwPdfDrucken(const std::string& pfad)
{
    const std::string lp = pvwLp();
    if (lp.empty()) {
        wiMeldung("Kein Programm f\xFCr %s", pfad.c_str());
        return;
    }
    const std::string zeile = "\"" + lp + "\" -- \"" + pfad + "\"";
    if (WinExec(zeile.c_str(), SW_HIDE) <= 32) wiMeldung("Die Datei %s konnte nicht gedruckt werden.", pfad.c_str());
}

}  // namespace

void PvwDrucken()
{
    if (!DruckStart()) return;
    BMListenVerwerfen();
    const int saetze = DruckSatzAnzahl();
    for (int satz = 0; satz < saetze; ++satz) {
        int gedruckt = 0;
        for (int i = 0; i < PvwAnzahl(); ++i) {
            const PvwEintrag* e = PvwEintragAdr(i);
            if (e->art == PVW_ZEICHNUNG && e->markiert && ZeichnungDrucken(pvwPfad(e->name).c_str()) == 0) ++gedruckt;
        }
        if (gedruckt % 2 == 1 && DruckDuplex()) DruckLeerseite();
        for (int i = 0; i < PvwAnzahl(); ++i) {
            const PvwEintrag* e = PvwEintragAdr(i);
            if (e->art != PVW_PDF || !e->markiert) continue;
            pvwPdfDrucken(pvwPfad(e->name));
        }
    }
    DruckEnde();
}

// ---- The command table ------------------------------------------------------------------------------------
namespace {

HWND pvwListe() { return GetDlgItem(pvwSeite.fenster, PVWLISTE); }

// G1: a separate editor or equipment-list frame takes the command.
bool pvwAbgegeben(int id) { return pvwRahmen().BefehlNachSchliessen(pvwSeite.fenster, id) != 0; }

// G2: the component library program is running.
bool pvwBibliothekOffen()
{
    const auto ProgrammFensterDa = GeschwisterLaeuft;  // a window of that sibling program exists
    if (!ProgrammFensterDa(3)) return false;
    wiMeldung("%s", TextNr(400));
    return true;
}

// G3: the marked drawings (with the PDF files when printing); 0 refused.
int pvwMarkiert(bool mitPdf)
{
    PvwMarkUebernehmen();
    int n = mitPdf ? PvwAnzMarkiertMitPdf() : PvwAnzMarkiert();
    if (n == 0) wiMeldung("%s", TextNr(13));
    return n;
}

// Kind and name of the cursor entry: 1 drawing, 2 PDF, 0 heading or none.
int pvwCursor(char* name)
{
    name[0] = '\0';
    return PvwEintragName(LisAkt(PVWLISTE), name);
}

void pvwImport()
{
    char pfad[MAX_PATH + 1];
    PfadBilden(1, "*.dxf", nullptr, pfad, sizeof pfad);
    if (!wiDateiWahl(pfad, TextNr(261), TextNr(260))) return;
    const char* punkt = std::strrchr(pfad, '.');
    const char* trenner = std::strrchr(pfad, '/');
    const char* ext = punkt != nullptr && (trenner == nullptr || punkt > trenner) ? punkt + 1 : "";
    int art = strvgl(ext, "DXF") == 0 ? 0 : strvgl(ext, "HPGL") == 0 ? 1 : strvgl(ext, "TXT") == 0 ? 2 : -1;
    if (art < 0) {
        wiMeldung(TextNr(263), ext);
        return;
    }
    char datei[PVWNAMESUP + 1], stamm[PVWSTAMMSUP + 1], endung[PVWENDUNGSUP + 1];
    PvwNeuerName(LisAkt(PVWLISTE), datei, sizeof datei, stamm, sizeof stamm, endung, sizeof endung);
    ImpDlgOeffnen(art, pfad, stamm, endung);
}

void pvwNeu(int id)
{
    if (pvwAbgegeben(id) || pvwBibliothekOffen()) return;
    if (PvwSortModus() != PVW_SORT_NUMMER) {
        wiMeldung("%s", TextNr(403));
        return;
    }
    char datei[PVWNAMESUP + 1], stamm[PVWSTAMMSUP + 1], endung[PVWENDUNGSUP + 1];
    PvwNeuerName(LisAkt(PVWLISTE), datei, sizeof datei, stamm, sizeof stamm, endung, sizeof endung);
    ZeiAnlegenOeffnen(datei, stamm, endung);
}

void pvwNachNeu()
{
    char pfad[PVWNAMESUP + 1] = "", vorlage[ZOVORLAGESUP + 1] = "";
    ZeiNeuPfade(pfad, vorlage);
    char name[PVWNAMESUP + 1] = "";
    pvwDateiTeil(pfad, name, sizeof name);
    if (vorlage[0] == '\0') {
        LisAktSetzen(PVWLISTE, PvwZeiSuchen(name));
        PvwMarkUebernehmen();
        return;
    }
    PvwZeiBearbeiten(name, 1);
    PvwVorlageLaden(vorlage);
}

void pvwEigenschaften()
{
    char name[PVWNAMESUP + 1];
    if (pvwCursor(name) != 1) return;
    if (!ZeiIstDatei(pvwPfad(name).c_str())) {
        wiMeldung("%s", TextNr(17));
        return;
    }
    if (pvwAbgegeben(1850)) return;
    ZeiEigenOeffnen(name);
}

// Sort combo: the cursor stays on its drawing (a heading hands over to the
// entry below it, or above it on the last row).
void pvwSortieren()
{
    int zeile = LisAkt(PVWLISTE);
    const int n = PvwAnzahl();
    if (zeile >= 0 && zeile < n && PvwEintragAdr(zeile)->art == PVW_UNTERTITEL)
        zeile = zeile + 1 < n ? zeile + 1 : zeile - 1;
    char name[PVWNAMESUP + 1] = "";
    if (zeile >= 0 && zeile < n) PvwEintragName(zeile, name);
    PvwSortSetzen(wiComboWahl(PVWSORT));
    LisAnzahlSetzen(PVWLISTE, PvwAnzahl() > 0 ? PvwAnzahl() : 1);
    int neu = -1;
    for (int i = 0; i < PvwAnzahl() && name[0]; ++i) {
        if (PvwEintragAdr(i)->art != PVW_UNTERTITEL && std::strcmp(PvwEintragAdr(i)->name, name) == 0) neu = i;
    }
    if (neu >= 0) LisAktSetzen(PVWLISTE, neu);
    PvwMarkUebernehmen();
}

}  // namespace

void PvwBefehlAusfuehren(int id, int, LPARAM lp)
{
    char name[PVWNAMESUP + 1];
    int n = 0;
    switch (id) {
    case 1:
        if (wiGrbuAusloesen()) break;
        if (wiFokusId() == PVWSORT) SetFocus(pvwListe());
        else PvwDoppelklick(LisAkt(PVWLISTE));
        break;
    case 2:
        if (wiFokusId() == PVWSORT) SetFocus(pvwListe());
        break;
    case 1500: pvwRahmen().AuswertDlgOeffnen(0, 0); break;
    case 1510: ExportOeffnen(); break;
    case 1600: pvwImport(); break;
    case 1610:
    case 1611:
        pvwRahmen().DdeDateiMelden("", 4);
        PvwMarkUebernehmen();
        if (id == 1610) pvwRahmen().AuswertDlgOeffnen(0, 0);
        else ExportOeffnen();
        break;
    case 1800:
    case 2500: pvwNeu(id); break;
    case 1801: pvwNachNeu(); break;
    case 1810:
    case 2501: {
        if (pvwBibliothekOffen()) break;
        int art = pvwCursor(name);
        if (art == 0) {
            int zeile = LisAkt(PVWLISTE);
            if (zeile >= 0 && zeile < PvwAnzahl()) wiSeiteHauptPost(1512, zeile);
        } else {
            PvwZeiBearbeiten(name, art);
        }
        break;
    }
    case 1820:
    case 2502:
    case 1821: {
        if (pvwBibliothekOffen()) break;
        int art = pvwCursor(name);
        if (art == 0) break;
        if (id == 1821) PvwZeiAnsehenIntern(name, art);
        else PvwZeiAnsehen(name, art);
        break;
    }
    case 1830:
    case 2503:
        if (pvwMarkiert(true) == 0 || pvwAbgegeben(id)) break;
        PvwDrucken();
        break;
    case 1840:
    case 2504:
        if ((n = pvwMarkiert(false)) == 0 || pvwAbgegeben(id)) break;
        ZeiLoeschenOeffnen(n);
        break;
    case 1850: pvwEigenschaften(); break;
    case 1851: wiSeiteHauptPost(1510, 0); break;
    case 1852: {
        int zeile = LisAkt(PVWLISTE);
        if (zeile >= PvwAnzahl()) zeile = PvwAnzahl() - 1;
        while (zeile > 0 && PvwEintragAdr(zeile)->art != PVW_UNTERTITEL) --zeile;
        wiSeiteHauptPost(1512, zeile > 0 ? zeile : 0);
        break;
    }
    case 1860:
    case 1862:
    case 1870:
        if ((n = pvwMarkiert(false)) == 0 || pvwAbgegeben(id)) break;
        if (id == 1860) ZeiIdxOeffnen(n);
        else if (id == 1862) ZeiTxtOeffnen(n);
        else ZeiMstOeffnen(n);
        break;
    case 1880:
        if (PvwMarkUebernehmen() != 1) {
            wiMeldung("%s", TextNr(13));
            break;
        }
        if (pvwAbgegeben(id)) break;
        pvwCursor(name);
        ZeiUmnrOeffnen(name);
        break;
    case 1890: LisAlleMarkieren(PVWLISTE); break;
    case 1900:
        if (lp == 116) wiSeiteHauptPost(1505, 0);
        break;
    case 2580: SetFocus(pvwListe()); break;
    case 2590: {
        if (!pvwSeite.bereit) break;
        pvwSeite.spalte = PvwSpalteBreite();
        const auto LisMarkLoeschen = LisMarkierungAufheben;  // marks and anchor go with the old rows
        LisMarkLoeschen(PVWLISTE);
        LisAnzahlSetzen(PVWLISTE, PvwAnzahl() > 0 ? PvwAnzahl() : 1);
        break;
    }
    case 2591:
        if (!pvwSeite.bereit) break;
        LisAktSetzen(PVWLISTE, static_cast<int>(lp));
        PvwMarkUebernehmen();
        break;
    case PVWSORT:
        if (pvwSeite.bereit) pvwSortieren();
        break;
    default: break;
    }
}
