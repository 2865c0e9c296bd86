// The real dialogs: message boxes and the input box never leave the hourglass over a dialog that waits for
// the user, and the file chooser gets every pattern of a filter.
#include "platform/QtServices.h"
#include "platform/WaitCursor.h"
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <functional>

class tst_Dialogs : public QObject {
    Q_OBJECT

private slots:
    void arrowWhileADialogWaits_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("question") << 0;
        QTest::newRow("message") << 1;
        QTest::newRow("input box") << 2;
    }
    void arrowWhileADialogWaits() {
        QFETCH(int, which);
        QtQuestions questions;
        const WaitCursor hourglass;
        Qt::CursorShape whileWaiting = Qt::WaitCursor;
        bool sawDialog = false;
        // Looks at the pointer once the dialog is up, then dismisses it as the user would.
        std::function<void()> look = [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) {
                QTimer::singleShot(10, look);
                return;
            }
            sawDialog = true;
            whileWaiting = QGuiApplication::overrideCursor()->shape();
            QTest::keyClick(dialog, Qt::Key_Escape);
        };
        QTimer::singleShot(0, look);
        if (which == 0) questions.AskYesNo(QStringLiteral("Title?"), QStringLiteral("Text"));
        if (which == 1) questions.Message(QStringLiteral("Title"), QStringLiteral("Text"));
        if (which == 2) questions.InputBox(QStringLiteral("Prompt"), QStringLiteral("Title"), QString());
        QVERIFY(sawDialog);
        QCOMPARE(whileWaiting, Qt::ArrowCursor);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor); // the work goes on waiting
    }

    // Each piece of a chooser's filter reaches Qt's own dialog with every one of its patterns.
    void filterPatterns_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("piece");
        QTest::addColumn<QStringList>("patterns");
        const QString pictures = QStringLiteral("All Picture Files |*.bmp; *.dib; *.gif|Bitmaps (*.bmp; *.dib) "
                                                "|*.bmp; *.dib|");
        QTest::newRow("described without patterns")
            << pictures << 0 << QStringList{QStringLiteral("*.bmp"), QStringLiteral("*.dib"), QStringLiteral("*.gif")};
        QTest::newRow("described with two")
            << pictures << 1 << QStringList{QStringLiteral("*.bmp"), QStringLiteral("*.dib")};
        QTest::newRow("one pattern") << QStringLiteral("WAVE file (*.wav) |*.wav|") << 0
                                     << QStringList{QStringLiteral("*.wav")};
    }
    void filterPatterns() {
        QFETCH(QString, filter);
        QFETCH(int, piece);
        QFETCH(QStringList, patterns);
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setNameFilter(QtFileFilter(filter));
        QVERIFY(piece < dialog.nameFilters().size());
        dialog.selectNameFilter(dialog.nameFilters().at(piece));
        QCOMPARE(dialog.findChild<QFileSystemModel*>()->nameFilters(), patterns);
    }

    // An hourglass inside an hourglass changes nothing and ends nothing; one inside a dialog's arrow shows.
    void nestedPointers() {
        const auto shown = [] {
            return QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::BlankCursor;
        };
        {
            const WaitCursor outer;
            {
                const WaitCursor inner;
                const UserCursor dialog;
                QCOMPARE(shown(), Qt::ArrowCursor);
                {
                    const WaitCursor workInDialog;
                    QCOMPARE(shown(), Qt::WaitCursor);
                }
                QCOMPARE(shown(), Qt::ArrowCursor);
            }
            QCOMPARE(shown(), Qt::WaitCursor);
        }
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(tst_Dialogs)
#include "tst_Dialogs.moc"
