# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
BUILD ?= build
CHECK_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

WINDOWS_BUILD ?= build-windows

.PHONY: deps configure build run test package check bench fuzz format clean \
	windows-deps windows-configure windows test-windows

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/app/vantorel

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The Debian package, build/vantorel_<version>_<arch>.deb.
package: build
	cmake --build $(BUILD) --target package

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
check: deps
	cmake -S . -B $(CHECK_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVTL_SANITIZE=ON
	cmake --build $(CHECK_BUILD) -j $(JOBS)
	ctest --test-dir $(CHECK_BUILD) --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DVTL_BENCHMARKS=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	bash bench/run-all.sh $(BENCH_BUILD)

# The Windows program, cross-built with MinGW-w64 against the Windows
# libraries scripts/build-windows-deps.sh builds once into ~/.cache (the
# native build draws the icon and the sheets): build-windows/app holds a
# portable copy, and build-windows/Vantorel-G2-<version>-win64.zip and
# -setup.exe are what users download.
windows-deps:
	@bash scripts/build-windows-deps.sh >/dev/null

windows-configure: build windows-deps
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
		-DVTL_WINDOWS_DEPS=$$(bash scripts/build-windows-deps.sh --print) \
		-DVTL_HOST_BUILD=$(abspath $(BUILD)) \
		-DCMAKE_CROSSCOMPILING_EMULATOR=$$(command -v wine)

windows: windows-configure
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	cmake --build $(WINDOWS_BUILD) --target windows-package

# The test programs of the Windows build, run under Wine.
test-windows: windows
	bash scripts/test-windows.sh $(WINDOWS_BUILD)
# Every reader of outside files under libFuzzer with ASan and UBSan, for
# FUZZ_SECONDS each; the committed findings are replayed by `make test`.
fuzz: deps
	@bash scripts/install-deps.sh fuzz
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVTL_FUZZ=ON -DBUILD_TESTING=OFF \
	    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_all
	bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(CHECK_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)
