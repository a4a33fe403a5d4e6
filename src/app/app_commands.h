// The commands of the pelmora program; each returns the program's exit status.
#pragma once

#include <iosfwd>
#include <string>

#include "dxf/dxf_options.h"

namespace pelmora {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitProblems = 1;   // the run or the check reported an error
inline constexpr int kExitUnusable = 2;   // unreadable file or wrong arguments

// jsonTarget: empty for no JSON, "-" for standard output, else a file name; reportFile: empty
// for no text report.
int CalcCommand(const std::string& fileName, const std::string& jsonTarget, const std::string& reportFile,
                std::ostream& out, std::ostream& err);
int CheckCommand(const std::string& fileName, std::ostream& out, std::ostream& err);
int ConvertCommand(const std::string& fileName, const std::string& unitSystem, const std::string& outFile,
                   std::ostream& out, std::ostream& err);
int ExpandCommand(const std::string& fileName, std::ostream& out, std::ostream& err);
int EquivKCommand(const std::string& fileName, const std::string& code, std::ostream& out, std::ostream& err);
int FittingsCommand(const std::string& fileName, const std::string& outFile, std::ostream& out, std::ostream& err);
int DxfImportCommand(const std::string& drawing, const TDxfImportChoices& choices, const std::string& outFile,
                     std::ostream& out, std::ostream& err);
int DxfUpdateCommand(const std::string& fileName, const std::string& drawing, std::ostream& out, std::ostream& err);

}  // namespace pelmora
