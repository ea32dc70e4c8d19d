// Names and title of the library chooser.
#include "editdlg/db1232.h"

#include <cstdio>

#include "config/reaktion.h"
#include "equipment/bm.h"
#include "model/bauteil.h"
#include "winlib/meldung.h"

const char* Db1232Titel(int art)
{
    switch (art) {
    case 0: return "Dispobauteil";
    case 1: return "Prinzipbauteil";
    default: return "Kontaktspiegelbauteil";
    }
}

int Db1232Namen(int art, const char* aktuell, std::vector<std::string>* namen)
{
    namen->clear();
    const bmvorgaben& v = BMVorgaben();
    const char* bib = art == 0 ? v.bmdzus : art == 1 ? v.bmpzus : aktuell;
    BauBibHandle h;
    if (!bib || !bib[0] || BauBibOeffnen(&h, bib) != 0) {
        char t[300];
        std::snprintf(t, sizeof t, TextNr1000(330), bib ? bib : "");
        wiMeldung("%s", t);
        return -1;
    }
    for (int i = 0; i < h.anzahl; ++i) {
        char n[BAUNAMSUP + 1];
        BauNameHolen(&h, i, n, sizeof n);
        namen->emplace_back(n);
    }
    BauBibZu(&h);
    return 0;
}
