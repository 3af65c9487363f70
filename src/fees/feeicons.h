#pragma once
// The two pictures of the fee card that are its own: the person import
// (a red arrow) and the list of discounted services (a hand with a coin).
#include <QIcon>

namespace pratelia::fees {

QIcon importArrowIcon();
QIcon handWithCoinIcon();

} // namespace pratelia::fees
