// libFuzzer target: the shared exercise (tests/support/EngineExercise.h) reads its requests from
// the fuzzer's input; any problem it finds aborts. The sanitizers catch everything else.
#include "tests/support/EngineExercise.h"

#include <cstdio>
#include <cstdlib>

namespace {

class FuzzBytes : public quorrin::testing::ByteSource {
public:
    FuzzBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const override { return at_ >= size_; }
    std::uint8_t Next() override { return at_ < size_ ? data_[at_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzBytes bytes(data, size);
    quorrin::testing::ExerciseCounts counts;
    const std::string problem = quorrin::testing::Exercise(bytes, counts);
    if (!problem.empty()) {
        std::fprintf(stderr, "engine check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
