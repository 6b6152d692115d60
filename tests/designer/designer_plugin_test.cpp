// The Designer plugin loaded from its file: the widget box entry, the size of a board newly
// placed, and a board made by createWidget that takes a move and reports it.
#include <QMetaMethod>
#include <QPluginLoader>
#include <QSignalSpy>
#include <QTest>
#include <QXmlStreamReader>
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

    void widgetBoxEntry() {
        QCOMPARE(plugin_->name(), QStringLiteral("quorrin::brdChessboard"));
        QCOMPARE(plugin_->group(), QStringLiteral("Quorrin"));
        QCOMPARE(plugin_->includeFile(), QStringLiteral("board/brdChessboard.h"));
        QVERIFY(!plugin_->icon().isNull());
        QVERIFY(!plugin_->toolTip().isEmpty());
        QVERIFY(!plugin_->isContainer());
    }

    // The widget box entry places brdChessboard1 as Designer does: made by createWidget, then
    // given the properties in the entry's XML. It keeps the size of its first placement, eight
    // template squares: 4920 x 4920 twips, 328 pixels at normal density. A saved form's
    // geometry, which Designer sets after createWidget, holds all the same.
    void newBoardTakesItsFirstPlacementSize() {
        QXmlStreamReader xml(plugin_->domXml());
        const QStringList edges{"x", "y", "width", "height"};
        QStringList widget;
        QMap<QString, int> rect;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) {
                continue;
            }
            if (xml.name() == QLatin1String("widget")) {
                widget << xml.attributes().value("class").toString()
                       << xml.attributes().value("name").toString();
            } else if (edges.contains(xml.name().toString())) {
                rect[xml.name().toString()] = xml.readElementText().toInt();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(widget, QStringList({"quorrin::brdChessboard", "brdChessboard1"}));
        const std::unique_ptr<QWidget> board(plugin_->createWidget(nullptr));
        if (!rect.isEmpty()) {
            board->setGeometry(rect["x"], rect["y"], rect["width"], rect["height"]);
        }
        QCOMPARE(board->size(), QSize(328, 328));
        board->setGeometry(0, 0, 409, 409); // 6135 twips, squared to 51-pixel squares
        board->show();
        QVERIFY(QTest::qWaitForWindowExposed(board.get()));
        QCOMPARE(board->size(), QSize(408, 408));
    }

    // Six designable properties, each with its own change signal; the game commands are
    // public slots that Designer's connection editor lists.
    void createdBoardIsDesignableAndPlays() {
        const std::unique_ptr<QWidget> board(plugin_->createWidget(nullptr));
        const QMetaObject* meta = board->metaObject();
        QCOMPARE(meta->className(), "quorrin::brdChessboard");
        for (const char* name : {"DarkSquareColor", "LightSquareColor", "Locked", "SideView",
                                 "HighlightMove", "HighlightMoveColor"}) {
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

        QSignalSpy moves(board.get(), SIGNAL(PieceMovement(bool, QString, QString)));
        bool moved = false;
        QVERIFY(QMetaObject::invokeMethod(board.get(), "MovePiece", Q_RETURN_ARG(bool, moved),
                                          Q_ARG(QString, "e2"), Q_ARG(QString, "e4")));
        QVERIFY(moved);
        QCOMPARE(moves, QList<QVariantList>({{true, "e2", "e4"}}));
    }

private:
    QPluginLoader loader_;
    QDesignerCustomWidgetInterface* plugin_ = nullptr;
};

QTEST_MAIN(DesignerPluginTest)
#include "designer_plugin_test.moc"
