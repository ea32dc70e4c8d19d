// "Sprache.txt", the language names: the input as the program folder's
// file, read by the one reader, the name of each language number looked up
// and the "Sprachen" dialog's ten names taken from it.
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "config/reaktion.h"
#include "lists/stammdat.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::start({.programm = true});
    fz::datei("Sprache.txt", d, n);
    std::vector<SprZeile> zeilen;
    std::string pfad;
    if (SprDateiLesen(&zeilen, &pfad) != 0) __builtin_trap();
    if (zeilen.size() > SPRZEILENSUP) __builtin_trap();
    for (const SprZeile& z : zeilen) {
        if (z.text.size() > SPRZEILESUP || z.text.find_first_of("\r\n") != std::string::npos) __builtin_trap();
        if (z.name != (z.text.size() > 2 ? z.text.substr(2) : "")) __builtin_trap();
    }
    for (int nr : {-1, 0, 3, 9, 12}) {
        SprSetzen(nr);
        char name[SPRZEILESUP + 1];
        SprName(name, sizeof name);
    }
    std::array<std::string, SPRANZ> namen;
    if (SprNamenLesen(namen) != 0) __builtin_trap();
    for (const std::string& s : namen)
        if (s.size() > SPRZEILESUP) __builtin_trap();
    fz::leeren();
    return 0;
}
