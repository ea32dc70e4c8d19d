// velmo_handbuch: writes the shipped books into a folder at build time.
//   velmo_handbuch QUELLE VORGABEN BIBLIOTHEK ZIEL
// QUELLE is tools/handbuch.txt, VORGABEN data/Vorgaben.txt, BIBLIOTHEK
// data/BAUTEILE.STD; ZIEL receives Velmo.pdf, PDFIndex.txt,
// Velmo-Handbuch.pdf and Velmo-Bauteile.pdf. Runs on the headless window
// system. Exit 0, or 1 after a line on stderr.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "frame/modstart.h"
#include "platform/backend.h"
#include "platform/fenster.h"
#include "platform/orte.h"
#include "tools/handbuch.h"

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "Aufruf: velmo_handbuch QUELLE VORGABEN BIBLIOTHEK ZIEL\n");
        return 2;
    }
    setenv("VELMO_BACKEND", "headless", 1);
    plOrtArgumenteSetzen(argc, argv);
    if (plFensterSystemStart() < 0) return 1;
    // The program's modules as at a start (defaults set, settings, editor
    // state): the component pictures are drawn as the editor draws them.
    ModuleStarten();
    const std::string ziel = argv[4];
    std::error_code f;
    std::filesystem::create_directories(ziel, f);
    int r = HbHandbuchSchreiben(argv[1], argv[2], ziel + "/Velmo.pdf", ziel + "/PDFIndex.txt");
    if (r == 0) {
        std::filesystem::copy_file(ziel + "/Velmo.pdf", ziel + "/Velmo-Handbuch.pdf",
                                   std::filesystem::copy_options::overwrite_existing, f);
        if (f) {
            std::fprintf(stderr, "velmo_handbuch: %s/Velmo-Handbuch.pdf: %s\n", ziel.c_str(), f.message().c_str());
            r = -1;
        }
    }
    if (r == 0) r = HbBauteileSchreiben(argv[3], ziel, ziel + "/Velmo-Bauteile.pdf");
    ModuleBeenden();
    plFensterSystemEnde();
    return r == 0 ? 0 : 1;
}
