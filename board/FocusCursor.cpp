#include "board/FocusCursor.h"

#include <QEvent>
#include <QPainter>
#include <QPen>

namespace quorrin {

FocusCursor::FocusCursor(Style style, QWidget* board) : QWidget(board), style_(style) {
    setObjectName(style == Style::Cursor ? QStringLiteral("focusCursor")
                                         : QStringLiteral("pickedMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusCursor::Follow(QWidget* square) {
    if (square_ != square) {
        if (square_) {
            square_->removeEventFilter(this);
        }
        square_ = square;
        if (square_) {
            square_->installEventFilter(this);
        }
    }
    if (!square_) {
        hide();
        return;
    }
    setGeometry(square_->geometry());
    raise();
    show();
}

bool FocusCursor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == square_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        setGeometry(square_->geometry());
    }
    return QWidget::eventFilter(watched, event);
}

void FocusCursor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int inset = style_ == Style::Cursor ? CursorInset : PickedInset;
    // A pen of width w along a rectangle adjusted by w / 2 covers w whole pixels inside it.
    const qreal half = RingWidth / 2.0;
    const QRectF ring =
        QRectF(rect()).adjusted(inset + half, inset + half, -inset - half, -inset - half);
    if (ring.width() <= 0 || ring.height() <= 0) {
        return;
    }
    QPen pen(Qt::black, RingWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(ring);
    if (style_ == Style::Cursor) {
        // White dashes over the black ring: a dashed ring of two colours.
        pen.setColor(Qt::white);
        pen.setDashPattern({2.0, 2.0});
        painter.setPen(pen);
        painter.drawRect(ring);
    } else {
        // A white ring just inside the black one.
        pen.setColor(Qt::white);
        pen.setWidth(1);
        painter.setPen(pen);
        painter.drawRect(ring.adjusted(half + 0.5, half + 0.5, -half - 0.5, -half - 0.5));
    }
}

} // namespace quorrin
