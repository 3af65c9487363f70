#pragma once
// The identifier check windows, opened from the cards. Each shows a fresh
// modal dialog with the text handed over and returns nothing.
#include <QString>

class QWidget;

namespace pratelia::checks {

// The tax-code button of the client, fee, service and deadline cards: an
// all-digit code (a company's number) goes to the VAT number check,
// anything else to the tax code check.
void showTaxCodeButton(QWidget *opener, const QString &taxCode);
void showTaxCodeCheck(QWidget *opener, const QString &text);  // TfrmCodFisc
void showVatCheck(QWidget *opener, const QString &text);      // TfrmPartitaIva
void showIbanCheck(QWidget *opener, const QString &text);     // TfrmIban
void showCardCheck(QWidget *opener, const QString &text);     // TfrmCarta

} // namespace pratelia::checks
