// The component list DB1202; see bauliste.h.
//
// The list is filled from the library the graphic state names and refilled
// by a refresh only when the current folder, the component folder or that
// library name changed since the last fill.
#include "editdlg/bauliste.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/datwache.h"
#include "config/verzeich.h"
#include "controls/ctlkern.h"
#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editdlg/popup.h"
#include "editdlg/vorschau.h"
#include "editor/edmeld.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "editor/ziehknopf.h"
#include "model/bauteil.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dlgitem.h"
#include "winlib/wibild.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int BLI_ZB = 80, BLI_ZBW = 81, BLI_ZBZ = 82, BLI_RHX = 87, BLI_RHY = 88;
constexpr int BLINAMESUP = 20;
constexpr int BLIGROSS = 200;  // dialog units of the enlarged preview at most

std::string bliGezeigt;     // component last previewed
int bliOptionen[3] = {1, 1, 1};
std::string bliVerz, bliBauVerz, bliBib;  // of the last list fill

std::string bliGewaehlt()
{
    const int n = wiListeWahl(3100);
    if (n < 0) return "";
    char t[256] = "";
    wiListeText(3100, n, t);
    return t;
}

void bliVorschau(bool erzwingen)
{
    const std::string name = bliGewaehlt();
    if (name.empty() || (!erzwingen && name == bliGezeigt)) return;
    bliGezeigt = name;
    if (bliOptionen[2])
        BtlVorschauZeichnen(name.c_str(), nullptr, 3000, wiKnopf(3002), wiKnopf(3003));
    else
        VorschauLeeren(3000);
    wiItemBitmapLaden(3001, BliStatusBild(name.c_str(), wiGrosseSchrift() != 0));
}

void bliListeFuellen(bool erzwingen)
{
    const STT* s = modh::EditorZustand();
    const std::string verz = VerAktuell(), bauVerz = VerZeiger(2), bib = s != nullptr ? s->bd : "";
    if (!erzwingen && verz == bliVerz && bauVerz == bliBauVerz && bib == bliBib) return;
    bliVerz = verz;
    bliBauVerz = bauVerz;
    bliBib = bib;
    DbFuellen f;
    wiListeLeeren(3100);
    BauBibHandle h;
    if (BauBibOeffnen(&h, bib.c_str()) != 0) return;  // no library: an empty list
    for (int i = 0; i < h.anzahl; ++i) {
        char name[BLINAMESUP + 1] = "";
        BauNameHolen(&h, i, name, sizeof name);
        wiListeAnhaengen(3100, name);
    }
    BauBibZu(&h);
    wiListeWahlSetzen(3100, 0);
    bliVorschau(true);
}

void bliRichtungNull()
{
    wiRadioSetzen(3010, 0, 5);
    wiTextSetzen(3016, "0.0");
}

void bliReihenAus()
{
    for (int id : {3020, 3030, 3031}) wiKnopfSetzen(id, 0);
}

int bliInit(int, const char* const*)
{
    DbDlgAnfang(nullptr);
    DbFuellen f;
    bliGezeigt.clear();
    const bool gross = wiGrosseSchrift() != 0;
    wiItemBitmapLaden(3001, gross ? "BM0_G" : "BM0_K");
    wiItemBitmapLaden(3015, gross ? "ZBRIC_G" : "ZBRIC_K");
    wiTextSetzen(3017, "\xb0");
    // The three preview options of the editor settings: texts, connections,
    // a preview at all.
    for (int k = 0; k < 3; ++k) bliOptionen[k] = EdEinst()->vorOpt[k];
    wiKnopfSetzen(3002, bliOptionen[0]);
    wiKnopfSetzen(3003, bliOptionen[1]);
    bliReihenAus();
    wiTextSetzen(3040, "0");
    wiTextSetzen(3200, "");
    bliRichtungNull();
    BliZiehQuelle(3100, 3101);
    bliListeFuellen(true);
    return 0;
}

int bliExit()
{
    ZiehKnopfAbmelden(3100);
    VorschauEntfernen();
    DbDlgEnde(nullptr);
    return 0;
}

void bliReihe(int code)
{
    char t[11] = "";
    wiTextHolen(3040, t, 10);
    const int anzahl = std::atoi(t);
    // Only a positive count makes a row.
    if (anzahl <= 0) {
        StatusMeldungNr(40);
        return;
    }
    BefEinreihenIntText(code, anzahl, bliGewaehlt().c_str());
}

void bliSetzen()
{
    const std::string name = bliGewaehlt();
    if (name.empty()) {
        StatusMeldungNr(41);
        return;
    }
    if (wiKnopf(3020)) {
        BefEinreihenText(BLI_ZBZ, name.c_str());
    } else if (wiKnopf(3030)) {
        bliReihe(BLI_RHX);
    } else if (wiKnopf(3031)) {
        bliReihe(BLI_RHY);
    } else {
        const int richtung = wiWinkelHolen(3016);
        if (richtung == 0)
            BefEinreihenText(BLI_ZB, name.c_str());
        else
            BefEinreihenIntText(BLI_ZBW, richtung, name.c_str());
    }
}

void bliSuchen()
{
    char t[81] = "";
    wiTextHolen(3200, t, 80);
    strtrim(t);
    if (t[0] == '\0') return;
    const int n = wiListeAnzahl(3100);
    for (int i = 0; i < n; ++i) {
        char e[256] = "";
        wiListeText(3100, i, e);
        if (strnvgl(e, t, static_cast<int>(std::strlen(t))) == 0) {
            wiListeWahlSetzen(3100, i);
            bliVorschau(false);
            return;
        }
    }
}

// The enlarged preview over the list, drawn like the small one.
void bliGross()
{
    const std::string name = bliGewaehlt();
    if (name.empty() || VorschauFenster() != 0) return;
    HWND gross = VorschauAnlegen(wiDlgFenster(), 3100, 0, BLIGROSS, 3009);
    if (gross != 0) BtlVorschauFenster(name.c_str(), nullptr, gross, wiKnopf(3002), wiKnopf(3003));
}

// A drag of the selected component, previewed when it starts.
void bliZiehen(int phase, int steuer)
{
    if (phase == 1) bliVorschau(false);
    BliZiehen(phase, steuer, bliGewaehlt().c_str());
}

int bliBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    switch (id) {
    case 3000:
        if (lp == VORSCHAUDOPPEL || lp == VORSCHAURECHTS) bliGross();
        else if (const int phase = BliVorschauZiehPhase(lp)) bliZiehen(phase, 3000);
        return 1;
    case 3101: bliZiehen(static_cast<int>(lp), 3100); return 1;
    case 3009:
        VorschauEntfernen();
        return 1;
    case 1:
        if (!DbEnter()) bliSetzen();
        return 1;
    case 2500: bliSetzen(); return 1;
    // Esc only hands the focus back to the drawing: the list stays open for
    // the next part.
    case 2: EdtFokus(); return 1;
    case 2501: wiDlgSchliessen(); return 1;
    case 2510: bliSuchen(); return 1;
    case 2999: bliListeFuellen(false); return 1;
    default: break;
    }
    if (DbFuellt()) return 1;
    switch (id) {
    case 3100:
        if (HIWORD(wp) == LBN_SELCHANGE || HIWORD(wp) == LBN_DBLCLK) VorschauEntfernen();
        if (HIWORD(wp) == LBN_SELCHANGE) bliVorschau(false);
        if (HIWORD(wp) == LBN_DBLCLK) bliSetzen();
        return 1;
    case 3002:
    case 3003:
        bliVorschau(true);
        return 1;
    case 3016:
        if (HIWORD(wp) == EN_CHANGE) {
            const int w = wiWinkelHolen(3016);
            DbFuellen f;
            if (w != 0) bliReihenAus();
            wiRadioSetzen(3010, w == 0 ? 0 : w == 900 ? 1 : w == 1800 ? 2 : w == 2700 ? 3 : 4, 5);
        }
        return 1;
    case 3010:
    case 3011:
    case 3012:
    case 3013:
        if (HIWORD(wp) == BN_CLICKED) {
            DbFuellen f;
            if (id != 3010) bliReihenAus();
            wiZehntelSetzen(3016, (id - 3010) * 900);
        }
        return 1;
    case 3020:
    case 3030:
    case 3031:
        if (HIWORD(wp) == BN_CLICKED && wiKnopf(id)) {
            DbFuellen f;
            bliRichtungNull();
            for (int andere : {3020, 3030, 3031})
                if (andere != id) wiKnopfSetzen(andere, 0);
        }
        return 1;
    default: return 0;
    }
}

}  // namespace

namespace {
bool bliZieht = false;  // a drag of a list or preview began
int bliAblage = 0;      // the command a drop posts to the dialog; 0 drops the component

// Previews answer their drag stop themselves; lists report through their
// drag button.
bool bliIstVorschau(int steuer)
{
    char klasse[40] = "";
    GetClassName(GetDlgItem(wiDlgFenster(), steuer), klasse, sizeof klasse);
    return strvgl(klasse, CTLDISPKLASSE) == 0;
}
}  // namespace

void BliZiehQuelle(int liste, int befehl)
{
    bliZieht = false;
    ZiehKnopfAnmelden(wiDlgFenster(), liste, befehl);
}

int BliVorschauZiehPhase(LPARAM lp)
{
    if (VorschauFenster() != 0 || lp < VORSCHAUZIEHEN || lp > VORSCHAUGEZOGEN) return 0;
    return static_cast<int>(lp - VORSCHAUZIEHEN) + 1;
}

void BliZiehen(int phase, int steuer, const char* name, int befehl)
{
    if (phase == 1) {
        if (name == nullptr || name[0] == '\0') return;
        bliZieht = true;
        bliAblage = befehl;
        ZiehenAnfang(befehl ? 3 : 2, name);
    } else if (phase == 2 && bliZieht) {
        if (bliIstVorschau(steuer)) {
            ZiehenDispStop(steuer);
        } else {
            const POINT p = ZiehKnopfPos(steuer);
            ZiehenUeber(steuer, p.x, p.y);
        }
    } else if (phase == 3 && bliZieht) {
        bliZieht = false;
        HWND dialog = wiDlgFenster();
        EdtFokus();
        if (ZiehenEnde() && bliAblage) PostMessage(dialog, WM_COMMAND, static_cast<WPARAM>(bliAblage), 0);
    }
}

void DB1202Oeffnen() { EdtDialogOeffnen("DB1202", bliInit, bliExit, bliBefehl); }
