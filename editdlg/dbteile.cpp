// Shared pieces of the editor dialogs; see dbteile.h.
#include "editdlg/dbteile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <vector>

#include "config/verzeich.h"
#include "controls/elseite.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "model/einstell.h"
#include "output/schrift.h"
#include "support/dosdatei.h"
#include "support/vergleich.h"
#include "winlib/dlgitem.h"
#include "winlib/wibild.h"
#include "winlib/winbib.h"

namespace {

std::vector<std::string> btlDateien;

int btlDateiNehmen(int verzeichnis, const char* pfad, void*)
{
    if (verzeichnis) return 1;
    if (static_cast<int>(btlDateien.size()) >= BTLDATEISUP) return 0;
    const char* name = std::strrchr(pfad, '/');
    std::string n = name != nullptr ? name + 1 : pfad;
    if (n.find('.') == std::string::npos) n += '.';
    if (n.size() > static_cast<size_t>(BTLDATEINAMESUP)) n.resize(BTLDATEINAMESUP);
    btlDateien.push_back(n);
    return 1;
}

void btlDateienIn(const char* verz, void*)
{
    if (verz == nullptr || verz[0] == '\0') return;
    // "BAUTEILE." of the old systems names the file without extension.
    for (const char* muster : {"BAUTEILE.*", "BAUTEILE"}) {
        std::string m = std::string(verz) + muster;
        verzlesennamen(m.c_str(), btlDateiNehmen, nullptr);
    }
}

}  // namespace

std::string DlgZahlText(double wert, int dezimalen)
{
    char b[64];
    auto r = std::to_chars(b, b + sizeof b - 1, wert, std::chars_format::fixed, dezimalen);
    *r.ptr = '\0';
    if (std::strcmp(b, "-0") == 0 || (b[0] == '-' && std::strspn(b + 1, "0.") == std::strlen(b + 1)))
        return b + 1;  // no "-0.00"
    return b;
}

std::string DlgZahlFeld(double wert, int dezimalen)
{
    // Shown with the decimal comma of the status fields; wiDezHolen reads both.
    std::string t = DlgZahlText(wert, dezimalen);
    std::replace(t.begin(), t.end(), '.', wiDezimalZeichen());
    return t;
}

void DlgZahlSetzen(int id, double wert)
{
    // As the settings reader clamps Ednk; before it ran the block holds 0.
    const int nk = std::clamp(static_cast<int>(EdEinst()->nk), 1, 4);
    wiZahlTextSetzen(id, DlgZahlText(wert, nk).c_str());
}

BtlQuadrat BtlQuadratVon(double x1, double y1, double x2, double y2)
{
    const double w = x2 - x1, h = y2 - y1;
    BtlQuadrat q{x1, y1, std::max(w, h)};
    if (w < h)
        q.x -= (h - w) / 2;
    else
        q.y -= (w - h) / 2;
    if (q.seite > 4.0) {
        q.seite *= 1.04;
        q.x -= 0.02 * q.seite;
        q.y -= 0.02 * q.seite;
    } else {
        const double rest = 4.0 - q.seite;
        q.seite = 4.0;
        q.x -= rest / 2;
        q.y -= rest / 2;
    }
    return q;
}

int BtlDateienSammeln()
{
    btlDateien.clear();
    const auto VerFlag = VerAufwaerts;  // the component folder searched upward from the project
    if (VerFlag(2)) PfadeAufwaerts(btlDateienIn, nullptr);
    btlDateienIn(VerZeiger(2), nullptr);
    std::stable_sort(btlDateien.begin(), btlDateien.end(),
                     [](const std::string& a, const std::string& b) { return strvgl(a.c_str(), b.c_str()) < 0; });
    btlDateien.erase(std::unique(btlDateien.begin(), btlDateien.end(),
                                 [](const std::string& a, const std::string& b) {
                                     return strvgl(a.c_str(), b.c_str()) == 0;
                                 }),
                     btlDateien.end());
    return static_cast<int>(btlDateien.size());
}

int BtlDateiName(int n, std::string* aus)
{
    if (n < 0 || n >= static_cast<int>(btlDateien.size())) {
        aus->clear();
        return 0;
    }
    *aus = btlDateien[static_cast<size_t>(n)];
    return 1;
}

// ---- Line-style and pen combo boxes -------------------------------------------------------------------

int StiftNummer(int n) { return std::clamp(n, 1, VISTIFTSUP); }
int LinienartNummer(int n) { return std::clamp(n, 0, 7); }

void LinienartCombo(int id)
{
    wiComboLeeren(id);
    for (int n = 0; n <= 7; ++n) {
        char t[4] = {static_cast<char>('0' + n), '\0'};
        int i = wiComboAnhaengen(id, t);
        SendMessage(wiItem(id), CB_SETITEMDATA, static_cast<WPARAM>(i), n);
    }
    SendMessage(wiItem(id), CB_SETITEMHEIGHT, 0, wiDlgEinheit(8));
}

void StiftCombo(int id)
{
    wiComboLeeren(id);
    for (int n = 1; n <= VISTIFTSUP; ++n) {
        char name[STIFTNAMESUP + 1];
        StiftName(n, name);
        char t[STIFTNAMESUP + 16];
        std::snprintf(t, sizeof t, "%d %s", n, name);
        int i = wiComboAnhaengen(id, t);
        SendMessage(wiItem(id), CB_SETITEMDATA, static_cast<WPARAM>(i), n);
    }
}

void SchriftCombo(int id)
{
    wiComboLeeren(id);
    for (int n = 0; n < SCHRIFTSUP; ++n) {
        char name[64] = "";
        SchriftName(n, name, sizeof name);
        char t[48];
        std::snprintf(t, sizeof t, "%d %-26.26s%s", n, name, SchriftArt(n) != 0 ? " F" : "");
        wiComboAnhaengen(id, t);
    }
}

namespace {

void stilText(HDC dc, int x, int y, const char* text)
{
    TextOut(dc, x, y, text, static_cast<int>(std::strlen(text)));
}

void stilStiftZeichnen(HDC dc, const RECT& r, int n)
{
    const VISTIFT& s = ViEinst()->stift[StiftNummer(n) - 1];
    char t[8];
    std::snprintf(t, sizeof t, "%-2d", StiftNummer(n));
    stilText(dc, r.left + 2, r.top + 1, t);
    char name[STIFTNAMESUP + 1];
    StiftName(StiftNummer(n), name);
    stilText(dc, r.left + wiDlgEinheit(22) + 2, r.top + 1, name);
    HPEN stift = CreatePen(PS_SOLID, std::max(1, 2 * s.breite), RGB(s.r, s.g, s.b));
    HGDIOBJ alt = SelectObject(dc, stift);
    const int y = (r.top + r.bottom) / 2;
    MoveToEx(dc, r.left + wiDlgEinheit(10) + 2, y, nullptr);
    LineTo(dc, r.left + wiDlgEinheit(18) + 2, y);
    SelectObject(dc, alt);
    DeleteObject(stift);
}

void stilArtZeichnen(HDC dc, const RECT& r, int n)
{
    char t[4] = {static_cast<char>('0' + LinienartNummer(n)), '\0'};
    stilText(dc, r.left + 2, r.top + 1, t);
    char name[8];
    std::snprintf(name, sizeof name, "SA%d_G", LinienartNummer(n));
    HBITMAP bild = wiBitmapLaden(name);
    if (bild == 0) return;
    BITMAP bm{};
    GetObject(bild, sizeof bm, &bm);
    HDC quelle = CreateCompatibleDC(dc);
    HGDIOBJ altBild = SelectObject(quelle, bild);
    const int y = (r.top + r.bottom - bm.bmHeight) / 2;
    BitBlt(dc, r.left + wiDlgEinheit(10) + 2, y, bm.bmWidth, bm.bmHeight, quelle, 0, 0, SRCCOPY);
    SelectObject(quelle, altBild);
    DeleteDC(quelle);
    DeleteObject(bild);
}

}  // namespace

int StilComboZeichnen(UINT nachricht, int id, LPARAM daten)
{
    if (id != 3100 && id != 3110) return 0;
    if (nachricht == WM_MEASUREITEM) {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(daten);
        mi->itemWidth = static_cast<UINT>(wiDlgEinheit(24));
        mi->itemHeight = static_cast<UINT>(wiDlgEinheit(8));
        return 1;
    }
    if (nachricht != WM_DRAWITEM) return 0;
    auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(daten);
    if (!(di->itemAction & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS))) return 1;
    int r = 0, g = 0, b = 0;
    ElsMarkFarbe(&r, &g, &b);
    const bool gewaehlt = (di->itemState & ODS_SELECTED) != 0;
    HBRUSH grund = CreateSolidBrush(gewaehlt ? RGB(r, g, b) : GetSysColor(COLOR_WINDOW));
    FillRect(di->hDC, &di->rcItem, grund);
    DeleteObject(grund);
    if (static_cast<int>(di->itemID) >= 0) {
        SetBkMode(di->hDC, TRANSPARENT);
        SetTextColor(di->hDC, GetSysColor(COLOR_WINDOWTEXT));
        const int n = static_cast<int>(di->itemData);
        if (id == 3100)
            stilStiftZeichnen(di->hDC, di->rcItem, n);
        else
            stilArtZeichnen(di->hDC, di->rcItem, n);
    }
    if (di->itemState & ODS_FOCUS) DrawFocusRect(di->hDC, &di->rcItem);
    return 1;
}
