// Bitmaps and icons.
#ifndef QVS_PLATFORM_IMAGES_H
#define QVS_PLATFORM_IMAGES_H

#include <stddef.h>
#include <stdint.h>

#include <string>

typedef void *BitmapHandle;
typedef void *IconHandle;

// Decodes a BMP file held in memory into a bitmap for the screen. NULL when
// the bytes are not a bitmap the installer can draw (ReadBitmapLayout).
BitmapHandle DecodeBitmapBytes(const uint8_t *data, size_t size);

// Makes a bitmap of `width` x `height` from `pixels` (rows from the top,
// each colour 0x00BBGGRR), stored with 24 bits per pixel or, for
// `bitsPerPixel` 8, with a colour table of at most 256 entries (colours
// beyond the 256th map to the first). NULL on failure.
BitmapHandle CreateBitmapFromPixels(int width, int height, int bitsPerPixel,
                                    const uint32_t *pixels);
void DeleteBitmapHandle(BitmapHandle *bitmap);

// The first icon held in the executable file at `path`; NULL when it has none.
IconHandle ExtractFirstIcon(const std::string &path);
// Releases an icon this process made (ExtractFirstIcon, FileTypeIcon); safe
// with NULL, clears the handle.
void DestroyIconHandle(IconHandle *icon);

// The system's question-mark icon (shared: never destroyed).
IconHandle SystemQuestionIcon();
// The shell's large icon for files of `path`'s type, told by its extension
// alone (the file need not exist); NULL when there is none. The caller
// destroys it.
IconHandle FileTypeIcon(const std::string &path);

#endif
