// Owner-drawn list and combo boxes in the list look (ElsLbZeichnen,
// ElsCbZeichnen), the font metrics and item painting shared with the record
// lists, the item markup (ESC F colour, B bar, O tick, S tree
// connectors; byte 3 after a sequence ends an item), the marking colour and
// the dialog texts. Prefix `Els`, `Dlg`. May call: platform/, config/,
// winlib/ (application dialog font, current dialog name).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/apstil.h"
#include "config/skript.h"
#include "controls/elseite.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"

namespace {

int elsMarkR = 215, elsMarkG = 232, elsMarkB = 255;

void elsLinie(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// The parameters of a sequence: up to ';' (consumed) or the end.
std::string elsParameter(const unsigned char** p)
{
    std::string t;
    while (**p && **p != ';') t += static_cast<char>(*(*p)++);
    if (**p == ';') ++*p;
    return t;
}


bool elsHalbeZeile(const std::string& t)
{
    return t.size() > 1 && std::strchr(t.c_str() + 1, 3) != nullptr;
}

int elsZeichnen(bool liste, int id, ElsTextFn fn, UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (wp != static_cast<WPARAM>(id)) return 0;
    const ElsMasse& m = ElsMessen();
    if (nachricht == WM_MEASUREITEM) {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        mi->itemWidth = 0;
        mi->itemHeight = static_cast<UINT>(m.lh);
        if (liste && static_cast<int>(mi->itemID) >= 0) {
            HWND box = GetDlgItem(wiDlgFenster(), id);
            if (elsHalbeZeile(ElsEintragText(box, true, static_cast<int>(mi->itemID), fn))) mi->itemHeight += m.lh / 2;
        }
        return 1;
    }
    if (nachricht != WM_DRAWITEM) return 0;
    auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
    if (!(di->itemAction & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS))) return 1;
    const int index = static_cast<int>(di->itemID);
    std::string text = ElsEintragText(di->hwndItem, liste, index, fn);
    RECT r = di->rcItem;
    if (liste && elsHalbeZeile(text)) r.top += m.lh / 2;
    const COLORREF grund =
        (di->itemState & ODS_SELECTED) ? RGB(elsMarkR, elsMarkG, elsMarkB) : GetSysColor(COLOR_WINDOW);
    ElsEintragMalen(*di, r, grund, [&](HDC dc) {
        if (index >= 0) ElsMarkupZeichnen(dc, r.left + 2, r.top, text.c_str(), m.cw, m.lh, m.stift);
    });
    return 1;
}

}  // namespace

// Measured once with the application dialog font in a memory DC.
const ElsMasse& ElsMessen()
{
    static ElsMasse masse{};
    static bool gemessen = false;
    if (gemessen) return masse;
    HDC dc = CreateCompatibleDC(0);
    HFONT f = wiStandardFont(4);
    HGDIOBJ alt = f ? SelectObject(dc, f) : 0;
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    if (alt) SelectObject(dc, alt);
    DeleteDC(dc);
    masse.lh = tm.tmHeight > 0 ? static_cast<int>(tm.tmHeight) : 16;
    masse.cw = tm.tmAveCharWidth > 0 ? static_cast<int>(tm.tmAveCharWidth) : 7;
    masse.stift = masse.cw / 4;
    gemessen = true;
    return masse;
}

void ElsEintragMalen(const DRAWITEMSTRUCT& di, const RECT& flaeche, COLORREF grund,
                     const std::function<void(HDC dc)>& inhalt)
{
    HDC dc = di.hDC;
    const COLORREF schrift = GetSysColor(COLOR_WINDOWTEXT);
    HBRUSH pinsel = CreateSolidBrush(grund);
    FillRect(dc, &flaeche, pinsel);
    HPEN stift = CreatePen(PS_SOLID, ElsMessen().stift, schrift);
    HGDIOBJ altStift = SelectObject(dc, stift);
    COLORREF altText = SetTextColor(dc, schrift);
    COLORREF altGrund = SetBkColor(dc, grund);
    inhalt(dc);
    SelectObject(dc, altStift);
    SetTextColor(dc, altText);
    SetBkColor(dc, altGrund);
    if ((di.itemState & ODS_FOCUS) && ApOFStil1()) DrawFocusRect(dc, &di.rcItem);
    DeleteObject(pinsel);
    DeleteObject(stift);
}

std::string ElsEintragText(HWND box, bool liste, int index, ElsTextFn fn)
{
    if (fn) {
        const char* t = fn(index);
        return t ? t : "";
    }
    if (!box || index < 0) return "";
    LRESULT n = SendMessage(box, liste ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n <= 0) return "";
    std::string t(static_cast<size_t>(n) + 1, '\0');
    SendMessage(box, liste ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(index),
                reinterpret_cast<LPARAM>(t.data()));
    t.resize(std::strlen(t.c_str()));
    return t;
}

void ElsMarkupZeichnen(HDC dc, int x0, int y, const char* text, int cw, int lh, int stiftBreite)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text ? text : "");
    HGDIOBJ eingang = GetCurrentObject(dc, OBJ_PEN);
    HPEN eigener = 0;
    int spalten = 0;
    while (*p) {
        const int x = x0 + spalten * cw;
        if (*p != 27) {
            const unsigned char* a = p;
            while (*p && *p != 27) ++p;
            TextOut(dc, x, y, reinterpret_cast<const char*>(a), static_cast<int>(p - a));
            spalten += static_cast<int>(p - a);
            continue;
        }
        ++p;
        const unsigned char art = *p;
        if (art == 'F') {
            ++p;
            std::string w = elsParameter(&p);
            size_t i = w.find_first_not_of(' ');
            COLORREF f;
            if (i != std::string::npos && (w[i] == 'N' || w[i] == 'n')) {
                f = GetSysColor(COLOR_WINDOWTEXT);
            } else {
                const char* q = w.c_str();
                char* e = nullptr;
                long r = std::strtol(q, &e, 10);
                long g = std::strtol(e, &e, 10);
                long b = std::strtol(e, &e, 10);
                f = RGB(r & 255, g & 255, b & 255);
            }
            HPEN neu = CreatePen(PS_SOLID, stiftBreite, f);
            SelectObject(dc, neu);
            if (eigener) DeleteObject(eigener);
            eigener = neu;
            SetTextColor(dc, f);
        } else if (art == 'B') {
            ++p;
            std::string w = elsParameter(&p);
            const char* q = w.c_str();
            char* e = nullptr;
            long v[5];
            for (long& z : v) {
                z = std::strtol(q, &e, 10);
                q = e;
            }
            const long n = v[0], t = v[1], a = v[2], b = v[3];
            const long c = v[4] < 1 ? 100 : v[4];
            const int xa = x + static_cast<int>(n * cw * a / c);
            const int xe = x + static_cast<int>(((a + b) * n * cw + c - 1) / c);
            const int mitte = lh / 2;
            const int d = static_cast<int>(t * lh / 200);
            for (int yy = mitte - d + 1; yy <= mitte + 1 + d; ++yy) elsLinie(dc, xa, y + yy, xe, y + yy);
            spalten += static_cast<int>(n);
        } else if (art == 'O') {
            ++p;
            if (*p) ++p;
            const int k = 3 * cw / 5;
            const int m = 2 * cw - k - 2;
            const int ym = y + lh / 2;
            MoveToEx(dc, x + 1, ym, nullptr);
            LineTo(dc, x + k + 1, ym + k);
            LineTo(dc, x + k + 1 + m, ym + k - m);
            spalten += 2;
        } else if (art == 'S') {
            ++p;
            std::string w = elsParameter(&p);
            const int mx = x + 3 * cw / 2;
            const int my = y + lh / 2 + 1;
            for (char ch : w) {
                switch (ch) {
                case 'L': case 'l': elsLinie(dc, x + cw / 2, my, mx, my); break;
                case 'R': case 'r': elsLinie(dc, mx, my, x + 5 * cw / 2, my); break;
                case 'O': case 'o': elsLinie(dc, mx, y, mx, my); break;
                case 'U': case 'u': elsLinie(dc, mx, my, mx, y + lh); break;
                default: break;
                }
            }
            spalten += 3;
        } else {
            // Another byte: only the ESC is consumed; x stays.
            continue;
        }
        if (*p == 3) break;
    }
    if (eigener) {
        SelectObject(dc, eingang);
        DeleteObject(eigener);
    }
}

int ElsLbZeichnen(int id, ElsTextFn text, UINT nachricht, WPARAM wp, LPARAM lp)
{
    return elsZeichnen(true, id, text, nachricht, wp, lp);
}

int ElsCbZeichnen(int id, ElsTextFn text, UINT nachricht, WPARAM wp, LPARAM lp)
{
    return elsZeichnen(false, id, text, nachricht, wp, lp);
}

void ElsMarkFarbe(int* r, int* g, int* b)
{
    *r = elsMarkR;
    *g = elsMarkG;
    *b = elsMarkB;
}

void ElsMarkFarbeSetzen(int r, int g, int b)
{
    elsMarkR = r & 255;
    elsMarkG = g & 255;
    elsMarkB = b & 255;
}

const char* DlgTextHolenFuer(const char* dialog, const char* schluessel)
{
    std::string name = std::string(dialog ? dialog : "Main") + "_TEXT";
    return SkriptText(name.c_str(), schluessel ? schluessel : "");
}

const char* DlgTextHolen(const char* schluessel)
{
    char name[DLGNAMESUP + 1];
    wiDlgName(name);
    return DlgTextHolenFuer(name[0] ? name : "Main", schluessel);
}
