// The build time of the About box as a 12-hour text. No windows.h.
#pragma once

// "%d:%.2d:%.2d %s" from an "HH:MM:SS" text: hours below 13 stay and get "AM",
// later ones lose 12 and get "PM" (so 12:05:00 is 12:05:00 AM, 00:10:00 is
// 0:10:00 AM). The result lives in one static buffer of 28 bytes.
const char* FormatBuildTime(const char* time24);

// FormatBuildTime of this program's compile time.
const char* BuildTimeText();
