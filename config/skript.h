// Dialog text resources: RCDATA "<dialog>_TEXT" in the dialog's module,
// lines of a key and its text. Prefix none (the system's names). Assertion
// texts name the module "skript". Calls platform/ressource, the
// window-system interface (wiDlgModul, current dialog) and support.
#pragma once

#include <cstddef>

inline constexpr int SKRIPTSUP = 10000;   // block size; holds 9999 characters
inline constexpr int DLGTEXTSUP = 250;

// A new zero-filled block of SKRIPTSUP bytes with the resource's text (at
// most 9999 bytes), or NULL when the resource does not exist. ffree it.
char* SkriptLaden(const char* name);
// 1 and the text of the first line whose first word equals the key
// (ignoring case), blanks around it removed; else 0 and an empty out.
int SkriptZeile(const char* text, const char* schluessel, char* aus, size_t groesse);
// The key's text in the next dialog text buffer, "\n" pairs turned into
// CR LF; empty when resource or key are missing.
const char* SkriptText(const char* name, const char* schluessel);
const char* DlgText(const char* schluessel);
