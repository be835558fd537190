// The list groups of the installer script. Each record is appended before
// its keys are read, so that the expansion hook already sees it (a
// component's own path variable, for one).
#include "script/script_read_helpers.h"
#include "script/task_fields.h"

namespace {

void AddUsedId(const ScriptReader &reader, int32_t id) { reader.settings->usedIds.insert(id); }

void ReadRequiredFiles(const ScriptReader &reader, const std::string &itemGroup,
                       std::vector<RequiredFile> *files) {
  for (const std::string &name : ListItemNames(itemGroup, "Files")) {
    files->push_back(RequiredFile());
    RequiredFile &file = files->back();
    file.ID = ReadInt(name, "ID");
    file.FilePath = ReadExpanded(reader, name, "FilePath");
    file.CheckVersion = ReadInt(name, "CheckVersion");
    file.MinorLow = ReadInt(name, "MinorLow");
    file.MinorHi = ReadInt(name, "MinorHi");
    file.MajorLow = ReadInt(name, "MajorLow");
    file.MajorHi = ReadInt(name, "MajorHi");
    AddUsedId(reader, file.ID);
  }
}

void ReadRequiredKeys(const ScriptReader &reader, const std::string &itemGroup,
                      std::vector<RequiredKey> *keys) {
  for (const std::string &name : ListItemNames(itemGroup, "Keys")) {
    keys->push_back(RequiredKey());
    RequiredKey &key = keys->back();
    key.ID = ReadInt(name, "ID");
    key.MainKey = ReadInt(name, "MainKey");
    key.SubKey = ReadExpanded(reader, name, "SubKey");
    AddUsedId(reader, key.ID);
  }
}

void ReadRequiredValues(const ScriptReader &reader, const std::string &itemGroup,
                        std::vector<RequiredValue> *values) {
  for (const std::string &name : ListItemNames(itemGroup, "Values")) {
    values->push_back(RequiredValue());
    RequiredValue &value = values->back();
    value.ID = ReadInt(name, "ID");
    value.MainKey = ReadInt(name, "MainKey");
    value.SubKey = ReadExpanded(reader, name, "SubKey");
    value.ValueName = ReadExpanded(reader, name, "ValueName");
    AddUsedId(reader, value.ID);
  }
}

// The keys common to installer and uninstaller tasks.
void ReadTaskHead(const std::string &name, TaskItem *task) {
  task->ID = ReadInt(name, "ID");
  task->Name = ReadText(name, "Name");
  task->Type = ReadInt(name, "Type");
  ReadOsFlags(name, &task->systems);
  task->ComponentID = ReadInt(name, "ComponentID");
}

// Task details by the type's keys (script/task_fields.h). Installer task
// texts are stored as written and expanded when the task runs; uninstaller
// task texts are expanded when the uninstaller's data is written, once the
// install folder is known.
void ReadTaskDetails(const std::string &name, TaskFieldList fields, TaskDetails *d) {
  for (size_t i = 0; i < fields.count; ++i) {
    const TaskField &field = fields.fields[i];
    if (field.text) {
      d->*field.text = ReadText(name, field.key);
    } else {
      d->*field.number = ReadInt(name, field.key);
    }
  }
}

}  // namespace

void ReadRequiredItems(const ScriptReader &reader) {
  std::vector<RequiredItem> &items = reader.settings->requiredItems;
  for (const std::string &name : ListItemNames("RequireExistingItems", "Items")) {
    items.push_back(RequiredItem());
    RequiredItem &item = items.back();
    item.ProgramName = ReadExpanded(reader, name, "ProgramName");
    ReadOsFlags(name, &item.systems);
    item.ID = ReadInt(name, "ID");
    ReadRequiredFiles(reader, name, &item.Files);
    ReadRequiredKeys(reader, name, &item.Keys);
    ReadRequiredValues(reader, name, &item.Values);
    AddUsedId(reader, item.ID);
  }
}

void ReadCloseItems(const ScriptReader &reader, const std::string &listGroup,
                    std::vector<CloseItem> *items) {
  for (const std::string &name : ListItemNames(listGroup, "Items")) {
    items->push_back(CloseItem());
    CloseItem &item = items->back();
    item.ID = ReadInt(name, "ID");
    item.Type = ReadInt(name, "Type");
    if (item.Type == 0) {
      item.MutexName = ReadExpanded(reader, name, "MutexName");
    } else if (item.Type == 1) {
      item.WindowName = ReadExpanded(reader, name, "WindowName");
      item.WindowClass = ReadExpanded(reader, name, "WindowClass");
      item.MatchExactly = ReadInt(name, "MatchExactly");
    }
    AddUsedId(reader, item.ID);
  }
}

void ReadRegistryVars(const ScriptReader &reader) {
  std::vector<RegistryVar> &vars = reader.settings->registryVars;
  for (const std::string &name : ListItemNames("RegistryVars", "Items")) {
    vars.push_back(RegistryVar());
    RegistryVar &var = vars.back();
    var.MainKey = ReadInt(name, "MainKey");
    var.Key = ReadText(name, "Key");
    var.Value = ReadText(name, "Value");
    var.PathVarName = ReadText(name, "PathVarName");
    var.DefaultTo = ReadText(name, "DefaultTo");
  }
  for (RegistryVar &var : vars) {
    var.resolved = ResolveRegistryVar(*reader.hooks, var);
  }
}

void ReadCategories(const ScriptReader &reader) {
  std::vector<Category> &categories = reader.settings->categories;
  for (const std::string &name : ListItemNames("Categories", "Items")) {
    categories.push_back(Category());
    Category &category = categories.back();
    category.ID = ReadInt(name, "ID");
    category.InternalName = ReadText(name, "InternalName");
    category.LocalizedNameID = ReadInt(name, "LocalizedNameID");
    category.names = ReadLocalizedTexts(reader, category.LocalizedNameID);
    AddUsedId(reader, category.ID);
  }
}

void ReadComponents(const ScriptReader &reader) {
  std::vector<Component> &components = reader.settings->components;
  for (const std::string &name : ListItemNames("Components", "Items")) {
    components.push_back(Component());
    Component &component = components.back();
    component.ID = ReadInt(name, "ID");
    component.CategoryID = ReadInt(name, "CategoryID");
    component.InternalName = ReadText(name, "InternalName");
    component.LocalizedNameID = ReadInt(name, "LocalizedNameID");
    component.DescriptionID = ReadInt(name, "DescriptionID");
    component.PathVariable = ReadText(name, "PathVariable");
    component.InstallationPath = ReadText(name, "InstallationPath");
    component.IsPrincipal = ReadInt(name, "IsPrincipal");
    component.IsPathEnforced = ReadInt(name, "IsPathEnforced");
    component.IsMandatory = ReadInt(name, "IsMandatory");
    component.IsMarked = ReadInt(name, "IsMarked");
    component.names = ReadLocalizedTexts(reader, component.LocalizedNameID);
    component.descriptions = ReadLocalizedTexts(reader, component.DescriptionID);
  }
}

void ReadExistingInstallations(const ScriptReader &reader) {
  std::vector<ExistingInstallation> &items = reader.settings->existingInstallations;
  for (const std::string &name : ListItemNames("DetectExistingInstallations", "Items")) {
    items.push_back(ExistingInstallation());
    ExistingInstallation &item = items.back();
    item.ProgramName = ReadExpanded(reader, name, "ProgramName");
    item.ProgramVersion = ReadExpanded(reader, name, "ProgramVersion");
    item.Remove = ReadInt(name, "Remove");
  }
}

void ReadInstallerTasks(const ScriptReader &reader) {
  std::vector<TaskItem> &tasks = reader.settings->installerTasks;
  for (const std::string &name : ListItemNames("InstallerTasks", "Items")) {
    tasks.push_back(TaskItem());
    TaskItem &task = tasks.back();
    ReadTaskHead(name, &task);
    ReadTaskDetails(name, InstallerTaskFields(task.Type), &task.details);
    AddUsedId(reader, task.ID);
  }
}

void ReadUninstallerTasks(const ScriptReader &reader) {
  std::vector<TaskItem> &tasks = reader.settings->uninstallerTasks;
  for (const std::string &name : ListItemNames("UninstallerTasks", "Items")) {
    tasks.push_back(TaskItem());
    TaskItem &task = tasks.back();
    ReadTaskHead(name, &task);
    ReadTaskDetails(name, UninstallerTaskFields(task.Type), &task.details);
    AddUsedId(reader, task.ID);
  }
}

std::string ResolveRegistryVar(const ScriptReadHooks &hooks, const RegistryVar &var) {
  if (var.Key.empty()) {
    return std::string();
  }
  const bool exists =
      hooks.registryValueExists && hooks.registryValueExists(var.MainKey, var.Key, var.Value);
  if (exists && hooks.registryReadValue) {
    return hooks.registryReadValue(var.MainKey, var.Key, var.Value);
  }
  return var.DefaultTo;
}
