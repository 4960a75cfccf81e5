#include "tools/tool_commands.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Subcommand {
    const char* name;
    const char* usage;
    std::function<int(const std::vector<std::string>&)> run;
};

const std::vector<Subcommand>& subcommands() {
    static const std::vector<Subcommand> table = {
        {"layouts", "layouts list|check|build ...", tessalo::tool::runLayoutsCommand},
        {"asc", "asc encode|decode IN OUT", tessalo::tool::runAscCommand},
        {"records", "records dump|check FILE", tessalo::tool::runRecordsCommand},
        {"module", "module list FILE", tessalo::tool::runModuleCommand},
        {"pack-layout", "pack-layout TEXT|LIBRARY.tsl INDEX|--raw TRIPLES NAME OUT.layout",
         tessalo::tool::runPackLayoutCommand},
        {"pack-pictures", "pack-pictures MANIFEST OUT.tsp", tessalo::tool::runPackPicturesCommand},
        {"solve", "solve [--budget N] LIBRARY.tsl LAYOUT_INDEX SEED | --board FILE",
         tessalo::tool::runSolveCommand},
    };
    return table;
}

int usage() {
    std::fprintf(stderr, "usage: tessalo-tool COMMAND ...\n");
    for (const auto& command : subcommands())
        std::fprintf(stderr, "  tessalo-tool %s\n", command.usage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    const std::string name = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& command : subcommands()) {
        if (name == command.name)
            return command.run(args);
    }
    return usage();
}
