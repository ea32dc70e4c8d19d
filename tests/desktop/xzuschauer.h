// What the X server shows, seen through a connection of its own: the
// program under test neither pumps nor flushes for it, so a window counts
// only once its requests really reached the server.
#pragma once

#include <cstdint>

// Whether the X window `xid` is viewable (mapped, its ancestors too: under
// a manager, in a mapped frame); waits up to `ms` for it.
bool xzSichtbarWarten(unsigned long xid, int ms);
// The server's pixel at (x, y) of the X window `xid` as 0xRRGGBB (what it
// shows there now, without the program's help); -1 when it cannot say.
int64_t xzPixel(unsigned long xid, int x, int y);
