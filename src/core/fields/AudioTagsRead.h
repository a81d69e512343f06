#pragma once

#include "core/names/NamePattern.h"

#include <QByteArray>

#include <optional>

namespace vornak {

// The tags of an audio file TagLib knows, by its extension. Nothing when the file is no such
// file or cannot be read. Reads only the tags, not the audio; safe from several threads at once.
std::optional<AudioTags> audioTagsOf(const QByteArray& path);

} // namespace vornak
