// The editor's three small dialogs; see kleindlg.h.
#include "editdlg/kleindlg.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "controls/elzeile.h"
#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editor/edmeld.h"
#include "editor/edtaufrufe.h"
#include "editor/edtseite.h"
#include "editor/edzeich.h"
#include "editor/elclip.h"
#include "editor/macro.h"
#include "editor/zeidok.h"
#include "model/beffifo.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "platform/dialog.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "winlib/dateiwahl.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"

namespace {

// The three open under their own names.
int kdExit()
{
    DbDlgEnde(nullptr);
    return 0;
}

// The buttons every one of them has: Enter (unless on a picture button)
// and 2500 confirm, Escape and 2501 close. 1 when the id was one of them.
int kdKnoepfe(WPARAM wp, void (*bestaetigen)())
{
    switch (LOWORD(wp)) {
    case 1:
        if (!DbEnter()) bestaetigen();
        return 1;
    case 2500: bestaetigen(); return 1;
    case 2:
    case 2501: wiDlgSchliessen(); return 1;
    default: return 0;
    }
}

// ---- DB1345 start points of parallel lines --------------------------------------------------------

int kdStartInit(int, const char* const*)
{
    DbDlgAnfang(nullptr);
    DbFuellen f;
    wiRadioSetzen(3010, 0, 2);
    DlgZahlSetzen(3020, EdEinst()->kax);
    return 0;
}

void kdStartBestaetigen()
{
    const int n = wiZahlHolen(3000);
    if (n < 1) {
        // A count of 0 would bring this very dialog back.
        MessageBeep(0);
        wiItemFokus(3000);
        return;
    }
    BEF b{};
    b.code = static_cast<uint8_t>(BefCode("MFS"));
    b.iarg[0] = n;
    b.iarg[1] = std::max(0, wiRadio(3010, 2));
    b.darg[0] = wiDezHolen(3020);
    BefEinreihen(&b);
    wiDlgSchliessen();
}

int kdStartBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    if (kdKnoepfe(wp, kdStartBestaetigen)) return 1;
    const int id = LOWORD(wp);
    if ((id == 3010 || id == 3011) && HIWORD(wp) == BN_CLICKED) {
        DbFuellen f;
        DlgZahlSetzen(3020, id == 3010 ? EdEinst()->kax : EdEinst()->kay);
        return 1;
    }
    return 0;
}

// ---- DB1312 macro input values ---------------------------------------------------------------------

std::string kdMakro;                 // the macro being asked for
std::string kdWerte[KDWERTSUP];      // its values while it runs

int kdFeld(int i) { return 3101 + 10 * i; }
int kdLabel(int i) { return 3100 + 10 * i; }

// The first word of `zeile` (ignoring case) and the rest after it, trimmed.
bool kdWort(const char* zeile, const char* wort, std::string* rest)
{
    while (*zeile == ' ' || *zeile == '\t') ++zeile;
    const size_t n = std::strlen(wort);
    if (strncasecmp(zeile, wort, n) != 0) return false;
    const char c = zeile[n];
    if (c != '\0' && c != ' ' && c != '\t') return false;
    char t[MAKROZEILESUP + 1];
    strkopie(t, sizeof t, zeile + n, MAKROZEILESUP);
    strtrim(t);
    *rest = t;
    return true;
}

// False when the macro was read short (said): its labels are not shown.
bool kdMakroLesen()
{
    const std::string pfad = MakroPfad(kdMakro.c_str());
    KdMakroKopf k;
    const int r = KdMakroKopfLesen(pfad.c_str(), &k);
    if (r < 0) {
        StatusTextf("Kann Macro-Datei %s nicht lesen.", pfad.c_str());
        return false;
    }
    if (r == 0) return true;
    if (k.hatText) wiTextSetzen(3010, k.text.c_str());
    for (int i = 0; i < KDWERTSUP; ++i)
        if (k.hatLabel[i]) wiTextSetzen(kdLabel(i), k.label[i].c_str());
    return true;
}

int kdMakroInit(int, const char* const*)
{
    DbDlgAnfang(nullptr);
    DbFuellen f;
    for (int i = 0; i < KDWERTSUP; ++i) {
        wiTextSetzen(kdLabel(i), "");
        wiTextSetzen(kdFeld(i), "");
        kdWerte[i].clear();
    }
    wiTextSetzen(3000, kdMakro.c_str());
    // Half the labels would ask for the wrong values; the macro could not run.
    if (!kdMakroLesen()) wiDlgSchliessen();
    return 0;
}

std::string kdFilter(const char* zeile) { return KdWerteEinsetzen(zeile, kdWerte); }

void kdMakroStarten()
{
    for (int i = 0; i < KDWERTSUP; ++i) {
        char t[81] = "";
        wiTextHolen(kdFeld(i), t, 80);
        t[KDWERTLAENGE] = '\0';
        strtrim(t);
        kdWerte[i] = t;
    }
    const std::string name = kdMakro;
    BefehlAbarbStart();
    MakroStartenGefiltert(name.c_str(), 0, kdFilter);
    BefehlAbarbStop();
    wiDlgSchliessen();
    BefEinreihenCode(0);
}

int kdMakroBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    return nachricht == WM_COMMAND && kdKnoepfe(wp, kdMakroStarten);
}

// ---- DB1006 export -------------------------------------------------------------------------------------

constexpr int KDAUFLOESUNG[] = {75, 150, 300, 600, 1200};

// Number 1..7 of the selected kind, 0 none.
int kdArt() { return wiComboWahl(3010) + 1; }

// The extension of kind n: the first word of its text.
std::string kdEndung(int n)
{
    const char* t = TextNr(1220 + n);
    const char* e = std::strchr(t, ' ');
    return e != nullptr ? std::string(t, static_cast<size_t>(e - t)) : std::string(t);
}

std::string kdBeschreibung(int n)
{
    const char* t = TextNr(1220 + n);
    const char* e = std::strchr(t, ' ');
    return e != nullptr ? std::string(e + 1) : std::string(t);
}

// The name with its extension replaced by (or given) ext.
std::string kdMitEndung(const std::string& name, const std::string& ext)
{
    const size_t schraeg = name.find_last_of("/\\");
    const size_t punkt = name.rfind('.');
    const bool hat = punkt != std::string::npos && (schraeg == std::string::npos || punkt > schraeg);
    return (hat ? name.substr(0, punkt) : name) + "." + ext;
}

void kdArtFreigeben(int art)
{
    const bool raster = art == EXP_WMF || art == EXP_PNG || art == EXP_BMP || art == EXP_JPG;
    for (int i = 0; i < 5; ++i) wiItemFrei(3020 + i, raster);
    wiItemFrei(3030, raster || art == EXP_EMF);
}

void kdArtGewaehlt()
{
    const int art = kdArt();
    kdArtFreigeben(art);
    if (art < 1) return;
    char name[WIDATEISUP + 1] = "";
    wiTextHolen(3000, name, WIDATEISUP);
    DbFuellen f;
    wiTextSetzen(3000, kdMitEndung(name, kdEndung(art)).c_str());
}

int kdExportInit(int, const char* const*)
{
    DbDlgAnfang(nullptr);
    DbFuellen f;
    wiKnopfSetzen(3100, TzMarkAnzahl() > 0 ? BST_CHECKED : BST_UNCHECKED);
    wiKnopfSetzen(3110, BST_UNCHECKED);
    wiComboLeeren(3010);
    for (int n = 1; n <= KDEXPORTARTEN; ++n) {
        const int i = wiComboAnhaengen(3010, TextNr(1220 + n));
        SendDlgItemMessage(wiDlgFenster(), 3010, CB_SETITEMDATA, static_cast<WPARAM>(i), n);
    }
    wiComboWahlSetzen(3010, EXP_PNG - 1);
    // The drawing's whole name: "HV1.08" is a name, not an extension.
    char vorschlag[WIDATEISUP + 1];
    std::snprintf(vorschlag, sizeof vorschlag, TextNr(1220), ZeiName());
    wiTextSetzen(3000, vorschlag);
    kdArtGewaehlt();  // the proposal takes the selected kind's extension
    wiRadioSetzen(3020, 2, 5);
    DlgZahlSetzen(3030, 0.0);
    return 0;
}

void kdDateiWaehlen()
{
    const int art = std::max(1, kdArt());
    std::string filter = kdBeschreibung(art) + "|*." + kdEndung(art) + "|";
    for (int n = 1; n <= KDEXPORTARTEN; ++n)
        if (n != art) filter += kdBeschreibung(n) + "|*." + kdEndung(n) + "|";
    filter += TextNr(1229);
    char pfad[WIDATEISUP + 1] = "";
    wiTextHolen(3000, pfad, WIDATEISUP);
    if (!wiDateiSpeichern(pfad, TextNr(1228), filter.c_str())) return;
    DbFuellen f;
    wiTextSetzen(3000, pfad);
    const int neu = ExportArt(pfad);
    if (neu >= 1 && neu <= KDEXPORTARTEN) wiComboWahlSetzen(3010, neu - 1);
    kdArtFreigeben(kdArt());
}

void kdExportieren()
{
    int art = kdArt();
    const int zwischenablage = wiKnopf(3110) == BST_CHECKED;
    char name[WIDATEISUP + 1] = "";
    // The field whole: a name cut to the room of a path would be another file.
    std::string ganz(static_cast<size_t>(std::max(0, wiTextLaenge(3000))) + 1, '\0');
    wiTextHolen(3000, ganz.data(), static_cast<int>(ganz.size()) - 1);
    ganz.resize(std::strlen(ganz.c_str()));
    if (!zwischenablage && PfadKopieren(name, sizeof name, ganz.c_str()) != 0) return;
    if (art < 1 || (!zwischenablage && name[0] == '\0')) {
        MessageBeep(0);
        return;
    }
    if (!zwischenablage) {
        // Name and kind agree: an extension that names a kind chooses it;
        // any other gets the chosen kind's behind it, so that no file is
        // named for one format and holds another.
        const int genannt = ExportArt(name);
        if (genannt >= 1 && genannt <= KDEXPORTARTEN) {
            art = genannt;
        } else {
            const std::string mit = std::string(name) + "." + kdEndung(art);
            if (PfadKopieren(name, sizeof name, mit.c_str()) != 0) return;
        }
        DbFuellen f;
        wiTextSetzen(3000, name);
        wiComboWahlSetzen(3010, art - 1);
    }
    if (!zwischenablage && dosattrib(name) != DOSATTR_FEHLT && JaNeinFrage(44) != 1) return;
    const int r = std::clamp(wiRadio(3020, 5), 0, 4);
    const int markiert = wiKnopf(3100) == BST_CHECKED;
    const double rand = wiDezHolen(3030);
    Warten(1);
    BildExport(art, name, markiert, zwischenablage, KDAUFLOESUNG[r], rand);
    Warten(0);
    wiDlgSchliessen();
}

int kdExportBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM)
        return ElzOwnerDraw(3010, nullptr, nachricht, static_cast<int>(wp), lp);
    if (nachricht != WM_COMMAND) return 0;
    if (kdKnoepfe(wp, kdExportieren)) return 1;
    switch (LOWORD(wp)) {
    case 2502: kdDateiWaehlen(); return 1;
    case 3010:
        if (!DbFuellt() && HIWORD(wp) == CBN_SELCHANGE) kdArtGewaehlt();
        return 1;
    case 3110:
        if (HIWORD(wp) == BN_CLICKED) wiItemFrei(3000, wiKnopf(3110) != BST_CHECKED);
        return 1;
    default: return 0;
    }
}

}  // namespace

void DB1345Oeffnen() { EdtDialogOeffnen("DB1345", kdStartInit, kdExit, kdStartBefehl); }

void DB1312Oeffnen(const char* makro)
{
    // An open dialog keeps the macro it asks for.
    if (wiDlgSuchen("DB1312") == 0) kdMakro = makro != nullptr ? makro : "";
    EdtDialogOeffnen("DB1312", kdMakroInit, kdExit, kdMakroBefehl);
}

void DB1006Oeffnen() { EdtDialogOeffnen("DB1006", kdExportInit, kdExit, kdExportBefehl); }

int KdMakroKopfLesen(const char* pfad, KdMakroKopf* k)
{
    *k = KdMakroKopf{};
    BDAT d{};
    if (bdopenlesen(&d, pfad) < 0) return 0;
    char zeile[MAKROZEILESUP + 1];
    std::string rest;
    while (bdgets(&d, zeile, MAKROZEILESUP) >= 0) {
        if (kdWort(zeile, "Text", &rest)) {
            k->hatText = true;
            k->text = rest;
        } else if (kdWort(zeile, "Input", &rest)) {
            const char* p = rest.c_str();
            char* nach = nullptr;
            const long i = std::strtol(p, &nach, 10);
            p = nach;
            while (*p == ' ' || *p == '\t') ++p;
            const int n = static_cast<int>(std::clamp(i, 0L, static_cast<long>(KDWERTSUP - 1)));
            k->hatLabel[n] = true;
            k->label[n] = p;
        }
    }
    const bool kurz = bdlesefehler(&d) != 0;
    bdclose(&d);
    return kurz ? -1 : 1;
}

std::string KdWerteEinsetzen(const char* zeile, const std::string werte[KDWERTSUP])
{
    std::string aus;
    for (const char* p = zeile; *p != '\0'; ++p) {
        if (p[0] == '$' && (p[1] == 'I' || p[1] == 'i') && std::isdigit(static_cast<unsigned char>(p[2]))) {
            aus += werte[std::min(p[2] - '0', KDWERTSUP - 1)];
            p += 2;
        } else {
            aus += *p;
        }
    }
    return aus;
}
