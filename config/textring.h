// The ring of default texts behind the numbered texts and the button
// tooltips: ten static buffers of TEXTRINGLAENGE characters and a
// terminator, used in turn. Prefix none (the name is the system's). Calls
// nothing; the window utilities above use this one ring.
#pragma once

inline constexpr int TEXTRINGANZAHL = 10;
inline constexpr int TEXTRINGLAENGE = 500;

// Copies `text` (cut to 500 characters) into the next buffer and returns it;
// the text stays valid until ten further calls. Section and id are not used.
const char* TextRing(const char* abschnitt, int id, const char* text);
