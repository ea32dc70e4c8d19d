// The editor's screen drawing (see edzeich.h).
#include "editor/edzeich.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/vorgaben.h"
#include "editor/befausf.h"
#include "equipment/nartikel.h"
#include "equipment/nhuliste.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/geometri.h"
#include "model/stndtext.h"
#include "model/textvar.h"
#include "model/zerleg.h"
#include "output/ansicht.h"
#include "output/element.h"
#include "output/gdi.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"

namespace {

void edzGdiMarke(double x, double y, int pixel)
{
    const COLORREF c = GdiStiftFarbe();
    const int rgb[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    GdiPunktGroesse(x, y, pixel, rgb);
}

ELEMGERAET* edzGeraet = nullptr;
EdzMarkeFn edzMarkeFn = edzGdiMarke;
int edzReduziert = 0;
int edzWarten = 0;
int edzPkt = 5;  // tenths

ELEMGERAET* edzG() { return edzGeraet != nullptr ? edzGeraet : ElemBildschirm(); }

void edzMarke(double x, double y) { edzMarkeFn(x, y, EDZMARKE); }

// The position plus the vector (x, y) mapped through the state.
void edzAbbilden(const STT* s, double x, double y, double* X, double* Y)
{
    Drehen(s->richtung, &x, &y);
    *X = s->x + s->mass * x;
    *Y = s->y + s->mass * y;
}

void edzUmriss(const STT* s, double x1, double y1, double x2, double y2)
{
    ELEMGERAET* g = edzG();
    if (!g->linie) return;
    g->linie(g->benutzer, x1, y1, x2, y1);
    g->linie(g->benutzer, x2, y1, x2, y2);
    g->linie(g->benutzer, x2, y2, x1, y2);
    g->linie(g->benutzer, x1, y2, x1, y1);
    (void)s;
}

// An outline rectangle of size (x, y) from the position (RTK, not filled).
void edzRtkUmriss(const BEF* b, const STT* s)
{
    BEF r = *b;
    r.code = 68;
    r.iarg[0] = 0;
    r.iarg[1] = b->code == 68 || b->code == 69 ? b->iarg[1] : 0;
    ElemRechteck(edzG(), &r, s);
}

void edzZahlText(int zahl, double x, double y, const STT* s);

// ---- Text member ---------------------------------------------------------------------------------

// Steps 3 and 4: the lines into the standard-text list.
void edzZeilen(const char* t, const STT* s, int familie)
{
    if (familie == 0 || !BefFlags()->tda) {
        StndTextSetzen(t);
        return;
    }
    StndTextDatei(s->td);
    const char* at = t[0] != '\0' ? std::strchr(t + 1, '@') : nullptr;
    if (at == nullptr) {
        StndTextZerlegen(t);
        return;
    }
    char block[EDZBLOCKSUP + 1];
    strkopie(block, sizeof block, t, static_cast<int>(std::min<long>(at - t, EDZBLOCKSUP)));
    strtrim(block);
    StndTextZerlegen(block);
    StndTextAnhaengen(0, at + 1);
}

void edzText(const char* text, const STT* s, int familie, int bx, int by)
{
    if (edzReduziert) return;
    ELEMGERAET* g = edzG();
    if (!ElemStift(g, s, 0)) return;
    char t[EDZTEXTSUP + 1];
    TextAnzeige(t, sizeof t, text, s);
    if (t[0] == '\0') return;
    zeichenweg(t, 2);
    zeichenweg(t, 3);
    if (char* vier = std::strchr(t, 4)) *vier = '\0';
    edzZeilen(t, s, familie);
    const int n = StndTextAnzahl(), L = StndTextLaenge();
    if (n == 0 || L == 0) return;

    const int winkel = WinkelNormal(s->richtung + s->tr);
    if (g->schrift) g->schrift(g->benutzer, s->ts, winkel, s->mass * s->tg, s->tv);
    const int zuKlein = g->zuKlein != nullptr && g->zuKlein(g->benutzer);
    const std::string mess = n == 1 ? std::string(StndTextZeile(0)) : std::string(static_cast<size_t>(std::min(L, EDZMESSSUP)), 'n');
    double w = 0, h = 0;
    if (g->textGroesse) {
        g->textGroesse(g->benutzer, mess.c_str(), &w, &h);
    } else {
        w = static_cast<double>(mess.size()) * s->mass * s->tg * s->tv;
        h = s->mass * s->tg;
    }
    const double f = -2.0 * s->th * s->tg * (n - 1);
    const double dx = bx == 1 ? -w / 2 : bx == 2 ? -w : 0;
    const double dy = by == 1 ? -(f + h) / 2 : by == 2 ? -(f + h) : 0;
    if (zuKlein || BefFlags()->ta == 1) {
        STT gedreht = *s;
        gedreht.richtung = winkel;
        const double ecken[4][2] = {{dx, h + dy}, {dx, f + dy}, {w + dx, f + dy}, {w + dx, h + dy}};
        double pts[8];
        for (int i = 0; i < 4; ++i) SttPunkt(&gedreht, ecken[i][0], ecken[i][1], &pts[2 * i], &pts[2 * i + 1]);
        if (g->polygon) g->polygon(g->benutzer, pts, 4, 0);
        return;
    }
    double vx = dx, vy = dy;
    Drehen(winkel, &vx, &vy);
    double sx = 0, sy = -2.0 * s->mass * s->th * s->tg;
    Drehen(winkel, &sx, &sy);
    for (int i = 0; i < n; ++i) {
        if (g->textZeile) g->textZeile(g->benutzer, s->x + vx + i * sx, s->y + vy + i * sy, StndTextZeile(i), familie);
    }
}

void edzZahlText(int zahl, double x, double y, const STT* s)
{
    char t[16];
    std::snprintf(t, sizeof t, "%d", zahl);
    STT z = *s;
    z.x = x;
    z.y = y;
    edzText(t, &z, 0, 0, 0);
}

// The colour override of one object; off again by edzFarbeAus.
void edzFarbe(const int32_t rgb[3])
{
    const int f[3] = {rgb[0], rgb[1], rgb[2]};
    GdiFarbeUeberschreiben(1, f);
}
void edzFarbeAus() { GdiFarbeUeberschreiben(0, nullptr); }

int edzLayerAn(const STT* s) { return s->layer <= 0 || LayerSichtbar(s->layer) != 0; }

// Expands the record under a copy of the state.
void edzZerlegen(const BEF* b, const STT* s)
{
    STT kopie = *s;
    BefZerlegen(b, &kopie, ElementPruefenZeichnen);
}

// Steps 2-5 of ObjZeichnen (also for the element under construction).
void edzObjekt(const BEF* b, const STT* s, int markiert, int einfach)
{
    BEFFLAGS* fl = BefFlags();
    switch (b->code) {
    case 69:
        edzZerlegen(b, s);
        if (markiert && !einfach && edzLayerAn(s) && ElemStift(edzG(), s, 0)) edzRtkUmriss(b, s);
        return;
    case 95: {
        const int uba = fl->uba;
        if (markiert && !einfach) fl->uba = 1;
        edzZerlegen(b, s);
        fl->uba = uba;
        return;
    }
    case 96:
        edzZerlegen(b, s);
        if (markiert && !einfach) {
            BEF hot = *b;
            hot.code = 93;
            edzZerlegen(&hot, s);
        }
        return;
    default: edzZerlegen(b, s); return;
    }
}

// A placeable object gets the point marker when marked.
bool edzPlatzierbar(const BEF* b)
{
    if (!BefIstText(b->code)) return b->code >= 40;
    const char* t = b->text;
    bool leer = true;
    for (const char* p = t; *p; ++p) leer = leer && (*p == ' ' || *p == '\t');
    return !leer && std::strncmp(t, "@Y", 2) != 0;
}

// The view's DC around one drawing call: 0 during a paint or another target,
// which is then the current target already.
struct EdzDC {
    HDC dc = AnsichtDCHolen();
    ~EdzDC()
    {
        if (dc) AnsichtDCFreigeben(dc);
    }
};

}  // namespace

void EdzGeraetSetzen(ELEMGERAET* g, EdzMarkeFn marke)
{
    edzGeraet = g;
    edzMarkeFn = marke != nullptr ? marke : edzGdiMarke;
}

void TextAnzeige(char* aus, size_t kap, const char* text, const STT* s)
{
    if (kap == 0) return;
    aus[0] = '\0';
    const BEFFLAGS* fl = BefFlags();
    if (fl->ta == 0 || text == nullptr || text[0] == '\0') return;
    if (!fl->ata && (text[0] == 1 || IstYRefArtikel(text))) return;
    if (!fl->qva && PlatzhalterText(text, 0)) return;
    if (text[0] == 1) {
        strkopie(aus, kap, std::strlen(text) > 2 ? text + 2 : "", static_cast<int>(kap) - 1);
        return;
    }
    char t[EDZTEXTSUP + 1];
    strkopie(t, sizeof t, text, EDZTEXTSUP);
    TextVarErsetzen(t, sizeof t, s->x, s->y);
    if (t[0] == '\0' && std::strncmp(text, "@Y", 2) != 0 && (std::strncmp(text, "@C", 2) != 0 || fl->qva)) {
        strkopie(aus, kap, text, static_cast<int>(kap) - 1);
        return;
    }
    strkopie(aus, kap, t, static_cast<int>(kap) - 1);
}

int ElementZeichnen(const BEF* b, const STT* s)
{
    const int code = b->code;
    if (code < 40 || code > 189) return 0;
    const BEFFLAGS* fl = BefFlags();
    ELEMGERAET* g = edzG();
    if (code >= 50 && code <= 57) {
        static const int ausrichtung[8][3] = {{0, 0, 0}, {0, 1, 0}, {0, 2, 0}, {0, 1, 1},
                                              {1, 0, 0}, {1, 1, 0}, {1, 2, 0}, {1, 1, 1}};
        const int* a = ausrichtung[code - 50];
        edzText(b->text, s, a[0], a[1], a[2]);
        return 1;
    }
    switch (code) {
    case 40:
    case 62:
    case 63:
    case 64:
    case 65:
    case 67:
    case 68:
    case 69: return ElemZeichnen(g, b, s);
    default: break;
    }
    double x = 0, y = 0;
    switch (code) {
    case 71:
    case 72:
        if (!ElemStift(g, s, 0)) return 0;
        edzAbbilden(s, b->darg[0], b->darg[1], &x, &y);
        edzUmriss(s, s->x, s->y, x, y);
        return 1;
    case 90:
        if (!fl->vrz) return 1;
        ElemStift(g, s, 0);
        edzMarke(s->x, s->y);
        return 1;
    case 91:
        if (!fl->vrz) return 1;
        ElemStift(g, s, 0);
        edzMarke(s->x, s->y);
        edzZahlText(b->iarg[0], s->x, s->y, s);
        return 1;
    case 92:
        ElemStift(g, s, 0);
        if (fl->qba) edzRtkUmriss(b, s);
        if (fl->vrz) {
            edzAbbilden(s, b->darg[2], b->darg[3], &x, &y);
            edzMarke(x, y);
            edzZahlText(b->iarg[0], x, y, s);
        }
        return 1;
    case 93:
        ElemStift(g, s, 0);
        edzMarke(s->x, s->y);
        if (b->darg[0] != 0 || b->darg[1] != 0) {
            edzAbbilden(s, b->darg[0], b->darg[1], &x, &y);
            edzMarke(x, y);
        }
        return 1;
    case 95:
        if (!fl->uba) return 1;
        ElemStift(g, s, 0);
        edzRtkUmriss(b, s);
        return 1;
    case 175:
        ElemStift(g, s, 0);
        edzMarke(s->x, s->y);
        edzAbbilden(s, b->darg[0], b->darg[1], &x, &y);
        if (g->linie) g->linie(g->benutzer, s->x, s->y, x, y);
        if (b->darg[0] != 0 || b->darg[1] != 0) edzMarke(x, y);
        return 1;
    case 177:
    case 189: {
        ElemStift(g, s, 0);
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        SttPunkt(s, b->darg[0], b->darg[1], &x1, &y1);
        SttPunkt(s, b->darg[2], b->darg[3], &x2, &y2);
        edzUmriss(s, x1, y1, x2, y2);
        return 1;
    }
    default: return 0;
    }
}

int ElementPruefenZeichnen(const BEF* b, const STT* s)
{
    if (!edzLayerAn(s)) return 0;
    if (BefIstText(b->code) && HulHatMarke(b->text)) {
        BEF ohne = *b;
        const auto HulMarkeEntfernen = HulMarkenEntfernen;  // the marker bytes are never drawn
        HulMarkeEntfernen(ohne.text);
        ElementZeichnen(&ohne, s);
        return 0;
    }
    ElementZeichnen(b, s);
    return 0;
}

// Steps 1-5 of ObjZeichnen under the object's colour override.
static void edzObjektFarbig(const BEF* b, const STT* s, int markiert, int einfach)
{
    const EDEINST* e = EdEinst();
    const bool farbe = markiert || (BefIstZB(b->code) && e->baufar);
    if (markiert) edzFarbe(e->aktrgb);
    else if (farbe) edzFarbe(e->baurgb);
    edzObjekt(b, s, markiert, einfach);
    if (farbe) edzFarbeAus();
}

void ObjZeichnen(const BEF* b, const STT* s, int markiert)
{
    EdzDC dc;
    const EDEINST* e = EdEinst();
    edzObjektFarbig(b, s, markiert, 0);
    if (markiert && edzPlatzierbar(b) && edzLayerAn(s)) {
        edzFarbe(e->bstrgb);
        ElemStift(edzG(), s, 0);
        edzMarkeFn(s->x, s->y, EDZPUNKTMARKE);
        edzFarbeAus();
    }
}

void ObjZeichnenEinfach(const BEF* b, const STT* s, int markiert)
{
    EdzDC dc;
    edzObjektFarbig(b, s, markiert, 1);
}

void BaubfZeichnen(const BEF* b, const STT* s)
{
    EdzDC dc;
    BEFFLAGS* fl = BefFlags();
    const int vrz = fl->vrz, ta = fl->ta;
    fl->vrz = 1;
    if (fl->tm == 0 || fl->tm == 1) fl->ta = fl->tm;
    edzFarbe(EdEinst()->bstrgb);
    edzObjekt(b, s, 1, 0);
    edzFarbeAus();
    fl->vrz = vrz;
    fl->ta = ta;
}

void ObjZerlegenBildschirm(const BEF* b, const STT* s) { edzZerlegen(b, s); }

void RendererFlagSetzen(int wert) { edzReduziert = wert; }

void BefAusdehnung(const BEF* b, const STT* s, double box[4], STT* nachher)
{
    BefAusdehnungRoh(b, s, box, nachher);
    if (!BefIstText(b->code)) return;
    char t[EDZTEXTSUP + 1];
    TextAnzeige(t, sizeof t, b->text, s);
    int zeichen = static_cast<int>(std::strlen(t)), zeilen = 1;
    if (BefIstTextS(b->code)) {
        StndTextDatei(s->td);
        if (BefFlags()->tda) StndTextZerlegen(t);
        else StndTextSetzen(t);
        zeichen = StndTextLaenge();
        zeilen = std::max(1, StndTextAnzahl());
    }
    TextRahmen(b->code, zeichen, zeilen, s, box);
}

void Warten(int an)
{
    const int vorher = edzWarten;
    edzWarten = an ? edzWarten + 1 : std::max(0, edzWarten - 1);
    if (vorher == 0 && edzWarten > 0) anwCursor(1);
    else if (vorher > 0 && edzWarten == 0) anwCursor(0);
}

int WartenStufe() { return edzWarten; }

void EdzEinstLesen()
{
    VgbOeffnen();
    edzPkt = std::max(0, VgbInt("EdPkt"));
    VgbSchliessen();
}

void EdzHakenSetzen()
{
    ElemEditorHaken e;
    e.hgAn = [] { return BefFlags()->hza != 0 && BefFlags()->hintergrund[0] != '\0' ? 1 : 0; };
    e.hgName = [](char* puffer, size_t groesse) {
        strkopie(puffer, groesse, BefFlags()->hintergrund, static_cast<int>(groesse) - 1);
    };
    e.pktGroesse = [] { return edzPkt; };
    ElemEditorHakenSetzen(e);
    EdHaken h;
    h.ObjZeichnen = ObjZeichnen;
    h.BefAusdehnung = BefAusdehnung;
    EdHakenSetzen(h);
}
