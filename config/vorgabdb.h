// The key descriptions of "Vorgaben.txt" for the settings pages: groups
// (name, title, key patterns) and per key its caption and info lines.
// Prefix `VgbDb`. Calls the file-system boundary, the ini path (for the
// "ZAVIKINI" info lines) and support (the patterns of mustervgl).
//
// File form: ")I" and on the next line a group: name, "title", patterns;
// ")S key [argument]" then the caption line (the argument goes into its
// first "%s" or "%d"; every other '%' stays text), then info lines up to the
// next line beginning with ")"; "+)IV ZAVIKINI" / "+)ID ZAVIKINI" show the
// ini file's folder / name; a line beginning with "+)T" opens a skipped
// block that ends at the line equal to it without the '+', and the line
// after that end is the next info line.
#pragma once

#include <string>
#include <vector>

struct VgbDbGruppe {
    std::string name;
    std::string titel;
    std::vector<std::string> muster;
};

struct VgbDbInfo {
    std::string text;
    bool iniSchrift = false;  // shown in the variable-pitch workstation font
};

struct VgbDbSchluessel {
    std::string schluessel;
    std::string argument;
    std::string titel;  // the caption, the argument put in
    std::vector<VgbDbInfo> info;
};

struct VgbDb {
    std::vector<VgbDbGruppe> gruppen;
    std::vector<VgbDbSchluessel> schluessel;
};

// Reads the file; -1 when it cannot be read.
int VgbDbLaden(const char* pfad, VgbDb& db);
// The group of that name (ignoring case), or nullptr.
const VgbDbGruppe* VgbDbGruppeSuchen(const VgbDb& db, const char* name);
// The described keys matching one of the group's patterns, in file order.
std::vector<const VgbDbSchluessel*> VgbDbGruppenSchluessel(const VgbDb& db, const VgbDbGruppe& g);
// The caption format with the argument put into its first "%s" or "%d".
std::string VgbDbTitel(const std::string& format, const std::string& argument);
