// Properties of the open drawing: its header (DB1010), its background
// drawing (DB1011) and opening a drawing by its page reference (DB1012).
// The header fields write the document's header at once, update the
// project's header cache and queue the refresh of the header texts; the
// background dialog queues the background commands and undoes them on
// Escape.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/vorgaben.h"
#include "config/verzeich.h"
#include "editdlg/einstell.h"
#include "editdlg/einstint.h"
#include "editor/befausf.h"
#include "editor/edkopf.h"
#include "editor/edtseite.h"
#include "editor/zeidok.h"
#include "equipment/app.h"
#include "equipment/fstx.h"
#include "equipment/utitel.h"
#include "equipment/wse.h"
#include "model/beffifo.h"
#include "platform/nachricht.h"
#include "model/tempzeic.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "platform/fenster.h"
#include "project/rschreib.h"
#include "support/datum.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "winlib/dateiwahl.h"
#include "winlib/dlgitem.h"
#include "winlib/winbib.h"

namespace {

constexpr int EIG_REFRESH = 0, EIG_BMG = 1, EIG_HZ = 108, EIG_HZL = 109, EIG_ZA3 = 116, EIG_ZA4 = 117,
              EIG_HZA = 124, EIG_ZO = 104;
constexpr int EIGVERZSUP = 50;  // characters of the directory shown whole
constexpr int EIGTITEL = 3050;

std::string eigTitelPuffer[ZEIKOPFZEILEN];  // 2520 / 2521; lives for the run
bool eigTitelGemerkt = false;

std::string eigFeld(int id, int n)
{
    char t[256] = "";
    wiTextHolen(id, t, std::min(n, 255));
    strtrim(t);
    return t;
}

bool eigDateiDa(const char* pfad)
{
    const int a = dosattrib(pfad);
    return a != DOSATTR_FEHLT && !(a & DOSATTR_VERZEICHNIS);
}

int eigSprache() { return SprNummer() > 0 ? SprNummer() : 0; }

// The project's header cache follows the document's header.
void ZeiKopfAktualisieren()
{
    ZeiKopf k{};
    k.format = EdtFormat();
    k.version = 10;
    for (int i = 0; i < ZEIKOPFZEILEN; ++i) strkopie(k.titel[i], sizeof k.titel[i], ZeiKopfText(i), ZEITITELSUP);
    strkopie(k.kurz, sizeof k.kurz, ZeiKopfText(-1), ZEIKURZSUP);
    strkopie(k.text10, sizeof k.text10, ZeiKopfText(10), ZEIKOPFTEXTSUP);
    strkopie(k.text11, sizeof k.text11, ZeiKopfText(11), ZEIKOPFTEXTSUP);
    ZeiKopfMerken(ZeiName(), &k);
}

void eigGeaendert()
{
    TzGeaendertSetzen();
    ZeiKopfAktualisieren();
    BefEinreihenCode(EIG_BMG);
}

}  // namespace

std::string EigVerzeichnisText(const char* verz)
{
    const size_t n = std::strlen(verz);
    if (n <= static_cast<size_t>(EIGVERZSUP)) return verz;
    return std::string("...") + (verz + n - (EIGVERZSUP - 3));
}

namespace {

// ---- DB1010 drawing properties -------------------------------------------------------------------------

void eigTitelFuellen()
{
    DbFuellen f;
    const int sprache = eigSprache();
    for (int i = 0; i < ZEIKOPFZEILEN; ++i) {
        std::string t = ZeiKopfText(i);
        if (sprache > 0) {
            char ueber[ZEITITELSUP + 1] = "";
            FstxTitelText(ZeiName(), i, ueber);
            if (ueber[0] != '\0') t = ueber;
        }
        wiTextSetzen(EIGTITEL + i, t.c_str());
    }
}

void eigPropFuellen()
{
    DbFuellen f;
    const std::string name = ZeiName();
    const size_t schnitt = name.find_last_of("/\\");
    std::string verz;
    if (schnitt == std::string::npos) {
        char akt[VERSUP + 2] = "";
        dosgetcwd(akt);
        verz = akt;
        if (!verz.empty() && verz.back() != '/') verz += '/';
    } else {
        verz = name.substr(0, schnitt + 1);
    }
    wiTextSetzen(3000, EigVerzeichnisText(verz.c_str()).c_str());
    wiTextSetzen(3010, schnitt == std::string::npos ? name.c_str() : name.c_str() + schnitt + 1);
    DATZEIT z{};
    char t[32] = "", u[16] = "";
    if (!name.empty() && dateizeit(name.c_str(), &z) == 0) {
        std::snprintf(t, sizeof t, "%02d.%02d.%04d", z.datum.tag, z.datum.monat, z.datum.jahr + 1900);
        std::snprintf(u, sizeof u, "%02d:%02d", z.stunde, z.minute);
    }
    wiTextSetzen(3020, t);
    wiTextSetzen(3021, u);
    wiKnopfSetzen(3030, EdtFormat() != EIG_ZA4);
    wiKnopfSetzen(3031, EdtFormat() == EIG_ZA4);
    wiKnopfSetzen(3060, ZeiLayerSchalter());
    wiKnopfSetzen(3070, AppAktiv());
    wiTextSetzen(3080, ZeiKopfText(-1));
    wiTextSetzen(3090, ZeiKopfText(10));
    wiTextSetzen(3091, ZeiKopfText(11));
    eigTitelFuellen();
}

void eigTitelUebernehmen()
{
    const int sprache = eigSprache();
    for (int i = 0; i < ZEIKOPFZEILEN; ++i) {
        const std::string t = eigFeld(EIGTITEL + i, ZEITITELSUP);
        if (sprache > 0)
            FstxTitelSetzen(ZeiName(), i, t.c_str());
        else
            ZeiKopfTextSetzen(i, t.c_str());
    }
    eigGeaendert();
}

int eigPropInit(int, const char* const*)
{
    DbDlgAnfang(DBEIGENSCHAFT);
    eigPropFuellen();
    SprTitel();
    if (RsStarten()) {
        for (int i = 0; i < ZEIKOPFZEILEN; ++i) {
            char name[24];
            std::snprintf(name, sizeof name, "Kurztext %d", i + 1);
            RsFeldAnmelden(EIGTITEL + i, name, 1);
        }
    } else {
        wiItemZeigen(2990, 0);
    }
    return 0;
}

int eigPropExit()
{
    RsFelderAbmelden();
    DbDlgEnde(DBEIGENSCHAFT);
    return 0;
}

void eigSchliessenNeu()
{
    wiDlgSchliessen();
    EdtAnsichtAktualisieren();
}

int eigPropBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (RsNachricht(nachricht, wp, lp)) return 1;
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    switch (id) {
    case 1:
        if (DbEnter()) return 1;
        [[fallthrough]];
    case 2500:
        RsVorAnwenden(2509, eigSchliessenNeu);
        return 1;
    case 2509:
    case 2: eigSchliessenNeu(); return 1;
    case 2999: return 1;
    case 3030:
    case 3031:
        if (EstGeklickt(wp)) {
            BefEinreihenCode(id == 3030 ? EIG_ZA3 : EIG_ZA4);
            TzGeaendertSetzen();
        }
        return 1;
    case 3060:
        if (EstGeklickt(wp)) {
            ZeiLayerSchalterSetzen(wiKnopf(3060));
            BefEinreihenCode(EIG_REFRESH);
        }
        return 1;
    case 3070:
        if (EstGeklickt(wp)) {
            AppUmschalten();
            DbFuellen f;
            wiKnopfSetzen(3070, AppAktiv());
            BefEinreihenCode(EIG_REFRESH);
        }
        return 1;
    case 3080:
        if (EstGetippt(wp)) {
            ZeiKopfTextSetzen(-1, eigFeld(3080, ZEIKURZSUP).c_str());
            eigGeaendert();
        }
        return 1;
    case 3090:
    case 3091:
        if (EstGetippt(wp)) {
            ZeiKopfTextSetzen(id == 3090 ? 10 : 11, eigFeld(id, ZEIKOPFTEXTSUP).c_str());
            WseCacheLeeren();
            eigGeaendert();
        }
        return 1;
    case 2520:
        for (int i = 0; i < ZEIKOPFZEILEN; ++i) eigTitelPuffer[i] = eigFeld(EIGTITEL + i, ZEITITELSUP);
        eigTitelGemerkt = true;
        return 1;
    case 2521:
        if (!eigTitelGemerkt) return 1;
        {
            DbFuellen f;
            for (int i = 0; i < ZEIKOPFZEILEN; ++i) wiTextSetzen(EIGTITEL + i, eigTitelPuffer[i].c_str());
        }
        // The fields were written under the guard: the change is taken once.
        eigTitelUebernehmen();
        return 1;
    default:
        if (id >= EIGTITEL && id < EIGTITEL + ZEIKOPFZEILEN) {
            if (EstGetippt(wp)) eigTitelUebernehmen();
            return 1;
        }
        return 0;
    }
}

// ---- DB1011 background drawing --------------------------------------------------------------------------

std::string eigHgAnfang;  // the name at opening, restored by Escape

void eigHgZeigen(const char* name)
{
    DbFuellen f;
    const char* schnitt = std::strrchr(name, '/');
    if (schnitt == nullptr) schnitt = std::strrchr(name, '\\');
    wiTextSetzen(3000, schnitt != nullptr ? schnitt + 1 : name);
    const std::string verz = schnitt != nullptr ? std::string(name, static_cast<size_t>(schnitt - name + 1)) : "";
    wiTextSetzen(3001, verz.c_str());
    wiKnopfSetzen(3006, BefFlags()->hza);
}

// Takes a background name: empty removes a set one, an existing file is
// shown, a missing one changes nothing.
void eigHgSetzen(const std::string& name)
{
    if (name.empty()) {
        if (BefFlags()->hintergrund[0] != '\0') BefEinreihenCode(EIG_HZL);
        return;
    }
    char pfad[VERSUP + 100] = "";
    PfadHPfadDatei(pfad, sizeof pfad, name.c_str());
    if (eigDateiDa(pfad)) BefEinreihenText(EIG_HZ, name.c_str());
}

int eigHgInit(int, const char* const*)
{
    DbDlgAnfang(DBEIGENSCHAFT);
    eigHgAnfang = BefFlags()->hintergrund;
    if (HFONT f = OFSchrift(2)) wiItemFont(3001, f);
    eigHgZeigen(eigHgAnfang.c_str());
    return 0;
}

int eigHgExit()
{
    DbDlgEnde(DBEIGENSCHAFT);
    return 0;
}

int eigHgBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    switch (id) {
    case 1:
        if (!DbEnter()) wiDlgSchliessen();
        return 1;
    case 2500: wiDlgSchliessen(); return 1;
    case 2:
    case 2501:
        if (eigHgAnfang != BefFlags()->hintergrund) eigHgSetzen(eigHgAnfang);
        wiDlgSchliessen();
        return 1;
    case 2999: eigHgZeigen(BefFlags()->hintergrund); return 1;
    case 3000:
        if (EstGetippt(wp)) {
            char verz[VERSUP + 1] = "";
            wiTextHolen(3001, verz, VERSUP);
            std::string name = std::string(verz) + eigFeld(3000, VERSUP);
            char t[VERSUP + 100];
            strkopie(t, sizeof t, name.c_str(), static_cast<int>(sizeof t) - 1);
            strtrim(t);
            eigHgSetzen(t);
        }
        return 1;
    case 2502: {
        char pfad[WIDATEISUP + 1];
        strkopie(pfad, sizeof pfad, BefFlags()->hintergrund, WIDATEISUP);
        if (wiDateiWahl(pfad, TextNr1000(37), TextNr1000(30))) {
            eigHgSetzen(pfad);
            eigHgZeigen(pfad);
        }
        return 1;
    }
    case 2503: BefEinreihenCode(EIG_HZL); return 1;
    case 2504: {
        char t[VERSUP + 1] = "";
        VgbText("ZvHZ", t, VERSUP);
        strtrim(t);
        if (t[0] != '\0')
            eigHgSetzen(t);
        else
            BefEinreihenCode(EIG_HZL);
        return 1;
    }
    case 3006:
        if (EstGeklickt(wp)) BefEinreihenCode(EIG_HZA);
        return 1;
    default: return 0;
    }
}

// ---- DB1012 open a drawing by its page reference ------------------------------------------------------

int eigVerwInit(int, const char* const*)
{
    wiZentrieren(wiDlgFenster());
    wiDlgModal();
    const std::string name = ZeiName();
    const size_t schnitt = name.find_last_of("/\\");
    std::string datei = schnitt == std::string::npos ? name : name.substr(schnitt + 1);
    const size_t punkt = datei.find('.');
    std::string endung = punkt == std::string::npos ? "" : datei.substr(punkt + 1);
    datei = datei.substr(0, punkt);
    const size_t p2 = endung.find('.');
    DbFuellen f;
    wiTextSetzen(3000, datei.c_str());
    wiTextSetzen(3002, p2 == std::string::npos ? endung.c_str() : endung.substr(0, p2).c_str());
    wiTextSetzen(3001, p2 == std::string::npos ? "" : endung.substr(p2 + 1).c_str());
    return 0;
}

int eigVerwExit()
{
    EdtFokus();
    return 0;
}

int eigVerwBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (DbEnter()) return 1;
        [[fallthrough]];
    case 2500: {
        const std::string seite = eigFeld(3001, 40), blatt = eigFeld(3002, 40);
        if (seite.empty()) return 1;
        const std::string verweis = blatt.empty() ? seite : blatt + " " + seite;
        char pfad[VERSUP + 100] = "";
        if (ZeiVerweisDatei(pfad, sizeof pfad, verweis.c_str()) && eigDateiDa(pfad)) {
            BefEinreihenText(EIG_ZO, pfad);
            wiDlgSchliessen();
        }
        return 1;
    }
    case 2:
    case 2501: wiDlgSchliessen(); return 1;
    default: return 0;
    }
}

}  // namespace

void DB1010Oeffnen() { EdtDialogOeffnen("DB1010", eigPropInit, eigPropExit, eigPropBefehl); }
void DB1011Oeffnen() { EdtDialogOeffnen("DB1011", eigHgInit, eigHgExit, eigHgBefehl); }
void DB1012Oeffnen() { EdtDialogOeffnen("DB1012", eigVerwInit, eigVerwExit, eigVerwBefehl); }
