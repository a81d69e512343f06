#include "core/plan/NameRules.h"
#include "core/plan/PlannedBatch.h"
#include "core/plan/RuleSet.h"

#include <QTest>

using namespace vornak;

Q_DECLARE_METATYPE(vornak::BatchRules)
Q_DECLARE_METATYPE(vornak::RuleSet)
Q_DECLARE_METATYPE(vornak::ReplaceError::Kind)

namespace {

// Find/replace settings as one string: find, replacement, then flags: r regular expression,
// s case-sensitive, w the whole name.
BatchRules rulesOf(const QString& find, const QString& replacement, const QString& flags,
                   LetterCase baseCase = LetterCase::Unchanged,
                   LetterCase extensionCase = LetterCase::Unchanged)
{
    BatchRules rules;
    rules.findReplace = {find, replacement, flags.contains(u'r'), flags.contains(u's'),
                         flags.contains(u'w') ? FindReplace::Scope::WholeName
                                              : FindReplace::Scope::BaseName};
    rules.baseCase = baseCase;
    rules.extensionCase = extensionCase;
    return rules;
}

// Rules by position: remove, then insert, in the base name.
BatchRules byPosition(const RemoveRule& remove, const InsertRule& insert = {})
{
    BatchRules rules;
    rules.remove = remove;
    rules.insert = insert;
    return rules;
}

// What a rewrite that went over the expression's budget is shown as here.
const QByteArray kOverBudget = "(over budget)";

// What a pattern makes of one file: its name, "missing FIELD", or "error KIND FIELD" when the
// pattern cannot be read. A file not known has no folder, date or tags.
QString patternOutcome(const QString& text, bool known)
{
    const NamePattern pattern = parseNamePattern(text);
    if (!pattern.isValid())
        return QStringLiteral("error %1 %2").arg(int(pattern.error.kind)).arg(pattern.error.field);
    const AudioTags tags{QStringLiteral("A"), {}, QStringLiteral("C"), 3, 0};
    const qint64 date = QDateTime(QDate(2021, 7, 4), QTime(12, 34, 56)).toMSecsSinceEpoch();
    const PatternValues values{u"照片 1",
                               u".tar",
                               7,
                               2,
                               known ? u"旅行" : u"",
                               known ? std::optional(date) : std::nullopt,
                               known ? &tags : nullptr};
    const PatternName name = composeFromPattern(pattern, values);
    return name.missing ? "missing " + patternFieldName(*name.missing) : name.name;
}

NameList nameListOf(const QList<QByteArray>& names)
{
    NameList list;
    for (const QByteArray& name : names)
        list.append(name);
    return list;
}

} // namespace

class BatchRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The composed name goes through find/replace and the rules by position.
    void rewrites_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<BatchRules>("rules");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const char* tag, const char* name, const BatchRules& rules,
                            const char* expected) {
            QTest::newRow(tag) << QByteArray(name) << rules << QByteArray(expected);
        };
        row("\\N groups", "2024-05-01 trip.jpg",
            rulesOf(R"((\d+)-(\d+)-(\d+))", R"(\3.\2.\1)", "r"), "01.05.2024 trip.jpg");
        row("$10 and \\10 with ten groups, $01 the whole match and a 1", "abcdefghij.txt",
            rulesOf("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", R"($10\10-$01)", "r"), "jj-abcdefghij1.txt");
        row("insert before an emoji with its skin tone", "a👍🏽.txt",
            byPosition({}, {{1, true}, "_"}), "a_👍🏽.txt");
        row("a ZWJ family is one character", "👨\u200d👩\u200d👧x.txt", byPosition({{0}, 1}), "x.txt");
        row("a limit of the expression's own does not lift the budget",
            (QByteArray(16, 'a') + "b.txt").constData(),
            rulesOf("(*UCP)(*LIMIT_MATCH=10000000)(a+)+$", "x", "r"), kOverBudget.constData());
    }
    void rewrites()
    {
        QFETCH(QByteArray, name);
        QFETCH(BatchRules, rules);
        QFETCH(QByteArray, expected);
        const NameRules compiled(rules);
        QVERIFY(compiled.isRunnable());
        QCOMPARE(compiled.rewritten(name).value_or(kOverBudget), expected);
    }

    // A batch planned with rules in error shows the names without the replacement and renames
    // nothing.
    void errorsStopTheRun_data()
    {
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<ReplaceError::Kind>("error");
        using K = ReplaceError::Kind;
        QTest::newRow("unbalanced parenthesis") << "(a"
                                                << "x" << K::BadExpression;
        QTest::newRow("a group the expression lacks") << "(a)"
                                                      << "$2" << K::MissingGroup;
        QTest::newRow("an escaped backslash before a digit") << "a"
                                                             << "\\\\2" << K::None;
    }
    void errorsStopTheRun()
    {
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(ReplaceError::Kind, error);
        const bool valid = error == ReplaceError::Kind::None;
        const NameRules rules(rulesOf(find, replacement, "r", LetterCase::Upper));
        QCOMPARE(rules.error().kind, error);
        QCOMPARE(rules.isRunnable(), valid);
        const NameList entries = nameListOf({"a.txt"});
        const PlannedBatch batch = planRuleBatch({entries, {}, {}, {}, {}}, rules, {});
        QCOMPARE(batch.newNames.front(), valid ? QByteArray("\\2.txt") : QByteArray("A.txt"));
        QCOMPARE(batch.renames(entries).size(), valid ? 1u : 0u);
    }

    void patterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("known");
        QTest::addColumn<QString>("expected");
        QTest::newRow("every field the file has")
            << "{name}|{ext}|{n}|{n:4}|{n:0}|{folder}|{date:yyyyMMdd HHmm}|{date}|{artist}|{title}|"
               "{track}"
            << true << "照片 1|.tar|07|0007|7|旅行|20210704 1234|2021-07-04|A|C|3";
        QTest::newRow("an empty tag is lacking") << "{artist}{album}" << true << "missing album";
        QTest::newRow("no date") << "{name}{date:yy}" << false << "missing date";
        QTest::newRow("unknown field") << "a{bad}" << true << "error 1 bad";
    }
    void patterns()
    {
        QFETCH(QString, pattern);
        QFETCH(bool, known);
        QFETCH(QString, expected);
        QCOMPARE(patternOutcome(pattern, known), expected);
    }

    // A pattern composes the name the find/replace then works on; a file lacking a field keeps
    // its name and the others run; a pattern that cannot be read runs nothing.
    void patternPipeline()
    {
        const NameList entries = nameListOf({"a b.mp3", "b.mp3", "c.jpg"});
        const AudioTags first{QStringLiteral("X"), {}, QStringLiteral("T1"), 1, 0};
        AudioTags second = first;
        second.title = QStringLiteral("T2");
        const std::vector<FileDates> dates{{1, {}, first}, {1, {}, second}, {1, {}, {}}};
        BatchRules settings = rulesOf(QStringLiteral(" "), QStringLiteral("_"), "");
        settings.numbers = {10, 5, 0};
        settings.pattern = QStringLiteral("{folder} {n:2} {artist} {title}{ext}");
        BatchRequest request{entries, dates, {}, {}, {}};
        request.folderName = QStringLiteral("专辑");
        PlannedBatch batch = planRuleBatch(request, NameRules(settings), {});
        QCOMPARE(batch.newNames,
                 (std::vector<QByteArray>{"专辑_10_X_T1.mp3", "专辑_15_X_T2.mp3", "c.jpg"}));
        QCOMPARE(batch.plan.statuses.back(), RenameStatus::MissingField);
        QCOMPARE(batch.missingFields.back(), PatternField::Artist);
        QCOMPARE(batch.renames(entries).size(), std::size_t(2));
        settings.pattern = QStringLiteral("{artist");
        batch = planRuleBatch(request, NameRules(settings), {});
        QCOMPARE(batch.newNames.front(), "a_b.mp3");
        QVERIFY(batch.renames(entries).empty());
    }

    void ruleSetsSurviveSettings_data()
    {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<RuleSet>("expected");
        RuleSet full;
        full.options.mode = RenameMode::Single;
        full.options.newBaseName = {true, QStringLiteral("旅行")};
        full.options.suffix = {false, QStringLiteral("kept while unticked")};
        full.rules = rulesOf("(\\d+)", "$1", "rsw", LetterCase::Capitalized, LetterCase::Upper);
        full.rules.order = NumberingOrder::Taken;
        full.rules.numbers = {0, 10, 4};
        full.rules.remove = {{3, true}, 2};
        full.rules.insert = {{1}, QStringLiteral("·")};
        full.rules.pattern = QStringLiteral("{n:3}{ext}");
        QTest::newRow("every field") << full.toVariantMap() << full;
        RuleSet old;
        old.options.prefix = {true, QStringLiteral("x")};
        old.rules.findReplace.find = QStringLiteral("a");
        old.rules.numbers.width = 3;
        QTest::newRow("a set stored before the rules by position loads with them off")
            << QVariantMap{{"prefixChecked", true},
                           {"prefixText", "x"},
                           {"find", "a"},
                           {"numberWidth", 3}}
            << old;
    }
    void ruleSetsSurviveSettings()
    {
        QFETCH(QVariantMap, stored);
        QFETCH(RuleSet, expected);
        QCOMPARE(RuleSet::fromVariantMap(stored), expected);
    }
};

QTEST_GUILESS_MAIN(BatchRulesTest)
#include "BatchRulesTest.moc"
