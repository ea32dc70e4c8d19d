// Parser of resource scripts: turns the .rc files of one module into an
// RcModul. Used at run time by the resource registry (ressource.cpp) and at
// build time by the packer (platform/rcpack), so that a script that fails here
// fails the build with the same message. Prefix `rc`. Calls only the C++
// runtime and platform/cp1252; files come through a reader the caller gives.
//
// Syntax (UTF-8 scripts; strings become code page 1252):
//   #define NAME expression        #include "file"     // and /* */ comments
//   STRINGTABLE BEGIN id, "text" ... END
//   name RCDATA BEGIN "bytes" ... END     name RCDATA "file"
//   name BITMAP|ICON|CURSOR "file"
//   name DIALOG x, y, cx, cy  [STYLE e] [EXSTYLE e] [CAPTION "t"]
//        [FONT size, "face"] [MENU name] [CLASS "name"]
//        BEGIN CONTROL "text", id, "class", style, x, y, cx, cy[, exstyle] ... END
//   name MENU BEGIN POPUP "t" BEGIN ... END  MENUITEM "t", id[, flags]
//        MENUITEM SEPARATOR ... END
//   name ACCELERATORS BEGIN "^O"|"a"|VK_F1|65, id[, VIRTKEY ASCII SHIFT
//        CONTROL ALT NOINVERT] ... END
// Expressions join numbers, #define names and the named Windows constants by
// '|' or '+' (also unary '-', '~' and parentheses); an unknown name is an
// error. String escapes: \0 \n \r \t \\ \" \xHH and "" for a quote. RCDATA
// strings get no terminator. BEGIN/END may be written { }.
// Every error reads "file:line: message".
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ressource.h"

// A resource name: a number or a text (kept as written; compared through
// its upper-case form).
struct RcName {
    bool istZahl = false;
    WORD zahl = 0;
    std::string text;
    std::string gross;  // upper case (system case map), for comparison
};

// One resource of a module other than a string table text.
struct RcEintrag {
    WORD typ = 0;  // RT_... number
    RcName name;
    std::string bytes;  // RCDATA and images
    std::string datei;  // images: file as written
    std::shared_ptr<RcDialog> dialog;
    std::shared_ptr<RcMenue> menue;
    std::shared_ptr<RcAccel> accel;
    std::shared_ptr<RcBild> bild;
};

struct RcModul {
    std::string name;
    std::map<WORD, std::string> texte;
    std::vector<RcEintrag> eintraege;
};

// Reads a file of the module by its path relative to the module folder
// ('/' separated, normalised); false when it does not exist.
using RcLeser = std::function<bool(const std::string& pfad, std::string& inhalt)>;

// Parses the scripts (paths relative to the module folder) of one module in
// the given order. On error: false and "file:line: message" in `fehler`.
// `gelesen` (optional) receives every path read, scripts included.
bool rcModulParsen(const std::string& name, const std::vector<std::string>& skripte,
                   const RcLeser& leser, RcModul& modul, std::string& fehler,
                   std::vector<std::string>* gelesen = nullptr);

// Builds a name from a Windows-shaped argument (MAKEINTRESOURCE or text,
// "#123" as a number).
RcName rcNameAus(LPCSTR name);
bool rcNameGleich(const RcName& a, const RcName& b);

// Value of a named Windows constant the scripts may use; false when unknown.
bool rcKonstante(const std::string& name, long long& wert);

// Strict UTF-8 to code page 1252: false (and roughly where, in the
// converted text, in `fehlerStelle`) when a character has no place in 1252.
bool rcUtf8NachCp1252(const std::string& utf8, std::string& cp, size_t* fehlerStelle);

// ---- Modules parsed at build time ----------------------------------------------
// The packer stores each module as parsed, in bytes (rcModulPacken), so the
// program reads its resources without tokenising its scripts at start-up.
// The reader indexes the texts and the entries' names; an entry's content is
// unpacked only when it is first asked for. Reading the bytes back gives
// exactly what the parse gave.
std::string rcModulPacken(const RcModul& modul);

class RcGepackt {
public:
    // False when the bytes are not a packed module (or are cut short).
    bool oeffnen(std::string_view bytes);
    size_t eintraege() const { return anzEintraege_; }
    // Type and name of entry i (the order of the parse).
    bool kopf(size_t i, RcEintrag& e) const;
    // The rest of entry i: bytes, file, and its dialog, menu, table or image.
    bool inhalt(size_t i, RcEintrag& e) const;
    // The string table text `id`; false when the module has none.
    bool text(WORD id, std::string& aus) const;
    // Every text (for a whole unpacking).
    bool alleTexte(std::map<WORD, std::string>& aus) const;

private:
    std::string_view b_;
    size_t anzTexte_ = 0, anzEintraege_ = 0;
    size_t texteAb_ = 0, eintraegeAb_ = 0;
};

// Registers a module packed by the packer: its parsed bytes, and beside them
// its scripts and files (read only by rcModulSkripteParsen). Like
// rcModulAnmelden, it keeps the arrays, not copies: they must stay.
void rcModulGepacktAnmelden(const char* name, const char* const* skripte, int anzSkripte,
                            const RcGepackteDatei* dateien, int anzDateien, const char* gepackt,
                            unsigned long groesse);
// Parses the registered scripts of a module afresh, whatever it was packed
// as (so a check can set the parse beside what the program reads).
bool rcModulSkripteParsen(const std::string& name, RcModul& modul, std::string& fehler);
