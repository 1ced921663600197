#pragma once
// The messages the toolkit's controls post to their parents (WM_USER + n),
// with the control's code or index as wParam.

namespace toolkit {

constexpr int kScrollThumbDragged = 1024 + 0;
constexpr int kRadioChosen = 1024 + 1;
constexpr int kButtonReleased = 1024 + 3;
constexpr int kCheckToggled = 1024 + 4;
constexpr int kDropDownChosen = 1024 + 101;

}  // namespace toolkit
