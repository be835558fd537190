// The nine page headers: copies of the payload's header bitmap, stretched
// smoothly to the header's box on the screen when they differ from it, with
// each page's title (language string 85 + 2k) and subtitle (86 + 2k) drawn
// on them in the script's header fonts, colours and shadows. The text
// positions of the script are layout pixels of the box.
//
// Call order: PrepareHeaderImages once, after the checks and before the
// wizard window is built (the language is chosen by then); then
// HeaderImage(page) for pages 1 to 9 while the pages are built. The images
// live until the process ends.
#ifndef QVS_WIZARD_HEADER_IMAGES_H
#define QVS_WIZARD_HEADER_IMAGES_H

#include "format/image_boxes.h"
#include "platform/images.h"
#include "script/script_settings.h"

// Makes the two header fonts from LookAndFeel and the nine images; without
// a header bitmap in the payload each is a plain one (PlainHeaderColour)
// with the same texts. A copy that cannot be made or drawn on is left
// without text; no message.
void PrepareHeaderImages(const ScriptSettings &settings);

// The header image of page `page` (1 to 9); NULL for other pages or when
// there is none. The caller shows it but does not delete it.
BitmapHandle HeaderImage(int page);

#endif
