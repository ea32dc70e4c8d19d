// The editor's three small dialogs: DB1345 (start points of a series of
// parallel lines), DB1312 (the values of a macro's "Input" lines, then the
// macro runs with "$I<d>" replaced) and DB1006 (export of the drawing or the
// marked elements to a file of one of seven kinds). Each opens under its own
// name through the editor's dialog opener. Prefix `Kd` for the module's own
// names, the openers keep the system's. Calls the dialog frame and shared
// pieces of editdlg/, the editor (queue, macros, export, messages, wait
// cursor), winlib (dialog items, file dialog), config (numbered texts).
#pragma once

#include <string>

inline constexpr int KDWERTSUP = 5;      // macro values "$I0".."$I4"
inline constexpr int KDWERTLAENGE = 40;  // characters a value keeps
inline constexpr int KDEXPORTARTEN = 7;  // file kinds of the export

void DB1345Oeffnen();
// Asks for the values of the macro (file name without extension), then runs it.
void DB1312Oeffnen(const char* makro);
void DB1006Oeffnen();

// The macro line with every "$I<d>" (I in either case) replaced by value d;
// digits above 4 take value 4, as the "Input" lines' indices do. The result
// grows as needed.
std::string KdWerteEinsetzen(const char* zeile, const std::string werte[KDWERTSUP]);

// What DB1312 shows of a macro: the last "Text" line's rest and, per value,
// the last "Input <d>" line's rest (indices outside 0..4 taken as the
// nearest); lines are read up to MAKROZEILESUP characters.
struct KdMakroKopf {
    bool hatText = false;
    std::string text;
    bool hatLabel[KDWERTSUP] = {};
    std::string label[KDWERTSUP];
};
// 1 read, 0 no such file, -1 read short.
int KdMakroKopfLesen(const char* pfad, KdMakroKopf* k);
