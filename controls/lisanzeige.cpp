// List display: slots, rows and heights, cursor and marks, scrolling,
// painting as display-list commands, headings, row drawing operations and
// in-place editing (see lisanzeige.h). Input is in lisanzeige_ein.cpp.
//
// Invariants of a taken slot (poslis != NULL):
//  1. 0 <= anzahl <= kapazitaet <= LISPOSSUP, kapazitaet >= 1; gesamt = sum
//     of poslis[0..anzahl-1].hoehe.
//  2. akt is -1 only when anzahl is 0 (or after LisAnzahlSetzen(0)); else
//     0 <= akt < anzahl once a key, click or LisAktSetzen moved it.
//  3. rollGesamt = max(gesamt, seiteKopie) after every range setting, and
//     0 <= oben <= rollGesamt - rollSeite after LisAnzahlSetzen.
//  4. editSpalten != 0 while an in-place run is open; editSichtbar while the
//     field is shown.
#include "controls/lisanzeige.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "controls/ctlkern.h"
#include "controls/lisanzeige_int.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/winconst.h"
#include "support/basis.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"
#include "winlib/tbarhaken.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

LisSlot lisSlots[LISSUP];
int lisMalNr = -1;  // the slot whose row is being painted (drawing operations)
int lisDurchgaenge = 0;    // paint passes begun
int lisDurchgangJetzt = 0; // the one whose rows are being painted, 0: none

COLORREF lisMark = RGB(200, 240, 224);
COLORREF lisCursor = RGB(215, 232, 255);
COLORREF lisKopf = RGB(255, 248, 220);

int lisKlemmen(int v, int lo, int hi)
{
    if (v > hi) v = hi;
    if (v < lo) v = lo;
    return v;
}

HWND lisItem(const LisSlot& s, int id)
{
    return GetDlgItem(s.dialog, id);
}

// Grid of the painted row.
int lisX(const LisSlot& s, int spalte) { return spalte * s.cw + 2; }
int lisT(const LisSlot& s, int zeile) { return (s.zeilenVersatz + zeile) * s.lh / 2 + 3; }
int lisB(const LisSlot& s, int zeile) { return (s.zeilenVersatz + zeile) * s.lh / 2 + s.lh; }
// Whether a text line with its base line at `b` starts inside the view: a
// line of a row scrolled partly above the top would show only the lower
// halves of its glyphs over the first whole row (its band is clamped to the
// top edge), so it is left out until the row comes into view.
bool lisTextGanz(const LisSlot& s, int b) { return b - s.lh + 3 >= 1 && b <= s.hoehe; }
// Base line of half-line k counted from the top of the view.
int lisBAb(const LisSlot& s, int k) { return k * s.lh / 2 + s.lh; }

// One "fill" clamped to x 0 .. width - 1 and y 1 .. height - 2.
void lisFuellen(const LisSlot& s, int x1, int y1, int x2, int y2)
{
    x1 = lisKlemmen(x1, 0, s.breite - 1);
    x2 = lisKlemmen(x2, 0, s.breite - 1);
    y1 = lisKlemmen(y1, 1, s.hoehe - 2);
    y2 = lisKlemmen(y2, 1, s.hoehe - 2);
    lisSenden(s, s.id, "fill %d %d %d %d", x1, y1, x2, y2);
}

void lisFarbeSenden(const LisSlot& s, const char* wort, COLORREF f)
{
    lisSenden(s, s.id, "%s %d %d %d", wort, GetRValue(f), GetGValue(f), GetBValue(f));
}

// The band of a row starting at view half-line z with h half-lines.
void lisBand(const LisSlot& s, int z, int h, int* oben, int* unten)
{
    *oben = lisKlemmen(z * s.lh / 2 + 3, 1, s.hoehe - 2);
    *unten = lisKlemmen((z + h) * s.lh / 2 + 3, 1, s.hoehe - 2);
}

bool lisImAnker(const LisSlot& s, int zeile)
{
    if (s.anker < 0 || s.akt < 0) return false;
    int a = s.anker < s.akt ? s.anker : s.akt;
    int b = s.anker < s.akt ? s.akt : s.anker;
    return zeile >= a && zeile <= b;
}

void lisMessen(LisSlot& s)
{
    char antwort[41];
    lisFragen(s, "get size", antwort, 40);
    char* ende = nullptr;
    s.breite = static_cast<int>(std::strtol(antwort, &ende, 10));
    s.hoehe = static_cast<int>(std::strtol(ende, nullptr, 10));
    s.cw = wiDlgEinheit(4);
    s.lh = wiDlgEinheit(8);
    if (s.cw < 1) s.cw = 1;
    if (s.lh < 2) s.lh = 2;
    s.seite = (s.hoehe - 4) / (s.lh / 2);
    if (s.seite < 0) s.seite = 0;
    lisSenden(s, s.id, "color 0 0 0");
}

void lisBereichSetzen(LisSlot& s, int gesamt, int seite)
{
    s.rollGesamt = gesamt > seite ? gesamt : seite;
    s.rollSeite = seite;
    int hoechstens = s.rollGesamt - s.rollSeite;
    if (s.oben > hoechstens) s.oben = hoechstens;
    if (s.oben < 0) s.oben = 0;
    if (s.rollId) wiScrollSetzen(s.rollId, s.oben, 0, s.rollGesamt - 1, s.rollSeite);
}

// Rows for anzahl: the block grows (at least doubling), zero-filled beyond
// the rows it had, and never shrinks.
void lisPlatz(LisSlot& s)
{
    if (s.anzahl <= s.kapazitaet) return;
    const int kap = std::min(LISPOSSUP, std::max(s.anzahl, 2 * s.kapazitaet));
    auto* neu = static_cast<pos*>(fmalloc(kap, static_cast<long>(sizeof(pos))));
    if (!neu) wiAssert("lisanzeige", __LINE__, "AL.poslis != (struct pos *) NULL");
    std::memcpy(neu, s.poslis, static_cast<size_t>(s.kapazitaet) * sizeof(pos));
    ffree(s.poslis);
    s.poslis = neu;
    s.kapazitaet = kap;
}

void lisHoehenLesen(LisSlot& s)
{
    s.gesamt = 0;
    for (int i = 0; i < s.anzahl; ++i) {
        s.poslis[i].nr = i;
        s.poslis[i].hoehe = s.hoeheFn ? s.hoeheFn(i) : 2;
        s.gesamt += s.poslis[i].hoehe;
    }
}

void lisPosten(const LisSlot& s, int ereignis, int zeile)
{
    int befehl = 0;
    if (ereignis == LISCURSOR || ereignis == LISANZAHL) befehl = s.cursorBefehl;
    if (ereignis == LISAKTIV) befehl = s.aktivBefehl;
    if (ereignis == LISKONTEXT) befehl = s.kontextBefehl;
    if (befehl) PostMessage(wiDlgFenster(), WM_COMMAND, static_cast<WPARAM>(befehl), static_cast<LPARAM>(zeile));
}

// The slot being painted, or none (drawing operations outside a paint).
LisSlot* lisMalSlot()
{
    if (lisMalNr < 0 || !lisSlots[lisMalNr].poslis) return nullptr;
    return &lisSlots[lisMalNr];
}

COLORREF lisZustandFarbe(const LisSlot& s, COLORREF normal)
{
    return s.zeilenZustand == 1 ? lisMark : s.zeilenZustand == 2 ? lisCursor : normal;
}

}  // namespace

// ---- Slots ----------------------------------------------------------------------------------------

int lisEinstellen(int id)
{
    HWND dlg = wiDlgFenster();
    for (int i = 0; i < LISSUP; ++i) {
        if (lisSlots[i].poslis && lisSlots[i].dialog == dlg && lisSlots[i].id == id) return i;
    }
    return -1;
}

LisSlot& lisSlot(int id)
{
    int alx = lisEinstellen(id);
    if (alx < 0) wiAssert("lisanzeige", __LINE__, "(alx = einstellen( ctlnum )) >= 0");
    return lisSlots[alx];
}

LisSlot& lisSlotNr(int nr)
{
    return lisSlots[nr];
}

void lisSenden(const LisSlot& s, int id, const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    HWND h = lisItem(s, id);
    if (h) SetWindowText(h, text);
}

void lisFragen(const LisSlot& s, const char* frage, char* antwort, int n)
{
    antwort[0] = '\0';
    HWND h = lisItem(s, s.id);
    if (!h) return;
    SetWindowText(h, frage);
    GetWindowText(h, antwort, n + 1);
}

int lisStart(const LisSlot& s, int zeile)
{
    if (zeile >= s.anzahl) return s.gesamt - 1;
    int start = 0;
    for (int i = 0; i < zeile; ++i) start += s.poslis[i].hoehe;
    return start;
}

int lisZeileBei(const LisSlot& s, int k)
{
    if (k < 0) return 0;
    int start = 0;
    for (int i = 0; i < s.anzahl; ++i) {
        int h = s.poslis[i].hoehe;
        if (k >= start && k <= start + h - 1) return i;
        start += h;
    }
    return s.anzahl - 1;
}

void lisObenSetzen(LisSlot& s, int oben)
{
    s.oben = oben;
    if (s.rollId) wiScrollSetzen(s.rollId, s.oben, 0, s.rollGesamt - 1, s.rollSeite);
}

bool lisEinblenden(LisSlot& s, int zeile)
{
    int alt = s.akt;
    int neu = zeile < 0 ? 0 : zeile;
    if (neu > s.anzahl - 1) neu = s.anzahl - 1;
    s.akt = neu;
    bool faellig = s.akt != alt;
    if (s.akt < 0) return faellig;
    int start = lisStart(s, s.akt);
    int ende = start + s.poslis[s.akt].hoehe;
    int unten = s.oben + s.seite - 1;
    int maxOben = s.gesamt - (s.seite & ~1) + 2;
    if (maxOben < 0) maxOben = 0;
    int oben = s.oben;
    if (start < oben) {
        oben = start;
    } else if (ende > unten) {
        oben = s.oben + ende - unten;
    }
    oben = lisKlemmen(oben, 0, maxOben);
    if (oben != s.oben) {
        lisObenSetzen(s, oben);
        faellig = true;
    }
    return faellig;
}

void lisMarkenLeeren(LisSlot& s)
{
    for (int i = 0; i < s.anzahl; ++i) s.poslis[i].markiert = 0;
}

void lisAnkerSchreiben(LisSlot& s)
{
    if (s.anker >= 0) {
        for (int i = 0; i < s.anzahl; ++i) {
            if (lisImAnker(s, i)) s.poslis[i].markiert = 1;
        }
    }
    s.anker = -1;
}

void lisMalen(LisSlot& s)
{
    lisSenden(s, s.id, "clear");
    int unten = s.oben + s.seite - 1;
    lisSenden(s, s.id, "font %d", 1);
    s.ersteSichtbar = 30000;
    s.letzteSichtbar = -1;
    int cursorStart = -1;
    int start = 0;
    int nr = static_cast<int>(&s - lisSlots);
    const int durchgang = ++lisDurchgaenge;
    for (int r = 0; r < s.anzahl && start <= unten; ++r) {
        int h = s.poslis[r].hoehe;
        if (start + h - 1 >= s.oben) {
            if (r < s.ersteSichtbar) s.ersteSichtbar = r;
            s.letzteSichtbar = r;
            if (r == s.akt) cursorStart = start;
            int y1, y2;
            lisBand(s, start - s.oben, h, &y1, &y2);
            s.zeilenZustand = 0;
            lisSenden(s, s.id, "bgcolor %d %d %d", 255, 255, 255);
            if (lisImAnker(s, r) || s.poslis[r].markiert) {
                lisFarbeSenden(s, "color", lisMark);
                lisSenden(s, s.id, "fill %d %d %d %d", 1, y1, s.breite - 1, y2);
                s.zeilenZustand = 1;
                lisFarbeSenden(s, "bgcolor", lisMark);
            } else if (r == s.akt && !s.ohneCursorFarbe) {
                lisFarbeSenden(s, "color", lisCursor);
                lisSenden(s, s.id, "fill %d %d %d %d", 1, y1, s.breite - 1, y2);
                s.zeilenZustand = 2;
                lisFarbeSenden(s, "bgcolor", lisCursor);
            }
            lisSenden(s, s.id, "font %d", 1);
            lisSenden(s, s.id, "color 0 0 0");
            s.zeilenVersatz = start - s.oben;
            s.malZeile = r;
            lisMalNr = nr;
            lisDurchgangJetzt = durchgang;
            if (s.malFn) {
                s.malFn(r);
            } else if (s.mal2Fn) {
                s.mal2Fn(s.id, r);
            }
            lisDurchgangJetzt = 0;
        }
        start += h;
    }
    if (cursorStart >= 0 && !s.ohneFokus) {
        int y1, y2;
        lisBand(s, cursorStart - s.oben, s.poslis[s.akt].hoehe, &y1, &y2);
        lisSenden(s, s.id, "focus %d %d %d %d", 1, y1, s.breite - 1, y2);
    } else {
        // No cursor row in view: the display must not keep an old focus box.
        lisSenden(s, s.id, "focus 0 0 0 0");
    }
    lisSenden(s, s.id, "paint");
}

void lisEreignisEdit(LisSlot& s, int ereignis, int zeile)
{
    if (s.ereignisFn) s.ereignisFn(ereignis, zeile);
    lisPosten(s, ereignis, zeile);
}

void lisEreignis(LisSlot& s, int ereignis, int maus)
{
    s.mausFlag = maus;
    if (ereignis != LISMARKEN) lisEditBeenden(s);
    int zeile = s.akt;
    if (s.ereignisFn) s.ereignisFn(ereignis, zeile);
    lisPosten(s, ereignis, zeile);
}

void lisEditBeenden(LisSlot& s)
{
    s.editSpalten = 0;
    if (s.editSichtbar) {
        s.editSichtbar = false;
        HWND feld = lisItem(s, s.editId);
        if (feld) ShowWindow(feld, SW_HIDE);
        lisEreignisEdit(s, LISEDITZU, s.akt);
    }
}

void lisEditOeffnen(LisSlot& s)
{
    char text[LISZELLESUP];
    text[0] = '\0';
    int start = 0, breite = 0;
    if (s.zelleTextFn) s.zelleTextFn(s.editZeile, s.editSpalte, &start, &breite, text, LISZELLESUP);
    text[LISZELLESUP - 1] = '\0';
    if (breite == 0) {
        lisEditBeenden(s);
        lisMalen(s);
        HWND h = lisItem(s, s.id);
        if (h) SetFocus(h);
        return;
    }
    int z = lisStart(s, s.editZeile) - s.oben;
    wiItemUeber(s.id, s.editId, start * s.cw + 2 - 4, (start + breite) * s.cw + 2 + 4, lisBAb(s, z - 1) - 6,
                lisBAb(s, z + 1) - 2);
    s.editSichtbar = true;
    HWND feld = lisItem(s, s.editId);
    if (feld) ShowWindow(feld, SW_SHOW);
    lisSenden(s, s.editId, "%cC %d", 27, s.schrittId);
    lisSenden(s, s.editId, "%cc %d", 27, s.tabId);
    lisSenden(s, s.editId, "%cl %d", 27, s.seitenId);
    if (s.editSpalte >= 0 && s.editSpalte < static_cast<int>(std::strlen(s.spaltenArten))) {
        lisSenden(s, s.editId, "%cT %c", 27, s.spaltenArten[s.editSpalte]);
    } else {
        lisSenden(s, s.editId, "%cT T", 27);
    }
    const char* p = text;
    while (*p == 27) {
        const char* tab = std::strchr(p, '\t');
        size_t n = tab ? static_cast<size_t>(tab - p) : std::strlen(p);
        char befehl[LISZELLESUP];
        strkopie(befehl, sizeof befehl, p, static_cast<int>(n));
        if (feld) SetWindowText(feld, befehl);
        p += n;
        if (*p == '\t') ++p;
    }
    if (feld) {
        SetWindowText(feld, p);
        SetFocus(feld);
    }
    lisEreignisEdit(s, LISEDITAUF, s.akt);
}

// ---- Lifecycle and modes ------------------------------------------------------------------------

void LisAnlegen(int id, LisHoeheFn hoehe, LisMalFn malen, LisEreignisFn ereignis)
{
    int i = 0;
    while (i < LISSUP && lisSlots[i].poslis) ++i;
    if (i >= LISSUP) wiAssert("lisanzeige", __LINE__, "i<LISSUP");
    LisSlot& s = lisSlots[i];
    std::memset(&s, 0, sizeof s);
    // The rows grow with the count (LisAnzahlSetzen): most lists are short,
    // and the full LISPOSSUP rows would clear 240 KB for each.
    s.kapazitaet = LISKAPANFANG;
    s.poslis = static_cast<pos*>(fmalloc(s.kapazitaet, static_cast<long>(sizeof(pos))));
    if (!s.poslis) wiAssert("lisanzeige", __LINE__, "AL.poslis != (struct pos *) NULL");
    s.dialog = wiDlgFenster();
    s.id = id;
    s.hoeheFn = hoehe;
    s.malFn = malen;
    s.ereignisFn = ereignis;
    lisMessen(s);
    s.seiteKopie = s.seite;
    s.rollId = id + 1;
    s.rollGesamt = s.seite;
    s.rollSeite = s.seite;
    wiScrollSetzen(s.rollId, 0, 0, s.seite - 1, s.seite);
    s.akt = 0;
    s.anker = -1;
    s.anzahl = 0;
    s.ersteSichtbar = 30000;
    s.letzteSichtbar = -1;
    s.editId = id + 2;
    s.schrittId = id + 3;
    s.tabId = id + 4;
    s.seitenId = id + 5;
    HWND feld = lisItem(s, s.editId);
    if (feld) ShowWindow(feld, SW_HIDE);
    lisMalen(s);
}

void LisFreigeben(int id)
{
    LisSlot& s = lisSlot(id);
    ffree(s.poslis);
    if (lisMalNr == static_cast<int>(&s - lisSlots)) lisMalNr = -1;
    std::memset(&s, 0, sizeof s);
}

int LisVorhanden(int id) { return lisEinstellen(id) >= 0 ? 1 : 0; }

void LisKlickMarkieren(int id)
{
    LisSlot& s = lisSlot(id);
    s.klickMarkieren = true;
    s.einzeln = false;
}

void LisEinzelwahl(int id)
{
    LisSlot& s = lisSlot(id);
    s.einzeln = true;
    s.klickMarkieren = false;
}

void LisMalen2(int id, LisMal2Fn malen) { lisSlot(id).mal2Fn = malen; }

void LisBefehle(int id, int cursorBefehl, int aktivBefehl, int kontextBefehl)
{
    LisSlot& s = lisSlot(id);
    s.cursorBefehl = cursorBefehl;
    s.aktivBefehl = aktivBefehl;
    s.kontextBefehl = kontextBefehl;
}

void LisZiehBefehl(int id, int befehl) { lisSlot(id).ziehBefehl = befehl; }
void LisOhneCursorFarbe(int id) { lisSlot(id).ohneCursorFarbe = true; }
void LisOhneFokus(int id) { lisSlot(id).ohneFokus = true; }
void LisOhneRollbalken(int id) { lisSlot(id).rollId = 0; }

void LisZeichenMeldung(int id, int befehl)
{
    LisSlot& s = lisSlot(id);
    lisSenden(s, s.id, "CHARMESSAGE %d", befehl);
}

void LisSpaltenArten(int id, const char* arten)
{
    strkopie(lisSlot(id).spaltenArten, arten ? arten : "", LISARTENSUP);
}

// ---- Rows, cursor, marks ---------------------------------------------------------------------------

void LisAnzahlSetzen(int id, int n)
{
    LisSlot& s = lisSlot(id);
    s.anzahl = n < 0 ? 0 : n > LISPOSSUP ? LISPOSSUP : n;
    lisPlatz(s);
    lisHoehenLesen(s);
    lisBereichSetzen(s, s.gesamt, s.seiteKopie);
    lisObenSetzen(s, s.oben);
    s.anker = -1;
    lisMarkenLeeren(s);
    if (s.anzahl <= s.akt) s.akt = s.anzahl - 1;
    lisMalen(s);
    if (s.akt >= 0 && s.akt < s.anzahl) lisEreignis(s, LISANZAHL, 0);
    lisEreignis(s, LISMARKEN, 0);
}

int LisAnzahl(int id) { return lisSlot(id).anzahl; }

void LisNeuAufbauen(int id)
{
    LisSlot& s = lisSlot(id);
    lisHoehenLesen(s);
    lisBereichSetzen(s, s.gesamt, s.seiteKopie);
    lisMalen(s);
}

void LisGroesseNeu(int id)
{
    LisSlot& s = lisSlot(id);
    lisMessen(s);
    s.seiteKopie = s.seite;
    lisBereichSetzen(s, s.gesamt, s.seiteKopie);
}

void LisAktSetzen(int id, int zeile)
{
    LisSlot& s = lisSlot(id);
    if (zeile == s.akt) return;
    int alt = s.akt;
    lisMarkenLeeren(s);
    lisEinblenden(s, zeile);
    lisMalen(s);
    if (s.akt != alt && s.akt >= 0) lisEreignis(s, LISAKTGESETZT, 0);
    lisEreignis(s, LISMARKEN, 0);
}

int LisAkt(int id) { return lisSlot(id).akt; }
int LisErsteSichtbare(int id) { return lisSlot(id).ersteSichtbar; }
int LisMalDurchgang() { return lisDurchgangJetzt; }

int LisAnkerOderAkt(int id)
{
    const LisSlot& s = lisSlot(id);
    return s.anker >= 0 ? s.anker : s.akt;
}

int LisIstMarkiert(int id, int zeile)
{
    const LisSlot& s = lisSlot(id);
    if (zeile < 0 || zeile >= s.anzahl) return 0;
    return zeile == s.akt || s.poslis[zeile].markiert || lisImAnker(s, zeile) ? 1 : 0;
}

int LisMarkiertAnzahl(int id)
{
    const LisSlot& s = lisSlot(id);
    int n = 0;
    for (int i = 0; i < s.anzahl; ++i) {
        if (s.poslis[i].markiert || lisImAnker(s, i)) ++n;
    }
    return n;
}

void LisAlleMarkieren(int id)
{
    LisSlot& s = lisSlot(id);
    for (int i = 0; i < s.anzahl; ++i) s.poslis[i].markiert = 1;
    lisMalen(s);
    lisEreignis(s, LISMARKEN, 0);
}

void LisMarkierungAufheben(int id)
{
    LisSlot& s = lisSlot(id);
    s.anker = -1;
    lisMarkenLeeren(s);
    lisMalen(s);
    lisEreignis(s, LISMARKEN, 0);
}

int LisBuchstabeSuchen(int id, int buchstabe, void (*textFn)(int zeile, char* text))
{
    LisSlot& s = lisSlot(id);
    if (!textFn) return -1;
    unsigned char b = zgross(static_cast<unsigned char>(buchstabe));
    auto trifft = [&](int r) {
        char text[256];
        text[0] = '\0';
        textFn(r, text);
        text[255] = '\0';
        return zgross(static_cast<unsigned char>(text[0])) == b && text[0] != '\0';
    };
    int treffer = -1;
    for (int r = s.akt + 1; r < s.anzahl && treffer < 0; ++r) {
        if (trifft(r)) treffer = r;
    }
    for (int r = 0; r < s.anzahl && r <= s.akt && treffer < 0; ++r) {
        if (trifft(r)) treffer = r;
    }
    if (treffer >= 0) LisAktSetzen(id, treffer);
    return treffer;
}

int LisSpaltenRest(int id)
{
    const LisSlot& s = lisSlot(id);
    return (s.breite - 2) / s.cw;
}

int LisOben(int id) { return lisSlot(id).oben; }
int LisSeite(int id) { return lisSlot(id).seite; }

void LisUeberschrift(int id, int spalte, const char* text)
{
    LisSlot& s = lisSlot(id);
    int kopf = s.id + 3;
    if (!s.kopfGemalt || spalte < 2) {
        lisSenden(s, kopf, "color %d %d %d", GetRValue(lisKopf), GetGValue(lisKopf), GetBValue(lisKopf));
        lisSenden(s, kopf, "fill %d %d %d %d", 0, 0, s.breite, s.hoehe);
        lisSenden(s, kopf, "color 0 0 0");
        lisSenden(s, kopf, "font 2");
        s.kopfGemalt = true;
    }
    lisSenden(s, kopf, "ltext %d %d %s", lisX(s, spalte), s.lh, text ? text : "");
}

void LisZelleBelegen(int id, int anderesId, int zeile, int spalte, int halbzeilen, int breite)
{
    LisSlot& s = lisSlot(id);
    int z = lisStart(s, zeile) - s.oben;
    wiItemUeber(s.id, anderesId, lisX(s, spalte) - 4, lisX(s, spalte + breite) + 4, lisBAb(s, z - 1) - 6,
                lisBAb(s, z + halbzeilen - 1) - 2);
}

// ---- Current dialog ----------------------------------------------------------------------------------

namespace {

void lisStilSetzen(HWND h, int flag)
{
    DWORD stil = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
    char text[32];
    std::snprintf(text, sizeof text, "%cS %d", 27, static_cast<int>(stil & 248) + (flag == 1 ? 3 : 0));
    SetWindowText(h, text);
}

BOOL lisStilProc(HWND h, LPARAM lp)
{
    char klasse[81];
    GetClassName(h, klasse, sizeof klasse);
    strgross(klasse);
    if (std::strcmp(klasse, "ORVAEDIT") == 0 || std::strcmp(klasse, "ORVASHOW") == 0 ||
        std::strcmp(klasse, "ORVADISP") == 0) {
        lisStilSetzen(h, static_cast<int>(lp));
    }
    return TRUE;
}

BOOL lisSchriftProc(HWND h, LPARAM lp)
{
    char klasse[81];
    GetClassName(h, klasse, sizeof klasse);
    strgross(klasse);
    if (std::strcmp(klasse, "STATIC") == 0) {
        SendMessage(h, WM_SETFONT, static_cast<WPARAM>(ctlSchrift(static_cast<int>(lp))), 0);
    }
    return TRUE;
}

}  // namespace

void LisDlgStil(int flag)
{
    HWND dlg = wiDlgFenster();
    if (dlg) EnumChildWindows(dlg, lisStilProc, static_cast<LPARAM>(flag));
}

void LisStilIds(int flag, ...)
{
    HWND dlg = wiDlgFenster();
    va_list args;
    va_start(args, flag);
    for (;;) {
        int id = va_arg(args, int);
        if (id < 1000 || id > 5999) break;
        HWND h = GetDlgItem(dlg, id);
        if (h) lisStilSetzen(h, flag);
    }
    va_end(args);
}

void LisDlgSchrift(const char* text)
{
    int n = 0;
    if (text && std::strcmp(text, "1") == 0) n = 1;
    if (text && std::strcmp(text, "2") == 0) n = 2;
    if (text && std::strcmp(text, "3") == 0) n = 3;
    HWND dlg = wiDlgFenster();
    if (!dlg) return;
    EnumChildWindows(dlg, lisSchriftProc, static_cast<LPARAM>(n));
    InvalidateRect(dlg, nullptr, TRUE);
    UpdateWindow(dlg);
}

// ---- Drawing operations ------------------------------------------------------------------------------------

void LisFarbe(int r, int g, int b)
{
    LisSlot* s = lisMalSlot();
    if (s) lisSenden(*s, s->id, "color %d %d %d", r, g, b);
}

void LisSchrift(int n)
{
    LisSlot* s = lisMalSlot();
    if (!s) return;
    HWND h = lisItem(*s, s->id);
    if (h) SendMessage(h, WM_SETFONT, static_cast<WPARAM>(ctlSchrift(n)), 0);
}

void LisText(int spalte, int zeile, const char* text)
{
    LisSlot* s = lisMalSlot();
    if (!s) return;
    int b = lisB(*s, zeile);
    if (!lisTextGanz(*s, b)) return;
    lisSenden(*s, s->id, "ltext %d %d %c%s", lisX(*s, spalte), b, 2, text ? text : "");
}

void LisTextRechts(int spalte, int zeile, const char* text)
{
    LisSlot* s = lisMalSlot();
    if (!s) return;
    int b = lisB(*s, zeile);
    if (!lisTextGanz(*s, b)) return;
    lisSenden(*s, s->id, "rtext %d %d %s", lisX(*s, spalte), b, text ? text : "");
}

void LisBild(int spalte, int zeile, const char* name)
{
    LisSlot* s = lisMalSlot();
    if (!s || !name) return;
    int x = lisX(*s, spalte), y = lisT(*s, zeile);
    if (std::strchr(name, '/')) {
        lisSenden(*s, s->id, "bmpfi %d %d 0 0 %s", x, y, name);
    } else if (name[0] == '.') {
        lisSenden(*s, s->id, "bmprc %d %d 0 0 %s", x, y, name + 1);
    } else if (HMODULE m = TbarBildModul()) {
        lisSenden(*s, s->id, "bmprc %d %d 0 0 %s(%d)", x, y, name, static_cast<int>(m));
    } else {
        lisSenden(*s, s->id, "bmprc %d %d 0 0 %s", x, y, name);
    }
}

void LisHintergrund(int spalte)
{
    LisSlot* s = lisMalSlot();
    if (!s) return;
    // From the column to the right edge, over the whole row.
    int h = s->poslis[s->malZeile].hoehe;
    lisFarbeSenden(*s, "color", lisZustandFarbe(*s, RGB(255, 255, 255)));
    lisFuellen(*s, lisX(*s, spalte), lisT(*s, 0), s->breite - 1, lisT(*s, h));
    lisSenden(*s, s->id, "color 0 0 0");
}

void LisLinie(int spalte1, int spalte2, int zeile, int ort, int dick)
{
    LisSlot* s = lisMalSlot();
    if (!s) return;
    int x1 = lisX(*s, spalte1);
    int x2 = spalte2 == 0 ? s->breite - 1 : lisX(*s, spalte2);
    int y = lisT(*s, zeile) + (ort == 1 ? s->lh / 4 : ort == 2 ? s->lh / 2 : 0);
    int y1 = y, y2 = y + 1;
    if (dick) {
        if (ort == 0) {
            y2 = y + 3;
        } else if (ort == 1) {
            y1 = y - 1;
            y2 = y + 2;
        } else {
            y1 = y - 3;
            y2 = y;
        }
    }
    lisFuellen(*s, x1, y1, x2, y2);
}

void LisLinieMitte(int spalte1, int spalte2, int zeile, int dick)
{
    LisLinie(spalte1, spalte2, zeile, 1, dick);
}

void LisZelleFuellen(int spalte1, int spalte2, int zeile1, int zeile2, int r, int g, int b)
{
    LisSlot* s = lisMalSlot();
    if (!s) return;
    lisFarbeSenden(*s, "color", lisZustandFarbe(*s, RGB(r & 255, g & 255, b & 255)));
    int x2 = spalte2 == 0 ? s->breite - 1 : lisX(*s, spalte2);
    lisFuellen(*s, lisX(*s, spalte1), lisT(*s, zeile1), x2, lisT(*s, zeile2) + 1);
    lisSenden(*s, s->id, "color 0 0 0");
}

namespace {
int lisViertelX(const LisSlot& s, int n) { return lisX(s, 0) + n * s.cw / 4 - 2; }
}  // namespace

void LisViertelBalken(int basis, int von, int bis, int zeile)
{
    LisSlot* s = lisMalSlot();
    if (!s) return;
    int y1 = lisT(*s, zeile + 1) - s->lh / 4;
    int y2 = lisT(*s, zeile + 1) + s->lh / 4;
    if (y2 < 1) return;
    lisFuellen(*s, lisViertelX(*s, basis + von), y1, lisViertelX(*s, basis + bis), y2);
}

void LisViertelStrich(int basis, int bei, int zeile)
{
    LisSlot* s = lisMalSlot();
    if (!s) return;
    int q = lisViertelX(*s, basis + bei);
    lisFuellen(*s, q, lisT(*s, zeile + 1) - s->lh / 4, q + 1, lisT(*s, zeile + 1) + s->lh / 4);
}

void LisViertelSenkrecht(int basis, int bei, int zeile1, int zeile2, int dick)
{
    LisSlot* s = lisMalSlot();
    if (!s) return;
    int q = lisX(*s, 0) + (basis + bei) * s->cw / 4;
    // Not clamped, as the other fills are.
    lisSenden(*s, s->id, "fill %d %d %d %d", dick ? q - 3 : q - 2, lisT(*s, zeile1), dick ? q : q - 1,
              lisT(*s, zeile2) + 1);
}

void LisViertelFuellen(int basis, int von, int bis, int zeile1, int zeile2)
{
    LisSlot* s = lisMalSlot();
    if (!s || s->zeilenZustand != 0) return;
    lisFuellen(*s, lisViertelX(*s, basis + von), lisT(*s, zeile1), lisViertelX(*s, basis + bis),
               lisT(*s, zeile2) + 1);
}

void LisFarbenSetzen(int cr, int cg, int cb, int mr, int mg, int mb, int kr, int kg, int kb)
{
    lisCursor = RGB(cr & 255, cg & 255, cb & 255);
    lisMark = RGB(mr & 255, mg & 255, mb & 255);
    lisKopf = RGB(kr & 255, kg & 255, kb & 255);
}

void LisFarbenEmpfangen(COLORREF cursor, COLORREF markiert, COLORREF kopf)
{
    lisCursor = cursor;
    lisMark = markiert;
    lisKopf = kopf;
}

COLORREF LisCursorFarbe() { return lisCursor; }
COLORREF LisMarkFarbe() { return lisMark; }
COLORREF LisKopfFarbe() { return lisKopf; }

// ---- In-place editing ----------------------------------------------------------------------------------------

void LisEditStart(int id, int zeile, int spalte, int spalten, LisZelleTextFn text, LisZelleSpeichernFn speichern)
{
    LisSlot& s = lisSlot(id);
    s.editZeile = zeile;
    s.editSpalte = spalte;
    s.editSpalten = spalten;
    s.zelleTextFn = text;
    s.zelleSpeichernFn = speichern;
    lisEditOeffnen(s);
}

void LisEditEnde(int id) { lisEditBeenden(lisSlot(id)); }

int LisEditFokus(int id)
{
    LisSlot& s = lisSlot(id);
    HWND feld = lisItem(s, s.editId);
    return feld && GetFocus() == feld ? 1 : 0;
}

int LisEditAbbruch(int id)
{
    if (!LisEditFokus(id)) return 0;
    LisSlot& s = lisSlot(id);
    lisEditBeenden(s);
    lisMalen(s);
    HWND h = lisItem(s, s.id);
    if (h) SetFocus(h);
    return 1;
}

int LisEditSpalte(int id) { return lisSlot(id).editSpalte; }
