// The client area of a window as designed: a back colour, a background picture drawn from the
// top-left corner without scaling, and straight lines drawn over the picture. The window's
// controls are its children, placed by hand.
#pragma once

#include <QColor>
#include <QLine>
#include <QPixmap>
#include <QWidget>

#include <functional>
#include <vector>

namespace quorrin {

class ClientArea final : public QWidget {
    Q_OBJECT

public:
    explicit ClientArea(QWidget* parent = nullptr);

    void SetBackColor(const QColor& color);
    void SetPicture(const QPixmap& picture);
    // A line in pixels, drawn after the picture.
    void AddLine(const QLine& line, const QColor& color, int width);

    // Called once, after the first paint has ended.
    void SetFirstPaintHandler(std::function<void()> handler);

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
    std::function<void()> firstPaint_;
};

} // namespace quorrin
