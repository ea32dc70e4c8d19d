// A small rectangle region for update regions and visible areas of the
// window manager. Prefix `plRegion`. A set of disjoint rectangles; right and
// bottom edges excluded as in every RECT of the layer. Header only.
// (GDI's HRGN objects belong to the GDI layer; this type never leaves the
// window manager except as a list of rectangles.)
#pragma once

#include <algorithm>
#include <vector>

#include "platform/windef.h"

inline bool plRechteckLeer(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

inline RECT plRechteckSchnitt(const RECT& a, const RECT& b)
{
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (plRechteckLeer(r)) r = RECT{0, 0, 0, 0};
    return r;
}

inline RECT plRechteckVerschoben(RECT r, LONG dx, LONG dy)
{
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
    return r;
}

struct plRegion {
    std::vector<RECT> rechtecke;  // disjoint, none empty

    bool leer() const { return rechtecke.empty(); }
    void leeren() { rechtecke.clear(); }

    // `a` minus `b`, up to four pieces appended to `aus`.
    static void differenz(const RECT& a, const RECT& b, std::vector<RECT>& aus)
    {
        RECT s = plRechteckSchnitt(a, b);
        if (plRechteckLeer(s)) {
            aus.push_back(a);
            return;
        }
        if (a.top < s.top) aus.push_back(RECT{a.left, a.top, a.right, s.top});
        if (s.bottom < a.bottom) aus.push_back(RECT{a.left, s.bottom, a.right, a.bottom});
        if (a.left < s.left) aus.push_back(RECT{a.left, s.top, s.left, s.bottom});
        if (s.right < a.right) aus.push_back(RECT{s.right, s.top, a.right, s.bottom});
    }

    void abziehen(const RECT& r)
    {
        if (plRechteckLeer(r)) return;
        std::vector<RECT> neu;
        for (const RECT& a : rechtecke) differenz(a, r, neu);
        rechtecke.swap(neu);
    }
    void abziehen(const plRegion& o)
    {
        for (const RECT& r : o.rechtecke) abziehen(r);
    }

    // Adds the part of `r` not yet covered, so the rectangles stay disjoint.
    void hinzu(const RECT& r)
    {
        if (plRechteckLeer(r)) return;
        std::vector<RECT> stuecke{r};
        for (const RECT& a : rechtecke) {
            std::vector<RECT> rest;
            for (const RECT& s : stuecke) differenz(s, a, rest);
            stuecke.swap(rest);
            if (stuecke.empty()) return;
        }
        rechtecke.insert(rechtecke.end(), stuecke.begin(), stuecke.end());
    }
    void hinzu(const plRegion& o)
    {
        for (const RECT& r : o.rechtecke) hinzu(r);
    }

    void schneiden(const RECT& r)
    {
        std::vector<RECT> neu;
        for (const RECT& a : rechtecke) {
            RECT s = plRechteckSchnitt(a, r);
            if (!plRechteckLeer(s)) neu.push_back(s);
        }
        rechtecke.swap(neu);
    }
    void schneiden(const plRegion& o)
    {
        std::vector<RECT> neu;
        for (const RECT& a : rechtecke)
            for (const RECT& b : o.rechtecke) {
                RECT s = plRechteckSchnitt(a, b);
                if (!plRechteckLeer(s)) neu.push_back(s);
            }
        rechtecke.swap(neu);
    }

    void verschieben(LONG dx, LONG dy)
    {
        for (RECT& a : rechtecke) a = plRechteckVerschoben(a, dx, dy);
    }

    RECT umriss() const
    {
        if (rechtecke.empty()) return RECT{0, 0, 0, 0};
        RECT u = rechtecke[0];
        for (const RECT& a : rechtecke) {
            u.left = std::min(u.left, a.left);
            u.top = std::min(u.top, a.top);
            u.right = std::max(u.right, a.right);
            u.bottom = std::max(u.bottom, a.bottom);
        }
        return u;
    }

    bool enthaelt(LONG x, LONG y) const
    {
        for (const RECT& a : rechtecke)
            if (x >= a.left && x < a.right && y >= a.top && y < a.bottom) return true;
        return false;
    }
};
