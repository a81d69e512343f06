#include "TestMount.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace vornak::test {

TestMount::TestMount(Kind kind, qint64 bytes)
{
    const QString point = m_dir.filePath(QStringLiteral("mnt"));
    const QString image = m_dir.filePath(QStringLiteral("volume.img"));
    if (!m_dir.isValid() || !QDir().mkdir(point)) {
        m_refusal = QStringLiteral("no temporary folder");
        return;
    }
    if (kind == Kind::Tmpfs) {
        m_mounted = run(QStringLiteral("mount"),
                        {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                         QStringLiteral("size=%1").arg(bytes), QStringLiteral("tmpfs"), point});
        return;
    }
    QFile file(image);
    QByteArray device;
    if (!file.open(QIODevice::WriteOnly) || !file.resize(bytes)) {
        m_refusal = QStringLiteral("cannot create the image");
        return;
    }
    file.close();
    const bool ext4 = kind == Kind::Ext4;
    if (!run(ext4 ? QStringLiteral("mkfs.ext4") : QStringLiteral("mkfs.exfat"),
             ext4 ? QStringList{QStringLiteral("-q"), QStringLiteral("-F"), image}
                  : QStringList{image}) ||
        !run(QStringLiteral("losetup"), {QStringLiteral("-f"), QStringLiteral("--show"), image},
             &device))
        return;
    m_loopDevice = QString::fromLocal8Bit(device.trimmed());
    m_mounted = ext4 ? run(QStringLiteral("mount"), {m_loopDevice, point})
                     : run(QStringLiteral("mount.exfat-fuse"), {m_loopDevice, point});
}

TestMount::~TestMount()
{
    if (m_mounted && !run(QStringLiteral("umount"), {QFile::decodeName(root())}))
        run(QStringLiteral("umount"), {QStringLiteral("-l"), QFile::decodeName(root())});
    if (!m_loopDevice.isEmpty())
        run(QStringLiteral("losetup"), {QStringLiteral("-d"), m_loopDevice});
}

QByteArray TestMount::root() const
{
    return QFile::encodeName(m_dir.filePath(QStringLiteral("mnt")));
}

bool TestMount::run(const QString& program, const QStringList& arguments, QByteArray* output)
{
    QProcess process;
    process.start(program, arguments);
    const bool ran = process.waitForFinished(60000) &&
                     process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (output)
        *output = process.readAllStandardOutput();
    if (!ran)
        m_refusal = program + QStringLiteral(": ") +
                    (process.error() == QProcess::FailedToStart
                         ? QStringLiteral("not installed")
                         : QString::fromLocal8Bit(process.readAllStandardError().trimmed()));
    return ran;
}

} // namespace vornak::test
