// Clearing and copying a plain record (BEF, STT) by 16-byte moves laid out
// in a row. As a memset or an assignment of a few hundred bytes the compiler
// makes them a "rep stos" or "rep movs", whose start alone costs more than
// making a position record; the import and the store make one for every
// drawing object. Header only; no prefix (small helpers of the model).
#pragma once

#include <cstddef>
#include <cstring>
#include <type_traits>

template <class T> inline void flachNullen(T* t)
{
    static_assert(std::is_trivially_copyable_v<T> && sizeof(T) % 8 == 0);
    auto* p = reinterpret_cast<unsigned char*>(t);
    const unsigned char null[16] = {};
    size_t i = 0;
#pragma GCC unroll 64
    for (; i + 16 <= sizeof(T); i += 16) std::memcpy(p + i, null, 16);
    if (i < sizeof(T)) std::memcpy(p + i, null, 8);
}

template <class T> inline void flachKopieren(T* ziel, const T* quelle)
{
    static_assert(std::is_trivially_copyable_v<T> && sizeof(T) % 8 == 0);
    auto* z = reinterpret_cast<unsigned char*>(ziel);
    const auto* q = reinterpret_cast<const unsigned char*>(quelle);
    unsigned char t[16];
    size_t i = 0;
#pragma GCC unroll 64
    for (; i + 16 <= sizeof(T); i += 16) {
        std::memcpy(t, q + i, 16);
        std::memcpy(z + i, t, 16);
    }
    if (i < sizeof(T)) {
        std::memcpy(t, q + i, 8);
        std::memcpy(z + i, t, 8);
    }
}
