// The desktop backend's conversions of outside clipboard data and drops:
// the input as another program's answer for text (UTF-8), for a file list
// (text/uri-list, as a drop brings it too) and for a registered format,
// taken into the layer's blocks and offered outside again; and as a file
// list block (DROPFILES) of the layer offered outside. Checked: a text
// block ends at its only NUL with every line end "\r\n", and a second round
// trip changes nothing the first left.
#include <cstring>
#include <string>
#include <vector>

#include "platform/ablegen.h"
#include "platform/gtk/gtkbackend.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

std::vector<uint8_t> gaRunde(const char* format, const std::vector<uint8_t>& block)
{
    const std::vector<uint8_t> aussen = plGtkClipNachAussen(format, block.data(), block.size());
    std::vector<uint8_t> zurueck;
    if (!plGtkClipVonAussen(format, aussen.data(), aussen.size(), &zurueck)) zurueck.clear();
    return zurueck;
}

void gaTextPruefen(const std::vector<uint8_t>& t)
{
    if (t.empty() || t.back() != 0 || std::memchr(t.data(), 0, t.size() - 1)) __builtin_trap();
    for (size_t i = 0; i + 1 < t.size(); ++i)
        if (t[i] == '\n' && (i == 0 || t[i - 1] != '\r')) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::start();
    std::vector<uint8_t> block;
    if (plGtkClipVonAussen("CF_TEXT", d, n, &block)) {
        gaTextPruefen(block);
        const auto b2 = gaRunde("CF_TEXT", block);
        gaTextPruefen(b2);
        if (gaRunde("CF_TEXT", b2) != b2) __builtin_trap();
    }
    if (plGtkClipVonAussen("CF_HDROP", d, n, &block)) {
        if (block.size() < sizeof(DROPFILES)) __builtin_trap();
        const auto b2 = gaRunde("CF_HDROP", block);
        if (!b2.empty() && gaRunde("CF_HDROP", b2) != b2) __builtin_trap();
    }
    if (plGtkClipVonAussen("ZavikStatus", d, n, &block) &&
        (block.size() != n || (n && std::memcmp(block.data(), d, n) != 0)))
        __builtin_trap();
    plGtkClipNachAussen("CF_HDROP", d, n);
    plGtkClipNachAussen("CF_TEXT", d, n);
    return 0;
}
