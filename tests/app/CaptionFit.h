#pragma once

// Captions a pilot cannot read whole, found by measuring each text with its control's font: a
// label, button, check box, option button or frame caption wider than its place, a column
// caption wider than its column, a toolbar button smaller than its caption and icon, a menu
// caption pushed off the menu bar, or a control reaching beyond the edge of `root`.

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>

namespace windowstest {

namespace detail {

inline int widestLine(const QFontMetrics& fm, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

inline QString describe(const QWidget* w, const QString& text)
{
    const QString name = w->objectName().isEmpty()
                             ? QString::fromLatin1(w->metaObject()->className())
                             : w->objectName();
    return name + QStringLiteral(" \"") + text + QLatin1Char('"');
}

// Inside a scrolled area (a grid's cells, a list's rows) texts may scroll out of sight.
inline bool insideScrolledArea(const QWidget* w, const QWidget* root)
{
    for (const QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget())
        if (const auto* area = qobject_cast<const QAbstractScrollArea*>(p->parentWidget()))
            if (area->viewport() == p)
                return true;
    return false;
}

// The room a button's caption gets inside its frame, check mark or option circle.
inline int captionRoom(const QAbstractButton* b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox*>(b))
        contents = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<const QRadioButton*>(b))
        contents = QStyle::SE_RadioButtonContents;
    return b->style()->subElementRect(contents, &opt, b).width();
}

inline void checkHeader(const QHeaderView* header, QStringList& cut)
{
    const QAbstractItemModel* model = header->model();
    if (!model || header->orientation() != Qt::Horizontal || !header->isVisible())
        return;
    // The caption of the current column is drawn bold.
    QFont bold = header->font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int i = 0; i < header->count(); ++i) {
        if (header->isSectionHidden(i))
            continue;
        const QString text = model->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        if (!text.isEmpty() && widestLine(fm, text) + margin > header->sectionSize(i))
            cut << describe(header, text) + QStringLiteral(" column %1").arg(i);
    }
}

} // namespace detail

inline QStringList cutCaptions(const QWidget& root)
{
    using namespace detail;
    QStringList cut;
    const QRect area = root.rect();
    QList<const QWidget*> widgets{&root};
    for (const QWidget* w : root.findChildren<QWidget*>())
        widgets << w;
    for (const QWidget* w : widgets) {
        if (!w->isVisibleTo(&root) || insideScrolledArea(w, &root))
            continue;
        if (const auto* header = qobject_cast<const QHeaderView*>(w)) {
            checkHeader(header, cut);
            continue;
        }
        QString text;
        bool fits = true;
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            text = label->text();
            if (text.isEmpty() || !label->pixmap().isNull() || label->textFormat() == Qt::RichText)
                continue;
            const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                              -label->margin(), -label->margin());
            fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                     : widestLine(label->fontMetrics(), text) <= room.width();
        } else if (const auto* tool = qobject_cast<const QToolButton*>(w)) {
            text = tool->text();
            fits = tool->width() >= tool->sizeHint().width();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            text = button->text();
            if (text.isEmpty())
                continue;
            QString plain = text;
            plain.remove(QLatin1Char('&'));
            fits = widestLine(button->fontMetrics(), plain) <= captionRoom(button);
        } else if (const auto* frame = qobject_cast<const QGroupBox*>(w)) {
            text = frame->title();
            fits = text.isEmpty() ||
                   frame->fontMetrics().horizontalAdvance(text) + 16 <= frame->width();
        } else if (const auto* menu = qobject_cast<const QMenuBar*>(w)) {
            for (const QAction* a : menu->actions())
                if (a->isVisible() && !a->text().isEmpty()) {
                    const QRect at = menu->actionGeometry(const_cast<QAction*>(a));
                    if (at.isEmpty() || at.right() >= menu->width())
                        cut << describe(menu, a->text());
                }
            continue;
        } else {
            continue;
        }
        if (!fits)
            cut << describe(w, text);
        else if (!area.contains(QRect(w->mapTo(&root, QPoint(0, 0)), w->size())))
            cut << describe(w, text) + QStringLiteral(" beyond the edge");
    }
    return cut;
}

} // namespace windowstest
