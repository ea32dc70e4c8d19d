// For tests only: an assertion handler that throws, so that a test can expect
// an assertion ("struarr", 99) instead of the process ending. Header-only;
// production code never includes it.
//
//   AssertWirft wirft;                         // installed for this scope
//   EXPECT_THROW(saanhaengen(...), AssertAusnahme);
#pragma once

#include <stdexcept>
#include <string>

#include "support/basis.h"

struct AssertAusnahme : std::runtime_error {
    std::string datei;
    int zeile;
    std::string ausdruck;
    AssertAusnahme(const char* d, int z, const char* a)
        : std::runtime_error(std::string("ASSERT ERROR ") + (d ? d : "") + "." + std::to_string(z) +
                             " " + (a ? a : "")),
          datei(d ? d : ""), zeile(z), ausdruck(a ? a : "")
    {
    }
};

[[noreturn]] inline void assertWerfen(const char* datei, int zeile, const char* ausdruck)
{
    throw AssertAusnahme(datei, zeile, ausdruck);
}

// Installs the throwing handler for the lifetime of the object.
class AssertWirft {
public:
    AssertWirft() : alt_(wiAssertHandlerSetzen(assertWerfen)) {}
    ~AssertWirft() { wiAssertHandlerSetzen(alt_); }
    AssertWirft(const AssertWirft&) = delete;
    AssertWirft& operator=(const AssertWirft&) = delete;

private:
    WiAssertHandler alt_;
};
