// The generator of the shipped content: the symbol library, the demo
// project and the large benchmark projects, all written by the system's own
// writers (drawing text import, library append, equipment store) from the
// text sources under demo/quellen. Prefix `Demo`. Calls model/ (drawing
// files, libraries, text form), equipment/ (the store and its lists) and
// config/ (directory kinds, defaults set).
//
// Layout of the sources (QUELLEN = demo/quellen):
//   bauteile/NAME.txt     one component per file, in drawing text form; its
//                         header record holds the German name and short text
//   zeichnungen/NAME.txt  one demo sheet per file, in drawing text form
//   projekt/*             the project's section text files (equipment data,
//                         titles, texts by language, check list, defaults
//                         set), kept as the program writes them
//   start.txt             the demo command file
//   Demo.mac              the demo macro (a working copy puts it beside the
//                         library, where the editor looks for macros)
// Output below DEST: demo/Projekt/*, demo/start.txt, demo/Demo.mac and
// data/BAUTEILE.STD,
// so that DEST = the checkout regenerates the committed files in place.
// Nothing carries a time stamp: two runs give identical bytes.
#pragma once

#include <string>

inline constexpr const char* DEMOBIBSUFFIX = "STD";   // the shipped library "BAUTEILE.STD"
inline constexpr const char* DEMOSTAMM = "HV1";       // stem of the demo sheets

// Path of the library file below a destination root.
std::string DemoBibPfad(const std::string& ziel);

// Builds the library file from QUELLEN/bauteile into `datei` (replaced).
// 0, or -1 with a message on stderr.
int DemoBibliothek(const std::string& quellen, const std::string& datei);

// Builds demo/Projekt, demo/start.txt and demo/Demo.mac below `ziel` (the folder
// demo/Projekt is emptied of files first). 0 or -1.
int DemoProjekt(const std::string& quellen, const std::string& ziel);

// Library and demo below `ziel`. 0 or -1.
int DemoAlles(const std::string& quellen, const std::string& ziel);

// A benchmark project of `blaetter` sheets and `geraete` devices in the
// folder `ordner` (created), with the library beside it. Deterministic
// content from a fixed seed. 0 or -1.
int DemoGross(const std::string& quellen, int blaetter, int geraete, const std::string& ordner);
