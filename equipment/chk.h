// Check lists: five lists of coded texts, each in its own file
// "Checkliste<n+1>.zvk" of the project folder and reread when the file's
// watch record (config/datwache) reports it changed, the text variables
// that show them, and one more list read from and appended to the end of
// any text file as a ")F" block. Prefix `Chk`. Calls support (files,
// texts), config (watch records, language) and equipment/fstx.
//
// Invariants: every list is sorted by number, then code ignoring case, at
// every moment (inserts go to their place), so binary searches find every
// record and no (number, code) pair is held twice.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int CHKLISTEN = 5;      // lists 0..4 (1..5 for the user)
inline constexpr int CHKCODESUP = 4;     // code
inline constexpr int CHKTEXTSUP = 100;   // text

struct CHKEINTRAG {
    int32_t nummer;   // 0 the value; 10 the choices ("," separated); 1..9 per language
    char code[CHKCODESUP + 1];
    char text[CHKTEXTSUP + 1];
};

void ChkInit();
void ChkFrei();
// Project change: nothing; the watch records notice the new folder.
void BMWechselLeer();
void ChkDateiName(int n, char* puffer, size_t groesse);
void ChkTextDateiName(int n, char* puffer, size_t groesse);
// 0, or -1 when the file cannot be opened (the list is then empty).
int ChkListeLesen(int n);
// 0, or -1 when the file cannot be written (the old file stays as it was).
int ChkListeSchreiben(int n);
int ChkListeDatei(int n, int schreiben);
// Rereads list n when its file changed, marks it current; the file's path.
void ChkPfad(int n, char* puffer, size_t groesse);
// Text outputs take CHKTEXTSUP + 1 bytes.
void ChkTextHolen(int n, const char* code, char* text);
int ChkTextSetzen(int n, const char* code, const char* text);
int ChkEintragSetzen(int n, int nummer, const char* code, const char* text);
void ChkNummernLoeschen(int n);
void ChkSortieren(int n);
int ChkAnzahl(int n);
int ChkEintrag(int n, int i, CHKEINTRAG* e);
// "@C", the list digit, then up to four characters of code.
void ChkTextVariable(const char* variable, char* text);

void ChkAnhangInit();
void ChkAnhangFrei();
int ChkAnhangLesen(const char* pfad);
int ChkAnhangSchreiben(const char* pfad);
void ChkAnhangText(int nummer, const char* code, char* text);
int ChkAnhangSetzen(int nummer, const char* code, const char* text);
void ChkAnhangUebernehmen(int n);
int ChkAnhangAnzahl();
