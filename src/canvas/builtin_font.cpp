// The default face's files, built into the library from Debian's fonts-dejavu-core at build time.
#include <cstddef>
#include <cstdint>
#include <span>

#include "canvas/font_engine.h"

// The assembler copies the files in as they are; the end labels give their sizes.
#define QV_INCBIN(label, file)               \
    asm(".section .rodata\n"                 \
        ".balign 16\n"                       \
        ".type " #label ", @object\n" #label \
        ":\n"                                \
        ".incbin \"" file "\"\n" #label      \
        "_end:\n"                            \
        ".byte 0\n"                          \
        ".previous\n")

QV_INCBIN(qv_builtin_sans, QV_BUILTIN_SANS);
QV_INCBIN(qv_builtin_sans_bold, QV_BUILTIN_SANS_BOLD);

extern "C" const std::uint8_t qv_builtin_sans[];
extern "C" const std::uint8_t qv_builtin_sans_end[];
extern "C" const std::uint8_t qv_builtin_sans_bold[];
extern "C" const std::uint8_t qv_builtin_sans_bold_end[];

namespace qv::canvas {

std::span<const std::uint8_t> builtinFace(bool bold) {
    if (bold)
        return {qv_builtin_sans_bold,
                static_cast<std::size_t>(qv_builtin_sans_bold_end - qv_builtin_sans_bold)};
    return {qv_builtin_sans, static_cast<std::size_t>(qv_builtin_sans_end - qv_builtin_sans)};
}

}  // namespace qv::canvas
