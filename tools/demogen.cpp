// Library and demo project from the text sources (see demogen.h). Every
// binary byte comes from ZeiAusText and BauAufnehmen; the section text files
// of the project are taken over as the program wrote them.
#include "tools/demogen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "config/verzeich.h"
#include "model/bauteil.h"
#include "model/zeichnun.h"

namespace fs = std::filesystem;

namespace {

// The source files of a folder with their suffix, sorted by name (the
// library's entry order and the order of the report follow it).
std::vector<fs::path> demoQuellen(const fs::path& ordner, const std::string& suffix)
{
    std::vector<fs::path> n;
    std::error_code f;
    for (auto& e : fs::directory_iterator(ordner, f)) {
        if (e.is_regular_file() && e.path().extension() == suffix) n.push_back(e.path());
    }
    std::sort(n.begin(), n.end());
    return n;
}

int demoFehler(const std::string& was, const fs::path& pfad)
{
    std::fprintf(stderr, "velmo_demo: %s: %s\n", was.c_str(), pfad.string().c_str());
    return -1;
}

// One drawing from its text form; a text without a format record is refused
// (it would give a drawing of unknown size).
// The drawing header keeps at most ZEIKURZSUP characters of the short text
// (the first text of "ZAT"); a longer one would show cut in the drawing list.
bool demoKurztextPasst(const fs::path& quelle)
{
    std::FILE* f = std::fopen(quelle.string().c_str(), "rb");
    if (!f) return true;  // ZeiAusText reports the unreadable source
    char zeile[1024];
    bool passt = true;
    while (passt && std::fgets(zeile, sizeof zeile, f)) {
        if (std::strncmp(zeile, "ZAT \"", 5) != 0) continue;
        const char* e = std::strchr(zeile + 5, '"');
        passt = e != nullptr && e - (zeile + 5) <= ZEIKURZSUP;
    }
    std::fclose(f);
    return passt;
}

int demoZeichnung(const fs::path& quelle, const fs::path& ziel)
{
    if (!demoKurztextPasst(quelle)) return demoFehler("Kurztext l�nger als " + std::to_string(ZEIKURZSUP) + " Zeichen", quelle);
    int r = ZeiAusText(ziel.string().c_str(), quelle.string().c_str());
    if (r < 0) return demoFehler("Zeichnung nicht erzeugt", ziel);
    if (r == 0) return demoFehler("Textform ohne Formatzeile", quelle);
    return 0;
}

int demoKopieren(const fs::path& von, const fs::path& nach)
{
    std::error_code f;
    fs::copy_file(von, nach, fs::copy_options::overwrite_existing, f);
    return f ? demoFehler("nicht kopiert", von) : 0;
}

}  // namespace

std::string DemoBibPfad(const std::string& ziel)
{
    return (fs::path(ziel) / "data" / (std::string("BAUTEILE.") + DEMOBIBSUFFIX)).string();
}

int DemoBibliothek(const std::string& quellen, const std::string& datei)
{
    const fs::path bib(datei);
    std::error_code f;
    fs::create_directories(bib.parent_path(), f);
    fs::remove(bib, f);
    BauCacheSetzen(0);
    if (BauBibAnlegen(datei.c_str(), 10) != 0) return demoFehler("Bibliothek nicht angelegt", bib);
    BauBibHandle h;
    if (BauBibOeffnen(&h, datei.c_str()) != 0) return demoFehler("Bibliothek nicht geöffnet", bib);
    const fs::path zwischen = bib.parent_path() / "velmo_demo.tmp";
    int r = 0;
    for (const fs::path& q : demoQuellen(fs::path(quellen) / "bauteile", ".txt")) {
        std::string name = q.stem().string();
        if (BauNameGueltig(name.data()) != 0 || name != q.stem().string()) {
            r = demoFehler("ungültiger Bauteilname", q);
            break;
        }
        if (BauVorhanden(name.c_str())) {
            r = demoFehler("Bauteil doppelt", q);
            break;
        }
        if (demoZeichnung(q, zwischen) != 0 || BauAufnehmen(&h, name.c_str(), zwischen.string().c_str()) != 0) {
            r = demoFehler("Bauteil nicht aufgenommen", q);
            break;
        }
    }
    fs::remove(zwischen, f);
    BauBibZu(&h);
    BauBibSchliessen();
    if (r != 0) fs::remove(bib, f);  // no half library stays behind
    return r;
}

int DemoProjekt(const std::string& quellen, const std::string& ziel)
{
    const fs::path q(quellen);
    const fs::path projekt = fs::path(ziel) / "demo" / "Projekt";
    std::error_code f;
    fs::create_directories(projekt, f);
    if (f) return demoFehler("Ordner nicht angelegt", projekt);
    // Drop what an earlier run left, so a removed source leaves no file.
    for (auto& e : fs::directory_iterator(projekt, f)) {
        if (e.is_regular_file()) fs::remove(e.path(), f);
    }
    VerSetzen(1, projekt.string().c_str());
    for (const fs::path& z : demoQuellen(q / "zeichnungen", ".txt")) {
        if (demoZeichnung(z, projekt / z.stem()) != 0) return -1;
    }
    for (auto& e : fs::directory_iterator(q / "projekt", f)) {
        if (e.is_regular_file() && demoKopieren(e.path(), projekt / e.path().filename()) != 0) return -1;
    }
    // The demo macro goes beside the command file: a working copy puts both
    // beside the library, where the editor looks for macros.
    if (demoKopieren(q / "Demo.mac", fs::path(ziel) / "demo" / "Demo.mac") != 0) return -1;
    return demoKopieren(q / "start.txt", fs::path(ziel) / "demo" / "start.txt");
}

int DemoAlles(const std::string& quellen, const std::string& ziel)
{
    if (DemoBibliothek(quellen, DemoBibPfad(ziel)) != 0) return -1;
    return DemoProjekt(quellen, ziel);
}
