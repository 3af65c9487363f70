// search, export and list: the shared list tools from the command line.
#include "commands.h"

namespace pratelia::cli {

void registerListCommands()
{
}

} // namespace pratelia::cli
