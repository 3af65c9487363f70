#pragma once
// Where the four browse commands of a card (first, previous, next, last)
// lead, from the card shown, in an archive of a given size. Every card
// browses its archive by this one rule.
namespace pratelia {

enum class Browse { First, Previous, Next, Last };

struct BrowseOutcome {
    bool emptyArchive = false;  // show the empty archive message
    bool clearPosition = false; // the card becomes a new card (Next on an empty archive)
    int load = 0;               // record to load, 0 for none
};

// `current` is the record shown, 0 for a new card; `size` the number of
// records. Previous on record 1 does nothing; with `previousOnFirstIsSilent`
// that holds even on an empty archive, otherwise the empty archive is
// reported first. A card beyond the end (the archive was cut or replaced by
// another copy of the program) steps back to the last record there is.
BrowseOutcome browseOutcome(Browse command, int current, int size, bool previousOnFirstIsSilent);

} // namespace pratelia
