#include "checkwindows.h"

#include "checkdialogs.h"
#include "store/values.h"

namespace pratelia::checks {

namespace {
void showModal(CheckDialog &dialog)
{
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
    TfrmCodFisc dialog(text, opener);
    showModal(dialog);
}

void showVatCheck(QWidget *opener, const QString &text)
{
    TfrmPartitaIva dialog(text, opener);
    showModal(dialog);
}

void showIbanCheck(QWidget *opener, const QString &text)
{
    TfrmIban dialog(text, opener);
    showModal(dialog);
}

void showCardCheck(QWidget *opener, const QString &text)
{
    TfrmCarta dialog(text, opener);
    showModal(dialog);
}

} // namespace pratelia::checks
