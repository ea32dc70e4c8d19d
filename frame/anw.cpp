// The program's entry WinMain, the settings resource "ANW_CONFIG", the main
// window procedure, the message loop, the about box and the application
// initialisation and exit (AnwInit, AnwEnde). Prefix `anw` / `Anw`.
// May call every lower folder and frame/ (modus.h, funkwahl.h, the command
// files and local commands, the module start-up).
//
// Transitions of the run state (anwLaufZustandSetzen):
//   0 -> 1  RegisterClassEx succeeded (WinMain step 7)
//   1 -> 2  the message loop starts (step 15)
//   2 -> 4  WM_CLOSE, before AnwEnde; 4 -> 5 after it
//   * -> 3  the loop has ended; 3 -> 9 WinMain returns
// The application hook AnwNachricht runs only in state 2.
#include "frame/anw.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/apstil.h"
#include "config/inidatei.h"
#include "config/verzeich.h"
#include "config/reaktion.h"
#include "controls/ctlkern.h"
#include "config/datwache.h"
#include "config/haken.h"
#include "equipment/app.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "equipment/lagerart.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "frame/dde.h"
#include "frame/modstart.h"
#include "output/ansicht.h"
#include "output/bilder.h"
#include "output/dxfexp.h"
#include "output/dxfimp.h"
#include "output/element.h"
#include "output/gdi.h"
#include "output/schrift.h"
#include "output/show.h"
#include "output/tbar.h"
#include "lists/auswertdlg.h"
#include "lists/bmlbearb.h"
#include "output/druck.h"
#include "project/chkdlg.h"
#include "project/dirhist.h"
#include "project/export.h"
#include "project/hbview.h"
#include "project/hilfe.h"
#include "project/impdlg.h"
#include "project/inhalt.h"
#include "project/projneu.h"
#include "project/pvwliste.h"
#include "project/rschreib.h"
#include "project/startbild.h"
#include "project/titeldlg.h"
#include "project/wrz.h"
#include "project/zeitxt.h"
#include "project/zv5.h"
#include "project/proverw.h"
#include "project/zeiops.h"
#include "editor/edtseite.h"
#include "editor/zeidok.h"
#include "editdlg/dbdialog.h"
#include "frame/funkwahl.h"
#include "frame/modus.h"
#include "frame/vgbdlg.h"
#include "platform/accel.h"
#include "platform/bildlader.h"
#include "platform/cp1252.h"
#include "platform/ctl_tooltip.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/lokalbefehl.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/orte.h"
#include "platform/ressource.h"
#include "platform/shell.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "support/dosdatei.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/seitendienst.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

AnwKonfig anwK;

int anwBehandelt = 0;
LRESULT anwHakenWert = 0;
DWORD anwDdeInst = 0;
HSZ anwDienst = 0;
int anwWFlag = 0;
int anwCode = 0;  // exit code of a start that ended before the loop
char anwStartArg[ANWPFADSUP + 1] = "";
std::string anwKommando;

template <size_t N> void anwKopieren(char (&ziel)[N], const char* text)
{
    std::snprintf(ziel, N, "%s", text != nullptr ? text : "");
}

// ASCII comparison ignoring case of the first n characters (n < 0: all).
bool anwGleich(const char* a, const char* b, int n = -1)
{
    for (int i = 0; n < 0 || i < n; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
        if (x == '\0') return true;
    }
    return true;
}

void anwKopie(char* ziel, size_t groesse, const char* text, size_t n)
{
    size_t k = n < groesse - 1 ? n : groesse - 1;
    std::memcpy(ziel, text, k);
    ziel[k] = '\0';
}

// Decimal with optional sign after leading blanks; 0 when none.
int anwDezimal(const char* t)
{
    while (*t == ' ' || *t == '\t') ++t;
    if (*t == '+') ++t;
    int wert = 0;
    std::from_chars(t, t + std::strlen(t), wert);
    return wert;
}

// Hexadecimal digits without prefix; stops at the first other character.
DWORD anwHex(const char* t)
{
    DWORD wert = 0;
    for (; *t; ++t) {
        int z;
        if (*t >= '0' && *t <= '9') z = *t - '0';
        else if (*t >= 'a' && *t <= 'f') z = *t - 'a' + 10;
        else if (*t >= 'A' && *t <= 'F') z = *t - 'A' + 10;
        else break;
        wert = wert * 16 + static_cast<DWORD>(z);
    }
    return wert;
}

void anwEintrag(AnwKonfig* k, const char* schl, const char* wert)
{
    if (!std::strcmp(schl, "Class")) anwKopie(k->klasse, sizeof k->klasse, wert, std::strlen(wert));
    else if (!std::strcmp(schl, "Name")) anwKopie(k->name, sizeof k->name, wert, std::strlen(wert));
    else if (!std::strcmp(schl, "Font")) anwKopie(k->schrift, sizeof k->schrift, wert, std::strlen(wert));
    else if (!std::strcmp(schl, "LargeIcon")) anwKopie(k->iconGross, sizeof k->iconGross, wert, std::strlen(wert));
    else if (!std::strcmp(schl, "SmallIcon")) anwKopie(k->iconKlein, sizeof k->iconKlein, wert, std::strlen(wert));
    else if (!std::strcmp(schl, "Single")) k->single = anwDezimal(wert);
    else if (!std::strcmp(schl, "Maxi")) k->maxi = anwDezimal(wert);
    else if (!std::strcmp(schl, "DDEServer")) k->ddeServer = anwDezimal(wert);
    else if (!std::strcmp(schl, "CStyle")) k->klassenStil = anwHex(wert);
    else if (!std::strcmp(schl, "WStyle")) k->fensterStil = anwHex(wert);
    else if (!std::strcmp(schl, "WPFile")) anwKopie(k->wpDatei, sizeof k->wpDatei, wert, std::strlen(wert));
    else if (!std::strcmp(schl, "WPSection")) anwKopie(k->wpAbschnitt, sizeof k->wpAbschnitt, wert, std::strlen(wert));
    else if (!std::strcmp(schl, "BGColor")) {
        if (anwGleich(wert, "System")) {
            k->bgArt = 1;
        } else {
            int f[3] = {0, 0, 0};
            const char* p = wert;
            for (int i = 0; i < 3; ++i) {
                while (*p == ' ' || *p == '\t') ++p;
                f[i] = anwDezimal(p);
                while (*p && *p != ' ' && *p != '\t') ++p;
            }
            k->bgArt = 2;
            k->bgRot = f[0];
            k->bgGruen = f[1];
            k->bgBlau = f[2];
        }
    } else if (!std::strcmp(schl, "BGBitmap")) {
        k->bgArt = 3;
        anwKopie(k->bgBitmap, sizeof k->bgBitmap, wert, std::strlen(wert));
    }
}

}  // namespace

void anwKonfigLesen(AnwKonfig* k, const char* daten, size_t groesse)
{
    *k = AnwKonfig{};
    anwKopieren(k->klasse, "ORVAtest");
    anwKopieren(k->name, "ORVA Testprogramm");
    anwKopieren(k->schrift, "Fixedsys");
    anwKopieren(k->iconGross, "ANW_ICON");
    anwKopieren(k->iconKlein, "ANW_ICON");
    k->ddeServer = 1;
    k->klassenStil = 8;
    k->fensterStil = 0x3CF0000;
    if (daten == nullptr) return;
    size_t p = 0;
    while (p < groesse && daten[p] != '\0') {
        size_t e = p;
        while (e < groesse && daten[e] != '\0') ++e;
        std::string eintrag(daten + p, e - p);
        size_t blank = eintrag.find(' ');
        if (blank != std::string::npos) {
            std::string schl = eintrag.substr(0, blank);
            size_t w = blank;
            while (w < eintrag.size() && (eintrag[w] == ' ' || eintrag[w] == '\t')) ++w;
            anwEintrag(k, schl.c_str(), eintrag.c_str() + w);
        }
        // The entry's two closing zero bytes.
        p = e;
        for (int i = 0; i < 2 && p < groesse && daten[p] == '\0'; ++i) ++p;
    }
}

// A second start of a single-instance program: the running one gets the
// folder or file named here (the "open" of its local command service) and
// comes to the front; an empty "open" only brings it to the front. The
// second start itself shows nothing and ends with 0.
void anwWeitergeben()
{
    AnwSchalter s;
    anwSchalterLesen(&s);
    char pfad[ANWPFADSUP + 1] = "";
    if (s.start[0]) {
        anwKopieren(pfad, s.start);
        PfadAbsolut(pfad);
    }
    std::string befehl = std::string("open ") + pfad;
    if (DdeKlient(anwK.klasse, "system", befehl.c_str()) < 0)
        std::fprintf(stderr, "velmo: das laufende Velmo antwortet nicht.\n");
    DdeKlientEnde();
}

const AnwKonfig& anwKonfig()
{
    return anwK;
}

void anwErgebnis(LRESULT wert)
{
    anwBehandelt = 1;
    anwHakenWert = wert;
}

int anwNichtInteraktiv()
{
    return anwWFlag;
}

const char* anwStartArgument()
{
    return anwStartArg;
}

namespace {

void anwHaken(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (anwLaufZustand() == 2) AnwNachricht(nachricht, wp, lp);
}

LRESULT anwEnde(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (anwBehandelt) return anwHakenWert;
    return DefWindowProc(fenster, nachricht, wp, lp);
}

int anwAboutBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht == WM_COMMAND && (LOWORD(wp) == 1 || LOWORD(wp) == 2)) wiDlgSchliessen();
    return 0;
}

// Centred horizontally, one third of the free height down.
int anwAboutInit(int, const char* const*)
{
    HWND dlg = wiDlgFenster();
    RECT r, d;
    GetWindowRect(dlg, &r);
    SystemParametersInfo(SPI_GETWORKAREA, 0, &d, 0);
    int b = r.right - r.left, h = r.bottom - r.top;
    MoveWindow(dlg, d.left + (d.right - d.left - b) / 2, d.top + (d.bottom - d.top - h) / 3, b, h, TRUE);
    return 0;
}

// Application-modal: every other window is disabled until OK, Esc or the
// close button ends it, so it must be seen whatever its template says.
void anwAbout()
{
    HWND dlg = wiDlgErzeugen("ANW_ABOUT", anwAboutInit, nullptr, anwAboutBefehl, 0, 0, nullptr, 0, 2, 0, 0,
                             nullptr);
    if (dlg && IsWindow(dlg)) {
        ShowWindow(dlg, SW_SHOW);
        SetForegroundWindow(dlg);
    }
}

}  // namespace

LRESULT CALLBACK anwFensterProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp)
{
    anwBehandelt = 0;
    switch (nachricht) {
    case WM_CLOSE:
        // A changed drawing may be saved, dropped, or the close cancelled
        // (Esc): the page's own question on closing has no cancel.
        if (anwLaufZustand() == 2 && EdtFenster() != 0 && !ZeiFrageSpeichern()) return 0;
        wiPlatzSichern(fenster, "MainWindow", anwK.wpAbschnitt);
        anwLaufZustandSetzen(4);
        wiDlgAlleSchliessen();
        AnwEnde();
        anwLaufZustandSetzen(5);
        return DefWindowProc(fenster, nachricht, wp, lp);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        wiStatusPlatz(LOWORD(lp), HIWORD(lp));
        anwHaken(nachricht, wp, lp);
        return anwEnde(fenster, nachricht, wp, lp);
    case WM_NOTIFY: {
        auto* kopf = reinterpret_cast<NMHDR*>(lp);
        if (kopf != nullptr && kopf->code == TTN_GETDISPINFO) {
            auto* info = reinterpret_cast<NMTTDISPINFO*>(lp);
            char text[WITBARTEXTSUP + 1] = "";
            wiTbarText(static_cast<int>(kopf->idFrom), text);
            anwKopieren(info->szText, text);
        }
        anwHaken(nachricht, wp, lp);
        return anwEnde(fenster, nachricht, wp, lp);
    }
    case WM_DRAWITEM:
        if (anwLaufZustand() == 2) {
            AnwNachricht(nachricht, wp, lp);
            return 1;
        }
        return anwEnde(fenster, nachricht, wp, lp);
    case WM_COMMAND:
        if (LOWORD(wp) == 1998) PostMessage(fenster, WM_CLOSE, 0, 0);
        else if (LOWORD(wp) == 1999) anwAbout();
        else anwHaken(nachricht, wp, lp);
        return 0;
    default:
        anwHaken(nachricht, wp, lp);
        return anwEnde(fenster, nachricht, wp, lp);
    }
}

namespace {

// Step 10: height = the vertical dialog base unit in pixels.
void anwDlgSchrift()
{
    anwdaten* a = anwDaten();
    int hoehe = HIWORD(GetDialogBaseUnits());
    char name[ANWSCHRIFTSUP + 1];
    anwKopieren(name, anwK.schrift);
    int breite = 0;
    if (!std::strcmp(anwK.schrift, "*")) {
        name[0] = '\0';
        char gefunden[WISCHRIFTSUP + 1] = "";
        int b = 0;
        if (wiFestSchrift(gefunden, &b)) {
            anwKopieren(name, gefunden);
            breite = b;
        }
    }
    if (name[0]) {
        a->dlgSchrift = CreateFont(hoehe, breite, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, name);
    } else {
        a->dlgSchrift = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    }
}

void anwHintergrund()
{
    switch (anwK.bgArt) {
    case 1: anwHintergrundSetzen(GetSysColorBrush(COLOR_WINDOW)); break;
    case 2: anwHintergrundFarbe(anwK.bgRot, anwK.bgGruen, anwK.bgBlau); break;
    case 3: {
        HBITMAP bm = LoadBitmap(anwInstanz(), anwK.bgBitmap);
        if (bm) anwHintergrundSetzen(CreatePatternBrush(bm));
        break;
    }
    default: break;
    }
    if (anwDaten()->hintergrund == 0) anwHintergrundSetzen(CreateSolidBrush(GetSysColor(COLOR_APPWORKSPACE)));
}

int anwSchleife()
{
    MSG msg;
    while (GetMessage(&msg, 0, 0, 0) > 0) {
        if (InSendMessage()) ReplyMessage(0);
        if (TranslateAccelerator(anwHauptfenster(), anwDaten()->accel, &msg)) continue;
        if (wiDlgNachricht(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void anwNachSchleife()
{
    anwdaten* a = anwDaten();
    anwLaufZustandSetzen(3);
    if (a->dlgSchrift && a->dlgSchrift != static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT))) {
        DeleteObject(a->dlgSchrift);
    }
    a->dlgSchrift = 0;
    if (a->hintergrund) DeleteObject(a->hintergrund);
    a->hintergrund = 0;
    if (anwK.ddeServer && anwDdeInst) {
        DdeNameService(anwDdeInst, anwDienst, 0, DNS_UNREGISTER);
        DdeFreeStringHandle(anwDdeInst, anwDienst);
        DdeUninitialize(anwDdeInst);
    }
    anwDdeInst = 0;
    anwDienst = 0;
    DdeInstanzSetzen(0);
    DdeKlientEnde();
    plLokalKlasseAbmelden(anwK.klasse);
    UnregisterClass(a->klassenName, a->instanz);
    wiDlgFrei();
    wiBibEnde();
}

// Start-up failed after the window library was started.
int anwAbbruch()
{
    plLokalKlasseAbmelden(anwK.klasse);
    wiDlgFrei();
    wiBibEnde();
    anwLaufZustandSetzen(9);
    return -1;
}

bool anwPlatzLaden(int zeigen)
{
    switch (zeigen) {
    case SW_SHOWNORMAL: case SW_SHOWMINIMIZED: case SW_SHOWMAXIMIZED: case SW_SHOWNOACTIVATE:
    case SW_SHOW: case SW_SHOWNA: case SW_RESTORE: case SW_SHOWDEFAULT: return true;
    default: return false;
    }
}

}  // namespace

int anwStart(HINSTANCE instanz, const char* kommandozeile, int zeigen)
{
    // 1
    anwZuruecksetzen();
    anwLaufZustandSetzen(0);
    anwdaten* a = anwDaten();
    anwKommando = kommandozeile != nullptr ? kommandozeile : "";
    a->kommandozeile = anwKommando.data();
    a->instanz = instanz;
    anwBehandelt = 0;
    anwWFlag = 0;
    anwCode = 0;
    ModusZuruecksetzen();
    anwStartArg[0] = '\0';
    // 2
    HRSRC res = FindResource(instanz, "ANW_CONFIG", RT_RCDATA);
    if (res) {
        HGLOBAL g = LoadResource(instanz, res);
        anwKonfigLesen(&anwK, static_cast<const char*>(LockResource(g)), SizeofResource(instanz, res));
    } else {
        anwKonfigLesen(&anwK, nullptr, 0);
    }
    anwTitelSetzen(anwK.name);
    std::snprintf(a->klassenName, ANWKLASSESUP + 1, "%s", anwK.klasse);
    // 3: a live server socket of the class name is a window of the class.
    int andere = FindWindow(anwK.klasse, nullptr) != 0;
    anwAndereInstanzSetzen(andere);
    if (anwK.single && andere) {
        anwWeitergeben();
        // The command file cannot go over: whoever started it must learn
        // that none of its lines ran.
        AnwSchalter s;
        anwSchalterLesen(&s);
        if (s.befehlsdatei[0]) {
            std::fprintf(stderr,
                         "velmo: Fehler: Velmo l\xC3\xA4uft schon; die Befehlsdatei %s wird nicht abgearbeitet. "
                         "Erst das laufende Velmo beenden.\n",
                         plCpNachUtf8(s.befehlsdatei).c_str());
            anwCode = LAUF_ANDERE;
        }
        return -1;
    }
    plLokalKlasseMelden(anwK.klasse);
    // 4, 5
    wiIniDatei(anwK.wpDatei);
    wiDlgInit();
    if (ctlKlassenAnmelden() < 0) return anwAbbruch();
    // 6
    anwHintergrund();
    // 7
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.style = anwK.klassenStil;
    wc.lpfnWndProc = anwFensterProc;
    wc.hInstance = instanz;
    wc.hIcon = LoadIcon(instanz, anwK.iconGross);
    wc.hCursor = LoadCursor(0, IDC_ARROW);
    wc.hbrBackground = a->hintergrund;
    wc.lpszClassName = a->klassenName;
    wc.hIconSm = LoadIcon(instanz, anwK.iconKlein);
    if (!RegisterClassEx(&wc)) return anwAbbruch();
    anwLaufZustandSetzen(1);
    // 8
    a->menue = LoadMenu(instanz, "ANW_MENU");
    wiAccelZuruecksetzen();
    a->accel = LoadAccelerators(instanz, "ANW_ACCEL");
    a->pfeilCursor = LoadCursor(0, IDC_ARROW);
    a->warteCursor = LoadCursor(0, IDC_WAIT);
    a->sonderCursor = LoadCursor(instanz, "BRI_CUR");
    // 9
    HWND hw = CreateWindowEx(0, a->klassenName, anwTitel(), anwK.fensterStil, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, 0, a->menue, instanz, nullptr);
    if (!hw) {
        UnregisterClass(a->klassenName, instanz);
        return anwAbbruch();
    }
    a->hauptfenster = hw;
    // 10, 11
    anwDlgSchrift();
    InitCommonControls();
    // 12
    if (AnwInit() < 0) {
        DestroyWindow(hw);
        anwNachSchleife();
        anwLaufZustandSetzen(9);
        return -1;
    }
    // 13: the window appears with the title the start gives it.
    const bool titelFertig = ModusStartTitel();
    if (anwPlatzLaden(zeigen)) {
        int platz = wiPlatzLaden(hw, "MainWindow", anwK.wpAbschnitt, 0);
        ShowWindow(hw, platz == 2 && anwK.maxi ? SW_SHOWMAXIMIZED : zeigen);
    } else {
        ShowWindow(hw, zeigen);
    }
    // Painted whole (the status bar too): the desktop shows the window
    // once its first picture is complete, before the start command builds
    // the project page. A start folder changes the title in that command:
    // the window is painted, and so shown, after it.
    if (titelFertig) RedrawWindow(hw, nullptr, 0, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // 14
    if (anwK.ddeServer) {
        if (DdeInitialize(&anwDdeInst, DdeServerRueckruf,
                          APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_SKIP_CONNECT_CONFIRMS |
                              CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS | CBF_SKIP_DISCONNECTS,
                          0) == DMLERR_NO_ERROR) {
            DdeInstanzSetzen(anwDdeInst);
            anwDienst = DdeCreateStringHandle(anwDdeInst, anwK.klasse, CP_WINANSI);
            DdeNameService(anwDdeInst, anwDienst, 0, DNS_REGISTER);
        }
    }
    // 15
    anwLaufZustandSetzen(2);
    return 0;
}

int anwLauf()
{
    return anwSchleife();
}

void anwSchluss()
{
    anwNachSchleife();
    anwLaufZustandSetzen(9);
}

int anwStartCode()
{
    return anwCode;
}

int WinMain(HINSTANCE instanz, HINSTANCE, const char* kommandozeile, int zeigen)
{
    if (anwStart(instanz, kommandozeile, zeigen) < 0) return anwCode;
    int code = anwLauf();
    anwSchluss();
    return LaufEndcode(code);
}


void anwSchalterLesen(AnwSchalter* s)
{
    s->wFlag = 0;
    s->befehlsdatei[0] = '\0';
    s->start[0] = '\0';
    for (int i = 1; i < wiArgumentAnzahl(); ++i) {
        const char* w = wiArgument(i);
        if (w == nullptr) continue;
        if (w[0] == '-') {
            if (anwGleich(w, "-W=", 3)) s->wFlag = anwDezimal(w + 3);
            else if (anwGleich(w, "-A=", 3)) anwKopieren(s->befehlsdatei, w + 3);
            continue;
        }
        anwKopieren(s->start, w);
    }
}

bool anwOhneBenutzer(const AnwSchalter& s)
{
    return s.wFlag != 0 || s.befehlsdatei[0] != '\0';
}

int AnwInit()
{
    HWND hw = anwHauptfenster();
    // 1: the log stays in the start directory; until the module start-up
    // records the working directory, it is the process's own.
    if (VerAktuell()[0] == '\0') {
        char cwd[DATVERZSUP];
        if (dosgetcwd(cwd) == 0) VerAktuellSetzen(cwd);
    }
    LogPfad();
    wiDlgAktivHaken(DlgSchliessHaken);           // 2
    wiSeitenDienstSetzen({SeiteAnmelden, SeiteAbmelden, ModusSetzen, BefehlVerteilen, HauptPost, ModusUmschalten, Modus,
                          UmschaltenAuf, VgbGruppeEditieren});
    IniUebernehmen(plOrtDaten().c_str());        // 3
    DdeUmschaltenSetzen(UmschaltenAuf);
    ZoHakenSetzen({nullptr, nullptr, DdeDateiMelden});  // drawing operations tell the siblings
    PvwRahmenSetzen({BefehlNachSchliessen, EditorMitDatei, AnzeigeMitDatei, DdeDateiMelden, DdeKlient, AwDefOeffnen,
                     EdtZeiLaden});  // the project page reaches the frame
    // The viewer selects its drawing in the project page and prints.
    ShowDiensteSetzen({PvwZeiWaehlen, LayerAnzeigeDlg, DruckStart, ZeichnungDrucken, DruckEnde});
    ModNachEinstellungenSetzen(NachEinstellungen);
    ModuleStarten();                             // 4
    wiMenuTexteInit();                           // 5
    ToolbarBibLaden();
    wiTooltipsInit();
    EddbAnmelden();                              // 6
    BmlAnmelden();
    wiDlgHaken(anwDlgStil, nullptr, nullptr, nullptr, nullptr);  // 7
    OFSchriftenLaden();                          // 8
    BildBibLaden();                              // 9
    HandbuchInit();
    AnsichtKlasseAnmelden();
    AusgabeInit();
    char breiten[100];                           // 10
    std::snprintf(breiten, sizeof breiten, TextNr(2), FUNKBREITE_DE);
    wiStatusLeiste(breiten);
    PvwOrdnerLaden();                            // 11
    DateiHistorieLaden();
    AnwSchalter schalter;                        // 12
    anwSchalterLesen(&schalter);
    anwWFlag = schalter.wFlag;
    anwKopieren(anwStartArg, schalter.start);
    if (schalter.befehlsdatei[0]) {              // 13
        anwWFlag = 1;
        if (BefehlsdateiOeffnen(schalter.befehlsdatei) < 0) {
            // Nobody would ever end a run that waits for commands that
            // cannot come: say so and end with 1.
            std::fprintf(stderr, "velmo: die Befehlsdatei %s ist nicht vorhanden oder nicht lesbar.\n",
                         plCpNachUtf8(schalter.befehlsdatei).c_str());
            AnwEnde();
            anwCode = 1;
            return -1;
        }
    }
    SetTimer(hw, 1, 1, nullptr);                 // 14
    PostMessage(hw, WM_COMMAND, 5000, 0);        // 15
    return 0;
}

void AnwEnde()
{
    HWND hw = anwHauptfenster();
    KillTimer(hw, 1);
    DateiHistorieSichern();
    PvwOrdnerSichern();
    HandbuchEnde();
    BildBibFrei();
    AusgabeEnde();
    AnsichtKlasseAbmelden();
    wiMenuTexteEnde();
    SpellEnde();
    ModuleBeenden();
    wiStatusWeg();
    EddbFreigeben();
    OFSchriftenFrei();
    wiDlgHaken(nullptr, nullptr, nullptr, nullptr, nullptr);
    wiTooltipsEnde();
    ToolbarBibFrei();
    wiDlgAktivHaken(nullptr);
    wiSeitenDienstZuruecksetzen();
    ShowDiensteZuruecksetzen();
    Aufwischen();
    ctlKlassenAbmelden();
}
