// The editor page's toolbars and selection bar; see leiste.h.
#include "editor/leiste.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/apstil.h"
#include "config/verzeich.h"
#include "editor/baubf.h"
#include "editor/edtseite.h"
#include "editor/hinweis.h"
#include "editor/mehrfach.h"
#include "editor/objwahl.h"
#include "editor/kontext.h"
#include "editor/statusfeld.h"
#include "editor/ziehknopf.h"
#include "editor/zeidok.h"
#include "model/befehl.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "model/undo.h"
#include "output/ansicht.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/winconst.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/tbarhaken.h"
#include "winlib/toolbar.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

constexpr const char* LTKLASSE = "ORVAGRBU";
constexpr const char* LTANZEIGE = "ORVADISP";
constexpr DWORD LTLABELSTIL = 0x40;  // ORVAGRBU draws its label
constexpr int LTBREITSUP = 1000;     // dialog units a layout value may reach
constexpr int LTZUSTANDSUP = 9;
constexpr int LEISTEPFADSUP = 260;  // characters of the file path

struct LtZustand {
    std::vector<LeisteEintrag> bars[3];  // top, left, selection (invariant 1)
    int werte[LTZUSTANDSUP + 1];
    bool werteDa = false;
    int auswahl = -1;
    std::string auswahlBefehl;
    bool auswahlGeladen = false;
    bool zieht = false;  // a drag from a bar button is under way
};
LtZustand lt;

int ltBar(int art) { return art == LEISTE_LINKS ? 1 : art == LEISTE_AUSWAHL ? 2 : 0; }

// The next blank-delimited word of *p.
std::string ltWort(const char** p)
{
    const char* s = *p;
    while (*s == ' ' || *s == '\t') ++s;
    const char* e = s;
    while (*e != '\0' && *e != ' ' && *e != '\t') ++e;
    *p = e;
    return std::string(s, e);
}

std::string ltTrim(const std::string& t)
{
    const size_t a = t.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    return t.substr(a, t.find_last_not_of(" \t\r\n") - a + 1);
}

void ltKopie(char* aus, size_t kap, const std::string& t)
{
    strkopie(aus, kap, t.c_str(), static_cast<int>(kap - 1));
}

// A button line: bitmap, optional "label", optional (state, on, alt), rest.
void ltKnopfZeile(const std::string& zeile, LeisteEintrag* e, bool auswahl)
{
    if (auswahl) {
        const char* p = zeile.c_str();
        ltKopie(e->tipp, sizeof e->tipp, ltWort(&p));
        e->befehl = ltTrim(p);
        return;
    }
    const TbarFelder f = wiTbarFelder(zeile);
    ltKopie(e->bild, sizeof e->bild, f.bild);
    if (f.mitZitat) ltKopie(e->tipp, sizeof e->tipp, f.zitat);
    if (f.mitKlammer) {
        std::string innen = f.klammer;
        for (char& c : innen)
            if (c == ',') c = ' ';
        const char* q = innen.c_str();
        e->zustandArt = std::clamp(std::atoi(ltWort(&q).c_str()), 0, LTZUSTANDSUP);
        ltKopie(e->bildAn, sizeof e->bildAn, ltWort(&q));
        ltKopie(e->bildAlt, sizeof e->bildAlt, ltWort(&q));
    }
    e->befehl = f.rest;
}

// An element command (or TXT) as the first word of the command string.
bool ltZiehbar(const std::string& befehl)
{
    const char* p = befehl.c_str();
    std::string w = ltWort(&p);
    for (char& c : w) c = static_cast<char>(zgross(static_cast<unsigned char>(c)));
    if (w.empty()) return false;
    if (w == "TXT") return true;
    const int code = BefCode(w.c_str());
    return code > 0 && BefIstObjekt(code);
}

// The "=" lines a selection bar understands.
bool ltAuswahlSchluessel(const std::string& s) { return s == "X*" || s == "X+" || s == "B+" || s == "B-"; }

struct LtLauf {
    int art;
    const LeisteMasse& m;
    int knopfB, knopfH;
    int x, y;
    double extra = 0;
    int halb = 0;  // top bar in two rows: a button waits in the upper half
};

// Closes a half-filled column of the two-row top bar.
void ltSpalteSchliessen(LtLauf& l)
{
    if (l.halb) {
        l.x += l.knopfB + static_cast<int>(l.extra);
        l.halb = 0;
    }
}

void ltPlatz(LtLauf& l, LeisteEintrag& e)
{
    const int extra = static_cast<int>(l.extra);
    if (l.art == LEISTE_AUSWAHL) {
        e.b = 36 + extra;
        e.h = 10;
        e.x = l.x;
        e.y = l.y;
        l.x += e.b;
        return;
    }
    if (l.art == LEISTE_LINKS) {
        e.b = l.m.beschriftet ? l.m.linksB : l.knopfB + 2;
        e.h = l.m.beschriftet ? 22 : l.knopfH;
        e.x = l.x;
        e.y = l.y;
        l.y += e.h;
        return;
    }
    if (l.m.beschriftet) {
        e.b = 36 + extra;
        e.h = 22;
        e.x = l.x;
        e.y = l.y;
        l.x += e.b;
        return;
    }
    e.b = l.knopfB + extra;
    e.h = l.knopfH;
    e.x = l.x;
    e.y = l.y + (l.halb ? l.knopfH : 0);
    if (l.halb) {
        l.x += e.b;
        l.halb = 0;
    } else {
        l.halb = 1;
    }
}

}  // namespace

int LeisteLesen(const char* pfad, const char* abschnitt, int art, const LeisteMasse& m,
                std::vector<LeisteEintrag>* aus)
{
    aus->clear();
    std::vector<TbarZeile> zeilen;
    if (wiTbarAbschnittLesen(pfad, abschnitt, &zeilen) <= 0) return 0;
    const bool auswahl = art == LEISTE_AUSWAHL;
    const int sup = auswahl ? AUSWAHLSUP : LEISTESUP;
    LtLauf l{art, m, m.knopfB, m.knopfH, art == LEISTE_LINKS ? m.linksX : m.obenX,
             art == LEISTE_LINKS ? m.linksY : m.obenY};
    for (const TbarZeile& z : zeilen) {
        if (static_cast<int>(aus->size()) >= sup) break;
        const std::string& t = z.text;
        if (z.art == TBARMASS) {
            const std::string& s = z.schluessel;
            const double w = z.wert;
            if (auswahl && !ltAuswahlSchluessel(s)) continue;
            if (s == "X*") l.knopfB = std::clamp(static_cast<int>(l.knopfB * w), 0, LTBREITSUP);
            else if (s == "Y*") l.knopfH = std::clamp(static_cast<int>(l.knopfH * w), 0, LTBREITSUP);
            else if (s == "X+") l.x += static_cast<int>(w);
            else if (s == "Y+") l.y += static_cast<int>(w);
            else if (s == "B+") l.extra = std::clamp(l.extra + w, -1.0 * LTBREITSUP, 1.0 * LTBREITSUP);
            else if (s == "B-") l.extra = std::clamp(l.extra - w, -1.0 * LTBREITSUP, 1.0 * LTBREITSUP);
            continue;
        }
        if (z.art == TBARLEER) {
            if (art == LEISTE_LINKS) {
                l.y += 3;
            } else {
                ltSpalteSchliessen(l);
                l.x += 3;
            }
            continue;
        }
        if (z.art == TBARLUECKE) {
            const int zehntel = z.zehntel;
            if (art == LEISTE_LINKS) {
                l.y += l.knopfH * zehntel / 10;
            } else {
                ltSpalteSchliessen(l);
                l.x += l.knopfB * zehntel / 10;
            }
            continue;
        }
        LeisteEintrag e;
        e.art = art;
        ltKnopfZeile(t, &e, auswahl);
        const int n = static_cast<int>(aus->size());
        if (auswahl) {
            e.id = AUSWAHLID + n;
        } else {
            const int nummer = ltBar(art) * LEISTESUP + n;
            e.id = LEISTEID + nummer;
            if (ltZiehbar(e.befehl)) e.ziehId = LEISTEZIEHID + nummer;
        }
        ltPlatz(l, e);
        aus->push_back(std::move(e));
    }
    return static_cast<int>(aus->size());
}

// ---- layout values -------------------------------------------------------------------------

namespace {

int ltObenBeschriftet() { return ApTbarStil1() != 0; }
int ltLinksBeschriftet() { return GrundEinst()->tbarlinks > 0; }

}  // namespace

int LayoutStatusOben() { return 4; }

int LayoutObenY()
{
    int y = LayoutStatusOben() + 17 + 1;
    if (!EdtIstExtern() && !ltObenBeschriftet()) y += TbarKnopfHoehe() - 14;
    return y;
}

int LayoutArbeitOben() { return LayoutObenY() + (ltObenBeschriftet() ? 12 : 0); }

int LayoutLinksBreite()
{
    TbarGroesseSetzen();
    const int metrik = TbarGroesse().knopfB;
    if (ltLinksBeschriftet()) return std::max(GrundEinst()->tbarlinks, metrik);
    return std::max(metrik, 20);
}

int LayoutObenX() { return LayoutLinksBreite() + (ltLinksBeschriftet() ? 4 : 2); }

int LayoutLinksY()
{
    return LayoutArbeitOben() + (ltObenBeschriftet() ? 24 : 2 * TbarKnopfHoehe());
}

void LayoutSeite()
{
    HWND seite = EdtFenster();
    if (!seite) return;
    const int links = wiDlgEinheit(LayoutObenX());
    const int oben = wiDlgEinheit(LayoutLinksY());
    auto setzen = [&](int id, bool x, bool y) {
        HWND h = GetDlgItem(seite, id);
        if (!h) return;
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(0, seite, reinterpret_cast<POINT*>(&r), 2);
        if (x) r.left = links;
        if (y) r.top = oben;
        MoveWindow(h, r.left, r.top, std::max<int>(1, r.right - r.left), std::max<int>(1, r.bottom - r.top), TRUE);
    };
    setzen(5000, true, true);
    setzen(5001, false, true);
    setzen(5002, true, false);
    // The view fits the sheet to the size it measured: measured before the
    // bars pushed it right and down, the sheet's lower part would lie
    // below the window.
    if (AnsichtFenster() == GetDlgItem(seite, 5000)) AnsichtNeuMessen();
}

// ---- the bars on the page --------------------------------------------------------------------

namespace {

LeisteMasse ltMasse()
{
    TbarGroesseSetzen();
    LeisteMasse m;
    m.knopfB = TbarGroesse().knopfB;
    m.knopfH = TbarGroesse().knopfH;
    m.obenX = LayoutObenX();
    m.obenY = LayoutObenY();
    m.linksX = 2;
    m.linksY = LayoutLinksY();
    m.linksB = LayoutLinksBreite();
    return m;
}

void ltZerstoeren(std::vector<LeisteEintrag>& bar)
{
    for (LeisteEintrag& e : bar)
        if (e.fenster && IsWindow(e.fenster)) DestroyWindow(e.fenster);
    bar.clear();
}

const char* ltBildName(const LeisteEintrag& e)
{
    if (e.zustand != 0) {
        if (e.zustandArt == 9 && e.zustand == 2 && e.bildAlt[0] != '\0') return e.bildAlt;
        if (e.bildAn[0] != '\0') return e.bildAn;
    }
    return e.bild;
}

void ltAnlegen(HWND seite, LeisteEintrag& e, bool beschriftet)
{
    e.fenster = CreateWindow(LTKLASSE, beschriftet ? e.tipp : "", WS_CHILD | WS_VISIBLE | (beschriftet ? LTLABELSTIL : 0),
                             wiDlgEinheit(e.x), wiDlgEinheit(e.y), wiDlgEinheit(e.b), wiDlgEinheit(e.h), seite,
                             static_cast<HMENU>(e.id), anwInstanz(), nullptr);
    if (!e.fenster) return;
    // A button without label gets no tooltip: the page's hint window shows its
    // label after the pause, and a second source would show it twice.
    if (beschriftet) SetWindowText(e.fenster, e.tipp);
    if (e.bild[0] != '\0') TbarBildSetzen(e.fenster, ltBildName(e));
    if (e.ziehId != 0) {
        char t[20];
        std::snprintf(t, sizeof t, "%cD %d", 27, e.ziehId);
        SetWindowText(e.fenster, t);
    }
}

LeisteEintrag* ltEintragMitId(int id)
{
    for (auto& bar : lt.bars)
        for (LeisteEintrag& e : bar)
            if (e.id == id) return &e;
    return nullptr;
}

void ltAuswahlFarbe(int i, const char* farbe)
{
    auto& bar = lt.bars[2];
    if (i < 0 || i >= static_cast<int>(bar.size()) || !bar[static_cast<size_t>(i)].fenster) return;
    char t[30];
    std::snprintf(t, sizeof t, "%cH %s", 27, farbe);
    SetWindowText(bar[static_cast<size_t>(i)].fenster, t);
}

void ltAuswahlSetzen(int i, bool ausfuehren)
{
    auto& bar = lt.bars[2];
    if (i < 0 || i >= static_cast<int>(bar.size())) return;
    ltAuswahlFarbe(lt.auswahl, "240 240 240");
    lt.auswahl = i;
    ltAuswahlFarbe(i, "215 232 255");
    lt.auswahlBefehl = bar[static_cast<size_t>(i)].befehl;
    if (HWND d = GetDlgItem(EdtFenster(), AUSWAHLANZEIGE)) SetWindowText(d, bar[static_cast<size_t>(i)].tipp);
    if (ausfuehren) BefehlsTextAusfuehren(lt.auswahlBefehl.c_str());
}

}  // namespace

void LeisteLaden(const char* datei, const char* abschnitt, int art)
{
    HWND seite = EdtFenster();
    if (!seite) return;
    const int bar = ltBar(art);
    ltZerstoeren(lt.bars[bar]);
    LeisteMasse m = ltMasse();
    m.beschriftet = art == LEISTE_LINKS ? ltLinksBeschriftet() : ltObenBeschriftet();
    char pfad[LEISTEPFADSUP + 1];
    PfadBilden(0, datei, nullptr, pfad);
    LeisteLesen(pfad, abschnitt, art, m, &lt.bars[bar]);
    for (LeisteEintrag& e : lt.bars[bar]) ltAnlegen(seite, e, m.beschriftet != 0);
    lt.werteDa = false;
    if (art == LEISTE_OBEN && m.beschriftet && !lt.auswahlGeladen) AuswahlLaden();
    LeisteLayout();
}

void AuswahlLaden()
{
    HWND seite = EdtFenster();
    if (!seite) return;
    lt.auswahlGeladen = true;
    ltZerstoeren(lt.bars[2]);
    if (HWND d = GetDlgItem(seite, AUSWAHLANZEIGE)) DestroyWindow(d);
    LeisteMasse m = ltMasse();
    m.beschriftet = 1;
    // After the top bar, in its row.
    int x = m.obenX;
    for (const LeisteEintrag& e : lt.bars[0]) x = std::max(x, e.x + e.b);
    m.obenX = x + 4;
    char pfad[LEISTEPFADSUP + 1];
    PfadBilden(0, "Toolbar.txt", nullptr, pfad);
    LeisteLesen(pfad, "EditAuswahl", LEISTE_AUSWAHL, m, &lt.bars[2]);
    if (lt.bars[2].empty()) return;
    for (LeisteEintrag& e : lt.bars[2]) ltAnlegen(seite, e, true);
    const LeisteEintrag& letzte = lt.bars[2].back();
    CreateWindow(LTANZEIGE, "", WS_CHILD | WS_VISIBLE, wiDlgEinheit(letzte.x + letzte.b + 2), wiDlgEinheit(letzte.y),
                 wiDlgEinheit(4 * 36), wiDlgEinheit(10), seite,
                 static_cast<HMENU>(AUSWAHLANZEIGE), anwInstanz(), nullptr);
    lt.auswahl = -1;
    ltAuswahlSetzen(0, false);
}

int LeisteSeiteStarten()
{
    LayoutSeite();
    LeisteLayout();
    LeisteZustand(1);
    // The hint window asks the bars and fields where the pointer rests.
    HinweisQuelle q;
    q.leisteIndex = LeisteIndex;
    q.statusfeldIndex = StatusfeldIndex;
    q.leisteTip = LeisteTip;
    q.leisteMitText = LeisteMitText;
    HinweisQuelleSetzen(q);
    return StatusfelderAnlegen();
}

void LeisteSeiteEnde()
{
    HinweisQuelleSetzen(HinweisQuelle{});
    StatusfelderEnde();
    LeisteEnde();
}

void LeisteEnde()
{
    for (auto& bar : lt.bars) ltZerstoeren(bar);
    lt = LtZustand{};
}

int LeisteZustandWert(int art)
{
    switch (art) {
    case 1: return ZeiIstGeaendert() != 0;
    case 2: return TzMarkAnzahl() > 0;
    case 3: return ZeiName()[0] != '\0' && !BaubfAktiv();
    case 4: return EdtFormat() == 117;
    case 5: return ZeiProjektZeichnung() != 0;
    case 6: return MflAnzahl() > 0;
    case 7: return UndoVerfuegbar(0) != 0;
    case 8: return UndoVerfuegbar(1) != 0;
    case 9: return BaubfAktiv() ? 1 : (ObjCursor() >= 0 && TzIstMarkiert(ObjCursor()) > 0 ? 2 : 0);
    default: return 0;
    }
}

void LeisteZustand(int alle)
{
    for (int k = 1; k <= LTZUSTANDSUP; ++k) {
        const int w = LeisteZustandWert(k);
        if (!alle && lt.werteDa && lt.werte[k] == w) continue;
        lt.werte[k] = w;
        for (int b = 0; b < 2; ++b) {
            for (LeisteEintrag& e : lt.bars[b]) {
                if (e.zustandArt != k) continue;
                e.zustand = w;
                if (e.fenster && e.gezeigt) TbarBildSetzen(e.fenster, ltBildName(e));
            }
        }
    }
    lt.werteDa = true;
}

void LeisteLayout()
{
    HWND seite = EdtFenster();
    if (!seite) return;
    RECT k;
    GetClientRect(seite, &k);
    for (auto& bar : lt.bars) {
        for (LeisteEintrag& e : bar) {
            if (!e.fenster) continue;
            const bool passt = wiDlgEinheit(e.x + e.b) < k.right && wiDlgEinheit(e.y + e.h) < k.bottom;
            if (passt != (e.gezeigt != 0)) ShowWindow(e.fenster, passt ? SW_SHOW : SW_HIDE);
            e.gezeigt = passt;
        }
    }
}

int LeisteIndex(HWND fenster)
{
    for (int b = 0; b < 3; ++b) {
        const auto& bar = lt.bars[b];
        for (size_t i = 0; i < bar.size(); ++i)
            if (fenster && bar[i].fenster == fenster && bar[i].gezeigt) return b * LEISTESUP + static_cast<int>(i);
    }
    return -1;
}

int LeisteTip(int n, RECT* r, char* text, size_t kap, int* leiste)
{
    if (n < 0 || n >= 3 * LEISTESUP) return -1;
    const auto& bar = lt.bars[n / LEISTESUP];
    const size_t i = static_cast<size_t>(n % LEISTESUP);
    if (i >= bar.size()) return -1;
    const LeisteEintrag& e = bar[i];
    if (!e.fenster || !e.gezeigt || strleer(e.tipp) || !IsWindow(e.fenster)) return -1;
    GetWindowRect(e.fenster, r);
    strkopie(text, kap, e.tipp, LEISTETIPPSUP);
    *leiste = e.art;
    return 0;
}

int LeisteMitText(int leiste) { return leiste == LEISTE_LINKS ? ltLinksBeschriftet() : ltObenBeschriftet(); }

const std::vector<LeisteEintrag>& LeisteEintraege(int art) { return lt.bars[ltBar(art)]; }
const std::string& AuswahlAktuell() { return lt.auswahlBefehl; }

int LeisteKommando(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_ACTIVATE && LOWORD(wp) == WA_INACTIVE) {
        char t[3] = {27, 'C', 0};
        for (auto& bar : lt.bars)
            for (LeisteEintrag& e : bar)
                if (e.fenster && e.gezeigt) SetWindowText(e.fenster, t);
        return 0;
    }
    if (nachricht == WM_SIZE) {
        LeisteLayout();
        StatusfelderLayout();
        return 0;
    }
    if (nachricht != WM_COMMAND) return 0;
    if (StatusfeldKommando(nachricht, wp, lp)) return 1;
    const int id = LOWORD(wp);
    if (id == 2501 && EdtFenster()) {
        // After the drain the fields and faces show the new state.
        PostMessage(EdtFenster(), WM_COMMAND, LEISTEAUFFRISCHEN, 0);
        return 0;
    }
    if (id == LEISTEAUFFRISCHEN) {
        StatusfelderAktualisieren(0);
        LeisteZustand(0);
        return 1;
    }
    if (id == 2062) {
        for (int b = 0; b < 2; ++b)
            for (const LeisteEintrag& e : lt.bars[b])
                if (e.ziehId != 0 && e.ziehId == static_cast<int>(lp)) {
                    lt.zieht = true;
                    ZiehenAnfang(1, e.befehl.c_str());
                    return 1;
                }
        return 0;
    }
    if ((id == 2063 || id == 2064) && lt.zieht) {
        if (id == 2063) {
            ZiehenUeberFenster(EdtFenster(), static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        } else {
            lt.zieht = false;
            ZiehenEnde();
        }
        return 1;
    }
    if (id >= AUSWAHLID && id < AUSWAHLID + AUSWAHLSUP) {
        ltAuswahlSetzen(id - AUSWAHLID, true);
        return 1;
    }
    if (id == 2999) {
        LeisteZustand(0);
        return 0;  // the other fields refresh too
    }
    if (id >= LEISTEID && id < LEISTEID + 2 * LEISTESUP) {
        LeisteEintrag* e = ltEintragMitId(id);
        if (!e || !e->gezeigt) return 0;
        const std::string befehl = e->befehl;  // the run may rebuild the bar
        BefehlsTextAusfuehren(befehl.c_str());
        return 1;
    }
    return 0;
}
