// Game > Time Control...: the usual presets, or a control written out, for both sides or each
// on its own (a handicap).
#pragma once

#include "engine/clock/TimeControl.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace quorrin {

class TimeControlDialog final : public QDialog {
    Q_OBJECT

public:
    explicit TimeControlDialog(const TimeControl& current, QWidget* parent = nullptr);

    // The control set in the dialog; nullopt while what is written does not read.
    std::optional<TimeControl> Chosen() const;

private:
    void PresetChosen(int index);
    void TextEdited();

    QComboBox* presets_;
    QLineEdit* white_;
    QCheckBox* handicap_;
    QLineEdit* black_;
    QLabel* problem_;
    QDialogButtonBox* buttons_;
};

} // namespace quorrin
