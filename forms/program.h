// What the windows of the program share, and what one window may ask about
// the others. The shell owns the one Program, implements the questions, and
// hands it to every window it opens (the window keeps it while loaded); a
// window opened by another window gets it from its opener.
#pragma once

#include <string>

#include "base/file_store.h"
#include "base/parameter_items.h"

namespace quillet {

struct ProgramState {
  // The 51 settings items of paramter.dat, read at start-up.
  ParameterItems Parameters;
  // The folder of quillet.exe (paramter.dat, Help.dat, Code.dat), UTF-8.
  std::string ProgramFolder;
  // False when paramter.dat exists but could not be read: the program then
  // runs on the first-run settings and leaves the file alone at exit.
  bool SaveSettingsAtExit = true;
  // paramter.dat as read at start-up or last saved: a file another program
  // changed since is not saved over unasked.
  FileVersion ParametersVersion;
};

class Program {
 public:
  ProgramState state;

  // The work-record list or its edit window is loaded (shown or hidden).
  virtual bool RecordWindowsOpen() const = 0;
  // The reminder settings window is loaded: it holds its own copy of the
  // reminder file.
  virtual bool ReminderSettingsOpen() const = 0;

 protected:
  Program() = default;
  ~Program() = default;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
};

}  // namespace quillet
