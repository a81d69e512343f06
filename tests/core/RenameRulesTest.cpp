#include "RenameRulesChecks.h"

#include "core/names/NameComposition.h"
#include "core/plan/RenamePlan.h"

#include <QDir>
#include <QTest>

#include <random>

using namespace vornak;

class RenameRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Case, use (x: execution, p: preview) and position, then the number's start, step and
    // width where they are not the defaults; the option texts as "prefix|suffix|base|extension".
    void composes_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("use");
        QTest::addColumn<QByteArray>("texts");
        QTest::addColumn<QByteArray>("expected"); // empty: no new name
        const auto row = [](const char* tag, const char* name, const char* use, const char* texts,
                            const char* to) {
            QTest::newRow(tag) << QByteArray(name) << QByteArray(use) << QByteArray(texts)
                               << QByteArray(to);
        };
        row("A: earlier dots stay in the base", "report.final.docx", "Ax1", "new_|||",
            "new_report.final.docx");
        row("A: a leading dot leaves an empty base", ".profile", "Ax1", "x|||", "x.profile");
        row("A: no dot gives nothing", "README", "Ax1", "x|||", "");
        row("B: suffix before the new extension", "a.txt", "Bx1", "|_old||log", "a_old.log");
        row("B: an empty extension keeps the dot", "a.txt", "Bx1", "|||", "a.");
        row("B: no dot takes the whole name", "README", "Bp1", "A|Z||txt", "AREADMEZ.txt");
        row("C: the number follows the suffix", "IMG_0001.JPG", "Cx12", "p_|_s|trip|",
            "p_trip_s(12).JPG");
        row("C: no dot puts the old name after it", "README", "Cx3", "||doc|", "doc(3).README");
        row("C: an empty base name", "a.txt", "Cx123", "x|_s||", "x_s(123).txt");
        row("C: preview has no number", "IMG_0001.JPG", "Cp12", "|_s|trip|", "trip_s.JPG");
        row("D: numbered with new extension", "IMG_0001.JPG", "Dx12", "p|s|trip|jpg",
            "ptrips(12).jpg");
        row("D: preview ignores the name", "whatever", "Dp5", "p|s|b|e", "pbs.e");
        row("C: padded", "IMG_0001.JPG", "Cx1 1 1 3", "||trip|", "trip(001).JPG");
        row("C: start and step", "IMG_0001.JPG", "Cx3 0 5 0", "||trip|", "trip(10).JPG");
        row("C: a number wider than the padding is whole", "IMG_0001.JPG", "Cx235 1000 1 2",
            "||trip|", "trip(1234).JPG");
        row("bytes that are not UTF-8 are kept", "caf\xe9.t\xffxt", "Ax1", "\xfe_|||",
            "\xfe_caf\xe9.t\xffxt");
    }
    void composes()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, use);
        QFETCH(QByteArray, texts);
        QFETCH(QByteArray, expected);
        const QList<QByteArray> t = texts.split('|');
        const QList<QByteArray> u = use.split(' ');
        const NameCase c{use[0] == 'C' || use[0] == 'D', use[0] == 'B' || use[0] == 'D'};
        const NumberFormat format =
            u.size() < 4 ? NumberFormat{}
                         : NumberFormat{u[1].toLongLong(), u[2].toLongLong(), u[3].toInt()};
        const auto composed = ComposeNewName(
            name, u[0].mid(2).toLongLong(), {t[0], t[1], t[2], t[3]}, c,
            use[1] == 'p' ? CompositionUse::Preview : CompositionUse::Execution, format);
        QCOMPARE(composed.value_or(""), expected);
    }

    // Renames and plans as "old>new", in list order and in the order they are done.
    void plansTheOrder_data()
    {
        QTest::addColumn<QList<QByteArray>>("wanted");
        QTest::addColumn<QList<QByteArray>>("plan");
        using L = QList<QByteArray>;
        QTest::newRow("the earliest waiter takes the freed name")
            << L{"a>c", "b>c", "c>d"} << L{"c>d", "a>c", "b>c"};
        QTest::newRow("waiters on a waiter follow it, earliest first")
            << L{"a>b", "x>b", "b>c", "c>d"} << L{"c>d", "b>c", "a>b", "x>b"};
        QTest::newRow("a later waiter keeps its place")
            << L{"a>c", "c>d", "e>f", "b>c"} << L{"c>d", "a>c", "e>f", "b>c"};
        QTest::newRow("names that are no entry of the folder are dropped")
            << L{"a>", "b>.", "c>..", "d>x/y", QByteArray("e>x\0y", 5), "f>f", "g>h"} << L{"g>h"};
    }
    void plansTheOrder()
    {
        QFETCH(QList<QByteArray>, wanted);
        QFETCH(QList<QByteArray>, plan);
        std::vector<Rename> renames;
        for (const QByteArray& pair : wanted)
            renames.push_back({pair.left(pair.indexOf('>')), pair.mid(pair.indexOf('>') + 1)});
        QList<QByteArray> planned;
        for (const Rename& rename : planRenames(renames))
            planned.append(rename.oldName + '>' + rename.newName);
        QCOMPARE(planned, plan);
    }

    // The fuzz target's checks on its committed corpus and on a fixed set of random inputs, half
    // of them made of a few bytes so that names collide and chain: every test run fuzzes a
    // little, the same way each time, whatever the compiler.
    void fuzzReplay()
    {
        QList<std::pair<QString, QByteArray>> inputs;
        const QDir corpus(QStringLiteral(VORNAK_FUZZ_CORPUS));
        for (const QString& name : corpus.entryList(QDir::Files)) {
            QFile file(corpus.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            inputs.append({name, file.readAll()});
        }
        QVERIFY(inputs.size() > 10);
        std::mt19937 random(20240611);
        for (int round = 0; round < 20000; ++round) {
            QByteArray input(qsizetype(random() % 160), '\0');
            for (char& c : input)
                c = round % 2 ? "||ab.57\xff"[random() % 8] : char(random());
            inputs.append({"random input " + QString::number(round), input});
        }
        for (const auto& [source, input] : inputs) {
            if (const char* broken = test::brokenRenameRule(input))
                QFAIL(
                    qPrintable(broken + (" (" + source + ": " + input.toPercentEncoding() + ')')));
        }
    }
};

QTEST_GUILESS_MAIN(RenameRulesTest)
#include "RenameRulesTest.moc"
