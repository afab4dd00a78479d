#include "shell/StartupState.h"

namespace zembrio {

tStartupState gStartup;

const tExeFilerec* findContainerEntry(std::string_view name)
{
    return gStartup.containerOpened ? findEntry(gStartup.directory, name) : nullptr;
}

} // namespace zembrio
