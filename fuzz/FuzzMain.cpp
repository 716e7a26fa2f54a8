// One libFuzzer program per target: the build names the target in VTL_FUZZ_TARGET.
#include <QGuiApplication>

#include <cstdlib>

#include "Targets.h"

namespace {

const vtl::fuzz::Target* target = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The picture decoders and QImage want an application object.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    target = vtl::fuzz::targetNamed(VTL_FUZZ_TARGET);
    if (target == nullptr) {
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    target->run(data, size);
    return 0;
}
