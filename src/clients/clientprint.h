#pragma once
// Printing the client card as it stands on the screen.
class QWidget;

namespace pratelia::clients {

// Prints the card's current contents (no file access).
void printClientCard(QWidget *card);

} // namespace pratelia::clients
