// The licence page (page 1) and the information page (page 2): an
// introduction and a read-only rich-text document each; the licence adds
// the acceptance box that governs Next.
#ifndef QVS_WIZARD_DOCUMENT_PAGES_H
#define QVS_WIZARD_DOCUMENT_PAGES_H

#include <windows.h>

// Both need the rich-edit library (LoadRichEditLibrary) loaded first.
void BuildLicensePage(HWND container);
void BuildInformationPage(HWND container);

// Entering page 1, and a click on the acceptance box (80): Next is enabled
// exactly when the box is checked.
void FollowLicenseAcceptance();

// WM_NOTIFY from a document (79, 104): a click on a web address opens it in
// the default browser. Other notifications are ignored.
void OnDocumentLinkNotify(const NMHDR *header);

#endif
