#include "worklog/work_list_text.h"

namespace quillet {

std::string RecordFileUnreadableText(std::string_view path) {
  return "无法读取工作记录文件 " + std::string(path) +
         "，表格中没有显示其中的记录。为保护该文件，本次打开的表格不会保存到它上面。";
}

std::string RecordFileNotSavedText(std::string_view path, std::string_view reason) {
  return "无法保存工作记录文件 " + std::string(path) + "：" + std::string(reason) +
         "。表格中的修改仍然保留，请排除问题后再保存。";
}

std::string RecordFileKeptReason() { return "打开时未能读取该文件，保存会覆盖其中的记录"; }

}  // namespace quillet
