// The board as Qt Designer sees it: its entry in the widget box (group "Quorrin", icon, tool
// tip), the header a generated form includes, and the widget placed on a new form.
#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace quorrin {

class brdChessboardPlugin final : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit brdChessboardPlugin(QObject* parent = nullptr);

    QString name() const override;
    QString group() const override;
    QIcon icon() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    bool isContainer() const override;
    // A new board is brdChessboard1, of the size its first placement gives it: eight template
    // squares of 615 twips, 4920 x 4920 twips.
    QString domXml() const override;
    QWidget* createWidget(QWidget* parent) override;
};

} // namespace quorrin
