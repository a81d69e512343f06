#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

namespace vornak::test {

// A small file system mounted for as long as the object lives, for behaviour that depends on
// the file system: an image on a loop device (exFAT through FUSE, FAT or ext4 in the kernel)
// or a tmpfs. Unmounted and its loop device detached again however the test ends.
class TestMount {
public:
    enum class Kind { ExfatFuse, KernelVfat, Ext4, Tmpfs };

    explicit TestMount(Kind kind, qint64 bytes = qint64(64) << 20);
    ~TestMount();
    TestMount(const TestMount&) = delete;
    TestMount& operator=(const TestMount&) = delete;

    bool isMounted() const { return m_mounted; }
    // What refused the mount, for the message of a skipped test.
    const QString& refusal() const { return m_refusal; }
    // A kernel built without the file system cannot mount it, CI or not.
    bool kernelLacksFileSystem() const { return m_kernelLacksFileSystem; }
    // The mount point.
    QByteArray root() const;
    // Unmounts the volume and mounts it again, so that nothing the system kept of it (inode
    // numbers, cached entries) survives. False, with the refusal, when either step fails.
    [[nodiscard]] bool remount();

private:
    [[nodiscard]] bool run(const QStringList& command, QByteArray* output = nullptr);

    QTemporaryDir m_dir;
    QString m_loopDevice;
    QStringList m_mount;
    QString m_refusal;
    bool m_mounted = false;
    bool m_kernelLacksFileSystem = false;
};

} // namespace vornak::test

// Skips the test, loudly, where the machine refuses the mount; a CI run must be able to mount
// and fails instead, unless the kernel has no driver for the file system at all.
#define VORNAK_REQUIRE_MOUNT(mount)                                                                \
    do {                                                                                           \
        if (!(mount).isMounted()) {                                                                \
            const QByteArray why = ("the mount was refused: " + (mount).refusal()).toUtf8();       \
            if (qEnvironmentVariableIsSet("CI") && !(mount).kernelLacksFileSystem())               \
                QFAIL(why.constData());                                                            \
            QSKIP(("NOT TESTED HERE, " + why).constData());                                        \
        }                                                                                          \
    } while (false)
