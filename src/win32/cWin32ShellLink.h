#pragma once
// Writes a shortcut file through the shell's own link object, so that the
// shell reads back exactly what it would have written itself. Matches
// cShortcutWizardModel::ShortcutWriter.
#include "core/ui/cShortcutWizardModel.h"

#include <string>

namespace qx::win32 {

// Creates or replaces link.linkPath, starting link.targetPath with
// link.arguments and nothing else set. False with a readable description
// when COM, the link object or the file refused.
bool WriteShellLink(const qx::ShortcutLink& link, std::string& errorDescription);

} // namespace qx::win32
