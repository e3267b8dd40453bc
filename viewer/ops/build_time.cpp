#include "build_time.h"

#include <cstdio>
#include <cstring>

static int TwoDigits(const char* text)
{
    return (text[0] - '0') * 10 + (text[1] - '0');
}

const char* FormatBuildTime(const char* time24)
{
    static char buffer[28];
    snprintf(buffer, sizeof buffer, "%s", time24);
    if (strlen(buffer) < 8)
        return buffer;
    int hours = TwoDigits(buffer);
    int minutes = TwoDigits(buffer + 3);
    int seconds = TwoDigits(buffer + 6);
    const char* half = "AM";
    if (hours >= 13) {
        hours -= 12;
        half = "PM";
    }
    snprintf(buffer, sizeof buffer, "%d:%.2d:%.2d %s", hours, minutes, seconds, half);
    return buffer;
}

const char* BuildTimeText()
{
    return FormatBuildTime(__TIME__);
}
