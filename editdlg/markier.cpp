// Dialogs on the marked elements; see markier.h.
//
// DB1321 keeps, for the current marking, the angle already applied and the
// number of marked objects it was applied to; a refresh that finds another
// number starts again at 0 degrees.
#include "editdlg/markier.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <string>

#include "editdlg/dbdialog.h"
#include "config/inidatei.h"
#include "config/verzeich.h"
#include "controls/elzeile.h"
#include "editdlg/dbteile.h"
#include "editdlg/textdat.h"
#include "editor/macro.h"
#include "editor/mehrfach.h"
#include "editor/edmeld.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/objwahl.h"
#include "model/bauteil.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/dosdatei.h"
#include "support/texte.h"
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

// ---- DB1230 mark elements near the cursor ----------------------------------------------------------------

constexpr int MRKELA = 179;
constexpr int MRKZEILE = 80;  // visible part of a line; the object number follows

// Shown to the user, so with the decimal comma of the status fields.
std::string mrkZahl7(double v)
{
    std::string t = DlgZahlFeld(v, 1);
    return t.size() < 7 ? std::string(7 - t.size(), ' ') + t : t;
}

std::string mrkBreite(std::string t, size_t n)
{
    t.resize(n, ' ');
    return t;
}

int mrkObjekt(int zeile)
{
    char t[256] = "";
    wiListeText(3100, zeile, t);
    return std::strlen(t) > static_cast<size_t>(MRKZEILE) ? std::atoi(t + MRKZEILE) : -1;
}

void mrkMarkListeFuellen()
{
    DbFuellen f;
    wiListeLeeren(3100);
    const STT* z = modh::EditorZustand();
    if (z == nullptr) return;
    const double r[4] = {z->x - 10, z->y - 10, z->x + 10, z->y + 10};
    const bool befehlsText = wiKnopf(3000) != 0;
    TzBereichDurchlaufen(r, [&](int id, const STT* s, const BEF* b) {
        if (!LayerSichtbar(s->layer)) return;
        const std::string zeile = mrkBreite(befehlsText ? BefZuText(b) : MrkKurzText(*b, *s), MRKZEILE) +
                                  std::to_string(id);
        const int n = wiListeAnhaengen(3100, zeile.c_str());
        if (TzIstMarkiert(id)) wiListeMarkSetzen(3100, n, 1);
    });
}

int mrkMarkInit(int, const char* const*)
{
    DbDlgAnfang(DBMRKELEMENT);
    {
        DbFuellen f;
        wiKnopfSetzen(3000, ProfilZahlLesen("ArbPlatz", "MarkBefTxt") != 0);
    }
    mrkMarkListeFuellen();
    return 0;
}

int mrkMarkExit()
{
    ProfilZahlSchreiben("ArbPlatz", "MarkBefTxt", wiKnopf(3000) ? 1 : 0);
    DbDlgEnde(DBMRKELEMENT);
    return 0;
}

// Every line whose selection differs from its object's mark is queued.
void mrkMarkAbgleichen()
{
    const int n = wiListeAnzahl(3100);
    for (int i = 0; i < n; ++i) {
        const int id = mrkObjekt(i);
        if (id < 0) continue;
        const int gewaehlt = wiListeMarkiert(3100, i) ? 1 : 0;
        if (gewaehlt != (TzIstMarkiert(id) ? 1 : 0)) BefEinreihenInt3(MRKELA, id, gewaehlt, 0);
    }
}

int mrkMarkBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM)
        return ElzOwnerDraw(3100, nullptr, nachricht, static_cast<int>(wp), lp);
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (!DbEnter()) wiDlgSchliessen();
        return 1;
    case 2:
    case 2500: wiDlgSchliessen(); return 1;
    case 3000:
        if (HIWORD(wp) == BN_CLICKED && !DbFuellt()) mrkMarkListeFuellen();
        return 1;
    case 3100:
        if (HIWORD(wp) == LBN_SELCHANGE && !DbFuellt()) mrkMarkAbgleichen();
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


// ---- DB1310 record or save a macro, DB1300 define a component ----------------------------------------------

constexpr int MRKREC = 160, MRKSB = 135, MRKEB = 136, MRKLB = 137;

int mrkAufnahmeGezeigt = -1, mrkModusGezeigt = -1;
std::string mrkNameGezeigt;

std::string mrkName(int n)
{
    char t[64] = "";
    wiTextHolen(3000, t, n);
    strtrim(t);
    return t;
}

// While something runs, or saving directly: record off, confirm and
// discard on; otherwise the other way round.
void mrkKnoepfe(bool laeuft)
{
    wiKnopfFreiBild(2500, !laeuft, "RECGRAU", "RECORD");
    wiKnopfFreiBild(2501, laeuft, "OKGRAU", "BUTTOK");
    wiKnopfFreiBild(2502, laeuft, "ESCGRAU", "BUTTESC");
}

void mrkRecFuellen(bool voll)
{
    const int auf = MakroNimmtAuf() ? 1 : 0;
    const int modus = wiKnopf(3020) ? 0 : 1;
    DbFuellen f;
    if (voll || auf != mrkAufnahmeGezeigt || modus != mrkModusGezeigt) {
        mrkKnoepfe(auf || modus == 0);
        wiItemZeigen(3010, auf);
    }
    // The editor's name is shown when it moved, never over what is being typed.
    const char* name = BefFlags()->makro;
    if (voll || mrkNameGezeigt != name) wiTextSetzen(3000, name);
    mrkNameGezeigt = name;
    mrkAufnahmeGezeigt = auf;
    mrkModusGezeigt = modus;
}

int mrkRecInit(int, const char* const*)
{
    DbDlgAnfang(DBMAKROREC);
    {
        DbFuellen f;
        wiRadioSetzen(3020, MakroNimmtAuf() ? 1 : 0, 2);
    }
    mrkRecFuellen(true);
    return 0;
}

int mrkRecExit()
{
    DbDlgEnde(DBMAKROREC);
    return 0;
}

void mrkRecStarten()
{
    const std::string name = mrkName(BEFMAKRONAMESUP);
    if (name.empty()) {
        MeldungNr(96, 0);
        return;
    }
    BefEinreihenIntText(MRKREC, 0, name.c_str());
    EdtFokus();
}

// The name typed becomes the editor's macro name.
std::string mrkMakroNameSetzen()
{
    const std::string name = mrkName(BEFMAKRONAMESUP);
    strkopie(BefFlags()->makro, name.c_str(), BEFMAKRONAMESUP);
    return name;
}

void mrkRecStoppen()
{
    mrkMakroNameSetzen();
    BefEinreihenInt(MRKREC, 1);
    wiDlgSchliessen();
}

void mrkRecOk()
{
    const std::string name = mrkMakroNameSetzen();
    if (!wiKnopf(3020)) {
        mrkRecStoppen();
        return;
    }
    const std::string pfad = MakroPfad(name.c_str());
    if (dosattrib(pfad.c_str()) != DOSATTR_FEHLT && !JaNeinFrage(46)) return;
    BefEinreihenIntText(MRKREC, 2, pfad.c_str());
    wiDlgSchliessen();
}

int mrkRecBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    switch (id) {
    case 1:
        if (DbEnter()) return 1;
        if (wiKnopf(3020))
            PostMessage(wiDlgFenster(), WM_COMMAND, 2501, 0);
        else if (MakroNimmtAuf())
            mrkRecStoppen();
        else
            mrkRecStarten();
        return 1;
    case 2500: mrkRecStarten(); return 1;
    case 2501: mrkRecOk(); return 1;
    case 2502:
        BefEinreihenInt(MRKREC, -1);
        wiDlgSchliessen();
        return 1;
    case 2: EdtFokus(); return 1;
    case 2999: mrkRecFuellen(false); return 1;
    case 3020:
    case 3021:
        if (HIWORD(wp) == BN_CLICKED && !DbFuellt()) mrkRecFuellen(false);
        return 1;
    default: return 0;
    }
}

int mrkBauGezeigt = -1;
std::string mrkBauNameGezeigt;

void mrkBauFuellen(bool voll)
{
    const int laeuft = BauDefLaeuft() ? 1 : 0;
    const char* name = BefFlags()->bauteil;
    DbFuellen f;
    if (voll || laeuft != mrkBauGezeigt) {
        mrkKnoepfe(laeuft);
        wiItemZeigen(3010, laeuft);
    }
    if (voll || mrkBauNameGezeigt != name) wiTextSetzen(3000, name);
    mrkBauGezeigt = laeuft;
    mrkBauNameGezeigt = name;
}

int mrkBauInit(int, const char* const*)
{
    DbDlgAnfang(DBMAKROREC);
    mrkBauFuellen(true);
    return 0;
}

int mrkBauExit()
{
    DbDlgEnde(DBMAKROREC);
    return 0;
}

int mrkBauBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    int id = LOWORD(wp);
    if (id == 1) {
        if (DbEnter()) return 1;
        id = BauDefLaeuft() ? 2501 : 2500;
    }
    switch (id) {
    case 2500:
        BefEinreihenText(MRKSB, MrkBauName(mrkName(20).c_str()).c_str());
        EdtFokus();
        return 1;
    case 2501:
        strkopie(BefFlags()->bauteil, MrkBauName(mrkName(20).c_str()).c_str(), BEFBAUNAMESUP);
        BefEinreihenCode(MRKEB);
        wiDlgSchliessen();
        return 1;
    case 2502:
        BefEinreihenCode(MRKLB);
        wiDlgSchliessen();
        return 1;
    case 2: EdtFokus(); return 1;
    case 2999: mrkBauFuellen(false); return 1;
    default: return 0;
    }
}

}  // namespace

std::string MrkBauName(const char* text)
{
    std::string t = text;
    for (char& c : t) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    char b[64];
    strkopie(b, sizeof b, t.c_str(), 20);
    strtrim(b);
    b[BEFBAUNAMESUP] = '\0';
    return b;
}

std::string MrkKurzText(const BEF& b, const STT& s)
{
    std::string t;
    const int c = b.code;
    if (c >= 50 && c <= 57) {
        std::string text = b.text;
        if (text.size() > 25) text = text.substr(0, 25) + "..";
        t = "\"" + text + "\"";
    } else if (c >= 80 && c <= 86) {
        t = b.text;
    } else if (c == 40 || c == 63 || c == 67 || c == 68 || c == 96) {
        t = mrkBreite(BefName(c), 4) + mrkZahl7(b.darg[0]) + mrkZahl7(b.darg[1]);
    } else if (c == 62) {
        t = mrkBreite(BefName(c), 4);
    } else if (c == 64 || c == 65) {
        char z[32];
        std::snprintf(z, sizeof z, "%4d %4d", static_cast<int>(b.iarg[0]), static_cast<int>(b.iarg[1]));
        t = mrkBreite(BefName(c), 4) + z;
    } else if (c == 69) {
        t = mrkBreite(BefName(c), 4) + b.text;
    } else {
        t = BefZuText(&b);
    }
    return mrkBreite(t, 30) + mrkZahl7(s.x) + mrkZahl7(s.y);
}

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

void DB1230Oeffnen() { EdtDialogOeffnen("DB1230", mrkMarkInit, mrkMarkExit, mrkMarkBefehl); }
void DB1231Oeffnen() { EdtDialogOeffnen("DB1231", mrkTauschInit, mrkTauschExit, mrkTauschBefehl); }
void DB1300Oeffnen() { EdtDialogOeffnen("DB1300", mrkBauInit, mrkBauExit, mrkBauBefehl); }
void DB1310Oeffnen() { EdtDialogOeffnen("DB1310", mrkRecInit, mrkRecExit, mrkRecBefehl); }
void DB1311Oeffnen() { EdtDialogOeffnen("DB1311", mrkMakroInit, mrkMakroExit, mrkMakroBefehl); }
void DB1322Oeffnen() { EdtDialogOeffnen("DB1322", mrkAnreihenInit, mrkAnreihenExit, mrkAnreihenBefehl); }
void DB1321Oeffnen() { EdtDialogOeffnen("DB1321", mrkDrehenInit, mrkDrehenExit, mrkDrehenBefehl); }
