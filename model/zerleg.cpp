// Record expansion; see zerleg.h. Owns the record hook, the component hook,
// the missing-component text and the target of BefListeSammeln.
#include "model/zerleg.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "model/bauteil.h"
#include "model/dienste.h"
#include "model/masslin.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "model/zerlegint.h"
#include "support/texte.h"

using namespace modh;  // the model's calls through its service tables

namespace {

BefHakenFn zerBefHaken = nullptr;
BauteilHakenFn zerBauHaken = nullptr;
char zerFehlt[ZERFEHLSUP + 1];
BEFLST* zerListe = nullptr;
int zerListeAlle = 0;

void zerFehltMerken(const char* bd, const char* name)
{
    if (zerFehlt[0] != '\0') return;
    if (bd[0] == '\0' || bd[0] == ' ')
        std::snprintf(zerFehlt, sizeof zerFehlt, "%.*s", ZERFEHLSUP, name);
    else if (std::snprintf(zerFehlt, sizeof zerFehlt, "%s - %s", bd, name) < 0)  // cut at ZERFEHLSUP
        zerFehlt[0] = '\0';
}

// A `_RIC` record to the callback and the state.
void zerRichtung(STT* s, BefZerlegenFn fn, int winkel)
{
    BEF r{};
    r.code = 12;
    r.iarg[0] = winkel;
    if (fn) fn(&r, s);
    SttAnwenden(&r, s);
}

// The equipment settings of the two display modes.
struct ZerModus {
    int zk, bp;
    double yoff;
};

}  // namespace

void zerBauteilHaken(int phase, const char* name)
{
    if (zerBauHaken) zerBauHaken(phase, name);
}

void BefHakenSetzen(BefHakenFn fn) { zerBefHaken = fn; }
void BauteilHakenSetzen(BauteilHakenFn fn) { zerBauHaken = fn; }

void FehlBauteilHolen(char* puffer, size_t kap)
{
    strkopie(puffer, kap, zerFehlt, ZERFEHLSUP);
    zerFehlt[0] = '\0';
}

void BefZerlegen(const BEF* b, STT* s, BefZerlegenFn fn)
{
    s->tiefe = 0;
    BefZerlegenRek(b, s, fn);
}

void BefZerlegenRek(const BEF* b, STT* s, BefZerlegenFn fn)
{
    if (zerBefHaken) zerBefHaken(1, b, s);
    if (BefIstText(b->code) && IstYRef(b->text) && strnlen(b->text, 7) >= 7 &&
        (b->text[6] == 'K' || b->text[6] == 'B')) {
        BEF kopie = *b;
        if (BmRefZerlegen(b, s, fn, kopie.text, BEFTEXTSUP + 1) == 0 && fn) fn(&kopie, s);
    } else {
        if (fn) fn(b, s);
        switch (b->code) {
        case 80:
        case 83: BauteilZerlegen(b, s, fn, 0); break;
        case 81: BauteilZerlegen(b, s, fn, b->iarg[0]); break;
        case 84: BauteilZerlegen(b, s, fn, 900); break;
        case 85: BauteilZerlegen(b, s, fn, 1800); break;
        case 86: BauteilZerlegen(b, s, fn, 2700); break;
        case 87: BauteilRahmenReihe(b, s, fn, 1, 0); break;
        case 88: BauteilRahmenReihe(b, s, fn, 0, 1); break;
        case 96: MassZerlegen(b, s, fn); break;
        default: break;
        }
    }
    SttAnwenden(b, s);
    if (zerBefHaken) zerBefHaken(0, b, s);
}

void BauteilZerlegen(const BEF* b, STT* s, BefZerlegenFn fn, int winkel)
{
    char name[BEFTEXTSUP + 1];
    strkopie(name, b->text, BEFTEXTSUP);
    zerBauteilHaken(1, name);
    ++s->tiefe;
    if (winkel != 0) zerRichtung(s, fn, winkel);
    char bd[STTBDSUP + 1];
    strkopie(bd, s->bd, STTBDSUP);
    if (s->tiefe > ZERTIEFESUP) {
        // A component that contains itself: stop and name it like a
        // missing one.
        zerFehltMerken(bd, name);
    } else if (const BauBefListe teile = BauBefehle(bd, name)) {
        // Decoded once per library load: a walk expands the same
        // components many times. The list is held here, so a nested
        // component of another library may unload this one.
        for (const BEF& teil : *teile) BefZerlegenRek(&teil, s, fn);
    } else {
        zerFehltMerken(bd, name);
    }
    if (winkel != 0) zerRichtung(s, fn, -winkel);
    --s->tiefe;
    zerBauteilHaken(0, name);
}

void BauteilRahmenReihe(const BEF* b, STT* s, BefZerlegenFn fn, int inx, int iny)
{
    char name[BEFTEXTSUP + 1];
    strkopie(name, b->text, BEFTEXTSUP);
    zerBauteilHaken(1, name);
    ++s->tiefe;
    BauHandle h;
    if (s->tiefe <= ZERTIEFESUP && BauOpen(&h, s->bd, name) == 0) {
        BEF erst;
        if (BauRead(&h, &erst) == 0 && erst.code == BEF_RTK) {
            if (inx) erst.darg[0] *= b->iarg[0];
            if (iny) erst.darg[1] *= b->iarg[0];
            if (fn) fn(&erst, s);
        }
        BauClose(&h);
    }
    --s->tiefe;
    zerBauteilHaken(0, name);
}

int BmRefZerlegen(const BEF* b, STT* s, BefZerlegenFn fn, char* text, size_t kap)
{
    YREF r;
    YRefZerlegen(b->text, &r);
    char kennung[BEFTEXTSUP + 1];
    int ergebnis = BMKennungPosition(kennung, sizeof kennung, r.id);
    strkopie(text, kap, kennung, static_cast<int>(kap) - 1);
    ModGeraet g{};
    if (GesHolen(r.id, &g) != 0) return 0;
    const ModBmEinst* e = BmEinst();
    int art = g.art >= 0 && g.art <= 5 ? g.art : 0;
    ZerModus m = e->fkuse[art] == 0 ? ZerModus{e->zkzei, e->bpzei, e->bpyoff} : ZerModus{0, e->fbpzei, e->fbpyoff};
    bool feldK = r.feld[0] == 'K';
    for (int* w : {&m.zk, &m.bp}) {
        if (*w == 3 || *w == 4) *w = feldK ? 0 : *w - 2;
    }
    switch (ergebnis) {
    case 1: m.zk = m.bp = 1; break;
    case 2: m.zk = m.bp = 2; break;
    case 3: m.zk = 1; break;
    case 4: m.zk = 2; break;
    case 5: m.bp = 1; break;
    case 6: m.bp = 2; break;
    case 8:
    case 9: m.zk = m.bp = 0; break;
    default: break;
    }
    char teil1[BEFTEXTSUP + 1], teil2[BEFTEXTSUP + 1];
    if (std::strchr(kennung, 0x02)) {
        MarkenTeil(teil1, sizeof teil1, kennung, 1);
        MarkenTeil(teil2, sizeof teil2, kennung, 2);
        if (e->zknvrw == 2) {
            char platz[BEFTEXTSUP + 1] = "@ZK1@ZK2";
            TextVarErsetzen(platz, sizeof platz, s->x, s->y);
            if (platz[0] && std::strcmp(platz, teil2) == 0) {
                m.zk = 2;
                strkopie(teil2, "\x02\x03", 2);
                strkopie(text, kap, teil1, static_cast<int>(kap) - 1);
            }
        }
    } else {
        strkopie(teil1, kennung, BEFTEXTSUP);
        teil2[0] = '\0';
    }
    if (ergebnis == 8 || ergebnis == 9 || (m.zk == 0 && m.bp == 0)) return 0;
    ModBauteil h{};
    const ModBmEinst* einst = e;
    bool nah = BtlSuchen(r.id, "H", 0, &h) && h.platziert && ZeiNameGleich(h.ze, ZeiAktExt());
    if (nah) {
        double dx = s->x - h.x;
        nah = dx >= -0.5 * einst->spabst && dx <= 0.7 * einst->spabst;
    }
    if (m.bp == 2 || (m.bp == 1 && !nah)) {
        BEF k = *b;
        if (strnlen(k.text, 6) >= 6) strkopie(k.text + 6, sizeof k.text - 6, "PH", 2);
        STT t = *s;
        t.y += m.yoff;
        t.tg = e->bptg;
        if (fn) fn(&k, &t);
    }
    int aus = 0;
    if ((m.zk == 2 || (m.zk == 1 && !nah)) && teil2[0]) {
        aus = 1;
        BEF k = *b;
        BefTextSetzen(&k, teil1);
        STT t = *s;
        if (fn) fn(&k, &t);
        if (std::strcmp(teil2, "\x02\x03") != 0) {
            BefTextSetzen(&k, teil2);
            t.y += e->zkyoff;
            t.tg = e->zktg;
            if (fn) fn(&k, &t);
        }
    }
    return aus;
}

void BefListeZiel(BEFLST* liste, int alle)
{
    zerListe = liste;
    zerListeAlle = alle;
}

int BefListeSammeln(const BEF* b, const STT* s)
{
    if (!zerListe || zerListe->anzahl >= BEFLSTSUP) return 0;
    if (!zerListeAlle && !BefIstZB(b->code)) return 0;
    zerListe->bef[zerListe->anzahl] = *b;
    zerListe->stt[zerListe->anzahl] = *s;
    ++zerListe->anzahl;
    return 0;
}
