// The browser's whole-library operations that need no window: create,
// mark, name list, text definition, drawing export and import, rename, and
// the used-components list of the catalogues.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "editdlg/bautint.h"
#include "editdlg/bautwork.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/zeichnun.h"
#include "model/zustand.h"
#include "project/pvwliste.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/fileload.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/meldung.h"

void BautMeldung(int n, ...)
{
    char format[WIMELDUNGSUP + 1], text[WIMELDUNGSUP + 1];
    TextNr3000Kopie(n, format, sizeof format);
    va_list a;
    va_start(a, n);
    std::vsnprintf(text, sizeof text, format, a);
    va_end(a);
    wiHinweis("%s", text);
}

namespace {

const char* BautDateiTeil(const char* pfad)
{
    const char* n = pfad;
    for (const char* p = pfad; *p; ++p)
        if (*p == '/' || *p == '\\') n = p + 1;
    return n;
}

std::vector<std::string> bautVerwendet;

// Writes a text file and says so (message `gut`), or that it failed.
int BautTextAus(const char* datei, const std::string& text, int gut)
{
    if (dateischreiben(datei, text.data(), static_cast<long>(text.size())) != 0) {
        BautMeldung(25);
        return -1;
    }
    BautMeldung(gut);
    return 0;
}

}  // namespace

int BautBauteilDa(const char* bib, const char* name)
{
    BauHandle h;
    if (!name || !name[0] || BauOpen(&h, bib, name) != 0) return 0;
    BauClose(&h);
    return 1;
}

int BautNameGueltig(const char* pfad)
{
    return pfad && strnvgl(BautDateiTeil(pfad), "BAUTEILE", 8) == 0 ? 1 : 0;
}

int BautSchreibbar(const char* pfad)
{
    char programm[VERSUP + 1] = {};
    VerHolen(0, programm);
    std::string ordner(pfad, static_cast<size_t>(BautDateiTeil(pfad) - pfad));
    if (programm[0] && !ordner.empty() && PfadGleich(ordner.c_str(), programm)) {
        BautMeldung(42);
        return -1;
    }
    return 0;
}

int BautAnlegen(const char* pfad, int version)
{
    if (!pfad || !pfad[0] || !BautNameGueltig(pfad)) {
        BautMeldung(7);
        return -1;
    }
    if (dateilaenge(pfad) >= 0) {
        BautMeldung(12);
        return -1;
    }
    if (BautSchreibbar(pfad) != 0) return -1;
    if (BauBibAnlegen(pfad, version) != 0) {
        BautMeldung(43, pfad);
        return -1;
    }
    return 0;
}

std::vector<int> BautMarkieren(const std::vector<std::string>& namen, const char* muster)
{
    char m[BAUTMUSTERSUP + 1];
    strkopie(m, muster ? muster : "", 200);
    strtrim(m);
    strgross(m);
    m[BAUTMUSTERSUP] = 0;
    std::vector<int> treffer;
    if (!m[0]) return treffer;
    const size_t l = std::strlen(m);
    for (size_t i = 0; i < namen.size(); ++i) {
        std::string n = namen[i].substr(0, l);
        if (mustervgl(m, n.c_str())) treffer.push_back(static_cast<int>(i));
    }
    return treffer;
}

int BautNamenAusgeben(const char* bib, const char* datei)
{
    if (strpos(datei, ".inh") >= 0 || strpos(datei, ".INH") >= 0) {
        if (BauPruefen(bib, datei) != 0) {
            BautMeldung(25);
            return -1;
        }
        BautMeldung(22);
        return 0;
    }
    BauBibHandle h;
    if (BauBibOeffnen(&h, bib) != 0) {
        BautMeldung(13);
        return -1;
    }
    std::string text;
    for (int i = 0; i < h.anzahl; ++i) {
        char n[BAUNAMSUP + 1];
        BauNameHolen(&h, i, n, sizeof n);
        text += n;
        text += "\r\n";
    }
    BauBibZu(&h);
    return BautTextAus(datei, text, 22);
}

int BautTextExport(const char* bib, const char* name, const char* datei)
{
    BauHandle h;
    if (BauOpen(&h, bib, name) != 0) {
        BautMeldung(24);
        return -1;
    }
    BEF b{};
    b.code = 'v';
    b.iarg[0] = 10;
    std::string text = BefZuText(&b) + "\r\n";
    while (BauRead(&h, &b) == 0) text += BefZuText(&b) + "\r\n";
    BauClose(&h);
    b = BEF{};
    b.code = 't';
    text += BefZuText(&b) + "\r\n";
    return BautTextAus(datei, text, 26);
}

int BautZeichnungExport(const char* bib, const char* name, const char* datei)
{
    BauHandle h;
    if (BauOpen(&h, bib, name) != 0) {
        BautMeldung(27);
        return -1;
    }
    const int r = BauNachZeichnung(&h, datei);
    BauClose(&h);
    if (r != 0) {
        BautMeldung(28);
        return -1;
    }
    return 0;
}

void BautImportName(const char* datei, int namlaenge, char* aus, size_t kap)
{
    char n[BAUNAMSUP + 1];
    strkopie(n, BautDateiTeil(datei), BAUNAMSUP);
    const int p = zeichenpos(n, '.');
    if (p >= 0) n[p] = 0;
    if (namlaenge >= 0 && namlaenge < BAUNAMSUP) n[namlaenge] = 0;
    strgross(n);
    strkopie(aus, kap, n, BAUNAMSUP);
}

int BautZeichnungImport(const char* bib, const char* datei, const char* name)
{
    char n[BAUNAMSUP + 1];
    strkopie(n, name, BAUNAMSUP);
    strtrim(n);
    strgross(n);
    BauBibHandle h;
    if (BauBibOeffnen(&h, bib) != 0) {
        BautMeldung(13);
        return -1;
    }
    int r = 0;
    if (!n[0] || BauVorhanden(n)) {
        BautMeldung(30);
        r = -1;
    } else if (BauAufnehmen(&h, n, datei) != 0) {
        BautMeldung(14, n, bib);
        r = -1;
    }
    BauBibZu(&h);
    return r;
}

int BautUmbenennen(const char* bib, int index, const char* alt, const char* neu)
{
    char a[BAUNAMSUP + 1], n[BAUNAMSUP + 1];
    strkopie(a, alt, BAUNAMSUP);
    strkopie(n, neu, BAUNAMSUP);
    strgross(a);
    strgross(n);
    strtrim(n);
    if (!n[0]) return 0;
    BauBibHandle h;
    if (BauBibOeffnen(&h, bib) != 0) {
        BautMeldung(13);
        return -1;
    }
    char ist[BAUNAMSUP + 1];
    BauNameHolen(&h, index, ist, sizeof ist);
    int r = 0;
    if (std::strcmp(ist, a) != 0) {
        BautMeldung(20, ist, a);
        r = -1;
    } else if (std::strcmp(a, n) != 0 && BauVorhanden(n)) {
        BautMeldung(30);
        r = -1;
    } else if (BauUmbenennen(&h, index, n) != 0) {
        BautMeldung(21, index, n);
        r = -1;
    }
    BauBibZu(&h);
    return r;
}

int BautVerwendeteSammeln(const char* bib)
{
    std::vector<std::string> roh;
    char ordner[VERSUP + 1] = {};
    VerHolen(1, ordner);
    for (int i = 0; i < PvwAnzahl() && static_cast<int>(roh.size()) < BAUTVERWROH; ++i) {
        char name[PVWNAMESUP + 1];
        if (!PvwZeiName(i, name)) continue;
        ZeiDatei z;
        if (ZeiDateiLesend(&z, (std::string(ordner) + name).c_str()) != 0) continue;
        STT s;
        SttInit(&s, nullptr);
        BEF b;
        while (ZeiBefLesen(&z, &b) == 0 && static_cast<int>(roh.size()) < BAUTVERWROH) {
            SttAnwenden(&b, &s);
            if (BefIstZB(b.code) && strvgl(s.bd, bib) == 0) {
                char n[BAUNAMSUP + 1];
                strkopie(n, b.text, BAUNAMSUP);
                strtrim(n);
                if (n[0]) roh.emplace_back(n);
            }
        }
        ZeiDateiSchliessen(&z);
    }
    std::sort(roh.begin(), roh.end(), [](const std::string& a, const std::string& b) { return BauNamVergleich(a.c_str(), b.c_str()) < 0; });
    roh.erase(std::unique(roh.begin(), roh.end()), roh.end());
    if (roh.size() > static_cast<size_t>(BAUTVERWSUP)) roh.resize(BAUTVERWSUP);
    bautVerwendet = std::move(roh);
    return static_cast<int>(bautVerwendet.size());
}

int BautVerwendeteHolen(int i, char* aus, size_t kap)
{
    if (kap > 0) aus[0] = 0;
    if (i < 0 || i >= static_cast<int>(bautVerwendet.size())) return -1;
    strkopie(aus, kap, bautVerwendet[static_cast<size_t>(i)].c_str(), BAUNAMSUP);
    return 0;
}
