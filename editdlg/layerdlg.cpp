// Layers of the editor (DB1104): the current layer in a combo box, the
// visible layers as the selection of a list, the layer lock. Only layers
// with a name are listed; each list entry carries its layer as item data.
#include <cstdio>

#include "editdlg/einstell.h"
#include "editdlg/einstint.h"
#include "controls/elzeile.h"
#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "model/beffifo.h"
#include "platform/nachricht.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "winlib/dlgitem.h"

namespace {

constexpr int LAY_LAY = 15, LAY_LRA = 16, LAY_LRS = 17;
constexpr int LAYSUP = 20;

int layAktuell = -1;          // current layer at the last fill
int laySicht[LAYSUP + 1]{};   // visibility at the last fill
int laySperre = -1;

int layVon(int id, int n) { return static_cast<int>(SendMessage(wiItem(id), id == 3000 ? CB_GETITEMDATA : LB_GETITEMDATA, static_cast<WPARAM>(n), 0)); }

void layFuellen(bool voll)
{
    const STT s = EstZustand();
    DbFuellen f;
    if (voll) {
        wiComboLeeren(3000);
        wiListeLeeren(3100);
        for (int n = 1; n <= LAYSUP; ++n) {
            char name[STIFTNAMESUP + 1] = "";
            LayerName(n, name);
            if (name[0] == '\0') continue;
            char t[STIFTNAMESUP + 16];
            std::snprintf(t, sizeof t, "%2d %s", n, name);
            const int c = wiComboAnhaengen(3000, t);
            SendMessage(wiItem(3000), CB_SETITEMDATA, static_cast<WPARAM>(c), n);
            const int l = wiListeAnhaengen(3100, t);
            SendMessage(wiItem(3100), LB_SETITEMDATA, static_cast<WPARAM>(l), n);
        }
    }
    if (voll || s.layer != layAktuell) {
        const int anzahl = static_cast<int>(SendMessage(wiItem(3000), CB_GETCOUNT, 0, 0));
        int wahl = -1;
        for (int i = 0; i < anzahl; ++i)
            if (layVon(3000, i) == s.layer) wahl = i;
        wiComboWahlSetzen(3000, wahl);
        layAktuell = s.layer;
    }
    const int anzahl = wiListeAnzahl(3100);
    for (int i = 0; i < anzahl; ++i) {
        const int n = layVon(3100, i);
        const int sicht = LayerSichtbar(n) ? 1 : 0;
        if (voll || sicht != laySicht[n]) wiListeMarkSetzen(3100, i, sicht);
        laySicht[n] = sicht;
    }
    const int sperre = BefFlags()->speicherLayer != 0 ? 1 : 0;
    if (voll || sperre != laySperre) wiKnopfSetzen(3010, sperre);
    laySperre = sperre;
}

// Every listed layer whose selection differs from its visibility gets LRA.
void layUebernehmen()
{
    const int anzahl = wiListeAnzahl(3100);
    for (int i = 0; i < anzahl; ++i) {
        const int n = layVon(3100, i);
        const int an = wiListeMarkiert(3100, i) ? 1 : 0;
        if (an != (LayerSichtbar(n) ? 1 : 0)) {
            BefEinreihenInt2(LAY_LRA, n, an);
            laySicht[n] = an;
        }
    }
}

int layInit(int, const char* const*)
{
    DbDlgAnfang(DBEINSTELL);
    layFuellen(true);
    return 0;
}

int layExit()
{
    DbDlgEnde(DBEINSTELL);
    return 0;
}

int layBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM)
        return ElzOwnerDraw(3100, nullptr, nachricht, static_cast<int>(wp), lp);
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (EstSchliessen(id)) return 1;
    switch (id) {
    case 2999: layFuellen(false); return 1;
    case 3100:
        if (HIWORD(wp) == LBN_SELCHANGE && !DbFuellt()) layUebernehmen();
        return 1;
    case 3000:
        if (EstGewaehlt(wp)) {
            const int n = wiComboWahl(3000);
            const int layer = n >= 0 ? layVon(3000, n) : 0;
            if (layer > 0 && layer != EstZustand().layer) {
                BefEinreihenInt(LAY_LAY, layer);
                layAktuell = layer;
            }
        }
        return 1;
    case 3010:
        if (EstGeklickt(wp)) {
            BefEinreihenInt(LAY_LRS, laySperre = wiKnopf(3010));
            TzGeaendertSetzen();
        }
        return 1;
    case 2510: {
        const int anzahl = wiListeAnzahl(3100);
        if (anzahl == 0) return 1;
        const int neu = wiListeMarkiert(3100, 0) ? 0 : 1;
        {
            DbFuellen f;
            for (int i = 0; i < anzahl; ++i) wiListeMarkSetzen(3100, i, neu);
        }
        layUebernehmen();
        return 1;
    }
    default: return 0;
    }
}

}  // namespace

void DB1104Oeffnen() { EdtDialogOeffnen("DB1104", layInit, layExit, layBefehl); }
