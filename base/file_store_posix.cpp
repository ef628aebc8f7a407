#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <dirent.h>
#include <unistd.h>

#include <cstdio>

#include "base/file_store.h"

namespace quillet::file_store_detail {
namespace {

void SetError(std::string* error, const char* what) {
  if (error) *error = std::string(what) + "（" + std::strerror(errno) + "）";
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

Handle OpenToRead(const std::string& path, FileStatus* status, std::uint64_t* size) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *status = (errno == ENOENT || errno == ENOTDIR) ? FileStatus::NotFound : FileStatus::Unreadable;
    return kNoHandle;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    *status = FileStatus::Unreadable;
    return kNoHandle;
  }
  *status = FileStatus::Ok;
  *size = static_cast<std::uint64_t>(st.st_size);
  return fd;
}

std::ptrdiff_t ReadSome(Handle h, char* data, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(static_cast<int>(h), data, size);
    if (n < 0 && errno == EINTR) continue;
    return n;
  }
}

Handle Create(const std::string& path, std::string* error) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) SetError(error, "无法创建临时文件");
  return fd < 0 ? kNoHandle : fd;
}

bool Write(Handle h, const char* data, std::size_t size, std::string* error) {
  while (size > 0) {
    const ssize_t n = ::write(static_cast<int>(h), data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      SetError(error, "无法写入");
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool FlushAndClose(Handle h, std::string* error) {
  const bool synced = ::fsync(static_cast<int>(h)) == 0;
  if (!synced) SetError(error, "无法写入磁盘");
  const bool closed = ::close(static_cast<int>(h)) == 0;
  if (synced && !closed) SetError(error, "无法关闭文件");
  return synced && closed;
}

void Abandon(Handle h) { ::close(static_cast<int>(h)); }

bool ReplaceWith(const std::string& temporary, const std::string& target, std::string* error) {
  if (std::rename(temporary.c_str(), target.c_str()) != 0) {
    SetError(error, "无法替换原文件");
    return false;
  }
  // Make the rename itself durable.
  const int dir = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

bool Remove(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

}  // namespace quillet::file_store_detail

namespace quillet {

bool MakeFolder(const std::string& path, std::string* error) {
  if (::mkdir(path.c_str(), 0755) == 0) return true;
  struct stat st {};
  if (errno == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
  if (error) *error = std::string("无法创建文件夹") + "（" + std::strerror(errno) + "）";
  return false;
}

namespace {
// The entries of a folder that are folders (wantFolders) or files.
std::vector<std::string> Entries(const std::string& folder, bool wantFolders) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    if (::stat((folder + "/" + name).c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode) == wantFolders) names.push_back(name);
  }
  ::closedir(dir);
  return names;
}
}  // namespace

std::vector<std::string> SubfolderNames(const std::string& folder) { return Entries(folder, true); }

bool RemoveFolderAndFiles(const std::string& folder) {
  for (const std::string& name : Entries(folder, false)) ::unlink((folder + "/" + name).c_str());
  return ::rmdir(folder.c_str()) == 0 || errno == ENOENT;
}

}  // namespace quillet
