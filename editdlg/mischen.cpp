// Copies between libraries over the model's batch copier, and the rewrites
// that go through a temporary library.
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

bool MischNameGut(const char* pfad)
{
    const char* n = pfad;
    for (const char* p = pfad; *p; ++p)
        if (*p == '/' || *p == '\\') n = p + 1;
    return strnvgl(n, "BAUTEILE", 8) == 0;
}

// The caller's filter behind the progress line.
struct MischFilterMit {
    MISCHFILTER filter;
    void* benutzer;
};

int MischFortschritt(const char* name, void* u)
{
    wiLangText(name);
    const auto* f = static_cast<const MischFilterMit*>(u);
    return f->filter ? f->filter(name, f->benutzer) : 1;
}

// The message of what stopped a copy.
void MischFehlerMelden(const TraBericht& b, const char* ziel)
{
    switch (b.fehler) {
    case TRA_BAUTEIL: BautMeldung(27); break;
    case TRA_ZEICHNUNG: BautMeldung(28); break;
    case TRA_AUFNEHMEN: BautMeldung(14, b.name, ziel); break;
    default: BautMeldung(13); break;
    }
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

const std::vector<int>& MischStapel() { return TraStapel(); }

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
    if (!MischNameGut(quelle) || !MischNameGut(ziel)) {
        BautMeldung(7);
        return ERROR;
    }
    MischFilterMit f{filter, benutzer};
    TraBericht b;
    wiLangStart(TextNr3000(15));
    const int r = TraKopieren(quelle, ziel, MischFortschritt, &f, konv, &b);
    wiLangEnde();
    if (r < 0) MischFehlerMelden(b, ziel);
    return r;
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

int MischUmwandeln(const char* bib)
{
    char tmp[BAUPFADSUP + 1];
    if (MischTmpAnlegen(bib, 6, tmp, sizeof tmp) != 0) return ERROR;
    if (MischKopieren(bib, tmp, nullptr, nullptr, nullptr) < 0) return MischVerwerfen(tmp);
    if (MischErsetzen(tmp, bib) != 0) return ERROR;
    BautMeldung(8);
    return 0;
}
