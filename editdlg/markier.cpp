// Dialogs on the marked elements; see markier.h.
//
// DB1321 keeps, for the current marking, the angle already applied and the
// number of marked objects it was applied to; a refresh that finds another
// number starts again at 0 degrees.
#include "editdlg/markier.h"

#include <cmath>

#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editor/edmeld.h"
#include "editor/platzhalter.h"
#include "model/beffifo.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "platform/winconst.h"
#include "winlib/dlgitem.h"
#include "winlib/wibild.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int MRKDRH = 14;  // DRH: turn the marked elements

// ---- DB1322 line-up ----------------------------------------------------------------------------------

int mrkAnreihenInit(int, const char* const*)
{
    DbDlgAnfang(DBMRKELEMENT);
    DbFuellen f;
    wiTextSetzen(3000, "1");
    wiTextSetzen(3010, "1");
    // The editor's line-up distances start from these settings.
    DlgZahlSetzen(3001, EdEinst()->kax);
    DlgZahlSetzen(3011, EdEinst()->kay);
    return 0;
}

int mrkAnreihenExit()
{
    DbDlgEnde(DBMRKELEMENT);
    return 0;
}

void mrkAnreihen()
{
    const int nx = wiZahlHolen(3000), ny = wiZahlHolen(3010);
    const double dx = wiDezHolen(3001), dy = wiDezHolen(3011);
    const int meldung = MrkAnreihenPruefen(TzMarkAnzahl(), nx, dx, ny, dy);
    if (meldung != 0) {
        StatusMeldungNr(meldung);
        return;
    }
    MarkierteAnreihen(nx, dx, ny, dy);
    wiDlgSchliessen();
}

int mrkAnreihenBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (!DbEnter()) mrkAnreihen();
        return 1;
    case 2500: mrkAnreihen(); return 1;
    case 2:
    case 2501: wiDlgSchliessen(); return 1;
    default: return 0;
    }
}

// ---- DB1321 rotate ------------------------------------------------------------------------------------

int mrkAngewandt = 0;  // tenths of a degree applied to the current marking
int mrkAnzahl = 0;     // marked objects it was applied to

void mrkDrehenZurueck()
{
    DbFuellen f;
    wiRadioSetzen(3010, 0, 5);
    wiTextSetzen(3016, "0.0");
    mrkAngewandt = 0;
    mrkAnzahl = TzMarkAnzahl();
}

int mrkDrehenInit(int, const char* const*)
{
    DbDlgAnfang(DBMRKELEMENT);
    DbFuellen f;
    wiTextSetzen(3017, "\xb0");
    wiItemBitmapLaden(3015, wiGrosseSchrift() ? "ZBRIC_G" : "ZBRIC_K");
    mrkDrehenZurueck();
    return 0;
}

int mrkDrehenExit()
{
    DbDlgEnde(DBMRKELEMENT);
    return 0;
}

void mrkDrehen()
{
    const int winkel = wiWinkelHolen(3016);
    const int differenz = winkel - mrkAngewandt;
    mrkAngewandt = winkel;
    if (differenz == 0) return;
    mrkAnzahl = TzMarkAnzahl();
    BefEinreihenInt(MRKDRH, differenz);
}

int mrkDrehenBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    switch (id) {
    case 1:
        if (!DbEnter()) mrkDrehen();
        return 1;
    case 2500: mrkDrehen(); return 1;
    case 2:
    case 2501: wiDlgSchliessen(); return 1;
    case 2999:
        if (TzMarkAnzahl() != mrkAnzahl) mrkDrehenZurueck();
        return 1;
    case 3016:
        if (HIWORD(wp) == EN_CHANGE && !DbFuellt()) {
            const int w = wiWinkelHolen(3016);
            DbFuellen f;
            wiRadioSetzen(3010, w % 900 == 0 && w < 3600 ? w / 900 : 4, 5);
        }
        return 1;
    case 3010:
    case 3011:
    case 3012:
    case 3013:
        if (HIWORD(wp) == BN_CLICKED && !DbFuellt()) {
            DbFuellen f;
            wiZehntelSetzen(3016, (id - 3010) * 900);
        }
        return 1;
    default: return 0;
    }
}

}  // namespace

int MrkAnreihenPruefen(int markiert, int nx, double dx, int ny, double dy)
{
    if (markiert == 0) return 84;
    if (static_cast<long long>(nx) * ny > 1000) return 80;
    // The extent counts whichever way the copies go; 40 copies 10 apart
    // are already too wide.
    if (std::fabs(nx * dx) >= 400.0 || std::fabs(ny * dy) >= 400.0) return 81;
    if (nx < 2 && ny < 2) return 82;
    if ((nx > 1 && std::fabs(dx) < 0.5) || (ny > 1 && std::fabs(dy) < 0.5)) return 83;
    return 0;
}

void DB1322Oeffnen() { EdtDialogOeffnen("DB1322", mrkAnreihenInit, mrkAnreihenExit, mrkAnreihenBefehl); }
void DB1321Oeffnen() { EdtDialogOeffnen("DB1321", mrkDrehenInit, mrkDrehenExit, mrkDrehenBefehl); }
