// The equipment store of the open project: the settings block, the lists'
// life, the equipment file "BMittel.zvk" (lazy load, reload rule, atomic
// write beside its ".bak"), the commit, the end of an editor command and
// the project change; registers the equipment services into model/ at
// start. Prefix `BM`. Calls the sections (ges, btl, the stand-ins), the
// reload rule (wache), model (service table), config and support.
#pragma once

#include <cstdint>

inline constexpr int BMTEXTSUP = 40;

// The equipment settings ("BM..." keys of the defaults set, "AP-BM..." of
// the workstation).
struct bmvorgaben {
    int bmuse, bmduse, bmpuse, bmluse;
    char bmdzus[21], bmpzus[21];
    int spfort, spblatt;
    double spnull, spabst;
    char bmkenn[BMTEXTSUP + 1], bmfkenn[BMTEXTSUP + 1];
    int bmnorm, bmseite, bmpfad, bmksnull, bmzkenn, bmzkab2, bmtzfeld;
    int bmtext[6], bmtexth;
    double bmyatext, bmyabau;
    int bmhbzu, bmzknvrw, bmzkdnam, bmzkzei;
    double bmzkyoff, bmzktg;
    int bmbpzei;
    double bmbpyoff, bmbptg;
    int bmfbpzei;
    double bmfbpyoff;
    int bmkop[6], bmfkuse[6];
    int listxt[5];   // "AP-BMLisTxt", each 0..5
    int lisanz;      // values of 1 or more
    int zeiflt;      // "AP-BMZeiFlt", 1 when empty
    int gelesen;     // read at least once
};

const bmvorgaben& BMVorgaben();
void BMVorgabenLesen();
void BMListenInit();
void BMListenFrei();
void BMStart();
void BMStartErzwungen();
void BMEnde();
void BMEndeErzwungen();
int BMVerwendet();
int BMGeladen();
// Raised by every successful load of the equipment file (tests, caches).
int BMStand();

int BMDateiLesen();
// 0 written; -1 when the file could not be written (the old file, the
// lists' marks and the store's state stay); 1 while "BMHAUPT.ZVK" exists.
int BMDateiSchreiben();
int BMDateiAnlegen();
void BMDateiAktuell(int anlegen);
void BMListenVerwerfen();
// Drops the lists when they hold changes not in the file; lists as read
// are kept: BMDateiAktuell reads the file again at their next use if it
// changed since, so a reader sees the file as saved either way.
void BMListenWieDatei();
// 0 done or nothing to do; -1 (and a warning box) when writing failed.
int BMListenSpeichern(int schreiben);
void BMBefehlEnde();
void BMProjektWechsel();
// Marks the data not loaded and loads it again from the project folder.
void BmDatenNeuLaden();

// The file "BMHAUPT.ZVK" of the older version exists in the project folder.
int Zv7DateiVorhanden();

// Resets the store to "never started" (tests, module exit).
void BMZuruecksetzen();
