// Stand-ins of the rendering, output and interchange services (see
// platzhalter.h). The viewer page is kept as its title only: no viewer
// window exists until the viewer lands.
#include "output/platzhalter.h"

#include "config/datwache.h"
#include "support/texte.h"
#include "winlib/tbarhaken.h"

namespace {
std::vector<std::string> phAufrufe;
std::string phShowTitel;
int phShowOffen = 0;
int phToolbarBib = 0;
}  // namespace

std::vector<std::string>& PhAusgabeAufrufe()
{
    return phAufrufe;
}

void ShowZeiAnzeigen(const char* pfad)
{
    phShowTitel = pfad != nullptr ? pfad : "";
    phShowOffen = 1;
    phAufrufe.push_back("ShowZeiAnzeigen(" + phShowTitel + ")");
}

HWND ShowOffen()
{
    return 0;
}

void ShowTitel(char* puffer)
{
    // Callers pass buffers of at least 100 characters.
    strkopie(puffer, 100, phShowOffen ? phShowTitel.c_str() : "", 99);
}

void ShowBefehlSenden(int id)
{
    phAufrufe.push_back("ShowBefehlSenden(" + std::to_string(id) + ")");
}

void ShowAktivieren()
{
    phAufrufe.push_back("ShowAktivieren()");
    DatNeuPruefen(1);
}

void ToolbarBibLaden()
{
    if (phToolbarBib) {
        return;
    }
    TbarGroesseSetzen();
    phToolbarBib = 1;
}

void ToolbarBibFrei()
{
    phToolbarBib = 0;
}

int PhToolbarBibAn()
{
    return phToolbarBib;
}

void BildBibLaden() {}
void BildBibFrei() {}
void AnsichtKlasseAnmelden() {}
void AnsichtKlasseAbmelden() {}
void AusgabeInit() {}
void AusgabeEnde() {}
void RenderMerkerLoeschen() {}

void SchriftSetzen(int n, const char* name, int attribut)
{
    phAufrufe.push_back("SchriftSetzen(" + std::to_string(n) + "," + (name ? name : "") + "," +
                        std::to_string(attribut) + ")");
}

void DxfExport(const char* dxf, const char* zeichnung)
{
    phAufrufe.push_back(std::string("DxfExport(") + dxf + "," + zeichnung + ")");
}

void DxfImport(const char* dxf, const char* zeichnung)
{
    phAufrufe.push_back(std::string("DxfImport(") + dxf + "," + zeichnung + ")");
}
