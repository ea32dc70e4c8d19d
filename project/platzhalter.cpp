// Stand-ins of the project manager's services (see platzhalter.h).
#include "project/platzhalter.h"

#include <cstdio>
#include <filesystem>

#include "config/datwache.h"
#include "config/verzeich.h"
#include "platform/shell.h"
#include "support/texte.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"

namespace {
std::vector<std::string> phAufrufe;
char phHilfe[21] = "";
}  // namespace

std::vector<std::string>& PhProjektAufrufe() { return phAufrufe; }

void HilfeSchluesselSetzen(const char* schluessel) { strkopie(phHilfe, schluessel ? schluessel : "", 20); }
const char* PhHilfeSchluessel() { return phHilfe; }
int PvwLetzterOrdner(int, char* puffer)
{
    if (puffer != nullptr) puffer[0] = '\0';
    return 0;
}

void HandbuchInit() {}
void HandbuchEnde() {}
void HilfeKontext() {}
void HilfePdfOeffnen() {}
void HandbuchOeffnen() {}
void BauteilDokuOeffnen() {}
void InfoOeffnen() {}
void InternetOeffnen() {}
void PvwOrdnerLaden() {}
void PvwOrdnerSichern() {}
void PvwOrdnerMerken(const char*) {}
void PvwLetzteOrdnerMenu() {}
void PvwChkLstMenu() {}
void PvwInhaltSchreiben() {}
void PvwUntertitelSchreiben() {}
void PvwInhaltEinstLesen() {}
void PvwTitelCacheSchliessen() {}
void PvwTitelVorbereiten() {}
void PvwTitelDialog() {}
void PvwUntertitelDialog(const char*) {}
void PvwUntertitelImport() {}
void PvwDateiUpdate() {}
void PvwKurztexteImport() {}
void PvwKurztexteExport() {}
void PvwProjektliste() {}
void PvwOrdnerWahl() {}
void PvwStartDialog() {}
void PvwNeuesProjekt() {}
void PvwSichern() {}
void PvwCheckliste(int) {}
void SpellEinstLesen() {}
void SpellEnde() {}

// ---- Called by the project manager page (proverw) ------------------------------------------------
namespace {
std::string phNeuPfad, phNeuVorlage;
int phDruckAbbruch = 0, phDruckDuplex = 0;
std::string phText(const char* t) { return t != nullptr ? t : ""; }
}  // namespace

void ZeiAnlegenOeffnen(const char* datei, const char* stamm, const char* endung)
{
    phAufrufe.push_back("ZeiAnlegenOeffnen(" + phText(datei) + "," + phText(stamm) + "," + phText(endung) + ")");
}
void ZeiNeuPfade(char* pfad, size_t pkap, char* vorlage, size_t vkap)
{
    std::snprintf(pfad, pkap, "%s", phNeuPfad.c_str());
    std::snprintf(vorlage, vkap, "%s", phNeuVorlage.c_str());
}
void PhNeuPfadeSetzen(const char* pfad, const char* vorlage)
{
    phNeuPfad = phText(pfad);
    phNeuVorlage = phText(vorlage);
}
void ZeiEigenOeffnen(const char* name) { phAufrufe.push_back("ZeiEigenOeffnen(" + phText(name) + ")"); }
void ZeiUmnrOeffnen(const char* name) { phAufrufe.push_back("ZeiUmnrOeffnen(" + phText(name) + ")"); }
void ZeiLoeschOeffnen(int anzahl)
{
    phAufrufe.push_back("ZeiLoeschOeffnen(" + std::to_string(anzahl) + ")");
    char frage[100];
    std::snprintf(frage, sizeof frage, "%d Zeichnungen löschen?", anzahl);
    if (!wiFrage(frage)) return;
    // From the last to the first, as the delete dialog does.
    for (int i = PvwAnzahl() - 1; i >= 0; --i) {
        const PvwEintrag* e = PvwEintragAdr(i);
        if (e->art != PVW_ZEICHNUNG || !e->markiert) continue;
        char pfad[MAX_PATH + 1];
        PfadBilden(1, e->name, nullptr, pfad, sizeof pfad);
        std::error_code fehler;
        if (!std::filesystem::remove(pfad, fehler)) wiMeldung("%s kann nicht gelöscht werden.", e->name);
    }
    DatAenderungMelden();
    wiSeiteVerteilen(2998, 9);
}
void ZeiIdxsetOeffnen(int anzahl) { phAufrufe.push_back("ZeiIdxsetOeffnen(" + std::to_string(anzahl) + ")"); }
void ZeiTxtsetOeffnen(int anzahl) { phAufrufe.push_back("ZeiTxtsetOeffnen(" + std::to_string(anzahl) + ")"); }
void ZeiMstEntfOeffnen(int anzahl) { phAufrufe.push_back("ZeiMstEntfOeffnen(" + std::to_string(anzahl) + ")"); }
void ImpDlgOeffnen(int art, const char* quelle, const char* stamm, const char* endung)
{
    phAufrufe.push_back("ImpDlgOeffnen(" + std::to_string(art) + "," + phText(quelle) + "," + phText(stamm) + "," +
                        phText(endung) + ")");
}
void ExportOeffnen() { phAufrufe.push_back("ExportOeffnen()"); }
int DruckStart()
{
    phAufrufe.push_back("DruckStart()");
    return phDruckAbbruch ? 0 : 1;
}
int DruckSatzAnzahl() { return 1; }
int DruckDuplex() { return phDruckDuplex; }
int ZeichnungDrucken(const char* datei)
{
    std::string d = phText(datei);
    size_t s = d.find_last_of("/\\");
    phAufrufe.push_back("ZeichnungDrucken(" + (s == std::string::npos ? d : d.substr(s + 1)) + ")");
    return 0;
}
int DruckLeerseite()
{
    phAufrufe.push_back("DruckLeerseite()");
    return 0;
}
void DruckEnde() { phAufrufe.push_back("DruckEnde()"); }
void PhDruckAbbruch(int abbruch) { phDruckAbbruch = abbruch; }
void PhDruckDuplex(int duplex) { phDruckDuplex = duplex; }
