#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vtl::fuzz {

// One reader of files that users and game servers hand the program, as the
// fuzzer drives it: the same entry runs under libFuzzer (fuzz/FuzzMain.cpp)
// and, for the committed regression inputs, in the ordinary tests.
struct Target {
    const char* name;  // also the folder of its inputs under fuzz/regressions/
    void (*run)(const std::uint8_t* data, std::size_t size);
};

std::span<const Target> targets();
const Target* targetNamed(const char* name);

}  // namespace vtl::fuzz
