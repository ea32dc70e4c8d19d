// Handle tables of the platform layer. Prefix `plHandle`. Every handle the
// layer hands out (HWND, HMENU, HCURSOR, HDC, HPEN, ...) is a 32-bit id made
// by one of these tables; the object behind it lives in the table, never at
// an address the caller sees. An id carries its kind, a slot and the slot's
// generation, so a stale handle (object freed, slot reused) or a foreign one
// (a brush passed as a window) is refused and never dereferenced.
// Header only; calls nothing but the standard library.
//
// Layout of an id:  bits 31..26 kind (1..63), 25..18 generation, 17..0 slot.
// Kind 0 is never used, so no valid handle is 0.
//
// Invariants:
//  1. A slot is either free (no object) or holds exactly one object whose
//     id carries the slot's current generation.
//  2. Freeing a slot moves its generation on; old ids of it then miss.
//  3. A freed slot is reused only once many others are free (FIFO), so a
//     stale id is very unlikely to find a new object of the same kind.
//  4. Objects never move while they live: pointers from `finden` stay valid
//     until the handle is freed (callers re-check after any call that may
//     free it, e.g. a sent message that destroys a window).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

// The kinds of handle. Values are fixed so that GetObjectType and friends can
// tell a handle's kind from the id alone.
enum class plHandleArt : uint8_t {
    Keine = 0,
    Fenster = 1,      // HWND
    Menue = 2,        // HMENU
    Cursor = 3,       // HCURSOR
    Icon = 4,         // HICON
    Instanz = 5,      // HINSTANCE / HMODULE
    Accel = 6,        // HACCEL
    Dc = 7,           // HDC
    Stift = 8,        // HPEN
    Pinsel = 9,       // HBRUSH
    Schrift = 10,     // HFONT
    Bitmap = 11,      // HBITMAP
    Region = 12,      // HRGN
    Palette = 13,     // HPALETTE
    Metafile = 14,    // HMETAFILE
    EnhMetafile = 15, // HENHMETAFILE
    Global = 16,      // HGLOBAL
    Drop = 17,        // HDROP
    Ressource = 18,   // HRSRC
    Erweitert = 32,   // first kind free for later modules
};

inline constexpr uint32_t PL_HANDLE_SLOTBITS = 18;
inline constexpr uint32_t PL_HANDLE_GENBITS = 8;
inline constexpr uint32_t PL_HANDLE_SLOTSUP = (1u << PL_HANDLE_SLOTBITS) - 1;  // slots per table
inline constexpr size_t PL_HANDLE_REUSE_AB = 256;  // free slots before one is reused

// The kind an id claims (Keine for 0). Says nothing about whether it is live.
inline plHandleArt plHandleArtVon(uint32_t h)
{
    return static_cast<plHandleArt>(h >> (PL_HANDLE_SLOTBITS + PL_HANDLE_GENBITS));
}

template <typename T>
class plHandleTabelle {
public:
    explicit plHandleTabelle(plHandleArt art) : art_(art) {}
    plHandleTabelle(const plHandleTabelle&) = delete;
    plHandleTabelle& operator=(const plHandleTabelle&) = delete;

    plHandleArt art() const { return art_; }

    // Takes `obj` into the table; its new handle, or 0 when the table is full
    // or obj is empty.
    uint32_t anlegen(std::unique_ptr<T> obj)
    {
        if (!obj) return 0;
        uint32_t slot;
        if (frei_.size() >= PL_HANDLE_REUSE_AB || (slots_.size() >= PL_HANDLE_SLOTSUP && !frei_.empty())) {
            slot = frei_.front();
            frei_.pop_front();
        } else if (slots_.size() < PL_HANDLE_SLOTSUP) {
            slot = static_cast<uint32_t>(slots_.size());
            slots_.push_back(Slot{});
        } else {
            return 0;
        }
        slots_[slot].obj = std::move(obj);
        ++anzahl_;
        return id(slot, slots_[slot].gen);
    }
    template <typename... A>
    uint32_t neu(A&&... args) { return anlegen(std::make_unique<T>(std::forward<A>(args)...)); }

    // The object of `h`, or nullptr for 0, a foreign kind, a stale or
    // unknown handle.
    T* finden(uint32_t h) const
    {
        uint32_t slot;
        if (!pruefen(h, slot)) return nullptr;
        return slots_[slot].obj.get();
    }
    bool gueltig(uint32_t h) const { return finden(h) != nullptr; }

    // Removes the object of `h` and hands it back (so the caller may finish
    // it after the handle is already dead); empty when `h` is not live.
    std::unique_ptr<T> herausnehmen(uint32_t h)
    {
        uint32_t slot;
        if (!pruefen(h, slot)) return nullptr;
        Slot& s = slots_[slot];
        std::unique_ptr<T> obj = std::move(s.obj);
        s.gen = static_cast<uint8_t>(s.gen + 1);
        frei_.push_back(slot);
        --anzahl_;
        return obj;
    }
    bool freigeben(uint32_t h) { return herausnehmen(h) != nullptr; }

    size_t anzahl() const { return anzahl_; }

    // Handles of all live objects, in slot order (a copy: the caller may
    // free objects while walking it).
    std::vector<uint32_t> alle() const
    {
        std::vector<uint32_t> v;
        v.reserve(anzahl_);
        for (uint32_t i = 0; i < slots_.size(); ++i)
            if (slots_[i].obj) v.push_back(id(i, slots_[i].gen));
        return v;
    }

    // Frees everything (end of the program or of a test).
    void leeren()
    {
        for (uint32_t i = 0; i < slots_.size(); ++i) {
            if (slots_[i].obj) {
                slots_[i].obj.reset();
                slots_[i].gen = static_cast<uint8_t>(slots_[i].gen + 1);
                frei_.push_back(i);
            }
        }
        anzahl_ = 0;
    }

private:
    struct Slot {
        std::unique_ptr<T> obj;
        uint8_t gen = 1;
    };

    uint32_t id(uint32_t slot, uint8_t gen) const
    {
        return (static_cast<uint32_t>(art_) << (PL_HANDLE_SLOTBITS + PL_HANDLE_GENBITS)) |
               (static_cast<uint32_t>(gen) << PL_HANDLE_SLOTBITS) | slot;
    }
    bool pruefen(uint32_t h, uint32_t& slot) const
    {
        if (h == 0 || plHandleArtVon(h) != art_) return false;
        slot = h & PL_HANDLE_SLOTSUP;
        uint8_t gen = static_cast<uint8_t>((h >> PL_HANDLE_SLOTBITS) & ((1u << PL_HANDLE_GENBITS) - 1));
        return slot < slots_.size() && slots_[slot].obj && slots_[slot].gen == gen;
    }

    plHandleArt art_;
    std::vector<Slot> slots_;
    std::deque<uint32_t> frei_;
    size_t anzahl_ = 0;
};
