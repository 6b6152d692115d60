#include "ClockFace.h"

#include <QAccessible>
#include <QPainter>

namespace quorrin {

ClockFace::ClockFace(bool white, QWidget* parent) : QWidget(parent), white_(white) {
    setObjectName(white ? QStringLiteral("clockWhite") : QStringLiteral("clockBlack"));
    setAccessibleName(white ? tr("White's clock") : tr("Black's clock"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClockFace::Show(const QString& text, bool toMove, bool warning) {
    if (text == text_ && toMove == toMove_ && warning == warning_) {
        return;
    }
    const bool textChanged = text != text_;
    text_ = text;
    toMove_ = toMove;
    warning_ = warning;
    if (textChanged) {
        setAccessibleDescription(text);
    }
    update();
}

void ClockFace::paintEvent(QPaintEvent*) {
    ++paints_;
    QPainter painter(this);
    // The face to move stands out in the light colours of a running clock; the other is dimmed.
    const QColor back = warning_  ? QColor(0xB0, 0x20, 0x20)
                        : toMove_ ? QColor(0xF0, 0xF0, 0xF0)
                                  : QColor(0x60, 0x60, 0x60);
    const QColor ink = warning_ || !toMove_ ? QColor(Qt::white) : QColor(Qt::black);
    painter.fillRect(rect(), back);
    if (toMove_) {
        painter.setPen(QPen(QColor(0xE0, 0xB0, 0x20), 4));
        painter.drawRect(rect().adjusted(2, 2, -2, -2));
    }
    QFont font = painter.font();
    font.setPixelSize(std::max(12, height() / 3));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(rect().adjusted(0, 0, 0, -height() / 4), Qt::AlignCenter, text_);
    QFont small = font;
    small.setPixelSize(std::max(9, height() / 8));
    small.setBold(false);
    painter.setFont(small);
    painter.drawText(rect().adjusted(0, height() / 2, 0, -4), Qt::AlignHCenter | Qt::AlignBottom,
                     white_ ? tr("White") : tr("Black"));
}

} // namespace quorrin
