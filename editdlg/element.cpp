// The element dialogs; see element.h.
#include "editdlg/element.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "editdlg/bauliste.h"
#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editdlg/popup.h"
#include "editdlg/vorschau.h"
#include "editor/edmeld.h"
#include "editor/edzeich.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/objwahl.h"
#include "editor/ziehknopf.h"
#include "equipment/app.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "model/bauteil.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/geometri.h"
#include "model/masslin.h"
#include "model/tempzeic.h"
#include "platform/nachricht.h"
#include "output/bilder.h"
#include "platform/winconst.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/zahlen.h"
#include "support/vergleich.h"
#include "winlib/dateiwahl.h"
#include "winlib/dlgitem.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int ELZML = 96;

std::string elFeldText(int id)
{
    char t[64] = "";
    wiTextHolen(id, t, 63);
    return t;
}

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
    // What the exit keeps for the next opening (nullptr: nothing).
    void (*schluss)() = nullptr;
    int bis = 0;  // codes code..bis are the dialog's own (0: code alone)
};

bool elEigen(const ElDialog& d, int code) { return code == d.code || (d.bis > d.code && code >= d.code && code <= d.bis); }

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


// ---- Code-92 element DB1203 ------------------------------------------------------------------------------

void elQvbFuellen(BEF& b, const BEF& alt, bool voll)
{
    if (voll || b.iarg[0] != alt.iarg[0]) wiZahlSetzen(3000, b.iarg[0]);
    const int feld[4] = {3010, 3011, 3020, 3021};
    for (int k = 0; k < 4; ++k)
        if (voll || elBewegt(b.darg[k], alt.darg[k])) DlgZahlSetzen(feld[k], b.darg[k]);
}
bool elQvbFeld(int id, WPARAM wp, BEF& b)
{
    if (!elGetippt(wp)) return false;
    switch (id) {
    case 3000: b.iarg[0] = wiZahlHolen(3000); return true;
    case 3010:
    case 3011: b.darg[id - 3010] = elZahl(id); return true;
    case 3020:
    case 3021: b.darg[2 + id - 3020] = elZahl(id); return true;
    default: return false;
    }
}
void elQvbReset(BEF& b)
{
    b.iarg[0] = 0;
    for (int k = 0; k < 4; ++k) b.darg[k] = 0;
    BaubfSchritt(1);
}

// ---- Measured line DB1206 and dimension line DB1209: the length text ---------------------------------------

// Divisor, factor and decimals of the texts: DB1206 keeps them for the run.
struct ElTeilung {
    int teiler, faktor, stellen;
};
ElTeilung elMessTeilung{1, 1, 1};
int elMessArt = 1;

ElTeilung elTeilungFelder() { return {wiZahlHolen(3100), wiZahlHolen(3101), wiZahlHolen(3110)}; }

void elTextSetzen(BEF& b, const std::string& t)
{
    BefTextSetzen(&b, t.c_str());
    wiTextSetzen(3120, b.text);
}

// ---- Measured line DB1206 --------------------------------------------------------------------------------

void elMessFuellen(BEF& b, const BEF& alt, bool voll)
{
    if (voll || elBewegt(b.darg[0], alt.darg[0]) || elBewegt(b.darg[1], alt.darg[1])) {
        elVektorZeigen(b);
        elLaengeZeigen(b);
        if (!voll || b.text[0] == '\0')
            elTextSetzen(b, ElMassText(VektorLaenge(b.darg[0], b.darg[1]), elTeilungFelder().teiler,
                                       elTeilungFelder().faktor, elTeilungFelder().stellen));
    }
    if (voll || std::strcmp(b.text, alt.text) != 0) wiTextSetzen(3120, b.text);
}
void elMessText(BEF& b)
{
    const ElTeilung t = elTeilungFelder();
    elTextSetzen(b, ElMassText(elZahl(3010), t.teiler, t.faktor, t.stellen));
}
bool elMessFeld(int id, WPARAM wp, BEF& b)
{
    if (id >= 2800 && id <= 2803) {
        if (!elGeklickt(wp)) return false;
        wiRadioSetzen(2800, id - 2800, 4);
        b.iarg[0] = id - 2800 + 1;
        return true;
    }
    if (id == 3120) {
        if (!elGetippt(wp)) return false;
        char t[41] = "";
        wiTextHolen(3120, t, 40);
        BefTextSetzen(&b, t);
        return true;
    }
    if (id == 3100 || id == 3101 || id == 3110) {
        if (!elGetippt(wp)) return false;
        elMessText(b);
        return true;
    }
    if (!elLinieFeld(id, wp, b)) return false;
    elMessText(b);
    return true;
}
void elMessAnfang(BEF& b)
{
    wiZahlSetzen(3100, elMessTeilung.teiler);
    wiZahlSetzen(3101, elMessTeilung.faktor);
    wiZahlSetzen(3110, elMessTeilung.stellen);
    wiRadioSetzen(2800, elMessArt - 1, 4);
    b.iarg[0] = elMessArt;
}
void elMessSchluss()
{
    elMessTeilung = elTeilungFelder();
    elMessArt = 0;
    for (int k = 0; k < 4; ++k)
        if (wiKnopf(2800 + k)) elMessArt = k + 1;
}
void elMessReset(BEF& b)
{
    b.darg[0] = b.darg[1] = 0;
    b.text[0] = '\0';
}

// ---- Dimension line DB1209 -------------------------------------------------------------------------------

constexpr int ELMASSFELD[4] = {3140, 3141, 3142, 3143};

// The element a new dimension starts with: the editor's dimension defaults.
BEF elMassFrisch()
{
    const MASSEINST* m = MassEinst();
    BEF b{};
    b.code = ELZML;
    for (int k = 4; k < 8; ++k) b.darg[k] = m->ueberstand;
    b.iarg[0] = m->pfl;
    b.iarg[1] = m->fakp;
    b.iarg[2] = m->fakq;
    b.iarg[3] = m->nk;
    for (int k = 4; k < 8; ++k) b.iarg[k] = 1;
    return b;
}

void elMassVektorZeigen(const BEF& b)
{
    elVektorZeigen(b);
    elLaengeZeigen(b);
    wiTextSetzen(3012, elFeldText(3011).c_str());
}

void elMassText(BEF& b)
{
    elTextSetzen(b, ElMassText(VektorLaenge(b.darg[0], b.darg[1]), b.iarg[1], b.iarg[2], b.iarg[3]));
}

void elMassFuellen(BEF& b, const BEF& alt, bool voll)
{
    if (voll || elBewegt(b.darg[2], alt.darg[2])) DlgZahlSetzen(3020, b.darg[2]);
    if (voll || elBewegt(b.darg[3], alt.darg[3])) DlgZahlSetzen(3030, b.darg[3]);
    for (int k = 0; k < 4; ++k)
        if (voll || elBewegt(b.darg[4 + k], alt.darg[4 + k])) DlgZahlSetzen(ELMASSFELD[k], b.darg[4 + k]);
    if (voll || b.iarg[0] != alt.iarg[0]) wiComboWahlSetzen(3160, b.iarg[0]);
    const int zahlen[3] = {3100, 3101, 3110};
    for (int k = 0; k < 3; ++k)
        if (voll || b.iarg[1 + k] != alt.iarg[1 + k]) wiZahlSetzen(zahlen[k], b.iarg[1 + k]);
    for (int k = 0; k < 4; ++k)
        if (voll || b.iarg[4 + k] != alt.iarg[4 + k]) wiKnopfSetzen(3130 + k, b.iarg[4 + k] != 0);
    if (voll || elBewegt(b.darg[0], alt.darg[0]) || elBewegt(b.darg[1], alt.darg[1])) {
        elMassVektorZeigen(b);
        elMassText(b);
    }
    if (voll || std::strcmp(b.text, alt.text) != 0) wiTextSetzen(3120, b.text);
}

// The vector from the length field and an angle field.
void elMassWinkel(BEF& b, int winkelFeld)
{
    ElVektor(elZahl(3010), elZahl(winkelFeld), &b.darg[0], &b.darg[1]);
    elVektorZeigen(b);
    wiTextSetzen(winkelFeld == 3011 ? 3012 : 3011, elFeldText(winkelFeld).c_str());
    elMassText(b);
}

bool elMassFeld(int id, WPARAM wp, BEF& b)
{
    if (id >= 3130 && id <= 3133) {
        if (!elGeklickt(wp)) return false;
        b.iarg[4 + id - 3130] = wiKnopf(id) ? 1 : 0;
        return true;
    }
    if (id == 3160) {
        if (HIWORD(wp) != CBN_SELCHANGE) return false;
        b.iarg[0] = std::max(0, wiComboWahl(3160));
        return true;
    }
    if (id == 2510) {
        ElMassLinieNehmen(&b);
        return true;
    }
    if (!wiEditGetippt(id, wp)) return false;
    switch (id) {
    case 3000:
    case 3001:
        b.darg[id - 3000] = elZahl(id);
        elLaengeZeigen(b);
        wiTextSetzen(3012, elFeldText(3011).c_str());
        elMassText(b);
        return true;
    case 3010:
    case 3011: elMassWinkel(b, 3011); return true;
    case 3012: {
        // The middle of the measured vector stays where it was.
        const double l = VektorLaenge(b.darg[0], b.darg[1]) / 2;
        const int alt = VektorWinkel(b.darg[0], b.darg[1]);
        elMassWinkel(b, 3012);
        const int neu = VektorWinkel(b.darg[0], b.darg[1]);
        const STT z = BaubfZustandHolen();
        const double m = z.mass != 0 ? z.mass : 1.0;
        BaubfStartXY(z.x - (CosZehntel(neu) - CosZehntel(alt)) * l * m, z.y - (SinZehntel(neu) - SinZehntel(alt)) * l * m);
        BaubfSchritt(BaubfSchrittHolen());
        return true;
    }
    case 3020:
        MassAbstandSetzen(&b, elZahl(3020));
        for (int k = 0; k < 4; ++k) DlgZahlSetzen(ELMASSFELD[k], b.darg[4 + k]);
        return true;
    case 3030: b.darg[3] = elZahl(3030); return true;
    case 3140:
    case 3141:
    case 3142:
    case 3143: b.darg[4 + id - 3140] = elZahl(id); return true;
    case 3100:
    case 3101:
    case 3110:
        b.iarg[id == 3100 ? 1 : id == 3101 ? 2 : 3] = wiZahlHolen(id);
        elMassText(b);
        return true;
    case 3120: {
        char t[41] = "";
        wiTextHolen(3120, t, 40);
        BefTextSetzen(&b, t);
        return true;
    }
    default: return false;
    }
}

void elMassAnfang(BEF& b)
{
    wiComboLeeren(3160);
    for (int n = 340; n <= 346; ++n) wiComboAnhaengen(3160, TextNr1000(n));
    if (!CursorObjMarkiert()) {
        const int code = b.code;
        b = elMassFrisch();
        b.code = static_cast<uint8_t>(code);
    }
}
void elMassReset(BEF& b)
{
    for (int k = 0; k < 8; ++k) b.darg[k] = 0;
    b.text[0] = '\0';
}


// ---- Component placement DB1211 --------------------------------------------------------------------------

constexpr int ELZB = 80, ELZBW = 81, ELZBU = 86;
constexpr int ELNAMESUP = 20;
constexpr int ELGROSS = 200;  // dialog units of the enlarged preview at most

void elBauListe(const char* name)
{
    wiListeLeeren(3100);
    if (name[0] == '\0') return;
    wiListeAnhaengen(3100, name);
    char aequi[BAUAEQUISUP][BAUNAMSUP + 1];
    const int n = BauAequivalente(name, aequi);
    for (int i = 0; i < n && i < BAUAEQUISUP; ++i)
        if (strvgl(aequi[i], name) != 0) wiListeAnhaengen(3100, aequi[i]);
}

LPARAM elLParam = 0;  // of the notification a handler works on

void elBauVorschau(const BEF& b) { BtlVorschauZeichnen(b.text, nullptr, 3400, wiKnopf(3401), wiKnopf(3402)); }

// The enlarged preview over the list, drawn like the small one.
void elBauGross(const BEF& b)
{
    if (b.text[0] == '\0' || VorschauFenster() != 0) return;
    HWND gross = VorschauAnlegen(wiDlgFenster(), 3100, 0, ELGROSS, 3409);
    if (gross != 0) BtlVorschauFenster(b.text, nullptr, gross, wiKnopf(3401), wiKnopf(3402));
}

// A drag of the preview onto the drawing (1 start, 2 move, 3 stop). The
// drop ends the drag, which lets the construction go: the component is
// taken up again at the drop point and placed there by 2500.
bool elBauZieht = false;

void elBauZiehen(int phase, const BEF& b)
{
    if (phase == 1) {
        if (b.text[0] == '\0') return;
        elBauZieht = true;
        ZiehenAnfang(3, b.text);
    } else if (phase == 2 && elBauZieht) {
        ZiehenDispStop(3400);
    } else if (phase == 3 && elBauZieht) {
        elBauZieht = false;
        const STT* s = BefAktZustand();
        const double x = s->x, y = s->y;
        if (ZiehenEnde() != 1) return;
        if (!BaubfAktiv()) {
            BaubfStartenBei(b.code, x, y);
            BaubfSetzen(&b);
        }
        PostMessage(wiDlgFenster(), WM_COMMAND, 2500, 0);
    }
}

// The type text of the equipment item the editor links to the current
// object (the marked component under the cursor), looked up as picking
// links it: by its component name, the drawing and its position, so that
// an item assigned after the pick shows too. "" without equipment linking
// or without an item.
std::string elBauTyp()
{
    const int obj = CursorObjekt();
    BEF b;
    STT s;
    if (!AppAktiv() || obj < 0 || !CursorObjMarkiert() || TzObjHolen(obj, &b, &s) != 0 || !BefIstZB(b.code))
        return "";
    appgeraet g;
    const uint32_t id = BtlAnPositionId(b.text, modh::EditorZeiName(), s.x, s.y);
    if (id == 0 || GesHolen(id, &g) != 0) return "";
    return g.tt;
}

std::string elBauTypGezeigt;

void elBauFuellen(BEF& b, const BEF& alt, bool voll)
{
    const bool namen = voll || std::strcmp(b.text, alt.text) != 0;
    if (namen) {
        wiTextSetzen(3000, b.text);
        elBauVorschau(b);
    }
    if (voll) elBauListe(b.text);
    if (voll || b.iarg[0] != alt.iarg[0]) wiZehntelSetzen(3001, b.iarg[0]);
    const bool frei = b.code == ELZBW;
    wiItemFrei(3001, frei);
    wiItemFrei(2701, frei);
    const std::string typ = elBauTyp();
    if (voll || typ != elBauTypGezeigt) wiTextSetzen(3010, typ.c_str());
    elBauTypGezeigt = typ;
}

void elBauName(BEF& b, const char* name)
{
    BefTextSetzen(&b, name);
    elBauVorschau(b);
}

bool elBauFeld(int id, WPARAM wp, BEF& b)
{
    switch (id) {
    case 3000: {
        if (!elGetippt(wp)) return false;
        char t[ELNAMESUP + 1] = "";
        wiTextHolen(3000, t, ELNAMESUP);
        elBauName(b, t);
        return true;
    }
    case 3001:
        if (!elGetippt(wp)) return false;
        b.iarg[0] = wiWinkelHolen(3001);
        return true;
    case 3400:
        if (elLParam == VORSCHAUDOPPEL || elLParam == VORSCHAURECHTS) {
            elBauGross(b);
        } else if (const int phase = BliVorschauZiehPhase(elLParam)) {
            elBauZiehen(phase, b);
            return false;  // the drag handles the construction itself
        }
        return true;
    case 3409:
        VorschauEntfernen();
        return true;
    case 3100: {
        if (HIWORD(wp) != LBN_SELCHANGE && HIWORD(wp) != LBN_DBLCLK) return false;
        VorschauEntfernen();
        const int n = wiListeWahl(3100);
        char t[BAUNAMSUP + 1] = "";
        if (n < 0 || SendMessage(wiItem(3100), LB_GETTEXTLEN, static_cast<WPARAM>(n), 0) > BAUNAMSUP) return false;
        wiListeText(3100, n, t);
        wiTextSetzen(3000, t);
        elBauName(b, t);
        return true;
    }
    case 3401:
    case 3402:
        if (!elGeklickt(wp)) return false;
        elBauVorschau(b);
        return true;
    default: return false;
    }
}

// The mouse follows the column or the row the component continues in.
void elBauAnfang(BEF& b)
{
    wiKnopfSetzen(3401, 1);
    wiKnopfSetzen(3402, 1);
    BaubfSchritt(0);
    double box[4];
    const STT vor = BaubfZustandHolen();
    STT nach = vor;
    BefAusdehnung(&b, &vor, box, &nach);
    const bool x = !elBewegt(nach.x, vor.x), y = !elBewegt(nach.y, vor.y);
    BaubfAchse(x && !y ? 1 : !x && y ? 2 : 0);
}
void elBauSchluss()
{
    elBauZieht = false;
    VorschauEntfernen();
    BaubfAchse(0);
}
void elBauReset(BEF& b) { b.iarg[0] = 0; }

void elNichts(BEF&) {}

enum ElNr { EL1200, EL1207, EL1208, EL1220, EL1221, EL1222, EL1223, EL1224, EL1203, EL1206, EL1209, EL1211, ELANZAHL };

ElDialog elDialoge[ELANZAHL] = {
    {"DB1200", 40, 2, elLinieFuellen, elLinieFeld, elLinieReset, elNichts, {}, -1},
    {"DB1207", 95, 2, elUnterbrechungFuellen, elUnterbrechungFeld, elUnterbrechungReset, elNichts, {}, -1},
    {"DB1208", 69, 2, elBildFuellen, elBildFeld, elBildReset, elNichts, {}, -1},
    {"DB1220", 67, 3, elKreisFuellen, elKreisFeld, elFlaecheReset, elNichts, {}, -1},
    {"DB1221", 68, 3, elRechteckFuellen, elRechteckFeld, elFlaecheReset, elNichts, {}, -1},
    {"DB1222", 63, 2, elDreieckFuellen, elDreieckFeld, elDreieckReset, elDreieckAnfang, {}, -1},
    {"DB1223", 64, 2, elBogenFuellen, elBogenFeld, elTeilkreisReset, elBogenAnfang, {}, -1},
    {"DB1224", 65, 2, elArcFuellen, elArcFeld, elArcReset, elBogenAnfang, {}, -1},
    {"DB1203", 92, 3, elQvbFuellen, elQvbFeld, elQvbReset, elNichts, {}, -1},
    {"DB1206", 175, 2, elMessFuellen, elMessFeld, elMessReset, elMessAnfang, {}, -1, elMessSchluss},
    {"DB1209", ELZML, 9, elMassFuellen, elMassFeld, elMassReset, elMassAnfang, {}, -1},
    {"DB1211", ELZB, 3, elBauFuellen, elBauFeld, elBauReset, elBauAnfang, {}, -1, elBauSchluss, ELZBU},
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
    if (N != EL1211) ObjBearbeiten(d.code);
    BEF b;
    b = BaubfHolen();
    {
        DbFuellen f;
        d.anfang(b);
    }
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
    if (elDialoge[N].schluss != nullptr) elDialoge[N].schluss();
    DbDlgEnde(DBGRDELEMENT);
    BaubfDialogOffen(0);
    BaubfAbbrechen();  // what was not applied is discarded
    return 0;
}

void elAnwenden(ElDialog& d)
{
    const BEF vorher = BaubfHolen();
    BaubfAbsetzen();
    if (wiKnopf(2504)) {
        wiDlgSchliessen();
        return;
    }
    BEF b;
    BaubfAbbrechen();
    BaubfStarten(elEigen(d, vorher.code) ? vorher.code : d.code);
    b = BaubfHolen();
    // What the reset keeps (the component's name) comes from the element.
    if (d.bis != 0) BefTextSetzen(&b, vorher.text);
    d.zuruecksetzen(b);
    BaubfSetzen(&b);
    elFuellen(d, true);
    EdtFokus();
}

template <int N> int elBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
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
        if (BaubfAktiv() && elEigen(d, BaubfCode()))
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
        elLParam = lp;
        genommen = d.feld(id, wp, b);
    }
    if (!genommen) return 0;
    d.gezeigt = b;
    BaubfSetzen(&b);
    return 1;
}

template <int N> void elOeffnen()
{
    const ElDialog& d = elDialoge[N];
    if (DbAndererBefehl(d.code, d.bis)) return;
    if (N == EL1211) {
        // A marked component under the cursor is taken; nothing else opens it.
        if (!BaubfAktiv() && CursorObjMarkiert()) {
            BEF b;
            CursorObjHolen(&b);
            if (elEigen(d, b.code)) {
                BaubfStarten(b.code);
                BaubfSetzen(&b);
            }
        }
        if (!BaubfAktiv() || !elEigen(d, BaubfCode())) return;
    }
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

std::string ElMassText(double laenge, int teiler, int faktor, int stellen)
{
    double w = teiler != 0 ? laenge / teiler : laenge;
    w *= faktor;
    char t[ELMASSTEXTSUP + 1] = "";
    zahltext(t, sizeof t, w, ELMASSTEXTSUP, std::clamp(stellen, 0, 9));
    strtrim(t);
    if (stellen != 0) StrPunktKomma(t);
    return t;
}

int ElMassLinieNehmen(BEF* b)
{
    const STT* z = modh::EditorZustand();
    if (z == nullptr) return 0;
    const double cx = z->x, cy = z->y;
    const double r[4] = {cx - ELSUCHE, cy - ELSUCHE, cx + ELSUCHE, cy + ELSUCHE};
    double best = 10000, nah[2] = {0, 0}, fern[2] = {0, 0};
    auto strecke = [&](double x1, double y1, double x2, double y2) {
        if (std::fabs(x1 - x2) < 0.1 && (cy < std::min(y1, y2) || cy > std::max(y1, y2))) return;
        if (std::fabs(y1 - y2) < 0.1 && (cx < std::min(x1, x2) || cx > std::max(x1, x2))) return;
        const double d1 = std::fabs(x1 - cx) + std::fabs(y1 - cy), d2 = std::fabs(x2 - cx) + std::fabs(y2 - cy);
        const double d = std::min(d1, d2);
        if (d >= best) return;
        best = d;
        const bool erstes = d1 < d2;
        nah[0] = erstes ? x1 : x2;
        nah[1] = erstes ? y1 : y2;
        fern[0] = erstes ? x2 : x1;
        fern[1] = erstes ? y2 : y1;
    };
    TzBereichDurchlaufen(r, [&](int, const STT* s, const BEF* o) {
        const double m = s->mass != 0 ? s->mass : 1.0;
        if (o->code == 40) {
            double dx = o->darg[0] * m, dy = o->darg[1] * m;
            Drehen(s->richtung, &dx, &dy);
            strecke(s->x, s->y, s->x + dx, s->y + dy);
        } else if (o->code == 68) {
            const double w = o->darg[0] * m, h = o->darg[1] * m;
            const double e[4][2] = {{s->x, s->y}, {s->x + w, s->y}, {s->x + w, s->y + h}, {s->x, s->y + h}};
            for (int k = 0; k < 4; ++k) strecke(e[k][0], e[k][1], e[(k + 1) % 4][0], e[(k + 1) % 4][1]);
        }
    });
    if (best >= 10000) return 0;
    BaubfStartXY(nah[0], nah[1]);
    const STT zs = BaubfZustandHolen();
    const double m = zs.mass != 0 ? zs.mass : 1.0;
    b->darg[0] = (fern[0] - nah[0]) / m;
    b->darg[1] = (fern[1] - nah[1]) / m;
    b->iarg[5] = 1;
    BaubfSchritt(2);
    return 1;
}

void DB1200Oeffnen() { elOeffnen<EL1200>(); }
void DB1203Oeffnen() { elOeffnen<EL1203>(); }
void DB1206Oeffnen() { elOeffnen<EL1206>(); }
void DB1209Oeffnen() { elOeffnen<EL1209>(); }
void DB1211Oeffnen() { elOeffnen<EL1211>(); }
void DB1208Oeffnen() { elOeffnen<EL1208>(); }
void DB1207Oeffnen() { elOeffnen<EL1207>(); }
void DB1220Oeffnen() { elOeffnen<EL1220>(); }
void DB1221Oeffnen() { elOeffnen<EL1221>(); }
void DB1222Oeffnen() { elOeffnen<EL1222>(); }
void DB1223Oeffnen() { elOeffnen<EL1223>(); }
void DB1224Oeffnen() { elOeffnen<EL1224>(); }
