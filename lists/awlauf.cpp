// The run of an evaluation and its driver (see awlauf.h).
#include "lists/awlauf.h"

#include <fcntl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "editor/zeidok.h"
#include "equipment/bm.h"
#include "equipment/definfo.h"
#include "lists/attauswert.h"
#include "lists/auswertung.h"
#include "lists/bmauswert.h"
#include "lists/eibauswert.h"
#include "lists/klemmkabel.h"
#include "lists/schilder.h"
#include "model/textvar.h"
#include "platform/dateisys.h"
#include "platform/orte.h"
#include "project/pvwliste.h"
#include "winlib/meldung.h"
#include "support/texte.h"
#include "winlib/winbib.h"

int AwNurMarkVorgabe()
{
    VgbOeffnen();
    int wert = VgbInt("AWNurMark");
    VgbSchliessen();
    return AwNurMarkRegel(wert, PvwAnzMarkiert());
}

int AwTreiber()
{
    const awoptionen& o = AwOptionen();
    switch (o.typ) {
    case 0: return AwBetriebsmittelListe(0);
    case 1: return AwArtikelListe();
    case 3: return AwBetriebsmittelListe(1);
    case 4: return AwPotentialListe();
    case 5: return KlkListe(0);
    case 6: return KlkListe(1);
    case 2:
        if (o.bauteil.empty()) {
            wiHinweis("Sie m\xFCssen ein Bauteil angeben.");
            return -1;
        }
        return SchildAuswertung();
    case 7: return EibAuswertung(0);
    case 8: return EibAuswertung(1);
    case 9: return AwAttributListe();
    default: return 0;
    }
}

int AwAusfuehren(const char* programm)
{
    const awoptionen& o = AwOptionen();
    DefTextTabLaden(o.extxwie, o.extxdat.c_str());
    // The run reads the equipment as saved; lists that hold just that are
    // not read again.
    BMListenWieDatei();
    // The set stays open for the run: its keys are read without parsing it
    // again for each.
    VgbOeffnen();
    AwTreiber();
    VgbSchliessen();
    DefTextTabFrei();
    EdtZeiKontext();
    if (programm == nullptr || programm[0] == '\0') return 0;
    // The follow-up program lies beside the executable; it gets the result
    // file and starts in the result's folder.
    char datei[VERSUP + 100];
    std::snprintf(datei, sizeof datei, "%s", o.datei.c_str());
    PfadAbsolut(datei);
    struct stat st;
    if (plDsStat(datei, &st) != 0) return 0;
    std::string pfad = plOrtProgramm() + "/" + programm;
    return wiShellStartenIn(pfad.c_str(), datei) > 32 ? 1 : 0;
}

int AwLaufen(int index, int nurMarkiert)
{
    if (ZeiIstGeaendert()) return 0;
    char praefix[21], programm[101];
    if (!AwEintrag(index, nullptr, nullptr, praefix, nullptr, programm)) return 0;
    awoptionen& o = AwOptionen();
    AwOptionenLaden(o, praefix, AwTyp(index));
    if (o.datei.empty()) return 0;
    o.nurMarkiert = (nurMarkiert == 0 || nurMarkiert == 1) ? nurMarkiert : AwNurMarkVorgabe();
    char name[PVWNAMESUP + 1];
    if (PvwErsteZeichnung(name)) {
        char pfad[VERSUP + PVWNAMESUP + 2];
        PfadProjekt(pfad, sizeof pfad, name);
        ZeiAktSetzen(pfad);
    }
    return AwAusfuehren(programm);
}

// ---- What a run wrote --------------------------------------------------------------------------

namespace {

std::map<std::string, std::pair<long long, long long>> awBerichtStand(const std::string& ordner)
{
    std::map<std::string, std::pair<long long, long long>> st;
    PlDsVerz* v = plDsVerzOeffnen(ordner.c_str());
    if (!v) return st;
    std::string name;
    while (plDsVerzLesen(v, &name) == 1) {
        struct stat s;
        if (name == "." || name == ".." || plDsStat((ordner + name).c_str(), &s) != 0 || !S_ISREG(s.st_mode))
            continue;
        st[name] = {static_cast<long long>(s.st_size),
                    static_cast<long long>(s.st_mtim.tv_sec) * 1000000000LL + s.st_mtim.tv_nsec};
    }
    plDsVerzSchliessen(v);
    return st;
}

long awBerichtZeilen(const std::string& pfad)
{
    const int fd = plDsOeffnen(pfad.c_str(), O_RDONLY);
    if (fd < 0) return -1;
    long n = 0;
    char puffer[65536];
    ssize_t r;
    while ((r = plDsLesen(fd, puffer, sizeof puffer)) > 0)
        for (ssize_t i = 0; i < r; ++i) n += puffer[i] == '\n';
    plDsSchliessen(fd);
    return n;
}

std::string awBerichtOrdner(const std::string& pfad)
{
    const size_t t = pfad.rfind('/');
    return t == std::string::npos ? std::string("./") : pfad.substr(0, t + 1);
}

}  // namespace

std::string AwBericht::vorher(const std::string& datei)
{
    char p[VERSUP + 300];
    strkopie(p, sizeof p, datei.c_str(), sizeof p - 1);
    PfadAbsolut(p);
    const std::string ordner = awBerichtOrdner(p);
    if (!ordner_.count(ordner)) ordner_[ordner] = awBerichtStand(ordner);
    return p;
}

void AwBericht::ergebnis(const std::string& pfad)
{
    if (std::find(ergebnisse_.begin(), ergebnisse_.end(), pfad) == ergebnisse_.end()) ergebnisse_.push_back(pfad);
}

std::string AwBericht::text(const std::string& kopf) const
{
    constexpr size_t zeigen = 8;  // names listed per folder
    std::string bloecke;
    size_t gesamt = 0;
    for (const auto& [ordner, vorher] : ordner_) {
        const Stand nachher = awBerichtStand(ordner);
        std::vector<std::string> namen;
        for (const std::string& e : ergebnisse_)
            if (awBerichtOrdner(e) == ordner && nachher.count(e.substr(ordner.size()))) namen.push_back(e.substr(ordner.size()));
        for (const auto& [name, stand] : nachher) {
            auto alt = vorher.find(name);
            if ((alt == vorher.end() || alt->second != stand) &&
                std::find(namen.begin(), namen.end(), name) == namen.end())
                namen.push_back(name);
        }
        if (namen.empty()) continue;
        gesamt += namen.size();
        bloecke += "\n" + std::to_string(namen.size()) + (namen.size() == 1 ? " Datei" : " Dateien") + " in " + ordner +
                   " geschrieben:";
        for (size_t i = 0; i < namen.size() && i < zeigen; ++i) {
            bloecke += "\n" + namen[i];
            if (std::find(ergebnisse_.begin(), ergebnisse_.end(), ordner + namen[i]) != ergebnisse_.end()) {
                const long z = awBerichtZeilen(ordner + namen[i]);
                if (z >= 0) bloecke += " (" + std::to_string(z) + (z == 1 ? " Zeile)" : " Zeilen)");
            }
        }
        if (namen.size() > zeigen) bloecke += "\nund " + std::to_string(namen.size() - zeigen) + " weitere";
    }
    if (gesamt == 0) return std::string();
    return kopf + ":" + bloecke;
}

void AwBericht::zeigen(const std::string& titel, const std::string& kopf) const
{
    const std::string t = text(kopf);
    if (!t.empty()) wiInfoTitel(titel.c_str(), t.c_str());
}
