#include "settings/settings_save.h"

#include "base/field_reader.h"
#include "base/file_store.h"
#include "base/record_file.h"
#include "forms/text_input.h"

namespace quillet {

namespace {

std::string FolderKey(std::string_view folder) {
  std::string key;
  for (char c : folder) {
    if (c == '/') c = '\\';
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    key += c;
  }
  while (!key.empty() && key.back() == '\\') key.pop_back();
  return key;
}

// Whether anything is at path; a size limit of 0 reads no byte of a file
// that is there.
bool Exists(const std::string& path) { return ReadWholeFile(path, 0).status != FileStatus::NotFound; }

}  // namespace

bool SameFolder(std::string_view a, std::string_view b) { return FolderKey(a) == FolderKey(b); }

SettingsSavePlan PlanSettingsSave(const ParameterItems& current, const SettingsControls& controls,
                                  const NewFolderState& newFolder) {
  SettingsSavePlan plan;
  const std::string folder = Trim(controls.dataFolder);
  if (const std::string bad = UnmappableCharacters(folder); !bad.empty()) {
    plan.refusal = "数据文件夹 " + folder + " 中有字符“" + bad +
                   "”无法保存到设置文件（GBK 编码）中，请另选一个文件夹。";
    return plan;
  }
  if (const std::string bad = UnmappableCharacters(controls.soundFile); !bad.empty()) {
    plan.refusal = SoundPathRefusedText(bad);
    return plan;
  }
  plan.dataFolderChanged = !SameFolder(folder, current[kParamDataFolder]);
  if (plan.dataFolderChanged && !newFolder.exists) {
    plan.refusal = "数据文件夹“" + folder + "”不存在，请另选一个文件夹。";
    return plan;
  }
  if (plan.dataFolderChanged && newFolder.dataWindowOpen) {
    plan.refusal = "请先关闭工作记录表和定时提醒设置窗口，再更改数据文件夹。";
    return plan;
  }
  plan.items = current;
  SettingsToParameters(controls, plan.items);
  return plan;
}

DataFilesCopy CopyMissingDataFiles(const std::string& oldFolder, const std::string& newFolder) {
  DataFilesCopy result;
  if (SameFolder(oldFolder, newFolder)) return result;
  for (std::string_view name : kDataFileNames) {
    const std::string from = DataFilePath(oldFolder, name);
    const std::string to = DataFilePath(newFolder, name);
    if (Exists(to)) continue;
    const FileContents source = ReadWholeFile(from);
    if (source.status == FileStatus::NotFound) continue;
    if (source.status != FileStatus::Ok) {
      result.failedPath = from;
      result.error = "无法读取原来的文件";
      return result;
    }
    if (!ReplaceFileContents(to, source.bytes, &result.error)) {
      result.failedPath = from;
      return result;
    }
    result.copied.emplace_back(name);
  }
  return result;
}

std::string DataFilesCopiedText(const std::vector<std::string>& names, std::string_view oldFolder,
                                std::string_view newFolder) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : "、") + name;
  return "新的数据文件夹 " + std::string(newFolder) + " 中没有 " + list + "，已从原来的文件夹 " +
         std::string(oldFolder) + " 复制过去，原来的文件仍然保留。";
}

std::string DataFileNotCopiedText(std::string_view path, std::string_view newFolder,
                                  std::string_view reason) {
  return "无法把 " + std::string(path) + " 复制到新的数据文件夹 " + std::string(newFolder) + "：" +
         std::string(reason) + "。设置没有保存。";
}

std::string SoundPathRefusedText(std::string_view characters) {
  return "声音文件的路径中有字符“" + std::string(characters) +
         "”无法保存到设置文件（GBK 编码）中，请另选一个文件。";
}

}  // namespace quillet
