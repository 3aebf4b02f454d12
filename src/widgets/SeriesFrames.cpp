#include "widgets/SeriesFrames.h"

#include "core/EndValueDisplay.h"

#include <QEvent>
#include <QFont>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QStylePainter>
#include <QToolTip>

#include <algorithm>
#include <climits>
#include <cmath>

namespace SeriesFrames {

namespace {

constexpr auto kColumnEnds = EndValueDisplay::kEndValueColumnEnds;
constexpr int kRowLength = EndValueDisplay::kEndValueLineLength;

// How far from the left edge of a list item its text begins.
int itemTextMargin(const QListWidget* list)
{
    return list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
}

double textWidth(const QListWidget* list, int characters)
{
    return QFontMetricsF(list->font()).horizontalAdvance(QString(characters, QLatin1Char('0')));
}

} // namespace

QLabel* label(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLineEdit* textBox(QWidget* parent, const char* name, bool readOnly)
{
    auto* t = readOnly ? new CutTextBox(parent) : new QLineEdit(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setReadOnly(readOnly);
    return t;
}

QListWidget* listBox(QWidget* parent, const char* name)
{
    auto* l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    l->setFont(mono);
    // Room for a whole row beside the scroll bar that a long list brings.
    const int row = int(std::ceil(textWidth(l, kRowLength))) + 2 * itemTextMargin(l) + 2 * l->spacing();
    const int scrollBar = l->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, l);
    l->setMinimumWidth(row + 2 * l->frameWidth() + scrollBar);
    // Two rows at least, so four channel windows fit a small screen; more as
    // the window gives room.
    const int rows = 2 * QFontMetrics(mono).lineSpacing() + 2 * l->spacing();
    l->setMinimumHeight(std::max(rows, 3 * scrollBar) + 2 * l->frameWidth());
    return l;
}

QGroupBox* programFrame(QWidget* parent)
{
    auto* program = new TitledFrame(parent);
    program->setObjectName(QStringLiteral("frameAkkuprogramm"));
    auto* pg = new QGridLayout(program);
    pg->addWidget(label(program, "lblAkkutyp"), 0, 0);
    pg->addWidget(textBox(program, "txtAkkuTyp"), 0, 1);
    pg->addWidget(label(program, "lblMode"), 1, 0);
    pg->addWidget(textBox(program, "txtMode"), 1, 1);
    pg->addWidget(label(program, "lblNennkapazitaet"), 2, 0);
    pg->addWidget(textBox(program, "txtNennKapazitaet"), 2, 1);
    return program;
}

QGroupBox* endValueFrame(QWidget* parent, bool remarkEditable)
{
    auto* values = new TitledFrame(parent);
    values->setObjectName(QStringLiteral("frameAkkumesswerte"));
    auto* vg = new QGridLayout(values);
    int row = 0;
    const auto addList = [&](const char* heading, const char* list, const std::array<const char*, 4>& columns) {
        vg->addWidget(label(values, heading), row++, 0, 1, 2);
        QListWidget* l = listBox(values, list);
        std::array<QLabel*, 4> labels{};
        for (std::size_t i = 0; i < columns.size(); ++i)
            labels[i] = label(values, columns[i]);
        vg->addWidget(new ColumnHeadings(l, labels, values), row++, 0, 1, 2);
        vg->addWidget(l, row++, 0, 1, 2);
    };
    addList("lblMesswerteNachLaden", "lstEndwertLaden", {"lblLadenNr", "lblLadenAh", "lblLadenVolt", "lblLadenMin"});
    addList("lblMesswerteNachEntladen", "lstEndwertEntladen",
            {"lblEntladenNr", "lblEntladenAh", "lblEntladenVolt", "lblEntladenMin"});
    vg->addWidget(label(values, "lblAkkuzustand"), row, 0);
    vg->addWidget(textBox(values, "txtAkkuzustand"), row++, 1);
    vg->addWidget(label(values, "lblSelbstentladung"), row, 0);
    vg->addWidget(textBox(values, "txtSelbstentladung"), row++, 1);
    vg->addWidget(label(values, "lblBemerkungen"), row++, 0, 1, 2);
    vg->addWidget(textBox(values, "txtBemerkung", !remarkEditable), row++, 0, 1, 2);
    return values;
}

// --- TitledFrame --------------------------------------------------------------------

TitledFrame::TitledFrame(QWidget* parent) : QGroupBox(parent)
{
}

QSize TitledFrame::minimumSizeHint() const
{
    // Only the contents and room for an ellipsis of the title count.
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QFontMetrics metrics(font());
    const QSize title(metrics.horizontalAdvance(QChar(0x2026)), metrics.height());
    return style()->sizeFromContents(QStyle::CT_GroupBox, &option, title, this).expandedTo(QWidget::minimumSizeHint());
}

QString TitledFrame::shownTitle() const
{
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect label = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    const QFontMetrics metrics(font());
    // As much room on the right as the title has on its left, a blank at least.
    const int room = width() - label.left() - std::max(label.left(), metrics.horizontalAdvance(QLatin1Char(' ')));
    if (metrics.horizontalAdvance(title()) <= room)
        return title();
    return metrics.elidedText(title(), Qt::ElideRight, std::max(room, 0));
}

bool TitledFrame::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        const QString shown = shownTitle();
        if (shown != title())
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), title(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QGroupBox::event(event);
}

void TitledFrame::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    option.text = shownTitle();
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

// --- CutTextBox --------------------------------------------------------------------

CutTextBox::CutTextBox(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    // A new text shows from its beginning also when the box draws it itself.
    connect(this, &QLineEdit::textChanged, this, [this] { setCursorPosition(0); });
}

QRect CutTextBox::lineRect() const
{
    // As QLineEdit places its line: the contents less the text margins, two
    // pixels on either side and, centred, one line of the font.
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(textMargins());
    const int lineHeight = fontMetrics().height();
    const int horizontalMargin = 2;
    return QRect(contents.x() + horizontalMargin, contents.y() + (contents.height() - lineHeight + 1) / 2,
                 contents.width() - 2 * horizontalMargin, lineHeight);
}

QString CutTextBox::shownText() const
{
    const QString whole = displayText();
    return fontMetrics().elidedText(whole, Qt::ElideRight, std::max(lineRect().width(), 0));
}

bool CutTextBox::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        if (shownText() != displayText())
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), displayText(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLineEdit::event(event);
}

void CutTextBox::paintEvent(QPaintEvent* event)
{
    const QString shown = shownText();
    if (!isReadOnly() || hasFocus() || shown == displayText()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    const QRect line = lineRect();
    painter.setClipRect(line);
    painter.setPen(palette().color(QPalette::Text));
    const Qt::Alignment horizontal = QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask;
    painter.drawText(line, int(horizontal | Qt::AlignTop) | Qt::TextSingleLine, shown);
}

// --- ColumnHeadings -----------------------------------------------------------------

ColumnHeadings::ColumnHeadings(QListWidget* list, const std::array<QLabel*, 4>& labels, QWidget* parent)
    : QWidget(parent),
      m_list(list),
      m_labels(labels)
{
    for (QLabel* l : m_labels) {
        l->setParent(this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    m_list->installEventFilter(this);
    connect(m_list->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { place(); });
}

QSize ColumnHeadings::sizeHint() const
{
    return minimumSizeHint();
}

QSize ColumnHeadings::minimumSizeHint() const
{
    QSize size;
    for (const QLabel* l : m_labels)
        size = QSize(size.width() + l->sizeHint().width(), std::max(size.height(), l->sizeHint().height()));
    return size;
}

bool ColumnHeadings::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::LayoutRequest:
        // A label got a new text.
        updateGeometry();
        place();
        break;
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::Show:
        place();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool ColumnHeadings::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list) {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::Move:
        case QEvent::FontChange:
        case QEvent::StyleChange:
            place();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ColumnHeadings::place()
{
    // Where the list's text starts, in the headings' own coordinates.
    const int itemLeft = m_list->count() > 0 ? m_list->visualItemRect(m_list->item(0)).x()
                                             : m_list->spacing() - m_list->horizontalScrollBar()->value();
    const double textLeft = m_list->x() - x() + m_list->viewport()->x() + itemLeft + itemTextMargin(m_list);
    const int gap = fontMetrics().horizontalAdvance(QLatin1Char(' '));
    int free = INT_MIN;
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        QLabel* l = m_labels[i];
        const int w = l->sizeHint().width();
        const int right = int(std::lround(textLeft + textWidth(m_list, kColumnEnds[i])));
        // A heading wider than its column's room still keeps clear of the one before.
        const int left = std::max(right - w, free);
        l->setGeometry(left, 0, w, height());
        free = left + w + gap;
    }
}

} // namespace SeriesFrames
