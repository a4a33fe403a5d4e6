// Copying the project properties of another project file, the command text excepted.
#pragma once

namespace pelmora {

class TZubFile;

// Units, calculation options, liquid, project and system information, naming settings and the
// equivalent-K definitions (marked for recalculation). The command text and the link to an
// imported drawing stay as they were.
void CopyProjectProperties(const TZubFile& from, TZubFile& to);

}  // namespace pelmora
