// Showing and entering pages, and the Next and Back buttons with the checks
// made before a page may be left.
//
// Call order: after every page is built and the page sequence is set in
// the wizard state; then from the window procedure and the keyboard
// handling, on the interface thread.
#ifndef QVS_WIZARD_PAGE_FLOW_H
#define QVS_WIZARD_PAGE_FLOW_H

// The entry actions of `page`; an unknown page code does nothing.
void PreparePage(int page);
// Shows the container of `page`, hides the other ten and sets the controls
// below the pages for it; an unknown page code does nothing.
void ShowPage(int page);

// Next: the install-folder page refuses a folder that is not valid or a
// drive without the space needed, the start-menu page a group name that
// is not valid, each with its warning; otherwise the next page of the
// sequence is entered (page 7 passed over without shortcuts, page 9 runs
// the installation and moves on).
void GoToNextPage();
// Back: the previous page of the sequence, passing over page 7 without
// shortcuts.
void GoToPreviousPage();

#endif
