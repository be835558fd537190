// The wizard's page codes and the number of every control it creates.
//
// The numbers are fixed: the window procedure, the pages and the
// installation engine address controls by them. Page p's container is
// 50 + 25 x p and the page's own controls take the numbers after it; the
// controls outside the pages are 25 to 32. Header image and header line of
// a page are numbered by this table too, so that no two controls share a
// number.
#ifndef QVS_WIZARD_CONTROL_IDS_H
#define QVS_WIZARD_CONTROL_IDS_H

// Page codes, in the wizard's fixed numbering.
enum PageCode {
  kPageWelcome = 0,
  kPageLicense = 1,
  kPageInformation = 2,
  kPageComponents = 3,
  kPageInstallFolder = 4,
  kPageInstallMode = 5,
  kPageStartMenu = 6,
  kPageAdditionalTasks = 7,
  kPageReview = 8,
  kPageInstalling = 9,
  kPageFinish = 10,
};
static const int kPageCount = 11;

// The container of page `page` (0 to 10).
constexpr int PageContainerId(int page) { return 50 + 25 * page; }
// Pages 1 to 9 carry a header image and a line under it.
constexpr int PageHeaderImageId(int page) { return PageContainerId(page) + 1; }
// Page 9's line takes 278, since 277 is its status text.
constexpr int PageHeaderLineId(int page) {
  return page == 9 ? PageContainerId(page) + 3 : PageContainerId(page) + 2;
}

// The wizard window itself.
static const int kWizardWindowId = 2;

// Outside the pages: the bottom band.
static const int kBandTextId = 25;
static const int kBandLineId = 26;
static const int kWebsiteLinkId = 27;
static const int kBackButtonId = 28;
static const int kNextButtonId = 29;
static const int kCancelButtonId = 30;
static const int kFinishButtonId = 31;
static const int kBottomLineId = 32;

// Page 0, welcome.
static const int kWelcomePageId = 50;
static const int kWelcomeImageId = 51;  // the wizard bitmap
static const int kWelcomeTitleId = 52;
static const int kWelcomeTextId = 53;
static const int kWelcomeNoticeId = 54;

// Page 1, licence.
static const int kLicensePageId = 75;
static const int kLicenseHeaderId = 76;
static const int kLicenseHeaderLineId = 77;
static const int kLicenseIntroId = 78;
static const int kLicenseTextId = 79;
static const int kLicenseAcceptId = 80;

// Page 2, information.
static const int kInformationPageId = 100;
static const int kInformationHeaderId = 101;
static const int kInformationHeaderLineId = 102;
static const int kInformationIntroId = 103;
static const int kInformationTextId = 104;

// Page 3, components.
static const int kComponentsPageId = 125;
static const int kComponentsHeaderId = 126;
static const int kComponentsHeaderLineId = 127;
static const int kComponentsIconId = 128;
static const int kComponentsIntroId = 129;
static const int kInstallTypeLabelId = 130;
static const int kInstallTypeListId = 131;
static const int kComponentsLabelId = 132;
static const int kComponentTreeId = 133;
static const int kDescriptionFrameId = 134;
static const int kDescriptionTextId = 135;
static const int kComponentsRequiredSpaceId = 136;

// Page 4, install folder.
static const int kInstallFolderPageId = 150;
static const int kInstallFolderHeaderId = 151;
static const int kInstallFolderHeaderLineId = 152;
static const int kInstallFolderIconId = 153;
static const int kInstallFolderIntroId = 154;
static const int kInstallFolderFrameId = 155;
static const int kInstallFolderFieldId = 156;
static const int kBrowseButtonId = 157;
static const int kAvailableSpaceId = 158;
static const int kFolderRequiredSpaceId = 159;

// Page 5, installation mode.
static const int kInstallModePageId = 175;
static const int kInstallModeHeaderId = 176;
static const int kInstallModeHeaderLineId = 177;
static const int kInstallModeIconId = 178;
static const int kInstallModeIntroId = 179;
static const int kAllUsersOptionId = 180;
static const int kCurrentUserOptionId = 181;

// Page 6, start-menu group.
static const int kStartMenuPageId = 200;
static const int kStartMenuHeaderId = 201;
static const int kStartMenuHeaderLineId = 202;
static const int kStartMenuIntroId = 203;
static const int kStartMenuIconId = 204;
static const int kGroupFieldId = 205;
static const int kExistingGroupsListId = 206;
static const int kNoGroupCheckId = 207;

// Page 7, additional tasks.
static const int kTasksPageId = 225;
static const int kTasksHeaderId = 226;
static const int kTasksHeaderLineId = 227;
static const int kTasksIntroId = 228;
static const int kTasksIconId = 229;
static const int kDesktopShortcutCheckId = 230;
static const int kQuickLaunchCheckId = 231;

// Page 8, review.
static const int kReviewPageId = 250;
static const int kReviewHeaderId = 251;
static const int kReviewHeaderLineId = 252;
static const int kReviewIntroId = 253;
static const int kSummaryTextId = 254;

// Page 9, installing. Its line takes 278 because 277 is the status text.
static const int kInstallingPageId = 275;
static const int kInstallingHeaderId = 276;
static const int kInstallingStatusId = 277;
static const int kInstallingHeaderLineId = 278;
static const int kProgressBarId = 279;
static const int kCurrentFileId = 280;

// Page 10, finish.
static const int kFinishPageId = 300;
static const int kFinishImageId = 301;  // the wizard bitmap
static const int kFinishTitleId = 302;
static const int kRestartCheckId = 303;
static const int kLaunchProgramCheckId = 304;
static const int kViewDocumentationCheckId = 305;
static const int kViewReadmeCheckId = 306;
static const int kViewLicenseCheckId = 307;
static const int kVisitWebsiteCheckId = 308;
static const int kFinishTextId = 309;

static const int kFirstFinishCheckId = kRestartCheckId;
static const int kLastFinishCheckId = kVisitWebsiteCheckId;

static_assert(PageContainerId(kPageFinish) == kFinishPageId, "page containers follow 50 + 25p");
static_assert(PageContainerId(kPageInstalling) == kInstallingPageId, "page containers follow 50 + 25p");
static_assert(PageHeaderLineId(kPageInstalling) == kInstallingHeaderLineId, "page 9's line");
static_assert(PageHeaderLineId(kPageLicense) == kLicenseHeaderLineId, "header lines follow images");

#endif
