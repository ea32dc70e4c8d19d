// Picking, marking and snapping; see objwahl.h.
#include "editor/geloesch.h"
#include "editor/linien.h"
#include "editor/objwahl.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "config/reaktion.h"
#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/edtaufrufe.h"
#include "equipment/app.h"
#include "equipment/btl.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/geometri.h"
#include "model/tempzeic.h"
#include "model/zerleg.h"
#include "support/texte.h"

namespace {

enum : int {
    O_ST = 25, O_TG = 30, O_TR = 31, O_TV = 32, O_TS = 34, O_BA = 21, O_ZB = 80, O_VAR = 90, O_QVW = 91,
    O_QVB = 92, O_QTS = 173,
};

struct ObjZustand {
    int cursor = -1;
    int filter = 0;
    int bauteil = 0;
    int pick = 0;
    uint32_t geraet = 0;
    BEF bef{};
    STT stt{};
    // Object-point drag.
    int punktObj = -1;
    STT punktStt{};
    int punktAchse = 0;
    int altBeweg = 0;
    int bewegGeaendert = 0;
    // Variable search.
    int varLetzt[VARARTSUP] = {-1, -1, -1};
    int varLeer[VARARTSUP] = {0, 0, 0};
};
ObjZustand oz;

// Nearest-point snap: the reference point and the best so far (the
// expander's callback is a plain function).
struct Fang {
    double x, y;
    double best;
    double bx, by;
    const STT* s;
} ofang;

bool objIstText(int c) { return BefIstText(c) != 0; }

bool objBeginnt(const char* t, const char* p) { return std::strncmp(t, p, std::strlen(p)) == 0; }

// An object record; a text only when not blank and not an "@Y" reference.
bool objPlatzierbar(const BEF* b)
{
    if (!BefIstObjekt(b->code)) return false;
    if (!objIstText(b->code)) return true;
    return !strleer(b->text) && !objBeginnt(b->text, "@Y");
}

void objNeuZeichnen(int id)
{
    BEF b;
    STT v, n;
    double box[4];
    if (TzObjHolenGanz(id, &b, &v, &n, box) != 0) return;
    ZeiBereichNeuZeichnen(box[0], box[1], box[2], box[3]);
}

// The marking operation: mark state set, the editor's state taken over
// (with the position) when the object becomes marked.
void objMarke(int id, int mark)
{
    TzMarkSetzen(id, mark);
    if (mark == 1) {
        BEF b;
        STT s;
        if (TzObjHolen(id, &b, &s) == 0) ZustandSetzen(&s);
    }
    objNeuZeichnen(id);
}

void objUmschalten(int id) { objMarke(id, TzIstMarkiert(id) ? 0 : 1); }

// A component's pick list and equipment item.
void objBauteilDaten(int id)
{
    oz.pick = TzPickMerken(-1);
    oz.geraet = 0;
    oz.bauteil = 0;
    if (TzObjHolen(id, &oz.bef, &oz.stt) != 0 || !BefIstZB(oz.bef.code)) return;
    oz.bauteil = 1;
    oz.geraet = BtlAnPositionId(oz.bef.text, modh::EditorZeiName(), oz.stt.x, oz.stt.y);
    // The equipment list page follows the picked component's item.
    if (oz.geraet) EdtAufrufTabelle().BmlEditorAuswahl(oz.geraet);
}

void objCursorNeu(int id)
{
    oz.cursor = id;
    oz.geraet = 0;
    oz.bauteil = 0;
    BEF b;
    STT s;
    if (id >= 0 && TzObjHolen(id, &b, &s) == 0 && BefIstZB(b.code)) {
        oz.filter = b.code;
        oz.bauteil = 1;
    }
}

bool objNichtsMarkiert() { return TzMarkAnzahl() == 0; }

// Every object in drawing order.
template <class F> void objAlle(F f)
{
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) f(id);
}

// ---- nearest-point snap

void objFangTesten(double x, double y)
{
    double d = std::fabs(x - ofang.x) + std::fabs(y - ofang.y);
    if (d < ofang.best) {
        ofang.best = d;
        ofang.bx = x;
        ofang.by = y;
    }
}

void objFangPunkt(int, double x, double y)
{
    double X, Y;
    SttPunkt(ofang.s, x, y, &X, &Y);
    objFangTesten(X, Y);
}

int objFangPrimitiv(const BEF* b, const STT* s)
{
    ofang.s = s;
    BefFangpunkte(b, objFangPunkt);
    return 0;
}

bool objFangSuchen(double x, double y)
{
    ofang = Fang{x, y, 10000.0, x, y, nullptr};
    const double r[4] = {x - OBJFANGSUP, y - OBJFANGSUP, x + OBJFANGSUP, y + OBJFANGSUP};
    std::vector<int> ids;
    TzBereichDurchlaufen(r, [&](int id, const STT*, const BEF*) { ids.push_back(id); });
    const bool beweg = BefFlags()->beweg != 0;
    for (int id : ids) {
        if (beweg && TzIstMarkiert(id)) continue;
        BEF b;
        STT s;
        if (TzObjHolen(id, &b, &s) != 0) continue;
        const double px = s.x, py = s.y;
        BefZerlegen(&b, &s, objFangPrimitiv);
        objFangTesten(px, py);
    }
    return ofang.best < OBJFANGGRENZE;
}

// ---- variable search

bool objVarTreffer(int art, const BEF* b)
{
    switch (art) {
    case 0: return b->code == O_VAR || b->code == O_QVW || b->code == O_QVB;
    case 1: return objIstText(b->code) && objBeginnt(b->text, "@L");
    default: {
        if (!objIstText(b->code)) return false;
        static const char* const platz[] = {"@Q", "@BK", "@BA", "@BB", "@BC", "@BD", "@BE", "@BT", "@BU"};
        for (const char* p : platz) {
            if (std::strstr(b->text, p) != nullptr) return true;
        }
        return false;
    }
    }
}

// The found object is taken: a text's settings and position are pushed, a
// reference object moves the position there.
void objVarNehmen(int art, const BEF* b, const STT* s)
{
    if (objIstText(b->code)) {
        BefEinreihenInt(O_ST, s->st);
        BefEinreihenReal(O_TG, s->tg);
        BefEinreihenReal(O_TV, s->tv);
        BefEinreihenInt(O_TR, s->tr);
        BefEinreihenInt(O_TS, s->ts);
        BefEinreihenIntXY(O_BA, 1, s->x, s->y);
        return;
    }
    (void)art;
    if (b->code == O_QVW && BaubfCode() == O_QVB) {
        BEF e = BaubfHolen();
        e.iarg[0] = b->iarg[0];
        BaubfSetzen(&e);
        BefEinreihenIntXY(O_BA, 1, s->x, s->y);
        return;
    }
    BefEinreihenIntXY(O_BA, 1, s->x, s->y);
    BefEinreihenXY(O_QTS, s->x, s->y);
}

void objVarKeiner(int art)
{
    oz.varLetzt[art] = -1;
    if (!oz.varLeer[art]) StatusMeldungNr(77);
    oz.varLeer[art] = 1;
}

bool objVarPruefen(int art, int id)
{
    BEF b;
    STT v, n;
    double box[4];
    if (TzObjHolenGanz(id, &b, &v, &n, box) != 0) return false;
    if (!modh::AnsichtPunktSichtbar(v.x, v.y) && !modh::AnsichtPunktSichtbar(n.x, n.y)) return false;
    if (!objVarTreffer(art, &b)) return false;
    oz.varLetzt[art] = id;
    oz.varLeer[art] = 0;
    objVarNehmen(art, &b, &v);
    return true;
}

void objVarSchritt(int art, bool vor)
{
    if (art < 0 || art >= VARARTSUP) return;
    int id = oz.varLetzt[art];
    for (id = vor ? TzNaechstes(id) : (id < 0 ? TzVorheriges(TZENDE) : TzVorheriges(id)); id >= 0 && id < TZENDE;
         id = vor ? TzNaechstes(id) : TzVorheriges(id)) {
        if (objVarPruefen(art, id)) return;
    }
    objVarKeiner(art);
}

}  // namespace

// ---- picks

int ObjCursor() { return oz.cursor; }
void ObjCursorSetzen(int id) { objCursorNeu(id); }
uint32_t ObjEquipment() { return oz.bauteil ? oz.geraet : 0; }

int ObjSichtbar(int id)
{
    BEF b;
    STT v, n;
    double box[4];
    if (TzObjHolenGanz(id, &b, &v, &n, box) != 0) return 0;
    return LayerSichtbar(v.layer) && modh::AnsichtPunktSichtbar(v.x, v.y) && modh::AnsichtPunktSichtbar(n.x, n.y);
}

void ObjWaehlenArt(int art, double x, double y)
{
    oz.cursor = -1;
    int id = TzSucheNahe(x, y, art);
    if (id < 0 || id >= TZENDE) return;
    objCursorNeu(id);
    objUmschalten(id);
    if (oz.bauteil) objBauteilDaten(id);
}

void ObjKlick(int modus, double x, double y)
{
    if (TzAnzahl() == 0) return;
    oz.cursor = -1;
    int o = TzSucheNahe(x, y, 0);
    if (o < 0 || o >= TZENDE) return;
    objCursorNeu(o);
    const bool eigen = BaubfObjekt() == o;
    auto markieren = [&] {
        if (!TzIstMarkiert(o)) objMarke(o, 1);
    };
    switch (modus) {
    case 1:
        if (BaubfAktiv() && !eigen) BaubfAbbrechen();
        objUmschalten(o);
        break;
    case 2:
        if (!eigen) {
            if (BaubfAktiv()) BaubfAbbrechen();
            markieren();
            ObjBearbeiten(0);
        } else {
            markieren();
        }
        if (!BaubfDialogIstOffen()) ObjDialog();
        break;
    case 3:
        if (!eigen) {
            if (BaubfAktiv()) BaubfAbbrechen();
            if (!TzIstMarkiert(o)) {
                objMarke(o, 1);
                ObjBearbeiten(0);
            } else {
                objMarke(o, 0);
            }
        } else if (BaubfDialogIstOffen()) {
            BaubfAbbrechen();
            markieren();
        } else {
            ObjDialog();
        }
        break;
    default:
        break;
    }
    if (oz.bauteil) objBauteilDaten(o);
}

void ObjBauteilHier()
{
    const STT* s = BefAktZustand();
    oz.cursor = -1;
    int id = TzSucheNahe(s->x, s->y, O_ZB);
    if (id < 0 || id >= TZENDE) return;
    objCursorNeu(id);
    objBauteilDaten(id);
}

void ObjNaechsteNahe(int art, double x, double y)
{
    const int alt = oz.cursor;
    int id = alt >= 0 ? TzSucheNaheOhne(x, y, art, alt) : TzSucheNahe(x, y, art);
    if (id < 0 || id >= TZENDE) return;
    if (alt >= 0 && TzExistiert(alt)) objMarke(alt, 0);
    objCursorNeu(id);
    objMarke(id, 1);
    if (oz.bauteil) objBauteilDaten(id);
}

static void objSchritt(bool vor)
{
    const int alt = oz.cursor;
    int id = vor ? TzNaechstes(alt) : (alt < 0 ? TzVorheriges(TZENDE) : TzVorheriges(alt));
    int gefunden = -1;
    for (; id >= 0 && id < TZENDE; id = vor ? TzNaechstes(id) : TzVorheriges(id)) {
        BEF b;
        STT s;
        if (TzObjHolen(id, &b, &s) != 0) continue;
        if (oz.filter != 0 && !BefGleicheArt(b.code, oz.filter)) continue;
        if (objIstText(b.code) && objBeginnt(b.text, "@Y")) continue;
        if (!ObjSichtbar(id)) continue;
        gefunden = id;
        break;
    }
    if (alt >= 0 && TzExistiert(alt)) objMarke(alt, 0);
    if (gefunden < 0) {
        oz.cursor = -1;
        return;
    }
    const int filter = oz.filter;
    objCursorNeu(gefunden);
    oz.filter = filter;
    objMarke(gefunden, 1);
    objBauteilDaten(gefunden);
}

void ObjNaechstes() { objSchritt(true); }
void ObjVorheriges() { objSchritt(false); }

void ObjImRechteck(double x1, double y1, double x2, double y2)
{
    const double r[4] = {std::fmin(x1, x2), std::fmin(y1, y2), std::fmax(x1, x2), std::fmax(y1, y2)};
    std::vector<int> ids;
    TzBereichDurchlaufen(r, [&](int id, const STT*, const BEF*) { ids.push_back(id); });
    int treffer = 0, letzt = -1;
    for (int id : ids) {
        BEF b;
        STT v, n;
        double box[4];
        if (TzObjHolenGanz(id, &b, &v, &n, box) != 0 || !LayerSichtbar(v.layer)) continue;
        // The object's own points, without the store's margin.
        BefAusdehnungEng(&b, &v, box, nullptr);
        if (box[0] < r[0] || box[1] < r[1] || box[2] > r[2] || box[3] > r[3]) continue;
        TzMarkSetzen(id, TzIstMarkiert(id) ? 0 : 1);
        ++treffer;
        letzt = id;
    }
    if (treffer == 1) {
        objCursorNeu(letzt);
        BEF b;
        STT s;
        if (TzObjHolen(letzt, &b, &s) == 0) {
            oz.filter = b.code;
            // A component marked alone brings its equipment item, as a click does.
            if (BefIstZB(b.code)) objBauteilDaten(letzt);
        }
        objMarke(letzt, 1);
    }
    ZeiBereichNeuZeichnen(r[0], r[1], r[2], r[3]);
}

// ---- marks

void MarkUmkehren()
{
    if (objNichtsMarkiert()) return;
    const bool alle = TzMarkAnzahl() == TzAnzahl();
    objAlle([&](int id) {
        const int m = TzMarkHolen(id);
        if (alle) {
            if (m == 1) TzMarkSetzen(id, 0);
        } else if (m == 1) {
            TzMarkSetzen(id, 2);
        } else if (m == 2) {
            TzMarkSetzen(id, 0);
        }
    });
    ZeiNeuZeichnen();
    StatusHinweis("");
}

void MarkWieder()
{
    objAlle([](int id) {
        const int m = TzMarkHolen(id);
        if (m == 1) TzMarkSetzen(id, 0);
        else if (m == 2) TzMarkSetzen(id, 1);
    });
    ZeiNeuZeichnen();
}

void MarkAlle()
{
    objAlle([](int id) {
        BEF b;
        STT s;
        if (TzMarkHolen(id) == 1 || TzObjHolen(id, &b, &s) != 0 || !LayerSichtbar(s.layer)) return;
        TzMarkSetzen(id, 1);
    });
    ZeiNeuZeichnen();
}

void MarkLetztes()
{
    int id = TzVorheriges(TZENDE);
    if (id < 0 || id >= TZENDE) return;
    objCursorNeu(id);
    objMarke(id, 1);
}

void MarkWechseln()
{
    if (!objNichtsMarkiert()) {
        objAlle([](int id) {
            if (TzMarkHolen(id) == 1) TzMarkSetzen(id, 0);
        });
        ZeiNeuZeichnen();
    } else {
        MarkAlle();
    }
}

int ErstesMarkiertes()
{
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        if (TzIstMarkiert(id)) return id;
    }
    return -1;
}

void MarkLoeschen()
{
    std::vector<int> markiert;
    objAlle([&](int id) {
        if (TzIstMarkiert(id)) markiert.push_back(id);
    });
    if (markiert.empty()) return;
    for (int id : markiert) {
        if (!ObjSichtbar(id)) {
            StatusMeldungNr(85);
            return;
        }
    }
    for (int id : markiert) {
        if (!TzObjAenderbar(id)) {
            AppGesperrtMeldung();
            return;
        }
        BEF b;
        STT s;
        if (TzObjHolen(id, &b, &s) != 0) continue;
        PhantomMerken(&b, &s);
        if (id == oz.cursor) oz.cursor = -1;
        TzLoeschen(id);
    }
}

void MarkVerschieben(double dx, double dy)
{
    const int unter = BaubfObjekt();
    bool folgende = false;
    AnhangZuruecksetzen();
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        if (id == unter) continue;
        if (!folgende && !TzIstMarkiert(id)) continue;
        BEF b;
        STT s;
        if (TzObjHolen(id, &b, &s) != 0) continue;
        if (!TzObjAenderbar(id)) {
            AppGesperrtMeldung();
            return;
        }
        const bool bauteil = BefIstZB(b.code) != 0;
        double box[4];
        BefAusdehnungRoh(&b, &s, box, nullptr);
        // Lines end at the component's edges, not at its reference point:
        // the lower and the upper edge for a move along y, the left and the
        // right one along x.
        const bool nachX = dy == 0;
        const double kante[2][2] = {{nachX ? box[0] : s.x, nachX ? s.y : box[1]},
                                    {nachX ? box[2] : s.x, nachX ? s.y : box[3]}};
        const int kanten = kante[0][0] == kante[1][0] && kante[0][1] == kante[1][1] ? 1 : 2;
        if (bauteil)
            for (int k = 0; k < kanten; ++k)
                AnhangVerschieben(id, 0, kante[k][0], kante[k][1], kante[k][0] + dx, kante[k][1] + dy, box);
        s.x += dx;
        s.y += dy;
        TzErsetzen(id, &b, &s);
        if (bauteil)
            for (int k = 0; k < kanten; ++k)
                AnhangVerschieben(id, 1, kante[k][0], kante[k][1], kante[k][0] + dx, kante[k][1] + dy, box);
        if (!BefFlags()->el1) folgende = true;
    }
}

// ---- re-edit

void ObjBearbeiten(int code)
{
    if (BaubfAktiv()) return;
    const int o = oz.cursor;
    BEF b;
    STT s;
    if (o >= 0 && TzIstMarkiert(o) && TzObjHolen(o, &b, &s) == 0 && (code == 0 || code == b.code) &&
        BaubfKonstruierbar(b.code)) {
        BefAktZustand()->x = s.x;
        BefAktZustand()->y = s.y;
        BaubfStartenBei(b.code, s.x, s.y);
        BaubfSetzen(&b);
        BaubfObjektSetzen(o);
        BaubfSchritt(BefIstZB(b.code) ? 0 : 1);
        objMarke(o, 1);
        oz.pick = TzPickMerken(-1);
        if (TzPickAnzahl(oz.pick) > 0) BaubfGruppeSetzen(oz.pick);
        return;
    }
    if (code != 0 && BaubfKonstruierbar(code)) BaubfStarten(code);
}

void ObjUebernehmen()
{
    const int o = BaubfObjekt();
    if (o < 0) return;
    BEF b = BaubfHolen();
    STT s = BaubfZustandHolen();
    BaubfAbbrechen();
    TzErsetzen(o, &b, &s);
}

void ObjDialog()
{
    const int o = oz.cursor;
    BEF b;
    STT s;
    if (o < 0 || !TzIstMarkiert(o) || TzObjHolen(o, &b, &s) != 0) return;
    static const struct {
        int code, db;
    } tafel[] = {{40, 1200}, {63, 1222}, {64, 1223}, {65, 1224}, {67, 1220}, {68, 1221},
                 {69, 1208}, {92, 1203}, {95, 1207}, {96, 1209}, {175, 1206}};
    for (const auto& t : tafel) {
        if (t.code == b.code) {
            modh::DBDialogOeffnen(t.db);
            return;
        }
    }
    if (BefIstZB(b.code)) {
        ObjBearbeiten(b.code);
        modh::DBDialogOeffnen(1211);
    } else if (objIstText(b.code)) {
        modh::DBDialogOeffnen(1201);
    }
}

int ObjErsetzen(const BEF* b, const STT* s)
{
    if (!BefIstObjekt(b->code)) return 0;
    const int o = oz.cursor;
    BEF alt;
    STT as;
    if (o >= 0 && TzIstMarkiert(o) && TzObjHolen(o, &alt, &as) == 0 && BefGleicheArt(alt.code, b->code)) {
        TzErsetzen(o, b, s);
        TzMarkSetzen(o, 1);
        return 0;
    }
    TzEinfuegen(b, s);
    return 1;
}

// ---- object-point drag

int ObjPunktSuchen(double x, double y)
{
    oz.punktObj = -1;
    int id = TzSucheMarkiert(x, y, 0);
    if (id < 0 || id >= TZENDE) return -1;
    BEF b;
    STT v, n;
    double box[4];
    if (TzObjHolenGanz(id, &b, &v, &n, box) != 0 || !TzIstMarkiert(id) || !objPlatzierbar(&b)) return -1;
    if (!(std::fabs(v.x - x) < 2.0 && std::fabs(v.y - y) < 2.0)) return -1;
    const double ex = std::fabs(n.x - v.x), ey = std::fabs(n.y - v.y);
    oz.punktAchse = (ex < 1.0 && ey >= 1.0) ? 1 : (ey < 1.0 && ex >= 1.0) ? 2 : 0;
    oz.punktObj = id;
    oz.punktStt = v;
    BefAktZustand()->x = v.x;
    BefAktZustand()->y = v.y;
    return id;
}

void ObjPunktZiehen(int obj, int* px, int* py)
{
    if (obj >= 0) {
        BEFFLAGS* f = BefFlags();
        oz.altBeweg = f->beweg;
        oz.bewegGeaendert = f->beweg == 0;
        f->beweg = 1;
        if (px) *px = modh::WeltZuPixelX(oz.punktStt.x);
        if (py) *py = modh::WeltZuPixelY(oz.punktStt.y);
        BefAktZustand()->x = oz.punktStt.x;
        BefAktZustand()->y = oz.punktStt.y;
    } else {
        if (oz.bewegGeaendert) BefFlags()->beweg = oz.altBeweg;
        oz.bewegGeaendert = 0;
        oz.punktObj = -1;
    }
    BefEinreihenCode(0);
}

int ObjPunktAchse() { return oz.punktAchse; }

double ObjPunktX(double x)
{
    const BEFRASTER* r = BefRasterWerte();
    if (std::fabs(x - oz.punktStt.x) >= r->swx) return RasterRunden(r->x0, r->swx, x);
    return oz.punktStt.x;
}

double ObjPunktY(double y)
{
    const BEFRASTER* r = BefRasterWerte();
    if (std::fabs(y - oz.punktStt.y) >= r->swy) return RasterRunden(r->y0, r->swy, y);
    return oz.punktStt.y;
}

// ---- variable search

void VarNaechste(int art) { objVarSchritt(art, true); }
void VarVorherige(int art) { objVarSchritt(art, false); }

void VarSuchen(int art, double x, double y)
{
    if (art < 0 || art >= VARARTSUP) return;
    const double r[4] = {x - OBJFANGSUP, y - OBJFANGSUP, x + OBJFANGSUP, y + OBJFANGSUP};
    std::vector<int> ids;
    TzBereichDurchlaufen(r, [&](int id, const STT*, const BEF*) { ids.push_back(id); });
    for (int id : ids) {
        if (objVarPruefen(art, id)) return;
    }
    objVarKeiner(art);
}

void VarZuruecksetzen()
{
    for (int k = 0; k < VARARTSUP; ++k) {
        oz.varLetzt[k] = -1;
        oz.varLeer[k] = 0;
    }
}

// ---- snap

void PunktFangen(double x, double y)
{
    if (objFangSuchen(x, y)) BefEinreihenIntXY(O_BA, 1, ofang.bx, ofang.by);
}

int PunktFangenZeiger(double* x, double* y)
{
    if (!objFangSuchen(*x, *y)) return 0;
    *x = ofang.bx;
    *y = ofang.by;
    return 1;
}

void ObjHakenSetzen()
{
    EdHaken h{};
    h.CursorObjBefehl = ObjErsetzen;
    h.TextSchritt = [](int) { VarNaechste(0); };
    EdHakenSetzen(h);
}

void ObjZuruecksetzen() { oz = ObjZustand{}; }
