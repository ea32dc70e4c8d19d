// File and folder dialogs of the window library: open, open-free and save
// with a filter whose last character is its separator, multiple selection
// and the folder browser. The working folder is saved and restored around
// each dialog. Prefix `wi`. May call platform/, support/ and the dialog
// manager (the owner is the current dialog).
#pragma once

inline constexpr int WIDATEISUP = 200;        // characters of a path
inline constexpr int WIMEHRFACHSUP = 10000;   // buffer of a multiple choice

// Modes: 0 open (must exist), 1 open (nothing must exist), 2 save.
// path: in the initial path, out the choice (WIDATEISUP + 1 bytes). 1 or 0.
int wiDateiDialog(char* pfad, const char* titel, const char* filter, int modus);
int wiDateiWahl(char* pfad, const char* titel, const char* filter);
int wiDateiWahlFrei(char* pfad, const char* titel, const char* filter);
int wiDateiSpeichern(char* pfad, const char* titel, const char* filter);
int wiOrdnerWahl(char* pfad, const char* titel);
// 0 cancelled, 1 one file (path copied back), 2 several.
int wiDateiMehrfach(char* pfad, const char* titel, const char* filter);
int wiDateiMehrfachWahl(char* pfad, const char* titel, const char* filter);
// folder + '/' + the n-th name (from 0) into path (WIDATEISUP + 1); 1, or 0
// with an empty path when there are fewer names.
int wiDateiMehrfachName(int n, char* pfad);
// (the path buffers above hold WIDATEISUP + 1 bytes)
// The filter translation: copies at most 200 characters; the last character
// is the separator and becomes a zero everywhere. Returns the length used
// (terminators included, closed by two zeros) in `ziel` (>= 202 bytes).
int wiFilterUebersetzen(const char* filter, char* ziel, int groesse);
