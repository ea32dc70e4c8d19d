// Kind-code predicates and the letter-code codec (see nhuliste.h).
// Prefixes `Btl`, `Nhu`. Calls nothing.
#include "equipment/nhuliste.h"

int BtlIstHaupt(const char* code) { return code != nullptr && code[0] == 'H'; }

int NhuIstUnter(const char* code)
{
    return code != nullptr && (code[0] == 'U' || (code[0] >= 'a' && code[0] <= 'z'));
}

int BtlIstU(const char* code) { return code != nullptr && code[0] == 'U'; }
int BtlIstDispo(const char* code) { return code != nullptr && code[0] == 'D'; }
int BtlIstPrinzip(const char* code) { return code != nullptr && code[0] == 'P'; }

int BtlBuchstabenNr(const char* b)
{
    if (b == nullptr || b[0] == 0) return 0;
    const int c0 = static_cast<unsigned char>(b[0]);
    if (b[1] == 0) return c0 - 'a';
    const int c1 = static_cast<unsigned char>(b[1]);
    return (c0 - 96) * 26 + (c1 - 97);
}

void BtlBuchstabenCode(char* ziel, size_t kap, int n)
{
    if (kap == 0) return;
    char t[3] = {0, 0, 0};
    if (n < 0) n = 0;
    if (n < 26) {
        t[0] = static_cast<char>('a' + n);
    } else {
        t[0] = static_cast<char>(96 + n / 26);
        t[1] = static_cast<char>('a' + n % 26);
    }
    size_t i = 0;
    for (; i + 1 < kap && t[i]; ++i) ziel[i] = t[i];
    ziel[i] = 0;
}
