// The About box: its texts, its links handed to the desktop, and OK.
#include "board/Platform.h"
#include "frmAbout.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QUrl>

using namespace quorrin;

// Stands in for the desktop's browser and e-mail program.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> Opened;

public slots:
    void open(const QUrl& url) { Opened.append(url); }
};

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void showsTheDesignedTexts();
    void isCentredOnTheScreen();
    void linksOpenTheWebSiteAndANewMail();
    void okClosesAndDeletesTheBox();

private:
    UrlRecorder recorder_;
};

void AboutBoxTest::initTestCase() {
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder_, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &recorder_, "open");
}

void AboutBoxTest::cleanupTestCase() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
}

void AboutBoxTest::showsTheDesignedTexts() {
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Quorrin"));
    QCOMPARE(about.palette().color(QPalette::Window), QColor(Qt::white));
    const auto text = [&about](const char* name) {
        auto* label = about.findChild<QLabel*>(QLatin1String(name));
        return label != nullptr ? label->text() : QStringLiteral("<missing %1>").arg(name);
    };
    QCOMPARE(text("Label2"), QStringLiteral("Quorrin "));
    QCOMPARE(text("Label5"), QStringLiteral("Quorrin "));
    QCOMPARE(text("Label3"), QStringLiteral("Version 1.5"));
    QCOMPARE(text("Label1"), QStringLiteral("Have questions?  Need technical support? "));
    QCOMPARE(text("Label7"), QStringLiteral("Contact us"));
    QCOMPARE(text("Label4"), frmAbout::WebAddress);
    QVERIFY(text("Label8").contains(frmAbout::MakerName));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Label7"))->toolTip(),
             QStringLiteral("Email us!"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Label4"))->toolTip(), frmAbout::MakerName);
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Label5"))->font().family(),
             QStringLiteral("Arial"));
    for (int i = 0; i < 7; ++i) {
        auto* image = about.findChild<QLabel*>(QStringLiteral("imgsei%1").arg(i));
        QVERIFY(image != nullptr);
        QCOMPARE(image->pixmap().size(), QSize(24, 24));
    }
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QVERIFY(ok != nullptr);
    QCOMPARE(ok->iconSize(), QSize(222, 79));
    QVERIFY(!ok->icon().isNull());
}

void AboutBoxTest::isCentredOnTheScreen() {
    frmAbout about;
    const QSize screen = platform::ScreenSize();
    QCOMPARE(about.x(), (screen.width() - about.width()) / 2);
    QCOMPARE(about.y(), (screen.height() - about.height()) / 2);
}

void AboutBoxTest::linksOpenTheWebSiteAndANewMail() {
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    recorder_.Opened.clear();
    for (const char* name : {"Label4", "Label7", "Label5"}) {
        auto* label = about.findChild<QLabel*>(QLatin1String(name));
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(label, Qt::LeftButton);
    }
    QCOMPARE(recorder_.Opened,
             (QList<QUrl>{QUrl(frmAbout::WebAddress), QUrl(frmAbout::SupportAddress),
                          QUrl(frmAbout::SupportAddress)}));
    // The addresses name no real company.
    QVERIFY(QUrl(frmAbout::WebAddress).host().endsWith(QStringLiteral(".example.org")));
    QVERIFY(frmAbout::SupportAddress.endsWith(QStringLiteral(".example.org")));
    // A plain label is not a link.
    QTest::mouseClick(about.findChild<QLabel*>(QStringLiteral("Label1")), Qt::LeftButton);
    QCOMPARE(recorder_.Opened.size(), 3);
}

void AboutBoxTest::okClosesAndDeletesTheBox() {
    QPointer<frmAbout> about = new frmAbout();
    about->show();
    QVERIFY(QTest::qWaitForWindowExposed(about.data()));
    QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QVERIFY(!about->isVisible());
    QTRY_VERIFY(about.isNull());
}

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
