#include "forms/text_input_win.h"

#include <commctrl.h>

#include "forms/form_win.h"
#include "forms/message_window.h"
#include "forms/text_input.h"
#include "win32/subclass.h"
#include "win32/text.h"

namespace quillet {

namespace {

std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!::IsClipboardFormatAvailable(CF_UNICODETEXT) || !::OpenClipboard(owner)) return text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = chars;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

// True when the input may go on; otherwise the user has been told (in the
// message dialog of the program the box's window belongs to).
bool Accept(HWND box, const std::wstring& input) {
  const std::string refused = UnmappableCharacters(win::Narrow(input));
  if (refused.empty()) return true;
  ::MessageBeep(MB_ICONWARNING);
  const HWND window = ::GetAncestor(box, GA_ROOT);
  for (Form* form : LoadedForms()) {
    if (form->hwnd() == window) ShowMessage(form->program(), RefusedInputText(refused));
  }
  return false;
}

LRESULT InputKeys(HWND box, UINT msg, WPARAM wParam, LPARAM lParam, wchar_t& pendingHigh) {
  switch (msg) {
    case WM_CHAR: {
      const auto unit = static_cast<wchar_t>(wParam);
      if (unit >= 0xD800 && unit <= 0xDBFF) {
        // The first half of a pair: judged with the second.
        pendingHigh = unit;
        return 0;
      }
      std::wstring character(1, unit);
      if (unit >= 0xDC00 && unit <= 0xDFFF && pendingHigh != 0) {
        character.insert(character.begin(), pendingHigh);
        pendingHigh = 0;
      }
      if (unit >= 0x20 && !Accept(box, character)) return 0;
      if (character.size() == 2) {
        ::SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(character.c_str()));
        return 0;
      }
      break;
    }
    case WM_PASTE:
      if (!Accept(box, ClipboardText(box))) return 0;
      break;
    default:
      break;
  }
  return ::DefSubclassProc(box, msg, wParam, lParam);
}

}  // namespace

void RefuseUnmappableInput(HWND edit) {
  win::Subclass(edit, [pendingHigh = wchar_t{0}](HWND box, UINT msg, WPARAM wParam,
                                                LPARAM lParam) mutable {
    return InputKeys(box, msg, wParam, lParam, pendingHigh);
  });
}

std::string WindowText(HWND window) {
  if (!window) return {};
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return win::Narrow(text);
}

}  // namespace quillet
