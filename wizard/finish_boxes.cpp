#include "wizard/finish_boxes.h"

#include "wizard/control_ids.h"

namespace {

const int kFirstBoxY = 110;
const int kBoxStep = 25;

struct FinishBoxRule {
  int id;
  int textIndex;
  int width;
  // The box's key; its component key, or null for a box that has none.
  int32_t ScriptSettings::*key;
  const FinishAction ScriptSettings::*action;
};

int32_t ActionKey(const ScriptSettings &s, const FinishAction ScriptSettings::*action) {
  return (s.*action).Checkbox;
}

// Boxes 304 to 308, in page order.
const FinishBoxRule kOptionBoxes[] = {
    {kLaunchProgramCheckId, 136, 315, nullptr, &ScriptSettings::LaunchProgram},
    {kViewDocumentationCheckId, 137, 310, nullptr, &ScriptSettings::ViewDocumentation},
    {kViewReadmeCheckId, 138, 310, nullptr, &ScriptSettings::ViewReadme},
    {kViewLicenseCheckId, 139, 310, nullptr, &ScriptSettings::ViewLicense},
    {kVisitWebsiteCheckId, 140, 315, &ScriptSettings::VisitWebsiteCheckbox, nullptr},
};

int32_t BoxKey(const ScriptSettings &s, const FinishBoxRule &rule) {
  return rule.key != nullptr ? s.*(rule.key) : ActionKey(s, rule.action);
}

const FinishBoxRule *RuleFor(int id) {
  for (const FinishBoxRule &rule : kOptionBoxes)
    if (rule.id == id) return &rule;
  return nullptr;
}

}  // namespace

std::vector<FinishBox> FinishBoxesToCreate(const ScriptSettings &settings) {
  std::vector<FinishBox> boxes;
  if (settings.ShowRestartComputerCheckbox == 1) {
    FinishBox restart;
    restart.id = kRestartCheckId;
    restart.textIndex = 135;
    restart.width = 315;
    restart.y = kFirstBoxY;
    restart.shown = true;
    boxes.push_back(restart);
    return boxes;
  }
  int y = kFirstBoxY;
  for (const FinishBoxRule &rule : kOptionBoxes) {
    if (BoxKey(settings, rule) != 1) continue;
    FinishBox box;
    box.id = rule.id;
    box.textIndex = rule.textIndex;
    box.width = rule.width;
    box.y = y;
    box.shown = true;
    boxes.push_back(box);
    y += kBoxStep;
  }
  return boxes;
}

std::vector<FinishBox> PlaceFinishBoxes(const std::vector<FinishBox> &created,
                                        const ScriptSettings &settings,
                                        int (*isComponentSelected)(int32_t componentId)) {
  std::vector<FinishBox> placed = created;
  int y = kFirstBoxY;
  for (FinishBox &box : placed) {
    const FinishBoxRule *rule = RuleFor(box.id);
    if (rule == nullptr) continue;  // box 303 stays as it was made
    bool wanted = BoxKey(settings, *rule) == 1;
    if (wanted && rule->action != nullptr) {
      int32_t component = (settings.*(rule->action)).ComponentID;
      wanted = isComponentSelected != nullptr && isComponentSelected(component) != 0;
    }
    box.shown = wanted;
    if (wanted) {
      box.y = y;
      y += kBoxStep;
    }
  }
  return placed;
}
