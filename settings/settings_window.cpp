#include "settings/settings_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "base/field_reader.h"
#include "forms/message_window.h"
#include "forms/outside_change_win.h"
#include "forms/skin.h"
#include "forms/sound_player_win.h"
#include "forms/text_input.h"
#include "forms/text_input_win.h"
#include "settings/folder_list.h"
#include "settings/settings_save.h"
#include "win32/subclass.h"
#include "win32/text.h"

namespace quillet {

namespace {

constexpr char kTitle[] = "    我的个性化设置";
constexpr char kSample[] = "字体颜色";
constexpr char kFace[] = "宋体";
constexpr double kPoints = 9;
constexpr int kSampleColour = 7;  // colours_ index of the sample's text colour
constexpr UINT_PTR kTrialTimer = 1;
constexpr wchar_t kSoundFilter[] = L"声音文件 (*.wav)\0*.wav\0";

// Top-left corners of the frames, twips; what is inside a frame is placed
// from its corner.
constexpr double kSystemLeft = 120, kSystemTop = 1320;  // Frame(0) "系统设置"
constexpr double kLookLeft = 4440, kLookTop = 1320;     // Frame(2) "颜色外观"
constexpr double kStatesLeft = 120, kStatesTop = 3150;  // Frame(1), the state colours

struct Switch {
  double left, top, width;  // twips inside Frame(0)
  const char* caption;
};
// Chk(i) is the settings item 1 + i.
constexpr std::array<Switch, 6> kSwitches = {{
    {240, 240, 2100, "定时提醒是否提示声音"},
    {2400, 240, 1800, "主面板贴边隐藏"},
    {240, 600, 2100, "主面板总在最前面"},
    {2400, 600, 1800, "在任务栏显示图标"},
    {240, 960, 2100, "自动弹出提示窗口"},
    {2400, 960, 1800, "拒绝接收信息"},
}};
constexpr std::array<const char*, 5> kStateCaptions = {"已完提示色", "未完提示色", "取消提示色",
                                                       "延期提示色", "半完成提示色"};

WindowDef SettingsDefinition() {
  WindowDef def;
  def.caption = SettingsWindow::kCaption;
  def.width = 8145;
  def.height = 4815;
  auto& c = def.controls;
  const auto label = [&c](int index, double left, double top, double width, const char* text) {
    c.push_back(Label(SettingsWindow::kLabels[index], left, top, width, 240, text, kFace, kPoints));
  };
  // The frames are drawn by the window: a system group box leaves its
  // inside to the window, which could not fill it with the frame's colour
  // under its clipped children.
  const auto frame = [&c](int index, double left, double top, double width, double height,
                          const char* caption) {
    c.push_back(
        Label(SettingsWindow::kFrames[index], left, top, width, height, caption, kFace, kPoints));
  };
  // Each text box is named by the label before it.
  const auto textBox = [&c](int index, double left, double top, double width, int named) {
    c.push_back(TextBox(SettingsWindow::kTexts[index], left, top, width, 270, kFace, kPoints, false));
    c.back().namedBy = {SettingsWindow::kLabels[named]};
  };
  // In the order of the Tab key.
  label(8, 120, 585, 1440, "提示声音文件：");
  textBox(1, 1560, 555, 5175, 8);
  c.push_back(ButtonControl(SettingsWindow::kBrowseButton, 6730, 540, 550, 300, "浏览"));
  c.push_back(ButtonControl(SettingsWindow::kTrialButton, 7360, 540, 555, 300, "试听"));
  label(0, 120, 870, 1680, "当前路径：");
  textBox(0, 1800, 840, 6135, 0);
  c.push_back(SystemControl(ControlKind::ComboBox, SettingsWindow::kDrives, 5880, 1095, 2055, 300,
                            {}, kFace, kPoints));
  c.push_back(SystemControl(ControlKind::ListBox, SettingsWindow::kFolders, 5880, 1380, 2055, 3030,
                            {}, kFace, kPoints));
  frame(0, kSystemLeft, kSystemTop, 4335, 1815, "系统设置");
  for (std::size_t i = 0; i < kSwitches.size(); ++i) {
    const Switch& s = kSwitches[i];
    c.push_back(SystemControl(ControlKind::CheckBox, SettingsWindow::kSwitchBoxes[static_cast<int>(i)],
                              kSystemLeft + s.left, kSystemTop + s.top, s.width, 255, s.caption,
                              kFace, kPoints));
  }
  frame(2, kLookLeft, kLookTop, 1335, 1815, "颜色外观");
  label(1, kLookLeft + 80, kLookTop + 240, 1220, "背景颜色");
  c.push_back(Picture(SettingsWindow::kBackgroundPicture, kLookLeft + 120, kLookTop + 480, 1095, 225));
  label(2, kLookLeft + 80, kLookTop + 720, 1220, "按钮颜色");
  c.push_back(Picture(SettingsWindow::kButtonPicture, kLookLeft + 120, kLookTop + 960, 1095, 225));
  label(9, kLookLeft + 80, kLookTop + 1200, 1220, "按钮字体颜色");
  textBox(2, kLookLeft + 120, kLookTop + 1440, 1095, 9);
  c.back().readOnly = true;  // the sample: its colour is chosen, not its text
  frame(1, kStatesLeft, kStatesTop, 5655, 975, "工作记录提示颜色设置");
  for (int i = 0; i < 5; ++i) {
    const double left = kStatesLeft + 120 + 1080 * i;
    label(3 + i, left, kStatesTop + 240, i == 4 ? 1215 : 1080, kStateCaptions[static_cast<std::size_t>(i)]);
    c.push_back(Picture(SettingsWindow::kColourPictures[2 + i], left, kStatesTop + 540, 960, 300));
  }
  c.push_back(
      ButtonControl(SettingsWindow::kSaveButton, 960, 4200, 1725, 405, "保\u3000\u3000存"));
  c.push_back(
      ButtonControl(SettingsWindow::kCancelButton, 3480, 4200, 1725, 405, "取\u3000\u3000消"));
  return def;
}

void SetText(HWND control, const std::string& text) {
  ::SetWindowTextW(control, win::Widen(text).c_str());
}

// Rect of a control at the target's DPI.
RECT BoxAt(const ControlDef& control, int dpi) {
  const PixelBox b = ToPixels(control, dpi);
  return RECT{b.left, b.top, b.left + b.width, b.top + b.height};
}

void Fill(HDC dc, const RECT& box, Colour colour) {
  const win::Brush brush(::CreateSolidBrush(colour));
  ::FillRect(dc, &box, brush.get());
}

}  // namespace

SettingsWindow::SettingsWindow() : Form(SettingsDefinition(), FormStyle{}), trial_(ProgramSoundPlayer()) {
  customColours_.fill(0xFFFFFF);
}

void SettingsWindow::OnLoad() {
  const SettingsControls controls = ParametersToSettings(program().state.Parameters);
  SetText(ControlWindow(kDataFolderBox), controls.dataFolder);
  SetText(ControlWindow(kSoundFileBox), controls.soundFile);
  for (std::size_t i = 0; i < controls.switches.size(); ++i) {
    ::SendMessageW(ControlWindow(kSwitchBoxes[static_cast<int>(i)]), BM_SETCHECK,
                   controls.switches[i] ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  std::copy(controls.colours.begin(), controls.colours.end(), colours_.begin());
  colours_[kSampleColour] = controls.buttonTextColour;
  SetText(ControlWindow(kSampleBox), kSample);
  RefuseUnmappableInput(ControlWindow(kDataFolderBox));
  RefuseUnmappableInput(ControlWindow(kSoundFileBox));
  for (const ControlDef& c : Definition().controls) {
    HWND control = ControlWindow(KeyOf(c));
    if (control && c.kind != ControlKind::Gleam) {
      win::Subclass(control, [this](HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
        return ControlKeys(box, msg, wParam, lParam);
      });
    }
  }
  FillDrives();
  // A data folder that does not exist leaves the list at the current folder.
  if (!OpenFolder(controls.dataFolder)) {
    wchar_t current[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    OpenFolder(win::Narrow(current));
  }
}

void SettingsWindow::OnUnload() {
  ::KillTimer(hwnd(), kTrialTimer);
  trial_.Stop();
  drives_.clear();
  lines_.clear();
  opened_.clear();
}

SettingsControls SettingsWindow::Controls() const {
  SettingsControls c;
  c.dataFolder = WindowText(ControlWindow(kDataFolderBox));
  c.soundFile = WindowText(ControlWindow(kSoundFileBox));
  c.buttonTextColour = colours_[kSampleColour];
  for (std::size_t i = 0; i < c.switches.size(); ++i) {
    c.switches[i] =
        ::SendMessageW(ControlWindow(kSwitchBoxes[static_cast<int>(i)]), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  std::copy(colours_.begin(), colours_.begin() + 7, c.colours.begin());
  return c;
}

void SettingsWindow::SetColour(int box, Colour colour) {
  colours_[static_cast<std::size_t>(box)] = DarkenColour(colour, 0);
  if (box == kSampleColour) {
    ::InvalidateRect(ControlWindow(kSampleBox), nullptr, TRUE);
  } else {
    InvalidateControl(kColourPictures[box]);
  }
}

void SettingsWindow::Paint(const PaintTarget& target) {
  PaintTitleBar(target, kTitle, CurrentPalette());
  for (const ControlDef& c : Definition().controls) {
    if (InGroup(c, kFrames)) PaintFrame(target, c);
  }
  for (const ControlDef& c : Definition().controls) {
    if (InGroup(c, kLabels)) {
      PaintLabel(target, c, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    } else if (InGroup(c, kColourPictures)) {
      RECT box = BoxAt(c, target.dpi);
      ::DrawEdge(target.dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      Fill(target.dc, box, colours_[static_cast<std::size_t>(c.index)]);
    }
  }
}

void SettingsWindow::PaintFrame(const PaintTarget& target, const ControlDef& frame) const {
  // The frame's back colour fills it whole; an etched line, drawn in a
  // darker and a lighter shade of it, runs through the caption's middle.
  const Palette palette = CurrentPalette();
  const Colour back = palette.flat ? palette.back : DarkenColour(palette.back, 25);
  const RECT box = BoxAt(frame, target.dpi);
  Fill(target.dc, box, back);
  const win::Font font = ControlFontAt(frame, target.dpi);
  win::SelectScope select(target.dc, font.get());
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(target.dc, &metrics);
  const RECT line{box.left, box.top + metrics.tmHeight / 2, box.right, box.bottom};
  const win::Brush dark(::CreateSolidBrush(palette.flat ? palette.text : DarkenColour(back, 70)));
  const win::Brush light(::CreateSolidBrush(palette.flat ? palette.text : DarkenColour(back, -60)));
  const RECT shadow{line.left, line.top, line.right - 1, line.bottom - 1};
  const RECT lit{line.left + 1, line.top + 1, line.right, line.bottom};
  ::FrameRect(target.dc, &lit, light.get());
  ::FrameRect(target.dc, &shadow, dark.get());
  const std::wstring caption = win::Widen(" " + frame.text + " ");
  const int oldMode = ::SetBkMode(target.dc, OPAQUE);
  const COLORREF oldBack = ::SetBkColor(target.dc, back);
  const COLORREF oldText = ::SetTextColor(target.dc, palette.text);
  ::TextOutW(target.dc, box.left + target.Px(90), box.top, caption.c_str(), static_cast<int>(caption.size()));
  ::SetTextColor(target.dc, oldText);
  ::SetBkColor(target.dc, oldBack);
  ::SetBkMode(target.dc, oldMode);
}

void SettingsWindow::OnClick(const ControlDef& control) {
  if (Is(control, kSaveButton)) {
    Save();
  } else if (Is(control, kCancelButton)) {
    Unload();
  } else if (Is(control, kBrowseButton)) {
    BrowseSound();
  } else if (Is(control, kTrialButton)) {
    PressTrial();
  }
}

void SettingsWindow::OnPictureMouse(const ControlDef& control, UINT message) {
  if (!InGroup(control, kColourPictures)) return;
  if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) {
    // The dialog takes the mouse: the press ends here.
    ::ReleaseCapture();
    ChooseColour(control.index);
  }
}

void SettingsWindow::OnCommand(const ControlDef& control, int code) {
  if (InGroup(control, kDrives) && code == CBN_SELCHANGE) {
    DriveChosen();
  } else if (InGroup(control, kFolders) && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
    FolderChosen(code == LBN_DBLCLK);
  }
}

bool SettingsWindow::OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case WM_TIMER:
      if (wParam != kTrialTimer) return false;
      if (!trial_.StillPlaying()) ::KillTimer(hwnd(), kTrialTimer);
      *result = 0;
      return true;
    case WM_CTLCOLORSTATIC: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      const auto control = reinterpret_cast<HWND>(lParam);
      if (control == ControlWindow(kSampleBox)) {
        // The sample, read-only, shows the button text colour on white.
        ::SetTextColor(dc, colours_[kSampleColour]);
        ::SetBkColor(dc, 0xFFFFFF);
        *result = reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
        return true;
      }
      for (int i = 0; i < static_cast<int>(kSwitches.size()); ++i) {
        if (control != ControlWindow(kSwitchBoxes[i])) continue;
        const Palette palette = CurrentPalette();
        const Colour back = palette.flat ? palette.back : DarkenColour(palette.back, 30);
        ::SetTextColor(dc, win::ToColorRef(palette.text));
        ::SetBkColor(dc, win::ToColorRef(back));
        *result = reinterpret_cast<LRESULT>(switchBrush_.For(back));
        return true;
      }
      return false;
    }
    case WM_CLOSE:  // Alt+F4 or Esc: as "取　　消"
      Unload();
      *result = 0;
      return true;
    default:
      return false;
  }
}

LRESULT SettingsWindow::ControlKeys(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KEYDOWN:
      if (OnKey(control, wParam)) return 0;
      break;
    case WM_CHAR:
      // Enter and Esc were keys of the window; an edit box would beep.
      if (wParam == L'\r' || wParam == 0x1B) return 0;
      break;
    case WM_LBUTTONDOWN:
      if (control == ControlWindow(kSampleBox)) {
        ChooseColour(kSampleColour);
        return 0;
      }
      break;
    default:
      break;
  }
  return ::DefSubclassProc(control, msg, wParam, lParam);
}

bool SettingsWindow::OnKey(HWND control, WPARAM key) {
  const bool isList = control == ControlWindow(kFolders);
  switch (key) {
    case VK_RETURN:
      if (isList) {
        FolderChosen(true);
      } else if (control == ControlWindow(kDataFolderBox)) {
        // The list follows a folder typed into the box.
        if (!OpenFolder(Trim(WindowText(control)))) ::MessageBeep(MB_ICONWARNING);
      } else if (control == ControlWindow(kSampleBox)) {
        ChooseColour(kSampleColour);
      } else {
        return false;
      }
      return true;
    case VK_BACK:
      if (!isList) return false;
      OpenFolder(ParentFolder(opened_));
      SetText(ControlWindow(kDataFolderBox), opened_);
      return true;
    default:
      return false;
  }
}

void SettingsWindow::FillDrives() {
  HWND list = ControlWindow(kDrives);
  ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
  drives_ = DriveRoots();
  // Each drive by its letter ("C:"): asking a drive for its name may wait
  // for a disc or a network.
  for (const std::string& root : drives_) {
    const std::wstring text = win::Widen(root.substr(0, 2));
    ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

bool SettingsWindow::OpenFolder(const std::string& folder) {
  if (folder.empty() || !IsLoaded()) return false;
  std::optional<FolderListing> listing = ListFolder(folder);
  if (!listing) return false;

  const std::vector<FolderLine> lines = FolderLines(listing->folder, std::move(listing->inside));
  HWND list = ControlWindow(kFolders);
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  lines_.clear();
  // Lines wider than the list scroll sideways rather than being cut.
  const win::WindowDc dc(list);
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(list, WM_GETFONT, 0, 0));
  const win::SelectScope select(dc.get(), font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  int widest = 0;
  for (const FolderLine& line : lines) {
    const std::wstring text = win::Widen(line.text);
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    lines_.push_back(line.path);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  ::SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + Px(45)), 0);
  const std::size_t opened = OpenedLine(lines);
  opened_ = lines.empty() ? listing->folder : lines[opened].path;
  ::SendMessageW(list, LB_SETCURSEL, opened, 0);
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
  // The drive list shows the drive of the open folder.
  const std::string root = FolderRoot(opened_);
  const auto drive = std::find_if(drives_.begin(), drives_.end(),
                                  [&root](const std::string& d) { return SameFolder(d, root); });
  ::SendMessageW(ControlWindow(kDrives), CB_SETCURSEL,
                 drive == drives_.end() ? static_cast<WPARAM>(-1)
                                        : static_cast<WPARAM>(drive - drives_.begin()),
                 0);
  return true;
}

void SettingsWindow::DriveChosen() {
  const LRESULT index = ::SendMessageW(ControlWindow(kDrives), CB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= drives_.size()) return;
  const std::string root = drives_[static_cast<std::size_t>(index)];
  // The system keeps a current folder per drive ("D:" names it); the root
  // when that has gone. A drive that is not ready leaves the list where it
  // was, and the drive list with it.
  if (OpenFolder(root.substr(0, 2)) || OpenFolder(root)) {
    SetText(ControlWindow(kDataFolderBox), opened_);
  } else {
    OpenFolder(opened_);
  }
}

void SettingsWindow::FolderChosen(bool open) {
  HWND list = ControlWindow(kFolders);
  LRESULT index = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= lines_.size()) return;
  if (open && !OpenFolder(lines_[static_cast<std::size_t>(index)])) {
    OpenFolder(opened_);  // the folder has gone meanwhile: the list is read again
  }
  index = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (index >= 0 && static_cast<std::size_t>(index) < lines_.size()) {
    SetText(ControlWindow(kDataFolderBox), lines_[static_cast<std::size_t>(index)]);
  }
}

void SettingsWindow::ChooseColour(int box) {
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = hwnd();
  dialog.rgbResult = colours_[static_cast<std::size_t>(box)];
  dialog.lpCustColors = customColours_.data();
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  // A cancelled dialog keeps the colour; the window may have gone meanwhile
  // (the program ended under the dialog).
  if (::ChooseColorW(&dialog) && IsLoaded()) SetColour(box, dialog.rgbResult);
}

void SettingsWindow::BrowseSound() {
  std::wstring file(4096, L'\0');
  const std::wstring current = win::Widen(Trim(WindowText(ControlWindow(kSoundFileBox))));
  if (current.size() < file.size()) std::copy(current.begin(), current.end(), file.begin());
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = hwnd();
  dialog.lpstrFilter = kSoundFilter;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&dialog) || !IsLoaded()) return;
  const std::string path = win::Narrow(file.c_str());
  if (const std::string bad = UnmappableCharacters(path); !bad.empty()) {
    ShowMessage(program(), SoundPathRefusedText(bad));
    return;
  }
  SetText(ControlWindow(kSoundFileBox), path);
  // The pop-up plays the new sound from now on, even if the window is
  // then closed with "取　　消"; the item is saved at the latest at exit.
  program().state.Parameters[kParamSoundFile] = path;
}

void SettingsWindow::PressTrial() {
  if (trial_.Press(WindowText(ControlWindow(kSoundFileBox)))) {
    ::SetTimer(hwnd(), kTrialTimer, kSoundTrialWatchMs, nullptr);
  } else {
    ::KillTimer(hwnd(), kTrialTimer);
  }
}

bool SettingsWindow::Save() {
  const SettingsControls controls = Controls();
  const NewFolderState folder{FolderExists(Trim(controls.dataFolder)),
                              program().RecordWindowsOpen() || program().ReminderSettingsOpen()};
  ProgramState& state = program().state;
  const SettingsSavePlan plan = PlanSettingsSave(state.Parameters, controls, folder);
  if (!plan.refusal.empty()) {
    ShowMessage(program(), plan.refusal);
    return false;
  }
  const std::string path = ParameterFilePath(state.ProgramFolder);
  const auto reload = [&] {  // the window shows the file's settings afresh
    const ParametersLoad load = LoadParameters(path);
    if (load.fileRead) state.Parameters = load.items;
    state.ParametersVersion = load.version;
    Unload();
    if (Load()) Show();
  };
  if (!ClearToSave(program(), path, state.ParametersVersion, hwnd(), reload)) return false;
  const std::string oldFolder = state.Parameters[kParamDataFolder];
  const std::string newFolder = plan.items[kParamDataFolder];
  DataFilesCopy copy;
  if (plan.dataFolderChanged) {
    copy = CopyMissingDataFiles(oldFolder, newFolder);
    if (!copy.failedPath.empty()) {
      ShowMessage(program(), DataFileNotCopiedText(copy.failedPath, newFolder, copy.error));
      return false;
    }
  }
  const ParametersSave save = SaveParameters(path, plan.items);
  if (!save.saved) {
    ShowMessage(program(), SettingsNotSavedText(path, save.error));
    return false;
  }
  state.Parameters = plan.items;
  state.ParametersVersion = save.written;
  state.SaveSettingsAtExit = true;  // the file is the user's own settings now
  Unload();
  if (saved_) saved_();
  if (!copy.copied.empty()) ShowMessage(program(), DataFilesCopiedText(copy.copied, oldFolder, newFolder));
  return true;
}

void ShowSettingsWindow(Program& program, std::function<void()> saved) {
  SettingsWindow& window = TheForm<SettingsWindow>();
  window.Attach(program);
  window.OnSaved(std::move(saved));
  if (!window.Load()) return;
  window.Show();
  ::SetFocus(window.ControlWindow(SettingsWindow::kSoundFileBox));
}

}  // namespace quillet
