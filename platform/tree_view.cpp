#include "platform/tree_view.h"

#include "platform/drawing.h"
#include "platform/screen_scale.h"
#include "platform/ui_window.h"

namespace {

// The state icons' size in layout pixels.
const int kTreeIconSide = 16;

// The picture at `side` x `side`: itself when it has that size, else a
// smoothly stretched copy that the caller deletes (*made is set).
BitmapHandle PictureAtSide(BitmapHandle bitmap, int side, BitmapHandle *made) {
  *made = NULL;
  int width = 0, height = 0;
  if (!BitmapSize(bitmap, &width, &height) || (width == side && height == side)) return bitmap;
  *made = StretchBitmap(bitmap, side, side);
  return *made != NULL ? *made : bitmap;
}

}  // namespace

HWND CreateTreeControl(HWND parent, int x, int y, int width, int height, int id, HFONT font) {
  const DWORD style =
      WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
  return CreateChildControl(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "", style, x, y, width, height, parent,
                            id, font);
}

bool SetTreeImages(HWND tree, const BitmapHandle *bitmaps, int count, int *indexes) {
  if (tree == NULL || bitmaps == NULL || indexes == NULL) return false;
  const int side = ToScreenPixels(kTreeIconSide);
  HIMAGELIST list = ImageList_Create(side, side, ILC_COLOR24, count, 0);
  if (list == NULL) return false;
  for (int i = 0; i < count; i++) {
    indexes[i] = -1;
    if (bitmaps[i] == NULL) continue;
    // The list keeps its own copy of what it is given.
    BitmapHandle made = NULL;
    indexes[i] = ImageList_Add(list, (HBITMAP)PictureAtSide(bitmaps[i], side, &made), NULL);
    DeleteBitmapHandle(&made);
  }
  // The tree owns nothing it is given; the list lives as long as the
  // process, like the tree.
  SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)list);
  return true;
}

TreeRowHandle AppendTreeRow(HWND tree, TreeRowHandle parent, const std::string &text,
                            int32_t itemData, int imageIndex) {
  if (tree == NULL) return NULL;
  TVINSERTSTRUCTA insert;
  ZeroMemory(&insert, sizeof insert);
  insert.hParent = parent != NULL ? parent : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = (LPSTR)text.c_str();
  insert.item.lParam = (LPARAM)itemData;
  insert.item.iImage = imageIndex;
  insert.item.iSelectedImage = imageIndex;
  return (TreeRowHandle)SendMessageA(tree, TVM_INSERTITEMA, 0, (LPARAM)&insert);
}

bool SetTreeRowImage(HWND tree, TreeRowHandle row, int imageIndex) {
  if (tree == NULL || row == NULL) return false;
  TVITEMA item;
  ZeroMemory(&item, sizeof item);
  item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  item.hItem = row;
  item.iImage = imageIndex;
  item.iSelectedImage = imageIndex;
  return SendMessageA(tree, TVM_SETITEMA, 0, (LPARAM)&item) != 0;
}

void ExpandTreeRow(HWND tree, TreeRowHandle row) {
  if (tree != NULL && row != NULL) SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)row);
}

void SelectTreeRow(HWND tree, TreeRowHandle row) {
  if (tree != NULL) SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)row);
}

TreeRowHandle SelectedTreeRow(HWND tree) {
  if (tree == NULL) return NULL;
  return (TreeRowHandle)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
}

TreeRowHandle HitTestTree(HWND tree, int x, int y, TreeHitPart *part) {
  if (part != NULL) *part = kTreeHitNothing;
  if (tree == NULL) return NULL;
  TVHITTESTINFO hit;
  ZeroMemory(&hit, sizeof hit);
  hit.pt.x = x;
  hit.pt.y = y;
  TreeRowHandle row = (TreeRowHandle)SendMessageA(tree, TVM_HITTEST, 0, (LPARAM)&hit);
  if (row != NULL && part != NULL)
    *part = (hit.flags & TVHT_ONITEMICON) != 0 ? kTreeHitIcon : kTreeHitOther;
  return row;
}

TreeRowHandle TreeRowUnderCursor(HWND tree) {
  POINT cursor;
  if (tree == NULL || !GetCursorPos(&cursor) || WindowFromPoint(cursor) != tree) return NULL;
  if (!ScreenToClient(tree, &cursor)) return NULL;
  return HitTestTree(tree, cursor.x, cursor.y, NULL);
}

TreeRowHandle TreeRowAtLastMessage(HWND tree) {
  if (tree == NULL) return NULL;
  DWORD position = GetMessagePos();
  POINT point;
  point.x = (short)LOWORD(position);
  point.y = (short)HIWORD(position);
  if (!ScreenToClient(tree, &point)) return NULL;
  return HitTestTree(tree, point.x, point.y, NULL);
}

bool ReadTreeSelectionChange(const NMHDR *header, TreeRowHandle *row, bool *byKeyboard) {
  if (header == NULL || (header->code != TVN_SELCHANGEDA && header->code != TVN_SELCHANGEDW))
    return false;
  // The row handle and the action lie at the same places in both forms.
  const NMTREEVIEWA *change = (const NMTREEVIEWA *)header;
  if (row != NULL) *row = change->itemNew.hItem;
  if (byKeyboard != NULL) *byKeyboard = change->action == TVC_BYKEYBOARD;
  return true;
}

WNDPROC ReplaceWindowProcedure(HWND window, WNDPROC procedure) {
  if (window == NULL || procedure == NULL) return NULL;
  return (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)procedure);
}

LRESULT CallPreviousProcedure(WNDPROC previous, HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam) {
  if (previous == NULL) return DefWindowProcA(window, message, wParam, lParam);
  return CallWindowProcA(previous, window, message, wParam, lParam);
}
