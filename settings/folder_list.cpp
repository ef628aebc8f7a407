#include "settings/folder_list.h"

#include <algorithm>

namespace quillet {

namespace {

std::string Backslashed(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '/', '\\');
  return out;
}

// The names between the separators after the root.
std::vector<std::string> Names(const std::string& path, std::size_t rootLength) {
  std::vector<std::string> names;
  std::size_t pos = rootLength;
  while (pos < path.size()) {
    std::size_t end = path.find('\\', pos);
    if (end == std::string::npos) end = path.size();
    if (end > pos) names.push_back(path.substr(pos, end - pos));
    pos = end + 1;
  }
  return names;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string Joined(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '\\' ? folder + name : folder + '\\' + name;
}

}  // namespace

std::string FolderRoot(std::string_view path) {
  const std::string p = Backslashed(path);
  if (p.size() >= 2 && p[1] == ':') return p.substr(0, 2) + '\\';
  if (p.rfind("\\\\", 0) != 0) return {};
  // \\server\share\: the separator after the share, or the end.
  std::size_t end = p.find('\\', 2);
  if (end != std::string::npos) end = p.find('\\', end + 1);
  return (end == std::string::npos ? p : p.substr(0, end)) + '\\';
}

std::string ParentFolder(std::string_view path) {
  const std::string p = Backslashed(path);
  const std::string root = FolderRoot(p);
  std::vector<std::string> names = Names(p, root.size());
  if (!names.empty()) names.pop_back();
  std::string parent = root;
  for (const std::string& name : names) parent = Joined(parent, name);
  return parent;
}

std::vector<FolderLine> FolderLines(std::string_view folder, std::vector<std::string> inside) {
  const std::string p = Backslashed(folder);
  const std::string root = FolderRoot(p);
  const std::vector<std::string> names = Names(p, root.size());
  std::vector<FolderLine> lines;
  std::string path = root;
  if (!root.empty()) lines.push_back({root, root, true});
  std::string indent;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!lines.empty()) indent += ' ';
    path = Joined(path, names[i]);
    lines.push_back({indent + names[i] + (i + 1 < names.size() ? "\\" : ""), path, true});
  }
  if (!lines.empty()) indent += ' ';
  std::sort(inside.begin(), inside.end(), [](const std::string& a, const std::string& b) {
    const std::string la = Lower(a);
    const std::string lb = Lower(b);
    return la != lb ? la < lb : a < b;
  });
  for (const std::string& name : inside) lines.push_back({indent + name, Joined(path, name), false});
  return lines;
}

std::size_t OpenedLine(const std::vector<FolderLine>& lines) {
  std::size_t opened = 0;
  for (std::size_t i = 0; i < lines.size() && lines[i].open; ++i) opened = i;
  return opened;
}

}  // namespace quillet
