// The terminal-text window DB1358: for one item, the choices handed to the
// terminal text generator (which entries, in which order, from and to) and
// optionally a pair of fixed terminal symbols from the defaults.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/vorgaben.h"
#include "editdlg/bmdlg.h"
#include "editdlg/bmtexte.h"
#include "editdlg/bmlisten.h"
#include "editdlg/dbdialog.h"
#include "editor/edtseite.h"
#include "editor/klemmen.h"
#include "equipment/app.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/nhuliste.h"
#include "model/dienste.h"
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

constexpr int D58PAARSUP = 50;  // symbol pairs of the combo box

struct D58Zustand {
    HWND fenster = 0;
    uint32_t id = 0, gezeigt = 0;
    int modus = 0;
    int zaehler = -1;
};
D58Zustand d58;

}  // namespace

std::vector<std::string> Db1358Paare()
{
    char a[VGBWERTSUP + 1] = "", b[VGBWERTSUP + 1] = "";
    VgbText("KSKlvBtl", a, VGBWERTSUP);
    VgbText("KSKlvBtl1", b, VGBWERTSUP);
    std::string alle = std::string(a) + " " + b;
    std::vector<std::string> w;
    size_t p = 0;
    while (true) {
        p = alle.find_first_not_of(' ', p);
        if (p == std::string::npos) break;
        const size_t e = alle.find(' ', p);
        std::string wort = alle.substr(p, e == std::string::npos ? std::string::npos : e - p);
        for (char& c : wort) c = static_cast<char>(zgross(static_cast<unsigned char>(c)));
        w.push_back(wort);
        if (e == std::string::npos) break;
        p = e;
    }
    std::vector<std::string> paare;
    for (size_t i = 0; i + 1 < w.size() && paare.size() < static_cast<size_t>(D58PAARSUP); i += 2)
        paare.push_back(w[i] + " " + w[i + 1]);
    return paare;
}

namespace {

// Shows the item; false when it no longer exists.
bool d58Zeigen()
{
    appgeraet g{};
    if (GesHolen(d58.id, &g) != 0) return false;
    d58.gezeigt = d58.id;
    d58.zaehler = AppAenderZaehler();
    char kenn[HULKENNSUP + 1] = "", pos[120] = "";
    modh::BMKennungHolen(kenn, sizeof kenn, d58.id);
    appbteil h{};
    if (BtlSuchen(d58.id, "H", 0, &h) == 1 && h.platziert) {
        QvwPosText(pos, sizeof pos, h.ze, h.x, h.y);
        if (BmdStammZeigen()) ZeiStammVorsetzen(pos, sizeof pos, h.ze);
    }
    DbFuellen f;
    wiTextSetzen(3000, kenn);
    wiTextSetzen(3010, g.tt);
    wiTextSetzen(3020, pos);
    return true;
}

void d58Combo() { wiItemFrei(3160, wiRadio(3150, 2) == 1); }

void d58Ausfuehren()
{
    char von[11] = "", bis[11] = "";
    wiTextHolen(3110, von, 10);
    wiTextHolen(3120, bis, 10);
    const int filter = wiRadio(3100, 3), ordnung = wiRadio(3170, 4);
    if (wiRadio(3150, 2) == 1) {
        char paar[64] = "", a[32] = "", b[32] = "";
        wiComboWahlText(3160, paar, 63);
        std::sscanf(paar, "%31s %31s", a, b);
        KlemmenErzeugenMit(d58.id, filter, ordnung, von, bis, a, b);
    } else {
        KlemmenErzeugen(d58.id, filter, ordnung, von, bis);
    }
    if (wiKnopf(2504)) wiDlgSchliessen();
}

int d58Init(int, const char* const*)
{
    DbDlgAnfang(DBBETRMITTEL);
    d58.fenster = wiDlgFenster();
    {
        DbFuellen f;
        wiRadioSetzen(3100, 0, 3);
        wiRadioSetzen(3150, d58.modus ? 1 : 0, 2);
        wiRadioSetzen(3170, 0, 4);
        wiKnopfSetzen(2504, 1);
        for (const std::string& p : Db1358Paare()) wiComboAnhaengen(3160, p.c_str());
        if (wiComboAnzahl(3160) > 0) wiComboWahlSetzen(3160, 0);
    }
    d58Combo();
    if (!d58Zeigen()) PostMessage(d58.fenster, WM_COMMAND, 2509, 0);
    return 0;
}

int d58Exit()
{
    d58.fenster = 0;
    DbDlgEnde(DBBETRMITTEL);
    return 0;
}

int d58Befehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    switch (id) {
    case 1:
        if (DbEnter()) return 1;
        [[fallthrough]];
    case 2500: d58Ausfuehren(); return 1;
    case 2:
    case 2501:
    case 2509: wiDlgSchliessen(); return 1;
    case 2530:
    case 2999:
        if ((id == 2530 || d58.id != d58.gezeigt || AppAenderZaehler() != d58.zaehler) && !d58Zeigen())
            wiDlgSchliessen();
        return 1;
    case 3150:
    case 3151:
        if (!DbFuellt()) d58Combo();
        return 1;
    default: return 0;
    }
}

}  // namespace

void DB1358Oeffnen(uint32_t id, int modus)
{
    d58.id = id;
    d58.modus = modus;
    if (d58.fenster) {
        PostMessage(d58.fenster, WM_COMMAND, 2530, 0);
        SetForegroundWindow(d58.fenster);
        return;
    }
    EdtDialogOeffnen("DB1358", d58Init, d58Exit, d58Befehl);
}

void DB1358Zeigen(uint32_t id)
{
    d58.id = id;
    if (d58.fenster) PostMessage(d58.fenster, WM_COMMAND, 2530, 0);
}
