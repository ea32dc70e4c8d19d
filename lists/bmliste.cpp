// The equipment master list window (see bmliste.h).
#include "lists/bmliste.h"

#include "lists/stammlist.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "equipment/bm.h"
#include "equipment/definier.h"
#include "equipment/lagerart.h"
#include "equipment/nhuliste.h"
#include "lists/bmlaufruf.h"
#include "model/bauteil.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/wiwerk.h"

namespace {

const char* bdTxt(int n) { return TextNr(4000 + n); }

struct BdZustand {
    int modus = 0;
    int def = -1;           // current definition, -1 none
    int zeile = -1;         // component row: -1 none, 0 main, 1.. sub
    char such[21] = "";
    char filter[21] = "";
    int alleTexte = 1;
    std::vector<int> defs;  // definition per list row
    std::vector<std::string> unter;  // component rows 1..
};
BdZustand bdz;

bool bdEnthaelt(const char* text, const char* such) { return strposi(text, such) >= 0; }

// The panel's fields as stored, for saving and for the comparison on switching.
struct BdFelder {
    std::string name, typ, texte[5], kurz, dispo, prinzip, lager, kenn, alt, code;
    int art = 0, ext = 0, anzahl = 1;
};

BdFelder bdGespeichert()
{
    BdFelder f;
    if (bdz.def < 0) return f;
    // A new sub component (the row after the last) has nothing stored yet.
    if (bdz.zeile > static_cast<int>(bdz.unter.size())) return f;
    char b[DEFNAMESUP + 1], t[DEFNAMESUP + 1], k1[DEFTEXTSUP + 1], k2[DEFTEXTSUP + 1], kurz[DEFNAMESUP + 1];
    char tx[5][DEFTEXTSUP + 1];
    if (bdz.zeile <= 0) {
        DefFelderHolen(bdz.def, b, t, k1, k2, kurz, tx[0], tx[1], tx[2], tx[3], tx[4]);
        char z[DEFTEXTSUP + 1];
        DefZeileSuchen(bdz.def, "D", z, sizeof z);
        f.dispo = z;
        DefZeileSuchen(bdz.def, "P", z, sizeof z);
        f.prinzip = z;
        DefZeileSuchen(bdz.def, "L", z, sizeof z);
        f.lager = z;
        f.kenn = k1;
        f.alt = k2;
        f.art = DefZahlHolen(bdz.def);
        const auto DefExternHolen = DefZahl2Holen;  // the header's second number is the external flag
        f.ext = DefExternHolen(bdz.def);
    } else {
        std::string code, name, typ, k;
        int n = 1;
        BmDefUnterLesen(bdz.unter[static_cast<size_t>(bdz.zeile - 1)], code, name, typ, &n, k);
        f.code = code;
        DefUnterFelder(bdz.def, ("U" + code).c_str(), b, t, &f.anzahl, kurz, tx[0], tx[1], tx[2], tx[3], tx[4]);
    }
    f.name = b;
    f.typ = t;
    f.kurz = kurz;
    for (int i = 0; i < 5; ++i) f.texte[i] = tx[i];
    return f;
}

std::string bdFeld(int id, int n)
{
    char t[200];
    wiTextHolen(id, t, n);
    strtrim(t);
    return t;
}

BdFelder bdPanel()
{
    BdFelder f;
    f.name = bdFeld(3000, DEFNAMESUP);
    f.typ = bdFeld(3010, DEFNAMESUP);
    for (int i = 0; i < 5; ++i) f.texte[i] = bdFeld(3020 + i, BMDEFTEXTSUP);
    f.kurz = bdFeld(3090, DEFNAMESUP);
    if (bdz.zeile <= 0) {
        f.dispo = bdFeld(3030, DEFNAMESUP);
        f.prinzip = bdFeld(3032, DEFNAMESUP);
        f.lager = bdFeld(3040, DEFNAMESUP);
        f.kenn = bdFeld(3050, DEFTEXTSUP);
        f.alt = bdFeld(3052, DEFTEXTSUP);
        f.art = std::max(wiComboWahl(3080), 0);
        f.ext = wiKnopf(3081);
    } else {
        f.code = bdFeld(3060, 10);
        f.anzahl = std::max(wiZahlHolen(3070), 1);
    }
    return f;
}

bool bdAnders(const BdFelder& a, const BdFelder& b)
{
    if (a.name != b.name || a.typ != b.typ || a.kurz != b.kurz) return true;
    for (int i = 0; i < 5; ++i)
        if (a.texte[i] != b.texte[i]) return true;
    if (bdz.zeile > 0) return a.anzahl != b.anzahl;
    return a.dispo != b.dispo || a.prinzip != b.prinzip || a.lager != b.lager || a.kenn != b.kenn || a.alt != b.alt ||
           a.art != b.art || a.ext != b.ext;
}

// A chooser's answer goes into a field of the window (the chooser may
// answer after the command has returned): cut to n, trimmed.
void bdGewaehlt(int feld, const char* text, int n)
{
    HWND f = wiDlgSuchen("BMittel");
    if (!f || !text) return;
    char t[81];
    strkopie(t, text, std::min(n, 80));
    strtrim(t);
    wiDlgBetreten(f);
    wiTextSetzen(feld, t);
    wiDlgVerlassen();
}

void bdPanelZeigen()
{
    const bool haupt = bdz.zeile <= 0;
    const BdFelder f = bdGespeichert();
    wiTextSetzen(3000, f.name.c_str());
    wiTextSetzen(3010, f.typ.c_str());
    for (int i = 0; i < 5; ++i) wiTextSetzen(3020 + i, f.texte[i].c_str());
    wiTextSetzen(3090, f.kurz.c_str());
    for (int id : {3030, 3031, 3032, 3033, 3040, 3041, 3050, 3051, 3052, 3053, 3080, 3081, 2520, 2521, 2522})
        wiItemZeigen(id, haupt);
    for (int id : {3060, 3061, 3070, 3071}) wiItemZeigen(id, !haupt);
    if (haupt) {
        const bmvorgaben& v = BMVorgaben();
        wiTextSetzen(3030, f.dispo.c_str());
        wiItemFrei(3030, v.bmduse);
        wiTextSetzen(3032, f.prinzip.c_str());
        wiItemFrei(3032, v.bmpuse);
        wiTextSetzen(3040, f.lager.c_str());
        wiItemFrei(3040, v.bmluse);
        wiItemFrei(2521, v.bmduse);
        wiItemFrei(2522, v.bmpuse);
        wiItemFrei(2520, v.bmluse);
        wiTextSetzen(3050, f.kenn.c_str());
        wiTextSetzen(3052, f.alt.c_str());
        wiComboWahlSetzen(3080, std::clamp(f.art, 0, 5));
        wiKnopfSetzen(3081, f.ext != 0);
    } else {
        wiTextSetzen(3060, f.code.c_str());
        wiZahlSetzen(3070, f.anzahl);
    }
}

void bdUnterAufbauen()
{
    wiListeLeeren(3200);
    bdz.unter.clear();
    if (bdz.def < 0) return;
    wiListeAnhaengen(3200, bdTxt(110));
    std::vector<std::string> codes;
    DefUnterDurchlaufen(
        bdz.def,
        [](const char* zeile, void* v) {
            std::string c = zeile;
            c = c.substr(0, c.find_first_of(" \t~"));
            static_cast<std::vector<std::string>*>(v)->push_back(c.substr(1));
        },
        &codes);
    for (const std::string& c : codes) {
        char b[DEFNAMESUP + 1], t[DEFNAMESUP + 1], k[DEFNAMESUP + 1];
        int anzahl = 1;
        DefUnterFelder(bdz.def, ("U" + c).c_str(), b, t, &anzahl, k);
        const std::string z = BmDefUnterZeile(c.c_str(), b, t, anzahl, k);
        bdz.unter.push_back(z);
        wiListeAnhaengen(3200, z.substr(0, 50).c_str());
    }
}

// Saves the shown panel; 0, or -1 when the catalogue could not be written.
int bdSpeichern()
{
    const BdFelder f = bdPanel();
    const char* texte[5];
    for (int i = 0; i < 5; ++i) texte[i] = f.texte[i].c_str();
    if (bdz.zeile <= 0) {
        DEFKOPF k{f.name.c_str(), f.typ.c_str(), f.kenn.c_str(), f.alt.c_str(), f.dispo.c_str(), f.prinzip.c_str(),
                  f.lager.c_str(), f.art, f.ext, f.kurz.c_str(), {texte[0], texte[1], texte[2], texte[3], texte[4]}};
        const int r = bdz.def < 0 ? DefSchreiben(&k) : DefAendern(bdz.def, &k);
        if (r < 0) {
            wiMeldung(TextNr(243), DefBearbeitungsPfad());
            return -1;
        }
        if (bdz.def < 0) bdz.def = r;
        return 0;
    }
    std::string code = f.code;
    if (bdz.zeile > static_cast<int>(bdz.unter.size()) || code.empty()) {
        std::vector<std::string> codes;
        for (const std::string& z : bdz.unter) {
            std::string c, n, t, k;
            int a;
            BmDefUnterLesen(z, c, n, t, &a, k);
            codes.push_back(c);
        }
        code = BmDefFreierCode(codes);
    }
    const auto DefUnterSetzen = DefUnterSchreiben;  // replaces the "U" line of that code, or adds it
    if (DefUnterSetzen(bdz.def, ("U" + code).c_str(), f.name.c_str(), f.typ.c_str(), f.anzahl, f.kurz.c_str(),
                       texte) != 0) {
        wiMeldung(TextNr(243), DefBearbeitungsPfad());
        return -1;
    }
    return 0;
}

void bdAufbauen(int wahl);

// Leaving the shown panel asks to save what differs from the catalogue.
void bdVerlassen()
{
    if (bdz.def < 0 && bdz.zeile < 0) return;
    if (bdz.def >= 0 && bdAnders(bdPanel(), bdGespeichert()) && wiFrage(bdTxt(111))) bdSpeichern();
}

void bdAufbauen(int wahl)
{
    SendMessage(wiItem(3100), WM_SETREDRAW, FALSE, 0);
    wiListeLeeren(3100);
    bdz.defs.clear();
    for (int n = 0; n < DefAnzahl(); ++n) {
        if (bdz.filter[0] && !BmDefPasst(n, bdz.filter, bdz.alleTexte)) continue;
        char b[DEFNAMESUP + 1], t[DEFNAMESUP + 1], k1[DEFTEXTSUP + 1], k2[DEFTEXTSUP + 1], kurz[DEFNAMESUP + 1],
            t1[DEFTEXTSUP + 1];
        DefFelderHolen(n, b, t, k1, k2, kurz, t1);
        char z[120];
        std::snprintf(z, sizeof z, "%-10.10s %-40.40s", t, t1);
        wiListeAnhaengen(3100, z);
        bdz.defs.push_back(n);
    }
    SendMessage(wiItem(3100), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(wiItem(3100), nullptr, TRUE);  // redrawing on repaints nothing by itself
    wiItemAuffrischen(3100);
    int zeile = -1;
    if (wahl == -1 && !bdz.defs.empty()) zeile = 0;
    for (size_t i = 0; wahl >= 0 && i < bdz.defs.size(); ++i)
        if (bdz.defs[i] == wahl) zeile = static_cast<int>(i);
    wiListeWahlSetzen(3100, zeile);
    bdz.def = zeile >= 0 ? bdz.defs[static_cast<size_t>(zeile)] : -1;
    bdz.zeile = bdz.def >= 0 ? 0 : -1;
    bdUnterAufbauen();
    wiListeWahlSetzen(3200, bdz.zeile);
    bdPanelZeigen();
}

void bdSuchen()
{
    char t[21];
    wiTextHolen(3110, t, 20);
    strtrim(t);
    for (size_t i = static_cast<size_t>(wiListeWahl(3100) + 1); t[0] && i < bdz.defs.size(); ++i) {
        if (!BmDefPasst(bdz.defs[i], t, bdz.alleTexte)) continue;
        bdVerlassen();
        wiListeWahlSetzen(3100, static_cast<int>(i));
        bdz.def = bdz.defs[i];
        bdz.zeile = 0;
        bdUnterAufbauen();
        wiListeWahlSetzen(3200, 0);
        bdPanelZeigen();
        return;
    }
}

int bdInit(int, const char* const*)
{
    wiDlgPosLadenAkt();
    bdz.alleTexte = BMVorgaben().zeiflt;
    wiKnopfSetzen(3121, bdz.alleTexte);
    wiTextSetzen(3110, "");
    wiTextSetzen(3120, "");
    bdz.such[0] = bdz.filter[0] = '\0';
    bdz.def = bdz.zeile = -1;
    DefModusSetzen(bdz.modus == 1 ? 2 : 1);
    DefDateienSetzen();
    const char* datei = bdz.modus == 1 ? "BMKunde.txt" : "BMListe.txt";
    char pfad[300];
    BauVerzDatei(".", datei, "", pfad, sizeof pfad);
    char titel[400];
    std::snprintf(titel, sizeof titel, "Betriebsmittel - %s", pfad);
    wiDlgTitelSetzen(titel);
    // The shipped definitions are only read (an edit goes into the
    // project): no backup beside them.
    std::error_code f;
    const bool geliefert = !strleer(VerZeiger(0)) &&
                           std::filesystem::weakly_canonical(std::filesystem::path(pfad).parent_path(), f) ==
                               std::filesystem::weakly_canonical(VerZeiger(0), f);
    char bak[300];
    strkopie(bak, pfad, 290);
    char* punkt = std::strrchr(bak, '.');
    if (punkt) std::strcpy(punkt, ".bak");
    if (!geliefert) dateikopieren(pfad, bak);
    wiItemZeigen(2990, 0);
    wiComboLeeren(3080);
    for (int i = 0; i < 6; ++i) wiComboAnhaengen(3080, bdTxt(120 + i));
    bdAufbauen(-1);
    return 0;
}

int bdExit()
{
    DefModusSetzen(0);
    DefDateienSetzen();
    wiDlgPosSichernAkt();
    wiTooltipsLoeschen();
    bdz.defs.clear();
    bdz.unter.clear();
    return 0;
}

void bdLoeschen()
{
    if (bdz.def < 0 || !wiFrage(bdTxt(112))) return;
    const int zeile = wiListeWahl(3100);
    const int geloescht = bdz.def;
    if (DefLoeschen(geloescht) != 0) {
        wiMeldung(TextNr(243), DefBearbeitungsPfad());
        return;
    }
    int neu = -1;
    if (zeile + 1 < static_cast<int>(bdz.defs.size())) neu = bdz.defs[static_cast<size_t>(zeile) + 1];
    else if (zeile > 0) neu = bdz.defs[static_cast<size_t>(zeile) - 1];
    if (neu > geloescht) --neu;
    bdz.def = -1;
    bdAufbauen(neu);
}

int bdBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp), code = HIWORD(wp);
    switch (id) {
    case 3100:
        if (code == LBN_SELCHANGE) {
            bdVerlassen();
            const int z = wiListeWahl(3100);
            bdz.def = z >= 0 && z < static_cast<int>(bdz.defs.size()) ? bdz.defs[static_cast<size_t>(z)] : -1;
            bdz.zeile = bdz.def >= 0 ? 0 : -1;
            bdUnterAufbauen();
            wiListeWahlSetzen(3200, bdz.zeile);
            bdPanelZeigen();
        }
        break;
    case 3200:
        if (code == LBN_SELCHANGE) {
            bdVerlassen();
            bdz.zeile = wiListeWahl(3200);
            bdPanelZeigen();
        }
        break;
    case 3120:
        if (wiEditGeaendert(3120, wp)) {
            strkopie(bdz.filter, bdFeld(3120, 20).c_str(), 20);
            bdAufbauen(bdz.def);
        }
        break;
    case 3121:
        if (code == BN_CLICKED) {
            bdz.alleTexte = wiKnopf(3121);
            bdAufbauen(bdz.def);
        }
        break;
    case 1:
        if (wiGrbuAusloesen()) break;
        if (wiFokusId() == 3110) bdSuchen();
        else if (wiFokusId() == 3010) PostMessage(wiDlgFenster(), WM_COMMAND, 2510, 0);
        break;
    case 2505: bdSuchen(); break;
    case 2500:
        bdVerlassen();
        wiListeWahlSetzen(3100, -1);
        bdz.def = -1;
        bdz.zeile = 0;
        bdUnterAufbauen();
        bdPanelZeigen();
        wiItemFokus(3000);
        break;
    case 2501: bdLoeschen(); break;
    case 2502:
        if (bdz.def < 0) break;
        bdVerlassen();
        {
            const auto DefDuplizieren = DefKopieren;  // appends the copy, returns its index
            const int n = DefDuplizieren(bdz.def);
            if (n < 0) wiMeldung(TextNr(243), DefBearbeitungsPfad());
            else bdAufbauen(n);
        }
        wiItemFokus(3000);
        break;
    case 2510: case 2519: {
        const int zeile = bdz.zeile;
        if (bdSpeichern() != 0) break;
        bdAufbauen(bdz.def);
        if (zeile > 0) {
            bdz.zeile = std::min(zeile, static_cast<int>(bdz.unter.size()));
            wiListeWahlSetzen(3200, bdz.zeile);
            bdPanelZeigen();
        }
        wiItemFokus(3200);
        break;
    }
    case 2511: bdPanelZeigen(); wiItemFokus(3200); break;
    case 2512:
        bdVerlassen();
        wiListeWahlSetzen(3200, -1);
        bdz.zeile = static_cast<int>(bdz.unter.size()) + 1;   // a new sub component
        for (int i : {3000, 3010, 3020, 3021, 3022, 3023, 3024}) wiTextSetzen(i, "");
        wiTextSetzen(3090, "");
        wiTextSetzen(3060, "");
        wiZahlSetzen(3070, 1);
        for (int i : {3030, 3032, 3040, 3050, 3052, 3080, 3081, 2520, 2521, 2522}) wiItemZeigen(i, 0);
        for (int i : {3060, 3070}) wiItemZeigen(i, 1);
        wiItemFokus(3000);
        break;
    case 2513:
        if (bdz.zeile == 0) {
            wiHinweis("%s", bdTxt(113));
        } else if (bdz.zeile > 0 && bdz.zeile <= static_cast<int>(bdz.unter.size()) && wiFrage(bdTxt(114))) {
            std::string c, n, t, k;
            int a;
            BmDefUnterLesen(bdz.unter[static_cast<size_t>(bdz.zeile - 1)], c, n, t, &a, k);
            if (DefUnterLoeschen(bdz.def, ("U" + c).c_str()) != 0) {
                wiMeldung(TextNr(243), DefBearbeitungsPfad());
                break;
            }
            const int z = bdz.zeile;
            bdUnterAufbauen();
            bdz.zeile = std::min(z, static_cast<int>(bdz.unter.size()));
            wiListeWahlSetzen(3200, bdz.zeile);
            bdPanelZeigen();
        }
        break;
    case 2515:
        if (bdz.def < 0) break;
        if (bdz.zeile > 0) BmTexteOeffnen(bdz.def, ("U" + bdFeld(3060, 10)).c_str());
        else BmTexteOeffnen(bdz.def, "");
        break;
    case 2516: {
        const BdFelder f = bdGespeichert();
        for (int i = 0; i < 5; ++i) wiTextSetzen(3020 + i, f.texte[i].c_str());
        break;
    }
    case 2520:
        BmlAufrufTabelle().DB1210Oeffnen([](const char* t) { bdGewaehlt(3040, t, LAGERNRSUP); });
        break;
    case 2521: case 2522: case 2523: {
        static constexpr BmlWahlFn fertig[] = {[](const char* t) { bdGewaehlt(3030, t, 80); },
                                               [](const char* t) { bdGewaehlt(3032, t, 80); },
                                               [](const char* t) { bdGewaehlt(3090, t, 80); }};
        BmlAufrufTabelle().DB1232Oeffnen(id - 2521, fertig[id - 2521]);
        break;
    }
    case 2600: wiItemFokus(3100); break;
    case 2: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

bool BmDefPasst(int n, const char* text, int alleTexte)
{
    if (!text || !text[0]) return true;
    char b[DEFNAMESUP + 1], t[DEFNAMESUP + 1], k1[DEFTEXTSUP + 1], k2[DEFTEXTSUP + 1], kurz[DEFNAMESUP + 1];
    char tx[5][DEFTEXTSUP + 1];
    DefFelderHolen(n, b, t, k1, k2, kurz, tx[0], tx[1], tx[2], tx[3], tx[4]);
    for (const char* f : {static_cast<const char*>(b), static_cast<const char*>(t), static_cast<const char*>(k1),
                          static_cast<const char*>(k2), static_cast<const char*>(kurz), static_cast<const char*>(tx[0])})
        if (bdEnthaelt(f, text)) return true;
    if (!alleTexte) return false;
    for (int i = 1; i < 5; ++i)
        if (bdEnthaelt(tx[i], text)) return true;
    for (const char* w : {"D", "P", "L"}) {
        char z[DEFTEXTSUP + 1];
        DefZeileSuchen(n, w, z, sizeof z);
        if (bdEnthaelt(z, text)) return true;
    }
    return false;
}

std::string BmDefFreierCode(const std::vector<std::string>& codes)
{
    int kandidat = 0;
    for (const std::string& c : codes) {
        const int n = BtlBuchstabenNr(c.c_str());
        if (n == kandidat) ++kandidat;
        else if (n > kandidat) break;
    }
    char t[8];
    const auto BtlBuchstabe = BtlBuchstabenCode;  // the letter code of an index
    BtlBuchstabe(t, sizeof t, kandidat);
    return t;
}

std::string BmDefUnterZeile(const char* code, const char* name, const char* typ, int anzahl, const char* kurz)
{
    char z[200];
    std::snprintf(z, sizeof z, " %-3.2s%-11.10s%-20.20s", code, name, typ);
    std::string s = z;
    if (anzahl >= 2) {
        std::snprintf(z, sizeof z, " %2d", anzahl);
        s += z;
    } else {
        s += "   ";
    }
    s.resize(50, ' ');
    std::snprintf(z, sizeof z, "~%s~%s~%s~%d~%s~", code, name, typ, anzahl, kurz);
    return s + z;
}

bool BmDefUnterLesen(const std::string& zeile, std::string& code, std::string& name, std::string& typ, int* anzahl,
                     std::string& kurz)
{
    if (zeile.size() <= 51 || zeile[50] != '~') return false;
    std::vector<std::string> f;
    size_t p = 51;
    for (int i = 0; i < 5; ++i) {
        const size_t e = zeile.find('~', p);
        f.push_back(zeile.substr(p, e == std::string::npos ? std::string::npos : e - p));
        p = e == std::string::npos ? zeile.size() : e + 1;
    }
    code = f[0];
    name = f[1];
    typ = f[2];
    *anzahl = std::max(std::atoi(f[3].c_str()), 1);
    kurz = f[4];
    return true;
}

void BmListeOeffnen(int modus)
{
    if (!BMVerwendet()) {
        wiHinweis("%s", TextNr(4044));
        return;
    }
    bdz.modus = modus == 1 ? 1 : 0;
    wiDlgOeffnen("BMittel", bdInit, bdExit, bdBefehl);
}
