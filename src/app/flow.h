#pragma once
// Process-wide settings and the end of the program.
#include <functional>

namespace pratelia::app {

// Dates "dd/mm/yyyy" and comma decimals for every conversion the toolkit
// makes, whatever the machine's regional settings.
void applyProcessFormats();

// Ends the program at once; nothing needs saving.
void endProgram();
// Replaces what endProgram does (tests); an empty function restores it.
void setEndProgram(std::function<void()> f);

} // namespace pratelia::app
