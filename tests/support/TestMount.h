#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

namespace vornak::test {

// A small file system mounted for as long as the object lives, for behaviour that depends on
// the file system: an ext4 or exFAT (through FUSE) image on a loop device, or a tmpfs. It is
// unmounted and its loop device detached again even when a test fails half-way.
class TestMount {
public:
    enum class Kind { Ext4, ExfatFuse, Tmpfs };

    TestMount(Kind kind, qint64 bytes);
    ~TestMount();
    TestMount(const TestMount&) = delete;
    TestMount& operator=(const TestMount&) = delete;

    bool isMounted() const { return m_mounted; }
    // What refused the mount, for the message of a skipped test.
    const QString& refusal() const { return m_refusal; }
    // The mount point.
    QByteArray root() const;

private:
    bool run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr);

    QTemporaryDir m_dir;
    QString m_loopDevice;
    QString m_refusal;
    bool m_mounted = false;
};

} // namespace vornak::test

// Where the machine refuses the mount, the test is skipped with a loud message, except in CI
// (the variable CI set), which can mount and so fails instead.
#define VORNAK_REQUIRE_MOUNT(mount)                                                                \
    do {                                                                                           \
        if (!(mount).isMounted()) {                                                                \
            if (qEnvironmentVariableIsSet("CI"))                                                   \
                QFAIL(qPrintable(QStringLiteral("cannot mount: ") + (mount).refusal()));           \
            QSKIP(qPrintable(QStringLiteral("SKIPPED: this machine refuses the test mount (") +    \
                             (mount).refusal() + QStringLiteral("); CI fails here instead")));     \
        }                                                                                          \
    } while (false)
