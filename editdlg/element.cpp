// The element dialogs; see element.h.
#include "editdlg/element.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editor/edmeld.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "editor/platzhalter.h"
#include "model/bauteil.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/geometri.h"
#include "platform/nachricht.h"
#include "output/bilder.h"
#include "platform/winconst.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dateiwahl.h"
#include "winlib/dlgitem.h"
#include "winlib/wiwerk.h"

namespace {

// ---- Per-dialog tables -----------------------------------------------------------------------------------

struct ElDialog {
    const char* vorlage;
    int code;
    int schritte;
    // Writes the fields whose value moved (all when `voll`); may complete
    // the element (the picture's natural size).
    void (*fuellen)(BEF& b, const BEF& alt, bool voll);
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
// The pen field 3100 (0..255) of the circle and rectangle dialogs; true when taken.
bool elStiftFeld(WPARAM wp, BEF& b)
{
    if (!elGetippt(wp)) return false;
    b.sub = static_cast<uint8_t>(std::clamp(wiZahlHolen(3100), 0, 255));
    return true;
}

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

void elLinieFuellen(BEF& b, const BEF& alt, bool voll)
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

void elUnterbrechungFuellen(BEF& b, const BEF& alt, bool voll)
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

void elRadienFuellen(BEF& b, const BEF& alt, bool voll)
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
    case 3100: return elStiftFeld(wp, b);
    default: return false;
    }
}

void elKreisFuellen(BEF& b, const BEF& alt, bool voll)
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
// Circle and rectangle: the fill flag, both measures and the pen.
void elFlaecheReset(BEF& b)
{
    b.iarg[0] = 0;
    b.darg[0] = b.darg[1] = 0;
    b.sub = 0;
}

void elBogenFuellen(BEF& b, const BEF& alt, bool voll)
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
    elFlaecheReset(b);
    b.iarg[1] = 0;
}

void elArcFuellen(BEF& b, const BEF& alt, bool voll)
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

void elRechteckFuellen(BEF& b, const BEF& alt, bool voll)
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
    case 3100: return elStiftFeld(wp, b);
    default: return false;
    }
}

void elDreieckFuellen(BEF& b, const BEF& alt, bool voll)
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
    elFlaecheReset(b);
    b.iarg[1] = b.iarg[2] = 0;
}

// ---- Picture DB1208 --------------------------------------------------------------------------------------

struct ElNatur {
    double breite, hoehe;  // drawing units; 0 when not determined
    int ordner;            // the file they were probed for
    char name[BEFTEXTSUP + 1];
};
ElNatur elNatur{0, 0, -1, ""};

void elBildFeldNamen(const BEF& b)
{
    wiTextSetzen(3020, b.text);
    wiKnopfSetzen(3010, b.iarg[0] != 0);
}

void elBildFuellen(BEF& b, const BEF& alt, bool voll)
{
    // Probed for the file itself, not against the shown copy, which the
    // name handler has already brought up to date.
    const bool probe = voll || b.iarg[0] != elNatur.ordner || std::strcmp(b.text, elNatur.name) != 0;
    if (probe) {
        char pfad[VERSUP + BEFTEXTSUP + 2];
        ElBildOrdner(b.iarg[0], b.text, pfad, sizeof pfad);
        if (ElBildNatur(pfad, &elNatur.breite, &elNatur.hoehe) != 0) elNatur.breite = elNatur.hoehe = 0;
        elNatur.ordner = b.iarg[0];
        strkopie(elNatur.name, sizeof elNatur.name, b.text, BEFTEXTSUP);
        // Natural heights are negative: only a size near 0 either way is
        // "no size yet"; a size the user gave stays.
        if (std::fabs(b.darg[0]) < 0.1 || std::fabs(b.darg[1]) < 0.1) {
            b.darg[0] = elNatur.breite;
            b.darg[1] = elNatur.hoehe;
        }
    }
    if (voll || elBewegt(b.darg[0], alt.darg[0]) || probe) DlgZahlSetzen(3000, b.darg[0]);
    if (voll || elBewegt(b.darg[1], alt.darg[1]) || probe) DlgZahlSetzen(3001, b.darg[1]);
    if (voll) elBildFeldNamen(b);
    if (elNatur.breite == 0)
        wiKnopfSetzen(3030, 0);
    else
        wiKnopfSetzen(3030, elBewegt(b.darg[1], b.darg[0] * elNatur.hoehe / elNatur.breite));
    wiKnopfSetzen(2504, 1);  // every fill
}

bool elBildFeld(int id, WPARAM wp, BEF& b)
{
    switch (id) {
    case 3000:
        if (!elGetippt(wp)) return false;
        b.darg[0] = elZahl(3000);
        if (!wiKnopf(3030) && elNatur.breite != 0) {
            b.darg[1] = b.darg[0] * elNatur.hoehe / elNatur.breite;
            DlgZahlSetzen(3001, b.darg[1]);
        }
        return true;
    case 3001:
        if (!elGetippt(wp)) return false;
        b.darg[1] = elZahl(3001);
        if (!wiKnopf(3030) && elNatur.hoehe != 0) {
            b.darg[0] = b.darg[1] * elNatur.breite / elNatur.hoehe;
            DlgZahlSetzen(3000, b.darg[0]);
        }
        return true;
    case 3030:
        if (!elGeklickt(wp)) return false;
        if (!wiKnopf(3030) && elNatur.breite != 0) {
            b.darg[1] = elZahl(3000) * elNatur.hoehe / elNatur.breite;
            DlgZahlSetzen(3001, b.darg[1]);
        }
        return true;
    case 3020:
    case 3010: {
        if (id == 3020 && !elGetippt(wp)) return false;
        if (id == 3010 && !elGeklickt(wp)) return false;
        char name[81] = "";
        wiTextHolen(3020, name, 80);
        strtrim(name);
        BefTextSetzen(&b, name);
        b.iarg[0] = wiKnopf(3010) ? 1 : 0;
        BefEinreihenCode(0);  // the refresh after it probes the new file
        return true;
    }
    case 2502: {
        char pfad[VERSUP + BEFTEXTSUP + 2];
        ElBildOrdner(b.iarg[0], b.text[0] ? b.text : "Grafik.jpg", pfad, sizeof pfad);
        if (wiDateiWahl(pfad, TextNr1000(240), TextNr1000(242)) <= 0) return true;
        if (ElBildNehmen(pfad, &b) != 0) {
            MeldungNr(249, 1);
            return true;
        }
        elBildFeldNamen(b);
        BefEinreihenCode(0);
        return true;
    }
    default: return false;
    }
}
void elBildReset(BEF& b)
{
    b.darg[0] = b.darg[1] = 0;
    b.text[0] = '\0';
}

void elNichts(BEF&) {}

enum ElNr { EL1200, EL1207, EL1208, EL1220, EL1221, EL1222, EL1223, EL1224, ELANZAHL };

ElDialog elDialoge[ELANZAHL] = {
    {"DB1200", 40, 2, elLinieFuellen, elLinieFeld, elLinieReset, elNichts, {}, -1},
    {"DB1207", 95, 2, elUnterbrechungFuellen, elUnterbrechungFeld, elUnterbrechungReset, elNichts, {}, -1},
    {"DB1208", 69, 2, elBildFuellen, elBildFeld, elBildReset, elNichts, {}, -1},
    {"DB1220", 67, 3, elKreisFuellen, elKreisFeld, elFlaecheReset, elNichts, {}, -1},
    {"DB1221", 68, 3, elRechteckFuellen, elRechteckFeld, elFlaecheReset, elNichts, {}, -1},
    {"DB1222", 63, 2, elDreieckFuellen, elDreieckFeld, elDreieckReset, elDreieckAnfang, {}, -1},
    {"DB1223", 64, 2, elBogenFuellen, elBogenFeld, elTeilkreisReset, elBogenAnfang, {}, -1},
    {"DB1224", 65, 2, elArcFuellen, elArcFeld, elArcReset, elBogenAnfang, {}, -1},
};

// ---- The core ----------------------------------------------------------------------------------------------

void elFuellen(ElDialog& d, bool voll)
{
    const int schritt = BaubfSchrittHolen();
    BEF b;
    b = BaubfHolen();
    const BEF vorher = b;
    DbFuellen f;
    if (voll || schritt != d.schritt) wiRadioSetzen(2700, schritt, d.schritte);
    d.fuellen(b, d.gezeigt, voll);
    if (std::memcmp(&b, &vorher, sizeof b) != 0) BaubfSetzen(&b);
    d.gezeigt = b;
    d.schritt = schritt;
}

template <int N> int elInit(int, const char* const*)
{
    ElDialog& d = elDialoge[N];
    DbDlgAnfang(DBGRDELEMENT);
    ObjBearbeiten(d.code);
    BEF b;
    b = BaubfHolen();
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
    b = BaubfHolen();
    BaubfAbbrechen();
    BaubfStarten(d.code);
    b = BaubfHolen();
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
    b = BaubfHolen();
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

void ElBildOrdner(int bauteile, const char* name, char* pfad, size_t groesse)
{
    if (bauteile) {
        char bib[BAUPFADSUP + 1] = "";
        BauVerzDatei(modh::EditorZustand()->bd, name, nullptr, bib, sizeof bib);
        strkopie(pfad, groesse, bib, static_cast<int>(groesse) - 1);
    } else {
        PfadProjekt(pfad, groesse, name);
    }
}

int ElBildNatur(const char* pfad, double* breite, double* hoehe)
{
    *breite = *hoehe = 0;
    if (dateilaenge(pfad) < 0) return -1;
    const char* punkt = std::strrchr(pfad, '.');
    const char* endung = punkt != nullptr ? punkt + 1 : "";
    if (strvgl(endung, "wmf") == 0 || strvgl(endung, "emf") == 0) {
        double w = 0, h = 0;
        const int r = strvgl(endung, "wmf") == 0 ? WmfGroesse(pfad, &w, &h) : EmfGroesse(pfad, &w, &h);
        if (r != 0) return -1;
        *breite = w;
        *hoehe = -h;
        return 0;
    }
    const int art = strvgl(endung, "png") == 0 ? BILD_PNG : strvgl(endung, "bmp") == 0 ? BILD_BMP
                  : strvgl(endung, "jpg") == 0 ? BILD_JPG : -1;
    int w = 0, h = 0;
    if (art < 0 || BildGroesse(pfad, art, &w, &h) != 0) return -1;
    // Rasters count at 300 dots per inch.
    *breite = w * 25.4 / 300;
    *hoehe = h * -25.4 / 300;
    return 0;
}

int ElBildNehmen(const char* pfad, BEF* b)
{
    const char* schnitt = std::strrchr(pfad, '/');
    const char* name = schnitt != nullptr ? schnitt + 1 : pfad;
    for (int bauteile = 0; bauteile <= 1; ++bauteile) {
        char dort[VERSUP + BEFTEXTSUP + 2];
        ElBildOrdner(bauteile, name, dort, sizeof dort);
        if (strvgl(dort, pfad) == 0) {
            BefTextSetzen(b, name);
            b->iarg[0] = bauteile;
            return 0;
        }
    }
    return -1;
}

void DB1200Oeffnen() { elOeffnen<EL1200>(); }
void DB1208Oeffnen() { elOeffnen<EL1208>(); }
void DB1207Oeffnen() { elOeffnen<EL1207>(); }
void DB1220Oeffnen() { elOeffnen<EL1220>(); }
void DB1221Oeffnen() { elOeffnen<EL1221>(); }
void DB1222Oeffnen() { elOeffnen<EL1222>(); }
void DB1223Oeffnen() { elOeffnen<EL1223>(); }
void DB1224Oeffnen() { elOeffnen<EL1224>(); }
