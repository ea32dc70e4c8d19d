// The file update of old folders (see zv5.h).
#include "project/zv5.h"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/datwache.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "equipment/appzv7.h"
#include "equipment/bm.h"
#include "model/altbau.h"
#include "model/befehl.h"
#include "model/bauteil.h"
#include "model/transport.h"
#include "model/zeichnun.h"
#include "platform/dateisys.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "project/ordliste.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "winlib/dateiwahl.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

HWND zv5Fenster = 0;

bool zv5Beginnt(const std::string& name, const char* stamm)
{
    const size_t l = std::strlen(stamm);
    if (name.size() < l || strncasecmp(name.c_str(), stamm, l) != 0) return false;
    return name.size() == l || name[l] == '.';
}

bool zv5Tmp(const std::string& name)
{
    const size_t p = name.rfind('.');
    return p != std::string::npos && strcasecmp(name.c_str() + p, ".tmp") == 0;
}

// A name beside `pfad` that no file holds: "<pfad>.tmp", else with a number.
std::string zv5FreiTmp(const std::string& pfad)
{
    std::string t = pfad + ".tmp";
    for (int i = 1; dosattrib(t.c_str()) != DOSATTR_FEHLT && i < 1000; ++i) t = pfad + "." + std::to_string(i) + ".tmp";
    return t;
}

// The version of a library file: 0 for the old one-file form (no "zvkB").
int zv5BibVersion(const std::string& pfad)
{
    const int h = dosopen(pfad.c_str(), 0);
    if (h < 0) return ERROR;
    unsigned char k[6] = {};
    const int n = dosread(h, k, 6);
    dosclose(h);
    if (n < 0) return ERROR;
    if (n < 6 || std::memcmp(k, "zvkB", 4) != 0) return 0;
    return k[4] | (k[5] << 8);
}

void zv5Melden(const char* text) { wiInfo(text); }

// One old drawing: read whole, then written under its name through the
// drawing writer's own temporary (the old file stays until the new one is
// complete). 1 converted, 0 passed over.
int zv5Zeichnung(const std::string& pfad)
{
    int version = 0, format = 0;
    if (AltZeiOeffnen(pfad.c_str(), &version, &format) != 0) return 0;
    std::vector<BEF> saetze;
    BEF b;
    while (AltZeiRead(&b) == 0) saetze.push_back(b);
    AltZeiSchliessen();
    ZeiDatei z{};
    if (ZeiDateiAnlegen(&z, pfad.c_str()) != 0) return 0;
    ZeiFormatSetzen(&z, format);
    for (const BEF& s : saetze) {
        if (ZeiBefSchreiben(&z, &s) != 0) {
            ZeiDateiVerwerfen(&z);
            return 0;
        }
    }
    return ZeiDateiSchliessen(&z) == 0 ? 1 : 0;
}

// One version-5 library, converted through a renamed copy of itself; the
// original comes back whenever the new library is not complete.
int zv5Bibliothek(const std::string& pfad)
{
    const std::string tmp = zv5FreiTmp(pfad);
    if (plDsUmbenennen(pfad.c_str(), tmp.c_str()) != 0) {
        wiHinweis("Kann Bauteildatei nicht umbennenen\nvon -%s-\nin -%s-", pfad.c_str(), tmp.c_str());
        return 0;
    }
    BauBibSchliessen();
    int r = BauBibAnlegen(pfad.c_str(), 6) == 0 ? Zv5BibKonvertieren(tmp.c_str(), pfad.c_str()) : ERROR;
    BauBibSchliessen();
    if (r == 0) {
        dateiloeschen(tmp.c_str());
        return 1;
    }
    dateiloeschen(pfad.c_str());
    if (plDsUmbenennen(tmp.c_str(), pfad.c_str()) != 0)
        wiHinweis("Kann Bauteildatei nicht umbennenen\nvon -%s-\nin -%s-", tmp.c_str(), pfad.c_str());
    return 0;
}

struct Zv5Ort {
    char cwd[VERSUP + 1] = "";
    char projekt[VERSUP + 1] = "";
};

void zv5OrtMerken(Zv5Ort* o)
{
    dosgetcwd(o->cwd);
    VerHolen(1, o->projekt, sizeof o->projekt);
}

void zv5OrtZurueck(const Zv5Ort& o)
{
    VerSetzen(1, o.projekt);
    if (o.cwd[0]) doschdir(o.cwd);
}

}  // namespace

int Zv5BibKonvertieren(const char* alt, const char* neu)
{
    const char* na = std::strrchr(alt, '/');
    const char* nn = std::strrchr(neu, '/');
    na = na != nullptr ? na + 1 : alt;
    nn = nn != nullptr ? nn + 1 : neu;
    if (strncasecmp(na, "BAUTEILE", 8) != 0 || strncasecmp(nn, "BAUTEILE", 8) != 0) {
        wiInfo("Der Dateiname muss von der Form BAUTEILE.??? sein.");
        return ERROR;
    }
    TraBericht b;
    if (TraKopieren(alt, neu, nullptr, nullptr, nullptr, &b) >= 0) return 0;
    if (b.fehler == TRA_QUELLE || b.fehler == TRA_ZIEL) {
        zv5Melden("Kann Bauteildatei nicht \xF6""ffnen.");
    } else {
        zv5Melden((std::string("Unerwarteter Fehler\nbeim Import von ") + b.name + " in " + alt).c_str());
    }
    return ERROR;
}

void Zv5Status(const char* text)
{
    if (!zv5Fenster) return;
    SetDlgItemText(zv5Fenster, 3100, text);
    UpdateWindow(GetDlgItem(zv5Fenster, 3100));
    wiMeldungenAbarbeiten(zv5Fenster);
}

int Zv5Konvertieren(const char* ordnerArg, Zv5Zaehler* z)
{
    *z = Zv5Zaehler{};
    char roh[VERSUP + 1] = "";
    strkopie(roh, ordnerArg != nullptr ? ordnerArg : "", VERSUP);
    strtrim(roh);
    std::string ordner = roh;
    for (char& c : ordner)
        if (c == '\\') c = '/';
    while (ordner.size() > 1 && ordner.back() == '/') ordner.pop_back();
    // Every listing before the first rename.
    std::vector<std::string> dateien;
    if (OrdListe(ordner.c_str(), &dateien, nullptr) != 0) return ERROR;
    Zv5Ort ort;
    zv5OrtMerken(&ort);
    const std::string vor = ordner + "/";
    // 1. Version-2 component pairs into version-3 libraries; the new ones
    // join the listing after the walk (adding while walking it would move
    // the names under the loop).
    std::vector<std::string> neu;
    for (const std::string& n : dateien) {
        if (!zv5Beginnt(n, "BAUTEILB") || zv5Tmp(n)) continue;
        Zv5Status(n.c_str());
        const std::string e = vor + "BAUTEILE" + n.substr(8);
        const bool vorher = dosattrib(e.c_str()) != DOSATTR_FEHLT;
        if (AltBibUmsetzen((vor + n).c_str(), nullptr) == 0 && !vorher && dosattrib(e.c_str()) != DOSATTR_FEHLT) {
            ++z->bib3;
            neu.push_back("BAUTEILE" + n.substr(8));
        }
    }
    dateien.insert(dateien.end(), neu.begin(), neu.end());
    // 2. Old drawings.
    for (const std::string& n : dateien) {
        if (zv5Tmp(n) || !ZeiIstZeichnung(n.c_str()) || ZeiIstDatei((vor + n).c_str())) continue;
        Zv5Status(n.c_str());
        z->zeichnungen += zv5Zeichnung(vor + n);
    }
    // 3. Version-5 libraries.
    for (const std::string& n : dateien) {
        if (!zv5Beginnt(n, "BAUTEILE") || zv5Tmp(n)) continue;
        const int v = zv5BibVersion(vor + n);
        if (v < 0 || v > 5) continue;
        Zv5Status(n.c_str());
        z->bib5 += zv5Bibliothek(vor + n);
    }
    // 4. The folder becomes the project folder for the equipment lists.
    VerSetzen(1, ordner.c_str());
    if (doschdir(ordner.c_str()) != 0) wiInfo("Projektverzeichnis nicht gefunden.");
    if (Zv7DateiVorhanden()) {
        Zv5Status("Betriebsmitteldatei");
        BMStartErzwungen();
        Zv7BmImport();
        if (Zv7DateienLoeschen() == 0 && BMListenSpeichern(1) == 0) z->bm = 1;
        BMEndeErzwungen();
    }
    Zv5Status("");
    zv5OrtZurueck(ort);
    return 0;
}

// ---- the dialog ----------------------------------------------------------------------------

namespace {

void zv5Zaehler(const Zv5Zaehler& z)
{
    wiZahlSetzen(3200, z.zeichnungen);
    wiZahlSetzen(3201, z.bib5);
    wiZahlSetzen(3202, z.bib3);
    wiZahlSetzen(3203, z.bm);
}

int zv5Init(int, const char* const*)
{
    zv5Fenster = wiDlgFenster();
    wiDlgZentrieren();
    char p[VERSUP + 1] = "";
    VerHolen(1, p, sizeof p);
    wiTextSetzen(3000, p);
    zv5Zaehler({});
    return 0;
}

int zv5Exit()
{
    zv5Fenster = 0;
    return 0;
}

void zv5Start()
{
    if (!wiFrage("Sollen die im Verzeichnis vorhandenen\nalten Zavik-Dateien konvertiert werden?")) return;
    char ordner[VERSUP + 1] = "";
    wiTextHolen(3000, ordner, VERSUP);
    Zv5Zaehler z{};
    zv5Zaehler(z);
    Zv5Status("");
    wiBeschaeftigt(1);
    const int r = Zv5Konvertieren(ordner, &z);
    wiBeschaeftigt(0);
    zv5Zaehler(z);
    if (r != 0) {
        wiHinweis("Der Ordner %s kann nicht gelesen werden.", ordner);
    } else if (z.bm) {
        wiHinweis("%d Zeichnungen und %d Bauteildateien konvertiert.\nBetriebsmitteldatei konvertiert", z.zeichnungen,
                  z.bib5);
    } else {
        wiHinweis("%d Zeichnungen und %d Bauteildateien konvertiert.", z.zeichnungen, z.bib5);
    }
    Zv5Status("");
    DatAenderungMelden();
    wiSeiteVerteilen(2998, 9);
}

int zv5Befehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    int id = LOWORD(wp);
    if (id == 1) id = wiGrbuAusloesen() ? 0 : 2500;
    switch (id) {
    case 2500: zv5Start(); break;
    case 2502: {
        char p[WIDATEISUP + 1] = "";
        wiTextHolen(3000, p, WIDATEISUP);
        if (wiOrdnerWahl(p, "Verzeichnis w\xE4hlen") && p[0]) wiTextSetzen(3000, p);
        break;
    }
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

void Zv5DlgOeffnen()
{
    if (zv5Fenster) return;
    wiDlgOeffnen("ZV5Import", zv5Init, zv5Exit, zv5Befehl);
}

void PvwDateiUpdate() { Zv5DlgOeffnen(); }
