#include "SystemPlatform.h"

#include "Messages.h"
#include "Skin.h"
#include "core/fs/FileSystem.h"
#include "core/names/FileUrl.h"
#include "core/names/NativePath.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>

#include <algorithm>

namespace vornak {

namespace {

// Kernel and memory file systems hold nothing a user would rename.
bool isPseudoFileSystem(const QByteArray& type)
{
    static const QList<QByteArray> pseudo{
        "proc",        "sysfs",          "devtmpfs", "devpts",  "tmpfs",      "cgroup",
        "cgroup2",     "securityfs",     "pstore",   "bpf",     "tracefs",    "debugfs",
        "mqueue",      "hugetlbfs",      "configfs", "fusectl", "autofs",     "binfmt_misc",
        "efivarfs",    "squashfs",       "nsfs",     "ramfs",   "rpc_pipefs", "nfsd",
        "fuse.portal", "fuse.gvfsd-fuse"};
    return pseudo.contains(type);
}

} // namespace

void SystemPlatform::shellOpen(const QByteArray& path)
{
    // Built from the bytes, not from the decoded text, which would turn a byte that is not
    // UTF-8 into U+FFFD; QUrl keeps the escapes and hands them on as they are.
    QDesktopServices::openUrl(QUrl::fromEncoded(fileUrlOf(path), QUrl::StrictMode));
}

MessageAnswer SystemPlatform::messageBox(const QString& prompt, MessageButtons buttons,
                                         const QString& title)
{
    // The active window is no guide: there is none just after a popup menu or another box has
    // closed, and the box would then open in the middle of the screen. Once the parent window
    // is gone (the results window outlives the main window), the active one is the best there is.
    QWidget* parent = m_parentWindow ? m_parentWindow.data() : QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, title, withLineFeeds(prompt), QMessageBox::NoButton,
                    parent);
    if (buttons == MessageButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return MessageAnswer::Ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void SystemPlatform::setClipboardText(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void SystemPlatform::attachSkin()
{
    Skin::attach();
}

QList<Volume> SystemPlatform::volumes() const
{
    QList<Volume> result;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        const QByteArray root = nativeText(storage.rootPath());
        if (!storage.isValid() || (root != "/" && isPseudoFileSystem(storage.fileSystemType())))
            continue;
        if (std::none_of(result.cbegin(), result.cend(),
                         [&](const Volume& v) { return v.root == root; }))
            result.append({root, storage.displayName()});
    }
    std::stable_sort(result.begin(), result.end(), [](const Volume& a, const Volume& b) {
        return (a.root == "/") != (b.root == "/") ? a.root == "/" : a.root < b.root;
    });
    return result;
}

QByteArray SystemPlatform::startFolder() const
{
    return fs::currentFolder();
}

std::optional<QByteArray> SystemPlatform::desktopFolder() const
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty() || !QDir(desktop).exists())
        return std::nullopt;
    return nativeText(desktop);
}

QByteArray SystemPlatform::homeFolder() const
{
    return nativeText(QDir::homePath());
}

} // namespace vornak
