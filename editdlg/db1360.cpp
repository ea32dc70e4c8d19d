// Renumbering the number fields and numeric component texts of one item's
// placed components within a range.
#include <algorithm>
#include <climits>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editdlg/bmtexte.h"
#include "equipment/app.h"
#include "equipment/fstx.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "model/beffifo.h"
#include "editdlg/dbdialog.h"
#include "editor/edtseite.h"
#include "equipment/ges.h"
#include "model/dienste.h"
#include "model/textvar.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"

namespace {

std::vector<appbteil> Db1360Platzierte(uint32_t id)
{
    std::vector<appbteil> v;
    HulBauteileDurchlaufen(
        id, 2,
        [](const appbteil* b, void* u) {
            if (b->platziert != 0) static_cast<std::vector<appbteil>*>(u)->push_back(*b);
        },
        &v);
    return v;
}

bool Db1360Zahl(const char* t, int* wert)
{
    if (!t[0] || !nurziffern(t) || std::strlen(t) > 9) return false;
    *wert = std::atoi(t);
    return true;
}

std::vector<appztext> Db1360Texte(const appbteil& b)
{
    std::vector<appztext> v;
    ZtxDurchlaufen(
        b.id, b.cd, b.nr, 1, [](const appztext* t, void* u) { static_cast<std::vector<appztext>*>(u)->push_back(*t); },
        &v);
    return v;
}

}  // namespace

void Db1360Bereich(uint32_t id, int* von, int* bis)
{
    int lo = INT_MAX, hi = INT_MIN, w;
    const auto nimm = [&](const char* t) {
        if (Db1360Zahl(t, &w)) lo = std::min(lo, w), hi = std::max(hi, w);
    };
    for (const appbteil& b : Db1360Platzierte(id)) {
        nimm(b.bs);
        for (const appztext& t : Db1360Texte(b)) nimm(t.text);
    }
    *von = lo == INT_MAX ? 0 : lo;
    *bis = hi == INT_MIN ? 0 : hi;
}

int Db1360Umnummerieren(uint32_t id, int von, int bis, int start)
{
    int n = 0, w;
    char neu[16];
    for (appbteil b : Db1360Platzierte(id)) {
        if (Db1360Zahl(b.bs, &w) && w >= von && w <= bis) {
            std::snprintf(neu, sizeof neu, "%d", start++);
            const std::string code = b.cd;
            const int nr = b.nr;
            strkopie(b.bs, neu, BTLBSSUP);
            BtlEintragAendern(id, code.c_str(), nr, &b);
            GtxTextSetzen(id, code.c_str(), nr, 99, "");
            ++n;
        }
        for (const appztext& t : Db1360Texte(b)) {
            if (!Db1360Zahl(t.text, &w) || w < von || w > bis) continue;
            std::snprintf(neu, sizeof neu, "%d", start++);
            ZtxTextSetzen(id, t.code, t.nr, t.zeile, neu);
            FstxZTextLoeschen(id, t.code, t.nr, t.zeile);
            ++n;
        }
    }
    AppListenSortieren();
    AppGeaendert(id, 1);
    BefEinreihenCode(1);
    return n;
}

// ---- Dialog DB1360 ------------------------------------------------------------------------------

namespace {

uint32_t d60Id = 0;

int d60Init(int, const char* const*)
{
    wiDlgModal();
    DbDlgAnfang(DBBETRMITTEL);
    appgeraet g{};
    GesHolen(d60Id, &g);
    ModGeraet m{};
    strkopie(m.kg, g.kg, MODTEXTSUP);
    strkopie(m.kz, g.kz, MODTEXTSUP);
    int von = 0, bis = 0;
    Db1360Bereich(d60Id, &von, &bis);
    DbFuellen f;
    wiTextSetzen(3000, g.kg);
    wiTextSetzen(3001, g.tt);
    wiTextSetzen(3002, BMKennung(&m));
    wiZahlSetzen(3010, von);
    wiZahlSetzen(3020, bis);
    wiZahlSetzen(3030, von);
    return 0;
}

int d60Exit()
{
    DbDlgEnde(DBBETRMITTEL);
    return 0;
}

int d60Befehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (DbEnter()) return 1;
        [[fallthrough]];
    case 2500: {
        const int von = wiZahlHolen(3010), bis = wiZahlHolen(3020), start = wiZahlHolen(3030);
        wiDlgSchliessen();
        Db1360Umnummerieren(d60Id, von, bis, start);
        EdtAnsichtAktualisieren();
        return 1;
    }
    case 2:
    case 2501: wiDlgSchliessen(); return 1;
    default: return 0;
    }
}

}  // namespace

void DB1360Oeffnen(uint32_t id, HWND besitzer)
{
    d60Id = id;
    if (besitzer)
        wiDlgOeffnenUnter(besitzer, "DB1360", d60Init, d60Exit, d60Befehl, 0, nullptr);
    else
        EdtDialogOeffnen("DB1360", d60Init, d60Exit, d60Befehl);
}
