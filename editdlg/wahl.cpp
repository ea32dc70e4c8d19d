// The line chooser of a text file; see wahl.h.
#include "editdlg/wahl.h"

#include <algorithm>
#include <cstring>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "controls/elzeile.h"
#include "editdlg/dbdialog.h"
#include "editdlg/textdat.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "equipment/nartikel.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/fileload.h"
#include "support/pfade.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/dlgitem.h"
#include "winlib/wiwerk.h"

namespace {

std::string wahlPfad;
WahlRueckruf wahlRueckruf = nullptr;
bool wahlNeuLaden = false;

void wahlFuellen()
{
    DbFuellen f;
    wiListeLeeren(3000);
    for (const std::string& z : WahlZeilenLesen(wahlPfad.c_str())) wiListeAnhaengen(3000, z.c_str());
    wiListeWahlSetzen(3000, 0);
}

int wahlInit(int, const char* const*)
{
    wiDlgInstanzArt(1);  // the two templates share the procedures
    DbDlgAnfang(nullptr);
    wiDlgTitelSetzen(wahlPfad.c_str());
    SprTitel();
    wiKnopfSetzen(2502, 1);
    wahlFuellen();
    return 0;
}

int wahlExit()
{
    DbDlgEnde(nullptr);
    return 0;
}

// The chosen line of list 3000 goes to the callback; check box 2502 closes
// the chooser after it.
void wahlZeileReichen(WahlRueckruf rueckruf)
{
    const int n = wiListeWahl(3000);
    if (n < 0) return;
    char zeile[WAHLZEILESUP + 1] = "";
    if (SendMessage(wiItem(3000), LB_GETTEXTLEN, static_cast<WPARAM>(n), 0) > WAHLZEILESUP) return;
    wiListeText(3000, n, zeile);
    if (rueckruf != nullptr) rueckruf(zeile);
    if (wiKnopf(2502)) wiDlgSchliessen();
}

void wahlNehmen() { wahlZeileReichen(wahlRueckruf); }

void wahlSuchen()
{
    char t[81] = "";
    wiTextHolen(3010, t, 80);
    strtrim(t);
    if (t[0] != '\0') ElzListBoxSuchen(3000, t);
}

int wahlBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht == WM_ACTIVATE) {
        if (LOWORD(wp) != WA_INACTIVE && wahlNeuLaden) {
            wahlNeuLaden = false;
            PostMessage(wiDlgFenster(), WM_COMMAND, 2521, 0);
        }
        return 0;
    }
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (DbEnter()) return 1;
        if (wiFokusId() == 3010)
            wahlSuchen();
        else
            wahlNehmen();
        return 1;
    case 2500: wahlNehmen(); return 1;
    case 3000:
        if (HIWORD(wp) == LBN_DBLCLK) wahlNehmen();
        return 1;
    case 2510: wahlSuchen(); return 1;
    case 2520: {
        std::string p = wahlPfad;
        const size_t schnitt = p.find_last_of('/');
        if (p.find('.', schnitt == std::string::npos ? 0 : schnitt) == std::string::npos) p += '.';
        TextDateiExtern(p.c_str());
        wahlNeuLaden = true;
        return 1;
    }
    case 2521: wahlFuellen(); return 1;
    case 2:
    case 2501: wiDlgSchliessen(); return 1;
    default: return 0;
    }
}


// ---- DB1210 article chooser ------------------------------------------------------------------------------

WahlRueckruf artRueckruf = nullptr;
constexpr int WAHLSTAMMDATEN = 1567;

void artDetails()
{
    const int n = wiListeWahl(3000);
    artikel a{};
    if (n >= 0 && n < ArtAnzahl()) ArtHolen(n, &a);
    DbFuellen f;
    wiTextSetzen(3100, a.nr);
    for (int i = 0; i < ARTTEXTANZ; ++i) wiTextSetzen(3110 + i, a.text[i]);
}

int artInit(int, const char* const*)
{
    DbDlgAnfang(nullptr);
    SprTitel();
    DbFuellen f;
    wiKnopfSetzen(2502, 1);
    if (HFONT s = OFSchrift(2)) wiItemFont(2502, s);
    wiListeLeeren(3000);
    for (const std::string& z : WahlArtikelZeilen()) wiListeAnhaengen(3000, z.c_str());
    wiListeWahlSetzen(3000, 0);
    artDetails();
    return 0;
}

int artExit()
{
    DbDlgEnde(nullptr);
    return 0;
}

void artNehmen() { wahlZeileReichen(artRueckruf); }

int artBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM)
        return ElzOwnerDraw(3000, nullptr, nachricht, static_cast<int>(wp), lp);
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (DbEnter()) return 1;
        if (wiFokusId() == 3010)
            wahlSuchen();
        else
            artNehmen();
        return 1;
    case 2500: artNehmen(); return 1;
    case 3000:
        if (HIWORD(wp) == LBN_DBLCLK)
            artNehmen();
        else if (HIWORD(wp) == LBN_SELCHANGE && !DbFuellt())
            artDetails();
        return 1;
    case 2510:
        wahlSuchen();
        artDetails();
        return 1;
    case 2520:
        wiDlgSchliessen();
        PostMessage(anwDaten()->hauptfenster, WM_COMMAND, WAHLSTAMMDATEN, 0);
        return 1;
    case 2:
    case 2501: wiDlgSchliessen(); return 1;
    default: return 0;
    }
}

}  // namespace

std::vector<std::string> WahlArtikelZeilen()
{
    const int n = ArtAnzahl();
    size_t breite = 0;
    for (int i = 0; i < n; ++i) {
        artikel a{};
        ArtHolen(i, &a);
        breite = std::max(breite, std::strlen(a.nr));
    }
    std::vector<std::string> v;
    for (int i = 0; i < n; ++i) {
        artikel a{};
        ArtHolen(i, &a);
        std::string z = a.nr;
        z.resize(breite + 2, ' ');
        v.push_back(z + a.text[0]);
    }
    return v;
}

void DB1210Oeffnen(WahlRueckruf rueckruf)
{
    artRueckruf = rueckruf;
    EdtDialogOeffnen("DB1210", artInit, artExit, artBefehl);
}

std::vector<std::string> WahlZeilenLesen(const char* pfad)
{
    std::vector<std::string> zeilen;
    char* block = nullptr;
    long laenge = 0;
    if (dateiladen(pfad, &block, &laenge) != 0) return zeilen;
    std::string zeile;
    auto fertig = [&] {
        if (zeile.size() > static_cast<size_t>(WAHLZEILESUP)) zeile.resize(WAHLZEILESUP);
        std::vector<char> t(zeile.begin(), zeile.end());
        t.push_back('\0');
        StrOemAnsi(t.data());
        zeilen.emplace_back(t.data());
        zeile.clear();
    };
    for (long i = 0; i < laenge; ++i) {
        const char c = block[i];
        if (c == '\n') {
            fertig();
        } else if (c == '\t') {
            do zeile += ' ';
            while (zeile.size() % 8 != 0);
        } else if (c != '\r') {
            zeile += c;
        }
    }
    if (!zeile.empty()) fertig();
    ffree(block);
    return zeilen;
}

void DB1204Oeffnen(const char* vorlage, const char* pfad, WahlRueckruf rueckruf)
{
    wahlPfad = pfad != nullptr ? pfad : "";
    wahlRueckruf = rueckruf;
    wahlNeuLaden = false;
    HWND offen = wiDlgSuchen(vorlage);
    if (offen != 0) {
        // The open chooser takes the new file.
        EdtDialogOeffnen(vorlage, wahlInit, wahlExit, wahlBefehl);
        PostMessage(offen, WM_COMMAND, 2521, 0);
        return;
    }
    EdtDialogOeffnen(vorlage, wahlInit, wahlExit, wahlBefehl);
}
