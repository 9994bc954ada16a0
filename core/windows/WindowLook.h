#pragma once

// Small pieces of look shared by the core windows: colours given as the program has always
// written them, the program picture, and labels that open a web address when clicked.

#include <QColor>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QUrl>

#include <cstdint>
#include <functional>

namespace tv {

// A colour written &H00BBGGRR& (blue in the high byte): fromBgr(0x0000FF) is red.
inline QColor fromBgr(uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

// Sets the background colour of a window or control (filled, not inherited by the platform
// style) and, when given, its text colour.
void paintBackground(QWidget* widget, QColor background);
// As paintBackground, and the fields of boxes and lists inside `widget` take the colour too.
void paintFieldBackground(QWidget* widget, QColor background);
void paintText(QWidget* widget, QColor text);

// The program picture (an aircraft over a compass ring), `size` pixels square.
QPixmap programPicture(int size);

// The picture of mode button `mode` of the main frame's toolbar: 0 flight, 1 plan, 2 settings,
// 3 map data, 4 flight plan.
QIcon modeIcon(int mode);

// Opens `url` with the system's default handler; the result is ignored by every caller, a link
// that cannot be opened gives no message. Tests replace the opener.
void openLink(const QUrl& url);
using LinkOpener = std::function<void(const QUrl&)>;
void setLinkOpenerForTesting(LinkOpener opener);

// A label that reports clicks and the mouse entering and leaving it (link labels with a hover
// highlight).
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickLabel(const QString& text = QString(), QWidget* parent = nullptr);

signals:
    void clicked();
    void hovered();
    void left();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
};

} // namespace tv
