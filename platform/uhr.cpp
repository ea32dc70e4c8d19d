// The program's clock; see uhr.h.
#include "platform/uhr.h"

#include <chrono>
#include <ctime>

namespace {

bool uhrFest = false;
int64_t uhrFestMs = 0;       // fixed time while uhrFest
int64_t uhrTickBasis = 0;    // tick count when the clock was fixed
int64_t uhrFestBeginn = 0;   // fixed time at that moment

int64_t uhrSystemMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

int64_t uhrMonoMs()
{
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    return duration_cast<milliseconds>(steady_clock::now() - start).count();
}

}  // namespace

int64_t plUhrJetztMs()
{
    return uhrFest ? uhrFestMs : uhrSystemMs();
}

void plUhrFestsetzen(int64_t unixMs)
{
    if (!uhrFest) {
        uhrTickBasis = uhrMonoMs();
    } else {
        uhrTickBasis += uhrFestMs - uhrFestBeginn;
    }
    uhrFest = true;
    uhrFestMs = unixMs;
    uhrFestBeginn = unixMs;
}

void plUhrVorruecken(int64_t ms)
{
    if (uhrFest && ms > 0) {
        uhrFestMs += ms;
    }
}

void plUhrFreigeben()
{
    uhrFest = false;
}

bool plUhrIstFest()
{
    return uhrFest;
}

void GetLocalTime(SYSTEMTIME* st)
{
    int64_t ms = plUhrJetztMs();
    time_t sek = static_cast<time_t>(ms / 1000);
    int msRest = static_cast<int>(ms % 1000);
    if (msRest < 0) {
        msRest += 1000;
        --sek;
    }
    struct tm t {};
    localtime_r(&sek, &t);
    st->wYear = static_cast<WORD>(t.tm_year + 1900);
    st->wMonth = static_cast<WORD>(t.tm_mon + 1);
    st->wDayOfWeek = static_cast<WORD>(t.tm_wday);
    st->wDay = static_cast<WORD>(t.tm_mday);
    st->wHour = static_cast<WORD>(t.tm_hour);
    st->wMinute = static_cast<WORD>(t.tm_min);
    st->wSecond = static_cast<WORD>(t.tm_sec);
    st->wMilliseconds = static_cast<WORD>(msRest);
}

DWORD GetTickCount()
{
    int64_t t = uhrFest ? uhrTickBasis + (uhrFestMs - uhrFestBeginn) : uhrMonoMs();
    return static_cast<DWORD>(t);
}
