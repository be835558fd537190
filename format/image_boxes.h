// The boxes in which the wizard shows the vendor's pictures, in layout
// pixels (96 DPI). The wizard stretches a picture of another size into its
// box; the builder notes such sizes so that a vendor can supply an exact
// one and keep it sharp.
#ifndef QVS_FORMAT_IMAGE_BOXES_H
#define QVS_FORMAT_IMAGE_BOXES_H

// Wizard.bmp: the left side of the welcome and finish pages.
static const int kWizardImageWidth = 155;
static const int kWizardImageHeight = 310;

// Header.bmp: the header at the top of pages 1 to 9.
static const int kHeaderWidth = 500;
static const int kHeaderHeight = 60;

#endif
