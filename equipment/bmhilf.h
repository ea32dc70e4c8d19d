// Helpers shared by the equipment sections: locale-free numbers as the
// files hold them ("%d", "%.5f", `atoi`/`atof` semantics), fields cut at the
// separator 0x1C, and the error log "fehler.txt" of over-long fields.
// Prefix `Bmh`. Calls support (buffered files, texts) and config (PfadBilden).
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

inline constexpr char BMTRENNER = 0x1C;  // field separator of record lines
inline constexpr int BMZEILESUP = 4096;  // longest record line read whole

// `atoi` / `atof` in the "C" locale: leading white space, the longest valid
// prefix, 0 when there is none; atoi clamps to the int range.
int BmhAtoi(const char* text);
double BmhAtof(const char* text);

// Warns "Kann <path> nicht lesen." for a project file read short.
void BmhLesefehler(const char* pfad);

// Appends "%d", "%04X" or "%.5f" (always '.') to a line.
void BmhInt(std::string& zeile, long wert);
void BmhHex(std::string& zeile, unsigned long wert);
void BmhFix5(std::string& zeile, double wert);
// Appends text and the separator.
void BmhFeld(std::string& zeile, const char* text);

// Takes the next field of *p up to 0x1C (or the end) into ziel, cut to at
// most `breite` characters and to the capacity; *p moves past the separator.
void BmhFeldAb(char* ziel, size_t kap, int breite, const char** p);
template <size_t N> void BmhFeldAb(char (&ziel)[N], int breite, const char** p) { BmhFeldAb(ziel, N, breite, p); }
// Next field as a text (uncut).
std::string BmhFeldText(const char** p);

// Copies text cut to `breite` characters (and the capacity).
void BmhKopie(char* ziel, size_t kap, const char* text, int breite);
template <size_t N> void BmhKopie(char (&ziel)[N], const char* text, int breite) { BmhKopie(ziel, N, text, breite); }

// Appends lines (each ends with LF) to "fehler.txt" of the project folder
// (directory kind 1, the working directory); 0 or -1.
int BmhFehlerLog(const std::string& zeilen);
// "  xx %d %-20.20s" for one field.
std::string BmhFehlerZeile(const char* kuerzel, const char* text);

// Record lines of a section kept as read, to be parsed when the records are
// first used: a line costs its own bytes, where a parsed record costs its
// whole fixed-width layout. Blocks are never moved or grown.
class BmhZeilen {
public:
    void leeren();
    void anfuegen(const char* zeile);  // one line, without its end
    bool leer() const { return bloecke_.empty(); }
    // fn(const char* zeile) for every line in the order added.
    template <class Fn> void durchlaufen(Fn fn) const
    {
        for (size_t b = 0; b < bloecke_.size(); ++b) {
            const char* p = bloecke_[b].get();
            const char* ende = p + (b + 1 == bloecke_.size() ? belegt_ : laengen_[b]);
            for (; p < ende; p += std::char_traits<char>::length(p) + 1) fn(p);
        }
    }

private:
    std::vector<std::unique_ptr<char[]>> bloecke_;
    std::vector<size_t> laengen_;  // bytes used of each full block
    size_t belegt_ = 0;            // bytes used of the last block
};
