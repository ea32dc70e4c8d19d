// Dialogs on the marked elements; see markier.h.
//
// DB1321 keeps, for the current marking, the angle already applied and the
// number of marked objects it was applied to; a refresh that finds another
// number starts again at 0 degrees.
#include "editdlg/markier.h"

#include <cmath>
#include <string>

#include "editdlg/dbdialog.h"
#include "config/verzeich.h"
#include "controls/elzeile.h"
#include "editdlg/dbteile.h"
#include "editdlg/textdat.h"
#include "editor/edmeld.h"
#include "editor/platzhalter.h"
#include "model/bauteil.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "platform/winconst.h"
#include "support/dosdatei.h"
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

// ---- DB1231 exchange ---------------------------------------------------------------------------------

constexpr int MRKTAU = 195;
constexpr const char* mrkTauschKuerzel[] = {"TFA", "TV", "TG", "TR", "SA", "ST", "ZB"};
constexpr int MRKTAUSCHZEILEN = 7;
constexpr int MRKTAUSCHTEXT = 40;

std::string mrkFeld(int id)
{
    char t[MRKTAUSCHTEXT + 1] = "";
    wiTextHolen(id, t, MRKTAUSCHTEXT);
    return t;
}

bool mrkLeer(const std::string& t) { return t.find_first_not_of(' ') == std::string::npos; }

int mrkTauschInit(int, const char* const*)
{
    DbDlgAnfang(nullptr);
    DbFuellen f;
    for (int i = 0; i < MRKTAUSCHZEILEN; ++i) {
        wiTextSetzen(3000 + 10 * i, "");
        wiTextSetzen(3001 + 10 * i, "");
    }
    return 0;
}

int mrkTauschExit()
{
    DbDlgEnde(nullptr);
    return 0;
}

void mrkTauschen()
{
    for (int i = 0; i < MRKTAUSCHZEILEN; ++i) {
        if (!wiKnopf(3002 + 10 * i)) continue;
        const std::string t = std::string(mrkTauschKuerzel[i]) + " " + mrkFeld(3000 + 10 * i) + " " + mrkFeld(3001 + 10 * i);
        BefEinreihenText(MRKTAU, t.c_str());
    }
    wiDlgSchliessen();
}

int mrkTauschBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (id >= 3000 && id < 3000 + 10 * MRKTAUSCHZEILEN && id % 10 < 2) {
        if (HIWORD(wp) == EN_CHANGE && !DbFuellt()) {
            const int zeile = (id - 3000) / 10;
            const std::string alt = mrkFeld(3000 + 10 * zeile), neu = mrkFeld(3001 + 10 * zeile);
            wiKnopfSetzen(3002 + 10 * zeile, alt != neu && !mrkLeer(alt) && !mrkLeer(neu));
        }
        return 1;
    }
    switch (id) {
    case 1:
        if (!DbEnter()) mrkTauschen();
        return 1;
    case 2500: mrkTauschen(); return 1;
    case 2:
    case 2501: wiDlgSchliessen(); return 1;
    default: return 0;
    }
}

// ---- DB1311 play a macro -------------------------------------------------------------------------------

constexpr int MRKMAC = 161;

int mrkMakroNehmen(int verzeichnis, const char* pfad, void*)
{
    if (verzeichnis) return 1;
    std::string n = pfad;
    const size_t schnitt = n.find_last_of('/');
    if (schnitt != std::string::npos) n.erase(0, schnitt + 1);
    const size_t punkt = n.find_last_of('.');
    if (punkt != std::string::npos) n.resize(punkt);
    wiListeAnhaengen(3020, n.c_str());
    return 1;
}

std::string mrkMakroGewaehlt()
{
    const int n = wiListeWahl(3020);
    if (n < 0) return "";
    char t[256] = "";
    wiListeText(3020, n, t);
    return t;
}

int mrkMakroInit(int, const char* const*)
{
    DbDlgAnfang(DBMAKROREC);
    DbFuellen f;
    wiListeLeeren(3020);
    char muster[BAUPFADSUP + 1];
    BauVerzDatei(modh::EditorZustand()->bd, "*", "mac", muster, sizeof muster);
    verzlesennamen(muster, mrkMakroNehmen, nullptr);
    wiKnopfSetzen(3100, 0);
    return 0;
}

int mrkMakroExit()
{
    DbDlgEnde(DBMAKROREC);
    return 0;
}

void mrkMakroSpielen(bool mitSchalter)
{
    const std::string name = mrkMakroGewaehlt();
    if (name.empty()) return;
    if (mitSchalter && !wiKnopf(3100)) MflBefehl(0);  // parallel lines off first
    BefEinreihenText(MRKMAC, name.c_str());
    wiDlgSchliessen();
}

int mrkMakroBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM)
        return ElzOwnerDraw(3020, nullptr, nachricht, static_cast<int>(wp), lp);
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (!DbEnter()) mrkMakroSpielen(true);
        return 1;
    case 2500: mrkMakroSpielen(true); return 1;
    case 3020:
        if (HIWORD(wp) == LBN_DBLCLK) mrkMakroSpielen(false);
        return 1;
    case 2510: {
        const std::string name = mrkMakroGewaehlt();
        if (name.empty()) return 1;
        char pfad[VERSUP + 64];
        PfadBilden(2, name.c_str(), "mac", pfad, sizeof pfad);
        TextAnzeigen(pfad);
        return 1;
    }
    case 2:
    case 2501: wiDlgSchliessen(); return 1;
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

void DB1231Oeffnen() { EdtDialogOeffnen("DB1231", mrkTauschInit, mrkTauschExit, mrkTauschBefehl); }
void DB1311Oeffnen() { EdtDialogOeffnen("DB1311", mrkMakroInit, mrkMakroExit, mrkMakroBefehl); }
void DB1322Oeffnen() { EdtDialogOeffnen("DB1322", mrkAnreihenInit, mrkAnreihenExit, mrkAnreihenBefehl); }
void DB1321Oeffnen() { EdtDialogOeffnen("DB1321", mrkDrehenInit, mrkDrehenExit, mrkDrehenBefehl); }
