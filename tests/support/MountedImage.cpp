#include "MountedImage.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace vornak::test {

namespace {

constexpr qint64 kImageBytes = qint64(64) << 20;

} // namespace

MountedImage::MountedImage(Kind kind)
{
    const bool fuse = kind == Kind::ExfatFuse;
    const QString image = m_dir.filePath(QStringLiteral("volume.img"));
    const QString mountPoint = m_dir.filePath(QStringLiteral("mnt"));
    QFile file(image);
    if (!m_dir.isValid() || !QDir().mkpath(mountPoint) || !file.open(QIODevice::WriteOnly) ||
        !file.resize(kImageBytes)) {
        m_refusal = QStringLiteral("no image could be made in a temporary folder");
        return;
    }
    file.close();
    const QString mkfs = fuse ? QStringLiteral("mkfs.exfat") : QStringLiteral("mkfs.vfat");
    if (!run(mkfs, {image}))
        return;
    QByteArray device;
    if (!run(QStringLiteral("losetup"), {QStringLiteral("-f"), QStringLiteral("--show"), image},
             &device))
        return;
    m_loopDevice = QString::fromUtf8(device.trimmed());
    m_mounted = fuse ? run(QStringLiteral("mount.exfat-fuse"), {m_loopDevice, mountPoint})
                     : run(QStringLiteral("mount"),
                           {QStringLiteral("-t"), QStringLiteral("vfat"), QStringLiteral("-o"),
                            QStringLiteral("utf8"), m_loopDevice, mountPoint});
    if (!m_mounted && !fuse) {
        QFile known(QStringLiteral("/proc/filesystems"));
        m_kernelLacksFileSystem =
            known.open(QIODevice::ReadOnly) && !known.readAll().contains("\tvfat\n");
    }
}

MountedImage::~MountedImage()
{
    if (m_mounted && !run(QStringLiteral("umount"), {m_dir.filePath(QStringLiteral("mnt"))}))
        run(QStringLiteral("umount"),
            {QStringLiteral("-l"), m_dir.filePath(QStringLiteral("mnt"))});
    if (!m_loopDevice.isEmpty())
        run(QStringLiteral("losetup"), {QStringLiteral("-d"), m_loopDevice});
}

QByteArray MountedImage::root() const
{
    return QFile::encodeName(m_dir.filePath(QStringLiteral("mnt")));
}

bool MountedImage::run(const QString& program, const QStringList& arguments, QByteArray* output)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    if (finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) {
        if (output)
            *output = process.readAllStandardOutput();
        return true;
    }
    if (m_refusal.isEmpty()) {
        const QString said = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        m_refusal = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) +
                    QStringLiteral(": ") + (said.isEmpty() ? process.errorString() : said);
    }
    return false;
}

} // namespace vornak::test
