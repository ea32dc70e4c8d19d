// Text heap of the drawing store: the texts of more than ten characters,
// NUL-terminated and packed one after another from offset 0, found through
// an offset table whose free slots hold -1. Kept compact: removing a text
// closes its gap. Both the buffer and the table grow as needed, so no text
// is ever lost to a full heap. Prefix `th`. Calls nothing but the runtime.
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "model/tempzeic.h"
#include "model/tzint.h"

namespace {

std::vector<char> thPuffer;         // used bytes only
std::vector<int32_t> thOffset;      // -1 = free slot
std::set<int32_t> thFreieSlots;     // lowest free slot first
int32_t thTexte = 0;

}  // namespace

void thInit() { thLeeren(); }

void thLeeren()
{
    thPuffer.clear();
    thOffset.clear();
    thFreieSlots.clear();
    thTexte = 0;
}

void thFrei()
{
    thLeeren();
    thPuffer.shrink_to_fit();
    thOffset.shrink_to_fit();
}

int thNeu(const char* text)
{
    size_t l = text ? std::strlen(text) : 0;
    if (l == 0) return -1;
    int32_t i;
    if (!thFreieSlots.empty()) {
        i = *thFreieSlots.begin();
        thFreieSlots.erase(thFreieSlots.begin());
    } else {
        i = static_cast<int32_t>(thOffset.size());
        thOffset.push_back(-1);
    }
    thOffset[i] = static_cast<int32_t>(thPuffer.size());
    thPuffer.insert(thPuffer.end(), text, text + l + 1);
    ++thTexte;
    return i;
}

void thWeg(int i)
{
    if (i < 0 || i >= static_cast<int>(thOffset.size()) || thOffset[i] < 0) return;
    int32_t von = thOffset[i];
    int32_t l = static_cast<int32_t>(std::strlen(thPuffer.data() + von)) + 1;
    thPuffer.erase(thPuffer.begin() + von, thPuffer.begin() + von + l);
    thOffset[i] = -1;
    thFreieSlots.insert(i);
    for (int32_t& o : thOffset) {
        if (o > von) o -= l;
    }
    --thTexte;
}

int thErsetzen(int i, const char* text)
{
    if (i < 0) return thNeu(text);
    if (i < static_cast<int>(thOffset.size()) && thOffset[i] >= 0 && text &&
        std::strlen(thPuffer.data() + thOffset[i]) == std::strlen(text) && text[0]) {
        std::memcpy(thPuffer.data() + thOffset[i], text, std::strlen(text));
        return i;
    }
    thWeg(i);
    return thNeu(text);
}

const char* thText(int i)
{
    if (i < 0 || i >= static_cast<int>(thOffset.size()) || thOffset[i] < 0) return "";
    return thPuffer.data() + thOffset[i];
}

int thAnzahl() { return thTexte; }
