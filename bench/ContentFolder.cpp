#include "ContentFolder.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <stdexcept>
#include <unordered_set>
#include <vector>

namespace vornak::bench {

namespace {

constexpr qint64 kKiB = 1024;
constexpr qint64 kMiB = 1024 * kKiB;

// One file to write: the bytes of seed, and where near variants differ, a word changed.
struct Planned {
    qint64 length;
    std::uint64_t seed;
    qint64 changedAt = -1;
    std::uint64_t change = 0;
};

std::uint64_t splitMix(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9e3779b97f4a7c15);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
    z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
    return z ^ (z >> 31);
}

void fill(char* bytes, qint64 length, std::uint64_t seed)
{
    qint64 at = 0;
    for (; at + 8 <= length; at += 8) {
        const std::uint64_t word = splitMix(seed);
        std::memcpy(bytes + at, &word, 8);
    }
    const std::uint64_t word = splitMix(seed);
    std::memcpy(bytes + at, &word, std::size_t(length - at));
}

// count files of lengths in [lowest, highest]: originals of lengths of their own, a tenth
// copies of them, a tenth near copies; returns how many names end in groups.
std::size_t plan(std::vector<Planned>& files, int count, qint64 lowest, qint64 highest,
                 std::mt19937_64& random)
{
    const int variants = count / 10;
    const int originals = count - 2 * variants;
    std::uniform_int_distribution<qint64> lengths(lowest, highest);
    std::unordered_set<qint64> used;
    const std::size_t first = files.size();
    while (used.size() < std::size_t(originals)) {
        const qint64 length = lengths(random);
        if (used.insert(length).second)
            files.push_back({length, random()});
    }
    std::uniform_int_distribution<std::size_t> pick(first, files.size() - 1);
    std::vector<int> copies(files.size() - first, 0);
    for (int i = 0; i < variants; ++i) {
        const std::size_t original = pick(random);
        files.push_back(files[original]);
        ++copies[original - first];
    }
    for (int i = 0; i < variants; ++i) {
        Planned near = files[pick(random)];
        std::uniform_int_distribution<qint64> fromEnd(8, std::min<qint64>(near.length, 1024));
        near.changedAt = near.length - fromEnd(random);
        near.change = std::uint64_t(files.size()) + 1;
        files.push_back(near);
    }
    std::size_t inGroups = 0;
    for (int copiesOfOne : copies)
        inGroups += copiesOfOne > 0 ? std::size_t(copiesOfOne) + 1 : 0;
    return inGroups;
}

void write(const QByteArray& path, const Planned& file, char* bytes)
{
    fill(bytes, file.length, file.seed);
    if (file.changedAt >= 0) {
        std::uint64_t word;
        std::memcpy(&word, bytes + file.changedAt, 8);
        word ^= file.change;
        std::memcpy(bytes + file.changedAt, &word, 8);
    }
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool written = fd >= 0 && ::write(fd, bytes, std::size_t(file.length)) == file.length;
    if (fd >= 0)
        ::close(fd);
    if (!written)
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

ContentFolder::ContentFolder()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    std::mt19937_64 random(20240501);
    std::vector<Planned> files;
    m_namesInGroups = plan(files, 10000, 1 * kKiB, 64 * kKiB, random) +
                      plan(files, 50, 4 * kMiB, 16 * kMiB, random);
    std::shuffle(files.begin(), files.end(), random);
    std::vector<char> bytes(std::size_t(16 * kMiB + 8));
    const QByteArray folder = path() + '/';
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QByteArray name = QStringLiteral("内容 %1 样本.bin").arg(i).toUtf8();
        write(folder + name, files[i], bytes.data());
        m_names.append(name);
    }
}

QByteArray ContentFolder::path() const
{
    return QFile::encodeName(m_dir.path());
}

} // namespace vornak::bench
