// ORVASHOW, the read-only display field: its text rules as functions over
// texts (the window procedure is registered by the class core).
// Prefix `show`. May call: the edit field's number rules.
#pragma once

#include <string>

inline constexpr int SHOWWERTSUP = 2000;    // characters of a value
inline constexpr int SHOWLISTESUP = 200;    // characters of a choice list
inline constexpr int SHOWAUTOSUP = 80;      // characters looked at for auto decimals

// Entry n (from 0, n read from the value as the C library's atoi does) of a
// list split at its own first character; the value itself when the list has
// no such entry.
std::string showAuswahl(const std::string& liste, const std::string& wert);
// Auto decimals: the number of digits after the first '.' or ',' within the
// first 80 characters, at most 5.
int showDezimalen(const std::string& text);
