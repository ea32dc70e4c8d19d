// Module start-up and shut-down, hooks, activation, the folder reload and
// the chooser rows (see modstart.h).
#include "frame/modstart.h"

#include <cstring>

#include "frame/vgbdlg.h"
#include "config/apstil.h"
#include "config/datwache.h"
#include "config/inidatei.h"
#include "config/reaktion.h"
#include "config/verordner.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/app.h"
#include "equipment/bm.h"
#include "equipment/chk.h"
#include "editor/bauausf.h"
#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/edtseite.h"
#include "editor/objwahl.h"
#include "editor/geloesch.h"
#include "editor/mehrfach.h"
#include "editor/texte.h"
#include "editor/zeidok.h"
#include "editdlg/eddlg.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "equipment/lagerart.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "equipment/projdienst.h"
#include "equipment/utitel.h"
#include "model/bauteil.h"
#include "model/einstell.h"
#include "model/masslin.h"
#include "model/stndtext.h"
#include "model/textvar.h"
#include "output/linien.h"
#include "output/ansicht.h"
#include "output/bilder.h"
#include "output/dxfexp.h"
#include "output/dxfimp.h"
#include "output/element.h"
#include "output/gdi.h"
#include "output/show.h"
#include "output/schrift.h"
#include "output/stil.h"
#include "output/tbar.h"
#include "platform/ablegen.h"
#include "platform/dialog.h"
#include "platform/winconst.h"
#include "lists/auswertdlg.h"
#include "lists/auswertung.h"
#include "project/impdlg.h"
#include "support/dosdatei.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

std::vector<std::string> modProtokoll;
void (*modNachEinstellungen)() = nullptr;

// Step 3: a configured folder for the program's ini file.
void modIniPfad()
{
    char pfad[VERSUP + 1] = "";
    VgbOeffnen();
    VgbText("ZvIniPfad", pfad, 100);
    VgbSchliessen();
    strtrim(pfad);
    if (pfad[0] == '\0') {
        return;
    }
    zeichentausch(pfad, '\\', '/');
    size_t n = std::strlen(pfad);
    if (pfad[n - 1] != '/' && n + 1 < sizeof pfad) {
        pfad[n] = '/';
        pfad[n + 1] = '\0';
    }
    if (dosattrib(pfad) == DOSATTR_FEHLT) {
        pfadanlegen(pfad);
    }
    std::string ini = std::string(pfad) + INIDATEINAME;
    IniPfadSetzen(ini.c_str());
}

// The hooks of the lower layers that this program fills at start.
void modHaken()
{
    wiBibInit();
    StilDiensteEintragen();  // colour names and the dash limit, before the first settings read
    LinienHakenEintragen();
    TbarHakenEintragen();
    ImpVgbGruppeHakenSetzen(VgbGruppeEditieren);  // "Einstellen..." of the import dialogs
    AwDefGruppeHakenSetzen(VgbGruppeEditieren);   // "Einstellen..." of the evaluation dialog
    AwSortHakenEintragen();  // the sorted walk decodes the evaluations' sort code
    OrdnerEinstFolgeSetzen(ModOrdnerEinstFolge);
}

void modHakenEnde()
{
    OrdnerEinstFolgeSetzen(nullptr);
}

// The equipment work layer and its entries in the drawing store's hooks.
void modApp()
{
    AppInit();
    AppHakenEintragen();
    // Assignment, labels and identifiers of placed components.
    EdDlgHakenSetzen();
}
// The editor's entries in the drawing store's hooks.
void modEditor()
{
    BefAusfInit();
    BefAusfHakenSetzen();
    ZeiHakenSetzen();
    EdMeldHakenSetzen();
    EdtHakenSetzen();
    BaubfHakenSetzen();
    ObjHakenSetzen();
    BauAusfHakenSetzen();
    TexteHakenSetzen();
    PhantomInit();
    MflInit();
    MflHakenSetzen();
}
void modAblegen() { DragAcceptFiles(anwHauptfenster(), TRUE); }
void modAblegenEnde() { DragAcceptFiles(anwHauptfenster(), FALSE); }
void modOrdnerEinst() { OrdnerEinstLaden(); }

struct ModZeile {
    const char* name;
    void (*start)();
    void (*ende)();
    bool gestartet;
};

// The one ordered table; ModuleBeenden walks it backwards.
ModZeile modTabelle[] = {
    {"TestOptionLesen", TestOptionLesen, nullptr, false},
    {"VerStart", VerStart, nullptr, false},
    {"VgbStart", VgbStart, nullptr, false},
    {"VerOption", VerOption, nullptr, false},
    {"VgbKommandozeile", VgbKommandozeile, nullptr, false},
    {"SprOption", SprOption, nullptr, false},
    {"ZvIniPfad", modIniPfad, nullptr, false},
    {"IniFuerFenster", IniFuerFenster, nullptr, false},
    {"Haken", modHaken, modHakenEnde, false},
    {"BauInit", BauInit, BauEnde, false},
    {"StndTextInit", StndTextInit, StndTextEnde, false},
    {"BMStart", BMStart, BMEnde, false},
    {"ProjModuleStarten", ProjModuleStarten, ProjModuleBeenden, false},
    {"AppInit", modApp, AppFrei, false},
    {"LagerInit", LagerInit, LagerFrei, false},
    {"OrdnerWacheAnlegen", OrdnerWacheAnlegen, nullptr, false},
    {"OrdnerEinstLaden", modOrdnerEinst, nullptr, false},
    {"BMNormOption", BMNormOption, nullptr, false},
    {"DragAcceptFiles", modAblegen, modAblegenEnde, false},
    {"EdtBefehlHaken", modEditor, nullptr, false},
};

// The selected chooser row's path: its text after the 80 columns, trimmed.
int modZeilePfad(char* pfad, size_t groesse)
{
    HWND dlg = wiDlgFenster();
    LRESULT sel = SendDlgItemMessage(dlg, 3000, LB_GETCURSEL, 0, 0);
    if (sel < 0) {
        return -1;
    }
    LRESULT laenge = SendDlgItemMessage(dlg, 3000, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0);
    if (laenge < 0) {
        return -1;
    }
    std::string zeile(static_cast<size_t>(laenge) + 1, '\0');
    SendDlgItemMessage(dlg, 3000, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(zeile.data()));
    zeile.resize(std::strlen(zeile.c_str()));
    std::string rest = zeile.size() > VGBBESCHRSUP ? zeile.substr(VGBBESCHRSUP) : std::string();
    strkopie(pfad, groesse, rest.c_str(), static_cast<int>(groesse) - 1);
    strtrim(pfad);
    return 0;
}

}  // namespace

std::vector<std::string>& ModProtokoll()
{
    return modProtokoll;
}

void ModuleStarten()
{
    for (ModZeile& z : modTabelle) {
        if (z.gestartet) {
            continue;
        }
        modProtokoll.push_back(z.name);
        z.start();
        z.gestartet = true;
    }
}

void ModuleBeenden()
{
    for (size_t i = sizeof modTabelle / sizeof modTabelle[0]; i-- > 0;) {
        ModZeile& z = modTabelle[i];
        if (!z.gestartet) {
            continue;
        }
        z.gestartet = false;
        if (z.ende != nullptr) {
            modProtokoll.push_back(std::string("-") + z.name);
            z.ende();
        }
    }
}

void AktivierungMelden(UINT nachricht, WPARAM wp)
{
    if (nachricht == WM_ACTIVATEAPP) {
        DatNeuPruefen(wp != 0 ? 1 : 0);
    }
}

void ModNachEinstellungenSetzen(void (*fn)())
{
    modNachEinstellungen = fn;
}

void ModOrdnerEinstFolge()
{
    modProtokoll.push_back("OrdnerEinst");
    GrundEinstLesen(nullptr);
    ViEinstLesen(nullptr);
    MassEinstLesen(nullptr);
    VIEINST* vi = ViEinst();
    char name[WISCHRIFTSUP + 1] = "";
    wiMonoSchrift(name, vi->font);
    if (name[0] != '\0') {
        strkopie(vi->font, name, EINSTTEXTSUP);
    }
    RenderMerkerLoeschen();
    SchriftSetzen(0, vi->font, vi->fofix);
    StifteVergessen();
    LayerZuruecksetzen();
    const GRUNDEINST* g = GrundEinst();
    for (int n = 0; n <= LAYERSUP; ++n) {
        LayerSichtSetzen(n, n == 0 ? 1 : g->layanz[n - 1]);
    }
    SprLaden();
    UtitelNeuLaden();
    ZeiKopfCacheLeeren();
    ZeiProTexteHolen();
    BMProjektWechsel();
    AppVerwendungFolgen();
    BMNormLaden();
    LagerNeuOeffnen();
    BMWechselLeer();
    if (modNachEinstellungen != nullptr) {
        modNachEinstellungen();
    }
    wiDlgPosMerken(g->gebfenpos);
}

void VgbZeile(const char* pfad, const char* beschreibung)
{
    char breit[VGBBESCHRSUP + 1];
    strbreite(breit, beschreibung != nullptr ? beschreibung : "", VGBBESCHRSUP);
    char p[VERSUP + 1];
    strkopie(p, pfad != nullptr ? pfad : "", VERSUP);
    std::string zeile = std::string(breit) + p;
    SendDlgItemMessage(wiDlgFenster(), 3000, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(zeile.c_str()));
}

int VgbZeileWaehlen()
{
    char pfad[VERSUP + 1];
    if (modZeilePfad(pfad, sizeof pfad) != 0) {
        return -1;
    }
    const char* schluss = std::strrchr(pfad, '/');
    char name[VERSUP + 1];
    strkopie(name, schluss != nullptr ? schluss + 1 : pfad, VERSUP);
    endungweg(name);
    VgbSetSetzen(name, pfad);
    return 0;
}

void VgbZeileZeigen()
{
    char pfad[VERSUP + 1];
    if (modZeilePfad(pfad, sizeof pfad) != 0) {
        return;
    }
    HWND dlg = wiDlgFenster();
    SetDlgItemText(dlg, 3002, pfadkurzn(pfad, 40));
    HFONT f = OFSchrift(2);
    SendDlgItemMessage(dlg, 3002, WM_SETFONT, static_cast<WPARAM>(f), 1);
}
