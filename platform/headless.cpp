// The headless backend and its injection and pumping interface; see
// headless.h. Surfaces live in the window manager; this backend only keeps
// the virtual clock and turns injected actions into input events.
#include "platform/headless.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/fensterint.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"
#include "platform/uhr.h"

namespace {

inline constexpr int PL_HEADLESS_PUMPSUP = 1000000;  // messages one pump may dispatch

int hlStart()
{
    if (!plUhrIstFest()) plUhrFestsetzen(plUhrJetztMs());
    return 0;
}

void hlEnde() {}

void hlBildschirm(int* b, int* h, int* dpi)
{
    *b = PL_BILDSCHIRM_BREITE;
    *h = PL_BILDSCHIRM_HOEHE;
    *dpi = PL_BILDSCHIRM_DPI;
}

int hlFensterAnlegen(HWND, const RECT*, DWORD, DWORD, HWND)
{
    return 0;
}

void hlFenster(HWND) {}
void hlFensterZeigen(HWND, int) {}
void hlFensterPlatz(HWND, const RECT*) {}
void hlFensterTitel(HWND, const char*) {}
void hlPraesentieren(HWND, cairo_surface_t*, const RECT*) {}
void hlCursor(HCURSOR) {}
void hlMausPos(int, int) {}
void hlWecken() {}

// No user: nothing arrives by itself. A deadline of a timer of the program
// is reached by moving the virtual clock on to it; the layer's own blink
// timer alone is no reason to wait.
int hlWarten(int64_t bisMs, int nurIntern)
{
    if (bisMs < 0 || nurIntern) return 0;
    int64_t jetzt = plUhrJetztMs();
    if (bisMs <= jetzt) return 1;
    if (plUhrIstFest())
        plUhrVorruecken(bisMs - jetzt);
    else  // someone let the clock run free: really wait
        std::this_thread::sleep_for(std::chrono::milliseconds(bisMs - jetzt));
    return 1;
}

int hlClipSchreiben(const char*, const void*, size_t)
{
    return 0;
}

int hlClipLesen(const char*, std::vector<uint8_t>*)
{
    return 0;
}

int hlDateiDialog(const plDateiDialogAuftrag*, std::string*)
{
    return 0;
}

int hlDruckDialog(plDruckDialogAuftrag*, cairo_surface_t**)
{
    return 0;
}

const plBackend hlTabelle = {
    "headless",     hlStart,        hlEnde,          hlBildschirm,    hlFensterAnlegen, hlFenster,
    hlFensterZeigen, hlFensterPlatz, hlFensterTitel, hlFenster,       hlPraesentieren,  hlCursor,
    hlMausPos,      hlWarten,       hlWecken,        hlClipSchreiben, hlClipLesen,      hlDateiDialog,
    hlDruckDialog,  nullptr,        nullptr,
};

void hlEreignis(plEreignisArt art, POINT pos, int knopf = 0)
{
    plEingabeEreignis e{};
    e.art = art;
    e.pos = pos;
    e.knopf = knopf;
    plEingabeEreignisEinreihen(e);
}

POINT hlMaus()
{
    POINT p;
    GetCursorPos(&p);
    return p;
}

bool hlErweitert(UINT vk)
{
    switch (vk) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_DIVIDE:
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_APPS: return true;
    default: return false;
    }
}

void hlTaste(UINT vk, bool runter)
{
    plEingabeEreignis e{};
    e.art = runter ? plEreignisArt::TasteRunter : plEreignisArt::TasteHoch;
    e.vk = vk;
    e.erweitert = hlErweitert(vk);
    e.pos = hlMaus();
    plEingabeEreignisEinreihen(e);
}

}  // namespace

const plBackend* plHeadlessBackend()
{
    return &hlTabelle;
}

void plHeadlessMausBewegen(int x, int y)
{
    hlEreignis(plEreignisArt::MausBewegung, POINT{x, y});
}

void plHeadlessMausDruecken(int knopf)
{
    hlEreignis(plEreignisArt::MausRunter, hlMaus(), knopf);
}

void plHeadlessMausLoslassen(int knopf)
{
    hlEreignis(plEreignisArt::MausHoch, hlMaus(), knopf);
}

void plHeadlessKlick(int x, int y, int knopf)
{
    plHeadlessMausBewegen(x, y);
    plHeadlessMausDruecken(knopf);
    plHeadlessMausLoslassen(knopf);
}

void plHeadlessZiehen(int x1, int y1, int x2, int y2, int knopf, int schritte)
{
    if (schritte < 1) schritte = 1;
    plHeadlessMausBewegen(x1, y1);
    plHeadlessMausDruecken(knopf);
    for (int i = 1; i <= schritte; ++i)
        plHeadlessMausBewegen(x1 + (x2 - x1) * i / schritte, y1 + (y2 - y1) * i / schritte);
    plHeadlessMausLoslassen(knopf);
}

void plHeadlessRad(int x, int y, int rasten)
{
    plHeadlessMausBewegen(x, y);
    plEingabeEreignis e{};
    e.art = plEreignisArt::MausRad;
    e.pos = POINT{x, y};
    e.delta = rasten * WHEEL_DELTA;
    plEingabeEreignisEinreihen(e);
}

void plHeadlessTasteRunter(UINT vk)
{
    hlTaste(vk, true);
}

void plHeadlessTasteHoch(UINT vk)
{
    hlTaste(vk, false);
}

void plHeadlessTaste(UINT vk)
{
    hlTaste(vk, true);
    hlTaste(vk, false);
}

void plHeadlessText(const char* text)
{
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); p && *p; ++p) {
        unsigned char c = *p;
        bool buchstabe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (buchstabe || (c >= '0' && c <= '9') || c == ' ') {
            bool gross = c >= 'A' && c <= 'Z';
            UINT vk = static_cast<UINT>(VkKeyScan(static_cast<char>(c)) & 0xFF);
            if (gross) hlTaste(VK_SHIFT, true);
            hlTaste(vk, true);
            hlTaste(vk, false);
            if (gross) hlTaste(VK_SHIFT, false);
            continue;
        }
        plEingabeEreignis e{};
        e.art = plEreignisArt::Zeichen;
        e.zeichen = c;
        e.pos = hlMaus();
        plEingabeEreignisEinreihen(e);
    }
}

POINT plHeadlessPunkt(HWND hwnd, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

int plHeadlessPumpen()
{
    int n = 0;
    MSG m;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
        if (n >= PL_HEADLESS_PUMPSUP) {
            // A window that never validates its paint, or messages that post
            // themselves for ever: report it instead of spinning.
            std::fprintf(stderr, "velmo: nach %d Nachrichten immer noch Arbeit (zuletzt 0x%04X an %u), Abbruch\n", n,
                         m.message, m.hwnd);
            break;
        }
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        TranslateMessage(&m);
        DispatchMessage(&m);
        ++n;
    }
    return n;
}

int plHeadlessZeitVor(int64_t ms)
{
    int n = plHeadlessPumpen();
    int64_t ziel = plUhrJetztMs() + ms;
    for (;;) {
        int64_t naechster = plNachrichtNaechsterTimer(true);
        int64_t jetzt = plUhrJetztMs();
        if (naechster < 0 || jetzt + naechster > ziel) break;
        if (naechster > 0) plUhrVorruecken(naechster);
        n += plHeadlessPumpen();
        if (plWm().quit) return n;
    }
    int64_t jetzt = plUhrJetztMs();
    if (ziel > jetzt) plUhrVorruecken(ziel - jetzt);
    return n + plHeadlessPumpen();
}

int plHeadlessPng(HWND hwnd, const char* pfad)
{
    return plFensterPng(hwnd, pfad);
}
