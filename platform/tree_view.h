// The tree-view control of the components page: rows with an image per
// row, hit-testing, and a replaced window procedure for clicks.
#ifndef QVS_PLATFORM_TREE_VIEW_H
#define QVS_PLATFORM_TREE_VIEW_H

#include <windows.h>
#include <commctrl.h>

#include <stdint.h>

#include <string>

#include "platform/images.h"

typedef HTREEITEM TreeRowHandle;

// A tree with lines, expand buttons, lines at the root, the selection always
// shown and a sunken edge, numbered `id` in `parent`. NULL on failure.
HWND CreateTreeControl(HWND parent, int x, int y, int width, int height, int id, HFONT font);

// Gives the tree an image list of 16 x 16 pictures (layout pixels; the
// pictures are stretched smoothly at other resolutions) made from `bitmaps`
// (`count` of them) and stores each picture's index in `indexes`
// (-1 for a picture that could not be added). False when the list could
// not be made.
bool SetTreeImages(HWND tree, const BitmapHandle *bitmaps, int count, int *indexes);

// Appends a row under `parent` (NULL: at the root) with `text`, `itemData`
// and image `imageIndex` (also when selected). NULL on failure.
TreeRowHandle AppendTreeRow(HWND tree, TreeRowHandle parent, const std::string &text,
                            int32_t itemData, int imageIndex);
// Sets the row's image and selected image.
bool SetTreeRowImage(HWND tree, TreeRowHandle row, int imageIndex);
void ExpandTreeRow(HWND tree, TreeRowHandle row);
// Makes `row` the selected row; NULL selects none.
void SelectTreeRow(HWND tree, TreeRowHandle row);
TreeRowHandle SelectedTreeRow(HWND tree);

enum TreeHitPart { kTreeHitNothing, kTreeHitIcon, kTreeHitOther };
// The row at (x, y) in the tree's client coordinates and which part of it
// was hit.
TreeRowHandle HitTestTree(HWND tree, int x, int y, TreeHitPart *part);
// The row under the mouse pointer, only when the window under the pointer
// is the tree itself; NULL otherwise.
TreeRowHandle TreeRowUnderCursor(HWND tree);
// The row under the point of the last message taken from the queue
// (GetMessagePos), NULL when none.
TreeRowHandle TreeRowAtLastMessage(HWND tree);

// For WM_NOTIFY from a tree: true when `header` tells that the selection
// moved; *row gets the newly selected row and *byKeyboard whether the keys
// moved it.
bool ReadTreeSelectionChange(const NMHDR *header, TreeRowHandle *row, bool *byKeyboard);

// Replaces the tree's window procedure; returns the previous one (NULL on
// failure). Messages the new procedure does not consume go to
// CallPreviousProcedure.
WNDPROC ReplaceWindowProcedure(HWND window, WNDPROC procedure);
LRESULT CallPreviousProcedure(WNDPROC previous, HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam);

#endif
