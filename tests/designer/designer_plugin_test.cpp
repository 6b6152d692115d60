// The Designer plugin loaded from its file: the widget box entry, the default form XML and a
// board made by createWidget that takes a move and reports it.
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

    // The widget element names the class and brdChessboard1, at 6135 twips (409 pixels).
    void domXmlPlacesBrdChessboard1() {
        QXmlStreamReader xml(plugin_->domXml());
        const QStringList edges{"x", "y", "width", "height"};
        QStringList widget;
        QMap<QString, QString> rect;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) {
                continue;
            }
            if (xml.name() == QLatin1String("widget")) {
                widget << xml.attributes().value("class").toString()
                       << xml.attributes().value("name").toString();
            } else if (edges.contains(xml.name().toString())) {
                rect[xml.name().toString()] = xml.readElementText();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(widget, QStringList({"quorrin::brdChessboard", "brdChessboard1"}));
        QCOMPARE(rect, (QMap<QString, QString>{
                           {"x", "0"}, {"y", "0"}, {"width", "409"}, {"height", "409"}}));
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
