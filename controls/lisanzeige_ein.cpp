// List display input: LisNachricht maps the display control's
// notifications, the scroll bar's messages and the in-place field's commands
// to cursor moves, marks, scrolling and events 1..17; plus the click and drop
// queries. Prefix `Lis`. May call what lisanzeige.cpp calls.
//
// Drag states: idle -> armed (drag start on a row, with a drag command) ->
// idle at the drop. Range drag (no drag command, no marking mode): off ->
// on (drag start, anchor = cursor) -> off (drop, event 14).
#include <cstdlib>
#include <cstring>

#include "controls/lisanzeige.h"
#include "controls/lisanzeige_int.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/winbib.h"

namespace {

enum { LISSHIFT = 1, LISSTRG = 2, LISDOPPEL = 4 };

int lisKlemmen(int v, int lo, int hi)
{
    if (v > hi) v = hi;
    if (v < lo) v = lo;
    return v;
}

// The list code of a display notification, or 0x7fff when it is none.
int lisCode(LPARAM lp, int* flags)
{
    const DWORD l = static_cast<DWORD>(lp);
    *flags = 0;
    switch (l) {
    case 0x310003: return 200;
    case 0x310004: *flags = LISSHIFT; return 200;
    case 0x310005: *flags = LISSTRG; return 200;
    case 0x310006: *flags = LISDOPPEL; return 200;
    case 0x310007: return 230;
    case 0x310008: return 231;
    case 0x310009: return 232;
    case 0x320003: return 210;
    default: break;
    }
    const int art = static_cast<int>(l & 0xFFFF);
    if (art != 1 && art != 2) return 0x7fff;
    if (art == 2) *flags = LISSHIFT;
    switch (static_cast<int>(l >> 16)) {
    case '<': return -2;
    case '>': return 2;
    case 'U': return -1;
    case 'D': return 1;
    case 'P': return -10;
    case 'N': return 10;
    case 'H': return 0;
    case 'E': return 100;
    case 'C': return 300;
    case 'S': return 310;
    case 'L': return 311;
    case 'R': return 312;
    case 'M': return 220;
    case 'i': return 320;
    case 'd': return 330;
    case 'c': return 340;
    case 'v': return 350;
    case 'x': return 360;
    case 'a': return 370;
    default: return 0x7fff;
    }
}

void lisPunktLesen(LisSlot& s, const char* frage, int n, int* x, int* y)
{
    char antwort[48];
    lisFragen(s, frage, antwort, n);
    char* ende = nullptr;
    *x = static_cast<int>(std::strtol(antwort, &ende, 10));
    *y = static_cast<int>(std::strtol(ende, nullptr, 10));
}

// The row under pixel y: the span [start, start + h] (end included).
int lisKlickZeile(const LisSlot& s, int y)
{
    int k = (2 * (y + s.lh / 2) - 4) / s.lh + s.oben;
    int start = 0;
    for (int i = 0; i < s.anzahl; ++i) {
        int h = s.poslis[i].hoehe;
        if (k >= start && k <= start + h) return i;
        start += h;
    }
    return -1;
}

void lisFokus(LisSlot& s)
{
    HWND h = GetDlgItem(s.dialog, s.id);
    if (h) SetFocus(h);
}

bool lisFlaggen(const LisSlot& s)
{
    for (int i = 0; i < s.anzahl; ++i) {
        if (s.poslis[i].markiert) return true;
    }
    return false;
}

void lisPostenZieh(const LisSlot& s, int phase)
{
    PostMessage(wiDlgFenster(), WM_COMMAND, static_cast<WPARAM>(s.ziehBefehl), static_cast<LPARAM>(phase));
}

void lisTasten(LisSlot& s, int code, int flags)
{
    const int alt = s.akt;
    int ziel = 0;
    switch (code) {
    case 0: ziel = 0; break;
    case -1: ziel = s.akt - 1; break;
    case 1: ziel = s.akt + 1; break;
    case -10: ziel = lisZeileBei(s, lisStart(s, s.akt) - s.seite); break;
    case 10: ziel = lisZeileBei(s, lisStart(s, s.akt) + s.seite); break;
    default: ziel = s.anzahl - 1; break;
    }
    bool faellig = lisEinblenden(s, ziel);
    bool bewegt = s.akt != alt;
    bool marken = false;
    if (flags & LISSHIFT) {
        if (s.anker == -1 && !s.klickMarkieren && !s.einzeln) {
            s.anker = alt;
            marken = true;
        }
        if (bewegt) marken = true;
    } else {
        if (s.anker != -1) marken = true;
        s.anker = -1;
    }
    if (faellig || marken) lisMalen(s);
    if (bewegt) lisEreignis(s, LISCURSOR, 0);
    if (marken) lisEreignis(s, LISMARKEN, 0);
}

void lisEinfg(LisSlot& s, int flags)
{
    if (flags & LISSHIFT) {
        lisEreignis(s, LISEINSETZEN, 0);
        return;
    }
    lisEreignis(s, LISEINFG, 0);
    if (s.einzeln) return;
    lisAnkerSchreiben(s);
    s.alleMarkiert = false;
    if (s.akt >= 0 && s.akt < s.anzahl) s.poslis[s.akt].markiert ^= 1;
    const int alt = s.akt;
    lisEinblenden(s, s.akt + 1);
    lisMalen(s);
    if (s.akt != alt) lisEreignis(s, LISCURSOR, 0);
    lisEreignis(s, LISMARKEN, 0);
}

void lisRechtsKlick(LisSlot& s)
{
    lisFokus(s);
    int x, y;
    lisPunktLesen(s, "get click", 20, &x, &y);
    int zeile = lisKlickZeile(s, y);
    if (zeile < 0) {
        lisEreignis(s, LISUNTEN, 1);
        return;
    }
    const int alt = s.akt;
    bool faellig = lisEinblenden(s, zeile) || s.editSpalten != 0;
    if (s.akt != alt && s.anker >= 0) {
        lisAnkerSchreiben(s);
        faellig = true;
    }
    if (faellig) lisMalen(s);
    lisEreignis(s, LISKONTEXT, 1);
}

void lisKlick(LisSlot& s, int flags)
{
    lisFokus(s);
    int x, y;
    lisPunktLesen(s, "get click", 20, &x, &y);
    int zeile = lisKlickZeile(s, y);
    if (zeile < 0) return;
    const int alt = s.akt;
    bool faellig = lisEinblenden(s, zeile) || s.editSpalten != 0;
    const bool bewegt = s.akt != alt;
    bool marken = false;
    int ereignis = LISCURSOR;
    if (flags & LISDOPPEL) {
        // event 2 at the common end
    } else if ((flags & LISSTRG) && !s.einzeln) {
        if (bewegt) {
            if (s.anker == -1) {
                if (!lisFlaggen(s) && alt >= 0 && alt < s.anzahl) s.poslis[alt].markiert = 1;
            } else {
                int a = s.anker < alt ? s.anker : alt;
                int b = s.anker < alt ? alt : s.anker;
                for (int i = a; i <= b && i < s.anzahl; ++i) {
                    if (i >= 0) s.poslis[i].markiert = 1;
                }
            }
            s.anker = -1;
        }
        if (s.akt >= 0) s.poslis[s.akt].markiert ^= 1;
        marken = true;
        faellig = true;
    } else if (flags & LISSHIFT) {
        if (s.anker == -1 && !s.klickMarkieren && !s.einzeln) {
            s.anker = alt;
            marken = true;
            faellig = true;
        }
        if (bewegt) marken = true;
    } else if (!s.klickMarkieren) {
        if (s.alleMarkiert || s.anker != -1 || lisFlaggen(s)) {
            marken = true;
            faellig = true;
        }
        s.anker = -1;
        lisMarkenLeeren(s);
        s.alleMarkiert = false;
        if (!bewegt) ereignis = LISLEER;
    } else {
        lisAnkerSchreiben(s);
        if (s.akt >= 0) s.poslis[s.akt].markiert ^= 1;
        marken = true;
        faellig = true;
    }
    if (faellig) lisMalen(s);
    const bool gueltig = s.akt >= 0 && s.akt < s.anzahl;
    if ((bewegt || ereignis == LISLEER) && gueltig && !(flags & LISDOPPEL)) lisEreignis(s, ereignis, 1);
    if ((flags & LISDOPPEL) && bewegt && gueltig) lisEreignis(s, LISCURSOR, 1);
    if ((flags & LISDOPPEL) && gueltig) lisEreignis(s, LISAKTIV, 1);
    if (marken) lisEreignis(s, LISMARKEN, 0);
}

void lisZiehen(LisSlot& s, int code)
{
    if (s.ziehBefehl) {
        if (code == 230) {
            int x, y;
            lisPunktLesen(s, "get click", 20, &x, &y);
            s.ziehGezogen = false;
            if (lisKlickZeile(s, y) >= 0) s.ziehScharf = true;
            if (s.ziehScharf) lisPostenZieh(s, 1);
        } else if (code == 231) {
            if (s.ziehScharf) lisPostenZieh(s, 2);
        } else if (s.ziehScharf) {
            lisPostenZieh(s, 3);
            s.ziehScharf = false;
            s.ziehGezogen = true;
        }
        return;
    }
    if (s.klickMarkieren || s.einzeln) return;
    if (code == 230) {
        s.bereichZiehen = true;
        s.anker = s.akt;
    } else if (code == 231) {
        if (!s.bereichZiehen) return;
        int x, y;
        lisPunktLesen(s, "get dragstop", 40, &x, &y);
        int zeile = lisKlickZeile(s, y);
        if (zeile < 0) return;
        bool faellig = lisEinblenden(s, zeile) || s.editSpalten != 0;
        if (faellig) lisMalen(s);
    } else {
        s.bereichZiehen = false;
        lisEreignis(s, LISMARKEN, 0);
    }
}

void lisCodeBehandeln(LisSlot& s, int code, int flags)
{
    if (code == -2 || code == 2) {
        lisEditBeenden(s);
        int oben = lisKlemmen(s.oben + (code < 0 ? -4 : 4), 0, s.rollGesamt - s.rollSeite + 1);
        lisObenSetzen(s, oben);
        lisMalen(s);
        return;
    }
    if (code < 200) {
        lisTasten(s, code, flags);
        return;
    }
    switch (code) {
    case 200: lisKlick(s, flags); return;
    case 210: lisRechtsKlick(s); return;
    case 220:
        if (s.anzahl != 0) lisEreignis(s, LISKONTEXT, 0);
        return;
    case 230:
    case 231:
    case 232: lisZiehen(s, code); return;
    case 300: lisEreignis(s, LISAKTIV, 0); return;
    case 310: lisEreignis(s, LISLEER, 0); return;
    case 311: lisEreignis(s, LISLINKS, 0); return;
    case 312: lisEreignis(s, LISRECHTS, 0); return;
    case 320: lisEinfg(s, flags); return;
    case 330: lisEreignis(s, LISENTF, 0); return;
    case 340: lisEreignis(s, LISKOPIE, 0); return;
    case 350: lisEreignis(s, LISEINSETZEN, 0); return;
    case 360: lisEreignis(s, LISAUSSCHN, 0); return;
    case 370:
        if (!s.alleMarkiert) {
            for (int i = 0; i < s.anzahl; ++i) s.poslis[i].markiert = 1;
            s.alleMarkiert = true;
            s.anker = -1;
        } else {
            lisMarkenLeeren(s);
            s.alleMarkiert = false;
        }
        lisMalen(s);
        lisEreignis(s, LISMARKEN, 0);
        return;
    default: return;
    }
}

// Step commands of the field: -1/+1 a row, -10/+10 a page.
void lisEditSchritt(LisSlot& s, int wert)
{
    const int alt = s.akt;
    int ziel;
    if (wert == -1) {
        ziel = s.akt - 1;
    } else if (wert == 1) {
        ziel = s.akt + 1;
    } else if (wert == 10) {
        ziel = lisZeileBei(s, lisStart(s, s.akt) + s.seite);
    } else if (wert == -10) {
        ziel = lisZeileBei(s, lisStart(s, s.akt) - s.seite);
    } else {
        return;
    }
    if (lisEinblenden(s, ziel)) lisMalen(s);
    if (s.akt != alt && s.akt >= 0) {
        if (s.editSichtbar) lisEreignisEdit(s, LISEDITZU, alt);
        s.editZeile = s.akt;
        s.mausFlag = 0;
        lisEreignisEdit(s, LISCURSOR, s.akt);
        lisEditOeffnen(s);
    }
}

// Tab and side commands: below 1 backwards, else forwards.
void lisEditZelle(LisSlot& s, int wert)
{
    const int alt = s.akt;
    if (s.editSichtbar) lisEreignisEdit(s, LISEDITZU, alt);
    int zeile = s.akt, spalte = s.editSpalte;
    if (wert < 1) {
        if (spalte == 0 && s.akt > 0) {
            zeile = s.akt - 1;
            spalte = s.editSpalten - 1;
        } else if (spalte > 0) {
            spalte = spalte - 1;
        }
    } else {
        if (spalte < s.editSpalten - 1) {
            spalte = spalte + 1;
        } else if (s.akt + 1 < s.anzahl) {
            spalte = 0;
            zeile = s.akt + 1;
        }
    }
    if (zeile != s.akt) {
        lisEinblenden(s, zeile);
        if (s.akt >= 0 && s.akt != alt) {
            s.editZeile = s.akt;
            s.mausFlag = 0;
            lisEreignisEdit(s, LISCURSOR, s.akt);
        }
    }
    s.editSpalte = spalte;
    lisMalen(s);
    lisEditOeffnen(s);
}

}  // namespace

void LisNachricht(int id, UINT nachricht, WPARAM wp, LPARAM lp)
{
    int nr = lisEinstellen(id);
    if (nr < 0) return;
    LisSlot& s = lisSlotNr(nr);
    if (s.rollId && (nachricht == WM_VSCROLL || nachricht == WM_HSCROLL)) {
        int position = s.oben;
        if (wiScrollNachricht(s.rollId, nachricht, wp, lp, &position, 0, s.rollGesamt - 1, s.rollSeite)) {
            position = lisKlemmen(position, 0, s.rollGesamt - s.rollSeite + 1);
            if (position != s.oben) {
                lisEditBeenden(s);
                lisObenSetzen(s, position);
                lisMalen(s);
            }
            return;
        }
    }
    if (nachricht != WM_COMMAND) return;
    if (wp == static_cast<WPARAM>(id)) {
        int flags = 0;
        int code = lisCode(lp, &flags);
        if (code != 0x7fff) {
            lisCodeBehandeln(s, code, flags);
            return;
        }
    }
    if (s.editSpalten == 0) return;
    if (wiEditGetippt(s.editId, wp)) {
        char text[LISEDITTEXTSUP + 1];
        GetDlgItemText(s.dialog, s.editId, text, sizeof text);
        if (s.zelleSpeichernFn) s.zelleSpeichernFn(s.editZeile, s.editSpalte, text);
        return;
    }
    const int befehl = LOWORD(wp);
    if (HIWORD(wp) != 0) return;
    const int obenAlt = s.oben;
    const int wert = static_cast<int>(static_cast<int32_t>(lp));
    if (befehl == s.schrittId) {
        lisEditSchritt(s, wert);
    } else if (befehl == s.tabId || befehl == s.seitenId) {
        lisEditZelle(s, wert);
    } else {
        return;
    }
    if (s.oben != obenAlt) lisEreignis(s, LISMARKEN, 0);
}

int LisKlickHolen(int id, int* x, int* y)
{
    LisSlot& s = lisSlot(id);
    lisPunktLesen(s, "get click", 20, x, y);
    return s.mausFlag;
}

int LisKlickZelle(int id, int* spalte, int* zeile)
{
    LisSlot& s = lisSlot(id);
    int x, y;
    lisPunktLesen(s, "get click", 20, &x, &y);
    *spalte = (x - 2) / s.cw;
    int k = (2 * (y + s.lh / 2) - 4) / s.lh + s.oben - 1;
    if (k < 0 || k >= s.gesamt) {
        *zeile = 0;
    } else {
        *zeile = k - lisStart(s, lisZeileBei(s, k));
    }
    return s.mausFlag;
}

int LisZiehStopp(int id, int* x, int* y)
{
    LisSlot& s = lisSlot(id);
    // The drop command is posted, so it is asked for after the disarm.
    if (!s.ziehScharf && !s.ziehGezogen) return 0;
    lisPunktLesen(s, "get dragstop", 40, x, y);
    return s.mausFlag;
}
