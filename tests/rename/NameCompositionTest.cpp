#include "rename/NameComposition.h"

#include <QTest>

using namespace vornak;

Q_DECLARE_METATYPE(std::optional<QByteArray>)

namespace {

enum class Case { A, B, C, D };

NameCase nameCaseOf(Case c)
{
    return {c == Case::C || c == Case::D, c == Case::B || c == Case::D};
}

} // namespace

Q_DECLARE_METATYPE(Case)
Q_DECLARE_METATYPE(CompositionUse)

class NameCompositionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitsAtTheLastDot_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<qsizetype>("dot");
        QTest::addColumn<bool>("hasBase");
        QTest::addColumn<QByteArray>("base");
        QTest::addColumn<QByteArray>("extension");
        QTest::newRow("plain") << QByteArray("a.txt") << qsizetype(2) << true << QByteArray("a")
                               << QByteArray("txt");
        QTest::newRow("several dots") << QByteArray("report.final.docx") << qsizetype(13) << true
                                      << QByteArray("report.final") << QByteArray("docx");
        QTest::newRow("dot first") << QByteArray(".profile") << qsizetype(1) << true << QByteArray()
                                   << QByteArray("profile");
        QTest::newRow("dot last") << QByteArray("a.") << qsizetype(2) << true << QByteArray("a")
                                  << QByteArray();
        QTest::newRow("no dot") << QByteArray("README") << qsizetype(0) << false << QByteArray()
                                << QByteArray("README");
        QTest::newRow("empty") << QByteArray() << qsizetype(0) << false << QByteArray()
                               << QByteArray();
        QTest::newRow("not UTF-8") << QByteArray("caf\xe9.t\xffxt") << qsizetype(5) << true
                                   << QByteArray("caf\xe9") << QByteArray("t\xffxt");
    }
    void splitsAtTheLastDot()
    {
        QFETCH(QByteArray, name);
        QFETCH(qsizetype, dot);
        QFETCH(bool, hasBase);
        QFETCH(QByteArray, base);
        QFETCH(QByteArray, extension);
        QCOMPARE(LastDotPosition(name), dot);
        const NameHalves halves = SplitName(name);
        QCOMPARE(halves.base.has_value(), hasBase);
        if (hasBase)
            QCOMPARE(halves.base->toByteArray(), base);
        QCOMPARE(halves.extension.toByteArray(), extension);
    }

    void composes_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<Case>("nameCase");
        QTest::addColumn<CompositionUse>("use");
        QTest::addColumn<qsizetype>("position");
        QTest::addColumn<QByteArray>("prefix");
        QTest::addColumn<QByteArray>("suffix");
        QTest::addColumn<QByteArray>("base");
        QTest::addColumn<QByteArray>("extension");
        QTest::addColumn<std::optional<QByteArray>>("expected");

        const auto row = [](const char* tag, const char* name, Case c, CompositionUse use,
                            qsizetype position, const char* p, const char* s, const char* b,
                            const char* e, std::optional<QByteArray> expected) {
            QTest::newRow(tag) << QByteArray(name) << c << use << position << QByteArray(p)
                               << QByteArray(s) << QByteArray(b) << QByteArray(e) << expected;
        };
        const auto run = CompositionUse::Execution;
        const auto preview = CompositionUse::Preview;
        using O = std::optional<QByteArray>;

        row("A: earlier dots stay in the base", "report.final.docx", Case::A, run, 1, "new_", "",
            "", "", O("new_report.final.docx"));
        row("A: dot in first place", ".profile", Case::A, run, 1, "x", "", "", "", O("x.profile"));
        row("A: prefix and suffix", "a.txt", Case::A, run, 7, "P", "S", "B", "E", O("PaS.txt"));
        row("A: no dot gives nothing", "README", Case::A, run, 1, "x", "", "", "", O());
        row("A: no dot gives nothing in the preview", "README", Case::A, preview, 1, "x", "", "",
            "", O());
        row("B: suffix before the new extension", "a.txt", Case::B, run, 1, "", "_old", "", "log",
            O("a_old.log"));
        row("B: no dot, the whole name is the base", "README", Case::B, run, 1, "", "", "", "txt",
            O("README.txt"));
        row("B: no dot with prefix and suffix", "README", Case::B, run, 1, "A", "Z", "", "txt",
            O("AREADMEZ.txt"));
        row("B: no dot, the preview shows the same", "README", Case::B, preview, 1, "A", "Z", "",
            "txt", O("AREADMEZ.txt"));
        row("B: empty extension keeps the dot", "a.txt", Case::B, run, 1, "", "", "", "", O("a."));
        row("C: no dot, the old name follows the dot", "README", Case::C, run, 3, "", "", "doc", "",
            O("doc(3).README"));
        row("C: numbered", "IMG_0001.JPG", Case::C, run, 12, "", "", "trip", "", O("trip(12).JPG"));
        row("C: preview has no number", "IMG_0001.JPG", Case::C, preview, 12, "", "", "trip", "",
            O("trip.JPG"));
        row("C: empty base name", "a.txt", Case::C, run, 1, "P", "S", "", "", O("PS(1).txt"));
        row("C: large position", "a.txt", Case::C, run, 123456, "", "", "x", "",
            O("x(123456).txt"));
        row("D: numbered with new extension", "IMG_0001.JPG", Case::D, run, 12, "", "", "trip",
            "jpg", O("trip(12).jpg"));
        row("D: preview ignores the name", "whatever", Case::D, preview, 5, "p", "s", "b", "e",
            O("pbs.e"));
        row("extension may hold a dot", "a.txt", Case::B, run, 1, "", "", "", "tar.gz",
            O("a.tar.gz"));
        row("bytes of a name that is not UTF-8 are kept", "caf\xe9.txt", Case::A, run, 1, "new_",
            "", "", "", O("new_caf\xe9.txt"));
        row("shell characters pass untouched", "a b.txt", Case::A, run, 1, "-\"&^%!'$ ", "", "", "",
            O("-\"&^%!'$ a b.txt"));
    }
    void composes()
    {
        QFETCH(QByteArray, name);
        QFETCH(Case, nameCase);
        QFETCH(CompositionUse, use);
        QFETCH(qsizetype, position);
        QFETCH(QByteArray, prefix);
        QFETCH(QByteArray, suffix);
        QFETCH(QByteArray, base);
        QFETCH(QByteArray, extension);
        QFETCH(std::optional<QByteArray>, expected);
        const RenameState state{prefix, suffix, base, extension};
        QCOMPARE(ComposeNewName(name, position, state, nameCaseOf(nameCase), use), expected);
    }
};

QTEST_GUILESS_MAIN(NameCompositionTest)
#include "NameCompositionTest.moc"
