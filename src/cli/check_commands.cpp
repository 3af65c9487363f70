// check: the identifier checks from the command line.
#include "commands.h"

namespace pratelia::cli {

void registerCheckCommands()
{
}

} // namespace pratelia::cli
