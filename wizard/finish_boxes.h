// The finish page's option boxes 303 to 308: which exist and where they
// stand.
#ifndef QVS_WIZARD_FINISH_BOXES_H
#define QVS_WIZARD_FINISH_BOXES_H

#include <stdint.h>

#include <vector>

#include "script/script_settings.h"

struct FinishBox {
  int id = 0;        // 303 to 308
  int textIndex = 0; // its language string
  int width = 0;
  int y = 0;         // page-relative top
  bool shown = false;
};

// The boxes created with the page, in order, each at the y it is created
// at: box 303 alone when ShowRestartComputerCheckbox is 1, else 304 to 308
// as their keys ask, 25 pixels apart from y = 110. All start shown and
// checked.
std::vector<FinishBox> FinishBoxesToCreate(const ScriptSettings &settings);

// Where the boxes 304 to 308 among `created` go when the page is entered:
// a box whose key is 1 and, for 304 to 307, whose component is selected is
// shown at the next place from y = 110; the others are hidden (and left at
// their y). Box 303 keeps its place and state.
std::vector<FinishBox> PlaceFinishBoxes(const std::vector<FinishBox> &created,
                                        const ScriptSettings &settings,
                                        int (*isComponentSelected)(int32_t componentId));

#endif
