// The runtime. For now it finds its project and shows what its container holds.
#include "shell/StartMode.h"
#include "shell/StartupState.h"

#include <cstdio>

int main(int argc, char** argv)
{
    using namespace zembrio;
    initialiseStartup(argc, argv);
    for (const auto& entry : gStartup.directory)
        std::printf("%s\t%u\n", entry.name.c_str(), static_cast<unsigned>(entry.size));
    return 0;
}
