#include "script/script_read_helpers.h"

#include "script/document.h"

int32_t ReadInt(const std::string &group, const std::string &key) {
  return static_cast<int32_t>(static_cast<uint32_t>(ReadScriptInteger(group, key)));
}

std::string ReadText(const std::string &group, const std::string &key) {
  return ReadScriptValue(group, key);
}

std::string ExpandText(const ScriptReader &reader, const std::string &text) {
  return reader.hooks->expandText ? reader.hooks->expandText(text) : text;
}

std::string ReadExpanded(const ScriptReader &reader, const std::string &group,
                         const std::string &key) {
  return ExpandText(reader, ReadScriptValue(group, key));
}

std::vector<std::string> ListItemNames(const std::string &group, const std::string &key) {
  std::vector<std::string> names;
  const std::string value = ReadScriptValue(group, key);
  if (value.empty()) {
    return names;
  }
  size_t begin = 0;
  for (;;) {
    const size_t comma = value.find(',', begin);
    if (comma == std::string::npos) {
      names.push_back(value.substr(begin));
      break;
    }
    names.push_back(value.substr(begin, comma - begin));
    begin = comma + 1;
  }
  return names;
}

std::vector<LocalizedText> ReadLocalizedTexts(const ScriptReader &reader, int32_t id) {
  // Copy the entries out first: the expansion hook must not meet a
  // selection in use.
  std::vector<LocalizedText> texts;
  ClearSelection();
  SelectGroup(std::to_string(id));
  while (NextSelected()) {
    LocalizedText text;
    text.langId = static_cast<int32_t>(static_cast<uint32_t>(ParseScriptInteger(SelectedKey())));
    text.text = SelectedValue();
    texts.push_back(text);
  }
  ClearSelection();
  for (LocalizedText &text : texts) {
    text.text = ExpandText(reader, text.text);
  }
  return texts;
}

void ReadOsFlags(const std::string &group, OsFlags *flags) {
  flags->Win95 = ReadInt(group, "Win95");
  flags->WinNT4 = ReadInt(group, "WinNT4");
  flags->Win98 = ReadInt(group, "Win98");
  flags->WinMe = ReadInt(group, "WinMe");
  flags->Win2000 = ReadInt(group, "Win2000");
  flags->WinXP = ReadInt(group, "WinXP");
  flags->WinServer2003 = ReadInt(group, "WinServer2003");
  flags->WinVista = ReadInt(group, "WinVista");
  flags->WinServer2008 = ReadInt(group, "WinServer2008");
  flags->Win7 = ReadInt(group, "Win7");
}
