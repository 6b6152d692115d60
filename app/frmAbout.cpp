#include "frmAbout.h"

#include "AppResources.h"
#include "ClickableLabel.h"
#include "QuorrinVersion.h"
#include "board/platform/WindowPlacement.h"

#include <QCursor>
#include <QDesktopServices>
#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

namespace quorrin {

namespace {

constexpr int FormWidth = 420;
constexpr int FormHeight = 372;
constexpr int Margin = 24;

template <typename Label> Label* PlaceLabel(Label* label, const char* name, const QRect& where) {
    label->setObjectName(QLatin1String(name));
    label->setGeometry(where);
    return label;
}

// A picture of the About box for a screen of the given device pixel ratio: the normal one at
// ratio 1, otherwise the double-density one (Qt reads its ratio 2 from the "@2x" name), shrunk
// or enlarged smoothly when the ratio is another.
QPixmap Picture(const QString& name, qreal ratio) {
    const QString path = QStringLiteral(":/images/%1.png").arg(name);
    if (ratio <= 1) {
        return QPixmap(path);
    }
    QImage sharp(QStringLiteral(":/images/%1@2x.png").arg(name));
    if (sharp.isNull()) {
        return QPixmap(path);
    }
    if (!qFuzzyCompare(ratio, sharp.devicePixelRatio())) {
        const QSize logical = sharp.size() / sharp.devicePixelRatio();
        sharp = sharp.scaled(logical * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        sharp.setDevicePixelRatio(ratio);
    }
    return QPixmap::fromImage(sharp);
}

void MakeLink(QLabel* label) {
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xC0));
    label->setPalette(colours);
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QWidget(parent, Qt::Window) {
    EnsureAppResources();
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Quorrin"));
    setAccessibleName(tr("About Quorrin"));
    setWindowIcon(QIcon(QStringLiteral(":/images/quorrin-32.png")));
    setFixedSize(FormWidth, FormHeight);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);

    // The title: Label2 is its shadow, Label5 the face (and a link to the support desk).
    QFont titleFont(QStringLiteral("Arial"), 26, QFont::Bold);
    auto* Label2 = PlaceLabel(new QLabel(QStringLiteral("Quorrin "), this), "Label2",
                              QRect(Margin + 2, 14, 260, 44));
    Label2->setFont(titleFont);
    QPalette shadow = Label2->palette();
    shadow.setColor(QPalette::WindowText, QColor(0xC8, 0xC8, 0xD8));
    Label2->setPalette(shadow);
    auto* Label5 = PlaceLabel(new ClickableLabel(QStringLiteral("Quorrin "), this), "Label5",
                              QRect(Margin, 12, 260, 44));
    Label5->setFont(titleFont);
    QPalette face = Label5->palette();
    face.setColor(QPalette::WindowText, QColor(0x30, 0x30, 0x70));
    Label5->setPalette(face);

    PlaceLabel(new QLabel(tr("Version %1").arg(QLatin1String(Version)), this), "Label3",
               QRect(Margin + 2, 58, 200, 20));

    for (int i = 0; i < 7; ++i) {
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("imgsei%1").arg(i));
        image->setPixmap(Picture(QStringLiteral("about-deco-%1").arg(i + 1), devicePixelRatioF()));
        image->setGeometry(Margin + i * 34, 88, 24, 24);
    }

    auto* Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(Margin, 124, FormWidth - 2 * Margin, 2);

    PlaceLabel(new QLabel(tr("Have questions?  Need technical support? "), this), "Label1",
               QRect(Margin, 136, FormWidth - 2 * Margin, 20));
    auto* Label7 = PlaceLabel(new ClickableLabel(tr("Contact us"), this), "Label7",
                              QRect(Margin, 156, 90, 20));
    Label7->setToolTip(tr("Email us!"));
    MakeLink(Label7);
    auto* Label4 = PlaceLabel(new ClickableLabel(WebAddress, this), "Label4",
                              QRect(Margin, 180, FormWidth - 2 * Margin, 20));
    Label4->setToolTip(MakerName);
    MakeLink(Label4);
    Label7->adjustSize();
    Label4->adjustSize();

    auto* Label8 =
        PlaceLabel(new QLabel(tr("Copyright \u00A9 2026 %1. This program is protected by "
                                 "copyright law; copying or passing it on without the "
                                 "maker's permission is not allowed.")
                                  .arg(MakerName),
                              this),
                   "Label8", QRect(Margin, 208, FormWidth - 2 * Margin, 48));
    Label8->setWordWrap(true);
    QFont small = Label8->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    Label8->setFont(small);

    auto* cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setAccessibleName(tr("OK"));
    cmdOK->setIcon(Picture(QStringLiteral("about-ok"), devicePixelRatioF()));
    cmdOK->setIconSize(QSize(222, 79));
    cmdOK->setFlat(true);
    cmdOK->setGeometry((FormWidth - 226) / 2, FormHeight - 79 - 20, 226, 83);
    cmdOK->setCursor(Qt::PointingHandCursor);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    // Escape, Enter and Return close the box, as they close every dialog.
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                &frmAbout::cmdOK_Click);
    }
    connect(Label4, &ClickableLabel::Click, this, &frmAbout::Label4_Click);
    connect(Label5, &ClickableLabel::Click, this, &frmAbout::Label5_Click);
    connect(Label7, &ClickableLabel::Click, this, &frmAbout::Label7_Click);

    Form_Load();
}

frmAbout::~frmAbout() {
    if (screenPointerSet_) {
        QGuiApplication::restoreOverrideCursor();
    }
}

void frmAbout::Form_Load() {
    CentreOnScreen(*this);
}

void frmAbout::cmdOK_Click() {
    close();
}

void frmAbout::Label4_Click() {
    OpenLink(WebAddress);
}

void frmAbout::Label5_Click() {
    OpenLink(SupportAddress);
}

void frmAbout::Label7_Click() {
    OpenLink(SupportAddress);
}

void frmAbout::OpenLink(const QString& address) {
    if (!screenPointerSet_) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::PointingHandCursor));
        screenPointerSet_ = true;
    }
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace quorrin
