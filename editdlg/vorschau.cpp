// Pictures of the editor dialogs; see vorschau.h.
#include "editdlg/vorschau.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "config/apstil.h"
#include "editdlg/dbteile.h"
#include "editor/befausf.h"
#include "editor/edzeich.h"
#include "model/befehl.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/textvar.h"
#include "model/zustand.h"
#include "output/gdi.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "winlib/dlgitem.h"
#include "winlib/wibild.h"
#include "winlib/winbib.h"

namespace {

constexpr int VSC_ZB = 80;

HBITMAP vscArt[8], vscMuster[8], vscStift[VISTIFTSUP], vscListe[VISTIFTSUP];

// A w x h bitmap in the colour `grund`, drawn by `malen` into a memory DC.
template <typename F>
HBITMAP vscBitmap(int w, int h, COLORREF grund, F malen)
{
    HDC schirm = GetDC(0);
    HBITMAP bild = CreateCompatibleBitmap(schirm, w, h);
    HDC dc = CreateCompatibleDC(schirm);
    HGDIOBJ alt = SelectObject(dc, bild);
    RECT r{0, 0, w, h};
    HBRUSH pinsel = CreateSolidBrush(grund);
    FillRect(dc, &r, pinsel);
    DeleteObject(pinsel);
    SetBkMode(dc, TRANSPARENT);
    malen(dc);
    SelectObject(dc, alt);
    DeleteDC(dc);
    ReleaseDC(0, schirm);
    return bild;
}

void vscText(HDC dc, int x, int y, const char* t)
{
    TextOut(dc, x, y, t, static_cast<int>(std::strlen(t)));
}

// A horizontal line in pen n's colour and twice its width.
void vscStiftLinie(HDC dc, int n, int x1, int x2, int y)
{
    const VISTIFT& s = ViEinst()->stift[n - 1];
    HPEN stift = CreatePen(PS_SOLID, std::max(1, 2 * s.breite), RGB(s.r, s.g, s.b));
    HGDIOBJ alt = SelectObject(dc, stift);
    MoveToEx(dc, x1, y, nullptr);
    LineTo(dc, x2, y);
    SelectObject(dc, alt);
    DeleteObject(stift);
}

HGDIOBJ vscListSchrift(HDC dc)
{
    HFONT f = OFSchrift(2);
    return f != 0 ? SelectObject(dc, f) : 0;
}

void vscSenden(HBITMAP bild, int id, HWND fenster)
{
    if (bild == 0) return;
    if (fenster != 0)
        wiBitmapSenden(fenster, bild);
    else
        wiItemBitmap(id, bild);
    DeleteObject(bild);
}

HBITMAP vscVorschau(const char* name, const char* bib, int seite, int opt1, int opt2)
{
    BEFFLAGS* fl = BefFlags();
    const int vrz = fl->vrz, qva = fl->qva;
    fl->vrz = opt1;
    fl->qva = opt2;
    HBITMAP bild = BtlBitmap(name, seite, nullptr, GetSysColor(COLOR_WINDOW), bib);
    fl->vrz = vrz;
    fl->qva = qva;
    return bild;
}

}  // namespace

HBITMAP BtlBitmap(const char* name, int seite, const COLORREF* farbe, COLORREF grund, const char* bib)
{
    const STT* akt = modh::EditorZustand();
    STT s = akt != nullptr ? *akt : STT{};
    if (bib != nullptr && bib[0] != '\0') strkopie(s.bd, sizeof s.bd, bib, STTBDSUP);
    BEF b{};
    b.code = VSC_ZB;
    BefTextSetzen(&b, name != nullptr ? name : "");
    double box[4] = {0, 0, 0, 0};
    STT nach = s;
    BefAusdehnung(&b, &s, box, &nach);
    const BtlQuadrat q = BtlQuadratVon(box[0], box[1], box[2], box[3]);
    const int n = std::max(seite, 20);
    const int hg[3] = {GetRValue(grund), GetGValue(grund), GetBValue(grund)};
    if (GdiBitmapBeginn(n, n, hg) != 0) return 0;
    AbbildungSichern();
    AbbildungSetzenFrei(q.x, q.y, q.x + q.seite, q.y + q.seite, n, n, 0, 0, 100.0, 50.0, 50.0);
    if (farbe != nullptr) {
        const int rgb[3] = {GetRValue(*farbe), GetGValue(*farbe), GetBValue(*farbe)};
        GdiFarbeUeberschreiben(1, rgb);
    }
    // Fine detail is left out when a unit of the side gets few pixels.
    const int ganz = std::max(1, static_cast<int>(q.seite));
    RendererFlagSetzen(n * 5 / ganz < 5 ? 1 : 0);
    TextVarSperren(1);  // a library shows its placeholders as written
    ObjZeichnen(&b, &s, 0);
    TextVarSperren(0);
    RendererFlagSetzen(0);
    GdiFarbeUeberschreiben(0, nullptr);
    const int rot[3] = {255, 0, 0}, gruen[3] = {0, 255, 0};
    GdiPunktGroesse(nach.x, nach.y, 3, rot);
    GdiPunktGroesse(s.x, s.y, 3, gruen);
    AbbildungWieder();
    return GdiBitmapEnde();
}

void VorschauLeeren(int id)
{
    int l = 0, o = 0, r = 0, u = 0;
    wiItemClientRechteck(id, &l, &o, &r, &u);
    vscSenden(vscBitmap(std::max(1, r - l - 4), std::max(1, u - o - 4), GetSysColor(COLOR_WINDOW), [](HDC) {}), id, 0);
}

void BtlVorschauZeichnen(const char* name, const char* bib, int id, int opt1, int opt2)
{
    int l = 0, o = 0, r = 0, u = 0;
    wiItemClientRechteck(id, &l, &o, &r, &u);
    vscSenden(vscVorschau(name, bib, r - l - 4, opt1, opt2), id, 0);
}

void BtlVorschauFenster(const char* name, const char* bib, HWND fenster, int opt1, int opt2)
{
    RECT r{};
    GetClientRect(fenster, &r);
    vscSenden(vscVorschau(name, bib, std::min(r.right, r.bottom), opt1, opt2), 0, fenster);
}

HBITMAP LinienartBitmap(int n)
{
    n = std::clamp(n, 1, 7);
    if (vscArt[n] == 0) {
        char name[8];
        std::snprintf(name, sizeof name, "SA%d_G", n);
        vscArt[n] = wiBitmapLaden(name);
    }
    return vscArt[n];
}

HBITMAP LinienartMuster(int n)
{
    n = std::clamp(n, 1, 7);
    if (vscMuster[n] == 0) {
        HBITMAP art = LinienartBitmap(n);
        vscMuster[n] = vscBitmap(wiDlgEinheit(40), wiDlgEinheit(8), GetSysColor(COLOR_BTNFACE), [&](HDC dc) {
            HGDIOBJ f = vscListSchrift(dc);
            char t[8];
            std::snprintf(t, sizeof t, "%-2d", n);
            vscText(dc, 2, 1, t);
            if (f != 0) SelectObject(dc, f);
            if (art == 0) return;
            BITMAP bm{};
            GetObject(art, sizeof bm, &bm);
            HDC quelle = CreateCompatibleDC(dc);
            HGDIOBJ alt = SelectObject(quelle, art);
            BitBlt(dc, wiDlgEinheit(10) + 2, 8, bm.bmWidth, bm.bmHeight, quelle, 0, 0, SRCCOPY);
            SelectObject(quelle, alt);
            DeleteDC(quelle);
        });
    }
    return vscMuster[n];
}

HBITMAP StiftBitmap(int n)
{
    n = StiftNummer(n);
    if (vscStift[n - 1] == 0) {
        const int w = wiDlgEinheit(20), h = wiDlgEinheit(8);
        vscStift[n - 1] =
            vscBitmap(w, h, GetSysColor(COLOR_BTNFACE), [&](HDC dc) { vscStiftLinie(dc, n, 0, w, h / 2 - 1); });
    }
    return vscStift[n - 1];
}

HBITMAP StiftListeBitmap(int n)
{
    n = StiftNummer(n);
    if (vscListe[n - 1] == 0) {
        const int w = wiDlgEinheit(80), h = wiDlgEinheit(8);
        vscListe[n - 1] = vscBitmap(w, h, GetSysColor(COLOR_BTNFACE), [&](HDC dc) {
            HGDIOBJ f = vscListSchrift(dc);
            char t[8];
            std::snprintf(t, sizeof t, "%-2d", n);
            vscText(dc, 2, 1, t);
            char name[STIFTNAMESUP + 1];
            StiftName(n, name);
            char wort[STIFTNAMESUP + 1];
            std::snprintf(wort, sizeof wort, "%s", name);
            wort[std::strcspn(wort, " ")] = '\0';
            vscText(dc, wiDlgEinheit(22) + 2, 1, wort);
            SIZE g{};
            GetTextExtentPoint32(dc, name, static_cast<int>(std::strlen(name)), &g);
            vscText(dc, w - 2 - g.cx, 1, name);
            if (f != 0) SelectObject(dc, f);
            vscStiftLinie(dc, n, wiDlgEinheit(10) + 2, wiDlgEinheit(18) + 2, h / 2 - 1);
        });
    }
    return vscListe[n - 1];
}

void VscFrei()
{
    for (HBITMAP* tafel : {vscArt, vscMuster}) {
        for (int i = 0; i < 8; ++i) {
            if (tafel[i] != 0) DeleteObject(tafel[i]);
            tafel[i] = 0;
        }
    }
    for (HBITMAP* tafel : {vscStift, vscListe}) {
        for (int i = 0; i < VISTIFTSUP; ++i) {
            if (tafel[i] != 0) DeleteObject(tafel[i]);
            tafel[i] = 0;
        }
    }
}
