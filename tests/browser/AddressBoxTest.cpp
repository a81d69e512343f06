#include "support/TestPlatform.h"

#include "app/MainWindow.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace vornak;

namespace {

enum class Entry { Typed, Pasted, Clicked };

} // namespace

// T3 in the real main window over a temporary folder tree: the lists start in start/, which
// holds a folder "Z"; target/ holds sub/; desk/ is a volume holding the desktop folder.
class AddressBoxTest : public QObject {
    Q_OBJECT

private:
    // A text starting with "/" is taken below the tree's root.
    QString text(const QString& relative) const
    {
        return relative.startsWith(u'/') ? m_root + relative : relative;
    }
    QByteArray path(const QString& relative) const { return QFile::encodeName(text(relative)); }
    void openWindow();
    void enter(const QString& relative, Entry entry);
    void doubleClick();

    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_root;
    test::TestPlatform m_platform;
    std::unique_ptr<MainWindow> m_window;
    QLineEdit* m_t3 = nullptr;
    FolderList* m_dir1 = nullptr;
    DriveList* m_drive1 = nullptr;

private Q_SLOTS:
    void init();
    void cleanup();
    void textMovesTheLists_data();
    void textMovesTheLists();
    void anotherVolume();
    void caretGoesToTheEndAfterEveryChange();
    void clickAppliesDoubleClickSelectsAll();
};

void AddressBoxTest::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    m_root = QDir(m_tmp->path()).canonicalPath();
    for (const char* folder : {"/start/Z", "/target/sub", "/desk/Desktop", "/home"})
        QVERIFY(QDir().mkpath(m_root + QLatin1String(folder)));
    m_platform = test::TestPlatform();
    m_platform.home = path("/home");
    m_platform.desktop = path("/desk/Desktop");
    QVERIFY(QDir::setCurrent(text("/start")));
}

void AddressBoxTest::cleanup()
{
    m_window.reset();
    QDir::setCurrent(QDir::rootPath());
    m_tmp.reset();
}

void AddressBoxTest::openWindow()
{
    m_window = std::make_unique<MainWindow>(m_platform);
    m_window->load();
    m_window->show();
    m_t3 = m_window->findChild<QLineEdit*>(QStringLiteral("T3"));
    m_dir1 = m_window->findChild<FolderList*>(QStringLiteral("Dir1"));
    m_drive1 = m_window->findChild<DriveList*>(QStringLiteral("Drive1"));
    QVERIFY(m_t3 && m_dir1 && m_drive1);
    QCOMPARE(m_dir1->path(), path("/start"));
}

// Replaces T3's whole text key by key or with one paste, or clicks it.
void AddressBoxTest::enter(const QString& relative, Entry entry)
{
    if (entry == Entry::Clicked)
        return QTest::mouseClick(m_t3, Qt::LeftButton);
    QTest::keyClick(m_t3, Qt::Key_A, Qt::ControlModifier);
    if (entry == Entry::Pasted) {
        QGuiApplication::clipboard()->setText(text(relative));
        return QTest::keyClick(m_t3, Qt::Key_V, Qt::ControlModifier);
    }
    for (const QChar c : text(relative))
        QTest::sendKeyEvent(QTest::Click, m_t3, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A double click comes after a click.
void AddressBoxTest::doubleClick()
{
    QTest::mouseClick(m_t3, Qt::LeftButton);
    QTest::mouseDClick(m_t3, Qt::LeftButton);
    QTest::mouseRelease(m_t3, Qt::LeftButton);
}

void AddressBoxTest::textMovesTheLists_data()
{
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<bool>("hasDesktop");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char* name, Entry entry, const char* entered, bool hasDesktop,
                        const char* folder, const char* shown) {
        QTest::newRow(name) << entry << QString::fromUtf8(entered) << hasDesktop << folder
                            << QString::fromUtf8(shown);
    };
    // A folder reached is shown as the folder list names it.
    row("typed", Entry::Typed, "/target", true, "/target", "/target");
    row("pasted, not clean", Entry::Pasted, "/target/sub/..//", true, "/target", "/target");
    row("nonexistent", Entry::Pasted, "/missing", true, "/start", "/missing");
    row("click on 桌面", Entry::Clicked, "", true, "/desk/Desktop", "桌面");
    row("z, no desktop folder", Entry::Typed, "z", false, "/home", "z");
    // An uppercase Z is an address: here the folder Z of the current folder.
    row("Z", Entry::Typed, "Z", true, "/start/Z", "/start/Z");
}

void AddressBoxTest::textMovesTheLists()
{
    QFETCH(Entry, entry);
    QFETCH(QString, entered);
    QFETCH(bool, hasDesktop);
    QFETCH(QString, folder);
    QFETCH(QString, shown);
    m_platform.volumeList = {{"/", QStringLiteral("/")}, {path("/desk"), QStringLiteral("desk")}};
    if (!hasDesktop)
        m_platform.desktop.reset();
    openWindow();

    enter(entered, entry);

    QCOMPARE(m_dir1->path(), path(folder));
    QCOMPARE(m_drive1->drive(), folder.startsWith("/desk") ? path("/desk") : QByteArray("/"));
    QCOMPARE(m_window->findChild<FileList*>(QStringLiteral("File1"))->path(), m_dir1->path());
    QCOMPARE(m_t3->text(), text(shown));
    QCOMPARE(m_t3->cursorPosition(), m_t3->text().size());
    QVERIFY(m_platform.messages.isEmpty());
}

// Choosing another volume in address mode writes its folder into T3, which must not take
// the lists back to the root volume. An address on another volume first lands on that
// volume's current folder, whose path replaces the text; the second try reaches it.
void AddressBoxTest::anotherVolume()
{
    m_platform.volumeList = {{"/", QStringLiteral("/")}, {path("/target"), QStringLiteral("t")}};
    openWindow();
    enter("/start", Entry::Typed);

    QVERIFY(m_drive1->setDrive(path("/target")));
    QCOMPARE(m_drive1->drive(), path("/target"));
    QCOMPARE(m_dir1->path(), path("/target"));
    QCOMPARE(m_t3->text(), text("/target"));

    QVERIFY(m_drive1->setDrive("/"));
    QCOMPARE(m_dir1->path(), path("/start"));
    for (const char* reached : {"/target", "/target/sub"}) {
        enter("/target/sub", Entry::Pasted);
        QCOMPARE(m_drive1->drive(), path("/target"));
        QCOMPARE(m_dir1->path(), path(reached));
        QCOMPARE(m_t3->text(), text(reached));
    }
}

void AddressBoxTest::caretGoesToTheEndAfterEveryChange()
{
    openWindow();
    enter("/missing", Entry::Pasted);
    m_t3->setCursorPosition(3);
    QTest::keyClick(m_t3, Qt::Key_X);
    QCOMPARE(m_t3->text(), m_root.left(3) + u'x' + m_root.mid(3) + QStringLiteral("/missing"));
    QCOMPARE(m_t3->cursorPosition(), m_t3->text().size());
    QVERIFY(!m_t3->hasSelectedText());
}

// The click applies the text again, so an address that failed when pasted works once its
// folder exists; the double click then selects the whole text.
void AddressBoxTest::clickAppliesDoubleClickSelectsAll()
{
    openWindow();
    m_t3->setFocus();
    m_t3->setCursorPosition(1);
    doubleClick();
    QCOMPARE(m_dir1->path(), path("/desk/Desktop"));
    QCOMPARE(m_t3->selectedText(), QStringLiteral("桌面"));
    QCOMPARE(m_t3->selectionStart(), 0);

    enter("/later", Entry::Pasted);
    QCOMPARE(m_dir1->path(), path("/desk/Desktop"));
    QVERIFY(QDir().mkdir(text("/later")));
    doubleClick();
    QCOMPARE(m_dir1->path(), path("/later"));
    QCOMPARE(m_t3->selectedText(), text("/later"));
}

QTEST_MAIN(AddressBoxTest)
#include "AddressBoxTest.moc"
