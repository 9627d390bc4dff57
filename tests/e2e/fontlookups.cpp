// Preloaded into the program by the first-start journey: counts fontconfig's
// font matches and the sorts of every installed font that Qt's fallback
// lists make, and the pictures the program hands the X server, and writes
// the three counts to the file QUENLORY_FONT_LOOKUPS names after each call.
// On a desktop with thousands of fonts each sort is what a start-up pays for
// one more font engine, so the journey holds the program to a budget of them
// without timing anything; a first picture handed over tells it that the
// main window has been painted, with every font it shows.

#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

int sorts = 0;
int matches = 0;
int pictures = 0;

void record()
{
    const char *path = std::getenv("QUENLORY_FONT_LOOKUPS");
    if (!path)
        return;
    if (std::FILE *file = std::fopen(path, "w")) {
        std::fprintf(file, "%d %d %d\n", sorts, matches, pictures);
        std::fclose(file);
    }
}

// The real function: the next one in the program's global scope, or, for a
// library the platform plugin brought in of its own, the one in that library.
template <typename Function>
Function next(const char *name, const char *library = nullptr)
{
    void *found = dlsym(RTLD_NEXT, name);
    if (!found && library) {
        if (void *handle = dlopen(library, RTLD_NOW | RTLD_NOLOAD))
            found = dlsym(handle, name);
    }
    if (!found)
        std::abort();
    return reinterpret_cast<Function>(found);
}

} // namespace

// fontconfig's own declarations, with its handles as plain pointers.
extern "C" void *FcFontSort(void *config, void *pattern, int trim, void *charsets, void *result)
{
    using Sort = void *(*)(void *, void *, int, void *, void *);
    static const Sort real = next<Sort>("FcFontSort");
    ++sorts;
    record();
    return real(config, pattern, trim, charsets, result);
}

extern "C" void *FcFontMatch(void *config, void *pattern, void *result)
{
    using Match = void *(*)(void *, void *, void *);
    static const Match real = next<Match>("FcFontMatch");
    ++matches;
    record();
    return real(config, pattern, result);
}

// xcb's cookie, and its handles as plain pointers and numbers: the two ways
// Qt's backing store hands a painted picture to the X server.
struct Cookie {
    unsigned int sequence;
};

extern "C" Cookie xcb_shm_put_image(void *connection, std::uint32_t drawable, std::uint32_t gc,
                                    std::uint16_t totalWidth, std::uint16_t totalHeight, std::uint16_t srcX,
                                    std::uint16_t srcY, std::uint16_t srcWidth, std::uint16_t srcHeight,
                                    std::int16_t dstX, std::int16_t dstY, std::uint8_t depth, std::uint8_t format,
                                    std::uint8_t sendEvent, std::uint32_t segment, std::uint32_t offset)
{
    using Put = Cookie (*)(void *, std::uint32_t, std::uint32_t, std::uint16_t, std::uint16_t, std::uint16_t,
                           std::uint16_t, std::uint16_t, std::uint16_t, std::int16_t, std::int16_t, std::uint8_t,
                           std::uint8_t, std::uint8_t, std::uint32_t, std::uint32_t);
    static const Put real = next<Put>("xcb_shm_put_image", "libxcb-shm.so.0");
    const Cookie cookie = real(connection, drawable, gc, totalWidth, totalHeight, srcX, srcY, srcWidth, srcHeight,
                               dstX, dstY, depth, format, sendEvent, segment, offset);
    ++pictures;
    record();
    return cookie;
}

extern "C" Cookie xcb_image_put(void *connection, std::uint32_t drawable, std::uint32_t gc, void *image,
                                std::int16_t x, std::int16_t y, std::uint8_t leftPad)
{
    using Put = Cookie (*)(void *, std::uint32_t, std::uint32_t, void *, std::int16_t, std::int16_t, std::uint8_t);
    static const Put real = next<Put>("xcb_image_put", "libxcb-image.so.0");
    const Cookie cookie = real(connection, drawable, gc, image, x, y, leftPad);
    ++pictures;
    record();
    return cookie;
}
