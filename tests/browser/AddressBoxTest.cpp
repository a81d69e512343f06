#include "support/TestPlatform.h"

#include "app/MainWindow.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vornak;

namespace {

enum class Entry { Typed, Pasted };

} // namespace

// T3 driven like a user does, in the real main window over a real temporary folder tree:
//   start/        the process's folder, where the lists begin; holds a folder "Z"
//   target/       holds t.txt and sub/
//   desk/Desktop  the desktop folder, when the platform reports one
//   home/         the home folder
class AddressBoxTest : public QObject {
    Q_OBJECT

private:
    QByteArray path(const char* relative) const { return QFile::encodeName(m_root + relative); }
    QString text(const char* relative) const { return m_root + QLatin1String(relative); }
    void openWindow();
    void enter(const QString& text, Entry entry);

    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_root;
    test::TestPlatform m_platform;
    std::unique_ptr<MainWindow> m_window;
    QLineEdit* m_t3 = nullptr;
    FolderList* m_dir1 = nullptr;
    FileList* m_file1 = nullptr;
    DriveList* m_drive1 = nullptr;

private Q_SLOTS:
    void init();
    void cleanup();
    void addressMovesTheLists_data();
    void addressMovesTheLists();
    void addressOnAnotherVolumeTakesTwoTries();
    void choosingAnotherVolumeInAddressModeStaysThere();
    void desktopMode_data();
    void desktopMode();
    void clickAppliesTheAddress();
    void caretGoesToTheEndAfterEveryChange();
    void doubleClickSelectsTheWholeText();
};

void AddressBoxTest::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tmp->isValid());
    m_root = QDir(m_tmp->path()).canonicalPath();
    for (const char* folder : {"/start/Z", "/target/sub", "/desk/Desktop", "/home"})
        QVERIFY(QDir().mkpath(m_root + QLatin1String(folder)));
    QFile file(text("/target/t.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    m_platform = test::TestPlatform();
    m_platform.home = path("/home");
    QVERIFY(QDir::setCurrent(text("/start")));
}

void AddressBoxTest::openWindow()
{
    m_window = std::make_unique<MainWindow>(m_platform);
    m_window->load();
    m_window->show();
    m_t3 = m_window->findChild<QLineEdit*>(QStringLiteral("T3"));
    m_dir1 = m_window->findChild<FolderList*>(QStringLiteral("Dir1"));
    m_file1 = m_window->findChild<FileList*>(QStringLiteral("File1"));
    m_drive1 = m_window->findChild<DriveList*>(QStringLiteral("Drive1"));
    QVERIFY(m_t3 && m_dir1 && m_file1 && m_drive1);
    QCOMPARE(m_dir1->path(), path("/start"));
}

void AddressBoxTest::cleanup()
{
    m_window.reset();
    QDir::setCurrent(QDir::rootPath());
    m_tmp.reset();
}

// Replaces T3's whole text, key by key or with one paste.
void AddressBoxTest::enter(const QString& address, Entry entry)
{
    QTest::keyClick(m_t3, Qt::Key_A, Qt::ControlModifier);
    if (entry == Entry::Typed) {
        for (const QChar c : address)
            QTest::sendKeyEvent(QTest::Click, m_t3, Qt::Key_unknown, QString(c), Qt::NoModifier);
        return;
    }
    QGuiApplication::clipboard()->setText(address);
    QTest::keyClick(m_t3, Qt::Key_V, Qt::ControlModifier);
}

void AddressBoxTest::addressMovesTheLists_data()
{
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("shown");

    QTest::newRow("typed") << Entry::Typed << "/target"
                           << "/target"
                           << "/target";
    QTest::newRow("pasted") << Entry::Pasted << "/target"
                            << "/target"
                            << "/target";
    // The box then shows the folder as the folder list names it.
    QTest::newRow("pasted, not clean") << Entry::Pasted << "/target/sub/..//"
                                       << "/target"
                                       << "/target";
    QTest::newRow("nonexistent") << Entry::Pasted << "/missing"
                                 << "/start"
                                 << "/missing";
    QTest::newRow("nonexistent, typed") << Entry::Typed << "/target/t.txt"
                                        << "/target"
                                        << "/target/t.txt";
}

void AddressBoxTest::addressMovesTheLists()
{
    QFETCH(Entry, entry);
    QFETCH(QString, address);
    QFETCH(QString, folder);
    QFETCH(QString, shown);
    openWindow();

    enter(m_root + address, entry);

    QCOMPARE(m_dir1->path(), QFile::encodeName(m_root + folder));
    QCOMPARE(m_file1->path(), m_dir1->path());
    QCOMPARE(m_t3->text(), m_root + shown);
    QCOMPARE(m_t3->cursorPosition(), m_t3->text().size());
    QVERIFY(m_platform.messages.isEmpty());
}

// The address's volume is the one holding the path, not the root volume that its first
// character "/" would name. As with any drive change, the first try lands on that volume's
// current folder, whose path replaces the text; the second try reaches the address.
void AddressBoxTest::addressOnAnotherVolumeTakesTwoTries()
{
    m_platform.volumeList = {{"/", QStringLiteral("/")}, {path("/target"), QStringLiteral("t")}};
    openWindow();
    QCOMPARE(m_drive1->drive(), QByteArray("/"));

    enter(text("/target/sub"), Entry::Pasted);
    QCOMPARE(m_drive1->drive(), path("/target"));
    QCOMPARE(m_dir1->path(), path("/target"));
    QCOMPARE(m_t3->text(), text("/target"));

    enter(text("/target/sub"), Entry::Pasted);
    QCOMPARE(m_drive1->drive(), path("/target"));
    QCOMPARE(m_dir1->path(), path("/target/sub"));
    QCOMPARE(m_t3->text(), text("/target/sub"));
}

// In address mode the chosen volume's folder is written into the box and applied again;
// that must not take the lists back to the root volume.
void AddressBoxTest::choosingAnotherVolumeInAddressModeStaysThere()
{
    m_platform.volumeList = {{"/", QStringLiteral("/")}, {path("/target"), QStringLiteral("t")}};
    openWindow();
    enter(text("/start"), Entry::Typed);
    QCOMPARE(m_dir1->path(), path("/start"));

    QVERIFY(m_drive1->setDrive(path("/target")));
    QCOMPARE(m_drive1->drive(), path("/target"));
    QCOMPARE(m_dir1->path(), path("/target"));
    QCOMPARE(m_t3->text(), text("/target"));
}

void AddressBoxTest::desktopMode_data()
{
    QTest::addColumn<QString>("typed"); // empty: a click on the initial "桌面"
    QTest::addColumn<bool>("hasDesktop");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("onDesktopVolume");
    QTest::addColumn<QString>("shown");

    QTest::newRow("click, desktop") << QString() << true << "/desk/Desktop" << true << "桌面";
    QTest::newRow("click, no desktop") << QString() << false << "/home" << false << "桌面";
    QTest::newRow("z, desktop") << "z" << true << "/desk/Desktop" << true << "z";
    QTest::newRow("z, no desktop") << "z" << false << "/home" << false << "z";
    QTest::newRow("zoo") << "zoo" << true << "/desk/Desktop" << true << "zoo";
    QTest::newRow("桌 typed") << "桌" << true << "/desk/Desktop" << true << "桌";
    // An uppercase Z is an address: here the folder Z of the current folder.
    QTest::newRow("Z") << "Z" << true << "/start/Z" << false << "/start/Z";
}

void AddressBoxTest::desktopMode()
{
    QFETCH(QString, typed);
    QFETCH(bool, hasDesktop);
    QFETCH(QString, folder);
    QFETCH(bool, onDesktopVolume);
    QFETCH(QString, shown);
    // The desktop lies on a volume of its own, which the drive list must select.
    m_platform.volumeList = {{"/", QStringLiteral("/")}, {path("/desk"), QStringLiteral("desk")}};
    if (hasDesktop)
        m_platform.desktop = path("/desk/Desktop");
    openWindow();

    if (typed.isEmpty())
        QTest::mouseClick(m_t3, Qt::LeftButton);
    else
        enter(typed, Entry::Typed);

    QCOMPARE(m_dir1->path(), QFile::encodeName(m_root + folder));
    QCOMPARE(m_drive1->drive(), onDesktopVolume ? path("/desk") : QByteArray("/"));
    QCOMPARE(m_t3->text(), shown.startsWith(u'/') ? m_root + shown : shown);
    QCOMPARE(m_file1->path(), m_dir1->path());
}

// A click applies the text again: an address that failed when typed works once it exists.
void AddressBoxTest::clickAppliesTheAddress()
{
    openWindow();
    enter(text("/later"), Entry::Pasted);
    QCOMPARE(m_dir1->path(), path("/start"));
    QVERIFY(QDir().mkdir(text("/later")));

    QTest::mouseClick(m_t3, Qt::LeftButton);
    QCOMPARE(m_dir1->path(), path("/later"));

    // Only a left click counts.
    enter(text("/later2"), Entry::Pasted);
    QVERIFY(QDir().mkdir(text("/later2")));
    QTest::mouseClick(m_t3, Qt::RightButton);
    QCOMPARE(m_dir1->path(), path("/later"));
}

void AddressBoxTest::caretGoesToTheEndAfterEveryChange()
{
    openWindow();
    enter(text("/missing"), Entry::Pasted);
    m_t3->setCursorPosition(3);

    QTest::keyClick(m_t3, Qt::Key_X);

    QCOMPARE(m_t3->text(), m_root.left(3) + u'x' + m_root.mid(3) + QStringLiteral("/missing"));
    QCOMPARE(m_t3->cursorPosition(), m_t3->text().size());
    QVERIFY(!m_t3->hasSelectedText());
}

// A double click comes after a click, which applies the address; then the whole text is
// selected, ready to be overwritten.
void AddressBoxTest::doubleClickSelectsTheWholeText()
{
    m_platform.desktop = path("/desk/Desktop");
    openWindow();
    m_t3->setFocus();
    m_t3->setCursorPosition(1);

    QTest::mouseClick(m_t3, Qt::LeftButton);
    QTest::mouseDClick(m_t3, Qt::LeftButton);
    QTest::mouseRelease(m_t3, Qt::LeftButton);

    QCOMPARE(m_dir1->path(), path("/desk/Desktop"));
    QCOMPARE(m_t3->selectedText(), QStringLiteral("桌面"));
    QCOMPARE(m_t3->selectionStart(), 0);

    enter(text("/target"), Entry::Pasted);
    QTest::mouseClick(m_t3, Qt::LeftButton);
    QTest::mouseDClick(m_t3, Qt::LeftButton);
    QTest::mouseRelease(m_t3, Qt::LeftButton);
    QCOMPARE(m_t3->selectedText(), text("/target"));
}

QTEST_MAIN(AddressBoxTest)
#include "AddressBoxTest.moc"
