// Element construction; see baubf.h.
#include "editor/baubf.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/reaktion.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/edzeich.h"
#include "editor/edmarke.h"
#include "model/beffifo.h"
#include "model/dienste.h"
#include "model/edhaken.h"
#include "model/geometri.h"
#include "model/masslin.h"
#include "model/tempzeic.h"
#include "support/basis.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

enum : int {
    B_BW = 20, B_BA = 21, B_ZL = 40, B_DRE = 63, B_TKR = 64, B_BOG = 65, B_KRE = 67, B_RTK = 68, B_GRF = 69,
    B_BRI = 71, B_BMI = 72, B_ZBW = 81, B_QVB = 92, B_UNT = 95, B_ZML = 96, B_LUP = 156, B__ZML = 175,
};

struct BauZustand {
    int hatwas = 0;
    BEF baubf{};
    STT baups{};
    double startx = 0, starty = 0;
    double letztx = 0, letzty = 0;
    double griffx = 0, griffy = 0;
    int schritt = 0;
    int letzteWahl = -1;
    int bauoi = -1;
    int bauzol = 0;
    int achse = 0;
    int dialog = 0;
    BEF vorBef{};
    STT vorStt{};
};
BauZustand bz;

struct BauHist {
    char name[BAUHISTNAMESUP + 1];
    char datei[BAUHISTNAMESUP + 1];
    int32_t anzahl;
};
BauHist bauHist[BAUHISTSUP];
int bauZaehler = 0;

bool bauIstText(int c) { return BefIstText(c) != 0; }
bool bauIstBauteil(int c) { return c == 80 || c == 81 || (c >= 83 && c <= 86); }

double bauMass(const STT* s) { return s->mass != 0 ? s->mass : 1.0; }

bool bauGleichI(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        if (zgross(static_cast<unsigned char>(*a)) != zgross(static_cast<unsigned char>(*b))) return false;
    }
    return *a == *b;
}

// World position of handle n.
void bauGriffWelt(int n, double* x, double* y)
{
    double ox, oy;
    BaubfGriffOffset(&bz.baubf, n, &ox, &oy);
    const double m = bauMass(&bz.baups);
    *x = bz.baups.x + m * ox;
    *y = bz.baups.y + m * oy;
}

// Each group object (up to the list's end, at most BAUGRUPPESUP).
template <class F> void bauGruppe(F f)
{
    if (bz.bauzol == 0) return;
    for (int k = 0; k < BAUGRUPPESUP; ++k) {
        int id = TzPickHolen(bz.bauzol, k);
        if (id < 0) break;
        f(id);
    }
}

// Displacement between the element's position and the re-edited object's
// stored position (0 when the object is gone).
void bauVersatz(double* dx, double* dy)
{
    *dx = *dy = 0;
    BEF b;
    STT s;
    if (bz.bauoi < 0 || TzObjHolen(bz.bauoi, &b, &s) != 0) return;
    *dx = bz.baups.x - s.x;
    *dy = bz.baups.y - s.y;
}

// Each group object with its state moved by the re-edit's displacement.
template <class F> void bauGruppeVersetzt(F f)
{
    double dx, dy;
    bauVersatz(&dx, &dy);
    bauGruppe([&](int id) {
        BEF b;
        STT s;
        if (TzObjHolen(id, &b, &s) != 0) return;
        s.x += dx;
        s.y += dy;
        f(id, &b, &s);
    });
}

void bauLeeren()
{
    std::memset(&bz.baubf, 0, sizeof bz.baubf);
    bz.hatwas = 0;
    if (bz.bauoi >= 0 && TzExistiert(bz.bauoi)) TzInBearbeitung(bz.bauoi, 0);
    bz.bauoi = -1;
    bauGruppe([](int id) {
        if (TzExistiert(id)) TzInBearbeitung(id, 0);
    });
    bz.bauzol = 0;
}

// Arc: quadrant of the end-point direction against the quadrant of c - s.
void bauBogen(double cx, double cy, double m)
{
    int32_t* a = bz.baubf.iarg;
    const int ziel = Quadrant(cx, cy);
    for (int k = 0; k < 4; ++k) {
        double rx = CosZehntel(a[0] + 1800) + CosZehntel(a[1]);
        double ry = SinZehntel(a[0] + 1800) + SinZehntel(a[1]);
        if (Quadrant(rx, ry) == ziel) break;
        a[0] += 900;
        a[1] += 900;
        if (a[0] > 3599) {
            a[0] -= 3600;
            a[1] -= 3600;
        }
    }
    double rx = CosZehntel(a[0] + 1800) + CosZehntel(a[1]);
    double ry = SinZehntel(a[0] + 1800) + SinZehntel(a[1]);
    if (!IstNull(rx)) {
        double r = cx / rx;
        if (r >= 0) bz.baubf.darg[0] = r / m;
    }
    if (!IstNull(ry)) {
        double r = cy / ry;
        if (r >= 0) bz.baubf.darg[1] = r / m;
    }
}

void bauDreieck(double cx, double cy, double dx, double dy)
{
    if (std::fabs(cx) < 0.1 && std::fabs(cy) < 0.1) return;
    double* d = bz.baubf.darg;
    int32_t* a = bz.baubf.iarg;
    const double len = VektorLaenge(dx, dy);
    const int ang = VektorWinkel(-cx, -cy);  // from the cursor to the start
    if (std::fabs(d[1] - len) > 1.0) {
        if (a[2] == 0) {
            if (d[1] != 0) {
                d[0] *= len / d[1];
                if (std::fabs(d[0] - len * 0.5) < 0.1) d[0] = len * 0.5;
            }
        } else {
            d[0] = len / 0.866;
        }
        d[1] = len;
    }
    if (std::abs(ang - a[1]) >= 3) a[1] = ang;
}

}  // namespace

// ---- handles

int BaubfGriffAnzahl(int code)
{
    switch (code) {
    case B_ZL: case B_DRE: case B_TKR: case B_BOG: case B_BRI: case B_BMI: case B_ZBW: case B_UNT: case B__ZML:
        return 2;
    case B_KRE: case B_RTK: case B_GRF: case B_QVB:
        return 3;
    case B_ZML:
        return 9;
    default:
        return 1;
    }
}

void BaubfGriffOffset(const BEF* b, int n, double* x, double* y)
{
    const double* d = b->darg;
    const int32_t* a = b->iarg;
    *x = *y = 0;
    if (n <= 0 || n >= BaubfGriffAnzahl(b->code)) return;
    switch (b->code) {
    case B_DRE:
        *x = d[1] * CosZehntel(a[1] + 1800);
        *y = d[1] * SinZehntel(a[1] + 1800);
        return;
    case B_BOG:
        *x = d[0] * (CosZehntel(a[0] + 1800) + CosZehntel(a[1]));
        *y = d[1] * (SinZehntel(a[0] + 1800) + SinZehntel(a[1]));
        return;
    case B_KRE: case B_RTK: case B_GRF:
        if (n == 1) {
            *x = d[0];
            *y = d[1];
            Drehen(a[1], x, y);
        } else {
            *x = d[0] * CosZehntel(a[1]);
            *y = d[0] * SinZehntel(a[1]);
        }
        return;
    case B_ZBW:
        *x = d[0];
        *y = d[1];
        Drehen(a[0], x, y);
        return;
    case B_QVB:
        *x = n == 1 ? d[0] : d[2];
        *y = n == 1 ? d[1] : d[3];
        return;
    case B_ZML:
        if (n == 1) {
            *x = d[0];
            *y = d[1];
        } else {
            MassPunkt(b, nullptr, (n == 2 || n == 8) ? 0 : n, x, y);
        }
        return;
    default:
        *x = d[0];
        *y = d[1];
        return;
    }
}

int BaubfKonstruierbar(int code)
{
    static const int codes[] = {40, 63, 64, 65, 67, 68, 69, 80, 81, 83, 84, 85, 86, 92, 95, 96, 175};
    for (int c : codes) {
        if (c == code) return 1;
    }
    return 0;
}

// ---- construction

void BaubfStarten(int code)
{
    const STT* akt = BefAktZustand();
    BaubfStartenBei(code, akt->x, akt->y);
}

void BaubfStartenBei(int code, double x, double y)
{
    std::memset(&bz.baubf, 0, sizeof bz.baubf);
    bz.baubf.code = static_cast<uint8_t>(code);
    if (!bz.hatwas) {
        bz.startx = x;
        bz.starty = y;
        bz.baups = *BefAktZustand();
        bz.baups.x = x;
        bz.baups.y = y;
        bz.letztx = x;
        bz.letzty = y;
    }
    bz.hatwas = code != 0;
    if (bauIstText(code) || bauIstBauteil(code)) bz.schritt = 0;
    else BaubfSchritt(1);
    BefEinreihenCode(0);
    bz.bauoi = -1;
    bz.bauzol = 0;
}

void BaubfSchritt(int n)
{
    if (!bz.hatwas) return;
    if (n < 0 || n >= BaubfGriffAnzahl(bz.baubf.code)) n = 0;
    bz.schritt = n;
    double x = bz.startx, y = bz.starty;
    if (n > 0) bauGriffWelt(n, &x, &y);
    StartpunktSetzen(x, y);
}

void BaubfNaechsterSchritt()
{
    if (!bz.hatwas) return;
    const int c = bz.baubf.code;
    if (bauIstText(c)) return;
    int n = BaubfGriffAnzahl(c);
    if (c == B_KRE || c == B_RTK || c == B_GRF || c == B_QVB || c == B_ZML) bz.schritt = (bz.schritt + 1) % n;
    else bz.schritt = bz.schritt == 0 ? 1 : 0;
}

void BaubfSchrittWahl()
{
    if (!bz.hatwas) return;
    int n = bz.letzteWahl < 0 ? 0 : bz.letzteWahl;
    if (n >= BaubfGriffAnzahl(bz.baubf.code)) n = 0;
    bz.schritt = n;
    const STT* akt = BefAktZustand();
    bz.baups.x = akt->x;
    bz.baups.y = akt->y;
}

void BaubfMausBewegt()
{
    if (!bz.hatwas) return;
    if (bz.bauoi >= 0 && !TzIstMarkiert(bz.bauoi)) {
        BaubfAbbrechen();
        return;
    }
    const STT* akt = BefAktZustand();
    const double altMass = bz.baups.mass;
    bz.baups = *akt;
    bz.baups.x = bz.startx;
    bz.baups.y = bz.starty;
    if (akt->mass != altMass) BaubfSchritt(bz.schritt);
    const double cx = akt->x, cy = akt->y;
    if (cx == bz.letztx && cy == bz.letzty) return;
    bz.letztx = cx;
    bz.letzty = cy;
    const int c = bz.baubf.code;
    if (bz.schritt == 0) {
        bz.startx = bz.baups.x = cx;
        bz.starty = bz.baups.y = cy;
        return;
    }
    const double m = bauMass(&bz.baups);
    const double vx = cx - bz.startx, vy = cy - bz.starty;
    double dx = vx / m, dy = vy / m;
    double* d = bz.baubf.darg;
    int32_t* a = bz.baubf.iarg;
    switch (c) {
    case B_ZL: case B_BRI: case B_BMI: case B_UNT: case B__ZML:
        d[0] = dx;
        d[1] = dy;
        break;
    case B_DRE:
        bauDreieck(vx, vy, dx, dy);
        break;
    case B_TKR:
        d[0] = std::fabs(dx);
        d[1] = std::fabs(dy);
        break;
    case B_BOG:
        bauBogen(vx, vy, m);
        break;
    case B_KRE: case B_RTK: case B_GRF:
        if (bz.schritt == 1) {
            if (a[1] != 0) Drehen(WinkelNormal(-a[1]), &dx, &dy);
            d[0] = dx;
            d[1] = dy;
        } else {
            a[1] = VektorWinkel(vx, vy);
        }
        break;
    case B_ZBW:
        if (bz.schritt == 1) {
            int w = VektorWinkel(vx, vy) - VektorWinkel(d[0], d[1]);
            if (w < 0) w += 3600;
            a[0] = w;
        }
        break;
    case B_QVB:
        if (bz.schritt == 1) {
            d[0] = dx;
            d[1] = dy;
        } else {
            d[2] = dx;
            d[3] = dy;
        }
        break;
    case B_ZML:
        MassGriffZiehen(&bz.baubf, &bz.baups, bz.schritt, vx, vy);
        break;
    default:
        break;
    }
}

void BaubfFertig()
{
    if (!bz.hatwas) return;
    const int c = bz.baubf.code;
    if (c == B_ZL && std::fabs(bz.baubf.darg[0]) < 0.1 && std::fabs(bz.baubf.darg[1]) < 0.1) {
        BaubfAbbrechen();
        return;
    }
    const bool neueLinie = c == B_ZL && !(bz.bauoi >= 0 && TzIstMarkiert(bz.bauoi));
    BaubfAbsetzen();
    if (neueLinie) BaubfStarten(B_ZL);
}

void BaubfAbsetzen()
{
    if (!bz.hatwas) return;
    StartpunktSetzen(bz.startx, bz.starty);
    BefEinreihen(&bz.baubf);
    if (bz.baubf.code == B_BOG) {
        double x, y;
        bauGriffWelt(1, &x, &y);
        StartpunktSetzen(x, y);
    }
    if (bz.bauoi >= 0 && bz.bauzol != 0) {
        bauGruppeVersetzt([](int id, const BEF* b, const STT* s) { TzErsetzen(id, b, s); });
    }
    bauLeeren();
}

void BaubfEnde()
{
    if (bz.bauoi >= 0 && bauIstBauteil(bz.baubf.code) && TzIstMarkiert(bz.bauoi)) BaubfAbsetzen();
    else BaubfAbbrechen();
}

void BaubfAbbrechen()
{
    bauLeeren();
    BefEinreihenInt2(B_LUP, -1, 1);
}

void BaubfSetzen(const BEF* b)
{
    if (!bz.hatwas) return;
    bz.baubf = *b;
    if (b->code == B_ZBW) {
        double box[4];
        STT nach = *BefAktZustand();
        const STT vor = nach;
        BefAusdehnungRoh(b, &vor, box, &nach);
        bz.baubf.darg[0] = nach.x - vor.x;
        bz.baubf.darg[1] = nach.y - vor.y;
        if (bz.baubf.darg[0] == 0 && bz.baubf.darg[1] == 0) bz.baubf.darg[1] = -10.0;
    }
    BaubfSchritt(bz.schritt);
    BefEinreihenCode(0);
}

void BaubfKopieren(const BEF* b)
{
    if (bz.hatwas) bz.baubf = *b;
}

void BaubfObjektSetzen(int obj)
{
    bz.bauoi = obj;
    if (obj >= 0 && bauIstBauteil(bz.baubf.code)) TzInBearbeitung(obj, 1);
}

void BaubfGruppeSetzen(int liste)
{
    if (bz.bauoi < 0) return;
    bz.bauzol = liste;
    bauGruppe([](int id) { TzInBearbeitung(id, 1); });
}

void BaubfStartXY(double x, double y)
{
    bz.startx = bz.baups.x = x;
    bz.starty = bz.baups.y = y;
}

int BaubfGriffSuchen(double x, double y)
{
    if (!bz.hatwas) return -1;
    const int n = BaubfGriffAnzahl(bz.baubf.code);
    for (int k = 0; k < n; ++k) {
        double hx, hy;
        bauGriffWelt(k, &hx, &hy);
        if (std::fabs(hx - x) < 2.0 && std::fabs(hy - y) < 2.0) {
            bz.griffx = hx;
            bz.griffy = hy;
            BewegenNach(hx, hy);
            return k;
        }
    }
    return -1;
}

int BaubfGriffWahl(int n, int* px, int* py)
{
    if (n >= 0) BaubfSchritt(n);
    bz.letzteWahl = n;
    if (px) *px = modh::WeltZuPixelX(bz.griffx);
    if (py) *py = modh::WeltZuPixelY(bz.griffy);
    return 0;
}

int BaubfAchse(int m)
{
    if (m >= 0) bz.achse = m;
    return bz.achse;
}

void BaubfBefehl(const BEF* b)
{
    switch (b->iarg[0]) {
    case 0: BaubfEnde(); break;
    case 1: BaubfFertig(); break;
    case 2: BaubfSchrittWahl(); break;
    case 5: BaubfStarten(b->iarg[1]); break;
    case 6: BaubfSchritt(b->iarg[1]); break;
    default: break;
    }
}

// ---- accessors

int BaubfAktiv() { return bz.baubf.code != 0; }
int BaubfCode() { return bz.baubf.code; }
int BaubfSchrittHolen() { return bz.schritt; }
BEF BaubfHolen() { return bz.baubf; }
STT BaubfZustandHolen() { return bz.baups; }
int BaubfObjekt() { return bz.hatwas ? bz.bauoi : -1; }
void BaubfDialogOffen(int flag) { bz.dialog = flag; }
int BaubfDialogIstOffen() { return bz.dialog; }

void BaubfMeldung()
{
    char name[8];
    BefName(bz.baubf.code, name, sizeof name);
    StatusTextf(TextNr1000(51), name);
}

// ---- overlay

int BaubfGeaendert()
{
    return (std::memcmp(&bz.baubf, &bz.vorBef, sizeof bz.baubf) != 0 ||
            std::memcmp(&bz.baups, &bz.vorStt, sizeof bz.baups) != 0)
               ? 1
               : 0;
}

void BaubfLoeschen()
{
    double box[4];
    if (bz.vorBef.code != 0) {
        BefAusdehnungRoh(&bz.vorBef, &bz.vorStt, box, nullptr);
        ZeiBereichNeuZeichnen(box[0], box[1], box[2], box[3]);
    }
    if (bz.hatwas) {
        BefAusdehnungRoh(&bz.baubf, &bz.baups, box, nullptr);
        ZeiBereichNeuZeichnen(box[0], box[1], box[2], box[3]);
    }
}

void BaubfZeigen()
{
    bz.vorBef = bz.baubf;
    bz.vorStt = bz.baups;
    if (!bz.hatwas) return;
    BaubfZeichnen(&bz.baubf, &bz.baups);
    if (bz.bauoi >= 0 && bz.bauzol != 0) {
        bauGruppeVersetzt([](int, const BEF* b, const STT* s) { BaubfZeichnen(b, s); });
    }
    const int n = BaubfGriffAnzahl(bz.baubf.code);
    for (int k = 0; k < n; ++k) {
        double x, y;
        bauGriffWelt(k, &x, &y);
        PunktMarkeZeichnen(x, y, k == 0 ? 7 : 5);
    }
}

void BaubfDump(const char* label)
{
    std::string t = BefZuText(&bz.baubf);
    wiDebug("%s %s\n", label != nullptr ? label : "", t.c_str());
}

void BaubfHakenSetzen()
{
    ModDienste d{};
    d.BaubfStartXY = BaubfStartXY;
    ModDiensteSetzen(d);
    EdHaken h{};
    h.BauHistEintragen = BauHistMerken;
    EdHakenSetzen(h);
}

void BaubfZuruecksetzen()
{
    bauLeeren();
    bz = BauZustand{};
}

// ---- recently used components

void BauHistMerken(const BEF* b, const STT* s)
{
    if (++bauZaehler > BAUZAEHLERSUP) bauZaehler = 1;
    char name[BAUHISTNAMESUP + 1], datei[BAUHISTNAMESUP + 1];
    strkopie(name, sizeof name, b->text, BAUHISTNAMESUP);
    strkopie(datei, sizeof datei, s->bd, BAUHISTNAMESUP);
    int k = 0;
    for (; k < BAUHISTSUP; ++k) {
        if (bauGleichI(bauHist[k].name, name) && bauGleichI(bauHist[k].datei, datei)) break;
    }
    BauHist e;
    if (k < BAUHISTSUP) {
        e = bauHist[k];
        ++e.anzahl;
    } else {
        k = BAUHISTSUP - 1;
        std::memcpy(e.name, name, sizeof e.name);
        std::memcpy(e.datei, datei, sizeof e.datei);
        e.anzahl = 1;
    }
    std::memmove(&bauHist[1], &bauHist[0], sizeof bauHist[0] * k);
    bauHist[0] = e;
}

int BauHistName(int n, char* aus, const char* datei)
{
    aus[0] = 0;
    int k = 0;
    for (const BauHist& e : bauHist) {
        if (!bauGleichI(e.datei, datei != nullptr ? datei : "")) continue;
        if (k++ == n) {
            if (e.name[0] == 0) return -1;
            strkopie(aus, BAUHISTNAMESUP + 1, e.name, BAUHISTNAMESUP);
            return 0;
        }
    }
    return -1;
}

void BauHistLeeren()
{
    std::memset(bauHist, 0, sizeof bauHist);
    bauZaehler = 0;
}

int BauHistZaehler() { return bauZaehler; }
int BauHistAnzahl(int n) { return n >= 0 && n < BAUHISTSUP ? bauHist[n].anzahl : 0; }
