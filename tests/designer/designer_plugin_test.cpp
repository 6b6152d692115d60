// The Designer plugin loaded from its file, as Designer loads it: the widget box entry, and the
// size and the designable face of a board newly placed.
#include <QtTest>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <memory>

class DesignerPluginTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        loader_.setFileName(QStringLiteral(QUORRIN_DESIGNER_PLUGIN_FILE));
        plugin_ = qobject_cast<QDesignerCustomWidgetInterface*>(loader_.instance());
        QVERIFY2(plugin_ != nullptr, qPrintable(loader_.errorString()));
    }

    // The entry Designer lists, the header a form using it includes, and the XML that places
    // brdChessboard1 without a geometry of its own.
    void widgetBoxEntry() {
        QCOMPARE((QStringList{plugin_->name(), plugin_->group(), plugin_->includeFile(),
                              plugin_->isContainer() ? "container" : "",
                              plugin_->icon().isNull() ? "" : "icon"}),
                 (QStringList{"quorrin::brdChessboard", "Quorrin", "board/brdChessboard.h", "",
                              "icon"}));
        QVERIFY(plugin_->domXml().contains(
            R"(<widget class="quorrin::brdChessboard" name="brdChessboard1"/>)"));
    }

    // A board placed new keeps eight template squares: 4920 x 4920 twips, 328 pixels at normal
    // density. A saved form's geometry, set after createWidget, holds all the same: 409 pixels
    // (6135 twips) square to eight squares of 51. Eight designable properties, each with its own
    // change signal; the game commands are public slots that Designer's connection editor lists.
    void newBoardTakesItsFirstPlacementSizeAndIsDesignable() {
        const std::unique_ptr<QWidget> board(plugin_->createWidget(nullptr));
        QCOMPARE(board->size(), QSize(328, 328));
        board->setGeometry(0, 0, 409, 409);
        board->show();
        QVERIFY(QTest::qWaitForWindowExposed(board.get()));
        QCOMPARE(board->size(), QSize(408, 408));
        const QMetaObject* meta = board->metaObject();
        QCOMPARE(meta->className(), "quorrin::brdChessboard");
        for (const char* name :
             {"DarkSquareColor", "LightSquareColor", "Locked", "SideView", "HighlightMove",
              "HighlightMoveColor", "Coordinates", "ShowLegalMoves"}) {
            const QMetaProperty property = meta->property(meta->indexOfProperty(name));
            QVERIFY2(property.isWritable() && property.isDesignable() && property.hasNotifySignal(),
                     name);
        }
        for (const char* slot : {"NewGame()", "MovePiece(QString,QString)", "UndoLastMove()"}) {
            const QMetaMethod method = meta->method(meta->indexOfSlot(slot));
            QVERIFY2(method.methodType() == QMetaMethod::Slot &&
                         method.access() == QMetaMethod::Public,
                     slot);
        }
    }

private:
    QPluginLoader loader_;
    QDesignerCustomWidgetInterface* plugin_ = nullptr;
};

QTEST_MAIN(DesignerPluginTest)
#include "designer_plugin_test.moc"
