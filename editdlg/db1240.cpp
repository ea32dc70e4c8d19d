// The component catalogue DB1240: a library chooser, the group tree of the
// library's group file in a list display, the components of the selected
// row in a list, a preview of the chosen one. A choice is placed as ZB.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/apstil.h"
#include "config/verzeich.h"
#include "config/reaktion.h"
#include "config/vorgaben.h"
#include "controls/elzeile.h"
#include "controls/lisanzeige.h"
#include "editdlg/bauliste.h"
#include "editdlg/popup.h"
#include "editdlg/vorschau.h"
#include "editdlg/bautwork.h"
#include "editdlg/bmdlg.h"
#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editdlg/katalog.h"
#include "editdlg/katdlg.h"
#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/edtseite.h"
#include "editor/ziehknopf.h"
#include "equipment/app.h"
#include "equipment/btl.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "model/beffifo.h"
#include "platform/ctl_scroll.h"
#include "platform/gdi.h"
#include "platform/systemwerte.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/wibild.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

struct K40Zustand {
    HWND fenster = 0;
    KatBaum baum;
    std::vector<KatEintrag> eintraege;
    std::string bib;          // the library the tree was built for
    int zeile = -1;           // selected tree row (index into baum.zeilen)
    int gefuellt = -1;        // the row the component list was filled for
    int zeilenHoehe = 20;     // component rows in dialog units
    int hist = -1, zaehler = -1;
    std::vector<HBITMAP> bilder;       // entry previews, drawn on demand
    std::vector<unsigned char> marken; // entry status flags, bit per state
    std::string gezeigt;               // component in the preview 3000
};
K40Zustand k40, k05;  // the catalogue and the palette

// The window whose tree a list callback or command concerns.
K40Zustand& katAkt() { return wiDlgFenster() == k05.fenster && k05.fenster ? k05 : k40; }

int k40Sichtbar(int i)
{
    const K40Zustand& k = katAkt();
    return i >= 0 && i < static_cast<int>(k.baum.sichtbar.size()) ? k.baum.sichtbar[static_cast<size_t>(i)] : -1;
}

int k40Hoehe(int) { return 2; }

void k40Malen(int i)
{
    const int z = k40Sichtbar(i);
    if (z < 0) return;
    const K40Zustand& k = katAkt();
    const KatZeile& r = k.baum.zeilen[static_cast<size_t>(z)];
    const int spalte = 2 * r.ebene;
    const int zustand = KatKopfZustand(&k.baum, z);
    if (zustand >= 0) LisBild(spalte, 0, KatKopfBild(zustand));
    LisSchrift(2);
    LisFarbe(0, 0, 0);
    LisText(spalte + 2, 0, r.text);
}

void k40Post(int befehl, int zeile)
{
    if (HWND f = katAkt().fenster) PostMessage(f, WM_COMMAND, static_cast<WPARAM>(befehl), static_cast<LPARAM>(zeile));
}

void k40Umschalten(int z)
{
    const int zustand = KatKopfZustand(&katAkt().baum, z);
    if (zustand == 1) k40Post(2520, z);
    if (zustand == 2) k40Post(2521, z);
}

int k40Ereignis(int ereignis, int i)
{
    const int z = k40Sichtbar(i);
    K40Zustand& k = katAkt();
    switch (ereignis) {
    case LISCURSOR:
    case LISLEER:
    case LISAKTGESETZT: {
        // A click on a heading's folder picture opens or closes it.
        int spalte = 0, zeile = 0;
        const int ebene = z >= 0 ? k.baum.zeilen[static_cast<size_t>(z)].ebene : 0;
        if (ereignis != LISAKTGESETZT && LisKlickZelle(3080, &spalte, &zeile) && spalte >= 2 * ebene &&
            spalte < 2 * ebene + 2)
            k40Umschalten(z);
        k.zeile = z;
        k40Post(2999, 0);
        break;
    }
    case LISAKTIV: k40Umschalten(z); break;
    case LISLINKS: {
        const int kopf = KatLinks(&k.baum, z);
        if (kopf >= 0) k40Post(2521, kopf);
        break;
    }
    case LISRECHTS: {
        const int kopf = KatRechts(&k.baum, z);
        if (kopf >= 0) k40Post(2520, kopf);
        break;
    }
    default: break;
    }
    return 0;
}

void k40SichtbarAnzeigen()
{
    K40Zustand& k = katAkt();
    KatSichtbarNeu(&k.baum);
    LisAnzahlSetzen(3080, static_cast<int>(k.baum.sichtbar.size()));
    for (size_t i = 0; i < k.baum.sichtbar.size(); ++i)
        if (k.baum.sichtbar[i] == k.zeile) LisAktSetzen(3080, static_cast<int>(i));
    LisNeuAufbauen(3080);
}

std::string k40BibAktuell()
{
    const char* bd = BefAktZustand()->bd;
    return std::string("BAUTEILE.") + (bd[0] ? bd : "STD");
}

void katBilderFrei(K40Zustand& k)
{
    for (HBITMAP b : k.bilder)
        if (b != 0) DeleteObject(b);
    k.bilder.clear();
    k.marken.clear();
    k.gezeigt.clear();
}

// The three states of an entry while linking is on: an equipment
// definition names it, a placed component uses it, definition information
// knows it.
unsigned char katMarken(const char* name)
{
    if (!AppAktiv()) return 0;
    return static_cast<unsigned char>((DefBauteilVorhanden(name) ? 1 : 0) | (BtlBauteilVerwendet(name) ? 2 : 0) |
                                      (DefInfoVorhanden(name) ? 4 : 0));
}

int k40Zustand(int e, int zustand)
{
    return e >= 0 && e < static_cast<int>(k40.marken.size()) && (k40.marken[static_cast<size_t>(e)] >> zustand & 1);
}

// The picture under the entry's name: square, as high as the row leaves.
HBITMAP k40Bild(int e)
{
    if (e < 0 || e >= static_cast<int>(k40.eintraege.size())) return 0;
    if (k40.bilder.size() != k40.eintraege.size()) k40.bilder.assign(k40.eintraege.size(), 0);
    HBITMAP& b = k40.bilder[static_cast<size_t>(e)];
    if (b == 0) {
        int l = 0, o = 0, r = 0, u = 0;
        wiItemClientRechteck(3100, &l, &o, &r, &u);
        const int seite = std::min(r - l - wiDlgEinheit(4), wiDlgEinheit(k40.zeilenHoehe - 11));
        b = BtlBitmap(k40.eintraege[static_cast<size_t>(e)].name, std::max(seite, 20), nullptr, GetSysColor(COLOR_WINDOW),
                      nullptr);
    }
    return b;
}

std::string k40Gewaehlt()
{
    const int n = wiListeWahl(3100);
    return n >= 0 && n < static_cast<int>(k40.eintraege.size()) ? k40.eintraege[static_cast<size_t>(n)].name : "";
}

// The preview and the status picture of the selected entry; `erzwingen`
// after a change of the display options.
void k40Vorschau(bool erzwingen)
{
    const std::string name = k40Gewaehlt();
    if (name.empty()) {
        k40.gezeigt.clear();
        VorschauLeeren(3000);
        VorschauLeeren(3001);
        return;
    }
    if (!erzwingen && name == k40.gezeigt) return;
    k40.gezeigt = name;
    BtlVorschauZeichnen(name.c_str(), nullptr, 3000, wiKnopf(3002), wiKnopf(3003));
    wiItemBitmapLaden(3001, BliStatusBild(name.c_str(), wiGrosseSchrift() != 0));
}

// The enlarged preview over the component list.
void k40Gross()
{
    const std::string name = k40Gewaehlt();
    if (name.empty() || VorschauFenster() != 0) return;
    HWND gross = VorschauAnlegen(wiDlgFenster(), 3100, 0, 200, 3009);
    if (gross != 0) BtlVorschauFenster(name.c_str(), nullptr, gross, wiKnopf(3002), wiKnopf(3003));
}

void k40Zeigen()
{
    const int n = wiListeWahl(3100);
    DbFuellen f;
    if (n < 0 || n >= static_cast<int>(k40.eintraege.size())) {
        wiTextSetzen(3010, "");
        wiTextSetzen(3011, "");
    } else {
        const KatEintrag& e = k40.eintraege[static_cast<size_t>(n)];
        wiTextSetzen(3010, e.name);
        wiTextSetzen(3011, KatBeschreibungText(e).c_str());
    }
    k40Vorschau(false);
}

// The entries of the selected row (at most `sup`): recently used, used in
// the project, or the lines of the row's section.
void katEintraegeSammeln(K40Zustand& k, int sup)
{
    k.gefuellt = k.zeile;
    k.hist = BauHistZaehler();
    k.zaehler = AppAenderZaehler();
    katBilderFrei(k);
    k.eintraege.clear();
    const int art = k.zeile >= 0 ? k.baum.zeilen[static_cast<size_t>(k.zeile)].art : 3;
    const auto dazu = [&](const char* name) {
        KatEintrag e{};
        strkopie(e.name, sizeof e.name, name, KATNAMESUP);
        e.text = KatBeschreibung(&k.baum, name);
        k.eintraege.push_back(e);
    };
    if (art == 1) {
        char name[BAUHISTNAMESUP + 1];
        for (int i = 0; i < sup && BauHistName(i, name, BefAktZustand()->bd) == 0; ++i) dazu(name);
    } else if (art == 2) {
        char name[KATNAMESUP + 1];
        for (int i = 0; static_cast<int>(k.eintraege.size()) < sup && BautVerwendeteHolen(i, name, sizeof name) == 0; ++i)
            dazu(name);
    } else if (art == 0) {
        k.eintraege = KatEintraege(&k.baum, k.zeile);
        if (static_cast<int>(k.eintraege.size()) > sup) k.eintraege.resize(static_cast<size_t>(sup));
    }
    for (const KatEintrag& e : k.eintraege) k.marken.push_back(katMarken(e.name));
}

void k40EintraegeFuellen()
{
    katEintraegeSammeln(k40, KATEINTRAGSUP);
    {
        DbFuellen f;
        wiListeLeeren(3100);
        for (const KatEintrag& e : k40.eintraege) wiListeAnhaengen(3100, e.anzeige[0] ? e.anzeige : e.name);
        if (!k40.eintraege.empty()) wiListeWahlSetzen(3100, 0);
    }
    k40Zeigen();
}

// The library chooser and the tree of the editor's current library, when
// it changed or when forced; true when the tree was rebuilt.
bool katBaumFuellen(K40Zustand& k, bool voll)
{
    const std::string bib = k40BibAktuell();
    if (!voll && bib == k.bib) return false;
    {
        DbFuellen f;
        wiComboLeeren(3090);
        const int n = BtlDateienSammeln();
        for (int i = 0; i < n; ++i) {
            std::string name;
            BtlDateiName(i, &name);
            wiComboAnhaengen(3090, name.c_str());
        }
        wiComboTextWaehlen(3090, bib.c_str());
    }
    k.bib = bib;
    BautVerwendeteSammeln(BefAktZustand()->bd);
    char datei[VERSUP + 40];
    KatDateiSuchen(bib.c_str(), datei, sizeof datei);
    KatLaden(&k.baum, datei);
    k.zeile = k.baum.zeilen.size() > 2 ? 2 : 0;
    k.gefuellt = -1;
    k40SichtbarAnzeigen();
    return true;
}

// The tree for the editor's current library; the component list when its
// row changed.
void k40Fuellen(bool voll)
{
    katBaumFuellen(k40, voll);
    if (k40.gefuellt != k40.zeile)
        k40EintraegeFuellen();
    else if (BauHistZaehler() != k40.hist || AppAenderZaehler() != k40.zaehler) {
        k40.hist = BauHistZaehler();
        k40.zaehler = AppAenderZaehler();
        for (size_t i = 0; i < k40.eintraege.size() && i < k40.marken.size(); ++i)
            k40.marken[i] = katMarken(k40.eintraege[i].name);
        wiItemAuffrischen(3100);
    }
}

// The tree's and the library chooser's commands, shared by both windows;
// `fuellen` refreshes the window after a change. 1 when taken.
int katBaumBefehl(K40Zustand& k, int id, WPARAM wp, LPARAM lp, void (*fuellen)(bool voll))
{
    switch (id) {
    case 2520:
    case 2521:
        KatOeffnen(&k.baum, static_cast<int>(lp), id == 2520);
        k40SichtbarAnzeigen();
        return 1;
    case 3083: {
        const int z = KatBuchstabe(&k.baum, k.zeile, static_cast<int>(lp));
        if (z >= 0) {
            k.zeile = z;
            k40SichtbarAnzeigen();
            fuellen(false);
        }
        return 1;
    }
    case 3090:
        if (!DbFuellt() && HIWORD(wp) == CBN_SELCHANGE) {
            char name[BTLDATEINAMESUP + 1] = "";
            wiComboWahlText(3090, name, BTLDATEINAMESUP);
            const char* punkt = std::strrchr(name, '.');
            std::string endung = punkt ? std::string(punkt + 1).substr(0, 20) : "";
            if (strvgl(endung.c_str(), BefAktZustand()->bd) != 0) BefEinreihenText(35, endung.c_str());  // BD
        }
        return 1;
    default: return 0;
    }
}

void k40Platzieren()
{
    const int n = wiListeWahl(3100);
    if (n < 0 || n >= static_cast<int>(k40.eintraege.size())) {
        StatusMeldungNr(41);
        return;
    }
    EdtFokus();
    BefEinreihenText(80, k40.eintraege[static_cast<size_t>(n)].name);
}

// A drag of the selected component onto the drawing, previewed when it
// starts.
void k40Ziehen(int phase, int steuer)
{
    if (phase == 1) k40Zeigen();
    BliZiehen(phase, steuer, k40Gewaehlt().c_str());
}

int k40Init(int, const char* const*)
{
    DbDlgAnfang(nullptr);
    k40.fenster = wiDlgFenster();
    k40.zeilenHoehe = KatZeilenHoehe(VgbInt("AP-EdBkDg2"));
    {
        DbFuellen f;
        wiKnopfSetzen(3002, 1);
        wiKnopfSetzen(3003, 1);
        wiTextSetzen(3200, "");
    }
    LisAnlegen(3080, k40Hoehe, k40Malen, k40Ereignis);
    LisZeichenMeldung(3080, 3083);
    BliZiehQuelle(3100, 3101);
    k40.bib.clear();
    k40Fuellen(true);
    return 0;
}

int k40Exit()
{
    ZiehKnopfAbmelden(3100);
    VorschauEntfernen();
    katBilderFrei(k40);
    LisFreigeben(3080);
    k40.baum = KatBaum{};
    k40.eintraege.clear();
    k40.bib.clear();
    k40.fenster = 0;
    DbDlgEnde(nullptr);
    return 0;
}

int k40Befehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (k40.fenster && LisVorhanden(3080)) LisNachricht(3080, nachricht, wp, lp);
    if (nachricht == WM_MEASUREITEM && static_cast<int>(wp) == 3100) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = static_cast<UINT>(wiDlgEinheit(k40.zeilenHoehe));
        return 1;
    }
    if (BildListeZeichnen(3100, k40Zustand, k40Bild, nachricht, static_cast<int>(wp), lp)) return 1;
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (katBaumBefehl(k40, id, wp, lp, k40Fuellen)) return 1;
    switch (id) {
    case 1:
        if (DbEnter()) return 1;
        if (wiFokusId() == 3200)
            PostMessage(k40.fenster, WM_COMMAND, 2510, 0);
        else
            k40Platzieren();
        return 1;
    case 2: EdtFokus(); return 1;
    case 2500: k40Platzieren(); return 1;
    case 2501: wiDlgSchliessen(); return 1;
    case 2510: {
        std::string such = BmdFeldText(3200, 80);
        strtrim(such.data());
        if (ElzListBoxSuchen(3100, such.c_str()) >= 0) k40Zeigen();
        return 1;
    }
    case 2999: k40Fuellen(false); return 1;
    case 3100:
        if (DbFuellt()) return 1;
        if (HIWORD(wp) == LBN_SELCHANGE || HIWORD(wp) == LBN_DBLCLK) VorschauEntfernen();
        if (HIWORD(wp) == LBN_SELCHANGE) k40Zeigen();
        if (HIWORD(wp) == LBN_DBLCLK) k40Platzieren();
        return 1;
    case 3000:
        if (lp == VORSCHAUDOPPEL || lp == VORSCHAURECHTS) k40Gross();
        else if (const int phase = BliVorschauZiehPhase(lp)) k40Ziehen(phase, 3000);
        return 1;
    case 3101: k40Ziehen(static_cast<int>(lp), 3100); return 1;
    case 3009: VorschauEntfernen(); return 1;
    case 3002:
    case 3003: k40Vorschau(true); return 1;
    default: return 0;
    }
}

}  // namespace

void DB1240Oeffnen()
{
    if (k40.fenster) {
        SetForegroundWindow(k40.fenster);
        return;
    }
    EdtDialogOeffnen("DB1240", k40Init, k40Exit, k40Befehl);
}

const KatBaum& Db1240Baum() { return k40.baum; }

// ---- Palette DB1205 -----------------------------------------------------------------------------

namespace {

constexpr int K05EINTRAGSUP = 200;  // entries of the palette
struct K05Einst {
    int gelesen = 0;
    int layout = 1, groesse = 0;
    int hinweis = 20;  // width factor of the floating hint
    int spalten = 8, zeilen = 3;
    int erstes = 0;  // first shown entry
    bool zieht = false;  // a button's component is being dragged
};
K05Einst k05e;

void k05EinstLesen()
{
    k05e.layout = std::clamp(VgbInt("AP-EdBkDf"), 1, 12);
    k05e.groesse = std::clamp(VgbInt("AP-EdBkDg"), 0, 1);
    k05e.hinweis = KatHinweisBreite(VgbInt("AP-EdBkTl"));
    KatPaletteGitter(k05e.layout, &k05e.spalten, &k05e.zeilen);
    k05e.gelesen = 1;
}

// A blank picture of w x h in colour c.
HBITMAP k05Leer(int w, int h, COLORREF c)
{
    HDC schirm = GetDC(0);
    HBITMAP b = CreateCompatibleBitmap(schirm, std::max(w, 1), std::max(h, 1));
    ReleaseDC(0, schirm);
    if (b == 0) return 0;
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(dc, b);
    HBRUSH p = CreateSolidBrush(c);
    RECT r{0, 0, w, h};
    FillRect(dc, &r, p);
    DeleteObject(p);
    SelectObject(dc, alt);
    DeleteDC(dc);
    return b;
}

// The buttons show the entries from the first shown one on: the component
// drawn as wide as the button leaves, its name as the (hidden) label and
// its name and description as the floating hint; a button without an
// entry is blank and has no hint.
void k05Knoepfe()
{
    const int n = static_cast<int>(k05.eintraege.size());
    const int knoepfe = k05e.spalten * k05e.zeilen;
    PopupVerbergen();
    for (int i = 0; i < knoepfe; ++i) {
        const int e = k05e.erstes + i;
        HWND k = wiItem(2600 + i);
        if (!k) continue;
        SetWindowText(k, "\x1bS0");  // picture only
        SetWindowText(k, e < n ? k05.eintraege[static_cast<size_t>(e)].name : "");
        if (e < n)
            PopupEintragen(i, 2600 + i, k05.eintraege[static_cast<size_t>(e)].name,
                           KatHinweis(k05.eintraege[static_cast<size_t>(e)]).c_str());
        else
            PopupEintragen(i, 2600 + i, "", "");
        RECT r{};
        GetClientRect(k, &r);
        const int w = r.right - r.left - 2, h = r.bottom - r.top - 2;
        HBITMAP bild = e < n ? BtlBitmap(k05.eintraege[static_cast<size_t>(e)].name, std::min(w, h), nullptr,
                                         GetSysColor(COLOR_BTNFACE), nullptr)
                             : k05Leer(w, h, GetSysColor(COLOR_BTNFACE));
        if (bild != 0) {
            wiBitmapSenden(k, bild);
            DeleteObject(bild);
        }
        EnableWindow(k, e < n);
    }
    HWND bar = wiItem(2750);
    if (bar) {
        SetScrollRange(bar, SB_CTL, 0, std::max(0, KatPaletteBereich(n, k05e.spalten)), FALSE);
        SetScrollPos(bar, SB_CTL, k05e.erstes / k05e.spalten, TRUE);
    }
}

void k05Fuellen(bool voll)
{
    if (katBaumFuellen(k05, voll)) k05.gefuellt = -1;
    if (k05.gefuellt == k05.zeile) return;
    katEintraegeSammeln(k05, K05EINTRAGSUP);
    k05e.erstes = 0;
    k05Knoepfe();
}

void k05Rollen(int code)
{
    const int bereich = KatPaletteBereich(static_cast<int>(k05.eintraege.size()), k05e.spalten);
    int pos = k05e.erstes / k05e.spalten;
    switch (code) {
    case SB_LINEUP: --pos; break;
    case SB_LINEDOWN: ++pos; break;
    case SB_PAGEUP: pos -= k05e.zeilen; break;
    case SB_PAGEDOWN: pos += k05e.zeilen; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = bereich; break;
    default: pos = GetScrollPos(wiItem(2750), SB_CTL); break;
    }
    k05e.erstes = std::clamp(pos, 0, std::max(bereich, 0)) * k05e.spalten;
    k05Knoepfe();
}

int k05Init(int, const char* const*)
{
    DbDlgAnfang(nullptr);
    k05.fenster = wiDlgFenster();
    LisAnlegen(3080, k40Hoehe, k40Malen, k40Ereignis);
    LisZeichenMeldung(3080, 3083);
    k05.bib.clear();
    // Right click on a button opens the palette's menu; a press moved
    // drags its component (2062 with the button's id, then 2063, 2064).
    for (int i = 0; i < k05e.spalten * k05e.zeilen; ++i) {
        HWND k = wiItem(2600 + i);
        if (!k) continue;
        SetWindowText(k, "\x1bR2500");
        char d[16];
        std::snprintf(d, sizeof d, "\x1b" "D%d", 2600 + i);
        SetWindowText(k, d);
    }
    k05e.zieht = false;
    PopupAnlegen(k05e.hinweis);
    k05Fuellen(true);
    return 0;
}

int k05Exit()
{
    PopupEntfernen();
    LisFreigeben(3080);
    k05.baum = KatBaum{};
    k05.eintraege.clear();
    k05.bib.clear();
    k05.fenster = 0;
    DbDlgEnde(nullptr);
    return 0;
}

// The floating hint follows the cursor over the buttons and goes with it
// (the cursor message names the window under the cursor); it hides when
// the palette loses the activation.
void k05Maus(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_SETCURSOR) PopupZeigen(static_cast<HWND>(wp));
    else if (nachricht == WM_MOUSEMOVE) PopupMausBewegt(nachricht, wp, lp);
    else if (nachricht == WM_ACTIVATE && LOWORD(wp) == WA_INACTIVE) PopupVerbergen();
}

// A drag of a button's component onto the drawing: 2062 names the button,
// 2063 and 2064 carry the point in the palette; the drop places it there.
void k05Ziehen(int id, LPARAM lp)
{
    if (id == 2062) {
        const int e = k05e.erstes + static_cast<int>(lp) - 2600;
        if (lp < 2600 || e >= static_cast<int>(k05.eintraege.size())) return;
        PopupVerbergen();
        k05e.zieht = true;
        ZiehenAnfang(2, k05.eintraege[static_cast<size_t>(e)].name);
    } else if (k05e.zieht && id == 2063) {
        ZiehenUeberFenster(k05.fenster, static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
    } else if (k05e.zieht && id == 2064) {
        k05e.zieht = false;
        EdtFokus();
        ZiehenEnde();
    }
}

// The palette's menu over the button right-clicked: its component's
// preview (offered only for a button with one), or closing the palette.
void k05Menu(HWND knopf)
{
    PopupZeigen(knopf);
    if (wiDlgMenuLaden("DB1205_RM") != 0) return;
    wiDlgMenuFrei(2510, PopupFenster() != 0);
    wiDlgMenuZeigen(0, 0);
}

int k05Befehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (k05.fenster && LisVorhanden(3080)) LisNachricht(3080, nachricht, wp, lp);
    k05Maus(nachricht, wp, lp);
    if (nachricht == WM_VSCROLL && static_cast<HWND>(lp) == wiItem(2750)) {
        SetScrollPos(wiItem(2750), SB_CTL, HIWORD(wp), FALSE);
        k05Rollen(LOWORD(wp));
        return 1;
    }
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (katBaumBefehl(k05, id, wp, lp, k05Fuellen)) return 1;
    const int e = k05e.erstes + id - 2600;
    if (id >= 2600 && id < 2600 + k05e.spalten * k05e.zeilen) {
        if (e < static_cast<int>(k05.eintraege.size())) {
            EdtFokus();
            BefEinreihenText(80, k05.eintraege[static_cast<size_t>(e)].name);
        }
        return 1;
    }
    switch (id) {
    case 2:
        EdtFokus();
        return 1;
    case 2500: k05Menu(static_cast<HWND>(lp)); return 1;
    case 2062:
    case 2063:
    case 2064: k05Ziehen(id, lp); return 1;
    case 2510: PopupVorschauUmschalten(); return 1;
    case 2511: wiDlgSchliessen(); return 1;
    case 2999:
        k05Fuellen(false);
        return 1;
    default: return 0;
    }
}

}  // namespace

void DB1205Oeffnen()
{
    if (k05.fenster) {
        SetForegroundWindow(k05.fenster);
        return;
    }
    if (!k05e.gelesen) k05EinstLesen();
    char vorlage[20];
    KatPaletteVorlage(k05e.groesse, k05e.layout, vorlage, sizeof vorlage);
    EdtDialogOeffnen(vorlage, k05Init, k05Exit, k05Befehl);
}

void Db1205EinstNeu() { k05e.gelesen = 0; }

std::vector<std::string> Db1205Knoepfe()
{
    std::vector<std::string> v;
    if (!k05.fenster) return v;
    for (int i = 0; i < k05e.spalten * k05e.zeilen; ++i) {
        char t[KATNAMESUP + 1] = "";
        GetWindowText(GetDlgItem(k05.fenster, 2600 + i), t, sizeof t);
        v.emplace_back(t);
    }
    return v;
}
