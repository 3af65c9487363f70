#pragma once
// The information window (with the mail link to the vendor) and the
// product-notice window (with the link to the vendor's web site).
#include "kit/windows.h"

#include <QUrl>

class QLabel;

namespace pratelia::app {

// The new message to the vendor, with its subject and body.
QUrl vendorMailUrl();

class TfrmInfo : public kit::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget *opener = nullptr);
};

class TfrmSplash : public kit::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *opener = nullptr);
};

// The product logo: the program's mark.
QLabel *productLogo(QWidget *parent, int markSize);

} // namespace pratelia::app
