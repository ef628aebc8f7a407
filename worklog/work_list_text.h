// The list window's messages about the record file.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// The record file exists but could not be read: the table starts empty and
// the file is left as it is.
std::string RecordFileUnreadableText(std::string_view path);
// A save of the record file failed; the window stays open with the table.
std::string RecordFileNotSavedText(std::string_view path, std::string_view reason);
// Why a table that could not be read is never written over the file.
std::string RecordFileKeptReason();

}  // namespace quillet
