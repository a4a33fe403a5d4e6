// The commands of the pelmora program; each returns the program's exit status.
#pragma once

#include <iosfwd>
#include <string>

namespace pelmora {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitProblems = 1;   // the run or the check reported an error
inline constexpr int kExitUnusable = 2;   // unreadable file or wrong arguments

// jsonTarget: empty for no JSON, "-" for standard output, else a file name.
int CalcCommand(const std::string& fileName, const std::string& jsonTarget, std::ostream& out, std::ostream& err);
int CheckCommand(const std::string& fileName, std::ostream& out, std::ostream& err);

}  // namespace pelmora
