// check: the identifier checks from the command line.
#include "commands.h"

#include "checks/identifiers.h"

namespace pratelia::cli {

namespace {

using pratelia::checks::Verdict;

struct CheckKind {
    const char *name;
    Verdict (*check)(const QString &text);
};

constexpr CheckKind kKinds[] = {
    {"cf", &checks::checkTaxCode},
    {"iva", &checks::checkVatNumber},
    {"iban", &checks::checkIban},
    {"carta", &checks::checkCard},
};

// Exit codes: the number is right, wrong, or must be corrected before it
// can be checked (the dialog would stay open).
int exitCodeOf(const Verdict &v)
{
    switch (v.outcome) {
    case checks::Outcome::Valid: return 0;
    case checks::Outcome::Wrong: return 1;
    case checks::Outcome::NeedsCorrection: return 3;
    }
    return 1;
}

int runCheck(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const auto usage = [&err] {
        err << "uso: pratelia-cli check cf|iva|iban|carta TESTO\n";
        return 2;
    };
    if (args.size() < 2)
        return usage();
    const CheckKind *kind = nullptr;
    for (const CheckKind &k : kKinds)
        if (args[0] == QLatin1String(k.name))
            kind = &k;
    if (!kind)
        return usage();
    // The text as a card hands it over: trimmed. Words given separately
    // (a card number in groups) are one text with single blanks.
    const QString text = args.mid(1).join(u' ').trimmed();
    const Verdict verdict = kind->check(text);
    QString message = verdict.text;
    message.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    message.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    out << message << '\n';
    return exitCodeOf(verdict);
}

} // namespace

void registerCheckCommands()
{
    addCommand({"check",
                "check cf|iva|iban|carta TESTO  controlla codice fiscale, partita IVA, IBAN o carta",
                runCheck});
}

} // namespace pratelia::cli
