// The element dialogs; see element.h.
#include "editdlg/element.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "config/apstil.h"
#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editor/platzhalter.h"
#include "model/geometri.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "winlib/dlgitem.h"
#include "winlib/wiwerk.h"

namespace {

// ---- Per-dialog tables -----------------------------------------------------------------------------------

struct ElDialog {
    const char* vorlage;
    int code;
    int schritte;
    // Writes the fields whose value moved (all when `voll`).
    void (*fuellen)(const BEF& b, const BEF& alt, bool voll);
    // A field changed: store it in b and write dependent fields; false when
    // the id is not one of the dialog's fields.
    bool (*feld)(int id, WPARAM wp, BEF& b);
    // What apply resets before the next element.
    void (*zuruecksetzen)(BEF& b);
    // Adjustments at opening.
    void (*anfang)(BEF& b);
    BEF gezeigt;
    int schritt;
};

// Moved by 0.1 or more; fixed, whatever precision the drawing sets.
bool elBewegt(double a, double b) { return std::fabs(a - b) >= 0.1; }
double elZahl(int id) { return wiDezHolen(id); }
int elGrad(int id) { return static_cast<int>(elZahl(id) * 10 + 0.5); }
void elGradSetzen(int id, int zehntel) { wiDezSetzen1(id, zehntel / 10.0); }
bool elGetippt(WPARAM wp) { return HIWORD(wp) == EN_CHANGE; }
bool elGeklickt(WPARAM wp) { return HIWORD(wp) == BN_CLICKED; }

// ---- Line DB1200 and line break DB1207 -----------------------------------------------------------------

void elVektorZeigen(const BEF& b)
{
    DlgZahlSetzen(3000, b.darg[0]);
    DlgZahlSetzen(3001, b.darg[1]);
}
void elLaengeZeigen(const BEF& b)
{
    const double l = VektorLaenge(b.darg[0], b.darg[1]);
    DlgZahlSetzen(3010, l);
    elGradSetzen(3011, l > 0.1 ? VektorWinkel(b.darg[0], b.darg[1]) : 0);
}

void elLinieFuellen(const BEF& b, const BEF& alt, bool voll)
{
    if (voll || elBewegt(b.darg[0], alt.darg[0]) || elBewegt(b.darg[1], alt.darg[1])) {
        elVektorZeigen(b);
        elLaengeZeigen(b);
    }
    if (voll || b.sub != alt.sub) wiKnopfSetzen(3020, b.sub != 0);
}
bool elLinieFeld(int id, WPARAM wp, BEF& b)
{
    switch (id) {
    case 3000:
    case 3001:
        if (!elGetippt(wp)) return false;
        b.darg[id - 3000] = elZahl(id);
        elLaengeZeigen(b);
        return true;
    case 3010:
    case 3011:
        if (!elGetippt(wp)) return false;
        ElVektor(elZahl(3010), elZahl(3011), &b.darg[0], &b.darg[1]);
        elVektorZeigen(b);
        return true;
    case 3020:
        if (!elGeklickt(wp)) return false;
        b.sub = static_cast<uint8_t>(wiKnopf(3020) ? 1 : 0);
        return true;
    default: return false;
    }
}
void elLinieReset(BEF& b)
{
    b.darg[0] = b.darg[1] = 0;
    b.sub = 0;
}

void elUnterbrechungFuellen(const BEF& b, const BEF& alt, bool voll)
{
    if (voll || elBewegt(b.darg[0], alt.darg[0]) || elBewegt(b.darg[1], alt.darg[1])) elVektorZeigen(b);
}
bool elUnterbrechungFeld(int id, WPARAM wp, BEF& b)
{
    if ((id != 3000 && id != 3001) || !elGetippt(wp)) return false;
    b.darg[id - 3000] = elZahl(id);
    return true;
}
void elUnterbrechungReset(BEF& b) { b.darg[0] = b.darg[1] = 0; }

// ---- Radii with the ellipse box (circle, partial circle, arc) --------------------------------------------

void elRadienFuellen(const BEF& b, const BEF& alt, bool voll)
{
    if (voll || elBewegt(b.darg[0], alt.darg[0])) DlgZahlSetzen(3000, b.darg[0]);
    if (voll || elBewegt(b.darg[1], alt.darg[1])) DlgZahlSetzen(3001, b.darg[1]);
    const bool ellipse = elBewegt(b.darg[0], b.darg[1]);
    const bool war = elBewegt(alt.darg[0], alt.darg[1]);
    if (voll || ellipse != war) wiKnopfSetzen(3020, b.darg[0] != b.darg[1]);
    if (voll || b.sub != alt.sub) wiZahlSetzen(3100, b.sub);
}
// Radius fields, the ellipse box and the pen; true when taken.
bool elRadienFeld(int id, WPARAM wp, BEF& b)
{
    switch (id) {
    case 3000:
    case 3001:
        if (!elGetippt(wp)) return false;
        b.darg[id - 3000] = elZahl(id);
        if (!wiKnopf(3020)) {  // a circle: both radii alike
            b.darg[3001 - id] = b.darg[id - 3000];
            DlgZahlSetzen(3000 + 3001 - id, b.darg[id - 3000]);
        }
        return true;
    case 3020:
        if (!elGeklickt(wp)) return false;
        if (!wiKnopf(3020)) {
            b.darg[1] = b.darg[0];
            DlgZahlSetzen(3001, b.darg[1]);
        }
        return true;
    case 3100:
        if (!elGetippt(wp)) return false;
        b.sub = static_cast<uint8_t>(std::clamp(wiZahlHolen(3100), 0, 255));
        return true;
    default: return false;
    }
}

void elKreisFuellen(const BEF& b, const BEF& alt, bool voll)
{
    elRadienFuellen(b, alt, voll);
    if (voll || b.iarg[1] != alt.iarg[1]) elGradSetzen(3002, b.iarg[1]);
    if (voll || b.iarg[0] != alt.iarg[0]) wiKnopfSetzen(3010, b.iarg[0] != 0);
}
bool elKreisFeld(int id, WPARAM wp, BEF& b)
{
    if (id == 3010 && elGeklickt(wp)) {
        b.iarg[0] = wiKnopf(3010) ? 1 : 0;
        if (b.iarg[0]) {
            // Filled and elliptic exclude each other: the ellipse box goes,
            // and with it the unequal radii.
            wiKnopfSetzen(3020, 0);
            b.darg[1] = b.darg[0];
            DlgZahlSetzen(3001, b.darg[1]);
        }
        return true;
    }
    if (id == 3020 && elGeklickt(wp) && wiKnopf(3020)) {
        wiKnopfSetzen(3010, 0);
        b.iarg[0] = 0;
        return true;
    }
    if (id == 3002 && elGetippt(wp)) {
        b.iarg[1] = wiWinkelHolen(3002);
        return true;
    }
    return elRadienFeld(id, wp, b);
}
void elKreisReset(BEF& b)
{
    b.iarg[0] = 0;
    b.darg[0] = b.darg[1] = 0;
    b.sub = 0;
}

void elBogenFuellen(const BEF& b, const BEF& alt, bool voll)
{
    elRadienFuellen(b, alt, voll);
    if (voll || b.iarg[0] != alt.iarg[0]) elGradSetzen(3010, b.iarg[0]);
    if (voll || b.iarg[1] != alt.iarg[1]) elGradSetzen(3011, b.iarg[1]);
}
bool elBogenFeld(int id, WPARAM wp, BEF& b)
{
    if (id == 3010 && elGetippt(wp)) {
        const int neu = elGrad(3010);
        b.iarg[1] = ElBogenAnfang(b.iarg[0], neu, b.iarg[1]);
        b.iarg[0] = neu;
        elGradSetzen(3011, b.iarg[1]);
        return true;
    }
    if (id == 3011 && elGetippt(wp)) {
        b.iarg[1] = elGrad(3011);
        return true;
    }
    return elRadienFeld(id, wp, b);
}
void elBogenAnfang(BEF& b)
{
    if (b.darg[0] < 0.1 && b.darg[1] < 0.1) b.iarg[1] = 900;
}
void elTeilkreisReset(BEF& b)
{
    b.iarg[0] = b.iarg[1] = 0;
    b.darg[0] = b.darg[1] = 0;
    b.sub = 0;
}

void elArcFuellen(const BEF& b, const BEF& alt, bool voll)
{
    elBogenFuellen(b, alt, voll);
    if (voll || b.iarg[2] != alt.iarg[2]) wiKnopfSetzen(3030, b.iarg[2] != 0);
}
bool elArcFeld(int id, WPARAM wp, BEF& b)
{
    if (id == 3030 && elGeklickt(wp)) {
        ElBogenSeite(&b.iarg[0], &b.iarg[1]);
        b.iarg[2] = wiKnopf(3030) ? 1 : 0;
        elGradSetzen(3010, b.iarg[0]);
        elGradSetzen(3011, b.iarg[1]);
        return true;
    }
    return elBogenFeld(id, wp, b);
}
void elArcReset(BEF& b)
{
    elTeilkreisReset(b);
    b.iarg[2] = 0;
}

// ---- Rectangle DB1221 and triangle DB1222 ----------------------------------------------------------------

void elRechteckFuellen(const BEF& b, const BEF& alt, bool voll)
{
    if (voll || elBewegt(b.darg[0], alt.darg[0])) DlgZahlSetzen(3000, b.darg[0]);
    if (voll || elBewegt(b.darg[1], alt.darg[1])) DlgZahlSetzen(3001, b.darg[1]);
    if (voll || b.iarg[1] != alt.iarg[1]) elGradSetzen(3002, b.iarg[1]);
    if (voll || b.sub != alt.sub) wiZahlSetzen(3100, b.sub);
    if (voll || b.iarg[0] != alt.iarg[0]) wiKnopfSetzen(3010, b.iarg[0] != 0);
}
bool elRechteckFeld(int id, WPARAM wp, BEF& b)
{
    switch (id) {
    case 3000:
    case 3001:
        if (!elGetippt(wp)) return false;
        b.darg[id - 3000] = elZahl(id);
        return true;
    case 3002:
        if (!elGetippt(wp)) return false;
        b.iarg[1] = wiWinkelHolen(3002);
        return true;
    case 3010:
        if (!elGeklickt(wp)) return false;
        b.iarg[0] = wiKnopf(3010) ? 1 : 0;
        return true;
    case 3100:
        if (!elGetippt(wp)) return false;
        b.sub = static_cast<uint8_t>(std::clamp(wiZahlHolen(3100), 0, 255));
        return true;
    default: return false;
    }
}
void elRechteckReset(BEF& b)
{
    b.iarg[0] = 0;
    b.darg[0] = b.darg[1] = 0;
    b.sub = 0;
}

void elDreieckFuellen(const BEF& b, const BEF& alt, bool voll)
{
    elRechteckFuellen(b, alt, voll);
    if (voll || b.iarg[2] != alt.iarg[2]) wiKnopfSetzen(3020, b.iarg[2] == 0);
}
bool elDreieckFeld(int id, WPARAM wp, BEF& b)
{
    if (id == 3000 && elGetippt(wp)) {
        b.darg[0] = elZahl(3000);
        if (b.iarg[2] == 1) {
            b.darg[1] = b.darg[0] * ELDREIECK;
            DlgZahlSetzen(3001, b.darg[1]);
        }
        return true;
    }
    if (id == 3001 && elGetippt(wp)) {
        b.darg[1] = elZahl(3001);
        if (b.iarg[2] == 1) {
            b.darg[0] = b.darg[1] / ELDREIECK;
            DlgZahlSetzen(3000, b.darg[0]);
        }
        return true;
    }
    if (id == 3002 && elGetippt(wp)) {
        b.iarg[1] = elGrad(3002);
        return true;
    }
    if (id == 3020 && elGeklickt(wp)) {
        b.iarg[2] = wiKnopf(3020) ? 0 : 1;
        if (b.iarg[2] == 1) {
            b.darg[1] = ELDREIECK * b.darg[0];
            DlgZahlSetzen(3001, b.darg[1]);
        }
        return true;
    }
    return elRechteckFeld(id, wp, b);
}
void elDreieckAnfang(BEF& b)
{
    if (b.darg[0] < 0.1 && b.darg[1] < 0.1) b.iarg[2] = 1;
}
void elDreieckReset(BEF& b)
{
    b.iarg[0] = b.iarg[1] = b.iarg[2] = 0;
    b.darg[0] = b.darg[1] = 0;
    b.sub = 0;
}

void elNichts(BEF&) {}

enum ElNr { EL1200, EL1207, EL1220, EL1221, EL1222, EL1223, EL1224, ELANZAHL };

ElDialog elDialoge[ELANZAHL] = {
    {"DB1200", 40, 2, elLinieFuellen, elLinieFeld, elLinieReset, elNichts, {}, -1},
    {"DB1207", 95, 2, elUnterbrechungFuellen, elUnterbrechungFeld, elUnterbrechungReset, elNichts, {}, -1},
    {"DB1220", 67, 3, elKreisFuellen, elKreisFeld, elKreisReset, elNichts, {}, -1},
    {"DB1221", 68, 3, elRechteckFuellen, elRechteckFeld, elRechteckReset, elNichts, {}, -1},
    {"DB1222", 63, 2, elDreieckFuellen, elDreieckFeld, elDreieckReset, elDreieckAnfang, {}, -1},
    {"DB1223", 64, 2, elBogenFuellen, elBogenFeld, elTeilkreisReset, elBogenAnfang, {}, -1},
    {"DB1224", 65, 2, elArcFuellen, elArcFeld, elArcReset, elBogenAnfang, {}, -1},
};

// ---- The core ----------------------------------------------------------------------------------------------

void elFuellen(ElDialog& d, bool voll)
{
    const int schritt = BaubfSchrittHolen();
    BEF b;
    BaubfHolen(&b);
    DbFuellen f;
    if (voll || schritt != d.schritt) wiRadioSetzen(2700, schritt, d.schritte);
    d.fuellen(b, d.gezeigt, voll);
    d.gezeigt = b;
    d.schritt = schritt;
}

template <int N> int elInit(int, const char* const*)
{
    ElDialog& d = elDialoge[N];
    DbDlgAnfang(DBGRDELEMENT);
    ObjBearbeiten(d.code);
    BEF b;
    BaubfHolen(&b);
    d.anfang(b);
    if (N == EL1220 || N == EL1223 || N == EL1224) wiKnopfSetzen(3020, 0);
    BaubfSetzen(&b);
    elFuellen(d, true);
    wiKnopfSetzen(2504, 1);
    wiItemFont(2504, OFSchrift(2));
    BaubfDialogOffen(1);
    return 0;
}

template <int N> int elExit()
{
    DbDlgEnde(DBGRDELEMENT);
    BaubfDialogOffen(0);
    BaubfAbbrechen();  // what was not applied is discarded
    return 0;
}

void elAnwenden(ElDialog& d)
{
    BaubfAbsetzen();
    if (wiKnopf(2504)) {
        wiDlgSchliessen();
        return;
    }
    BEF b;
    BaubfHolen(&b);
    BaubfAbbrechen();
    BaubfStarten(d.code);
    BaubfHolen(&b);
    d.zuruecksetzen(b);
    BaubfSetzen(&b);
    elFuellen(d, true);
    EdtFokus();
}

template <int N> int elBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    ElDialog& d = elDialoge[N];
    const int id = LOWORD(wp);
    switch (id) {
    case 1:
        if (!DbEnter()) elAnwenden(d);
        return 1;
    case 2500: elAnwenden(d); return 1;
    case 2: EdtFokus(); return 1;
    case 2501: wiDlgSchliessen(); return 1;
    case 2999:
        if (BaubfAktiv() && BaubfCode() == d.code)
            elFuellen(d, false);
        else
            wiDlgSchliessen();  // finished or another kind started
        return 1;
    default: break;
    }
    if (DbFuellt()) return 1;
    if (id >= 2700 && id < 2700 + d.schritte) {
        if (elGeklickt(wp)) BaubfSchritt(id - 2700);
        return 1;
    }
    BEF b;
    BaubfHolen(&b);
    bool genommen;
    {
        DbFuellen f;  // dependent fields written by the handler
        genommen = d.feld(id, wp, b);
    }
    if (!genommen) return 0;
    d.gezeigt = b;
    BaubfSetzen(&b);
    return 1;
}

template <int N> void elOeffnen()
{
    if (DbAndererBefehl(elDialoge[N].code)) return;
    EdtDialogOeffnen(elDialoge[N].vorlage, elInit<N>, elExit<N>, elBefehl<N>);
}

}  // namespace

void ElVektor(double laenge, double grad, double* x, double* y)
{
    const int a = static_cast<int>(grad * 10 + 0.5);
    *x = CosZehntel(a) * laenge;
    *y = SinZehntel(a) * laenge;
}

void ElBogenSeite(int* anfang, int* ende)
{
    const int m = (*anfang + *ende) / 2 + 1800;
    const int h = (*ende - *anfang) / 2;
    int s = m + h, e = m - h;
    if (s > 3599) {
        s -= 3600;
        e -= 3600;
    }
    if (e < 0) {
        s += 3600;
        e += 3600;
    }
    *anfang = s;
    *ende = e;
}

int ElBogenAnfang(int altAnfang, int neuAnfang, int ende) { return ende + (neuAnfang - altAnfang); }

void DB1200Oeffnen() { elOeffnen<EL1200>(); }
void DB1207Oeffnen() { elOeffnen<EL1207>(); }
void DB1220Oeffnen() { elOeffnen<EL1220>(); }
void DB1221Oeffnen() { elOeffnen<EL1221>(); }
void DB1222Oeffnen() { elOeffnen<EL1222>(); }
void DB1223Oeffnen() { elOeffnen<EL1223>(); }
void DB1224Oeffnen() { elOeffnen<EL1224>(); }
