// Copies between libraries in batches of TRASUP temporary drawings, and the
// rewrites that go through a temporary library.
#include "editdlg/mischen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "editdlg/bautint.h"
#include "model/befehl.h"
#include "model/transport.h"
#include "platform/dateisys.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/fileload.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"

namespace {

std::vector<int> mischStapel;

bool MischNameGut(const char* pfad)
{
    const char* n = pfad;
    for (const char* p = pfad; *p; ++p)
        if (*p == '/' || *p == '\\') n = p + 1;
    return strnvgl(n, "BAUTEILE", 8) == 0;
}

void MischRowsWeg(std::vector<transport>& zeilen)
{
    for (const transport& t : zeilen) dateiloeschen(t.datei);
    zeilen.clear();
}

// Appends the batch to the target; every temporary file is gone after it.
int MischLeeren(std::vector<transport>& zeilen, const char* ziel)
{
    if (zeilen.empty()) return 0;
    mischStapel.push_back(static_cast<int>(zeilen.size()));
    BauBibHandle h;
    int r = BauBibOeffnen(&h, ziel);
    if (r != 0) BautMeldung(13);
    for (size_t i = 0; r == 0 && i < zeilen.size(); ++i) {
        if (BauAufnehmen(&h, zeilen[i].name, zeilen[i].datei) != 0) {
            BautMeldung(14, zeilen[i].name, ziel);
            r = ERROR;
        }
    }
    BauBibZu(&h);
    MischRowsWeg(zeilen);
    return r;
}

// Reads one component into a temporary drawing; -1 after a message.
int MischLesen(const char* quelle, transport& t, BauKonvertFn konv)
{
    if (tempname(t.datei) != 0) {
        BautMeldung(28);
        return ERROR;
    }
    BauHandle h;
    if (BauOpen(&h, quelle, t.name) != 0) {
        BautMeldung(27);
        return ERROR;
    }
    const int r = BauNachZeichnungMit(&h, t.datei, konv);
    BauClose(&h);
    if (r != 0) {
        dateiloeschen(t.datei);
        BautMeldung(28);
    }
    return r;
}

// Every name of the library in index order; -1 when it cannot be read
// whole: a failed read, or an entry chain that leaves the file (the
// header's count is above the index's), so that no copy drops components.
int MischNamen(const char* bib, std::vector<std::string>* namen)
{
    namen->clear();
    BauBibHandle h;
    if (BauBibOeffnen(&h, bib) != 0) return ERROR;
    if (h.anzahl != h.kopfAnzahl) {
        BauBibZu(&h);
        return ERROR;
    }
    for (int i = 0; i < h.anzahl; ++i) {
        char n[BAUNAMSUP + 1];
        BauNameHolen(&h, i, n, sizeof n);
        if (!n[0]) {
            BauBibZu(&h);
            return ERROR;
        }
        namen->emplace_back(n);
    }
    BauBibZu(&h);
    return 0;
}

// The library's caches forget every file the rewrite touched.
void MischVergessen()
{
    BauBibSchliessen();
    BauCacheSetzen(0);
    BauCacheSetzen(1);
}

// A new empty library of the version under a free temporary name.
int MischTmpAnlegen(const char* bib, int version, char* tmp, size_t kap)
{
    if (MischTmpName(bib, tmp, kap) != 0 || BauBibAnlegen(tmp, version) != 0) {
        if (tmp[0]) dateiloeschen(tmp);
        BautMeldung(43, bib);
        return ERROR;
    }
    return 0;
}

// A new empty library of the version of `bib` under a free temporary name.
int MischTmpWie(const char* bib, char* tmp, size_t kap)
{
    if (kap > 0) tmp[0] = 0;
    BauBibHandle h;
    if (BauBibOeffnen(&h, bib) != 0) {
        BautMeldung(13);
        return ERROR;
    }
    const int version = h.version;
    BauBibZu(&h);
    return MischTmpAnlegen(bib, version, tmp, kap);
}

// The temporary library over the library; on failure it is removed.
int MischErsetzen(const char* tmp, const char* bib)
{
    MischVergessen();
    if (plDsUmbenennen(tmp, bib) != 0) {
        dateiloeschen(tmp);
        BautMeldung(6, tmp, bib);
        return ERROR;
    }
    MischVergessen();
    return 0;
}

int MischVerwerfen(const char* tmp)
{
    MischVergessen();
    dateiloeschen(tmp);
    return ERROR;
}

}  // namespace

const std::vector<int>& MischStapel() { return mischStapel; }

int MischTmpName(const char* bib, char* aus, size_t kap)
{
    char ordner[BAUPFADSUP + 1];
    strkopie(ordner, bib, BAUPFADSUP);
    char* n = ordner;
    for (char* p = ordner; *p; ++p)
        if (*p == '/' || *p == '\\') n = p + 1;
    *n = 0;
    for (int i = 0; i < 100; ++i) {
        std::string name = ordner;
        if (i == 0) {
            name += "BAUTEILE.tmp";
        } else {
            name += "BAUTEILE.t";
            name += static_cast<char>('0' + i / 10);
            name += static_cast<char>('0' + i % 10);
        }
        if (name.size() > BAUPFADSUP) break;
        if (dateilaenge(name.c_str()) < 0 && !PfadGleich(name.c_str(), bib)) {
            strkopie(aus, kap, name.c_str(), BAUPFADSUP);
            return 0;
        }
    }
    if (kap > 0) aus[0] = 0;
    return ERROR;
}

int MischKopieren(const char* quelle, const char* ziel, MISCHFILTER filter, void* benutzer, BauKonvertFn konv)
{
    mischStapel.clear();
    if (!MischNameGut(quelle) || !MischNameGut(ziel)) {
        BautMeldung(7);
        return ERROR;
    }
    std::vector<std::string> namen;
    if (MischNamen(quelle, &namen) != 0) {
        BautMeldung(13);
        return ERROR;
    }
    std::vector<transport> zeilen;
    zeilen.reserve(TRASUP);
    wiLangStart(TextNr3000(15));
    int drin = 0, r = 0;
    for (const std::string& n : namen) {
        if (static_cast<int>(zeilen.size()) == TRASUP) {
            const int k = static_cast<int>(zeilen.size());
            if ((r = MischLeeren(zeilen, ziel)) != 0) break;
            drin += k;
        }
        transport t{};
        strkopie(t.name, n.c_str(), BAUNAMSUP);
        wiLangText(t.name);
        if (filter && !filter(t.name, benutzer)) continue;
        if ((r = MischLesen(quelle, t, konv)) != 0) break;
        zeilen.push_back(t);
    }
    if (r == 0) {
        const int k = static_cast<int>(zeilen.size());
        if ((r = MischLeeren(zeilen, ziel)) == 0) drin += k;
    }
    MischRowsWeg(zeilen);
    wiLangEnde();
    return r == 0 ? drin : ERROR;
}

int MischEinfuegen(const char* bib, const char* quelle, int* gleichnamig)
{
    *gleichnamig = 0;
    BauBibHandle a, b;
    if (BauBibOeffnen(&a, bib) != 0 || BauBibOeffnen(&b, quelle) != 0) {
        BautMeldung(13);
        return ERROR;
    }
    const int n = a.anzahl + b.anzahl;
    BauBibZu(&b);
    if (n > BAUANZAHLMAX) {
        BautMeldung(16, BAUANZAHLMAX);
        return ERROR;
    }
    char tmp[BAUPFADSUP + 1];
    if (MischTmpName(bib, tmp, sizeof tmp) != 0 || dateikopieren(bib, tmp) != 0) {
        if (tmp[0]) dateiloeschen(tmp);
        BautMeldung(43, bib);
        return ERROR;
    }
    if (MischKopieren(quelle, tmp, nullptr, nullptr, nullptr) < 0) return MischVerwerfen(tmp);
    if (MischErsetzen(tmp, bib) != 0) return ERROR;
    BauBibHandle h;
    if (BauBibOeffnen(&h, bib) == 0) {
        char erster[BAUNAMSUP + 1];
        BauNameHolen(&h, 0, erster, sizeof erster);
        *gleichnamig = erster[0] == '*';
        BauBibZu(&h);
    }
    if (*gleichnamig) BautMeldung(17);
    return 0;
}

int MischLoeschen(const char* bib, const std::vector<std::string>& namen)
{
    std::vector<std::string> weg = namen;
    std::sort(weg.begin(), weg.end());
    char tmp[BAUPFADSUP + 1];
    if (MischTmpWie(bib, tmp, sizeof tmp) != 0) return ERROR;
    const auto behalten = [](const char* name, void* u) {
        const auto* w = static_cast<const std::vector<std::string>*>(u);
        return std::binary_search(w->begin(), w->end(), std::string(name)) ? 0 : 1;
    };
    if (MischKopieren(bib, tmp, behalten, &weg, nullptr) < 0) return MischVerwerfen(tmp);
    return MischErsetzen(tmp, bib);
}

namespace {
int mischSprachAnzahl = 0;
void MischSprachBef(BEF* b)
{
    mischSprachAnzahl += SprDateiUmbenennen(b->code, b->text, sizeof b->text);
}
}  // namespace

int MischSprache(const char* bib, int* anzahl)
{
    *anzahl = 0;
    char muster[120];
    SprMuster(muster, sizeof muster);
    if (zeichenpos(muster, '?') < 5) {
        BautMeldung(18);
        return ERROR;
    }
    char tmp[BAUPFADSUP + 1];
    if (MischTmpWie(bib, tmp, sizeof tmp) != 0) return ERROR;
    mischSprachAnzahl = 0;
    if (MischKopieren(bib, tmp, nullptr, nullptr, MischSprachBef) < 0) return MischVerwerfen(tmp);
    const int n = mischSprachAnzahl;
    if (n > 0 ? MischErsetzen(tmp, bib) != 0 : (MischVerwerfen(tmp), false)) return ERROR;
    *anzahl = n;
    BautMeldung(19, n);
    return 0;
}

namespace {
std::string mischTraMeldung;
void MischTraMelden(const char* text)
{
    if (mischTraMeldung.empty()) mischTraMeldung = text;
}
}  // namespace

int MischUmwandeln(const char* bib)
{
    char tmp[BAUPFADSUP + 1];
    if (MischTmpAnlegen(bib, 6, tmp, sizeof tmp) != 0) return ERROR;
    char ordner[BAUPFADSUP + 1];
    if (tempverz(ordner) != 0) {
        BautMeldung(43, bib);
        return MischVerwerfen(tmp);
    }
    mischTraMeldung.clear();
    int fehler = 0;
    const int r = TraBibKopieren(bib, tmp, ordner, MischTraMelden, &fehler);
    if (r < 0 || fehler > 0) {
        wiHinweis("%s", mischTraMeldung.empty() ? TextNr3000(13) : mischTraMeldung.c_str());
        return MischVerwerfen(tmp);
    }
    if (MischErsetzen(tmp, bib) != 0) return ERROR;
    BautMeldung(8);
    return 0;
}
