// Element renderer (see element.h). The core works in world units; the
// device's placement is applied only where a coordinate, length or angle is
// handed to a primitive (`elm...` wrappers), so every device sees the same
// geometry in the same order.
#include "output/element.h"
#include "support/dienst.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "config/verzeich.h"
#include "equipment/nartikel.h"
#include "model/befehl.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/geometri.h"
#include "model/stndtext.h"
#include "model/textvar.h"
#include "model/zeilauf.h"
#include "model/zustand.h"
#include "output/gdi.h"
#include "output/stil.h"
#include "support/pfade.h"
#include "support/texte.h"

namespace {

constexpr int ELMTEXTSUP = 1024;  // room of a text after its variables are expanded

// ---- placement ----

void elmPunkt(const ELEMGERAET* g, double* x, double* y)
{
    if (g->platzierung == ELEM_PLATZ_STIL) StilPunkt(x, y);
    else if (g->platzierung == ELEM_PLATZ_JUS && g->jus) JusPunkt(g->jus, x, y);
}

double elmMass(const ELEMGERAET* g, double l)
{
    if (g->platzierung == ELEM_PLATZ_STIL) return StilMass(l);
    if (g->platzierung == ELEM_PLATZ_JUS && g->jus) return JusMass(g->jus, l);
    return l;
}

double elmMassZurueck(const ELEMGERAET* g, double l)
{
    if (g->platzierung == ELEM_PLATZ_STIL) return StilMassZurueck(l);
    if (g->platzierung == ELEM_PLATZ_JUS && g->jus) return JusMassZurueck(g->jus, l);
    return l;
}

int elmWinkel(const ELEMGERAET* g, int a)
{
    if (g->platzierung == ELEM_PLATZ_STIL) return StilWinkel(a);
    if (g->platzierung == ELEM_PLATZ_JUS && g->jus) return JusWinkel(g->jus, a);
    return a;
}

// ---- primitives through the placement ----

void elmLinie(ELEMGERAET* g, double x1, double y1, double x2, double y2)
{
    elmPunkt(g, &x1, &y1);
    elmPunkt(g, &x2, &y2);
    if (g->linie) g->linie(g->benutzer, x1, y1, x2, y2);
}

void elmRechteck(ELEMGERAET* g, double x1, double y1, double x2, double y2, int gefuellt)
{
    elmPunkt(g, &x1, &y1);
    elmPunkt(g, &x2, &y2);
    if (g->rechteck) g->rechteck(g->benutzer, x1, y1, x2, y2, gefuellt);
}

void elmPolygon(ELEMGERAET* g, double* pts, int n, int gefuellt)
{
    for (int i = 0; i < n; ++i) elmPunkt(g, &pts[2 * i], &pts[2 * i + 1]);
    if (g->polygon) g->polygon(g->benutzer, pts, n, gefuellt);
}

void elmEllipse(ELEMGERAET* g, double x1, double y1, double x2, double y2, int gefuellt)
{
    elmPunkt(g, &x1, &y1);
    elmPunkt(g, &x2, &y2);
    if (g->ellipse) g->ellipse(g->benutzer, x1, y1, x2, y2, gefuellt);
}

void elmEllipseGedreht(ELEMGERAET* g, double cx, double cy, double rx, double ry, int t, int gefuellt)
{
    elmPunkt(g, &cx, &cy);
    if (g->ellipseGedreht)
        g->ellipseGedreht(g->benutzer, cx, cy, elmMass(g, rx), elmMass(g, ry), elmWinkel(g, t), gefuellt);
}

void elmBogen(ELEMGERAET* g, double cx, double cy, double rx, double ry, int t, int modus, int a0, int a1)
{
    elmPunkt(g, &cx, &cy);
    if (g->bogen) g->bogen(g->benutzer, cx, cy, elmMass(g, rx), elmMass(g, ry), elmWinkel(g, t), modus, a0, a1);
}

// ---- text ----

// The lines of a text into the standard-text list (steps 3 and 4).
void elmZeilen(char* t, const STT* s, int a)
{
    zeichenweg(t, 2);
    zeichenweg(t, 3);
    if (char* vier = std::strchr(t, 4); vier != nullptr && vier != t) *vier = '\0';
    if (a == 0) {
        StndTextSetzen(t);
        return;
    }
    StndTextDatei(s->td);
    char* at = std::strchr(t, '@');
    if (at == nullptr || at == t) {
        StndTextZerlegen(t);
        return;
    }
    char block[ELEMBLOCKSUP + 1];
    strkopie(block, sizeof block, t, std::min<long>(at - t, ELEMBLOCKSUP));
    strtrim(block);
    StndTextZerlegen(block);
    StndTextAnhaengen(0, at + 1);
}

// ---- editor inputs ----

int elmHgAnStandard() { return 0; }
void elmHgNameStandard(char* p, size_t n)
{
    if (n > 0) *p = '\0';
}
void elmHgFarbeStandard(int rgb[3])
{
    const EDEINST* e = EdEinst();
    for (int i = 0; i < 3; ++i) rgb[i] = e->hzrgb[i];
}
int elmPktStandard() { return 5; }

ElemEditorHaken elmEditor = {elmHgAnStandard, elmHgNameStandard, elmHgFarbeStandard, elmPktStandard};

// ---- the screen device over output/gdi ----

int scrStift(void*, int stil, const STT* s) { return ElemBildschirmStift(stil, s); }
void scrLinie(void*, double x1, double y1, double x2, double y2) { GdiLinie(x1, y1, x2, y2); }
void scrRechteck(void*, double x1, double y1, double x2, double y2, int f)
{
    if (f) GdiRechteckGefuellt(x1, y1, x2, y2);
    else GdiRechteck(x1, y1, x2, y2);
}
void scrPolygon(void*, const double* p, int n, int f)
{
    if (f) GdiPolygonGefuellt(p, n);
    else GdiPolygon(p, n);
}
void scrEllipse(void*, double x1, double y1, double x2, double y2, int f) { GdiEllipse(x1, y1, x2, y2, f); }
void scrEllipseGedreht(void*, double cx, double cy, double rx, double ry, int t, int f)
{
    GdiEllipseGedreht(cx, cy, rx, ry, t, f);
}
void scrBogen(void*, double cx, double cy, double rx, double ry, int t, int m, int a0, int a1)
{
    GdiBogen(cx, cy, rx, ry, t, m, a0, a1);
}
void scrSchrift(void*, int font, int winkel, double h, double f) { GdiSchriftSetzen(font, winkel, h, f); }
int scrZuKlein(void*) { return GdiSchriftZuKlein(); }
void scrTextGroesse(void*, const char* t, double* w, double* h) { GdiTextGroesse(t, w, h); }
void scrTextZeile(void*, double x, double y, const char* t, int std) { GdiTextZeile(x, y, t, std); }
int scrBild(void*, double x1, double y1, double x2, double y2, int t, const char* datei)
{
    GdiBild(x1, y1, x2, y2, t, datei);
    return 0;
}

ELEMGERAET elmBildschirm = {nullptr,      scrStift,      scrLinie,          scrRechteck,
                            scrPolygon,   scrEllipse,    scrEllipseGedreht, scrBogen,
                            scrSchrift,   scrZuKlein,    scrTextGroesse,    scrTextZeile,
                            nullptr,      scrBild,       ELEM_PLATZ_KEINE,  nullptr,
                            0,            0,             {}};

}  // namespace

// ---- Members -------------------------------------------------------------------------------

int ElemStilNummer(int stil, const STT* s)
{
    return std::clamp(stil != 0 ? stil : s->st, 1, ELEMSTILSUP);
}

int ElemStift(ELEMGERAET* g, const STT* s, int stil)
{
    return g->stift ? g->stift(g->benutzer, ElemStilNummer(stil, s), s) : 1;
}

void ElemLinie(ELEMGERAET* g, const BEF* b, const STT* s)
{
    double dx = b->darg[0], dy = b->darg[1];
    Drehen(s->richtung, &dx, &dy);
    elmLinie(g, s->x, s->y, s->x + s->mass * dx, s->y + s->mass * dy);
}

void ElemRechteck(ELEMGERAET* g, const BEF* b, const STT* s)
{
    const int t = s->richtung + b->iarg[1];
    if (IstRechtwinklig(t)) {
        double dx = b->darg[0], dy = b->darg[1];
        Drehen(t, &dx, &dy);
        elmRechteck(g, s->x, s->y, s->x + s->mass * dx, s->y + s->mass * dy, b->iarg[0] != 0);
        return;
    }
    GeoPunkt p[4];
    RtkEcken(b, p);
    double pts[8];
    for (int i = 0; i < 4; ++i) SttPunkt(s, p[i].x, p[i].y, &pts[2 * i], &pts[2 * i + 1]);
    elmPolygon(g, pts, 4, b->iarg[0] != 0);
}

void ElemDreieck(ELEMGERAET* g, const BEF* b, const STT* s)
{
    GeoPunkt p[3];
    DreEcken(b, p);
    double pts[6];
    for (int i = 0; i < 3; ++i) SttPunkt(s, p[i].x, p[i].y, &pts[2 * i], &pts[2 * i + 1]);
    elmPolygon(g, pts, 3, b->iarg[0] != 0);
}

void ElemEllipse(ELEMGERAET* g, const BEF* b, const STT* s)
{
    const int t = s->richtung + b->iarg[1];
    if (IstRechtwinklig(t)) {
        double rx = b->darg[0], ry = b->darg[1];
        Drehen(t, &rx, &ry);
        rx *= s->mass;
        ry *= s->mass;
        elmEllipse(g, s->x - rx, s->y - ry, s->x + rx, s->y + ry, b->iarg[0]);
        return;
    }
    elmEllipseGedreht(g, s->x, s->y, b->darg[0] * s->mass, b->darg[1] * s->mass, t, b->iarg[0]);
}

void ElemTextAus(ELEMGERAET* g, int an) { g->textAus = an != 0; }

int ElemTextZeilen(const char* text, const STT* s, int a, int attributAus)
{
    if (text == nullptr) return 0;
    // The graphic state carries no flag that widens the placeholder test:
    // every device hides the short placeholder codes, as the editor does.
    if (IstYRefArtikel(text) || PlatzhalterText(text, 0)) return 0;
    char t[ELMTEXTSUP];
    if (text[0] == 1) {
        // An attribute text shows what follows its marker and kind letter,
        // as it stands.
        if (attributAus) return 0;
        strkopie(t, sizeof t, std::strlen(text) > 2 ? text + 2 : "", ELMTEXTSUP - 1);
    } else {
        strkopie(t, sizeof t, text, ELMTEXTSUP - 1);
        TextVarErsetzen(t, sizeof t, s->x, s->y);
    }
    if (t[0] == '\0') return 0;
    elmZeilen(t, s, a);
    return StndTextAnzahl() > 0 && StndTextLaenge() > 0 ? StndTextAnzahl() : 0;
}

void ElemText(ELEMGERAET* g, const char* text, const STT* s, int a, int bx, int c)
{
    if (g->textAus || text == nullptr) return;
    if (!ElemStift(g, s, 0)) return;
    if (ElemTextZeilen(text, s, a, g->attributAus) == 0) return;
    const int n = StndTextAnzahl(), m = StndTextLaenge();

    const int T = WinkelNormal(s->richtung + s->tr);
    const double hoehe = s->mass * s->tg;
    if (g->schrift) g->schrift(g->benutzer, s->ts, elmWinkel(g, T), elmMass(g, hoehe), s->tv);
    std::string mess = n == 1 ? std::string(StndTextZeile(0)) : std::string(std::min(ELEMMESSSUP, m), 'n');
    double w, h;
    if (g->textGroesse) {
        g->textGroesse(g->benutzer, mess.c_str(), &w, &h);
        w = elmMassZurueck(g, w);
        h = elmMassZurueck(g, h);
    } else {
        w = static_cast<double>(mess.size()) * hoehe * s->tv;
        h = hoehe;
    }
    // The block's height is laid out unscaled: drawings were made against it.
    const double E = (n - 1) * s->th * -2.0 * s->tg;
    const double ox = bx == 1 ? -w / 2 : bx == 2 ? -w : 0;
    const double oy = c == 1 ? -(E + h) / 2 : 0;

    if (g->zuKlein && g->zuKlein(g->benutzer)) {
        STT gedreht = *s;
        gedreht.richtung = T;
        const double ecken[4][2] = {{ox, oy + h}, {ox, oy + E}, {ox + w, oy + E}, {ox + w, oy + h}};
        double pts[8];
        for (int i = 0; i < 4; ++i) SttPunkt(&gedreht, ecken[i][0], ecken[i][1], &pts[2 * i], &pts[2 * i + 1]);
        elmPolygon(g, pts, 4, 0);
        return;
    }
    double vx = ox, vy = oy;
    Drehen(T, &vx, &vy);
    const double x0 = s->x + vx, y0 = s->y + vy;
    double sx = 0, sy = -2.0 * s->mass * s->th * s->tg;
    Drehen(T, &sx, &sy);
    if (g->ersteZeile) g->ersteZeile(g->benutzer, StndTextZeile(0), x0, y0, s);
    for (int i = 0; i < n; ++i) {
        double x = x0 + i * sx, y = y0 + i * sy;
        elmPunkt(g, &x, &y);
        if (g->textZeile) g->textZeile(g->benutzer, x, y, StndTextZeile(i), a);
    }
}

int ElemBild(ELEMGERAET* g, const BEF* b, const STT* s)
{
    char datei[PFADSUP + 1] = {};
    ElemBildPfad(b, s, datei, sizeof datei);
    const int t = s->richtung + b->iarg[1];
    double dx = b->darg[0] * s->mass, dy = b->darg[1] * s->mass;
    if (IstRechtwinklig(t)) Drehen(t, &dx, &dy);
    double x1 = s->x, y1 = s->y, x2 = s->x + dx, y2 = s->y + dy;
    elmPunkt(g, &x1, &y1);
    elmPunkt(g, &x2, &y2);
    return g->bild ? g->bild(g->benutzer, x1, y1, x2, y2, elmWinkel(g, t), datei) : 0;
}

int ElemZeichnen(ELEMGERAET* g, const BEF* b, const STT* s)
{
    const int code = b->code;
    if (code < 40 || code > 69) return 0;
    if (code == 40 || (code >= 62 && code <= 68)) {
        if (!ElemStift(g, s, code == 40 ? 0 : b->sub)) return 0;
    }
    switch (code) {
    case 40: ElemLinie(g, b, s); return 1;
    case 50: ElemText(g, b->text, s, 0, 0, 0); return 1;
    case 51: ElemText(g, b->text, s, 0, 1, 0); return 1;
    case 52: ElemText(g, b->text, s, 0, 2, 0); return 1;
    case 53: ElemText(g, b->text, s, 0, 1, 1); return 1;
    case 54: ElemText(g, b->text, s, 1, 0, 0); return 1;
    case 55: ElemText(g, b->text, s, 1, 1, 0); return 1;
    case 56: ElemText(g, b->text, s, 1, 2, 0); return 1;
    case 57: ElemText(g, b->text, s, 1, 1, 1); return 1;
    case 62: {
        const double r = Zehntel(ElemPunktGroesse()) * s->mass;
        elmEllipse(g, s->x - r, s->y - r, s->x + r, s->y + r, 1);
        return 1;
    }
    case 63: ElemDreieck(g, b, s); return 1;
    case 64:
        elmBogen(g, s->x, s->y, b->darg[0] * s->mass, b->darg[1] * s->mass, s->richtung, 0, b->iarg[0], b->iarg[1]);
        return 1;
    case 65: {
        const double rx = b->darg[0] * s->mass, ry = b->darg[1] * s->mass;
        double ox = CosZehntel(b->iarg[0]) * rx, oy = SinZehntel(b->iarg[0]) * ry;
        Drehen(s->richtung, &ox, &oy);
        elmBogen(g, s->x - ox, s->y - oy, rx, ry, s->richtung, b->iarg[2], b->iarg[0], b->iarg[1]);
        return 1;
    }
    case 67: ElemEllipse(g, b, s); return 1;
    case 68: ElemRechteck(g, b, s); return 1;
    case 69: ElemBild(g, b, s); return 1;
    default: return 0;
    }
}

// ---- Layer flags -----------------------------------------------------------------------------

void ElemLayerAnfang(ELEMGERAET* g)
{
    g->layer[0] = 1;
    for (int n = 1; n <= ELEMLAYERSUP; ++n) g->layer[n] = LayerSichtbar(n) != 0;
}

int ElemLayerSchalten(ELEMGERAET* g, const BEF* b)
{
    if (b->code != 16) return 0;
    g->layer[std::clamp(b->iarg[0], 1, ELEMLAYERSUP)] = b->iarg[1] != 0;
    return 1;
}

int ElemLayerAn(const ELEMGERAET* g, const STT* s)
{
    if (!g->layerAn) return 1;
    return g->layer[std::clamp(s->layer, 0, ELEMLAYERSUP)] != 0;
}

// ---- Screen devices ------------------------------------------------------------------------

ELEMGERAET* ElemBildschirm() { return &elmBildschirm; }

int ElemBildschirmStift(int stil, const STT* s)
{
    const VISTIFT* e = &ViEinst()->stift[std::clamp(stil, 1, ELEMSTILSUP) - 1];
    GdiStiftSetzen(e, s->sa, WeltZuPixelLaenge(10 * s->sl * s->mass));
    GdiStrichEinheit(WeltZuPixelLaenge(1000 * s->mass));
    return 1;
}

int ElemRueckruf(const BEF* b, const STT* s)
{
    ElemZeichnen(&elmBildschirm, b, s);
    return 0;
}

void RenderMerkerLoeschen() { elmBildschirm.textAus = 0; }

// ---- Background drawing --------------------------------------------------------------------

void ElemEditorHakenSetzen(const ElemEditorHaken& h)
{
    using H = ElemEditorHaken;
    DienstUebernehmen(elmEditor, h, elmEditor, &H::hgAn, &H::hgName, &H::hgFarbe, &H::pktGroesse);
}

int ElemPunktGroesse() { return elmEditor.pktGroesse(); }

void HgPfad(const char* name, char* aus, size_t kap)
{
    if (pfadlang(name) == 0) PfadHPfadDatei(aus, kap, name);
    else strkopie(aus, kap, name, PFADSUP);
}

void HgZeichnen()
{
    if (!elmEditor.hgAn()) return;
    char name[PFADSUP + 1] = {};
    elmEditor.hgName(name, sizeof name);
    if (name[0] == '\0') return;
    char pfad[PFADSUP + 1] = {};
    HgPfad(name, pfad, sizeof pfad);
    int rgb[3] = {0, 0, 0};
    elmEditor.hgFarbe(rgb);
    GdiFarbeUeberschreiben(1, rgb);
    STT s;
    SttInit(&s, nullptr);
    ZeiDurchlaufen(pfad, &s, ElemRueckruf);
    GdiFarbeUeberschreiben(0, nullptr);
}

void ElemDiensteEintragen()
{
    EdHaken h;
    h.HintergrundZeichnen = HgZeichnen;
    EdHakenSetzen(h);
}
