// The viewer page (see show.h). The drawing is drawn by a copy of the
// screen device of the renderer core whose first-line hook records the link
// of a kept "@Y" text; the record hook of the expander keeps that text.
#include "output/show.h"

#include <strings.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/datwache.h"
#include "config/verordner.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "controls/elseite.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/nhuliste.h"
#include "model/befehl.h"
#include "model/einstell.h"
#include "model/geometri.h"
#include "model/stndtext.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "model/zeilauf.h"
#include "model/zerleg.h"
#include "model/zustand.h"
#include "output/ansicht.h"
#include "output/element.h"
#include "output/gdi.h"
#include "output/guck.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/dateiwahl.h"
#include "winlib/dialog.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"
#include "winlib/toolbar.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

struct ShwZustand {
    HWND fenster = 0;
    std::string gemerkt;  // remembered path
    std::string aktuell;  // shown path
    std::string gewarnt;  // the path whose walk failure was shown last
    std::vector<ShowLink> links;
    bool textGemerkt = false;
    BEF text{};
    STT textStt{};
    int druckt = 0;
    int tastenOption = 0;
    int ziehen = 0;  // 0 none, 1 pressed, 2 dragging
    POINT start{};
};

ShwZustand shw;

void shwKeinDialog() {}
void shwKeineWahl(const char*) {}
int shwKeinDruck() { return 0; }
int shwKeineZeichnung(const char*) { return 0; }

const ShowDienste shwStandard = {shwKeineWahl, shwKeinDialog, shwKeinDruck, shwKeineZeichnung, shwKeinDialog};
ShowDienste shwDienste = shwStandard;

// ---- Links ------------------------------------------------------------------------------------

// The text alignment of a text record, horizontal and vertical, as the
// renderer's switch passes them.
void shwAusrichtung(int code, int* bx, int* c)
{
    const int k = (code >= 50 && code <= 57 ? code - 50 : 0) % 4;
    *bx = k == 3 ? 1 : k;
    *c = k == 3 ? 1 : 0;
}

// The four corners of the kept text's box under state s, as the renderer
// lays the box out (font already selected, lines already split).
void shwEcken(const STT* s, double ecken[4][2])
{
    int bx = 0, c = 0;
    shwAusrichtung(shw.text.code, &bx, &c);
    const int n = StndTextAnzahl(), m = StndTextLaenge();
    std::string mess = n <= 1 ? std::string(StndTextZeile(0)) : std::string(static_cast<size_t>(std::min(ELEMMESSSUP, m)), 'n');
    double w = 0, h = 0;
    GdiTextGroesse(mess.c_str(), &w, &h);
    const double E = (n - 1) * s->th * -2.0 * s->tg;
    const double ox = bx == 1 ? -w / 2 : bx == 2 ? -w : 0;
    const double oy = c == 1 ? -(E + h) / 2 : 0;
    STT gedreht = *s;
    gedreht.richtung = WinkelNormal(s->richtung + s->tr);
    const double rel[4][2] = {{ox, oy + h}, {ox, oy + E}, {ox + w, oy + E}, {ox + w, oy + h}};
    for (int i = 0; i < 4; ++i) SttPunkt(&gedreht, rel[i][0], rel[i][1], &ecken[i][0], &ecken[i][1]);
}

// The item and target component of the kept reference; 1 when the target
// is placed.
int shwZiel(const char* zeile, uint32_t* id, appbteil* ziel)
{
    YREF r{};
    if (YRefZerlegen(shw.text.text, &r) != 0) return 0;
    *id = r.id;
    char art[sizeof r.art + 2] = "H";
    if (r.art[0] != '\0') std::snprintf(art, sizeof art, NhuIstUnter(r.art) ? "U%s" : "%s", r.art);
    appbteil haupt{};
    appgeraet g{};
    if (!BtlSuchen(r.id, "H", 0, &haupt) || GesHolen(r.id, &g) != 0) return 0;
    switch (r.feld[0]) {
    case 'B':
    case 'K': *ziel = haupt; break;
    case 'P':
        if (zeile != nullptr && strcasecmp(zeile, "-") == 0) return 0;
        if (r.feld[1] != '\0') {
            appbteil b{}, vor{}, nach{};
            BtlSuchen(r.id, art, r.nr, &b);
            HulVerweisSuchen(&vor, &nach, &b);
            *ziel = r.feld[1] == '>' ? nach : vor;
            if (ziel->id == 0) return 0;
        } else if (!BtlSuchen(r.id, art, r.nr, ziel)) {
            return 0;
        }
        break;
    default: return 0;
    }
    return ziel->platziert != 0;
}

// Records a link for the kept text drawn under state s with first line `zeile`.
void ShowLinkMerken(const char* zeile, const STT* s)
{
    if (!shw.textGemerkt) return;
    shw.textGemerkt = false;
    appbteil ziel{};
    uint32_t id = 0;
    if (!shwZiel(zeile, &id, &ziel)) return;
    ShowLink l{};
    l.id = id;
    strkopie(l.schluessel, sizeof l.schluessel, ziel.ze, SHOWSCHLUESSELSUP);
    shwEcken(s, l.ecken);
    shw.links.push_back(l);
}

// The record hook of the second pass: keeps the last "@Y" text record.
void ShowTextMerken(int phase, const BEF* b, const STT* s)
{
    shw.textGemerkt = false;
    if (phase == 1 && BefIstText(b->code) && IstYRef(b->text)) {
        shw.text = *b;
        shw.textStt = *s;
        shw.textGemerkt = true;
    }
}

// The viewer's device: the screen copy with its own first-line hook; a
// text too small to read still records its link from the kept state.
ELEMGERAET shwGeraet;

void shwErsteZeile(void*, const char* zeile, double, double, const STT* s) { ShowLinkMerken(zeile, s); }

int shwZuKlein(void*)
{
    if (!GdiSchriftZuKlein()) return 0;
    ShowLinkMerken(StndTextZeile(0), &shw.textStt);
    return 1;
}

int shwLayerAn(const STT* s) { return s->layer <= 0 || LayerSichtbar(s->layer) != 0; }

int ShowRueckrufBild(const BEF* b, const STT* s)
{
    if (b->code == 69 && shwLayerAn(s)) ElemZeichnen(&shwGeraet, b, s);
    return 0;
}

int ShowRueckrufRest(const BEF* b, const STT* s)
{
    if (b->code != 69 && shwLayerAn(s)) ElemZeichnen(&shwGeraet, b, s);
    return 0;
}

// ---- Painting ---------------------------------------------------------------------------------

void ShowRaster()
{
    const EDEINST* e = EdEinst();
    if (e->rpswx <= 0 || e->rpswy <= 0) return;
    const int rgb[3] = {e->rprgb[0], e->rprgb[1], e->rprgb[2]};
    for (int i = 0; i < e->rpax; ++i) {
        for (int j = 0; j < e->rpay; ++j) {
            const double x = e->rp0x + i * e->rpswx, y = e->rp0y + j * e->rpswy;
            if (AnsichtPunktImBlatt(x, y)) GdiPixel(x, y, rgb);
        }
    }
}

// Sheet from the drawing's format byte: 'u' A4 upright, else A3 landscape.
void ShowBlatt()
{
    ZeiDatei z;
    int a4 = 1;
    if (!shw.aktuell.empty() && ZeiDateiLesend(&z, shw.aktuell.c_str()) == 0) {
        a4 = ZeiFormat(&z) == BEF_ZA4;
        ZeiDateiSchliessen(&z);
    }
    if (a4) AnsichtA4();
    else AnsichtA3();
}

HWND shwAnsicht() { return shw.fenster ? GetDlgItem(shw.fenster, ANSICHT_FENSTER) : 0; }

// ---- Input --------------------------------------------------------------------------------------

void ShowMaus(UINT nachricht, WPARAM wp, LPARAM lp)
{
    const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (nachricht) {
    case WM_LBUTTONDOWN:
        shw.ziehen = 1;
        shw.start = p;
        break;
    case WM_MOUSEMOVE:
        if (shw.ziehen == 1 && (std::abs(p.x - shw.start.x) >= ANSICHTZIEHEN || std::abs(p.y - shw.start.y) >= ANSICHTZIEHEN))
            shw.ziehen = 2;
        break;
    default: break;
    }
    AnsichtMaus(nachricht, wp, lp);
    if (nachricht != WM_LBUTTONUP) return;
    const int gezogen = shw.ziehen == 2;
    shw.ziehen = 0;
    if (gezogen) return;
    // The released point as the view took it, before any snapping.
    double x = 0, y = 0;
    AnsichtMitteHolen(&x, &y);
    if ((wp & MK_SHIFT) || TasteGedrueckt(0)) ShowRasterFang();
    ShowLinkKlick(x, y);
}

int ShowMausHaken(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_RBUTTONDBLCLK) return 0;
    HWND v = AnsichtFenster();
    if (v) GuckZeigen(v, 0);
    ShowMaus(nachricht, wp, lp);
    if (AnsichtFenster()) GuckZeigen(AnsichtFenster(), 1);
    return 1;
}

int ShowTastenHaken(UINT nachricht, WPARAM wp, LPARAM lp)
{
    HWND v = AnsichtFenster();
    if (nachricht == WM_KEYDOWN) {
        if (v) GuckZeigen(v, 0);
        ShowTaste(static_cast<int>(wp), TasteGedrueckt(0), TasteGedrueckt(1), TasteGedrueckt(2),
                  static_cast<int>((static_cast<unsigned long>(lp) >> 24) & 1));
        if (AnsichtFenster()) GuckZeigen(AnsichtFenster(), 1);
        return 1;
    }
    if (nachricht == WM_CHAR) {
        ShowZeichen(static_cast<int>(wp));
        return 1;
    }
    return 0;
}

void ShowHakenSetzen()
{
    VgbOeffnen();
    shw.tastenOption = VgbInt("AP-Ed45Taste") != 0;
    VgbSchliessen();
    EdEinstLesen(nullptr);
    AnsichtHaken(ShowTastenHaken, ShowMausHaken, ANSICHT_ECKE);
}

// Attaches the view to this page unless it already is (the editor takes it
// while its page is shown).
void shwAnbinden()
{
    if (AnsichtFenster() != 0 && AnsichtFenster() == shwAnsicht()) return;
    AnsichtAnbinden();
    AnsichtMalHaken(ShowMalen);
    AnsichtRahmenSetzen(ViEinst()->zrahm != 0);
    AnsichtZiehenVerfolgen(1);
    ShowHakenSetzen();
    ShowBlatt();
}

// ---- Commands -----------------------------------------------------------------------------------

void shwNachbar(int welcher)
{
    if (shw.aktuell.empty()) return;
    char name[SHOWPFADSUP + 1] = "";  // the neighbour's path
    ZeiNachbar(shw.aktuell.c_str(), welcher, name, sizeof name);
    if (name[0] == '\0') return;
    ShowLaden(name);
}

void shwDateiWahl()
{
    char pfad[WIDATEISUP + 1] = "*.*";
    const std::string titel = DlgTextHolen("OpenTitel");
    const std::string filter = DlgTextHolen("OpenNamen");
    if (wiDateiWahl(pfad, titel.c_str(), filter.c_str()) && pfad[0] != '\0') ShowLaden(pfad);
}

void shwOrdnerWahl()
{
    char pfad[WIDATEISUP + 1] = "";
    VerHolen(1, pfad, sizeof pfad);
    if (!wiOrdnerWahl(pfad, "Zeichnungsordner w\xE4hlen") || pfad[0] == '\0') return;
    std::string ordner = pfad;
    if (ordner.back() != '/' && ordner.back() != '\\') ordner += '/';
    char name[SHOWPFADSUP + 1] = "";
    // The neighbour search needs a name in the folder to start from.
    ZeiNachbar((ordner + "_").c_str(), 0, name, sizeof name);
    if (name[0] != '\0') ShowLaden(name);
}

void shwBefehl(int id)
{
    switch (id) {
    case 1: wiGrbuAusloesen(); break;
    case 2: wiDlgSchliessen(); break;
    case 1000: shwDateiWahl(); break;
    case 1001: ShowDrucken(); break;
    case 1002:
    case 1030: AnsichtStart(); break;
    case 1003: AnsichtZoomBefehl("C+"); break;
    case 1004: AnsichtZoomBefehl("C-"); break;
    case 1009: shwOrdnerWahl(); break;
    case 1010:
    case 1011:
    case 1012:
    case 1013: shwNachbar(id - 1010); break;
    case 1031: ShowRasterFang(); break;
    case 1100: shwDienste.layerDialog(); break;
    case 2510:
        // The drawing asked for while the page was open: its sheet, folder and
        // title follow it, not only the next paint. The page is shown again:
        // it takes the view back from the editor, or clicks go nowhere.
        if (IsWindowVisible(shw.fenster)) shwAnbinden();
        if (!shw.gemerkt.empty()) ShowLaden(shw.gemerkt.c_str());
        break;
    case 2580:
        shwAnbinden();
        AnsichtFokus();
        break;
    case 2590:
    case 5002: AnsichtEinpassen(); break;
    case 5000:
        ShowLayout();
        AnsichtNeuMessen();
        if (!shw.gemerkt.empty()) ShowLaden(shw.gemerkt.c_str());
        break;
    case ANSICHT_ECKE:
        AnsichtBefehl("0");
        AnsichtFokus();
        break;
    default: break;
    }
}

}  // namespace

// ---- Services ---------------------------------------------------------------------------------------

void ShowDiensteSetzen(const ShowDienste& d)
{
    if (d.zeiWaehlen) shwDienste.zeiWaehlen = d.zeiWaehlen;
    if (d.layerDialog) shwDienste.layerDialog = d.layerDialog;
    if (d.druckStart) shwDienste.druckStart = d.druckStart;
    if (d.zeichnungDrucken) shwDienste.zeichnungDrucken = d.zeichnungDrucken;
    if (d.druckEnde) shwDienste.druckEnde = d.druckEnde;
}

void ShowDiensteZuruecksetzen() { shwDienste = shwStandard; }

// ---- Opening and commands ------------------------------------------------------------------------------

void ShowZeiAnzeigen(const char* pfad)
{
    char absolut[SHOWPFADSUP + 1] = "";
    strkopie(absolut, sizeof absolut, pfad != nullptr ? pfad : "", SHOWPFADSUP);
    if (absolut[0] != '\0') PfadAbsolut(absolut, sizeof absolut);
    shw.gemerkt = absolut;
    if (HWND f = ShowFenster()) {
        EnableWindow(f, TRUE);  // disabled while hidden for another mode
        ShowWindow(f, SW_SHOW);
        SetActiveWindow(f);
        PostMessage(f, WM_COMMAND, 2510, 0);
    } else {
        HWND s = wiDlgEinbetten(anwHauptfenster(), "SHOWZEICH", ShowInit, ShowEnde, ShowNachricht, nullptr, 0);
        if (s != 0) ShowWindow(s, SW_SHOW);
    }
    wiSeiteVerteilen(2999, 0);
}

void ShowAktivieren()
{
    if (HWND f = ShowFenster()) wiSeiteAktivieren(f);
}

void ShowBefehlSenden(int id)
{
    if (HWND f = ShowFenster()) PostMessage(f, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

HWND ShowFenster()
{
    if (shw.fenster != 0 && !IsWindow(shw.fenster)) shw.fenster = 0;
    return shw.fenster;
}

void ShowPfadHolen(char* puffer, size_t kap)
{
    if (kap == 0) return;
    strkopie(puffer, kap, shw.aktuell.c_str(), static_cast<int>(kap) - 1);
}

void ShowLaden(const char* pfad)
{
    char absolut[SHOWPFADSUP + 1] = "";
    strkopie(absolut, sizeof absolut, pfad != nullptr ? pfad : "", SHOWPFADSUP);
    if (absolut[0] != '\0') PfadAbsolut(absolut, sizeof absolut);
    shw.aktuell = absolut;
    shw.gewarnt.clear();
    VerUmschalten(absolut);
    ZeiAktSetzen(absolut);
    if (shw.fenster) {
        SetWindowText(shw.fenster, absolut);
        if (AnsichtFenster() == shwAnsicht()) ShowBlatt();
    }
    shwDienste.zeiWaehlen(absolut);
    AnsichtNeuZeichnen();
    wiSeiteVerteilen(2999, 0);
}

int ShowInit(int, const char* const*)
{
    HWND f = wiDlgFenster();
    shw.fenster = f;
    shw.links.clear();
    shw.textGemerkt = false;
    shw.druckt = 0;
    shw.ziehen = 0;
    wiTbarLaden("Toolbar.txt", "Show");
    wiItemsUnterTbar(ANSICHT_FENSTER, ANSICHT_VSCROLL, ANSICHT_HSCROLL, ANSICHT_ECKE, 0);
    shw.aktuell = shw.gemerkt;
    shwGeraet = *ElemBildschirm();
    shwGeraet.ersteZeile = shwErsteZeile;
    shwGeraet.zuKlein = shwZuKlein;
    shwGeraet.layerAn = 0;
    shwGeraet.textAus = 0;
    shwAnbinden();
    wiSeiteAnmelden(f);
    wiSeiteModus(SHOWMODUS);
    wiSeiteVerteilen(2999, 0);
    BMDateiAktuell(0);
    PostMessage(f, WM_COMMAND, 5000, 0);
    return 1;
}

int ShowEnde()
{
    if (shw.fenster && AnsichtFenster() == shwAnsicht()) AnsichtLoesen();
    wiSeiteAbmelden(shw.fenster);
    shw.links.clear();
    shw.links.shrink_to_fit();
    shw.fenster = 0;
    return 0;
}

int ShowNachricht(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (shw.fenster == 0) return 0;
    // The corner button's own command comes back posted without a window.
    const bool eckBefehl = nachricht == WM_COMMAND && LOWORD(wp) == ANSICHT_ECKE && lp == 0;
    if (!shw.druckt && !eckBefehl && AnsichtFenster() == shwAnsicht() && AnsichtNachricht(nachricht, wp, lp))
        return 1;
    switch (nachricht) {
    case WM_ACTIVATEAPP:
        if (wp) DatNeuPruefen(1);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wp)) wiSeiteModus(SHOWMODUS);
        break;
    case WM_SIZE: ShowLayout(); break;
    case WM_COMMAND: shwBefehl(LOWORD(wp)); break;
    default: break;
    }
    return 0;
}

void ShowLayout()
{
    if (!shw.fenster) return;
    wiRollbalkenLayout(2, 2, ANSICHT_FENSTER, ANSICHT_VSCROLL, ANSICHT_HSCROLL, ANSICHT_ECKE);
}

// ---- Painting and links -------------------------------------------------------------------------------

void ShowMalen()
{
    ShowRaster();
    if (shw.aktuell.empty()) return;
    const char* pfad = shw.aktuell.c_str();
    char fehlt[ZERFEHLSUP + 1];
    FehlBauteilHolen(fehlt, sizeof fehlt);  // a name left from elsewhere is not this drawing's
    STT s;
    BefHakenSetzen(nullptr);
    SttInit(&s, nullptr);
    ZeiDurchlaufen(pfad, &s, ShowRueckrufBild);
    shw.links.clear();
    shw.textGemerkt = false;
    BefHakenSetzen(ShowTextMerken);
    SttInit(&s, nullptr);
    const int gelaufen = ZeiDurchlaufen(pfad, &s, ShowRueckrufRest);
    BefHakenSetzen(nullptr);
    shw.textGemerkt = false;

    static const int orange[3] = {255, 128, 0};
    for (const ShowLink& l : shw.links) GdiPunktGroesse(l.ecken[1][0] - 1.0, l.ecken[1][1], SHOWMARKE, orange);

    if (gelaufen >= 0) {
        FehlBauteilHolen(fehlt, sizeof fehlt);
        char text[ZERFEHLSUP + 32] = "";
        if (fehlt[0] != '\0') std::snprintf(text, sizeof text, "Bauteil fehlt: %s", fehlt);
        wiStatusText(4, text);
    } else if (shw.gewarnt != shw.aktuell) {
        // Once per drawing: the warning box would otherwise come back with every paint.
        shw.gewarnt = shw.aktuell;
        wiMeldung("Kann Zeichnung %s nicht \xF6" "ffnen.", pfad);
    }
}

int ShowLinkAnzahl() { return static_cast<int>(shw.links.size()); }

const ShowLink* ShowLinkHolen(int i)
{
    if (i < 0 || i >= ShowLinkAnzahl()) return nullptr;
    return &shw.links[static_cast<size_t>(i)];
}

int ShowLinkKlick(double x, double y)
{
    for (const ShowLink& l : shw.links) {
        const double mx = l.ecken[1][0] - 1.0, my = l.ecken[1][1];
        if (std::abs(mx - x) < SHOWLINKNAH && std::abs(my - y) < SHOWLINKNAH) {
            char pfad[SHOWPFADSUP + 1] = "";
            strkopie(pfad, sizeof pfad, shw.aktuell.c_str(), SHOWPFADSUP);
            ZeiExtLoeschen(pfad);
            const std::string ziel = std::string(pfad) + "." + l.schluessel;
            ShowLaden(ziel.c_str());
            return 1;
        }
    }
    return 0;
}

// ---- Keys, printing ---------------------------------------------------------------------------------------

void ShowTaste(int vk, int shift, int strg, int, int erweitert)
{
    const int option = erweitert && shw.tastenOption;
    switch (vk) {
    case VK_PRIOR:
        if (!erweitert) AnsichtPunktSchieben(1, 1);
        else if (strg) AnsichtZoomFaktor(110);
        else if (shift) AnsichtMitteXPlus(-5);
        else AnsichtMitteYPlus(5);
        break;
    case VK_NEXT:
        if (!erweitert) AnsichtPunktSchieben(1, -1);
        else if (strg) AnsichtZoomFaktor(90);
        else if (shift) AnsichtMitteXPlus(5);
        else AnsichtMitteYPlus(-5);
        break;
    case VK_END:
        if (strg) ShowRasterFang();
        else if (option) AnsichtZoomBefehl("C1");
        else AnsichtPunktSchieben(-1, -1);
        break;
    case VK_HOME:
        if (strg) AnsichtStart();
        else if (option) AnsichtBefehl("0");
        else AnsichtPunktSchieben(-1, 1);
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: AnsichtPfeil(vk); break;
    case '0':
        if (strg) AnsichtBefehl("0");
        break;
    case VK_OEM_PLUS:
        if (strg) AnsichtZoomFaktor(110);
        break;
    case VK_OEM_MINUS:
        if (strg) AnsichtZoomFaktor(90);
        break;
    default: break;
    }
}

void ShowZeichen(int zeichen) { AnsichtZeichen(zeichen); }

void ShowRasterFang()
{
    const EDEINST* e = EdEinst();
    AnsichtKreuzRaster(e->rp0x, e->rpswx, e->rp0y, e->rpswy);
}

void ShowDrucken()
{
    if (shw.aktuell.empty()) {
        wiMeldung("Es ist keine Zeichnung geladen.");
        return;
    }
    GuckMalenSperren(1);
    shw.druckt = 1;
    int fehler = 0;
    if (shwDienste.druckStart()) {
        fehler = shwDienste.zeichnungDrucken(shw.aktuell.c_str()) < 0;
        shwDienste.druckEnde();
    }
    shw.druckt = 0;
    GuckMalenSperren(0);
    if (fehler) wiMeldung("Fehler bei der Verarbeitung von %s", shw.aktuell.c_str());
    AnsichtEinpassen();
}

int ShowDruckt() { return shw.druckt; }
