#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace vornak::test {

// A small file-system image, made in a temporary folder and mounted through a loop device for
// the lifetime of the object; unmounted and detached again however the test ends.
class MountedImage {
public:
    enum class Kind { ExfatFuse, KernelVfat };

    explicit MountedImage(Kind kind);
    ~MountedImage();
    MountedImage(const MountedImage&) = delete;
    MountedImage& operator=(const MountedImage&) = delete;

    bool isMounted() const { return m_mounted; }
    // What refused the mount, for the message of a skipped test.
    QString refusal() const { return m_refusal; }
    QByteArray root() const;
    // A kernel built without the file system cannot mount it, CI or not.
    bool kernelLacksFileSystem() const { return m_kernelLacksFileSystem; }

private:
    bool run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr);

    QTemporaryDir m_dir;
    QString m_loopDevice;
    bool m_mounted = false;
    bool m_kernelLacksFileSystem = false;
    QString m_refusal;
};

} // namespace vornak::test

// Skips the test, loudly, where the machine refuses the mount; a CI run must be able to mount
// and fails instead, unless the kernel has no driver for the file system at all.
#define VORNAK_REQUIRE_MOUNT(image)                                                                \
    do {                                                                                           \
        if (!(image).isMounted()) {                                                                \
            const QByteArray why = ("the mount was refused: " + (image).refusal()).toUtf8();       \
            if (qEnvironmentVariableIsSet("CI") && !(image).kernelLacksFileSystem())               \
                QFAIL(why.constData());                                                            \
            QSKIP(("NOT TESTED HERE, " + why).constData());                                        \
        }                                                                                          \
    } while (false)
