// The function bar "FUNKWAHL": the entry table (50 rows), list display 3000
// with one row per mode (picture, bold line, grey line), the selection that
// switches the mode, and the bar's commands. Prefix `Funk`. May call every
// lower folder and modus.h (ModusUmschalten).
#include "frame/funkwahl.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/textring.h"
#include "config/verzeich.h"
#include "controls/lisanzeige.h"
#include "frame/modus.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/shell.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/vergleich.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/toolbar.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

inline constexpr int FUNKLISTE = 3000;

FunkEintrag funkTab[FUNKSUP];
HWND funkFenster = 0;
int funkGewaehlt = 0;
int funkGemerkt = 0;

void funkKopie(char* ziel, size_t groesse, const std::string& text, size_t n)
{
    std::string t = text.substr(0, n);
    std::snprintf(ziel, groesse, "%s", t.c_str());
}

int funkAnzahl()
{
    int n = 0;
    while (n < FUNKSUP && funkTab[n].id != -1) ++n;
    return n;
}

void funkAlleFrei()
{
    for (FunkEintrag& e : funkTab) e = FunkEintrag{-1, "", "", ""};
}

std::string funkTrim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

// The next blank-delimited word of `rest`, which loses it.
std::string funkWort(std::string& rest)
{
    rest = funkTrim(rest);
    size_t e = rest.find_first_of(" \t");
    std::string w = rest.substr(0, e);
    rest = e == std::string::npos ? "" : rest.substr(e);
    return w;
}

int funkZahl(const std::string& w)
{
    char* ende = nullptr;
    long z = std::strtol(w.c_str(), &ende, 10);
    return static_cast<int>(z);
}

// One line of the ")S FunkListe" section: picture, two texts (quoted or
// words), identifier.
void funkZeile(int i, const std::string& zeile)
{
    const char* p = zeile.c_str();
    const std::string bild = wiTbarWort(&p);
    while (*p == ' ' || *p == '\t') ++p;
    std::string z1, z2;
    if (*p == '"') {
        z1 = wiTbarZitat(&p);
        z2 = wiTbarZitat(&p);
    } else {
        z1 = wiTbarWort(&p);
        z2 = wiTbarWort(&p);
    }
    FunkEintrag& e = funkTab[i];
    funkKopie(e.bild, sizeof e.bild, bild, 40);
    funkKopie(e.zeile1, sizeof e.zeile1, TextRing("Text", 0, z1.c_str()), 40);
    funkKopie(e.zeile2, sizeof e.zeile2, TextRing("Text", 0, z2.c_str()), 40);
    e.id = funkZahl(wiTbarWort(&p));
}

int funkAusDatei()
{
    char pfad[MAX_PATH + 1];
    PfadProgramm(pfad, sizeof pfad, "Toolbar.txt");
    std::vector<TbarZeile> zeilen;
    // A list read short is not taken: the texts' list stands in for it.
    if (wiTbarAbschnittLesen(pfad, "FunkListe", &zeilen) <= 0) return 0;
    int n = 0;
    for (const TbarZeile& z : zeilen) {
        if (n >= FUNKSUP) break;
        funkZeile(n++, z.text);
    }
    return n;
}

void funkAusTexten()
{
    for (int i = 0; i < FUNKSUP; ++i) {
        std::string rest = TextNr(500 + i);
        FunkEintrag& e = funkTab[i];
        e.id = funkZahl(funkWort(rest));
        if (e.id < 0) {
            e.id = -1;
            return;
        }
        funkKopie(e.bild, sizeof e.bild, funkWort(rest), 20);
        funkKopie(e.zeile1, sizeof e.zeile1, funkWort(rest), 40);
        funkKopie(e.zeile2, sizeof e.zeile2, funkTrim(rest), 40);
    }
}

int funkHoehe(int)
{
    return 7;
}

void funkMalen(int zeile)
{
    if (zeile < 0 || zeile >= FUNKSUP) return;
    const FunkEintrag& e = funkTab[zeile];
    if (std::strchr(e.bild, '/') != nullptr) {
        char pfad[MAX_PATH + 1];
        PfadProgramm(pfad, sizeof pfad, e.bild);
        for (char* p = pfad; *p; ++p) if (*p == '\\') *p = '/';
        LisBild(1, 1, pfad);
    } else if (e.bild[0]) {
        LisBild(1, 1, e.bild);
    }
    LisSchrift(0);
    LisFarbe(0, 0, 0);
    LisText(7, 1, e.zeile1);
    LisSchrift(2);
    LisFarbe(96, 96, 96);
    LisText(7, 3, e.zeile2);
}

int funkEreignis(int ereignis, int zeile)
{
    if ((ereignis == LISCURSOR || ereignis == LISAKTIV) && zeile >= 0 && zeile < funkAnzahl()) {
        funkGewaehlt = zeile;
        ModusUmschalten(funkTab[zeile].id);
    } else if (ereignis == LISLEER && zeile >= 0 && zeile < funkAnzahl() && ModusSeite() != funkTab[zeile].id) {
        // A click on the row still selected from before a page without a
        // row of its own (the viewer): the row's page is shown again.
        funkGewaehlt = zeile;
        ModusUmschalten(funkTab[zeile].id);
    }
    return 0;
}

int funkInit(int, const char* const*)
{
    funkFenster = wiDlgFenster();
    // The template leaves 14 units for the toolbar; the items move down by
    // what its buttons need beyond that. Moved before the buttons exist, so
    // that the buttons stay where the toolbar put them.
    wiAllesUnterTbar();
    wiTbarLaden("Toolbar.txt", "FunkWahl");
    LisAnlegen(FUNKLISTE, funkHoehe, funkMalen, funkEreignis);
    if (ApOFStilNicht1()) LisOhneFokus(FUNKLISTE);
    FunkEintraegeLesen();
    LisAnzahlSetzen(FUNKLISTE, funkAnzahl());
    return 0;
}

int funkExit()
{
    if (LisVorhanden(FUNKLISTE)) LisFreigeben(FUNKLISTE);
    funkFenster = 0;
    return 0;
}

int funkBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    // Messages of the dialog's creation come before the list exists.
    if (funkFenster == 0 || !LisVorhanden(FUNKLISTE)) return 0;
    LisNachricht(FUNKLISTE, nachricht, wp, lp);
    if (nachricht == WM_SIZE) {
        HWND liste = GetDlgItem(funkFenster, FUNKLISTE);
        RECT k, l;
        GetClientRect(funkFenster, &k);
        GetWindowRect(liste, &l);
        POINT p{l.left, l.top};
        ScreenToClient(funkFenster, &p);
        int hoehe = k.bottom - 4 - p.y;
        MoveWindow(liste, p.x, p.y, l.right - l.left, hoehe > 0 ? hoehe : 0, TRUE);
        // The list's scroll bar runs along its right edge.
        HWND rollen = GetDlgItem(funkFenster, FUNKLISTE + 1);
        RECT rr;
        GetWindowRect(rollen, &rr);
        MoveWindow(rollen, p.x + (l.right - l.left), p.y, rr.right - rr.left, hoehe > 0 ? hoehe : 0, TRUE);
        LisGroesseNeu(FUNKLISTE);
        LisNeuAufbauen(FUNKLISTE);
        return 0;
    }
    if (nachricht != WM_COMMAND) return 0;
    HWND hw = anwHauptfenster();
    switch (LOWORD(wp)) {
    case 1500: case 2500: PostMessage(hw, WM_COMMAND, 1500, 0); break;
    case 1501: PostMessage(hw, WM_COMMAND, 1501, 0); break;
    case 1502: case 2502: PostMessage(hw, WM_COMMAND, 1502, 0); break;
    case 1503: PostMessage(hw, WM_COMMAND, 1503, 0); break;
    case 2510:
        LisAnzahlSetzen(FUNKLISTE, funkAnzahl());
        LisAktSetzen(FUNKLISTE, funkGemerkt);
        funkGewaehlt = funkGemerkt;
        break;
    case 2511: LisAktSetzen(FUNKLISTE, 0); break;
    case 2512:
        LisAnzahlSetzen(FUNKLISTE, funkAnzahl());
        LisAktSetzen(FUNKLISTE, funkGemerkt);
        break;
    case 2513:
        LisAktSetzen(FUNKLISTE, static_cast<int>(lp));
        funkGewaehlt = static_cast<int>(lp);
        break;
    case 2514: LisAktSetzen(FUNKLISTE, funkGewaehlt); break;
    default: break;
    }
    return 0;
}

void funkPost(int id, LPARAM lp)
{
    if (funkFenster) PostMessage(funkFenster, WM_COMMAND, static_cast<WPARAM>(id), lp);
}

}  // namespace

int FunkEintraegeLesen()
{
    funkAlleFrei();
    if (funkAusDatei() == 0) {
        funkAlleFrei();
        funkAusTexten();
    }
    return funkAnzahl();
}

void FunkOeffnen()
{
    if (funkFenster) return;
    wiDlgOeffnen("FUNKWAHL", funkInit, funkExit, funkBefehl);
}

int FunkBreite()
{
    return wiDlgEinheit(FUNKBREITE_DE);
}

void FunkPlatzieren(int, int, int, int hoehe)
{
    if (funkFenster) MoveWindow(funkFenster, 0, 0, FunkBreite(), hoehe > 0 ? hoehe : 0, TRUE);
}

void FunkModus(int modus)
{
    for (int i = 0; i < FUNKSUP && funkTab[i].id != -1; ++i) {
        if (funkTab[i].id == modus) {
            if (i != funkGewaehlt) funkPost(2513, i);
            return;
        }
    }
}

void FunkNeuZeichnen() { funkPost(2510, 0); }
void FunkErste() { funkPost(2511, 0); }
void FunkWiederherstellen() { funkPost(2514, 0); }

void FunkEintragNeu(int id, const char* bild, const char* zeile1, const char* zeile2)
{
    int i = funkAnzahl();
    if (i >= FUNKSUP) return;
    FunkEintrag& e = funkTab[i];
    e.id = id;
    funkKopie(e.bild, sizeof e.bild, bild != nullptr ? bild : "", 20);
    funkKopie(e.zeile1, sizeof e.zeile1, zeile1 != nullptr ? zeile1 : "", 40);
    funkKopie(e.zeile2, sizeof e.zeile2, zeile2 != nullptr ? zeile2 : "", 40);
    if (i + 1 < FUNKSUP) funkTab[i + 1].id = -1;
    funkGemerkt = i;
    funkPost(2510, 0);
}

void FunkEintragWeg(int id)
{
    for (int i = 0; i < FUNKSUP && funkTab[i].id != -1; ++i) {
        if (funkTab[i].id != id) continue;
        for (int j = i; j + 1 < FUNKSUP; ++j) funkTab[j] = funkTab[j + 1];
        funkTab[FUNKSUP - 1] = FunkEintrag{-1, "", "", ""};
        funkGemerkt = i > 0 ? i - 1 : 0;
        funkPost(2512, 0);
        return;
    }
}

HWND FunkFenster() { return funkFenster; }
const FunkEintrag* FunkEintraege() { return funkTab; }
int FunkGewaehlt() { return funkGewaehlt; }
