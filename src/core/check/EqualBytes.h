#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vornak {

// Chunks sorted into classes of equal bytes: classOf[i] is the class of chunks[i], numbered
// from 0; the first chunk is in class 0.
struct ByteClasses {
    std::vector<std::uint32_t> classOf;
    std::uint32_t count = 0;
};

// Chunks equal to the first are found by comparing; the others are sorted by a hash of their
// bytes and each verified against the first of its class, so the cost stays linear in the
// chunks however many classes there are, and no hash collision merges two classes.
ByteClasses classesOfEqualBytes(std::span<const std::string_view> chunks);

} // namespace vornak
