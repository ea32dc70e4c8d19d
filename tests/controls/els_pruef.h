// Test helpers shared by the sectioned-table and record-list tests: a
// fixture base on the test dialog whose `befehl` runs a command of list
// h3::LISTE and delivers what it posted, and the clipboard's text.
#pragma once

#include <string>

#include "support/speicher.h"
#include "tests/controls/ctlh3_pruef.h"
#include "winlib/dlgitem.h"

namespace els {

template <void (*Befehl)(int id, int befehl)>
class Fixture : public h3::Fixture {
public:
    void befehl(int b)
    {
        Befehl(h3::LISTE, b);
        h3::pumpen();
    }
    std::string clip()
    {
        char* t = wiClipHolenNeu();
        std::string s = t ? t : "";
        ffree(t);
        return s;
    }
};

}  // namespace els
