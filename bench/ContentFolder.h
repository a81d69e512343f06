#pragma once

#include "core/names/NameList.h"

#include <QByteArray>
#include <QTemporaryDir>

namespace vornak::bench {

// A temporary folder for the content check: 10,000 files of 1–64 KiB and 50 of 4–16 MiB of
// random bytes. One file in ten is a copy of another; one in ten has the length and the bytes
// of another but for a few near its end; the rest have lengths of their own. Removed with the
// object.
class ContentFolder {
public:
    ContentFolder();

    QByteArray path() const;
    const NameList& names() const { return m_names; }
    // The names that belong to a group of equal contents, as the folder was built.
    std::size_t namesInGroups() const { return m_namesInGroups; }

private:
    QTemporaryDir m_dir;
    NameList m_names;
    std::size_t m_namesInGroups = 0;
};

} // namespace vornak::bench
