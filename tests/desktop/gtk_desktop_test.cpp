// The desktop backend on a real X server (run under xvfb-run, no window
// manager): the sample dialog typed into with xdotool ends in the same
// control state as on the headless backend and shows on screen as the
// layer drew it; the clipboard reaches xclip and back; files dragged onto
// a window arrive as WM_DROPFILES; printing through the GTK print path
// writes a PDF qpdf accepts; the backend choice without a display.
#include <gtest/gtest.h>

#include <cairo.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "output/clip.h"
#include "platform/ablegen.h"
#include "platform/bild.h"
#include "platform/backend.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/drucker.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/globalmem.h"
#include "platform/gtk/gtkbackend.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/systemwerte.h"
#include "platform/uhr.h"
#include "platform/zwischenablage.h"
#include "tests/desktop/desktop_pruef.h"

namespace {

constexpr int IDC_NAME = 101, IDC_EIN = 111, IDC_ZWEI = 112, IDC_DREI = 113, IDC_GEPRUEFT = 120,
              IDC_TEILWEISE = 121;

std::string ordner()
{
    static std::string o = [] {
        char vorlage[] = "/tmp/velmo-desktop-XXXXXX";
        const char* d = mkdtemp(vorlage);
        return std::string(d ? d : "/tmp");
    }();
    return o;
}

// The modeless dialog of the test's message loop (0: none).
HWND schleifenDialog = 0;

// The loop of a program: takes what waits, lets GTK deliver for a few
// milliseconds, until `bis` holds or `ms` passed. True when `bis` held
// (or, without `bis`, always).
bool pumpen(int ms, const std::function<bool()>& bis = nullptr)
{
    return desktopPumpen(ms, bis, schleifenDialog);
}

// Runs a shell command while the program keeps pumping (xclip talks to us
// while it runs). Exit code (-1 when it had to be killed) and its output.
int ausfuehren(const std::string& befehl, std::string* aus = nullptr, int maxMs = 15000)
{
    return desktopAusfuehren(befehl, ordner() + "/ausgabe", aus, maxMs, schleifenDialog);
}

// Runs `xclip -i` with `inhalt` as target `ziel` and pumps until xclip,
// which takes the clipboard only after it went to the background, answers
// with it. True when it does.
bool xclipNimmt(const std::string& ziel, const std::string& inhalt)
{
    std::string quelle = ordner() + "/quelle";
    std::ofstream(quelle, std::ios::binary) << inhalt;
    if (ausfuehren("xclip -selection clipboard -t " + ziel + " -i '" + quelle + "'") != 0) return false;
    std::string zurueck;
    return pumpen(5000, [&] {
        return ausfuehren("xclip -selection clipboard -o -t " + ziel, &zurueck) == 0 && zurueck == inhalt;
    });
}

void backendNehmen(const char* name)
{
    plFensterSystemEnde();
    plBackendEnde();
    setenv("VELMO_BACKEND", name, 1);
    ASSERT_EQ(plFensterSystemStart(), 0);
    ASSERT_STREQ(plBackendName(), name);
}

LRESULT CALLBACK tastenFeldProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
    return DefWindowProc(h, msg, wp, lp);
}

INT_PTR CALLBACK probeProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG ? TRUE : FALSE;
}

class Desktop : public ::testing::Test {
protected:
    void SetUp() override { backendNehmen("gtk"); }
    void TearDown() override
    {
        plClipEnde();
        plFensterSystemEnde();
    }

    static HWND probeOeffnen(HMODULE modul)
    {
        plDialogKlassenSichern();
        WNDCLASS wc{};
        wc.lpfnWndProc = tastenFeldProc;
        wc.lpszClassName = "TastenFeld";
        RegisterClass(&wc);
        HWND d = CreateDialogParam(modul, "probe", 0, probeProc, 0);
        EXPECT_NE(d, 0u);
        ShowWindow(d, SW_SHOW);
        return d;
    }

    static std::string zustand(HWND d)
    {
        char name[64] = "";
        GetDlgItemText(d, IDC_NAME, name, sizeof name);
        std::ostringstream s;
        s << "name=" << name << " ein=" << IsDlgButtonChecked(d, IDC_EIN) << " zwei=" << IsDlgButtonChecked(d, IDC_ZWEI)
          << " drei=" << IsDlgButtonChecked(d, IDC_DREI) << " geprueft=" << IsDlgButtonChecked(d, IDC_GEPRUEFT)
          << " teilweise=" << IsDlgButtonChecked(d, IDC_TEILWEISE) << " fokus=" << GetDlgCtrlID(GetFocus());
        return s.str();
    }
};

cairo_surface_t* pngLaden(const std::string& pfad)
{
    cairo_surface_t* s = cairo_image_surface_create_from_png(pfad.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    return s;
}

uint32_t pixel(cairo_surface_t* s, int x, int y)
{
    cairo_surface_flush(s);
    const unsigned char* d = cairo_image_surface_get_data(s);
    uint32_t p;
    std::memcpy(&p, d + static_cast<size_t>(y) * cairo_image_surface_get_stride(s) + 4 * static_cast<size_t>(x), 4);
    return p & 0x00FFFFFF;
}

// The share of a window's client area that the screen shows as the layer
// drew it, `skala` screen pixels to a layer pixel (under a window manager
// its frame is the manager's, not compared). The screenshot is `name`.png.
double bildAnteil(HWND w, int skala, const std::string& name)
{
    const std::string bild = ordner() + "/" + name + ".png", eigen = ordner() + "/" + name + "-eigen.png";
    if (ausfuehren("import -window root '" + bild + "'") != 0 || plFensterPng(w, eigen.c_str()) != 0) return 0;
    cairo_surface_t* schirm = pngLaden(bild);
    cairo_surface_t* fenster = pngLaden(eigen);
    double anteil = 0;
    if (schirm && fenster) {
        RECT wr{}, c{};
        GetWindowRect(w, &wr);
        GetClientRect(w, &c);
        POINT o{0, 0};
        ClientToScreen(w, &o);
        const int sb = cairo_image_surface_get_width(schirm), sh = cairo_image_surface_get_height(schirm);
        const int fb = cairo_image_surface_get_width(fenster), fh = cairo_image_surface_get_height(fenster);
        long gleich = 0, alle = 0;
        for (int y = 0; y < c.bottom; ++y)
            for (int x = 0; x < c.right; ++x) {
                const int fx = o.x - wr.left + x, fy = o.y - wr.top + y;
                const int sx = skala * (o.x + x), sy = skala * (o.y + y);
                if (fx >= fb || fy >= fh || sx + skala > sb || sy + skala > sh) continue;
                ++alle;
                const uint32_t p = pixel(fenster, fx, fy);
                if (p == pixel(schirm, sx, sy) && p == pixel(schirm, sx + skala - 1, sy + skala - 1)) ++gleich;
            }
        anteil = alle > 0 ? static_cast<double>(gleich) / static_cast<double>(alle) : 0;
        std::fprintf(stderr, "%s: %ld von %ld Punkten gleich\n", name.c_str(), gleich, alle);
    }
    if (schirm) cairo_surface_destroy(schirm);
    if (fenster) cairo_surface_destroy(fenster);
    return anteil;
}

TEST_F(Desktop, SampleDialogTypedWithXdotoolEndsAsOnTheHeadlessBackend)
{
    // The same keys on the headless backend first.
    backendNehmen("headless");
    HMODULE modul = LoadLibrary("dlgprobe");
    ASSERT_NE(modul, 0u);
    HWND d = probeOeffnen(modul);
    plHeadlessPumpen();
    plHeadlessText("Gr\xFC\xDF" "e 42?");  // the arrow below is not in code page 1252
    for (UINT vk : {VK_TAB, VK_DOWN, VK_TAB, VK_SPACE}) plHeadlessTaste(vk);
    MSG m;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE))
        if (!IsDialogMessage(d, &m)) {
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
    std::string erwartet = zustand(d);
    EXPECT_NE(erwartet.find("name=Gr\xFC\xDF" "e 42? "), std::string::npos) << erwartet;

    backendNehmen("gtk");
    d = probeOeffnen(modul);
    schleifenDialog = d;
    ASSERT_TRUE(pumpen(5000, [d] { return plGtkSichtbar(d) && plGtkHatFokus(d); }))
        << "the dialog did not get on screen with the keyboard";
    ASSERT_NE(plGtkXFenster(d), 0u);
    ASSERT_EQ(ausfuehren("xdotool type --delay 60 'Grüße 42→'"), 0);
    EXPECT_TRUE(pumpen(3000, [&] { return zustand(d).find("name=Gr\xFC\xDF" "e 42? ") != std::string::npos; }))
        << zustand(d);
    ASSERT_EQ(ausfuehren("xdotool key --delay 60 Tab Down Tab space"), 0);
    pumpen(3000, [&] { return zustand(d) == erwartet; });
    EXPECT_EQ(zustand(d), erwartet);

    // What the X server shows is what the layer drew.
    double anteil = 0;
    EXPECT_TRUE(pumpen(5000, [&] { return (anteil = bildAnteil(d, 1, "bildschirm")) >= 0.99; }))
        << anteil * 100 << " % of the pixels agree";
    std::string kopie = "cp '" + ordner() + "/bildschirm.png' desktop_probe.png";
    EXPECT_EQ(std::system(kopie.c_str()), 0);  // kept beside the build for a look
    schleifenDialog = 0;
    DestroyWindow(d);
    FreeLibrary(modul);
}

TEST_F(Desktop, ClipboardRoundTripsThroughTheXServer)
{
    UINT format = RegisterClipboardFormat("Velmo Probe");
    const unsigned char roh[] = {1, 2, 0, 3, 0xFF};
    ASSERT_TRUE(OpenClipboard(0));
    EmptyClipboard();
    static const char text1252[] = "Gr\xFC\xDF" "e\r\n10 \x80";
    SetClipboardData(CF_TEXT, plGlobalAus(text1252, sizeof text1252));
    SetClipboardData(format, plGlobalAus(roh, sizeof roh));
    CloseClipboard();

    std::string text, daten;
    ASSERT_EQ(ausfuehren("xclip -selection clipboard -o", &text), 0);
    EXPECT_EQ(text, "Gr\xC3\xBC\xC3\x9F" "e\n10 \xE2\x82\xAC");
    ASSERT_EQ(ausfuehren("xclip -selection clipboard -o -t 'application/x-velmo-Velmo Probe'", &daten), 0);
    EXPECT_EQ(daten, std::string(reinterpret_cast<const char*>(roh), sizeof roh));

    // The registered format read back by the program from the X clipboard,
    // not from its own copy.
    plClipFremd();
    ASSERT_TRUE(OpenClipboard(0));
    HGLOBAL g = GetClipboardData(format);
    ASSERT_NE(g, 0u);
    ASSERT_EQ(GlobalSize(g), sizeof roh);
    EXPECT_EQ(std::memcmp(GlobalLock(g), roh, sizeof roh), 0);
    GlobalUnlock(g);
    CloseClipboard();

    // Another program takes the clipboard: the own content goes, its text
    // comes in code page 1252, '?' for what the code page lacks.
    ASSERT_TRUE(xclipNimmt("UTF8_STRING", "Ma\xC3\x9F" "e: 5 \xE2\x82\xAC \xE2\x86\x92 x\nZeile 2"));
    std::string gelesen;
    EXPECT_TRUE(pumpen(3000, [&] {
        gelesen.clear();
        if (!OpenClipboard(0)) return false;
        if (HGLOBAL t = GetClipboardData(CF_TEXT)) {
            gelesen = static_cast<const char*>(GlobalLock(t));
            GlobalUnlock(t);
        }
        CloseClipboard();
        return gelesen == "Ma\xDF" "e: 5 \x80 ? x\r\nZeile 2";
    })) << gelesen;
}

// The drawing clipboard formats between two programs: what this program
// copies, another one (xclip) reads from the X clipboard byte for byte;
// a status block another program puts there is read back, and a foreign
// block shorter than its layout counts as absent.
TEST_F(Desktop, DrawingBlocksTravelBetweenProgramsThroughTheXServer)
{
    const unsigned char zeichnung[] = {5, 0, 0, 0, 'Z', 'E', 'I', 0, 0xFF};
    ASSERT_TRUE(ClipStatusBeginnen("/projekt/Anlage", 12.5, -7.25));
    EXPECT_TRUE(ClipZeichnungDazu(zeichnung, sizeof zeichnung));
    ClipSchliessen();
    std::string status, daten;
    ASSERT_EQ(ausfuehren("xclip -selection clipboard -o -t application/x-velmo-ZavikStatus", &status), 0);
    ASSERT_EQ(status.size(), 224u);
    EXPECT_EQ(std::string(status.c_str()), "/projekt/Anlage");
    double x = 0, y = 0;
    std::memcpy(&x, status.data() + 208, sizeof x);
    std::memcpy(&y, status.data() + 216, sizeof y);
    EXPECT_EQ(x, 12.5);
    EXPECT_EQ(y, -7.25);
    ASSERT_EQ(ausfuehren("xclip -selection clipboard -o -t application/x-velmo-ZavikZeichnung", &daten), 0);
    EXPECT_EQ(daten, std::string(reinterpret_cast<const char*>(zeichnung), sizeof zeichnung));

    std::string fremd(224, '\0');
    std::memcpy(&fremd[0], "/anderes", 8);
    const double fx = 3, fy = 4;
    std::memcpy(&fremd[208], &fx, sizeof fx);
    std::memcpy(&fremd[216], &fy, sizeof fy);
    ASSERT_TRUE(xclipNimmt("application/x-velmo-ZavikStatus", fremd));
    char text[CLIP_STATUS_TEXTSUP] = "";
    double gx = 0, gy = 0;
    ASSERT_TRUE(pumpen(3000, [&] { return ClipStatusHolen(text, &gx, &gy) == 1; }));
    EXPECT_STREQ(text, "/anderes");
    EXPECT_EQ(gx, 3);
    EXPECT_EQ(gy, 4);
    ASSERT_TRUE(xclipNimmt("application/x-velmo-ZavikStatus", std::string(100, 'a')));
    EXPECT_TRUE(pumpen(3000, [&] { return ClipStatusHolen(text, &gx, &gy) == 0; }))
        << "a foreign block read before must not stand in for the new one";
}

// File lists travel as text/uri-list, both ways, names in code page 1252
// inside.
TEST_F(Desktop, FileListsOnTheClipboardAreUriLists)
{
    std::vector<std::string> namen = {ordner() + "/Schaltplan \xFC" "ber.zei", ordner() + "/b.zei"};
    HGLOBAL h = plAblegenListe(namen, POINT{0, 0}, false);
    ASSERT_NE(h, 0u);
    // Through the program's own clipboard calls: the list leaves at the close.
    ASSERT_TRUE(OpenClipboard(0));
    EmptyClipboard();
    ASSERT_NE(SetClipboardData(CF_HDROP, h), 0u);
    CloseClipboard();
    std::string liste;
    ASSERT_EQ(ausfuehren("xclip -selection clipboard -o -t text/uri-list", &liste), 0);
    EXPECT_EQ(liste, "file://" + ordner() + "/Schaltplan%20%C3%BCber.zei\r\nfile://" + ordner() + "/b.zei\r\n");

    ASSERT_TRUE(xclipNimmt("text/uri-list", "file://" + ordner() + "/Gr%C3%B6%C3%9Fe.zei\r\nhttp://x/y\r\n"));
    std::vector<uint8_t> block;
    ASSERT_EQ(plBeZwischenablageLesen("CF_HDROP", &block), 1);
    HGLOBAL g = plGlobalAus(block.data(), block.size());
    char name[MAX_PATH] = "";
    ASSERT_EQ(DragQueryFile(static_cast<HDROP>(g), 0xFFFFFFFF, nullptr, 0), 1u);
    DragQueryFile(static_cast<HDROP>(g), 0, name, sizeof name);
    EXPECT_EQ(std::string(name), ordner() + "/Gr\xF6\xDF" "e.zei");
    GlobalFree(g);
}

// A bitmap on the clipboard leaves the program as a PNG picture.
TEST_F(Desktop, ABitmapOnTheClipboardIsAPngForOtherPrograms)
{
    HDC dc = CreateCompatibleDC(0);
    HBITMAP bm = CreateBitmap(4, 3, 1, 32, nullptr);
    HGDIOBJ alt = SelectObject(dc, bm);
    RECT r{0, 0, 4, 3};
    HBRUSH rot = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &r, rot);
    SelectObject(dc, alt);
    DeleteObject(rot);
    DeleteDC(dc);
    ASSERT_TRUE(OpenClipboard(0));
    EmptyClipboard();
    ASSERT_NE(SetClipboardData(CF_BITMAP, bm), 0u);
    CloseClipboard();
    std::string png;
    ASSERT_EQ(ausfuehren("xclip -selection clipboard -o -t image/png", &png), 0);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    std::vector<uint8_t> d(png.begin(), png.end());
    plBild bild;
    ASSERT_EQ(plPngLesen(d.data(), d.size(), bild), 0);
    EXPECT_EQ(bild.breite, 4);
    EXPECT_EQ(bild.hoehe, 3);
    EXPECT_EQ(plBildFarbe(bild.at(2, 1)), RGB(255, 0, 0));
}

TEST_F(Desktop, TheDesktopFileChooserAnswersTheOpenDialog)
{
    std::string ziel = ordner() + "/W\xE4hlbar.zei";  // code page 1252 inside
    std::ofstream(ordner() + "/W\xC3\xA4hlbar.zei") << "x";
    // The user: waits for the chooser, which shows the folder with the file
    // chosen, and confirms. Should the chooser not come or not go, the test
    // process is ended rather than hang.
    std::string halt = "kill -TERM " + std::to_string(getpid());
    std::string suche = "xdotool search --onlyvisible --name 'Zeichnung laden'";
    std::string bestaetigen = suche + " windowfocus --sync key Return";
    // weg N: polls N tenths of a second for the chooser to be gone.
    std::string weg = "weg() { for i in $(seq $1); do " + suche + " >/dev/null || return 0; sleep 0.1; done; return 1; }; ";
    std::string benutzer = weg + "timeout 20 xdotool search --sync --onlyvisible --name 'Zeichnung laden' >/dev/null || " +
                           halt + "; sleep 1; " + bestaetigen + "; weg 30 || { " + bestaetigen + "; weg 60 || " + halt +
                           "; }";
    const char* argv[] = {"/bin/sh", "-c", benutzer.c_str(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ), 0);
    char datei[MAX_PATH] = "W\xE4hlbar.zei";
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = "Zeichnungen (*.zei)\0*.zei\0Alle Dateien\0*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = datei;
    ofn.nMaxFile = sizeof datei;
    std::string anfang = ordner();
    ofn.lpstrInitialDir = anfang.c_str();
    ofn.lpstrTitle = "Zeichnung laden";
    ofn.Flags = OFN_FILEMUSTEXIST;
    BOOL ok = GetOpenFileName(&ofn);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(ok);
    EXPECT_EQ(std::string(datei), ziel);
}

std::vector<std::string> abgelegt;
POINT ablegePunkt{-1, -1};

LRESULT CALLBACK ablageProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DROPFILES) {
        HDROP drop = static_cast<HDROP>(wp);
        UINT n = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < n; ++i) {
            char name[MAX_PATH];
            DragQueryFile(drop, i, name, sizeof name);
            abgelegt.push_back(name);
        }
        DragQueryPoint(drop, &ablegePunkt);
        DragFinish(drop);
        return 0;
    }
    return DefWindowProc(h, msg, wp, lp);
}

TEST_F(Desktop, FilesDraggedOntoAWindowArriveAsDropFiles)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = ablageProc;
    wc.lpszClassName = "AblageProbe";
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    ASSERT_NE(RegisterClass(&wc), 0);
    HWND w = CreateWindowEx(WS_EX_ACCEPTFILES, "AblageProbe", "Ablage", WS_POPUP | WS_VISIBLE | WS_BORDER, 300, 200, 300,
                            200, 0, 0, 0, nullptr);
    ASSERT_NE(w, 0u);
    std::string datei = ordner() + "/Pl\xE4ne 1.zei";  // code page 1252 inside
    std::ofstream(datei) << "x";
    abgelegt.clear();
    plGtkZiehQuelle(40, 40, {"file://" + ordner() + "/Pl%C3%A4ne%201.zei"});
    // The drag source (40 x 40 at 40,40) on the screen too.
    std::string baum;
    ASSERT_TRUE(pumpen(5000, [&] {
        return plGtkSichtbar(w) && ausfuehren("xwininfo -root -children", &baum) == 0 &&
               baum.find("40x40+40+40") != std::string::npos;
    }));
    ASSERT_EQ(ausfuehren("xdotool mousemove 60 60 sleep 0.2 mousedown 1 sleep 0.2 mousemove 80 80 sleep 0.2 "
                         "mousemove 350 260 sleep 0.2 mousemove 360 270 sleep 0.3 mouseup 1"),
              0);
    pumpen(3000, [] { return !abgelegt.empty(); });
    plGtkZiehQuelleWeg();
    ASSERT_EQ(abgelegt.size(), 1u);
    EXPECT_EQ(abgelegt[0], datei);
    POINT c{360, 270};
    ScreenToClient(w, &c);
    EXPECT_EQ(ablegePunkt.x, c.x);
    EXPECT_EQ(ablegePunkt.y, c.y);

    // A window that does not accept files gets nothing.
    DragAcceptFiles(w, FALSE);
    abgelegt.clear();
    EXPECT_EQ(plGtkAblegen(w, 20, 20, {"file://" + ordner() + "/Pl%C3%A4ne%201.zei"}), 0u);
    pumpen(100);
    EXPECT_TRUE(abgelegt.empty());
    DestroyWindow(w);
}

std::map<HWND, std::vector<std::string>> spuren;

LRESULT CALLBACK spurProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    auto x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
    switch (msg) {
    case WM_LBUTTONDOWN: spuren[h].push_back("down " + std::to_string(x) + "," + std::to_string(y)); break;
    case WM_LBUTTONDBLCLK: spuren[h].push_back("dblclk " + std::to_string(x) + "," + std::to_string(y)); break;
    case WM_MOUSEWHEEL: spuren[h].push_back("wheel " + std::to_string(static_cast<short>(HIWORD(wp)))); break;
    case WM_SIZE: spuren[h].push_back("size " + std::to_string(x) + "," + std::to_string(y)); break;
    default: break;
    }
    return DefWindowProc(h, msg, wp, lp);
}

bool hat(HWND h, const std::string& eintrag)
{
    for (const std::string& e : spuren[h])
        if (e == eintrag) return true;
    return false;
}

TEST_F(Desktop, MouseActivationAndMovesFromTheDesktopReachTheLayer)
{
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = spurProc;
    wc.lpszClassName = "SpurProbe";
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    ASSERT_NE(RegisterClass(&wc), 0);
    spuren.clear();
    // A has a sizing frame: the desktop sizes it below.
    HWND a = CreateWindow("SpurProbe", "Fenster A", WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE, 100, 100, 320,
                          240, 0, 0, 0, nullptr);
    HWND b = CreateWindow("SpurProbe", "Fenster B", WS_POPUP | WS_CAPTION | WS_VISIBLE, 600, 100, 320, 240, 0, 0, 0, nullptr);
    ASSERT_TRUE(a && b);
    ASSERT_TRUE(pumpen(5000, [&] { return plGtkSichtbar(a) && plGtkSichtbar(b) && plGtkHatFokus(b); }));

    // Buttons, a double click by the layer's rule, the wheel in notches.
    POINT p{30, 40};
    ClientToScreen(a, &p);
    std::string hin = "xdotool mousemove " + std::to_string(p.x) + " " + std::to_string(p.y);
    ASSERT_EQ(ausfuehren(hin + " click 1 sleep 0.6 click --repeat 2 --delay 80 1 click 4 click 5"), 0);
    pumpen(3000, [&] { return hat(a, "wheel -120"); });
    EXPECT_TRUE(hat(a, "down 30,40"));
    EXPECT_TRUE(hat(a, "dblclk 30,40"));
    EXPECT_TRUE(hat(a, "wheel 120"));
    EXPECT_TRUE(hat(a, "wheel -120"));
    EXPECT_EQ(GetActiveWindow(), a);

    // The desktop gives the keyboard to B: B becomes the active window.
    ASSERT_TRUE(pumpen(3000, [&] { return plGtkHatFokus(a); }));
    ASSERT_EQ(ausfuehren("xdotool windowfocus --sync " + std::to_string(plGtkXFenster(b))), 0);
    EXPECT_TRUE(pumpen(3000, [&] { return GetActiveWindow() == b; })) << "active: " << GetActiveWindow();

    // The desktop moves and sizes A.
    std::string xa = std::to_string(plGtkXFenster(a));
    ASSERT_EQ(ausfuehren("xdotool windowmove " + xa + " 150 300 windowsize " + xa + " 400 260"), 0);
    // The inside is 400 x 260 where the X server has it; the manager's
    // frame (when there is one) is around it.
    RECT c{};
    POINT o{0, 0};
    std::string info;
    EXPECT_TRUE(pumpen(3000, [&] {
        GetClientRect(a, &c);
        o = POINT{0, 0};
        ClientToScreen(a, &o);
        return c.right == 400 && c.bottom == 260 && ausfuehren("xwininfo -id " + xa, &info) == 0 &&
               info.find("Absolute upper-left X:  " + std::to_string(o.x) + "\n") != std::string::npos &&
               info.find("Absolute upper-left Y:  " + std::to_string(o.y) + "\n") != std::string::npos;
    })) << c.right << "x" << c.bottom << " at " << o.x << "," << o.y << "\n" << info;
    RECT r{};
    GetWindowRect(a, &r);
    EXPECT_EQ(r.left, 150) << "the frame's corner where the desktop put it";
    EXPECT_EQ(r.top, 300);
    EXPECT_TRUE(hat(a, "size " + std::to_string(c.right) + "," + std::to_string(c.bottom)));
    DestroyWindow(a);
    DestroyWindow(b);
}

// "WxH" in whole points of every "Page N size: W x H pts" line of pdfinfo.
std::vector<std::string> seitenGroessen(const std::string& info)
{
    std::vector<std::string> v;
    std::istringstream s(info);
    std::string zeile;
    while (std::getline(s, zeile)) {
        size_t p = zeile.find(" size:");
        if (zeile.rfind("Page", 0) != 0 || p == std::string::npos) continue;
        const char* a = zeile.c_str() + p + 6;
        const char* ende = zeile.c_str() + zeile.size();
        while (a < ende && *a == ' ') ++a;
        double b = 0, h = 0;
        auto r = std::from_chars(a, ende, b);
        const char* x = r.ptr;
        while (x < ende && (*x == ' ' || *x == 'x')) ++x;
        std::from_chars(x, ende, h);
        v.push_back(std::to_string(std::lround(b)) + "x" + std::to_string(std::lround(h)));
    }
    return v;
}

TEST_F(Desktop, PrintingThroughTheGtkPrintPathGivesAValidPdf)
{
    std::string pdf = ordner() + "/druck.pdf";
    plGtkDruckExport(pdf.c_str());
    PRINTDLG pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDC;
    ASSERT_TRUE(PrintDlg(&pd));
    ASSERT_NE(pd.hDC, 0u);
    DOCINFO di{};
    di.cbSize = sizeof di;
    di.lpszDocName = "Probe";
    ASSERT_GT(StartDoc(pd.hDC, &di), 0);
    struct Seite {
        int papier, ausrichtung;
        const char* text;
    } seiten[] = {{DMPAPER_A4, DMORIENT_PORTRAIT, "Seite eins"},
                  {DMPAPER_A4, DMORIENT_LANDSCAPE, "Seite zwei"},
                  {DMPAPER_A3, DMORIENT_PORTRAIT, "Seite drei"}};
    for (const Seite& s : seiten) {
        DEVMODE dm{};
        dm.dmSize = sizeof dm;
        dm.dmFields = DM_PAPERSIZE | DM_ORIENTATION;
        dm.dmPaperSize = static_cast<short>(s.papier);
        dm.dmOrientation = static_cast<short>(s.ausrichtung);
        ASSERT_EQ(ResetDC(pd.hDC, &dm), pd.hDC);
        ASSERT_GT(StartPage(pd.hDC), 0);
        Rectangle(pd.hDC, 100, 100, 2000, 1000);
        TextOut(pd.hDC, 200, 400, s.text, static_cast<int>(std::strlen(s.text)));
        ASSERT_GT(EndPage(pd.hDC), 0);
    }
    ASSERT_GT(EndDoc(pd.hDC), 0);
    plDruckerDcLoeschen(pd.hDC);
    if (pd.hDevMode) GlobalFree(pd.hDevMode);

    EXPECT_EQ(ausfuehren("qpdf --check '" + pdf + "' >/dev/null"), 0);
    std::string info, text;
    ASSERT_EQ(ausfuehren("pdfinfo -f 1 -l 9 '" + pdf + "'", &info), 0);
    EXPECT_EQ(seitenGroessen(info), (std::vector<std::string>{"595x842", "842x595", "842x1191"})) << info;
    ASSERT_EQ(ausfuehren("pdftotext '" + pdf + "' -", &text), 0);
    for (const Seite& s : seiten) EXPECT_NE(text.find(s.text), std::string::npos) << text;
}

// With a scale factor the layer keeps its pixels and GDK enlarges them: each
// layer pixel covers a 2 x 2 block on the screen. In a fresh process, as
// the factor is read when GTK starts.
TEST(GtkSkala, AScaleFactorEnlargesTheLayersPixels)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto lauf = [] {
        setenv("GDK_SCALE", "2", 1);
        setenv("VELMO_BACKEND", "gtk", 1);
        if (plFensterSystemStart() != 0) std::exit(2);
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "SkalaProbe";
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        RegisterClass(&wc);
        HWND w = CreateWindow("SkalaProbe", "Skala", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 30, 200, 120, 0, 0, 0, nullptr);
        if (!pumpen(5000, [w] { return plGtkSichtbar(w); })) std::exit(3);
        double anteil = 0;
        pumpen(5000, [&] { return (anteil = bildAnteil(w, 2, "skala")) >= 0.99; });
        std::fprintf(stderr, "gleich %.1f %%\n", anteil * 100);
        std::exit(anteil >= 0.99 ? 0 : 6);
    };
    EXPECT_EXIT(lauf(), ::testing::ExitedWithCode(0), "gleich");
}

// The choice of the backend, each case in a fresh process (GTK cannot be
// undone once started).
TEST(GtkAuswahl, WithoutADisplayTheChoiceIsHeadlessOrAClearRefusal)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Fall {
        const char* backend;  // VELMO_BACKEND, nullptr: unset
        const char* display;  // DISPLAY, nullptr: unset
        int code;             // 0 headless, 1 gtk, 3 refused
        const char* meldung;
    } faelle[] = {
        {"gtk", nullptr, 3, "braucht eine Anzeige"},
        {"gtk", ":4711", 3, "nicht oeffnen"},
        {nullptr, nullptr, 0, ""},
        {nullptr, ":4711", 0, ""},
    };
    for (const Fall& f : faelle) {
        auto wahl = [&f] {
            unsetenv("WAYLAND_DISPLAY");
            if (f.display) setenv("DISPLAY", f.display, 1); else unsetenv("DISPLAY");
            if (f.backend) setenv("VELMO_BACKEND", f.backend, 1); else unsetenv("VELMO_BACKEND");
            int r = plBackendWaehlen();
            std::exit(r != 0 ? 3 : std::strcmp(plBackendName(), "gtk") == 0 ? 1 : 0);
        };
        EXPECT_EXIT(wahl(), ::testing::ExitedWithCode(f.code), f.meldung)
            << (f.backend ? f.backend : "(unset)") << " " << (f.display ? f.display : "(no display)");
    }
}

}  // namespace
