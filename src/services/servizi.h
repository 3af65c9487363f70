#pragma once
// The service register's two full-screen windows: the year menu
// TfrmMenuServizi, which opens a year's archive (year + ".ser") on the
// card, and the card TfrmServizi, one service of that year at a time, on
// the card layer. The card's archive is the path in its hidden lblFile.
#include "kit/card.h"
#include "kit/yearmenu.h"

namespace pratelia::services {

class TfrmMenuServizi : public kit::YearMenuWindow {
    Q_OBJECT
public:
    explicit TfrmMenuServizi(QWidget *parent = nullptr);
};

class TfrmServizi : public kit::CardWindow {
    Q_OBJECT
public:
    explicit TfrmServizi(QWidget *parent = nullptr);
};

} // namespace pratelia::services
