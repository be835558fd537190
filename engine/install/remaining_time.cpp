#include "engine/install/remaining_time.h"

#include <math.h>
#include <stdio.h>

#include "script/ansi_text.h"

namespace {

// Far beyond any real estimate; keeps the conversion below in range.
const double kLongestEstimate = 1e12;

std::string TwoDigits(int64_t value) {
  char text[24];
  snprintf(text, sizeof text, "%02lld", (long long)value);
  return text;
}

void AppendCount(std::string *text, int64_t count, const std::string &one,
                 const std::string &several) {
  *text += std::to_string((long long)count) + " " + (count == 1 ? one : several) + " ";
}

struct CivilDate {
  int64_t year, month, day;
};

// Days since 1970-01-01 to a proleptic Gregorian date.
CivilDate CivilFromDays(int64_t days) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  CivilDate date;
  date.day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  date.month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  date.year = yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0);
  return date;
}

}  // namespace

std::string FormatRemainingTime(int64_t elapsedSeconds, double percent, const TimeWords &words) {
  const int64_t elapsed = elapsedSeconds <= 0 ? 1 : elapsedSeconds;
  const float rate = (float)percent / (float)elapsed;
  if (rate == 0.0f || !isfinite(rate)) return words.notAvailable;
  double estimate = fabs((100.0 - percent) / (double)rate);
  if (!(estimate < kLongestEstimate)) estimate = kLongestEstimate;
  const int64_t remaining = (int64_t)llround(estimate);
  if (remaining <= 0) return words.notAvailable;
  const int64_t seconds = remaining % 60;
  const int64_t minutes = (remaining % 3600) / 60;
  const int64_t hours = (remaining % 216000) / 3600;
  std::string text;
  if (hours != 0) AppendCount(&text, hours, words.hour, words.hours);
  if (minutes != 0) AppendCount(&text, minutes, words.minute, words.minutes);
  AppendCount(&text, seconds, words.second, words.seconds);
  return TrimSpaces(text);
}

std::string FormatLocalDate(int64_t seconds, const std::string &mask) {
  int64_t days = seconds / 86400;
  int64_t inDay = seconds % 86400;
  if (inDay < 0) {
    inDay += 86400;
    days -= 1;
  }
  const CivilDate date = CivilFromDays(days);
  const struct {
    const char *token;
    std::string value;
  } fields[] = {
      // "%yyyy" before "%yy", so the longer token is taken first.
      {"%yyyy", std::to_string((long long)date.year)},
      {"%yy", TwoDigits(date.year % 100)},
      {"%mm", TwoDigits(date.month)},
      {"%dd", TwoDigits(date.day)},
      {"%hh", TwoDigits(inDay / 3600)},
      {"%ii", TwoDigits(inDay % 3600 / 60)},
      {"%ss", TwoDigits(inDay % 60)},
  };
  std::string text = mask;
  for (const auto &field : fields) text = ReplaceIgnoringCase(text, field.token, field.value);
  return text;
}
