// The client area of a window as designed: a back colour, a background picture drawn from the
// top-left corner without scaling, and straight lines drawn over the picture. The window's
// controls are its children, placed by hand.
#pragma once

#include <QColor>
#include <QLine>
#include <QPixmap>
#include <QWidget>

#include <vector>

namespace quorrin {

class ClientArea final : public QWidget {
    Q_OBJECT

public:
    explicit ClientArea(QWidget* parent = nullptr);

    // The size it asks for and will not go below.
    void SetDesignSize(const QSize& size);
    QSize sizeHint() const override;

    void SetBackColor(const QColor& color);
    void SetPicture(const QPixmap& picture);
    // A line in pixels, drawn after the picture.
    void AddLine(const QLine& line, const QColor& color, int width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Line {
        QLine Where;
        QColor Color;
        int Width;
    };

    QPixmap picture_;
    std::vector<Line> lines_;
};

} // namespace quorrin
