// Shared pieces of the equipment dialogs; see bmdlg.h.
#include "editdlg/bmdlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "config/inidatei.h"
#include "controls/elseite.h"
#include "equipment/definier.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/wiwerk.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"

std::string BmdZeile(const std::string& sichtbar, std::initializer_list<std::string> felder)
{
    std::string z = sichtbar;
    if (z.size() < static_cast<size_t>(BMDSICHTBAR)) z.resize(BMDSICHTBAR, ' ');
    z += '\x03';
    bool erstes = true;
    for (const std::string& f : felder) {
        if (!erstes) z += '\x1c';
        z += f;
        erstes = false;
    }
    return z;
}

std::string BmdFeld(const std::string& zeile, int n)
{
    size_t p = zeile.find('\x03');
    if (p == std::string::npos || n < 0) return "";
    ++p;
    for (int i = 0; i < n; ++i) {
        p = zeile.find('\x1c', p);
        if (p == std::string::npos) return "";
        ++p;
    }
    const size_t e = zeile.find('\x1c', p);
    return zeile.substr(p, e == std::string::npos ? std::string::npos : e - p);
}

std::string BmdSichtbar(const std::string& zeile) { return zeile.substr(0, zeile.find('\x03')); }

std::string BmdListeFeld(int id, int zeile, int n)
{
    HWND l = wiItem(id);
    if (!l || zeile < 0) return "";
    const LRESULT laenge = SendMessage(l, LB_GETTEXTLEN, static_cast<WPARAM>(zeile), 0);
    if (laenge < 0) return "";
    std::vector<char> t(static_cast<size_t>(laenge) + 1, '\0');
    SendMessage(l, LB_GETTEXT, static_cast<WPARAM>(zeile), reinterpret_cast<LPARAM>(t.data()));
    return BmdFeld(t.data(), n);
}

int BmdOwnerDraw(UINT nachricht, WPARAM wp, LPARAM lp, std::initializer_list<int> listen)
{
    if (nachricht != WM_MEASUREITEM && nachricht != WM_DRAWITEM) return 0;
    const int id = static_cast<int>(wp);
    bool unsere = false;
    for (int l : listen) unsere = unsere || l == id;
    if (!unsere) return 0;
    const ElsMasse& m = ElsMessen();
    if (nachricht == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = static_cast<UINT>(m.lh);
        return 1;
    }
    auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
    if (!(di->itemAction & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS))) return 1;
    const int index = static_cast<int>(di->itemID);
    const COLORREF grund = (di->itemState & ODS_SELECTED) ? GetSysColor(COLOR_HIGHLIGHT) : GetSysColor(COLOR_WINDOW);
    ElsEintragMalen(*di, di->rcItem, grund, [&](HDC dc) {
        if (index < 0) return;
        const std::string t = BmdSichtbar(ElsEintragText(di->hwndItem, true, index, nullptr));
        if (di->itemState & ODS_SELECTED) SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        ElsMarkupZeichnen(dc, di->rcItem.left + 2, di->rcItem.top, t.c_str(), m.cw, m.lh, m.stift);
    });
    return 1;
}

void BmdKnopf(int id, bool frei, const char* bild, const char* grau) { wiKnopfFreiBild(id, frei ? 1 : 0, grau, bild); }

int BmdSchliessenLesen() { return ProfilZahlLesen("ArbPlatz", "EdBMZuOff") == 0 ? 1 : 0; }

std::string BmdFeldText(int id, int laenge)
{
    std::vector<char> t(static_cast<size_t>(laenge) + 1, '\0');
    wiTextHolen(id, t.data(), laenge);
    strrtrim(t.data());
    return t.data();
}

namespace {

int bmdUnterListe = 0;

void bmdUnterZeile(const char* zeile, void*)
{
    char w[6][41] = {};
    int n = 0;
    for (const char* p = zeile; *p && n < 6;) {
        while (*p == ' ') ++p;
        if (!*p) break;
        int k = 0;
        while (*p && *p != ' ') {
            if (k < 40) w[n][k++] = *p;
            ++p;
        }
        ++n;
    }
    if (n == 0 || w[0][0] != 'U' || w[0][1] == '\0') return;
    const char* code = w[0] + 1;
    const int anzahl = std::max(1, std::atoi(w[3]));
    char t[120];
    std::snprintf(t, sizeof t, " %-3.2s%-11.10s%-20.20s", code, w[1], w[2]);
    std::string sichtbar = t;
    if (anzahl >= 2) {
        std::snprintf(t, sizeof t, " %2d", anzahl);
        sichtbar += t;
    } else {
        sichtbar += "   ";
    }
    wiListeAnhaengen(bmdUnterListe, BmdZeile(sichtbar, {code, w[1], w[2], std::to_string(anzahl), w[4]}).c_str());
}

}  // namespace

void BmdDefUnterFuellen(int liste, int def)
{
    wiListeLeeren(liste);
    bmdUnterListe = liste;
    DefUnterDurchlaufen(def, bmdUnterZeile, nullptr);
}
