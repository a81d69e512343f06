#include "TestMount.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace vornak::test {

TestMount::TestMount(Kind kind, qint64 bytes)
{
    const QString point = m_dir.filePath(QStringLiteral("mnt"));
    const QString image = m_dir.filePath(QStringLiteral("volume.img"));
    // The file system's name as the kernel lists it, how to make it, and how to mount it.
    QByteArray fileSystem = "tmpfs";
    QStringList mkfs;
    QStringList mount{"mount", "-t", "tmpfs", "-o", QStringLiteral("size=%1").arg(bytes)};
    switch (kind) {
    case Kind::ExfatFuse:
        fileSystem = "fuse";
        mkfs = {"mkfs.exfat", image};
        mount = {"mount.exfat-fuse"};
        break;
    case Kind::KernelVfat:
        fileSystem = "vfat";
        mkfs = {"mkfs.vfat", image};
        mount = {"mount", "-t", "vfat", "-o", "utf8"};
        break;
    case Kind::Ext4:
        fileSystem = "ext4";
        mkfs = {"mkfs.ext4", "-q", "-F", image};
        mount = {"mount"};
        break;
    case Kind::Tmpfs:
        break;
    }
    QFile file(image);
    if (!m_dir.isValid() || !QDir().mkdir(point) ||
        (!mkfs.isEmpty() && (!file.open(QIODevice::WriteOnly) || !file.resize(bytes)))) {
        m_refusal = QStringLiteral("no image could be made in a temporary folder");
        return;
    }
    file.close();
    if (!mkfs.isEmpty()) {
        QByteArray device;
        if (!run(mkfs) || !run({"losetup", "-f", "--show", image}, &device))
            return;
        m_loopDevice = QString::fromLocal8Bit(device.trimmed());
    }
    m_mount = mount << (mkfs.isEmpty() ? QStringLiteral("tmpfs") : m_loopDevice) << point;
    m_mounted = run(m_mount);
    QFile known(QStringLiteral("/proc/filesystems"));
    m_kernelLacksFileSystem = !m_mounted && known.open(QIODevice::ReadOnly) &&
                              !known.readAll().contains('\t' + fileSystem + '\n');
}

TestMount::~TestMount()
{
    const QString point = QFile::decodeName(root());
    if (m_mounted && !run({"umount", point}))
        std::ignore = run({"umount", "-l", point});
    if (!m_loopDevice.isEmpty())
        std::ignore = run({"losetup", "-d", m_loopDevice});
}

bool TestMount::remount()
{
    m_mounted = m_mounted && run({"umount", QFile::decodeName(root())}) && run(m_mount);
    return m_mounted;
}

QByteArray TestMount::root() const
{
    return QFile::encodeName(m_dir.filePath(QStringLiteral("mnt")));
}

bool TestMount::run(const QStringList& command, QByteArray* output)
{
    QProcess process;
    process.start(command.first(), command.mid(1));
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0) {
        if (output)
            *output = process.readAllStandardOutput();
        return true;
    }
    if (m_refusal.isEmpty()) {
        const QString said = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        m_refusal = command.join(u' ') + ": " + (said.isEmpty() ? process.errorString() : said);
    }
    return false;
}

} // namespace vornak::test
