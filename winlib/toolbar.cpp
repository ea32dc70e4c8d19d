// Toolbars from "Toolbar.txt": the shared button table, the dialog tables'
// builder, group states, the marked-object check, hiding by width and
// docking. Prefix `wiTbar` (file helpers `tl`). May call platform/,
// support/, config/, the dialog manager, the window layer and the toolbar
// hooks of winlib/.
//
// Invariants:
//  1. 0 <= tlAnzahl <= TBARKNOEPFESUP; the same for every dialog table.
//  2. A record's `gezeigt` says whether its window was last shown or hidden
//     here; a record whose window was destroyed has knopf 0.
//  3. Each table keeps its own last marked state; a build sets it to -1 so
//     the next check puts every group-2 button of it right.
#include "winlib/toolbar.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "config/apstil.h"
#include "config/verzeich.h"
#include "platform/fenster.h"
#include "platform/winconst.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/meldung.h"
#include "winlib/tbarhaken.h"
#include "winlib/winbib.h"

namespace {

constexpr const char* TLKLASSE = "ORVAGRBU";
constexpr DWORD TLLABELSTIL = 0x40;  // ORVAGRBU draws its label
constexpr int TLPFADSUP = 260;
constexpr double TLWERTSUP = 10000.0;  // size keys, dialog units or factor
constexpr int TLXSUP = 1000000;        // x stays within this many pixels

void tlVor(int* x, long d) { *x = static_cast<int>(std::clamp(*x + d, -static_cast<long>(TLXSUP), static_cast<long>(TLXSUP))); }

TbarKnopf tlKnoepfe[TBARKNOEPFESUP];
int tlAnzahl = 0;
int tlFrei = 0;
int tlMarkiert = -1;

int tlPixel(double du) { return static_cast<int>(std::lround(du * wiDlgFaktor())); }

const char* tlLeerWeg(const char* p)
{
    while (*p != '\0' && istweiss(static_cast<unsigned char>(*p))) ++p;
    return p;
}

double tlZahl(const char* p)
{
    char text[40];
    strkopie(text, tlLeerWeg(p), 39);
    StrKommaPunkt(text);
    double wert = 0.0;
    std::from_chars(text, text + std::strlen(text), wert);
    // A value from the file never drives a position past int range.
    return wert < -TLWERTSUP ? -TLWERTSUP : wert > TLWERTSUP ? TLWERTSUP : wert;
}

int tlGanzzahl(const char* p)
{
    p = tlLeerWeg(p);
    if (*p == '+') ++p;
    int wert = 0;
    std::from_chars(p, p + std::strlen(p), wert);
    return wert;
}

// The next word of *p into ziel (cut to its capacity); *p moves past it.
void tlWort(const char** p, char* ziel, size_t groesse)
{
    const char* s = tlLeerWeg(*p);
    const char* e = s;
    while (*e != '\0' && !istweiss(static_cast<unsigned char>(*e))) ++e;
    strkopie(ziel, groesse, s, static_cast<int>(e - s));
    *p = e;
}

// A button line: bitmap, optional "tip", optional (group alt), command id.
void tlKnopfZeile(const std::string& zeile, TbarKnopf* k)
{
    const TbarFelder f = wiTbarFelder(zeile);
    strkopie(k->bild, sizeof k->bild, f.bild.c_str(), TBARBILDSUP);
    if (f.mitZitat) {
        strkopie(k->tipp, sizeof k->tipp, f.zitat.c_str(), TBARTIPPSUP);
        const int amp = zeichenpos(k->tipp, '&');
        if (amp >= 0) strloeschen(k->tipp, amp, 1);
        const int semi = zeichenpos(k->tipp, ';');
        if (semi >= 0) k->tipp[semi] = '\0';
    }
    if (f.mitKlammer) {
        const char* q = f.klammer.c_str();
        char nummer[20];
        tlWort(&q, nummer, sizeof nummer);
        k->gruppe = tlGanzzahl(nummer);
        char alt[TBARZEILESUP + 1];
        strkopie(alt, sizeof alt, tlLeerWeg(q), TBARZEILESUP);
        strtrim(alt);
        strkopie(k->altBild, sizeof k->altBild, alt, TBARALTSUP);
    }
    k->id = tlGanzzahl(f.rest.c_str());
}

std::string tlTrim(const char* s)
{
    s = tlLeerWeg(s);
    size_t n = std::strlen(s);
    while (n > 0 && istweiss(static_cast<unsigned char>(s[n - 1]))) --n;
    return std::string(s, n);
}

// A section line sorted by its kind.
TbarZeile tlZeile(const char* roh)
{
    TbarZeile z;
    z.text = tlTrim(roh);
    const std::string& t = z.text;
    if (t.empty()) {
        z.art = TBARLEER;
    } else if (t[0] == '=') {
        z.art = TBARMASS;
        const char* p = t.c_str() + 1;
        z.schluessel = wiTbarWort(&p);
        z.wert = tlZahl(p);
    } else if (t[0] == '-' && t.compare(0, 2, "--") != 0) {
        z.art = TBARLUECKE;
        const char* p = t.c_str() + 1;
        const std::string w = wiTbarWort(&p);
        if (!w.empty()) z.zehntel = std::clamp(tlGanzzahl(w.c_str()), -1000, 1000);
    }
    return z;
}

// The bitmap a record shows by its group state.
const char* tlBildName(const TbarKnopf& k)
{
    return k.zustand != 0 && k.altBild[0] != '\0' ? k.altBild : k.bild;
}

// Builds a section into tabelle[*anzahl..]: -1 no file or read short (said;
// nothing built), 0 no section, 1 built.
int tlBauen(TbarKnopf* tabelle, int* anzahl, HWND besitzer, int xDu, int yDu, const char* datei,
            const char* abschnitt)
{
    char pfad[TLPFADSUP];
    PfadBilden(0, datei, nullptr, pfad);
    std::vector<TbarZeile> zeilen;
    const int r = wiTbarAbschnittLesen(pfad, abschnitt, &zeilen);
    if (r == -2) wiMeldung("Kann %s nicht lesen.", pfad);
    if (r <= 0) return r == 0 ? 0 : -1;
    TbarGroesseSetzen();
    HWND dlg = wiDlgFenster();
    const int gross = ApTbarStil1();
    int x = tlPixel(xDu);
    const int y = tlPixel(yDu);
    double extra = 0.0;  // B, dialog units
    for (const TbarZeile& z : zeilen) {
        if (*anzahl >= TBARKNOEPFESUP) break;
        TbarGroessen& g = TbarGroesse();
        if (z.art == TBARMASS) {
            const std::string& s = z.schluessel;
            const double wert = z.wert;
            if (s == "X*")
                g.knopfB = static_cast<int>(std::lround(std::clamp(g.knopfB * wert, 0.0, TLWERTSUP)));
            else if (s == "X+") tlVor(&x, tlPixel(wert));
            else if (s == "B+") extra = std::clamp(extra + wert, -TLWERTSUP, TLWERTSUP);
            else if (s == "B-") extra = std::clamp(extra - wert, -TLWERTSUP, TLWERTSUP);
            continue;
        }
        if (z.art == TBARLEER) {
            tlVor(&x, tlPixel(3));
            continue;
        }
        if (z.art == TBARLUECKE) {
            tlVor(&x, static_cast<long>(tlPixel(g.knopfB)) * z.zehntel / 10);
            continue;
        }
        TbarKnopf& k = tabelle[*anzahl];
        k = TbarKnopf{};
        tlKnopfZeile(z.text, &k);
        const int breiteDu = gross ? TBARGROSSBREITE : g.knopfB;
        const int b = tlPixel(breiteDu + extra);
        const int h = tlPixel(gross ? g.knopfH + TBARGROSSPLUS : g.knopfH);
        k.besitzer = besitzer;
        k.knopf = CreateWindow(TLKLASSE, gross ? k.tipp : "", WS_CHILD | WS_VISIBLE | (gross ? TLLABELSTIL : 0), x,
                               y, b, h, dlg, static_cast<HMENU>(k.id), anwInstanz(),
                               nullptr);
        // The button takes its label from the text after the first blank;
        // a label of several words is given whole.
        if (gross && k.knopf) SetWindowText(k.knopf, k.tipp);
        if (!gross && k.knopf && k.tipp[0] != '\0') wiTooltip(dlg, k.knopf, k.tipp);
        k.links = x;
        k.oben = y;
        k.rechts = x + b;
        k.unten = y + h;
        k.gezeigt = 1;
        TbarBildSetzen(k.knopf, k.bild);
        tlVor(&x, tlPixel(breiteDu));
        ++*anzahl;
    }
    return 1;
}

void tlBild(const TbarKnopf& k)
{
    if (k.gezeigt && k.knopf) TbarBildSetzen(k.knopf, tlBildName(k));
}

void tlBreite(TbarKnopf* tabelle, int anzahl, HWND besitzer, bool alle, int breite)
{
    for (int i = 0; i < anzahl; ++i) {
        TbarKnopf& k = tabelle[i];
        if (!alle && k.besitzer != besitzer) continue;
        if (!k.knopf) continue;
        const bool passt = k.rechts < breite;
        if (!passt && k.gezeigt) {
            ShowWindow(k.knopf, SW_HIDE);
            k.gezeigt = 0;
        } else if (passt && !k.gezeigt) {
            ShowWindow(k.knopf, SW_SHOW);
            k.gezeigt = 1;
            tlBild(k);  // its group may have changed while it was hidden
        }
    }
}

// Drops the records whose buttons went with their dialogs, so that pages
// opened again do not fill the table with dead buttons.
void tlAufraeumen()
{
    int n = 0;
    for (int i = 0; i < tlAnzahl; ++i) {
        if (!tlKnoepfe[i].knopf || !IsWindow(tlKnoepfe[i].knopf)) continue;
        if (n != i) tlKnoepfe[n] = tlKnoepfe[i];
        ++n;
    }
    tlAnzahl = n;
}

int tlMarkZustand() { return wiTbarMarkAnzahl() != 0 ? 1 : 0; }

}  // namespace

int wiTbarAbschnittLesen(const char* pfad, const char* abschnitt, std::vector<TbarZeile>* zeilen)
{
    zeilen->clear();
    BDAT d{};
    if (pfad == nullptr || bdopenlesen(&d, pfad) < 0) return -1;
    char zeile[TBARZEILESUP + 1];
    bool gefunden = false;
    while (!gefunden && bdgets(&d, zeile, TBARZEILESUP) >= 0) {
        if (strnvgl(zeile, ")S ", 3) != 0) continue;
        const char* p = zeile + 3;
        gefunden = strvgl(wiTbarWort(&p).c_str(), abschnitt ? abschnitt : "") == 0;
    }
    while (gefunden && static_cast<int>(zeilen->size()) < TBARZEILENSUP && bdgets(&d, zeile, TBARZEILESUP) >= 0) {
        TbarZeile z = tlZeile(zeile);
        if (!z.text.empty() && z.text[0] == ')') break;
        zeilen->push_back(std::move(z));
    }
    const bool kurz = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (kurz) {
        zeilen->clear();
        return -2;
    }
    return gefunden ? 1 : 0;
}

std::string wiTbarWort(const char** p)
{
    const char* s = *p;
    while (*s == ' ' || *s == '\t') ++s;
    const char* e = s;
    while (*e != '\0' && *e != ' ' && *e != '\t') ++e;
    *p = e;
    return std::string(s, e);
}

std::string wiTbarZitat(const char** p)
{
    const char* s = *p;
    while (*s == ' ' || *s == '\t') ++s;
    if (*s != '"') {
        *p = s;
        return wiTbarWort(p);
    }
    ++s;
    const char* e = std::strchr(s, '"');
    *p = e ? e + 1 : s + std::strlen(s);
    return e ? std::string(s, e) : std::string(s);
}

TbarFelder wiTbarFelder(const std::string& zeile)
{
    TbarFelder f;
    const char* p = zeile.c_str();
    f.bild = wiTbarWort(&p);
    p = tlLeerWeg(p);
    if (*p == '"') {
        f.mitZitat = true;
        f.zitat = wiTbarZitat(&p);
        p = tlLeerWeg(p);
    }
    if (*p == '(') {
        const char* e = std::strchr(p + 1, ')');
        f.mitKlammer = true;
        f.klammer = e ? std::string(p + 1, e) : std::string(p + 1);
        p = e ? e + 1 : p + std::strlen(p);
    }
    f.rest = tlTrim(p);
    return f;
}

void wiTbarLaden(const char* datei, const char* abschnitt)
{
    if (!tlFrei) return;
    tlAufraeumen();
    if (tlBauen(tlKnoepfe, &tlAnzahl, wiDlgFenster(), 2, 2, datei, abschnitt) == 1) tlMarkiert = -1;
}

void wiTbarDlgLaden(TbarDlgTabelle* tabelle, int x, int y, const char* datei, const char* abschnitt)
{
    for (int i = 0; i < tabelle->anzahl; ++i) {
        TbarKnopf& k = tabelle->knoepfe[i];
        if (k.knopf && IsWindow(k.knopf)) DestroyWindow(k.knopf);
        k.knopf = 0;
    }
    tabelle->x = tabelle->x2 = x;
    tabelle->y = tabelle->y2 = y;
    tabelle->yUnten = y + 10;
    int anzahl = 0;
    const int r = tlBauen(tabelle->knoepfe, &anzahl, 0, x, y, datei, abschnitt);
    if (r < 0) return;  // no file: the count stays
    tabelle->anzahl = anzahl;
    tabelle->markiert = -1;
}

void wiTbarKnopfBild(int index)
{
    if (index < 0 || index >= tlAnzahl) return;
    tlBild(tlKnoepfe[index]);
}

void wiTbarGruppe(int gruppe, int zustand)
{
    if (!tlFrei) return;
    for (int i = 0; i < tlAnzahl; ++i) {
        if (tlKnoepfe[i].gruppe != gruppe) continue;
        tlKnoepfe[i].zustand = zustand;
        wiTbarKnopfBild(i);
    }
}

void wiTbarDlgBild(TbarDlgTabelle* tabelle, int index)
{
    if (index < 0 || index >= tabelle->anzahl) return;
    tlBild(tabelle->knoepfe[index]);
}

void wiTbarDlgGruppe(TbarDlgTabelle* tabelle, int gruppe, int zustand)
{
    if (!tlFrei) return;
    for (int i = 0; i < tabelle->anzahl; ++i) {
        if (tabelle->knoepfe[i].gruppe != gruppe) continue;
        tabelle->knoepfe[i].zustand = zustand;
        wiTbarDlgBild(tabelle, i);
    }
}

void wiTbarMarkPruefen()
{
    if (!tlFrei) return;
    const int m = tlMarkZustand();
    if (m == tlMarkiert) return;
    tlMarkiert = m;
    wiTbarGruppe(2, m);
}

void wiTbarDlgMarkPruefen(TbarDlgTabelle* tabelle)
{
    if (!tlFrei) return;  // the group operation would do nothing
    const int m = tlMarkZustand();
    if (m == tabelle->markiert) return;
    tabelle->markiert = m;
    wiTbarDlgGruppe(tabelle, 2, m);
}

void wiTbarBreite(HWND besitzer, int breite)
{
    if (tlFrei) tlBreite(tlKnoepfe, tlAnzahl, besitzer, false, breite);
}

void wiTbarDlgBreite(TbarDlgTabelle* tabelle, int breite)
{
    tlBreite(tabelle->knoepfe, tabelle->anzahl, 0, true, breite);
}

void wiTbarTabelleLeeren()
{
    tlAnzahl = 0;
    tlMarkiert = -1;
}

void wiTbarTabelleFrei(int an) { tlFrei = an ? 1 : 0; }

int wiTbarTabelleIstFrei() { return tlFrei; }

int wiTbarAnzahl() { return tlAnzahl; }

const TbarKnopf* wiTbarEintrag(int index)
{
    return index >= 0 && index < tlAnzahl ? &tlKnoepfe[index] : nullptr;
}

const char* wiTbarTippText(int id)
{
    for (int i = 0; i < tlAnzahl; ++i)
        if (tlKnoepfe[i].id == id) return tlKnoepfe[i].tipp;
    return nullptr;
}

void wiDlgAbdocken(HWND fenster)
{
    if (!fenster || !IsWindow(fenster)) return;
    // The style first: the desktop window is made when the parent goes,
    // with the style the window has then (a sizing frame and a caption).
    SetWindowLong(fenster, GWL_STYLE, static_cast<LONG>(TBARSTILFREI));
    SetParent(fenster, 0);
    SetWindowPos(fenster, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void wiDlgAndocken(HWND fenster)
{
    if (!fenster || !IsWindow(fenster)) return;
    SetWindowLong(fenster, GWL_STYLE, static_cast<LONG>(TBARSTILANGEDOCKT));
    SetParent(fenster, anwHauptfenster());
    SetWindowPos(fenster, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}
