// Where a vertical scroll bar's message moves a view of lines (or rows).
#pragma once

#include <windows.h>

namespace quillet::win {

// The first line to show after WM_VSCROLL with code (its low word), for a
// view at top with page lines in view and last the highest first line;
// track is the bar's 32-bit tracking position (SIF_TRACKPOS), which the
// message itself carries only 16 bits of. The caller clamps the result.
inline int VerticalScrollTarget(WPARAM code, int top, int page, int last, int track) {
  switch (LOWORD(code)) {
    case SB_LINEUP: return top - 1;
    case SB_LINEDOWN: return top + 1;
    case SB_PAGEUP: return top - page;
    case SB_PAGEDOWN: return top + page;
    case SB_TOP: return 0;
    case SB_BOTTOM: return last;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return track;
    default: return top;
  }
}

}  // namespace quillet::win
