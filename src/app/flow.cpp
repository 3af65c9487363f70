#include "flow.h"

#include <QApplication>
#include <QLocale>

namespace pratelia::app {

namespace {
std::function<void()> &endHook()
{
    static std::function<void()> f;
    return f;
}
} // namespace

void applyProcessFormats()
{
    QLocale italian(QLocale::Italian, QLocale::Italy);
    // "1234,5", never "1.234,5": amounts are typed and stored without
    // thousands separators.
    italian.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(italian);
}

void endProgram()
{
    if (endHook()) {
        endHook()();
        return;
    }
    QApplication::exit(0);
}

void setEndProgram(std::function<void()> f)
{
    endHook() = std::move(f);
}

} // namespace pratelia::app
