// A label that acts as a link: a pointing hand over it, and a Click signal when the left
// button is released over it.
#pragma once

#include <QLabel>

namespace quorrin {

class ClickableLabel final : public QLabel {
    Q_OBJECT

public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace quorrin
