#include "TimeControlDialog.h"

#include "ReadErrorText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorrin {

namespace {

struct Preset {
    const char* caption;
    const char* text;
};

// Minutes + seconds added a move, as players name them; the text is the TimeControl form.
constexpr Preset Presets[] = {
    {QT_TRANSLATE_NOOP("quorrin::TimeControlDialog", "Untimed"), "-"},
    {"1 + 0", "60"},
    {"3 + 2", "180+2"},
    {"5 + 0", "300"},
    {"10 + 5", "600+5"},
    {"15 + 10", "900+10"},
    {"30 + 0", "1800"},
    {"90 + 30", "5400+30"},
};

QString Text(const SideTimeControl& control) {
    return QString::fromStdString(TimeControlText(control));
}

} // namespace

TimeControlDialog::TimeControlDialog(const TimeControl& current, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("dlgTimeControl"));
    setWindowTitle(tr("Time Control"));

    presets_ = new QComboBox(this);
    presets_->setObjectName(QStringLiteral("cboPresets"));
    for (const Preset& preset : Presets) {
        presets_->addItem(tr(preset.caption), QLatin1String(preset.text));
    }
    presets_->addItem(tr("Custom"));
    white_ = new QLineEdit(Text(current.White), this);
    white_->setObjectName(QStringLiteral("txtWhiteControl"));
    handicap_ = new QCheckBox(tr("Black's time differs (handicap)"), this);
    handicap_->setObjectName(QStringLiteral("chkHandicap"));
    handicap_->setChecked(current.Handicap());
    black_ = new QLineEdit(Text(current.Black), this);
    black_->setObjectName(QStringLiteral("txtBlackControl"));
    black_->setEnabled(current.Handicap());
    auto* help = new QLabel(tr("Seconds, as game files write it: 300 (5 minutes), 180+2 (3 "
                               "minutes, 2 seconds added a move), 300d5 (5 s delay), 300b5 "
                               "(Bronstein delay), 40/5400+30:1800+30 (stages), - (untimed)."),
                            this);
    help->setWordWrap(true);
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("lblProblem"));
    problem_->setWordWrap(true);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    form->addRow(tr("&Preset:"), presets_);
    form->addRow(tr("&White:"), white_);
    form->addRow(QString(), handicap_);
    form->addRow(tr("&Black:"), black_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(help);
    layout->addWidget(problem_);
    layout->addWidget(buttons_);

    connect(presets_, &QComboBox::activated, this, &TimeControlDialog::PresetChosen);
    connect(white_, &QLineEdit::textChanged, this, &TimeControlDialog::TextEdited);
    connect(black_, &QLineEdit::textChanged, this, &TimeControlDialog::TextEdited);
    connect(handicap_, &QCheckBox::toggled, this, [this](bool on) {
        black_->setEnabled(on);
        TextEdited();
    });
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    TextEdited();
}

void TimeControlDialog::PresetChosen(int index) {
    const QString text = presets_->itemData(index).toString();
    if (!text.isEmpty()) {
        handicap_->setChecked(false);
        white_->setText(text);
    }
}

void TimeControlDialog::TextEdited() {
    // The preset shown follows what is written; anything else is custom.
    const int preset = presets_->findData(white_->text().trimmed());
    presets_->setCurrentIndex(preset >= 0 && !handicap_->isChecked() ? preset
                                                                     : presets_->count() - 1);
    QString problem;
    for (QLineEdit* edit : {white_, black_}) {
        if (edit == black_ && !handicap_->isChecked()) {
            continue;
        }
        const ReadResult<SideTimeControl> read =
            ReadTimeControl(edit->text().trimmed().toStdString());
        if (!read && problem.isEmpty()) {
            problem = (edit == white_ ? tr("White: %1") : tr("Black: %1"))
                          .arg(ReadErrorText(read.Error()));
        }
    }
    problem_->setText(problem);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}

std::optional<TimeControl> TimeControlDialog::Chosen() const {
    const ReadResult<SideTimeControl> white =
        ReadTimeControl(white_->text().trimmed().toStdString());
    if (!white) {
        return std::nullopt;
    }
    if (!handicap_->isChecked()) {
        return TimeControl{*white, *white};
    }
    const ReadResult<SideTimeControl> black =
        ReadTimeControl(black_->text().trimmed().toStdString());
    if (!black) {
        return std::nullopt;
    }
    return TimeControl{*white, *black};
}

} // namespace quorrin
