// The English language file, built into the builder from lang/English.lng
// for --add-english. Its size is 0 when the build found no such file.
#ifndef QVS_BUILDER_EMBEDDED_ENGLISH_H
#define QVS_BUILDER_EMBEDDED_ENGLISH_H

#include <stddef.h>
#include <stdint.h>

extern const uint8_t kEnglishLanguageFile[];
extern const size_t kEnglishLanguageFileSize;

#endif
