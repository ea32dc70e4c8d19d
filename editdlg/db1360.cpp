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
#include "support/texte.h"

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
