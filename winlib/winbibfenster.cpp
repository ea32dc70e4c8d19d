// Window library layer, second half: programs and documents, the main menu
// and the current dialog's menu bar, main-window wrappers, dropped files and
// file lists on the clipboard, keyboard and mouse queries, system values,
// scroll bars and window sizes. Prefix `wi` (file helpers `wf`). May call
// platform/, support/, the dialog manager and the frame record.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/ablegen.h"
#include "platform/benutzer.h"
#include "platform/ctl_scroll.h"
#include "platform/dateisys.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/orte.h"
#include "platform/ressource.h"
#include "platform/shell.h"
#include "platform/systemwerte.h"
#include "platform/zwischenablage.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"

namespace {

HDROP wfDrop = 0;
HDROP wfClip = 0;

std::string wfOrdner(const char* pfad)
{
    std::string s = pfad ? pfad : "";
    size_t p = s.find_last_of("/\\");
    return p == std::string::npos ? std::string() : s.substr(0, p);
}

HMENU wfUnter(HMENU leiste, int untermenue) { return untermenue < 0 ? leiste : GetSubMenu(leiste, untermenue); }

int wfAnhaengen(HMENU leiste, int untermenue, int id, int art, const char* text)
{
    HMENU m = wfUnter(leiste, untermenue);
    if (!m || (art != 0 && art != 1)) return -1;
    BOOL ok = art == 1 ? AppendMenu(m, MF_STRING, static_cast<UINT_PTR>(id), text) : AppendMenu(m, MF_SEPARATOR, 0, nullptr);
    return ok ? GetMenuItemCount(m) - 1 : -1;
}

int wfEinfuegen(HMENU leiste, int vorId, int id, const char* text)
{
    return InsertMenu(leiste, static_cast<UINT>(vorId), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(id), text) ? 0 : -1;
}

int wfEntfernenPos(HMENU leiste, int untermenue, int position)
{
    if (position < 0) return DeleteMenu(leiste, static_cast<UINT>(untermenue), MF_BYPOSITION) ? 0 : -1;
    HMENU m = GetSubMenu(leiste, untermenue);
    return m && DeleteMenu(m, static_cast<UINT>(position), MF_BYPOSITION) ? 0 : -1;
}

int wfLoeschen(HMENU leiste, int id)
{
    return leiste && DeleteMenu(leiste, static_cast<UINT>(id), MF_BYCOMMAND) ? 0 : -1;
}

HMENU wfDlgLeiste() { return GetMenu(wiDlgFenster()); }

// The scroll-bar control of a WM_HSCROLL/WM_VSCROLL, or 0 when the message
// is another or comes from another control.
HWND wfScrollSteuer(int id, UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht != WM_HSCROLL && nachricht != WM_VSCROLL) return 0;
    HWND steuer = GetDlgItem(wiDlgFenster(), id);
    if (!steuer || static_cast<HWND>(lp) != steuer || LOWORD(wp) > SB_BOTTOM) return 0;
    return steuer;
}

// The 32-bit track position: the message's high word holds only 16 bits.
int wfTrackPos(HWND steuer, WPARAM wp)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    if (GetScrollInfo(steuer, SB_CTL, &si)) return si.nTrackPos;
    return HIWORD(wp);
}

int wfKlemmen(int wert, int min, int max) { return wert < min ? min : wert > max ? max : wert; }

}  // namespace

// ---- Programs and documents ---------------------------------------------------------------------
int wiProgrammStarten(const char* kommando) { return static_cast<int>(WinExec(kommando, SW_SHOWNORMAL)); }

int wiShellOeffnen(const char* dokument)
{
    std::string ordner = wfOrdner(dokument);
    return static_cast<int>(ShellExecute(anwHauptfenster(), nullptr, dokument, nullptr,
                                         ordner.empty() ? nullptr : ordner.c_str(), SW_SHOWNORMAL));
}

int wiShellStarten(const char* programm, const char* parameter, const char* ordner)
{
    return static_cast<int>(ShellExecute(GetDesktopWindow(), "open", programm, parameter, ordner, SW_SHOWNORMAL));
}

int wiShellStartenIn(const char* programm, const char* datei)
{
    struct stat st;
    if (!datei || plDsStat(datei, &st) != 0) return 0;
    std::string ordner = wfOrdner(datei);
    return wiShellStarten(programm, datei, ordner.empty() ? nullptr : ordner.c_str());
}

int wiProgrammFinden(const char* dokument, char* ergebnis)
{
    ergebnis[0] = '\0';
    std::string ordner = wfOrdner(dokument);
    return static_cast<int>(FindExecutable(dokument, ordner.empty() ? nullptr : ordner.c_str(), ergebnis));
}

int wiProgrammFuerEndung(const char* name, char* ergebnis)
{
    ergebnis[0] = '\0';
    if (!name || !*name) return 0;
    const char* punkt = std::strrchr(name, '.');
    std::string pfad = plOrtTemp() + "/wiendung" + (punkt ? punkt : "");
    if (plDsDateiErsetzen(pfad.c_str(), "Murks", 5) != 0) return 0;
    int r = static_cast<int>(FindExecutable(pfad.c_str(), nullptr, ergebnis));
    plDsLoeschen(pfad.c_str());
    return r;
}

// ---- Main menu -------------------------------------------------------------------------------------------
int wiMenuSetzen(const char* name)
{
    HMENU neu = LoadMenu(anwInstanz(), name);
    if (!neu) return 0;
    HMENU alt = anwDaten()->menue;
    SetMenu(anwHauptfenster(), neu);
    anwDaten()->menue = neu;
    if (alt && alt != neu) DestroyMenu(alt);
    DrawMenuBar(anwHauptfenster());
    return 1;
}

int wiMenuAnhaengen(int untermenue, int id, int art, const char* text)
{
    return wfAnhaengen(anwDaten()->menue, untermenue, id, art, text);
}

int wiMenuEinfuegen(int vorId, int id, const char* text) { return wfEinfuegen(anwDaten()->menue, vorId, id, text); }

int wiMenuEinfuegenPos(int untermenue, int position, int id, const char* text)
{
    HMENU m = GetSubMenu(anwDaten()->menue, untermenue);
    return m && InsertMenu(m, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING, static_cast<UINT_PTR>(id), text)
               ? 0
               : -1;
}

int wiMenuEntfernenPos(int untermenue, int position) { return wfEntfernenPos(anwDaten()->menue, untermenue, position); }

int wiMenuLoeschen(int id) { return wfLoeschen(anwDaten()->menue, id); }

void wiMenuAlleFrei(int frei)
{
    HMENU m = anwDaten()->menue;
    for (int i = 0; i < GetMenuItemCount(m); ++i)
        EnableMenuItem(m, static_cast<UINT>(i), MF_BYPOSITION | (frei ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(anwHauptfenster());
}

void wiMenuPosFrei(int position, int frei)
{
    EnableMenuItem(anwDaten()->menue, static_cast<UINT>(position), MF_BYPOSITION | (frei ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(anwHauptfenster());
}

void wiMenuFrei(int id, int frei)
{
    EnableMenuItem(anwDaten()->menue, static_cast<UINT>(id), MF_BYCOMMAND | (frei ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(anwHauptfenster());
}

void wiMenuHaken(int id, int haken)
{
    CheckMenuItem(anwDaten()->menue, static_cast<UINT>(id), MF_BYCOMMAND | (haken ? MF_CHECKED : MF_UNCHECKED));
    DrawMenuBar(anwHauptfenster());
}

// ---- Menu bars of the current dialog ------------------------------------------------------------------
int wiDlgMenuSetzen(const char* name)
{
    char dlgName[DLGNAMESUP + 1];
    HMENU neu = LoadMenu(wiDlgModul(wiDlgName(dlgName)), name);
    if (!neu) return 0;
    HWND dlg = wiDlgFenster();
    HMENU alt = GetMenu(dlg);
    SetMenu(dlg, neu);
    if (alt && alt != neu) DestroyMenu(alt);
    return 1;
}

void wiDlgMenuWeg()
{
    HWND dlg = wiDlgFenster();
    HMENU alt = GetMenu(dlg);
    SetMenu(dlg, 0);
    if (alt) DestroyMenu(alt);
}

int wiDlgLeisteAnhaengen(int untermenue, int id, int art, const char* text)
{
    int r = wfAnhaengen(wfDlgLeiste(), untermenue, id, art, text);
    DrawMenuBar(wiDlgFenster());
    return r;
}

int wiDlgLeisteEinfuegen(int vorId, int id, const char* text) { return wfEinfuegen(wfDlgLeiste(), vorId, id, text); }

int wiDlgLeisteEntfernenPos(int untermenue, int position)
{
    return wfEntfernenPos(wfDlgLeiste(), untermenue, position);
}

int wiDlgLeisteLoeschen(int id) { return wfLoeschen(wfDlgLeiste(), id); }

void wiDlgLeisteFrei(int id, int frei)
{
    EnableMenuItem(wfDlgLeiste(), static_cast<UINT>(id), MF_BYCOMMAND | (frei ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(anwHauptfenster());
    DrawMenuBar(wiDlgFenster());
}

void wiDlgLeisteHaken(int id, int haken)
{
    CheckMenuItem(wfDlgLeiste(), static_cast<UINT>(id), MF_BYCOMMAND | (haken ? MF_CHECKED : MF_UNCHECKED));
    DrawMenuBar(anwHauptfenster());
    DrawMenuBar(wiDlgFenster());
}

int wiDlgLeisteEintrag(int untermenue, int id, const char* text)
{
    return wfAnhaengen(wfDlgLeiste(), untermenue, id, id ? 1 : 0, text);
}

// ---- Main window and windows ----------------------------------------------------------------------------
void wiTitelSetzen(const char* text) { SetWindowText(anwHauptfenster(), text); }

void wiMaximieren()
{
    ShowWindow(anwHauptfenster(), SW_SHOWMAXIMIZED);
    UpdateWindow(anwHauptfenster());
}

void wiMinimieren()
{
    ShowWindow(anwHauptfenster(), SW_SHOWMINIMIZED);
    UpdateWindow(anwHauptfenster());
}

void wiVerstecken() { ShowWindow(anwHauptfenster(), SW_HIDE); }

void wiMinimierenPost() { PostMessage(anwHauptfenster(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }

void wiFensterZeigen(HWND fenster, int x, int y, int b, int h)
{
    ShowWindow(fenster, SW_SHOWNORMAL);
    MoveWindow(fenster, x, y, b, h, TRUE);
    UpdateWindow(fenster);
}

void wiFensterRechteck(HWND fenster, RECT* r)
{
    *r = RECT{};
    GetWindowRect(fenster, r);
}

void wiFensterSchliessen(HWND fenster) { PostMessage(fenster, WM_CLOSE, 0, 0); }

void wiZeigen(HWND fenster, int zeigen)
{
    if (zeigen) {
        ShowWindow(fenster, SW_SHOW);
        EnableWindow(fenster, TRUE);
        SetActiveWindow(fenster);
    } else {
        ShowWindow(fenster, SW_HIDE);
        EnableWindow(fenster, FALSE);
    }
}

BOOL wiPostMessage(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp) { return PostMessage(fenster, nachricht, wp, lp); }

LRESULT wiSendMessage(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp) { return SendMessage(fenster, nachricht, wp, lp); }

void wiVordergrund(HWND fenster) { SetForegroundWindow(fenster); }

void wiFensterAuffrischen(HWND fenster) { UpdateWindow(fenster); }

int wiIstFenster(HWND fenster) { return IsWindow(fenster) ? 1 : 0; }

int wiIstFrei(HWND fenster) { return IsWindowEnabled(fenster) ? 1 : 0; }

int wiIstSichtbar(HWND fenster) { return IsWindowVisible(fenster) ? 1 : 0; }

// ---- Dropped files and file lists on the clipboard ---------------------------------------------------------
void wiDropAn(HWND fenster, int an) { DragAcceptFiles(fenster, an ? TRUE : FALSE); }

int wiDropStart(HDROP drop)
{
    wfDrop = drop;
    return static_cast<int>(DragQueryFile(drop, 0xFFFFFFFFu, nullptr, 0));
}

int wiDropDatei(int n, char* puffer)
{
    puffer[0] = '\0';
    return static_cast<int>(DragQueryFile(wfDrop, static_cast<UINT>(n), puffer, WIDROPPFADSUP + 1));
}

void wiDropEnde()
{
    if (wfDrop) DragFinish(wfDrop);
    wfDrop = 0;
}

int wiClipDateiErste(char* puffer)
{
    puffer[0] = '\0';
    int gefunden = 0;
    if (OpenClipboard(anwHauptfenster())) {
        HDROP h = static_cast<HDROP>(GetClipboardData(CF_HDROP));
        if (h && DragQueryFile(h, 0xFFFFFFFFu, nullptr, 0) > 0) {
            DragQueryFile(h, 0, puffer, WIDROPPFADSUP + 1);
            gefunden = 1;
        }
        CloseClipboard();
    }
    return gefunden;
}

int wiClipDateiAnzahl()
{
    wfClip = 0;
    if (!OpenClipboard(anwHauptfenster())) return 0;
    wfClip = static_cast<HDROP>(GetClipboardData(CF_HDROP));
    return wfClip ? static_cast<int>(DragQueryFile(wfClip, 0xFFFFFFFFu, nullptr, 0)) : 0;
}

int wiClipDatei(int n, char* puffer)
{
    puffer[0] = '\0';
    return wfClip ? static_cast<int>(DragQueryFile(wfClip, static_cast<UINT>(n), puffer, WIDROPPFADSUP + 1)) : 0;
}

void wiClipSchliessen()
{
    wfClip = 0;
    CloseClipboard();
}

// ---- Keyboard and mouse ----------------------------------------------------------------------------------------
int wiTaste(int art)
{
    int vk = art == 0 ? VK_SHIFT : art == 1 ? VK_CONTROL : art == 2 ? VK_MENU : 0;
    return vk && GetKeyState(vk) < 0 ? 1 : 0;
}

int wiShift() { return wiTaste(0); }

int wiStrg() { return wiTaste(1); }

int wiTasteZeichen(int vk)
{
    BYTE zustand[256];
    GetKeyboardState(zustand);
    WORD zeichen = 0;
    if (ToAscii(static_cast<UINT>(vk), 0, zustand, &zeichen, 0) != 1) return 0;
    return zeichen & 0xFF;
}

void wiMausPos(int* x, int* y)
{
    POINT p{0, 0};
    GetCursorPos(&p);
    if (x) *x = p.x;
    if (y) *y = p.y;
}

int wiMausItemId()
{
    POINT p{0, 0};
    GetCursorPos(&p);
    HWND h = WindowFromPoint(p);
    return h ? GetDlgCtrlID(h) : 0;
}

// ---- System -------------------------------------------------------------------------------------------------------
int wiBenutzer(char* puffer)
{
    DWORD groesse = 81;
    if (!GetUserName(puffer, &groesse)) {
        puffer[0] = '\0';
        return 0;
    }
    return 1;
}

void wiSystemVersion(char* puffer)
{
    OSVERSIONINFO v{};
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionEx(&v);
    std::snprintf(puffer, 20, "%d.%d", static_cast<int>(v.dwMajorVersion), static_cast<int>(v.dwMinorVersion));
}

void wiPiep() { MessageBeep(0xFFFFFFFFu); }

HMODULE wiLoadLibrary(const char* name) { return LoadLibrary(name); }

void wiFreeLibrary(HMODULE modul) { FreeLibrary(modul); }

HWND wiFokus(HWND fenster) { return SetFocus(fenster); }

// ---- Scroll bars and sizes ------------------------------------------------------------------------------------------
void wiScrollSetzen(int id, int position, int min, int max, int seite)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    si.nMin = min;
    si.nMax = max;
    si.nPage = static_cast<UINT>(seite < 0 ? 0 : seite);
    si.nPos = position;
    SetScrollInfo(GetDlgItem(wiDlgFenster(), id), SB_CTL, &si, TRUE);
}

int wiScrollNachricht(int id, UINT nachricht, WPARAM wp, LPARAM lp, int* position, int min, int max, int seite)
{
    HWND steuer = wfScrollSteuer(id, nachricht, wp, lp);
    if (!steuer) return 0;
    int p = *position;
    switch (LOWORD(wp)) {
    case SB_LINEUP:
        p = wfKlemmen(p - 1, min, max);
        break;
    case SB_LINEDOWN:
        p = wfKlemmen(p + 1, min, max);
        break;
    case SB_PAGEUP:
        p = wfKlemmen(p - seite, min, max);
        break;
    case SB_PAGEDOWN:
        p = wfKlemmen(p + seite, min, max);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        p = wfTrackPos(steuer, wp);
        break;
    case SB_TOP:
        p = min;
        break;
    case SB_BOTTOM:
        p = max;
        break;
    default:
        return 0;
    }
    *position = p;
    return 1;
}

int wiScrollCode(int id, UINT nachricht, WPARAM wp, LPARAM lp)
{
    HWND steuer = wfScrollSteuer(id, nachricht, wp, lp);
    if (!steuer) return 0;
    switch (LOWORD(wp)) {
    case SB_LINEUP:
        return -1;
    case SB_LINEDOWN:
        return 1;
    case SB_PAGEUP:
        return -10;
    case SB_PAGEDOWN:
        return 10;
    case SB_THUMBPOSITION:
        return 10000 + wfTrackPos(steuer, wp);
    case SB_THUMBTRACK:
        return 20000 + wfTrackPos(steuer, wp);
    case SB_TOP:
        return -100;
    case SB_BOTTOM:
        return 100;
    default:
        return 0;
    }
}

int wiBreite(HWND fenster)
{
    if (!fenster) return GetSystemMetrics(SM_CXSCREEN);
    RECT r{};
    GetClientRect(fenster, &r);
    return r.right - r.left;
}

int wiHoehe(HWND fenster)
{
    if (!fenster) return GetSystemMetrics(SM_CYSCREEN);
    RECT r{};
    GetClientRect(fenster, &r);
    return r.bottom - r.top;
}

int wiItemBreite(HWND fenster, int id)
{
    RECT r{};
    GetWindowRect(GetDlgItem(fenster, id), &r);
    return r.right - r.left;
}

int wiItemHoehe(HWND fenster, int id)
{
    RECT r{};
    GetWindowRect(GetDlgItem(fenster, id), &r);
    return r.bottom - r.top;
}

void wiKnopfFarbe(int, int rgb[3])
{
    COLORREF c = GetSysColor(COLOR_BTNFACE);
    rgb[0] = GetRValue(c);
    rgb[1] = GetGValue(c);
    rgb[2] = GetBValue(c);
}
