#pragma once
// Windows-style settings files (sections and keys, values in Windows-1252),
// read and written through the file layer. Writing a value keeps the rest of
// the file as it was: other sections, keys and comments.
#include <QString>
#include <memory>

namespace pratelia {

class IniFile {
public:
    IniFile();
    ~IniFile();
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    enum class LoadResult { Ok, Missing, Failed };
    // Reads the file. A missing file loads as empty (Missing); a file that
    // cannot be read, a link under its name included, is Failed and leaves
    // the contents empty.
    LoadResult load(const QString &path);
    // Writes the whole file back; false on failure (the old file then stays).
    bool save(const QString &path) const;

    bool has(const QString &section, const QString &key) const;
    QString value(const QString &section, const QString &key,
                  const QString &fallback = QString()) const;
    // A value is one line: its control characters (line breaks too) are
    // written as blanks.
    void setValue(const QString &section, const QString &key, const QString &value);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Reads one value; `ok` is false when the file cannot be read or lacks it.
QString readIniValue(const QString &path, const QString &section, const QString &key,
                     bool *ok = nullptr);
// Sets one value and writes the file back, keeping the rest; a missing file
// is created. False on failure.
bool writeIniValue(const QString &path, const QString &section, const QString &key,
                   const QString &value);

} // namespace pratelia
