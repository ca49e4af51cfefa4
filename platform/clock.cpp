// Time and the process: a clock for delays, the local calendar for the dates
// the program shows, and the process's own number.
#include <time.h>
#include <unistd.h>

#include "platform/platform_internal.h"

int64_t millisecondsNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

CalendarTime localCalendarTime(int64_t seconds) {
    // A date from a file may be any number: one the system cannot place is
    // no date at all rather than a wrong one.
    const time_t moment = static_cast<time_t>(seconds);
    tm local{};
    if (static_cast<int64_t>(moment) != seconds || localtime_r(&moment, &local) == nullptr) return {};
    return {static_cast<int64_t>(local.tm_year) + 1900,
            local.tm_mon + 1,
            local.tm_mday,
            local.tm_wday,
            local.tm_hour,
            local.tm_min};
}

int64_t processNumber() {
    return static_cast<int64_t>(getpid());
}
