// The run of an evaluation and its driver (see awlauf.h).
#include "lists/awlauf.h"

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
    BMListenVerwerfen();
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
