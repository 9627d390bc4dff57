// Preloaded into the program by the first-start journey: counts fontconfig's
// font matches and the sorts of every installed font that Qt's fallback
// lists make, and writes both counts to the file QUENLORY_FONT_LOOKUPS names
// after each call. On a desktop with thousands of fonts each sort is what a
// start-up pays for one more font engine, so the journey holds the program
// to a budget of them without timing anything.

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace {

int sorts = 0;
int matches = 0;

void record()
{
    const char *path = std::getenv("QUENLORY_FONT_LOOKUPS");
    if (!path)
        return;
    if (std::FILE *file = std::fopen(path, "w")) {
        std::fprintf(file, "%d %d\n", sorts, matches);
        std::fclose(file);
    }
}

template <typename Function>
Function next(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
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
