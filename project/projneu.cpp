// New project folders from a template and project backups (see projneu.h).
//
// Invariants:
//  1. The kept title text is used once: ProjektTitelSchreiben clears the
//     flag before it writes, so a failed write is reported and not repeated
//     on the next switch.
//  2. Nothing is copied into a folder that was not created by this call
//     (an existing target is refused first), and nothing is opened unless
//     the folder was created.
#include "project/projneu.h"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/inidatei.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "project/dirhist.h"
#include "project/ordliste.h"
#include "project/verzkopie.h"
#include "project/wrz.h"
#include "support/basis.h"
#include "support/datum.h"
#include "support/dosdatei.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/dateiwahl.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"
#include "winlib/wiwerk.h"

namespace {

struct PnTitel {
    projekttext text{};
    int gesetzt = 0;
};
PnTitel pnTitel;

std::string pnOhneTrenner(std::string p)
{
    while (p.size() > 1 && (p.back() == '/' || p.back() == '\\')) p.pop_back();
    return p;
}

std::string pnMitTrenner(const std::string& p)
{
    if (!p.empty() && p.back() != '/' && p.back() != '\\') return p + "/";
    return p;
}

std::string pnElternOrdner(const std::string& p)
{
    const std::string o = pnOhneTrenner(p);
    const size_t s = o.find_last_of("/\\");
    if (s == std::string::npos) return "";
    return s == 0 ? "/" : o.substr(0, s);
}

std::string pnAktuell()
{
    char p[VERSUP + 1] = "";
    VerHolen(1, p, sizeof p);
    return p;
}

// The names of the plain files of a folder (no subfolders), listed before
// anything is written into it; 0, or -1 when the listing is incomplete.
int pnDateien(const std::string& ordner, std::vector<std::string>* namen)
{
    return OrdListe(ordner.c_str(), namen, nullptr);
}

// A name that would leave its base folder: a folder part, a drive or "..".
bool pnNameUngueltig(const char* name)
{
    return std::strpbrk(name, "/\\:") != nullptr || std::strcmp(name, "..") == 0 || std::strcmp(name, ".") == 0;
}

}  // namespace

// ---- opening a folder, the kept title ---------------------------------------------

void ProjektOeffnen(const char* ordner)
{
    // The recent-folder command 1680 switches to entry 0: the folder is put
    // there first, so the switch goes through the frame's own path.
    DirMenueLoeschen();
    DirMerken(pnOhneTrenner(ordner).c_str());
    DirMenueAufbauen();
    wiSeiteHauptPost(DIRIDBASIS, 0);
}

void ProjektTitelVormerken(const projekttext* t)
{
    pnTitel.text = *t;
    pnTitel.gesetzt = 1;
}

int ProjektTitelVorgemerkt() { return pnTitel.gesetzt; }

int ProjektTitelSchreiben()
{
    if (!pnTitel.gesetzt) return 0;
    pnTitel.gesetzt = 0;
    UtitelNeuLaden();
    if (UtitelProjektSetzen(&pnTitel.text) != 0 || UtitelBeenden(1) != 0) {
        char datei[VERSUP + 20];
        UtitelDateiName(datei, sizeof datei, 0);
        wiMeldung(TextNr(243), datei);
        return ERROR;
    }
    return 0;
}

// ---- new project folder -----------------------------------------------------------

int ProjektOrdnerAnlegen(const ProjektNeuEingabe* e)
{
    char name[PNNAMESUP + 1];
    strkopie(name, e->name, PNNAMESUP);
    strtrim(name);
    if (name[0] == '\0') return ERROR;
    if (pnNameUngueltig(name)) {
        wiInfo(TextNr(159));
        return ERROR;
    }
    const std::string pfad = pnMitTrenner(e->basis) + name;
    if (pfad.size() > static_cast<size_t>(PNBASISSUP)) {
        wiInfo(TextNr(154));
        return ERROR;
    }
    if (OrdnerVorhanden(pfad.c_str())) {
        wiInfo(TextNr(151));
        return ERROR;
    }
    if (pfadanlegen(pfad.c_str()) != 0 || !OrdnerVorhanden(pfad.c_str())) {
        wiInfo(TextNr(154));
        return ERROR;
    }
    char vorlage[PNBASISSUP + 1];
    strkopie(vorlage, e->vorlage, PNBASISSUP);
    strtrim(vorlage);
    if (vorlage[0] != '\0') {
        const std::string quelle = pnMitTrenner(vorlage);
        // Failed copies are reported and skipped: the folder is made and
        // stays usable.
        std::vector<std::string> namen;
        bool fehler = pnDateien(quelle, &namen) != 0;
        for (const std::string& n : namen)
            if (ZeiKopierenUmbenannt((quelle + n).c_str(), (pnMitTrenner(pfad) + n).c_str()) != 0) fehler = true;
        if (fehler) wiInfo("Kopierfehler");
    }
    char t[3][UTTEXTSUP + 1];
    strkopie(t[0], e->titel, UTTEXTSUP);
    strkopie(t[1], e->anlage, UTTEXTSUP);
    strkopie(t[2], e->ort, UTTEXTSUP);
    bool titel = false;
    for (char* s : t) {
        char probe[UTTEXTSUP + 1];
        strkopie(probe, s, UTTEXTSUP);
        if (strtrim(probe), probe[0] != '\0') titel = true;
    }
    if (titel) {
        projekttext pt;
        UtitelProjektText(&pt);
        strkopie(pt.titel, t[0], UTTEXTSUP);
        strkopie(pt.anlage, t[1], UTTEXTSUP);
        strkopie(pt.ort, t[2], UTTEXTSUP);
        ProjektTitelVormerken(&pt);
    }
    ProjektOeffnen(pfad.c_str());
    return 0;
}

namespace {

struct PnNeu {
    char basis[PNBASISSUP + 1] = "";
};
PnNeu pnNeu;

void pnIniLesen(const char* schluessel, char* wert)
{
    wert[0] = '\0';
    ProfilLesen(DIRSEKTION, schluessel, wert, PNBASISSUP);
    if (PfadPlatzhalter(wert, PNBASISSUP + 1) != 0) wert[0] = '\0';
}

void pnBasisZeigen() { wiTextSetzen(3000, pfadkurz(pnNeu.basis)); }

int pnNeuInit(int, const char* const*)
{
    wiDlgModal();
    wiDlgZentrieren();
    pnIniLesen("SelBasis", pnNeu.basis);
    if (pnNeu.basis[0] == '\0') strkopie(pnNeu.basis, pnElternOrdner(pnAktuell()).c_str(), PNBASISSUP);
    pnBasisZeigen();
    char vorlage[PNBASISSUP + 1];
    pnIniLesen("SelVorlage", vorlage);
    if (vorlage[0] == '\0') {
        // A new user starts from the shipped sample project.
        char p[VERSUP + 1] = "";
        VerHolen(0, p, sizeof p);
        const std::string muster = pnMitTrenner(p) + "Muster";
        if (p[0] != '\0' && OrdnerVorhanden(muster.c_str())) strkopie(vorlage, muster.c_str(), PNBASISSUP);
    }
    wiTextSetzen(3100, vorlage);
    wiItemFokus(3010);
    return 0;
}

int pnNeuExit()
{
    pnNeu = PnNeu{};
    return 0;
}

void pnNeuBasisWaehlen()
{
    char pfad[WIDATEISUP + 1];
    strkopie(pfad, pnNeu.basis, WIDATEISUP);
    if (!wiOrdnerWahl(pfad, TextNr(149)) || pfad[0] == '\0') return;
    strkopie(pnNeu.basis, pnOhneTrenner(pfad).c_str(), PNBASISSUP);
    pnBasisZeigen();
    ProfilSchreiben(DIRSEKTION, "SelBasis", pnNeu.basis);
}

void pnNeuVorlageWaehlen()
{
    char pfad[WIDATEISUP + 1] = "";
    pnIniLesen("SelVorlage", pfad);
    if (pfad[0] == '\0') VerHolen(0, pfad, sizeof pfad);
    if (!wiOrdnerWahl(pfad, TextNr(148)) || pfad[0] == '\0') return;
    wiTextSetzen(3100, pnOhneTrenner(pfad).c_str());
    ProfilSchreiben(DIRSEKTION, "SelVorlage", pnOhneTrenner(pfad).c_str());
}

void pnNeuAnlegen()
{
    ProjektNeuEingabe e{};
    strkopie(e.basis, pnNeu.basis, PNBASISSUP);
    wiTextHolen(3010, e.name, PNNAMESUP);
    wiTextHolen(3020, e.titel, UTTEXTSUP);
    wiTextHolen(3021, e.anlage, UTTEXTSUP);
    wiTextHolen(3022, e.ort, UTTEXTSUP);
    wiTextHolen(3100, e.vorlage, PNBASISSUP);
    char probe[PNNAMESUP + 1];
    strkopie(probe, e.name, PNNAMESUP);
    strtrim(probe);
    if (probe[0] == '\0') return;
    if (ProjektOrdnerAnlegen(&e) == 0) wiDlgSchliessen();
}

// Enter acts like 2500 unless a focused graphic button takes it.
int pnBefehlsId(WPARAM wp)
{
    const int id = LOWORD(wp);
    if (id == 1) return wiGrbuAusloesen() ? 0 : 2500;
    return id;
}

int pnNeuBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (pnBefehlsId(wp)) {
    case 2500: pnNeuAnlegen(); break;
    case 2510: pnNeuBasisWaehlen(); break;
    case 2511: pnNeuVorlageWaehlen(); break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

void ProjektAnlegen() { wiDlgOeffnen("PVWVERZANLEGEN", pnNeuInit, pnNeuExit, pnNeuBefehl); }

// ---- backups ------------------------------------------------------------------------

int SicherungFrei(const char* pfad)
{
    if (dosattrib(pfad) == DOSATTR_FEHLT) return 1;
    std::vector<std::string> d, o;
    // A folder that cannot be listed is taken as used: its files may be there.
    return OrdListe(pfad, &d, &o) == 0 && d.empty() && o.empty() ? 1 : 0;
}

void SicherungVorschlagen(const char* projekt, int art, const char* datum, char* name, size_t kap)
{
    const std::string basis = pnMitTrenner(projekt);
    std::vector<std::string> reihe;
    if (art == 1) {
        for (char c = 'A'; c <= 'Z'; ++c) reihe.push_back(std::string("Sicherung_") + c);
    } else if (art == 2) {
        reihe.push_back(std::string("Sicherung_") + datum);
        for (char c = 'A'; c <= 'Z'; ++c) reihe.push_back(std::string("Sicherung_") + datum + "_" + c);
    }
    for (const std::string& n : reihe) {
        if (SicherungFrei((basis + n).c_str())) {
            strkopie(name, kap, n.c_str(), PNSICHERUNGSUP);
            return;
        }
    }
    strkopie(name, kap, "Sicherung", PNSICHERUNGSUP);
}

int SicherungNamePruefen(const char* name)
{
    char n[PNSICHERUNGSUP + 1];
    strkopie(n, name, PNSICHERUNGSUP);
    strtrim(n);
    bool schlecht = n[0] == '\0' || n[0] == '/' || n[0] == '\\' || std::strchr(n, ':') != nullptr;
    // Every component is looked at: "a/../.." climbs out as well as "..".
    for (const char* s = n; !schlecht && *s;) {
        const size_t l = std::strcspn(s, "/\\");
        if (l == 2 && s[0] == '.' && s[1] == '.') schlecht = true;
        s += l;
        if (*s) ++s;
    }
    if (!schlecht) return 0;
    wiInfo(TextNr(156));
    return ERROR;
}

int SicherungKopieren(const char* projekt, const char* name, int* kopiert)
{
    if (kopiert != nullptr) *kopiert = 0;
    if (SicherungNamePruefen(name) != 0) return ERROR;
    char n[PNSICHERUNGSUP + 1];
    strkopie(n, name, PNSICHERUNGSUP);
    strtrim(n);
    const std::string quelle = pnMitTrenner(projekt);
    const std::string ziel = pnMitTrenner(quelle + n);
    if (pfadanlegen(ziel.c_str()) != 0 || dosattrib(ziel.c_str()) == DOSATTR_FEHLT ||
        !(dosattrib(ziel.c_str()) & DOSATTR_VERZEICHNIS)) {
        wiInfo(TextNr(154));
        return ERROR;
    }
    std::vector<std::string> dateien;
    int ergebnis = 0;
    if (pnDateien(quelle, &dateien) != 0) {
        wiInfo("Kopierfehler");
        ergebnis = ERROR;
    }
    wiLangStart("Projekt sichern");
    for (const std::string& d : dateien) {
        if (!wiLangPumpe()) {
            if (ergebnis == 0) ergebnis = 1;
            break;
        }
        wiLangText(d.c_str());
        if (dateikopieren((quelle + d).c_str(), (ziel + d).c_str()) != 0) {
            wiInfo("Kopierfehler");
            ergebnis = ERROR;
        } else if (kopiert != nullptr) {
            ++*kopiert;
        }
    }
    wiLangEnde();
    return ergebnis;
}

namespace {

struct PnSich {
    char projekt[PNBASISSUP + 1] = "";
    char name[PNSICHERUNGSUP + 1] = "";
};
PnSich pnSich;

std::string pnSichPfad() { return pnMitTrenner(pnSich.projekt) + pnSich.name; }

void pnHakenAuffrischen()
{
    wiItemZeigen(3020, dosattrib(pnSichPfad().c_str()) != DOSATTR_FEHLT ? 1 : 0);
    wiKnopfSetzen(3020, 0);
}

int pnSichInit(int, const char* const*)
{
    wiDlgModal();
    wiDlgZentrieren();
    strkopie(pnSich.projekt, pnOhneTrenner(pnAktuell()).c_str(), PNBASISSUP);
    wiTextSetzen(3000, pfadkurz(pnSich.projekt));
    int art = 0;
    if (VgbOeffnen() == 0) {
        art = VgbInt("ZvBakPfad");
        VgbSchliessen();
    }
    char heute[16];
    datisoheute(heute);
    SicherungVorschlagen(pnSich.projekt, art, heute, pnSich.name, sizeof pnSich.name);
    wiTextSetzen(3010, pnSich.name);
    pnHakenAuffrischen();
    return 0;
}

int pnSichExit()
{
    pnSich = PnSich{};
    return 0;
}

void pnSichWaehlen()
{
    char pfad[WIDATEISUP + 1];
    strkopie(pfad, pnSichPfad().c_str(), WIDATEISUP);
    if (!wiOrdnerWahl(pfad, TextNr(155)) || pfad[0] == '\0') return;
    const std::string p = pnOhneTrenner(pfad);
    const size_t l = std::strlen(pnSich.projekt);
    // Inside means below: the project folder itself and a sibling whose name
    // merely starts alike are outside.
    if (p.size() <= l + 1 || strncasecmp(p.c_str(), pnSich.projekt, l) != 0 || (p[l] != '/' && p[l] != '\\')) {
        wiInfo(TextNr(156));
        return;
    }
    strkopie(pnSich.name, p.c_str() + l + 1, PNSICHERUNGSUP);
    wiTextSetzen(3010, pnSich.name);
    pnHakenAuffrischen();
}

void pnSichAnlegen()
{
    char n[PNSICHERUNGSUP + 1];
    strkopie(n, pnSich.name, PNSICHERUNGSUP);
    strtrim(n);
    if (n[0] == '\0') return;
    if (SicherungNamePruefen(n) != 0) return;
    if (!wiKnopf(3020) && !SicherungFrei(pnSichPfad().c_str()) && !wiFrage(TextNr(157))) return;
    int kopiert = 0;
    const std::string ziel = pnSichPfad();
    const int r = SicherungKopieren(pnSich.projekt, n, &kopiert);
    wiDlgSchliessen();
    // Said in one line where the backup went (also after a cancel or an
    // error, with what was copied until then).
    if (r != ERROR || kopiert > 0)
        wiHinweis("%d %s nach %s gesichert.", kopiert, kopiert == 1 ? "Datei" : "Dateien", ziel.c_str());
}

int pnSichBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    if (LOWORD(wp) == 3010 && HIWORD(wp) == EN_CHANGE) {
        wiTextHolen(3010, pnSich.name, PNSICHERUNGSUP);
        strtrim(pnSich.name);
        pnHakenAuffrischen();
        return 0;
    }
    switch (pnBefehlsId(wp)) {
    case 2500: pnSichAnlegen(); break;
    case 2510: pnSichWaehlen(); break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

void ProjektSichern() { wiDlgOeffnen("PVWPROSICHERN", pnSichInit, pnSichExit, pnSichBefehl); }

void PvwNeuesProjekt() { ProjektAnlegen(); }
void PvwSichern() { ProjektSichern(); }
