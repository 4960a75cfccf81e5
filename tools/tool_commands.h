#pragma once

#include <string>
#include <vector>

namespace tessalo::tool {

// Each subcommand takes the words after its own name and returns the process exit code.
int runLayoutsCommand(const std::vector<std::string>& args);
int runAscCommand(const std::vector<std::string>& args);
int runRecordsCommand(const std::vector<std::string>& args);
int runModuleCommand(const std::vector<std::string>& args);
int runPackLayoutCommand(const std::vector<std::string>& args);
int runPackPicturesCommand(const std::vector<std::string>& args);
int runSolveCommand(const std::vector<std::string>& args);

} // namespace tessalo::tool
