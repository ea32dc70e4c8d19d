// The check lists DB1356: placements not assigned to any item, and items
// without a dispo component, an article reference or a principle
// component. A row jumps to its placement (asking before another sheet is
// opened); a not-assigned entry can be removed. The preview shows the
// selected row's component with texts and connections (3000..3003 are the
// list's radios here, not the preview's options).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "equipment/app.h"
#include "config/apstil.h"
#include "controls/elzeile.h"
#include "editdlg/vorschau.h"
#include "editdlg/bmdlg.h"
#include "editdlg/bmlisdlg.h"
#include "editdlg/bmlisten.h"
#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "equipment/apphaken.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/nhuliste.h"
#include "equipment/wse.h"
#include "model/beffifo.h"
#include "model/textvar.h"
#include "platform/eingabe.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/wiwerk.h"

namespace {

struct D56Zustand {
    HWND fenster = 0;
    int zaehler = -1;
    long wse = -1;  // size of the not-assigned list's snapshot, as a change mark
    int wseAnzahl = -1;
};
D56Zustand d56;

struct D56Lauf {
    int wahl;
    int klasse;
};

void d56Geraet(const appgeraet* g, void* u)
{
    const auto* l = static_cast<const D56Lauf*>(u);
    if (!BmdKlasse(*g, l->klasse)) return;
    appbteil e{};
    const bool fehlt = l->wahl == 1   ? BtlSuchen(g->id, "D", 0, &e) != 1
                       : l->wahl == 2 ? g->lt[0] == '\0'
                                      : BtlSuchen(g->id, "P", 0, &e) != 1;
    if (!fehlt) return;
    std::string zeile;
    HulZeileFormatieren(g, zeile, 1, ElzPfadModus(), nullptr);
    wiListeAnhaengen(3100, BmdZeile(zeile.substr(0, std::min<size_t>(zeile.size(), BMDSICHTBAR)), {std::to_string(g->id)}).c_str());
}

// The component of the selected row: the placement's for the not-assigned
// list, else the item's main component; "" when none.
std::string d56Bauteil()
{
    const int n = wiListeWahl(3100);
    if (n < 0) return "";
    const int nr = std::atoi(BmdListeFeld(3100, n, 0).c_str());
    if (wiRadio(3000, 4) == 0) {
        appwaise w{};
        return WseNrHolen(nr, &w) == 0 ? w.name : "";
    }
    appbteil e{};
    return BtlSuchen(static_cast<uint32_t>(nr), "H", 0, &e) == 1 ? e.bl : "";
}

// The buttons and the preview of the selected row.
void d56Auswahl()
{
    const bool zeile = wiListeWahl(3100) >= 0;
    BmdKnopf(2500, zeile, "BUTTJUMP", "JUMPGRAU");
    wiItemFrei(2501, zeile);
    wiItemFrei(2502, zeile);
    BmdVorschau(d56Bauteil().c_str());
}

void d56Fuellen()
{
    d56.zaehler = AppAenderZaehler();
    d56.wse = WsePacken(nullptr);
    d56.wseAnzahl = WseAnzahl();
    const int wahl = wiRadio(3000, 4);
    for (int i = 0; i < 8; ++i) wiItemFrei(3120 + i, wahl >= 1 && wahl <= 3);
    wiItemZeigen(2501, wahl == 0);
    const int vorher = wiListeWahl(3100);
    {
        DbFuellen f;
        wiListeLeeren(3100);
        if (wahl == 0) {
            WseDurchlaufen(
                [](int i, const appwaise* w, void*) {
                    char z[200];
                    Db1356Zeile(z, sizeof z, w->ze, w->x, w->y, w->name);
                    wiListeAnhaengen(3100, BmdZeile(z, {std::to_string(i)}).c_str());
                },
                nullptr);
        } else {
            D56Lauf l{wahl, wiRadio(3120, 8)};
            GesDurchlaufen(d56Geraet, &l);
        }
        const int n = wiListeAnzahl(3100);
        if (n > 0) wiListeWahlSetzen(3100, vorher >= 0 && vorher < n ? vorher : 0);
    }
    d56Auswahl();
}

// The place of the selected row: drawing key and position; false when it
// has none (an item whose main component is not placed).
bool d56Ort(std::string* ze, double* x, double* y)
{
    const int n = wiListeWahl(3100);
    if (n < 0) return false;
    const int nr = std::atoi(BmdListeFeld(3100, n, 0).c_str());
    if (wiRadio(3000, 4) == 0) {
        appwaise w{};
        if (WseNrHolen(nr, &w) != 0) return false;
        *ze = w.ze;
        *x = w.x;
        *y = w.y;
        return true;
    }
    appbteil e{};
    if (BtlSuchen(static_cast<uint32_t>(nr), "H", 0, &e) != 1 || !e.platziert) return false;
    *ze = e.ze;
    *x = e.x;
    *y = e.y;
    return true;
}

// 2500 on the current drawing; 2502 asks before opening another sheet and
// does nothing when the answer is no.
void d56Springen(bool blatt)
{
    std::string ze;
    double x = 0, y = 0;
    if (!d56Ort(&ze, &x, &y)) return;
    if (!blatt && strvgl(ze.c_str(), AppZeiName()) != 0) return;
    BmdSpringen(ze.c_str(), x, y);
}

int d56Init(int, const char* const*)
{
    DbDlgAnfang(nullptr);
    d56.fenster = wiDlgFenster();
    BmdVorschauOptionenAn();
    {
        DbFuellen f;
        wiRadioSetzen(3000, 0, 4);
        wiRadioSetzen(3120, 0, 8);
    }
    d56Fuellen();
    return 0;
}

int d56Exit()
{
    BmdVorschauEnde();
    d56.fenster = 0;
    DbDlgEnde(nullptr);
    return 0;
}

int d56Befehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (int r = BmdOwnerDraw(nachricht, wp, lp, {3100})) return r;
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    switch (id) {
    case 1:
        if (DbEnter()) return 1;
        if (wiFokusId() == 3110)
            PostMessage(d56.fenster, WM_COMMAND, 2505, 0);
        else
            d56Springen(false);
        return 1;
    case 2: EdtFokus(); return 1;
    case 2500: d56Springen(false); return 1;
    case 2502: d56Springen(true); return 1;
    case 2501: {
        const int n = wiListeWahl(3100);
        if (n < 0 || wiRadio(3000, 4) != 0) return 1;
        WseNrLoeschen(std::atoi(BmdListeFeld(3100, n, 0).c_str()));
        AppGeaendert(0, 1);
        d56Fuellen();
        return 1;
    }
    case 2503: wiDlgSchliessen(); return 1;
    case 2505: {
        const std::string such = BmdFeldText(3110, 20);
        wiListeSuchen(3100, such.c_str(), 1, 0, BMDSICHTBAR);
        d56Auswahl();
        return 1;
    }
    case 2999:
        if (AppAenderZaehler() != d56.zaehler || WseAnzahl() != d56.wseAnzahl || WsePacken(nullptr) != d56.wse)
            d56Fuellen();
        return 1;
    case 3070:
    case 3079: return BmdVorschauBefehl(id, lp);
    case 3100:
        if (DbFuellt()) return 1;
        d56Auswahl();
        if (HIWORD(wp) == LBN_DBLCLK) {
            std::string ze;
            double x, y;
            if (d56Ort(&ze, &x, &y)) d56Springen(strvgl(ze.c_str(), AppZeiName()) != 0);
        }
        return 1;
    default:
        if ((id >= 3000 && id <= 3003) || (id >= 3120 && id <= 3127)) {
            if (!DbFuellt()) d56Fuellen();
            return 1;
        }
        return 0;
    }
}

}  // namespace

void DB1356Oeffnen()
{
    BmdOeffnen(d56.fenster, "DB1356", d56Init, d56Exit, d56Befehl);
}
