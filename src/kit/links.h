#pragma once
// Links of the help, information and product-notice windows, and the one
// way the program asks the desktop to open something.
#include <QToolButton>
#include <QUrl>

namespace pratelia::kit {

// Asks the desktop shell to open a document, folder, web address or mail
// link. The result is not looked at: the shell reports its own problems.
void OpenWithShell(const QUrl &target);

// A text link drawn as a real button: hand cursor, keyboard reachable, its
// text as accessible name. While the mouse button is held on it (or on a
// picture tied to it with `follow`) the text is orange; dark blue otherwise.
class LinkButton : public QToolButton {
    Q_OBJECT
public:
    LinkButton(const QString &objectName, const QString &text, QWidget *parent);
    // The picture beside the link does what the link does and colours it
    // the same way while pressed.
    void follow(QAbstractButton *picture);

    static QColor restColour() { return QColor(0x00, 0x00, 0x8B); }
    static QColor pressedColour() { return QColor(0xFF, 0x80, 0x00); }
    QColor textColour() const { return m_colour; }

Q_SIGNALS:
    void activated();

private:
    void paintAs(const QColor &c);
    QColor m_colour;
};

// A picture command of the help and information windows: a flat button with
// an icon and a hand cursor.
QToolButton *pictureButton(const QString &objectName, const QString &iconName,
                           const QString &accessibleName, int size, QWidget *parent);

} // namespace pratelia::kit
