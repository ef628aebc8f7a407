#include "win32/accessible_hook.h"

#include <memory>
#include <utility>

#include "win32/subclass.h"

namespace quillet::win {

namespace {

class FixedName final : public AccessibleSource {
 public:
  explicit FixedName(std::wstring name) : name_(std::move(name)) {}
  bool Name(HWND, long child, std::wstring* name) override {
    if (child != CHILDID_SELF) return false;
    *name = name_;
    return true;
  }

 private:
  std::wstring name_;
};

// The hook owns the object's owner, and the source when given one.
bool Hook(HWND control, AccessibleSource* source, std::unique_ptr<AccessibleSource> owned) {
  auto answer = std::make_unique<AccessibleAnswer>();
  return Subclass(control, [source, owned = std::move(owned), answer = std::move(answer)](
                               HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (msg == WM_GETOBJECT && answer->Answer(window, wParam, lParam, source, &result)) return result;
    return ::DefSubclassProc(window, msg, wParam, lParam);
  });
}

}  // namespace

bool HookAccessible(HWND control, AccessibleSource* source) { return Hook(control, source, nullptr); }

bool NameForScreenReaders(HWND control, std::wstring name) {
  auto source = std::make_unique<FixedName>(std::move(name));
  AccessibleSource* borrowed = source.get();
  return Hook(control, borrowed, std::move(source));
}

}  // namespace quillet::win
