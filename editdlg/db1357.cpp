// The short-text window DB1357: the 40 text lines of one component of an
// item, shown as typed or resolved (the view toggle is offered only when a
// line differs), saved line by line; copy and paste through the
// equipment-text clipboard block.
#include <cstdio>
#include <cstring>
#include <string>

#include "config/reaktion.h"
#include "editdlg/bmdlg.h"
#include "editdlg/bmlisdlg.h"
#include "editdlg/bmtcopy.h"
#include "editdlg/bmtext.h"
#include "editdlg/dbdialog.h"
#include "editor/edtseite.h"
#include "equipment/app.h"
#include "equipment/apphaken.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "model/beffifo.h"
#include "model/dienste.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/systemwerte.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "project/rschreib.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int D57ZEILEN = 40;
constexpr int D57TEXT = 40;

struct D57Teil {
    uint32_t id = 0;
    char code[9] = "";
    int nr = 0;
};

struct D57Zustand {
    HWND fenster = 0;
    HWND besitzer = 0;
    D57Teil teil, vorgemerkt;
    int getippt = 0;  // a field was typed into since the last fill or save
    bool gelb[D57ZEILEN] = {};  // lines whose stored text holds a 0x04
    HBRUSH gelbPinsel = 0;
};
D57Zustand d57;

int d57Feld(int zeile) { return 3000 + 10 * zeile; }

// The language the lines are translated into (empty for the project's
// own), on yellow while one is chosen.
void d57Sprache()
{
    const int sprache = SprNummer();
    char name[80] = "";
    if (sprache > 0) SprName(name, sizeof name);
    wiTextSetzen(3920, name);
    wiTextDruckRoh(3920, sprache > 0 ? "%cH 255 255 0" : "%ch 0", 27);
}

void d57Fuellen()
{
    const D57Teil& t = d57.teil;
    char roh[D57ZEILEN][GTXTEXTSUP + 1] = {}, aufg[D57ZEILEN][GTXTEXTSUP + 1] = {};
    int unterschied = 0;
    for (int i = 0; i < D57ZEILEN; ++i) {
        GtxTextRoh(t.id, t.code, t.nr, i, roh[i], sizeof roh[i]);
        GtxTextHolen(t.id, t.code, t.nr, i, aufg[i], sizeof aufg[i]);
        if (std::strcmp(roh[i], aufg[i]) != 0) unterschied = 1;
    }
    const BmtAnsicht a = BmtAnsichtWaehlen(unterschied);
    {
        DbFuellen f;
        char kenn[HULKENNSUP + 1] = "", cn[32];
        modh::BMKennungHolen(kenn, sizeof kenn, t.id);
        wiTextSetzen(3900, kenn);
        if (t.nr != 0)
            std::snprintf(cn, sizeof cn, "%s%d", t.code, t.nr);
        else
            std::snprintf(cn, sizeof cn, "%s", t.code);
        wiTextSetzen(3910, cn);
        d57Sprache();
        for (int i = 0; i < D57ZEILEN; ++i) {
            char z[GTXTEXTSUP + 1];
            const int gelb = BmtAnzeigeText(a.roh ? roh[i] : aufg[i], z, sizeof z);
            wiTextSetzen(d57Feld(i), z);
            SendMessage(wiItem(d57Feld(i)), EM_SETREADONLY, a.nurLesen ? TRUE : FALSE, 0);
            // Plain edit fields: the colour comes with WM_CTLCOLOR* below.
            d57.gelb[i] = gelb != 0;
            InvalidateRect(wiItem(d57Feld(i)), nullptr, TRUE);
        }
    }
    BmdKnopf(2522, a.umschaltbar != 0, a.bild, a.bildAus[0] ? a.bildAus : a.bild);
    d57.getippt = 0;
}

void d57Speichern()
{
    const D57Teil& t = d57.teil;
    for (int i = 0; i < D57ZEILEN; ++i) {
        char z[D57TEXT + 1] = "";
        wiTextHolen(d57Feld(i), z, D57TEXT);
        strtrim(z);
        GtxTextSetzen(t.id, t.code, t.nr, i, z);
        if (std::strchr(z, '@')) BmtEditAnsicht(1);
    }
    d57.getippt = 0;
    AppGeaendert(t.id, 1);
    EdtAnsichtAktualisieren();
    BefEinreihenCode(1);
}

void d57Nach2509()
{
    d57Speichern();
    if (wiKnopf(2504)) wiDlgSchliessen();
}

struct D57Einfuegen {
    const D57Teil* t;
};

void d57Einfuegen(const char* schluessel, const char* wert, void* u)
{
    const D57Teil* t = static_cast<D57Einfuegen*>(u)->t;
    const int zeile = BmTextZeile(schluessel);
    if (zeile >= 0) {
        std::string w = wert;
        if (w.size() > static_cast<size_t>(D57TEXT)) w.resize(D57TEXT);
        wiTextSetzen(d57Feld(zeile), w.c_str());
        d57.getippt = 1;
        return;
    }
    if (t->code[0] != 'H') return;
    if (std::strcmp(schluessel, "D") == 0) {
        AppDispoSetzen(t->id, wert);
    } else if (std::strcmp(schluessel, "P") == 0) {
        AppPrinzipSetzen(t->id, wert);
    } else if (std::strcmp(schluessel, "L") == 0) {
        appgeraet g{};
        if (GesHolen(t->id, &g) == 0) {
            strkopie(g.lt, sizeof g.lt, wert, 20);
            GesAendern(t->id, &g);
            AppGeaendert(t->id, 1);
        }
    }
}

int d57Init(int, const char* const*)
{
    DbDlgAnfang(DBBETRMITTEL);
    d57.fenster = wiDlgFenster();
    d57.besitzer = wiDlgBesitzer();
    d57.teil = d57.vorgemerkt;
    d57.gelbPinsel = CreateSolidBrush(RGB(255, 255, 0));
    {
        DbFuellen f;
        wiKnopfSetzen(2504, 1);
    }
    if (RsStarten()) {
        for (int i = 0; i < D57ZEILEN; ++i) {
            char name[24];
            std::snprintf(name, sizeof name, "Kurztext %d", i + 1);
            RsFeldAnmelden(d57Feld(i), name, 1);
        }
    } else {
        wiItemZeigen(2990, 0);
    }
    d57Fuellen();
    return 0;
}

int d57Exit()
{
    RsFelderAbmelden();
    if (d57.besitzer) PostMessage(d57.besitzer, WM_COMMAND, 2512, 0);
    d57.fenster = 0;
    if (d57.gelbPinsel) DeleteObject(d57.gelbPinsel);
    d57.gelbPinsel = 0;
    DbDlgEnde(DBBETRMITTEL);
    return 0;
}

// The yellow background of a line whose stored text holds a 0x04 (edit
// fields ask their dialog; read-only ones as static).
int d57Farbe(WPARAM wp, LPARAM lp)
{
    for (int i = 0; i < D57ZEILEN; ++i) {
        if (!d57.gelb[i] || static_cast<HWND>(lp) != wiItem(d57Feld(i))) continue;
        HDC dc = static_cast<HDC>(wp);
        SetBkColor(dc, RGB(255, 255, 0));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return static_cast<int>(d57.gelbPinsel);
    }
    return 0;
}

int d57Befehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_CTLCOLOREDIT || nachricht == WM_CTLCOLORSTATIC) return d57Farbe(wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (id >= 3000 && id <= 3390 && id % 10 == 0) {
        if (!DbFuellt() && HIWORD(wp) == EN_CHANGE) d57.getippt = 1;
        return 0;
    }
    switch (id) {
    case 1:
        if (DbEnter()) return 1;
        [[fallthrough]];
    case 2500:
        RsVorAnwenden(2509, d57Nach2509);
        return 1;
    case 2509: d57Nach2509(); return 1;
    case 2:
    case 2501: wiDlgSchliessen(); return 1;
    case 2510: BmTextInClip(d57.teil.id, d57.teil.code, d57.teil.nr); return 1;
    case 2511: {
        D57Einfuegen e{&d57.teil};
        BmTextAusClip(d57Einfuegen, &e);
        return 1;
    }
    case 2512: {
        DbFuellen f;
        for (int i = 0; i < D57ZEILEN; ++i) {
            wiTextSetzen(d57Feld(i), "");
            d57.gelb[i] = false;
        }
        d57.getippt = 1;
        return 1;
    }
    case 2522:
        BmtEditAnsicht(BmtEditAnsicht(-1) ? 0 : 1);
        d57Fuellen();
        return 1;
    case 2530:
        d57.teil = d57.vorgemerkt;
        d57Fuellen();
        return 1;
    case 2531:
        if (wiFrage(TextNr(39)) == 1) d57Speichern();
        PostMessage(d57.fenster, WM_COMMAND, 2530, 0);
        return 1;
    default: return 0;
    }
}

}  // namespace

void DB1357Oeffnen(uint32_t id, const char* code, int nr, int)
{
    d57.vorgemerkt.id = id;
    strkopie(d57.vorgemerkt.code, sizeof d57.vorgemerkt.code, code ? code : "", 8);
    d57.vorgemerkt.nr = nr;
    if (d57.fenster) {
        PostMessage(d57.fenster, WM_COMMAND, d57.getippt ? 2531 : 2530, 0);
        SetForegroundWindow(d57.fenster);
        return;
    }
    EdtDialogOeffnen("DB1357", d57Init, d57Exit, d57Befehl);
}
