// Project title and subtitle dialogs (see titeldlg.h). Each dialog exists
// once; its copy buffers live for the run.
#include "project/titeldlg.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/sperre.h"
#include "config/vorgaben.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
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
#include "project/pvwliste.h"
#include "project/rschreib.h"
#include "project/startbild.h"
#include "project/wrz.h"
#include "project/zeitxt.h"
#include "project/zv5.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"
#include "winlib/wiwerk.h"

namespace {

void tdMeldung(int nr, const char* name)
{
    char m[400];
    std::snprintf(m, sizeof m, TextNr(nr), name);
    wiMeldung("%s", m);
}

// The project file written; a failure is said with its name.
bool tdSchreiben()
{
    if (UtitelBeenden(1) == 0) return true;
    char p[300];
    UtitelDateiName(p, sizeof p, 1);
    tdMeldung(243, p);
    return false;
}

void tdLesen(int id, char* ziel, int n)
{
    char t[UTTEXTSUP + 2] = "";
    wiTextHolen(id, t, n);
    strtrim(t);
    strkopie(ziel, static_cast<size_t>(n) + 1, t, n);
}

void tdLabel(int id, int i, const char* schluesselFormat)
{
    char schluessel[24], text[UTTEXTSUP + 1] = "", label[UTTEXTSUP + 8];
    std::snprintf(schluessel, sizeof schluessel, schluesselFormat, i);
    VgbText(schluessel, text, UTTEXTSUP);
    std::snprintf(label, sizeof label, "%02d %s", i + 1, text);
    wiTextSetzen(id, label);
}

void tdPost(int id) { PostMessage(wiDlgFenster(), WM_COMMAND, static_cast<WPARAM>(id), 0); }

void tdBestaetigen()
{
    if (RsSofort()) RsPruefen(0, 2509);
    else tdPost(2509);
}

// "TXTINSFUNK" under the paste button.
void tdEinfuegenMenu()
{
    RECT r{};
    GetWindowRect(wiItem(2521), &r);
    wiKontextMenu("TXTINSFUNK", MAKELPARAM(r.left, r.bottom), wiDlgFenster());
}

// ---- "PTITEL" ---------------------------------------------------------------------------------

constexpr int PT_ZEILEN = 60;
projekttext ptPuffer[3];
bool ptPufferVoll = false;

int ptZeileId(int i) { return 3100 + 10 * i; }

void ptFeldText(const projekttext* t, int i, const char** text)
{
    *text = t[i / UTTEXTE].text[i % UTTEXTE];
}

void ptZeigen(const projekttext* t, int modus)
{
    UtFeldSetzen(3000, t[0].titel, modus);
    UtFeldSetzen(3010, t[0].anlage, modus);
    UtFeldSetzen(3020, t[0].ort, modus);
    for (int i = 0; i < PT_ZEILEN; ++i) {
        const char* s;
        ptFeldText(t, i, &s);
        UtFeldSetzen(ptZeileId(i), s, modus);
    }
}

void ptGespeicherte(projekttext* t)
{
    UtitelProjektText(&t[0]);
    UtitelNrText(1, &t[1]);
    UtitelNrText(2, &t[2]);
}

void ptFelderLesen(projekttext* t)
{
    tdLesen(3000, t[0].titel, UTTEXTSUP);
    tdLesen(3010, t[0].anlage, UTTEXTSUP);
    tdLesen(3020, t[0].ort, UTTEXTSUP);
    for (int i = 0; i < PT_ZEILEN; ++i) tdLesen(ptZeileId(i), t[i / UTTEXTE].text[i % UTTEXTE], UTTEXTSUP);
}

void ptSpeichern()
{
    projekttext alt[3] = {}, neu[3] = {};
    ptGespeicherte(alt);
    ptFelderLesen(neu);
    // The identifiers are not fields of this dialog: they stay as stored.
    for (int k = 0; k < 3; ++k) std::memcpy(neu[k].gruppe, alt[k].gruppe, sizeof neu[k].gruppe);
    UtitelProjektSetzen(&neu[0]);
    UtitelNrSetzen(1, &neu[1]);
    UtitelNrSetzen(2, &neu[2]);
    if (tdSchreiben()) wiDlgSchliessen();
}

int ptInit(int, const char* const*)
{
    wiDlgPosLaden("PTITEL");
    for (int i = 0; i < PT_ZEILEN; ++i) tdLabel(ptZeileId(i) + 1, i, "PTText%d");
    SprTitel();
    if (RsStarten()) {
        RsFeldAnmelden(3000, "Titel", 1);
        RsFeldAnmelden(3010, "Anlage", 1);
        RsFeldAnmelden(3020, "Ort", 1);
        for (int i = 0; i < PT_ZEILEN; ++i) {
            char label[UTTEXTSUP + 8];
            wiTextHolen(ptZeileId(i) + 1, label, sizeof label - 1);
            RsFeldAnmelden(ptZeileId(i), label, 1);
        }
    } else {
        wiItemZeigen(2990, 0);
    }
    wiItemZeigen(3030, PrjFreigabe(2) == 1);
    char z1[PRJSPERRZEILESUP + 1] = "", z2[PRJSPERRZEILESUP + 1] = "";
    PrjSperreLesen(z1, z2);
    const bool fremd = (z1[0] || z2[0]) && !PrjSperreGehalten();
    wiItemZeigen(3031, fremd);
    wiItemZeigen(3032, fremd);
    std::string zeilen = std::string(z1) + "  " + z2;
    wiTextSetzen(3032, zeilen.c_str());
    projekttext t[3] = {};
    ptGespeicherte(t);
    ptZeigen(t, 0);
    return 0;
}

int ptExit()
{
    wiDlgPosSichern("PTITEL");
    RsFelderAbmelden();
    wiSeiteVerteilen(2998, 2);
    return 0;
}

int ptBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    RsNachricht(nachricht, wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    int id = LOWORD(wp);
    if (id == 1) id = wiGrbuAusloesen() ? 0 : 2500;
    switch (id) {
    case 2500: tdBestaetigen(); break;
    case 2509: ptSpeichern(); break;
    case 2: case 2501: {
        projekttext t[3] = {};
        ptGespeicherte(t);
        ptZeigen(t, 0);
        wiDlgSchliessen();
        break;
    }
    case 2520:
        for (projekttext& p : ptPuffer) p = projekttext{};
        ptFelderLesen(ptPuffer);
        ptPufferVoll = true;
        break;
    case 2521: tdEinfuegenMenu(); break;
    case 2522: case 2523: case 2524:
        if (ptPufferVoll) ptZeigen(ptPuffer, 2524 - id);
        break;
    default: break;
    }
    return 0;
}

// ---- "UTITEL" ---------------------------------------------------------------------------------

constexpr int UT_LISTE = 3900;
struct UtZustand {
    int gezeigt = -1;
    char kenn[UTKENNSUP + 1] = "";
};
UtZustand ut;
projekttext utPuffer{};
bool utPufferVoll = false;

int utZeileId(int i) { return 3200 + 10 * i; }

void utZeigen(const projekttext& t, int modus)
{
    UtFeldSetzen(3000, t.kenn, modus);
    UtFeldSetzen(3100, t.titel, modus);
    UtFeldSetzen(3110, t.anlage, modus);
    UtFeldSetzen(3120, t.ort, modus);
    UtFeldSetzen(3130, t.gruppe[0], modus);
    UtFeldSetzen(3131, t.gruppe[1], modus);
    for (int i = 0; i < UTTEXTE; ++i) UtFeldSetzen(utZeileId(i), t.text[i], modus);
}

void utLesen(projekttext* t)
{
    *t = projekttext{};
    tdLesen(3000, t->kenn, UTKENNSUP);
    tdLesen(3100, t->titel, UTTEXTSUP);
    tdLesen(3110, t->anlage, UTTEXTSUP);
    tdLesen(3120, t->ort, UTTEXTSUP);
    tdLesen(3130, t->gruppe[0], UTTEXTSUP);
    tdLesen(3131, t->gruppe[1], UTTEXTSUP);
    for (int i = 0; i < UTTEXTE; ++i) tdLesen(utZeileId(i), t->text[i], UTTEXTSUP);
}

// Shows entry n (out of range: empty fields) and selects its row.
void utEintragZeigen(int n)
{
    projekttext t{};
    if (n < 0 || !UtitelBereichHolen(n, &t)) t = projekttext{};
    ut.gezeigt = n;
    utZeigen(t, 0);
    wiListeWahlSetzen(UT_LISTE, n);
}

void utListeFuellen()
{
    wiListeLeeren(UT_LISTE);
    UtitelBereicheDurchlaufen(
        [](const projekttext* t, void*) {
            char z[200];
            std::snprintf(z, sizeof z, "%-11s%-21.20s%-21.20s%-21.20s%s %s", t->kenn, t->titel, t->anlage, t->ort,
                          t->gruppe[0], t->gruppe[1]);
            wiListeAnhaengen(UT_LISTE, z);
        },
        nullptr);
}

void utSpeichern()
{
    projekttext neu;
    utLesen(&neu);
    if (UtKennPruefen(neu.kenn, ut.gezeigt) != 0) {
        wiItemFokus(3000);
        return;
    }
    projekttext alt{};
    const bool ersetzt = ut.gezeigt >= 0 && UtitelBereichHolen(ut.gezeigt, &alt);
    if (ersetzt) UtitelBereichLoeschen(ut.gezeigt);
    if (UtitelBereichSetzen(&neu) != 0) {
        if (ersetzt) UtitelBereichSetzen(&alt);
        tdMeldung(243, neu.kenn);
        return;
    }
    const int nr = UtitelBereichNr(neu.kenn);
    utListeFuellen();
    utEintragZeigen(nr);
    wiItemFokus(UT_LISTE);
    tdSchreiben();
}

void utLoeschen()
{
    if (ut.gezeigt < 0 || ut.gezeigt >= UtitelBereichAnzahl()) return;
    UtitelBereichLoeschen(ut.gezeigt);
    utListeFuellen();
    int n = ut.gezeigt;
    if (n >= UtitelBereichAnzahl()) n = UtitelBereichAnzahl() - 1;
    utEintragZeigen(n);
    tdSchreiben();
}

int utInit(int, const char* const*)
{
    wiDlgPosLaden("UTITEL");
    for (int i = 0; i < UTTEXTE; ++i) tdLabel(utZeileId(i) + 1, i, "PTUnter%d");
    SprTitel();
    if (RsStarten()) {
        static const struct {
            int id;
            const char* name;
        } felder[] = {{3100, "Titel"}, {3110, "Anlage"}, {3120, "Ort"}, {3130, "Bauwerk"}, {3131, "Objekt"}};
        for (const auto& f : felder) RsFeldAnmelden(f.id, f.name, 1);
        for (int i = 0; i < UTTEXTE; ++i) {
            char label[UTTEXTSUP + 8];
            wiTextHolen(utZeileId(i) + 1, label, sizeof label - 1);
            RsFeldAnmelden(utZeileId(i), label, 1);
        }
    } else {
        wiItemZeigen(2990, 0);
    }
    utListeFuellen();
    int wahl = 0;
    for (int i = 0; ut.kenn[0] && i < UtitelBereichAnzahl(); ++i) {
        projekttext t{};
        if (UtitelBereichHolen(i, &t) && strvgl(t.kenn, ut.kenn) == 0 && std::strlen(t.kenn) == std::strlen(ut.kenn))
            wahl = i;
    }
    utEintragZeigen(UtitelBereichAnzahl() > 0 ? wahl : -1);
    return 0;
}

int utExit()
{
    wiDlgPosSichern("UTITEL");
    RsFelderAbmelden();
    wiSeiteVerteilen(2998, 2);
    return 0;
}

int utBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    RsNachricht(nachricht, wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    int id = LOWORD(wp);
    if (id == UT_LISTE) {
        if (HIWORD(wp) == LBN_SELCHANGE) utEintragZeigen(wiListeWahl(UT_LISTE));
        return 0;
    }
    if (id == 1) id = wiGrbuAusloesen() ? 0 : 2500;
    switch (id) {
    case 2500: tdBestaetigen(); break;
    case 2509: utSpeichern(); break;
    case 2510:
        utEintragZeigen(-1);
        wiItemFokus(3000);
        break;
    case 2511: utLoeschen(); break;
    case 2520:
        utLesen(&utPuffer);
        utPufferVoll = true;
        break;
    case 2521: tdEinfuegenMenu(); break;
    case 2522: case 2523: case 2524:
        if (utPufferVoll) utZeigen(utPuffer, 2524 - id);
        break;
    case 2529: {
        RECT r{};
        GetWindowRect(wiItem(2529), &r);
        wiKontextMenu("UTITELAKTION", MAKELPARAM(r.left, r.bottom), wiDlgFenster());
        break;
    }
    case 2525: UtitelImportMerken(); break;
    case 2526:
        if (!UtitelImportVorhanden()) {
            wiMeldung("%s", TextNr(411));
            break;
        }
        wiDlgSchliessen();
        wiSeiteHauptPost(1513, 0);
        break;
    case 2: case 2501:
        utEintragZeigen(ut.gezeigt);
        wiDlgSchliessen();
        break;
    default: break;
    }
    return 0;
}

// ---- "UTitelImp" ------------------------------------------------------------------------------

int uiInit(int, const char* const*)
{
    wiDlgModal();
    wiRadioSetzen(3000, 0, 2);
    wiRadioSetzen(3010, 0, 4);
    return 0;
}

int uiExit()
{
    wiSeiteHauptPost(1511, 0);
    return 0;
}

int uiBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1: case 2500:
        if (UtitelImportieren(wiRadio(3000, 2), wiRadio(3010, 4)) != 0) {
            wiMeldung("%s", TextNr(411));
            break;
        }
        tdSchreiben();
        wiDlgSchliessen();
        break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

void UtFeldSetzen(int id, const char* text, int modus)
{
    if (modus == 1 && text[0] == '\0') return;
    if (modus == 2 && wiTextLaenge(id) > 0) return;
    wiTextSetzen(id, text);
}

int UtKennPruefen(const char* kenn, int gezeigt)
{
    if (strleer(kenn)) {
        wiMeldung("%s", TextNr(406));
        return ERROR;
    }
    for (int i = 0; i < UtitelBereichAnzahl(); ++i) {
        projekttext t{};
        if (i == gezeigt || !UtitelBereichHolen(i, &t)) continue;
        if (strvgl(t.kenn, kenn) == 0 && std::strlen(t.kenn) == std::strlen(kenn)) {
            tdMeldung(412, kenn);
            return ERROR;
        }
    }
    return 0;
}

HWND PtDlgOeffnen()
{
    if (HWND d = wiDlgSuchen("PTITEL")) return d;
    UtitelNeuLaden();
    return wiDlgOeffnen("PTITEL", ptInit, ptExit, ptBefehl);
}

HWND UtDlgOeffnen(const char* kenn)
{
    if (HWND d = wiDlgSuchen("UTITEL")) return d;
    ut = UtZustand{};
    strkopie(ut.kenn, kenn ? kenn : "", UTKENNSUP);
    UtitelNeuLaden();
    return wiDlgOeffnen("UTITEL", utInit, utExit, utBefehl);
}

HWND UtImpDlgOeffnen()
{
    if (HWND d = wiDlgSuchen("UTitelImp")) return d;
    return wiDlgOeffnen("UTitelImp", uiInit, uiExit, uiBefehl);
}

int UtitelSprachDatei()
{
    char basis[300], sprache[300];
    UtitelDateiName(basis, sizeof basis, 0);
    UtitelDateiName(sprache, sizeof sprache, 1);
    if (std::strcmp(basis, sprache) == 0) return 0;
    if (dosattrib(sprache) != DOSATTR_FEHLT || dosattrib(basis) == DOSATTR_FEHLT) return 0;
    return dateikopieren(basis, sprache) == 0 ? 0 : ERROR;
}

void PvwTitelDialog() { PtDlgOeffnen(); }
void PvwUntertitelDialog(const char* zeichnung) { UtDlgOeffnen(zeichnung); }
void PvwUntertitelImport() { UtImpDlgOeffnen(); }
void PvwTitelVorbereiten() { UtitelSprachDatei(); }
void PvwTitelCacheSchliessen() { UtitelNeuLaden(); }
