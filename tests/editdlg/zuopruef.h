// Helpers of the assignment and label tests: a record with a text, a
// graphic state at a point, and how often the editor stand-ins were called
// a given way.
#pragma once

#include <string>

#include "editor/platzhalter.h"
#include "model/befehl.h"
#include "model/zustand.h"

namespace zuopruef {

inline BEF satz(int code, const char* text)
{
    BEF b{};
    b.code = static_cast<uint8_t>(code);
    BefTextSetzen(&b, text);
    return b;
}

inline STT bei(double x, double y)
{
    STT s{};
    SttInit(&s, nullptr);
    s.x = x;
    s.y = y;
    return s;
}

inline int aufrufe(const std::string& wie)
{
    int n = 0;
    for (const std::string& a : PhEditorAufrufe()) n += a == wie;
    return n;
}

}  // namespace zuopruef
