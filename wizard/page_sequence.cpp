#include "wizard/page_sequence.h"

#include "checks/os_codes.h"
#include "wizard/control_ids.h"

namespace {

void AppendPage(std::string *sequence, int page) {
  *sequence += std::to_string(page);
  *sequence += ",";
}

}  // namespace

std::string BuildPageSequence(const PageSequenceInputs &inputs, int *userScopeOffered) {
  std::string sequence;
  AppendPage(&sequence, kPageWelcome);
  if (inputs.ShowLicense == 1) AppendPage(&sequence, kPageLicense);
  if (inputs.ShowInformation == 1) AppendPage(&sequence, kPageInformation);
  if (inputs.componentCount > 1) AppendPage(&sequence, kPageComponents);
  if (inputs.IsPathEnforced == 0) AppendPage(&sequence, kPageInstallFolder);
  if (IsNtFamily(inputs.osCode) && inputs.isAdministrator) {
    AppendPage(&sequence, kPageInstallMode);
    if (userScopeOffered != nullptr) *userScopeOffered = 1;
  }
  if (inputs.CreateGroup == 1) AppendPage(&sequence, kPageStartMenu);
  AppendPage(&sequence, kPageAdditionalTasks);
  AppendPage(&sequence, kPageReview);
  AppendPage(&sequence, kPageInstalling);
  AppendPage(&sequence, kPageFinish);
  sequence.pop_back();  // the trailing ","
  return sequence;
}

int PageSequenceField(const std::string &sequence, int position) {
  if (position < 1) return -1;
  size_t start = 0;
  for (int field = 1; field < position; field++) {
    size_t comma = sequence.find(',', start);
    if (comma == std::string::npos) return -1;
    start = comma + 1;
  }
  size_t end = sequence.find(',', start);
  if (end == std::string::npos) end = sequence.size();
  if (end == start || end - start > 4) return -1;
  int code = 0;
  for (size_t i = start; i < end; i++) {
    char c = sequence[i];
    if (c < '0' || c > '9') return -1;
    code = code * 10 + (c - '0');
  }
  return code;
}
