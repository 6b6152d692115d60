// One side's clock face: the time left, large, the side to move's face marked and a warning
// colour when little time is left. It repaints only when what it shows changes.
#pragma once

#include <QString>
#include <QWidget>

namespace quorrin {

class ClockFace final : public QWidget {
    Q_OBJECT

public:
    // white: the side whose time it shows; its accessible name is "White's clock" or
    // "Black's clock".
    ClockFace(bool white, QWidget* parent = nullptr);

    // Shows text, marks the face as the side to move's, and in the warning colour; does
    // nothing when all three are as shown already.
    void Show(const QString& text, bool toMove, bool warning);
    QString Text() const { return text_; }
    bool ToMove() const { return toMove_; }
    bool Warning() const { return warning_; }
    // Repaints so far, for the benchmark and the tests that count them.
    int Paints() const { return paints_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool white_;
    QString text_;
    bool toMove_ = false;
    bool warning_ = false;
    int paints_ = 0;
};

} // namespace quorrin
