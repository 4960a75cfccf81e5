#include "tools/tool_commands.h"

#include <cstdio>

namespace tessalo::tool {

int runLayoutsCommand(const std::vector<std::string>&) {
    std::fprintf(stderr, "tessalo-tool layouts: not built yet\n");
    return 2;
}

} // namespace tessalo::tool
