#include "platform/text_fit.h"

namespace {

bool IsBreak(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The first `length` characters without their trailing breaks, then "...".
std::string Shortened(const std::string &text, size_t length) {
  while (length > 0 && IsBreak(text[length - 1])) length--;
  return text.substr(0, length) + kTextEllipsis;
}

}  // namespace

std::string ShortenToFit(const std::string &text, TextFits fits, void *context) {
  if (fits == nullptr || fits(text, context)) return text;
  // The longest fitting beginning lies in [0, text.size()): the whole text
  // did not fit. `low` fits (or is 0), `high` does not.
  size_t low = 0, high = text.size();
  while (high - low > 1) {
    size_t middle = low + (high - low) / 2;
    if (fits(Shortened(text, middle), context)) low = middle;
    else high = middle;
  }
  return Shortened(text, low);
}
