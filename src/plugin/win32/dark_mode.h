// SPDX-License-Identifier: MIT
// Our windows in the editor's dark mode: the result and text windows, the progress box, the
// plot windows and the matrix dialog are handed to the editor as they open, and it themes them
// and their controls, now and whenever the mode changes.
#pragma once

namespace plugin {

// From setInfo on, every window the library opens is handed to the editor.
void FollowEditorTheme();
// The mode changed: our open windows follow.
void ThemeChanged();

}  // namespace plugin
