// The choosers of the text dialog: the project's articles (DB1210) and
// the line chooser of a text file (DB1204T standard texts, DB1204V
// variables): the file's lines in a list, the chosen one handed to the
// opener's callback; the file can be edited outside and is read again when
// the dialog is activated afterwards. Prefix `Wahl`. Calls the dialog frame,
// winlib, config (texts), support (files, code pages) and textdat.
#pragma once

#include <string>
#include <vector>

using WahlRueckruf = void (*)(const char* zeile);

// Opens DB1204T or DB1204V on the file; a chooser of that template already
// open is raised and takes the new file and callback.
void DB1204Oeffnen(const char* vorlage, const char* pfad, WahlRueckruf rueckruf);

// The lines as the list shows them: at most WAHLZEILESUP characters each,
// from the DOS code page, tabs expanded to multiples of 8.
inline constexpr int WAHLZEILESUP = 200;
std::vector<std::string> WahlZeilenLesen(const char* pfad);

// The article chooser DB1210: a line per article of the project's list
// (the number padded to the longest number + 2, then its first text), the
// chosen line handed to the callback.
void DB1210Oeffnen(WahlRueckruf rueckruf);
std::vector<std::string> WahlArtikelZeilen();
