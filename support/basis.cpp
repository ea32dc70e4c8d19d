// The stand-ins of the assertion and trace hooks, and the switches that
// replace them. See basis.h. Calls only the C runtime.
#include "support/basis.h"

#include <cstdio>
#include <cstdlib>

namespace {

WiAssertHandler basisAssertHandler = nullptr;
WiDebugSenke basisDebugSenke = nullptr;

void basisDebugStandard(const char* text)
{
    std::fputs(text, stderr);
    std::fflush(stderr);
}

}  // namespace

void wiAssertStandard(const char* datei, int zeile, const char* ausdruck)
{
    std::fprintf(stderr, "ASSERT ERROR\n%s.%d\n%s\n", datei ? datei : "", zeile,
                 ausdruck ? ausdruck : "");
    std::fputs("Das Programm wird beendet.\n", stderr);
    std::fflush(stderr);
    std::_Exit(3);
}

void wiAssert(const char* datei, int zeile, const char* ausdruck)
{
    if (basisAssertHandler) {
        basisAssertHandler(datei, zeile, ausdruck);
    }
    // No handler, or one that came back: the caller cannot go on.
    wiAssertStandard(datei, zeile, ausdruck);
}

WiAssertHandler wiAssertHandlerSetzen(WiAssertHandler handler)
{
    WiAssertHandler alt = basisAssertHandler;
    basisAssertHandler = handler;
    return alt;
}

void wiDebugV(const char* format, va_list args)
{
    char text[WIDEBUGSUP];
    std::vsnprintf(text, sizeof text, format ? format : "", args);
    (basisDebugSenke ? basisDebugSenke : basisDebugStandard)(text);
}

void wiDebug(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    wiDebugV(format, args);
    va_end(args);
}

WiDebugSenke wiDebugSenkeSetzen(WiDebugSenke senke)
{
    WiDebugSenke alt = basisDebugSenke;
    basisDebugSenke = senke;
    return alt;
}
