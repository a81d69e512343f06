#pragma once

#include "core/names/NamePattern.h"

#include <QByteArray>

namespace vornak::test {

// Writes at path a silent WAV file of 44 bytes, its header only, and tags it through TagLib.
bool writeTaggedWav(const QByteArray& path, const AudioTags& tags);

} // namespace vornak::test
