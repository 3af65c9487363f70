#include "testing.h"

#include <QDir>
#include <QPdfWriter>

namespace pratelia::testing {

bool FakeDialogs::message(MessageKind kind, const QString &text, QWidget *)
{
    shown.append({kind, text});
    if (kind != MessageKind::Question || m_answers.empty())
        return true;
    const bool yes = m_answers.front();
    m_answers.pop_front();
    return yes;
}

QString FakeDialogs::chooseFile(QWidget *, const QString &title, const QString &,
                                const QString &filter)
{
    chooserTitles << title;
    chooserFilters << filter;
    if (m_files.empty())
        return {};
    QString f = m_files.front();
    m_files.pop_front();
    return f;
}

bool FakePrinting::print(const QString &jobName, QPageLayout::Orientation orientation,
                         const QMarginsF &marginsMm, const Render &render)
{
    const QString folder = outputFolder.isEmpty() ? QDir::tempPath() : outputFolder;
    const QString path = QDir(folder).filePath(jobName + QStringLiteral(".pdf"));
    bool ok;
    {
        QPdfWriter pdf(path);
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, marginsMm,
                                      QPageLayout::Millimeter));
        ok = render(pdf);
    }
    jobs << jobName;
    files << path;
    orientations << orientation;
    return ok;
}

TestPlatform::TestPlatform()
{
    platform::install(&dialogs);
    platform::install(&clock);
    platform::install(&shell);
    platform::install(&sound);
    platform::install(&printing);
}

TestPlatform::~TestPlatform()
{
    platform::install(static_cast<Dialogs *>(nullptr));
    platform::install(static_cast<Clock *>(nullptr));
    platform::install(static_cast<Shell *>(nullptr));
    platform::install(static_cast<Sound *>(nullptr));
    platform::install(static_cast<Printing *>(nullptr));
}

} // namespace pratelia::testing
