// The area and postal code look-up (邮编区号查询): a keyword typed in the
// box, searched with "查询" or Enter, and every line of Code.dat beside the
// program that contains it, shown under the heads province, region, postal
// code and area code.
#pragma once

#include <string>

#include "forms/form_win.h"
#include "win32/handles.h"

namespace quillet {

class LookupWindow : public Form {
 public:
  static constexpr char kCaption[] = "\u3000邮编区号查询";
  static constexpr ControlKey kPrompt{"Label1"};
  static constexpr ControlKey kKeyword{"Text1"};
  static constexpr ControlKey kButtons{"Pic"};
  static constexpr ControlKey kSearchButton{"Pic", 0};
  static constexpr ControlKey kExitButton{"Pic", 1};
  static constexpr ControlKey kHeads{"Label2"};  // the result columns' heads
  static constexpr ControlKey kResults{"Txt"};
  static constexpr ControlKey kLogo{"Logo"};
  LookupWindow();
  bool Load() { return LoadForm(); }

  // Trims the keyword box; unless that leaves it empty, fills the result
  // box with the matching lines of the code list. A code list that cannot
  // be read leaves the result box as it was, silently.
  void Query();
  std::string Keyword() const { return BoxText(kKeyword); }
  std::string Results() const { return BoxText(kResults); }

 protected:
  void OnLoad() override;
  void Paint(const PaintTarget& target) override;
  void OnClick(const ControlDef& control) override;
  bool OnEscape() override {  // as "退　出"
    Unload();
    return true;
  }

 private:
  LRESULT KeywordBoxKeys(HWND box, UINT msg, WPARAM wParam, LPARAM lParam);
  std::string BoxText(ControlKey box) const;
  void DrawLabel(const PaintTarget& target, const ControlDef& label) const;

  win::Bitmap logo_;
};

// Shows the look-up window modeless, with the keyword box ready for typing.
void ShowCodeLookup(Program& program);

}  // namespace quillet
