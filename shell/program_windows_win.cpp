#include "shell/program_windows_win.h"

#include "reminders/due_check_win.h"
#include "settings/settings_window.h"
#include "shell/main_window.h"
#include "shell/navigation.h"
#include "worklog/work_list_window.h"

namespace quillet {

void ConnectProgramWindows() {
  Navigation& to = ProgramNavigation();
  to.showList = ShowWorkList;
  to.listAction = RunWorkListAction;
  to.saveWorkAtExit = [] { ListSavedAtExit(); };
  to.checkDueReminders = CheckDueRemindersNow;
  to.showSettings = [] { ShowSettingsWindow([] { TheForm<MainWindow>().ApplySettings(); }); };
}

}  // namespace quillet
