// Shared pieces of the equipment dialogs; see bmdlg.h.
#include "editdlg/bmdlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "config/inidatei.h"
#include "controls/elseite.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "editdlg/bauliste.h"
#include "platform/eingabe.h"
#include "editdlg/dbteile.h"
#include "editdlg/popup.h"
#include "editdlg/vorschau.h"
#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "editor/zeidok.h"
#include "equipment/app.h"
#include "equipment/apphaken.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/definier.h"
#include "equipment/ges.h"
#include "equipment/nhuliste.h"
#include "model/beffifo.h"
#include "model/textvar.h"
#include "support/pfade.h"
#include "support/vergleich.h"
#include "winlib/meldung.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/wiwerk.h"
#include "platform/fenster.h"
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

std::vector<appbteil> BmdTeile(uint32_t id)
{
    std::vector<appbteil> v;
    BtlDurchlaufen(
        id,
        [](const appbteil* b, void* u) {
            auto* l = static_cast<std::vector<appbteil>*>(u);
            if (l->size() < static_cast<size_t>(BMDTEILESUP) && (BtlIstHaupt(b->cd) || NhuIstUnter(b->cd))) l->push_back(*b);
        },
        &v);
    std::sort(v.begin(), v.end(), [](const appbteil& a, const appbteil& b) { return BtlVergleich(&a, &b) < 0; });
    return v;
}

std::string BmdTeilText(const appbteil& b)
{
    char z[160];
    std::snprintf(z, sizeof z, "%-2s %-11.10s%-14.13s", BtlIstHaupt(b.cd) ? "" : b.cd, b.bl, b.tt);
    std::string s = z;
    s.resize(28, ' ');
    char pos[120] = "";
    if (b.platziert) {
        QvwPosText(pos, sizeof pos, b.ze, b.x, b.y);
        ZeiStammVorsetzen(pos, sizeof pos, b.ze);
    } else {
        std::snprintf(pos, sizeof pos, "(%d)", b.nr);
    }
    return s + pos;
}

void BmdDefZeigen(int def, bool texte)
{
    char bauteil[DEFNAMESUP + 1] = "", typ[DEFNAMESUP + 1] = "", k1[DEFTEXTSUP + 1], k2[DEFTEXTSUP + 1],
         kurz[DEFNAMESUP + 1];
    char t[5][DEFTEXTSUP + 1] = {};
    DefFelderHolen(def, bauteil, typ, k1, k2, kurz, t[0], t[1], t[2], t[3], t[4]);
    wiTextSetzen(3000, bauteil);
    wiTextSetzen(3010, typ);
    if (texte)
        for (int i = 0; i < 5; ++i) wiTextSetzen(3020 + i, t[i]);
    const bmvorgaben& v = BMVorgaben();
    const struct {
        int an;
        const char* wort;
        int feld;
    } zeilen[] = {{v.bmduse, "D", 3030}, {v.bmpuse, "P", 3032}, {v.bmluse, "L", 3040}};
    char z[DEFTEXTSUP + 1];
    for (const auto& zl : zeilen) {
        z[0] = '\0';
        if (zl.an) DefZeileSuchen(def, zl.wort, z, sizeof z);
        wiTextSetzen(zl.feld, z);
    }
    BmdVorschau(bauteil);
    BmdDefUnterFuellen(3200, def);
}

namespace {

struct BmdBild {
    std::string name, bib;
    bool optionenAn = false;  // 3002/3003 are no option boxes
};
std::map<HWND, BmdBild> bmdBilder;  // per open window

int bmdOption(const BmdBild& b, int id) { return b.optionenAn ? 1 : wiKnopf(id); }

}  // namespace

void BmdVorschau(const char* name, const char* bib)
{
    BmdBild& b = bmdBilder[wiDlgFenster()];
    b.name = name != nullptr ? name : "";
    b.name.erase(b.name.find_last_not_of(' ') + 1);
    b.bib = bib != nullptr ? bib : "";
    if (b.name.empty())
        VorschauLeeren(3070);
    else
        BtlVorschauZeichnen(b.name.c_str(), b.bib.c_str(), 3070, bmdOption(b, 3002), bmdOption(b, 3003));
}

void BmdVorschauFeld() { BmdVorschau(BmdFeldText(3000, DEFNAMESUP).c_str(), bmdBilder[wiDlgFenster()].bib.c_str()); }

int BmdVorschauZiehBefehl(LPARAM lp, const char* name)
{
    if (const int phase = BliVorschauZiehPhase(lp)) {
        BliZiehen(phase, 3070, name, 2500);
        return 1;
    }
    return BmdVorschauBefehl(3070, lp);
}

void BmdOeffnen(HWND offen, const char* vorlage, int (*init)(int, const char* const*), int (*exit)(),
                int (*befehl)(UINT, WPARAM, LPARAM))
{
    if (!AppAktiv()) return;
    if (offen) {
        SetForegroundWindow(offen);
        return;
    }
    EdtDialogOeffnen(vorlage, init, exit, befehl);
}

int BmdVorschauBefehl(int id, LPARAM lp, int liste)
{
    const BmdBild& b = bmdBilder[wiDlgFenster()];
    switch (id) {
    case 3002:
    case 3003:
        if (b.optionenAn) return 0;
        BmdVorschau(b.name.c_str(), b.bib.c_str());
        return 1;
    case 3070:
        if ((lp == VORSCHAUDOPPEL || lp == VORSCHAURECHTS) && !b.name.empty() && VorschauFenster() == 0) {
            HWND gross = VorschauAnlegen(wiDlgFenster(), liste, 0, 200, 3079);
            if (gross != 0)
                BtlVorschauFenster(b.name.c_str(), b.bib.c_str(), gross, bmdOption(b, 3002), bmdOption(b, 3003));
        }
        return 1;
    case 3079: VorschauEntfernen(); return 1;
    default: return 0;
    }
}

void BmdVorschauOptionenAn() { bmdBilder[wiDlgFenster()].optionenAn = true; }

void BmdVorschauEnde()
{
    if (VorschauFenster() != 0 && GetParent(VorschauFenster()) == wiDlgFenster()) VorschauEntfernen();
    bmdBilder.erase(wiDlgFenster());
}

bool BmdKlasse(const appgeraet& g, int klasse)
{
    switch (klasse) {
    case 0: return true;
    case 1: return g.n1 == 0 && BtlUnterAnzahl(g.id) == 0;
    case 2: return g.n1 == 0 && BtlUnterAnzahl(g.id) > 0;
    default: return g.n1 == klasse - 2;
    }
}

void BmdSpringen(const char* ze, double x, double y)
{
    if (strvgl(ze, AppZeiName()) != 0) {
        if (wiFrage(TextNr1000(321)) != 1) return;
        char pfad[VERSUP + 1];
        strkopie(pfad, sizeof pfad, ZeiName(), VERSUP);
        endungsetzen(pfad, sizeof pfad, ze);
        BefEinreihenText(104, pfad);  // ZO
    }
    StartpunktSetzen(x, y);
}
