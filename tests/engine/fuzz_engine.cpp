// libFuzzer target: the shared exercise (tests/support/EngineExercise.h) reads its requests from
// the fuzzer's input; any problem it finds aborts. The sanitizers catch everything else.
#include "tests/support/EngineExercise.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorrin::testing::ByteSource bytes(data, size);
    quorrin::testing::ExerciseCounts counts;
    const std::string problem = quorrin::testing::Exercise(bytes, counts);
    if (!problem.empty()) {
        std::fprintf(stderr, "engine check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
