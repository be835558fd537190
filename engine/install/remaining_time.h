// The estimated remaining time of the progress page, and the date texts of
// the replace question. Portable: the callers read the clock.
#ifndef QVS_ENGINE_INSTALL_REMAINING_TIME_H
#define QVS_ENGINE_INSTALL_REMAINING_TIME_H

#include <stdint.h>

#include <string>

// The unit words, in the language file's order (strings 62 to 68).
struct TimeWords {
  std::string hour, hours, minute, minutes, second, seconds, notAvailable;
};

// The remaining time when `percent` of the work took `elapsedSeconds`
// (0 counts as 1): "1 hour 0 seconds", "2 minutes 5 seconds", or the n/a
// word when no rate is known yet. Hours run from 0 to 59 (the count wraps
// at 60 hours); seconds are always named.
std::string FormatRemainingTime(int64_t elapsedSeconds, double percent, const TimeWords &words);

// A local date-time (seconds since 1970) written with `mask`, whose tokens
// "%yyyy", "%yy", "%mm", "%dd", "%hh", "%ii" and "%ss" stand for the year
// (four and two digits), month, day, hour, minute and second, two digits
// each with a leading zero; the rest of the mask stays as it is.
std::string FormatLocalDate(int64_t seconds, const std::string &mask);

#endif
