// Window library layer, first half: ini file and placements, fonts, dialog
// units, status bar, tooltips, timers, command line and environment, the
// debug trace modes, the busy count and the locale separators. Prefix `wi`
// (file helpers `wb`). May call platform/, support/, config/, the dialog
// manager and the frame record. The second half (menus, windows, programs,
// dropped files, keys, scroll bars) is winbibfenster.cpp.
#include "winlib/winbib.h"

#include "config/konfhaken.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/bild.h"
#include "platform/bildmodul.h"
#include "platform/ctl_status.h"
#include "platform/ctl_tooltip.h"
#include "platform/dateisys.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/orte.h"
#include "platform/profil.h"
#include "platform/shell.h"
#include "platform/systemwerte.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"

namespace {

// ---- State of the module ------------------------------------------------------------
inline constexpr int WBINISUP = 260;

char wbIni[WBINISUP + 1];

HWND wbStatus = 0;
int wbStatusHoehe = 0;

struct WbTool {
    HWND fenster;
    HWND steuer;  // 0: free entry
    char text[WITOOLTEXTSUP + 1];
};
WbTool wbTools[WITOOLSUP];
HWND wbTipp = 0;

double wbFaktor = 0.0;

int wbDebugModus = 0;
char wbDebugDatei[WIDEBUGDATEISUP + 1];

int wbBeschaeftigt = 0;

bool wbLokaleGelesen = false;
char wbDezimal = ',';
char wbTausender = '.';
char wbLand[11];

const std::vector<WiSchriftFamilie>* wbFamilienTest = nullptr;
std::vector<WiSchriftFamilie> wbFamilien;
bool wbFamilienGelesen = false;

std::string wbPfadOrdner(const std::string& pfad)
{
    size_t p = pfad.find_last_of("/\\");
    return p == std::string::npos ? std::string() : pfad.substr(0, p);
}

std::string wbPfadName(const char* pfad)
{
    std::string s = pfad ? pfad : "";
    size_t p = s.find_last_of("/\\");
    return p == std::string::npos ? s : s.substr(p + 1);
}

bool wbDateiDa(const std::string& pfad)
{
    struct stat st;
    return plDsStat(pfad.c_str(), &st) == 0;
}

int wbKopieren(const std::string& von, const std::string& nach)
{
    std::vector<uint8_t> bytes;
    if (plBildDateiLesen(von.c_str(), bytes) != 0) return -1;
    return plDsDateiErsetzen(nach.c_str(), bytes.data(), bytes.size()) == 0 ? 0 : -1;
}

// The trace sink of wiDebug: mode 0 the debugger output, 1 the trace file.
void wbDebugSenke(const char* text)
{
    if (wbDebugModus == 0) {
        OutputDebugString(text);
    } else if (wbDebugModus == 1 && wbDebugDatei[0] != '\0') {
        BDAT d;
        if (bdopen(&d, wbDebugDatei) < 0 && bdmake(&d, wbDebugDatei) < 0) return;
        bdappend(&d);
        bdwrite(&d, text, static_cast<int32_t>(std::strlen(text)));
        bdclose(&d);
    }
}

int wbFamilieProc(const LOGFONT* lf, const TEXTMETRIC*, DWORD, LPARAM lp)
{
    auto* liste = reinterpret_cast<std::vector<WiSchriftFamilie>*>(lp);
    const auto* elf = reinterpret_cast<const ENUMLOGFONT*>(lf);
    WiSchriftFamilie f;
    f.name.assign(lf->lfFaceName, strnlen(lf->lfFaceName, LF_FACESIZE));
    f.voll.assign(reinterpret_cast<const char*>(elf->elfFullName),
                  strnlen(reinterpret_cast<const char*>(elf->elfFullName), LF_FULLFACESIZE));
    liste->push_back(f);
    return 1;
}

bool wbGleich(const std::string& a, const char* b) { return strvgl(a.c_str(), b) == 0; }
bool wbEnthaelt(const std::string& a, const char* b) { return *b == '\0' || strposi(a.c_str(), b) >= 0; }

HWND wbDlgItem(int id) { return GetDlgItem(wiDlgFenster(), id); }

}  // namespace

// The members of the configuration interface that the window library
// answers: placements, window rectangles, the work area, fonts and the ini
// file of the library. NULL gives the stand-ins back.
static void wbKonfHakenSetzen(bool ein)
{
    KonfHaken k = konfHaken();
    if (ein) {
        k.platzHolen = GetWindowPlacement;
        k.platzSetzen = SetWindowPlacement;
        k.fensterRechteck = GetWindowRect;
        k.fensterBewegen = [](HWND f, int x, int y) {
            SetWindowPos(f, 0, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        };
        k.desktop = [](RECT* r) { SystemParametersInfo(SPI_GETWORKAREA, 0, r, 0); };
        k.schriftErzeugen = wiFontEinfach;
        k.schriftStandard = wiStandardFont;
        k.schriftLoeschen = [](HFONT f) { DeleteObject(f); };
        k.fensterIni = [](const char* pfad) { wiIniDatei(pfad); };
    } else {
        k.platzHolen = nullptr;
        k.platzSetzen = nullptr;
        k.fensterRechteck = nullptr;
        k.fensterBewegen = nullptr;
        k.desktop = nullptr;
        k.schriftErzeugen = nullptr;
        k.schriftStandard = nullptr;
        k.schriftLoeschen = nullptr;
        k.fensterIni = nullptr;
    }
    konfHakenSetzen(k);
}

void wiBibInit()
{
    wiDebugSenkeSetzen(wbDebugSenke);
    plBildModulLaderAnmelden();
    wbKonfHakenSetzen(true);
}

void wiBibEnde()
{
    wbKonfHakenSetzen(false);
    wiStatusWeg();
    wiTbarEnde();
    wiTooltipsEnde();
    std::memset(wbTools, 0, sizeof wbTools);
    wbFaktor = 0.0;
    wbDebugModus = 0;
    wbDebugDatei[0] = '\0';
    wbBeschaeftigt = 0;
    wbLokaleGelesen = false;
    wbFamilienGelesen = false;
    wbFamilien.clear();
    wbIni[0] = '\0';
}

// ---- Ini file and placement ---------------------------------------------------------------
const char* wiIniDatei(const char* name)
{
    strkopie(wbIni, name ? name : "", WBINISUP);
    return wbIni;
}

const char* wiIniDateiName() { return wbIni; }

int wiIniSchreiben(const char* abschnitt, const char* schluessel, const char* wert)
{
    return WritePrivateProfileString(abschnitt, schluessel, wert, wbIni) ? 1 : 0;
}

int wiIniZahlSchreiben(const char* abschnitt, const char* schluessel, int n)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", n);
    return wiIniSchreiben(abschnitt, schluessel, text);
}

int wiIniLesen(const char* abschnitt, const char* schluessel, char* puffer)
{
    return static_cast<int>(GetPrivateProfileString(abschnitt, schluessel, "", puffer, WIINILESENSUP + 1, wbIni));
}

int wiIniLesenN(const char* abschnitt, const char* schluessel, char* puffer, int groesse)
{
    if (groesse <= 0) return 0;
    return static_cast<int>(
        GetPrivateProfileString(abschnitt, schluessel, "", puffer, static_cast<DWORD>(groesse), wbIni));
}

int wiIniZahl(const char* abschnitt, const char* schluessel)
{
    char text[WIINIZAHLSUP + 1];
    GetPrivateProfileString(abschnitt, schluessel, "", text, sizeof text, wbIni);
    return std::atoi(text);
}

// 1 when the file was there already, 0 when copied, -1 when copying failed.
int wiIniKopieren(const char* datei)
{
    std::string ziel = wbPfadOrdner(plIniPfad(wbIni));
    if (ziel.empty()) ziel = plOrtAnwendung();
    ziel += "/" + wbPfadName(datei);
    if (wbDateiDa(ziel)) return 1;
    return wbKopieren(datei, ziel);
}

int wiIniAnlegen(const char* datei)
{
    std::string ziel = plIniPfad(wbIni);
    if (wbDateiDa(ziel)) return 1;
    std::string von = datei ? datei : "";
    if (von.find_first_of("/\\") == std::string::npos) von = plOrtAnwendung() + "/" + von;
    return wbKopieren(von, ziel);
}

int wiPlatzSichern(HWND fenster, const char* schluessel, const char* abschnitt)
{
    WINDOWPLACEMENT p{};
    p.length = sizeof p;
    if (!GetWindowPlacement(fenster, &p)) return 0;
    char text[WIPLATZTEXTSUP * 2];
    std::snprintf(text, sizeof text, "%d %d %d %d %d %d %d %d %d %d", static_cast<int>(p.flags),
                  static_cast<int>(p.showCmd), p.ptMinPosition.x, p.ptMinPosition.y, p.ptMaxPosition.x,
                  p.ptMaxPosition.y, p.rcNormalPosition.left, p.rcNormalPosition.top, p.rcNormalPosition.right,
                  p.rcNormalPosition.bottom);
    return wiIniSchreiben(abschnitt, schluessel, text);
}

int wiPlatzLaden(HWND fenster, const char* schluessel, const char* abschnitt, int groesseBehalten)
{
    char text[WIPLATZTEXTSUP + 1];
    GetPrivateProfileString(abschnitt, schluessel, "", text, sizeof text, wbIni);
    int w[10];
    if (std::sscanf(text, "%d %d %d %d %d %d %d %d %d %d", &w[0], &w[1], &w[2], &w[3], &w[4], &w[5], &w[6], &w[7],
                    &w[8], &w[9]) != 10)
        return 0;
    WINDOWPLACEMENT p{};
    p.length = sizeof p;
    if (groesseBehalten) {
        GetWindowPlacement(fenster, &p);
        LONG b = p.rcNormalPosition.right - p.rcNormalPosition.left;
        LONG h = p.rcNormalPosition.bottom - p.rcNormalPosition.top;
        p.rcNormalPosition = {w[6], w[7], w[6] + b, w[7] + h};
    } else {
        p.flags = static_cast<UINT>(w[0]);
        p.showCmd = static_cast<UINT>(w[1]);
        p.ptMinPosition = {w[2], w[3]};
        p.ptMaxPosition = {w[4], w[5]};
        p.rcNormalPosition = {w[6], w[7], w[8], w[9]};
    }
    SetWindowPlacement(fenster, &p);
    switch (w[1]) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        return 1;
    case SW_SHOWMAXIMIZED:
        return 2;
    default:
        return 0;
    }
}

void wiZentrieren(HWND fenster)
{
    RECT d{}, r{};
    GetWindowRect(GetDesktopWindow(), &d);
    GetWindowRect(fenster, &r);
    int x = ((d.right - d.left) - (r.right - r.left)) / 2;
    int y = ((d.bottom - d.top) - (r.bottom - r.top)) / 3;
    SetWindowPos(fenster, 0, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void wiFensterBei(HWND fenster, HWND bezug, int dx, int dy)
{
    RECT r{};
    GetWindowRect(bezug, &r);
    wiFensterNach(fenster, r.left + dx, r.top + dy);
}

void wiFensterNach(HWND fenster, int x, int y)
{
    SetWindowPos(fenster, 0, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Fonts ----------------------------------------------------------------------------------
const std::vector<WiSchriftFamilie>& wiSchriftFamilien()
{
    if (wbFamilienTest) return *wbFamilienTest;
    if (!wbFamilienGelesen) {
        wbFamilien.clear();
        HDC dc = GetDC(0);
        EnumFontFamilies(dc, nullptr, wbFamilieProc, reinterpret_cast<LPARAM>(&wbFamilien));
        ReleaseDC(0, dc);
        wbFamilienGelesen = true;
    }
    return wbFamilien;
}

void wiSchriftFamilienSetzen(const std::vector<WiSchriftFamilie>* liste) { wbFamilienTest = liste; }

void wiSchriftSuchen(void (*fn)(const char* name))
{
    if (!fn) return;
    for (const WiSchriftFamilie& f : wiSchriftFamilien()) fn(f.name.c_str());
}

int wiFestSchrift(char* name, int* groesse)
{
    static const struct {
        const char* anfang;
        const char* auch;
        int groesse;
    } tabelle[7] = {{"FixedSys", "", 0}, {"Dina", "", 8},   {"DejaVu", "Mono", 8}, {"Liberation", "Mono", 8},
                    {"Droid", "Mono", 8}, {"Courier", "", 8}, {"Courier", "New", 8}};
    std::string gefunden[7];
    for (const WiSchriftFamilie& f : wiSchriftFamilien()) {
        for (int i = 0; i < 7; ++i) {
            if (!gefunden[i].empty()) continue;
            size_t n = std::strlen(tabelle[i].anfang);
            if (strnvgl(f.name.c_str(), tabelle[i].anfang, static_cast<int>(n)) == 0 &&
                wbEnthaelt(f.name, tabelle[i].auch))
                gefunden[i] = f.name.substr(0, WISCHRIFTSUP);
        }
    }
    for (int i = 0; i < 7; ++i) {
        if (gefunden[i].empty()) continue;
        strkopie(name, WISCHRIFTSUP + 1, i == 0 ? "Fixedsys" : gefunden[i].c_str(), WISCHRIFTSUP);
        if (groesse) *groesse = tabelle[i].groesse;
        return 1;
    }
    return 0;
}

void wiMonoSchrift(char* name, const char* bevorzugt)
{
    static const char* const rang[10] = {"Monospace 821 BT", "Consolas",    "Andale Mono", "DejaVu Sans Mono",
                                         "Droid Sans Mono",  "Inconsolata", "Monaco",      "Liberation Mono",
                                         "Courier New",      "Source Code Pro"};
    std::string ergebnis = "Courier";
    int punkte = 0;
    for (const WiSchriftFamilie& f : wiSchriftFamilien()) {
        if (bevorzugt && *bevorzugt && (wbGleich(f.name, bevorzugt) || wbGleich(f.voll, bevorzugt)) && punkte <= 99) {
            ergebnis = f.name;
            punkte = 100;
        }
        for (int i = 0; i < 10; ++i) {
            if ((wbGleich(f.name, rang[i]) || wbGleich(f.voll, rang[i])) && 50 - i > punkte) {
                ergebnis = f.name;
                punkte = 50 - i;
            }
        }
        for (int i = 0; i < 10; ++i) {
            if ((wbEnthaelt(f.name, rang[i]) || wbEnthaelt(f.voll, rang[i])) && 20 - i > punkte) {
                ergebnis = f.name;
                punkte = 20 - i;
            }
        }
    }
    strkopie(name, WISCHRIFTSUP + 1, ergebnis.c_str(), WISCHRIFTSUP);
}

HFONT wiFont(int hoehe, const char* name, int fett, int stil)
{
    return CreateFont(hoehe, 0, 0, 0, fett ? FW_BOLD : FW_NORMAL, (stil & 1) ? TRUE : FALSE, (stil & 2) ? TRUE : FALSE,
                      (stil & 4) ? TRUE : FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, name);
}

HFONT wiFontEinfach(int hoehe, const char* name)
{
    return CreateFont(hoehe, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name);
}

HFONT wiStandardFont(int art)
{
    switch (art) {
    case 1:
        return static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
    case 2:
        return static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
    case 3:
        return static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    case 4:
        return anwDaten()->dlgSchrift;
    default:
        return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    }
}

int wiTextBreite(int art, const char* text)
{
    int stock = art == 1 ? SYSTEM_FIXED_FONT : art == 2 ? ANSI_VAR_FONT : art == 3 ? ANSI_FIXED_FONT : SYSTEM_FONT;
    HDC dc = GetDC(0);
    HGDIOBJ alt = SelectObject(dc, GetStockObject(stock));
    SIZE sz{0, 0};
    GetTextExtentPoint32(dc, text ? text : "", text ? static_cast<int>(std::strlen(text)) : 0, &sz);
    SelectObject(dc, alt);
    ReleaseDC(0, dc);
    return sz.cx;
}

// ---- Dialog units ------------------------------------------------------------------------------
double wiDlgFaktor()
{
    if (wbFaktor <= 0.0) wbFaktor = HIWORD(GetDialogBaseUnits()) / 8.0;
    return wbFaktor;
}

int wiDlgEinheit(int n) { return static_cast<int>(std::lround(n * wiDlgFaktor())); }

int wiPixelEinheit(int n) { return static_cast<int>(std::lround(n / wiDlgFaktor())); }

int wiGrosseSchrift() { return wiDlgEinheit(10) > 22 ? 1 : 0; }

// ---- Status bar ---------------------------------------------------------------------------------
HWND wiStatusLeiste(const char* breiten)
{
    int kanten[WISTATUSTEILESUP + 1];
    int n = 0;
    long summe = 0;
    const char* p = breiten ? breiten : "";
    while (n < WISTATUSTEILESUP) {
        char* ende = nullptr;
        long w = std::strtol(p, &ende, 10);
        if (ende == p) break;
        p = ende;
        summe += w;
        kanten[n++] = wiDlgEinheit(static_cast<int>(summe));
    }
    kanten[n++] = -1;
    if (wbStatus) DestroyWindow(wbStatus);
    wbStatus = CreateStatusWindow(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM, "", anwHauptfenster(),
                                  WISTATUSID);
    if (!wbStatus) return 0;
    SendMessage(wbStatus, SB_SETPARTS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(kanten));
    RECT r{};
    GetWindowRect(wbStatus, &r);
    wbStatusHoehe = r.bottom - r.top;
    return wbStatus;
}

HWND wiStatusFenster() { return wbStatus; }

void wiStatusWeg()
{
    if (wbStatus && IsWindow(wbStatus)) DestroyWindow(wbStatus);
    wbStatus = 0;
    wbStatusHoehe = 0;
}

void wiStatusText(int teil, const char* text)
{
    if (wbStatus) SendMessage(wbStatus, SB_SETTEXT, static_cast<WPARAM>(teil), reinterpret_cast<LPARAM>(text));
}

int wiStatusTextHolen(int teil, char* puffer, int groesse)
{
    if (groesse <= 0) return 0;
    puffer[0] = '\0';
    if (!wbStatus) return 0;
    int laenge = LOWORD(SendMessage(wbStatus, SB_GETTEXTLENGTH, static_cast<WPARAM>(teil), 0));
    std::string s(static_cast<size_t>(laenge) + 1, '\0');
    SendMessage(wbStatus, SB_GETTEXT, static_cast<WPARAM>(teil), reinterpret_cast<LPARAM>(s.data()));
    return strkopie(puffer, static_cast<size_t>(groesse), s.c_str(), groesse - 1);
}

int wiStatusHoehe() { return wbStatusHoehe; }

void wiStatusPlatz(int breite, int hoehe)
{
    if (wbStatus) MoveWindow(wbStatus, 0, hoehe - wbStatusHoehe, breite, wbStatusHoehe, TRUE);
}

// ---- Tooltips ------------------------------------------------------------------------------------
int wiTooltipsInit()
{
    InitCommonControls();
    if (!wbTipp || !IsWindow(wbTipp))
        wbTipp = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, anwInstanz(), nullptr);
    return wbTipp ? 0 : -1;
}

void wiTooltipsEnde()
{
    if (wbTipp && IsWindow(wbTipp)) DestroyWindow(wbTipp);
    wbTipp = 0;
    std::memset(wbTools, 0, sizeof wbTools);
}

HWND wiTooltipFenster() { return wbTipp; }

namespace {
void wbToolLoeschen(WbTool& t)
{
    if (wbTipp) {
        TOOLINFO ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = t.fenster;
        ti.uId = t.steuer;
        SendMessage(wbTipp, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    }
    t = WbTool{};
}
}  // namespace

void wiTooltip(HWND fenster, HWND steuer, const char* text)
{
    if (!steuer) return;
    // Entries of controls that are gone are free again: toolbars built anew
    // for a dialog would otherwise fill the table with dead buttons.
    for (WbTool& t : wbTools)
        if (t.steuer && !IsWindow(t.steuer)) wbToolLoeschen(t);
    // A control has one tooltip: setting it again replaces the text.
    for (WbTool& t : wbTools)
        if (t.steuer == steuer) wbToolLoeschen(t);
    for (WbTool& t : wbTools) {
        if (t.steuer) continue;
        t.fenster = fenster;
        t.steuer = steuer;
        strkopie(t.text, text ? text : "", WITOOLTEXTSUP);
        if (wbTipp) {
            TOOLINFO ti{};
            ti.cbSize = sizeof ti;
            ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            ti.hwnd = fenster;
            ti.uId = steuer;
            ti.lpszText = t.text;
            SendMessage(wbTipp, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
        }
        return;
    }
}

void wiDlgTooltip(int id, const char* text) { wiTooltip(wiDlgFenster(), wbDlgItem(id), text); }

void wiTooltipsWeg(HWND fenster)
{
    for (WbTool& t : wbTools)
        if (t.steuer && t.fenster == fenster) wbToolLoeschen(t);
}

void wiDlgTooltipsWeg() { wiTooltipsWeg(wiDlgFenster()); }

int wiTooltipAnzahl()
{
    int n = 0;
    for (const WbTool& t : wbTools) n += t.steuer ? 1 : 0;
    return n;
}

const char* wiTooltipText(HWND steuer)
{
    if (!steuer) return nullptr;
    for (const WbTool& t : wbTools)
        if (t.steuer == steuer) return t.text;
    return nullptr;
}

// ---- Timers ----------------------------------------------------------------------------------------
void wiTimer(HWND fenster, int id, int sekunden)
{
    SetTimer(fenster, static_cast<UINT_PTR>(id), static_cast<UINT>(sekunden) * 1000u, nullptr);
}

void wiTimerWeg(HWND fenster, int id) { KillTimer(fenster, static_cast<UINT_PTR>(id)); }

// ---- Command line and environment ----------------------------------------------------------------------
int wiArgumentAnzahl() { return plOrtArgumentAnzahl(); }

const char* wiArgument(int n)
{
    const char* w = plOrtArgument(n);
    return w ? w : "";
}

const char* wiKommandozeile()
{
    static char zeile[WIKOMMANDOSUP + 1];
    std::string s;
    for (int i = 0; i < plOrtArgumentAnzahl(); ++i) {
        const char* w = plOrtArgument(i);
        if (!w) continue;
        if (!s.empty()) s += ' ';
        bool quote = std::strpbrk(w, " \t") != nullptr;
        if (quote) s += '"';
        s += w;
        if (quote) s += '"';
    }
    strkopie(zeile, s.c_str(), WIKOMMANDOSUP);
    return zeile;
}

int wiUmgebung(const char* name, char* puffer, int groesse)
{
    std::string wert;
    if (!plOrtUmgebung(name, &wert)) return 0;
    if (puffer && groesse > 0) strkopie(puffer, static_cast<size_t>(groesse), wert.c_str(), groesse - 1);
    return 1;
}

int wiUmgebungText(char* puffer, const char* name)
{
    std::string wert;
    if (!plOrtUmgebung(name, &wert)) {
        puffer[0] = '\0';
        return -1;
    }
    strkopie(puffer, 101, wert.c_str(), 100);
    return 0;
}

// ---- Debug trace ---------------------------------------------------------------------------------------------
void wiDebugModus(int modus, const char* datei)
{
    wbDebugDatei[0] = '\0';
    if (modus != 0) {
        if (datei && !strleer(datei)) {
            strkopie(wbDebugDatei, datei, WIDEBUGDATEISUP);
        } else {
            std::string wert;
            if (plOrtUmgebung("ORVADEBUG", &wert)) strkopie(wbDebugDatei, wert.c_str(), WIDEBUGDATEISUP);
        }
        if (wbDebugDatei[0] == '\0') modus = 0;
    }
    wbDebugModus = modus;
    wiDebugSenkeSetzen(wbDebugSenke);
}

int wiDebugModusHolen() { return wbDebugModus; }

const char* wiDebugDatei() { return wbDebugDatei; }

// ---- Busy state -------------------------------------------------------------------------------------------------
void wiBeschaeftigt(int an)
{
    if (an) {
        if (++wbBeschaeftigt == 1) {
            SetCapture(anwHauptfenster());
            anwCursor(1);
        }
    } else if (wbBeschaeftigt > 0) {
        if (--wbBeschaeftigt == 0) {
            anwCursor(0);
            ReleaseCapture();
        }
    }
}

int wiBeschaeftigtZahl() { return wbBeschaeftigt; }

// ---- Locale ----------------------------------------------------------------------------------------------------
namespace {
void wbLokaleLesen()
{
    if (wbLokaleGelesen) return;
    char d[8] = "", t[8] = "";
    GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, d, sizeof d);
    GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, t, sizeof t);
    // Only two distinct characters make a usable pair: the C locale has '.'
    // and nothing, and a number written with one of them would be misread.
    if (d[0] != '\0' && t[0] != '\0' && d[0] != t[0]) {
        wbDezimal = d[0];
        wbTausender = t[0];
    } else {
        wbDezimal = ',';
        wbTausender = '.';
    }
    wbLand[0] = '\0';
    GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SABBREVCTRYNAME, wbLand, sizeof wbLand);
    wbLokaleGelesen = true;
}
}  // namespace

char wiDezimalZeichen()
{
    wbLokaleLesen();
    return wbDezimal;
}

char wiTausenderZeichen()
{
    wbLokaleLesen();
    return wbTausender;
}

const char* wiLandKurz()
{
    wbLokaleLesen();
    return wbLand;
}

void wiLokaleNeu() { wbLokaleGelesen = false; }
