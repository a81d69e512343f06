#include "core/names/NameText.h"
#include "core/plan/NameRules.h"
#include "core/plan/PlannedBatch.h"
#include "core/plan/RecentTexts.h"
#include "core/plan/RuleSet.h"

#include <QTest>

using namespace vornak;

Q_DECLARE_METATYPE(vornak::BatchRules)
Q_DECLARE_METATYPE(vornak::RuleSet)
Q_DECLARE_METATYPE(std::optional<std::size_t>)
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
BatchRules byPosition(const RemoveRule& remove, const InsertRule& insert = {},
                      LetterCase baseCase = LetterCase::Unchanged)
{
    BatchRules rules;
    rules.remove = remove;
    rules.insert = insert;
    rules.baseCase = baseCase;
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
    void decodingGivesBackTheBytes_data()
    {
        QTest::addColumn<QByteArray>("name");
        const auto row = [](const char* tag, const char* name) {
            QTest::newRow(tag) << QByteArray(name);
        };
        row("ASCII", "IMG_0001.JPG");
        row("CJK and emoji", "\xe7\x85\xa7\xe7\x89\x87 \xf0\x9f\x93\xb7.jpg");
        row("Latin-1 bytes", "caf\xe9 na\xefve.txt");
        row("truncated sequence at the end", "a\xe7\x85");
        row("overlong slash", "a\xc0\xaf b");
        row("encoded surrogate", "\xed\xa0\x80.txt");
        row("beyond U+10FFFF", "\xf4\x90\x80\x80");
        row("a real private-use code point that stands for a byte", "\xf4\x8f\xbf\xbf\xff.txt");
    }
    void decodingGivesBackTheBytes()
    {
        QFETCH(QByteArray, name);
        QCOMPARE(encodeName(decodeName(name)), name);
        QCOMPARE(caseFoldedName(name.toUpper()), caseFoldedName(name));
    }

    // The composed name goes through find/replace, then letter case.
    void rewrites_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<BatchRules>("rules");
        QTest::addColumn<QByteArray>("expected");
        using C = LetterCase;
        const auto row = [](const char* tag, const char* name, const BatchRules& rules,
                            const char* expected) {
            QTest::newRow(tag) << QByteArray(name) << rules << QByteArray(expected);
        };
        row("plain text, any case, base name only", "IMG_img.img", rulesOf("img", "photo", ""),
            "photo_photo.img");
        row("plain text, case-sensitive", "IMG_img.img", rulesOf("img", "x", "s"), "IMG_x.img");
        row("\\N groups", "2024-05-01 trip.jpg",
            rulesOf(R"((\d+)-(\d+)-(\d+))", R"(\3.\2.\1)", "r"), "01.05.2024 trip.jpg");
        row("$N groups, $0, $$ and $10", "ab.txt", rulesOf("(a)(b)", "$2$1-$0-$$-$10", "r"),
            "ba-ab-$-a0.txt");
        row("$10 and \\10 with ten groups, $01 the whole match and a 1", "abcdefghij.txt",
            rulesOf("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", R"($10\10-$01)", "r"), "jj-abcdefghij1.txt");
        row("digits join the number while it names a group", "abcdefghijkl.txt",
            rulesOf("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)", "$123-$13", "r"), "l3-a3.txt");
        row("${N} and \\g{N} end the number with the brace", "abcdefghij.txt",
            rulesOf("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", R"(${1}0-${10}-\g{10}-${x})", "r"),
            "a0-j-j-${x}.txt");
        row("\\\\ is one backslash, other escapes are themselves", "ab.txt",
            rulesOf("b", R"(x\\y\q$)", "r"), R"(ax\y\q$.txt)");
        row("a group that did not take part is empty", "ac.txt", rulesOf("a(b)?c", "[\\1]", "r"),
            "[].txt");
        row("expressions ignore case unless told", "ABC.txt", rulesOf("b", "x", "r"), "AxC.txt");
        row("the whole name", "a.JPG.bak", rulesOf(R"(\.bak$)", "", "rw"), "a.JPG");
        row("the base name leaves the extension", "jpg.jpg", rulesOf("jpg", "x", "r"), "x.jpg");
        row("\\w takes CJK letters", "\xe7\x85\xa7\xe7\x89\x87 1.jpg",
            rulesOf(R"(^\w+)", "pic", "r"), "pic 1.jpg");
        row("bytes that are not UTF-8 stay around a match", "caf\xe9 01.t\xffxt",
            rulesOf(R"(\d+)", "[$0]", "rw"), "caf\xe9 [01].t\xffxt");
        row("a byte that is not UTF-8 is one character",
            "a\xff"
            "b.txt",
            rulesOf("a.b", "X", "r"), "X.txt");
        row("an empty match is retried for a longer one, as Perl does", "ab.txt",
            rulesOf("x*|b", "-", "r"), "-a---.txt");
        row("lower base, upper extension", "MY Photo.jpeg", rulesOf({}, {}, "", C::Lower, C::Upper),
            "my photo.JPEG");
        row("capitalised: the first letter with a case", "2024 TRIP to ROME.JPG",
            rulesOf({}, {}, "", C::Capitalized, C::Lower), "2024 Trip to rome.jpg");
        row("CJK has no case",
            "\xe7\x85\xa7\xe7\x89\x87"
            "ABC.JPG",
            rulesOf({}, {}, "", C::Capitalized, C::Unchanged),
            "\xe7\x85\xa7\xe7\x89\x87"
            "Abc.JPG");
        row("case leaves bytes that are not UTF-8", "CAF\xc9\xff.TXT",
            rulesOf({}, {}, "", C::Lower, C::Lower), "caf\xc9\xff.txt");
        row("case leaves a real private-use code point", "A\xf4\x8f\xbf\xbf.TXT",
            rulesOf({}, {}, "", C::Lower, C::Unchanged), "a\xf4\x8f\xbf\xbf.TXT");
        row("case comes after the replacement", "a.txt",
            rulesOf("a", "BIG", "", C::Lower, C::Unchanged), "big.txt");
        row("a name without a dot is all base name", "README",
            rulesOf({}, {}, "", C::Lower, C::Upper), "readme");
        row("insert before an emoji with its skin tone", "a👍🏽.txt",
            byPosition({}, {{1, true}, "_"}), "a_👍🏽.txt");
        row("a ZWJ family is one character", "👨\u200d👩\u200d👧x.txt", byPosition({{0}, 1}), "x.txt");
        row("a combining accent stays with its letter", "e\u0301f.txt", byPosition({}, {{1}, "_"}),
            "e\u0301_f.txt");
        row("bytes that are not UTF-8 are a character each", "a\xff\xfe b.t\xff",
            byPosition({{1}, 2}), "a b.t\xff");
        row("removed from the end ends at the gap", "abcd.txt", byPosition({{1, true}, 2}),
            "ad.txt");
        row("past the end: from the start", "照片集.jpg", byPosition({{1}, 99}, {{99}, "X"}),
            "照X.jpg");
        row("past the end: from the end", "abc.txt", byPosition({{99, true}, 1}, {{99, true}, "X"}),
            "Xabc.txt");
        row("remove, then insert, then case", "abc.txt", byPosition({{0}, 1}, {{0}, "x"}, C::Upper),
            "XBC.txt");
        const QByteArray runaway = QByteArray(28, 'a') + "b.txt";
        row("an expression over its budget", runaway.constData(), rulesOf("(a+)+$", "x", "r"),
            kOverBudget.constData());
        row("over its budget after an empty match", runaway.constData(),
            rulesOf("x*|(a+)+$", "-", "r"), kOverBudget.constData());
        row("a limit of the expression's own does not lift the budget",
            (QByteArray(16, 'a') + "b.txt").constData(),
            rulesOf("(*UCP)(*LIMIT_MATCH=10000000)(a+)+$", "x", "r"), kOverBudget.constData());
        row("a verb at the start is part of the expression", "ab.txt",
            rulesOf("(*FAIL)|b", "x", "r"), "ax.txt");
        const QByteArray longName = "IMG " + QByteArray(240, 'x') + " 12.jpg";
        row("a lazy expression on a long name stays within the budget", longName.constData(),
            rulesOf(R"(^(.*?)(\d+)(.*?)$)", "$2", "r"), "12.jpg");
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
    // nothing. The error says where in the expression the user typed it is.
    void errorsStopTheRun_data()
    {
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<ReplaceError::Kind>("error");
        // BadExpression: the character the error is shown at, in the expression as typed;
        // MissingGroup: the group the replacement names.
        QTest::addColumn<int>("position");
        using K = ReplaceError::Kind;
        const auto row = [](const char* tag, const char* find, const char* replacement, K error,
                            int position) {
            QTest::newRow(tag) << find << replacement << error << position;
        };
        row("unbalanced parenthesis", "(a", "x", K::BadExpression, 3);
        row("unmatched closing parenthesis", "a)b", "x", K::BadExpression, 2);
        row("after options of its own", "(*UCP)a)", "x", K::BadExpression, 8);
        row("in an option of its own", "(*LIMIT_MATCH=x)a", "x", K::BadExpression, 15);
        row("in an option the budget follows", "(*LIMIT_MATCH=99999999999)a", "x", K::BadExpression,
            25);
        row("a group the expression lacks", "(a)", "$2", K::MissingGroup, 2);
        row("\\2 of an expression without groups", "a", "\\2", K::MissingGroup, 2);
        row("${12} of an expression with ten groups", "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", "${12}",
            K::MissingGroup, 12);
        row("an escaped backslash before a digit", "a", "\\\\2", K::None, 0);
    }
    void errorsStopTheRun()
    {
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(ReplaceError::Kind, error);
        QFETCH(int, position);
        const bool valid = error == ReplaceError::Kind::None;
        const NameRules rules(rulesOf(find, replacement, "r", LetterCase::Upper));
        QCOMPARE(rules.error().kind, error);
        const bool missingGroup = error == ReplaceError::Kind::MissingGroup;
        QCOMPARE(missingGroup ? rules.error().group : int(rules.error().position), position);
        QCOMPARE(rules.isRunnable(), valid);
        const NameList entries = nameListOf({"a.txt"});
        const PlannedBatch batch = planRuleBatch({entries, {}, {}, {}, {}}, rules, {});
        QCOMPARE(batch.newNames.front(), valid ? QByteArray("\\2.txt") : QByteArray("A.txt"));
        QCOMPARE(batch.renames(entries).size(), valid ? 1u : 0u);
    }

    // A name the expression cannot decide keeps its name, marked, and the batch cannot run. A
    // plan asked to stop gives no rows.
    void overBudgetRowsStopTheRun()
    {
        const NameList entries = nameListOf({QByteArray(28, 'a') + "b.txt", "ok.txt"});
        const NameRules rules(rulesOf("(a+)+$|ok", "x", "r"));
        const PlannedBatch batch = planRuleBatch({entries, {}, {}, {}, {}}, rules, {});
        QCOMPARE(batch.newNames, (std::vector<QByteArray>{entries.nameAt(0), "x.txt"}));
        QCOMPARE(batch.plan.statuses,
                 (std::vector{RenameStatus::ExpressionTooComplex, RenameStatus::Change}));
        QVERIFY(!batch.runnable && batch.renames(entries).empty());
        std::stop_source stop;
        stop.request_stop();
        QCOMPARE(planRuleBatch({entries, {}, {}, {}, {}, stop.get_token()}, rules, {}).rowCount(),
                 0u);
    }

    // Numbering by date, composition with padding, an expression, case and the plan, in one
    // pass; single mode numbers the selected entry among all of them.
    void pipeline_data()
    {
        QTest::addColumn<std::optional<std::size_t>>("single");
        QTest::addColumn<QList<QByteArray>>("expected");
        QTest::newRow("batch") << std::optional<std::size_t>()
                               << QList<QByteArray>{"TRIP(03).jpg:C", "TRIP(01).jpg:C",
                                                    "TRIP(02).jpg:T", "TRIP(04).jpg:U"};
        QTest::newRow("single") << std::optional<std::size_t>(1)
                                << QList<QByteArray>{"TRIP(01).jpg:C"};
    }
    void pipeline()
    {
        QFETCH(std::optional<std::size_t>, single);
        QFETCH(QList<QByteArray>, expected);
        const NameList entries = nameListOf({"b.JPG", "a.JPG", "c.JPG", "TRIP(04).jpg"});
        const std::vector<FileDates> dates{{1000, 300, {}}, {1000, 100, {}}, {200, {}, {}}, {}};
        BatchRules settings = rulesOf("^t(\\w+)", "T$1", "r", LetterCase::Upper, LetterCase::Lower);
        settings.order = NumberingOrder::Taken;
        settings.numbers.width = 2;
        const RenameState state{{}, {}, "trip", {}};
        FolderRules folder;
        folder.nameTaken = [](QByteArrayView name) { return name == "TRIP(02).jpg"; };

        const PlannedBatch batch = planRuleBatch({entries, dates, state, {true, false}, single},
                                                 NameRules(settings), folder);

        QList<QByteArray> rows;
        for (std::size_t row = 0; row < batch.rowCount(); ++row) {
            rows.append(batch.newNames[row] + ':' + "CHKUTDBLNX"[int(batch.plan.statuses[row])]);
            QCOMPARE(batch.modifiedInstead[row], batch.entryAt(row) >= 2);
        }
        QCOMPARE(rows, expected);
        const std::vector<Rename> run = batch.renames(entries);
        QVERIFY(!run.empty());
        QCOMPARE(run.front().oldName, entries.nameAt(single.value_or(0)));
    }

    // A batch large enough to be shared out among threads gives every row the name the rules
    // give it alone.
    void largeBatchRowByRow()
    {
        NameList entries;
        for (int i = 0; i < 50000; ++i)
            entries.append("IMG_" + QByteArray::number(i) + ".JPG");
        const BatchRules settings =
            rulesOf("IMG_(\\d+)", "\\1_图", "r", LetterCase::Unchanged, LetterCase::Lower);
        const RenameState state{"p", {}, {}, {}};
        const PlannedBatch batch =
            planRuleBatch({entries, {}, state, {}, {}}, NameRules(settings), {});
        QCOMPARE(batch.rowCount(), entries.size());
        for (std::size_t row = 0; row < batch.rowCount(); ++row) {
            if (batch.newNames[row] != "p" + QByteArray::number(qulonglong(row)) + "_图.jpg")
                QFAIL(qPrintable("row " + QString::number(row) + ": " + batch.newNames[row]));
        }
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
        QTest::newRow("{{ writes a brace, a lone } stays") << "{{n}}{n}" << true << "{n}}07";
        QTest::newRow("an empty tag is lacking") << "{artist}{album}" << true << "missing album";
        QTest::newRow("a zero year is lacking") << "{track}{year}" << true << "missing year";
        QTest::newRow("no folder") << "{n}{folder}{date}" << false << "missing folder";
        QTest::newRow("no date") << "{name}{date:yy}" << false << "missing date";
        QTest::newRow("no tags") << "{ext}{title}" << false << "missing title";
        QTest::newRow("empty: no pieces") << "" << true << "";
        QTest::newRow("unknown field") << "a{bad}" << true << "error 1 bad";
        QTest::newRow("unclosed") << "{n}_{date:yyyy" << true << "error 2 date:yyyy";
        QTest::newRow("width not a number") << "{n:x}" << true << "error 3 n:x";
        QTest::newRow("width too wide") << "{n:13}" << true << "error 3 n:13";
        QTest::newRow("argument to a field without one") << "{ext:2}" << true << "error 3 ext:2";
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
        QTest::newRow("damaged values take defaults or limits")
            << QVariantMap{{"numberStart", "99999999999"},
                           {"numberStep", "-3"},
                           {"numberWidth", 400},
                           {"numberingOrder", "sideways"},
                           {"mode", 7}}
            << RuleSet{{},
                       {NumberingOrder::List, {NumberFormat::kMaxStart, 1, 12}, {}, {}, {}, {}}};
    }
    void ruleSetsSurviveSettings()
    {
        QFETCH(QVariantMap, stored);
        QFETCH(RuleSet, expected);
        QCOMPARE(RuleSet::fromVariantMap(stored), expected);
    }

    void recentTexts_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("used");
        QTest::addColumn<QStringList>("after");
        QStringList full;
        for (int i = 0; i < kRecentTextCount; ++i)
            full.append(QString::number(i));
        const QStringList b{"b"};
        QTest::newRow("new text in front") << b << "a" << QStringList{"a", "b"};
        QTest::newRow("repeat moves to the front")
            << QStringList{"a", "b", "c"} << "c" << QStringList{"c", "a", "b"};
        QTest::newRow("one more drops the oldest")
            << full << "new" << QStringList{"new"} + full.first(kRecentTextCount - 1);
        QTest::newRow("repeat on a full list drops nothing else")
            << full << "5" << QStringList{"5"} + full.first(5) + full.sliced(6);
        QTest::newRow("empty text skipped") << b << "" << b;
        QTest::newRow("case-distinct texts both kept")
            << QStringList{"A"} << "a" << QStringList{"a", "A"};
    }
    void recentTexts()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, used);
        QFETCH(QStringList, after);
        QCOMPARE(withRecentText(before, used), after);
    }
};

QTEST_GUILESS_MAIN(BatchRulesTest)
#include "BatchRulesTest.moc"
