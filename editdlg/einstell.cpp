// Settings dialogs of the editor; see einstell.h.
//
// Each dialog keeps the graphic state it showed at its last fill. A field
// handler that queues a value writes that value into the kept state too,
// so the refresh after the editor ran it finds nothing changed and leaves
// the field the user is typing in alone.
#include "editdlg/einstell.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "controls/elzeile.h"
#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editdlg/einstint.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/zustand.h"
#include "output/ansicht.h"
#include "output/schrift.h"
#include "platform/winconst.h"
#include "winlib/dlgitem.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int EST_MS = 13, EST_ST = 25, EST_SA = 26, EST_SL = 27, EST_TG = 30, EST_TR = 31, EST_TV = 32,
              EST_TS = 34, EST_TAR = 37;

// ---- DB1100 pen and text style ---------------------------------------------------------------------------

STT estStil{};  // shown at the last fill

void estSchriftName(int ts)
{
    char name[64] = "";
    SchriftName(ts, name, sizeof name);
    wiTextSetzen(3231, name);
}

void estStilFuellen(bool voll)
{
    const STT s = EstZustand();
    const STT& a = estStil;
    DbFuellen f;
    if (voll || s.st != a.st) wiComboWahlSetzen(3100, StiftNummer(s.st) - 1);
    if (voll || s.sa != a.sa) wiComboWahlSetzen(3110, LinienartNummer(s.sa));
    if (voll || s.sl != a.sl) DlgZahlSetzen(3120, s.sl);
    if (voll || s.tg != a.tg) DlgZahlSetzen(3200, s.tg);
    if (voll || s.tr != a.tr) wiZehntelSetzen(3210, s.tr);
    if (voll || s.tv != a.tv) wiDezSetzen1(3220, s.tv);
    if (voll || s.ts != a.ts) {
        wiComboWahlSetzen(3230, s.ts);
        estSchriftName(s.ts);
    }
    estStil = s;
}

int estStilInit(int, const char* const*)
{
    DbDlgAnfang(DBEINSTELL);
    {
        DbFuellen f;
        StiftCombo(3100);
        LinienartCombo(3110);
        SchriftCombo(3230);
    }
    estStilFuellen(true);
    return 0;
}

int estStilExit()
{
    DbDlgEnde(DBEINSTELL);
    return 0;
}

int estStilBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM) {
        const int id = static_cast<int>(wp);
        return StilComboZeichnen(nachricht, id, lp) || ElzOwnerDraw(3230, nullptr, nachricht, id, lp);
    }
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (EstSchliessen(id)) return 1;
    switch (id) {
    case 2999: estStilFuellen(false); return 1;
    case 2501:
    case 2502:
    case 2503:
    case 2504: BefEinreihenInt(EST_TR, (id - 2501) * 900); return 1;
    case 2510:
    case 2511:
    case 2512:
    case 2513:
    case 2514:
    case 2515: BefEinreihenInt(EST_TAR, id - 2510); return 1;
    case 3100:
        if (EstGewaehlt(wp)) BefEinreihenInt(EST_ST, estStil.st = wiComboWahl(3100) + 1);
        return 1;
    case 3110:
        if (EstGewaehlt(wp)) BefEinreihenInt(EST_SA, estStil.sa = wiComboWahl(3110));
        return 1;
    case 3230:
        if (EstGewaehlt(wp)) {
            BefEinreihenInt(EST_TS, estStil.ts = wiComboWahl(3230));
            DbFuellen f;
            estSchriftName(estStil.ts);
        }
        return 1;
    case 3120:
        if (EstGetippt(wp)) BefEinreihenReal(EST_SL, estStil.sl = wiDezHolen(3120));
        return 1;
    case 3200:
        if (EstGetippt(wp)) BefEinreihenReal(EST_TG, estStil.tg = wiDezHolen(3200));
        return 1;
    case 3210:
        if (EstGetippt(wp)) BefEinreihenInt(EST_TR, estStil.tr = static_cast<int>(wiDezHolen(3210) * 10 + 0.5));
        return 1;
    case 3220:
        if (EstGetippt(wp)) BefEinreihenReal(EST_TV, estStil.tv = wiDezHolen(3220));
        return 1;
    default: return 0;
    }
}

// ---- DB1105 scale ---------------------------------------------------------------------------------------------

struct EstMass {
    double faktor;
    const char* text;
};
constexpr EstMass estMasse[] = {
    {100, "100:1"}, {50, "50:1"},   {20, "20:1"},   {10, "10:1"},   {5, "5:1"},      {4, "4:1"},
    {2.5, "2,5:1"}, {2, "2:1"},     {1, "1:1"},     {0.5, "1:2"},   {0.4, "1:2,5"},  {0.25, "1:4"},
    {0.2, "1:5"},   {0.1, "1:10"},  {0.05, "1:20"}, {0.02, "1:50"}, {0.01, "1:100"},
};
constexpr int ESTMASSE = static_cast<int>(sizeof estMasse / sizeof estMasse[0]);

double estMassGezeigt = 0;  // scale at the last fill
double estMassGetippt = 0;  // last value queued from the field; lives for the run
double estMassZiel = 0;     // the scale once the queued commands ran

void estMassFuellen(bool voll)
{
    const double m = EstZustand().msf;
    DbFuellen f;
    if (voll || (m != estMassGezeigt && m != estMassGetippt)) {
        wiZahlTextSetzen(3000, DlgZahlText(m, 2).c_str());
    }
    if (voll || m != estMassGezeigt) {
        const char* text = "";
        const int zeile = EstMassstabZeile(m, &text);
        for (int i = 0; i < ESTMASSE; ++i) wiKnopfSetzen(3100 + i, i == zeile);
        wiTextSetzen(3001, text);
    }
    if (voll || m != estMassGezeigt) estMassZiel = m;
    estMassGezeigt = m;
}

int estMassInit(int, const char* const*)
{
    DbDlgAnfang(DBEINSTELL);
    estMassFuellen(true);
    return 0;
}

int estMassExit()
{
    DbDlgEnde(DBEINSTELL);
    return 0;
}

int estMassBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (id >= 3100 && id < 3100 + ESTMASSE) {
        if (HIWORD(wp) == BN_CLICKED && !DbFuellt()) BefEinreihenReal(EST_MS, estMassZiel = estMasse[id - 3100].faktor);
        return 1;
    }
    if (EstSchliessen(id)) return 1;
    switch (id) {
    case 2999: estMassFuellen(false); return 1;
    case 3000:
        if (EstGetippt(wp)) {
            const double v = wiDezHolen(3000);
            // Compared with the scale the queued commands lead to, not with
            // the last typed value: after a radio, typing the earlier value
            // again counts.
            if (v != 0 && v != estMassZiel) {
                BefEinreihenReal(EST_MS, v);
                estMassGetippt = estMassZiel = v;
            }
        }
        return 1;
    default: return 0;
    }
}

// ---- DB1110 view and magnifier -------------------------------------------------------------------------

constexpr int EST_FEN = 155, EST_LUP = 156, EST_CFM = 148;
int estAnsicht[3] = {-1, -1, -1};  // zoom, centre x, centre y at the last fill

void estFensterFuellen(bool voll)
{
    int z = 0, cx = 0, cy = 0;
    AnsichtZoomHolen(&z, &cx, &cy);
    if (voll || z != estAnsicht[0] || cx != estAnsicht[1] || cy != estAnsicht[2]) {
        char t[48];
        std::snprintf(t, sizeof t, "%d %d %d", z / 50, cx, 100 - cy);
        DbFuellen f;
        wiTextSetzen(3000, t);
    }
    estAnsicht[0] = z;
    estAnsicht[1] = cx;
    estAnsicht[2] = cy;
}

int estFensterInit(int, const char* const*)
{
    DbDlgAnfang(nullptr);
    estFensterFuellen(true);
    return 0;
}

int estFensterExit()
{
    DbDlgEnde(nullptr);
    return 0;
}

int estFensterBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    char t[4] = "";
    if (id >= 2510 && id <= 2519) {
        t[0] = static_cast<char>('0' + id - 2510);
        BefEinreihenText(EST_FEN, t);
    } else if (id == 2540 || id == 2541) {
        BefEinreihenText(EST_FEN, id == 2540 ? "+" : "-");
    } else if (id >= 2521 && id <= 2525) {
        BefEinreihenInt2(EST_LUP, id - 2520, 0);
    } else if (id == 2530) {
        BefEinreihenInt2(EST_LUP, 0, 0);
    } else if (id == 2531) {
        BefEinreihenCode(EST_CFM);
    } else {
        if (EstSchliessen(id)) return 1;
        switch (id) {
        case 2999: estFensterFuellen(false); return 1;
        case 3000:
            if (EstGetippt(wp)) {
                char feld[81] = "";
                wiTextHolen(3000, feld, 80);
                BefEinreihenText(EST_FEN, EstFensterText(feld, estAnsicht[0], estAnsicht[0] / 50).c_str());
            }
            return 1;
        default: return 0;
        }
    }
    EdtFokus();
    return 1;
}

}  // namespace

std::string EstFensterText(const char* feld, int zoom, int erstes)
{
    int w[3] = {0, 0, 0};
    const char* p = feld;
    for (int i = 0; i < 3; ++i) {
        while (*p == ' ') ++p;
        w[i] = std::atoi(p);
        while (*p != ' ' && *p != '\0') ++p;
    }
    // The field shows zoom / 50; a zoom that is no multiple of 50 (75, 25)
    // stays as it is unless that number was edited.
    const int z = w[0] == erstes ? zoom : w[0] * 50;
    char t[48];
    std::snprintf(t, sizeof t, ". %d %d %d", z, w[1], 100 - w[2]);
    return t;
}

int EstMassstabZeile(double mass, const char** text)
{
    for (int i = 0; i < ESTMASSE; ++i)
        if (std::fabs(estMasse[i].faktor - mass) <= 0.01) {
            if (text != nullptr) *text = estMasse[i].text;
            return i;
        }
    if (text != nullptr) *text = "";
    return -1;
}

void DB1100Oeffnen() { EdtDialogOeffnen("DB1100", estStilInit, estStilExit, estStilBefehl); }
void DB1110Oeffnen() { EdtDialogOeffnen("DB1110", estFensterInit, estFensterExit, estFensterBefehl); }
void DB1105Oeffnen() { EdtDialogOeffnen("DB1105", estMassInit, estMassExit, estMassBefehl); }
