#include "checkwindows.h"

#include "checkdialogs.h"
#include "store/values.h"

namespace pratelia::checks {

namespace {
// Each opening makes a fresh dialog, discarded when it closes.
template <class Dialog>
void showModal(QWidget *opener, const QString &text)
{
    Dialog dialog(text, opener);
    dialog.centre();
    dialog.exec();
}
} // namespace

void showTaxCodeButton(QWidget *opener, const QString &taxCode)
{
    const QString code = taxCode.trimmed();
    // An all-digit code is a company's number: that is a VAT number.
    if (!code.isEmpty() && IsAllDigits(code))
        showVatCheck(opener, code);
    else
        showTaxCodeCheck(opener, code);
}

void showTaxCodeCheck(QWidget *opener, const QString &text)
{
    showModal<TfrmCodFisc>(opener, text);
}

void showVatCheck(QWidget *opener, const QString &text)
{
    showModal<TfrmPartitaIva>(opener, text);
}

void showIbanCheck(QWidget *opener, const QString &text)
{
    showModal<TfrmIban>(opener, text);
}

void showCardCheck(QWidget *opener, const QString &text)
{
    showModal<TfrmCarta>(opener, text);
}

} // namespace pratelia::checks
