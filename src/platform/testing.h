#pragma once
// Test doubles of the platform seam: they record what the program showed
// and answer as the test says. A TestPlatform installs all of them for its
// lifetime.
#include "platform.h"

#include <QList>
#include <QStringList>
#include <deque>

namespace pratelia::testing {

struct ShownMessage {
    MessageKind kind;
    QString text;
};

class FakeDialogs final : public Dialogs {
public:
    bool message(MessageKind kind, const QString &text, QWidget *parent) override;
    QString chooseFile(QWidget *parent, const QString &title, const QString &folder,
                       const QString &filter) override;

    // Answers for the next questions, in order; Yes when none is queued.
    void answerNext(bool yes) { m_answers.push_back(yes); }
    // Files the next choosers return, in order; cancelled when none is queued.
    void chooseNext(const QString &file) { m_files.push_back(file); }

    QList<ShownMessage> shown;
    QStringList chooserTitles;
    QStringList chooserFilters;
    const ShownMessage *last() const { return shown.isEmpty() ? nullptr : &shown.last(); }
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void clear() { shown.clear(); }

private:
    std::deque<bool> m_answers;
    std::deque<QString> m_files;
};

class FakeClock final : public Clock {
public:
    QDateTime now() const override { return current; }
    void setToday(const QDate &d) { current = QDateTime(d, current.time()); }
    QDateTime current{QDate(2024, 5, 10), QTime(9, 30)};
};

class FakeShell final : public Shell {
public:
    bool open(const QUrl &url) override
    {
        opened << url;
        return result;
    }
    QList<QUrl> opened;
    bool result = true;
};

class FakeSound final : public Sound {
public:
    void play(const QString &file) override
    {
        played << file;
        playing = true;
    }
    void stop() override { playing = false; }
    QStringList played;
    bool playing = false;
};

// Renders every print into a PDF file of the test's choosing.
class FakePrinting final : public Printing {
public:
    bool print(const QString &jobName, QPageLayout::Orientation orientation,
               const QMarginsF &marginsMm, const Render &render) override;
    QString outputFolder; // where "<job>.pdf" files go (a temporary folder)
    QStringList jobs;
    QStringList files;
    QList<QPageLayout::Orientation> orientations;
};

class TestPlatform {
public:
    TestPlatform();
    ~TestPlatform();
    FakeDialogs dialogs;
    FakeClock clock;
    FakeShell shell;
    FakeSound sound;
    FakePrinting printing;
};

} // namespace pratelia::testing
