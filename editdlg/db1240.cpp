// The component catalogue DB1240: a library chooser, the group tree of the
// library's group file in a list display, the components of the selected
// row in a list, a preview of the chosen one. A choice is placed as ZB.
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
#include "equipment/app.h"
#include "model/beffifo.h"
#include "platform/eingabe.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
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
};
K40Zustand k40;

int k40Sichtbar(int i)
{
    return i >= 0 && i < static_cast<int>(k40.baum.sichtbar.size()) ? k40.baum.sichtbar[static_cast<size_t>(i)] : -1;
}

int k40Hoehe(int) { return 2; }

void k40Malen(int i)
{
    const int z = k40Sichtbar(i);
    if (z < 0) return;
    const KatZeile& r = k40.baum.zeilen[static_cast<size_t>(z)];
    const int spalte = 2 * r.ebene;
    const int zustand = KatKopfZustand(&k40.baum, z);
    if (zustand >= 0) LisBild(spalte, 0, KatKopfBild(zustand));
    LisSchrift(2);
    LisFarbe(0, 0, 0);
    LisText(spalte + 2, 0, r.text);
}

void k40Post(int befehl, int zeile)
{
    if (k40.fenster) PostMessage(k40.fenster, WM_COMMAND, static_cast<WPARAM>(befehl), static_cast<LPARAM>(zeile));
}

void k40Umschalten(int z)
{
    const int zustand = KatKopfZustand(&k40.baum, z);
    if (zustand == 1) k40Post(2520, z);
    if (zustand == 2) k40Post(2521, z);
}

int k40Ereignis(int ereignis, int i)
{
    const int z = k40Sichtbar(i);
    switch (ereignis) {
    case LISCURSOR:
    case LISAKTGESETZT:
        k40.zeile = z;
        k40Post(2999, 0);
        break;
    case LISAKTIV: k40Umschalten(z); break;
    case LISLINKS: {
        const int kopf = KatLinks(&k40.baum, z);
        if (kopf >= 0) k40Post(2521, kopf);
        break;
    }
    case LISRECHTS: {
        const int kopf = KatRechts(&k40.baum, z);
        if (kopf >= 0) k40Post(2520, kopf);
        break;
    }
    default: break;
    }
    return 0;
}

void k40SichtbarAnzeigen()
{
    KatSichtbarNeu(&k40.baum);
    LisAnzahlSetzen(3080, static_cast<int>(k40.baum.sichtbar.size()));
    for (size_t i = 0; i < k40.baum.sichtbar.size(); ++i)
        if (k40.baum.sichtbar[i] == k40.zeile) LisAktSetzen(3080, static_cast<int>(i));
    LisNeuAufbauen(3080);
}

std::string k40BibAktuell()
{
    const char* bd = BefAktZustand()->bd;
    return std::string("BAUTEILE.") + (bd[0] ? bd : "STD");
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
        std::string t = e.text;
        const size_t p = t.find(" >");
        if (p != std::string::npos) t = t.substr(p + 2);
        wiTextSetzen(3011, t.c_str());
    }
    VorschauLeeren(3000);
    VorschauLeeren(3001);
}

void k40EintraegeFuellen()
{
    k40.gefuellt = k40.zeile;
    k40.hist = BauHistZaehler();
    k40.zaehler = AppAenderZaehler();
    k40.eintraege.clear();
    const int art = k40.zeile >= 0 ? k40.baum.zeilen[static_cast<size_t>(k40.zeile)].art : 3;
    const auto dazu = [](const char* name) {
        if (static_cast<int>(k40.eintraege.size()) >= KATEINTRAGSUP) return;
        KatEintrag e{};
        strkopie(e.name, sizeof e.name, name, KATNAMESUP);
        e.text = KatBeschreibung(&k40.baum, name);
        k40.eintraege.push_back(e);
    };
    if (art == 1) {
        char name[BAUHISTNAMESUP + 1];
        for (int i = 0; i < KATEINTRAGSUP && BauHistName(i, name, BefAktZustand()->bd) == 0; ++i) dazu(name);
    } else if (art == 2) {
        char name[KATNAMESUP + 1];
        for (int i = 0; BautVerwendeteHolen(i, name, sizeof name) == 0; ++i) dazu(name);
    } else if (art == 0) {
        k40.eintraege = KatEintraege(&k40.baum, k40.zeile);
    }
    {
        DbFuellen f;
        wiListeLeeren(3100);
        for (const KatEintrag& e : k40.eintraege) wiListeAnhaengen(3100, e.anzeige[0] ? e.anzeige : e.name);
        if (!k40.eintraege.empty()) wiListeWahlSetzen(3100, 0);
    }
    k40Zeigen();
}

// The tree for the editor's current library: rebuilt when it changed (or
// when forced); the component list when its row changed.
void k40Fuellen(bool voll)
{
    const std::string bib = k40BibAktuell();
    if (voll || bib != k40.bib) {
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
        k40.bib = bib;
        BautVerwendeteSammeln(BefAktZustand()->bd);
        char datei[VERSUP + 40];
        KatDateiSuchen(bib.c_str(), datei, sizeof datei);
        KatLaden(&k40.baum, datei);
        k40.zeile = k40.baum.zeilen.size() > 2 ? 2 : 0;
        k40.gefuellt = -1;
        k40SichtbarAnzeigen();
    }
    if (k40.gefuellt != k40.zeile)
        k40EintraegeFuellen();
    else if (BauHistZaehler() != k40.hist || AppAenderZaehler() != k40.zaehler)
        wiItemAuffrischen(3100);
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
    k40.bib.clear();
    k40Fuellen(true);
    return 0;
}

int k40Exit()
{
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
    if (int r = BmdOwnerDraw(nachricht, wp, lp, {3100})) return r;
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
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
    case 2520:
    case 2521:
        KatOeffnen(&k40.baum, static_cast<int>(lp), id == 2520);
        k40SichtbarAnzeigen();
        return 1;
    case 2999: k40Fuellen(false); return 1;
    case 3083: {
        const int z = KatBuchstabe(&k40.baum, k40.zeile, static_cast<int>(lp));
        if (z >= 0) {
            k40.zeile = z;
            k40SichtbarAnzeigen();
            k40Fuellen(false);
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
    case 3100:
        if (DbFuellt()) return 1;
        if (HIWORD(wp) == LBN_SELCHANGE) k40Zeigen();
        if (HIWORD(wp) == LBN_DBLCLK) k40Platzieren();
        return 1;
    case 3002:
    case 3003: VorschauLeeren(3000); return 1;
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
