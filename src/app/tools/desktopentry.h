#pragma once
// The desktop entry that puts Pratelia in the user's applications menu: the
// program folder may be named with any character, so every path in it is
// escaped as desktop entries require (quoting in the Exec line, escapes in
// every string value).
#include <QString>

namespace pratelia::app {

// A value of a desktop entry key of type string: backslashes and line
// breaks escaped, a leading blank written as \s.
QString desktopString(const QString &value);

// One argument of an Exec line, as it stands in the file: enclosed in
// double quotes with ", `, $ and \ escaped inside them, % doubled, and the
// result escaped as a string value.
QString desktopExecArgument(const QString &argument);

// Whether a path can be written into a desktop entry at all: string values
// hold no control characters other than the escaped line breaks and tab.
bool fitsDesktopEntry(const QString &path);

// The whole entry starting the program installed in `folder`.
QString desktopEntry(const QString &folder);

} // namespace pratelia::app
