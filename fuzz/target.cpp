// One libFuzzer target: the check named by QUORBEL_FUZZ_TARGET over each
// input, through the lookup named by QUORBEL_FUZZ_LOOKUP (the engine's
// targets use the engine's lookup and so link no Qt). A broken property aborts with its name, so libFuzzer keeps the
// input as a crash.
#include "fuzz/checks/fuzzchecks.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    try {
        if (!quorbel::fuzz::QUORBEL_FUZZ_LOOKUP(QUORBEL_FUZZ_TARGET, input)) {
            std::fprintf(stderr, "no check named %s\n", QUORBEL_FUZZ_TARGET);
            std::abort();
        }
    } catch (const quorbel::fuzz::PropertyViolation &violation) {
        std::fprintf(stderr, "property broken (%s): %s\n", QUORBEL_FUZZ_TARGET, violation.what());
        std::abort();
    }
    return 0;
}
