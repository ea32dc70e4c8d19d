// Little-endian byte access for the picture and metafile formats of the
// platform layer. Prefix `plLe`. A reader never goes past the end it was
// given: every read checks first and a failed read leaves the reader marked
// bad, so a format parser can read a whole structure and test once.
// Header only; calls nothing but the standard library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// Bounded reader over [daten, daten + laenge).
struct plLeLeser {
    const uint8_t* daten = nullptr;
    size_t laenge = 0;
    size_t pos = 0;
    bool gut = true;

    plLeLeser() = default;
    plLeLeser(const uint8_t* d, size_t n) : daten(d), laenge(n) {}

    size_t rest() const { return pos <= laenge ? laenge - pos : 0; }
    bool hat(size_t n) const { return n <= rest(); }
    // Moves to absolute offset `p`; false (and bad) when it lies past the end.
    bool setzen(size_t p)
    {
        if (p > laenge) { gut = false; return false; }
        pos = p;
        return true;
    }
    bool ueberspringen(size_t n)
    {
        if (!hat(n)) { gut = false; pos = laenge; return false; }
        pos += n;
        return true;
    }
    uint8_t u8()
    {
        if (!hat(1)) { gut = false; return 0; }
        return daten[pos++];
    }
    uint16_t u16()
    {
        if (!hat(2)) { gut = false; pos = laenge; return 0; }
        uint16_t v = static_cast<uint16_t>(daten[pos] | (daten[pos + 1] << 8));
        pos += 2;
        return v;
    }
    int16_t i16() { return static_cast<int16_t>(u16()); }
    uint32_t u32()
    {
        if (!hat(4)) { gut = false; pos = laenge; return 0; }
        uint32_t v = static_cast<uint32_t>(daten[pos]) | (static_cast<uint32_t>(daten[pos + 1]) << 8) |
                     (static_cast<uint32_t>(daten[pos + 2]) << 16) | (static_cast<uint32_t>(daten[pos + 3]) << 24);
        pos += 4;
        return v;
    }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    float f32()
    {
        uint32_t u = u32();
        float f;
        std::memcpy(&f, &u, sizeof f);
        return f;
    }
    // Pointer to the next `n` bytes (and skips them), or nullptr when fewer remain.
    const uint8_t* bytes(size_t n)
    {
        if (!hat(n)) { gut = false; pos = laenge; return nullptr; }
        const uint8_t* p = daten + pos;
        pos += n;
        return p;
    }
};

// Appending writer.
struct plLeSchreiber {
    std::vector<uint8_t> daten;

    size_t groesse() const { return daten.size(); }
    void u8(uint8_t v) { daten.push_back(v); }
    void u16(uint16_t v)
    {
        daten.push_back(static_cast<uint8_t>(v));
        daten.push_back(static_cast<uint8_t>(v >> 8));
    }
    void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
    void u32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i) daten.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void f32(float f)
    {
        uint32_t u;
        std::memcpy(&u, &f, sizeof u);
        u32(u);
    }
    void bytes(const void* p, size_t n)
    {
        const uint8_t* b = static_cast<const uint8_t*>(p);
        daten.insert(daten.end(), b, b + n);
    }
    void nullen(size_t n) { daten.resize(daten.size() + n); }
    // Overwrites at `pos` (which the caller wrote before).
    void u16An(size_t pos, uint16_t v)
    {
        daten[pos] = static_cast<uint8_t>(v);
        daten[pos + 1] = static_cast<uint8_t>(v >> 8);
    }
    void u32An(size_t pos, uint32_t v)
    {
        for (int i = 0; i < 4; ++i) daten[pos + i] = static_cast<uint8_t>(v >> (8 * i));
    }
};
