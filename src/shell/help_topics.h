// Help context numbers and the help pages they stand for.
#pragma once

#include <string>

namespace pelmora {

class TZubFile;

inline constexpr int kEditorHelpContext = 60;

// The page name of a context; any unknown number gives "welcome".
std::string HelpPageName(int context);
// For the editor's context: the help of the command on the caret line (head-area mode has its
// own Head and Flow pages); other contexts stay as they are.
int EditorHelpContext(int context, const TZubFile& project, int caretLine);

}  // namespace pelmora
