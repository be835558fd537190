// Shortening a text to the room it has: the whole text when it fits,
// otherwise as much of its beginning as fits followed by "...". Portable:
// the caller measures, and the host tests build this file on its own.
#ifndef QVS_PLATFORM_TEXT_FIT_H
#define QVS_PLATFORM_TEXT_FIT_H

#include <string>

// Tells whether `candidate` fits the room; a longer beginning of the same
// text never fits better than a shorter one.
typedef bool (*TextFits)(const std::string &candidate, void *context);

static const char kTextEllipsis[] = "...";

// `text` when it fits; otherwise the longest beginning of it, without the
// blanks and line breaks it ends with, followed by "..." that fits; "..."
// alone when no beginning does. Asks `fits` about 2 log2(length) times.
std::string ShortenToFit(const std::string &text, TextFits fits, void *context);

#endif
