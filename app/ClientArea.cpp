#include "ClientArea.h"

#include <QPainter>
#include <QPalette>
#include <QPen>

namespace quorrin {

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
}

void ClientArea::SetDesignSize(const QSize& size) {
    setMinimumSize(size);
}

QSize ClientArea::sizeHint() const {
    return minimumSize();
}

void ClientArea::SetBackColor(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
}

void ClientArea::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void ClientArea::AddLine(const QLine& line, const QColor& color, int width) {
    lines_.push_back({line, color, width});
    update();
}

void ClientArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture_.isNull()) {
        painter.drawPixmap(0, 0, picture_);
    }
    for (const Line& line : lines_) {
        QPen pen(line.Color, line.Width);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(line.Where);
    }
}

} // namespace quorrin
