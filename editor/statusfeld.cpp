// The editor page's status fields; see statusfeld.h.
#include "editor/statusfeld.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "controls/ctlkern.h"
#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "editor/eingabe.h"
#include "editor/history.h"
#include "editor/kontext.h"
#include "editor/leiste.h"
#include "model/beffifo.h"
#include "model/einstell.h"
#include "output/schrift.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/kopierdaten.h"
#include "platform/systemwerte.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/tbarhaken.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

enum : int {
    SF_BA = 21, SF_MS = 13, SF_LAY = 15, SF_ST = 25, SF_SA = 26, SF_SL = 27, SF_TG = 30, SF_TR = 31, SF_TV = 32,
    SF_TS = 34, SF_BD = 35, SF_TD = 36, SF_TAR = 37, SF_MEN = 114, SF_STA = 140, SF_SW = 142, SF_MKT = 145,
    SF_RLG = 146,
};

constexpr int SF_LINKS = 2;         // left margin, dialog units
constexpr int SF_RAND = 18;         // room kept right of value fields
constexpr int SF_ZUSTANDSUP = 20;   // focus slots

const StatusfeldZeile sfTabelle[STATUSFELDSUP] = {
    {7, -1, 1, 0, 0, 0, "Cursor"},       {6, -1, 0, 0, 0, 2, ""},           {1, 60, 1, 0, 0, 0, "Koordinaten"},
    {2, 24, 0, 1, 0, 2, "1"},            {2, 24, 0, 1, 0, 10, "1"},         {1, 60, 1, 0, 0, 0, "Schrittweite"},
    {2, 20, 0, 1, 0, 2, "1"},            {2, 20, 0, 1, 0, 10, "1"},         {1, 40, 1, 0, 0, 0, "Massstab"},
    {2, 28, 0, 0, 0, 10, "2"},           {1, 16, 1, 0, 0, 0, "Stift"},      {2, 12, 0, 0, 0, 2, "0"},
    {6, 20, 0, 0, 0, 10, ""},            {1, 24, 1, 0, 0, 0, "Strichart"},  {2, 8, 0, 0, 0, 2, "0"},
    {6, 20, 0, 0, 0, 10, ""},            {1, 20, 1, 0, 0, 0, "L\xE4nge"},   {2, 20, 0, 1, 0, 10, "1"},
    {1, 28, 1, 0, 0, 0, "Textgr\xF6sse"}, {2, 20, 0, 1, 0, 10, "1"},         {1, 28, 1, 0, 0, 0, "Richtung"},
    {2, 16, 0, 0, 1, 10, "0"},           {1, 28, 1, 0, 0, 0, "Verh\xE4ltnis"}, {2, 16, 0, 0, 0, 14, "1"},
    {1, 24, 1, 0, 0, 0, "Schrift"},      {2, 12, 0, 0, 0, 2, "0"},          {8, 80, 0, 0, 0, 10, ""},
    {1, 28, 1, 0, 0, 0, "Bauteile"},     {2, 16, 0, 0, 0, 10, "T"},         {1, 28, 1, 0, 0, 0, "Textdatei"},
    {2, 52, 0, 0, 0, 10, "T"},           {1, 24, 1, 0, 0, 0, "Layer"},      {2, 12, 0, 0, 0, 2, "0"},
    {1, 40, 0, 0, 0, 10, ""},            {1, 28, 1, 0, 0, 0, "Standard"},   {6, 16, 0, 0, 0, 10, "BMPSTA"},
};

struct SfFeld {
    HWND fenster = 0;
    int x = 0, breite = 0;  // dialog units
    WNDPROC alt = nullptr;
    bool gezeigt = false;
    std::string gezeigtText;  // invariant 1: as the field gives it back
    std::string soll;         // the value text last written
};

struct SfZustand {
    HWND seite = 0;
    SfFeld felder[STATUSFELDSUP];
    int geschrieben = 0;
    int zeilenVersatz = 0;
};
SfZustand sf;

const char* sfKlasse(int art)
{
    switch (art) {
    case 2: return "ORVAEDIT";
    case 3:
    case 6: return "ORVAGRBU";
    case 4:
    case 5: return "ORVADISP";
    default: return "ORVASHOW";
    }
}

int sfA() { return EdEinst()->nk; }
int sfB() { return EdEinst()->wnk; }

std::string sfFormat(const char* f, double v)
{
    char t[60];
    std::snprintf(t, sizeof t, f, v);
    return t;
}

std::string sfZahl(double v, int dezimalen)
{
    char f[10];
    std::snprintf(f, sizeof f, "%%.%df", std::clamp(dezimalen, 0, 4));
    // The plain form: the field shows it with the locale's separators.
    return sfFormat(f, v);
}

std::string sfGanz(int v) { return std::to_string(v); }

std::string sfFeldText(int n)
{
    char t[EINGABESUP + 1] = "";
    if (sf.felder[n].fenster) GetWindowText(sf.felder[n].fenster, t, sizeof t);
    std::string s = t;
    s.erase(s.find_last_not_of(" \t") + 1);
    s.erase(0, std::min(s.find_first_not_of(" \t"), s.size()));
    return s;
}

double sfWert(int n) { return EingabeZahl(sfFeldText(n)); }
int sfGanzWert(int n) { return EingabeGanz(sfFeldText(n)); }

// What field n shows now ("" for fields without a value).
std::string sfSoll(int n)
{
    const STT* s = BefAktZustand();
    const BEFRASTER* r = BefRasterWerte();
    char name[100] = "";
    switch (n) {
    case 1: return StatusfeldCursorBild(CursorModus(), wiGrosseSchrift());
    case 3: return sfZahl(s->x - r->mkx, sfA());
    case 4: return sfZahl(s->y - r->mky, sfA());
    case 6: return sfZahl(r->swx, sfA());
    case 7: return sfZahl(r->swy, sfA());
    case 9: return sfZahl(s->msf, 2);
    case 11: return sfGanz(s->st);
    case 12: return sfGanz(std::clamp(s->st, 1, VISTIFTSUP));
    case 14: return sfGanz(s->sa);
    case 15: return "SA" + std::to_string(std::clamp(s->sa, 0, 7)) + "_G";
    case 17: return sfZahl(s->sl, sfA());
    case 19: return sfZahl(s->tg, sfA());
    case 21: return sfZahl(s->tr / 10.0, 1);
    case 23: return sfZahl(s->tv, 1);
    case 25: return sfGanz(s->ts);
    case 26:
        SchriftName(std::clamp(s->ts, 0, 9), name, sizeof name);
        return name;
    case 28: return s->bd;
    case 30: return s->td;
    case 32: return sfGanz(s->layer);
    case 33:
        LayerName(std::clamp(s->layer, 1, 20), name);
        return name;
    default: return "";
    }
}

// The pen's face: a stroke in its colour and width (up to 6 pixels) on the
// button face, handed to the button as a bitmap.
void sfStiftBild(HWND knopf, int stift)
{
    RECT k;
    GetClientRect(knopf, &k);
    const int b = std::max<int>(1, k.right - 2), h = std::max<int>(1, k.bottom - 2);
    const VISTIFT& v = ViEinst()->stift[std::clamp(stift, 1, VISTIFTSUP) - 1];
    HDC schirm = GetDC(0);
    HBITMAP bild = CreateCompatibleBitmap(schirm, b, h);
    HDC dc = CreateCompatibleDC(schirm);
    ReleaseDC(0, schirm);
    HGDIOBJ altBild = SelectObject(dc, bild);
    HBRUSH grund = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    RECT r{0, 0, b, h};
    FillRect(dc, &r, grund);
    DeleteObject(grund);
    HPEN stiftGdi = CreatePen(PS_SOLID, std::clamp(v.breite, 1, 6), RGB(v.r, v.g, v.b));
    HGDIOBJ altStift = SelectObject(dc, stiftGdi);
    MoveToEx(dc, 3, h / 2, nullptr);
    LineTo(dc, b - 3, h / 2);
    SelectObject(dc, altStift);
    DeleteObject(stiftGdi);
    SelectObject(dc, altBild);
    DeleteDC(dc);
    uint32_t handle = static_cast<uint32_t>(bild);
    COPYDATASTRUCT cd{1, 4, &handle};
    SendMessage(knopf, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cd));
    DeleteObject(bild);
}

void sfSchreiben(int n, const std::string& text)
{
    SfFeld& f = sf.felder[n];
    if (!f.fenster) return;
    f.gezeigtText = text;
    f.soll = text;
    ++sf.geschrieben;
    if (n == 1) {
        CursorModusGezeigt(CursorModus());
        TbarBildSetzen(f.fenster, text.c_str());
    } else if (n == 12) {
        sfStiftBild(f.fenster, std::atoi(text.c_str()));
    } else if (n == 15) {
        SetWindowText(f.fenster, ("\x1b" "B " + text).c_str());
    } else {
        SetWindowText(f.fenster, text.c_str());
        if (sfTabelle[n].art == 2) f.gezeigtText = sfFeldText(n);  // as the field gives it back
    }
}

// ---- popups ------------------------------------------------------------------------------

constexpr int SF_EINST = 1100;

void sfEinfuegen(HMENU m, UINT id, const std::string& text)
{
    InsertMenu(m, static_cast<UINT>(std::max(0, GetMenuItemCount(m) - 1)), MF_BYPOSITION | MF_STRING, id, text.c_str());
}

// The dynamic items before the settings item.
void sfPunkte(int n, HMENU m)
{
    char name[100];
    switch (n) {
    case 11:
        for (int i = 1; i <= 9; ++i) {
            name[0] = '\0';
            StiftName(i, name);
            if (name[0] != '\0') sfEinfuegen(m, static_cast<UINT>(1000 + i), name);
        }
        break;
    case 14:
        for (int i = 1; i <= 7; ++i) sfEinfuegen(m, static_cast<UINT>(1000 + i), "Strichart " + std::to_string(i));
        break;
    case 25:
        for (int i = 0; i <= 9; ++i) {
            name[0] = '\0';
            SchriftName(i, name, sizeof name);
            if (name[0] != '\0') sfEinfuegen(m, static_cast<UINT>(1000 + i), std::to_string(i) + "   " + name);
        }
        break;
    case 32:
        for (int i = 1; i <= 20; ++i) {
            name[0] = '\0';
            LayerName(i, name);
            if (name[0] != '\0') sfEinfuegen(m, static_cast<UINT>(1000 + i), std::to_string(i) + " " + name);
        }
        break;
    default: break;
    }
}

void sfPopup(int n)
{
    const std::string name = StatusfeldMenue(n);
    if (name.empty()) {
        if (n == 28 || n == 30) BefEinreihenInt(SF_MEN, 1103);
        return;
    }
    HMENU m = LoadMenu(GetModuleHandle(nullptr), name.c_str());
    if (!m) return;
    HMENU p = GetSubMenu(m, 0);
    sfPunkte(n, p);
    wiMenuTexteUmschreiben(p);
    POINT pt{wiDlgEinheit(SF_LINKS + sf.felder[n].x), wiDlgEinheit(LayoutStatusOben() + 11 + sf.zeilenVersatz)};
    ClientToScreen(sf.seite, &pt);
    const int wahl = TrackPopupMenu(p, TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, pt.x, pt.y, 0, sf.seite, nullptr);
    DestroyMenu(m);
    if (wahl > 0) StatusfeldWahl(n, wahl);
}

LRESULT CALLBACK StatusfeldProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp)
{
    const int n = static_cast<int>(GetDlgCtrlID(fenster)) - STATUSFELDID;
    if (n < 0 || n >= STATUSFELDSUP || !sf.felder[n].alt) return DefWindowProc(fenster, nachricht, wp, lp);
    WNDPROC alt = sf.felder[n].alt;
    switch (nachricht) {
    case WM_SETFOCUS: FokusSuchen(fenster); break;
    case WM_GETDLGCODE: return CallWindowProc(alt, fenster, nachricht, wp, lp) | DLGC_WANTTAB;
    case WM_KEYDOWN:
        if (wp == VK_TAB) {
            FokusWeiter(GetKeyState(VK_SHIFT) < 0);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wp == '\t') return 0;
        if (wp == '\r' || wp == 27) {
            FokusSetzen(0);
            return 0;
        }
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (n >= 3 && n <= 32) {
            sfPopup(n);
            return 0;
        }
        break;
    default: break;
    }
    return CallWindowProc(alt, fenster, nachricht, wp, lp);
}

// A caption is at least as wide as its text in the small font.
int sfBeschriftungBreite(const char* text, int breite)
{
    HDC dc = GetDC(sf.seite);
    if (!dc) return breite;
    HGDIOBJ alt = SelectObject(dc, ctlSchrift(2));
    SIZE g{0, 0};
    GetTextExtentPoint32(dc, text, static_cast<int>(std::strlen(text)), &g);
    SelectObject(dc, alt);
    ReleaseDC(sf.seite, dc);
    const double proDu = wiDlgEinheit(100) / 100.0;
    return std::max(breite, static_cast<int>(std::ceil(g.cx / proDu)) + 3);
}

void sfFokusAnmelden()
{
    for (int s = 2; s < SF_ZUSTANDSUP; ++s) FokusAnmelden(s, 0);
    int slot = 2;
    for (int n = 0; n < STATUSFELDSUP && slot < SF_ZUSTANDSUP; ++n) {
        const int art = sfTabelle[n].art;
        if ((art == 2 || art == 3) && sf.felder[n].gezeigt) FokusAnmelden(slot++, sf.felder[n].fenster);
    }
}

}  // namespace

const StatusfeldZeile& StatusfeldTabelle(int n) { return sfTabelle[std::clamp(n, 0, STATUSFELDSUP - 1)]; }

int StatusfeldBreite(int n, int a, int b)
{
    const StatusfeldZeile& z = StatusfeldTabelle(n);
    const int basis = z.basis < 0 ? LayoutLinksBreite() : z.basis;
    return basis + 4 * z.dezA * a + 8 * z.dezB * b;
}

int StatusfeldZehntel(double grad)
{
    long z = std::lround(grad * 10.0) % 3600;
    if (z < 0) z += 3600;
    return static_cast<int>(z);
}

int StatusfelderAnlegen()
{
    StatusfelderEnde();
    sf.seite = EdtFenster();
    if (!sf.seite) return 0;
    int x = 0;
    int beschriftungEnde = 0;  // a caption never runs into the next one
    for (int n = 0; n < STATUSFELDSUP; ++n) {
        const StatusfeldZeile& z = sfTabelle[n];
        SfFeld& f = sf.felder[n];
        if (z.beschriftung) x = std::max(x, beschriftungEnde);
        f.x = x;
        f.breite = StatusfeldBreite(n, sfA(), sfB());
        if (z.beschriftung) {
            f.breite = sfBeschriftungBreite(z.text, f.breite);
            beschriftungEnde = x + f.breite;
        }
        std::string text = z.text;
        if (z.art == 2 && z.dezA) text = std::to_string(sfA());
        if (z.art == 2 && z.dezB) text = std::to_string(sfB());
        if (z.art == 1 || z.art == 7 || z.art == 8) text = "T=" + text;
        const int c = z.beschriftung;
        f.fenster = CreateWindow(sfKlasse(z.art), z.art == 6 ? "" : text.c_str(), WS_CHILD | (z.art == 2 ? WS_TABSTOP : 0),
                                 wiDlgEinheit(SF_LINKS + x - 2 * c), wiDlgEinheit(LayoutStatusOben() + 11 * c),
                                 wiDlgEinheit(f.breite), wiDlgEinheit(10 - 2 * c), sf.seite,
                                 static_cast<HMENU>(STATUSFELDID + n), anwInstanz(), nullptr);
        if (!f.fenster) continue;
        if (z.art == 2) SendMessage(f.fenster, WM_SETFONT, static_cast<WPARAM>(SendMessage(sf.seite, WM_GETFONT, 0, 0)), 0);
        if (z.art == 8 || ((z.art == 1 || z.art == 7) && c))
            SendMessage(f.fenster, WM_SETFONT, static_cast<WPARAM>(ctlSchrift(2)), 0);
        if (z.art == 6 && z.text[0] != '\0') TbarBildSetzen(f.fenster, z.text);
        if (z.art != 6)
            f.alt = reinterpret_cast<WNDPROC>(
                SetWindowLongPtr(f.fenster, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StatusfeldProc)));
        if (!c) x += f.breite + z.abstand;
        if (n == 1) x = std::max(x, LayoutLinksBreite());
    }
    StatusfelderLayout();
    StatusfelderAktualisieren(1);
    return 0;
}

void StatusfelderEnde()
{
    for (SfFeld& f : sf.felder) {
        if (f.fenster && IsWindow(f.fenster)) {
            if (f.alt) SetWindowLongPtr(f.fenster, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(f.alt));
            DestroyWindow(f.fenster);
        }
    }
    sf = SfZustand{};
}

void StatusfelderLayout()
{
    if (!sf.seite) return;
    RECT k;
    GetClientRect(sf.seite, &k);
    for (int n = 0; n < STATUSFELDSUP; ++n) {
        SfFeld& f = sf.felder[n];
        if (!f.fenster) continue;
        const int rand = sfTabelle[n].beschriftung ? 0 : wiDlgEinheit(SF_RAND);
        const bool passt = wiDlgEinheit(SF_LINKS + f.x + f.breite) < k.right - rand;
        ShowWindow(f.fenster, passt ? SW_SHOWNOACTIVATE : SW_HIDE);
        f.gezeigt = passt;
    }
    sfFokusAnmelden();
    if (FokusAktuell() >= 2 && FokusFenster()) FokusSetzen(0);
}

void StatusfelderVerschieben(int dy)
{
    sf.zeilenVersatz = dy;
    for (int n = 0; n < STATUSFELDSUP; ++n) {
        SfFeld& f = sf.felder[n];
        if (!f.fenster) continue;
        const int c = sfTabelle[n].beschriftung;
        MoveWindow(f.fenster, wiDlgEinheit(SF_LINKS + f.x - 2 * c), wiDlgEinheit(LayoutStatusOben() + 11 * c + dy),
                   wiDlgEinheit(f.breite), wiDlgEinheit(10 - 2 * c), TRUE);
    }
}

int StatusfelderAktualisieren(int erzwingen)
{
    sf.geschrieben = 0;
    HWND fokus = GetFocus();
    for (int n = 0; n < STATUSFELDSUP; ++n) {
        const int art = sfTabelle[n].art;
        if (!sf.felder[n].fenster || (art != 2 && n != 1 && n != 12 && n != 15 && n != 26 && n != 33)) continue;
        // A field the user is typing in keeps what he typed.
        if (!erzwingen && sf.felder[n].fenster == fokus && sfFeldText(n) != sf.felder[n].gezeigtText) continue;
        const std::string soll = sfSoll(n);
        if (erzwingen || soll != sf.felder[n].soll) sfSchreiben(n, soll);
    }
    return sf.geschrieben;
}

std::string StatusfeldGezeigt(int n)
{
    return n >= 0 && n < STATUSFELDSUP && sf.felder[n].fenster ? sf.felder[n].gezeigtText : std::string();
}

std::string StatusfeldCursorBild(int modus, int gross)
{
    return "CZL" + std::to_string(modus) + (gross ? "_G" : "_K");
}

int StatusfeldIndex(HWND fenster)
{
    for (int n = 0; n < STATUSFELDSUP; ++n) {
        const int art = sfTabelle[n].art;
        if (fenster && sf.felder[n].fenster == fenster && (art == 2 || art == 4)) return n;
    }
    return -1;
}

void StatusfeldUebernehmen(int n)
{
    switch (n) {
    case 3:
    case 4:
        BefEinreihenIntXY(SF_BA, 1, sfWert(3) + BefRasterWerte()->mkx, sfWert(4) + BefRasterWerte()->mky);
        break;
    case 6:
    case 7: BefEinreihenXY(SF_SW, sfWert(6), sfWert(7)); break;
    case 9: BefEinreihenReal(SF_MS, sfWert(9)); break;
    case 11: {
        const int st = sfGanzWert(11);
        BefEinreihenInt(SF_ST, st);
        sfSchreiben(12, sfGanz(std::clamp(st, 1, VISTIFTSUP)));
        break;
    }
    case 14: {
        const int sa = std::clamp(sfGanzWert(14), 0, 7);
        BefEinreihenInt(SF_SA, sa);
        sfSchreiben(15, "SA" + std::to_string(sa) + "_G");
        break;
    }
    case 17: BefEinreihenReal(SF_SL, sfWert(17)); break;
    case 19: BefEinreihenReal(SF_TG, sfWert(19)); break;
    case 23: BefEinreihenReal(SF_TV, sfWert(23)); break;
    case 21: BefEinreihenInt(SF_TR, StatusfeldZehntel(sfWert(21))); break;
    case 25: {
        const int ts = sfGanzWert(25);
        BefEinreihenInt(SF_TS, ts);
        char name[100] = "";
        SchriftName(std::clamp(ts, 0, 9), name, sizeof name);
        sfSchreiben(26, name);
        break;
    }
    case 28:
    case 30: {
        std::string t = sfFeldText(n);
        for (char& c : t) c = static_cast<char>(zgross(static_cast<unsigned char>(c)));
        BefEinreihenText(n == 28 ? SF_BD : SF_TD, t.c_str());
        break;
    }
    case 32: {
        const int lay = sfGanzWert(32);
        BefEinreihenInt(SF_LAY, lay);
        char name[100] = "";
        LayerName(std::clamp(lay, 1, 20), name);
        sfSchreiben(33, name);
        break;
    }
    default: break;
    }
}

std::string StatusfeldMenue(int n)
{
    switch (n) {
    case 3:
    case 4: return "SBXYAUSWAHL";
    case 6:
    case 7: return "SBSWAUSWAHL";
    case 9: return "SBMSAUSWAHL";
    case 11: return "SBSTAUSWAHL";
    case 14: return "SBSAAUSWAHL";
    case 17: return "SBSLAUSWAHL";
    case 19: return wiDezimalZeichen() == ',' ? "SBTGDEAUSWAHL" : "SBTGCHAUSWAHL";
    case 21: return "SBTRAUSWAHL";
    case 23: return "SBTVAUSWAHL";
    case 25: return "SBTSAUSWAHL";
    case 32: return "SBLAYAUSWAHL";
    default: return "";
    }
}

int StatusfeldWahl(int n, int wahl)
{
    auto einst = [](int menue) {
        BefEinreihenInt(SF_MEN, menue);
        return SF_MEN;
    };
    if (wahl == SF_EINST) {
        switch (n) {
        case 3:
        case 4:
        case 6:
        case 7: return einst(1102);
        case 9: return einst(1105);
        case 32: return einst(1104);
        default: return einst(1100);
        }
    }
    const int i = wahl - 1000;
    switch (n) {
    case 3:
    case 4:
        if (wahl == 1001) {
            BefEinreihenCode(SF_RLG);
            return SF_RLG;
        }
        if (wahl == 1002) {
            EingabeAusfuehren("MKT");
            return SF_MKT;
        }
        return 0;
    case 6:
    case 7: {
        static const double schritte[] = {0.1, 0.5, 1.0, 2.5, 5.0};
        static const int ids[] = {1001, 1005, 1010, 1025, 1050};
        for (int k = 0; k < 5; ++k)
            if (ids[k] == wahl) {
                BefEinreihenXY(SF_SW, schritte[k], schritte[k]);
                return SF_SW;
            }
        return 0;
    }
    case 9: {
        static const double ms[] = {1.0, 0.5, 0.4, 0.25, 0.2, 0.1};
        if (i < 1 || i > 6) return 0;
        BefEinreihenReal(SF_MS, ms[i - 1]);
        return SF_MS;
    }
    case 11:
        if (i < 1 || i > 9) return 0;
        BefEinreihenInt(SF_ST, i);
        return SF_ST;
    case 14:
        if (i < 1 || i > 7) return 0;
        BefEinreihenInt(SF_SA, i);
        return SF_SA;
    case 17: {
        static const double sl[] = {1, 2, 5, 8, 10, 12, 15, 20};
        if (i < 1 || i > 8) return 0;
        BefEinreihenReal(SF_SL, sl[i - 1]);
        return SF_SL;
    }
    case 19: {
        static const double tg[] = {1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0, 5.0};
        if (i < 1 || i > 8) return 0;
        BefEinreihenReal(SF_TG, tg[i - 1]);
        return SF_TG;
    }
    case 21:
        if (i >= 1 && i <= 4) {
            BefEinreihenInt(SF_TR, (i - 1) * 900);
            return SF_TR;
        }
        if (i >= 10 && i <= 13) {
            BefEinreihenInt(SF_TAR, i - 10);
            return SF_TAR;
        }
        return 0;
    case 23:
        if (i < 1 || i > 2) return 0;
        BefEinreihenReal(SF_TV, i == 1 ? 0.8 : 1.0);
        return SF_TV;
    case 25:
        if (i < 0 || i > 9) return 0;
        BefEinreihenInt(SF_TS, i);
        return SF_TS;
    case 32:
        if (i < 1 || i > 20) return 0;
        BefEinreihenInt(SF_LAY, i);
        return SF_LAY;
    default: return 0;
    }
}

int StatusfeldKommando(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND || !sf.seite) return 0;
    const int id = LOWORD(wp);
    if (id == 2401) {
        CursorModusKlick();
        return 1;
    }
    if (id == 2999) {
        StatusfelderAktualisieren(0);
        return 0;  // the page refreshes the rest
    }
    const int n = id - STATUSFELDID;
    if (n < 0 || n >= STATUSFELDSUP) return 0;
    if (n == 1) {
        CursorModusKlick();
        return 1;
    }
    if (n == 35) {
        BefehlsTextAusfuehren("STA");
        return 1;
    }
    if (n == 12 || n == 15) {
        sfPopup(n == 12 ? 11 : 14);
        return 1;
    }
    if (sfTabelle[n].art == 2 && HIWORD(wp) == CTLBEARBEITET && GetFocus() == sf.felder[n].fenster) {
        StatusfeldUebernehmen(n);
        return 1;
    }
    return 0;
}
