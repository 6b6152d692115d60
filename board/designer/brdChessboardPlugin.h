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
    // A new board is brdChessboard1, 6135 x 6135 twips, in pixels of the screen's density.
    QString domXml() const override;
    QWidget* createWidget(QWidget* parent) override;
};

} // namespace quorrin
