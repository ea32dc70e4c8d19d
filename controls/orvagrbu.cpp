// ORVAGRBU, the owner-drawn push button: a face bitmap with a picture, an
// optional label, the button frame of the class core, click on release
// (mouse or Space) only when pressed and not dragged, an optional right-click
// command and an optional drag id (2062 carries the id, 2063/2064 points).
// Prefix `grbu`. Calls the class core (ctlkern) and platform/.
#include <cstdlib>
#include <cstring>

#include "controls/ctlkern.h"
#include "controls/ctlklassen.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/kopierdaten.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"

namespace {

constexpr int GRBUTEXTSUP = 200;
constexpr int GRBULABELSETZSUP = 80;  // characters taken from a set text

struct GrbuZustand {
    int breite;
    int hoehe;
    DWORD stil;
    HBITMAP flaeche;  // picture area, (width - 2) x (height - 2)
    bool schrift0;    // label in library font 0
    char anlage[GRBUTEXTSUP + 1];
    char label[GRBUTEXTSUP + 1];
    bool gedrueckt;
    bool gefangen;
    bool fokus;
    bool schwebend;
    bool rechts;
    int rechtsBefehl;
    int ziehId;
    int ziehZustand;
    int ziehStartX, ziehStartY;
    int ziehPunktX, ziehPunktY;
    HWND besitzer;
    COLORREF farbe;  // 0 = button face
    HBITMAP bild;    // copy of the picture on the face, placed again after a resize
};

COLORREF grbuFarbe(const GrbuZustand* z)
{
    return z->farbe != 0 ? z->farbe : GetSysColor(COLOR_BTNFACE);
}

void grbuFlaecheFuellen(GrbuZustand* z)
{
    if (z->flaeche == 0) return;
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(dc, z->flaeche);
    ctlFlaeche(dc, 0, 0, z->breite - 2, z->hoehe - 2, grbuFarbe(z));
    SelectObject(dc, alt);
    DeleteDC(dc);
}

void grbuFlaecheNeu(GrbuZustand* z)
{
    if (z->flaeche != 0) DeleteObject(z->flaeche);
    HDC schirm = GetDC(0);
    z->flaeche = CreateCompatibleBitmap(schirm, z->breite > 2 ? z->breite - 2 : 1, z->hoehe > 2 ? z->hoehe - 2 : 1);
    ReleaseDC(0, schirm);
    grbuFlaecheFuellen(z);
}

void grbuBildVergessen(GrbuZustand* z)
{
    if (z->bild != 0) DeleteObject(z->bild);
    z->bild = 0;
}

// A copy of the caller's picture, which stays the caller's.
HBITMAP grbuBildKopie(HBITMAP bild, const BITMAP& bm)
{
    HDC schirm = GetDC(0);
    HBITMAP kopie = CreateCompatibleBitmap(schirm, bm.bmWidth, bm.bmHeight);
    ReleaseDC(0, schirm);
    if (kopie == 0) return 0;
    HDC ziel = CreateCompatibleDC(0);
    HGDIOBJ altZ = SelectObject(ziel, kopie);
    HDC quelle = CreateCompatibleDC(0);
    HGDIOBJ altQ = SelectObject(quelle, bild);
    BitBlt(ziel, 0, 0, bm.bmWidth, bm.bmHeight, quelle, 0, 0, SRCCOPY);
    SelectObject(quelle, altQ);
    DeleteDC(quelle);
    SelectObject(ziel, altZ);
    DeleteDC(ziel);
    return kopie;
}

// The face is refilled, then the picture copied at its natural size. The
// button keeps a copy (unless `bild` is its own already), so that a new
// face after a resize shows it again.
void grbuBildSetzen(GrbuZustand* z, HBITMAP bild)
{
    BITMAP bm{};
    if (bild == 0 || GetObject(bild, sizeof bm, &bm) == 0) return;
    if (bild != z->bild) {
        grbuBildVergessen(z);
        z->bild = grbuBildKopie(bild, bm);
    }
    grbuFlaecheFuellen(z);
    const int fw = z->breite - 2;
    const int fh = z->hoehe - 2;
    int x, y;
    if (z->stil & 0x40) {
        x = (z->stil & 0x10) ? (fw - bm.bmWidth) / 2 : 2;
        y = 2;
    } else {
        x = (fw - bm.bmWidth) / 2;
        y = (fh - bm.bmHeight) / 2;
    }
    HDC ziel = CreateCompatibleDC(0);
    HGDIOBJ altZ = SelectObject(ziel, z->flaeche);
    HDC quelle = CreateCompatibleDC(0);
    HGDIOBJ altQ = SelectObject(quelle, bild);
    BitBlt(ziel, x, y, bm.bmWidth, bm.bmHeight, quelle, 0, 0, SRCCOPY);
    SelectObject(quelle, altQ);
    DeleteDC(quelle);
    SelectObject(ziel, altZ);
    DeleteDC(ziel);
}

void grbuLabelSetzen(GrbuZustand* z, const char* text, size_t hoechstens)
{
    char puffer[GRBUTEXTSUP + 1];
    ctlKopie(puffer, text, hoechstens + 1 < sizeof puffer ? hoechstens + 1 : sizeof puffer);
    ctlKopie(z->label, puffer, sizeof z->label);
}

// Label: after the first ';', else after the first blank, else the whole
// text; a leading '!' selects library font 0.
void grbuLabelAusAnlage(GrbuZustand* z)
{
    const char* p = std::strchr(z->anlage, ';');
    if (p == nullptr) p = std::strchr(z->anlage, ' ');
    p = p != nullptr ? p + 1 : z->anlage;
    if (*p == '!') {
        z->schrift0 = true;
        ++p;
    }
    ctlKopie(z->label, p, sizeof z->label);
}

void grbuNeuMalen(HWND fenster)
{
    InvalidateRect(fenster, nullptr, FALSE);
}

void grbuLoesen(GrbuZustand* z)
{
    if (z->gefangen) {
        z->gefangen = false;
        ReleaseCapture();
    }
}

void grbuBefehl(HWND fenster, GrbuZustand* z, const char* text)
{
    const char* p = text + 2;
    switch (text[1]) {
    case 'B': {
        while (*p == ' ') ++p;
        HBITMAP roh = bmpResLaden(p, 0);
        if (roh == 0) break;
        HBITMAP bild = bmpHintergrund(roh, GetSysColor(COLOR_BTNFACE));
        DeleteObject(roh);
        grbuBildSetzen(z, bild);
        if (bild != 0) DeleteObject(bild);
        break;
    }
    case 'C':
        grbuLoesen(z);
        z->schwebend = z->gedrueckt = z->rechts = false;
        break;
    case 'D': z->ziehId = ctlZahlLesen(&p); break;
    case 'F': z->schrift0 = ctlZahlLesen(&p) != 0; break;
    case 'H':
        z->farbe = ctlFarbeLesen(p);
        grbuFlaecheFuellen(z);
        grbuBildVergessen(z);  // lost until placed again
        break;
    case 'R': z->rechtsBefehl = ctlZahlLesen(&p); break;
    case 'S': z->stil = (z->stil & ~0xFFu) | (static_cast<DWORD>(ctlZahlLesen(&p)) & 0xFFu); break;
    default: return;
    }
    grbuNeuMalen(fenster);
}

// A picture placed with the label style sits at the top of the face; when
// the face is as tall as the picture and a line of text (labelled toolbars)
// the label goes to the bottom, or the two would overlap. A flat button
// keeps its label centred beside the picture.
bool grbuLabelUnterBild(HDC dc, const GrbuZustand* z)
{
    BITMAP bm{};
    if (z->bild == 0 || GetObject(z->bild, sizeof bm, &bm) == 0) return false;
    TEXTMETRIC tm{};
    if (!GetTextMetrics(dc, &tm)) return false;
    return bm.bmHeight + tm.tmHeight <= z->hoehe - 2;
}

void grbuMalen(HWND fenster, GrbuZustand* z)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(fenster, &ps);
    ctlFlaeche(dc, 0, 0, z->breite, z->hoehe, grbuFarbe(z));
    if (z->flaeche != 0) {
        HDC quelle = CreateCompatibleDC(dc);
        HGDIOBJ alt = SelectObject(quelle, z->flaeche);
        BitBlt(dc, 1, 1, z->breite - 2, z->hoehe - 2, quelle, 0, 0, SRCCOPY);
        SelectObject(quelle, alt);
        DeleteDC(quelle);
    }
    ctlKnopfRahmenMalen(dc, z->breite, z->hoehe, z->gedrueckt, z->schwebend);
    if (z->stil & 0x40) {
        HGDIOBJ alt = SelectObject(dc, ctlSchrift(z->schrift0 ? 0 : 2));
        SetBkMode(dc, TRANSPARENT);
        RECT r{2, 2, z->breite - 2, z->hoehe - 2};
        const bool darunter = grbuLabelUnterBild(dc, z);
        UINT format = DT_SINGLELINE | (darunter ? DT_BOTTOM : DT_VCENTER) | ((z->stil & 0x10) ? DT_CENTER : DT_LEFT);
        DrawText(dc, z->label, -1, &r, format);
        SelectObject(dc, alt);
    }
    if (z->fokus) {
        RECT r{1, 1, z->breite - 1, z->hoehe - 1};
        DrawFocusRect(dc, &r);
    }
    EndPaint(fenster, &ps);
}

void grbuHoch(HWND fenster, GrbuZustand* z, int x, int y)
{
    grbuLoesen(z);
    if (z->gedrueckt && z->ziehZustand != 2) {
        const int befehl = z->rechts ? z->rechtsBefehl : GetDlgCtrlID(fenster);
        z->gedrueckt = z->rechts = z->schwebend = false;
        grbuNeuMalen(fenster);
        z->ziehZustand = 0;
        // The command may close the dialog and so destroy this button (a
        // box after the close runs the loop that does it): nothing of the
        // button is touched after it.
        SendMessage(GetParent(fenster), WM_COMMAND, static_cast<WPARAM>(befehl), static_cast<LPARAM>(fenster));
        return;
    } else {
        z->gedrueckt = z->rechts = z->schwebend = false;
        grbuNeuMalen(fenster);
    }
    if (z->ziehZustand == 2) ctlGestePosten(fenster, CTLGESTEENDE, x, y);
    z->ziehZustand = 0;
}

void grbuBewegen(HWND fenster, GrbuZustand* z, int x, int y)
{
    if (ctlSchwebenPruefen(fenster, z->besitzer, x, y, &z->schwebend, &z->gefangen, z->ziehZustand == 2,
                           &z->gedrueckt)) {
        grbuNeuMalen(fenster);
    }
    if (z->ziehId == 0) return;
    z->ziehPunktX = x;
    z->ziehPunktY = y;
    if (z->ziehZustand == 1 && (std::abs(x - z->ziehStartX) >= 5 || std::abs(y - z->ziehStartY) >= 5)) {
        z->ziehZustand = 2;
        PostMessage(GetParent(fenster), WM_COMMAND, static_cast<WPARAM>(CTLGESTEANFANG),
                    static_cast<LPARAM>(z->ziehId));
    } else if (z->ziehZustand == 2) {
        ctlGestePosten(fenster, CTLGESTEZUG, x, y);
    }
}

LRESULT grbuAnlegen(HWND fenster, const CREATESTRUCT* cs)
{
    auto* z = static_cast<GrbuZustand*>(ctlZustandAnlegen(fenster, sizeof(GrbuZustand)));
    if (z == nullptr) return -1;
    z->besitzer = ctlBesitzer(fenster);
    z->breite = cs->cx;
    z->hoehe = cs->cy;
    z->stil = static_cast<DWORD>(cs->style);
    grbuFlaecheNeu(z);
    ctlKopie(z->anlage, cs->lpszName ? cs->lpszName : "", sizeof z->anlage);
    grbuLabelAusAnlage(z);
    return 0;
}

}  // namespace

LRESULT CALLBACK ctlGrbuProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_CREATE) return grbuAnlegen(fenster, reinterpret_cast<const CREATESTRUCT*>(lp));
    auto* z = ctlZustandVon<GrbuZustand>(fenster);
    if (z == nullptr) return DefWindowProc(fenster, nachricht, wp, lp);
    const int x = GET_X_LPARAM(lp);
    const int y = GET_Y_LPARAM(lp);
    switch (nachricht) {
    case WM_DESTROY:
        if (z->flaeche != 0) DeleteObject(z->flaeche);
        grbuBildVergessen(z);
        ctlZustandFrei(fenster);
        return 0;
    case WM_SIZE:
        z->breite = LOWORD(lp);
        z->hoehe = HIWORD(lp);
        grbuFlaecheNeu(z);
        if (z->bild != 0) grbuBildSetzen(z, z->bild);
        grbuNeuMalen(fenster);
        return 0;
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lp);
        if (text == nullptr) return 1;
        if (text[0] == 27) {
            if (text[1] >= 'B' && text[1] <= 'S') grbuBefehl(fenster, z, text);
        } else {
            grbuLabelSetzen(z, text, GRBULABELSETZSUP);
            grbuNeuMalen(fenster);
        }
        return 1;
    }
    case WM_GETTEXT: {
        char* puffer = reinterpret_cast<char*>(lp);
        if (puffer == nullptr || wp == 0) return 0;
        ctlKopie(puffer, z->label, static_cast<size_t>(wp));
        return static_cast<LRESULT>(std::strlen(puffer));
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(std::strlen(z->label));
    case WM_COPYDATA: {
        const auto* cd = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        if (cd != nullptr && cd->dwData == 1 && cd->cbData >= 4 && cd->lpData != nullptr) {
            uint32_t h = 0;
            std::memcpy(&h, cd->lpData, 4);
            grbuBildSetzen(z, static_cast<HBITMAP>(h));
            grbuNeuMalen(fenster);
        }
        return 1;
    }
    case WM_PAINT:
        grbuMalen(fenster, z);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        z->gedrueckt = true;
        if (!z->gefangen) {
            SetCapture(fenster);
            z->gefangen = true;
        }
        if (z->ziehId != 0) {
            z->ziehZustand = 1;
            z->ziehStartX = z->ziehPunktX = x;
            z->ziehStartY = z->ziehPunktY = y;
        }
        grbuNeuMalen(fenster);
        return 0;
    case WM_RBUTTONDOWN:
        if (z->rechtsBefehl != 0) {
            z->gedrueckt = z->rechts = true;
            if (!z->gefangen) {
                SetCapture(fenster);
                z->gefangen = true;
            }
            grbuNeuMalen(fenster);
        }
        return 0;
    case WM_KEYDOWN:
        if (wp == VK_SPACE) {
            z->gedrueckt = true;
            grbuNeuMalen(fenster);
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        grbuHoch(fenster, z, x, y);
        return 0;
    case WM_KEYUP:
        if (wp == VK_SPACE) grbuHoch(fenster, z, 0, 0);
        return 0;
    case WM_MOUSEMOVE:
        grbuBewegen(fenster, z, x, y);
        return 0;
    case WM_SETFOCUS:
        z->fokus = true;
        grbuNeuMalen(fenster);
        return 0;
    case WM_KILLFOCUS:
        z->fokus = false;
        grbuNeuMalen(fenster);
        return 0;
    case WM_ENABLE:
        if (!wp) {
            grbuLoesen(z);
            z->schwebend = z->gedrueckt = z->rechts = false;
            grbuNeuMalen(fenster);
        }
        return 0;
    case WM_CAPTURECHANGED:
        z->gefangen = false;
        grbuNeuMalen(fenster);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_BUTTON;
    default:
        return DefWindowProc(fenster, nachricht, wp, lp);
    }
}
