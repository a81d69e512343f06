#include "RenameWindow.h"
#include "TestFolder.h"

#include "rename/RenameRun.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>

using namespace vornak;
using namespace vornak::test;

namespace {

// "new<old": the file first named old is now called new.
Folder expectedFolder(const QList<QByteArray>& moves)
{
    Folder folder;
    for (const QByteArray& move : moves) {
        const qsizetype arrow = move.indexOf('<');
        folder.insert(move.left(arrow), move.mid(arrow + 1));
    }
    return folder;
}

} // namespace

class RenameRunTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void renamesTheFolder_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<bool>("single");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QList<QByteArray>>("after");
        using F = QList<QByteArray>;
        using O = QStringList;
        const QByteArray longName = QByteArray(240, 'l') + ".txt";

        QTest::newRow("numbered in list order")
            << F{"b.txt", "a.txt", "c.doc"} << false << -1 << O{"3=x"}
            << F{"x(1).txt<a.txt", "x(2).txt<b.txt", "x(3).doc<c.doc"};
        QTest::newRow("a numbered folder numbered again")
            << F{"a.txt", "x(1).txt", "x(2).txt"} << false << -1 << O{"3=x"}
            << F{"x(1).txt<a.txt", "x(2).txt<x(1).txt", "x(3).txt<x(2).txt"};
        QTest::newRow("batch mode pays no heed to the selection")
            << F{"a.txt", "b.txt"} << false << 0 << O{"1=p"} << F{"pa.txt<a.txt", "pb.txt<b.txt"};
        QTest::newRow("nothing ticked renames nothing")
            << F{"a.txt"} << false << 0 << O{} << F{"a.txt<a.txt"};
        QTest::newRow("prefix leaves a name without dot")
            << F{"README", "a.txt"} << false << -1 << O{"1=x"}
            << F{"README<README", "xa.txt<a.txt"};
        QTest::newRow("new extension for a name without dot")
            << F{"README"} << false << -1 << O{"4=md"} << F{"README.md<README"};
        QTest::newRow("two files onto one name: the first in the list wins")
            << F{"a.doc", "a.txt"} << false << -1 << O{"4=log"} << F{"a.log<a.doc", "a.txt<a.txt"};
        QTest::newRow("shell characters reach the file system")
            << F{"it's \"q\" & more.txt", "100%!^$.txt", "-lead.txt"} << false << -1
            << O{"1=-\"&^%!'$ "}
            << F{"-\"&^%!'$ it's \"q\" & more.txt<it's \"q\" & more.txt",
                 "-\"&^%!'$ 100%!^$.txt<100%!^$.txt", "-\"&^%!'$ -lead.txt<-lead.txt"};
        QTest::newRow("CJK and emoji")
            << F{"照片.jpg", "🎉 party.png"} << false << -1 << O{"3=旅行🌏"}
            << F{"旅行🌏(1).jpg<照片.jpg", "旅行🌏(2).png<🎉 party.png"};
        QTest::newRow("a name that is not UTF-8 keeps its bytes")
            << F{"caf\xe9.txt"} << false << -1 << O{"1=new_"} << F{"new_caf\xe9.txt<caf\xe9.txt"};
        QTest::newRow("a name too long for the file system")
            << F{"short.txt", longName} << false << -1 << O{"1=pppppppppppppppppppp"}
            << F{"pppppppppppppppppppp"
                 "short.txt<short.txt",
                 longName + '<' + longName};
        QTest::newRow("single mode renames the selected entry")
            << F{"a.txt", "b.txt", "c.txt"} << true << 2 << O{"3=x"}
            << F{"a.txt<a.txt", "b.txt<b.txt", "x(3).txt<c.txt"};
        QTest::newRow("single mode onto an existing name")
            << F{"a.log", "a.txt"} << true << 1 << O{"4=log"} << F{"a.log<a.log", "a.txt<a.txt"};
        QTest::newRow("single mode with nothing ticked")
            << F{"a.txt"} << true << 0 << O{} << F{"a.txt<a.txt"};
    }
    void renamesTheFolder()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(bool, single);
        QFETCH(int, selected);
        QFETCH(QStringList, options);
        QFETCH(QList<QByteArray>, after);
        QTemporaryDir dir;
        createFiles(dir, files);
        RenameWindow w;
        w.prepare(pathOf(dir), selected, single, options);
        QVERIFY(w.waitForTick());
        QTest::mouseClick(&w.command1(), Qt::LeftButton);
        QCOMPARE(contentsOf(dir), expectedFolder(after));
        QCOMPARE(w.platform.messages.size(), 1);
        QCOMPARE(w.platform.messages[0].prompt, QStringLiteral("是否执行重命名？"));
        QCOMPARE(w.platform.messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(w.platform.messages[0].title, QStringLiteral("Vornak"));
    }

    void answeringNoDoesNothing_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<int>("listed");
        QTest::addColumn<QList<QByteArray>>("after");
        using F = QList<QByteArray>;
        QTest::newRow("no") << MessageAnswer::No << true << 1 << F{"a.txt<a.txt", "b.txt<b.txt"};
        QTest::newRow("yes, nothing ticked: the list is refreshed")
            << MessageAnswer::Yes << false << 2 << F{"a.txt<a.txt", "b.txt<b.txt"};
        QTest::newRow("yes: a file that appeared since is renamed and counted")
            << MessageAnswer::Yes << true << 2 << F{"x(1).txt<a.txt", "x(2).txt<b.txt"};
    }
    void answeringNoDoesNothing()
    {
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, ticked);
        QFETCH(int, listed);
        QFETCH(QList<QByteArray>, after);
        QTemporaryDir dir;
        createFiles(dir, {"a.txt"});
        RenameWindow w;
        w.showFolder(pathOf(dir));
        if (ticked)
            w.useOption(3, QStringLiteral("x"));
        QVERIFY(w.waitForTick());
        createFiles(dir, {"b.txt"});
        w.platform.answers.push_back(answer);
        QTest::mouseClick(&w.command1(), Qt::LeftButton);
        QCOMPARE(w.file1().count(), listed);
        QCOMPARE(contentsOf(dir), expectedFolder(after));
    }

    void singleModeWithoutASelectionDoesNothing()
    {
        QTemporaryDir dir;
        createFiles(dir, {"a.txt"});
        RenameWindow w;
        w.showFolder(pathOf(dir));
        QTest::mouseClick(&w.op2(), Qt::LeftButton);
        w.file1().setSelectedIndex(0);
        w.useOption(1, QStringLiteral("x"));
        QVERIFY(w.waitForTick());
        QVERIFY(w.command1().isEnabled());
        // The list lost its selection, and no tick has run since.
        w.file1().setSelectedIndex(-1);
        QTest::mouseClick(&w.command1(), Qt::LeftButton);
        QVERIFY(w.platform.messages.isEmpty());
        QCOMPARE(contentsOf(dir), expectedFolder({"a.txt<a.txt"}));
    }

    void filesInACycleKeepTheirNames()
    {
        QTemporaryDir dir;
        createFiles(dir, {"a", "b", "c"});
        test::TestPlatform platform;
        FolderPath folderPath;
        folderPath.update(pathOf(dir));
        const std::size_t renamed =
            applyRenames(platform, folderPath, planRenames({{"a", "b"}, {"b", "a"}, {"c", "d"}}));
        QCOMPARE(renamed, std::size_t(1));
        QCOMPARE(contentsOf(dir), expectedFolder({"a<a", "b<b", "d<c"}));
    }

    void numbersFolderOfMoreThan32767Files()
    {
        constexpr int kFiles = 33000;
        QTemporaryDir dir;
        QList<QByteArray> names;
        for (int i = 0; i < kFiles; ++i)
            names.append("f" + QByteArray::number(i) + ".dat");
        createFiles(dir, names);
        RenameWindow w;
        w.showFolder(pathOf(dir));
        QCOMPARE(w.file1().count(), kFiles);
        w.useOption(3, QStringLiteral("n"));
        QVERIFY(w.waitForTick());
        QTest::mouseClick(&w.command1(), Qt::LeftButton);
        QList<QByteArray> after;
        for (int i = 0; i < kFiles; ++i)
            after.append("n(" + QByteArray::number(i + 1) + ").dat<" + names[i]);
        QCOMPARE(contentsOf(dir), expectedFolder(after));
    }
};

QTEST_MAIN(RenameRunTest)
#include "RenameRunTest.moc"
