// Colour names: the table of "rgb.txt" (lines of red, green, blue and a
// name) and the replacement of a colour name by its "r g b" text, used by
// the pen styles of every device and by the drawing settings. Prefix `Rgb`.
// Calls config/ (directory kinds), support/ (buffered files, texts) and the
// locations of platform/.
//
// The file is read from the application-data folder, else from the shipped
// data. The table loads on first use, and again on each use while it is
// empty (a missing file leaves it empty, so every name reads as black).
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int RGBSUP = 100;       // entries of the table
inline constexpr int RGBNAMESUP = 20;    // characters of a name
inline constexpr int RGBZEILESUP = 78;   // characters of a line read

struct RGBNAME {
    uint16_t r, g, b;
    char name[RGBNAMESUP + 1];
};

// Replaces the colour name in `text` (capacity `kap`) by "%d %d %d" of the
// first entry whose name equals it ignoring case (blanks around the name do
// not count); an unknown name gives "0 0 0".
void RgbAusFarbname(char* text, size_t kap);
// Loads the table from the file; the number of entries, -1 when the file
// cannot be opened or was read short (the table is then empty).
int RgbLaden();
// The path of "rgb.txt" as read.
void RgbPfad(char* puffer, size_t groesse);
// The entry count and entry i (0..count-1; null outside), loading first.
int RgbAnzahl();
const RGBNAME* RgbEintrag(int i);
// Empties the table so that the next use reads the file again.
void RgbVergessen();
