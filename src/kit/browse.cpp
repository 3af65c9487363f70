#include "browse.h"

#include <algorithm>

namespace pratelia {

BrowseOutcome browseOutcome(Browse command, int current, int size, bool previousOnFirstIsSilent)
{
    BrowseOutcome out;
    if (previousOnFirstIsSilent && command == Browse::Previous && current == 1)
        return out;
    if (size <= 0) {
        out.emptyArchive = true;
        out.clearPosition = command == Browse::Next;
        return out;
    }
    switch (command) {
    case Browse::First:
        out.load = 1;
        break;
    case Browse::Last:
        out.load = size;
        break;
    case Browse::Next:
        if (current <= 0)
            out.load = 1;
        else if (current < size)
            out.load = current + 1;
        break;
    case Browse::Previous:
        if (current <= 0)
            out.load = 1;
        else if (current > 1)
            out.load = std::min(current - 1, size);
        break;
    }
    return out;
}

} // namespace pratelia
