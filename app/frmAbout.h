// The About box: the program's name and version, the maker's web site and support address as
// links, a legal notice, and an OK picture button. Shown without being modal; it deletes
// itself when closed.
#pragma once

#include <QString>
#include <QWidget>

namespace quorrin {

class frmAbout final : public QWidget {
    Q_OBJECT

public:
    static inline const QString MakerName = QStringLiteral("Quorrin Workshop");
    static inline const QString WebAddress = QStringLiteral("https://quorrin.example.org");
    static inline const QString SupportAddress =
        QStringLiteral("mailto:support@quorrin.example.org");

    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;

private:
    void Form_Load();
    void cmdOK_Click();
    void Label4_Click();
    void Label5_Click();
    void Label7_Click();
    // A click on a link: the pointing hand becomes the screen's pointer, then the desktop opens
    // the address. The hand stays the screen's pointer until the box goes.
    void OpenLink(const QString& address);

    bool screenPointerSet_ = false;
};

} // namespace quorrin
