#include "texts/SystemReason.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <utility>

namespace vornak {

namespace {

// EWOULDBLOCK and ENOTSUP are the same numbers as EAGAIN and EOPNOTSUPP on Linux, so they are
// found through those.
constexpr std::pair<int, const char*> kReasons[] = {
    {ENOENT, QT_TRANSLATE_NOOP("SystemReason", "文件或文件夹不存在")},
    {EEXIST, QT_TRANSLATE_NOOP("SystemReason", "该名称已存在")},
    {EACCES, QT_TRANSLATE_NOOP("SystemReason", "没有权限")},
    {EPERM, QT_TRANSLATE_NOOP("SystemReason", "不允许此操作")},
    {EROFS, QT_TRANSLATE_NOOP("SystemReason", "只读文件系统")},
    {ENOSPC, QT_TRANSLATE_NOOP("SystemReason", "磁盘空间不足")},
    {EDQUOT, QT_TRANSLATE_NOOP("SystemReason", "超出磁盘配额")},
    {EXDEV, QT_TRANSLATE_NOOP("SystemReason", "不能跨文件系统移动")},
    {EINVAL, QT_TRANSLATE_NOOP("SystemReason", "参数无效")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("SystemReason", "名称太长")},
    {ENOTDIR, QT_TRANSLATE_NOOP("SystemReason", "路径中有一项不是文件夹")},
    {EISDIR, QT_TRANSLATE_NOOP("SystemReason", "这是一个文件夹")},
    {EBUSY, QT_TRANSLATE_NOOP("SystemReason", "文件或设备正忙")},
    {EIO, QT_TRANSLATE_NOOP("SystemReason", "输入/输出错误")},
    {EMLINK, QT_TRANSLATE_NOOP("SystemReason", "链接过多")},
    {ENOTEMPTY, QT_TRANSLATE_NOOP("SystemReason", "文件夹不是空的")},
    {ELOOP, QT_TRANSLATE_NOOP("SystemReason", "符号链接层数过多")},
    {ETXTBSY, QT_TRANSLATE_NOOP("SystemReason", "文件正在被执行")},
    {EAGAIN, QT_TRANSLATE_NOOP("SystemReason", "资源暂时不可用")},
    {ENOMEM, QT_TRANSLATE_NOOP("SystemReason", "内存不足")},
    {EMFILE, QT_TRANSLATE_NOOP("SystemReason", "打开的文件过多")},
    {ENFILE, QT_TRANSLATE_NOOP("SystemReason", "系统打开的文件过多")},
    {EFBIG, QT_TRANSLATE_NOOP("SystemReason", "文件太大")},
    {EOPNOTSUPP, QT_TRANSLATE_NOOP("SystemReason", "不支持此操作")},
    {ENOSYS, QT_TRANSLATE_NOOP("SystemReason", "系统不支持此功能")},
    {ESTALE, QT_TRANSLATE_NOOP("SystemReason", "网络文件句柄已失效")},
    {EILSEQ, QT_TRANSLATE_NOOP("SystemReason", "名称含有无效字符")},
    {EINTR, QT_TRANSLATE_NOOP("SystemReason", "操作被中断")},
    {ENXIO, QT_TRANSLATE_NOOP("SystemReason", "设备不存在")},
    {ENODEV, QT_TRANSLATE_NOOP("SystemReason", "设备不存在")},
    {ENOTCONN, QT_TRANSLATE_NOOP("SystemReason", "网络连接已断开")},
    {ETIMEDOUT, QT_TRANSLATE_NOOP("SystemReason", "连接超时")},
    {EBADF, QT_TRANSLATE_NOOP("SystemReason", "文件描述符无效")},
};

} // namespace

QString systemReasonText(int error)
{
    for (const auto& [number, text] : kReasons) {
        if (number == error)
            return QCoreApplication::translate("SystemReason", text);
    }
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace vornak
