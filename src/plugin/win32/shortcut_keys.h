// SPDX-License-Identifier: MIT
// The plug-in's keyboard shortcuts, kept working where the editor binds the same keys to
// commands of its own: the editor's "2nd Style" and "3rd Style" take Ctrl+2 and Ctrl+3, and
// its key table lets its own commands win. While the editor runs, a key that is mapped to one
// of our commands (as the editor's shortcut mapper has it now, so a user's new mapping is
// followed) runs that command, in the editor's windows only.
#pragma once

namespace plugin {

void StartShortcutKeys();
void StopShortcutKeys();

}  // namespace plugin
