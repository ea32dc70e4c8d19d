// Start-up screen (see startbild.h). Modal; its entries live from the
// opener to the exit.
#include "project/startbild.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "controls/elseite.h"
#include "controls/lisanzeige.h"
#include "equipment/utitel.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "project/dirhist.h"
#include "project/wrz.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/seitendienst.h"
#include "winlib/wibild.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int SB_LISTE = 3000;

struct SbKnopf {
    int id;
    const char* bild;
    int klickBefehl;   // main command of a click
    bool schliesst;
    int tastenBefehl;  // dialog command of Enter on it
};
constexpr SbKnopf SB_KNOEPFE[5] = {
    {3200, "BMPPRONEU", 1503, true, 2504},  {3210, "BMPHANDBUCH", 1994, false, 2510},
    {3220, "BMPINTERNET", 1996, false, 2512}, {3230, "BMPPROLIS", 1500, true, 2502},
    {3240, "BMPBAUTEILE", 1993, false, 2511},
};

struct SbZustand {
    std::vector<StartEintrag> eintraege;
    bool bereit = false;
    bool stil1 = false;
    const char* vorlage = "PVWSTARTUP";
};
SbZustand sb;

std::string sbTitel(const char* text, size_t n) { return std::string(text).substr(0, std::min(n, std::strlen(text))); }

void sbSenden(int id, const char* format, ...) __attribute__((format(printf, 2, 3)));
void sbSenden(int id, const char* format, ...)
{
    char t[400];
    va_list a;
    va_start(a, format);
    std::vsnprintf(t, sizeof t, format, a);
    va_end(a);
    if (HWND h = wiItem(id)) SetWindowText(h, t);
}

POINT sbPixel(int x, int y)
{
    RECT r{x, y, x, y};
    MapDialogRect(wiDlgFenster(), &r);
    return {r.left, r.top};
}

void sbKnopfMalen(int nr)
{
    const SbKnopf& k = SB_KNOEPFE[nr];
    char schluessel[16];
    const std::string v = sb.vorlage;
    auto text = [&](const char* teil) {
        std::snprintf(schluessel, sizeof schluessel, "b%d%s", nr, teil);
        return StartWww(DlgTextHolenFuer(v.c_str(), schluessel));
    };
    const int d = sb.stil1 ? 8 : 0;
    const POINT b = sbPixel(7, 4), t = sbPixel(30, 10), z1 = sbPixel(30 + d, 18), z2 = sbPixel(30 + d, 26);
    sbSenden(k.id, "clear");
    sbSenden(k.id, "knopf");
    sbSenden(k.id, "color 0 0 0");
    sbSenden(k.id, "font 0");
    sbSenden(k.id, "bmprc %d %d 0 0 %s", static_cast<int>(b.x), static_cast<int>(b.y), k.bild);
    sbSenden(k.id, "ltext %d %d %s", static_cast<int>(t.x), static_cast<int>(t.y), text("Titel").c_str());
    sbSenden(k.id, "color 96 96 96");
    sbSenden(k.id, "font 2");
    sbSenden(k.id, "ltext %d %d %s", static_cast<int>(z1.x), static_cast<int>(z1.y), text("Zeile1").c_str());
    sbSenden(k.id, "ltext %d %d %s", static_cast<int>(z2.x), static_cast<int>(z2.y), text("Zeile2").c_str());
    sbSenden(k.id, "paint");
}

int sbHoehe(int zeile)
{
    if (sb.eintraege.empty()) return 6;
    return zeile >= 0 && zeile < static_cast<int>(sb.eintraege.size()) ? StartZeilenHoehe(&sb.eintraege[zeile]) : 6;
}

void sbMalen(int zeile)
{
    if (sb.eintraege.empty()) {
        LisSchrift(2);
        LisFarbe(0, 0, 0);
        LisText(1, 1, TextNr(29));
        return;
    }
    if (zeile < 0 || zeile >= static_cast<int>(sb.eintraege.size())) return;
    const StartEintrag& e = sb.eintraege[zeile];
    const size_t t = e.pfad.find_last_of("/\\");
    const std::string name = t == std::string::npos ? e.pfad : e.pfad.substr(t + 1);
    const int c = sb.stil1 ? 3 : 0;
    char z[400];
    LisSchrift(0);
    LisFarbe(0, 0, 0);
    std::snprintf(z, sizeof z, "%s %s", name.c_str(), e.titel[0].c_str());
    LisText(1, 1, z);
    int pfadZeile = 3;
    if (!e.titel[1].empty() || !e.titel[2].empty()) {
        LisSchrift(2);
        std::snprintf(z, sizeof z, "%s %s", e.titel[1].c_str(), e.titel[2].c_str());
        LisText(c + 1, 3, z);
        pfadZeile = 5;
    }
    LisSchrift(2);
    LisFarbe(96, 96, 96);
    LisText(c + 1, pfadZeile, pfadkurzn(e.pfad.c_str(), 50));
}

int sbEreignis(int ereignis, int)
{
    if (ereignis == LISAKTIV) PostMessage(wiDlgFenster(), WM_COMMAND, 2500, 0);
    return 0;
}

void sbHaupt(int befehl, bool schliessen)
{
    if (schliessen) wiDlgSchliessen();
    wiSeiteHauptPost(befehl, 0);
}

// The chosen folder becomes the first recent one, which the frame opens as
// command 1680.
void sbOeffnen()
{
    const int z = LisAkt(SB_LISTE);
    if (z < 0 || z >= static_cast<int>(sb.eintraege.size())) return;
    // The shipped sample stays as it is shipped: a new project is made from it.
    if (sb.eintraege[z].vorlage) {
        sbHaupt(1503, true);
        return;
    }
    const std::string pfad = sb.eintraege[z].pfad;
    DirAktuellMelden(pfad.c_str());
    char erster[DIRPFADSUP + 1];
    DirNachId(DIRIDBASIS, erster, sizeof erster);
    if (!PfadGleich(erster, pfad.c_str())) {
        DirMenueLoeschen();
        DirMerken(pfad.c_str());
        DirMenueAufbauen();
    }
    wiDlgSchliessen();
    wiSeiteHauptPost(DIRIDBASIS, 0);
}

int sbInit(int, const char* const*)
{
    wiDlgModal();
    HBITMAP logo = wiBitmapLaden(wiGrosseSchrift() ? "ZVCOPY_G" : "ZVCOPY_K");
    if (logo) SendMessage(wiItem(4000), STM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(logo));
    for (int i = 0; i < (sb.stil1 ? 3 : 5); ++i) sbKnopfMalen(i);
    wiDlgZentrieren();
    sb.eintraege = StartListe();
    LisAnlegen(SB_LISTE, sbHoehe, sbMalen, sbEreignis);
    if (ApOFStil1()) LisOhneFokus(SB_LISTE);
    PostMessage(wiDlgFenster(), WM_COMMAND, 2590, 0);
    sb.bereit = true;
    // Enter at once opens the marked recent project.
    wiItemFokus(SB_LISTE);
    return 0;
}

int sbExit()
{
    sb.bereit = false;
    LisFreigeben(SB_LISTE);
    wiTooltipsLoeschen();
    sb.eintraege.clear();
    return 0;
}

int sbFokusKnopf()
{
    const int f = wiFokusId();
    for (int i = 0; i < (sb.stil1 ? 3 : 5); ++i)
        if (SB_KNOEPFE[i].id == f) return i;
    return -1;
}

int sbBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (sb.bereit) LisNachricht(SB_LISTE, nachricht, wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    for (int i = 0; i < (sb.stil1 ? 3 : 5); ++i) {
        if (SB_KNOEPFE[i].id == id && (lp & 0xFFFF) == 10) {
            sbHaupt(SB_KNOEPFE[i].klickBefehl, SB_KNOEPFE[i].schliesst);
            return 0;
        }
    }
    switch (id) {
    case 1:
        if (sb.stil1 && wiGrbuAusloesen()) break;
        [[fallthrough]];
    case 2500: {
        const int k = sbFokusKnopf();
        if (k >= 0) PostMessage(wiDlgFenster(), WM_COMMAND, static_cast<WPARAM>(SB_KNOEPFE[k].tastenBefehl), 0);
        else if (wiFokusId() == SB_LISTE || id == 2500) sbOeffnen();
        break;
    }
    case 2: case 2501: wiDlgSchliessen(); break;
    case 2502: sbHaupt(1500, true); break;
    case 2503: sbHaupt(1501, true); break;
    case 2504: sbHaupt(1503, true); break;
    case 2510: sbHaupt(1994, false); break;
    case 2511: sbHaupt(1993, false); break;
    case 2512: sbHaupt(1996, false); break;
    case 2590:
        LisAnzahlSetzen(SB_LISTE, std::max(1, static_cast<int>(sb.eintraege.size())));
        LisAktSetzen(SB_LISTE, 0);
        LisNeuAufbauen(SB_LISTE);
        InvalidateRect(wiItem(SB_LISTE), nullptr, TRUE);
        break;
    default: break;
    }
    return 0;
}

}  // namespace

std::vector<StartEintrag> StartListe()
{
    std::vector<StartEintrag> liste;
    for (int i = 0; i < DIRSUP; ++i) {
        char pfad[DIRPFADSUP + 1];
        if (!DirNachId(DIRIDBASIS + i, pfad, sizeof pfad)) continue;
        StartEintrag e;
        e.pfad = pfad;
        while (e.pfad.size() > 1 && (e.pfad.back() == '/' || e.pfad.back() == '\\')) e.pfad.pop_back();
        char t[3][UTTEXTSUP + 1];
        UtitelFremdLesen((e.pfad + "/Projekt.zvk").c_str(), t[0], t[1], t[2]);
        for (int k = 0; k < 3; ++k) e.titel[k] = sbTitel(t[k], STARTTITELSUP);
        liste.push_back(e);
    }
    StartEintrag e;
    e.pfad = VerZeiger(0);
    while (!e.pfad.empty() && (e.pfad.back() == '/' || e.pfad.back() == '\\')) e.pfad.pop_back();
    e.pfad += "/Muster";
    e.vorlage = true;
    bool schon = false;
    for (const StartEintrag& l : liste) schon = schon || PfadGleich(l.pfad.c_str(), e.pfad.c_str());
    if (liste.empty() || (!schon && OrdnerVorhanden(e.pfad.c_str()))) liste.push_back(e);
    return liste;
}

int StartZeilenHoehe(const StartEintrag* e) { return !e->titel[1].empty() || !e->titel[2].empty() ? 8 : 6; }

std::string StartWww(const char* text)
{
    std::string t = text ? text : "";
    const size_t p = t.find("<WWW>");
    if (p == std::string::npos) return t;
    const char* land = wiLandKurz();
    const bool de = land && (land[0] == 'D' || land[0] == 'd') && (land[1] == 'E' || land[1] == 'e');
    return t.replace(p, 5, DlgTextHolenFuer("WWW", de ? "DE" : "Welt"));
}

HWND StartBild()
{
    if (HWND d = wiDlgSuchen(sb.vorlage)) return d;
    sb = SbZustand{};
    sb.stil1 = ApOFStil1() != 0;
    sb.vorlage = sb.stil1 ? "PVWSTARTUP1" : "PVWSTARTUP";
    return wiDlgOeffnen(sb.vorlage, sbInit, sbExit, sbBefehl);
}

void PvwStartDialog() { StartBild(); }
