// Code page 1252 <-> UTF-8 at the edges of the program (file names, Pango,
// clipboard, keys, window titles). Prefix `plCp`. Texts inside the program
// are code page 1252; the five bytes that code page leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) stand for U+0081 etc., so every byte string goes
// to UTF-8 and back unchanged. Calls only the C++ runtime.
#pragma once

#include <string>
#include <string_view>

// The character of one byte.
char32_t plCpUnicode(unsigned char byte);
// The byte of one character, or -1 when code page 1252 lacks it.
int plCpByte(char32_t zeichen);

// True when `s` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool plCpUtf8Gueltig(std::string_view s);

// Code page 1252 text to UTF-8.
std::string plCpNachUtf8(std::string_view cp);

// UTF-8 text to code page 1252: a character the code page lacks becomes '?'
// (counted in *ersetzt when given). Text that is not valid UTF-8 is taken
// byte for byte, as it would have been written by a code-page program.
std::string plCpAusUtf8(std::string_view utf8, int* ersetzt = nullptr);

// The same, and one line on stderr naming `wo` when a character was replaced.
std::string plCpAusUtf8Melden(std::string_view utf8, const char* wo);
